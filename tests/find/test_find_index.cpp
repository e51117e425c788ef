// The find index on a handful of hand-made documents: code queries, stemming, synonyms, the
// word being typed, spelling correction, grouping of seventh-character codes and ranking. Each
// case runs on an index in memory and on one written to a folder and opened again.
#include "FindIndex.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TFindDocument Doc(const char* ACode, const char* ADesc, const char* ACategory, bool AReportable,
                  std::vector<TFindText> AExtra = {}, const char* AGroup = nullptr) {
    TFindDocument document;
    document.Code = QString::fromUtf8(ACode);
    document.Description = QString::fromUtf8(ADesc);
    document.CategoryCode = QString::fromUtf8(ACategory);
    document.CategoryTitle = QStringLiteral("Title of ") + document.CategoryCode;
    document.GroupKey = QString::fromUtf8(AGroup ? AGroup : ACode);
    document.Reportable = AReportable;
    document.Texts.push_back({document.Description, FindWeightDescription, {document.Description}});
    for (TFindText& text : AExtra)
        document.Texts.push_back(std::move(text));
    return document;
}

std::vector<TFindDocument> Fixture() {
    return {
        Doc("E11", "Type 2 diabetes mellitus", "E11", false),
        Doc("E11.6", "Type 2 diabetes mellitus with other specified complications", "E11", false),
        Doc("E11.65", "Type 2 diabetes mellitus with hyperglycemia", "E11", true,
            {{QStringLiteral("Diabetes, type 2, with, hyperglycemia"), FindWeightIndexPath, {}}}),
        Doc("E11.9", "Type 2 diabetes mellitus without complications", "E11", true),
        Doc("E10.9", "Type 1 diabetes mellitus without complications", "E10", true),
        Doc("I50.9", "Heart failure, unspecified", "I50", true,
            {{QStringLiteral("Failure, heart, congestive"), FindWeightIndexPath, {}}}),
        Doc("I21.9", "Acute myocardial infarction, unspecified", "I21", true,
            {{QStringLiteral("Attack, attacks, heart"), FindWeightSee, {QStringLiteral("Attack heart")}}}),
        Doc("J18.9", "Pneumonia, unspecified organism", "J18", true),
        Doc("J15.9", "Unspecified bacterial pneumonia", "J15", true),
        Doc("C84.10", "Sézary disease, unspecified site", "C84", true),
        Doc("G30.9", "Alzheimer's disease, unspecified", "G30", true),
        Doc("S72.001", "Fracture of unspecified part of neck of right femur", "S72", false),
        Doc("S72.001A", "Fracture of unspecified part of neck of right femur, initial encounter",
            "S72", true, {}, "S72.001"),
        Doc("S72.001D", "Fracture of unspecified part of neck of right femur, subsequent encounter",
            "S72", true, {}, "S72.001"),
        Doc("S72.001S", "Fracture of unspecified part of neck of right femur, sequela", "S72", true,
            {}, "S72.001"),
        Doc("S82.001A", "Fracture of right patella, initial encounter", "S82", true),
        Doc("J44.1", "Chronic obstructive pulmonary disease with (acute) exacerbation", "J44", true,
            {{QStringLiteral("Decompensated COPD"), FindWeightInclusion, {}},
             {QStringLiteral("Decompensated COPD with (acute) exacerbation"), FindWeightInclusion, {}}}),
        Doc("J44.9", "Chronic obstructive pulmonary disease, unspecified", "J44", true),
        Doc("M79.651", "Pain in right thigh", "M79", true,
            {{QStringLiteral("Pain, femur"), FindWeightIndexPath, {}}}),
    };
}

// Runs each test on both kinds of index.
class FindIndexTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (!GetParam()) {
            FIndex = TFindIndex::BuildInMemory(Fixture());
            return;
        }
        const QString folder = FFolder.path() + QStringLiteral("/index");
        QString error;
        ASSERT_TRUE(TFindIndex::WriteFolder(Fixture(), folder, QStringLiteral("k1"), error))
            << error.toStdString();
        FIndex = TFindIndex::OpenFolder(folder, QStringLiteral("k1"), error);
        ASSERT_TRUE(FIndex) << error.toStdString();
    }

    QStringList Codes(const QString& AQuery, int ALimit = 10, bool ACorrect = true) const {
        QStringList codes;
        for (const TFindHit& hit : FIndex->Find(AQuery, ALimit, ACorrect).Hits)
            codes << hit.Code;
        return codes;
    }

    QTemporaryDir FFolder;
    std::unique_ptr<TFindIndex> FIndex;
};

TEST_P(FindIndexTest, CodeQueriesListTheCodeFirstThenTheCodesBelowInCodeOrder) {
    EXPECT_EQ(FIndex->DocumentCount(), 19);
    struct TCase {
        const char* Typed;
        const char* Expected; // codes in order, blank-separated
    };
    const TCase cases[] = {
        {"E11.9", "E11.9"},
        {"e119", "E11.9"},
        {" e11.65 ", "E11.65"},
        {"E11", "E11 E11.6 E11.65 E11.9"},
        {"E11.6", "E11.6 E11.65"},
        {"s72.001a", "S72.001A"},
        // Seven-character codes below a leaf come as one result with the leaf.
        {"S72", "S72.001"},
    };
    for (const TCase& entry : cases) {
        const TFindResult result = FIndex->Find(QLatin1String(entry.Typed), 10);
        QStringList codes;
        for (const TFindHit& hit : result.Hits)
            codes << hit.Code;
        EXPECT_EQ(codes.join(QLatin1Char(' ')), QLatin1String(entry.Expected)) << entry.Typed;
        ASSERT_FALSE(result.Hits.isEmpty()) << entry.Typed;
        EXPECT_EQ(result.Hits.front().ExactCode, entry.Typed != std::string("S72")) << entry.Typed;
    }
    // A code the index does not have is read as words.
    EXPECT_TRUE(Codes(QStringLiteral("Q99.9")).isEmpty());
}

TEST_P(FindIndexTest, HitsCarryTheCodesDescriptionCategoryAndReportableMark) {
    const TFindResult result = FIndex->Find(QStringLiteral("hyperglycemia"), 10);
    ASSERT_EQ(result.Hits.size(), 1);
    const TFindHit& hit = result.Hits.front();
    EXPECT_EQ(hit.Code, QStringLiteral("E11.65"));
    EXPECT_EQ(hit.Description, QStringLiteral("Type 2 diabetes mellitus with hyperglycemia"));
    EXPECT_EQ(hit.CategoryCode, QStringLiteral("E11"));
    EXPECT_EQ(hit.CategoryTitle, QStringLiteral("Title of E11"));
    EXPECT_TRUE(hit.Reportable);
    EXPECT_FALSE(FIndex->Find(QStringLiteral("E11"), 1).Hits.front().Reportable);
}

TEST_P(FindIndexTest, WordsAreMatchedWhateverTheirFormOrderOrAccents) {
    struct TCase {
        const char* Query;
        const char* First; // the code expected first
    };
    const TCase cases[] = {
        {"type 2 diabetes hyperglycemia", "E11.65"}, // numbers are words
        {"diabetes, type 2, with hyperglycemia", "E11.65"},
        {"type 1 diabetes", "E10.9"},
        {"pneumonias", "J18.9"},                 // plural
        {"sezary", "C84.10"},                    // accent-free
        {"Sézary disease", "C84.10"},
        {"alzheimer", "G30.9"},                  // possessive-free
        {"alzheimers disease", "G30.9"},
        {"HEART ATTACK", "I21.9"},               // through an index entry's see reference
        {"patella fracture", "S82.001A"},        // word order
    };
    for (const TCase& entry : cases) {
        const QStringList codes = Codes(QString::fromUtf8(entry.Query));
        ASSERT_FALSE(codes.isEmpty()) << entry.Query;
        EXPECT_EQ(codes.front(), QLatin1String(entry.First)) << entry.Query << ": " << codes.join(QLatin1Char(' ')).toStdString();
    }
}

TEST_P(FindIndexTest, AbbreviationsFindWhatTheyStandFor) {
    EXPECT_EQ(Codes(QStringLiteral("chf")).value(0), QStringLiteral("I50.9"));
    EXPECT_EQ(Codes(QStringLiteral("MI")).value(0), QStringLiteral("I21.9"));
}

TEST_P(FindIndexTest, TheUnspecifiedCodeComesFirstWhenTheQueryNamesNothingMore) {
    // J44.1 carries "COPD" itself and would rank first on its words alone.
    EXPECT_EQ(Codes(QStringLiteral("copd")).mid(0, 2).join(QLatin1Char(' ')), QStringLiteral("J44.9 J44.1"));
    EXPECT_EQ(Codes(QStringLiteral("chronic obstructive pulmonary disease")).value(0), QStringLiteral("J44.9"));
    // A query that names the exacerbation keeps the specific code first.
    EXPECT_EQ(Codes(QStringLiteral("copd exacerbation")).value(0), QStringLiteral("J44.1"));
}

TEST_P(FindIndexTest, TheLastWordIsMatchedAsABeginningWhileItIsTyped) {
    EXPECT_TRUE(Codes(QStringLiteral("pneumo")).contains(QStringLiteral("J18.9")));
    EXPECT_EQ(Codes(QStringLiteral("type 2 diabetes hyperg")).value(0), QStringLiteral("E11.65"));
    // A blank after it says the word is complete.
    EXPECT_TRUE(Codes(QStringLiteral("pneumo ")).isEmpty());
}

TEST_P(FindIndexTest, UnknownWordsAreCorrectedAndKnownWordsAreNot) {
    const TFindResult corrected = FIndex->Find(QStringLiteral("pnuemonia "), 10);
    EXPECT_EQ(corrected.Corrected, QStringLiteral("pneumonia"));
    ASSERT_FALSE(corrected.Hits.isEmpty());
    EXPECT_EQ(corrected.Hits.front().Code, QStringLiteral("J18.9"));

    const TFindResult mixed = FIndex->Find(QStringLiteral("bacterial pnuemonia "), 10);
    EXPECT_EQ(mixed.Corrected, QStringLiteral("bacterial pneumonia"));
    EXPECT_EQ(mixed.Hits.value(0).Code, QStringLiteral("J15.9"));

    EXPECT_TRUE(FIndex->Find(QStringLiteral("pneumonia "), 10).Corrected.isEmpty());
    // Searching instead for what was typed: no correction, nothing found.
    const TFindResult asTyped = FIndex->Find(QStringLiteral("pnuemonia "), 10, false);
    EXPECT_TRUE(asTyped.Corrected.isEmpty());
    EXPECT_TRUE(asTyped.Hits.isEmpty());
}

TEST_P(FindIndexTest, SeventhCharacterCodesOfOneLeafAreOneResult) {
    const TFindResult result = FIndex->Find(QStringLiteral("fracture neck right femur"), 10);
    int fromLeaf = 0;
    for (const TFindHit& hit : result.Hits)
        if (hit.Code.startsWith(QLatin1String("S72.001"))) {
            ++fromLeaf;
            EXPECT_GE(hit.Collapsed, 1);
        }
    EXPECT_EQ(fromLeaf, 1);
}

TEST_P(FindIndexTest, CodesWithEveryWordComeBeforeCodesWithSome) {
    const QStringList codes = Codes(QStringLiteral("fracture femur"));
    ASSERT_GE(codes.size(), 3);
    EXPECT_TRUE(codes[0].startsWith(QLatin1String("S72.001"))) << codes.join(QLatin1Char(' ')).toStdString();
    // Codes with only one of the words follow.
    EXPECT_TRUE(codes.contains(QStringLiteral("S82.001A")));
    EXPECT_TRUE(codes.contains(QStringLiteral("M79.651")));
}

TEST_P(FindIndexTest, QueriesWithoutMeaningFindNothing) {
    for (const char* query : {"", "   ", "of the", "xyzzyq", ",,,"})
        EXPECT_TRUE(Codes(QLatin1String(query)).isEmpty()) << query;
    EXPECT_EQ(Codes(QStringLiteral("diabetes"), 2).size(), 2); // the limit holds
}

INSTANTIATE_TEST_SUITE_P(InMemoryAndOnDisk, FindIndexTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& AInfo) {
                             return AInfo.param ? std::string("OnDisk") : std::string("InMemory");
                         });

} // namespace
