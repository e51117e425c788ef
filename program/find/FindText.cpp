#include "FindText.h"

#include <QSet>

#include <algorithm>

namespace {
bool IsApostrophe(QChar AChar) {
    return AChar == QLatin1Char('\'') || AChar == QChar(0x2019) || AChar == QChar(0x2018);
}

bool IsWordChar(QChar AChar) { return AChar.isLetterOrNumber(); }
} // namespace

QStringList FindWords(const QString& AText) {
    // Decomposed, an accented letter is the plain letter and a mark that is skipped below; most
    // texts are plain ASCII and need no decomposition.
    const bool ascii = std::all_of(AText.begin(), AText.end(), [](QChar AChar) { return AChar.unicode() < 128; });
    const QString text = ascii ? AText : AText.normalized(QString::NormalizationForm_D);
    QStringList words;
    QString word;
    // "pre-eclampsia" is also written "preeclampsia": a hyphenated pair of letter words gives
    // the joined word after its parts.
    QString beforeHyphen;
    const auto isLetters = [](const QString& AWord) {
        return std::all_of(AWord.begin(), AWord.end(), [](QChar AChar) { return AChar.isLetter(); });
    };
    const auto flush = [&] {
        if (!word.isEmpty()) {
            words.append(word);
            if (!beforeHyphen.isEmpty() && isLetters(word))
                words.append(beforeHyphen + word);
        }
        beforeHyphen.clear();
        word.clear();
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (ascii) {
            // The common case, without Unicode tables.
            const char16_t u = c.unicode();
            if ((u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9')) {
                word += c;
                continue;
            }
            if (u >= u'A' && u <= u'Z') {
                word += QChar(u + (u'a' - u'A'));
                continue;
            }
        } else {
            if (c.category() == QChar::Mark_NonSpacing)
                continue;
            if (IsWordChar(c)) {
                word += c.toLower();
                continue;
            }
        }
        if (IsApostrophe(c) && !word.isEmpty()) {
            // Alzheimer's: the possessive goes; o'clock: the letters join.
            const bool sFollows = i + 1 < n && text[i + 1].toLower() == QLatin1Char('s') &&
                                  (i + 2 >= n || !IsWordChar(text[i + 2]));
            if (sFollows) {
                ++i;
                flush();
                continue;
            }
            const bool letterFollows = i + 1 < n && IsWordChar(text[i + 1]);
            if (letterFollows)
                continue;
            // Plural possessive (patients'): the word ends here.
            flush();
            continue;
        }
        if (c == QLatin1Char('-') && !word.isEmpty() && isLetters(word) && i + 1 < n &&
            text[i + 1].isLetter()) {
            const QString first = word;
            flush();
            beforeHyphen = first;
            continue;
        }
        flush();
    }
    flush();
    return words;
}

bool IsFindStopWord(const QString& AWord) {
    static const QSet<QString> stopWords = [] {
        QSet<QString> set;
        for (const char* word : {"a", "an", "and", "are", "as", "at", "be", "by", "for", "from",
                                 "in", "into", "is", "it", "its", "of", "on", "or", "the", "to",
                                 "with", "without", "w", "due", "other", "than", "that", "this",
                                 "which", "these", "such", "s"})
            set.insert(QString::fromLatin1(word));
        return set;
    }();
    return stopWords.contains(AWord);
}

QStringList FindKeyWords(const QString& AText) {
    QStringList words = FindWords(AText);
    words.removeIf([](const QString& AWord) { return IsFindStopWord(AWord); });
    return words;
}

QString CodeKeyOf(const QString& AText) {
    QString key;
    for (const QChar c : AText.trimmed()) {
        if (c == QLatin1Char('.'))
            continue;
        if (c.unicode() >= 128 || !c.isLetterOrNumber())
            return {};
        key += c.toUpper();
    }
    if (key.size() < 2 || key.size() > 7 || !key[0].isLetter() || !key[1].isDigit())
        return {};
    return key;
}
