// Base64: RFC 4648 vectors, decoding of untidy input, exact buffer sizes,
// refused arguments, and random data against the openssl command line.
#include <gravik/base64.h>

#include "openssl_cli.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using testutil::Bytes;

struct Vector {
    std::string plain;
    std::string encoded;
};

class Rfc4648 : public ::testing::TestWithParam<Vector> {};

TEST_P(Rfc4648, EncodesAndDecodes)
{
    const auto& v = GetParam();
    std::vector<char> enc(static_cast<std::size_t>(CBase64Code::EncodedSize(v.plain.size())));
    EXPECT_EQ(CBase64Code::EncodeBase64(enc.data(), v.plain.data(), static_cast<int>(v.plain.size())),
              static_cast<int>(v.encoded.size()));
    EXPECT_EQ(std::string(enc.data()), v.encoded);

    std::vector<char> dec(static_cast<std::size_t>(CBase64Code::DecodedSize(v.encoded.size())));
    EXPECT_EQ(CBase64Code::DecodeBase64(dec.data(), v.encoded.c_str()),
              static_cast<int>(v.plain.size()));
    EXPECT_EQ(std::string(dec.data()), v.plain);

    EXPECT_EQ(CBase64Code::EncodeBase64(v.plain), v.encoded);
    EXPECT_EQ(CBase64Code::DecodeBase64(v.encoded), v.plain);
}

INSTANTIATE_TEST_SUITE_P(Vectors, Rfc4648,
                         ::testing::Values(Vector{"", ""}, Vector{"f", "Zg=="},
                                           Vector{"fo", "Zm8="}, Vector{"foo", "Zm9v"},
                                           Vector{"foob", "Zm9vYg=="},
                                           Vector{"fooba", "Zm9vYmE="},
                                           Vector{"foobar", "Zm9vYmFy"},
                                           Vector{"Man", "TWFu"}, Vector{"Ma", "TWE="},
                                           Vector{"M", "TQ=="}));

struct UntidyCase {
    const char* text;
    const char* bytes;
};

class Base64Untidy : public ::testing::TestWithParam<UntidyCase> {};

TEST_P(Base64Untidy, DecodesWhatTheAlphabetHolds)
{
    char out[64];
    const int n = CBase64Code::DecodeBase64(out, GetParam().text);
    EXPECT_EQ(n, static_cast<int>(std::strlen(GetParam().bytes))) << GetParam().text;
    EXPECT_STREQ(out, GetParam().bytes) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Base64Untidy,
    ::testing::Values(UntidyCase{"Zm9v\r\nYmFy", "foobar"},   // line breaks skipped
                      UntidyCase{" Zm 9v*Y g== ", "foob"},    // blanks and junk skipped
                      UntidyCase{"TWE=TWFu", "Ma"},           // "=" ends the decoding
                      UntidyCase{"Zm9vY", "foo"},             // one lone character: no byte
                      UntidyCase{"Zm9vYg", "foob"},           // missing padding tolerated
                      UntidyCase{"====", ""}, UntidyCase{"", ""},
                      UntidyCase{"\x80\xff!", ""}));          // bytes outside ASCII skipped

TEST(Base64, BinaryRoundTripWithExactBuffers)
{
    std::mt19937 rng(20);
    for (std::size_t n = 0; n < 200; ++n) {
        const Bytes data = testutil::RandomBytes(rng, n);
        // Exactly the advertised sizes, so a sanitizer build catches any overrun.
        std::vector<char> enc(static_cast<std::size_t>(CBase64Code::EncodedSize(n)));
        const int len =
            CBase64Code::EncodeBase64(enc.data(), reinterpret_cast<const char*>(data.data()),
                                      static_cast<int>(n));
        ASSERT_EQ(len, static_cast<int>((n + 2) / 3 * 4));
        ASSERT_EQ(enc[static_cast<std::size_t>(len)], '\0');
        std::vector<char> dec(static_cast<std::size_t>(CBase64Code::DecodedSize(len)));
        ASSERT_EQ(CBase64Code::DecodeBase64(dec.data(), enc.data()), static_cast<int>(n));
        // An empty vector may hold a null pointer, which memcmp must not be given.
        if (n > 0) {
            ASSERT_EQ(0, std::memcmp(dec.data(), data.data(), n)) << "length " << n;
        }
    }
}

TEST(Base64, StringFormsAreForText)
{
    // The encoder takes every byte; the decoded text ends at its first zero.
    EXPECT_EQ(CBase64Code::EncodeBase64(std::string("a\0b", 3)), "YQBi");
    EXPECT_EQ(CBase64Code::DecodeBase64("YQBi"), "a");
    EXPECT_EQ(CBase64Code::DecodeBase64(std::string("Zm9v\0YmFy", 9)), "foo");
}

TEST(Base64, RefusedArguments)
{
    char out[16] = "unchanged";
    EXPECT_EQ(CBase64Code::EncodeBase64(nullptr, "abc", 3), -1);
    EXPECT_EQ(CBase64Code::EncodeBase64(out, nullptr, 3), -1);
    EXPECT_STREQ(out, "unchanged");
    EXPECT_EQ(CBase64Code::DecodeBase64(nullptr, "Zm9v"), -1);
    EXPECT_EQ(CBase64Code::DecodeBase64(out, nullptr), -1);
    EXPECT_STREQ(out, "unchanged");
    EXPECT_EQ(CBase64Code::EncodeBase64(out, "abc", -5), 0);
    EXPECT_STREQ(out, "");
}

TEST(Base64, RandomDataAgreesWithOpenssl)
{
    if (!testutil::OpensslAvailable()) GTEST_SKIP() << "openssl command line not installed";
    std::mt19937 rng(21);
    std::uniform_int_distribution<int> len(1, 3000);
    for (int round = 0; round < 15; ++round) {
        const Bytes data = testutil::RandomBytes(rng, static_cast<std::size_t>(len(rng)));
        const auto ref = testutil::RunOpenssl("base64 -A", data);
        ASSERT_TRUE(ref.has_value()) << "openssl base64 failed";
        std::string expected(ref->begin(), ref->end());
        while (!expected.empty() && expected.back() == '\n') expected.pop_back();
        std::vector<char> enc(static_cast<std::size_t>(CBase64Code::EncodedSize(data.size())));
        CBase64Code::EncodeBase64(enc.data(), reinterpret_cast<const char*>(data.data()),
                                  static_cast<int>(data.size()));
        EXPECT_EQ(std::string(enc.data()), expected) << "length " << data.size();
    }
}

}  // namespace
