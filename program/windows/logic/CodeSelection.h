// Widening a word picked by a double-click in the code viewer's page to the whole code it is
// part of, so that going to and copying the code work on it.
#pragma once

#include <QString>
#include <QStringList>

struct TTextRange {
    qsizetype Start = 0;
    qsizetype Length = 0;
    bool operator==(const TTextRange&) const = default;
};

// AText is the page, AWord the range the double-click selected. Returns the whole code when the
// word is the part after a code's full stop ("0X1" of "S06.0X1"), a category followed by a full
// stop ("S06" of "S06.0X1", "S01" of "(S01.-)") or the full stop inside a code; otherwise AWord
// unchanged.
TTextRange WidenSelectionToCode(const QString& AText, TTextRange AWord);

// The code of line ALine (0-based) of a composed text (lines and their kind characters, see
// CodeTextLayout.h): the code a code line begins with, also from one of its wrapped continuation
// lines; empty for every other line (notes, details, headers, fillers) and out of range.
QString CodeOfComposedLine(const QStringList& ALines, const QString& AKinds, int ALine);
