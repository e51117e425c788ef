// Double-byte character counting shared by the string and character-set code.
#ifndef GRAVIK_INTERNAL_DBCS_H
#define GRAVIK_INTERNAL_DBCS_H

#include <cstddef>

namespace gravik::internal {

inline bool IsHighByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Lead-byte stepping over text[0..len): a lone lead byte at the end counts one.
inline std::size_t CountLeadByteStepping(const char* text, std::size_t len)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < len; ++count) i += IsHighByte(text[i]) ? 2 : 1;
    return count;
}

// Pair counting. When stopAfter > 0, returns through `cut` the byte index just
// after the character that brings the count to stopAfter (len when it is never
// reached).
inline std::size_t CountPairs(const char* text, std::size_t len, std::size_t stopAfter,
                              std::size_t* cut)
{
    std::size_t count = 0;
    bool half = false;
    if (cut) *cut = len;
    for (std::size_t i = 0; i < len; ++i) {
        if (!IsHighByte(text[i])) {
            ++count;
        } else if (half) {
            ++count;
            half = false;
        } else {
            half = true;
            continue;
        }
        if (stopAfter > 0 && count == stopAfter && cut) {
            *cut = i + 1;
            return count;
        }
    }
    return count;
}

inline int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace gravik::internal

#endif  // GRAVIK_INTERNAL_DBCS_H
