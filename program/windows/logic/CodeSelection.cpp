#include "CodeSelection.h"

#include <algorithm>

namespace {

QChar At(const QString& AText, qsizetype AIndex) {
    return AIndex >= 0 && AIndex < AText.size() ? AText[AIndex] : QChar();
}

bool EndsCode(QChar AChar) {
    return AChar.isNull() || AChar == QLatin1Char(' ') || AChar == QLatin1Char(')') ||
           AChar == QLatin1Char('-') || AChar == QLatin1Char('\n');
}

bool IsCodeCharacter(QChar AChar) {
    return (AChar >= QLatin1Char('0') && AChar <= QLatin1Char('9')) ||
           (AChar >= QLatin1Char('A') && AChar <= QLatin1Char('Z'));
}

// The end of the code whose category starts at AStart and whose full stop follows it: the first
// blank, ")" or "-" from its sixth character on, or the line's end; -1 when there is none.
qsizetype EndOfCode(const QString& AText, qsizetype AStart) {
    for (qsizetype i = AStart + 5; i <= AText.size(); ++i)
        if (EndsCode(At(AText, i)))
            return i;
    return -1;
}

} // namespace

TTextRange WidenSelectionToCode(const QString& AText, TTextRange AWord) {
    const qsizetype s = AWord.Start, n = AWord.Length;
    const QString word = AText.mid(s, n);
    if (word.trimmed().isEmpty())
        return AWord;
    if (s > 4 && n <= 4) {
        // The part after the full stop of a code that stands after a blank, "(" or "-": the
        // category, the full stop and the part, without a trailing blank.
        const QChar before = At(AText, s - 5);
        if (At(AText, s - 1) == QLatin1Char('.') &&
            (before == QLatin1Char(' ') || before == QLatin1Char('(') || before == QLatin1Char('-')))
            return {s - 4, word.endsWith(QLatin1Char(' ')) ? n + 3 : n + 4};
        // Otherwise it may still be a category picked by itself, below.
    }
    if (n == 3 && At(AText, s + 3) == QLatin1Char('.')) {
        const qsizetype end = EndOfCode(AText, s);
        if (end >= 0)
            return {s, end - s};
    }
    // A double-click on a full stop picks it with the punctuation that follows (".-)" of
    // "(S01.-)").
    const bool onFullStop = At(AText, s) == QLatin1Char('.') &&
                            std::none_of(word.begin(), word.end(), [](QChar AChar) {
                                return AChar.isLetterOrNumber();
                            });
    if (onFullStop && s >= 3) {
        // The full stop of a code: a category of three code characters before it, led by the
        // line's start, a blank, "(" or "-", and a code character or "-" after it.
        const qsizetype start = s - 3;
        const QChar lead = At(AText, start - 1);
        const bool led = lead.isNull() || lead == QLatin1Char(' ') || lead == QLatin1Char('(') ||
                         lead == QLatin1Char('-') || lead == QLatin1Char('\n');
        const QChar after = At(AText, s + 1);
        if (led && IsCodeCharacter(At(AText, start)) && IsCodeCharacter(At(AText, start + 1)) &&
            IsCodeCharacter(At(AText, start + 2)) &&
            (IsCodeCharacter(after) || after == QLatin1Char('-'))) {
            // "S02.-": the dash is the code's own.
            if (after == QLatin1Char('-'))
                return {start, 5};
            const qsizetype end = EndOfCode(AText, start);
            if (end >= 0)
                return {start, end - start};
        }
    }
    return AWord;
}

QString CodeOfComposedLine(const QStringList& ALines, const QString& AKinds, int ALine) {
    if (ALine < 0 || ALine >= ALines.size() || ALine >= AKinds.size())
        return QString();
    // A wrapped line's continuations ("9" of a code line, "D" of a seventh-character code line)
    // belong to the line they continue.
    int line = ALine;
    while (line > 0 && (AKinds[line] == QLatin1Char('9') || AKinds[line] == QLatin1Char('D')))
        --line;
    const QChar kind = AKinds[line];
    if (kind != QLatin1Char('2') && kind != QLatin1Char('3') && kind != QLatin1Char('5'))
        return QString();
    // Page fillers are "5" lines too, but empty.
    const QString text = ALines[line].trimmed();
    return text.left(text.indexOf(QLatin1Char(' ')));
}
