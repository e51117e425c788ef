// The administrator operations that prepare the data sets, as commands: tabulon-dataprep runs
// them at build time, tabulon-cli offers them too.
#pragma once

#include <QStringList>
#include <QTextStream>

// True when AArgs names an administrator command.
bool IsAdminCommand(const QStringList& AArgs);

// Runs it: 0 success, 1 failure (reasons on AErr, each line starting with AErrorPrefix), 2 usage
// error.
int RunAdminCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr,
                    const char* AErrorPrefix = "tabulon: ");

// One line per command, for the help texts.
extern const char* const kAdminUsage;
