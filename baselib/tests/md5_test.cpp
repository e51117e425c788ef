// MD5: the RFC 1321 suite, incremental feeding, file and stream inputs, the
// misuse messages, and random inputs against the openssl command line.
#include <gravik/md5.h>

#include "openssl_cli.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <sstream>
#include <string>

namespace {

using testutil::Bytes;

std::string Hex(MD5& md5)
{
    std::unique_ptr<char[]> hex(md5.hex_digest());
    return hex.get();
}

std::string DigestOf(const unsigned char* data, std::size_t n)
{
    MD5 md5;
    md5.update(data, static_cast<unsigned int>(n));
    md5.finalize();
    return Hex(md5);
}

std::string DigestOf(const std::string& s)
{
    return DigestOf(reinterpret_cast<const unsigned char*>(s.data()), s.size());
}

struct Vector {
    const char* message;
    const char* digest;
};

class Rfc1321Suite : public ::testing::TestWithParam<Vector> {};

TEST_P(Rfc1321Suite, HexDigest) { EXPECT_EQ(DigestOf(GetParam().message), GetParam().digest); }

INSTANTIATE_TEST_SUITE_P(
    Rfc1321, Rfc1321Suite,
    ::testing::Values(
        Vector{"", "d41d8cd98f00b204e9800998ecf8427e"},
        Vector{"a", "0cc175b9c0f1b6a831c399e269772661"},
        Vector{"abc", "900150983cd24fb0d6963f7d28e17f72"},
        Vector{"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        Vector{"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        Vector{"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
               "d174ab98d277d9f5a5611c2c9f419d9f"},
        Vector{"1234567890123456789012345678901234567890123456789012345678901234567890123456"
               "7890",
               "57edf4a22be3c955ac49da2e2107b67a"}));

TEST(Md5, RawDigestMatchesHexAndBelongsToTheCaller)
{
    MD5 md5;
    md5.update(reinterpret_cast<const unsigned char*>("abc"), 3);
    md5.finalize();
    std::unique_ptr<unsigned char[]> raw(md5.raw_digest());
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(testutil::ToHex(raw.get(), 16), "900150983cd24fb0d6963f7d28e17f72");
}

// Lengths around the 56-byte padding limit and the 64-byte block.
TEST(Md5, SplitFeedingEqualsOneShot)
{
    std::mt19937 rng(10);
    for (std::size_t n : {55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 128u, 1000u}) {
        const Bytes data = testutil::RandomBytes(rng, n);
        const std::string whole = DigestOf(data.data(), n);
        for (std::size_t cut : {std::size_t{1}, n / 3, n - 1}) {
            MD5 md5;
            md5.update(data.data(), static_cast<unsigned int>(cut));
            md5.update(data.data() + cut, static_cast<unsigned int>(n - cut));
            md5.finalize();
            EXPECT_EQ(Hex(md5), whole) << "length " << n << " cut " << cut;
        }
    }
}

TEST(Md5, CopiesContinueIndependently)
{
    MD5 a;
    a.update(reinterpret_cast<const unsigned char*>("ab"), 2);
    MD5 b(a);
    MD5 c;
    c = a;
    a.update(reinterpret_cast<const unsigned char*>("c"), 1);
    a.finalize();
    b.update(reinterpret_cast<const unsigned char*>("c"), 1);
    b.finalize();
    c.finalize();
    EXPECT_EQ(Hex(a), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Hex(b), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Hex(c), DigestOf("ab"));
}

TEST(Md5, OstreamWritesTheHexDigest)
{
    MD5 md5;
    md5.finalize();
    std::ostringstream os;
    os << md5;
    EXPECT_EQ(os.str(), "d41d8cd98f00b204e9800998ecf8427e");
}

// Files and streams are read in 1024-byte blocks: 3000 bytes cross two block
// ends and leave a partial block.
class Md5Inputs : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::mt19937 rng(11);
        data_ = testutil::RandomBytes(rng, 3000);
        file_.Write(data_);
        expected_ = DigestOf(data_.data(), data_.size());
    }
    Bytes data_;
    testutil::TempFile file_;
    std::string expected_;
};

TEST_F(Md5Inputs, FileConstructorReadsAndClosesTheFile)
{
    std::FILE* f = std::fopen(file_.path().c_str(), "rb");
    ASSERT_NE(f, nullptr);
    MD5 md5(f);  // closes f
    EXPECT_EQ(Hex(md5), expected_);
}

TEST_F(Md5Inputs, StreamConstructorsReadToTheEnd)
{
    std::ifstream in(file_.path(), std::ios::binary);
    MD5 fromFile(in);
    EXPECT_EQ(Hex(fromFile), expected_);
    EXPECT_TRUE(in.is_open());

    std::istringstream text(std::string(data_.begin(), data_.end()));
    MD5 fromStream(static_cast<std::istream&>(text));
    EXPECT_EQ(Hex(fromStream), expected_);
}

TEST(Md5Misuse, UpdateAfterFinalizeIsReportedAndIgnored)
{
    MD5 md5;
    md5.update(reinterpret_cast<const unsigned char*>("abc"), 3);
    md5.finalize();
    ::testing::internal::CaptureStderr();
    md5.update(reinterpret_cast<const unsigned char*>("x"), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "MD5::update:  Can't update a finalized digest!\n");
    EXPECT_EQ(Hex(md5), "900150983cd24fb0d6963f7d28e17f72");
}

TEST(Md5Misuse, SecondFinalizeIsReportedAndKeepsTheDigest)
{
    MD5 md5;
    md5.finalize();
    ::testing::internal::CaptureStderr();
    md5.finalize();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "MD5::finalize:  Already finalized this digest!\n");
    EXPECT_EQ(Hex(md5), "d41d8cd98f00b204e9800998ecf8427e");
}

TEST(Md5Misuse, DigestsBeforeFinalizeAreRefused)
{
    MD5 md5;
    ::testing::internal::CaptureStderr();
    unsigned char* raw = md5.raw_digest();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "MD5::raw_digest:  Can't get digest if you haven't finalized the digest!\n");
    EXPECT_EQ(raw, nullptr);

    ::testing::internal::CaptureStderr();
    std::unique_ptr<char[]> hex(md5.hex_digest());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "MD5::hex_digest:  Can't get digest if you haven't finalized the digest!\n");
    ASSERT_NE(hex, nullptr);
    EXPECT_STREQ(hex.get(), "");
}

TEST(Md5Misuse, NullFileLeavesNoDigest)
{
    ::testing::internal::CaptureStderr();
    MD5 md5(static_cast<std::FILE*>(nullptr));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "MD5::update:  Can't read from a null file!\n");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(md5.raw_digest(), nullptr);
    ::testing::internal::GetCapturedStderr();
}

TEST(Md5, RandomInputsAgreeWithOpenssl)
{
    if (!testutil::OpensslAvailable()) GTEST_SKIP() << "openssl command line not installed";
    std::mt19937 rng(12);
    std::uniform_int_distribution<int> len(0, 5000);
    for (int round = 0; round < 20; ++round) {
        const Bytes data = testutil::RandomBytes(rng, static_cast<std::size_t>(len(rng)));
        const auto ref = testutil::RunOpenssl("dgst -md5 -binary", data, true);
        ASSERT_TRUE(ref.has_value()) << "openssl dgst -md5 failed";
        EXPECT_EQ(DigestOf(data.data(), data.size()), testutil::ToHex(*ref))
            << "length " << data.size();
    }
}

}  // namespace
