// Number tests on texts.
#include <gravik/strings.h>

#include <cstring>

namespace gravik {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool Number(const char* p, std::size_t n)
{
    if (n == 0) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (!IsDigit(p[i])) return false;
    return true;
}

bool Integer(const char* p, std::size_t n)
{
    if (n == 0) return false;
    std::size_t i = (p[0] == '+' || p[0] == '-') ? 1 : 0;
    for (; i < n; ++i)
        if (!IsDigit(p[i])) return false;
    return true;
}

bool Float(const char* p, std::size_t n)
{
    if (n == 0) return false;
    std::size_t i = (p[0] == '+' || p[0] == '-') ? 1 : 0;
    if (i < n && p[i] == '.') return false;
    bool point = false;
    for (; i < n; ++i) {
        if (p[i] == '.') {
            if (point) return false;
            point = true;
        } else if (!IsDigit(p[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsNumber(const char* text) { return text && Number(text, std::strlen(text)); }
bool IsNumber(const std::string& text) { return Number(text.data(), text.size()); }
bool IsInteger(const char* text) { return text && Integer(text, std::strlen(text)); }
bool IsInteger(const std::string& text) { return Integer(text.data(), text.size()); }
bool IsFloat(const char* text) { return text && Float(text, std::strlen(text)); }
bool IsFloat(const std::string& text) { return Float(text.data(), text.size()); }

}  // namespace gravik
