// tabulon-cli commands on the embedded sample data set.
#include "CliCommands.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Result {
    int Status;
    QString Out;
    QString Err;
};

class Cli : public testing::Test {
protected:
    void SetUp() override {
        qputenv("ProgramData", FRoot.path().toUtf8());
        qputenv("AppData", FRoot.path().toUtf8());
    }
    Result Run(const QStringList& AArgs) {
        Result result{0, {}, {}};
        QTextStream out(&result.Out), err(&result.Err);
        result.Status = RunCliCommand(AArgs, out, err);
        out.flush();
        err.flush();
        return result;
    }
    QTemporaryDir FRoot;
};

TEST_F(Cli, InfoReportsEditionDataSetsAndCounts) {
    const Result r = Run({QStringLiteral("info")});
    EXPECT_EQ(r.Status, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains(QStringLiteral("Edition: ICD-10-CM 2023")));
    for (const char* name : {"Tabular", "DIndex", "EIndex", "TableOfDrugs", "TableOfNeoplasms",
                             "CodeKeywords", "SpecialKWs", "ShortDesc"})
        EXPECT_TRUE(r.Out.contains(QLatin1String(name))) << name;
    EXPECT_TRUE(r.Out.contains(QStringLiteral("icd10cm_tabular_2023.xml")));
    EXPECT_TRUE(r.Out.contains(QStringLiteral(
        "Tabular list: 3 chapters, 4 sections, 6 categories, 20 codes")));
    const QString tabularLine = r.Out.split(QLatin1Char('\n')).filter(QStringLiteral("Tabular  ")).value(0);
    EXPECT_TRUE(tabularLine.contains(QStringLiteral(" loaded "))) << tabularLine.toStdString();
}

TEST_F(Cli, TreeListsChaptersSectionsAndCategories) {
    const Result r = Run({QStringLiteral("tree")});
    EXPECT_EQ(r.Status, 0);
    const QStringList lines = r.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3 + 4 + 6);
    EXPECT_EQ(lines[0], QStringLiteral("Chapter 1  Sample infectious diseases (A00-A09)"));
    EXPECT_EQ(lines[1], QStringLiteral("  (A00-A09)  Intestinal infectious diseases"));
    EXPECT_EQ(lines[2], QStringLiteral("    A00  Cholera"));
}

TEST_F(Cli, TreeOfACodeShowsItsPathAndSubtree) {
    const Result r = Run({QStringLiteral("tree"), QStringLiteral("s06.0x")});
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Out, QStringLiteral("Chapter 3  Sample injuries (S06-T07)\n"
                                    "  (S06-S06)  Injuries to the head\n"
                                    "    S06.0X  Concussion\n"
                                    "      S06.0X0  Concussion without loss of consciousness\n"
                                    "      S06.0X1  Concussion with loss of consciousness of 30 minutes or less\n"
                                    "      S06.0X7  Concussion with loss of consciousness and death due to brain injury\n"
                                    "      S06.0X8  Concussion with loss of consciousness and death due to other cause\n"));
}

TEST_F(Cli, ErrorsSayWhatWentWrong) {
    struct Case {
        QStringList Args;
        int Status;
        const char* Message;
    };
    const Case cases[] = {
        {{QStringLiteral("tree"), QStringLiteral("Z99.99")}, 1, "no code Z99.99"},
        {{QStringLiteral("tree"), QStringLiteral("A00"), QStringLiteral("A01")}, 2, "usage:"},
        {{QStringLiteral("frobnicate")}, 2, "unknown command"},
        {{}, 2, "usage:"},
    };
    for (const Case& c : cases) {
        const Result r = Run(c.Args);
        EXPECT_EQ(r.Status, c.Status) << c.Args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.Err.contains(QLatin1String(c.Message))) << r.Err.toStdString();
    }
}

TEST_F(Cli, HelpListsEveryCommand) {
    for (const char* form : {"help", "--help", "-h"}) {
        const Result r = Run({QLatin1String(form)});
        EXPECT_EQ(r.Status, 0) << form;
        EXPECT_EQ(r.Err, QString()) << form;
        for (const char* command : {"  info", "  tree", "  code", "  check", "  index", "  keywords",
                                    "  compress", "  order-files", "  exception-rules", "  code-keywords"})
            EXPECT_TRUE(r.Out.contains(QLatin1String(command))) << form << ": " << command;
    }
}

// "COMMAND --help" is a request for help, not a code, file or prefix named --help.
TEST_F(Cli, HelpAfterACommandPrintsTheHelp) {
    for (const char* command : {"show", "check", "code", "index", "compress"})
        for (const char* form : {"--help", "-h"}) {
            const Result r = Run({QLatin1String(command), QLatin1String(form)});
            EXPECT_EQ(r.Status, 0) << command << ' ' << form << ": " << r.Err.toStdString();
            EXPECT_EQ(r.Err, QString()) << command << ' ' << form;
            EXPECT_TRUE(r.Out.startsWith(QLatin1String("usage: tabulon-cli"))) << command << ' ' << form;
        }
}

// The administrator commands are reachable from tabulon-cli, with its error prefix.
TEST_F(Cli, DispatchesAdministratorCommands) {
    const QString source = FRoot.filePath(QStringLiteral("source.txt"));
    const QString packed = FRoot.filePath(QStringLiteral("source.dzip"));
    {
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("A00      Cholera\r\n");
    }
    const Result ok = Run({QStringLiteral("compress"), source, packed});
    EXPECT_EQ(ok.Status, 0) << ok.Err.toStdString();
    QFile result(packed);
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_TRUE(result.readAll().startsWith("\x78\xDA"));

    const Result missing = Run({QStringLiteral("compress"), FRoot.filePath(QStringLiteral("none.txt")), packed});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_TRUE(missing.Err.startsWith(QStringLiteral("tabulon-cli: "))) << missing.Err.toStdString();

    const Result usage = Run({QStringLiteral("order-files"), source});
    EXPECT_EQ(usage.Status, 2);
    EXPECT_TRUE(usage.Err.startsWith(QStringLiteral("tabulon-cli: order-files needs other arguments"))) << usage.Err.toStdString();
}

// A second start-up in one process must load into fresh containers: keyword counts must not
// add up and code look-ups must not reach the tree of the earlier load.
TEST_F(Cli, RepeatedCommandsInOneProcessGiveTheSameAnswers) {
    for (const QStringList& args : {QStringList{QStringLiteral("keywords"), QStringLiteral("c")},
                                    QStringList{QStringLiteral("code"), QStringLiteral("S06.0X1A")},
                                    QStringList{QStringLiteral("index"), QStringLiteral("disease"), QStringLiteral("c")}}) {
        const Result first = Run(args);
        const Result second = Run(args);
        EXPECT_EQ(first.Status, 0) << first.Err.toStdString();
        EXPECT_EQ(second.Status, 0) << second.Err.toStdString();
        EXPECT_EQ(second.Out, first.Out) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(second.Err, QString()) << second.Err.toStdString();
    }
}

} // namespace
