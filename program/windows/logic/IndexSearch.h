// Searching the alphabetic indexes and the tables by the beginning of a term's title. The
// windows of the index and of the tables call these on every change of their search box.
#pragma once

#include "EngineGlobals.h"
#include "IndexModel.h"

#include <QList>
#include <QString>

// Which letter group a search text picks at the main-term level.
enum class TLetterRule {
    Exact,       // the letter equals the first character of the text (indexes)
    DigitsInHash // as Exact, and a first character 1-9 also picks the "#" group (drug table)
};

// The box text as the search compares it: blanks and control characters removed at both ends,
// a-z turned into capitals, every other character left as it is.
QString SearchTextOf(const QString& ABoxText);

// Whether ATitle begins with ASearch (already a search text): the title is cut to the length of
// ASearch and its a-z turned into capitals. An empty search text matches every title.
bool TitleStartsWith(const QString& ATitle, const QString& ASearch);

// Whether the letter group titled ALetter holds the main terms for the first character AFirst.
bool LetterMatches(const QString& ALetter, QChar AFirst, TLetterRule ARule);

// The main terms for ASearch: all of them, letters in list order, when it is empty; otherwise
// the matching terms of the first letter group that matches its first character (none when no
// group does). A null list gives nothing.
QList<const TTerm*> SearchMainTerms(const TAlphaLetterList* ALetters, const QString& ASearch,
                                    TLetterRule ARule);

// The sub-terms of AItem whose titles begin with ASearch (all of them when it is empty).
QList<const TTerm*> SearchSubTerms(const TTerm& AItem, const QString& ASearch);

// The terms above the listed level, main term first and AItem last (the letter is not a term).
QList<const TTerm*> TrailOf(const TTerm& AItem);
