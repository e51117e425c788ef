// AES: FIPS-197 known answers for each key size, refused key sizes, in-place
// blocks, and random data against the openssl command line.
#include <gravik/aes.h>

#include "openssl_cli.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using testutil::Bytes;
using testutil::FromHex;
using testutil::ToHex;

struct AesVector {
    const char* key;
    const char* plain;
    const char* cipher;
};

class Fips197 : public ::testing::TestWithParam<AesVector> {};

TEST_P(Fips197, EncryptAndDecrypt)
{
    const auto& v = GetParam();
    const Bytes key = FromHex(v.key);
    const Bytes plain = FromHex(v.plain);
    aes_context ctx;
    ASSERT_EQ(aes_set_key(&ctx, key.data(), static_cast<int>(key.size() * 8)), 0);
    unsigned char out[16], back[16];
    aes_encrypt(&ctx, plain.data(), out);
    EXPECT_EQ(ToHex(out, 16), v.cipher);
    aes_decrypt(&ctx, out, back);
    EXPECT_EQ(ToHex(back, 16), v.plain);
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, Fips197,
    ::testing::Values(
        // Appendix B worked example and the Appendix C examples for each key size.
        AesVector{"2b7e151628aed2a6abf7158809cf4f3c", "3243f6a8885a308d313198a2e0370734",
                  "3925841d02dc09fbdc118597196a0b32"},
        AesVector{"000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff",
                  "69c4e0d86a7b0430d8cdb78070b4c55a"},
        AesVector{"000102030405060708090a0b0c0d0e0f1011121314151617",
                  "00112233445566778899aabbccddeeff", "dda97ca4864cdfe06eaf70a0ec0d7191"},
        AesVector{"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
                  "00112233445566778899aabbccddeeff", "8ea2b7ca516745bfeafc49904b496089"}));

class AesBadKeySize : public ::testing::TestWithParam<int> {};

TEST_P(AesBadKeySize, IsRefusedAndTheContextWritesNothing)
{
    unsigned char key[64] = {};
    aes_context ctx;
    // First a good key, so a refusal must really disable the context.
    ASSERT_EQ(aes_set_key(&ctx, key, 128), 0);
    EXPECT_EQ(aes_set_key(&ctx, key, GetParam()), 1);
    unsigned char in[16] = {1, 2, 3}, out[16] = {};
    aes_encrypt(&ctx, in, out);
    aes_decrypt(&ctx, in, out);
    EXPECT_EQ(ToHex(out, 16), std::string(32, '0'));
}

INSTANTIATE_TEST_SUITE_P(Sizes, AesBadKeySize,
                         ::testing::Values(0, 100, 64, 127, 129, 160, 224, 255, 257, 384, 512,
                                           -128));

TEST(Aes, NullArguments)
{
    aes_context ctx;
    unsigned char key[16] = {};
    EXPECT_EQ(aes_set_key(&ctx, nullptr, 128), 1);
    EXPECT_EQ(aes_set_key(nullptr, key, 128), 1);
    ASSERT_EQ(aes_set_key(&ctx, key, 128), 0);
    unsigned char out[16] = {5};
    aes_encrypt(&ctx, nullptr, out);
    aes_decrypt(nullptr, key, out);
    EXPECT_EQ(out[0], 5);
}

TEST(Aes, InPlaceBlock)
{
    const Bytes key = FromHex("000102030405060708090a0b0c0d0e0f");
    Bytes block = FromHex("00112233445566778899aabbccddeeff");
    aes_context ctx;
    aes_set_key(&ctx, key.data(), 128);
    aes_encrypt(&ctx, block.data(), block.data());
    EXPECT_EQ(ToHex(block), "69c4e0d86a7b0430d8cdb78070b4c55a");
    aes_decrypt(&ctx, block.data(), block.data());
    EXPECT_EQ(ToHex(block), "00112233445566778899aabbccddeeff");
}

class AesAgainstOpenssl : public ::testing::TestWithParam<int> {};

TEST_P(AesAgainstOpenssl, RandomKeysAndBlocks)
{
    if (!testutil::OpensslAvailable()) GTEST_SKIP() << "openssl command line not installed";
    const int bits = GetParam();
    std::mt19937 rng(50 + bits);
    for (int round = 0; round < 6; ++round) {
        const Bytes key = testutil::RandomBytes(rng, static_cast<std::size_t>(bits / 8));
        const Bytes data = testutil::RandomBytes(rng, 16 * (1 + rng() % 64));
        const auto ref = testutil::RunOpenssl(
            "enc -aes-" + std::to_string(bits) + "-ecb -nopad -K " + ToHex(key), data);
        ASSERT_TRUE(ref.has_value()) << "openssl enc -aes-" << bits << "-ecb failed";
        aes_context ctx;
        ASSERT_EQ(aes_set_key(&ctx, key.data(), bits), 0);
        Bytes enc(data.size()), dec(data.size());
        for (std::size_t i = 0; i < data.size(); i += 16) {
            aes_encrypt(&ctx, data.data() + i, enc.data() + i);
            aes_decrypt(&ctx, enc.data() + i, dec.data() + i);
        }
        EXPECT_EQ(ToHex(enc), ToHex(*ref));
        EXPECT_EQ(dec, data);
    }
}

INSTANTIATE_TEST_SUITE_P(KeySizes, AesAgainstOpenssl, ::testing::Values(128, 192, 256));

}  // namespace
