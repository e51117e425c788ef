#include "SearchHistory.h"

#include "EngineGlobals.h"
#include "StorageMessages.h"
#include "TextLines.h"

void RecordSearch(QStringList& AHistory, const QString& AText) {
    if (AText.isEmpty())
        return;
    const qsizetype existing = AHistory.indexOf(AText);
    if (existing >= 0)
        AHistory.removeAt(existing);
    if (AHistory.size() >= MaxRecordedSearches)
        AHistory.removeFirst();
    AHistory.append(AText);
}

void RecordSearch(const QString& AText) {
    if (SearchHistoryList)
        RecordSearch(*SearchHistoryList, AText);
}

QString SearchHistoryFile() {
    return UserDataFolder + QStringLiteral("SearchHistory.txt");
}

bool LoadSearchHistory() {
    if (!SearchHistoryList || UserDataFolder.isEmpty())
        return false;
    std::optional<QStringList> lines = ReadTextLines(SearchHistoryFile());
    if (!lines)
        return false;
    *SearchHistoryList = std::move(*lines);
    return true;
}

bool SaveSearchHistory() {
    if (!SearchHistoryList || UserDataFolder.isEmpty())
        return false;
    const QString file = SearchHistoryFile();
    if (!PrepareFolderOfFile(file, QStringLiteral("The search history")))
        return false;
    QString error;
    if (WriteTextLines(file, *SearchHistoryList, std::nullopt, &error))
        return true;
    ReportStorageFailure(file, QStringLiteral("The search history could not be saved to %1: %2.").arg(file, error));
    return false;
}
