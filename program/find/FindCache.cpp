#include "FindCache.h"

#include "DataSets.h"
#include "EmbeddedResources.h"
#include "EngineGlobals.h"
#include "FindSynonyms.h"
#include "Folders.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>
#include <unistd.h>

namespace {
// Raised whenever the documents or the terms of the index change meaning.
constexpr int kFindIndexLayout = 5;
const QString kEntryPrefix = QStringLiteral("index-");
const QString kBuildPrefix = QStringLiteral(".build-");

// Removes indexes of other keys, and unfinished builds left by programs that ended an hour ago
// or more (a build still running elsewhere is younger).
void RemoveStaleEntries(const QString& ACacheFolder, const QString& AKeep) {
    const QDir folder(ACacheFolder);
    const QDateTime hourAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
    const QFileInfoList entries =
        folder.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        const bool otherIndex = name.startsWith(kEntryPrefix) && name != AKeep;
        const bool oldBuild = name.startsWith(kBuildPrefix) && entry.lastModified().toUTC() < hourAgo;
        if (otherIndex || oldBuild)
            QDir(entry.absoluteFilePath()).removeRecursively();
    }
}

std::unique_ptr<TFindIndex> OpenCached(const QString& AFolder, const QString& AKey,
                                       const TFindMessageSink& AMessages) {
    if (!QFileInfo::exists(AFolder))
        return nullptr;
    QString error;
    std::unique_ptr<TFindIndex> index = TFindIndex::OpenFolder(AFolder, AKey, error);
    if (index)
        return index;
    AMessages(QStringLiteral("the find index in %1 cannot be used (%2); it is built again")
                  .arg(AFolder, error));
    QDir(AFolder).removeRecursively();
    return nullptr;
}
} // namespace

QString FindCacheFolder() { return XdgFolder("XDG_CACHE_HOME", ".cache") + QStringLiteral("/tabulon/find"); }

QString FindIndexKey() {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArray::number(kFindIndexLayout));
    for (const TDataSetInfo& info : DataSetTable()) {
        hash.addData(QByteArray(info.ResourceName));
        if (const TEmbeddedResource* resource =
                FindEmbeddedResource(QLatin1String(info.ResourceName))) {
            const auto bytes = resource->Bytes();
            hash.addData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        }
    }
    hash.addData(FindSynonymText().toUtf8());
    return DataYear + QLatin1Char('-') + QString::fromLatin1(hash.result().toHex().left(20));
}

TFindIndexOutcome OpenOrBuildFindIndex(const QString& ACacheFolder, const QString& AKey,
                                       const TFindDocumentSource& ASource,
                                       const TFindMessageSink& AMessages) {
    TFindIndexOutcome outcome;
    const QString entry = kEntryPrefix + AKey;
    const QString finalFolder = ACacheFolder + QLatin1Char('/') + entry;
    if ((outcome.Index = OpenCached(finalFolder, AKey, AMessages))) {
        outcome.Origin = TFindIndexOrigin::Reused;
        return outcome;
    }

    const std::optional<std::vector<TFindDocument>> documents = ASource();
    if (!documents)
        return outcome;

    const auto inMemory = [&](const QString& AReason) {
        AMessages(QStringLiteral("the find index cannot be kept in %1 (%2); it is held in memory "
                                 "for this run")
                      .arg(ACacheFolder, AReason));
        outcome.Index = TFindIndex::BuildInMemory(*documents);
        outcome.Origin = TFindIndexOrigin::InMemory;
        return std::move(outcome);
    };

    QString reason;
    if (!CreateFolderPath(ACacheFolder, &reason))
        return inMemory(reason);
    const QString buildFolder =
        ACacheFolder + QLatin1Char('/') + kBuildPrefix + AKey +
        QStringLiteral("-%1-%2").arg(::getpid()).arg(QRandomGenerator::global()->generate(), 8, 16,
                                                     QLatin1Char('0'));
    QString error;
    if (!TFindIndex::WriteFolder(*documents, buildFolder, AKey, error)) {
        QDir(buildFolder).removeRecursively();
        return inMemory(error);
    }
    if (std::rename(QFile::encodeName(buildFolder).constData(),
                    QFile::encodeName(finalFolder).constData()) != 0) {
        // Another program put the same index in place first: use that one.
        QDir(buildFolder).removeRecursively();
    }
    if (!(outcome.Index = TFindIndex::OpenFolder(finalFolder, AKey, error)))
        return inMemory(error);
    outcome.Origin = TFindIndexOrigin::Built;
    RemoveStaleEntries(ACacheFolder, entry);
    return outcome;
}
