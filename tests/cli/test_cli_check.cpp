// tabulon-cli check: code lists from files and standard input on the embedded sample data set,
// and, through the built program with the official data, every valid code of the order file.
#include "CheckCommand.h"
#include "CliTestRun.h"
#include "OrderFile.h"

#include "BuildConfig.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <algorithm>

namespace {

TEST(CheckLineCode, TakesTheFirstColumn) {
    struct Case {
        const char* Line;
        const char* Code;
    };
    const Case cases[] = {
        {"A00.0", "A00.0"},
        {"  A00.0 \t", "A00.0"},
        {"A00.0,Cholera due to Vibrio cholerae 01, biovar cholerae", "A00.0"},
        {"\"A00.0\",\"Cholera, unspecified\"", "A00.0"},
        {"\"A0\"\"0\",x", "A0\"0"},
        {"\" S06.0X1A \";x", "S06.0X1A"},
        {"A00.0;x", "A00.0"},
        {"A00.0\tCholera", "A00.0"},
        {"", ""},
        {",Cholera", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckLineCode(QString::fromUtf8(c.Line)), QString::fromUtf8(c.Code)) << c.Line;
}

class CheckCommand : public CliTest {
protected:
    QString WriteFile(const QString& AText) {
        const QString path = FRoot.filePath(QStringLiteral("codes-%1.csv").arg(++FFiles));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(AText.toUtf8());
        return path;
    }
    int FFiles = 0;
};

const char* const kMixedInput =
    "code,description\r\n"
    "A00.0,\"Cholera due to Vibrio cholerae 01, biovar cholerae\"\r\n"
    "\"s06.0x1a\",initial\r\n"
    "\r\n"
    "a009\r\n"
    "   \r\n"
    "S06.0X7D\r\n"
    "A01\r\n"
    "T07\r\n"
    "T07.XXAA\r\n"
    "hello\r\n"
    ",no code\r\n";

const char* const kMixedOutput =
    "Skipped the column header: code,description\n"
    "A00.0     reportable  Cholera due to Vibrio cholerae 01, biovar cholerae\n"
    "S06.0X1A  reportable  Concussion with loss of consciousness of 30 minutes or less, initial encounter\n"
    "A00.9     reportable  Cholera, unspecified\n"
    "S06.0X7D  unknown     seventh character D is not allowed for S06.0X7\n"
    "A01       header      Typhoid and paratyphoid fevers\n"
    "T07       header      Unspecified multiple injuries\n"
    "T07.XXAA  unknown     not in the tabular list\n"
    "hello     unknown     not a code\n"
    "          unknown     no code in the first column: ,no code\n"
    "Checked 9 codes: 3 reportable, 2 headers, 4 unknown\n";

TEST_F(CheckCommand, ReportsEachCodeOfAFileAndSumsUp) {
    const QStringList args = {QStringLiteral("check"), WriteFile(QString::fromUtf8(kMixedInput))};
    const TCliResult r = Run(args);
    EXPECT_EQ(r.Status, 1) << Describe(args, r);
    EXPECT_EQ(r.Out, QString::fromUtf8(kMixedOutput)) << Describe(args, r);
    EXPECT_EQ(r.Err, QString());
}

TEST_F(CheckCommand, ReadsStandardInputForADash) {
    const QStringList args = {QStringLiteral("check"), QStringLiteral("-")};
    const TCliResult r = Run(args, QString::fromUtf8(kMixedInput));
    EXPECT_EQ(r.Status, 1) << Describe(args, r);
    EXPECT_EQ(r.Out, QString::fromUtf8(kMixedOutput)) << Describe(args, r);
}

TEST_F(CheckCommand, ExitStatusZeroOnlyWhenEveryCodeIsReportable) {
    struct Case {
        const char* Input;
        int Status;
        const char* Summary;
    };
    const Case cases[] = {
        {"A00.0\nA00.9\nT07.XXXD\nH54.8\nS06.0X8A\n", 0, "Checked 5 codes: 5 reportable, 0 headers, 0 unknown"},
        // A byte-order mark and a code written without its point.
        {"\xEF\xBB\xBF" "A0101\n", 0, "Checked 1 code: 1 reportable, 0 headers, 0 unknown"},
        {"A00.0\nS06.0X\n", 1, "Checked 2 codes: 1 reportable, 1 header, 0 unknown"},
        {"A00.0\nS06.0X8S\n", 1, "Checked 2 codes: 1 reportable, 0 headers, 1 unknown"},
        // A first line that is not code-shaped is a header; a later one is reported as unknown.
        {"Code\nA00.0\nCode\n", 1, "Checked 2 codes: 1 reportable, 0 headers, 1 unknown"},
        {"", 0, "Checked 0 codes: 0 reportable, 0 headers, 0 unknown"},
    };
    for (const Case& c : cases) {
        const QStringList args = {QStringLiteral("check"), WriteFile(QString::fromUtf8(c.Input))};
        const TCliResult r = Run(args);
        EXPECT_EQ(r.Status, c.Status) << c.Input << '\n' << Describe(args, r);
        EXPECT_TRUE(r.Out.endsWith(QLatin1String(c.Summary) + QLatin1Char('\n'))) << Describe(args, r);
    }
}

TEST_F(CheckCommand, ProblemsOptionListsOnlyWhatIsNotReportable) {
    const QStringList args = {QStringLiteral("check"), QStringLiteral("--problems"),
                              WriteFile(QStringLiteral("A00.0\nA01\nA00.9\nZ99.99\n"))};
    const TCliResult r = Run(args);
    EXPECT_EQ(r.Status, 1) << Describe(args, r);
    EXPECT_EQ(r.Out, QStringLiteral("A01       header      Typhoid and paratyphoid fevers\n"
                                    "Z99.99    unknown     not in the tabular list\n"
                                    "Checked 4 codes: 2 reportable, 1 header, 1 unknown\n"));
}

TEST_F(CheckCommand, BadArgumentsAndUnreadableFilesAreUsageErrors) {
    struct Case {
        QStringList Args;
        const char* Message;
    };
    const auto check = QStringLiteral("check");
    const Case cases[] = {
        {{check}, "tabulon-cli: check takes one file name (or - for standard input)"},
        {{check, QStringLiteral("a.txt"), QStringLiteral("b.txt")}, "tabulon-cli: check takes one file name"},
        {{check, FRoot.filePath(QStringLiteral("missing.txt"))}, "tabulon-cli: cannot read "},
        {{check, FRoot.path()}, "tabulon-cli: cannot read "},
    };
    for (const Case& c : cases) {
        const TCliResult r = Run(c.Args);
        EXPECT_EQ(r.Status, 2) << Describe(c.Args, r);
        EXPECT_TRUE(r.Err.startsWith(QLatin1String(c.Message))) << Describe(c.Args, r);
        EXPECT_EQ(r.Out, QString()) << Describe(c.Args, r);
    }
}

// The built program carries the official data; the test executable carries the sample, so this
// runs tabulon-cli itself on every valid code of the order file.
TEST(CheckRealData, EveryValidCodeOfTheOrderFileIsReportable) {
    if (!TABULON_EMBEDS_OFFICIAL_DATA)
        GTEST_SKIP() << "tabulon-cli embeds the sample data set";
    const QString orderFile = QStringLiteral(TABULON_TEST_DATA_DIR "/icd10cm_order_" TABULON_DATA_YEAR ".txt");
    if (!QFile::exists(orderFile))
        GTEST_SKIP() << "no order file at " << orderFile.toStdString();
    QHash<QString, QString> valid;
    QString error;
    ASSERT_TRUE(ReadOrderFileCodes(orderFile, true, valid, &error)) << error.toStdString();
    ASSERT_EQ(valid.size(), 73639);
    QStringList codes = valid.keys();
    std::sort(codes.begin(), codes.end());

    QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("valid.txt"));
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((codes.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    file.close();

    QProcess cli;
    cli.start(QStringLiteral(TABULON_CLI_PATH), {QStringLiteral("check"), list});
    ASSERT_TRUE(cli.waitForFinished(120000)) << cli.errorString().toStdString();
    const QString out = QString::fromUtf8(cli.readAllStandardOutput());
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    EXPECT_EQ(cli.exitCode(), 0) << err.toStdString();
    EXPECT_EQ(err, QString());
    const QStringList lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), codes.size() + 1);
    EXPECT_EQ(lines.last(), QStringLiteral("Checked 73639 codes: 73639 reportable, 0 headers, 0 unknown"));
    // Each line names its code, in input order, with the order file's long description (the
    // official XML spells some names with accents the order file writes in ASCII).
    int descriptionsDiffering = 0;
    for (qsizetype i = 0; i < codes.size(); ++i) {
        ASSERT_TRUE(lines[i].startsWith(QStringLiteral("%1  reportable  ").arg(codes[i], -8))) << lines[i].toStdString();
        if (lines[i].mid(22) != valid.value(codes[i]))
            ++descriptionsDiffering;
    }
    EXPECT_LE(descriptionsDiffering, 116);
}

} // namespace
