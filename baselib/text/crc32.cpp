#include <gravik/checksum.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace {

// Slicing-by-8: table k advances the register over a byte followed by k zero
// bytes, so eight input bytes are folded per step with independent look-ups.
using Crc32Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Crc32Tables MakeTables()
{
    Crc32Tables t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][n] = c;
    }
    for (std::size_t n = 0; n < 256; ++n)
        for (std::size_t k = 1; k < 8; ++k) t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
    return t;
}

// Built at compile time: no first-use initialisation shared between threads.
constexpr Crc32Tables kTables = MakeTables();

inline std::uint32_t Load32LE(const unsigned char* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

}  // namespace

unsigned long crc32(unsigned long crc, const unsigned char* data, unsigned int length)
{
    if (data == nullptr) return 0;
    // Only the low 32 bits of a previous result are meaningful on a 64-bit long.
    std::uint32_t c = ~static_cast<std::uint32_t>(crc);
    const auto& t = kTables;
    while (length >= 8) {
        const std::uint32_t lo = Load32LE(data) ^ c;
        const std::uint32_t hi = Load32LE(data + 4);
        c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
            t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
        data += 8;
        length -= 8;
    }
    while (length-- > 0) c = t[0][(c ^ *data++) & 0xFF] ^ (c >> 8);
    return ~c;
}
