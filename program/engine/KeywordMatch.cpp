#include "KeywordMatch.h"

#include "TextDataSets.h"
#include "TextHelpers.h"

bool ContainsKeyword(const TCodeKeywords* AEntry, const QString& AUpperText) {
    if (!AEntry)
        return false;
    for (const QString& keyword : AEntry->FKeywords)
        if (SameIgnoringDash(keyword.toUpper(), AUpperText))
            return true;
    return false;
}

bool MatchKeywords(const TCodeKeywords* AEntry, const QStringList& AUpperKeywords) {
    if (!AEntry)
        return false;
    for (const QString& keyword : AUpperKeywords)
        if (!keyword.isEmpty() && !ContainsKeyword(AEntry, keyword))
            return false;
    return true;
}

bool MatchKeywords(TCodeInfo& ACategory, const QStringList& AUpperKeywords) {
    if (!ACategory.FCodeKW)
        ACategory.FCodeKW = FindCodeKeywords(ACategory.FCode);
    return MatchKeywords(ACategory.FCodeKW, AUpperKeywords);
}
