// The FY2023 tabular list as published: it loads without a message into the tree the
// classification describes. Skipped when the official files are not available.
#include "EngineGlobals.h"
#include "TabularCounts.h"
#include "TabularLoader.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class RealTabular : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string document = ReadOfficialFile(QStringLiteral("icd10cm_tabular_2023.xml"));
        if (document.empty())
            return;
        TMessageRecorder recorder;
        PutDataSet(TDataSet::Tabular, document);
        LoadTabular();
        gMessages = new QStringList(recorder.Messages());
    }
    void SetUp() override {
        if (!gMessages)
            GTEST_SKIP() << "official tabular list not found in " TABULON_TEST_DATA_DIR;
    }
    static inline QStringList* gMessages = nullptr;
};

TEST_F(RealTabular, LoadsWithoutAnyMessage) {
    EXPECT_EQ(ReadState(TabularLoadState), LoadDone);
    EXPECT_TRUE(gMessages->isEmpty()) << gMessages->join(QLatin1Char('\n')).toStdString();
}

TEST_F(RealTabular, HasThePublishedCounts) {
    const TTabularCounts counts = CountTabular(*ChapterList);
    EXPECT_EQ(counts.Chapters, 22);
    EXPECT_EQ(counts.Sections, 296);
    EXPECT_EQ(counts.Categories, 1914);
    EXPECT_EQ(counts.Codes, 45869);
    EXPECT_EQ(ChapterList->front()->FInfo.FName,
              QStringLiteral("Certain infectious and parasitic diseases"));
    EXPECT_EQ(ChapterList->front()->FInfo.FScope, QStringLiteral("(A00-B99)"));
    EXPECT_FALSE(IntroductionData->FTitle.isEmpty());
    EXPECT_FALSE(IntroductionData->FInstructionList.empty());
}

struct TreeWalk {
    std::vector<const TCodeInfo*> VisualTables;
    std::set<const void*> Seen;
    int Violations = 0;
    int Duplicates = 0;

    void Visit(const TCodeInfo& ACode, const TSubChapter& ASection) {
        if (!Seen.insert(&ACode).second)
            ++Duplicates;
        if ((ACode.FLevel == 0) != (ACode.FParent == nullptr) || ACode.FSubChapter != &ASection)
            ++Violations;
        int definitions = 0, tables = 0;
        for (const auto& item : ACode.FItemList) {
            definitions += dynamic_cast<const TSevenCharDef*>(item.get()) != nullptr;
            tables += dynamic_cast<const TVisualImpairment*>(item.get()) != nullptr;
        }
        if (definitions > 1 || tables > 1)
            ++Violations;
        if (tables)
            VisualTables.push_back(&ACode);
        for (const auto& sub : ACode.FSubCodeList) {
            if (sub->FParent != &ACode || sub->FLevel != ACode.FLevel + 1)
                ++Violations;
            Visit(*sub, ASection);
        }
    }
};

TEST_F(RealTabular, TreeInvariantsHoldEverywhere) {
    TreeWalk walk;
    for (const auto& chapter : *ChapterList)
        for (const auto& section : chapter->FSubList) {
            EXPECT_EQ(section->FChapter, chapter.get());
            for (const auto& category : section->FCodeList) {
                EXPECT_EQ(category->FLevel, 0) << category->FCode.toStdString();
                EXPECT_EQ(category->FCode.size(), 3) << category->FCode.toStdString();
                walk.Visit(*category, *section);
            }
        }
    EXPECT_EQ(walk.Violations, 0);
    EXPECT_EQ(walk.Duplicates, 0);

    ASSERT_EQ(walk.VisualTables.size(), 1u);
    const TCodeInfo& h548 = *walk.VisualTables[0];
    EXPECT_EQ(h548.FCode, QStringLiteral("H54.8"));
    const TVisualImpairment* table = nullptr;
    for (const auto& item : h548.FItemList)
        if (const auto* t = dynamic_cast<const TVisualImpairment*>(item.get()))
            table = t;
    ASSERT_NE(table, nullptr);
    // The FY2023 table: six numbered rows after the heading row; rows 1 to 3 have three full
    // ranges, row 4 three ranges of which two give only a maximum, rows 5 and 9 one range.
    struct Row {
        int Value;
        int Ranges;
    };
    const Row expected[] = {{1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 1}, {9, 1}};
    ASSERT_EQ(table->FVisCategoryList.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const TVisCategory& row = *table->FVisCategoryList[i];
        EXPECT_EQ(row.FValue, expected[i].Value);
        for (int slot = 0; slot < 3; ++slot) {
            const auto& range = row.VisRanges[static_cast<std::size_t>(slot)];
            EXPECT_EQ(range != nullptr, slot < expected[i].Ranges) << "row " << i << " slot " << slot;
            if (range) {
                EXPECT_FALSE(range->FVisMax.isEmpty());
            }
            if (range && expected[i].Value <= 3) {
                EXPECT_FALSE(range->FVisMin.isEmpty());
            }
        }
    }
    EXPECT_EQ(table->FVisCategoryList[0]->VisRanges[0]->FVisMax, QStringLiteral("6/18"));
    EXPECT_EQ(table->FVisCategoryList[0]->VisRanges[0]->FVisMin, QStringLiteral("6/60"));
}

TEST_F(RealTabular, AccentedTextArrivesAsUnicode) {
    // The published list writes Sézary with an accented e.
    bool found = false;
    std::function<void(const TCodeInfo&)> visit = [&](const TCodeInfo& ACode) {
        found = found || ACode.FDesc.contains(QString::fromUtf8("S\u00e9zary"));
        for (const auto& sub : ACode.FSubCodeList)
            visit(*sub);
    };
    for (const auto& chapter : *ChapterList)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList)
                visit(*category);
    EXPECT_TRUE(found);
}

} // namespace
