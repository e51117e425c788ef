#include "CodeNavigation.h"

void TVisitHistory::PushBack(const TVisitItem& ACurrent, bool AClearReview) {
    if (IsEmptyObject(ACurrent.FObject))
        return;
    FPriorStack.push_back(ACurrent);
    if (AClearReview)
        FReviewStack.clear();
}

void TVisitHistory::PushReview(const TVisitItem& ACurrent) {
    if (!IsEmptyObject(ACurrent.FObject))
        FReviewStack.push_back(ACurrent);
}

bool TVisitHistory::GoBack(const TVisitItem& ACurrent, TVisitItem& ATarget) {
    if (FPriorStack.empty())
        return false;
    ATarget = FPriorStack.back();
    FPriorStack.pop_back();
    PushReview(ACurrent);
    return true;
}

bool TVisitHistory::GoReview(const TVisitItem& ACurrent, TVisitItem& ATarget) {
    if (FReviewStack.empty())
        return false;
    ATarget = FReviewStack.back();
    FReviewStack.pop_back();
    PushBack(ACurrent, false);
    return true;
}

namespace {

struct TPosition {
    std::size_t Chapter, Section, Category;
};

bool Locate(const TOwningList<TChapter>& AChapters, const TCodeInfo& ACategory, TPosition& APos) {
    for (std::size_t c = 0; c < AChapters.size(); ++c)
        for (std::size_t s = 0; s < AChapters[c]->FSubList.size(); ++s) {
            const auto& codes = AChapters[c]->FSubList[s]->FCodeList;
            for (std::size_t i = 0; i < codes.size(); ++i)
                if (codes[i].get() == &ACategory) {
                    APos = {c, s, i};
                    return true;
                }
        }
    return false;
}

} // namespace

TCodeInfo* StepCategory(const TOwningList<TChapter>& AChapters, const TCodeInfo& ACategory, bool ABackward) {
    TPosition pos{};
    if (!Locate(AChapters, ACategory, pos))
        return nullptr;
    // Walk the flat order of sections; an empty section is passed over.
    std::size_t chapter = pos.Chapter, section = pos.Section;
    long index = static_cast<long>(pos.Category) + (ABackward ? -1 : 1);
    for (;;) {
        const auto& codes = AChapters[chapter]->FSubList[section]->FCodeList;
        if (index >= 0 && index < static_cast<long>(codes.size()))
            return codes[static_cast<std::size_t>(index)].get();
        if (ABackward) {
            if (section > 0) {
                --section;
            } else {
                do {
                    if (chapter == 0)
                        return nullptr;
                    --chapter;
                } while (AChapters[chapter]->FSubList.empty());
                section = AChapters[chapter]->FSubList.size() - 1;
            }
            index = static_cast<long>(AChapters[chapter]->FSubList[section]->FCodeList.size()) - 1;
        } else {
            if (section + 1 < AChapters[chapter]->FSubList.size()) {
                ++section;
            } else {
                do {
                    if (++chapter >= AChapters.size())
                        return nullptr;
                } while (AChapters[chapter]->FSubList.empty());
                section = 0;
            }
            index = 0;
        }
    }
}

QList<TCodeInfo*> CategoriesOf(const TTabularObject& AObject) {
    QList<TCodeInfo*> categories;
    if (const auto* chapter = std::get_if<TChapter*>(&AObject)) {
        for (const auto& section : (*chapter)->FSubList)
            for (const auto& code : section->FCodeList)
                categories << code.get();
    } else if (const auto* section = std::get_if<TSubChapter*>(&AObject)) {
        for (const auto& code : (*section)->FCodeList)
            categories << code.get();
    } else if (const auto* code = std::get_if<TCodeInfo*>(&AObject)) {
        categories << *code;
    }
    return categories;
}

bool TWheelThrottle::Accept(std::int64_t ANowMs) {
    const bool accepted = ANowMs - FLastTick > 300;
    FLastTick = ANowMs;
    return accepted;
}
