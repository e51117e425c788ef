// Settings in config.ini: the profile rules for reading integers, writes that keep the rest of
// the file, folders made on the way, and failed writes that are said once and damage nothing.
#include "EngineGlobals.h"
#include "IniProfile.h"
#include "Settings.h"
#include "TestSupport.h"
#include "TextLines.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void WriteFile(const QString& APath, const QByteArray& AContent) {
    QFile file(APath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(AContent);
}

QByteArray ReadFile(const QString& APath) {
    QFile file(APath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct IntCase {
    const char* Content;
    int Expected;
};

class ReadProfileIntRules : public testing::TestWithParam<IntCase> {};

TEST_P(ReadProfileIntRules, ReadsAsTheProfileFunctionsDo) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("config.ini"));
    WriteFile(file, GetParam().Content);
    EXPECT_EQ(ReadProfileInt(file, QStringLiteral("Config"), QStringLiteral("FullScreen"), 7),
              GetParam().Expected)
        << GetParam().Content;
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReadProfileIntRules,
    testing::Values(IntCase{"[Config]\r\nFullScreen=1\r\n", 1},
                    IntCase{"[Config]\r\nFullScreen=abc\r\n", 7},      // not an integer
                    IntCase{"[Config]\r\nFullScreen=0x1\r\n", 1},      // hexadecimal
                    IntCase{"[Config]\r\nFullScreen=0X1f\r\n", 31},
                    IntCase{"[Config]\r\nFullScreen=0x\r\n", 0},       // too short for hex
                    IntCase{"[Config]\r\nFullScreen=12abc\r\n", 12},   // digits up to the letter
                    IntCase{"[Config]\r\nFullScreen=-3\r\n", -3},
                    IntCase{"[Config]\r\nFullScreen = 4 \r\n", 4},     // blanks around
                    IntCase{"[config]\r\nfullscreen=5\r\n", 5},        // names ignore case
                    IntCase{"[Config]\r\nFullScreen=\"6\"\r\n", 6},    // quotes stripped
                    IntCase{"[Config]\r\nFullScreen=\r\n", 7},         // empty value
                    IntCase{"[Other]\r\nFullScreen=1\r\n", 7},         // no section Config
                    IntCase{"[Config]\r\nScrollBar=1\r\n", 7},         // no key
                    IntCase{"[Config]\r\n;FullScreen=1\r\n", 7},       // a comment
                    IntCase{"[Config]\r\n[Next]\r\nFullScreen=1\r\n", 7}, // other section's key
                    IntCase{"[Config]\nFullScreen=8\n", 8},             // LF line ends
                    IntCase{"\xEF\xBB\xBF[Config]\r\nFullScreen=9\r\n", 9}, // byte-order mark
                    IntCase{"", 7}));

TEST(ReadProfileInt, MissingFileReadsAsDefault) {
    EXPECT_EQ(ReadProfileInt(QStringLiteral("/nonexistent/config.ini"), QStringLiteral("Config"),
                             QStringLiteral("IsAdmin"), 0),
              0);
}

TEST(WriteProfileString, ChangesOnlyItsKeyAndKeepsTheRest) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("config.ini"));
    WriteFile(file, "; settings\r\n[Other]\r\nFullScreen=9\r\n\r\n[CONFIG]\r\nscrollbar=1\r\n"
                    "FULLSCREEN=0\r\n\r\n[Last]\r\nX=1\r\n");
    ASSERT_TRUE(WriteProfileString(file, QStringLiteral("Config"), QStringLiteral("FullScreen"),
                                   QStringLiteral("1")));
    ASSERT_TRUE(WriteProfileString(file, QStringLiteral("Config"), QStringLiteral("NewKey"),
                                   QStringLiteral("2")));
    EXPECT_EQ(ReadFile(file), QByteArray("; settings\r\n[Other]\r\nFullScreen=9\r\n\r\n[CONFIG]\r\n"
                                         "scrollbar=1\r\nFullScreen=1\r\nNewKey=2\r\n\r\n[Last]\r\nX=1\r\n"));
}

// A file that is not UTF-8 keeps the characters of every other line when a key is written
// (found by fuzzing: they were replaced by U+FFFD).
TEST(WriteProfileString, KeepsTheCharactersOfAFileInAnotherEncoding) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("config.ini"));
    WriteFile(file, "; caf\xe9\r\n[Config]\r\nName=Andr\xe9\r\n");
    ASSERT_TRUE(WriteProfileString(file, QStringLiteral("Config"), QStringLiteral("FullScreen"),
                                   QStringLiteral("1")));
    EXPECT_EQ(ReadFile(file), QByteArray("; caf\xc3\xa9\r\n[Config]\r\nName=Andr\xc3\xa9\r\n"
                                         "FullScreen=1\r\n"));
    EXPECT_EQ(ReadProfileString(file, QStringLiteral("Config"), QStringLiteral("Name")),
              QStringLiteral("Andr\u00e9"));
    // A first line that begins with U+FEFF keeps it.
    WriteFile(file, "\xEF\xBB\xBF\xEF\xBB\xBF; c\r\n");
    ASSERT_TRUE(WriteProfileString(file, QStringLiteral("Config"), QStringLiteral("A"), QStringLiteral("1")));
    EXPECT_EQ(ReadFile(file), QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF; c\r\n[Config]\r\nA=1\r\n"));
    WriteFile(file, QByteArray("\xff\xfe[\0C\0]\0\r\0\n\0X\0=\0\xe9\0", 18));
    EXPECT_EQ(ReadProfileString(file, QStringLiteral("C"), QStringLiteral("X")), QStringLiteral("\u00e9"));
}

TEST(WriteProfileString, CreatesFileAndSectionAndFailsQuietlyWithoutFolder) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("config.ini"));
    ASSERT_TRUE(WriteProfileString(file, QStringLiteral("Config"), QStringLiteral("A"), QStringLiteral("1")));
    EXPECT_EQ(ReadFile(file), QByteArray("[Config]\r\nA=1\r\n"));
    EXPECT_FALSE(WriteProfileString(dir.filePath(QStringLiteral("missing/config.ini")),
                                    QStringLiteral("Config"), QStringLiteral("A"), QStringLiteral("1")));
}

class Settings : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        ProgramFolder = FDir.filePath(QStringLiteral("program/"));
        UserDataFolder = FDir.filePath(QStringLiteral("user/"));
        QDir().mkpath(ProgramFolder);
        QDir().mkpath(UserDataFolder);
        IsAdmin = FullScreen = ScrollBar = 0;
    }
    QTemporaryDir FDir;
};

TEST_F(Settings, ReadEachFromItsOwnFile) {
    WriteFile(ProgramFolder + QStringLiteral("config.ini"), "[Config]\r\nIsAdmin=1\r\nFullScreen=1\r\n");
    WriteFile(UserDataFolder + QStringLiteral("config.ini"), "[Config]\r\nFullScreen=0x1\r\nScrollBar=3\r\nIsAdmin=0\r\n");
    ReadProgramSettings();
    ReadUserSettings();
    EXPECT_EQ(IsAdmin, 1);
    EXPECT_EQ(FullScreen, 1);
    EXPECT_EQ(ScrollBar, 3);
}

TEST_F(Settings, WriteThenReadRoundTripsAndKeepsScrollBar) {
    WriteFile(UserDataFolder + QStringLiteral("config.ini"), "[Config]\r\nScrollBar=5\r\n");
    ReadUserSettings();
    FullScreen = 1;
    WriteUserSettings();
    FullScreen = 0;
    ScrollBar = 0;
    ReadUserSettings();
    EXPECT_EQ(FullScreen, 1);
    EXPECT_EQ(ScrollBar, 5);
}

TEST_F(Settings, AMissingFolderPathIsMadeByTheWrite) {
    UserDataFolder = FDir.filePath(QStringLiteral("fresh/home/.config/Orvella Tabulon/"));
    FullScreen = 1;
    TStorageMessageRecorder messages;
    EXPECT_TRUE(WriteUserSettings());
    EXPECT_EQ(ReadFile(UserDataFolder + QStringLiteral("config.ini")),
              QByteArray("[Config]\r\nFullScreen=1\r\nScrollBar=0\r\n"));
    EXPECT_TRUE(messages.Messages().isEmpty());
}

TEST_F(Settings, AFolderThatCannotBeMadeKeepsTheValuesForThisRunAndIsSaidOnce) {
    // A file where a folder of the path should be (permission bits would not stop root).
    WriteFile(FDir.filePath(QStringLiteral("blocked")), "a file");
    UserDataFolder = FDir.filePath(QStringLiteral("blocked/Orvella Tabulon/"));
    TStorageMessageRecorder messages;
    ReadUserSettings();
    EXPECT_EQ(FullScreen, 0);
    FullScreen = 1;
    EXPECT_FALSE(WriteUserSettings());
    FullScreen = 0;
    EXPECT_FALSE(WriteUserSettings());
    EXPECT_EQ(FullScreen, 0);
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Messages()[0].contains(UserDataFolder)) << messages.Messages()[0].toStdString();
    EXPECT_TRUE(messages.Messages()[0].startsWith(QStringLiteral("The settings could not be saved")));
}

TEST_F(Settings, AFullDiskKeepsTheOldFileWholeAndIsSaid) {
    const QString file = UserDataFolder + QStringLiteral("config.ini");
    QByteArray old = "[Config]\r\nFullScreen=0\r\nScrollBar=7\r\n";
    old += "; " + QByteArray(20000, 'x') + "\r\n"; // larger than the limit below
    WriteFile(file, old);
    ReadUserSettings();
    FullScreen = 1;
    TStorageMessageRecorder messages;
    {
        TFileSizeLimit limit(4096);
        ASSERT_TRUE(limit.Set());
        EXPECT_FALSE(WriteUserSettings());
    }
    EXPECT_EQ(ReadFile(file), old);
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Messages()[0].contains(file)) << messages.Messages()[0].toStdString();
    EXPECT_EQ(QDir(UserDataFolder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("config.ini")});
    // Room again: the same write goes through.
    EXPECT_TRUE(WriteUserSettings());
    ReadUserSettings();
    EXPECT_EQ(FullScreen, 1);
    EXPECT_EQ(ScrollBar, 7);
}

// A truncated or garbled file reads what it can; writing a setting keeps the rest of it.
TEST_F(Settings, ATruncatedOrGarbledFileStartsWithWhatItHoldsAndKeepsTheRest) {
    const QString file = UserDataFolder + QStringLiteral("config.ini");
    const struct {
        const char* Name;
        QByteArray Bytes;
        int FullScreen;
        int ScrollBar;
    } cases[] = {
        {"truncated", QByteArray("[Config]\r\nScrollBar=3\r\nFullScr"), 0, 3},
        {"binary", QByteArray("\x00\x81\xff[Config]\x00\r\nScrollBar=\x01\xfe\r\n\x9c", 29), 0, 0},
        {"cut in a header", QByteArray("FullScreen=1\r\n[Conf"), 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteFile(file, c.Bytes);
        FullScreen = ScrollBar = 9;
        ReadUserSettings();
        EXPECT_EQ(FullScreen, c.FullScreen);
        EXPECT_EQ(ScrollBar, c.ScrollBar);
        FullScreen = 1;
        ASSERT_TRUE(WriteUserSettings());
        ReadUserSettings();
        EXPECT_EQ(FullScreen, 1);
        EXPECT_EQ(ScrollBar, c.ScrollBar);
        // Every line of the old file is still there, as characters read from it.
        const QString now = QString::fromUtf8(ReadFile(file));
        for (const QString& line : DecodeTextLines(c.Bytes)) {
            if (!line.startsWith(QStringLiteral("ScrollBar"))) {
                EXPECT_TRUE(now.contains(line)) << line.toStdString();
            }
        }
    }
}

} // namespace
