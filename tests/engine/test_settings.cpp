// Settings in config.ini: the profile rules for reading integers, writes that keep the rest of
// the file, and silent failures.
#include "EngineGlobals.h"
#include "IniProfile.h"
#include "Settings.h"

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

TEST_F(Settings, MissingUserFolderKeepsTheValuesForThisRun) {
    UserDataFolder = FDir.filePath(QStringLiteral("never/created/"));
    ReadUserSettings();
    EXPECT_EQ(FullScreen, 0);
    FullScreen = 1;
    WriteUserSettings(); // lost, silently
    EXPECT_FALSE(QFile::exists(UserDataFolder + QStringLiteral("config.ini")));
    EXPECT_EQ(FullScreen, 1);
}

} // namespace
