#include "DistinctKeywordStats.h"

QString TDistinctKeywordCounts::Summary() const {
    return QStringLiteral("Total: %1, 1: %2, 2: %3, 3: %4, 4: %5")
        .arg(Total()).arg(N[0]).arg(N[1]).arg(N[2]).arg(N[3]);
}

TAdminOutcome StatisticsDistinctKW(const QString& ADistinctKWFile, TDistinctKeywordCounts& ACounts,
                                   const TAdminMessages& AMessages) {
    ACounts = {};
    TAdminOutcome outcome;
    const std::optional<QStringList> lines = ReadAdminLines(ADistinctKWFile, outcome);
    if (!lines)
        return outcome;
    for (const QString& line : *lines) {
        if (line.isEmpty())
            continue;
        const qsizetype pieces = line.count(QLatin1Char(' ')) + 1;
        if (pieces >= 1 && pieces <= 4)
            ++ACounts.N[pieces - 1];
        else if (AMessages)
            AMessages(line);
    }
    return {};
}
