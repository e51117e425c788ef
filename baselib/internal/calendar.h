// Julian day arithmetic and text scanning shared by the date classes.
#ifndef GRAVIK_INTERNAL_CALENDAR_H
#define GRAVIK_INTERNAL_CALENDAR_H

#include <climits>
#include <cstdint>

namespace gravik::internal {

constexpr long long kMaxJulian = (1LL << 30) - 1;
constexpr long long kMsPerDay = 86400000LL;

inline long long FloorDiv(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

inline long long ClampJulian(long long j) { return j < 0 ? 0 : (j > kMaxJulian ? kMaxJulian : j); }

// Julian day of a Gregorian date. The month is brought into 1..12 first (the
// day-number formula alone rolls months above 14 wrongly), the day is linear.
inline long long JulianOf(long long day, long long month, long long year)
{
    year += FloorDiv(month - 1, 12);
    month = month - 12 * FloorDiv(month - 1, 12);
    // Floor division keeps the formula right for years before -4800 too (only
    // to be clamped, but with a day offset that may bring them back in range).
    const long long a = (month - 14) / 12;
    const long long first = FloorDiv(1461 * (year + 4800 + a), 4) +
                            (367 * (month - 2 - 12 * a)) / 12 -
                            FloorDiv(3 * FloorDiv(year + 4900 + a, 100), 4) + 1 - 32075;
    return ClampJulian(first + (day - 1));
}

struct CivilDate {
    int day, month, year, dayOfWeek;
};

inline CivilDate SplitJulian(long long j)
{
    long long l = j + 68569;
    const long long n = (4 * l) / 146097;
    l = l - (146097 * n + 3) / 4;
    const long long i = (4000 * (l + 1)) / 1461001;
    l = l - (1461 * i) / 4 + 31;
    const long long jj = (80 * l) / 2447;
    const long long day = l - (2447 * jj) / 80;
    const long long k = jj / 11;
    const long long month = jj + 2 - 12 * k;
    const long long year = 100 * (n - 49) + i + k;
    return {static_cast<int>(day), static_cast<int>(month), static_cast<int>(year),
            static_cast<int>((j + 1) % 7)};
}

inline bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Reads up to `count` numbers separated by single characters, as sscanf with
// "%d%c%d..." would: a number skips leading white space and takes an optional
// sign and at least one digit (clamped to the int range); a separator is any
// one character. Stops at the first item that cannot be read. Returns the
// numbers read; seps[i] receives the character after number i.
inline int ScanNumbers(const char* p, int count, int* nums, char* seps)
{
    if (!p) return 0;
    for (int i = 0; i < count; ++i) {
        while (IsSpace(*p)) ++p;
        bool negative = false;
        if (*p == '+' || *p == '-') negative = *p++ == '-';
        if (*p < '0' || *p > '9') return i;
        long long v = 0;
        for (; *p >= '0' && *p <= '9'; ++p)
            if (v <= INT_MAX) v = v * 10 + (*p - '0');
        if (negative) v = -v;
        nums[i] = v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : static_cast<int>(v));
        if (i + 1 < count) {
            if (*p == '\0') return i + 1;
            seps[i] = *p++;
        }
    }
    return count;
}

}  // namespace gravik::internal

#endif  // GRAVIK_INTERNAL_CALENDAR_H
