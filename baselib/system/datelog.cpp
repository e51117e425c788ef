// CWriteDateLog: one log file per day, old days deleted.
#include <gravik/datetime.h>
#include <gravik/log.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string LocalDate(int daysBack)
{
    CMyDate today(true, false);
    today -= daysBack;
    return today.Format("%Y-%M-%D");
}

bool Store(char* field, std::size_t size, const char* text, const char* what)
{
    if (!text) text = "";
    if (std::strlen(text) >= size) {
        std::fprintf(stderr, "CWriteDateLog: %s of more than %zu bytes refused\n", what, size - 1);
        return false;
    }
    std::strcpy(field, text);
    return true;
}

// "dddd-dd-dd": the only names that are dated log files.
bool IsDate(const char* p)
{
    for (int i = 0; i < 10; ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? p[i] != '-' : !std::isdigit(static_cast<unsigned char>(p[i]))) return false;
    }
    return true;
}

}  // namespace

CWriteDateLog::CWriteDateLog(int reservedDays) : CWriteDateLog("temp~", "log", reservedDays) {}

CWriteDateLog::CWriteDateLog(const char* prefix, const char* extension, int reservedDays)
    : m_nReservedDays(reservedDays)
{
    std::strcpy(m_szPrefix, "temp~");
    std::strcpy(m_szExt, "log");
    SetPreFileName(prefix);
    SetExtFileName(extension);
    SetFilePath("");
    SetTodayTime();
}

CWriteDateLog::~CWriteDateLog() = default;

void CWriteDateLog::SetPreFileName(const char* prefix)
{
    Store(m_szPrefix, sizeof m_szPrefix, prefix, "prefix");
}

void CWriteDateLog::SetExtFileName(const char* extension)
{
    Store(m_szExt, sizeof m_szExt, extension, "extension");
}

void CWriteDateLog::SetReservedDays(int days) { m_nReservedDays = days; }

void CWriteDateLog::SetFileName(const char*)
{
    std::printf("SetFileName(const char* p_szFileName) is not valid for CWriteDateLog\n");
}

void CWriteDateLog::SetFullName(const char*)
{
    std::printf("SetFullName(const char* p_szFullName) is not valid for CWriteDateLog\n");
}

// The name follows the clock, but `today` (the day the open file belongs to)
// is left to IsToday, so asking for the name can never hide a change of day
// from the next write.
void CWriteDateLog::BuildName()
{
    const std::string name =
        std::string(m_szPrefix) + LocalDate(0) + "." + std::string(m_szExt);
    StoreName(name.c_str());
}

void CWriteDateLog::GetFileName(char* out)
{
    BuildName();
    CMyFile::GetFileName(out);
}

void CWriteDateLog::GetFullName(char* out)
{
    BuildName();
    CMyFile::GetFullName(out);
}

void CWriteDateLog::SetTodayTime()
{
    std::snprintf(m_szToday, sizeof m_szToday, "%s", LocalDate(0).c_str());
}

bool CWriteDateLog::IsToday()
{
    char before[sizeof m_szToday];
    std::memcpy(before, m_szToday, sizeof before);
    SetTodayTime();
    return std::strcmp(before, m_szToday) == 0;
}

void CWriteDateLog::OpenInit()
{
    if (m_file.is_open()) m_file.close();
    if (m_szPrefix[0] == '\0') std::strcpy(m_szPrefix, "temp~");
    if (m_szExt[0] == '\0') std::strcpy(m_szExt, "log");
}

bool CWriteDateLog::PreWrite()
{
    if ((m_eFlag == emLogFile || m_eFlag == emLogFileAndStdout) && !IsToday()) {
        CloseFile();
        DeleteOldLog();
    }
    return CWriteLog::PreWrite();
}

void CWriteDateLog::DeleteOldLog()
{
    if (m_nReservedDays <= 0) return;
    CloseFile();
    const std::string prefix = m_szPrefix, ext = m_szExt;
    // Every file of the folder, checked by hand below: the prefix may hold
    // characters that a wildcard pattern would read as wildcards.
    std::vector<std::string> files;
    FindAllFiles(m_szPath[0] ? m_szPath : ".", "*", files, false, true);
    const std::string limit = prefix + LocalDate(m_nReservedDays) + "." + ext;
    for (const std::string& full : files) {
        const std::size_t slash = full.find_last_of('/');
        const std::string name = slash == std::string::npos ? full : full.substr(slash + 1);
        if (name.size() != prefix.size() + ext.size() + 11) continue;
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        if (!IsDate(name.c_str() + prefix.size()) || name[prefix.size() + 10] != '.') continue;
        if (name.compare(prefix.size() + 11, ext.size(), ext) != 0) continue;
        if (name.compare(limit) > 0) continue;
        RemoveFile(full.c_str());
    }
}
