// Failures to keep what the user saves: a folder of the program's that cannot be created, a
// settings, history or account file that cannot be written. Each is reported once per run and
// path to one injectable sink (the windows show a message box, the tools print to standard
// error); a file inside a folder already reported is not reported again, so a user whose data
// folder cannot be made hears about it once, not at every write. User-interface thread only.
#pragma once

#include "LoaderMessages.h"

#include <QString>

// Installs the sink; an empty function restores the default, standard error.
void SetStorageMessageSink(TMessageSink ASink);

// Reports AText about APath (a folder with a trailing "/", or a file) unless APath, or a folder
// above it, was reported before in this run.
void ReportStorageFailure(const QString& APath, const QString& AText);

// Forgets what was reported (a new start-up in the same process, tests).
void ForgetReportedStorageFailures();

// Creates the folder of AFile with every folder above it. On failure reports "AWhat could not be
// saved to AFile: the folder ... cannot be created (reason)" and returns false.
bool PrepareFolderOfFile(const QString& AFile, const QString& AWhat);
