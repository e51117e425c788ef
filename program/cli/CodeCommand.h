// tabulon-cli code CODE: everything the tabular list says about one code.
#pragma once

#include <QStringList>
#include <QTextStream>

int RunCodeCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr);

extern const char* const kCodeUsage;
