// Counting and the library's own UTF-8 <-> UTF-16 / wide conversions.
#include <gravik/charset.h>
#include <gravik/strings.h>

#include "internal/utf.h"

#include <cstring>

namespace gravik {
namespace {

template <typename Unit>
unsigned int UnitLength(const Unit* text)
{
    unsigned int n = 0;
    if (text)
        while (text[n] != 0) ++n;
    return n;
}

template <typename Unit>
unsigned int FromUtf8(const unsigned char* in, Unit* out, unsigned int* bytes)
{
    unsigned int n = 0;
    if (in && out) {
        internal::DecodeUtf8(in, [&](std::uint16_t u) { out[n++] = static_cast<Unit>(u); });
        out[n] = 0;
    }
    if (bytes) *bytes = 2 * n;
    return n;
}

template <typename Unit>
unsigned int ToUtf8(const Unit* in, unsigned char* out, unsigned int* bytes)
{
    unsigned int units = 0;
    std::size_t written = 0;
    if (in && out) {
        for (; in[units] != 0; ++units) {
            std::uint16_t u;
            if constexpr (sizeof(Unit) > 2)
                u = internal::UnitOf(in[units]);
            else
                u = static_cast<std::uint16_t>(in[units]);
            written += internal::EncodeUtf8(u, out + written);
        }
        out[written] = 0;
    }
    if (bytes) *bytes = static_cast<unsigned int>(written);
    return units;
}

}  // namespace

unsigned int GetANSICharacters(const char* text)
{
    return text ? static_cast<unsigned int>(std::strlen(text)) : 0;
}

unsigned int GetMultiByteCharacters(const char* text) { return WordCount(text); }

unsigned int GetUTF8Characters(const unsigned char* text)
{
    if (!text) return 0;
    return static_cast<unsigned int>(internal::DecodeUtf8(text, [](std::uint16_t) {}));
}

unsigned int GetUTF16Characters(const unsigned short* text) { return UnitLength(text); }
unsigned int GetWCharCharacters(const wchar_t* text) { return UnitLength(text); }

unsigned int GetWCharFromUTF8(const unsigned char* in, wchar_t* out, unsigned int* bytes)
{
    return FromUtf8(in, out, bytes);
}

unsigned int GetUTF16FromUTF8(const unsigned char* in, unsigned short* out, unsigned int* bytes)
{
    return FromUtf8(in, out, bytes);
}

unsigned int GetUTF8FromWChar(const wchar_t* in, unsigned char* out, unsigned int* bytes)
{
    return ToUtf8(in, out, bytes);
}

unsigned int GetUTF8FromUTF16(const unsigned short* in, unsigned char* out, unsigned int* bytes)
{
    return ToUtf8(in, out, bytes);
}

unsigned int LinuxGetWCharFromUTF16(const unsigned short* in, wchar_t* out, unsigned int* bytes)
{
    const unsigned int n = UnitLength(in);
    if (in && out) {
        std::memset(out, 0, (n + 1) * sizeof(wchar_t));
        for (unsigned int i = 0; i < n; ++i) out[i] = static_cast<wchar_t>(in[i]);
    }
    if (bytes) *bytes = 2 * n;
    return n;
}

unsigned int LinuxGetUTF16FromWChar(const wchar_t* in, unsigned short* out, unsigned int* bytes)
{
    const unsigned int n = UnitLength(in);
    if (in && out) {
        for (unsigned int i = 0; i < n; ++i) out[i] = internal::UnitOf(in[i]);
        out[n] = 0;
    }
    if (bytes) *bytes = 2 * n;
    return n;
}

}  // namespace gravik
