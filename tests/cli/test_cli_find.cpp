// tabulon-cli find on the embedded sample data set: ranked lines, the correction line, JSON,
// the limit, and the exit statuses. The index is kept in a temporary cache folder.
#include "CliTestRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

class FindCommand : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        qputenv("XDG_CACHE_HOME", (FRoot.path() + QStringLiteral("/cache")).toUtf8());
    }
    TCliResult Find(const QStringList& AArgs) { return Run(QStringList{QStringLiteral("find")} + AArgs); }
};

TEST_F(FindCommand, PrintsRankedCodesOnePerLine) {
    struct TCase {
        QStringList Args;
        const char* FirstLine;
        int Lines;
    };
    const TCase cases[] = {
        // Through the index entry "Typhus -- see Typhoid".
        {{QStringLiteral("typhus")},
         "A01.00   * Typhoid fever, unspecified  [A01 Typhoid and paratyphoid fevers]", -1},
        // A code as typed: the code first; a header code has no "*".
        {{QStringLiteral("a000")},
         "A00.0    * Cholera due to Vibrio cholerae 01, biovar cholerae  [A00 Cholera]", 1},
        {{QStringLiteral("A01")}, "A01        Typhoid and paratyphoid fevers  [A01 Typhoid and paratyphoid fevers]", -1},
        {{QStringLiteral("--limit"), QStringLiteral("1"), QStringLiteral("cholera")}, nullptr, 1},
        // Words in any order, split over several arguments.
        {{QStringLiteral("fever"), QStringLiteral("typhoid")}, nullptr, -1},
    };
    for (const TCase& entry : cases) {
        const TCliResult result = Find(entry.Args);
        ASSERT_EQ(result.Status, 0) << Describe(entry.Args, result);
        const QStringList lines = result.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_FALSE(lines.isEmpty());
        if (entry.FirstLine) {
            EXPECT_EQ(lines.front(), QString::fromUtf8(entry.FirstLine)) << Describe(entry.Args, result);
        }
        if (entry.Lines >= 0) {
            EXPECT_EQ(lines.size(), entry.Lines) << Describe(entry.Args, result);
        }
        EXPECT_EQ(result.Err, QString()) << Describe(entry.Args, result);
    }
}

TEST_F(FindCommand, SaysWhatItCorrected) {
    const TCliResult result = Find({QStringLiteral("typhod fever")});
    ASSERT_EQ(result.Status, 0) << Describe({QStringLiteral("typhod fever")}, result);
    const QStringList lines = result.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Showing results for typhoid fever \u2014 search instead for typhod fever"));
    EXPECT_TRUE(lines[1].startsWith(QLatin1String("A01.0"))) << lines[1].toStdString();
}

TEST_F(FindCommand, JsonHoldsTheSameResults) {
    const TCliResult result = Find({QStringLiteral("--json"), QStringLiteral("--limit=2"), QStringLiteral("typhod")});
    ASSERT_EQ(result.Status, 0) << result.Err.toStdString();
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(result.Out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << result.Out.toStdString();
    EXPECT_EQ(object.value(QStringLiteral("query")).toString(), QStringLiteral("typhod"));
    EXPECT_EQ(object.value(QStringLiteral("correctedQuery")).toString(), QStringLiteral("typhoid"));
    const QJsonArray results = object.value(QStringLiteral("results")).toArray();
    ASSERT_EQ(results.size(), 2);
    const QJsonObject first = results[0].toObject();
    EXPECT_TRUE(first.value(QStringLiteral("code")).toString().startsWith(QLatin1String("A01")));
    EXPECT_EQ(first.value(QStringLiteral("category")).toString(), QStringLiteral("A01"));
    EXPECT_EQ(first.value(QStringLiteral("categoryTitle")).toString(), QStringLiteral("Typhoid and paratyphoid fevers"));
    EXPECT_TRUE(first.value(QStringLiteral("reportable")).isBool());
    EXPECT_FALSE(first.value(QStringLiteral("description")).toString().isEmpty());
}

TEST_F(FindCommand, FailsClearly) {
    struct TCase {
        QStringList Args;
        int Status;
        const char* Message;
    };
    const TCase cases[] = {
        {{}, 2, "tabulon-cli: find needs a query"},
        {{QStringLiteral("--json")}, 2, "tabulon-cli: find needs a query"},
        {{QStringLiteral("--limit"), QStringLiteral("x"), QStringLiteral("cholera")}, 2, "tabulon-cli: "},
        {{QStringLiteral("--limit"), QStringLiteral("0"), QStringLiteral("cholera")}, 2, "tabulon-cli: --limit must be 1 or more"},
        {{QStringLiteral("xyzzyq")}, 1, "tabulon-cli: no code found for xyzzyq"},
    };
    for (const TCase& entry : cases) {
        const TCliResult result = Find(entry.Args);
        EXPECT_EQ(result.Status, entry.Status) << Describe(entry.Args, result);
        EXPECT_TRUE(result.Err.startsWith(QLatin1String(entry.Message))) << Describe(entry.Args, result);
        EXPECT_EQ(result.Out, QString()) << Describe(entry.Args, result);
    }
}

} // namespace
