#include "KeywordModel.h"

#include <algorithm>

bool TCodeKeywords::AddKeyword(const QString& AKeyword) {
    const auto less = [](const QString& A, const QString& B) {
        return A.compare(B, Qt::CaseInsensitive) < 0;
    };
    const auto at = std::lower_bound(FKeywords.begin(), FKeywords.end(), AKeyword, less);
    if (at != FKeywords.end() && at->compare(AKeyword, Qt::CaseInsensitive) == 0)
        return false;
    FKeywords.insert(at, AKeyword);
    return true;
}
