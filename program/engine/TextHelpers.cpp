#include "TextHelpers.h"

void AddUniqueString(QStringList& AList, const QString& AStr) {
    if (!AStr.isEmpty() && !AList.contains(AStr, Qt::CaseSensitive))
        AList << AStr;
}

bool SameIgnoringDash(const QString& A, const QString& B) {
    if (A.size() != B.size())
        return false;
    for (qsizetype i = 0; i < A.size(); ++i) {
        const QChar a = A[i] == QLatin1Char('-') ? QLatin1Char(' ') : A[i];
        const QChar b = B[i] == QLatin1Char('-') ? QLatin1Char(' ') : B[i];
        if (a != b)
            return false;
    }
    return true;
}

void CapitalizeWords(QString& AStr) {
    for (qsizetype i = 0; i < AStr.size(); ++i) {
        const bool wordStart = i == 0 || AStr[i - 1] == QLatin1Char('\t') ||
                               AStr[i - 1] == QLatin1Char(' ') || AStr[i - 1] == QLatin1Char('-');
        const char16_t c = AStr[i].unicode();
        if (wordStart && c >= u'a' && c <= u'z')
            AStr[i] = QChar(c - 32);
    }
}

int CountCodeChars(const QString& AStr, int& AFirstPos, QChar& AFirstChar) {
    AFirstPos = 0;
    int count = 0;
    for (qsizetype i = 0; i < AStr.size(); ++i) {
        const char16_t c = AStr[i].unicode();
        if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z')) {
            if (count++ == 0) {
                AFirstPos = static_cast<int>(i) + 1;
                AFirstChar = AStr[i];
            }
        }
    }
    return count;
}

QString SqueezeBlanks(const QString& AStr) {
    QString result;
    result.reserve(AStr.size());
    bool inRun = false;
    for (const QChar c : AStr) {
        const bool blank = c == QLatin1Char(' ') || c == QLatin1Char('\t');
        if (blank && !inRun)
            result += QLatin1Char(' ');
        else if (!blank)
            result += c;
        inRun = blank;
    }
    return result;
}

bool IsAscii(const QString& AStr) {
    for (const QChar c : AStr)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

bool IsApostrophe(QChar AChar) { return AChar == QLatin1Char('\'') || AChar == QChar(0x2019); }

namespace {
bool IsWordEnd(const QString& AText, qsizetype AAt) {
    return AAt >= AText.size() || !AText[AAt].isLetterOrNumber();
}
} // namespace

QString WithoutAccents(const QString& AText) {
    QString plain;
    for (const QChar c : AText.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            plain += c;
    // Letters that lost no mark compose back as they were written.
    return plain.normalized(QString::NormalizationForm_C);
}

QString WithoutPossessives(const QString& AText) {
    QString plain;
    for (qsizetype i = 0; i < AText.size(); ++i) {
        const QChar c = AText[i];
        const bool afterLetter = i > 0 && AText[i - 1].isLetter();
        if (IsApostrophe(c) && afterLetter && i + 1 < AText.size() &&
            AText[i + 1].toLower() == QLatin1Char('s') && IsWordEnd(AText, i + 2)) {
            ++i; // "'s" goes
            continue;
        }
        if (IsApostrophe(c) && afterLetter && AText[i - 1].toLower() == QLatin1Char('s') &&
            IsWordEnd(AText, i + 1))
            continue; // the apostrophe of "s'" goes
        plain += c;
    }
    return plain;
}
