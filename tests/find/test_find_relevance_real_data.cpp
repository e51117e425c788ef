// The find index on the embedded FY2023 data sets: every code has its document, and everyday
// queries as coders type them find the code they want among the first five results. Skipped
// when the build embeds the sample data set.
#include "BuildConfig.h"
#include "DataEngine.h"
#include "EngineGlobals.h"
#include "FindRelevanceQueries.h"
#include "FindIndex.h"
#include "TestSupport.h"

#include <QSet>
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

namespace {

class RealFind : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!TABULON_EMBEDS_OFFICIAL_DATA)
            return;
        LoadEngineForSuite();
        gDocuments = new std::vector<TFindDocument>(CollectFindDocuments(GlobalFindSources()));
        gIndex = TFindIndex::BuildInMemory(*gDocuments).release();
    }
    void SetUp() override {
        if (!TABULON_EMBEDS_OFFICIAL_DATA)
            GTEST_SKIP() << "this build embeds the sample data set, not the official files";
    }
    static inline std::vector<TFindDocument>* gDocuments = nullptr;
    static inline TFindIndex* gIndex = nullptr;
};

bool Accepts(const QString& AAccepted, const QString& ACode) {
    for (const QString& prefix : AAccepted.split(QLatin1Char(',')))
        if (ACode.startsWith(prefix.trimmed()))
            return true;
    return false;
}

TEST_F(RealFind, EveryCodeAndEverySeventhCharacterCodeHasOneDocument) {
    QSet<QString> codes;
    int reportable = 0;
    for (const TFindDocument& document : *gDocuments) {
        EXPECT_FALSE(codes.contains(document.Code)) << document.Code.toStdString();
        codes.insert(document.Code);
        reportable += document.Reportable ? 1 : 0;
        ASSERT_FALSE(document.CategoryTitle.isEmpty()) << document.Code.toStdString();
    }
    // The order file lists every code of the tabular list and every completion with a seventh
    // character: 96,745 codes, of which 73,639 are reportable.
    EXPECT_EQ(codes.size(), 96745);
    EXPECT_EQ(reportable, 73639);
    EXPECT_EQ(gIndex->DocumentCount(), 96745);
    for (const char* code : {"A00", "E11.65", "S06.0X1A", "T07.XXXA", "H54.8", "Z99.89"})
        EXPECT_TRUE(codes.contains(QLatin1String(code))) << code;
}

TEST_F(RealFind, IndexAndTableEntriesReachTheirCodes) {
    struct TCase {
        const char* Code;
        const char* Words; // words an index or table entry leading to the code carries
    };
    const TCase cases[] = {
        {"E11.65", "hyperglycemia"},  // Diabetes, type 2, with hyperglycemia
        {"I21.9", "attack"},          // Attack, heart -- see Infarct, myocardium
        {"T39.1X1", "acetaminophen"}, // drug table, accidental poisoning column
        {"C50.91", "breast"},         // neoplasm table, malignant primary column
    };
    for (const TCase& entry : cases) {
        const auto document = std::find_if(gDocuments->begin(), gDocuments->end(),
            [&](const TFindDocument& ADocument) { return ADocument.Code == QLatin1String(entry.Code); });
        ASSERT_NE(document, gDocuments->end()) << entry.Code;
        bool found = false;
        for (const TFindText& text : document->Texts)
            found = found || (text.Weight != FindWeightDescription &&
                              text.Text.contains(QLatin1String(entry.Words), Qt::CaseInsensitive));
        EXPECT_TRUE(found) << entry.Code << " lacks an entry with " << entry.Words;
    }
}

TEST_F(RealFind, EverydayQueriesFindTheWantedCodeInTheFirstFive) {
    int hits = 0;
    std::string misses;
    for (const TRelevanceQuery& query : kRelevanceQueries) {
        const TFindResult result = gIndex->Find(QString::fromUtf8(query.Query), 5);
        ASSERT_TRUE(result.Error.isEmpty()) << result.Error.toStdString();
        bool hit = false;
        QStringList got;
        for (const TFindHit& found : result.Hits) {
            hit = hit || Accepts(QLatin1String(query.Accepted), found.Code);
            got << found.Code;
        }
        if (hit)
            ++hits;
        else
            misses += std::string("  \"") + query.Query + "\" wants " + query.Accepted + ", got " +
                      got.join(QLatin1Char(' ')).toStdString() + "\n";
    }
    const double rate = static_cast<double>(hits) / static_cast<double>(kRelevanceQueries.size());
    std::cout << "find: " << hits << " of " << kRelevanceQueries.size()
              << " queries have a wanted code in the first five (" << rate * 100 << "%)\n"
              << (misses.empty() ? std::string() : "misses:\n" + misses);
    EXPECT_GE(rate, 0.9) << misses;
}

TEST_F(RealFind, ExactCodeTextComesFirst) {
    for (const char* typed : {"E11.9", "e119", "E11", "s060x1a", "T07.XXXA"}) {
        const TFindResult result = gIndex->Find(QLatin1String(typed), 10);
        ASSERT_FALSE(result.Hits.isEmpty()) << typed;
        EXPECT_TRUE(result.Hits.front().ExactCode) << typed;
    }
}

TEST_F(RealFind, MisspellingIsCorrectedAndAKnownWordIsNot) {
    const TFindResult corrected = gIndex->Find(QStringLiteral("pnuemonia"), 5);
    EXPECT_EQ(corrected.Corrected, QStringLiteral("pneumonia"));
    const TFindResult known = gIndex->Find(QStringLiteral("pneumonia"), 5);
    EXPECT_TRUE(known.Corrected.isEmpty());
    const TFindResult asTyped = gIndex->Find(QStringLiteral("pnuemonia"), 5, false);
    EXPECT_TRUE(asTyped.Corrected.isEmpty());
    EXPECT_TRUE(asTyped.Hits.isEmpty());
}

TEST_F(RealFind, SeventhCharacterCodesOfOneLeafDoNotFloodTheList) {
    const TFindResult result = gIndex->Find(QStringLiteral("fracture of shaft of right femur"), 20);
    QSet<QString> leaves;
    for (const TFindHit& hit : result.Hits) {
        const QString leaf = hit.Code.size() == 8 ? hit.Code.left(7) : hit.Code;
        EXPECT_FALSE(leaves.contains(leaf)) << hit.Code.toStdString();
        leaves.insert(leaf);
    }
}

} // namespace
