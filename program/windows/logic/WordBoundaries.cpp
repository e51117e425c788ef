#include "WordBoundaries.h"

bool MayStandBeforeWord(QChar AChar) {
    switch (AChar.unicode()) {
    case u'\t': case u'\n': case u' ': case u'"': case u'\'': case u'(': case u',': case u'-':
    case u'[': case u'{':
        return true;
    }
    return false;
}

bool MayStandAfterWord(QChar AChar) {
    switch (AChar.unicode()) {
    case u'\t': case u'\n': case u'\r': case u' ': case u'"': case u'\'': case u')': case u',':
    case u'-': case u']': case u'}':
        return true;
    }
    return false;
}

bool IsWholeWordAt(const QString& AText, qsizetype APos, qsizetype ALength) {
    const qsizetype after = APos + ALength;
    return (APos == 0 || MayStandBeforeWord(AText[APos - 1])) &&
           (after >= AText.size() || MayStandAfterWord(AText[after]));
}

bool ContainsWord(const QString& AWord, const QString& AText, Qt::CaseSensitivity ACase) {
    if (AWord.isEmpty())
        return false;
    for (qsizetype at = AText.indexOf(AWord, 0, ACase); at >= 0;
         at = AText.indexOf(AWord, at + AWord.size(), ACase))
        if (IsWholeWordAt(AText, at, AWord.size()))
            return true;
    return false;
}

void FindWordPositions(const QString& ALine, const QStringList& AWords, QList<qsizetype>& APositions,
                       QList<qsizetype>& ALengths) {
    const QString upper = ALine.toUpper();
    for (const QString& word : AWords) {
        if (word.isEmpty())
            continue;
        for (qsizetype at = upper.indexOf(word); at >= 0; at = upper.indexOf(word, at + word.size()))
            if (IsWholeWordAt(upper, at, word.size())) {
                APositions << at;
                ALengths << word.size();
            }
    }
}
