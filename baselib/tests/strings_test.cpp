// String utilities of the namespace gravik.
#include <gravik/strings.h>

#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

using namespace gravik;

namespace {

// Runs a char* in-place function on a copy of `text` and returns the result.
std::string InPlace(const std::string& text, char* (*f)(char*))
{
    std::vector<char> buf(text.begin(), text.end());
    buf.push_back('\0');
    char* r = f(buf.data());
    EXPECT_EQ(r, buf.data());
    return buf.data();
}

}  // namespace

// ---------------------------------------------------------------- trimming

struct TrimCase {
    const char* in;
    const char* left;
    const char* right;
    const char* both;
};

class TrimTest : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimTest, AllFormsAgree)
{
    const TrimCase& c = GetParam();
    EXPECT_EQ(InPlace(c.in, LTrimStr), c.left);
    EXPECT_EQ(InPlace(c.in, RTrimStr), c.right);
    EXPECT_EQ(InPlace(c.in, TrimStr), c.both);

    std::string s = c.in;
    EXPECT_EQ(LeftTrim(s, 1), c.left);
    EXPECT_EQ(RightTrim(s, 1), c.right);
    EXPECT_EQ(Trim(s, 1), c.both);
    EXPECT_EQ(s, c.in) << "a non-zero flag keeps the argument";
    EXPECT_EQ(Trim(s, 0), c.both);
    EXPECT_EQ(s, c.both) << "flag 0 replaces the argument";
}

INSTANTIATE_TEST_SUITE_P(Table, TrimTest,
                         ::testing::Values(TrimCase{"", "", "", ""},
                                           TrimCase{"  ", "", "", ""},
                                           TrimCase{" \t\r\n", "", "", ""},
                                           TrimCase{"abc", "abc", "abc", "abc"},
                                           TrimCase{" \ta b\r\n", "a b\r\n", " \ta b", "a b"},
                                           TrimCase{"\x0b" "x ", "\x0b" "x ", "\x0b" "x",
                                                    "\x0b" "x"}));  // VT is not a blank

TEST(Strings, CaseChangesTouchAsciiLettersOnly)
{
    EXPECT_EQ(InPlace("aZ\xD6\xD0z9", UpperStr), "AZ\xD6\xD0Z9");
    EXPECT_EQ(InPlace("Az\xC4\xE3Z9", LowerStr), "az\xC4\xE3z9");
    std::string s = "MiXed";
    EXPECT_EQ(UpperStr(s, 1), "MIXED");
    EXPECT_EQ(s, "MiXed");
    EXPECT_EQ(LowerStr(s, 0), "mixed");
    EXPECT_EQ(s, "mixed");
}

TEST(Strings, RemoveStringCharStopsAtNul)
{
    std::string s("a-b-c\0-d", 8);
    EXPECT_EQ(RemoveStringChar(s, '-', 1), "abc");
    EXPECT_EQ(s.size(), 8u);
    EXPECT_EQ(RemoveStringChar(s, '-', 0), "abc");
    EXPECT_EQ(s, "abc");
}

TEST(Strings, CompareStrIgnoreCase)
{
    EXPECT_EQ(CompareStrIgnoreCase("Hello", "hELLO"), 0);
    EXPECT_LT(CompareStrIgnoreCase("abc", "ABD"), 0);
    EXPECT_GT(CompareStrIgnoreCase("abd", "ABC"), 0);
    EXPECT_LT(CompareStrIgnoreCase("ab", "abc"), 0);
    // Letters fold to lower case before comparing, as _stricmp does: "_" (0x5F)
    // sorts before "a" (0x61) though after "A" (0x41).
    EXPECT_LT(CompareStrIgnoreCase("_", "A"), 0);
    EXPECT_GT(CompareStrIgnoreCase("\xB0", "a"), 0) << "bytes compare unsigned";
}

// ------------------------------------------------------------ number tests

struct NumberCase {
    const char* text;
    bool number;
    bool integer;
    bool isFloat;
};

class NumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberTest, BothFormsAgree)
{
    const NumberCase& c = GetParam();
    EXPECT_EQ(IsNumber(c.text), c.number);
    EXPECT_EQ(IsNumber(std::string(c.text)), c.number);
    EXPECT_EQ(IsInteger(c.text), c.integer);
    EXPECT_EQ(IsInteger(std::string(c.text)), c.integer);
    EXPECT_EQ(IsFloat(c.text), c.isFloat);
    EXPECT_EQ(IsFloat(std::string(c.text)), c.isFloat);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberTest,
    ::testing::Values(NumberCase{"", false, false, false}, NumberCase{"0", true, true, true},
                      NumberCase{"123", true, true, true}, NumberCase{"+1", false, true, true},
                      NumberCase{"-42", false, true, true}, NumberCase{"-", false, true, true},
                      NumberCase{"+", false, true, true}, NumberCase{"1.", false, false, true},
                      NumberCase{"1.5", false, false, true}, NumberCase{".5", false, false, false},
                      NumberCase{"-.5", false, false, false},
                      NumberCase{"1.2.3", false, false, false},
                      NumberCase{"+-1", false, false, false},
                      NumberCase{"12a", false, false, false},
                      NumberCase{" 1", false, false, false}));

TEST(Strings, NumberTestsRejectNull)
{
    EXPECT_FALSE(IsNumber(static_cast<const char*>(nullptr)));
    EXPECT_FALSE(IsInteger(static_cast<const char*>(nullptr)));
    EXPECT_FALSE(IsFloat(static_cast<const char*>(nullptr)));
}

// --------------------------------------------------------------- replacing

struct ReplaceCase {
    const char* text;
    const char* from;
    const char* to;
    const char* all;
    const char* distinct;
};

class ReplaceTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTest, AllVersusDistinct)
{
    const ReplaceCase& c = GetParam();
    std::string s = c.text;
    EXPECT_EQ(StrReplaceAll(s, c.from, c.to, 1), c.all);
    EXPECT_EQ(StrReplaceAllDistinct(s, c.from, c.to, 1), c.distinct);
    EXPECT_EQ(s, c.text);
    EXPECT_EQ(StrReplaceAll(s, c.from, c.to, 0), c.all);
    EXPECT_EQ(s, c.all);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplaceTest,
    ::testing::Values(ReplaceCase{"aaaa", "aa", "a", "a", "aa"},
                      ReplaceCase{"abcabc", "b", "XY", "aXYcaXYc", "aXYcaXYc"},
                      ReplaceCase{"none", "x", "y", "none", "none"},
                      ReplaceCase{"", "x", "y", "", ""},
                      // a match that straddles an earlier replacement
                      ReplaceCase{"xaab", "ab", "b", "xb", "xab"},
                      ReplaceCase{"aabb", "ab", "", "", "ab"},
                      // the replacement contains the pattern: one pass only
                      ReplaceCase{"a-a", "a", "aa", "aa-aa", "aa-aa"},
                      // an empty pattern changes nothing
                      ReplaceCase{"abc", "", "x", "abc", "abc"}));

TEST(Strings, StrReplaceAllEndsOnGrowingRewrite)
{
    // "ab" -> "bba" keeps producing matches for a long time; the call still
    // has to return.
    std::string s(200, 'a');
    s += "b";
    const std::string r = StrReplaceAll(s, "ab", "bba", 1);
    EXPECT_GT(r.size(), s.size());
}

struct BigToSmallCase {
    const char* text;
    const char* from;
    const char* to;
    bool ok;
    const char* result;
};

class BigToSmallTest : public ::testing::TestWithParam<BigToSmallCase> {};

TEST_P(BigToSmallTest, InPlace)
{
    const BigToSmallCase& c = GetParam();
    std::vector<char> buf(std::strlen(c.text) + 1);
    std::memcpy(buf.data(), c.text, buf.size());
    EXPECT_EQ(StrReplaceBigToSmall(buf.data(), c.from, c.to), c.ok);
    EXPECT_STREQ(buf.data(), c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BigToSmallTest,
    ::testing::Values(BigToSmallCase{"a--b--c", "--", "+", true, "a+b+c"},
                      BigToSmallCase{"aaaa", "aa", "a", true, "aa"},
                      BigToSmallCase{"abc", "b", "", true, "ac"},
                      BigToSmallCase{"abc", "b", "xy", false, "abc"},
                      BigToSmallCase{"abc", "", "", false, "abc"},
                      BigToSmallCase{"abab", "ab", "cd", true, "cdcd"}));

// --------------------------------------------------------------- splitting

TEST(Split, BySepCharForm)
{
    char kv[] = "key=value";
    char* rest = nullptr;
    EXPECT_EQ(SplitStrBySep(kv, &rest, '='), 1);
    EXPECT_STREQ(kv, "key");
    EXPECT_STREQ(rest, "value");

    char empty[] = "key=";
    EXPECT_EQ(SplitStrBySep(empty, &rest, '='), 0);
    EXPECT_STREQ(empty, "key");
    EXPECT_STREQ(rest, "");

    char none[] = "novalue";
    EXPECT_EQ(SplitStrBySep(none, &rest, '='), 0);
    EXPECT_STREQ(none, "novalue");
    EXPECT_EQ(rest, none + 7);
}

TEST(Split, BySepStringForm)
{
    std::string text = "key=value";
    std::string rest = "old";
    SplitStrBySep(text, rest, "=");
    EXPECT_EQ(text, "key");
    EXPECT_EQ(rest, "value");

    text = "a::b";
    SplitStrBySep(text, rest, "::");
    EXPECT_EQ(text, "a");
    EXPECT_EQ(rest, "b") << "the rest starts after the whole separator";

    text = "none";
    rest = "old";
    SplitStrBySep(text, rest, "=");
    EXPECT_EQ(text, "none");
    EXPECT_EQ(rest, "");
}

struct ByLenCase {
    const char* text;
    int n;
    const char* head;
    const char* rest;
    int result;
};

class ByLenTest : public ::testing::TestWithParam<ByLenCase> {};

TEST_P(ByLenTest, BothForms)
{
    const ByLenCase& c = GetParam();
    char text[64];
    char rest[64];
    std::strcpy(text, c.text);
    std::strcpy(rest, "garbage");
    EXPECT_EQ(SplitStrByLen(text, rest, c.n), c.result);
    EXPECT_STREQ(text, c.head);
    EXPECT_STREQ(rest, c.rest);

    std::string s = c.text;
    std::string r = "garbage";
    SplitStrByLen(s, r, c.n);
    EXPECT_EQ(s, c.head);
    EXPECT_EQ(r, c.rest);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ByLenTest,
    ::testing::Values(ByLenCase{"abcdef", 2, "ab", "cdef", 1},
                      ByLenCase{"abc", 3, "abc", "", 0},  // exactly n characters
                      ByLenCase{"ab", 5, "ab", "", 0}, ByLenCase{"abc", 0, "", "abc", 1},
                      ByLenCase{"abc", -1, "", "abc", 1},
                      // two double-byte characters then ASCII: pairs count as one
                      ByLenCase{"\xD6\xD0\xCE\xC4xy", 2, "\xD6\xD0\xCE\xC4", "xy", 1},
                      ByLenCase{"a\xD6\xD0" "b", 2, "a\xD6\xD0", "b", 1}));

TEST(Split, ToVecStringForm)
{
    struct Case {
        const char* text;
        const char* sep;
        std::vector<std::string> out;
    } cases[] = {
        {"a,,b,", ",", {"a", "", "b"}},
        {"a,b", ",", {"a", "b"}},
        {",a", ",", {"", "a"}},
        {"", ",", {""}},
        {"abc", "", {"abc"}},
        {"ab", "abc", {"ab"}},
        {"a::b::", "::", {"a", "b"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> out{"stale"};
        SplitStrToVec(c.text, c.sep, out);
        EXPECT_EQ(out, c.out) << c.text << " / " << c.sep;
    }
}

TEST(Split, ToVecCharFormKeepsNonEmptyPieces)
{
    char text[] = "a,,b,";
    std::vector<char*> out{nullptr};
    SplitStrToVec(text, ",", out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_STREQ(out[0], "a");
    EXPECT_STREQ(out[1], "b");
    EXPECT_EQ(out[0], text);

    char multi[] = "x<>y<><>z";
    SplitStrToVec(multi, "<>", out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_STREQ(out[2], "z");

    char keep[] = "abc";
    SplitStrToVec(keep, "", out);
    EXPECT_TRUE(out.empty());
    EXPECT_STREQ(keep, "abc");
}

TEST(Split, StrToStrArrayStopsAtMax)
{
    char text[] = "a,b,,c,d";
    char* out[3] = {nullptr, nullptr, nullptr};
    char* guard = reinterpret_cast<char*>(&text);  // the slot after max must stay untouched
    out[2] = guard;
    int count = -1;
    str_to_str_array(text, ",", out, 2, &count);
    EXPECT_EQ(count, 2);
    EXPECT_STREQ(out[0], "a");
    EXPECT_STREQ(out[1], "b");
    EXPECT_EQ(out[2], guard);

    char text2[] = "a,b";
    str_to_str_array(text2, "", out, 3, &count);
    EXPECT_EQ(count, 0);
    str_to_str_array(text2, ",", out, 0, &count);
    EXPECT_EQ(count, 0);
    str_to_str_array(text2, ",", out, 3, &count);
    EXPECT_EQ(count, 2);
}

// ---------------------------------------------------------------- counting

TEST(Strings, WordCountUsesLeadByteStepping)
{
    struct Case {
        std::string text;
        int count;
    } cases[] = {
        {"", 0},
        {"abc", 3},
        {"\xD6\xD0\xCE\xC4", 2},
        {"a\xD6\xD0" "b", 3},
        {"ab\xD6", 3},  // a lone lead byte at the end counts once, no read past the end
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WordCount(c.text), c.count) << c.text;
        EXPECT_EQ(WordCount(c.text.c_str()), static_cast<unsigned>(c.count)) << c.text;
    }
    EXPECT_EQ(WordCount(static_cast<const char*>(nullptr)), 0u);
}

// ---------------------------------------------------- numbers, bytes, text

TEST(Conversions, NumbersToText)
{
    EXPECT_EQ(IntToStr(-123), "-123");
    EXPECT_EQ(IntToStr(2147483647), "2147483647");
    EXPECT_EQ(CharToHexStr(static_cast<char>(0xE9)), "E9");
    EXPECT_EQ(CharToHexStr('\n'), "0A");

    struct Case {
        const char* in;
        const char* toHex;
        const char* toDec;
    } cases[] = {
        {"255", "ff", "597"},  // "255" read as hex is 0x255 = 597
        {"-1", "ffffffff", "-1"},
        {"99999999999", "7fffffff", "2147483647"},  // clamped, no overflow
        {"abc", "0", "2748"},
        {"", "0", "0"},
    };
    for (const Case& c : cases) {
        char out[16];
        std::memset(out, 'Z', sizeof out);
        std::vector<char> in(c.in, c.in + std::strlen(c.in) + 1);
        AIntToHex(out, in.data());
        EXPECT_STREQ(out, c.toHex) << c.in;
        HexToAInt(out, in.data());
        EXPECT_STREQ(out, c.toDec) << c.in;
    }
}

TEST(Conversions, GetStartAndBase)
{
    struct Case {
        const char* text;
        std::size_t skipped;
        int base;
    } cases[] = {{" \t0x1F", 2, 16}, {"-0X10", 0, 16}, {"  12", 2, 10}, {"+0", 0, 10}, {"", 0, 10}};
    for (const Case& c : cases) {
        std::vector<char> buf(c.text, c.text + std::strlen(c.text) + 1);
        int base = -1;
        EXPECT_EQ(GetStartAndBase(buf.data(), base), buf.data() + c.skipped) << c.text;
        EXPECT_EQ(base, c.base) << c.text;
    }
}

TEST(Conversions, BytesToHex)
{
    const unsigned char data[] = {0x01, 0xAB, 0x00, 0xFF};
    char out[32];
    EXPECT_EQ(BytesToHexStr(out, data, 4), 8);
    EXPECT_STREQ(out, "01AB00FF");
    EXPECT_EQ(BytesToHexStrEx(out, data, 2, ':'), 5);
    EXPECT_STREQ(out, "01:AB");
    std::strcpy(out, "keep");
    EXPECT_EQ(BytesToHexStrEx(out, data, 0, ':'), 0);
    EXPECT_STREQ(out, "keep");
    EXPECT_EQ(BytesToHexStr(out, data, 0), 0);
    EXPECT_STREQ(out, "");
}

TEST(Conversions, BytesToBin)
{
    char out[64];
    ByteToBinStr(out, 0xA5, true);
    EXPECT_STREQ(out, "1010 0101");
    ByteToBinStr(out, 0xA5, false);
    EXPECT_STREQ(out, "10100101");

    const unsigned char data[] = {0xA5, 0x0F};
    BytesToBinStr(out, data, 2, false);
    EXPECT_STREQ(out, "1010010100001111");
    BytesToBinStr(out, data, 2, true);
    EXPECT_STREQ(out, "1010 0101 0000 1111");
    std::strcpy(out, "keep");
    BytesToBinStr(out, data, 0, true);
    EXPECT_STREQ(out, "keep");
}

TEST(Conversions, HexToBytes)
{
    unsigned char out[16];
    std::memset(out, 0xEE, sizeof out);
    EXPECT_EQ(HexStrToBytes(out, "01abFF", 0), 3);
    EXPECT_EQ(out[0], 0x01);
    EXPECT_EQ(out[1], 0xAB);
    EXPECT_EQ(out[2], 0xFF);
    EXPECT_EQ(out[3], 0xEE);

    std::memset(out, 0xEE, sizeof out);
    EXPECT_EQ(HexStrToBytes(out, "123", 0), 1) << "an odd last digit is ignored";
    EXPECT_EQ(out[1], 0xEE);
    EXPECT_EQ(HexStrToBytes(out, "1234", 2), 1);
    EXPECT_EQ(HexStrToBytes(out, "12", 10), 1) << "never reads past the terminator";

    std::memset(out, 0xEE, sizeof out);
    EXPECT_EQ(HexStrToBytesEx(out, " 01-ab:Cd"), 3);
    EXPECT_EQ(out[0], 0x01);
    EXPECT_EQ(out[1], 0xAB);
    EXPECT_EQ(out[2], 0xCD);
    EXPECT_EQ(HexStrToBytesEx(out, "12 3x45"), 1) << "a broken pair ends the conversion";
    EXPECT_EQ(HexStrToBytesEx(out, "1"), 0);
}

// ----------------------------------------------------- web and SQL texts

TEST(WebText, UrlEncodeDecode)
{
    EXPECT_EQ(URLEncode("a b&c"), "a+b%26c");
    EXPECT_EQ(URLEncode("Az09-_.~"), "Az09%2D%5F%2E%7E");
    EXPECT_EQ(URLEncode(std::string("\xE9\x00", 2)), "%E9%00");

    struct Case {
        std::string in;
        std::string out;
    } cases[] = {
        {"a+b%26c", "a b&c"},
        {"a%00b", "a"},
        {"%e9%E9", "\xE9\xE9"},
        {"100%", "100%"},    // lone "%" at the end stays
        {"10%4", "10%4"},    // "%" and one character at the end stay
        {"%zz1", "%zz1"},    // non-hex digits: the "%" stays literal
        {"%%41", "%A"},
    };
    for (const Case& c : cases) EXPECT_EQ(URLDecode(c.in), c.out) << c.in;

    std::string all;
    for (int i = 1; i < 256; ++i) all += static_cast<char>(i);
    EXPECT_EQ(URLDecode(URLEncode(all)), all);
}

TEST(WebText, HtmlAndXmlEscapingOrder)
{
    struct Case {
        std::string (*fn)(const std::string&);
        const char* in;
        const char* out;
    } cases[] = {
        {StrToHtmlFormat, "a<b", "a&lt;b"},
        {StrToHtmlFormat, "a & b\n\"x\" 'y'>",
         "a&nbsp;&amp;&nbsp;b<br>&quot;x&quot;&nbsp;&apos;y&apos;&gt;"},
        {StrToHtmlFormat, "&lt;", "&amp;lt;"},
        {HtmlFormatToStr, "&amp;lt;", "&lt;"},
        {HtmlFormatToStr, "a&nbsp;b<br>&#34;&#39;&#x22;&#x27;&quot;&apos;&gt;&lt;",
         "a b\n\"'\"'\"'><"},
        {StrToXmlFormat, "a <b> & \"c\" 'd'\n", "a &lt;b&gt; &amp; &quot;c&quot; &apos;d&apos;\n"},
        {XmlFormatToStr, "&amp;gt; &nbsp; <br> &gt;", "&gt; &nbsp; <br> >"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.fn(c.in), c.out) << c.in;

    const std::string text = "if (a < b && c > d) say \"it's\"\n";
    EXPECT_EQ(HtmlFormatToStr(StrToHtmlFormat(text)), text);
    EXPECT_EQ(XmlFormatToStr(StrToXmlFormat(text)), text);
}

TEST(WebText, QuotedSql)
{
    EXPECT_EQ(GetQuotedStrForSQL("O'Brien", false), "'O''Brien'");
    EXPECT_EQ(GetQuotedStrForSQL("''", true), "''''''");
    EXPECT_EQ(GetQuotedStrForSQL("", false), "''");
    EXPECT_EQ(GetQuotedStrForSQL("", true), "' '");
}

// ------------------------------------------------ random text and UUIDs

TEST(Random, KindsDrawFromTheirSets)
{
    struct Case {
        int kind;
        const char* pattern;
        std::size_t distinct;  // size of the set
    } cases[] = {{1, "[0-9]+", 10},          {2, "[A-Z]+", 26},       {3, "[a-z]+", 26},
                 {4, "[A-Za-z]+", 52},       {5, "[0-9A-Za-z]+", 62}, {0, "[!-~]+", 94},
                 {99, "[!-~]+", 94}};
    for (const Case& c : cases) {
        char buf[4001];
        std::memset(buf, 'Q', sizeof buf);
        GetRandStr(buf, 4000, c.kind);
        ASSERT_EQ(std::strlen(buf), 4000u) << "kind " << c.kind;
        EXPECT_TRUE(std::regex_match(buf, std::regex(c.pattern))) << "kind " << c.kind;
        // 4000 draws from at most 94 values reach every value.
        EXPECT_EQ(std::set<char>(buf, buf + 4000).size(), c.distinct) << "kind " << c.kind;
    }
}

TEST(Random, LengthsAndSuccessiveCalls)
{
    char buf[16];
    std::memset(buf, 'Q', sizeof buf);
    EXPECT_EQ(GetRandStr(buf, 8, 1), buf);
    EXPECT_EQ(std::strlen(buf), 8u);
    EXPECT_TRUE(std::regex_match(buf, std::regex("[0-9]{8}")));
    EXPECT_EQ(buf[9], 'Q') << "writes len characters and the terminator only";

    GetRandStr(buf, 0, 5);
    EXPECT_STREQ(buf, "");
    GetRandStr(buf, -3, 5);
    EXPECT_STREQ(buf, "");

    // Two calls in the same second must not repeat the same text.
    char a[33];
    char b[33];
    GetRandStr(a, 32, 5);
    GetRandStr(b, 32, 5);
    EXPECT_STRNE(a, b);
}

TEST(Random, UuidIsVersion4)
{
    const std::regex form("[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}");
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        std::string uuid = "stale";
        GetUUID(uuid);
        ASSERT_EQ(uuid.size(), 36u);
        EXPECT_TRUE(std::regex_match(uuid, form)) << uuid;
        seen.insert(uuid);
    }
    EXPECT_EQ(seen.size(), 100u);
}

// ---------------------------------------------------------- application path

TEST(AppPath, IsTheFolderOfThisExecutable)
{
    char path[4096];
    ASSERT_TRUE(GetAppPath(path, sizeof path));
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    self[n] = '\0';
    const std::string exe = self;
    EXPECT_EQ(std::string(path), exe.substr(0, exe.rfind('/')));
    EXPECT_NE(std::string(path).find("tests"), std::string::npos);

    // A buffer too small is refused and left untouched.
    const std::size_t len = std::strlen(path);
    std::vector<char> small(len, 'Q');
    EXPECT_FALSE(GetAppPath(small.data(), static_cast<int>(len)));
    EXPECT_EQ(small[0], 'Q');
    std::vector<char> exact(len + 1, 'Q');
    EXPECT_TRUE(GetAppPath(exact.data(), static_cast<int>(len + 1)));
    EXPECT_FALSE(GetAppPath(path, 0));
}
