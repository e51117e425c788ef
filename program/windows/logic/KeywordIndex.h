// The word index of the keyword search: for every keyword of the code-keyword list (upper case,
// "-" read as a blank), the keyword entries and categories that carry it; the counts of the
// distinct keywords by their upper case; and the keywords sorted for the suggestions offered
// while typing. Built from the lists as they stand; they must not change while it is in use.
#pragma once

#include "KeywordModel.h"
#include "SuggestionList.h"
#include "TabularModel.h"
#include "WordTable.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// A keyword as keyword matching compares it: each "-" read as a blank (SameIgnoringDash). Equal
// forms of two upper-case texts are what ContainsKeyword calls equal.
QString KeywordMatchForm(const QString& AUpperText);

// Where the suggestions come from: every keyword of every entry, or the distinct keywords.
enum class TSuggestionSource { EntryKeywords, DistinctKeywords };

class TKeywordIndex {
public:
    TKeywordIndex(const TOwningList<TChapter>& AChapters, const TCodeKeywordsList& AEntries,
                  const TKeywordRefList& ADistinct);

    // The categories, in tabular order, whose keyword entry (the first entry of their code)
    // carries every non-empty keyword of AUpperKeywords; with no such keyword, every category
    // that has an entry. Exactly those MatchKeywords accepts.
    std::vector<TCodeInfo*> Categories(const QStringList& AUpperKeywords) const;

    // The entries of the keyword list, in its order, that carry every non-empty keyword; every
    // entry when there is none.
    QList<TCodeKeywords*> Entries(const QStringList& AUpperKeywords) const;

    // FRefCount of the first distinct keyword whose upper case is AUpperKey, or 0.
    int RefCount(const QString& AUpperKey) const;

    // The keywords of ASource that begin with APartial (CompareLeadingLoose, case ignored), each
    // upper case once in the form met first in the source's order, sorted by upper case.
    QStringList KeywordsBeginning(const QString& APartial, TSuggestionSource ASource) const;

private:
    std::vector<std::uint32_t> EntryNumbers(const QStringList& AUpperKeywords, bool& AAll) const;

    std::vector<TCodeKeywords*> FEntries;
    std::vector<TCodeInfo*> FCategories;          // tabular order
    std::vector<std::uint32_t> FCategoriesWithEntry; // ascending positions in FCategories
    TWordTable FKeywords;                          // match forms of the entries' keywords
    TPostingLists FEntriesOfKeyword;               // keyword -> entry numbers
    TPostingLists FCategoriesOfEntry;              // entry -> category positions
    TWordTable FDistinctKeys;                      // upper-case keys of the distinct keywords
    std::vector<int> FDistinctCounts;              // by number in FDistinctKeys
    TSuggestionList FEntrySuggestions;
    TSuggestionList FDistinctSuggestions;
};
