#include <gravik/crontab.h>

#include <vector>

namespace {

// The lists are sorted, so the walk stops at the first larger value.
bool ListMatches(const std::list<int>& values, int v)
{
    for (int x : values) {
        if (x == -1 || x == v) return true;
        if (x > v) return false;
    }
    return false;
}

// Splits at every single space; blanks at the two ends of the whole text are
// ignored first, so only the separators inside count.
std::vector<std::string> SplitFields(const std::string& text)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (b < e && blank(text[b])) ++b;
    while (e > b && blank(text[e - 1])) --e;
    std::vector<std::string> fields;
    std::size_t pos = b;
    while (true) {
        const std::size_t sp = text.find(' ', pos);
        if (sp == std::string::npos || sp >= e) {
            fields.push_back(text.substr(pos, e - pos));
            return fields;
        }
        fields.push_back(text.substr(pos, sp - pos));
        pos = sp + 1;
    }
}

}  // namespace

CCrontabTimePoint::CCrontabTimePoint() = default;
CCrontabTimePoint::CCrontabTimePoint(const CCrontabTimePoint& other) = default;
CCrontabTimePoint& CCrontabTimePoint::operator=(const CCrontabTimePoint& other) = default;
CCrontabTimePoint::~CCrontabTimePoint() = default;

void CCrontabTimePoint::Reset()
{
    m_years.clear();
    m_months.clear();
    m_days.clear();
    m_weekdays.clear();
    m_hours.clear();
    m_minutes.clear();
    m_seconds.clear();
}

bool CCrontabTimePoint::SetCrontabTimeStr(const std::string& text)
{
    Reset();
    const std::vector<std::string> fields = SplitFields(text);
    if (fields.size() != 7) return false;
    struct FieldRule {
        std::list<int>* list;
        int min;
        int max;
        bool check;
    };
    const FieldRule rules[7] = {{&m_years, 0, 0, false},  {&m_months, 1, 12, true},
                           {&m_days, 1, 31, true},   {&m_weekdays, 0, 6, true},
                           {&m_hours, 0, 23, true},  {&m_minutes, 0, 59, true},
                           {&m_seconds, 0, 59, true}};
    for (int i = 0; i < 7; ++i)
        if (!FormatStrToList(fields[i], rules[i].min, rules[i].max, *rules[i].list, rules[i].check))
            return false;
    for (const auto& s : rules) s.list->sort();
    return true;
}

bool CCrontabTimePoint::ValidateCrontabTimeStr(const std::string& text)
{
    CCrontabTimePoint probe;
    return probe.SetCrontabTimeStr(text);
}

void CCrontabTimePoint::GetCrontabTimeStr(std::string& text) const
{
    text.clear();
    for (const std::list<int>* l :
         {&m_years, &m_months, &m_days, &m_weekdays, &m_hours, &m_minutes, &m_seconds}) {
        std::string field;
        GetFormatStrFromList(*l, field);
        if (!text.empty()) text += ' ';
        text += field;
    }
}

bool CCrontabTimePoint::ValidateDay(int year, int month, int day, int dayOfWeek) const
{
    return ListMatches(m_years, year) && ListMatches(m_months, month) &&
           ListMatches(m_days, day) && ListMatches(m_weekdays, dayOfWeek);
}

bool CCrontabTimePoint::ValidateTime(int hour, int minute, int second) const
{
    return ListMatches(m_hours, hour) && ListMatches(m_minutes, minute) &&
           ListMatches(m_seconds, second);
}

bool CCrontabTimePoint::VilidateDatetime(int year, int month, int day, int dayOfWeek, int hour,
                                         int minute, int second) const
{
    return ValidateDay(year, month, day, dayOfWeek) && ValidateTime(hour, minute, second);
}

bool CCrontabTimePoint::VilidateDatetime(const CMyDatetime& m) const
{
    return VilidateDatetime(m.Year(), m.Month(), m.Day(), m.DayOfWeek(), m.Hour(), m.Minute(),
                            m.Second());
}

bool CCrontabTimePoint::VilidateNow() const
{
    return VilidateDatetime(CMyDatetime(true, false));
}
