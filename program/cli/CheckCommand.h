// tabulon-cli check FILE|-: one code per line, each reported as reportable, header or unknown.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// The code field of one input line: the first column of a CSV line (quotes removed, "" read as
// one quote), cut at a tab or semicolon too, trimmed. Empty for a blank line.
QString CheckLineCode(const QString& ALine);

struct TCheckTally {
    qsizetype Reportable = 0;
    qsizetype Headers = 0;
    qsizetype Unknown = 0;
    qsizetype Total() const { return Reportable + Headers + Unknown; }
};

// Checks every line of AIn and writes one result line per code to AOut (only the codes that are
// not reportable with AProblemsOnly); no summary. The tabular list must be loaded.
TCheckTally CheckCodeLines(QTextStream& AIn, bool AProblemsOnly, QTextStream& AOut);

// Runs the command; AIn is read when the file argument is "-". Exit status 0 when every code was
// reportable, 1 otherwise, 2 on bad arguments or an unreadable file.
int RunCheckCommand(const QStringList& AArgs, QTextStream& AIn, QTextStream& AOut, QTextStream& AErr);

extern const char* const kCheckUsage;
