// CRC-32 and CRC-16: catalogue check values, chaining, and the table-driven
// forms against a plain bit-by-bit definition.
#include <gravik/checksum.h>

#include "openssl_cli.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>

namespace {

const unsigned char* U(const char* s) { return reinterpret_cast<const unsigned char*>(s); }

// CRC-32 straight from its definition, one bit at a time.
std::uint32_t Crc32BitByBit(const unsigned char* p, std::size_t n)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c & 1u) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
    }
    return ~c;
}

struct CheckValue {
    const char* name;
    unsigned short init;
    unsigned short expected;
};

class Crc16CheckValues : public ::testing::TestWithParam<CheckValue> {};

TEST_P(Crc16CheckValues, BothFormsGiveTheCatalogueValue)
{
    const auto& c = GetParam();
    EXPECT_EQ(crc16(c.init, U("123456789"), 9), c.expected) << c.name;
    EXPECT_EQ(crc16_calculate(c.init, U("123456789"), 9), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, Crc16CheckValues,
                         ::testing::Values(CheckValue{"CRC-16/ARC", 0x0000, 0xBB3D},
                                           CheckValue{"CRC-16/MODBUS", 0xFFFF, 0x4B37}));

TEST(Crc32, PublishedValues)
{
    EXPECT_EQ(crc32(0, U("123456789"), 9), 0xCBF43926ul);
    EXPECT_EQ(crc32(0, U("The quick brown fox jumps over the lazy dog"), 43), 0x414FA339ul);
    EXPECT_EQ(crc32(0, U(""), 0), 0ul);
}

TEST(Crc32, NullDataGivesZeroAndEmptyDataKeepsTheChain)
{
    EXPECT_EQ(crc32(0x12345678ul, nullptr, 10), 0ul);
    EXPECT_EQ(crc32(0xCBF43926ul, U("x"), 0), 0xCBF43926ul);
}

TEST(Crc32, AgreesWithTheBitwiseDefinitionAtEveryLengthAndAlignment)
{
    std::mt19937 rng(1);
    const auto data = testutil::RandomBytes(rng, 300);
    for (std::size_t offset = 0; offset < 8; ++offset)
        for (std::size_t n = 0; n + offset <= data.size(); n += 7)
            ASSERT_EQ(crc32(0, data.data() + offset, static_cast<unsigned>(n)),
                      Crc32BitByBit(data.data() + offset, n))
                << "offset " << offset << " length " << n;
}

TEST(Crc32, ChainingOverPiecesEqualsTheWhole)
{
    std::mt19937 rng(2);
    const auto data = testutil::RandomBytes(rng, 1000);
    const unsigned long whole = crc32(0, data.data(), 1000);
    for (unsigned cut : {0u, 1u, 7u, 8u, 9u, 500u, 999u, 1000u}) {
        const unsigned long first = crc32(0, data.data(), cut);
        EXPECT_EQ(crc32(first, data.data() + cut, 1000 - cut), whole) << "cut " << cut;
    }
}

TEST(Crc16, TableAndBitwiseFormsAgreeAndChain)
{
    std::mt19937 rng(3);
    const auto data = testutil::RandomBytes(rng, 2000);
    for (unsigned short init : {0x0000, 0xFFFF, 0x1D0F}) {
        for (unsigned short n : {0, 1, 2, 63, 1000, 2000}) {
            EXPECT_EQ(crc16(init, data.data(), n), crc16_calculate(init, data.data(), n))
                << "init " << init << " length " << n;
        }
        const unsigned short first = crc16(init, data.data(), 700);
        EXPECT_EQ(crc16(first, data.data() + 700, 1300), crc16(init, data.data(), 2000));
    }
}

TEST(Crc16, NullDataKeepsTheInitialValue)
{
    EXPECT_EQ(crc16(0xFFFF, nullptr, 5), 0xFFFF);
    EXPECT_EQ(crc16_calculate(0x1234, nullptr, 5), 0x1234);
}

}  // namespace
