#include "TabularCounts.h"

static int CountNodes(const TCodeInfo& ACode) {
    int count = 1;
    for (const auto& sub : ACode.FSubCodeList)
        count += CountNodes(*sub);
    return count;
}

TTabularCounts CountTabular(const TOwningList<TChapter>& AChapters) {
    TTabularCounts counts;
    for (const auto& chapter : AChapters) {
        ++counts.Chapters;
        for (const auto& section : chapter->FSubList) {
            ++counts.Sections;
            for (const auto& category : section->FCodeList) {
                ++counts.Categories;
                counts.Codes += CountNodes(*category);
            }
        }
    }
    return counts;
}
