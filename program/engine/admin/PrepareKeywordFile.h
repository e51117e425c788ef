// "Preliminary handle": cleans a hand-made keyword file into the program's keyword layout.
//
// A line that begins with a blank or a tab continues the keywords of the code above; any other
// line starts a code, which runs up to the first blank. The keywords (split at commas, runs of
// blanks and tabs squeezed, trimmed, empty ones dropped) are written each followed by a comma,
// after a code field of nine characters: "A00      Biovar, Cholera, Cholerae 01,", and
// continuation lines begin with nine blanks.
//
// A code line without a blank, or whose code is shorter than three characters, is dropped
// silently; one whose code is longer than three characters without a point in the fourth place
// is reported as "Invalid line N (error code definition): line" and dropped.
#pragma once

#include "AdminFiles.h"

// The file the cleaned keywords go to: AFileName + "-New.txt".
QString PreparedKeywordFileName(const QString& AFileName);

// The cleaned lines of ALines (empty lines and dropped lines give none); the invalid-line
// messages go to AMessages as they are met, line numbers counting from 1.
QStringList PrepareKeywordLines(const QStringList& ALines, const TAdminMessages& AMessages);

// Reads AFileName and writes its cleaned lines to PreparedKeywordFileName(AFileName).
TAdminOutcome PrepareKeywordFile(const QString& AFileName, const TAdminMessages& AMessages);
