#include <gravik/crontab.h>

#include <climits>
#include <cstddef>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string TrimBlanks(const std::string& s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// Decimal digits after an optional "+". A sign alone is no number, and values
// beyond the int range are refused rather than wrapped.
bool ParseNumber(const std::string& s, std::size_t b, std::size_t e, int& value)
{
    if (b < e && s[b] == '+') ++b;
    if (b == e) return false;
    long long v = 0;
    for (std::size_t i = b; i < e; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
        if (v > INT_MAX) return false;
    }
    value = static_cast<int>(v);
    return true;
}

// Parses a field; `out` may be null to validate only.
bool ParseField(const std::string& raw, int min, int max, std::list<int>* out, bool checkRange)
{
    const std::string field = TrimBlanks(raw);
    if (field.empty()) return false;
    if (field == "*") {
        if (out) out->push_back(-1);
        return true;
    }
    auto inRange = [&](int v) { return !checkRange || (v >= min && v <= max); };
    // Counts the values this field adds, so that a range like 0-2000000000 in
    // the unchecked year field is refused instead of exhausting memory.
    long long added = 0;
    std::size_t pos = 0;
    while (true) {
        std::size_t comma = field.find(',', pos);
        if (comma == std::string::npos) comma = field.size();
        if (comma == pos) return false;  // empty item: "1,,2", ",1" or "1,"
        const std::size_t dash = field.find('-', pos);
        if (dash != std::string::npos && dash < comma) {
            int a = 0;
            int b = 0;
            if (!ParseNumber(field, pos, dash, a) || !ParseNumber(field, dash + 1, comma, b))
                return false;
            if (!inRange(a) || !inRange(b)) return false;
            if (b >= a) {
                added += static_cast<long long>(b) - a + 1;
                if (added > CCrontabTimePoint::MaxFieldValues) return false;
                if (out)
                    for (long long v = a; v <= b; ++v) out->push_back(static_cast<int>(v));
            }
        } else {
            int v = 0;
            if (!ParseNumber(field, pos, comma, v) || !inRange(v)) return false;
            if (++added > CCrontabTimePoint::MaxFieldValues) return false;
            if (out) out->push_back(v);
        }
        if (comma == field.size()) return true;
        pos = comma + 1;
        if (pos == field.size()) return false;  // trailing ","
    }
}

}  // namespace

bool CCrontabTimePoint::FormatStrToList(const std::string& field, int min, int max,
                                        std::list<int>& out, bool checkRange)
{
    return ParseField(field, min, max, &out, checkRange);
}

bool CCrontabTimePoint::ValidateFormatStr(const std::string& field, int min, int max,
                                          bool checkRange)
{
    return ParseField(field, min, max, nullptr, checkRange);
}

void CCrontabTimePoint::GetFormatStrFromList(const std::list<int>& values, std::string& text)
{
    text.clear();
    if (values.empty()) {
        text = "2-1";
        return;
    }
    if (values.front() == -1) {
        text = "*";
        return;
    }
    auto it = values.begin();
    int runStart = *it;
    int prev = *it;
    auto flush = [&] {
        if (!text.empty()) text += ',';
        text += std::to_string(runStart);
        if (prev != runStart) text += '-' + std::to_string(prev);
    };
    for (++it; it != values.end(); ++it) {
        if (prev != INT_MAX && *it == prev + 1) {
            prev = *it;
            continue;
        }
        flush();
        runStart = prev = *it;
    }
    flush();
}
