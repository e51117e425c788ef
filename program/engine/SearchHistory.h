// The search history: the user's keyword searches, oldest first, kept between runs in
// SearchHistory.txt of the user's data folder (one entry per line, CR LF, UTF-8 without a
// byte-order mark; a byte-order mark on reading selects its encoding).
#pragma once

#include <QString>
#include <QStringList>

// The list never grows past this many entries by recording; a longer file is kept as read.
inline constexpr int MaxRecordedSearches = 50;

// Records one trimmed search text: the first entry equal to it (case-sensitive) is removed,
// then the oldest entry when the list holds MaxRecordedSearches or more, then the text is
// appended. An empty text is not recorded.
void RecordSearch(QStringList& AHistory, const QString& AText);
// The same on SearchHistoryList.
void RecordSearch(const QString& AText);

// Path of the history file: UserDataFolder + "SearchHistory.txt".
QString SearchHistoryFile();

// Replaces SearchHistoryList with every line of the file, unchecked. A missing or unreadable
// file leaves the list as it was. Returns whether the file was read.
bool LoadSearchHistory();
// Replaces the file with SearchHistoryList, through a temporary file renamed over it, creating
// the folder path first. A failure (folder that cannot be made, full disk) loses the history of
// this run, is reported through the storage messages (StorageMessages.h) and leaves the old file
// whole. Returns whether the file was written.
bool SaveSearchHistory();
