// Crontab time points and periods: parsing and refusals, writing back and the
// round trip, matching of days and times, windows across midnight, month
// ends, leap days and year ends, and "now" through a fixed clock.
#include <gravik/crontab.h>

#include <gtest/gtest.h>

#include <list>
#include <random>
#include <string>

namespace {

std::string Written(const CCrontabTimePoint& p)
{
    std::string s;
    p.GetCrontabTimeStr(s);
    return s;
}

bool Matches(const CCrontabTimePoint& p, int y, int mo, int d, int h, int mi, int s)
{
    return p.VilidateDatetime(CMyDatetime(y, mo, d, h, mi, s, 0));
}

// ---- parsing and writing ----

struct Accepted {
    const char* text;
    const char* written;
};

class PointAccepts : public ::testing::TestWithParam<Accepted> {};

TEST_P(PointAccepts, AndWritesBack)
{
    CCrontabTimePoint p;
    ASSERT_TRUE(p.SetCrontabTimeStr(GetParam().text)) << GetParam().text;
    EXPECT_TRUE(CCrontabTimePoint::ValidateCrontabTimeStr(GetParam().text));
    EXPECT_EQ(Written(p), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PointAccepts,
    ::testing::Values(Accepted{"* * * * * * *", "* * * * * * *"},
                      Accepted{"2024 3,1-2 15,1 * 8 0 0", "2024 1-3 1,15 * 8 0 0"},
                      Accepted{"1999 * * * * * *", "1999 * * * * * *"},
                      Accepted{"0 * * * * * *", "0 * * * * * *"},
                      Accepted{"+2024 +1-+2 31 0-6 23 59 59", "2024 1-2 31 0-6 23 59 59"},
                      Accepted{"* 3,3,5 * * * * *", "* 3,3,5 * * * * *"},
                      Accepted{"* 12,1,2 * * 0,2,4-6 * *", "* 1-2,12 * * 0,2,4-6 * *"},
                      // An end below its start adds nothing: the field matches nothing
                      // and is written so that it still matches nothing.
                      Accepted{"5-3 * * * * * *", "2-1 * * * * * *"},
                      Accepted{"  * * * * * * *\r\n", "* * * * * * *"},
                      Accepted{"*\t *\t * * * * *", "* * * * * * *"}));

class PointRefuses : public ::testing::TestWithParam<const char*> {};

TEST_P(PointRefuses, Text)
{
    CCrontabTimePoint p;
    EXPECT_FALSE(p.SetCrontabTimeStr(GetParam())) << GetParam();
    EXPECT_FALSE(CCrontabTimePoint::ValidateCrontabTimeStr(GetParam())) << GetParam();
    EXPECT_FALSE(Matches(p, 2024, 1, 1, 0, 0, 0)) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PointRefuses,
    ::testing::Values("* 13 * * * * *", "* 0 * * * * *", "* * * 7 * * *", "* * 32 * * * *",
                      "* * 0 * * * *", "* * * * 24 * *", "* * * * * 60 *", "* * * * * * 60",
                      "* * * * * *", "* * * * * * * *", "", "*/5 * * * * * *",
                      "* * * * *  0 0", "1,,2 * * * * * *", "1, * * * * * *", ",1 * * * * * *",
                      "-1 * * * * * *", "1- * * * * * *", "1-2-3 * * * * * *",
                      "+ * * * * * *", "+-5 * * * * * *", "** * * * * * *", "* JAN * * * * *",
                      "* * * MON * * *", "1 2 3 4 5 6 7x", "2147483648 * * * * * *",
                      "99999999999999999999 * * * * * *", "* 1-13 * * * * *",
                      "0-2000000000 * * * * * *"));

TEST(CrontabField, AppendsAndKeepsValuesBeforeAnError)
{
    std::list<int> out{99};
    EXPECT_TRUE(CCrontabTimePoint::FormatStrToList("3,1-2", 0, 59, out, true));
    EXPECT_EQ(out, (std::list<int>{99, 3, 1, 2}));  // not sorted, not cleared

    out.clear();
    EXPECT_FALSE(CCrontabTimePoint::FormatStrToList("1,2,x,4", 0, 59, out, true));
    EXPECT_EQ(out, (std::list<int>{1, 2}));

    out.clear();
    EXPECT_TRUE(CCrontabTimePoint::FormatStrToList(" 70-72 ", 0, 59, out, false));
    EXPECT_EQ(out, (std::list<int>{70, 71, 72}));
    EXPECT_FALSE(CCrontabTimePoint::ValidateFormatStr("70-72", 0, 59, true));
    EXPECT_TRUE(CCrontabTimePoint::ValidateFormatStr("*", 0, 59, true));
    EXPECT_FALSE(CCrontabTimePoint::ValidateFormatStr("   ", 0, 59, true));
}

TEST(CrontabField, TheExpansionOfOneFieldIsBounded)
{
    const int n = CCrontabTimePoint::MaxFieldValues;
    std::list<int> out;
    EXPECT_TRUE(CCrontabTimePoint::FormatStrToList("1-" + std::to_string(n), 0, 0, out, false));
    EXPECT_EQ(out.size(), static_cast<std::size_t>(n));
    EXPECT_FALSE(CCrontabTimePoint::ValidateFormatStr("0-" + std::to_string(n), 0, 0, false));
    EXPECT_FALSE(CCrontabTimePoint::ValidateFormatStr("1-" + std::to_string(n) + ",7", 0, 0, false));
}

TEST(CrontabField, Writing)
{
    struct Case {
        std::list<int> values;
        const char* text;
    };
    const Case cases[] = {{{1, 2, 3, 5}, "1-3,5"}, {{3, 3, 5}, "3,3,5"}, {{-1}, "*"},
                          {{5}, "5"},              {{1, 2}, "1-2"},     {{0, 2, 3, 4, 9, 10}, "0,2-4,9-10"},
                          {{}, "2-1"}};
    for (const auto& c : cases) {
        std::string text = "old";
        CCrontabTimePoint::GetFormatStrFromList(c.values, text);
        EXPECT_EQ(text, c.text);
    }
}

// Writing then parsing keeps every list, for random valid expressions.
TEST(CrontabRoundTrip, RandomExpressions)
{
    std::mt19937 rng(70);
    const int ranges[7][2] = {{1990, 2040}, {1, 12}, {1, 31}, {0, 6}, {0, 23}, {0, 59}, {0, 59}};
    auto field = [&](int lo, int hi) {
        if (rng() % 5 == 0) return std::string("*");
        std::string f;
        const int items = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < items; ++i) {
            const int a = lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1));
            const int b = lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1));
            if (!f.empty()) f += ',';
            f += rng() % 2 ? std::to_string(a) : std::to_string(a) + "-" + std::to_string(b);
        }
        return f;
    };
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (const auto& r : ranges) text += (text.empty() ? "" : " ") + field(r[0], r[1]);
        CCrontabTimePoint first;
        ASSERT_TRUE(first.SetCrontabTimeStr(text)) << text;
        CCrontabTimePoint second;
        ASSERT_TRUE(second.SetCrontabTimeStr(Written(first))) << Written(first);
        EXPECT_EQ(Written(second), Written(first)) << text;
        EXPECT_EQ(second.Years(), first.Years()) << text;
        EXPECT_EQ(second.Months(), first.Months()) << text;
        EXPECT_EQ(second.Days(), first.Days()) << text;
        EXPECT_EQ(second.Weekdays(), first.Weekdays()) << text;
        EXPECT_EQ(second.Hours(), first.Hours()) << text;
        EXPECT_EQ(second.Minutes(), first.Minutes()) << text;
        EXPECT_EQ(second.Seconds(), first.Seconds()) << text;

        CCrontabTimePeriod period;
        const std::string ptext = text + " | " + std::to_string(rng() % 24) + ":" +
                                  std::to_string(rng() % 60) + ":" + std::to_string(rng() % 60);
        ASSERT_TRUE(period.SetCrontabTimeStr(ptext)) << ptext;
        CCrontabTimePeriod again;
        ASSERT_TRUE(again.SetCrontabTimeStr(Written(period))) << Written(period);
        EXPECT_EQ(Written(again), Written(period));
        EXPECT_EQ(again.Duration(), period.Duration());
    }
}

// ---- matching a time point ----

TEST(CrontabPoint, EverythingMatchesEveryMoment)
{
    CCrontabTimePoint p;
    ASSERT_TRUE(p.SetCrontabTimeStr("* * * * * * *"));
    EXPECT_TRUE(Matches(p, 1900, 1, 1, 0, 0, 0));
    EXPECT_TRUE(Matches(p, 2024, 2, 29, 23, 59, 59));
    EXPECT_TRUE(p.VilidateDatetime(-5, 99, 99, 9, 99, 99, 99));
}

TEST(CrontabPoint, DayOfMonthAndDayOfWeekMustBothMatch)
{
    CCrontabTimePoint p;
    ASSERT_TRUE(p.SetCrontabTimeStr("* * 13 5 * * *"));
    EXPECT_TRUE(Matches(p, 2024, 9, 13, 12, 0, 0));   // Friday the 13th
    EXPECT_FALSE(Matches(p, 2024, 8, 13, 12, 0, 0));  // Tuesday the 13th
    EXPECT_FALSE(Matches(p, 2024, 9, 6, 12, 0, 0));   // another Friday
}

TEST(CrontabPoint, ListsAndRanges)
{
    CCrontabTimePoint p;
    ASSERT_TRUE(p.SetCrontabTimeStr("2024 3,1-2 15,1 * 8 0 0"));
    EXPECT_TRUE(Matches(p, 2024, 1, 1, 8, 0, 0));
    EXPECT_TRUE(Matches(p, 2024, 3, 15, 8, 0, 0));
    EXPECT_FALSE(Matches(p, 2024, 4, 1, 8, 0, 0));
    EXPECT_FALSE(Matches(p, 2025, 1, 1, 8, 0, 0));
    EXPECT_FALSE(Matches(p, 2024, 1, 2, 8, 0, 0));
    EXPECT_FALSE(Matches(p, 2024, 1, 1, 8, 0, 1));
    // Milliseconds are ignored.
    EXPECT_TRUE(p.VilidateDatetime(CMyDatetime(2024, 2, 15, 8, 0, 0, 999)));
}

TEST(CrontabPoint, EmptyListsMatchNothing)
{
    CCrontabTimePoint p;
    EXPECT_FALSE(Matches(p, 2024, 1, 1, 0, 0, 0));
    ASSERT_TRUE(p.SetCrontabTimeStr("5-3 * * * * * *"));
    EXPECT_TRUE(p.Years().empty());
    EXPECT_FALSE(Matches(p, 2024, 1, 1, 0, 0, 0));
    CCrontabTimePoint reread;
    ASSERT_TRUE(reread.SetCrontabTimeStr(Written(p)));
    EXPECT_FALSE(Matches(reread, 2024, 1, 1, 0, 0, 0));
}

TEST(CrontabPoint, CopiesAreIndependent)
{
    CCrontabTimePoint a;
    ASSERT_TRUE(a.SetCrontabTimeStr("* * * * 8 0 0"));
    CCrontabTimePoint b(a);
    CCrontabTimePoint c;
    c = a;
    ASSERT_TRUE(a.SetCrontabTimeStr("* * * * 9 0 0"));
    EXPECT_EQ(Written(b), "* * * * 8 0 0");
    EXPECT_EQ(Written(c), "* * * * 8 0 0");
}

// ---- periods ----

class PeriodRefuses : public ::testing::TestWithParam<const char*> {};

TEST_P(PeriodRefuses, Text)
{
    CCrontabTimePeriod p;
    ASSERT_TRUE(p.SetCrontabTimeStr("* * * * * * * | 1:0:0"));
    EXPECT_FALSE(p.SetCrontabTimeStr(GetParam())) << GetParam();
    EXPECT_FALSE(CCrontabTimePeriod::ValidateCrontabTimeStr(GetParam())) << GetParam();
    // A refused text leaves nothing that matches, even when its time point was fine.
    EXPECT_FALSE(Matches(p, 2024, 1, 1, 0, 0, 0)) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PeriodRefuses,
    ::testing::Values("* * * * 22 0 0 | 24:0:0", "* * * * 22 0 0 | 1:60:0",
                      "* * * * 22 0 0 | 1:0:60", "* * * * 22 0 0", "* * * * 22 0 0 |",
                      "| 4:0:0", "* * * * 22 0 0 | 4:0", "* * * * 22 0 0 | 4:0:0:0",
                      "* * * * 22 0 0 | -1:0:0", "* * * * 22 0 0 | +:0:0",
                      "* * * * 22 0 0 | 4: 0:0", "* * * * 22 0 0 | 4:0:0 | 1:0:0",
                      "* * * * 24 0 0 | 4:0:0", "* * * * 22 0 | 4:0:0"));

TEST(CrontabPeriod, WritesTheDurationWithoutPadding)
{
    CCrontabTimePeriod p;
    ASSERT_TRUE(p.SetCrontabTimeStr("* * * 1-5 22 0 0|+4:0:07"));
    EXPECT_EQ(Written(p), "* * * 1-5 22 0 0 | 4:0:7");
    EXPECT_EQ(p.Duration(), 4 * 3600 + 7);
    ASSERT_TRUE(p.SetCrontabTimeStr("* * * * * * * | 23:59:59"));
    EXPECT_EQ(p.Duration(), 86399);
}

TEST(CrontabPeriod, WindowAcrossMidnight)
{
    CCrontabTimePeriod p;
    ASSERT_TRUE(p.SetCrontabTimeStr("* * * * 22 0 0 | 4:0:0"));
    EXPECT_FALSE(Matches(p, 2024, 5, 10, 21, 59, 59));
    EXPECT_TRUE(Matches(p, 2024, 5, 10, 22, 0, 0));
    EXPECT_TRUE(Matches(p, 2024, 5, 10, 23, 30, 0));
    EXPECT_TRUE(Matches(p, 2024, 5, 11, 1, 59, 59));
    EXPECT_TRUE(Matches(p, 2024, 5, 11, 2, 0, 0));
    EXPECT_FALSE(Matches(p, 2024, 5, 11, 2, 0, 1));
    EXPECT_FALSE(Matches(p, 2024, 5, 11, 12, 0, 0));
}

TEST(CrontabPeriod, TheWindowBelongsToTheDayItStarts)
{
    CCrontabTimePeriod p;
    ASSERT_TRUE(p.SetCrontabTimeStr("* * * 5 22 0 0 | 4:0:0"));
    EXPECT_TRUE(Matches(p, 2024, 9, 14, 1, 0, 0));   // Saturday: the window began Friday
    EXPECT_FALSE(Matches(p, 2024, 9, 13, 1, 0, 0));  // Friday 01:00: began Thursday
    EXPECT_TRUE(Matches(p, 2024, 9, 13, 23, 0, 0));  // Friday night
}

struct Crossing {
    const char* period;
    int y, mo, d, h, mi, s;
    bool match;
    const char* why;
};

class PeriodCrossings : public ::testing::TestWithParam<Crossing> {};

TEST_P(PeriodCrossings, StartDayDecides)
{
    const auto& c = GetParam();
    CCrontabTimePeriod p;
    ASSERT_TRUE(p.SetCrontabTimeStr(c.period)) << c.period;
    EXPECT_EQ(Matches(p, c.y, c.mo, c.d, c.h, c.mi, c.s), c.match) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Calendar, PeriodCrossings,
    ::testing::Values(
        Crossing{"* 1 31 * 23 0 0 | 2:0:0", 2023, 2, 1, 0, 30, 0, true, "month end: Jan 31 into Feb 1"},
        Crossing{"* 2 * * 23 0 0 | 2:0:0", 2023, 3, 1, 0, 30, 0, true, "Feb 28 (2023) into Mar 1"},
        Crossing{"* * 29 2 23 0 0 | 2:0:0", 2024, 3, 1, 0, 30, 0, false, "Feb 29 2024 is a Thursday"},
        Crossing{"* * 29 4 23 0 0 | 2:0:0", 2024, 3, 1, 0, 30, 0, true, "leap day window into Mar 1"},
        Crossing{"* 2 29 * 23 0 0 | 2:0:0", 2024, 3, 1, 1, 0, 0, true, "window ends at 01:00 inclusive"},
        Crossing{"* 2 29 * 23 0 0 | 2:0:0", 2024, 3, 1, 1, 0, 1, false, "one second after the end"},
        Crossing{"* 3 1 * 23 0 0 | 2:0:0", 2024, 3, 1, 0, 30, 0, false, "window of Feb 29, not Mar 1"},
        Crossing{"2023 12 31 * 23 0 0 | 2:0:0", 2024, 1, 1, 0, 30, 0, true, "year end: began in 2023"},
        Crossing{"2024 * * * 23 0 0 | 2:0:0", 2024, 1, 1, 0, 30, 0, false, "began in 2023, not 2024"},
        Crossing{"2024 * * * 23 0 0 | 2:0:0", 2024, 12, 31, 23, 30, 0, true, "last night of 2024"},
        Crossing{"2024 * * * 23 0 0 | 2:0:0", 2025, 1, 1, 0, 59, 59, true, "began in 2024"}));

// A moment inside two overlapping windows matches when either window began on
// an accepted day, not only the first one found.
TEST(CrontabPeriod, OverlappingWindowsAreAllConsidered)
{
    CCrontabTimePeriod p;
    // Monday windows at 00:00-02:00 and 23:00-01:00 (next day).
    ASSERT_TRUE(p.SetCrontabTimeStr("* * * 1 0,23 0 0 | 2:0:0"));
    EXPECT_TRUE(Matches(p, 2024, 9, 16, 0, 30, 0));   // Monday 00:30, the 00:00 window
    EXPECT_TRUE(Matches(p, 2024, 9, 17, 0, 30, 0));   // Tuesday 00:30, Monday's 23:00 window
    EXPECT_FALSE(Matches(p, 2024, 9, 18, 0, 30, 0));  // Wednesday 00:30
}

TEST(CrontabPeriod, WildcardTimesStartAtTheMomentItself)
{
    CCrontabTimePeriod p;
    ASSERT_TRUE(p.SetCrontabTimeStr("* * * 6 * * * | 0:0:0"));
    EXPECT_TRUE(Matches(p, 2024, 9, 14, 13, 14, 15));   // Saturday
    EXPECT_FALSE(Matches(p, 2024, 9, 15, 13, 14, 15));  // Sunday
}

TEST(CrontabPeriod, CopiesKeepTheDuration)
{
    CCrontabTimePeriod a;
    ASSERT_TRUE(a.SetCrontabTimeStr("* * * * 22 0 0 | 4:0:0"));
    CCrontabTimePeriod b(a);
    CCrontabTimePeriod c;
    c = a;
    EXPECT_EQ(b.Duration(), 4 * 3600);
    EXPECT_EQ(Written(c), "* * * * 22 0 0 | 4:0:0");
    EXPECT_TRUE(Matches(c, 2024, 1, 2, 1, 0, 0));
}

// ---- now, through a fixed clock ----

CMyTimeStamp g_now;

void FixedClock(CMyTimeStamp& now, bool) { now = g_now; }

class CrontabNow : public ::testing::Test {
protected:
    void SetUp() override { previous_ = gravik::SetClock(FixedClock); }
    void TearDown() override { gravik::SetClock(previous_); }
    gravik::ClockFunction previous_ = nullptr;
};

TEST_F(CrontabNow, PointAndPeriodReadTheClock)
{
    CCrontabTimePoint point;
    ASSERT_TRUE(point.SetCrontabTimeStr("* 12 31 * 23 59 *"));
    CCrontabTimePeriod period;
    ASSERT_TRUE(period.SetCrontabTimeStr("* 12 31 * 23 0 0 | 1:0:0"));

    g_now = CMyTimeStamp(2023, 12, 31, 23, 59, 30, 500);
    EXPECT_TRUE(point.VilidateNow());
    EXPECT_TRUE(period.VilidateNow());

    g_now = CMyTimeStamp(2024, 1, 1, 0, 0, 0, 0);
    EXPECT_FALSE(point.VilidateNow());
    EXPECT_TRUE(period.VilidateNow());  // the window of Dec 31 ends at 00:00:00

    g_now = CMyTimeStamp(2024, 1, 1, 0, 0, 1, 0);
    EXPECT_FALSE(period.VilidateNow());
}

TEST_F(CrontabNow, NothingMatchesAfterARefusedText)
{
    g_now = CMyTimeStamp(2024, 6, 1, 12, 0, 0, 0);
    CCrontabTimePoint point;
    ASSERT_TRUE(point.SetCrontabTimeStr("* * * * * * *"));
    EXPECT_TRUE(point.VilidateNow());
    EXPECT_FALSE(point.SetCrontabTimeStr("* * * * * * 60"));
    EXPECT_FALSE(point.VilidateNow());

    CCrontabTimePeriod period;
    ASSERT_TRUE(period.SetCrontabTimeStr("* * * * * * * | 1:0:0"));
    EXPECT_TRUE(period.VilidateNow());
    EXPECT_FALSE(period.SetCrontabTimeStr("* * * * * * * | 1:0"));
    EXPECT_FALSE(period.VilidateNow());
}

}  // namespace
