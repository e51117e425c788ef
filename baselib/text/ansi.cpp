// Conversions between the ANSI character set (the current locale's) and
// 16-bit units, through iconv.
#include <gravik/charset.h>
#include <gravik/strings.h>

#include "internal/utf.h"

#include <iconv.h>
#include <langinfo.h>

#include <bit>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace gravik {
namespace {

const char* Utf16Name()
{
    return std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
}

// One converter per call: iconv descriptors carry state and must not be
// shared between threads.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (ok()) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`; on an invalid or unrepresentable input element it
    // appends `replacement` and skips `skip` input bytes (0: one byte, or two
    // when a high byte follows a high byte, i.e. one bad double-byte character).
    std::string Run(const char* in, std::size_t len, const std::string& replacement,
                    std::size_t skip)
    {
        std::string out;
        char buf[512];
        char* src = const_cast<char*>(in);
        std::size_t left = len;
        while (true) {
            char* dst = buf;
            std::size_t room = sizeof buf;
            const std::size_t r = left > 0 ? iconv(m_cd, &src, &left, &dst, &room)
                                           : iconv(m_cd, nullptr, nullptr, &dst, &room);
            out.append(buf, static_cast<std::size_t>(dst - buf));
            if (r != static_cast<std::size_t>(-1)) {
                if (left == 0) {
                    // Flush any shift state once the input is used up.
                    dst = buf;
                    room = sizeof buf;
                    iconv(m_cd, nullptr, nullptr, &dst, &room);
                    out.append(buf, static_cast<std::size_t>(dst - buf));
                    return out;
                }
                continue;
            }
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (an incomplete sequence at the end).
            out += replacement;
            std::size_t step = skip;
            if (step == 0) {
                const auto* b = reinterpret_cast<const unsigned char*>(src);
                step = (left >= 2 && b[0] >= 0x80 && b[1] >= 0x80) ? 2 : 1;
            }
            if (step > left) step = left;
            src += step;
            left -= step;
            if (left == 0) return out;
        }
    }

private:
    iconv_t m_cd;
};

const char* AnsiName() { return nl_langinfo(CODESET); }

// ANSI bytes -> UTF-16 units. False when no converter exists.
bool AnsiToUnits(const char* in, std::size_t len, std::u16string& units)
{
    Converter cv(Utf16Name(), AnsiName());
    if (!cv.ok()) return false;
    const char16_t fffd = u'\uFFFD';
    const std::string bytes =
        cv.Run(in, len, std::string(reinterpret_cast<const char*>(&fffd), 2), 0);
    units.assign(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
    return true;
}

// UTF-16 units -> ANSI bytes. False when no converter exists.
bool UnitsToAnsi(const std::u16string& units, std::string& out)
{
    Converter cv(AnsiName(), Utf16Name());
    if (!cv.ok()) return false;
    out = cv.Run(reinterpret_cast<const char*>(units.data()), units.size() * 2, "?", 2);
    return true;
}

template <typename Unit>
std::u16string UnitsOf(const Unit* in)
{
    std::u16string units;
    for (; in && *in; ++in) {
        if constexpr (sizeof(Unit) > 2)
            units += static_cast<char16_t>(internal::UnitOf(*in));
        else
            units += static_cast<char16_t>(*in);
    }
    return units;
}

// Writes `ansi` and a terminator when it fits in `limit` bytes; otherwise an
// empty text. Returns the bytes written without the terminator.
unsigned int PutAnsi(const std::string& ansi, char* out, std::size_t limit)
{
    if (ansi.size() + 1 > limit) {
        out[0] = '\0';
        return 0;
    }
    std::memcpy(out, ansi.data(), ansi.size());
    out[ansi.size()] = '\0';
    return static_cast<unsigned int>(ansi.size());
}

template <typename Unit>
unsigned int UnitsToAnsiBuffer(const std::u16string& units, char* out)
{
    std::string ansi;
    if (!UnitsToAnsi(units, ansi)) {
        out[0] = '\0';
        return 0;
    }
    return PutAnsi(ansi, out, 2 * units.size() + 2);
}

template <typename Unit>
unsigned int AnsiToUnitBuffer(const char* in, Unit* out, unsigned int* bytes)
{
    unsigned int n = 0;
    if (in && out) {
        std::u16string units;
        const std::size_t room = WordCount(in);  // characters, terminator not counted
        if (AnsiToUnits(in, std::strlen(in), units) && units.size() <= room) {
            for (char16_t u : units) out[n++] = static_cast<Unit>(u);
        }
        out[n] = 0;
    }
    if (bytes) *bytes = 2 * n;
    return n;
}

}  // namespace

unsigned int GetUTF8FromANSI(const char* in, unsigned char* out, unsigned int* bytes)
{
    if (bytes) *bytes = 0;
    if (!in || !out || *in == '\0') return 0;
    std::u16string units;
    if (!AnsiToUnits(in, std::strlen(in), units)) return 0;
    std::size_t written = 0;
    for (char16_t u : units) written += internal::EncodeUtf8(u, out + written);
    out[written] = 0;
    if (bytes) *bytes = static_cast<unsigned int>(written);
    return static_cast<unsigned int>(units.size());
}

unsigned int GetANSIFromUTF8(const unsigned char* in, char* out)
{
    if (!in || !out) return 0;
    std::u16string units;
    internal::DecodeUtf8(in, [&units](std::uint16_t u) { units += static_cast<char16_t>(u); });
    return UnitsToAnsiBuffer<char16_t>(units, out);
}

unsigned int GetANSIFromWChar(const wchar_t* in, char* out)
{
    if (!in || !out) return 0;
    return UnitsToAnsiBuffer<wchar_t>(UnitsOf(in), out);
}

unsigned int GetANSIFromUTF16(const unsigned short* in, char* out)
{
    if (!in || !out) return 0;
    return UnitsToAnsiBuffer<unsigned short>(UnitsOf(in), out);
}

unsigned int GetWCharFromANSI(const char* in, wchar_t* out, unsigned int* bytes)
{
    return AnsiToUnitBuffer(in, out, bytes);
}

unsigned int GetUTF16FromANSI(const char* in, unsigned short* out, unsigned int* bytes)
{
    return AnsiToUnitBuffer(in, out, bytes);
}

bool StrToWStr(const std::string& text, std::wstring& wide)
{
    if (text.empty()) return false;
    std::u16string units;
    if (!AnsiToUnits(text.data(), text.size(), units)) return false;
    wide.assign(units.begin(), units.end());
    return true;
}

bool WStrToStr(const std::wstring& wide, std::string& text)
{
    if (wide.empty()) return false;
    std::u16string units;
    for (wchar_t w : wide) units += static_cast<char16_t>(internal::UnitOf(w));
    std::string ansi;
    if (!UnitsToAnsi(units, ansi)) return false;
    text = ansi;
    return true;
}

}  // namespace gravik
