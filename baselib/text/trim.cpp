// Trimming, case changes, character removal and case-insensitive comparison.
#include <gravik/strings.h>

#include <cstring>

namespace gravik {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Keep(std::string& text, std::string result, int keep)
{
    if (keep == 0) text = result;
    return result;
}

}  // namespace

char* LTrimStr(char* text)
{
    if (!text) return text;
    std::size_t skip = 0;
    while (IsBlank(text[skip])) ++skip;
    if (skip > 0) std::memmove(text, text + skip, std::strlen(text + skip) + 1);
    return text;
}

char* RTrimStr(char* text)
{
    if (!text) return text;
    std::size_t len = std::strlen(text);
    while (len > 0 && IsBlank(text[len - 1])) --len;
    text[len] = '\0';
    return text;
}

char* TrimStr(char* text) { return LTrimStr(RTrimStr(text)); }

std::string LeftTrim(std::string& text, int keep)
{
    std::size_t first = 0;
    while (first < text.size() && IsBlank(text[first])) ++first;
    return Keep(text, text.substr(first), keep);
}

std::string RightTrim(std::string& text, int keep)
{
    std::size_t len = text.size();
    while (len > 0 && IsBlank(text[len - 1])) --len;
    return Keep(text, text.substr(0, len), keep);
}

std::string Trim(std::string& text, int keep)
{
    std::string result = text;
    LeftTrim(result, 0);
    RightTrim(result, 0);
    return Keep(text, result, keep);
}

char* UpperStr(char* text)
{
    for (char* p = text; p && *p; ++p)
        if (*p >= 'a' && *p <= 'z') *p = static_cast<char>(*p - 'a' + 'A');
    return text;
}

char* LowerStr(char* text)
{
    for (char* p = text; p && *p; ++p)
        if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p - 'A' + 'a');
    return text;
}

std::string UpperStr(std::string& text, int keep)
{
    std::string result = text;
    for (char& c : result)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return Keep(text, result, keep);
}

std::string LowerStr(std::string& text, int keep)
{
    std::string result = text;
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return Keep(text, result, keep);
}

std::string RemoveStringChar(std::string& text, char c, int keep)
{
    std::string result;
    for (char ch : text) {
        if (ch == '\0') break;
        if (ch != c) result += ch;
    }
    return Keep(text, result, keep);
}

int CompareStrIgnoreCase(const char* a, const char* b)
{
    if (!a || !b) return (a ? 1 : 0) - (b ? 1 : 0);
    auto lower = [](char c) {
        int v = static_cast<unsigned char>(c);
        return (v >= 'A' && v <= 'Z') ? v - 'A' + 'a' : v;
    };
    for (;; ++a, ++b) {
        int d = lower(*a) - lower(*b);
        if (d != 0 || *a == '\0') return d;
    }
}

}  // namespace gravik
