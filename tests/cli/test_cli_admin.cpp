// tabulon-cli admin: the administrator tool's operations from the command line, on the embedded
// sample data set and small files, with their paths given or left to the defaults.
#include "CliTestRun.h"
#include "Compression.h"
#include "EngineGlobals.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CliAdmin : public CliTest {
protected:
    // Runs "tabulon-cli admin AArgs".
    TCliResult Run(QStringList AArgs) {
        AArgs.prepend(QStringLiteral("admin"));
        return CliTest::Run(AArgs);
    }
    QString Path(const char* AName) const { return FRoot.filePath(QLatin1String(AName)); }
    QString Write(const char* AName, const QByteArray& ABytes) const {
        QFile file(Path(AName));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ABytes);
        return file.fileName();
    }
    QByteArray Read(const QString& APath) const {
        QFile file(APath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(CliAdmin, DerivesTheOrderFilesIntoTheNamedPaths) {
    const QString order = Write("order.txt",
                                "00001 A00     0 Cholera                                                      Cholera\r\n"
                                "00002 A000    1 Cholera due to Vibrio cholerae 01, biovar cholerae           Cholera due to Vibrio cholerae 01, biovar cholerae\r\n");
    QStringList args{QStringLiteral("order-files"), order};
    for (const char* name : {"s", "l", "sf", "lf", "c", "cl"})
        args << Path(name);
    const TCliResult r = Run(args);
    EXPECT_EQ(r.Status, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out, QStringLiteral("Total: 2, Valide Code: 1\n"));
    EXPECT_EQ(Read(Path("c")), QByteArray("A00.0     Cholera due to Vibrio cholerae 01, biovar cholerae\r\n"));

    const QByteArray before = Read(Path("s"));
    const TCliResult missing = Run({QStringLiteral("order-files"), Path("none.txt"), Path("s"), Path("l"),
                                Path("sf"), Path("lf"), Path("c"), Path("cl")});
    EXPECT_EQ(missing.Status, 2); // an unreadable input, as for every command
    EXPECT_TRUE(missing.Err.startsWith(QStringLiteral("tabulon-cli: cannot open"))) << missing.Err.toStdString();
    EXPECT_TRUE(missing.Out.isEmpty());
    EXPECT_EQ(Read(Path("s")), before); // the files of the earlier run stay as they were
}

TEST_F(CliAdmin, RunsTheKeywordFileWorkflow) {
    const QString kw = Write("kw.txt", "A00 vibrio, cholera\r\nB01 Cholera fever\r\nA001 bad\r\n");
    TCliResult r = Run({QStringLiteral("prepare-kw"), kw});
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Err, QStringLiteral("tabulon-cli: Invalid line 3 (error code definition): A001 bad\n"));
    const QString prepared = kw + QStringLiteral("-New.txt");
    EXPECT_EQ(Read(prepared), QByteArray("A00      vibrio, cholera,\r\nB01      Cholera fever,\r\n"));

    r = Run({QStringLiteral("arrange-kw"), QStringLiteral("--multi-word-only"), prepared, Path("arr.txt"),
             Path("dist.txt")});
    EXPECT_EQ(r.Status, 0) << r.Err.toStdString();
    EXPECT_EQ(Read(Path("arr.txt")), QByteArray("B01      Cholera fever,\r\n"));
    r = Run({QStringLiteral("arrange-kw"), QStringLiteral("--capitalize"), prepared, Path("arr.txt"), Path("dist.txt")});
    EXPECT_EQ(Read(Path("dist.txt")), QByteArray("Cholera\r\nCholera Fever\r\nVibrio\r\n"));

    r = Run({QStringLiteral("extract-kw"), Path("arr.txt"), Path("dist.txt")});
    EXPECT_EQ(r.Status, 0) << r.Err.toStdString();
    EXPECT_EQ(Read(Path("arr.txt") + QStringLiteral("-Verify.txt")),
              QByteArray("Cholera\r\n         A00\r\nCholera Fever\r\n         B01\r\nVibrio\r\n         A00\r\n"));

    r = Run({QStringLiteral("distinct-kw"), Path("dist.txt")});
    EXPECT_EQ(r.Out, QStringLiteral("Total: 3, 1: 2, 2: 1, 3: 0, 4: 0\n"));
}

TEST_F(CliAdmin, ZipsTheSourcesOfAFolder) {
    QDir(FRoot.path()).mkdir(QStringLiteral("src"));
    const QString folder = Path("src");
    for (const char* stem : {"icd10cm_index_%1.xml", "icd10cm_eindex_%1.xml", "icd10cm_drug_%1.xml",
                             "icd10cm_neoplasm_%1.xml", "icd10cm_tabular_%1.xml", "CodeKeywords%1.txt",
                             "SpecialKWs%1.txt", "ReportableCodesShort%1.txt"}) {
        QFile file(folder + QLatin1Char('/') + QString::fromLatin1(stem).arg(DataYear));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(file.fileName().toUtf8());
    }
    const TCliResult r = Run({QStringLiteral("zip"), folder});
    EXPECT_EQ(r.Status, 0) << r.Err.toStdString();
    const QStringList written = r.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(written.size(), 8);
    const QByteArray stream = Read(written.last());
    for (const QString& file : written)
        EXPECT_TRUE(Read(file).startsWith("\x78\xDA")) << file.toStdString();
    EXPECT_TRUE(stream.startsWith("\x78\xDA"));
    EXPECT_EQ(InflateZlib(std::span(reinterpret_cast<const std::uint8_t*>(stream.constData()),
                                    static_cast<std::size_t>(stream.size()))),
              (folder + QStringLiteral("/ReportableCodesShort%1.txt").arg(DataYear)).toStdString());
}

TEST_F(CliAdmin, ReportsFailuresWithTheirStatus) {
    // A source missing part-way through the zip: the streams before it are written, status 1.
    QDir(FRoot.path()).mkdir(QStringLiteral("src"));
    const QString folder = Path("src");
    QFile index(folder + QStringLiteral("/icd10cm_index_%1.xml").arg(DataYear));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("<index/>");
    index.close();
    TCliResult r = Run({QStringLiteral("zip"), folder});
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Out, folder + QStringLiteral("/icd10cm_index_%1.dzip\n").arg(DataYear));
    EXPECT_TRUE(r.Err.contains(QStringLiteral("icd10cm_eindex_%1.xml").arg(DataYear))) << r.Err.toStdString();

    // An order file that cannot be created: nothing is counted or written, status 2.
    r = Run({QStringLiteral("stat"), QStringLiteral("--order-file"), Path("no/such/dir/order.txt")});
    EXPECT_EQ(r.Status, 2);
    EXPECT_TRUE(r.Out.isEmpty()) << r.Out.toStdString();
    EXPECT_TRUE(r.Err.startsWith(QStringLiteral("tabulon-cli: cannot create"))) << r.Err.toStdString();

    r = Run({QStringLiteral("compress"), Path("none.txt"), Path("none.dzip")});
    EXPECT_NE(r.Status, 0);
    EXPECT_FALSE(QFile::exists(Path("none.dzip")));
}

TEST_F(CliAdmin, StatisticsAndCodeTextsOnTheEmbeddedData) {
    TCliResult r = Run({QStringLiteral("stat"), QStringLiteral("--order-file"), Path("order.txt")});
    EXPECT_EQ(r.Status, 0) << r.Err.toStdString();
    const QStringList out = r.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(out.size(), 3);
    EXPECT_TRUE(out[0].startsWith(QStringLiteral("DLines : ")));
    EXPECT_TRUE(out[1].startsWith(QStringLiteral("ChpNum : ")));
    EXPECT_FALSE(Read(Path("order.txt")).isEmpty());

    r = Run({QStringLiteral("code-text"), QStringLiteral("--no-comma"), Path("codes.txt")});
    EXPECT_EQ(r.Status, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.startsWith(QStringLiteral("UnArrangedKW number: "))) << r.Out.toStdString();
    EXPECT_FALSE(Read(Path("codes.txt")).isEmpty());

    r = Run({QStringLiteral("all-codes"), Path("all.txt")});
    EXPECT_EQ(r.Status, 0) << r.Err.toStdString();
    // The reportable codes of the program's own order file, in the same order.
    QStringList fromOrder, fromAll;
    for (const QString& line : QString::fromUtf8(Read(Path("order.txt"))).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        if (line.mid(9, 1) == QLatin1String("1"))
            fromOrder << line.left(9) + line.mid(11);
    fromAll = QString::fromUtf8(Read(Path("all.txt"))).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_FALSE(fromAll.isEmpty());
    EXPECT_EQ(fromAll, fromOrder);
}

TEST_F(CliAdmin, HelpAfterAnOperationPrintsTheHelp) {
    for (const char* operation : {"", "stat", "order-files", "distinct-kw", "prepare-kw", "all-codes"})
        for (const char* form : {"--help", "-h"}) {
            const TCliResult r = *operation ? Run({QLatin1String(operation), QLatin1String(form)})
                                        : Run({QLatin1String(form)}); // admin --help
            EXPECT_EQ(r.Status, 0) << operation << ' ' << form << ": " << r.Err.toStdString();
            EXPECT_EQ(r.Err, QString()) << operation << ' ' << form;
            EXPECT_TRUE(r.Out.startsWith(QLatin1String("usage: tabulon-cli"))) << operation << ' ' << form;
            EXPECT_TRUE(r.Out.contains(QLatin1String("admin ") + QLatin1String(operation)))
                << operation << ' ' << form;
        }
}

TEST_F(CliAdmin, RefusesUnknownCommandsOptionsAndArgumentCounts) {
    const QStringList bad[] = {
        {QStringLiteral("bogus")},
        {QStringLiteral("stat"), QStringLiteral("extra")},
        {QStringLiteral("arrange-kw"), QStringLiteral("--no-comma")},
        {QStringLiteral("arrange-kw"), QStringLiteral("only-one")},
        {QStringLiteral("order-files"), QStringLiteral("a"), QStringLiteral("b")},
        {QStringLiteral("compress"), QStringLiteral("a")},
    };
    for (const QStringList& args : bad) {
        const TCliResult r = Run(args);
        EXPECT_EQ(r.Status, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.Err.startsWith(QStringLiteral("tabulon-cli: "))) << r.Err.toStdString();
    }
}

} // namespace
