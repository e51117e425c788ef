// Code queries on a small tabular list: checking and splitting code texts, finding nodes,
// walking down by sub-code, seventh characters with their exception rules, and comparisons.
#include "CodeQueries.h"
#include "EngineGlobals.h"
#include "TabularLoader.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

const char* kFixture = R"(
<chapter><desc>Infections (A00-A09)</desc><section><desc>Intestinal (A00-A09)</desc>
  <diag><name>A00</name><desc>Cholera</desc>
    <diag><name>A00.0</name><desc>Cholera due to Vibrio cholerae</desc></diag>
    <diag><name>A00.9</name><desc>Cholera, unspecified</desc></diag></diag>
  <diag><name>A01</name><desc>Typhoid</desc>
    <diag><name>A01.0</name><desc>Typhoid fever</desc>
      <diag><name>A01.00</name><desc>Typhoid fever, unspecified</desc>
        <diag><name>A01.011</name><desc>filed below the wrong sibling</desc></diag></diag>
      <diag><name>A01.01</name><desc>Typhoid meningitis</desc></diag></diag></diag>
</section></chapter>
<chapter><desc>Injuries (S00-T88)</desc>
<section><desc>Head (S00-S09)</desc>
  <diag><name>S06</name><desc>Intracranial injury</desc>
    <sevenChrDef>
      <extension char="A">initial encounter</extension>
      <extension char="D" exception="6:7;6:8">subsequent encounter</extension>
      <extension char="S" exception="6:7;6:8">sequela</extension>
    </sevenChrDef>
    <diag><name>S06.0</name><desc>Concussion</desc>
      <diag placeholder="true"><name>S06.0X</name><desc>Concussion</desc>
        <diag><name>S06.0X1</name><desc>Concussion with brief loss of consciousness</desc></diag>
        <diag><name>S06.0X7</name><desc>Concussion with death due to brain injury</desc></diag></diag></diag>
    <diag><name>S06.1</name><desc>Traumatic cerebral edema</desc>
      <sevenChrDef><extension char="B">own character</extension></sevenChrDef></diag>
  </diag>
</section>
<section><desc>Multiple (T07-T07)</desc>
  <diag><name>T07</name><desc>Unspecified multiple injuries</desc>
    <sevenChrDef>
      <extension char="A">initial encounter</extension>
      <extension char="S">sequela</extension>
    </sevenChrDef></diag>
</section></chapter>)";

class CodeQueries : public testing::Test {
protected:
    static void SetUpTestSuite() {
        PutDataSet(TDataSet::Tabular, TabularDocument(kFixture));
        LoadTabular();
        ResetCategoryIndex();
    }
};

struct SplitCase {
    const char* Code;
    bool Valid;
    const char* Category;
    const char* SubCode;
};

TEST(SplitCode, ChecksAndSplits) {
    const SplitCase cases[] = {
        {"A01.0-", true, "A01", "0"},   {"C79.8-", true, "C79", "8"},   {"A01", true, "A01", ""},
        {"A01.", true, "A01", ""},      {"S06.0X1A", true, "S06", "0X1A"},
        {"A01.-1", true, "A01", ""},    {"Z99.99", true, "Z99", "99"},
        {"a01.0", false, "", ""},       {"A1", false, "", ""},          {"A01.00000", false, "", ""},
        {"A010", false, "", ""},        {"A01.x", false, "", ""},       {"A-1", false, "", ""},
        {"", false, "", ""},            {"A01 0", false, "", ""},
    };
    for (const SplitCase& c : cases) {
        QString category = QStringLiteral("keep"), subCode = QStringLiteral("keep");
        EXPECT_EQ(SplitCode(QString::fromLatin1(c.Code), category, subCode), c.Valid) << c.Code;
        if (c.Valid) {
            EXPECT_EQ(category, QLatin1String(c.Category)) << c.Code;
            EXPECT_EQ(subCode, QLatin1String(c.SubCode)) << c.Code;
        } else {
            EXPECT_EQ(category, QStringLiteral("keep")) << c.Code; // outputs untouched
            EXPECT_EQ(subCode, QStringLiteral("keep")) << c.Code;
        }
    }
}

TEST_F(CodeQueries, FindCodeReturnsTheNodeOrNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"S06.0X1", "S06.0X1"}, {"A00", "A00"},   {"A00.", "A00"},  {"A01.00", "A01.00"},
        {"A01.0-", "A01.0"},    {"s06.0x1", ""},  {"Z99.99", ""},   {"A01.02", ""},
        {"S06.0X1A", ""}, // a seven-character code has no node of its own
        // The prefix walk steps into A01.01 and stops; the exact text still finds the node.
        {"A01.011", "A01.011"},
    };
    for (const auto& [code, found] : cases) {
        const TCodeInfo* node = FindCode(QString::fromLatin1(code));
        EXPECT_EQ(node ? node->FCode : QString(), QLatin1String(found)) << code;
    }
    EXPECT_EQ(FindCategory(QStringLiteral("T07"))->FDesc, QStringLiteral("Unspecified multiple injuries"));
    EXPECT_EQ(FindCategory(QStringLiteral("t07")), nullptr);
}

TEST_F(CodeQueries, DescribeCodeGivesTheDescriptionOfEveryCodeOfTheEdition) {
    const std::pair<const char*, const char*> cases[] = {
        {"A00", "Cholera"},
        {"A00.", "Cholera"},
        {"A00.0", "Cholera due to Vibrio cholerae"},
        {"A01.011", "filed below the wrong sibling"},
        {"S06.0X1A", "Concussion with brief loss of consciousness, initial encounter"},
        {"T07.XXXA", "Unspecified multiple injuries, initial encounter"},
        {"A01.02", nullptr},   // not in this edition
        {"Z99", nullptr},
        {"A01.0-", nullptr},   // an index reference, no code
        {"s06.0x1", nullptr},
        {"S06.1XXA", nullptr}, // a character its code does not have
        {"", nullptr},
    };
    for (const auto& [code, description] : cases) {
        QString got = QStringLiteral("unchanged");
        EXPECT_EQ(DescribeCode(QString::fromLatin1(code), got), description != nullptr) << code;
        EXPECT_EQ(got, description ? QString::fromLatin1(description) : QStringLiteral("unchanged")) << code;
    }
}

TEST_F(CodeQueries, FindSubCodeByNameStepsThroughPrefixesWithoutGoingBack) {
    TCodeInfo* s06 = FindCategory(QStringLiteral("S06"));
    ASSERT_NE(s06, nullptr);
    EXPECT_EQ(s06->FindSubCodeByName(QStringLiteral("0X1"))->FCode, QStringLiteral("S06.0X1"));
    EXPECT_EQ(s06->FindSubCodeByName(QString()), s06);
    // Prefixes compare without regard to case, the final step exactly: 0x1 steps into S06.0 and
    // S06.0X, then finds no child equal to 0x1.
    EXPECT_EQ(s06->FindSubCodeByName(QStringLiteral("0x1")), nullptr);
    EXPECT_EQ(s06->FindSubCodeByName(QStringLiteral("0X9")), nullptr);
    EXPECT_EQ(s06->FindSubCodeByName(QStringLiteral("1")), s06->FSubCodeList[1].get());
}

TEST_F(CodeQueries, FindHeaderBy4SubCodesCompletesLeavesWithTheirPlaceholders) {
    struct Case {
        const char* Category;
        const char* SubCode;
        const char* Node;
        const char* FullDesc;
    };
    const Case cases[] = {
        {"T07", "XXXA", "T07", "Unspecified multiple injuries, initial encounter"},
        {"T07", "XXAA", "", ""},
        {"T07", "XXXD", "", ""}, // not a character of T07
        {"S06", "0X1A", "S06.0X1", "Concussion with brief loss of consciousness, initial encounter"},
        {"S06", "0X7D", "S06.0X7", "Concussion with death due to brain injury, subsequent encounter"},
        {"S06", "1XXB", "S06.1", "Traumatic cerebral edema, own character"},
        {"S06", "1XXA", "", ""}, // S06.1 has a definition of its own without A
        {"S06", "1X1B", "", ""}, // placeholder missing
        {"A00", "0XXA", "", ""}, // no seventh characters at all
        {"S06", "0X1", "", ""},  // not four characters
    };
    for (const Case& c : cases) {
        QString full = QStringLiteral("unchanged");
        TCodeInfo* node = FindCategory(QLatin1String(c.Category))
                              ->FindHeaderBy4SubCodes(QLatin1String(c.SubCode), full);
        SCOPED_TRACE(std::string(c.Category) + " " + c.SubCode);
        EXPECT_EQ(node ? node->FCode : QString(), QLatin1String(c.Node));
        EXPECT_EQ(full, *c.Node ? QString::fromLatin1(c.FullDesc) : QStringLiteral("unchanged"));
    }
}

TEST_F(CodeQueries, SeventhCharactersAreInheritedDownwards) {
    const TCodeInfo* s06 = FindCategory(QStringLiteral("S06"));
    const TCodeInfo* leaf = FindCode(QStringLiteral("S06.0X1"));
    const TCodeInfo* own = FindCode(QStringLiteral("S06.1"));
    EXPECT_EQ(leaf->Get7CharDef(), s06->GetSelf7CharDef());
    EXPECT_EQ(leaf->GetSelf7CharDef(), nullptr);
    EXPECT_EQ(leaf->GetParent7CharDef(), s06->GetSelf7CharDef());
    EXPECT_EQ(s06->GetParent7CharDef(), nullptr);
    EXPECT_NE(own->Get7CharDef(), s06->GetSelf7CharDef());
    EXPECT_EQ(own->GetSelf7CharNum(), 1);
    EXPECT_EQ(s06->GetSelf7CharNum(), 3);
    EXPECT_FALSE(leaf->IsFinalCode());
    EXPECT_TRUE(FindCode(QStringLiteral("A00.9"))->IsFinalCode());
    EXPECT_FALSE(FindCode(QStringLiteral("A00"))->IsFinalCode());
}

TEST_F(CodeQueries, GetAllValideCodesHonoursExceptionRules) {
    QStringList codes, descriptions;
    FindCategory(QStringLiteral("S06"))->GetAllValideCodes(codes, descriptions);
    EXPECT_EQ(codes, (QStringList{QStringLiteral("S06.0X1A"), QStringLiteral("S06.0X1D"),
                                  QStringLiteral("S06.0X1S"), QStringLiteral("S06.0X7A"),
                                  QStringLiteral("S06.1XXB")}));
    ASSERT_EQ(descriptions.size(), codes.size());
    EXPECT_EQ(descriptions[3], QStringLiteral("Concussion with death due to brain injury, initial encounter"));

    codes.clear();
    descriptions.clear();
    FindCategory(QStringLiteral("T07"))->GetAllValideCodes(codes, descriptions);
    FindCategory(QStringLiteral("A00"))->GetAllValideCodes(codes, descriptions);
    EXPECT_EQ(codes, (QStringList{QStringLiteral("T07.XXXA"), QStringLiteral("T07.XXXS"),
                                  QStringLiteral("A00.0"), QStringLiteral("A00.9")}));
}

TEST_F(CodeQueries, GetAllNodeAndCodesFlagsNodesAndReportableCodes) {
    QStringList codes, flags, descriptions;
    FindCategory(QStringLiteral("A01"))->GetAllNodeAndCodes(codes, flags, descriptions);
    FindCategory(QStringLiteral("T07"))->GetAllNodeAndCodes(codes, flags, descriptions);
    EXPECT_EQ(codes, (QStringList{QStringLiteral("A01"), QStringLiteral("A01.0"), QStringLiteral("A01.00"),
                                  QStringLiteral("A01.011"), QStringLiteral("A01.01"), QStringLiteral("T07"),
                                  QStringLiteral("T07.XXXA"), QStringLiteral("T07.XXXS")}));
    EXPECT_EQ(flags.join(QString()), QStringLiteral("00011011"));
    EXPECT_EQ(descriptions.size(), codes.size());
    EXPECT_EQ(descriptions[7], QStringLiteral("Unspecified multiple injuries, sequela"));
}

TEST(CompareLeading, ComparesTheLeadingCharacters) {
    struct Case {
        const char* A;
        const char* B;
        int Count;
        bool IgnoreCase;
        bool BlankIsDash;
        int Expected;
    };
    const Case cases[] = {
        {"ab-c", "AB c", 4, true, true, 0},
        {"ab-c", "AB c", 4, true, false, 1}, // "-" (45) is greater than the blank (32)
        {"ab-c", "AB c", 2, false, false, 1},
        {"AB", "ab", 2, true, false, 0},
        {"a[", "A{", 2, true, false, -1}, // only ASCII letters fold
        {"abc", "abd", 2, false, false, 0},
        {"abc", "abd", 3, false, false, -1},
        {"x", "y", 0, false, false, 0},
        {"x", "y", -3, false, false, 0},
        {"a b", "a-b", 3, false, true, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompareLeading(QLatin1String(c.A), QLatin1String(c.B), c.Count, c.IgnoreCase, c.BlankIsDash),
                  c.Expected)
            << c.A << " / " << c.B << " " << c.Count;
    EXPECT_EQ(CompareLeadingLoose(QStringLiteral("due-to"), QStringLiteral("DUE TO"), 6, true), 0);
}

TEST(SubCodeOf, TakesWhatFollowsTheFourthCharacter) {
    EXPECT_EQ(SubCodeOf(QStringLiteral("A01.00")), QStringLiteral("00"));
    EXPECT_EQ(SubCodeOf(QStringLiteral("A01.")), QString());
    EXPECT_EQ(SubCodeOf(QStringLiteral("A01")), QString());
    EXPECT_EQ(SubCodeOf(QStringLiteral("A01.0")), QStringLiteral("0"));
}

TEST_F(CodeQueries, FindCategoryWaitsWhileTheListIsLoading) {
    WriteState(TabularLoadState, LoadRunning);
    std::thread finisher([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        WriteState(TabularLoadState, LoadDone);
    });
    EXPECT_NE(FindCategory(QStringLiteral("A01")), nullptr);
    EXPECT_EQ(ReadState(TabularLoadState), LoadDone); // it returned only after the load ended
    finisher.join();
}

} // namespace
