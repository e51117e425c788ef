// The words the find index stores and the words a query is read as: both go through the same
// folding, so that what a coder types meets what the classification writes.
#pragma once

#include <QString>
#include <QStringList>

// The words of AText, lower case, in order: runs of letters and digits. Accents are dropped
// (Sézary -> sezary), a possessive "'s" (or "s'" plural) at a word's end is dropped
// (Alzheimer's -> alzheimer) and other apostrophes join the letters around them (o'clock ->
// oclock). Numbers are words ("type 2" gives type and 2).
QStringList FindWords(const QString& AText);

// Small words that carry no meaning for a search (of, the, with, ...); they are neither indexed
// nor looked up.
bool IsFindStopWord(const QString& AWord);

// FindWords without the stop words.
QStringList FindKeyWords(const QString& AText);

// A code as typed, in the form the index keys codes by: upper case, without point or blanks
// (e11.9 and E119 give E119). Empty when AText cannot be (the beginning of) a code: a letter, a
// digit, then up to five letters or digits.
QString CodeKeyOf(const QString& AText);
