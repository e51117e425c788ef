// Character-set conversion: the library's own UTF-8 coding checked against
// iconv over the whole BMP, the ANSI conversions in a real GBK locale, and the
// code-table converter CGbUnicode.
#include <gravik/charset.h>
#include <gravik/exceptions.h>

#include <gtest/gtest.h>

#include <iconv.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace gravik;

namespace {

using U16 = std::vector<unsigned short>;

// Converts with iconv directly; the reference the library is checked against.
std::string IconvConvert(const char* to, const char* from, const void* data, std::size_t len,
                         bool mustSucceed = true)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv cannot convert " << from << " to " << to;
        return {};
    }
    std::string out(len * 4 + 16, '\0');
    char* src = static_cast<char*>(const_cast<void*>(data));
    char* dst = out.data();
    std::size_t left = len;
    std::size_t room = out.size();
    const std::size_t r = iconv(cd, &src, &left, &dst, &room);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1)) {
        EXPECT_FALSE(mustSucceed) << "iconv failed";
        return {};
    }
    out.resize(out.size() - room);
    return out;
}

U16 AllBmpUnits()
{
    U16 units;
    for (unsigned cp = 1; cp <= 0xFFFF; ++cp)
        if (cp < 0xD800 || cp > 0xDFFF) units.push_back(static_cast<unsigned short>(cp));
    return units;
}

std::string Bytes(const unsigned char* p, std::size_t n)
{
    return std::string(reinterpret_cast<const char*>(p), n);
}

}  // namespace

// ------------------------------------------------------------- UTF-8 coding

TEST(Utf8, DocumentedVectors)
{
    const unsigned char utf8[] = {0x41, 0xE4, 0xB8, 0xAD, 0xC3, 0xA9, 0};
    EXPECT_EQ(GetUTF8Characters(utf8), 3u);

    wchar_t w[8];
    unsigned int bytes = 0;
    EXPECT_EQ(GetWCharFromUTF8(utf8, w, &bytes), 3u);
    EXPECT_EQ(bytes, 6u);
    EXPECT_EQ(w[0], 0x0041);
    EXPECT_EQ(w[1], 0x4E2D);
    EXPECT_EQ(w[2], 0x00E9);
    EXPECT_EQ(w[3], 0);

    unsigned short u[8];
    EXPECT_EQ(GetUTF16FromUTF8(utf8, u, nullptr), 3u);
    EXPECT_EQ(u[1], 0x4E2D);

    const wchar_t in[] = {0x0041, 0x00E9, 0x4E2D, 0};
    unsigned char out[16];
    std::memset(out, 0xEE, sizeof out);
    EXPECT_EQ(GetUTF8FromWChar(in, out, &bytes), 3u);
    EXPECT_EQ(bytes, 6u);
    EXPECT_EQ(Bytes(out, 7), std::string("\x41\xC3\xA9\xE4\xB8\xAD\0", 7));
}

TEST(Utf8, EveryBmpCodePointMatchesIconv)
{
    U16 units = AllBmpUnits();
    const std::size_t n = units.size();
    const std::string reference =
        IconvConvert("UTF-8", "UTF-16LE", units.data(), n * 2);  // x86: host order is LE
    units.push_back(0);

    std::vector<unsigned char> utf8(3 * n + 1);
    unsigned int bytes = 0;
    EXPECT_EQ(GetUTF8FromUTF16(units.data(), utf8.data(), &bytes), n);
    ASSERT_EQ(bytes, reference.size());
    EXPECT_EQ(Bytes(utf8.data(), bytes), reference);
    EXPECT_EQ(utf8[bytes], 0);

    EXPECT_EQ(GetUTF8Characters(utf8.data()), n);
    U16 back(n + 1, 0xEEEE);
    EXPECT_EQ(GetUTF16FromUTF8(utf8.data(), back.data(), &bytes), n);
    EXPECT_EQ(bytes, 2 * n);
    EXPECT_EQ(back, units);

    // The wide-character forms give the same bytes and units.
    std::vector<wchar_t> wide(units.begin(), units.end());
    std::vector<unsigned char> utf8w(3 * n + 1);
    EXPECT_EQ(GetUTF8FromWChar(wide.data(), utf8w.data(), &bytes), n);
    EXPECT_EQ(Bytes(utf8w.data(), bytes), reference);
    std::vector<wchar_t> wideBack(n + 1);
    EXPECT_EQ(GetWCharFromUTF8(utf8w.data(), wideBack.data(), nullptr), n);
    EXPECT_EQ(wideBack, wide);
}

TEST(Utf8, SequencesCutByTheTerminatorAreNotReadPast)
{
    struct Case {
        std::vector<unsigned char> text;  // exact heap size, so an over-read is caught
        unsigned count;
    } cases[] = {{{0x41, 0xE4, 0xB8, 0}, 1}, {{0x41, 0xE4, 0}, 1}, {{0xC3, 0}, 0}, {{0}, 0}};
    for (Case& c : cases) {
        EXPECT_EQ(GetUTF8Characters(c.text.data()), c.count);
        U16 out(c.text.size() + 1, 0xEEEE);
        EXPECT_EQ(GetUTF16FromUTF8(c.text.data(), out.data(), nullptr), c.count);
        EXPECT_EQ(out[c.count], 0) << "terminated after the complete characters";
    }
}

TEST(Utf8, SurrogatesAndWideValuesBeyondSixteenBits)
{
    // A surrogate pair is two units, each encoded by itself.
    const unsigned short pair[] = {0xD83D, 0xDE00, 0};
    unsigned char out[16];
    unsigned int bytes = 0;
    EXPECT_EQ(GetUTF8FromUTF16(pair, out, &bytes), 2u);
    EXPECT_EQ(Bytes(out, bytes), "\xED\xA0\xBD\xED\xB8\x80");

    // A wchar_t above 0xFFFF is taken as U+FFFD, so one unit never needs more
    // than three bytes.
    const wchar_t wide[] = {static_cast<wchar_t>(0x1F600), 0x41, 0};
    EXPECT_EQ(GetUTF8FromWChar(wide, out, &bytes), 2u);
    EXPECT_EQ(Bytes(out, bytes), "\xEF\xBF\xBD" "A");
    unsigned short u[4];
    EXPECT_EQ(LinuxGetUTF16FromWChar(wide, u, &bytes), 2u);
    EXPECT_EQ(u[0], 0xFFFD);
}

TEST(Counting, UnitsAndNulls)
{
    const unsigned short u[] = {1, 2, 3, 0};
    const wchar_t w[] = {L'a', L'b', 0};
    EXPECT_EQ(GetUTF16Characters(u), 3u);
    EXPECT_EQ(GetWCharCharacters(w), 2u);
    EXPECT_EQ(GetANSICharacters("\xD6\xD0" "a"), 3u);
    EXPECT_EQ(GetMultiByteCharacters("\xD6\xD0" "a"), 2u);
    EXPECT_EQ(GetUTF16Characters(nullptr), 0u);
    EXPECT_EQ(GetWCharCharacters(nullptr), 0u);
    EXPECT_EQ(GetANSICharacters(nullptr), 0u);
    EXPECT_EQ(GetMultiByteCharacters(nullptr), 0u);
    EXPECT_EQ(GetUTF8Characters(nullptr), 0u);
}

TEST(Counting, LinuxCopies)
{
    const unsigned short u[] = {0x41, 0x4E2D, 0xFFFF, 0};
    wchar_t w[5];
    std::fill(std::begin(w), std::end(w), L'Q');
    unsigned int bytes = 0;
    EXPECT_EQ(LinuxGetWCharFromUTF16(u, w, &bytes), 3u);
    EXPECT_EQ(bytes, 6u);
    EXPECT_EQ(w[1], 0x4E2D);
    EXPECT_EQ(w[2], 0xFFFF);
    EXPECT_EQ(w[3], 0);
    EXPECT_EQ(w[4], L'Q');
    unsigned short back[4];
    EXPECT_EQ(LinuxGetUTF16FromWChar(w, back, &bytes), 3u);
    EXPECT_EQ(std::memcmp(back, u, sizeof u), 0);
}

// ------------------------------------------------------ ANSI conversions

// Runs with the process locale set to `name`; skips when it is unavailable.
class LocaleTest : public ::testing::Test {
protected:
    void UseLocale(const char* name)
    {
        if (!std::setlocale(LC_ALL, name))
            GTEST_SKIP() << "locale " << name
                         << " is not available (LOCPATH=" << (getenv("LOCPATH") ? getenv("LOCPATH") : "")
                         << "); the test setup builds zh_CN.GBK with localedef";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

class GbkTest : public LocaleTest {
protected:
    void SetUp() override { UseLocale("zh_CN.GBK"); }
};

TEST_F(GbkTest, KnownCharacters)
{
    const char gbk[] = "\xD6\xD0\xCE\xC4" "A";  // "中文A"
    unsigned short u[8];
    unsigned int bytes = 0;
    EXPECT_EQ(GetUTF16FromANSI(gbk, u, &bytes), 3u);
    EXPECT_EQ(bytes, 6u);
    EXPECT_EQ(u[0], 0x4E2D);
    EXPECT_EQ(u[1], 0x6587);
    EXPECT_EQ(u[2], 0x41);
    EXPECT_EQ(u[3], 0);

    wchar_t w[8];
    EXPECT_EQ(GetWCharFromANSI(gbk, w, nullptr), 3u);
    EXPECT_EQ(w[1], 0x6587);

    char ansi[16];
    EXPECT_EQ(GetANSIFromUTF16(u, ansi), 5u);
    EXPECT_STREQ(ansi, gbk);
    EXPECT_EQ(GetANSIFromWChar(w, ansi), 5u);
    EXPECT_STREQ(ansi, gbk);

    unsigned char utf8[16];
    EXPECT_EQ(GetUTF8FromANSI(gbk, utf8, &bytes), 3u);
    EXPECT_EQ(bytes, 7u);
    EXPECT_STREQ(reinterpret_cast<char*>(utf8), "\xE4\xB8\xAD\xE6\x96\x87" "A");
    EXPECT_EQ(GetANSIFromUTF8(utf8, ansi), 5u);
    EXPECT_STREQ(ansi, gbk);
}

TEST_F(GbkTest, SampleMatchesIconv)
{
    // Every valid double-byte code of a band of lead bytes, and every tenth
    // lead byte over the whole range.
    std::string sample;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        if (lead > 0x84 && lead % 10 != 0 && !(lead >= 0xB0 && lead <= 0xB3)) continue;
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::string ref = IconvConvert("UTF-16LE", "GBK", pair, 2, false);
            if (ref.size() != 2) continue;  // not assigned in GBK
            sample.append(pair, 2);
        }
    }
    ASSERT_GT(sample.size(), 4000u);
    const std::string ref = IconvConvert("UTF-16LE", "GBK", sample.data(), sample.size());

    U16 units(sample.size() / 2 + 1);
    unsigned int bytes = 0;
    const unsigned n = GetUTF16FromANSI(sample.c_str(), units.data(), &bytes);
    ASSERT_EQ(n * 2, ref.size());
    EXPECT_EQ(std::memcmp(units.data(), ref.data(), ref.size()), 0);

    std::string back(sample.size() + 2, '\0');
    EXPECT_EQ(GetANSIFromUTF16(units.data(), back.data()), sample.size());
    EXPECT_EQ(back.c_str(), sample);

    std::wstring wide;
    ASSERT_TRUE(StrToWStr(sample, wide));
    EXPECT_EQ(wide.size(), n);
    std::string again;
    ASSERT_TRUE(WStrToStr(wide, again));
    EXPECT_EQ(again, sample);
}

TEST_F(GbkTest, BadAndUnrepresentableText)
{
    // FF FF is not a GBK character: one U+FFFD in its place.
    unsigned short u[8];
    EXPECT_EQ(GetUTF16FromANSI("A\xFF\xFF" "B", u, nullptr), 3u);
    EXPECT_EQ(u[0], 0x41);
    EXPECT_EQ(u[1], 0xFFFD);
    EXPECT_EQ(u[2], 0x42);
    std::wstring wide;
    ASSERT_TRUE(StrToWStr("\x81 x", wide));
    EXPECT_EQ(wide, (std::wstring{0xFFFD, L' ', L'x'}));

    // Thai is not in GBK: "?" in its place.
    const unsigned short thai[] = {0x41, 0x0E01, 0x42, 0};
    char ansi[16];
    EXPECT_EQ(GetANSIFromUTF16(thai, ansi), 3u);
    EXPECT_STREQ(ansi, "A?B");
}

TEST_F(GbkTest, EmptyInputs)
{
    unsigned char out[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    unsigned int bytes = 99;
    EXPECT_EQ(GetUTF8FromANSI("", out, &bytes), 0u);
    EXPECT_EQ(out[0], 0xEE) << "an empty input writes nothing";
    EXPECT_EQ(bytes, 0u);

    std::wstring wide = L"keep";
    EXPECT_FALSE(StrToWStr("", wide));
    EXPECT_EQ(wide, L"keep");
    std::string text = "keep";
    EXPECT_FALSE(WStrToStr(L"", text));
    EXPECT_EQ(text, "keep");

    char ansi[4];
    EXPECT_EQ(GetANSIFromUTF16(nullptr, ansi), 0u);
    EXPECT_EQ(GetUTF16FromANSI(nullptr, nullptr, &bytes), 0u);
}

class CLocaleTest : public LocaleTest {
protected:
    void SetUp() override { UseLocale("C"); }
};

TEST_F(CLocaleTest, AsciiOnly)
{
    unsigned short u[8];
    EXPECT_EQ(GetUTF16FromANSI("ab\xE9", u, nullptr), 3u);
    EXPECT_EQ(u[2], 0xFFFD);
    // The output holds as many units as lead-byte stepping counts characters
    // (here 1: the high byte takes the "b" with it); a text that converts to
    // more units in a single-byte set fails instead of overrunning.
    std::fill(std::begin(u), std::end(u), 0xEEEE);
    unsigned int bytes = 99;
    EXPECT_EQ(GetUTF16FromANSI("\xE9" "b", u, &bytes), 0u);
    EXPECT_EQ(u[0], 0);
    EXPECT_EQ(u[2], 0xEEEE);
    EXPECT_EQ(bytes, 0u);
    const unsigned short e[] = {0xE9, 0};
    char ansi[8];
    EXPECT_EQ(GetANSIFromUTF16(e, ansi), 1u);
    EXPECT_STREQ(ansi, "?");
}

class Utf8LocaleTest : public LocaleTest {
protected:
    void SetUp() override { UseLocale("C.UTF-8"); }
};

TEST_F(Utf8LocaleTest, OutputsThatWouldOverflowFailCleanly)
{
    // Three UTF-8 bytes per CJK character exceed the 2 x chars + 2 bytes that
    // the ANSI outputs may write: an empty text and 0 instead of an overrun.
    const unsigned short u[] = {0x4E2D, 0x6587, 0x5B57, 0};
    std::vector<char> ansi(2 * 3 + 2, 'Q');
    EXPECT_EQ(GetANSIFromUTF16(u, ansi.data()), 0u);
    EXPECT_EQ(ansi[0], '\0');
    // Two characters fit (6 bytes + terminator in 2 x 2 + 2 = 6? no: 7 > 6).
    const unsigned short ascii[] = {0x41, 0x4E2D, 0x42, 0};
    EXPECT_EQ(GetANSIFromUTF16(ascii, ansi.data()), 5u);
    EXPECT_STREQ(ansi.data(), "A\xE4\xB8\xAD" "B");

    std::string text;
    ASSERT_TRUE(WStrToStr(std::wstring{0x4E2D, 0x6587, 0x5B57}, text));
    EXPECT_EQ(text, "\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97");
}

// --------------------------------------------------------------- CGbUnicode

class GbUnicodeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("gravik_gb_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
        m_table = (m_dir / "GbUnicode.dat").string();
        std::ofstream f(m_table, std::ios::binary);
        f << std::string(91, 'H');  // header, skipped
        const unsigned char records[][4] = {
            {0xD6, 0xD0, 0x4E, 0x2D},  // 中
            {0xCE, 0xC4, 0x65, 0x87},  // 文
            {0x41, 0x00, 0x00, 0x41},  // A
            {0xD6, 0xD0, 0x12, 0x34},  // duplicate code: the first entry wins
            {0xB0, 0xA1, 0x00, 0xE9},  // a value below 0x100 with a two-byte code
        };
        for (const auto& r : records) f.write(reinterpret_cast<const char*>(r), 4);
        f.write("\x01\x02", 2);  // a partial record at the end is ignored
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::filesystem::path m_dir;
    std::string m_table;
};

TEST_F(GbUnicodeTest, GbToUnicodeSkipsMissingCharacters)
{
    CGbUnicode gb(m_table.data());
    unsigned short out[16];
    auto* b = reinterpret_cast<unsigned char*>(out);
    const unsigned char text[] = "\xD6\xD0" "A\xCE\xC4";
    EXPECT_EQ(gb.GbToBigEndianUnicode(out, text), 6);
    EXPECT_EQ(Bytes(b, 6), std::string("\x4E\x2D\x00\x41\x65\x87", 6));

    // "B" and the code B0A2 are not in the table: 2 bytes shorter each.
    const unsigned char missing[] = "\xD6\xD0" "B\xB0\xA2\xCE\xC4";
    EXPECT_EQ(gb.GbToBigEndianUnicode(out, missing), 4);
    EXPECT_EQ(Bytes(b, 4), "\x4E\x2D\x65\x87");

    // A lone lead byte at the end ends the walk without reading past it.
    std::vector<unsigned char> lone = {'A', 0xD6, 0};
    EXPECT_EQ(gb.GbToBigEndianUnicode(out, lone.data()), 2);
}

TEST_F(GbUnicodeTest, UnicodeToGb)
{
    CGbUnicode gb(m_table.data());
    const unsigned char in[] = {0x4E, 0x2D, 0x00, 0x41, 0x65, 0x87, 0x00, 0xE9, 0x77, 0x77};
    char out[32];
    std::memset(out, 'Q', sizeof out);
    EXPECT_EQ(gb.BigEndianUnicodeToGb(out, reinterpret_cast<const unsigned short*>(in), 10), 7);
    EXPECT_STREQ(out, "\xD6\xD0" "A\xCE\xC4\xB0\xA1");

    // An odd count converts ceil(bytes / 2) units without reading the byte
    // after the last one: the lone 0x00 is a unit 0x0000, not in the table.
    std::vector<unsigned char> three = {0x4E, 0x2D, 0x00};
    EXPECT_EQ(gb.BigEndianUnicodeToGb(out, reinterpret_cast<const unsigned short*>(three.data()), 3),
              2);
    std::vector<unsigned char> odd = {0x00, 0x41, 0x4E};
    EXPECT_EQ(gb.BigEndianUnicodeToGb(out, reinterpret_cast<const unsigned short*>(odd.data()), 3),
              1);
    EXPECT_STREQ(out, "A");
    EXPECT_EQ(gb.BigEndianUnicodeToGb(out, reinterpret_cast<const unsigned short*>(in), 0), 0);
}

TEST_F(GbUnicodeTest, MissingTableThrowsOnFirstConversion)
{
    CGbUnicode gb;
    ASSERT_TRUE(gb.SetTableFile((m_dir / "absent.dat").c_str()));
    unsigned short out[4];
    const unsigned char text[] = "A";
    try {
        gb.GbToBigEndianUnicode(out, text);
        FAIL() << "no exception";
    } catch (CGbUnicodeException& e) {
        EXPECT_EQ(e.What(), "Open data file failed");
    }
    EXPECT_THROW(gb.Initialize(), CGbUnicodeException);

    // Once the file exists the same object loads it.
    ASSERT_TRUE(gb.SetTableFile(m_table.c_str()));
    EXPECT_EQ(gb.GbToBigEndianUnicode(out, text), 2);
}

TEST_F(GbUnicodeTest, TableFileNames)
{
    CGbUnicode gb;
    const std::string tooLong(256, 'x');
    EXPECT_FALSE(gb.SetTableFile(tooLong.c_str()));
    EXPECT_FALSE(gb.SetTableFile(nullptr));
    EXPECT_TRUE(gb.SetTableFile(std::string(255, 'x').c_str()));

    std::string name(300, 'y');
    CGbUnicode refused(name.data());
    EXPECT_THROW(refused.Initialize(), CGbUnicodeException);

    // The default name is GbUnicode.dat in the current folder.
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(m_dir);
    CGbUnicode byDefault;
    EXPECT_NO_THROW(byDefault.Initialize());
    std::filesystem::current_path(cwd);
}

TEST_F(GbUnicodeTest, CopiesShareTheTable)
{
    unsigned short out[4];
    const unsigned char text[] = "\xD6\xD0";
    CGbUnicode copy;
    {
        CGbUnicode gb(m_table.data());
        gb.Initialize();
        copy = gb;
        CGbUnicode second(gb);
        EXPECT_EQ(second.GbToBigEndianUnicode(out, text), 2);
    }
    // The original is gone; the copy's table is still alive.
    std::filesystem::remove(m_table);
    EXPECT_EQ(copy.GbToBigEndianUnicode(out, text), 2);
    EXPECT_EQ(reinterpret_cast<unsigned char*>(out)[0], 0x4E);
}

TEST(GbUnicode, CheckDataCodeAndChangeEndian)
{
    CGbUnicode gb;
    struct Case {
        const char* text;
        bool result;
    } cases[] = {{"", false}, {"abc", false}, {"xy", false}, {"z", true}, {"ab\xD6\xD0", true}};
    for (const Case& c : cases) {
        std::vector<unsigned char> t(c.text, c.text + std::strlen(c.text) + 1);
        EXPECT_EQ(gb.CheckDataCode(t.data()), c.result) << c.text;
    }
    EXPECT_FALSE(gb.CheckDataCode(nullptr));

    char buf[] = "abcde";
    gb.ChangeEndian(buf, 5);
    EXPECT_STREQ(buf, "badce");
    gb.ChangeEndian(buf, 2);
    EXPECT_STREQ(buf, "abdce");
}
