// The command tables of tabulon-cli against what is made from them elsewhere: the help text and
// the bash completion, which lists the commands by hand.
#include "AdminCommands.h"
#include "AdminToolCommand.h"
#include "CliCommands.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QString HelpText() {
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    EXPECT_EQ(RunCliCommand({QStringLiteral("--help")}, outStream, errStream), ExitFound);
    outStream.flush();
    return out;
}

// The words of the completion script's list that starts with AOpening and ends at the next
// double quote.
QStringList CompletionWords(const QString& AScript, const QString& AOpening) {
    const qsizetype start = AScript.indexOf(AOpening);
    if (start < 0)
        return {};
    const qsizetype from = start + AOpening.size();
    const qsizetype end = AScript.indexOf(QLatin1Char('"'), from);
    return AScript.mid(from, end - from).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

QSet<QString> AsSet(const QStringList& AList) { return {AList.cbegin(), AList.cend()}; }

TEST(CliCommandTable, EveryCommandHasHelpLinesAndEveryNameIsUnique) {
    const QString help = HelpText();
    const struct {
        const char* Table;
        const TCommandTable& Rows;
        const char* Prefix; // how a help line starts the command
    } tables[] = {
        {"commands", CliCommandTable(), "  "},
        {"administrator commands", AdminCommandTable(), "  "},
        {"admin operations", AdminToolCommandTable(), "  admin "},
    };
    for (const auto& table : tables) {
        const QStringList names = NamesOf(table.Rows);
        EXPECT_EQ(AsSet(names).size(), names.size()) << table.Table;
        for (const TCommand& row : table.Rows) {
            EXPECT_TRUE(help.contains(QLatin1String(row.Usage))) << table.Table << ": " << row.Usage;
            if (!row.Name) {
                EXPECT_FALSE(row.Run) << "a note row runs nothing";
                continue;
            }
            EXPECT_TRUE(row.Run) << row.Name;
            if (QLatin1String(row.Name) == QLatin1String("admin"))
                continue; // its operations are the third table
            const QRegularExpression line(QStringLiteral("(^|\\n)%1%2[ ,\\n]")
                                              .arg(QLatin1String(table.Prefix),
                                                   QRegularExpression::escape(QLatin1String(row.Name))));
            EXPECT_TRUE(line.match(help).hasMatch()) << table.Table << ": no help line for " << row.Name;
        }
    }
}

TEST(CliCommandTable, BashCompletionOffersExactlyTheCommandsOfTheTables) {
    QFile file(QStringLiteral(TABULON_CLI_COMPLETION));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << TABULON_CLI_COMPLETION;
    const QString script = QString::fromUtf8(file.readAll());

    const QStringList commands = CompletionWords(script, QStringLiteral("local commands=\""));
    ASSERT_FALSE(commands.isEmpty());
    EXPECT_EQ(AsSet(commands), AsSet(NamesOf(CliCommandTable()) + NamesOf(AdminCommandTable())));

    const QStringList operations = CompletionWords(script, QStringLiteral("compgen -W \"stat"));
    ASSERT_FALSE(operations.isEmpty());
    EXPECT_EQ(AsSet(QStringList{QStringLiteral("stat")} + operations), AsSet(NamesOf(AdminToolCommandTable())));
}

TEST(CliCommandTable, LookUpFindsRowsByTheirWholeNameOnly) {
    const TCommandTable& rows = AdminToolCommandTable();
    ASSERT_NE(FindCommand(rows, QStringLiteral("stat")), nullptr);
    EXPECT_STREQ(FindCommand(rows, QStringLiteral("stat"))->Name, "stat");
    for (const char* name : {"", "sta", "stats", "STAT", "Paths"})
        EXPECT_EQ(FindCommand(rows, QLatin1String(name)), nullptr) << name;
}

} // namespace
