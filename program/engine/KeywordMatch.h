// Keyword-mode matching of a category against search keywords.
#pragma once

#include "KeywordModel.h"
#include "TabularModel.h"

#include <QStringList>

// True when the entry has a keyword that, upper-cased, equals AUpperText with blanks and hyphens
// counting as the same; false for no entry.
bool ContainsKeyword(const TCodeKeywords* AEntry, const QString& AUpperText);

// Every non-empty search keyword (upper case) equals some keyword of the entry; an empty list
// matches; no entry never matches.
bool MatchKeywords(const TCodeKeywords* AEntry, const QStringList& AUpperKeywords);

// The same for a category, whose keyword entry is looked up once per keyword list and cached in
// FCodeKW.
bool MatchKeywords(TCodeInfo& ACategory, const QStringList& AUpperKeywords);
