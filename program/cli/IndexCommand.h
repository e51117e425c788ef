// tabulon-cli index disease|external|drug|neoplasm PREFIX: main terms of an index or table by
// the beginning of their titles.
#pragma once

#include <QStringList>
#include <QTextStream>

int RunIndexCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr);

extern const char* const kIndexUsage;
