// Reloading the program's code keywords from a keyword file, and "Arrange": reload with the
// chosen options, then write the arranged keyword file and the sorted distinct keywords.
//
// The reload reads the named file in the keyword layout (never the embedded data set, which
// its start-up loader has consumed). It runs on the calling thread after the start-up keyword
// loader has finished, so the lists are never written by two threads at once; while it runs
// the keyword load state is "loading" again.
#pragma once

#include "AdminFiles.h"

// Options of the keyword loader.
struct TKeywordLoadOptions {
    bool CategoryOnly = false;  // keep three-character codes only
    bool MultiWordOnly = false; // keep keywords of more than one word only
    bool Capitalize = false;    // upper-case the first letter of every word
};

// Waits while the keyword loader runs, reads AFile and replaces CodeKeywordsList and
// KeywordRefList with its keywords. When AFile cannot be read the loaded keywords stay as they
// were (NotOpened). Keyword entries cached by the tabular list are not used again, since they
// pointed into the old list. Messages of the loader go to its message sink.
TAdminOutcome ReloadCodeKeywords(const QString& AFile, const TKeywordLoadOptions& AOptions);

// Arrange: ReloadCodeKeywords(AOriginalFile, AOptions), then ArrangeCodeKeyword of the reloaded
// list into AArrangedFile and ADistinctFile.
TAdminOutcome ArrangeKeywordFile(const QString& AOriginalFile, const TKeywordLoadOptions& AOptions,
                                 const QString& AArrangedFile, const QString& ADistinctFile);
