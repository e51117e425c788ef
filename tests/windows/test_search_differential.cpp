// The keyword and full-text searches through the word indexes list exactly what the scan of
// every category lists, on the data set this test program embeds: built once with the sample data
// set, and once with the official files (that build skips itself when the build embeds the sample
// data set instead).
#include "BuildConfig.h"
#include "SearchDifferential.h"
#include "SearchIndexes.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

#ifndef TABULON_DIFFERENTIAL_ON_OFFICIAL_DATA
#error "TABULON_DIFFERENTIAL_ON_OFFICIAL_DATA must say which data set this program embeds"
#endif

constexpr bool kOfficial = TABULON_DIFFERENTIAL_ON_OFFICIAL_DATA;

class SearchDifferential : public testing::Test {
protected:
    static bool Runs() { return !kOfficial || TABULON_EMBEDS_OFFICIAL_DATA; }
    static void SetUpTestSuite() {
        if (Runs())
            LoadEngineForSuite();
    }
    void SetUp() override {
        if (!Runs())
            GTEST_SKIP() << "this build embeds the sample data set, not the official files";
        ASSERT_EQ(ReadState(TabularLoadState), LoadDone);
        ASSERT_EQ(ReadState(KeywordLoadState), LoadDone);
    }
};

TEST_F(SearchDifferential, IndexedSearchesListWhatTheScanLists) {
    // Both indexes answer here: the comparison is not between two scans.
    ASSERT_NE(KeywordIndexFor(*ChapterList), nullptr);
    ASSERT_NE(FullTextIndexFor(*ChapterList), nullptr);
    // The official list is sampled (one category and keyword entry in 140), the sample data set
    // taken whole.
    const std::vector<TDifferentialQuery> queries = DifferentialQueries(kOfficial ? 140 : 1, 4);
    const TDifferentialOutcome outcome = RunDifferential(queries);
    EXPECT_TRUE(outcome.Differences.isEmpty()) << outcome.Differences.join(QLatin1Char('\n')).toStdString();
    EXPECT_GE(outcome.Queries, 700);
    // Most queries are made from the data, so many of them find something.
    EXPECT_GE(outcome.WithResults, outcome.Queries / 4);
    std::printf("%d queries compared, %d with results\n", outcome.Queries, outcome.WithResults);
    RecordProperty("queries", outcome.Queries);
}

TEST_F(SearchDifferential, TheKeywordBoxShowsWhatTheScanGives) {
    const QStringList texts = SuggestionTexts(kOfficial ? 40 : 1);
    EXPECT_GE(texts.size(), 100);
    const QStringList differences = KeywordBoxDifferences(texts);
    EXPECT_TRUE(differences.isEmpty()) << differences.join(QLatin1Char('\n')).toStdString();
    std::printf("%lld keyword box texts compared\n", static_cast<long long>(texts.size()));
}

} // namespace
