// libGravik - date and time values.
//
// CMyDate holds a calendar date as a Julian day number; CMyDatetime adds a
// time of day down to the millisecond. CMyTimeStamp and CMyTime2Int carry a
// moment in other shapes; the global Interval* functions measure differences.
// The calendar is the Gregorian one throughout (also before 1582, except for
// IsLeapYear, which applies the Julian rule before 1582).
//
// Ranges: Julian days 0 (24 November 4714 BC, year -4713) to 1,073,741,823
// (about year 2,935,000). Every computation is done in 64 bits and its result
// clamped to that range, so no input overflows or leaves it.
//
// Out-of-range parts roll over: day 32 of January is February 1, day 0 of
// January is December 31 of the year before, month 13 is January of the next
// year, month -2 is October of the year before; hours, minutes, seconds and
// milliseconds carry into the larger units and the date, and borrow from them.
//
// Decisions:
// - Parsing reads "%d%c%d%c%d" (date) or seven numbers (date and time) the way
//   sscanf would, but without its undefined behaviour on overflowing numbers
//   (they are clamped to the int range). Numbers not read take the values of
//   the default moment, 1900-01-01 00:00:00.000. The separator of an object
//   that never parsed text, or whose text had none, is '\0'; a date separator
//   is the character after the year, a time separator the one after the hour.
// - Format(pattern, sep) substitutes the date codes of CMyDate::Format(pattern)
//   once each from left to right and leaves unknown codes (with their "%") in
//   place; when sep is not '\0' it is inserted between two codes that follow
//   each other directly: Format("%Y%M%D", '-') gives "2024-03-15".
// - %y gives the third and fourth characters of the year text ("%02d"), or
//   its last two characters when the text is shorter than four.
// - operator>> reads one whitespace-delimited word, also for CMyDatetime: the
//   time that operator<< writes after a space is not read back, and the time
//   fields take 00:00:00.000.
// - Interval results beyond the int range are clamped to it.
//
// Threads: objects are not locked; use one object from one thread at a time.
// The clock hook is process-wide and may be swapped from any thread.
#ifndef GRAVIK_DATETIME_H
#define GRAVIK_DATETIME_H

#include <gravik/export.h>

#include <cstdint>
#include <iosfwd>
#include <string>

// A moment as seven numbers. Any values are accepted; assigning it to a
// CMyDatetime normalises it (and the structure itself) into a real moment.
struct GRAVIK_API CMyTimeStamp {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    CMyTimeStamp() = default;
    CMyTimeStamp(int y, int mo, int d, int h, int mi, int s, int ms)
        : year(y), month(mo), day(d), hour(h), minute(mi), second(s), millisecond(ms) {}
};

// A moment as two numbers: the Julian day and the time of day packed as hour
// (bits 31-26), minute (25-20), second (19-14), millisecond (13-0). Ordered
// chronologically by day, then by the packed time.
struct GRAVIK_API CMyTime2Int {
    int julian = 0;
    unsigned int time = 0;

    CMyTime2Int() = default;
    CMyTime2Int(int j, unsigned int t) : julian(j), time(t) {}

    bool operator==(const CMyTime2Int& o) const { return julian == o.julian && time == o.time; }
    bool operator!=(const CMyTime2Int& o) const { return !(*this == o); }
    bool operator<(const CMyTime2Int& o) const
    {
        return julian != o.julian ? julian < o.julian : time < o.time;
    }
    bool operator>(const CMyTime2Int& o) const { return o < *this; }
    bool operator<=(const CMyTime2Int& o) const { return !(o < *this); }
    bool operator>=(const CMyTime2Int& o) const { return !(*this < o); }
};

namespace gravik {

// Reads the clock into `now`: UTC when `utc`, else local time. The library
// reads the clock only through the installed function, so tests can fix "now".
using ClockFunction = void (*)(CMyTimeStamp& now, bool utc);
// Installs `clock` (nullptr: the system clock) and returns the previous one.
GRAVIK_API ClockFunction SetClock(ClockFunction clock);
// The system clock (realtime clock, broken down with gmtime_r/localtime_r).
GRAVIK_API void SystemClock(CMyTimeStamp& now, bool utc);

}  // namespace gravik

// A calendar date. Day 1-31, month 1-12, day of week 0 (Sunday) to 6.
class GRAVIK_API CMyDate {
public:
    CMyDate();  // 1900-01-01, Julian day 2415021
    CMyDate(bool now, bool utc);
    explicit CMyDate(const char* text);  // "2024-03-15", "2024/3/5": any separator
    explicit CMyDate(const std::string& text);
    explicit CMyDate(int julian);
    CMyDate(int year, int month, int day);
    CMyDate(const CMyDate& other);  // copies the Julian day only
    virtual ~CMyDate();

    // Codes %D %M %Y %y %N %m %W %w %l (see CMyDatetime::Format).
    virtual std::string Format(std::string pattern, char sep) const;
    virtual std::string Format(std::string pattern) const;
    // Compare Julian days.
    virtual bool operator==(const CMyDate& o) const;
    virtual bool operator!=(const CMyDate& o) const;
    virtual bool operator>=(const CMyDate& o) const;
    virtual bool operator<=(const CMyDate& o) const;
    virtual bool operator<(const CMyDate& o) const;
    virtual bool operator>(const CMyDate& o) const;

    void Today(bool utc);
    CMyDate& operator=(int julian);
    CMyDate& operator=(const char* text);
    CMyDate& operator=(const std::string& text);
    CMyDate& operator=(const CMyDate& other);  // the Julian day only

    int Julian() const { return m_nJulian; }
    int Day() const { return m_nDay; }
    int Month() const { return m_nMonth; }
    int Year() const { return m_nYear; }
    int DayOfWeek() const { return m_nDayOfWeek; }
    char DateSeparator() const { return m_cDateSep; }

    // Month and day numbers are kept, not clamped: January 31 + 1 month is
    // March 3 (March 2 in a leap year); February 29 + 1 year is March 1.
    void AddMonth(int n);
    void AddYear(int n);
    // Before 1582 every year divisible by 4; from 1582 the Gregorian rule.
    bool IsLeapYear() const;
    // Days of the date's month, by the Gregorian rule in every year (the
    // calendar the dates are computed in).
    int LastDay() const;

    CMyDate operator++();     // one day later, the new value
    CMyDate operator++(int);  // one day later, the old value
    CMyDate operator--();
    CMyDate operator--(int);
    const CMyDate& operator+=(int days);
    const CMyDate& operator-=(int days);
    CMyDate operator*(int months) const;
    CMyDate& operator*=(int months);
    CMyDate operator^(int years) const;
    CMyDate& operator^=(int years);

protected:
    explicit CMyDate(char c);  // 1900-01-01 unless c is '0' (nothing set)
    void _Set(int day, int month, int year);
    static int _ConvertToJulian(int day, int month, int year);
    void _SplitJulian();
    static std::string _ItoS(int value, int width);
    void SetJulian(long long julian);  // clamps, then splits
    // Appends the value of a date code; false when the code is unknown.
    bool DateCode(char code, std::string& out) const;

    int m_nJulian = 0;
    int m_nDay = 0;
    int m_nMonth = 0;
    int m_nYear = 0;
    int m_nDayOfWeek = 0;
    char m_cDateSep = '\0';
};

GRAVIK_API CMyDate operator+(const CMyDate& d, int days);
GRAVIK_API CMyDate operator-(const CMyDate& d, int days);
GRAVIK_API int operator-(const CMyDate& a, const CMyDate& b);  // days from b to a
GRAVIK_API std::ostream& operator<<(std::ostream& os, const CMyDate& d);  // %Y-%M-%D
GRAVIK_API std::istream& operator>>(std::istream& is, CMyDate& d);

// A date with a time of day: hour 0-23, minute 0-59, second 0-59,
// millisecond 0-999. Date operations act on the date and keep the time.
class GRAVIK_API CMyDatetime : public CMyDate {
public:
    CMyDatetime();  // 1900-01-01 00:00:00.000
    CMyDatetime(bool now, bool utc);
    CMyDatetime(int year, int month, int day, int hour, int minute, int second,
                int millisecond);
    explicit CMyDatetime(CMyTimeStamp& ts);  // ts is normalised in place too
    // "2024-03-15 08:30:00:250": year, date sep, month, date sep, day, any one
    // character, hour, time sep, minute, time sep, second, time sep, millisecond.
    explicit CMyDatetime(const char* text);
    explicit CMyDatetime(const std::string& text);
    CMyDatetime(const CMyDatetime& other);
    ~CMyDatetime() override;

    // Codes of CMyDate plus %H/%h hour, %U/%u minute, %S/%s second (2 digits)
    // and %R/%r millisecond (3 digits). Unknown codes, a lone "%" at the end
    // and "%%" are deleted.
    std::string Format(std::string pattern) const override;
    using CMyDate::Format;
    using CMyDate::operator==;
    using CMyDate::operator!=;
    using CMyDate::operator>=;
    using CMyDate::operator<=;
    using CMyDate::operator<;
    using CMyDate::operator>;
    // Compare day, hour, minute, second and millisecond.
    virtual bool operator==(const CMyDatetime& o) const;
    virtual bool operator!=(const CMyDatetime& o) const;
    virtual bool operator>=(const CMyDatetime& o) const;
    virtual bool operator<=(const CMyDatetime& o) const;
    virtual bool operator<(const CMyDatetime& o) const;
    virtual bool operator>(const CMyDatetime& o) const;

    CMyDatetime& operator=(CMyTimeStamp& ts);
    CMyDatetime& operator=(const char* text);
    CMyDatetime& operator=(const std::string& text);
    CMyDatetime& operator=(const CMyDatetime& other);

    void Now(bool utc);
    int Hour() const { return m_nHour; }
    int Minute() const { return m_nMinute; }
    int Second() const { return m_nSecond; }
    int MilliSecond() const { return m_nMilliSec; }
    char TimeSeparator() const { return m_cTimeSep; }

    CMyTime2Int Get2Int() const;
    void SetBy2Int(CMyTime2Int value);  // out-of-range packed fields carry over
    void GetTimeStamp(CMyTimeStamp& ts) const;

    // Add with carry (a negative argument subtracts).
    void AddHour(int n);
    void AddMinute(int n);
    void AddSecond(int n);
    void AddMilliSec(int n);
    // Subtract with borrow (a negative argument adds).
    void DevHour(int n);
    void DevMinute(int n);
    void DevSecond(int n);
    void DevMilliSec(int n);

    CMyDatetime operator++();
    CMyDatetime operator++(int);
    CMyDatetime operator--();
    CMyDatetime operator--(int);
    CMyDatetime operator*(int months) const;
    CMyDatetime operator^(int years) const;

    // Milliseconds since Julian day 0 at midnight.
    long long TotalMilliSec() const;

private:
    void SetTotal(long long ms);
    void Parse(const char* text);
    void Assign(CMyTimeStamp& ts);

    int m_nHour = 0;
    int m_nMinute = 0;
    int m_nSecond = 0;
    int m_nMilliSec = 0;
    char m_cTimeSep = '\0';
};

GRAVIK_API CMyDatetime operator+(const CMyDatetime& d, int days);
GRAVIK_API CMyDatetime operator-(const CMyDatetime& d, int days);
GRAVIK_API std::ostream& operator<<(std::ostream& os, const CMyDatetime& d);
GRAVIK_API std::istream& operator>>(std::istream& is, CMyDatetime& d);

// Intervals measured from b to a (negative when a is earlier).
GRAVIK_API int64_t IntervalMilliSec(const CMyDatetime& a, const CMyDatetime& b);
// Whole seconds. Without rounding only the second fields and above count; with
// rounding a remaining 500 ms or more counts one more second. When a is
// earlier: minus the interval from a to b.
GRAVIK_API int IntervalSec(const CMyDatetime& a, const CMyDatetime& b, bool round);
GRAVIK_API int IntervalMin(const CMyDatetime& a, const CMyDatetime& b);   // truncated
GRAVIK_API int IntervalHour(const CMyDatetime& a, const CMyDatetime& b);  // truncated
// Splits |a - b| into days, hours, minutes, seconds, milliseconds; returns 1
// when a >= b, else -1.
GRAVIK_API int IntervalAll(const CMyDatetime& a, const CMyDatetime& b, int& days, int& hours,
                           int& minutes, int& seconds, int& milliseconds);
// "%d %02d:%02d:%02d:%03d", prefixed with "- " when a is earlier.
GRAVIK_API std::string IntervalStr(const CMyDatetime& a, const CMyDatetime& b);

#endif  // GRAVIK_DATETIME_H
