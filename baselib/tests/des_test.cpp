// DES and Triple DES: published known answers, parity independence, the
// relations between the keying options, and random blocks against openssl.
#include <gravik/des.h>

#include "openssl_cli.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using testutil::Bytes;
using testutil::FromHex;
using testutil::ToHex;

struct DesVector {
    const char* key;
    const char* plain;
    const char* cipher;
};

class DesKnownAnswers : public ::testing::TestWithParam<DesVector> {};

TEST_P(DesKnownAnswers, EncryptAndDecrypt)
{
    const auto& v = GetParam();
    const Bytes key = FromHex(v.key);
    const Bytes plain = FromHex(v.plain);
    des_context ctx;
    ASSERT_EQ(des_set_key(&ctx, key.data()), 0);
    unsigned char out[8];
    des_encrypt(&ctx, plain.data(), out);
    EXPECT_EQ(ToHex(out, 8), v.cipher);
    unsigned char back[8];
    des_decrypt(&ctx, out, back);
    EXPECT_EQ(ToHex(back, 8), v.plain);
}

INSTANTIATE_TEST_SUITE_P(
    Published, DesKnownAnswers,
    ::testing::Values(
        // NIST SP 800-17: first entries of the variable-plaintext and variable-key tables.
        DesVector{"0101010101010101", "8000000000000000", "95f8a5e5dd31d900"},
        DesVector{"0101010101010101", "4000000000000000", "dd7f121ca5015619"},
        DesVector{"8001010101010101", "0000000000000000", "95a8d72813daa94d"},
        DesVector{"4001010101010101", "0000000000000000", "0eec1487dd8c26d5"},
        // FIPS 81 example ("Now is t") and the classic worked example.
        DesVector{"0123456789abcdef", "4e6f772069732074", "3fa40e8a984d4815"},
        DesVector{"133457799bbcdff1", "0123456789abcdef", "85e813540f0ab405"}));

TEST(Des, ParityBitsAreIgnored)
{
    const Bytes key = FromHex("133457799bbcdff1");
    Bytes flipped = key;
    for (auto& b : flipped) b ^= 1;
    des_context a, b;
    des_set_key(&a, key.data());
    des_set_key(&b, flipped.data());
    const Bytes plain = FromHex("0123456789abcdef");
    unsigned char x[8], y[8];
    des_encrypt(&a, plain.data(), x);
    des_encrypt(&b, plain.data(), y);
    EXPECT_EQ(ToHex(x, 8), ToHex(y, 8));
}

TEST(Des, InPlaceBlocks)
{
    const Bytes key = FromHex("0123456789abcdef");
    des_context ctx;
    des_set_key(&ctx, key.data());
    unsigned char block[8] = {'N', 'o', 'w', ' ', 'i', 's', ' ', 't'};
    des_encrypt(&ctx, block, block);
    EXPECT_EQ(ToHex(block, 8), "3fa40e8a984d4815");
    des_decrypt(&ctx, block, block);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(block), 8), "Now is t");
}

TEST(Tdes, Sp800_67ExampleWithThreeKeys)
{
    const Bytes k1 = FromHex("0123456789abcdef");
    const Bytes k2 = FromHex("23456789abcdef01");
    const Bytes k3 = FromHex("456789abcdef0123");
    des3_context ctx;
    ASSERT_EQ(des3_set_3keys(&ctx, k1.data(), k2.data(), k3.data()), 0);
    const std::string plain = "The qufck brown fox jump";
    const char* expected[3] = {"a826fd8ce53b855f", "cce21c8112256fe6", "68d5c05dd9b6b900"};
    for (int i = 0; i < 3; ++i) {
        unsigned char out[8], back[8];
        des3_encrypt(&ctx, reinterpret_cast<const unsigned char*>(plain.data()) + 8 * i, out);
        EXPECT_EQ(ToHex(out, 8), expected[i]) << "block " << i;
        des3_decrypt(&ctx, out, back);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(back), 8), plain.substr(8 * i, 8));
    }
}

// Keying option 2 is option 1 with key3 = key1; one key three times is plain DES.
TEST(Tdes, KeyingOptionsRelate)
{
    std::mt19937 rng(40);
    for (int round = 0; round < 20; ++round) {
        const Bytes k1 = testutil::RandomBytes(rng, 8);
        const Bytes k2 = testutil::RandomBytes(rng, 8);
        const Bytes block = testutil::RandomBytes(rng, 8);
        des3_context two, three, single3;
        des3_set_2keys(&two, k1.data(), k2.data());
        des3_set_3keys(&three, k1.data(), k2.data(), k1.data());
        des3_set_3keys(&single3, k1.data(), k1.data(), k1.data());
        des_context single;
        des_set_key(&single, k1.data());
        unsigned char a[8], b[8], c[8], d[8];
        des3_encrypt(&two, block.data(), a);
        des3_encrypt(&three, block.data(), b);
        des3_encrypt(&single3, block.data(), c);
        des_encrypt(&single, block.data(), d);
        EXPECT_EQ(ToHex(a, 8), ToHex(b, 8));
        EXPECT_EQ(ToHex(c, 8), ToHex(d, 8));
        des3_decrypt(&two, a, a);
        EXPECT_EQ(ToHex(a, 8), ToHex(block));
    }
}

TEST(Des, NullArgumentsAreRefused)
{
    const unsigned char key[8] = {};
    des_context ctx;
    des3_context ctx3;
    EXPECT_EQ(des_set_key(nullptr, key), -1);
    EXPECT_EQ(des_set_key(&ctx, nullptr), -1);
    EXPECT_EQ(des3_set_2keys(&ctx3, key, nullptr), -1);
    EXPECT_EQ(des3_set_3keys(&ctx3, key, key, nullptr), -1);
    EXPECT_EQ(des3_set_3keys(nullptr, key, key, key), -1);
    des_set_key(&ctx, key);
    unsigned char out[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    des_encrypt(&ctx, nullptr, out);
    des_decrypt(nullptr, key, out);
    des3_encrypt(nullptr, key, out);
    EXPECT_EQ(ToHex(out, 8), "0909090909090909");
}

// Encrypts `blocks` in ECB with our code, one block per call.
template <typename Ctx, typename Fn>
Bytes Ecb(Ctx* ctx, Fn fn, const Bytes& data)
{
    Bytes out(data.size());
    for (std::size_t i = 0; i < data.size(); i += 8) fn(ctx, data.data() + i, out.data() + i);
    return out;
}

TEST(Tdes, RandomBlocksAgreeWithOpenssl)
{
    if (!testutil::OpensslAvailable()) GTEST_SKIP() << "openssl command line not installed";
    std::mt19937 rng(41);
    for (int round = 0; round < 8; ++round) {
        const Bytes k1 = testutil::RandomBytes(rng, 8), k2 = testutil::RandomBytes(rng, 8),
                    k3 = testutil::RandomBytes(rng, 8);
        const Bytes data = testutil::RandomBytes(rng, 8 * (1 + rng() % 64));
        des3_context ctx;
        des3_set_3keys(&ctx, k1.data(), k2.data(), k3.data());
        const auto ref = testutil::RunOpenssl(
            "enc -des-ede3-ecb -nopad -K " + ToHex(k1) + ToHex(k2) + ToHex(k3), data);
        ASSERT_TRUE(ref.has_value()) << "openssl enc -des-ede3-ecb failed";
        EXPECT_EQ(ToHex(Ecb(&ctx, des3_encrypt, data)), ToHex(*ref));
        EXPECT_EQ(ToHex(Ecb(&ctx, des3_decrypt, *ref)), ToHex(data));
    }
}

TEST(Des, RandomBlocksAgreeWithOpenssl)
{
    if (!testutil::OpensslAvailable()) GTEST_SKIP() << "openssl command line not installed";
    std::mt19937 rng(42);
    for (int round = 0; round < 8; ++round) {
        const Bytes key = testutil::RandomBytes(rng, 8);
        const Bytes data = testutil::RandomBytes(rng, 8 * (1 + rng() % 64));
        const auto ref = testutil::RunOpenssl(
            "enc -des-ecb -nopad -provider legacy -provider default -K " + ToHex(key), data);
        if (!ref) GTEST_SKIP() << "openssl has no single DES here (legacy provider missing)";
        des_context ctx;
        des_set_key(&ctx, key.data());
        EXPECT_EQ(ToHex(Ecb(&ctx, des_encrypt, data)), ToHex(*ref));
    }
}

}  // namespace
