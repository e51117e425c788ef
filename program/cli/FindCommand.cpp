#include "FindCommand.h"

#include "CliSupport.h"
#include "DataEngine.h"
#include "FindIndexJob.h"
#include "Waiting.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

const char* const kFindUsage =
    "  find [--limit N] [--json] QUERY\n"
    "                the codes that best answer QUERY as a coder types it (words in any order,\n"
    "                lay terms, abbreviations, misspellings, or a code such as e119), best\n"
    "                first, one per line: code, \"*\" for a reportable code, description and\n"
    "                category; a correction line first when a word was corrected. N results\n"
    "                (default 20, at most 1000); --json prints one JSON object instead. The\n"
    "                index is kept in $XDG_CACHE_HOME/tabulon/find (default ~/.cache)\n";

namespace {
constexpr int kDefaultLimit = 20;

QJsonObject JsonOf(const TFindResult& AResult) {
    QJsonArray hits;
    for (const TFindHit& hit : AResult.Hits)
        hits.append(QJsonObject{{QStringLiteral("code"), hit.Code},
                                {QStringLiteral("reportable"), hit.Reportable},
                                {QStringLiteral("description"), hit.Description},
                                {QStringLiteral("category"), hit.CategoryCode},
                                {QStringLiteral("categoryTitle"), hit.CategoryTitle},
                                {QStringLiteral("exactCode"), hit.ExactCode},
                                {QStringLiteral("collapsed"), hit.Collapsed}});
    QJsonObject object{{QStringLiteral("query"), AResult.Query},
                       {QStringLiteral("results"), hits}};
    if (!AResult.Corrected.isEmpty())
        object.insert(QStringLiteral("correctedQuery"), AResult.Corrected);
    return object;
}

void PrintText(const TFindResult& AResult, QTextStream& AOut) {
    if (!AResult.Corrected.isEmpty())
        AOut << "Showing results for " << AResult.Corrected << " \u2014 search instead for "
             << AResult.Query << '\n';
    for (const TFindHit& hit : AResult.Hits) {
        AOut << QStringLiteral("%1 %2 ").arg(hit.Code, -8).arg(QLatin1Char(hit.Reportable ? '*' : ' '))
             << hit.Description << "  [" << hit.CategoryCode << ' ' << hit.CategoryTitle << ']';
        if (hit.Collapsed > 0)
            AOut << "  (+" << hit.Collapsed << ')';
        AOut << '\n';
    }
}
} // namespace

int RunFindCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr) {
    QStringList args = AArgs;
    int limit = kDefaultLimit;
    QString error;
    if (!TakeCountOption(args, QStringLiteral("limit"), limit, error)) {
        AErr << kCliPrefix << error << '\n' << kFindUsage;
        return ExitUsage;
    }
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    const QString query = args.join(QLatin1Char(' ')).trimmed();
    if (query.isEmpty() || limit < 1) {
        AErr << kCliPrefix << (query.isEmpty() ? "find needs a query" : "--limit must be 1 or more")
             << '\n' << kFindUsage;
        return ExitUsage;
    }

    InitDataEngine();
    StartFindIndexJob();
    WaitWhileLoading(FindIndexLoadState);
    TFindIndex* index = FindIndex();
    if (!index) {
        AErr << kCliPrefix << "the find index could not be built\n";
        return ExitNotFound;
    }
    const TFindResult result = index->Find(query, limit);
    if (!result.Error.isEmpty()) {
        AErr << kCliPrefix << "the find index failed: " << result.Error << '\n';
        return ExitNotFound;
    }
    if (json)
        AOut << QJsonDocument(JsonOf(result)).toJson(QJsonDocument::Indented);
    else
        PrintText(result, AOut);
    if (result.Hits.isEmpty()) {
        AErr << kCliPrefix << "no code found for " << query << '\n';
        return ExitNotFound;
    }
    return ExitFound;
}
