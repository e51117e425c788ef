// The published ICD-10-CM order file and the files the administrator derives from it.
//
// Order-file columns (1-based): 7-13 the code without its point, 15 the flag ("1" valid for
// reporting, "0" a header), 17-76 the short description, 78 onwards the long description.
#pragma once

#include "AdminFiles.h"

#include <QHash>
#include <QString>

struct TOrderFileCounts {
    int Total = 0; // lines of 16 characters or more
    int Valid = 0; // of which flagged "1"
};

// Reads AOrderFile and writes the six derived files, each line ended by CR LF: short and long
// descriptions with and without the flag, and the short and long reportable-code files (only the
// codes flagged "1"; the short one is the layout of the short-description data set: the code with
// its point padded to nine characters, a blank, the short description). Lines shorter than 16
// characters are neither counted nor copied. The code field is the code with its point padded
// to nine characters (A00 and six blanks, S72.001A and one blank); the short files put a blank
// after it, the long files without flag run it straight into the description, the files with
// flag add the flag and a blank.
// Writes nothing when the order file cannot be read or an output cannot be created (NotOpened),
// or when a write fails (Failed: none of the six is put in place); the outcome says why.
TAdminOutcome StatisticsOrderFile(const QString& AOrderFile, const QString& ANewShortFileWithoutFlag,
                         const QString& ANewLongFileWithoutFlag, const QString& ANewShortFileWithFlag,
                         const QString& ANewLongFileWithFlag, const QString& ACodeFile,
                         const QString& ACodeLongFile, TOrderFileCounts* ACounts = nullptr);

// The result line the administrator sees: "Total: N, Valide Code: M" (the spelling is the one
// the tool has always shown, and scripts compare it).
QString OrderFileSummary(const TOrderFileCounts& ACounts);

// One order-file line in the program's own terms.
struct TOrderLine {
    QString Code;     // with its point: A00, A00.0, S72.001A
    bool Valid = false;
    QString ShortDesc;
    QString LongDesc;
};

// Parses one line; false for a line shorter than 16 characters.
bool ParseOrderLine(const QString& ALine, TOrderLine& AOut);

// The codes of an order file, with their long descriptions; AValidOnly keeps the "1" lines.
// Returns false when the file cannot be read.
bool ReadOrderFileCodes(const QString& AOrderFile, bool AValidOnly, QHash<QString, QString>& ACodes,
                        QString* AError = nullptr);
