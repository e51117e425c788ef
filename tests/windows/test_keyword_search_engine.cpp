// The keyword search without widgets: splitting, matching in both modes, variants, counts and
// suggestions.
#include "EngineGlobals.h"
#include "KeywordMatch.h"
#include "KeywordSearchEngine.h"
#include "TabularLoader.h"
#include "TestSupport.h"
#include "TextDataSets.h"

#include <gtest/gtest.h>

namespace {

const char* kTabular = R"(
<chapter><desc>Digestive (K00-K95)</desc><section><desc>Symptoms (R10-R19)</desc>
  <diag><name>R10</name><desc>Abdominal and pelvic pain</desc>
    <diag><name>R10.9</name><desc>Unspecified abdominal pain</desc></diag>
    <diag><name>R10.8</name><desc>Other abdominal pain, gas</desc></diag></diag>
  <diag><name>R14</name><desc>Flatulence</desc>
    <inclusionTerm><note>gas pain</note></inclusionTerm>
    <excludes1><note>psychogenic abdomen</note></excludes1>
    <diag><name>R14.1</name><desc>Gas pain.</desc></diag></diag>
  <diag><name>R15</name><desc>Painful defecation</desc>
    <diag><name>R15.0</name><desc>Incomplete defecation, xray</desc></diag></diag>
  <diag><name>R16</name><desc>Hepatomegaly</desc>
    <diag><name>R16.0</name><desc>Hepatomegaly with gas</desc></diag>
    <diag><name>R16.1</name><desc>Splenomegaly with abdomen</desc></diag></diag>
</section></chapter>)";

class KeywordSearch : public testing::Test {
protected:
    static void SetUpTestSuite() {
        TMessageRecorder quiet;
        PutDataSet(TDataSet::Tabular, TabularDocument(kTabular));
        LoadTabular();
        CreateGlobalContainers();
        CodeKeywordsList->clear();
        KeywordRefList->clear();
        SpecialKeywordList->clear();
        QStringList lines = {QStringLiteral("R10      Abdomen, Gas, Pain, Osteo Myelitis,"),
                             QStringLiteral("R14      Gas, Flatulence, Abdominal,"),
                             QStringLiteral("R15      Pain, Defecation,"),
                             QStringLiteral("R16      Liver, Due To,")};
        // 41 keywords beginning with "Sym" for the paging of suggestions.
        for (int i = 0; i < 41; ++i)
            lines << QStringLiteral("R16      Sym%1,").arg(i, 2, 10, QLatin1Char('0'));
        PutDataSet(TDataSet::CodeKeywords, lines.join(QStringLiteral("\r\n")).toStdString());
        LoadCodeKeywords(QString(), true, false, true);
        PutDataSet(TDataSet::SpecialKWs, "foot,feet\r\npenny,pence,pennies\r\n");
        LoadSpecialKeywords();
    }
    static QStringList Codes(const QList<TCodeInfo*>& AFound) {
        QStringList codes;
        for (const TCodeInfo* code : AFound)
            codes << code->FCode;
        return codes;
    }
    static QStringList Search(TSearchMode AMode, const QString& AText, int AConditions = SearchDescription) {
        QStringList keywords = SplitKeywords(AText.toUpper());
        return Codes(SearchCategories(*ChapterList, AMode, keywords, AConditions));
    }
};

TEST(SplitKeywords, OnlyCommasSplitAndQuotesHoldCommas) {
    const std::pair<const char*, QStringList> cases[] = {
        {"gas, Abdomen", {QStringLiteral("gas"), QStringLiteral("Abdomen")}},
        {"gas,", {QStringLiteral("gas"), QString()}},
        {" due to , x", {QStringLiteral("due to"), QStringLiteral("x")}},
        {"\"a,b\",c", {QStringLiteral("a,b"), QStringLiteral("c")}},
        {"\"say \"\"x\"\"\"", {QStringLiteral("say \"x\"")}},
        {"", {QString()}},
    };
    for (const auto& [text, pieces] : cases)
        EXPECT_EQ(SplitKeywords(QString::fromLatin1(text)), pieces) << text;
}

TEST_F(KeywordSearch, KeywordModeNeedsEveryKeywordAmongTheCategorysKeywords) {
    EXPECT_EQ(Search(TSearchMode::Keywords, QStringLiteral("gas, Abdomen")), QStringList{QStringLiteral("R10")});
    EXPECT_EQ(Search(TSearchMode::Keywords, QStringLiteral("GAS,ABDOMEN")), QStringList{QStringLiteral("R10")});
    EXPECT_EQ(Search(TSearchMode::Keywords, QStringLiteral("gas")),
              (QStringList{QStringLiteral("R10"), QStringLiteral("R14")}));
    // abdomen is not Abdominal; osteo-myelitis is Osteo Myelitis; a trailing comma is ignored.
    EXPECT_EQ(Search(TSearchMode::Keywords, QStringLiteral("abdominal")), QStringList{QStringLiteral("R14")});
    EXPECT_EQ(Search(TSearchMode::Keywords, QStringLiteral("osteo-myelitis")), QStringList{QStringLiteral("R10")});
    EXPECT_EQ(Search(TSearchMode::Keywords, QStringLiteral("gas,")), Search(TSearchMode::Keywords, QStringLiteral("gas")));
    EXPECT_EQ(Search(TSearchMode::All, QString()).size(), 4);
}

TEST_F(KeywordSearch, KeywordModeCases) {
    const struct {
        const char* Text;
        QStringList Codes;
    } cases[] = {
        {"due to", {QStringLiteral("R16")}},            // a keyword of two words
        {"due-to", {QStringLiteral("R16")}},            // a hyphen reads as a blank
        {"Osteo Myelitis", {QStringLiteral("R10")}},
        {"myelitis", {}},                               // a part of a keyword is not the keyword
        {"abdomen", {QStringLiteral("R10")}},           // not R14's Abdominal
        {"abdomen, abdomen", {QStringLiteral("R10")}},  // one keyword may satisfy several
        {"pain, gas", {QStringLiteral("R10")}},         // order does not matter
        {",,gas,,", {QStringLiteral("R10"), QStringLiteral("R14")}}, // empty pieces are satisfied
        {"\"gas\"", {QStringLiteral("R10"), QStringLiteral("R14")}},  // quotes are no part of it
        {"gas, nothing", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Search(TSearchMode::Keywords, QLatin1String(c.Text)), c.Codes) << c.Text;
}

TEST_F(KeywordSearch, FullTextCases) {
    const struct {
        const char* Text;
        int Conditions;
        QStringList Codes;
    } cases[] = {
        // R14's own description has FLATULENCE, only its child R14.1 has GAS: they do not combine.
        {"flatulence, gas", SearchDescription, {}},
        {"flatulence", SearchDescription, {QStringLiteral("R14")}},
        // A note of an unselected kind is not searched.
        {"psychogenic", SearchDescription | SearchInclusion, {}},
        {"psychogenic", SearchExcludes1, {QStringLiteral("R14")}},
        {"psychogenic", AllFullTextConditions, {QStringLiteral("R14")}},
        // Through a child: R16.0 carries both words on its own.
        {"hepatomegaly, gas", SearchDescription, {QStringLiteral("R16")}},
        {"hepatomegaly, splenomegaly", SearchDescription, {}},
        {"xray", SearchDescription, {QStringLiteral("R15")}},
        {"x ray", SearchDescription, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Search(TSearchMode::FullText, QLatin1String(c.Text), c.Conditions), c.Codes)
            << c.Text << " with conditions " << c.Conditions;
}

TEST_F(KeywordSearch, SameResultsCountsAndVariantsWhateverTheCaseAndBlanks) {
    const QString a = QStringLiteral("gas, Abdomen"), b = QStringLiteral("GAS,ABDOMEN");
    EXPECT_EQ(Search(TSearchMode::Keywords, a), Search(TSearchMode::Keywords, b));
    EXPECT_EQ(CombinedKeywordCount(a), CombinedKeywordCount(b));
    EXPECT_EQ(BuildKeywordVariants(SearchKeywordsOf(a)), BuildKeywordVariants(SearchKeywordsOf(b)));
    // The count rows differ only in their padding: each stands under its own keyword.
    EXPECT_EQ(KeywordCountRow(a), QStringLiteral("2   1        "));
    EXPECT_EQ(KeywordCountRow(b), QStringLiteral("2   1       "));
}

TEST_F(KeywordSearch, KeywordCountsAndPluralLookUp) {
    const std::pair<const char*, int> counts[] = {
        {"GAS", 2}, {"PAIN", 2}, {"DUE TO", 1}, {"OSTEO MYELITIS", 1}, {"gas", 0}, {"GAS ", 0}, {"GA", 0},
    };
    for (const auto& [keyword, count] : counts)
        EXPECT_EQ(KeywordRefCount(QLatin1String(keyword)), count) << keyword;
    QString first, second;
    EXPECT_EQ(FindSpecialPlural(QStringLiteral("foot"), first, second), 1);
    EXPECT_EQ(first, QStringLiteral("feet"));
    EXPECT_EQ(FindSpecialPlural(QStringLiteral("penny"), first, second), 2);
    EXPECT_EQ(second, QStringLiteral("pennies"));
    EXPECT_EQ(FindSpecialPlural(QStringLiteral("FOOT"), first, second), 0); // case-sensitive
    EXPECT_EQ(FindSpecialPlural(QStringLiteral("feet"), first, second), 0); // singular to plural only
}

TEST_F(KeywordSearch, NothingIsReadFromAKeywordFileBeingLoaded) {
    // A loader still appends to the lists: keyword mode matches nothing, counts read 0 and the
    // combined count is unknown, instead of reading lists that change under the reader.
    WriteState(KeywordLoadState, LoadRunning);
    EXPECT_TRUE(Search(TSearchMode::Keywords, QStringLiteral("gas")).isEmpty());
    EXPECT_EQ(KeywordRefCount(QStringLiteral("GAS")), 0);
    EXPECT_EQ(CombinedKeywordCount(QStringLiteral("gas")), -1);
    EXPECT_EQ(Search(TSearchMode::FullText, QStringLiteral("pain")), QStringList{QStringLiteral("R10")});
    WriteState(KeywordLoadState, LoadDone);
    WriteState(TabularLoadState, LoadRunning);
    EXPECT_EQ(CombinedKeywordCount(QStringLiteral("gas")), -1);
    WriteState(TabularLoadState, LoadDone);
    EXPECT_EQ(CombinedKeywordCount(QStringLiteral("gas")), 2);
}

TEST_F(KeywordSearch, FullTextMatchesWholeWordsInTheSelectedTexts) {
    // "pain" followed by a comma counts; "Painful" and "pain." do not.
    EXPECT_EQ(Search(TSearchMode::FullText, QStringLiteral("pain")), QStringList{QStringLiteral("R10")});
    // With the inclusion terms R14 matches through its own note.
    EXPECT_EQ(Search(TSearchMode::FullText, QStringLiteral("pain"), SearchDescription | SearchInclusion),
              (QStringList{QStringLiteral("R10"), QStringLiteral("R14")}));
    EXPECT_EQ(Search(TSearchMode::FullText, QStringLiteral("abdomen"), SearchExcludes1), QStringList{QStringLiteral("R14")});
    EXPECT_EQ(Search(TSearchMode::FullText, QStringLiteral("x-ray")), QStringList{QStringLiteral("R15")});
    // Both keywords in one child's description: listed. Spread over two children: not.
    EXPECT_EQ(Search(TSearchMode::FullText, QStringLiteral("abdominal, gas")), QStringList{QStringLiteral("R10")});
    EXPECT_TRUE(Search(TSearchMode::FullText, QStringLiteral("gas, abdomen")).isEmpty());
    EXPECT_EQ(Search(TSearchMode::FullText, QString(), SearchDescription).size(), 4);
}

TEST(ContainsKeyword, EqualOnceUpperCasedWithBlanksAndHyphensAlike) {
    TCodeKeywords entry;
    entry.FKeywords = {QStringLiteral("Osteo Myelitis"), QStringLiteral("S\u00e9zary"), QStringLiteral("Stra\u00dfe"),
                       QStringLiteral("Due To"), QStringLiteral("X-Ray")};
    const std::pair<QString, bool> cases[] = {
        {QStringLiteral("OSTEO MYELITIS"), true},
        {QStringLiteral("OSTEO-MYELITIS"), true},
        {QStringLiteral("OSTEO"), false},            // a part of a keyword
        {QStringLiteral("OSTEO MYELITISX"), false},
        {QStringLiteral("S\u00c9ZARY"), true},        // accented letters upper-cased too
        {QStringLiteral("SEZARY"), false},
        {QStringLiteral("STRASSE"), true},           // a keyword whose upper case is longer
        {QStringLiteral("STRA\u00dfE"), false},
        {QStringLiteral("DUE TO"), true},
        {QStringLiteral("DUE TO "), false},
        {QStringLiteral("X RAY"), true},
        {QStringLiteral("XRAY"), false},
        {QStringLiteral("Due To"), false},            // the text is expected in upper case
    };
    for (const auto& [text, found] : cases)
        EXPECT_EQ(ContainsKeyword(&entry, text), found) << text.toStdString();
    EXPECT_FALSE(ContainsKeyword(nullptr, QStringLiteral("DUE TO")));
    EXPECT_TRUE(MatchKeywords(&entry, {QStringLiteral("X-RAY"), QString(), QStringLiteral("STRASSE")}));
    EXPECT_FALSE(MatchKeywords(&entry, {QStringLiteral("X-RAY"), QStringLiteral("RAY")}));
    EXPECT_FALSE(MatchKeywords(static_cast<const TCodeKeywords*>(nullptr), {}));
}

TEST(MatchFullText, CaseBlindInAsciiAndAccentedTexts) {
    // Plain ASCII texts are searched without upper-casing them; texts or words with other
    // letters are upper-cased first. Both must find the same.
    TCodeInfo code(nullptr, nullptr, 1);
    code.FDesc = QStringLiteral("S\u00e9zary disease, x-Ray finding");
    auto note = std::make_unique<TExcludes2>();
    note->FNoteList = {QStringLiteral("abdominal pain (r10.-)"), QStringLiteral("Stra\u00dfe pain.")};
    code.FItemList.push_back(std::move(note));
    const struct {
        const char* Words;
        int Conditions;
        bool Found;
    } cases[] = {
        {"S\u00c9ZARY", SearchDescription, true},
        {"SEZARY", SearchDescription, false},
        {"DISEASE", SearchDescription, true},         // an ASCII word in an accented text
        {"X-RAY", SearchDescription, true},
        {"XRAY", SearchDescription, false},
        {"FINDING, DISEASE", SearchDescription, true},
        {"ABDOMINAL, PAIN", SearchExcludes2, true},   // one lower-case ASCII line holds both
        {"R10", SearchExcludes2, false},               // a full stop after it: no whole word
        {"STRASSE", SearchExcludes2, true},            // upper case longer than the text
        {"PAIN, STRASSE", SearchExcludes2, true},
        {"ABDOMINAL", SearchDescription, false},
        {"PAINS", AllFullTextConditions, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchFullText(code, SplitKeywords(QString::fromUtf8(c.Words)), c.Conditions), c.Found) << c.Words;
}

TEST(SearchKeywords, UpperCasedPiecesAndTheModeTheyAskFor) {
    EXPECT_TRUE(SearchKeywordsOf(QString()).isEmpty());
    EXPECT_EQ(SearchKeywordsOf(QStringLiteral("gas, Abdomen")), (QStringList{QStringLiteral("GAS"), QStringLiteral("ABDOMEN")}));
    EXPECT_EQ(SearchKeywordsOf(QStringLiteral("gas, Abdomen")), SearchKeywordsOf(QStringLiteral("GAS,ABDOMEN")));
    EXPECT_EQ(SearchKeywordsOf(QStringLiteral(",")), (QStringList{QString(), QString()}));
    EXPECT_EQ(SearchModeFor(true, {}), TSearchMode::FullText);
    EXPECT_EQ(SearchModeFor(true, {QStringLiteral("GAS")}), TSearchMode::FullText);
    EXPECT_EQ(SearchModeFor(false, {QStringLiteral("GAS")}), TSearchMode::Keywords);
    EXPECT_EQ(SearchModeFor(false, {}), TSearchMode::All);
}

TEST(WholeWords, JoinedFormOfAHyphenatedWord) {
    const struct {
        const char* Word;
        const char* Text;
        bool Found;
    } cases[] = {
        {"X-RAY", "ABNORMAL XRAY FINDING", true},   // the first "-" dropped
        {"X-RAY", "ABNORMAL X-RAY FINDING", true},
        {"X-RAY", "ABNORMAL X RAY FINDING", false}, // a blank is not the joined form
        {"X-RAY", "XRAYS", false},                  // still a whole word
        {"A-B-C", "ABC", false},                    // only the first "-" goes: AB-C
        {"A-B-C", "(AB-C)", true},
        {"PAIN", "ABDOMINAL PAIN, UNSPECIFIED", true},
        {"PAIN", "PAINFUL", false},
        {"PAIN", "GAS PAIN.", false},
        {"PAIN", "PAIN: ACUTE; PAIN", true},        // the second occurrence ends the text
    };
    for (const auto& c : cases)
        EXPECT_EQ(ContainsWordOrJoined(QLatin1String(c.Word), QLatin1String(c.Text)), c.Found)
            << c.Word << " in " << c.Text;
}

TEST(KeywordVariants, PluralsHyphensAndEndings) {
    CreateGlobalContainers();
    SpecialKeywordList->clear();
    PutDataSet(TDataSet::SpecialKWs, "foot,feet\r\npenny,pence,pennies\r\n");
    LoadSpecialKeywords();
    const std::pair<const char*, QStringList> cases[] = {
        {"FOOT", {QStringLiteral("FOOT"), QStringLiteral("FEET")}},
        {"PENNY", {QStringLiteral("PENNY"), QStringLiteral("PENCE"), QStringLiteral("PENNIES")}},
        {"BACILLUS", {QStringLiteral("BACILLUS"), QStringLiteral("BACILLI")}},
        {"VERTEBRA", {QStringLiteral("VERTEBRA"), QStringLiteral("VERTEBRAE"), QStringLiteral("VERTEBRAS")}},
        {"BODY", {QStringLiteral("BODY"), QStringLiteral("BODIES"), QStringLiteral("BODYS")}},
        {"X-RAY", {QStringLiteral("X-RAY"), QStringLiteral("X RAY"), QStringLiteral("XRAY"), QStringLiteral("XRAYS")}},
        {"DUE TO", {QStringLiteral("DUE TO"), QStringLiteral("DUE-TO"), QStringLiteral("DUETO"), QStringLiteral("DUETOES"), QStringLiteral("DUETOS")}},
        {"DIAGNOSIS", {QStringLiteral("DIAGNOSIS"), QStringLiteral("DIAGNOSES")}},
        {"BACTERIUM", {QStringLiteral("BACTERIUM"), QStringLiteral("BACTERIA"), QStringLiteral("BACTERIUMS")}},
        {"APPENDIX", {QStringLiteral("APPENDIX"), QStringLiteral("APPENDICES"), QStringLiteral("APPENDIXS")}},
        {"RASH", {QStringLiteral("RASH"), QStringLiteral("RASHES"), QStringLiteral("RASHS")}},
        {"DAY", {QStringLiteral("DAY"), QStringLiteral("DAYS")}},
    };
    for (const auto& [keyword, variants] : cases)
        EXPECT_EQ(BuildKeywordVariants({QLatin1String(keyword)}), variants) << keyword;
    EXPECT_TRUE(BuildKeywordVariants({QString(), QStringLiteral("  ")}).isEmpty());
}

TEST_F(KeywordSearch, CountRowAndCombinedCount) {
    // Each count is padded to its raw piece's length plus one, so it stands under its keyword.
    EXPECT_EQ(KeywordCountRow(QStringLiteral("gas, pain,")), QStringLiteral("2   2     "));
    EXPECT_EQ(KeywordCountRow(QStringLiteral("nothing")), QStringLiteral("0       "));
    EXPECT_EQ(KeywordCountRow(QStringLiteral("gas,,pain")), QStringLiteral("2   02    "));
    EXPECT_EQ(CombinedKeywordCount(QStringLiteral("gas, pain")), 1);
    EXPECT_EQ(CombinedKeywordCount(QStringLiteral("gas,")), 2);
}

TEST(ChoosingSuggestions, ReplacesThePartialKeyword) {
    QString before, partial;
    SplitAtLastComma(QStringLiteral("gas, abd"), before, partial);
    EXPECT_EQ(before, QStringLiteral("gas"));
    EXPECT_EQ(partial, QStringLiteral("abd"));
    SplitAtLastComma(QStringLiteral(",abd"), before, partial);
    EXPECT_TRUE(before.isEmpty());
    EXPECT_EQ(TextAfterChoosing(QStringLiteral("gas, abd"), QStringLiteral("Abdomen")), QStringLiteral("gas,Abdomen,"));
    EXPECT_EQ(TextAfterChoosing(QStringLiteral("abd"), QStringLiteral("Abdomen")), QStringLiteral("Abdomen,"));
}

TEST_F(KeywordSearch, SuggestionsPageAndFollowEarlierKeywords) {
    TKeywordSuggestions suggestions;
    ASSERT_TRUE(suggestions.Refresh(QStringLiteral("sym"), false));
    EXPECT_EQ(suggestions.Found().size(), 41);
    EXPECT_EQ(suggestions.Pages(), 2);
    ASSERT_TRUE(suggestions.ShowPage(1));
    EXPECT_EQ(suggestions.Caption(),
              QStringLiteral("1/2  Please use a comma to separate keywords. For example: heart, failure"));
    EXPECT_EQ(suggestions.PageCells().size(), 40);
    suggestions.ShowPage(2);
    EXPECT_EQ(suggestions.PageCells(), QStringList{QStringLiteral("Sym40")});
    suggestions.ShowPage(3); // ">" on the last page stays there
    EXPECT_EQ(suggestions.Page(), 2);
    EXPECT_FALSE(suggestions.Refresh(QStringLiteral("sym"), false)); // same partial: nothing to do

    // After "gas," only categories carrying GAS suggest: R10 and R14.
    TKeywordSuggestions following;
    following.Refresh(QStringLiteral("gas, a"), false);
    EXPECT_EQ(following.Found(), (QStringList{QStringLiteral("Abdomen"), QStringLiteral("Abdominal")}));
    const int runs = following.FilterRuns();
    following.Refresh(QStringLiteral("gas, ab"), false);
    following.Refresh(QStringLiteral("GAS, abd"), false);
    EXPECT_EQ(following.FilterRuns(), runs); // the filter is cached while the earlier keywords stay
    following.Refresh(QStringLiteral("pain, d"), false);
    EXPECT_EQ(following.Found(), QStringList{QStringLiteral("Defecation")});
    EXPECT_GT(following.FilterRuns(), runs);

    TKeywordSuggestions fullText;
    fullText.Refresh(QStringLiteral("gas, osteo-m"), true); // all distinct keywords, blank = dash
    EXPECT_EQ(fullText.Found(), QStringList{QStringLiteral("Osteo Myelitis")});
    // Nothing typed after the comma: no partial keyword, nothing offered, and after a partial
    // keyword the list empties again.
    TKeywordSuggestions empty;
    EXPECT_FALSE(empty.Refresh(QStringLiteral("gas, "), false));
    EXPECT_TRUE(empty.Found().isEmpty());
    EXPECT_FALSE(empty.ShowPage(1));
    ASSERT_TRUE(empty.Refresh(QStringLiteral("gas, a"), false));
    EXPECT_FALSE(empty.Found().isEmpty());
    EXPECT_TRUE(empty.Refresh(QStringLiteral("gas, "), false));
    EXPECT_TRUE(empty.Found().isEmpty());
    EXPECT_FALSE(empty.ShowPage(1));
}

// What an empty result says: why, and for words without a comma, how keywords are separated.
TEST(NothingFoundMessage, SaysWhyAndHintsAtCommasForWordsWithoutOne) {
    const QString hint = QStringLiteral("\n\nSeparate keywords with commas, for example: heart, failure");
    const struct {
        const char* Text;
        bool FullText;
        QString Message;
    } cases[] = {
        {"heart failure", false, QStringLiteral("No category has all the keywords of \"heart failure\".") + hint},
        {"heart, failure x", false, QStringLiteral("No category has all the keywords of \"heart, failure x\".")},
        {"xyzzy", false, QStringLiteral("No category has all the keywords of \"xyzzy\".")},
        {"heart failure", true, QStringLiteral("No category holds all of \"heart failure\" in the texts chosen.") + hint},
        {"newborn", true, QStringLiteral("No category holds all of \"newborn\" in the texts chosen.")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NothingFoundMessage(QLatin1String(c.Text), c.FullText), c.Message) << c.Text;
    // The example is itself keywords separated by commas.
    EXPECT_EQ(SplitKeywords(KeywordsExample).size(), 2);
}

} // namespace
