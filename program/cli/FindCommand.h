// tabulon-cli find: the ranked search of the Find window, for scripts.
#pragma once

#include <QStringList>
#include <QTextStream>

// find [--limit N] [--json] QUERY: the best codes for QUERY, one per line, after the correction
// line when a word was corrected. Exit 1 when nothing is found.
int RunFindCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr);

extern const char* const kFindUsage;
