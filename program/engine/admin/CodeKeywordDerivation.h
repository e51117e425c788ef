// Deriving the code-keyword data set from the tabular list and the index to diseases.
//
// Every category gets, as keywords:
//  1. the words of the descriptions, inclusion terms and "includes" notes of the category and of
//     every code below it: text split at anything that is not a letter, digit, hyphen or
//     apostrophe; hyphens and apostrophes at a word's ends removed; words without a letter,
//     single letters and the stop words below dropped;
//  2. the main terms of the index to diseases that lead to a code of the category (the term's own
//     code or a code of any of its sub-terms): the main term's title without its non-essential
//     modifiers, cut at commas into pieces (Abdomen, abdominal gives Abdomen and abdominal), so
//     that a keyword search for a main term finds the categories it leads to.
// A category that would get no keyword from these rules gets its description. Keywords compare
// without regard to case; the first form met is kept. The result is written in the arranged
// layout of the keyword data set, categories in tabular order, keywords sorted.
#pragma once

#include "AdminFiles.h"
#include "KeywordModel.h"

#include <QString>
#include <QStringList>

// The words of the stop list (upper case).
const QStringList& KeywordStopWords();

// The keyword words of one text by rule 1.
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
