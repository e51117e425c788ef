// tabulon-cli admin prepare-edition: an edition file from the release files as published, for
// Tabulon --edition and tabulon-cli --edition.
#pragma once

#include <QStringList>
#include <QTextStream>

// Runs it on the arguments after "prepare-edition": 0 written, 1 a derivation or check failed or
// the file could not be written, 2 bad arguments or unreadable sources.
int RunPrepareEditionCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr);

extern const char* const kPrepareEditionUsage;
