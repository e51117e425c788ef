#include "KeywordListBuilder.h"

#include "EngineGlobals.h"

#include <algorithm>

TKeywordListBuilder::TKeywordListBuilder() {
    CreateGlobalContainers();
    FCodes.reserve(static_cast<qsizetype>(CodeKeywordsList->size()));
    for (const auto& entry : *CodeKeywordsList)
        if (!FCodes.contains(entry->FCode)) // the first entry of a code wins
            FCodes.insert(entry->FCode, entry.get());
    FRefs.reserve(static_cast<qsizetype>(KeywordRefList->size()));
    for (const auto& ref : *KeywordRefList)
        FRefs.insert(ref->FUpperKey, ref.get());
}

TKeywordListBuilder::~TKeywordListBuilder() { Finish(); }

TCodeKeywords* TKeywordListBuilder::CodeEntry(const QString& ACode) {
    TCodeKeywords*& slot = FCodes[ACode];
    if (!slot) {
        auto entry = std::make_unique<TCodeKeywords>();
        entry->FCode = ACode;
        slot = entry.get();
        CodeKeywordsList->push_back(std::move(entry));
    }
    return slot;
}

void TKeywordListBuilder::CountKeyword(const QString& AKeyword) {
    QString key = AKeyword.toUpper();
    TKeywordsRef*& slot = FRefs[key];
    if (slot) {
        ++slot->FRefCount;
        return;
    }
    auto entry = std::make_unique<TKeywordsRef>();
    entry->FKeyWord = AKeyword;
    entry->FRefCount = 1;
    entry->FUpperKey = std::move(key);
    slot = entry.get();
    KeywordRefList->push_back(std::move(entry));
    FSorted = false;
}

void TKeywordListBuilder::Finish() {
    if (FSorted)
        return;
    // Keys are distinct, so any sort gives the one order a sorted insertion would have built.
    std::sort(KeywordRefList->begin(), KeywordRefList->end(), [](const auto& A, const auto& B) {
        return A->FUpperKey.compare(B->FUpperKey, Qt::CaseSensitive) > 0;
    });
    FSorted = true;
}
