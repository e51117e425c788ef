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
            "Latin1Fallback", QByteArray("B\xe4r\r\n\xff"), {kUmlaut, QStringLiteral("\u00ff")}},
        // A mark followed by bytes that are no text of its encoding is not trusted either:
        // decoding them would replace bytes, and writing the text back would lose them.
        TDecodeCase{"Utf16UnpairedSurrogate",
                    QByteArray("\xFE\xFF\xD8\x00\x00\x41", 6),
                    {QString::fromLatin1(QByteArray("\xFE\xFF\xD8\x00\x00\x41", 6))}},
        TDecodeCase{"Utf16OddLength",
                    QByteArray("\xFF\xFEx\0y", 5),
                    {QString::fromLatin1(QByteArray("\xFF\xFEx\0y", 5))}},
        TDecodeCase{"SecondMarkIsText",
                    QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx\r\n\xEF\xBB\xBFy"),
                    {QStringLiteral("\ufeffx"), QStringLiteral("\ufeffy")}},
        TDecodeCase{"Utf8MarkThenBrokenUtf8",
                    QByteArray("\xEF\xBB\xBF" "B\xe4r"),
                    {QString::fromLatin1("\xEF\xBB\xBF" "B\xe4r")}}),
    [](const testing::TestParamInfo<TDecodeCase>& AInfo) { return std::string(AInfo.param.Name); });

// Whatever bytes a file holds, the lines read from it are written back so that they read the
// same again (found by fuzzing the search history: a UTF-16 mark before garbage lost text).
TEST(Encoding, WrittenLinesOfAnyFileReadBackUnchanged) {
    const QByteArray files[] = {
        QByteArray::fromHex("feff732cda41bc656e0d0a66650d764172470a657665720d0a4741532c200dff"),
        QByteArray("\xff\xfe\x00\xdc\r\x00", 6),
        QByteArray("plain\r\nLatin \xe9\r\n"),
        QByteArray("\x00\x01\x02\r\x80\x81"),
        QByteArray("\xef\xbb\xbf\xef\xbb\xbf" "cef\xc3\xa9"), // a text that begins with U+FEFF
    };
    for (const QByteArray& bytes : files) {
        const QStringList lines = DecodeTextLines(bytes);
        EXPECT_EQ(DecodeTextLines(EncodeTextLines(lines)), lines) << bytes.toHex().toStdString();
    }
}

TEST(Encoding, EndsEveryLineWithCrLfInUtf8WithoutMark) {
    EXPECT_EQ(EncodeTextLines({kUmlaut, QString(), QStringLiteral("x")}),
              QByteArray("B\xc3\xa4r\r\n\r\nx\r\n"));
    EXPECT_EQ(EncodeTextLines({}), QByteArray());
    EXPECT_EQ(EncodeTextLines({QStringLiteral("\ufeffx")}), QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx\r\n"));
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
