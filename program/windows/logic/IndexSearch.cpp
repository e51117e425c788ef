#include "IndexSearch.h"

#include <algorithm>
#include <variant>

namespace {

bool IsTrimmed(QChar AChar) {
    return AChar.unicode() <= 0x20 || AChar.category() == QChar::Other_Control;
}

QString UpperAsciiLetters(QString AText) {
    for (QChar& c : AText)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - u'a' + u'A');
    return AText;
}

} // namespace

QString SearchTextOf(const QString& ABoxText) {
    qsizetype first = 0;
    qsizetype last = ABoxText.size();
    while (first < last && IsTrimmed(ABoxText[first]))
        ++first;
    while (last > first && IsTrimmed(ABoxText[last - 1]))
        --last;
    return UpperAsciiLetters(ABoxText.mid(first, last - first));
}

bool TitleStartsWith(const QString& ATitle, const QString& ASearch) {
    if (ASearch.isEmpty())
        return true;
    if (ATitle.size() < ASearch.size())
        return false;
    return UpperAsciiLetters(ATitle.left(ASearch.size())) == ASearch;
}

bool LetterMatches(const QString& ALetter, QChar AFirst, TLetterRule ARule) {
    if (ALetter == QString(AFirst))
        return true;
    return ARule == TLetterRule::DigitsInHash && AFirst >= QLatin1Char('1') &&
           AFirst <= QLatin1Char('9') && ALetter == QStringLiteral("#");
}

QList<const TTerm*> SearchMainTerms(const TAlphaLetterList* ALetters, const QString& ASearch,
                                    TLetterRule ARule) {
    QList<const TTerm*> result;
    if (!ALetters)
        return result;
    if (ASearch.isEmpty()) {
        for (const auto& letter : *ALetters)
            for (const auto& term : letter->FMainTermList)
                result << term.get();
        return result;
    }
    const auto letter = std::find_if(ALetters->begin(), ALetters->end(), [&](const auto& AItem) {
        return LetterMatches(AItem->FLetter, ASearch[0], ARule);
    });
    if (letter == ALetters->end())
        return result;
    for (const auto& term : (*letter)->FMainTermList)
        if (TitleStartsWith(term->FTitle, ASearch))
            result << term.get();
    return result;
}

QList<const TTerm*> SearchSubTerms(const TTerm& AItem, const QString& ASearch) {
    QList<const TTerm*> result;
    for (const auto& term : AItem.FSubTermList)
        if (TitleStartsWith(term->FTitle, ASearch))
            result << term.get();
    return result;
}

QList<const TTerm*> TrailOf(const TTerm& AItem) {
    QList<const TTerm*> trail;
    for (const TTerm* term = &AItem; term;) {
        trail.prepend(term);
        TTerm* const* parent = std::get_if<TTerm*>(&term->FParent);
        term = parent ? *parent : nullptr;
    }
    return trail;
}
