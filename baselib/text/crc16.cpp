#include <gravik/checksum.h>

#include <array>
#include <cstdint>

namespace {

constexpr std::uint16_t kPoly = 0xA001;  // 0x8005 bit-reversed

constexpr std::array<std::uint16_t, 256> MakeTable()
{
    std::array<std::uint16_t, 256> t{};
    for (unsigned n = 0; n < 256; ++n) {
        std::uint16_t c = static_cast<std::uint16_t>(n);
        for (int k = 0; k < 8; ++k)
            c = static_cast<std::uint16_t>((c & 1u) ? (c >> 1) ^ kPoly : c >> 1);
        t[n] = c;
    }
    return t;
}

constexpr std::array<std::uint16_t, 256> kTable = MakeTable();

}  // namespace

unsigned short crc16(unsigned short crc, const unsigned char* data, unsigned short length)
{
    if (data == nullptr) return crc;
    std::uint16_t c = crc;
    for (unsigned i = 0; i < length; ++i)
        c = static_cast<std::uint16_t>((c >> 8) ^ kTable[(c ^ data[i]) & 0xFF]);
    return c;
}

unsigned short crc16_calculate(unsigned short crc, const unsigned char* data,
                               unsigned short length)
{
    if (data == nullptr) return crc;
    std::uint16_t c = crc;
    for (unsigned i = 0; i < length; ++i) {
        c = static_cast<std::uint16_t>(c ^ data[i]);
        for (int k = 0; k < 8; ++k)
            c = static_cast<std::uint16_t>((c & 1u) ? (c >> 1) ^ kPoly : c >> 1);
    }
    return c;
}
