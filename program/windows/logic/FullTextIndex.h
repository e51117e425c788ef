// The word index of the full-text search: for every word of the tabular list, the categories
// whose subtree holds it, and in which kinds of text (description, inclusion terms, includes,
// code first, code also, excludes 1 and 2: the full-text conditions).
//
// The index only narrows a search down: it names the categories that may match, and the search
// applies its own matching rules to those. A word here is a run of characters between two of the
// characters that may stand before or after a whole word (WordBoundaries.h), upper-cased. Every
// whole-word occurrence of a search word in a text then consists of words of the index: a category
// whose subtree lacks one of them, in every selected kind of text, cannot match.
#pragma once

#include "TabularModel.h"
#include "WordTable.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Which ASCII characters end an index word: those that may stand before or after a whole word.
// (No other character may.)
extern const std::array<bool, 128> IndexWordSeparators;

// Whether AChar ends an index word.
inline bool SeparatesIndexWords(QChar AChar) {
    return AChar.unicode() < IndexWordSeparators.size() && IndexWordSeparators[AChar.unicode()];
}

// Calls AOnWord(QStringView) for every index word of AText: each maximal run of characters that
// do not separate words.
template <class TOnWord> void ForEachIndexWord(QStringView AText, TOnWord&& AOnWord) {
    qsizetype start = -1;
    for (qsizetype i = 0; i <= AText.size(); ++i) {
        const bool separates = i == AText.size() || SeparatesIndexWords(AText[i]);
        if (separates && start >= 0) {
            AOnWord(AText.mid(start, i - start));
            start = -1;
        } else if (!separates && start < 0) {
            start = i;
        }
    }
}

// The full-text condition bits of a note: what the full-text search selects it by (0 for a kind
// it never searches).
int NoteConditionBits(const TNoteBase& ANote);

class TFullTextIndex {
public:
    // Indexes the categories of AChapters in tabular order. AChapters must not change while this
    // index is in use.
    explicit TFullTextIndex(const TOwningList<TChapter>& AChapters);

    // The categories in tabular order; candidates are positions in this list.
    const std::vector<TCodeInfo*>& Categories() const { return FCategories; }

    // The positions, ascending, of the categories that may match every non-empty keyword (upper
    // case, as SearchKeywordsOf gives them) in the texts AConditions selects: for each keyword
    // (and for its form without its first "-"), a category whose subtree holds all its words in
    // one selected kind of text. A keyword without words narrows nothing. Nullopt when a keyword
    // holds a word the index cannot look up faithfully (letters outside ASCII that are not upper
    // case): the caller then tries every category.
    std::optional<std::vector<std::uint32_t>> Candidates(const QStringList& AKeywords, int AConditions) const;

    // The number of distinct words.
    std::uint32_t WordCount() const { return FWords.Size(); }

private:
    // The word numbers of one form of a keyword; Unknown when a word is not in the index.
    struct TFormWords {
        std::vector<std::uint32_t> Words;
        bool Unknown = false;
    };
    // False when a word cannot be looked up faithfully.
    bool LookUp(const QString& AForm, TFormWords& AWords) const;
    std::vector<std::uint32_t> CandidatesOf(const TFormWords& AForm, int AConditions) const;
    void AddSubtree(const TCodeInfo& ACode, std::uint32_t APosition);
    void AddText(const QString& AText, int ABits, std::uint32_t APosition);

    std::vector<TCodeInfo*> FCategories;
    QString FUpper; // the text being added, upper-cased; kept to spare allocations
    TWordTable FWords;
    TPostingLists FPostings;
};

// The index words of AText upper-cased as the full-text search compares them (ASCII letters
// directly, other texts through QString::toUpper), in order; for tests.
QStringList IndexWordsOf(const QString& AText);
