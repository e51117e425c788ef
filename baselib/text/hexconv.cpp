// Conversions between numbers, bytes and their decimal, hex and binary texts.
#include <gravik/strings.h>

#include "internal/dbcs.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace gravik {
namespace {

const char kHex[] = "0123456789ABCDEF";

int ClampToInt(long long v)
{
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

}  // namespace

std::string IntToStr(int value) { return std::to_string(value); }

std::string CharToHexStr(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return std::string{kHex[b >> 4], kHex[b & 0x0F]};
}

char* GetStartAndBase(char* text, int& base)
{
    base = 10;
    if (!text) return text;
    while (*text == ' ' || *text == '\t') ++text;
    const char* p = text;
    if (*p == '+' || *p == '-') ++p;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) base = 16;
    return text;
}

void AIntToHex(char* out, char* decimal)
{
    if (!out) return;
    // strtoll instead of atoi: atoi's behaviour on overflow is undefined.
    const long long v = decimal ? std::strtoll(decimal, nullptr, 10) : 0;
    std::snprintf(out, 9, "%x", static_cast<unsigned int>(ClampToInt(v)));
}

void HexToAInt(char* out, char* hex)
{
    if (!out) return;
    const long long v = hex ? std::strtoll(hex, nullptr, 16) : 0;
    std::snprintf(out, 12, "%d", ClampToInt(v));
}

int BytesToHexStr(char* out, const unsigned char* data, int n)
{
    if (!out) return 0;
    if (n <= 0 || !data) {
        out[0] = '\0';
        return 0;
    }
    for (int i = 0; i < n; ++i) {
        out[2 * i] = kHex[data[i] >> 4];
        out[2 * i + 1] = kHex[data[i] & 0x0F];
    }
    out[2 * n] = '\0';
    return 2 * n;
}

int BytesToHexStrEx(char* out, const unsigned char* data, int n, char sep)
{
    if (!out || !data || n <= 0) return 0;
    char* p = out;
    for (int i = 0; i < n; ++i) {
        if (i > 0) *p++ = sep;
        *p++ = kHex[data[i] >> 4];
        *p++ = kHex[data[i] & 0x0F];
    }
    *p = '\0';
    return 3 * n - 1;
}

namespace {

char* WriteBits(char* p, unsigned char b, bool space)
{
    for (int bit = 7; bit >= 0; --bit) {
        *p++ = ((b >> bit) & 1) ? '1' : '0';
        if (bit == 4 && space) *p++ = ' ';
    }
    return p;
}

}  // namespace

void ByteToBinStr(char* out, unsigned char b, bool space)
{
    if (!out) return;
    *WriteBits(out, b, space) = '\0';
}

void BytesToBinStr(char* out, const unsigned char* data, int n, bool space)
{
    if (!out || !data || n <= 0) return;
    char* p = out;
    for (int i = 0; i < n; ++i) {
        if (i > 0 && space) *p++ = ' ';
        p = WriteBits(p, data[i], space);
    }
    *p = '\0';
}

int HexStrToBytes(unsigned char* out, const char* hex, int len)
{
    if (!out || !hex || len < 0) return 0;
    const std::size_t available = std::strlen(hex);
    std::size_t n = len == 0 ? available : static_cast<std::size_t>(len);
    if (n > available) n = available;
    const std::size_t pairs = n / 2;
    for (std::size_t i = 0; i < pairs; ++i) {
        const int hi = internal::HexValue(hex[2 * i]);
        const int lo = internal::HexValue(hex[2 * i + 1]);
        out[i] = static_cast<unsigned char>(((hi < 0 ? 0 : hi) << 4) | (lo < 0 ? 0 : lo));
    }
    return static_cast<int>(pairs);
}

int HexStrToBytesEx(unsigned char* out, const char* hex)
{
    if (!out || !hex) return 0;
    int count = 0;
    for (const char* p = hex; *p;) {
        const int hi = internal::HexValue(*p);
        if (hi < 0) {
            ++p;
            continue;
        }
        const int lo = internal::HexValue(p[1]);
        if (lo < 0) break;
        out[count++] = static_cast<unsigned char>((hi << 4) | lo);
        p += 2;
    }
    return count;
}

}  // namespace gravik
