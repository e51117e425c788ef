#include "KeywordReload.h"

#include "CodeKeywordDerivation.h"
#include "EngineGlobals.h"
#include "TextDataSets.h"
#include "Waiting.h"

TAdminOutcome ReloadCodeKeywords(const QString& AFile, const TKeywordLoadOptions& AOptions) {
    CreateGlobalContainers();
    WaitWhileLoading(KeywordLoadState);
    TAdminOutcome outcome;
    const std::optional<QStringList> lines = ReadAdminLines(AFile, outcome);
    if (!lines)
        return outcome;
    WriteState(KeywordLoadState, LoadRunning);
    // Entries that categories cached from the old list are forgotten with it, also when the
    // tabular list ended in a failure or a stop.
    ClearCodeKeywords();
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
