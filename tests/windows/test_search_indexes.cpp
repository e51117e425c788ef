// The word indexes of the keyword and full-text searches on a small tabular list whose texts sit
// on the edges of the matching rules: how texts split into index words, indexed searches against
// the scan for those texts, the suggestions and counts from the keyword index, and both indexes
// after a keyword reload and after a new tabular list.
#include "AdminTestFiles.h"
#include "FullTextIndex.h"
#include "KeywordReload.h"
#include "SearchDifferential.h"
#include "SearchIndexes.h"
#include "TabularLoader.h"
#include "TextDataSets.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// Texts where a whole word, a separator or an upper case is easily taken for another: words
// ended by a full stop or colon, parentheses, hyphens, words that repeat within one another,
// letters whose upper case is longer, every kind of note, and kinds the full text never searches.
const char* kEdgeTabular = R"(
<chapter><desc>Edges (R00-R99)</desc><section><desc>Edge texts (R00-R99)</desc>
  <diag><name>R10</name><desc>Abdominal pain (acute), x-ray finding</desc>
    <inclusionTerm><note>gas pain</note><note>PAIN: acute; PAIN</note></inclusionTerm>
    <includes><note>colic (infantile)</note></includes>
    <codeFirst><note>underlying cause, such as: a-b-c</note></codeFirst>
    <codeAlso><note>xray of the abdomen</note></codeAlso>
    <excludes1><note>psychogenic pain (F45.41)</note></excludes1>
    <excludes2><note>renal colic (N23)</note></excludes2>
    <useAdditionalCode><note>hiddenword for the additional code</note></useAdditionalCode>
    <notes><note>hiddennote in a plain note</note></notes>
    <diag><name>R10.1</name><desc>Pain localized to upper abdomen</desc>
      <diag><name>R10.10</name><desc>Upper abdominal pain, unspecified</desc></diag></diag>
    <diag><name>R10.8</name><desc>Other abdominal pain.</desc></diag></diag>
  <diag><name>R14</name><desc>Flatulence and related conditions</desc>
    <inclusionTerm><note>Gas pain</note></inclusionTerm>
    <diag><name>R14.1</name><desc>Gas pain.</desc></diag>
    <diag><name>R14.3</name><desc>Flatulence: xa a a</desc></diag></diag>
  <diag><name>R15</name><desc>Fecal incontinence(pain(</desc>
    <diag><name>R15.0</name><desc>Incomplete defecation, XRAY [pain]</desc></diag></diag>
  <diag><name>R16</name><desc>Stra&#223;e syndrome, S&#233;zary disease</desc>
    <excludes2><note>{pain} of the Stra&#223;e</note></excludes2>
    <diag><name>R16.0</name><desc>Hepatomegaly with gas</desc></diag>
    <diag><name>R16.1</name><desc>Splenomegaly with abdomen "pain"</desc></diag></diag>
  <diag><name>R17</name><desc>Unspecified jaundice 'pain'</desc>
    <diag><name>R17.0</name><desc>Jaundice	tabbed	pain</desc></diag></diag>
</section></chapter>)";

// Entries with keywords that differ only in case, in "-" against a blank, and in upper cases
// that grow (Straße), and an entry for a code the tabular list lacks.
const char* const kEdgeKeywords[] = {
    "R10      Abdomen, Gas, Pain, Osteo Myelitis, X-Ray,",
    "R14      Gas, Flatulence, Abdominal, x-ray, Stra\xc3\x9f" "e,",
    "R15      Pain, Defecation, X Ray, STRASSE,",
    "R16      Liver, Due To, Pains,",
    "R17      Due-To, Gas Pain,",
    "Z99      Gas, Orphan,",
};

void LoadEdgeLists(const char* ATabular, const QStringList& AKeywordLines) {
    TMessageRecorder quiet;
    PutDataSet(TDataSet::Tabular, TabularDocument(ATabular));
    LoadTabular();
    ClearCodeKeywords();
    PutDataSet(TDataSet::CodeKeywords, AKeywordLines.join(QStringLiteral("\r\n")).toStdString());
    LoadCodeKeywords(QString(), true, false, true);
    SpecialKeywordList->clear();
    PutDataSet(TDataSet::SpecialKWs, "foot,feet\r\npenny,pence,pennies\r\n");
    LoadSpecialKeywords();
}

QStringList EdgeKeywordLines() {
    QStringList lines;
    for (const char* line : kEdgeKeywords)
        lines << QString::fromUtf8(line);
    return lines;
}

class SearchIndexes : public testing::Test {
protected:
    void SetUp() override {
        CreateGlobalContainers();
        LoadEdgeLists(kEdgeTabular, EdgeKeywordLines());
        ASSERT_EQ(ReadState(TabularLoadState), LoadDone);
        ASSERT_EQ(ReadState(KeywordLoadState), LoadDone);
    }
    static QStringList Search(TSearchMode AMode, const QString& AText, int AConditions = SearchDescription) {
        return CategoryCodes(SearchCategories(*ChapterList, AMode, SearchKeywordsOf(AText), AConditions));
    }
};

TEST(IndexWords, SplitWhereAWholeWordMayEndAndUpperCased) {
    const std::pair<const char*, const char*> cases[] = {
        {"Abdominal pain, unspecified", "ABDOMINAL|PAIN|UNSPECIFIED"},
        // A full stop, colon or semicolon belongs to the word: "pain." is no whole word PAIN.
        {"Gas pain.", "GAS|PAIN."},
        {"PAIN: acute; x", "PAIN:|ACUTE;|X"},
        {"(F45.41) x-ray [a]{b}\"c\"'d'", "F45.41|X|RAY|A|B|C|D"},
        {"tab\there\r\nnext", "TAB|HERE|NEXT"},
        {"Stra\xc3\x9f" "e S\xc3\xa9zary", "STRASSE|S\xc3\x89ZARY"},
        {"  - ( ) ", ""},
        {"", ""},
    };
    for (const auto& [text, words] : cases)
        EXPECT_EQ(IndexWordsOf(QString::fromUtf8(text)).join(QLatin1Char('|')), QString::fromUtf8(words)) << text;
}

TEST_F(SearchIndexes, EdgeTextsFindWhatTheScanFinds) {
    // Texts made from the fixture, and texts aimed at its edges, in every mode and every
    // condition set.
    std::vector<TDifferentialQuery> queries = DifferentialQueries(1, 2);
    const char* const edges[] = {
        "pain", "pain.", "pain:", "PAIN: ACUTE", "a a", "xa a", "x-ray", "xray", "x ray", "a-b-c", "ab-c",
        "abc", "(acute)", "acute", "f45.41", "(f45.41)", "colic (infantile)", "\"colic, renal\"", "gas pain",
        "gas-pain", "stra\xc3\x9f" "e", "strasse", "s\xc3\xa9zary", "sezary", "hiddenword", "hiddennote", "tabbed",
        "tabbed pain", "incontinence", "incontinence(pain", "[pain]", "{pain}", "'pain'", "\"pain\"", "upper, pain",
        "upper abdominal, pain", "flatulence, gas", "hepatomegaly, gas", "due to", "due-to", "dueto", "pains",
        "osteo-myelitis", "orphan", "gas, orphan", ",", "", "-",
    };
    for (const char* edge : edges) {
        const QString text = QString::fromUtf8(edge);
        queries.push_back({text, SearchModeFor(false, SearchKeywordsOf(text)), 0});
        for (int conditions = 1; conditions <= AllFullTextConditions; ++conditions)
            queries.push_back({text, TSearchMode::FullText, conditions});
    }
    const TDifferentialOutcome outcome = RunDifferential(queries);
    EXPECT_TRUE(outcome.Differences.isEmpty()) << outcome.Differences.join(QLatin1Char('\n')).toStdString();
    EXPECT_GE(outcome.WithResults, outcome.Queries / 4);
}

TEST_F(SearchIndexes, TheKeywordBoxShowsWhatTheScanGivesForEdgeTexts) {
    QStringList texts = SuggestionTexts(1);
    for (const char* text : {"x", "x-", "x ", "X R", "stra", "STRAS", "stra\xc3\x9f", "due", "due-t", "gas, x",
                             "pain, x-r", "gas,pain, ", "orphan, g", "nothing, a", "\"gas\", a"})
        texts << QString::fromUtf8(text);
    const QStringList differences = KeywordBoxDifferences(texts);
    EXPECT_TRUE(differences.isEmpty()) << differences.join(QLatin1Char('\n')).toStdString();
}

TEST_F(SearchIndexes, KeywordsTheIndexCannotLookUpFaithfullyAreScanned) {
    // A lower-case word outside ASCII never equals an upper-cased text; SearchKeywordsOf never
    // gives one, a caller may.
    const QStringList keywords{QStringLiteral("s\u00e9zary")};
    ASSERT_NE(FullTextIndexFor(*ChapterList), nullptr);
    EXPECT_FALSE(FullTextIndexFor(*ChapterList)->Candidates(keywords, SearchDescription).has_value());
    EXPECT_EQ(SearchCategories(*ChapterList, TSearchMode::FullText, keywords, SearchDescription),
              SearchCategoriesByScan(*ChapterList, TSearchMode::FullText, keywords, SearchDescription));
    // Other chapters than the engine's have no index.
    TOwningList<TChapter> other;
    EXPECT_EQ(KeywordIndexFor(other), nullptr);
    EXPECT_EQ(FullTextIndexFor(other), nullptr);
}

TEST_F(SearchIndexes, NoIndexWhileAListIsLoading) {
    WriteState(KeywordLoadState, LoadRunning);
    EXPECT_EQ(KeywordIndexFor(*ChapterList), nullptr);
    EXPECT_NE(FullTextIndexFor(*ChapterList), nullptr);
    WriteState(KeywordLoadState, LoadDone);
    WriteState(TabularLoadState, LoadRunning);
    EXPECT_EQ(KeywordIndexFor(*ChapterList), nullptr);
    EXPECT_EQ(FullTextIndexFor(*ChapterList), nullptr);
    WriteState(TabularLoadState, LoadDone);
    EXPECT_NE(KeywordIndexFor(*ChapterList), nullptr);
}

TEST_F(SearchIndexes, WithoutIndexesEverySearchScans) {
    UseSearchIndexes(false);
    EXPECT_EQ(KeywordIndexFor(*ChapterList), nullptr);
    EXPECT_EQ(FullTextIndexFor(*ChapterList), nullptr);
    EXPECT_EQ(Search(TSearchMode::Keywords, QStringLiteral("gas")), (QStringList{QStringLiteral("R10"), QStringLiteral("R14")}));
    EXPECT_EQ(Search(TSearchMode::FullText, QStringLiteral("x-ray")), (QStringList{QStringLiteral("R10"), QStringLiteral("R15")}));
    EXPECT_EQ(KeywordRefCount(QStringLiteral("GAS")), 3);
    TKeywordSuggestions suggestions;
    suggestions.Refresh(QStringLiteral("stra"), false);
    EXPECT_EQ(suggestions.Found(), QStringList{QString::fromUtf8("Stra\xc3\x9f" "e")});
    UseSearchIndexes(true);
    EXPECT_NE(KeywordIndexFor(*ChapterList), nullptr);
}

TEST_F(SearchIndexes, CountsAndSuggestionsFromTheKeywordIndex) {
    ASSERT_NE(CurrentKeywordIndex(), nullptr);
    const std::pair<const char*, int> counts[] = {
        {"GAS", 3}, {"X-RAY", 2}, {"X RAY", 1}, {"STRASSE", 2}, {"STRA\xc3\x9f" "E", 0}, {"gas", 0}, {"NONE", 0},
    };
    for (const auto& [keyword, count] : counts)
        EXPECT_EQ(KeywordRefCount(QString::fromUtf8(keyword)), count) << keyword;
    EXPECT_EQ(CombinedKeywordCount(QStringLiteral("gas")), 2); // Z99 is no category here
    EXPECT_EQ(CombinedKeywordCount(QStringLiteral("x ray")), 3);

    const struct {
        const char* Text;
        bool FullText;
        QStringList Found;
    } cases[] = {
        // Straße and STRASSE share an upper case: the form met first stands for both...
        {"stra", false, {QString::fromUtf8("Stra\xc3\x9f" "e")}},
        // ...unless only one of them begins with what was typed.
        {"stras", false, {QStringLiteral("STRASSE")}},
        // A blank and a "-" are alike, and one keyword per upper case.
        {"x-r", false, {QStringLiteral("X Ray"), QStringLiteral("X-Ray")}},
        {"due t", false, {QStringLiteral("Due To"), QStringLiteral("Due-To")}},
        // After a keyword, only the entries that carry it suggest.
        {"gas, p", false, {QStringLiteral("Pain")}},
        {"pain, x", false, {QStringLiteral("X Ray"), QStringLiteral("X-Ray")}},
        {"orphan, g", false, {QStringLiteral("Gas")}},
        // The distinct keywords in full text: each upper case once.
        {"gas, pai", true, {QStringLiteral("Pain"), QStringLiteral("Pains")}},
        {"a, x-", true, {QStringLiteral("X Ray"), QStringLiteral("X-Ray")}},
    };
    for (const auto& c : cases) {
        TKeywordSuggestions suggestions;
        suggestions.Refresh(QString::fromUtf8(c.Text), c.FullText);
        EXPECT_EQ(suggestions.Found(), c.Found) << c.Text;
    }
}

TEST_F(SearchIndexes, AKeywordReloadReplacesWhatTheIndexAnswers) {
    TKeywordSuggestions suggestions;
    suggestions.Refresh(QStringLiteral("gas, a"), false);
    ASSERT_EQ(suggestions.Found(), (QStringList{QStringLiteral("Abdomen"), QStringLiteral("Abdominal")}));
    ASSERT_EQ(Search(TSearchMode::Keywords, QStringLiteral("gas")), (QStringList{QStringLiteral("R10"), QStringLiteral("R14")}));

    QTemporaryDir dir;
    const QString file = WriteAdminText(dir, "keywords.txt",
                                        "R15 gas, anal\r\nR16 gas, abscess\r\nR17 nausea\r\n");
    ASSERT_TRUE(ReloadCodeKeywords(file, {}));
    EXPECT_EQ(Search(TSearchMode::Keywords, QStringLiteral("gas")), (QStringList{QStringLiteral("R15"), QStringLiteral("R16")}));
    EXPECT_TRUE(Search(TSearchMode::Keywords, QStringLiteral("abdomen")).isEmpty());
    EXPECT_EQ(KeywordRefCount(QStringLiteral("GAS")), 2);
    EXPECT_EQ(CombinedKeywordCount(QStringLiteral("nausea")), 1);
    // The same earlier keyword as before the reload: its entries are looked up again.
    suggestions.Refresh(QStringLiteral("gas, ab"), false);
    EXPECT_EQ(suggestions.Found(), QStringList{QStringLiteral("abscess")});
    const TDifferentialOutcome outcome = RunDifferential(DifferentialQueries(1, 0));
    EXPECT_TRUE(outcome.Differences.isEmpty()) << outcome.Differences.join(QLatin1Char('\n')).toStdString();
}

TEST_F(SearchIndexes, ANewTabularListReplacesWhatTheIndexAnswers) {
    ASSERT_EQ(Search(TSearchMode::FullText, QStringLiteral("hepatomegaly")), QStringList{QStringLiteral("R16")});
    LoadEdgeLists(R"(<chapter><desc>Other (K00-K99)</desc><section><desc>S (K00-K99)</desc>
        <diag><name>K70</name><desc>Hepatomegaly of another list</desc></diag>
        <diag><name>R10</name><desc>Gas only</desc></diag></section></chapter>)",
                  EdgeKeywordLines());
    EXPECT_EQ(Search(TSearchMode::FullText, QStringLiteral("hepatomegaly")), QStringList{QStringLiteral("K70")});
    EXPECT_EQ(Search(TSearchMode::Keywords, QStringLiteral("gas")), QStringList{QStringLiteral("R10")});
    const TDifferentialOutcome outcome = RunDifferential(DifferentialQueries(1, 1));
    EXPECT_TRUE(outcome.Differences.isEmpty()) << outcome.Differences.join(QLatin1Char('\n')).toStdString();
}

TEST_F(SearchIndexes, ThreadsAskingAtOnceShareOneIndex) {
    // The first searches of two threads at once: one builds each index, both get it, and their
    // results are the scan's. (Keyword-mode matching caches entries in the categories, so it stays
    // with one thread, as in the program.)
    ForgetSearchIndexes();
    const QStringList keywords = SearchKeywordsOf(QStringLiteral("pain"));
    const QList<TCodeInfo*> expected =
        SearchCategoriesByScan(*ChapterList, TSearchMode::FullText, keywords, AllFullTextConditions);
    ASSERT_FALSE(expected.isEmpty());
    std::shared_ptr<const TFullTextIndex> fullText[2];
    std::shared_ptr<const TKeywordIndex> keyword[2];
    QList<TCodeInfo*> found[2];
    int counts[2] = {};
    std::vector<std::thread> threads;
    for (int i = 0; i < 2; ++i)
        threads.emplace_back([&, i] {
            found[i] = SearchCategories(*ChapterList, TSearchMode::FullText, keywords, AllFullTextConditions);
            fullText[i] = FullTextIndexFor(*ChapterList);
            keyword[i] = KeywordIndexFor(*ChapterList);
            counts[i] = KeywordRefCount(QStringLiteral("GAS"));
        });
    for (std::thread& thread : threads)
        thread.join();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(found[i], expected);
        EXPECT_EQ(counts[i], 3);
    }
    ASSERT_NE(fullText[0], nullptr);
    ASSERT_NE(keyword[0], nullptr);
    EXPECT_EQ(fullText[0], fullText[1]);
    EXPECT_EQ(keyword[0], keyword[1]);
}

} // namespace
