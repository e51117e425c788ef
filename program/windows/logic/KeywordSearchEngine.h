// The keyword search without widgets: splitting what the user types, keyword-mode and
// full-text matching of categories, the plural and hyphenation variants highlighted in the
// text, the per-keyword counts, and the suggestions offered while typing.
#pragma once

#include "KeywordModel.h"
#include "TabularModel.h"

#include <QList>
#include <QString>
#include <QStringList>

// Full-text conditions: which texts of a code are searched.
enum TFullTextCondition : int {
    SearchDescription = 1,
    SearchInclusion = 2,
    SearchIncludes = 4,
    SearchCodeFirst = 8,
    SearchCodeAlso = 16,
    SearchExcludes1 = 32,
    SearchExcludes2 = 64,
};

enum class TSearchMode { All, Keywords, FullText };

// No full-text condition: a keyword search, or a full-text search with no text chosen.
inline constexpr int NoFullTextConditions = 0;
// Every full-text condition at once (127).
inline constexpr int AllFullTextConditions = SearchDescription | SearchInclusion | SearchIncludes |
                                             SearchCodeFirst | SearchCodeAlso | SearchExcludes1 |
                                             SearchExcludes2;
static_assert(AllFullTextConditions == 127);

// The search keywords of a trimmed keyword text: its comma pieces, upper-cased; none for an empty
// text.
QStringList SearchKeywordsOf(const QString& ATrimmedText);

// The example the keyword window gives of keywords separated by commas; it finds categories in
// the official edition.
inline const QString KeywordsExample = QStringLiteral("heart, failure");

// What the keyword window says when a search of ATrimmedText (not empty) found nothing: that no
// category holds all its keywords (in full text: all its words in the chosen texts) and, for a
// text of several words without a comma, that keywords are separated by commas.
QString NothingFoundMessage(const QString& ATrimmedText, bool AFullText);

// Full text when asked for; otherwise keywords when there is a piece to match, else every
// category.
TSearchMode SearchModeFor(bool AFullText, const QStringList& AKeywords);

// The comma pieces of AText in order, each trimmed of blanks; only commas split, a double quote
// at the start of a piece quotes it (commas inside do not split, "" stands for one quote). A
// text ending in a comma yields an empty last piece.
QStringList SplitKeywords(const QString& AText);

// ContainsWord, and when that fails and W holds a "-", W without its first "-" (X-RAY, XRAY).
bool ContainsWordOrJoined(const QString& AWord, const QString& AText);

// A code matches when its own selected texts contain every non-empty keyword (upper case), or
// when one of its descendants does so on its own.
bool MatchFullText(const TCodeInfo& ACode, const QStringList& AKeywords, int AConditions);

// The categories of AChapters, in tabular order, that the mode accepts. Keyword mode reads the
// code-keyword list only while no loader writes it; during its load no category matches, as
// their keywords are not known yet. The word indexes (SearchIndexes.h) name the categories that
// may match, and only those are matched; without an index every category is.
QList<TCodeInfo*> SearchCategories(const TOwningList<TChapter>& AChapters, TSearchMode AMode,
                                   const QStringList& AKeywords, int AConditions);

// The same search matching every category in turn, without the word indexes: what
// SearchCategories falls back to, and the reference its results are checked against.
QList<TCodeInfo*> SearchCategoriesByScan(const TOwningList<TChapter>& AChapters, TSearchMode AMode,
                                         const QStringList& AKeywords, int AConditions);

// The plural(s) of a lower-case singular from the irregular plural list: 0 when none, else 1 or 2.
int FindSpecialPlural(const QString& AWord, QString& AFirst, QString& ASecond);

// The keywords with their hyphen, blank and plural variants, for highlighting only.
QStringList BuildKeywordVariants(const QStringList& AKeywords);

// FRefCount of the first distinct keyword whose upper case equals AKeyword, or 0 (also while the
// keyword file is still loading).
int KeywordRefCount(const QString& AKeyword);

// The row of counts shown under the keyword box: each piece's count, padded to the raw piece's
// length plus one so that it stands under its keyword.
QString KeywordCountRow(const QString& ARawText);

// The number of categories that a keyword-mode search for ARawText would list now, or -1 while
// the tabular list or the keyword file is being loaded (the lists are not safe to read then).
int CombinedKeywordCount(const QString& ARawText);

// The text before the last comma (empty when the comma is the first character or absent) and
// the trimmed partial keyword after it.
void SplitAtLastComma(const QString& AText, QString& ABefore, QString& APartial);

// The keyword box's text after choosing suggestion ASuggestion for its partial keyword.
QString TextAfterChoosing(const QString& AText, const QString& ASuggestion);

// The suggestions offered for the partial keyword being typed, a page of 40 at a time.
class TKeywordSuggestions {
public:
    static constexpr int CellsPerPage = 40;
    static constexpr int Columns = 4;

    // Recomputes for the keyword box text when its partial keyword changed (case-sensitive);
    // returns whether it did. AFullText collects from all distinct keywords, otherwise only from
    // the categories that carry every earlier keyword of the text.
    bool Refresh(const QString& AText, bool AFullText);
    // Shows page APage (clamped); false when there is nothing to show.
    bool ShowPage(int APage);

    const QStringList& Found() const { return FGotPromptList; }
    int Page() const { return FLastPromptPage; }
    int Pages() const;
    // The cell texts of the page shown, row by row (at most 40).
    QStringList PageCells() const;
    // "page/pages  Please use a comma ..." for the prompt bar.
    QString Caption() const;
    // The entries the earlier keywords leave (a cache keyed by those keywords, case ignored).
    const QList<TCodeKeywords*>& Filtered() const { return FFiltedCodeKWs; }
    int FilterRuns() const { return FFilterRuns; }

private:
    void FilterCodeKeywords();
    void Collect(bool AFullText);

    QStringList FGotPromptList;
    QString FLastPromptKeyword;
    int FLastPromptPage = 1;
    QStringList FInputedKWs;
    QStringList FTmpInputedKWs;
    QList<TCodeKeywords*> FFiltedCodeKWs;
    unsigned FFilteredGeneration = 0; // of the keyword list FFiltedCodeKWs points into
    int FFilterRuns = 0;
};
