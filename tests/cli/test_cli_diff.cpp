// tabulon-cli diff: what changed between two editions, on small order files written here and on
// the embedded sample data set; on the official files through the built program (skipped when
// they are absent or the program embeds the sample).
#include "CliTestRun.h"
#include "DiffCommand.h"

#include "BuildConfig.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

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
    EXPECT_EQ(r.Out, QStringLiteral("From %1 to %2 (\"*\": reportable)\n").arg(oldFile, newFile) +
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
    EXPECT_TRUE(o.value(QStringLiteral("old")).toString().startsWith(QLatin1String("embedded ICD-10-CM ")));
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
