// Widening a word picked by a double-click in the code viewer's page to the whole code it is
// part of, so that going to and copying the code work on it.
#pragma once

#include <QString>

struct TTextRange {
    qsizetype Start = 0;
    qsizetype Length = 0;
    bool operator==(const TTextRange&) const = default;
};

// AText is the page, AWord the range the double-click selected. Returns the whole code when the
// word is the part after a code's full stop ("0X1" of "S06.0X1") or a category followed by a full
// stop ("S06" of "S06.0X1", "S01" of "(S01.-)"); otherwise AWord unchanged.
TTextRange WidenSelectionToCode(const QString& AText, TTextRange AWord);
