#include "KeywordVerify.h"

#include "EngineGlobals.h"

#include <QHash>

#include <vector>

namespace {

// The form in which two keywords compare: upper case, a hyphen read as a blank.
QString MatchKey(const QString& AKeyword) {
    return AKeyword.toUpper().replace(QLatin1Char('-'), QLatin1Char(' '));
}

} // namespace

QString VerifyFileName(const QString& AArrangedFile) { return AArrangedFile + QStringLiteral("-Verify.txt"); }

QStringList KeywordVerifyLines(const TCodeKeywordsList& AList, const QStringList& ADistinct) {
    // The entries that carry each keyword, found once for the whole list rather than by
    // walking every entry for every distinct keyword.
    QHash<QString, std::vector<int>> carriers;
    for (int i = 0; i < static_cast<int>(AList.size()); ++i)
        for (const QString& keyword : AList[static_cast<std::size_t>(i)]->FKeywords) {
            std::vector<int>& entries = carriers[MatchKey(keyword)];
            if (entries.empty() || entries.back() != i)
                entries.push_back(i);
        }
    const QString indent(9, QLatin1Char(' '));
    QStringList out;
    for (const QString& keyword : ADistinct) {
        out << keyword;
        const auto found = carriers.constFind(MatchKey(keyword));
        if (found == carriers.constEnd())
            continue;
        QStringList codes;
        for (const int entry : *found) {
            codes << AList[static_cast<std::size_t>(entry)]->FCode;
            if (codes.size() == 5) {
                out << indent + codes.join(QStringLiteral(", "));
                codes.clear();
            }
        }
        if (!codes.isEmpty())
            out << indent + codes.join(QStringLiteral(", "));
    }
    return out;
}

TAdminOutcome ExtractKeywordsForVerify(const QString& AArrangedFile, const QString& ADistinctFile,
                                       bool ACapitalize) {
    TKeywordLoadOptions options;
    options.Capitalize = ACapitalize;
    TAdminOutcome outcome = ReloadCodeKeywords(AArrangedFile, options);
    if (!outcome)
        return outcome;
    TAdminOutput out(VerifyFileName(AArrangedFile));
    if (!out.Open())
        return TAdminOutcome::NotOpened(out.Error());
    const std::optional<QStringList> distinct = ReadAdminLines(ADistinctFile, outcome);
    if (!distinct)
        return outcome;
    out.WriteLines(KeywordVerifyLines(*CodeKeywordsList, *distinct));
    if (!out.Commit())
        return TAdminOutcome::Failed(out.Error());
    return {};
}
