// RC4: RFC 6229 key streams, continuation across calls, refused keys, and
// random data against the openssl command line.
#include <gravik/rc4.h>

#include "openssl_cli.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using testutil::Bytes;
using testutil::FromHex;
using testutil::ToHex;

// Key stream = encryption of zeros.
Bytes KeyStream(const Bytes& key, std::size_t n)
{
    rc4_state st;
    rc4_setup(&st, key.data(), static_cast<int>(key.size()));
    Bytes out(n, 0);
    rc4_crypt(&st, out.data(), static_cast<int>(n));
    return out;
}

struct StreamAt {
    const char* key;
    std::size_t offset;
    const char* stream;  // 16 key-stream bytes from `offset`
};

class Rfc6229 : public ::testing::TestWithParam<StreamAt> {};

TEST_P(Rfc6229, KeyStreamAtOffset)
{
    const auto& v = GetParam();
    const Bytes ks = KeyStream(FromHex(v.key), v.offset + 16);
    EXPECT_EQ(ToHex(ks.data() + v.offset, 16), v.stream) << "key " << v.key << " offset " << v.offset;
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, Rfc6229,
    ::testing::Values(
        StreamAt{"0102030405", 0, "b2396305f03dc027ccc3524a0a1118a8"},
        StreamAt{"0102030405", 16, "6982944f18fc82d589c403a47a0d0919"},
        StreamAt{"0102030405", 240, "28cb1132c96ce286421dcaadb8b69eae"},
        StreamAt{"0102030405", 256, "1cfcf62b03eddb641d77dfcf7f8d8c93"},
        StreamAt{"0102030405", 4096, "ff25b58995996707e51fbdf08b34d875"},
        StreamAt{"0102030405060708", 0, "97ab8a1bf0afb96132f2f67258da15a8"},
        StreamAt{"0102030405060708090a0b0c0d0e0f10", 0, "9ac7cc9a609d1ef7b2932899cde41b97"},
        StreamAt{"0102030405060708090a0b0c0d0e0f10", 16, "5248c4959014126a6e8a84f11d1a9e1c"},
        StreamAt{"0102030405060708090a0b0c0d0e0f10", 240, "065902e4b620f6cc36c8589f66432f2b"},
        StreamAt{"0102030405060708090a0b0c0d0e0f10", 4096, "a36a4c301ae8ac13610ccbc12256cacc"}));

TEST(Rc4, ChunkedCryptContinuesTheStreamAndDecrypts)
{
    std::mt19937 rng(30);
    const Bytes key = testutil::RandomBytes(rng, 13);
    const Bytes plain = testutil::RandomBytes(rng, 1000);

    Bytes whole = plain;
    rc4_state a;
    rc4_setup(&a, key.data(), 13);
    rc4_crypt(&a, whole.data(), 1000);
    EXPECT_NE(whole, plain);

    Bytes chunked = plain;
    rc4_state b;
    rc4_setup(&b, key.data(), 13);
    for (std::size_t at = 0; at < 1000; at += 37)
        rc4_crypt(&b, chunked.data() + at, static_cast<int>(std::min<std::size_t>(37, 1000 - at)));
    EXPECT_EQ(chunked, whole);

    rc4_state c;
    rc4_setup(&c, key.data(), 13);
    rc4_crypt(&c, whole.data(), 1000);
    EXPECT_EQ(whole, plain);
}

TEST(Rc4, OnlyTheFirst256KeyBytesMatter)
{
    std::mt19937 rng(31);
    Bytes longKey = testutil::RandomBytes(rng, 300);
    const Bytes prefix(longKey.begin(), longKey.begin() + 256);
    EXPECT_EQ(KeyStream(longKey, 64), KeyStream(prefix, 64));
}

TEST(Rc4, EmptyKeyIsRefusedAndTheDataLeftAlone)
{
    const unsigned char key[1] = {1};
    for (const auto& [k, n] : {std::pair<const unsigned char*, int>{nullptr, 5}, {key, 0}, {key, -3}}) {
        rc4_state st;
        ::testing::internal::CaptureStderr();
        rc4_setup(&st, k, n);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  "rc4_setup:  Can't set up RC4 without a key!\n");
        unsigned char data[4] = {1, 2, 3, 4};
        ::testing::internal::CaptureStderr();
        rc4_crypt(&st, data, 4);
        EXPECT_FALSE(::testing::internal::GetCapturedStderr().empty());
        EXPECT_EQ(ToHex(data, 4), "01020304");
    }
}

TEST(Rc4, NullArgumentsDoNothing)
{
    rc4_setup(nullptr, reinterpret_cast<const unsigned char*>("k"), 1);
    rc4_state st;
    rc4_setup(&st, reinterpret_cast<const unsigned char*>("k"), 1);
    rc4_crypt(&st, nullptr, 10);
    rc4_crypt(nullptr, nullptr, 10);
    unsigned char data[2] = {7, 7};
    rc4_crypt(&st, data, 0);
    EXPECT_EQ(data[0], 7);
    // The stream was not advanced by the calls that did nothing.
    unsigned char z[2] = {0, 0};
    rc4_crypt(&st, z, 2);
    EXPECT_EQ(ToHex(z, 2), ToHex(KeyStream(Bytes{'k'}, 2)));
}

TEST(Rc4, RandomDataAgreesWithOpenssl)
{
    if (!testutil::OpensslAvailable()) GTEST_SKIP() << "openssl command line not installed";
    std::mt19937 rng(32);
    for (int round = 0; round < 10; ++round) {
        const Bytes key = testutil::RandomBytes(rng, 16);  // openssl's RC4 key size
        const Bytes data = testutil::RandomBytes(rng, 1 + rng() % 3000);
        const auto ref = testutil::RunOpenssl(
            "enc -rc4 -provider legacy -provider default -K " + ToHex(key), data);
        if (!ref) GTEST_SKIP() << "openssl has no RC4 here (legacy provider missing)";
        Bytes mine = data;
        rc4_state st;
        rc4_setup(&st, key.data(), 16);
        rc4_crypt(&st, mine.data(), static_cast<int>(mine.size()));
        EXPECT_EQ(ToHex(mine), ToHex(*ref));
    }
}

}  // namespace
