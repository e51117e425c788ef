// The three exact-match searches: fixed cases, agreement with std::search on
// random inputs (small alphabets, matches at both ends, patterns longer than
// the methods' stack tables), and refused arguments.
#include <gravik/search.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using MemFn = int (*)(const unsigned char*, unsigned int, const unsigned char*, unsigned int);
using StrFn = int (*)(const char*, const char*);

struct Method {
    const char* name;
    MemFn mem;
    StrFn str;
};

const Method kMethods[] = {{"KMP", KMPSearchMemory, KMPSearchStr},
                           {"BM", BMSearchMemory, BMSearchStr},
                           {"Sunday", SundaySearchMemory, SundaySearchStr}};

int Mem(const Method& m, const std::string& text, const std::string& pattern)
{
    return m.mem(reinterpret_cast<const unsigned char*>(text.data()),
                 static_cast<unsigned int>(text.size()),
                 reinterpret_cast<const unsigned char*>(pattern.data()),
                 static_cast<unsigned int>(pattern.size()));
}

int Expected(const std::string& text, const std::string& pattern)
{
    const auto it = std::search(text.begin(), text.end(), pattern.begin(), pattern.end());
    return it == text.end() && !pattern.empty() ? -1 : static_cast<int>(it - text.begin());
}

class Search : public ::testing::TestWithParam<Method> {};

struct Case {
    const char* text;
    const char* pattern;
    int offset;
};

TEST_P(Search, FixedCases)
{
    const Case cases[] = {
        {"hello world", "world", 6},       {"hello world", "hello", 0},
        {"hello world", "o w", 4},         {"hello world", "worlds", -1},
        {"hello", "hello world", -1},      {"hello world", "xyz", -1},
        {"aaaaaab", "aaab", 3},            {"abababc", "ababc", 2},
        {"abcabcabd", "abcabd", 3},        {"", "a", -1},
        {"a", "a", 0},                     {"ba", "a", 1},
        {"hello", "", 0},                  {"", "", 0},
        {"\x80\xff\x7f\xff", "\xff\x7f", 1}, {"x\xe9x\xe9y", "\xe9y", 3},
    };
    const Method& m = GetParam();
    for (const auto& c : cases) {
        EXPECT_EQ(Mem(m, c.text, c.pattern), c.offset) << m.name << " text " << c.text << " pattern " << c.pattern;
        EXPECT_EQ(m.str(c.text, c.pattern), c.offset) << m.name << " text " << c.text << " pattern " << c.pattern;
    }
}

// Binary data: a zero byte is ordinary in the memory forms and ends the C texts.
TEST_P(Search, ZeroBytes)
{
    const Method& m = GetParam();
    const std::string text("ab\0cd\0ef", 8);
    EXPECT_EQ(Mem(m, text, std::string("\0e", 2)), 5);
    EXPECT_EQ(Mem(m, text, std::string("d\0", 2)), 4);
    EXPECT_EQ(m.str(text.c_str(), "cd"), -1);
}

TEST_P(Search, AgreesWithStdSearchOnRandomInputs)
{
    const Method& m = GetParam();
    std::mt19937 rng(60);
    for (int alphabet : {1, 2, 4, 256}) {
        std::uniform_int_distribution<int> letter(0, alphabet - 1);
        auto make = [&](std::size_t n) {
            std::string s(n, '\0');
            for (auto& c : s) c = static_cast<char>(alphabet == 256 ? letter(rng) : 'a' + letter(rng));
            return s;
        };
        for (int round = 0; round < 400; ++round) {
            const std::string text = make(rng() % 200);
            std::string pattern;
            switch (round % 4) {
            case 0: pattern = make(rng() % 8); break;   // usually absent for big alphabets
            case 1: pattern = text.substr(0, rng() % (text.size() + 1)); break;      // at the start
            case 2: pattern = text.substr(text.size() - rng() % (text.size() + 1)); break;  // at the end
            default: {
                const std::size_t at = text.empty() ? 0 : rng() % text.size();
                pattern = text.substr(at, rng() % 12);
                if (!pattern.empty() && round % 8 == 3) pattern.back() ^= 1;  // near miss
            }
            }
            ASSERT_EQ(Mem(m, text, pattern), Expected(text, pattern))
                << m.name << " alphabet " << alphabet << " text '" << text << "' pattern '"
                << pattern << "'";
        }
    }
}

// Patterns longer than the stack tables of KMP (1023) and Boyer-Moore (1024)
// must neither overrun them nor be missed.
TEST_P(Search, LongPatternsAroundTheTableLimits)
{
    const Method& m = GetParam();
    std::mt19937 rng(61);
    for (std::size_t len : {1022u, 1023u, 1024u, 1025u, 4000u}) {
        std::string text(len * 3, 'a');
        for (auto& c : text) c = static_cast<char>('a' + rng() % 2);
        const std::string atEnd = text.substr(text.size() - len);
        const std::string inside = text.substr(len / 2, len);
        EXPECT_EQ(Mem(m, text, atEnd), Expected(text, atEnd)) << m.name << " length " << len;
        EXPECT_EQ(Mem(m, text, inside), Expected(text, inside)) << m.name << " length " << len;
        EXPECT_EQ(m.str(text.c_str(), atEnd.c_str()), Expected(text, atEnd)) << m.name;
        EXPECT_EQ(Mem(m, atEnd, text), -1) << m.name;
    }
}

TEST_P(Search, NullArguments)
{
    const Method& m = GetParam();
    const unsigned char t[] = "abc";
    EXPECT_EQ(m.mem(nullptr, 3, t, 1), -1);
    EXPECT_EQ(m.mem(t, 3, nullptr, 1), -1);
    EXPECT_EQ(m.str(nullptr, "a"), -1);
    EXPECT_EQ(m.str("abc", nullptr), -1);
    EXPECT_EQ(m.mem(t, 3, t + 1, 0), 0);
}

INSTANTIATE_TEST_SUITE_P(Methods, Search, ::testing::ValuesIn(kMethods),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
