// Small text functions that loaders and windows share.
#pragma once

#include <QString>
#include <QStringList>

// Appends AStr unless it is empty or already in AList (exact, case-sensitive).
void AddUniqueString(QStringList& AList, const QString& AStr);

// Equal length, and equal once every "-" of both texts is read as a blank (case-sensitive):
// SKIN-GRAFT and SKIN GRAFT are the same, SKIN-GRAFT and SKINGRAFT are not.
bool SameIgnoringDash(const QString& A, const QString& B);

// Turns the first character, and every character after a tab, blank or "-", into a capital when
// it is an ASCII letter a-z; nothing else changes (x-ray -> X-Ray, mcDonald -> McDonald).
void CapitalizeWords(QString& AStr);

// Counts the digits 0-9 and capitals A-Z of AStr; AFirstPos is the 1-based position of the first
// of them (0 when none) and AFirstChar that character (left unchanged when none).
int CountCodeChars(const QString& AStr, int& AFirstPos, QChar& AFirstChar);

// Every run of tabs and blanks becomes one blank, at the ends too (nothing is trimmed).
QString SqueezeBlanks(const QString& AStr);

// Whether every character of AStr is ASCII. Upper-casing keeps the length of such a text, and a
// case-blind comparison of two of them finds what a comparison of their upper cases finds.
bool IsAscii(const QString& AStr);

// The typewriter apostrophe and the typographic one (U+2019); they serve alike.
bool IsApostrophe(QChar AChar);

// AText without its accents: decomposed (NFD), the non-spacing marks dropped, composed again.
// Letters without a mark to drop (ø, ß) stay.
QString WithoutAccents(const QString& AText);

// AText without its possessives: "'s" at a word's end goes (Alzheimer's gives Alzheimer), and so
// does the apostrophe after a word's final s (Chagas' gives Chagas). Either apostrophe counts.
QString WithoutPossessives(const QString& AText);
