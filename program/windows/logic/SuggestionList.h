// The keywords the keyword box may suggest, sorted for finding those that begin with what was
// typed: each keyword once as written, with its comparison form (SuggestionForm) and the order in
// which its source first met it.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <vector>

// A text as the suggestions compare it with the partial keyword typed (CompareLeadingLoose):
// ASCII letters upper-cased, each "-" read as a blank, nothing else changed.
QString SuggestionForm(const QString& AText);

class TSuggestionList {
public:
    // Adds AKeyword, first met at AOrder. The text is kept by address: it must stay where it is,
    // unchanged, while the list is used.
    void Add(const QString& AKeyword, std::uint32_t AOrder);
    // Sorts what was added; call once after the last Add.
    void Finish();

    // The keywords that begin with APartial as CompareLeadingLoose compares them (case ignored,
    // blank and "-" alike), each upper case once in the form met first, sorted by upper case.
    QStringList Beginning(const QString& APartial) const;

private:
    // Leads: a text's first four UTF-16 units packed into a number, the first highest, missing
    // ones 0. Leads order as their texts do, or tie, so most comparisons need no text.
    struct TItem {
        std::uint64_t Lead;      // of the form
        std::uint64_t UpperLead; // of the keyword's upper case
        std::uint32_t FormStart;
        std::uint32_t FormSize;
        std::uint32_t Order;
        bool Ascii; // the keyword is plain ASCII: its upper case is compared without building it
        const QString* Keyword;
    };
    QStringView FormOf(const TItem& AItem) const;
    // The order of two keywords' upper cases (QString::toUpper, compared by UTF-16 units).
    static int CompareUpper(const TItem& A, const TItem& B);

    std::vector<char16_t> FForms; // every item's form, one after the other
    std::vector<TItem> FItems;    // sorted by form, then order
};
