// CMyDate: a calendar date kept as a Julian day number.
#include <gravik/datetime.h>

#include "internal/calendar.h"
#include "internal/clock.h"

#include <cstdio>
#include <istream>
#include <ostream>

namespace {

const char* const kMonthFull[] = {"January", "February", "March",     "April",
                                  "May",     "June",     "July",      "August",
                                  "September", "October", "November", "December"};
const char* const kMonthShort[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kDayFull[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                "Thursday", "Friday", "Saturday"};
const char* const kDayShort[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
// One letter each, all distinct: Thursday is "U", Saturday "A".
const char* const kDayLetter[] = {"S", "M", "T", "W", "U", "F", "A"};
const int kDaysPerMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

constexpr int kJulian19000101 = 2415021;

}  // namespace

CMyDate::CMyDate() { SetJulian(kJulian19000101); }

CMyDate::CMyDate(bool now, bool utc)
{
    if (now)
        Today(utc);
    else
        SetJulian(kJulian19000101);
}

CMyDate::CMyDate(const char* text) { *this = text; }
CMyDate::CMyDate(const std::string& text) { *this = text.c_str(); }
CMyDate::CMyDate(int julian) { SetJulian(julian); }
CMyDate::CMyDate(int year, int month, int day) { _Set(day, month, year); }
CMyDate::CMyDate(const CMyDate& other) { SetJulian(other.m_nJulian); }

CMyDate::CMyDate(char c)
{
    if (c != '0') SetJulian(kJulian19000101);
}

CMyDate::~CMyDate() = default;

void CMyDate::Today(bool utc)
{
    const CMyTimeStamp now = gravik::internal::ReadClock(utc);
    _Set(now.day, now.month, now.year);
}

CMyDate& CMyDate::operator=(int julian)
{
    SetJulian(julian);
    return *this;
}

CMyDate& CMyDate::operator=(const char* text)
{
    int nums[3] = {1900, 1, 1};
    char seps[2] = {'\0', '\0'};
    gravik::internal::ScanNumbers(text, 3, nums, seps);
    m_cDateSep = seps[0];
    _Set(nums[2], nums[1], nums[0]);
    return *this;
}

CMyDate& CMyDate::operator=(const std::string& text) { return *this = text.c_str(); }

CMyDate& CMyDate::operator=(const CMyDate& other)
{
    if (this != &other) SetJulian(other.m_nJulian);
    return *this;
}

void CMyDate::SetJulian(long long julian)
{
    m_nJulian = static_cast<int>(gravik::internal::ClampJulian(julian));
    _SplitJulian();
}

void CMyDate::_Set(int day, int month, int year) { SetJulian(_ConvertToJulian(day, month, year)); }

int CMyDate::_ConvertToJulian(int day, int month, int year)
{
    return static_cast<int>(gravik::internal::JulianOf(day, month, year));
}

void CMyDate::_SplitJulian()
{
    const auto c = gravik::internal::SplitJulian(m_nJulian);
    m_nDay = c.day;
    m_nMonth = c.month;
    m_nYear = c.year;
    m_nDayOfWeek = c.dayOfWeek;
}

std::string CMyDate::_ItoS(int value, int width)
{
    char buf[48];
    if (width < 0) width = 0;
    if (width > 32) width = 32;
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    return buf;
}

void CMyDate::AddMonth(int n)
{
    SetJulian(gravik::internal::JulianOf(m_nDay, static_cast<long long>(m_nMonth) + n, m_nYear));
}

void CMyDate::AddYear(int n)
{
    SetJulian(gravik::internal::JulianOf(m_nDay, m_nMonth, static_cast<long long>(m_nYear) + n));
}

bool CMyDate::IsLeapYear() const
{
    if (m_nYear < 1582) return m_nYear % 4 == 0;
    return (m_nYear % 4 == 0 && m_nYear % 100 != 0) || m_nYear % 400 == 0;
}

int CMyDate::LastDay() const
{
    // The Gregorian rule for every year: the dates themselves are Gregorian
    // throughout, and IsLeapYear's older rule before 1582 would name a
    // February 29 that rolls into March.
    const bool leap = (m_nYear % 4 == 0 && m_nYear % 100 != 0) || m_nYear % 400 == 0;
    if (m_nMonth == 2 && leap) return 29;
    return kDaysPerMonth[m_nMonth - 1];
}

CMyDate CMyDate::operator++()
{
    SetJulian(m_nJulian + 1LL);
    return *this;
}

CMyDate CMyDate::operator++(int)
{
    CMyDate old(*this);
    SetJulian(m_nJulian + 1LL);
    return old;
}

CMyDate CMyDate::operator--()
{
    SetJulian(m_nJulian - 1LL);
    return *this;
}

CMyDate CMyDate::operator--(int)
{
    CMyDate old(*this);
    SetJulian(m_nJulian - 1LL);
    return old;
}

const CMyDate& CMyDate::operator+=(int days)
{
    SetJulian(static_cast<long long>(m_nJulian) + days);
    return *this;
}

const CMyDate& CMyDate::operator-=(int days)
{
    SetJulian(static_cast<long long>(m_nJulian) - days);
    return *this;
}

CMyDate CMyDate::operator*(int months) const
{
    CMyDate d(*this);
    d.AddMonth(months);
    return d;
}

CMyDate& CMyDate::operator*=(int months)
{
    AddMonth(months);
    return *this;
}

CMyDate CMyDate::operator^(int years) const
{
    CMyDate d(*this);
    d.AddYear(years);
    return d;
}

CMyDate& CMyDate::operator^=(int years)
{
    AddYear(years);
    return *this;
}

bool CMyDate::operator==(const CMyDate& o) const { return m_nJulian == o.m_nJulian; }
bool CMyDate::operator!=(const CMyDate& o) const { return m_nJulian != o.m_nJulian; }
bool CMyDate::operator>=(const CMyDate& o) const { return m_nJulian >= o.m_nJulian; }
bool CMyDate::operator<=(const CMyDate& o) const { return m_nJulian <= o.m_nJulian; }
bool CMyDate::operator<(const CMyDate& o) const { return m_nJulian < o.m_nJulian; }
bool CMyDate::operator>(const CMyDate& o) const { return m_nJulian > o.m_nJulian; }

bool CMyDate::DateCode(char code, std::string& out) const
{
    switch (code) {
    case 'D': out += _ItoS(m_nDay, 2); return true;
    case 'M': out += _ItoS(m_nMonth, 2); return true;
    case 'Y': out += _ItoS(m_nYear, 2); return true;
    case 'y': {
        const std::string y = _ItoS(m_nYear, 2);
        out += y.size() >= 4 ? y.substr(2, 2) : y.substr(y.size() - 2);
        return true;
    }
    case 'N': out += kMonthFull[m_nMonth - 1]; return true;
    case 'm': out += kMonthShort[m_nMonth - 1]; return true;
    case 'W': out += kDayFull[m_nDayOfWeek]; return true;
    case 'w': out += kDayShort[m_nDayOfWeek]; return true;
    case 'l': out += kDayLetter[m_nDayOfWeek]; return true;
    default: return false;
    }
}

std::string CMyDate::Format(std::string pattern) const
{
    // A single left-to-right pass gives what repeatedly replacing the first
    // "%" would, since no substituted value contains "%".
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            out += pattern[i];
            continue;
        }
        if (i + 1 < pattern.size()) DateCode(pattern[i + 1], out);
        ++i;
    }
    return out;
}

std::string CMyDate::Format(std::string pattern, char sep) const
{
    std::string out;
    bool lastWasCode = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            std::string value;
            if (DateCode(pattern[i + 1], value)) {
                if (lastWasCode && sep != '\0') out += sep;
                out += value;
                lastWasCode = true;
                ++i;
                continue;
            }
        }
        out += pattern[i];
        lastWasCode = false;
    }
    return out;
}

CMyDate operator+(const CMyDate& d, int days)
{
    CMyDate r(d);
    r += days;
    return r;
}

CMyDate operator-(const CMyDate& d, int days)
{
    CMyDate r(d);
    r -= days;
    return r;
}

int operator-(const CMyDate& a, const CMyDate& b) { return a.Julian() - b.Julian(); }

std::ostream& operator<<(std::ostream& os, const CMyDate& d)
{
    return os << d.CMyDate::Format("%Y-%M-%D");
}

std::istream& operator>>(std::istream& is, CMyDate& d)
{
    std::string word;
    if (is >> word) d = word;
    return is;
}
