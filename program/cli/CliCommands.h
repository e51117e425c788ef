// The commands of tabulon-cli, runnable in-process so that tests can drive them.
#pragma once

#include "CommandTable.h"

#include <QStringList>
#include <QTextStream>

// Runs one command line (without the program name). A leading "--edition FILE" makes that
// edition file the one in use, else the embedded edition is (Edition.h). Starts the data engine
// on the edition's data sets and waits for its loaders when the command needs data. Returns the
// exit status (ExitStatus.h): ExitFound on success, ExitNotFound when the asked-for thing was not
// found or a data set failed, ExitUsage for a usage error or an unreadable input file. Every
// error message goes to AErr, prefixed "tabulon-cli: ".
// Administrator commands (compress, order-files, ...) are dispatched to RunAdminCommand.
int RunCliCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr);

// The same, reading standard input for "check -" from AIn.
int RunCliCommand(const QStringList& AArgs, QTextStream& AIn, QTextStream& AOut, QTextStream& AErr);

// The commands of the engine, in the order of the help text ("admin" runs the table of
// AdminToolCommand.h; the administrator commands of AdminCommands.h come before these).
const TCommandTable& CliCommandTable();
