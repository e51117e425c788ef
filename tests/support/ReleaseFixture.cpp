#include "ReleaseFixture.h"

#include "EmbeddedResources.h"

#include <QDir>
#include <QFile>
#include <QProcess>

bool WriteSampleRelease(const QString& AFolder, const QString& AYear) {
    const QDir sample(QStringLiteral(TABULON_SAMPLE_DIR));
    const QDir target(AFolder);
    if (!target.mkpath(QStringLiteral("Table and Index")))
        return false;
    for (const char* kind : {"tabular", "index", "eindex", "drug", "neoplasm"}) {
        const QString name = QStringLiteral("Table and Index/icd10cm_%1_%2.xml").arg(QLatin1String(kind), AYear);
        if (!QFile::copy(sample.filePath(QLatin1String(kind) + QStringLiteral(".xml")), target.filePath(name)))
            return false;
    }
    return QFile::copy(sample.filePath(QStringLiteral("order.txt")),
                       target.filePath(QStringLiteral("icd10cm_order_%1.txt").arg(AYear)));
}

bool ZipFiles(const QString& AFolder, const QStringList& AFiles, const QString& AArchive,
              QString& AError) {
    QProcess zip;
    zip.setWorkingDirectory(AFolder);
    zip.setProcessChannelMode(QProcess::MergedChannels);
    zip.start(QStringLiteral("zip"), QStringList{QStringLiteral("-q"), QStringLiteral("-r"), AArchive} + AFiles);
    if (!zip.waitForFinished(60000) || zip.exitStatus() != QProcess::NormalExit || zip.exitCode() != 0) {
        AError = zip.errorString() + QLatin1Char(' ') + QString::fromLocal8Bit(zip.readAll());
        return false;
    }
    return true;
}

bool WriteZippedSampleRelease(const QString& AFolder, QString& AError) {
    const QString release = AFolder + QStringLiteral("/release");
    if (!WriteSampleRelease(release)) {
        AError = QStringLiteral("the sample release cannot be written into ") + release;
        return false;
    }
    return ZipFiles(release, {QStringLiteral("Table and Index")}, AFolder + QStringLiteral("/tables.zip"), AError) &&
           ZipFiles(release, {QStringLiteral("icd10cm_order_2023.txt")}, AFolder + QStringLiteral("/order.zip"),
                    AError);
}

TEditionContents EmbeddedContents(const QString& AYear, const QDate& AEffective) {
    TEditionContents contents;
    contents.Facts.Year = AYear;
    contents.Facts.EffectiveDate = AEffective;
    contents.Facts.PreparedBy = QStringLiteral("a test");
    for (const TDataSetInfo& info : DataSetTable())
        for (const TEmbeddedResource& resource : EmbeddedResources())
            if (QLatin1String(resource.Name) == QLatin1String(info.ResourceName))
                contents.DataSets[static_cast<int>(info.Id)].assign(resource.Begin, resource.End);
    return contents;
}

bool WriteBytes(const QString& APath, const QByteArray& ABytes) {
    QFile file(APath);
    return file.open(QIODevice::WriteOnly) && file.write(ABytes) == ABytes.size() && file.flush();
}

QByteArray ReadBytes(const QString& APath) {
    QFile file(APath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
