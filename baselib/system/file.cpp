// The CMyFile object: naming, opening and the stream operations.
#include <gravik/file.h>
#include <gravik/strings.h>

#include <cstdio>
#include <cstring>
#include <ios>
#include <limits>

namespace {

bool CopyIfFits(char* field, const char* text, const char* what)
{
    const std::size_t len = std::strlen(text);
    if (len >= static_cast<std::size_t>(CMyFile::kMaxName)) {
        std::fprintf(stderr, "CMyFile: %s of %zu bytes refused (at most %d)\n", what, len,
                     CMyFile::kMaxName - 1);
        return false;
    }
    std::memcpy(field, text, len + 1);
    return true;
}

std::ios_base::openmode ToOpenMode(int mode)
{
    std::ios_base::openmode m{};
    if (mode & CMyFile::kIn) m |= std::ios_base::in;
    if (mode & CMyFile::kOut) m |= std::ios_base::out;
    if (mode & CMyFile::kAte) m |= std::ios_base::ate;
    if (mode & CMyFile::kApp) m |= std::ios_base::app;
    if (mode & CMyFile::kTrunc) m |= std::ios_base::trunc;
    if (mode & CMyFile::kBinary) m |= std::ios_base::binary;
    return m;
}

}  // namespace

CMyFile::CMyFile()
{
    m_szPath[0] = '\0';
    m_szName[0] = '\0';
}

CMyFile::CMyFile(const char* fullName) : CMyFile() { CMyFile::SetFullName(fullName); }

CMyFile::~CMyFile() { CloseFile(); }

bool CMyFile::StoreName(const char* name) { return CopyIfFits(m_szName, name ? name : "", "name"); }

void CMyFile::SetFileName(const char* name) { StoreName(name); }

void CMyFile::GetFileName(char* out)
{
    if (out) std::memcpy(out, m_szName, std::strlen(m_szName) + 1);
}

void CMyFile::SetFullName(const char* fullName)
{
    if (!fullName) fullName = "";
    const char* sep = std::strrchr(fullName, '/');
    if (!sep) {
        if (StoreName(fullName)) m_szPath[0] = '\0';
        return;
    }
    const std::size_t dirLen = static_cast<std::size_t>(sep - fullName);
    if (dirLen >= static_cast<std::size_t>(kMaxName) ||
        std::strlen(sep + 1) >= static_cast<std::size_t>(kMaxName)) {
        std::fprintf(stderr, "CMyFile: full name refused (path or name over %d bytes)\n",
                     kMaxName - 1);
        return;
    }
    std::memcpy(m_szPath, fullName, dirLen);
    m_szPath[dirLen] = '\0';
    // "/name" lives in the root folder: keep "/" as its path.
    if (dirLen == 0) std::strcpy(m_szPath, "/");
    StoreName(sep + 1);
}

void CMyFile::GetFullName(char* out)
{
    if (!out) return;
    if (m_szPath[0] == '\0')
        std::snprintf(out, kMaxFullName, "%s", m_szName);
    else if (std::strcmp(m_szPath, "/") == 0)
        std::snprintf(out, kMaxFullName, "/%s", m_szName);
    else
        std::snprintf(out, kMaxFullName, "%s/%s", m_szPath, m_szName);
}

void CMyFile::SetFilePath(const char* path)
{
    if (!path || !*path) {
        char app[kMaxName];
        if (GetAppPath(app, sizeof app)) std::strcpy(m_szPath, app);
        return;
    }
    char buffer[kMaxName];
    if (!CopyIfFits(buffer, path, "path")) return;
    std::size_t len = std::strlen(buffer);
    while (len > 1 && buffer[len - 1] == '/') buffer[--len] = '\0';
    std::memcpy(m_szPath, buffer, len + 1);
    MakeDirectory(m_szPath);
}

void CMyFile::GetFilePath(char* out)
{
    if (out) std::memcpy(out, m_szPath, std::strlen(m_szPath) + 1);
}

void CMyFile::OpenInit()
{
    if (m_file.is_open()) m_file.close();
    if (m_szName[0] == '\0') std::strcpy(m_szName, "tempfile~");
}

bool CMyFile::OpenFile(int mode)
{
    OpenInit();
    char full[kMaxFullName];
    GetFullName(full);
    MakeDirectory(m_szPath);
    m_file.clear();
    m_file.open(full, ToOpenMode(mode));
    return m_file.is_open();
}

bool CMyFile::IsFileOpen() { return m_file.is_open(); }

void CMyFile::CloseFile()
{
    if (m_file.is_open()) m_file.close();
    m_file.clear();
}

bool CMyFile::Eof() { return m_file.eof(); }

void CMyFile::Flush()
{
    if (m_file.is_open()) m_file.flush();
}

namespace {

// The common result rule: a failed stream is cleared and reported. The end of
// file stays noted, so Eof() and the next read still see it.
bool Settle(std::fstream& file)
{
    if (file.fail() || file.bad()) {
        file.clear(file.rdstate() & std::ios_base::eofbit);
        return false;
    }
    return true;
}

}  // namespace

bool CMyFile::GetFileReadPtrPos(unsigned int& pos)
{
    if (!m_file.is_open()) return false;
    const std::streampos p = m_file.tellg();
    if (!Settle(m_file) || p < 0) return false;
    pos = static_cast<unsigned int>(static_cast<std::streamoff>(p));
    return true;
}

bool CMyFile::GetFileWritePtrPos(unsigned int& pos)
{
    if (!m_file.is_open()) return false;
    const std::streampos p = m_file.tellp();
    if (!Settle(m_file) || p < 0) return false;
    pos = static_cast<unsigned int>(static_cast<std::streamoff>(p));
    return true;
}

bool CMyFile::SetFileReadPtrPos(unsigned int pos)
{
    if (!m_file.is_open()) return false;
    m_file.clear();  // a seek also leaves the end of the file
    m_file.seekg(static_cast<std::streamoff>(pos), std::ios_base::beg);
    return Settle(m_file);
}

bool CMyFile::SetFileWritePtrPos(unsigned int pos)
{
    if (!m_file.is_open()) return false;
    m_file.clear();
    m_file.seekp(static_cast<std::streamoff>(pos), std::ios_base::beg);
    return Settle(m_file);
}

bool CMyFile::MoveReadPtrFromCur(int offset)
{
    if (!m_file.is_open()) return false;
    m_file.clear();
    m_file.seekg(offset, std::ios_base::cur);
    return Settle(m_file);
}

bool CMyFile::MoveWritePtrFromCur(int offset)
{
    if (!m_file.is_open()) return false;
    m_file.clear();
    m_file.seekp(offset, std::ios_base::cur);
    return Settle(m_file);
}

bool CMyFile::GetFileSize64(int64_t& size)
{
    if (!m_file.is_open()) {
        char full[kMaxFullName];
        GetFullName(full);
        return GetFileSize64(full, size);
    }
    std::filebuf* buf = m_file.rdbuf();
    const std::streampos here = buf->pubseekoff(0, std::ios_base::cur);
    const std::streampos end = buf->pubseekoff(0, std::ios_base::end);
    if (here == std::streampos(-1) || end == std::streampos(-1)) return false;
    buf->pubseekpos(here);
    size = static_cast<int64_t>(static_cast<std::streamoff>(end));
    return true;
}

bool CMyFile::GetFileSize(unsigned int& size)
{
    int64_t size64 = 0;
    if (!GetFileSize64(size64)) return false;
    size = static_cast<unsigned int>(static_cast<uint64_t>(size64) & 0xFFFFFFFFU);
    return true;
}

bool CMyFile::ReadFromFile(unsigned char* buffer, unsigned int size, unsigned int& read)
{
    read = 0;
    if (!m_file.is_open() || m_file.eof() || (!buffer && size > 0)) return false;
    m_file.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(size));
    read = static_cast<unsigned int>(m_file.gcount());
    return Settle(m_file);
}

bool CMyFile::GetLineFromFile(char* buffer, unsigned int size, unsigned int& read)
{
    read = 0;
    if (!m_file.is_open() || m_file.eof() || !buffer || size == 0) return false;
    const std::streamsize limit =
        size > static_cast<unsigned int>(std::numeric_limits<std::streamsize>::max())
            ? std::numeric_limits<std::streamsize>::max()
            : static_cast<std::streamsize>(size);
    m_file.getline(buffer, limit);
    read = static_cast<unsigned int>(m_file.gcount());
    return Settle(m_file);
}

bool CMyFile::GetLineFromFile(std::string& line)
{
    if (!m_file.is_open() || m_file.eof()) return false;
    std::getline(m_file, line);
    return Settle(m_file);
}

bool CMyFile::WriteToFile(const unsigned char* data, unsigned int size)
{
    if (!m_file.is_open() || (!data && size > 0)) return false;
    m_file.clear();  // a read that met the end of the file must not block writing
    m_file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return Settle(m_file);
}
