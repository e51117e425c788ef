// tabulon-cli admin prepare-edition and --edition on the sample release: the file it writes
// answers every command as the embedded data does, a changed release shows through, and a file
// that is refused is said while the embedded edition answers.
#include "CliTestRun.h"
#include "Compression.h"
#include "Edition.h"
#include "ReleaseFixture.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>

namespace {

class CliEdition : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        QString error;
        ASSERT_TRUE(WriteZippedSampleRelease(FRoot.path(), error)) << error.toStdString();
    }
    void TearDown() override {
        CliTest::TearDown();
        UseEmbeddedEdition();
    }
    QString Path(const char* AName) const { return FRoot.filePath(QLatin1String(AName)); }
    TCliResult Prepare(const QStringList& AExtra = {}) {
        return Run(QStringList{QStringLiteral("admin"), QStringLiteral("prepare-edition"), Path("tables.zip"),
                               Path("order.zip"), QStringLiteral("-o"), Path("sample.edition")} +
                   AExtra);
    }
};

// What the commands below print, with and without the edition file.
const QStringList kCommands[] = {
    {QStringLiteral("code"), QStringLiteral("A00.0")},
    {QStringLiteral("code"), QStringLiteral("S06.0X0D")},
    {QStringLiteral("check"), QStringLiteral("--json"), QStringLiteral("-")},
    {QStringLiteral("index"), QStringLiteral("disease"), QStringLiteral("Cholera")},
    {QStringLiteral("keywords"), QStringLiteral("cholera")},
    {QStringLiteral("tree")},
};

TEST_F(CliEdition, ThePreparedEditionAnswersAsTheEmbeddedDataDo) {
    const TCliResult prepared = Prepare();
    ASSERT_EQ(prepared.Status, 0) << Describe({}, prepared);
    EXPECT_TRUE(prepared.Out.startsWith(QStringLiteral("Edition: ICD-10-CM 2023, effective 2022-10-01\n")))
        << prepared.Out.toStdString();
    EXPECT_TRUE(prepared.Out.contains(QStringLiteral("Written: %1 (").arg(Path("sample.edition"))));
    for (QStringList command : kCommands) {
        const TCliResult embedded = Run(command, QStringLiteral("A00.0\nA00\nZ99.9\n"));
        const TCliResult edition = Run(QStringList{QStringLiteral("--edition"), Path("sample.edition")} + command,
                                       QStringLiteral("A00.0\nA00\nZ99.9\n"));
        EXPECT_EQ(edition.Status, embedded.Status) << Describe(command, edition);
        EXPECT_EQ(edition.Out, embedded.Out) << Describe(command, edition);
        EXPECT_EQ(edition.Err, embedded.Err) << Describe(command, edition);
        EXPECT_FALSE(edition.Out.isEmpty()) << Describe(command, edition);
    }
    const TCliResult info = Run({QStringLiteral("--edition=") + Path("sample.edition"), QStringLiteral("info")});
    EXPECT_TRUE(info.Out.contains(QStringLiteral("Edition file: %1, effective 2022-10-01\n").arg(Path("sample.edition"))))
        << Describe({}, info);
}

TEST_F(CliEdition, AChangedReleaseShowsThroughTheEditionFile) {
    const QString tabular = Path("release") + QStringLiteral("/Table and Index/icd10cm_tabular_2023.xml");
    QByteArray bytes = ReadBytes(tabular);
    bytes.replace("Cholera due to Vibrio cholerae 01, biovar cholerae", "Cholera of the new release");
    ASSERT_TRUE(WriteBytes(tabular, bytes));
    const TCliResult prepared =
        Run({QStringLiteral("admin"), QStringLiteral("prepare-edition"), Path("release"), QStringLiteral("-o"),
             Path("new.edition"), QStringLiteral("--effective-date"), QStringLiteral("2023-04-01")});
    ASSERT_EQ(prepared.Status, 0) << Describe({}, prepared);
    const TCliResult code = Run({QStringLiteral("--edition"), Path("new.edition"), QStringLiteral("code"), QStringLiteral("A00.0")});
    EXPECT_EQ(code.Status, 0);
    EXPECT_TRUE(code.Out.startsWith(QStringLiteral("A00.0  Cholera of the new release\n"))) << Describe({}, code);
    const TCliResult info = Run({QStringLiteral("--edition"), Path("new.edition"), QStringLiteral("info")});
    EXPECT_TRUE(info.Out.contains(QStringLiteral(", effective 2023-04-01\n"))) << Describe({}, info);
}

TEST_F(CliEdition, ARefusedEditionIsSaidAndTheEmbeddedOneAnswers) {
    ASSERT_EQ(Prepare().Status, 0);
    const QByteArray good = ReadBytes(Path("sample.edition"));
    QByteArray flipped = good;
    flipped[good.size() - 5] = static_cast<char>(flipped[good.size() - 5] ^ 0x10);
    const struct {
        const char* Name;
        QByteArray Bytes;
        const char* Reason;
    } cases[] = {
        {"cut.edition", good.left(good.size() / 2), "is truncated"},
        {"flipped.edition", flipped, "is damaged: its SHA-256 checksum does not match"},
        {"empty.edition", QByteArray(), "is empty"},
        {"order.txt", ReadBytes(Path("release") + QStringLiteral("/icd10cm_order_2023.txt")),
         "is not a Tabulon edition file"},
    };
    const QStringList command = {QStringLiteral("code"), QStringLiteral("A00.0")};
    const TCliResult embedded = Run(command);
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteBytes(Path(c.Name), c.Bytes));
        const TCliResult r = Run(QStringList{QStringLiteral("--edition"), Path(c.Name)} + command);
        EXPECT_EQ(r.Status, embedded.Status) << Describe(command, r);
        EXPECT_EQ(r.Out, embedded.Out) << Describe(command, r);
        // One line: the file, the reason, and which edition answers instead.
        EXPECT_TRUE(r.Err.startsWith(QStringLiteral("tabulon-cli: %1 %2").arg(Path(c.Name), QLatin1String(c.Reason))))
            << Describe(command, r);
        EXPECT_TRUE(r.Err.endsWith(QStringLiteral("; the embedded ICD-10-CM 2023 edition is used instead\n")))
            << Describe(command, r);
        EXPECT_EQ(r.Err.count(QLatin1Char('\n')), 1) << Describe(command, r);
    }
}

TEST_F(CliEdition, WrongArgumentsAreUsageErrors) {
    const TCliFailureCase cases[] = {
        {{QStringLiteral("admin"), QStringLiteral("prepare-edition"), Path("tables.zip")}, 2,
         "tabulon-cli: admin prepare-edition: needs the release files and -o FILE"},
        {{QStringLiteral("admin"), QStringLiteral("prepare-edition"), QStringLiteral("-o"), Path("x.edition")}, 2,
         "tabulon-cli: admin prepare-edition: needs the release files and -o FILE"},
        {{QStringLiteral("admin"), QStringLiteral("prepare-edition"), Path("tables.zip"), QStringLiteral("-o")}, 2,
         "tabulon-cli: admin prepare-edition: -o needs a value"},
        {{QStringLiteral("admin"), QStringLiteral("prepare-edition"), Path("tables.zip"), QStringLiteral("-o"),
          Path("x.edition"), QStringLiteral("--effective-date"), QStringLiteral("1 Oct 2022")},
         2, "tabulon-cli: admin prepare-edition: \"1 Oct 2022\" is no date"},
        {{QStringLiteral("admin"), QStringLiteral("prepare-edition"), Path("tables.zip"), QStringLiteral("--zip"),
          QStringLiteral("-o"), Path("x.edition")},
         2, "tabulon-cli: admin prepare-edition: unknown option --zip"},
        {{QStringLiteral("admin"), QStringLiteral("prepare-edition"), Path("absent.zip"), QStringLiteral("-o"),
          Path("x.edition")},
         2, "tabulon-cli: "},
        {{QStringLiteral("--edition")}, 2, "tabulon-cli: --edition needs an edition file"},
    };
    ExpectFailures(cases);
    EXPECT_FALSE(QFile::exists(Path("x.edition")));
}

TEST_F(CliEdition, AReleaseThatFailsTheChecksIsAFindingNotAUsageError) {
    QFile order(Path("release") + QStringLiteral("/icd10cm_order_2023.txt"));
    ASSERT_TRUE(order.open(QIODevice::Append));
    order.write("99999 A0099   1 Made-up code                                                  Made-up code\r\n");
    order.close();
    const TCliResult r = Run({QStringLiteral("admin"), QStringLiteral("prepare-edition"), Path("release"),
                              QStringLiteral("-o"), Path("x.edition")});
    EXPECT_EQ(r.Status, 1) << Describe({}, r);
    EXPECT_TRUE(r.Err.contains(QStringLiteral("A00.99"))) << Describe({}, r);
    EXPECT_FALSE(QFile::exists(Path("x.edition")));
}

} // namespace
