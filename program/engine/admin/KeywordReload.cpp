#include "KeywordReload.h"

#include "CodeKeywordDerivation.h"
#include "EngineGlobals.h"
#include "TextDataSets.h"
#include "Waiting.h"

namespace {

void ForgetCachedKeywords(TCodeInfo& ACode) {
    ACode.FCodeKW = nullptr;
    for (const auto& sub : ACode.FSubCodeList)
        ForgetCachedKeywords(*sub);
}

void ForgetCachedKeywords() {
    // The tabular loader fills the chapters; only a finished list can hold cached entries
    // (the keyword search caches them after waiting for the tabular list).
    if (ReadState(TabularLoadState) != LoadDone)
        return;
    for (const auto& chapter : *ChapterList)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList)
                ForgetCachedKeywords(*category);
}

} // namespace

TAdminOutcome ReloadCodeKeywords(const QString& AFile, const TKeywordLoadOptions& AOptions) {
    CreateGlobalContainers();
    WaitWhileLoading(KeywordLoadState);
    TAdminOutcome outcome;
    const std::optional<QStringList> lines = ReadAdminLines(AFile, outcome);
    if (!lines)
        return outcome;
    WriteState(KeywordLoadState, LoadRunning);
    ForgetCachedKeywords();
    CodeKeywordsList->clear();
    KeywordRefList->clear();
    ParseCodeKeywordLines(*lines, AOptions.CategoryOnly, AOptions.MultiWordOnly, AOptions.Capitalize);
    WriteState(KeywordLoadState, LoadDone);
    return {};
}

TAdminOutcome ArrangeKeywordFile(const QString& AOriginalFile, const TKeywordLoadOptions& AOptions,
                                 const QString& AArrangedFile, const QString& ADistinctFile) {
    TAdminOutcome outcome = ReloadCodeKeywords(AOriginalFile, AOptions);
    if (!outcome)
        return outcome;
    return ArrangeCodeKeyword(*CodeKeywordsList, AArrangedFile, ADistinctFile);
}
