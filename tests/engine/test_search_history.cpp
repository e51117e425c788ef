// The search history: the recording rules and the file it is kept in between runs.
#include "EngineGlobals.h"
#include "SearchHistory.h"
#include "TestSupport.h"
#include "TextLines.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList Numbered(int ACount) {
    QStringList list;
    for (int i = 1; i <= ACount; ++i)
        list << QStringLiteral("search %1").arg(i);
    return list;
}

TEST(RecordSearch, NewTextIsAppended) {
    QStringList history{QStringLiteral("a")};
    RecordSearch(history, QStringLiteral("b"));
    EXPECT_EQ(history, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST(RecordSearch, EmptyTextIsNotRecorded) {
    QStringList history{QStringLiteral("a")};
    RecordSearch(history, QString());
    EXPECT_EQ(history, QStringList{QStringLiteral("a")});
}

TEST(RecordSearch, RepeatedTextMovesToTheEndComparedWithCase) {
    QStringList history{QStringLiteral("GAS, ABDOMEN"), QStringLiteral("gas, Abdomen"),
                        QStringLiteral("x"), QStringLiteral("gas, Abdomen")};
    RecordSearch(history, QStringLiteral("gas, Abdomen"));
    // Only the first equal entry goes; the differently written one stays.
    EXPECT_EQ(history,
              (QStringList{QStringLiteral("GAS, ABDOMEN"), QStringLiteral("x"),
                           QStringLiteral("gas, Abdomen"), QStringLiteral("gas, Abdomen")}));
}

TEST(RecordSearch, FiftyIsTheLimitForGrowing) {
    QStringList history = Numbered(49);
    RecordSearch(history, QStringLiteral("new 1"));
    EXPECT_EQ(history.size(), 50);
    EXPECT_EQ(history.first(), QStringLiteral("search 1"));
    RecordSearch(history, QStringLiteral("new 2"));
    EXPECT_EQ(history.size(), 50);
    EXPECT_EQ(history.first(), QStringLiteral("search 2"));
    EXPECT_EQ(history.last(), QStringLiteral("new 2"));
}

TEST(RecordSearch, LongerListIsNeverCutAtOnce) {
    QStringList history = Numbered(60);
    RecordSearch(history, QStringLiteral("new"));
    EXPECT_EQ(history.size(), 60); // oldest out, new in
    EXPECT_EQ(history.first(), QStringLiteral("search 2"));
    RecordSearch(history, QStringLiteral("search 30"));
    EXPECT_EQ(history.size(), 59); // the repeat and the oldest out, the repeat in
    EXPECT_EQ(history.first(), QStringLiteral("search 3"));
    EXPECT_EQ(history.last(), QStringLiteral("search 30"));
    EXPECT_EQ(history.count(QStringLiteral("search 30")), 1);
}

class HistoryFile : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        CreateGlobalContainers();
        FSavedFolder = UserDataFolder;
        UserDataFolder = FDir.path() + QLatin1Char('/');
        *SearchHistoryList = {QStringLiteral("held before")};
    }
    void TearDown() override {
        UserDataFolder = FSavedFolder;
        SearchHistoryList->clear();
    }
    void WriteRaw(const QByteArray& ABytes) {
        QFile file(SearchHistoryFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ABytes);
    }
    QTemporaryDir FDir;
    QString FSavedFolder;
};

TEST_F(HistoryFile, SixtyLinesAreLoadedWhole) {
    WriteRaw(EncodeTextLines(Numbered(60)));
    ASSERT_TRUE(LoadSearchHistory());
    EXPECT_EQ(*SearchHistoryList, Numbered(60));
}

TEST_F(HistoryFile, LinesAreTakenUncheckedWithTheirMark) {
    // UTF-16 with a byte-order mark, a duplicate and an empty line: all kept as they are.
    const QString text = QStringLiteral("gas\r\n\r\ngas\r\nB\u00e4r\r\n");
    QByteArray bytes("\xFF\xFE", 2);
    bytes += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    WriteRaw(bytes);
    ASSERT_TRUE(LoadSearchHistory());
    EXPECT_EQ(*SearchHistoryList, (QStringList{QStringLiteral("gas"), QString(),
                                               QStringLiteral("gas"), QStringLiteral("B\u00e4r")}));
}

TEST_F(HistoryFile, MissingOrUnreadableFileKeepsTheList) {
    EXPECT_FALSE(LoadSearchHistory());
    ASSERT_TRUE(QDir(FDir.path()).mkdir(QStringLiteral("SearchHistory.txt")));
    EXPECT_FALSE(LoadSearchHistory());
    EXPECT_EQ(*SearchHistoryList, QStringList{QStringLiteral("held before")});
}

TEST_F(HistoryFile, MalformedBytesAreReadWithoutLoss) {
    WriteRaw(QByteArray("ok\r\n\xff\xfe\xfd\r\n\x00zero\r\n", 16));
    ASSERT_TRUE(LoadSearchHistory());
    ASSERT_EQ(SearchHistoryList->size(), 3);
    EXPECT_EQ(SearchHistoryList->at(1), QStringLiteral("\u00ff\u00fe\u00fd"));
    ASSERT_TRUE(SaveSearchHistory());
    EXPECT_TRUE(LoadSearchHistory());
    EXPECT_EQ(SearchHistoryList->at(1), QStringLiteral("\u00ff\u00fe\u00fd"));
}

TEST_F(HistoryFile, SavedAsCrLfLinesInUtf8WithoutMark) {
    *SearchHistoryList = {QStringLiteral("gas, Abdomen"), QStringLiteral("B\u00e4r")};
    ASSERT_TRUE(SaveSearchHistory());
    QFile file(SearchHistoryFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("gas, Abdomen\r\nB\xc3\xa4r\r\n"));
}

TEST_F(HistoryFile, SaveMakesAMissingFolderPath) {
    UserDataFolder = FDir.filePath(QStringLiteral("fresh/.config/Orvella Tabulon/"));
    TStorageMessageRecorder messages;
    EXPECT_TRUE(SaveSearchHistory());
    EXPECT_EQ(ReadTextLines(SearchHistoryFile()), QStringList{QStringLiteral("held before")});
    EXPECT_TRUE(messages.Messages().isEmpty());
}

TEST_F(HistoryFile, AFolderThatCannotBeMadeLosesThisRunsHistoryAndIsSaidOnce) {
    QFile blocker(FDir.filePath(QStringLiteral("blocked")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    UserDataFolder = FDir.filePath(QStringLiteral("blocked/Orvella Tabulon/"));
    TStorageMessageRecorder messages;
    EXPECT_FALSE(SaveSearchHistory());
    EXPECT_FALSE(SaveSearchHistory());
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Messages()[0].contains(UserDataFolder)) << messages.Messages()[0].toStdString();
}

TEST_F(HistoryFile, AFullDiskKeepsTheSavedHistoryWhole) {
    const QByteArray old = EncodeTextLines(Numbered(3));
    WriteRaw(old);
    *SearchHistoryList = QStringList(200, QString(100, QLatin1Char('h')));
    TStorageMessageRecorder messages;
    {
        TFileSizeLimit limit(4096);
        ASSERT_TRUE(limit.Set());
        EXPECT_FALSE(SaveSearchHistory());
    }
    QFile file(SearchHistoryFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), old);
    EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("SearchHistory.txt")});
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Messages()[0].contains(SearchHistoryFile())) << messages.Messages()[0].toStdString();
}

// A truncated or binary history is taken line by line as it stands; a search recorded on top of it
// and saved loses none of it.
TEST_F(HistoryFile, ATruncatedOrBinaryFileKeepsEveryLineThroughASave) {
    const QByteArray files[] = {
        QByteArray("gas, Abdomen\r\nfev"),                     // cut in a line
        QByteArray("\xef\xbb\xbfone\r\ntw\xc3"),                // cut in a character
        QByteArray("\xff\xfeo\0n\0e\0\r\0\n\0t", 13),            // UTF-16 cut in a unit
        QByteArray("\x00\x01\x7f\x80\xfe\xff\r\n\x1b[0m", 12), // binary
    };
    for (const QByteArray& bytes : files) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        WriteRaw(bytes);
        ASSERT_TRUE(LoadSearchHistory());
        const QStringList read = *SearchHistoryList;
        EXPECT_EQ(read, DecodeTextLines(bytes));
        EXPECT_FALSE(read.isEmpty());
        RecordSearch(QStringLiteral("new search"));
        ASSERT_TRUE(SaveSearchHistory());
        ASSERT_TRUE(LoadSearchHistory());
        EXPECT_EQ(*SearchHistoryList, read + QStringList{QStringLiteral("new search")});
    }
}

} // namespace
