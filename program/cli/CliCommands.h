// The commands of tabulon-cli, runnable in-process so that tests can drive them.
#pragma once

#include <QStringList>
#include <QTextStream>

// Runs one command line (without the program name). Starts the data engine on the embedded
// data sets and waits for its loaders when the command needs data. Returns the exit status:
// 0 success, 1 the asked-for thing was not found or a data set failed, 2 a usage error.
int RunCliCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr);
