// tabulon-cli search and suggest: the keyword search of the keyword search window, for scripts.
#pragma once

#include <QStringList>
#include <QTextStream>

// search [--full-text] [--in LIST] TEXT: the categories that keywords (or words of the tabular
// texts) find, with the keyword file's count of every keyword.
int RunSearchCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr);
// suggest [--full-text] TEXT: the suggestion pages for the partial keyword after TEXT's last
// comma.
int RunSuggestCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr);

extern const char* const kSearchUsage;
