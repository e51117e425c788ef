// Helpers the engine tests share: fixtures fed to the loaders as the program feeds its
// embedded data sets, a recorder for loader messages, and temporary folders.
#pragma once

#include "DataSets.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <ostream>
#include <string>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& AText, std::ostream* AOut) { *AOut << '"' << AText.toStdString() << '"'; }

// Compresses ADocument and puts it in place as the data set's stream, as start-up does.
void PutDataSet(TDataSet AId, const std::string& ADocument);

// Reads a file of the official data folder; empty when the folder or file is absent.
std::string ReadOfficialFile(const QString& AName);

// Collects loader messages while it lives (and restores the printing sink afterwards).
class TMessageRecorder {
public:
    TMessageRecorder();
    ~TMessageRecorder();
    QStringList Messages() const;
};

// A minimal tabular document around the given chapter elements.
std::string TabularDocument(const std::string& AChapters);
