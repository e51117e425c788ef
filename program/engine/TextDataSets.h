// The three text data sets of loader thread 5: irregular plurals, code keywords and short
// descriptions, and the keyword look-ups other parts call.
#pragma once

#include "KeywordModel.h"

#include <QString>
#include <QStringList>

#include <string>

// Fills SpecialKeywordList from the "SpecialKWs" data set: "singular,plural[,plural2]" lines,
// split only at commas, fields kept as they are (a quoted field loses its quotes).
void LoadSpecialKeywords();

// Fills CodeKeywordsList and KeywordRefList from the "CodeKeywords" data set and drives
// KeywordLoadState (1 while reading, 2 at the end). APath names the keyword file a reload reads
// when the embedded data set has already been consumed; empty then means nothing to read.
void LoadCodeKeywords(const QString& APath, bool ACategoryOnly, bool AMultiWordOnly, bool ACapitalize);

// Parses keyword-file lines into the two lists (the loader's line walk, for any source).
void ParseCodeKeywordLines(const QStringList& ALines, bool ACategoryOnly, bool AMultiWordOnly,
                           bool ACapitalize);

// Fills ShortDescMap from the "ShortDesc" data set and publishes ShortDescLoadState. A code
// that appears twice keeps its first description and is reported; the rest still loads.
void LoadShortDescriptions();

// Empties CodeKeywordsList and KeywordRefList for a new load, and starts a new generation of the
// keyword list, so that no entry cached from the old list is used again (KeywordMatch.h).
void ClearCodeKeywords();
// The generation of the current keyword list.
unsigned CodeKeywordsGeneration();

// The first entry of CodeKeywordsList with exactly this code, or null.
TCodeKeywords* FindCodeKeywords(const QString& ACode);

// Counts one occurrence of AKeyword in KeywordRefList, which stays sorted in descending order of
// the upper-case forms (ordinal); keywords that differ only in case share one entry.
void AddKeywordRef(const QString& AKeyword);

// Splits a text document into lines (CR LF, CR or LF); a leading byte-order mark selects
// UTF-8 or UTF-16, otherwise the text is UTF-8.
QStringList SplitTextLines(const std::string& ABytes);

// The job of loader thread 5: plurals, keywords, short descriptions. A failure ends the states
// it drives in LoadFailed (never left at 1).
void LoadTextDataSets();
