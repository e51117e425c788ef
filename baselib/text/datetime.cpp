// CMyDatetime: a date with a time of day down to the millisecond.
#include <gravik/datetime.h>

#include "internal/calendar.h"
#include "internal/clock.h"

#include <cstdio>
#include <istream>
#include <ostream>

using gravik::internal::FloorDiv;
using gravik::internal::kMaxJulian;
using gravik::internal::kMsPerDay;

namespace {

int ToInt(long long v) { return v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : static_cast<int>(v)); }

}  // namespace

CMyDatetime::CMyDatetime() = default;

CMyDatetime::CMyDatetime(bool now, bool utc)
{
    if (now) Now(utc);
}

CMyDatetime::CMyDatetime(int year, int month, int day, int hour, int minute, int second,
                         int millisecond)
{
    CMyTimeStamp ts(year, month, day, hour, minute, second, millisecond);
    Assign(ts);
}

CMyDatetime::CMyDatetime(CMyTimeStamp& ts) { Assign(ts); }
CMyDatetime::CMyDatetime(const char* text) { Parse(text); }
CMyDatetime::CMyDatetime(const std::string& text) { Parse(text.c_str()); }

CMyDatetime::CMyDatetime(const CMyDatetime& other) : CMyDate(other)
{
    SetTotal(other.TotalMilliSec());
}

CMyDatetime::~CMyDatetime() = default;

CMyDatetime& CMyDatetime::operator=(CMyTimeStamp& ts)
{
    Assign(ts);
    return *this;
}

CMyDatetime& CMyDatetime::operator=(const char* text)
{
    Parse(text);
    return *this;
}

CMyDatetime& CMyDatetime::operator=(const std::string& text)
{
    Parse(text.c_str());
    return *this;
}

CMyDatetime& CMyDatetime::operator=(const CMyDatetime& other)
{
    if (this != &other) SetTotal(other.TotalMilliSec());
    return *this;
}

void CMyDatetime::Parse(const char* text)
{
    int n[7] = {1900, 1, 1, 0, 0, 0, 0};
    char seps[6] = {};
    gravik::internal::ScanNumbers(text, 7, n, seps);
    m_cDateSep = seps[0];
    m_cTimeSep = seps[3];
    CMyTimeStamp ts(n[0], n[1], n[2], n[3], n[4], n[5], n[6]);
    Assign(ts);
}

void CMyDatetime::Assign(CMyTimeStamp& ts)
{
    // Borrow for negative parts, smallest unit first, then carry upward; all
    // in 64 bits so that no combination of int inputs overflows.
    long long ms = ts.millisecond, s = ts.second, mi = ts.minute, h = ts.hour, d = ts.day;
    auto borrow = [](long long& low, long long& high, long long base) {
        if (low < 0) {
            const long long k = (-low + base - 1) / base;
            low += k * base;
            high -= k;
        }
    };
    borrow(ms, s, 1000);
    borrow(s, mi, 60);
    borrow(mi, h, 60);
    borrow(h, d, 24);
    s += ms / 1000;
    ms %= 1000;
    mi += s / 60;
    s %= 60;
    h += mi / 60;
    mi %= 60;
    d += h / 24;
    h %= 24;
    const long long julian = gravik::internal::JulianOf(d, ts.month, ts.year);
    SetTotal(julian * kMsPerDay + ((h * 60 + mi) * 60 + s) * 1000 + ms);
    GetTimeStamp(ts);
}

long long CMyDatetime::TotalMilliSec() const
{
    return static_cast<long long>(m_nJulian) * kMsPerDay +
           ((m_nHour * 60LL + m_nMinute) * 60 + m_nSecond) * 1000 + m_nMilliSec;
}

void CMyDatetime::SetTotal(long long ms)
{
    const long long maxMs = (kMaxJulian + 1) * kMsPerDay - 1;
    if (ms < 0) ms = 0;
    if (ms > maxMs) ms = maxMs;
    SetJulian(FloorDiv(ms, kMsPerDay));
    long long tod = ms - static_cast<long long>(m_nJulian) * kMsPerDay;
    m_nMilliSec = static_cast<int>(tod % 1000);
    tod /= 1000;
    m_nSecond = static_cast<int>(tod % 60);
    tod /= 60;
    m_nMinute = static_cast<int>(tod % 60);
    m_nHour = static_cast<int>(tod / 60);
}

void CMyDatetime::Now(bool utc)
{
    CMyTimeStamp now = gravik::internal::ReadClock(utc);
    Assign(now);
}

CMyTime2Int CMyDatetime::Get2Int() const
{
    const unsigned int packed = (static_cast<unsigned int>(m_nHour) << 26) |
                                (static_cast<unsigned int>(m_nMinute) << 20) |
                                (static_cast<unsigned int>(m_nSecond) << 14) |
                                static_cast<unsigned int>(m_nMilliSec);
    return CMyTime2Int(m_nJulian, packed);
}

void CMyDatetime::SetBy2Int(CMyTime2Int value)
{
    const long long h = value.time >> 26;
    const long long mi = (value.time >> 20) & 0x3F;
    const long long s = (value.time >> 14) & 0x3F;
    const long long ms = value.time & 0x3FFF;
    SetTotal(gravik::internal::ClampJulian(value.julian) * kMsPerDay +
             ((h * 60 + mi) * 60 + s) * 1000 + ms);
}

void CMyDatetime::GetTimeStamp(CMyTimeStamp& ts) const
{
    ts = CMyTimeStamp(m_nYear, m_nMonth, m_nDay, m_nHour, m_nMinute, m_nSecond, m_nMilliSec);
}

void CMyDatetime::AddHour(int n) { SetTotal(TotalMilliSec() + n * 3600000LL); }
void CMyDatetime::AddMinute(int n) { SetTotal(TotalMilliSec() + n * 60000LL); }
void CMyDatetime::AddSecond(int n) { SetTotal(TotalMilliSec() + n * 1000LL); }
void CMyDatetime::AddMilliSec(int n) { SetTotal(TotalMilliSec() + n); }
void CMyDatetime::DevHour(int n) { SetTotal(TotalMilliSec() - n * 3600000LL); }
void CMyDatetime::DevMinute(int n) { SetTotal(TotalMilliSec() - n * 60000LL); }
void CMyDatetime::DevSecond(int n) { SetTotal(TotalMilliSec() - n * 1000LL); }
void CMyDatetime::DevMilliSec(int n) { SetTotal(TotalMilliSec() - static_cast<long long>(n)); }

CMyDatetime CMyDatetime::operator++()
{
    *this += 1;
    return *this;
}

CMyDatetime CMyDatetime::operator++(int)
{
    CMyDatetime old(*this);
    *this += 1;
    return old;
}

CMyDatetime CMyDatetime::operator--()
{
    *this -= 1;
    return *this;
}

CMyDatetime CMyDatetime::operator--(int)
{
    CMyDatetime old(*this);
    *this -= 1;
    return old;
}

CMyDatetime CMyDatetime::operator*(int months) const
{
    CMyDatetime d(*this);
    d.AddMonth(months);
    return d;
}

CMyDatetime CMyDatetime::operator^(int years) const
{
    CMyDatetime d(*this);
    d.AddYear(years);
    return d;
}

bool CMyDatetime::operator==(const CMyDatetime& o) const
{
    return TotalMilliSec() == o.TotalMilliSec();
}
bool CMyDatetime::operator!=(const CMyDatetime& o) const { return !(*this == o); }
bool CMyDatetime::operator<(const CMyDatetime& o) const
{
    return TotalMilliSec() < o.TotalMilliSec();
}
bool CMyDatetime::operator>(const CMyDatetime& o) const
{
    return TotalMilliSec() > o.TotalMilliSec();
}
bool CMyDatetime::operator>=(const CMyDatetime& o) const { return !(*this < o); }
bool CMyDatetime::operator<=(const CMyDatetime& o) const { return !(*this > o); }

std::string CMyDatetime::Format(std::string pattern) const
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            out += pattern[i];
            continue;
        }
        if (i + 1 < pattern.size()) {
            switch (pattern[i + 1]) {
            case 'H': case 'h': out += _ItoS(m_nHour, 2); break;
            case 'U': case 'u': out += _ItoS(m_nMinute, 2); break;
            case 'S': case 's': out += _ItoS(m_nSecond, 2); break;
            case 'R': case 'r': out += _ItoS(m_nMilliSec, 3); break;
            default: DateCode(pattern[i + 1], out); break;
            }
        }
        ++i;
    }
    return out;
}

CMyDatetime operator+(const CMyDatetime& d, int days)
{
    CMyDatetime r(d);
    r += days;
    return r;
}

CMyDatetime operator-(const CMyDatetime& d, int days)
{
    CMyDatetime r(d);
    r -= days;
    return r;
}

std::ostream& operator<<(std::ostream& os, const CMyDatetime& d)
{
    return os << d.Format("%Y-%M-%D %H:%U:%S:%R");
}

std::istream& operator>>(std::istream& is, CMyDatetime& d)
{
    std::string word;
    if (is >> word) d = word;
    return is;
}

// ---- intervals ----

int64_t IntervalMilliSec(const CMyDatetime& a, const CMyDatetime& b)
{
    return a.TotalMilliSec() - b.TotalMilliSec();
}

int IntervalSec(const CMyDatetime& a, const CMyDatetime& b, bool round)
{
    if (a < b) return -IntervalSec(b, a, round);
    if (round) {
        const long long d = IntervalMilliSec(a, b);
        return ToInt(d / 1000 + (d % 1000 >= 500 ? 1 : 0));
    }
    // Whole-second parts only: the millisecond fields do not count.
    const long long as = (a.TotalMilliSec() - a.MilliSecond()) / 1000;
    const long long bs = (b.TotalMilliSec() - b.MilliSecond()) / 1000;
    return ToInt(as - bs);
}

int IntervalMin(const CMyDatetime& a, const CMyDatetime& b)
{
    return ToInt(IntervalMilliSec(a, b) / 60000);
}

int IntervalHour(const CMyDatetime& a, const CMyDatetime& b)
{
    return ToInt(IntervalMilliSec(a, b) / 3600000);
}

int IntervalAll(const CMyDatetime& a, const CMyDatetime& b, int& days, int& hours, int& minutes,
                int& seconds, int& milliseconds)
{
    long long d = IntervalMilliSec(a, b);
    const int sign = d >= 0 ? 1 : -1;
    if (d < 0) d = -d;
    days = ToInt(d / kMsPerDay);
    d %= kMsPerDay;
    milliseconds = static_cast<int>(d % 1000);
    d /= 1000;
    seconds = static_cast<int>(d % 60);
    d /= 60;
    minutes = static_cast<int>(d % 60);
    hours = static_cast<int>(d / 60);
    return sign;
}

std::string IntervalStr(const CMyDatetime& a, const CMyDatetime& b)
{
    int d, h, m, s, ms;
    const int sign = IntervalAll(a, b, d, h, m, s, ms);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%d %02d:%02d:%02d:%03d", sign < 0 ? "- " : "", d, h, m, s,
                  ms);
    return buf;
}
