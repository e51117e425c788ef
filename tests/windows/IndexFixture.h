// Small hand-made letter lists for the index and table windows and their logic: terms built in
// code, with the parents and levels the loader would give them.
#pragma once

#include "EngineGlobals.h"
#include "IndexModel.h"

#include <QString>

#include <initializer_list>
#include <memory>

inline TAlphaLetter& AddLetter(TAlphaLetterList& AList, const QString& ALetter) {
    AList.push_back(std::make_unique<TAlphaLetter>());
    AList.back()->FLetter = ALetter;
    return *AList.back();
}

inline TTerm& AddMain(TAlphaLetter& ALetter, const QString& ATitle, const QString& ACode = {}) {
    ALetter.FMainTermList.push_back(std::make_unique<TTerm>(&ALetter, 0));
    TTerm& term = *ALetter.FMainTermList.back();
    term.FTitle = ATitle;
    term.FCode = ACode;
    return term;
}

inline TTerm& AddSub(TTerm& AParent, const QString& ATitle, const QString& ACode = {}) {
    AParent.FSubTermList.push_back(std::make_unique<TTerm>(&AParent, AParent.FLevel + 1));
    TTerm& term = *AParent.FSubTermList.back();
    term.FTitle = ATitle;
    term.FCode = ACode;
    return term;
}

// A table row: six cells in column order.
inline void SetCells(TTerm& ATerm, std::initializer_list<const char*> ACells) {
    int i = 0;
    for (const char* cell : ACells)
        ATerm.FCodesInCell[static_cast<std::size_t>(i++)] = QString::fromUtf8(cell);
}

// Puts AList in place of a global letter list for the lifetime of this object.
class TListSwap {
  public:
    TListSwap(TAlphaLetterList*& AGlobal, TAlphaLetterList& AList)
        : FGlobal(AGlobal), FSaved(AGlobal) {
        AGlobal = &AList;
    }
    ~TListSwap() { FGlobal = FSaved; }
    TListSwap(const TListSwap&) = delete;
    TListSwap& operator=(const TListSwap&) = delete;

  private:
    TAlphaLetterList*& FGlobal;
    TAlphaLetterList* FSaved;
};
