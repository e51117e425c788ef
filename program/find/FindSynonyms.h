// Abbreviations and lay words that the classification does not spell out (COPD, UTI, heart
// attack is spelt out by the index, CHF is not), read from the list committed as
// program/find/synonyms.txt and compiled into the program.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

struct TFindSynonym {
    QStringList Words;     // what a coder types, as FindKeyWords reads it ("chf"; "kidney stone")
    QStringList Expansion; // the classification's words for it ("congestive heart failure")
};

// Reads the list: one entry per line, "words = expansion"; blank lines and lines beginning with
// "#" are skipped. A line without "=" or with an empty side is reported in AProblems (line
// number and text) and skipped.
std::vector<TFindSynonym> ParseFindSynonyms(const QString& AText, QStringList* AProblems = nullptr);

// The compiled-in list, parsed once.
const std::vector<TFindSynonym>& FindSynonyms();
// Its text (part of the find index's cache key: a changed list rebuilds the index).
QString FindSynonymText();
