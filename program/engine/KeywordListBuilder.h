// Fills CodeKeywordsList and KeywordRefList from many keyword lines at once. AddKeywordRef and
// FindCodeKeywords keep both lists right after every single call, which costs a search and an
// insertion into a long sorted list per keyword; a whole keyword file is read through this
// builder instead, which finds entries by hash and puts KeywordRefList in order once at the end.
// The lists it leaves are exactly those the single calls would have left.
#pragma once

#include "KeywordModel.h"

#include <QHash>
#include <QString>

class TKeywordListBuilder {
public:
    // Starts from the entries already in both lists (a reload adds to them).
    TKeywordListBuilder();
    // Sorts KeywordRefList (Finish) unless that was done already.
    ~TKeywordListBuilder();
    TKeywordListBuilder(const TKeywordListBuilder&) = delete;
    TKeywordListBuilder& operator=(const TKeywordListBuilder&) = delete;

    // The first entry of CodeKeywordsList with exactly ACode; a new entry at the end when none.
    TCodeKeywords* CodeEntry(const QString& ACode);
    // Counts one occurrence of AKeyword; keywords that differ only in case share one entry, which
    // keeps the form met first.
    void CountKeyword(const QString& AKeyword);
    // Puts KeywordRefList in descending order of the upper-case forms (ordinal).
    void Finish();

private:
    QHash<QString, TCodeKeywords*> FCodes;
    QHash<QString, TKeywordsRef*> FRefs;
    bool FSorted = true;
};
