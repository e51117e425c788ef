// Code texts of the tabular list for the keyword work: every code with its description, its
// inclusion texts and its seventh characters, from which keywords are extracted; and every
// reportable code with its description, for verifying.
#pragma once

#include "AdminFiles.h"
#include "EngineGlobals.h"

// Splits AText at every ADelimiter, trims the pieces and drops empty ones, and joins them with
// ASeparator and a blank; after a piece that already ends with ASeparator only the blank is put.
// ACount is the number of pieces joined with a new ASeparator (plus the first). With blank and
// comma, "Cholera due to Vibrio cholerae 01, biovar cholerae" gives
// "Cholera, due, to, Vibrio, cholerae, 01, biovar, cholerae" and 7.
void JoinWithCommas(const QString& AText, QChar ADelimiter, QChar ASeparator, QString& AResult,
                    int& ACount);

// Appends the code text of ACodeInfo and its subtree to AStringList: the code padded to nine
// characters and its description; then, each line beginning with nine blanks, its seventh
// characters ("A - initial encounter"), and the heading and texts of its seventh-character notes,
// includes and inclusion terms; then the same for every sub-code. With AAddComma the texts are
// joined with commas and ATotalWordNum counts their pieces; without, it counts one per text
// line. Headings are not counted.
void AppendTitle(const TCodeInfo& ACodeInfo, QStringList& AStringList, int& ATotalWordNum,
                 bool AAddComma);

// The code text of every category of AChapters in tabular order; ATotal is the sum of the
// counts of AppendTitle.
QStringList CodeTextLines(const TChapterList& AChapters, bool AAddComma, int& ATotal);

// Every reportable code of AChapters (seventh-character completions included) with its
// description: the code padded to nine characters, then the description.
QStringList AllCodeTextLines(const TChapterList& AChapters);

// "Generate Code Text File for Extracting KWs" and "Generate All Code Text for Verifing" on the
// loaded tabular list, waiting without a dialog while it loads; they write AFile.
TAdminOutcome GenerateCodeTextFile(const QString& AFile, bool AAddComma, int& ATotal);
TAdminOutcome GenerateAllCodeText(const QString& AFile);
