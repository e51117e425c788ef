// tabulon-cli diff: what changed between two editions, on small order files written here and on
// the embedded sample data set; on the official files through the built program (skipped when
// they are absent or the program embeds the sample).
#include "CliTestRun.h"
#include "Compression.h"
#include "DiffCommand.h"
#include "Edition.h"
#include "ReleaseFixture.h"

#include "BuildConfig.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

const char* const kNoChange = "Summary: 0 added, 0 deleted, 0 re-described, 0 now reportable, 0 no longer reportable\n";
const char* const kOneRedescribed =
    "Summary: 0 added, 0 deleted, 1 re-described, 0 now reportable, 0 no longer reportable\n";

// One order-file line: sequence, code without its point, flag, short and long description.
QString OrderLine(int ASequence, const char* ACode, bool AValid, const char* ADescription) {
    return QStringLiteral("%1 %2 %3 %4 %5\r\n")
        .arg(ASequence, 5, 10, QLatin1Char('0'))
        .arg(QString::fromLatin1(ACode), -7)
        .arg(AValid ? QLatin1Char('1') : QLatin1Char('0'))
        .arg(QString::fromLatin1(ADescription).left(60), -60)
        .arg(QString::fromLatin1(ADescription));
}

class DiffCommand : public CliTest {
protected:
    QString Write(const QString& AName, const QString& AText) {
        const QString path = FRoot.filePath(AName);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(AText.toLatin1());
        return path;
    }
    // The old edition: A00 with two codes, A01.0 a reportable code that later gets codes below.
    QString Old() {
        return Write(QStringLiteral("old.txt"),
                     OrderLine(1, "A00", false, "Cholera") + OrderLine(2, "A000", true, "Cholera classical") +
                         OrderLine(3, "A009", true, "Cholera, unspecified") +
                         OrderLine(4, "A010", true, "Typhoid fever") + OrderLine(5, "A02", true, "Salmonella"));
    }
    // The new one: A00.9 deleted, A00.1 added, A00.0 re-described, A01.0 a header with two
    // new codes, A02 unchanged.
    QString New() {
        return Write(QStringLiteral("new.txt"),
                     OrderLine(1, "A00", false, "Cholera") + OrderLine(2, "A000", true, "Cholera, classical") +
                         OrderLine(3, "A001", true, "Cholera eltor") + OrderLine(4, "A010", false, "Typhoid fever") +
                         OrderLine(5, "A0100", true, "Typhoid fever, unspecified") +
                         OrderLine(6, "A0101", true, "Typhoid meningitis") + OrderLine(7, "A02", true, "Salmonella"));
    }
};

TEST_F(DiffCommand, ListsEveryKindOfChangeWithASummary) {
    const QString oldFile = Old(), newFile = New();
    const QStringList args = {QStringLiteral("diff"), oldFile, newFile};
    const TCliResult r = Run(args);
    EXPECT_EQ(r.Status, 0) << Describe(args, r);
    EXPECT_EQ(r.Err, QString());
    EXPECT_EQ(r.Out, QStringLiteral("From order file %1 to order file %2 (\"*\": reportable)\n").arg(oldFile, newFile) +
                         QStringLiteral("Added (3):\n"
                                        "  A00.1    * Cholera eltor\n"
                                        "  A01.00   * Typhoid fever, unspecified\n"
                                        "  A01.01   * Typhoid meningitis\n"
                                        "Deleted (1):\n"
                                        "  A00.9    * Cholera, unspecified\n"
                                        "Re-described (1):\n"
                                        "  A00.0    Cholera classical\n"
                                        "           -> Cholera, classical\n"
                                        "Now reportable (0):\n"
                                        "No longer reportable (1):\n"
                                        "  A01.0      Typhoid fever\n"
                                        "Summary: 3 added, 1 deleted, 1 re-described, 0 now reportable, 1 no longer reportable\n"))
        << Describe(args, r);

    // The other way round every change turns over.
    const TCliResult back = Run({QStringLiteral("diff"), newFile, oldFile});
    EXPECT_TRUE(back.Out.endsWith(QLatin1String(
        "Summary: 1 added, 3 deleted, 1 re-described, 1 now reportable, 0 no longer reportable\n")))
        << back.Out.toStdString();
}

TEST_F(DiffCommand, JsonHoldsTheSameLists) {
    const QStringList args = {QStringLiteral("diff"), QStringLiteral("--json"), Old(), New()};
    const TCliResult r = Run(args);
    ASSERT_EQ(r.Status, 0) << Describe(args, r);
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(r.Out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.Out.toStdString();
    const auto codes = [&o](const char* AName) {
        QStringList list;
        for (const QJsonValue& v : o.value(QLatin1String(AName)).toArray())
            list << v.toObject().value(QStringLiteral("code")).toString();
        return list;
    };
    EXPECT_EQ(codes("added"), (QStringList{QStringLiteral("A00.1"), QStringLiteral("A01.00"), QStringLiteral("A01.01")}));
    EXPECT_EQ(codes("deleted"), QStringList{QStringLiteral("A00.9")});
    EXPECT_EQ(codes("redescribed"), QStringList{QStringLiteral("A00.0")});
    EXPECT_EQ(codes("nowReportable"), QStringList());
    EXPECT_EQ(codes("noLongerReportable"), QStringList{QStringLiteral("A01.0")});
    const QJsonObject redescribed = o.value(QStringLiteral("redescribed")).toArray().first().toObject();
    EXPECT_EQ(redescribed.value(QStringLiteral("oldDescription")).toString(), QStringLiteral("Cholera classical"));
    EXPECT_EQ(redescribed.value(QStringLiteral("description")).toString(), QStringLiteral("Cholera, classical"));
    EXPECT_EQ(o.value(QStringLiteral("deleted")).toArray().first().toObject().value(QStringLiteral("reportable")),
              QJsonValue(true));
    const QJsonObject summary = o.value(QStringLiteral("summary")).toObject();
    const std::pair<const char*, int> counts[] = {
        {"added", 3}, {"deleted", 1}, {"redescribed", 1}, {"nowReportable", 0}, {"noLongerReportable", 1}};
    for (const auto& [name, count] : counts)
        EXPECT_EQ(summary.value(QLatin1String(name)).toInt(-1), count) << name;
}

// Accents are no change of wording (the order file writes Sezary where the tabular list writes
// Sézary); case and punctuation are.
TEST(DiffEditions, ComparesDescriptionsWithoutTheirAccents) {
    struct Case {
        const char* Old;
        const char* New;
        bool Changed;
    };
    const Case cases[] = {
        {"Sezary disease", "Sézary disease", false},
        {"Charcot's arthropathy", "Charcôt's arthropathy", false},
        {"Sezary disease", "sezary disease", true},
        {"Cholera classical", "Cholera, classical", true},
    };
    for (const Case& c : cases) {
        TEditionCodes before, after;
        before.Order << QStringLiteral("C84.1");
        before.Codes.insert(QStringLiteral("C84.1"), {QString::fromUtf8(c.Old), true});
        after.Order << QStringLiteral("C84.1");
        after.Codes.insert(QStringLiteral("C84.1"), {QString::fromUtf8(c.New), true});
        EXPECT_EQ(DiffEditions(before, after).Redescribed.size(), c.Changed ? 1 : 0) << c.New;
    }
}

TEST_F(DiffCommand, TheEmbeddedEditionAgainstAnOrderFile) {
    // The sample edition against itself: nothing changed.
    const TCliResult same = Run({QStringLiteral("diff"), QStringLiteral("embedded"), QStringLiteral("embedded")});
    EXPECT_EQ(same.Status, 0) << same.Err.toStdString();
    EXPECT_TRUE(same.Out.endsWith(QLatin1String(
        "Summary: 0 added, 0 deleted, 0 re-described, 0 now reportable, 0 no longer reportable\n")))
        << same.Out.toStdString();

    // An order file of three codes that the sample holds as they are, and one it lacks: every
    // other code of the sample is deleted, the one it lacks is added.
    const QString file = Write(QStringLiteral("order.txt"),
                               OrderLine(1, "A00", false, "Cholera") +
                                   OrderLine(2, "A000", true, "Cholera due to Vibrio cholerae 01, biovar cholerae") +
                                   OrderLine(3, "A01", false, "Typhoid and paratyphoid fevers") +
                                   OrderLine(4, "A003", true, "Cholera made up here"));
    const QStringList args = {QStringLiteral("diff"), QStringLiteral("--json"), QStringLiteral("embedded"), file};
    const TCliResult r = Run(args);
    ASSERT_EQ(r.Status, 0) << Describe(args, r);
    const QJsonObject o = QJsonDocument::fromJson(r.Out.toUtf8()).object();
    EXPECT_EQ(o.value(QStringLiteral("old")).toString(), QStringLiteral("embedded ICD-10-CM 2023"));
    EXPECT_EQ(o.value(QStringLiteral("new")).toString(), QStringLiteral("order file ") + file);
    const QJsonArray added = o.value(QStringLiteral("added")).toArray();
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added[0].toObject().value(QStringLiteral("code")).toString(), QStringLiteral("A00.3"));
    EXPECT_TRUE(o.value(QStringLiteral("redescribed")).toArray().isEmpty());
    QStringList deleted;
    for (const QJsonValue& v : o.value(QStringLiteral("deleted")).toArray())
        deleted << v.toObject().value(QStringLiteral("code")).toString();
    EXPECT_TRUE(deleted.contains(QStringLiteral("A00.9")));
    EXPECT_TRUE(deleted.contains(QStringLiteral("S06.0X1A")));
    EXPECT_FALSE(deleted.contains(QStringLiteral("A00.0")));
    EXPECT_FALSE(deleted.contains(QStringLiteral("A01")));
}

TEST_F(DiffCommand, RefusesBadArgumentsAndUnreadableFiles) {
    const QString empty = Write(QStringLiteral("empty.txt"), QStringLiteral("short\r\n"));
    const QString missing = FRoot.filePath(QStringLiteral("missing.txt"));
    const TCliFailureCase cases[] = {
        {{QStringLiteral("diff")}, 2, "tabulon-cli: diff takes two editions"},
        {{QStringLiteral("diff"), QStringLiteral("embedded")}, 2, "tabulon-cli: diff takes two editions"},
        {{QStringLiteral("diff"), QStringLiteral("embedded"), missing}, 2, "tabulon-cli: cannot read "},
        {{QStringLiteral("diff"), empty, QStringLiteral("embedded")}, 2, "tabulon-cli: "},
    };
    ExpectFailures(cases);
}

// Editions prepared here from the sample release: the sample itself (2023), and a 2024 release in
// which A00.0 has a new wording; beside them the sample's order file and damaged edition files.
class DiffEditionFiles : public DiffCommand {
protected:
    void SetUp() override {
        DiffCommand::SetUp();
        ASSERT_TRUE(WriteSampleRelease(Path("r2023")));
        ASSERT_TRUE(WriteSampleRelease(Path("r2024"), QStringLiteral("2024")));
        const QString tabular = Path("r2024") + QStringLiteral("/Table and Index/icd10cm_tabular_2024.xml");
        QByteArray bytes = ReadBytes(tabular);
        bytes.replace("<version>2023</version>", "<version>2024</version>");
        bytes.replace("Cholera due to Vibrio cholerae 01, biovar cholerae", "Cholera of the new release");
        ASSERT_TRUE(WriteBytes(tabular, bytes));
        for (const char* year : {"2023", "2024"}) {
            const QStringList args = {QStringLiteral("admin"), QStringLiteral("prepare-edition"),
                                      Path("r") + QLatin1String(year), QStringLiteral("-o"),
                                      Path(year) + QStringLiteral(".edition")};
            const TCliResult prepared = Run(args);
            ASSERT_EQ(prepared.Status, 0) << Describe(args, prepared);
        }
    }
    void TearDown() override {
        DiffCommand::TearDown();
        UseEmbeddedEdition();
    }
    QString Path(const char* AName) const { return FRoot.filePath(QLatin1String(AName)); }
    QString Edition(const char* AYear) const { return Path(AYear) + QStringLiteral(".edition"); }
    QString SampleOrder() const { return Path("r2023") + QStringLiteral("/icd10cm_order_2023.txt"); }
};

TEST_F(DiffEditionFiles, EachSideIsAnEditionFileTheEmbeddedEditionOrAnOrderFile) {
    const QString e2023 = Edition("2023"), e2024 = Edition("2024");
    const QString embedded = QStringLiteral("embedded");
    const QString edition = QStringLiteral("--edition");
    const struct {
        QStringList Args;
        QString From;
        const char* Summary;
    } cases[] = {
        {{e2023, embedded}, QStringLiteral("edition file %1 (2023) to embedded ICD-10-CM 2023").arg(e2023), kNoChange},
        {{embedded, e2024}, QStringLiteral("embedded ICD-10-CM 2023 to edition file %1 (2024)").arg(e2024), kOneRedescribed},
        {{e2023, e2024}, QStringLiteral("edition file %1 (2023) to edition file %2 (2024)").arg(e2023, e2024), kOneRedescribed},
        {{SampleOrder(), e2023}, QStringLiteral("order file %1 to edition file %2 (2023)").arg(SampleOrder(), e2023), kNoChange},
        {{e2024, SampleOrder()}, QStringLiteral("edition file %1 (2024) to order file %2").arg(e2024, SampleOrder()), kOneRedescribed},
        // While an edition file is in use, "embedded" still means the program's own edition.
        {{edition, e2024, embedded, e2024}, QStringLiteral("embedded ICD-10-CM 2023 to edition file %1 (2024)").arg(e2024), kOneRedescribed},
        {{edition, e2024, embedded, e2023}, QStringLiteral("embedded ICD-10-CM 2023 to edition file %1 (2023)").arg(e2023), kNoChange},
    };
    for (const auto& c : cases) {
        QStringList args = c.Args;
        args.insert(args.first() == edition ? 2 : 0, QStringLiteral("diff"));
        const TCliResult r = Run(args);
        EXPECT_EQ(r.Status, 0) << Describe(args, r);
        EXPECT_EQ(r.Err, QString()) << Describe(args, r);
        EXPECT_TRUE(r.Out.startsWith(QStringLiteral("From ") + c.From + QStringLiteral(" (\"*\": reportable)\n")))
            << Describe(args, r);
        EXPECT_TRUE(r.Out.endsWith(QLatin1String(c.Summary))) << Describe(args, r);
        if (QLatin1String(c.Summary) == QLatin1String(kOneRedescribed)) {
            EXPECT_TRUE(r.Out.contains(QStringLiteral("Re-described (1):\n  A00.0    "))) << Describe(args, r);
        }
    }
}

TEST_F(DiffEditionFiles, JsonNamesWhatEachSideIs) {
    const QStringList args = {QStringLiteral("diff"), QStringLiteral("--json"), SampleOrder(), Edition("2024")};
    const TCliResult r = Run(args);
    ASSERT_EQ(r.Status, 0) << Describe(args, r);
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(r.Out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.Out.toStdString();
    EXPECT_EQ(o.value(QStringLiteral("old")).toString(), QStringLiteral("order file ") + SampleOrder());
    EXPECT_EQ(o.value(QStringLiteral("new")).toString(), QStringLiteral("edition file %1 (2024)").arg(Edition("2024")));
    EXPECT_EQ(o.value(QStringLiteral("oldSource")).toObject(),
              (QJsonObject{{QStringLiteral("kind"), QStringLiteral("orderFile")},
                           {QStringLiteral("file"), SampleOrder()},
                           {QStringLiteral("year"), QJsonValue()}}));
    EXPECT_EQ(o.value(QStringLiteral("newSource")).toObject(),
              (QJsonObject{{QStringLiteral("kind"), QStringLiteral("editionFile")},
                           {QStringLiteral("file"), Edition("2024")},
                           {QStringLiteral("year"), QStringLiteral("2024")}}));
    const QJsonArray redescribed = o.value(QStringLiteral("redescribed")).toArray();
    ASSERT_EQ(redescribed.size(), 1) << r.Out.toStdString();
    EXPECT_EQ(redescribed[0].toObject().value(QStringLiteral("description")).toString(),
              QStringLiteral("Cholera of the new release"));

    const TCliResult embedded = Run({QStringLiteral("diff"), QStringLiteral("--json"), QStringLiteral("embedded"), Edition("2023")});
    ASSERT_EQ(embedded.Status, 0) << embedded.Err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(embedded.Out.toUtf8()).object().value(QStringLiteral("oldSource")).toObject(),
              (QJsonObject{{QStringLiteral("kind"), QStringLiteral("embedded")},
                           {QStringLiteral("file"), QJsonValue()},
                           {QStringLiteral("year"), QStringLiteral("2023")}}));
}

// A file that begins with the edition mark is an edition file: when it is damaged the reader's
// reason is said and diff fails, instead of reading it as an order file.
TEST_F(DiffEditionFiles, RefusesDamagedEditionFiles) {
    const QByteArray good = ReadBytes(Edition("2023"));
    QByteArray flipped = good, version = good;
    flipped[good.size() - 7] = static_cast<char>(flipped[good.size() - 7] ^ 0x01);
    version[16] = 2;
    // Whole and with a good checksum, but its tabular list is no XML: it fails to load.
    TEditionContents broken = EmbeddedContents(QStringLiteral("2023"), QDate(2022, 10, 1));
    const QByteArray notXml("not a tabular list");
    broken.DataSets[static_cast<int>(TDataSet::Tabular)] =
        DeflateZlib({reinterpret_cast<const std::uint8_t*>(notXml.constData()), static_cast<std::size_t>(notXml.size())});
    const struct {
        const char* Name;
        QByteArray Bytes;
        int Status;
        QString Message;
    } cases[] = {
        {"cut.edition", good.left(good.size() / 2), 2, QStringLiteral("is truncated: ")},
        {"mark.edition", good.left(9), 2, QStringLiteral("is truncated: 9 bytes, shorter than the 60-byte header")},
        {"flipped.edition", flipped, 2, QStringLiteral("is damaged: its SHA-256 checksum does not match its contents")},
        {"version.edition", version, 2, QStringLiteral("has format version 2; this program reads version 1")},
        {"broken.edition", EditionFileBytes(broken), 1, QString()},
    };
    for (const auto& c : cases) {
        const QString file = Path(c.Name);
        ASSERT_TRUE(WriteBytes(file, c.Bytes));
        const QString expected = c.Message.isEmpty()
            ? QStringLiteral("tabulon-cli: the tabular list of the edition file %1 (2023) failed to load\n").arg(file)
            : QStringLiteral("tabulon-cli: %1 %2").arg(file, c.Message);
        for (const QStringList& args : {QStringList{QStringLiteral("diff"), file, QStringLiteral("embedded")},
                                        QStringList{QStringLiteral("diff"), QStringLiteral("--json"), Edition("2023"), file}}) {
            const TCliResult r = Run(args);
            EXPECT_EQ(r.Status, c.Status) << Describe(args, r);
            EXPECT_TRUE(r.Err.startsWith(expected)) << Describe(args, r);
            EXPECT_EQ(r.Out, QString()) << Describe(args, r);
        }
    }
}

// Through the built program with the official data: the embedded edition is the FY2023 order
// file exactly, and FY2020 -> FY2023 gives the counts found independently from the two files.
TEST(DiffRealData, OrderFilesAndTheEmbeddedEdition) {
    if (!TABULON_EMBEDS_OFFICIAL_DATA)
        GTEST_SKIP() << "tabulon-cli embeds the sample data set";
    const QString order2023 = QStringLiteral(TABULON_TEST_DATA_DIR "/icd10cm_order_2023.txt");
    const QString order2020 = QStringLiteral(TABULON_TEST_DATA_DIR "/../icd10cm-2020/icd10cm_order_2020.txt");
    if (!QFile::exists(order2023) || !QFile::exists(order2020))
        GTEST_SKIP() << "no FY2020 and FY2023 order files beside " TABULON_TEST_DATA_DIR;
    struct Case {
        QString Old, New;
        const char* Summary;
    };
    const Case cases[] = {
        {QStringLiteral("embedded"), order2023,
         "Summary: 0 added, 0 deleted, 0 re-described, 0 now reportable, 0 no longer reportable"},
        {order2020, order2023,
         "Summary: 2282 added, 302 deleted, 123 re-described, 0 now reportable, 91 no longer reportable"},
    };
    for (const Case& c : cases) {
        QProcess cli;
        cli.start(QStringLiteral(TABULON_CLI_PATH), {QStringLiteral("diff"), c.Old, c.New});
        ASSERT_TRUE(cli.waitForFinished(120000)) << cli.errorString().toStdString();
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        EXPECT_EQ(cli.exitCode(), 0) << err.toStdString();
        const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_FALSE(lines.isEmpty()) << err.toStdString();
        EXPECT_EQ(lines.last(), QString::fromUtf8(c.Summary));
    }
}

} // namespace
