// Deriving the code-keyword data set from the tabular list and the index to diseases.
//
// Every category gets, as keywords:
//  1. the words of the descriptions, inclusion terms and "includes" notes of the category and of
//     every code below it: text split at anything that is not a letter, digit, hyphen or
//     apostrophe (' or the typographic U+2019); hyphens and apostrophes at a word's ends removed;
//     single letters and the stop words below dropped. Numbers stay keywords ("01", "2", "30"),
//     so that a coder can type "diabetes, type, 2"; digits joined by a hyphen stay one word
//     ("1-2", "10-19"), which the search finds as typed, with a hyphen or a blank; a decimal
//     point splits ("2.5" gives "2" and "5") like every other character that is not a word's;
//  2. the main terms of the index to diseases that lead to a code of the category (the term's own
//     code or a code of any of its sub-terms): the main term's title without its non-essential
//     modifiers, cut at commas into pieces (Abdomen, abdominal gives Abdomen and abdominal), so
//     that a keyword search for a main term finds the categories it leads to.
// Beside each word of rule 1 and each piece of rule 2 go the forms a coder types on a plain
// keyboard (KeywordFormsOf): without accents (Sjogren beside Sjögren), without possessives
// (Alzheimer beside Alzheimer's, Chagas disease beside Chagas' disease), and without both
// (Sjogren beside Sjögren's); a form of a word that rule 1 would drop is not added.
// A category that would get no keyword from these rules gets its description. Keywords compare
// without regard to case; the first form met is kept. The result is written in the arranged
// layout of the keyword data set, categories in tabular order, keywords sorted.
#pragma once

#include "AdminFiles.h"
#include "KeywordModel.h"
#include "TextHelpers.h"

#include <QString>
#include <QStringList>

// The words of the stop list (upper case).
const QStringList& KeywordStopWords();

// The forms that go beside a keyword: without accents, without possessives, without both; each
// once, none equal to AKeyword (case ignored). Empty for a keyword that has neither.
QStringList KeywordFormsOf(const QString& AKeyword);

// The keyword words of one text by rule 1, each followed by its forms that rule 1 keeps.
QStringList KeywordWordsOf(const QString& AText);

struct TCodeKeywordReport {
    int Categories = 0;
    int Keywords = 0;       // keyword entries over all categories
    int IndexTerms = 0;     // main terms that gave keywords
    QStringList Problems;
};

// Loads the two files, derives the keywords (see above) and writes AOutFile in the arranged
// layout. False when an input cannot be loaded or the output cannot be written.
bool DeriveCodeKeywords(const QString& ATabularFile, const QString& AIndexFile,
                        const QString& AOutFile, TCodeKeywordReport& AReport);

// Writes AList in the arranged layout: the code padded to eight characters, then " keyword," four
// to a line, continuation lines beginning with eight blanks; optionally the distinct keywords
// (case ignored, the form met first kept), sorted, one per line, to ADistinctFile. Lines end with
// CR LF. A code without keywords writes nothing. NotOpened, writing nothing, when a file cannot
// be created; Failed when a write fails.
TAdminOutcome ArrangeCodeKeyword(const TCodeKeywordsList& AList, const QString& AArrangedFile,
                        const QString& ADistinctFile = QString());
