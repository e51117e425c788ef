// tabulon-cli admin SUBCOMMAND: the administrator tool's operations for scripts, with the same
// default files (in the program folder, named for the embedded edition) as the window.
#pragma once

#include "CommandTable.h"

#include <QStringList>
#include <QTextStream>

int RunAdminToolCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr);

// The operations that fall back on the tool's default files, with the note that says so.
const TCommandTable& DefaultFileOperations();
// Those and prepare-edition: every operation "admin" runs, in the order of the help text.
const TCommandTable& AdminToolCommandTable();
