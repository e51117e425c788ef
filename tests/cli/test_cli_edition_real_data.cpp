// An edition file prepared from the official release, zipped as it is published, answers as the
// edition built into tabulon-cli: the same output, errors and exit status for a check of every
// valid code and for look-ups in the tabular list, the indexes and the keywords. Runs the built
// tabulon-cli, which embeds the official data; skipped without the official files.
#include "BuildConfig.h"
#include "OrderFile.h"
#include "ReleaseFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QString kDataDir = QStringLiteral(TABULON_TEST_DATA_DIR);
const QString kYear = QStringLiteral(TABULON_DATA_YEAR);

struct TRun {
    int Status = -1;
    QByteArray Out, Err;
};

class EditionRealData : public testing::Test {
protected:
    void SetUp() override {
        if (!TABULON_EMBEDS_OFFICIAL_DATA)
            GTEST_SKIP() << "tabulon-cli embeds the sample data set";
        ASSERT_TRUE(FRoot.isValid());
    }
    TRun Cli(const QStringList& AArgs, int ATimeoutMs = 180000) {
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ProgramData"), FRoot.path());
        environment.insert(QStringLiteral("AppData"), FRoot.path());
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), FRoot.filePath(QStringLiteral("cache")));
        cli.setProcessEnvironment(environment);
        cli.start(QStringLiteral(TABULON_CLI_PATH), AArgs);
        TRun run;
        EXPECT_TRUE(cli.waitForFinished(ATimeoutMs)) << cli.errorString().toStdString();
        run.Status = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
        run.Out = cli.readAllStandardOutput();
        run.Err = cli.readAllStandardError();
        return run;
    }
    QString Path(const char* AName) const { return FRoot.filePath(QLatin1String(AName)); }
    QTemporaryDir FRoot;
};

TEST_F(EditionRealData, AnswersAsTheEmbeddedEdition) {
    QStringList tables;
    for (const char* kind : {"tabular", "index", "eindex", "drug", "neoplasm"})
        tables << QStringLiteral("icd10cm_%1_%2.xml").arg(QLatin1String(kind), kYear);
    const QString order = QStringLiteral("icd10cm_order_%1.txt").arg(kYear);
    for (const QString& file : tables + QStringList{order})
        if (!QFile::exists(kDataDir + QLatin1Char('/') + file))
            GTEST_SKIP() << "no " << file.toStdString() << " in " << kDataDir.toStdString();

    QString error;
    ASSERT_TRUE(ZipFiles(kDataDir, tables, Path("tables.zip"), error)) << error.toStdString();
    ASSERT_TRUE(ZipFiles(kDataDir, {order}, Path("order.zip"), error)) << error.toStdString();
    const TRun prepared = Cli({QStringLiteral("admin"), QStringLiteral("prepare-edition"), Path("tables.zip"),
                               Path("order.zip"), QStringLiteral("-o"), Path("official.edition")});
    ASSERT_EQ(prepared.Status, 0) << prepared.Err.toStdString();
    EXPECT_TRUE(prepared.Out.contains(QStringLiteral("Edition: ICD-10-CM %1, effective ").arg(kYear).toUtf8()))
        << prepared.Out.toStdString();

    QHash<QString, QString> valid;
    ASSERT_TRUE(ReadOrderFileCodes(kDataDir + QLatin1Char('/') + order, true, valid, &error)) << error.toStdString();
    QStringList codes = valid.keys();
    std::sort(codes.begin(), codes.end());
    ASSERT_TRUE(WriteBytes(Path("valid.txt"), (codes.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()));

    const QStringList commands[] = {
        {QStringLiteral("check"), Path("valid.txt")},
        {QStringLiteral("code"), QStringLiteral("S72.001A")},
        {QStringLiteral("code"), QStringLiteral("E11")},
        {QStringLiteral("index"), QStringLiteral("disease"), QStringLiteral("Fracture")},
        {QStringLiteral("index"), QStringLiteral("drug"), QStringLiteral("Methamphetamine")},
        {QStringLiteral("index"), QStringLiteral("neoplasm"), QStringLiteral("lung")},
        {QStringLiteral("keywords"), QStringLiteral("diabetes")},
    };
    for (const QStringList& command : commands) {
        const TRun embedded = Cli(command);
        const TRun edition = Cli(QStringList{QStringLiteral("--edition"), Path("official.edition")} + command);
        const std::string what = command.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(edition.Status, embedded.Status) << what;
        EXPECT_TRUE(edition.Out == embedded.Out) << what << ": the outputs differ";
        EXPECT_EQ(edition.Err.toStdString(), embedded.Err.toStdString()) << what;
        EXPECT_FALSE(embedded.Out.isEmpty()) << what;
        if (command.first() == QLatin1String("check")) {
            EXPECT_TRUE(edition.Out.endsWith(
                QStringLiteral("Checked %1 codes: %1 reportable, 0 headers, 0 unknown\n").arg(codes.size()).toUtf8()));
        }
    }
}

} // namespace
