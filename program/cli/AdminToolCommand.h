// tabulon-cli admin SUBCOMMAND: the administrator tool's operations for scripts, with the same
// default files (in the program folder, named for the embedded edition) as the window.
#pragma once

#include <QStringList>
#include <QTextStream>

int RunAdminToolCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr);

extern const char* const kAdminToolUsage;
