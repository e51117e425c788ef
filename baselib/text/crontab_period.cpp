#include <gravik/crontab.h>

namespace {

constexpr int kDaySeconds = 24 * 3600;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string TrimBlanks(const std::string& s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// One part of the duration: digits after an optional "+", within [0, max].
bool ParsePart(const std::string& s, int max, int& value)
{
    std::size_t i = 0;
    if (i < s.size() && s[i] == '+') ++i;
    if (i == s.size()) return false;
    int v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
        if (v > max) return false;
    }
    value = v;
    return true;
}

bool ParseDuration(const std::string& s, int& seconds)
{
    const std::size_t c1 = s.find(':');
    if (c1 == std::string::npos) return false;
    const std::size_t c2 = s.find(':', c1 + 1);
    if (c2 == std::string::npos) return false;
    int h = 0, m = 0, sec = 0;
    if (!ParsePart(s.substr(0, c1), 23, h) || !ParsePart(s.substr(c1 + 1, c2 - c1 - 1), 59, m) ||
        !ParsePart(s.substr(c2 + 1), 59, sec))
        return false;
    seconds = h * 3600 + m * 60 + sec;
    return true;
}

}  // namespace

CCrontabTimePeriod::CCrontabTimePeriod() = default;
CCrontabTimePeriod::CCrontabTimePeriod(const CCrontabTimePeriod& other) = default;
CCrontabTimePeriod& CCrontabTimePeriod::operator=(const CCrontabTimePeriod& other) = default;
CCrontabTimePeriod::~CCrontabTimePeriod() = default;

bool CCrontabTimePeriod::SetCrontabTimeStr(const std::string& text)
{
    Reset();
    m_duration = 0;
    const std::size_t bar = text.find('|');
    if (bar == std::string::npos) return false;
    const std::string point = TrimBlanks(text.substr(0, bar));
    const std::string duration = TrimBlanks(text.substr(bar + 1));
    int seconds = 0;
    if (point.empty() || duration.empty() || !ParseDuration(duration, seconds)) return false;
    if (!CCrontabTimePoint::SetCrontabTimeStr(point)) return false;
    m_duration = seconds;
    return true;
}

bool CCrontabTimePeriod::ValidateCrontabTimeStr(const std::string& text)
{
    CCrontabTimePeriod probe;
    return probe.SetCrontabTimeStr(text);
}

void CCrontabTimePeriod::GetCrontabTimeStr(std::string& text) const
{
    CCrontabTimePoint::GetCrontabTimeStr(text);
    text += " | " + std::to_string(m_duration / 3600) + ':' +
            std::to_string(m_duration / 60 % 60) + ':' + std::to_string(m_duration % 60);
}

template <typename Visit>
bool CCrontabTimePeriod::ForEachWindow(int year, int month, int day, int hour, int minute,
                                       int second, Visit visit) const
{
    if (m_hours.empty() || m_minutes.empty() || m_seconds.empty()) return false;
    // The moment, normalised like any CMyDatetime, as seconds of its day;
    // every window is placed relative to that day.
    const CMyDatetime target(year, month, day, hour, minute, second, 0);
    const int t = target.Hour() * 3600 + target.Minute() * 60 + target.Second();
    // Repeated values ("8,8,8") would only repeat windows; the sorted lists
    // hold them next to each other, and skipping them bounds the search at one
    // day's 86400 windows whatever the text.
    auto distinct = [](const std::list<int>& l, std::list<int>::const_iterator it) {
        const int v = *it;
        while (it != l.end() && *it == v) ++it;
        return it;
    };
    for (auto hi = m_hours.begin(); hi != m_hours.end(); hi = distinct(m_hours, hi)) {
        const int hv = *hi == -1 ? target.Hour() : *hi;
        for (auto mi = m_minutes.begin(); mi != m_minutes.end(); mi = distinct(m_minutes, mi)) {
            const int mv = *mi == -1 ? target.Minute() : *mi;
            for (auto si = m_seconds.begin(); si != m_seconds.end(); si = distinct(m_seconds, si)) {
                const int start = hv * 3600 + mv * 60 + (*si == -1 ? target.Second() : *si);
                // A window that would start after the moment is taken from the day before.
                const bool previousDay = t < start;
                const int end = (previousDay ? start - kDaySeconds : start) + m_duration;
                if (t <= end && visit(previousDay)) return true;
            }
        }
    }
    return false;
}

bool CCrontabTimePeriod::ValidateTime(int year, int month, int day, int hour, int minute,
                                      int second, bool& previousDay) const
{
    previousDay = false;
    return ForEachWindow(year, month, day, hour, minute, second, [&](bool p) {
        previousDay = p;
        return true;
    });
}

bool CCrontabTimePeriod::VilidateDatetime(int year, int month, int day, int dayOfWeek, int hour,
                                          int minute, int second) const
{
    bool previousDay = false;
    if (!ValidateTime(year, month, day, hour, minute, second, previousDay)) return false;
    // Windows may overlap (22:00 and 23:00 starts with a 4-hour duration), so
    // every window holding the moment is tried, not only the first: the
    // moment matches when any of them started on an accepted day.
    const CMyDate before = CMyDate(year, month, day) - 1;
    return ForEachWindow(year, month, day, hour, minute, second, [&](bool p) {
        return p ? ValidateDay(before.Year(), before.Month(), before.Day(), before.DayOfWeek())
                 : ValidateDay(year, month, day, dayOfWeek);
    });
}
