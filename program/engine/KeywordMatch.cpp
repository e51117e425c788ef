#include "KeywordMatch.h"

#include "TextDataSets.h"
#include "TextHelpers.h"

namespace {

// Whether AKeyword cannot equal a text of ALength characters once upper-cased. Upper-casing keeps
// the length of ASCII text (only letters such as "ß" grow), so an ASCII keyword of another length
// is ruled out without building its upper case; a search walks every keyword of every category.
bool LengthRulesOut(const QString& AKeyword, qsizetype ALength) {
    return AKeyword.size() != ALength && IsAscii(AKeyword);
}

} // namespace

bool ContainsKeyword(const TCodeKeywords* AEntry, const QString& AUpperText) {
    if (!AEntry)
        return false;
    for (const QString& keyword : AEntry->FKeywords)
        if (!LengthRulesOut(keyword, AUpperText.size()) && SameIgnoringDash(keyword.toUpper(), AUpperText))
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
    // An entry found in an earlier keyword list is gone with that list, whatever became of the
    // tabular list meanwhile.
    const unsigned generation = CodeKeywordsGeneration();
    if (!ACategory.FCodeKW || ACategory.FCodeKWGeneration != generation) {
        ACategory.FCodeKW = FindCodeKeywords(ACategory.FCode);
        ACategory.FCodeKWGeneration = generation;
    }
    return MatchKeywords(ACategory.FCodeKW, AUpperKeywords);
}
