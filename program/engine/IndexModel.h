// The alphabetic index and the tables (drugs, neoplasms) held in memory: letters with their
// main terms, and terms with their references, code, table cells and sub-terms.
#pragma once

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
    using TParent = std::variant<TAlphaLetter*, TTerm*>;
    TTerm(TParent AParent, int ALevel) : FParent(AParent), FLevel(ALevel) {}

    QString FTitle;
    QString FSee;
    QString FSeeAlso;
    QString FManifest;
    QString FCode;
    QString FSeeCat;
    QString FSubCat;
    std::array<QString, 6> FCodesInCell; // table columns 2..7, as written
    TOwningList<TTerm> FSubTermList;
    TParent FParent; // the TAlphaLetter of a main term, the parent TTerm of a sub-term
    int FLevel;    // 0 for a main term
};
