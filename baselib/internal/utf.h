// UTF-8 <-> 16-bit unit coding shared by the character-set functions.
#ifndef GRAVIK_INTERNAL_UTF_H
#define GRAVIK_INTERNAL_UTF_H

#include <cstddef>
#include <cstdint>

namespace gravik::internal {

// Length of the UTF-8 character that starts with b (1, 2 or 3).
inline std::size_t Utf8Length(unsigned char b) { return b < 0x80 ? 1 : (b >= 0xE0 ? 3 : 2); }

// Calls emit(unit) for every complete character of the NUL-terminated UTF-8
// text; a character cut short by the terminator ends the walk.
template <typename Emit>
std::size_t DecodeUtf8(const unsigned char* p, Emit emit)
{
    std::size_t count = 0;
    while (*p) {
        const std::size_t len = Utf8Length(*p);
        if (len >= 2 && p[1] == 0) break;
        if (len == 3 && p[2] == 0) break;
        std::uint16_t u;
        if (len == 1)
            u = p[0];
        else if (len == 2)
            u = static_cast<std::uint16_t>(((p[0] & 0x1F) << 6) | (p[1] & 0x3F));
        else
            u = static_cast<std::uint16_t>(((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) |
                                           (p[2] & 0x3F));
        emit(u);
        ++count;
        p += len;
    }
    return count;
}

// Writes the UTF-8 form of one unit; returns the bytes written.
inline std::size_t EncodeUtf8(std::uint16_t u, unsigned char* out)
{
    if (u < 0x80) {
        out[0] = static_cast<unsigned char>(u);
        return 1;
    }
    if (u < 0x800) {
        out[0] = static_cast<unsigned char>(0xC0 | (u >> 6));
        out[1] = static_cast<unsigned char>(0x80 | (u & 0x3F));
        return 2;
    }
    out[0] = static_cast<unsigned char>(0xE0 | (u >> 12));
    out[1] = static_cast<unsigned char>(0x80 | ((u >> 6) & 0x3F));
    out[2] = static_cast<unsigned char>(0x80 | (u & 0x3F));
    return 3;
}

// A wchar_t as a 16-bit unit: values beyond 16 bits become U+FFFD.
inline std::uint16_t UnitOf(wchar_t w)
{
    const auto v = static_cast<std::uint32_t>(w);
    return v > 0xFFFF ? std::uint16_t{0xFFFD} : static_cast<std::uint16_t>(v);
}

}  // namespace gravik::internal

#endif  // GRAVIK_INTERNAL_UTF_H
