// Helpers the engine tests share: fixtures fed to the loaders as the program feeds its
// embedded data sets, a recorder for loader messages, and temporary folders.
#pragma once

#include "DataSets.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <ostream>
#include <string>

#include <sys/resource.h>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& AText, std::ostream* AOut) { *AOut << '"' << AText.toStdString() << '"'; }

// Compresses ADocument and puts it in place as the data set's stream, as start-up does.
void PutDataSet(TDataSet AId, const std::string& ADocument);

// Reads a file of the official data folder; empty when the folder or file is absent.
std::string ReadOfficialFile(const QString& AName);

// Starts the engine on the embedded data sets, with its folders (ProgramData, AppData) in a
// temporary folder that lasts the rest of the test program, and waits for every loader: for the
// test suites that share one loaded engine.
void LoadEngineForSuite();

// Collects loader messages while it lives (and restores the printing sink afterwards).
class TMessageRecorder {
public:
    TMessageRecorder();
    ~TMessageRecorder();
    QStringList Messages() const;
};

// A minimal tabular document around the given chapter elements.
std::string TabularDocument(const std::string& AChapters);

// Limits the size of every file this process writes, as a full disk would; restores the limit
// when it goes.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t ABytes) {
        getrlimit(RLIMIT_FSIZE, &FOld);
        FOldHandler = std::signal(SIGXFSZ, SIG_IGN); // a failing write, not a killed process
        rlimit limit = FOld;
        limit.rlim_cur = ABytes;
        FSet = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;
    bool Set() const { return FSet; }

private:
    rlimit FOld{};
    void (*FOldHandler)(int) = nullptr;
    bool FSet = false;
};

// Collects the storage messages (StorageMessages.h) while it lives, starting from a run in which
// nothing was reported yet.
class TStorageMessageRecorder {
public:
    TStorageMessageRecorder();
    ~TStorageMessageRecorder();
    QStringList Messages() const { return FMessages; }

private:
    QStringList FMessages;
};
