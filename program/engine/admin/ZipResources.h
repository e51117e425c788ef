// Compresses the sources of the eight data sets into the ".dzip" zlib streams that the program
// embeds: disease index, external-cause index, drug table, neoplasm table, tabular list, code
// keywords, irregular plurals and short descriptions, in this order.
#pragma once

#include "AdminFiles.h"

#include <QStringList>

// The source file names for edition AYear, in the order above (icd10cm_index_2023.xml, ...,
// ReportableCodesShort2023.txt).
QStringList ResourceSourceFiles(const QString& AYear);

// The ".dzip" name of a source: its name with the extension replaced.
QString ZippedResourceName(const QString& ASourceFile);

// Compresses every source of AFolder (with a trailing "/") into AFolder + name + ".dzip". Stops
// at the first source that cannot be read or stream that cannot be written (Failed, with the
// reason); the streams written before stay. AWritten gets the ".dzip" paths written.
TAdminOutcome ZipResourceFiles(const QString& AFolder, const QString& AYear,
                               QStringList* AWritten = nullptr);
