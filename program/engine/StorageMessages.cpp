#include "StorageMessages.h"

#include "Folders.h"

#include <QStringList>

#include <cstdio>

namespace {
TMessageSink gSink;
QStringList gReported;

bool AlreadyReported(const QString& APath) {
    for (const QString& reported : gReported)
        if (APath == reported || (reported.endsWith(QLatin1Char('/')) && APath.startsWith(reported)))
            return true;
    return false;
}
} // namespace

void SetStorageMessageSink(TMessageSink ASink) { gSink = std::move(ASink); }

void ReportStorageFailure(const QString& APath, const QString& AText) {
    if (AlreadyReported(APath))
        return;
    gReported << APath;
    if (gSink) {
        gSink(AText);
        return;
    }
    std::fprintf(stderr, "%s\n", AText.toUtf8().constData());
    std::fflush(stderr);
}

void ForgetReportedStorageFailures() { gReported.clear(); }

bool PrepareFolderOfFile(const QString& AFile, const QString& AWhat) {
    const QString folder = FolderOfFile(AFile);
    QString error;
    if (folder.isEmpty() || CreateFolderPath(folder, &error))
        return true;
    ReportStorageFailure(folder, QStringLiteral("%1 could not be saved to %2: the folder %3 cannot be created (%4).")
                                     .arg(AWhat, AFile, folder, error));
    return false;
}
