#include "FindText.h"

#include "TextHelpers.h"

#include <QSet>

#include <algorithm>

QStringList FindWords(const QString& AText) {
    // Most texts are plain ASCII: nothing to unaccent, and no Unicode tables needed to read them.
    const bool ascii = IsAscii(AText);
    QString text = ascii ? AText : WithoutAccents(AText);
    if (std::any_of(text.begin(), text.end(), IsApostrophe))
        text = WithoutPossessives(text);
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
            const char16_t u = c.unicode();
            if ((u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9')) {
                word += c;
                continue;
            }
            if (u >= u'A' && u <= u'Z') {
                word += QChar(u + (u'a' - u'A'));
                continue;
            }
        } else if (c.isLetterOrNumber()) {
            word += c.toLower();
            continue;
        }
        // The possessives are gone: an apostrophe between letters joins them (o'clock), any
        // other ends the word.
        if (IsApostrophe(c) && !word.isEmpty() && i + 1 < n && text[i + 1].isLetterOrNumber())
            continue;
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
