// The clock that "now" and "today" are read from, replaceable for tests.
#include <gravik/datetime.h>

#include "internal/clock.h"

#include <atomic>
#include <ctime>

namespace gravik {
namespace {

std::atomic<ClockFunction> g_clock{nullptr};

}  // namespace

void SystemClock(CMyTimeStamp& now, bool utc)
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    if (utc)
        gmtime_r(&ts.tv_sec, &tm);
    else
        localtime_r(&ts.tv_sec, &tm);
    now = CMyTimeStamp(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                       tm.tm_sec, static_cast<int>(ts.tv_nsec / 1000000));
}

ClockFunction SetClock(ClockFunction clock) { return g_clock.exchange(clock); }

namespace internal {

CMyTimeStamp ReadClock(bool utc)
{
    CMyTimeStamp now;
    const ClockFunction clock = g_clock.load();
    (clock ? clock : SystemClock)(now, utc);
    return now;
}

}  // namespace internal
}  // namespace gravik
