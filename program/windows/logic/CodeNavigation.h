// Moving between views of the code viewer: the object shown, the Back and Review stacks of
// visited views, stepping through the categories in tabular order, the objects a viewer lists
// when it opens, and the throttle that turns a burst of mouse-wheel events into one page turn.
#pragma once

#include "TabularModel.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <variant>
#include <vector>

// A chapter, a section or a code of the tabular list (owned by the data engine), or nothing.
using TTabularObject = std::variant<std::monostate, TChapter*, TSubChapter*, TCodeInfo*>;

inline bool IsEmptyObject(const TTabularObject& AObject) {
    return std::holds_alternative<std::monostate>(AObject);
}

// One visited view, kept by value.
struct TVisitItem {
    TTabularObject FObject;
    QString FSelectedCode;
    int FPageIndex = 0;
};

// The two unbounded last-in-first-out stacks behind Back and Review.
class TVisitHistory {
public:
    // Before a move to another view: remembers the current view (when there is one) and, with
    // AClearReview, forgets the views left by going back. Without a current view nothing happens.
    void PushBack(const TVisitItem& ACurrent, bool AClearReview);
    // Before going back: remembers the view being left for Review.
    void PushReview(const TVisitItem& ACurrent);
    // The view to go back to; false when there is none. The view being left goes on the review
    // stack.
    bool GoBack(const TVisitItem& ACurrent, TVisitItem& ATarget);
    // The view to go forward to again; false when there is none. The view being left goes on
    // the back stack without clearing the review stack.
    bool GoReview(const TVisitItem& ACurrent, TVisitItem& ATarget);
    bool CanGoBack() const { return !FPriorStack.empty(); }
    bool CanReview() const { return !FReviewStack.empty(); }

private:
    std::vector<TVisitItem> FPriorStack;
    std::vector<TVisitItem> FReviewStack;
};

// The category after (or, with ABackward, before) ACategory in tabular order, across sections
// and chapters of AChapters; null at either end or when ACategory is not a category of its
// section.
TCodeInfo* StepCategory(const TOwningList<TChapter>& AChapters, const TCodeInfo& ACategory, bool ABackward);

// The objects a viewer lists when it opens on AObject: every category of a chapter's sections,
// a section's categories, or the code itself.
QList<TCodeInfo*> CategoriesOf(const TTabularObject& AObject);

// Lets one wheel event through per burst: an event passes when more than 300 ms have passed
// since the previous one; every event restarts the pause.
class TWheelThrottle {
public:
    explicit TWheelThrottle(std::int64_t ANowMs = 0) : FLastTick(ANowMs) {}
    bool Accept(std::int64_t ANowMs);
    void Reset(std::int64_t ANowMs) { FLastTick = ANowMs; }

private:
    std::int64_t FLastTick;
};
