// Static file and folder helpers of CMyFile.
#include <gravik/file.h>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0) close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    bool ok() const { return m_fd >= 0; }
    // Closes now and tells whether the close (the last chance to report a
    // failed write) succeeded.
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, const unsigned char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Reads up to `size` bytes, less only at the end of the file; -1 on error.
ssize_t ReadFull(int fd, unsigned char* data, std::size_t size)
{
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = read(fd, data + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(got);
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

char* LastSeparator(char* path)
{
    char* last = nullptr;
    for (char* p = path; *p; ++p)
        if (IsSeparator(*p)) last = p;
    return last;
}

}  // namespace

bool CMyFile::FileIsExist(const char* path)
{
    struct stat st {};
    return path && stat(path, &st) == 0 && !S_ISDIR(st.st_mode);
}

bool CMyFile::DirIsExist(const char* path)
{
    struct stat st {};
    return path && stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

void CMyFile::MakeDirectory(const char* path)
{
    if (!path || !*path || DirIsExist(path)) return;
    const std::string full(path);
    const std::size_t sep = full.find_last_of('/');
    if (sep != std::string::npos && sep != 0) {
        const std::string parent = full.substr(0, sep);
        if (!DirIsExist(parent.c_str())) MakeDirectory(parent.c_str());
        if (sep == full.size() - 1) return;
    }
    mkdir(path, 0777);
}

bool CMyFile::GetFileSize64(const char* path, int64_t& size)
{
    if (!path) return false;
    Fd fd(open(path, O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (!fd.ok() || fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    size = static_cast<int64_t>(st.st_size);
    return true;
}

bool CMyFile::GetFileSize(const char* path, unsigned int& size)
{
    int64_t size64 = 0;
    if (!GetFileSize64(path, size64)) return false;
    size = static_cast<unsigned int>(static_cast<uint64_t>(size64) & 0xFFFFFFFFU);
    return true;
}

bool CMyFile::SetFileSize64(const char* path, int64_t size)
{
    if (!path || size < 0 || !FileIsExist(path)) return false;
    Fd fd(open(path, O_WRONLY | O_CLOEXEC));
    return fd.ok() && ftruncate(fd.get(), static_cast<off_t>(size)) == 0 && fd.Close();
}

bool CMyFile::SetFileSize(const char* path, unsigned int size)
{
    return SetFileSize64(path, static_cast<int64_t>(size));
}

bool CMyFile::CreateCertainSizeFile64(const char* path, int64_t size, bool fill)
{
    if (!path || size < 0 || DirIsExist(path)) return false;
    Fd fd(open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
    if (!fd.ok()) return false;
    if (!fill) return ftruncate(fd.get(), static_cast<off_t>(size)) == 0 && fd.Close();
    static const unsigned char zeros[4096] = {};
    int64_t left = size;
    while (left > 0) {
        const std::size_t n = left < 4096 ? static_cast<std::size_t>(left) : 4096U;
        if (!WriteAll(fd.get(), zeros, n)) return false;
        left -= static_cast<int64_t>(n);
    }
    return fd.Close();
}

bool CMyFile::CreateCertainSizeFile(const char* path, unsigned int size, bool fill)
{
    return CreateCertainSizeFile64(path, static_cast<int64_t>(size), fill);
}

char* CMyFile::ExtractFileDir(char* path)
{
    if (!path) return path;
    if (char* sep = LastSeparator(path)) *sep = '\0';
    return path;
}

char* CMyFile::ExtractFileName(char* path)
{
    if (!path) return path;
    char* sep = LastSeparator(path);
    return sep ? sep + 1 : path;
}

void CMyFile::ExtractFileDir(char* path, char* out)
{
    if (!path || !out) return;
    const char* sep = LastSeparator(path);
    const std::size_t len = sep ? static_cast<std::size_t>(sep - path) : std::strlen(path);
    std::memmove(out, path, len);
    out[len] = '\0';
}

void CMyFile::ExtractFileName(char* path, char* out)
{
    if (!path || !out) return;
    const char* name = ExtractFileName(path);
    std::memmove(out, name, std::strlen(name) + 1);
}

bool CMyFile::IsSameContent(const char* a, const char* b)
{
    if (!a || !b) return false;
    Fd fa(open(a, O_RDONLY | O_CLOEXEC)), fb(open(b, O_RDONLY | O_CLOEXEC));
    struct stat sa {}, sb {};
    if (!fa.ok() || !fb.ok() || fstat(fa.get(), &sa) != 0 || fstat(fb.get(), &sb) != 0) return false;
    if (S_ISDIR(sa.st_mode) || S_ISDIR(sb.st_mode) || sa.st_size != sb.st_size) return false;
    unsigned char ba[4096], bb[4096];
    for (;;) {
        const ssize_t na = ReadFull(fa.get(), ba, sizeof ba);
        const ssize_t nb = ReadFull(fb.get(), bb, sizeof bb);
        if (na < 0 || nb < 0 || na != nb) return false;
        if (na == 0) return true;
        if (std::memcmp(ba, bb, static_cast<std::size_t>(na)) != 0) return false;
    }
}

bool CMyFile::BackUpFile(const char* from, const char* to)
{
    if (!from || !to) return false;
    Fd in(open(from, O_RDONLY | O_CLOEXEC));
    struct stat sf {}, st {};
    if (!in.ok() || fstat(in.get(), &sf) != 0 || S_ISDIR(sf.st_mode)) return false;
    // Opening the source itself with truncation would destroy it.
    if (stat(to, &st) == 0 && st.st_dev == sf.st_dev && st.st_ino == sf.st_ino) return false;
    Fd out(open(to, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!out.ok()) return false;
    unsigned char buffer[4096];
    for (;;) {
        const ssize_t n = ReadFull(in.get(), buffer, sizeof buffer);
        if (n < 0) return false;
        if (n == 0) break;
        if (!WriteAll(out.get(), buffer, static_cast<std::size_t>(n))) return false;
    }
    return out.Close();
}

bool CMyFile::RemoveFile(const char* path) { return path && std::remove(path) == 0; }

bool CMyFile::ChangeFileName(const char* from, const char* to)
{
    if (!from || !to) return false;
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // File systems without the no-replace rename: check, then rename.
    struct stat st {};
    if (lstat(to, &st) == 0) return false;
    return std::rename(from, to) == 0;
}

bool CMyFile::QueryDiskSpaceMB(const char* path, unsigned int& totalMB, unsigned int& freeMB)
{
    std::string where = path && *path ? path : ".";
    struct statvfs vfs {};
    // The nearest existing folder stands for a path that does not exist yet.
    while (statvfs(where.c_str(), &vfs) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) return false;
        const std::size_t sep = where.find_last_of('/');
        if (sep == std::string::npos) where = ".";
        else if (sep == 0) where = "/";
        else where.resize(sep);
        if (where == "." || where == "/") {
            if (statvfs(where.c_str(), &vfs) != 0) return false;
            break;
        }
    }
    const auto toMB = [](unsigned long long blocks, unsigned long long unit) {
        const unsigned long long mb = blocks * unit / 1024ULL / 1024ULL;
        return mb > UINT_MAX ? UINT_MAX : static_cast<unsigned int>(mb);
    };
    totalMB = toMB(vfs.f_blocks, vfs.f_frsize);
    freeMB = toMB(vfs.f_bavail, vfs.f_frsize);
    return true;
}
