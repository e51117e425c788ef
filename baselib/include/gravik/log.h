// libGravik - log files.
//
// CWriteLog appends lines to one file and/or standard output, filtered by a
// numeric level, and moves a file that has grown past 1 GiB aside (to
// "<name>0", "<name>1", ... whichever is free) before writing on in a new one.
// The size is checked on the first write that needs the file and then every
// 10000th, always before a line is written, so no line is ever split between
// two files. No line end is added: end the format with "\n".
//
// A formatted line longer than the line buffer (4096 bytes, time prefix
// included) is cut to fit; when the full line ended with a line feed the cut
// line keeps it, so the next line still starts on a line of its own.
//
// CWriteDateLog writes one file per day, "<prefix><YYYY-MM-DD>.<extension>"
// in its folder, switches to the next day's file on the first write after
// midnight and then deletes the files of days older than the reserved days.
// Only names of exactly that shape are deleted: the prefix, a date of the form
// dddd-dd-dd, ".", the extension.
//
// Times and dates come from the library's clock (gravik::SetClock).
//
// No locking: a log object is used by one thread at a time. Objects on
// different threads are independent; the time text of GetCurrTime is kept per
// thread, so they never share a buffer.
#ifndef GRAVIK_LOG_H
#define GRAVIK_LOG_H

#include <gravik/export.h>
#include <gravik/file.h>

#include <cstdarg>
#include <cstdint>
#include <string>

#if defined(__GNUC__)
#  define GRAVIK_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#  define GRAVIK_PRINTF(fmt, args)
#endif

enum emLogFlag { emLogNone = 0, emLogFile = 1, emLogStdout = 2, emLogFileAndStdout = 3 };

class GRAVIK_API CWriteLog : public CMyFile {
public:
    static constexpr int kLineSize = 4096;
    static constexpr int64_t kRolloverBytes = int64_t(1) << 30;
    static constexpr unsigned int kRolloverCheckEvery = 10000;

    CWriteLog();  // no name yet ("tempfile~" in the current folder), file output, level 10
    explicit CWriteLog(const char* fullName);
    ~CWriteLog() override;

    void SetOutFlag(emLogFlag flag);
    void SetLogLevel(unsigned int level);  // messages above it are not written
    unsigned int GetLogLevel();

    // The local time as "YYYY-MM-DD HH:MM:SS.mmm" in m_szTodayTime (this
    // thread's copy), which it returns.
    static const char* GetCurrTime();
    static thread_local char m_szTodayTime[32];

    // "[time]  message". False when the file was needed and could not be
    // opened or written (the line is then lost; the next write tries again).
    bool WriteLog(const char* format, ...) GRAVIK_PRINTF(2, 3);
    // As above; a level above the log level writes nothing and returns true.
    bool WriteLog(unsigned int level, const char* format, ...) GRAVIK_PRINTF(3, 4);
    // "[time][id:level] message" (id and level as two digits at least).
    bool WriteLog(unsigned int id, unsigned int level, const char* format, ...)
        GRAVIK_PRINTF(4, 5);
    // The text as it is, without time or level.
    bool Write(const char* text);
    CWriteLog& operator<<(const char* text);
    CWriteLog& operator<<(const std::string& text);
    CWriteLog& operator<<(int value);
    CWriteLog& operator<<(long value);
    CWriteLog& operator<<(double value);  // "%f"

protected:
    // Makes the file ready: rollover check, then open in mode 0x2A.
    virtual bool PreWrite();
    // Writes to the file (flushed) and/or standard output, by the flag.
    virtual void Output(const char* text);
    // For tests of the rollover: a smaller limit and check interval.
    void SetRolloverForTest(int64_t limitBytes, unsigned int checkEvery);

    char m_szLine[kLineSize];
    emLogFlag m_eFlag;
    unsigned int m_nWriteCount;
    unsigned int m_nLogLevel;
    int m_nRollover;

private:
    bool Emit(const char* text);
    void FormatLine(const char* prefix, const char* format, va_list args);
    void RollOver();

    int64_t m_nRolloverBytes;
    unsigned int m_nCheckEvery;
};

class GRAVIK_API CWriteDateLog : public CWriteLog {
public:
    // Prefix "temp~", extension "log", in the folder of the executable.
    explicit CWriteDateLog(int reservedDays = 7);
    // Prefix up to 99 bytes, extension up to 19 (longer ones are refused and
    // the defaults kept).
    CWriteDateLog(const char* prefix, const char* extension, int reservedDays);
    ~CWriteDateLog() override;

    void SetPreFileName(const char* prefix);
    void SetExtFileName(const char* extension);
    void SetReservedDays(int days);  // 0 or less keeps every file

    // Not supported: print a message on standard output, change nothing.
    void SetFileName(const char* name) override;
    void SetFullName(const char* fullName) override;
    // The name of today's file (with the folder for GetFullName).
    void GetFileName(char* out) override;
    void GetFullName(char* out) override;

    // Closes the file and deletes the files of days before today minus the
    // reserved days (nothing when the reserved days are 0 or less).
    void DeleteOldLog();

protected:
    void OpenInit() override;
    bool PreWrite() override;
    void SetTodayTime();
    // Refreshes today; true when it is the same day as before.
    bool IsToday();

    char m_szPrefix[100];
    char m_szExt[20];
    char m_szToday[20];
    int m_nReservedDays;

private:
    void BuildName();
};

#endif  // GRAVIK_LOG_H
