// Dates and times: Julian arithmetic, carries, formatting, parsing, intervals.
#include <gravik/datetime.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

std::string Ymd(const CMyDate& d) { return d.Format("%Y-%M-%D"); }
std::string Full(const CMyDatetime& d) { return d.Format("%Y-%M-%D %H:%U:%S.%R"); }

// A fixed "now" for the clock hook.
CMyTimeStamp g_fixedLocal(2024, 2, 29, 23, 59, 58, 750);
CMyTimeStamp g_fixedUtc(2024, 3, 1, 4, 59, 58, 750);
void FixedClock(CMyTimeStamp& now, bool utc) { now = utc ? g_fixedUtc : g_fixedLocal; }

class FixedClockTest : public ::testing::Test {
protected:
    void SetUp() override { m_previous = gravik::SetClock(FixedClock); }
    void TearDown() override { gravik::SetClock(m_previous); }
    gravik::ClockFunction m_previous = nullptr;
};

}  // namespace

TEST(Date, DefaultsAndKnownDays)
{
    CMyDate d;
    EXPECT_EQ(Ymd(d), "1900-01-01");
    EXPECT_EQ(d.Julian(), 2415021);
    EXPECT_EQ(d.DayOfWeek(), 1);

    CMyDate y2k(2000, 1, 1);
    EXPECT_EQ(y2k.Julian(), 2451545);
    EXPECT_EQ(y2k.DayOfWeek(), 6);
    EXPECT_EQ(Ymd(CMyDate(2451545)), "2000-01-01");
    EXPECT_EQ(CMyDate(1970, 1, 1).Julian(), 2440588);
    EXPECT_EQ(CMyDate(1970, 1, 1).DayOfWeek(), 4);
}

TEST(Date, RollOverOfDaysAndMonths)
{
    struct Case {
        int y, m, d;
        const char* result;
    } cases[] = {
        {2024, 1, 32, "2024-02-01"}, {2024, 1, 0, "2023-12-31"},  {2024, 13, 1, "2025-01-01"},
        {2024, -2, 1, "2023-10-01"}, {2024, 0, 15, "2023-12-15"}, {2024, 15, 1, "2025-03-01"},
        {2024, 27, 1, "2026-03-01"}, {2024, -12, 1, "2022-12-01"}, {2023, 2, 29, "2023-03-01"},
        {2024, 2, 30, "2024-03-01"}, {2024, 3, -365, "2023-03-01"}, {2000, 2, 29, "2000-02-29"},
        {1900, 2, 29, "1900-03-01"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Ymd(CMyDate(c.y, c.m, c.d)), c.result) << c.y << "/" << c.m << "/" << c.d;
}

TEST(Date, JulianRoundTripOverAWideRange)
{
    // Every day from 4700 BC to AD 4000, and a sparser sweep up to the top of
    // the range: splitting and recomputing gives the same day, and days follow
    // each other without gaps.
    CMyDate previous(0);
    EXPECT_EQ(previous.Year(), -4713);
    EXPECT_EQ(previous.Month(), 11);
    EXPECT_EQ(previous.Day(), 24);
    for (int j = 1; j < 3182030; ++j) {
        CMyDate d(j);
        ASSERT_EQ(CMyDate(d.Year(), d.Month(), d.Day()).Julian(), j);
        ASSERT_EQ(d.DayOfWeek(), (previous.DayOfWeek() + 1) % 7);
        if (d.Day() != 1) {
            ASSERT_EQ(d.Day(), previous.Day() + 1) << j;
        } else {
            ASSERT_EQ(previous.Day(), previous.LastDay()) << j;
        }
        previous = d;
    }
    for (long long j = 3182030; j < (1LL << 30); j += 9973) {
        CMyDate d(static_cast<int>(j));
        ASSERT_EQ(CMyDate(d.Year(), d.Month(), d.Day()).Julian(), j);
    }
}

TEST(Date, RangeIsClamped)
{
    EXPECT_EQ(CMyDate(-5).Julian(), 0);
    EXPECT_EQ(CMyDate(2147483647).Julian(), (1 << 30) - 1);
    EXPECT_EQ(CMyDate(-2147483647, 1, 1).Julian(), 0);
    EXPECT_EQ(CMyDate(2147483647, 2147483647, 2147483647).Julian(), (1 << 30) - 1);
    CMyDate d(0);
    d -= 10;
    EXPECT_EQ(d.Julian(), 0);
    d += 2147483647;
    EXPECT_EQ(d.Julian(), (1 << 30) - 1);
    d.AddYear(2147483647);
    EXPECT_EQ(d.Julian(), (1 << 30) - 1);
}

TEST(Date, LeapYearsAndLastDay)
{
    struct Case {
        int year;
        bool leap;
    } cases[] = {{1900, false}, {2000, true}, {1500, true}, {2023, false}, {2024, true},
                 {1582, false}, {1584, true}, {1700, false}, {-4, true}};
    for (const Case& c : cases) EXPECT_EQ(CMyDate(c.year, 6, 1).IsLeapYear(), c.leap) << c.year;

    // In any order of calls.
    EXPECT_EQ(CMyDate(2024, 2, 10).LastDay(), 29);
    EXPECT_EQ(CMyDate(2023, 2, 10).LastDay(), 28);
    EXPECT_EQ(CMyDate(2024, 2, 10).LastDay(), 29);
    EXPECT_EQ(CMyDate(2023, 4, 10).LastDay(), 30);
    EXPECT_EQ(CMyDate(2023, 12, 10).LastDay(), 31);

    // LastDay follows the calendar the dates are computed in, so that the
    // last day of a month is a day of that month: 1500 is a leap year by the
    // old rule, but its February 29 is March 1 in the calendar of the dates.
    EXPECT_EQ(CMyDate(1500, 2, 1).LastDay(), 28);
    EXPECT_EQ(Ymd(CMyDate(1500, 2, 29)), "1500-03-01");
    EXPECT_EQ(CMyDate(1200, 2, 1).LastDay(), 29);
}

TEST(Date, AddMonthsAndYears)
{
    struct Case {
        int y, m, d;
        int months;
        int years;
        const char* result;
    } cases[] = {
        {2023, 1, 31, 1, 0, "2023-03-03"},   {2024, 1, 31, 1, 0, "2024-03-02"},
        {2023, 1, 31, -1, 0, "2022-12-31"},  {2023, 1, 31, 12, 0, "2024-01-31"},
        {2023, 11, 15, 2, 0, "2024-01-15"},  {2023, 12, 15, 13, 0, "2025-01-15"},
        {2023, 3, 15, -3, 0, "2022-12-15"},  {2023, 3, 15, -15, 0, "2021-12-15"},
        {2024, 2, 29, 0, 1, "2025-03-01"},   {2024, 2, 29, 0, 4, "2028-02-29"},
        {2024, 2, 29, 0, -100, "1924-02-29"},
    };
    for (const Case& c : cases) {
        CMyDate d(c.y, c.m, c.d);
        d.AddMonth(c.months);
        d.AddYear(c.years);
        EXPECT_EQ(Ymd(d), c.result);
        CMyDate e(c.y, c.m, c.d);
        EXPECT_EQ(Ymd((e * c.months) ^ c.years), c.result);
        e *= c.months;
        e ^= c.years;
        EXPECT_EQ(Ymd(e), c.result);
    }
}

TEST(Date, DayArithmeticAndComparison)
{
    EXPECT_EQ(CMyDate(2024, 3, 1) - CMyDate(2024, 2, 1), 29);
    EXPECT_EQ(CMyDate(2023, 3, 1) - CMyDate(2024, 3, 1), -366);
    EXPECT_EQ(Ymd(CMyDate(2023, 12, 31) + 1), "2024-01-01");
    EXPECT_EQ(Ymd(CMyDate(2024, 3, 1) - 1), "2024-02-29");

    CMyDate d(2024, 12, 31);
    EXPECT_EQ(Ymd(d++), "2024-12-31");
    EXPECT_EQ(Ymd(d), "2025-01-01");
    EXPECT_EQ(Ymd(--d), "2024-12-31");
    EXPECT_EQ(Ymd(d--), "2024-12-31");
    EXPECT_EQ(Ymd(++d), "2024-12-31");

    const CMyDate a(2024, 5, 1), b(2024, 5, 2);
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(a <= b);
    EXPECT_TRUE(b > a);
    EXPECT_TRUE(b >= a);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a == CMyDate(2024, 4, 31));
}

TEST(Date, ParsingText)
{
    struct Case {
        const char* text;
        const char* date;
        char sep;
    } cases[] = {
        {"2024-03-15", "2024-03-15", '-'},
        {"2024/3/5", "2024-03-05", '/'},
        {"2024/2/30", "2024-03-01", '/'},
        {"2024.12.31xyz", "2024-12-31", '.'},
        // %d skips white space, %c takes any character: here the blank, so
        // the month is read as -1
        {" 2024 -1-1", "2023-11-01", ' '},
        {"2024", "2024-01-01", '\0'},       // numbers not read: month 1, day 1
        {"2024-06", "2024-06-01", '-'},
        {"", "1900-01-01", '\0'},
        {"garbage", "1900-01-01", '\0'},
        {"99999999999-1-1", "2935000-01-01", '-'},  // clamped, no overflow
    };
    for (const Case& c : cases) {
        CMyDate d(c.text);
        if (std::string(c.text).rfind("99999", 0) == 0) {
            EXPECT_EQ(d.Julian(), (1 << 30) - 1);
        } else {
            EXPECT_EQ(Ymd(d), c.date) << c.text;
        }
        EXPECT_EQ(d.DateSeparator(), c.sep) << c.text;
        CMyDate e;
        e = std::string(c.text);
        EXPECT_EQ(e, d);
    }
    // Copies take the day, not the separator.
    CMyDate parsed("2024/1/2");
    CMyDate copy(parsed);
    EXPECT_EQ(copy.DateSeparator(), '\0');
}

TEST(Date, Formatting)
{
    const CMyDate thu(2024, 3, 14);  // a Thursday
    struct Case {
        const char* pattern;
        const char* text;
    } cases[] = {
        {"%l%w%W", "UThuThursday"},
        {"%Q%D", "14"},
        {"%D/%M/%Y %y", "14/03/2024 24"},
        {"%N %m", "March Mar"},
        {"%H:%U", ":"},  // time codes are unknown to a date
        {"100%", "100"},
        {"%%D", "D"},
        {"no codes", "no codes"},
    };
    for (const Case& c : cases) EXPECT_EQ(thu.Format(c.pattern), c.text) << c.pattern;

    EXPECT_EQ(CMyDate(2024, 3, 16).Format("%l%w"), "ASat");
    EXPECT_EQ(CMyDate(5, 1, 1).Format("%Y %y"), "05 05");
    EXPECT_EQ(CMyDate(123, 1, 1).Format("%y"), "23");
    EXPECT_EQ(CMyDate(12345, 1, 1).Format("%y"), "34");

    // Format with a separator: inserted between adjacent codes, unknown codes kept.
    EXPECT_EQ(thu.Format("%Y%M%D", '-'), "2024-03-14");
    EXPECT_EQ(thu.Format("%Y/%M", '-'), "2024/03");
    EXPECT_EQ(thu.Format("%Q%D%", '\0'), "%Q14%");
    EXPECT_EQ(thu.Format("%Y%H%M", '.'), "2024%H03");

    std::ostringstream os;
    os << thu;
    EXPECT_EQ(os.str(), "2024-03-14");
    std::istringstream is("2023/7/8 rest");
    CMyDate read;
    is >> read;
    EXPECT_EQ(Ymd(read), "2023-07-08");
}

TEST_F(FixedClockTest, TodayAndNowUseTheClock)
{
    EXPECT_EQ(Ymd(CMyDate(true, false)), "2024-02-29");
    EXPECT_EQ(Ymd(CMyDate(true, true)), "2024-03-01");
    EXPECT_EQ(Ymd(CMyDate(false, true)), "1900-01-01");
    CMyDate d;
    d.Today(true);
    EXPECT_EQ(Ymd(d), "2024-03-01");

    EXPECT_EQ(Full(CMyDatetime(true, false)), "2024-02-29 23:59:58.750");
    CMyDatetime now;
    now.Now(true);
    EXPECT_EQ(Full(now), "2024-03-01 04:59:58.750");
    EXPECT_EQ(Full(CMyDatetime(false, false)), "1900-01-01 00:00:00.000");
}

TEST(Clock, SystemClockIsInstalledByDefault)
{
    EXPECT_EQ(gravik::SetClock(nullptr), nullptr);
    CMyTimeStamp ts;
    gravik::SystemClock(ts, true);
    EXPECT_GE(ts.year, 2024);
    EXPECT_GE(CMyDate(true, true).Year(), 2024);
}

TEST(Datetime, NormalisationOfTimestamps)
{
    struct Case {
        CMyTimeStamp in;
        const char* result;
    } cases[] = {
        {{2024, 1, 1, 0, 0, 0, -1}, "2023-12-31 23:59:59.999"},
        {{2024, 1, 1, 25, 0, 0, 0}, "2024-01-02 01:00:00.000"},
        {{2024, 1, 1, 0, 0, 0, -1001}, "2023-12-31 23:59:58.999"},
        {{2024, 1, 1, 0, -61, 0, 0}, "2023-12-31 22:59:00.000"},
        {{2024, 2, 28, 23, 59, 59, 1000}, "2024-02-29 00:00:00.000"},
        {{2023, 12, 31, 23, 59, 60, 0}, "2024-01-01 00:00:00.000"},
        {{2024, 3, 1, -1, 0, 0, 0}, "2024-02-29 23:00:00.000"},
        {{2024, 1, 1, 0, 0, 0, 86400000}, "2024-01-02 00:00:00.000"},
        {{2024, 1, 1, 0, 0, 0, -2147483647 - 1}, "2023-12-07 03:28:36.352"},
        {{2024, 1, 1, 2147483647, 2147483647, 2147483647, 2147483647}, nullptr},
    };
    for (Case& c : cases) {
        CMyTimeStamp ts = c.in;
        CMyDatetime d(ts);
        if (c.result) {
            EXPECT_EQ(Full(d), c.result);
        }
        // The structure is normalised in place to the same moment.
        CMyTimeStamp again = ts;
        EXPECT_EQ(CMyDatetime(again), d);
        EXPECT_GE(ts.hour, 0);
        EXPECT_LT(ts.hour, 24);
        EXPECT_GE(ts.millisecond, 0);
        EXPECT_LT(ts.millisecond, 1000);
    }
    EXPECT_EQ(Full(CMyDatetime(2024, 1, 1, 0, 0, 0, -1)), "2023-12-31 23:59:59.999");
}

TEST(Datetime, AddAndSubtractWithCarry)
{
    struct Case {
        void (CMyDatetime::*op)(int);
        int n;
        const char* result;
    } cases[] = {
        {&CMyDatetime::DevMilliSec, 1, "2023-12-31 23:59:59.999"},
        {&CMyDatetime::AddMilliSec, -1, "2023-12-31 23:59:59.999"},
        {&CMyDatetime::DevSecond, 1, "2023-12-31 23:59:59.000"},
        {&CMyDatetime::DevMinute, 61, "2023-12-31 22:59:00.000"},
        {&CMyDatetime::DevHour, 24 * 365, "2023-01-01 00:00:00.000"},
        {&CMyDatetime::AddHour, 24 * 60, "2024-03-01 00:00:00.000"},
        {&CMyDatetime::AddMinute, 1441, "2024-01-02 00:01:00.000"},
        {&CMyDatetime::AddSecond, 86399, "2024-01-01 23:59:59.000"},
        {&CMyDatetime::DevSecond, -60, "2024-01-01 00:01:00.000"},
        {&CMyDatetime::AddMilliSec, 1500, "2024-01-01 00:00:01.500"},
    };
    for (const Case& c : cases) {
        CMyDatetime d(2024, 1, 1, 0, 0, 0, 0);
        (d.*c.op)(c.n);
        EXPECT_EQ(Full(d), c.result) << c.n;
    }
    CMyDatetime extreme(2024, 1, 1, 0, 0, 0, 0);
    extreme.DevMilliSec(-2147483647 - 1);  // no overflow on negation
    EXPECT_EQ(Full(extreme), "2024-01-25 20:31:23.648");
}

TEST(Datetime, DateOperationsKeepTheTime)
{
    CMyDatetime d(2024, 1, 31, 8, 30, 15, 250);
    EXPECT_EQ(Full(d * 1), "2024-03-02 08:30:15.250");
    EXPECT_EQ(Full(d ^ 1), "2025-01-31 08:30:15.250");
    EXPECT_EQ(Full(d + 1), "2024-02-01 08:30:15.250");
    EXPECT_EQ(Full(d - 31), "2023-12-31 08:30:15.250");
    EXPECT_EQ(Full(d++), "2024-01-31 08:30:15.250");
    EXPECT_EQ(Full(d), "2024-02-01 08:30:15.250");
    EXPECT_EQ(Full(--d), "2024-01-31 08:30:15.250");
    d += 29;
    EXPECT_EQ(Full(d), "2024-02-29 08:30:15.250");
    d.AddYear(1);
    EXPECT_EQ(Full(d), "2025-03-01 08:30:15.250");
}

TEST(Datetime, ComparisonsUseAllFields)
{
    const CMyDatetime a(2024, 1, 1, 10, 0, 0, 0);
    const CMyDatetime b(2024, 1, 1, 10, 0, 0, 1);
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(a <= b);
    EXPECT_FALSE(a >= b);
    EXPECT_TRUE(b > a);
    EXPECT_TRUE(a != b);
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(a == CMyDatetime(2023, 12, 31, 34, 0, 0, 0));
    // Through the date interface only the days count.
    const CMyDate& da = a;
    const CMyDate& db = b;
    EXPECT_TRUE(da == db);
}

TEST(Datetime, FormatParseRoundTrip)
{
    const CMyDatetime d(2024, 3, 14, 8, 5, 9, 7);
    EXPECT_EQ(d.Format("%Y-%M-%D %H:%U:%S:%R"), "2024-03-14 08:05:09:007");
    EXPECT_EQ(d.Format("%h%u%s%r %l %Q"), "080509007 U ");
    EXPECT_EQ(d.Format("%"), "");

    std::ostringstream os;
    os << d;
    EXPECT_EQ(os.str(), "2024-03-14 08:05:09:007");
    const CMyDatetime parsed(os.str());
    EXPECT_EQ(parsed, d);
    EXPECT_EQ(parsed.DateSeparator(), '-');
    EXPECT_EQ(parsed.TimeSeparator(), ':');

    // A sweep of moments survives formatting and parsing.
    CMyDatetime m(1999, 12, 31, 23, 59, 59, 999);
    for (int i = 0; i < 2000; ++i) {
        m.AddMilliSec(7919 * 1013 + i);
        const CMyDatetime back(m.Format("%Y/%M/%D-%H.%U.%S.%R"));
        ASSERT_EQ(back, m) << m.Format("%Y/%M/%D-%H.%U.%S.%R");
    }

    // operator>> reads one word: the date; the time fields start at zero.
    std::istringstream is("2024-03-14 08:05:09:007");
    CMyDatetime read(2000, 1, 1, 1, 1, 1, 1);
    is >> read;
    EXPECT_EQ(Full(read), "2024-03-14 00:00:00.000");

    CMyDatetime assigned;
    assigned = "2024/2/30 25:61:61:1001";
    EXPECT_EQ(Full(assigned), "2024-03-02 02:02:02.001");
}

TEST(Datetime, TwoIntForm)
{
    const CMyDatetime d(2024, 3, 14, 23, 59, 59, 999);
    const CMyTime2Int packed = d.Get2Int();
    EXPECT_EQ(packed.julian, d.Julian());
    EXPECT_EQ(packed.time, 1606337511u);
    CMyDatetime back;
    back.SetBy2Int(packed);
    EXPECT_EQ(back, d);

    EXPECT_TRUE(CMyTime2Int(5, 0xFFFFFFFF) < CMyTime2Int(6, 0));
    EXPECT_TRUE(CMyDatetime(2024, 1, 1, 0, 0, 0, 1).Get2Int() >
                CMyDatetime(2024, 1, 1, 0, 0, 0, 0).Get2Int());
    EXPECT_TRUE(CMyDatetime(2024, 1, 1, 13, 0, 0, 0).Get2Int() >
                CMyDatetime(2024, 1, 1, 12, 59, 59, 999).Get2Int());
    EXPECT_EQ(CMyTime2Int(1, 2), CMyTime2Int(1, 2));
    EXPECT_TRUE(CMyTime2Int(1, 2) <= CMyTime2Int(1, 2));
    EXPECT_TRUE(CMyTime2Int(1, 2) != CMyTime2Int(1, 3));

    // Out-of-range packed fields carry instead of giving hour 63.
    CMyDatetime carried;
    carried.SetBy2Int(CMyTime2Int(2451545, (25u << 26) | 16383u));
    EXPECT_EQ(Full(carried), "2000-01-02 01:00:16.383");

    CMyTimeStamp ts;
    d.GetTimeStamp(ts);
    EXPECT_EQ(ts.year, 2024);
    EXPECT_EQ(ts.millisecond, 999);
}

TEST(Interval, Functions)
{
    struct Case {
        CMyDatetime a, b;
        long long ms;
        int secRounded, secPlain, minutes, hours;
        const char* text;
    } cases[] = {
        {CMyDatetime(2024, 1, 2, 0, 0, 0, 0), CMyDatetime(2024, 1, 1, 23, 59, 59, 500), 500, 1,
         1, 0, 0, "0 00:00:00:500"},
        {CMyDatetime(2024, 1, 1, 23, 59, 59, 500), CMyDatetime(2024, 1, 2, 0, 0, 0, 0), -500, -1,
         -1, 0, 0, "- 0 00:00:00:500"},
        {CMyDatetime(2024, 1, 1, 0, 0, 1, 750), CMyDatetime(2024, 1, 1, 0, 0, 0, 250), 1500, 2, 1,
         0, 0, "0 00:00:01:500"},
        {CMyDatetime(2024, 1, 1, 0, 0, 0, 250), CMyDatetime(2024, 1, 1, 0, 0, 1, 750), -1500, -2,
         -1, 0, 0, "- 0 00:00:01:500"},
        {CMyDatetime(2024, 3, 1, 0, 0, 0, 0), CMyDatetime(2024, 2, 28, 22, 30, 0, 0),
         91800000, 91800, 91800, 1530, 25, "1 01:30:00:000"},
        {CMyDatetime(2024, 1, 1, 0, 0, 0, 0), CMyDatetime(2024, 1, 1, 0, 0, 0, 0), 0, 0, 0, 0, 0,
         "0 00:00:00:000"},
        {CMyDatetime(2024, 1, 1, 0, 1, 0, 100), CMyDatetime(2024, 1, 1, 0, 0, 0, 900), 59200, 59,
         60, 0, 0, "0 00:00:59:200"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IntervalMilliSec(c.a, c.b), c.ms) << c.text;
        EXPECT_EQ(IntervalSec(c.a, c.b, true), c.secRounded) << c.text;
        EXPECT_EQ(IntervalSec(c.a, c.b, false), c.secPlain) << c.text;
        EXPECT_EQ(IntervalMin(c.a, c.b), c.minutes) << c.text;
        EXPECT_EQ(IntervalHour(c.a, c.b), c.hours) << c.text;
        EXPECT_EQ(IntervalStr(c.a, c.b), c.text);
    }

    int d, h, m, s, ms;
    EXPECT_EQ(IntervalAll(CMyDatetime(2024, 1, 3, 1, 2, 3, 4), CMyDatetime(2024, 1, 1, 2, 3, 4, 5),
                          d, h, m, s, ms),
              1);
    EXPECT_EQ(d, 1);
    EXPECT_EQ(h, 22);
    EXPECT_EQ(m, 58);
    EXPECT_EQ(s, 58);
    EXPECT_EQ(ms, 999);
    EXPECT_EQ(IntervalAll(CMyDatetime(2024, 1, 1, 2, 3, 4, 5), CMyDatetime(2024, 1, 3, 1, 2, 3, 4),
                          d, h, m, s, ms),
              -1);
    EXPECT_EQ(d, 1);
    EXPECT_EQ(ms, 999);

    // Far apart moments: the int results are clamped, the 64-bit one is exact.
    const CMyDatetime far(1000000, 1, 1, 0, 0, 0, 0), near(1, 1, 1, 0, 0, 0, 0);
    EXPECT_EQ(IntervalSec(far, near, false), 2147483647);
    EXPECT_EQ(IntervalSec(near, far, true), -2147483647);
    EXPECT_EQ(IntervalMilliSec(far, near), (far.Julian() - near.Julian()) * 86400000LL);
}
