#include "CodeSelection.h"

namespace {

QChar At(const QString& AText, qsizetype AIndex) {
    return AIndex >= 0 && AIndex < AText.size() ? AText[AIndex] : QChar();
}

bool EndsCode(QChar AChar) {
    return AChar.isNull() || AChar == QLatin1Char(' ') || AChar == QLatin1Char(')') ||
           AChar == QLatin1Char('-') || AChar == QLatin1Char('\n');
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
        // The code ends at the first blank, ")" or "-" from its sixth character on, or at the
        // line's end.
        for (qsizetype i = s + 5; i <= AText.size(); ++i)
            if (EndsCode(At(AText, i)))
                return {s, i - s};
    }
    return AWord;
}
