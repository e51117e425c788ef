// Whole-word tests shared by the keyword search and the page colouring. A full stop, colon or
// semicolon is no boundary: ABDOMEN followed by a full stop does not count as the word ABDOMEN.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

bool MayStandBeforeWord(QChar AChar);
bool MayStandAfterWord(QChar AChar);

// Whether the occurrence of a word at [APos, APos + ALength) of AText stands as a whole word.
bool IsWholeWordAt(const QString& AText, qsizetype APos, qsizetype ALength);

// W and T already upper-cased: whether W occurs in T as a whole word. With Qt::CaseInsensitive
// the texts need no upper-casing; that equals the upper-cased test only for ASCII texts.
bool ContainsWord(const QString& AWord, const QString& AText, Qt::CaseSensitivity ACase = Qt::CaseSensitive);

// Every whole-word occurrence of every word in the upper-cased ALine: 0-based positions and the
// words' lengths, word by word in the order given.
void FindWordPositions(const QString& ALine, const QStringList& AWords, QList<qsizetype>& APositions,
                       QList<qsizetype>& ALengths);
