// libGravik - crontab-like time expressions.
//
// CCrontabTimePoint is a set of moments given by seven fields; each field is
// "*" or a list of numbers and ranges:
//     years months days weekdays hours minutes seconds
//     e.g. "2024 3,1-2 15,1 * 8 0 0"  (08:00:00 on the 1st and 15th of
//     January to March 2024)
// CCrontabTimePeriod adds a duration after "|": every moment from a starting
// point up to the end of its duration matches:
//     "* * * 1-5 22 0 0 | 4:0:0"  (22:00:00 to 02:00:00 on the nights that
//     start on Monday to Friday)
//
// Threads: an object is not locked. Set it up once; then it may be tested
// from several threads as long as nobody calls SetCrontabTimeStr or
// operator= meanwhile.
#ifndef GRAVIK_CRONTAB_H
#define GRAVIK_CRONTAB_H

#include <gravik/datetime.h>
#include <gravik/export.h>

#include <list>
#include <string>

// Seven fields, each a sorted list of ints:
//   years     any value written without a sign or with "+" (no range check)
//   months    1-12
//   days      1-31 (day of the month)
//   weekdays  0-6, 0 = Sunday (as CMyDate::DayOfWeek)
//   hours     0-23, minutes 0-59, seconds 0-59
// A list holding the single value -1 stands for "*" (any value); an empty list
// matches nothing. A moment matches when every field matches, the day of the
// month and the day of the week both.
//
// Text syntax: exactly seven fields separated by single spaces (blanks at the
// two ends of the whole text and of each field are ignored). A field is "*"
// alone, or items separated by ",": a number ("+" allowed, decimal, fitting
// an int) or a range "a-b" (both ends included; an end below its start adds
// nothing). Steps, names and negative numbers are refused, and so is a field
// that would expand to more than MaxFieldValues values.
class GRAVIK_API CCrontabTimePoint {
public:
    static constexpr int MaxFieldValues = 100000;

    CCrontabTimePoint();  // seven empty lists: matches nothing
    CCrontabTimePoint(const CCrontabTimePoint& other);
    CCrontabTimePoint& operator=(const CCrontabTimePoint& other);
    virtual ~CCrontabTimePoint();

    // Empties the lists, then parses the seven fields in order. On the first
    // field that fails returns false (earlier fields stay filled, the rest
    // empty, so the object matches nothing). On success sorts every list.
    virtual bool SetCrontabTimeStr(const std::string& text);
    // The seven field texts joined with single spaces; see GetFormatStrFromList.
    virtual void GetCrontabTimeStr(std::string& text) const;
    // Years, months, days and weekdays all match.
    virtual bool ValidateDay(int year, int month, int day, int dayOfWeek) const;
    // Hours, minutes and seconds all match.
    virtual bool ValidateTime(int hour, int minute, int second) const;
    // The seven-number form with the value's fields (milliseconds ignored).
    virtual bool VilidateDatetime(const CMyDatetime& moment) const;
    // ValidateDay, then ValidateTime, through the virtual slots.
    virtual bool VilidateDatetime(int year, int month, int day, int dayOfWeek, int hour,
                                  int minute, int second) const;
    // The current local moment, read through the library's clock (gravik::SetClock).
    virtual bool VilidateNow() const;

    // True exactly when SetCrontabTimeStr would accept the text.
    static bool ValidateCrontabTimeStr(const std::string& text);
    // Parses one field and appends its values to `out` (not cleared). With
    // checkRange every number must lie in [min, max]. On an error returns
    // false; the values appended before it stay in `out`.
    static bool FormatStrToList(const std::string& field, int min, int max, std::list<int>& out,
                                bool checkRange);
    static bool ValidateFormatStr(const std::string& field, int min, int max, bool checkRange);
    // One field's text: "*" for a list starting with -1; otherwise the values
    // in list order, runs of two or more consecutive values as "a-b", the rest
    // separated by "," (1,2,3,5 -> "1-3,5"; 3,3,5 -> "3,3,5"). An empty list
    // is written "2-1", an empty range valid in every field, so that writing
    // and parsing again keeps a field that matches nothing.
    static void GetFormatStrFromList(const std::list<int>& values, std::string& text);

    const std::list<int>& Years() const { return m_years; }
    const std::list<int>& Months() const { return m_months; }
    const std::list<int>& Days() const { return m_days; }
    const std::list<int>& Weekdays() const { return m_weekdays; }
    const std::list<int>& Hours() const { return m_hours; }
    const std::list<int>& Minutes() const { return m_minutes; }
    const std::list<int>& Seconds() const { return m_seconds; }

protected:
    void Reset();  // empties the seven lists

    std::list<int> m_years;
    std::list<int> m_months;
    std::list<int> m_days;
    std::list<int> m_weekdays;
    std::list<int> m_hours;
    std::list<int> m_minutes;
    std::list<int> m_seconds;
};

// A time point plus a duration (0 to 23:59:59, in seconds). The hours, minutes
// and seconds give the starts of daily windows; a moment matches when it lies
// in a window (start and end included) whose starting day matches the day
// fields. A window may run past midnight: its starting day is then the day
// before the moment's.
//
// Text syntax: a time point, "|", and hours ":" minutes ":" seconds (0-23,
// 0-59, 0-59, "+" allowed), with blanks around the "|" ignored. A refused
// text leaves the object matching nothing.
class GRAVIK_API CCrontabTimePeriod : public CCrontabTimePoint {
public:
    CCrontabTimePeriod();  // matches nothing, duration 0
    CCrontabTimePeriod(const CCrontabTimePeriod& other);
    CCrontabTimePeriod& operator=(const CCrontabTimePeriod& other);
    ~CCrontabTimePeriod() override;

    bool SetCrontabTimeStr(const std::string& text) override;
    // The time point's text, " | ", then the duration as h:m:s without zero
    // padding (4:0:0).
    void GetCrontabTimeStr(std::string& text) const override;
    using CCrontabTimePoint::ValidateTime;
    using CCrontabTimePoint::VilidateDatetime;
    // True when some window containing the moment starts on a day that
    // ValidateDay accepts.
    bool VilidateDatetime(int year, int month, int day, int dayOfWeek, int hour, int minute,
                          int second) const override;

    static bool ValidateCrontabTimeStr(const std::string& text);
    int Duration() const { return m_duration; }  // seconds

protected:
    // The first window (in list order of hours, minutes, seconds; "*" stands
    // for the moment's own value) that contains the moment; previousDay tells
    // whether that window started the day before.
    virtual bool ValidateTime(int year, int month, int day, int hour, int minute, int second,
                              bool& previousDay) const;

    int m_duration = 0;

private:
    // Calls `visit(previousDay)` for every window containing the moment, in
    // list order, until it returns true.
    template <typename Visit>
    bool ForEachWindow(int year, int month, int day, int hour, int minute, int second,
                       Visit visit) const;
};

#endif  // GRAVIK_CRONTAB_H
