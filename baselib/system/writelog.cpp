// CWriteLog: time-stamped lines to a file and/or standard output.
#include <gravik/datetime.h>
#include <gravik/log.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

thread_local char CWriteLog::m_szTodayTime[32] = "";

CWriteLog::CWriteLog()
    : m_eFlag(emLogFile), m_nWriteCount(0), m_nLogLevel(10), m_nRollover(0),
      m_nRolloverBytes(kRolloverBytes), m_nCheckEvery(kRolloverCheckEvery)
{
    m_szLine[0] = '\0';
}

CWriteLog::CWriteLog(const char* fullName) : CWriteLog() { CMyFile::SetFullName(fullName); }

CWriteLog::~CWriteLog() = default;

void CWriteLog::SetOutFlag(emLogFlag flag) { m_eFlag = flag; }
void CWriteLog::SetLogLevel(unsigned int level) { m_nLogLevel = level; }
unsigned int CWriteLog::GetLogLevel() { return m_nLogLevel; }

void CWriteLog::SetRolloverForTest(int64_t limitBytes, unsigned int checkEvery)
{
    m_nRolloverBytes = limitBytes;
    m_nCheckEvery = checkEvery == 0 ? 1 : checkEvery;
}

const char* CWriteLog::GetCurrTime()
{
    const std::string now = CMyDatetime(true, false).Format("%Y-%M-%D %H:%U:%S.%R");
    std::snprintf(m_szTodayTime, sizeof m_szTodayTime, "%s", now.c_str());
    return m_szTodayTime;
}

void CWriteLog::FormatLine(const char* prefix, const char* format, va_list args)
{
    const int used = std::snprintf(m_szLine, sizeof m_szLine, "%s", prefix);
    const std::size_t start = used < 0 ? 0 : static_cast<std::size_t>(used);
    if (start >= sizeof m_szLine - 1) return;
    va_list copy;
    va_copy(copy, args);
    const int wanted = std::vsnprintf(m_szLine + start, sizeof m_szLine - start, format, args);
    if (wanted > 0 && static_cast<std::size_t>(wanted) >= sizeof m_szLine - start) {
        // Cut to fit, keeping the line end of a message that had one.
        std::string whole(static_cast<std::size_t>(wanted) + 1, '\0');
        std::vsnprintf(whole.data(), whole.size(), format, copy);
        if (whole[static_cast<std::size_t>(wanted) - 1] == '\n') m_szLine[sizeof m_szLine - 2] = '\n';
    }
    va_end(copy);
}

bool CWriteLog::Emit(const char* text)
{
    if (!PreWrite()) return false;
    const bool toFile = m_eFlag == emLogFile || m_eFlag == emLogFileAndStdout;
    Output(text);
    // A write that failed (a full disk) is reported, not passed off as done.
    if (toFile && (!m_file.is_open() || m_file.fail())) {
        m_file.clear();
        return false;
    }
    return true;
}

bool CWriteLog::WriteLog(const char* format, ...)
{
    if (!format) return false;
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "[%s]  ", GetCurrTime());
    va_list args;
    va_start(args, format);
    FormatLine(prefix, format, args);
    va_end(args);
    return Emit(m_szLine);
}

bool CWriteLog::WriteLog(unsigned int level, const char* format, ...)
{
    if (level > m_nLogLevel) return true;
    if (!format) return false;
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "[%s]  ", GetCurrTime());
    va_list args;
    va_start(args, format);
    FormatLine(prefix, format, args);
    va_end(args);
    return Emit(m_szLine);
}

bool CWriteLog::WriteLog(unsigned int id, unsigned int level, const char* format, ...)
{
    if (level > m_nLogLevel) return true;
    if (!format) return false;
    char prefix[96];
    std::snprintf(prefix, sizeof prefix, "[%s][%02u:%02u] ", GetCurrTime(), id, level);
    va_list args;
    va_start(args, format);
    FormatLine(prefix, format, args);
    va_end(args);
    return Emit(m_szLine);
}

bool CWriteLog::Write(const char* text) { return text && Emit(text); }

CWriteLog& CWriteLog::operator<<(const char* text)
{
    std::snprintf(m_szLine, sizeof m_szLine, "%s", text ? text : "");
    Emit(m_szLine);
    return *this;
}

CWriteLog& CWriteLog::operator<<(const std::string& text) { return *this << text.c_str(); }

CWriteLog& CWriteLog::operator<<(int value)
{
    std::snprintf(m_szLine, sizeof m_szLine, "%d", value);
    Emit(m_szLine);
    return *this;
}

CWriteLog& CWriteLog::operator<<(long value)
{
    std::snprintf(m_szLine, sizeof m_szLine, "%ld", value);
    Emit(m_szLine);
    return *this;
}

CWriteLog& CWriteLog::operator<<(double value)
{
    std::snprintf(m_szLine, sizeof m_szLine, "%f", value);
    Emit(m_szLine);
    return *this;
}

void CWriteLog::RollOver()
{
    char full[kMaxFullName];
    GetFullName(full);
    CloseFile();
    char target[kMaxFullName + 16];
    for (;;) {
        std::snprintf(target, sizeof target, "%s%d", full, m_nRollover);
        if (m_nRollover == 2147483647) return;  // every name taken: write on
        ++m_nRollover;
        if (!FileIsExist(target)) break;
    }
    // A failed rename leaves the old file in place; writing continues there.
    ChangeFileName(full, target);
}

bool CWriteLog::PreWrite()
{
    if (m_eFlag == emLogNone || m_eFlag == emLogStdout) return true;
    if (m_eFlag != emLogFile && m_eFlag != emLogFileAndStdout) return true;
    const unsigned int count = m_nWriteCount++;
    if (count % m_nCheckEvery == 0) {
        int64_t size = 0;
        if (GetFileSize64(size) && size > m_nRolloverBytes) RollOver();
    }
    if (m_file.is_open()) return true;
    return OpenFile(kOut | kApp | kBinary);
}

void CWriteLog::Output(const char* text)
{
    const bool toFile = m_eFlag == emLogFile || m_eFlag == emLogFileAndStdout;
    const bool toStdout = m_eFlag == emLogStdout || m_eFlag == emLogFileAndStdout;
    if (toFile) {
        m_file.clear();
        m_file << text;
    }
    if (toStdout) {
        std::fputs(text, stdout);
        std::fflush(stdout);
    }
    if (toFile) m_file.flush();
}
