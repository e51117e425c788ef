// The small text files of the program: encodings, line ends, and atomic replacement.
#include "TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TDecodeCase {
    const char* Name;
    QByteArray Bytes;
    QStringList Lines;
};

class Decoding : public testing::TestWithParam<TDecodeCase> {};

TEST_P(Decoding, ReadsEveryLine) {
    EXPECT_EQ(DecodeTextLines(GetParam().Bytes), GetParam().Lines);
}

const QString kUmlaut = QStringLiteral("B\u00e4r");

INSTANTIATE_TEST_SUITE_P(
    Cases, Decoding,
    testing::Values(
        TDecodeCase{"Empty", QByteArray(), {}},
        TDecodeCase{"CrLf", QByteArray("a\r\nb\r\n"), {QStringLiteral("a"), QStringLiteral("b")}},
        TDecodeCase{"MixedEnds",
                    QByteArray("a\rb\nc\r\n\r\nd"),
                    {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QString(),
                     QStringLiteral("d")}},
        TDecodeCase{"OnlyALineEnd", QByteArray("\r\n"), {QString()}},
        TDecodeCase{"Utf8WithoutMark", QByteArray("B\xc3\xa4r\r\n"), {kUmlaut}},
        TDecodeCase{"Utf8Mark",
                    QByteArray("\xEF\xBB\xBF"
                               "B\xc3\xa4r\r\n"),
                    {kUmlaut}},
        TDecodeCase{"Utf16LeMark",
                    QByteArray("\xFF\xFE"
                               "B\0\xe4\0r\0\r\0\n\0x\0",
                               14),
                    {kUmlaut, QStringLiteral("x")}},
        TDecodeCase{"Utf16BeMark", QByteArray("\xFE\xFF\0B\0\xe4\0r", 8), {kUmlaut}},
        // Not UTF-8: every byte is kept as Latin-1 instead of being replaced.
        TDecodeCase{
            "Latin1Fallback", QByteArray("B\xe4r\r\n\xff"), {kUmlaut, QStringLiteral("\u00ff")}}),
    [](const testing::TestParamInfo<TDecodeCase>& AInfo) { return std::string(AInfo.param.Name); });

TEST(Encoding, EndsEveryLineWithCrLfInUtf8WithoutMark) {
    EXPECT_EQ(EncodeTextLines({kUmlaut, QString(), QStringLiteral("x")}),
              QByteArray("B\xc3\xa4r\r\n\r\nx\r\n"));
    EXPECT_EQ(EncodeTextLines({}), QByteArray());
}

class TextFiles : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(FDir.isValid()); }
    QString Path(const char* AName) const { return FDir.filePath(QString::fromLatin1(AName)); }
    QTemporaryDir FDir;
};

TEST_F(TextFiles, WrittenLinesReadBack) {
    const QStringList lines{QStringLiteral("one"), kUmlaut, QStringLiteral("")};
    ASSERT_TRUE(WriteTextLines(Path("f.txt"), lines));
    EXPECT_EQ(ReadTextLines(Path("f.txt")), lines);
    EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files), QStringList{QStringLiteral("f.txt")});
}

TEST_F(TextFiles, PermissionsAreSetBeforeTheFileAppears) {
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    ASSERT_TRUE(WriteTextLines(Path("secret.txt"), {QStringLiteral("x")}, ownerOnly));
    const QFileDevice::Permissions permissions = QFileInfo(Path("secret.txt")).permissions();
    EXPECT_TRUE(permissions & QFileDevice::ReadOwner);
    EXPECT_FALSE(permissions & (QFileDevice::ReadGroup | QFileDevice::ReadOther |
                                QFileDevice::WriteGroup | QFileDevice::WriteOther));
}

TEST_F(TextFiles, FailedWriteReportsAndLeavesNothingBehind) {
    QString error;
    EXPECT_FALSE(
        WriteTextLines(Path("missing/f.txt"), {QStringLiteral("x")}, std::nullopt, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Path("missing")));
}

TEST_F(TextFiles, ReadingAMissingFileOrAFolderGivesNothing) {
    QString error;
    EXPECT_FALSE(ReadTextLines(Path("nothing.txt"), &error));
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(QDir(FDir.path()).mkdir(QStringLiteral("folder.txt")));
    EXPECT_FALSE(ReadTextLines(Path("folder.txt")));
}

} // namespace
