// A command-line tool's commands as one table. Each row names a command, gives its lines of the
// help text and runs it; the tool both finds the command to run and writes its help text from
// the same rows, so no command runs without being described and none is described that does not
// run. tabulon-cli has three: its own commands, the administrator commands tabulon-dataprep
// shares, and the operations of "admin".
#pragma once

#include "ExitStatus.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <vector>

// The streams a command reads and writes.
struct TCommandStreams {
    QTextStream& In;
    QTextStream& Out;
    QTextStream& Err;
};

// Runs a command on the words after its name; returns its exit status (ExitStatus.h).
using TCommandRun = std::function<int(const QStringList& AArgs, const TCommandStreams& AStreams)>;

struct TCommand {
    // What the user types; null for a row that is only help text (a note under the rows above).
    const char* Name;
    // Its lines of the help text, each line ending in a newline; empty when another row's lines
    // describe it too (search and suggest) or its help stands under a heading of its own.
    const char* Usage;
    TCommandRun Run;
};

using TCommandTable = std::vector<TCommand>;

// The row named AName; null when there is none.
const TCommand* FindCommand(const TCommandTable& ATable, const QString& AName);

// The help lines of every row, in the table's order.
QString UsageOf(const TCommandTable& ATable);

// The names of the rows, in the table's order (notes left out).
QStringList NamesOf(const TCommandTable& ATable);
