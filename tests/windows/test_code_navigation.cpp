// Moving between views: the Back and Review stacks, stepping through categories, the objects a
// viewer lists, and the wheel throttle.
#include "CodeNavigation.h"
#include "CodeQueries.h"
#include "EngineGlobals.h"
#include "TabularLoader.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

class CodeNavigation : public testing::Test {
protected:
    static void SetUpTestSuite() {
        TMessageRecorder quiet;
        ASSERT_TRUE(LoadTabularFromFile(QStringLiteral(TABULON_SAMPLE_DIR "/tabular.xml")));
        ResetCategoryIndex();
    }
    static TCodeInfo* Category(const char* ACode) { return FindCategory(QLatin1String(ACode)); }
    static TVisitItem View(const char* ACode, int APage, const char* ASelected = "") {
        return {Category(ACode), QLatin1String(ASelected), APage};
    }
};

QString CodeOf(const TVisitItem& AItem) { return std::get<TCodeInfo*>(AItem.FObject)->FCode; }

TEST_F(CodeNavigation, BackAndReviewAlternate) {
    TVisitHistory history;
    EXPECT_FALSE(history.CanGoBack());
    // A00 shown at page 2, then A01 picked from the result list.
    history.PushBack(View("A00", 2, "A00.9"), true);
    TVisitItem current = View("A01", 1);
    TVisitItem target;
    ASSERT_TRUE(history.GoBack(current, target));
    EXPECT_EQ(CodeOf(target), QStringLiteral("A00"));
    EXPECT_EQ(target.FPageIndex, 2);
    EXPECT_EQ(target.FSelectedCode, QStringLiteral("A00.9"));
    EXPECT_FALSE(history.CanGoBack());
    EXPECT_TRUE(history.CanReview());
    current = target;
    ASSERT_TRUE(history.GoReview(current, target));
    EXPECT_EQ(CodeOf(target), QStringLiteral("A01"));
    current = target;
    ASSERT_TRUE(history.GoBack(current, target));
    EXPECT_EQ(CodeOf(target), QStringLiteral("A00"));
    EXPECT_FALSE(history.GoBack(target, current)); // nothing further back
}

TEST_F(CodeNavigation, ANewViewEmptiesTheReviewStack) {
    TVisitHistory history;
    history.PushBack(View("A00", 1), true);
    TVisitItem target;
    ASSERT_TRUE(history.GoBack(View("A01", 1), target));
    EXPECT_TRUE(history.CanReview());
    history.PushBack(target, true); // a code picked from the tree
    EXPECT_FALSE(history.CanReview());
    // Without a current view nothing is pushed, and nothing is cleared either.
    ASSERT_TRUE(history.GoBack(View("A02", 1), target));
    history.PushBack(TVisitItem{}, true);
    EXPECT_TRUE(history.CanReview());
}

TEST_F(CodeNavigation, StepsAcrossSectionsAndChapters) {
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"A00", false, "A01"}, {"A02", false, "H54"}, // last of a chapter: first of the next
        {"S06", false, "T07"},                        // last of a section: first of the next
        {"T07", false, ""},                           // the very last: nothing
        {"A01", true, "A00"},  {"H54", true, "A02"},  {"T07", true, "S06"},
        {"A00", true, ""},                            // the very first: nothing
    };
    for (const auto& [from, backward, to] : cases) {
        const TCodeInfo* next = StepCategory(*ChapterList, *Category(from), backward);
        EXPECT_EQ(next ? next->FCode : QString(), QLatin1String(to)) << from << (backward ? " back" : " forward");
    }
    // A code below a category is not in its section's list: no step.
    EXPECT_EQ(StepCategory(*ChapterList, *FindCode(QStringLiteral("A00.0")), false), nullptr);
}

TEST_F(CodeNavigation, CategoriesListedWhenAViewerOpens) {
    TChapter* injuries = ChapterList->back().get();
    QStringList codes;
    for (const TCodeInfo* code : CategoriesOf(injuries))
        codes << code->FCode;
    EXPECT_EQ(codes, (QStringList{QStringLiteral("S06"), QStringLiteral("T07")}));
    EXPECT_EQ(CategoriesOf(injuries->FSubList[1].get()).size(), 1);
    EXPECT_EQ(CategoriesOf(Category("A00")), QList<TCodeInfo*>{Category("A00")});
    EXPECT_TRUE(CategoriesOf(TTabularObject{}).isEmpty());
}

TEST(WheelThrottle, OnePageTurnPerBurst) {
    TWheelThrottle throttle(1000);
    EXPECT_FALSE(throttle.Accept(1100)); // within 300 ms of the window being shown
    EXPECT_TRUE(throttle.Accept(1401));
    EXPECT_FALSE(throttle.Accept(1500));
    EXPECT_FALSE(throttle.Accept(1790)); // each event restarts the pause
    EXPECT_FALSE(throttle.Accept(2090));
    EXPECT_TRUE(throttle.Accept(2391));
}

} // namespace
