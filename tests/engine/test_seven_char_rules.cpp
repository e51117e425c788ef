// Exception rules of seventh characters: parsing of the rule texts and the code test.
#include "TabularModel.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace {

using Rules = std::vector<std::pair<int, char16_t>>;

Rules RulesOf(const TCharDef& ADef) {
    Rules rules;
    for (const auto& rule : ADef.FDefExceptionList)
        rules.emplace_back(rule->FCodePos, rule->FCodeVal.unicode());
    return rules;
}

struct RuleCase {
    const char* Text;
    Rules Expected;
};

class SetException : public testing::TestWithParam<RuleCase> {};

TEST_P(SetException, ParsesTheRuleText) {
    TCharDef def;
    def.SetException(QString::fromUtf8(GetParam().Text));
    EXPECT_EQ(RulesOf(def), GetParam().Expected) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    RuleTexts, SetException,
    testing::Values(RuleCase{"6:7;6:8", {{6, u'7'}, {6, u'8'}}},
                    RuleCase{"4:A", {{4, u'A'}}},
                    RuleCase{"5:1", {{5, u'1'}}},
                    RuleCase{"3:7", {}},  // position below the sub-code
                    RuleCase{"7:7", {}},  // the seventh character itself
                    RuleCase{"6:77", {}}, // more than one character
                    RuleCase{"6", {}},    // too short to be a rule
                    RuleCase{"6:7:8", {}},
                    RuleCase{"", {}},
                    // blanks separate items like the semicolon does
                    RuleCase{" 6:7 ; 5:X ", {{6, u'7'}, {5, u'X'}}},
                    RuleCase{"6:7 5:X", {{6, u'7'}, {5, u'X'}}},
                    // a quoted part is one item, split again at the colon
                    RuleCase{"\"6: 7\";5:1", {{6, u'7'}, {5, u'1'}}},
                    RuleCase{"\"6;7\"", {}}));

TEST(SetException, NonIntegerPositionFailsTheLoad) {
    TCharDef def;
    EXPECT_THROW(def.SetException(QStringLiteral("x:7")), std::invalid_argument);
}

TEST(SetException, AppendsToRulesAlreadyHeld) {
    TCharDef def;
    def.SetException(QStringLiteral("6:7"));
    def.SetException(QStringLiteral("6:8"));
    EXPECT_EQ(RulesOf(def), (Rules{{6, u'7'}, {6, u'8'}}));
}

TEST(InExceptionRule, ForbidsOnlyTheNamedPositions) {
    TCharDef def;
    def.FChar = QStringLiteral("D");
    def.SetException(QStringLiteral("6:7;6:8"));
    const std::pair<const char*, bool> cases[] = {
        {"S06.0X7", true}, {"S06.0X8", true}, {"S06.0X1", false},
        {"S06.0X", false}, // index 6 is past the end of a six-character code
        {"S06.7", false},  {"", false},
    };
    for (const auto& [code, forbidden] : cases)
        EXPECT_EQ(def.InExceptionRule(QString::fromLatin1(code)), forbidden) << code;
    EXPECT_FALSE(TCharDef().InExceptionRule(QStringLiteral("S06.0X7")));
}

} // namespace
