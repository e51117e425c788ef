// The administrator operations that prepare the data sets, as commands: tabulon-dataprep runs
// them at build time, tabulon-cli offers them too.
#pragma once

#include "CommandTable.h"

#include <QStringList>
#include <QTextStream>

// True when AArgs names an administrator command.
bool IsAdminCommand(const QStringList& AArgs);

// Runs it: ExitFound on success, ExitNotFound on failure (reasons on AErr, each line starting
// with AErrorPrefix), ExitUsage for a usage error.
int RunAdminCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr,
                    const char* AErrorPrefix = "tabulon: ");

// The commands with their help lines (their runs write errors with the prefix RunAdminCommand
// was given: run them through it).
const TCommandTable& AdminCommandTable();
