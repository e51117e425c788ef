// Counts the keywords of a distinct-keyword file (one keyword per line) by their number of
// words. Every blank separates, so two blanks in a row make an empty word: a keyword of more
// than four pieces is shown as a message, its text being the line, and not counted.
#pragma once

#include "AdminFiles.h"

struct TDistinctKeywordCounts {
    int N[4] = {0, 0, 0, 0}; // keywords of 1, 2, 3 and 4 pieces
    int Total() const { return N[0] + N[1] + N[2] + N[3]; }
    // "Total: T, 1: N1, 2: N2, 3: N3, 4: N4"
    QString Summary() const;
};

// Empty lines are skipped. Nothing is counted when the file cannot be read.
TAdminOutcome StatisticsDistinctKW(const QString& ADistinctKWFile, TDistinctKeywordCounts& ACounts,
                                   const TAdminMessages& AMessages);
