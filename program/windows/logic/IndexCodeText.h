// Turning a code as the index and the tables write it (S72.00-, C79.8-, A40-) into the code
// text the code viewer opens (S72.00, C79.8, A40), and choosing which text of a term or of a
// table row a command opens.
#pragma once

#include "IndexModel.h"

#include <QString>

#include <optional>

// The code text for an index or table text: category + "." + sub-code when the sub-code is not
// empty, else the category alone (SplitCode's split: S72.00- gives S72.00, N20 stays N20). A
// category written with a trailing dash and no point (A40-, as some published entries read) is
// taken as that category. Anything else ("--", "-", titles, lower-case letters) gives nothing.
std::optional<QString> IndexCodeText(const QString& AText);

// The references of a term that the index window opens in the viewer.
enum class TTermField { Code, Manifest, SeeCategory, SeeSubcategory };

// The text of AField: FCode, FManifest, FSeeCat or FSubCat.
QString TermFieldText(const TTerm& ATerm, TTermField AField);

// Grid cells of the table window: row 0 is the header row, rows from 1 hold terms; columns 2 to
// 7 hold the six code cells of a term.
bool IsCodeCell(int ARow, int AColumn);
