// tabulon-cli keywords PREFIX: keyword suggestions with the number of times each is listed.
#pragma once

#include <QStringList>
#include <QTextStream>

int RunKeywordsCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr);

extern const char* const kKeywordsUsage;
