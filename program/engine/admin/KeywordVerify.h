// "Extract 2+ KW For Verify": for review, every distinct keyword followed by the codes that
// carry it, so that a keyword given to unrelated codes stands out.
#pragma once

#include "AdminFiles.h"
#include "KeywordModel.h"
#include "KeywordReload.h"

// The review file of an arranged keyword file: AArrangedFile + "-Verify.txt".
QString VerifyFileName(const QString& AArrangedFile);

// For each keyword of ADistinct, in order: the keyword alone on a line, then the codes of the
// entries of AList that carry it (case ignored, blank and hyphen the same), in list order, five
// to a line, each line beginning with nine blanks, codes separated by ", ".
QStringList KeywordVerifyLines(const TCodeKeywordsList& AList, const QStringList& ADistinct);

// Reloads the program's keywords from AArrangedFile (all codes, all keywords, capitals as
// ACapitalize says), reads the distinct keywords of ADistinctFile and writes the review file.
TAdminOutcome ExtractKeywordsForVerify(const QString& AArrangedFile, const QString& ADistinctFile,
                                       bool ACapitalize);
