// The alphabetic index and the tables (drugs, neoplasms) held in memory: letters with their
// main terms, and terms with their references, code, table cells and sub-terms.
#pragma once

#include "CompactText.h"
#include "TableCells.h"
#include "TabularModel.h"

#include <array>
#include <variant>

class TTerm;

class TAlphaLetter {
public:
    QString FLetter; // "A".."Z", "#" for drug names that begin with a digit, "N" for neoplasms
    TOwningList<TTerm> FMainTermList;
};

class TTerm {
public:
    // The letter that holds a main term, or the term one level up.
    using TParent = std::variant<TAlphaLetter*, TTerm*>;
    TTerm(TParent AParent, int ALevel) : FParent(AParent), FLevel(ALevel) {}

    TCompactText FTitle; // text with non-essential modifiers joined in (see the loader)
    TCompactText FSee;
    TCompactText FSeeAlso;
    TCompactText FManifest; // manifestation code
    TCompactText FCode; // index data sets only, as written (A00.9, C79.8-)
    TCompactText FSeeCat;
    TCompactText FSubCat;
    TTableCells FCodesInCell; // table columns 2..7, as written ("--", "-" kept)
    TOwningList<TTerm> FSubTermList;
    TParent FParent;
    int FLevel; // 0 for a main term, one more per sub-level

    // The title line of the search windows: the title, then " --see ", " --see also ",
    // " [manifestation]" (only with AShowManif), " --see category ", " --see subcategory " parts
    // for the references present. The code is never part of it.
    QString GetFullTitle(bool AShowManif) const;
    // Number of terms in the subtree, this one included.
    int GetTextLines() const;
};
