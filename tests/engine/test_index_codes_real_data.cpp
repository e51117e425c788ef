// Every code text that the four FY2023 index data sets cite, turned into the code text the
// index and table windows hand to the code viewer and looked up in the tabular list. Prints how
// many resolve, how many name only a category, and how many resolve to nothing; the last two
// must be exactly the published errors of the release. Skipped when the build embeds the sample
// data set.
#include "BuildConfig.h"
#include "CodeQueries.h"
#include "DataEngine.h"
#include "EngineGlobals.h"
#include "IndexCodeText.h"
#include "TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

struct TTally {
    int Resolved = 0;
    QStringList CategoryOnly; // the category exists, the code does not
    QStringList Unresolved;   // not a code text, or no such category
};

// A seven-character code has no node: it stands for its six-character (X-padded) base.
TCodeInfo* FindWithSeventh(const QString& ACode) {
    if (TCodeInfo* node = FindCode(ACode))
        return node;
    if (ACode.size() != 8)
        return nullptr;
    QString base = ACode.left(7);
    while (base.endsWith(QLatin1Char('X')))
        base.chop(1);
    if (base.endsWith(QLatin1Char('.')))
        base.chop(1);
    return FindCode(base);
}

void Check(const QString& AText, TTally& ATally) {
    if (AText.isEmpty() || AText == QStringLiteral("-") || AText == QStringLiteral("--"))
        return;
    const std::optional<QString> code = IndexCodeText(AText);
    if (!code) {
        ATally.Unresolved << AText;
        return;
    }
    if (FindWithSeventh(*code))
        ++ATally.Resolved;
    else if (FindCategory(code->left(3)))
        ATally.CategoryOnly << AText;
    else
        ATally.Unresolved << AText;
}

void Walk(const TTerm& ATerm, TTally& ATally) {
    for (const TCompactText* text : {&ATerm.FCode, &ATerm.FManifest, &ATerm.FSeeCat, &ATerm.FSubCat})
        Check(*text, ATally);
    for (const QString& cell : ATerm.FCodesInCell)
        Check(cell, ATally);
    for (const auto& sub : ATerm.FSubTermList)
        Walk(*sub, ATally);
}

TEST(IndexCodesRealData, EveryCitedCodeOpensItsNodeButThePublishedErrors) {
    if (!TABULON_EMBEDS_OFFICIAL_DATA)
        GTEST_SKIP() << "this build embeds the sample data set, not the official files";
    QTemporaryDir root;
    qputenv("ProgramData", root.path().toUtf8());
    qputenv("AppData", root.path().toUtf8());
    TMessageRecorder messages;
    InitDataEngine();
    WaitForLoaders();

    TTally tally;
    for (const TAlphaLetterList* list :
         {DiseaseIndexList, ExternalIndexList, DrugTableList, NeoplasmTableList})
        for (const auto& letter : *list)
            for (const auto& term : letter->FMainTermList)
                Walk(*term, tally);
    std::printf("resolved: %d\ncategory only: %lld (%s)\nunresolved: %lld (%s)\n", tally.Resolved,
                static_cast<long long>(tally.CategoryOnly.size()),
                qPrintable(tally.CategoryOnly.join(QStringLiteral(", "))),
                static_cast<long long>(tally.Unresolved.size()),
                qPrintable(tally.Unresolved.join(QStringLiteral(" | "))));

    EXPECT_GT(tally.Resolved, 100000);
    // The disease index cites E34.828 four times; the tabular list has no such code.
    EXPECT_EQ(tally.CategoryOnly, QStringList(4, QStringLiteral("E34.828")));
    // SCFE written as a code, and one neoplasm manifestation that holds a phrase.
    EXPECT_EQ(tally.Unresolved,
              (QStringList{QStringLiteral("SCFE"),
                           QStringLiteral("ventral surface of tongue and floor of mouth")}));
}

} // namespace
