// Fuzzes the search history file: the program reads whatever bytes the file holds, records a
// search and saves it. What it read must survive the save and the next start unchanged (no line
// lost, split or altered), apart from the one search recorded.
#include "FuzzSupport.h"

#include "EngineGlobals.h"
#include "SearchHistory.h"
#include "TextLines.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    FuzzQuiet();
    UserDataFolder = FuzzScratchFolder();
    const QByteArray bytes = FuzzBytes(AData, ASize);
    {
        QFile file(SearchHistoryFile());
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    SearchHistoryList->clear();
    FUZZ_CHECK(LoadSearchHistory());
    const QStringList read = *SearchHistoryList;
    FUZZ_CHECK(read == DecodeTextLines(bytes));

    QStringList expected = read;
    RecordSearch(expected, QStringLiteral("recorded search"));
    RecordSearch(QStringLiteral("recorded search"));
    FUZZ_CHECK(*SearchHistoryList == expected);
    FUZZ_CHECK(SaveSearchHistory());
    SearchHistoryList->clear();
    FUZZ_CHECK(LoadSearchHistory());
    FUZZ_CHECK(*SearchHistoryList == expected, QString::number(SearchHistoryList->size()));
    return 0;
}
