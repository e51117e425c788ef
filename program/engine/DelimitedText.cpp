#include "DelimitedText.h"

static bool IsBlankOrControl(QChar c) { return c.unicode() >= 1 && c.unicode() <= 0x20; }

QString TrimControl(const QString& AText) {
    qsizetype begin = 0, end = AText.size();
    while (begin < end && AText[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && AText[end - 1].unicode() <= 0x20)
        --end;
    return AText.mid(begin, end - begin);
}

// Reads a quoted part starting at the opening quote; stops after the closing quote or at the
// end of the text when the quote is never closed.
static QString ReadQuoted(const QString& AText, qsizetype& APos) {
    const QChar quote = QLatin1Char('"');
    QString result;
    ++APos;
    while (APos < AText.size()) {
        if (AText[APos] == quote) {
            if (APos + 1 < AText.size() && AText[APos + 1] == quote) {
                result += quote;
                APos += 2;
                continue;
            }
            ++APos;
            return result;
        }
        result += AText[APos++];
    }
    return result;
}

QStringList SplitDelimitedText(const QString& AText, QChar ADelimiter) {
    QStringList items;
    qsizetype pos = 0;
    const qsizetype size = AText.size();
    auto skipBlanks = [&] {
        while (pos < size && IsBlankOrControl(AText[pos]))
            ++pos;
    };
    skipBlanks();
    while (pos < size) {
        if (AText[pos] == QLatin1Char('"')) {
            items << ReadQuoted(AText, pos);
        } else {
            const qsizetype start = pos;
            while (pos < size && AText[pos].unicode() > 0x20 && AText[pos] != ADelimiter)
                ++pos;
            items << AText.mid(start, pos - start);
        }
        skipBlanks();
        if (pos < size && AText[pos] == ADelimiter) {
            if (pos + 1 == size)
                items << QString(); // a trailing delimiter ends with an empty item
            ++pos;
            skipBlanks();
        }
    }
    return items;
}
