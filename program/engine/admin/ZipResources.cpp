#include "ZipResources.h"

#include "Compression.h"

#include <QFileInfo>

QStringList ResourceSourceFiles(const QString& AYear) {
    return {QStringLiteral("icd10cm_index_%1.xml").arg(AYear),
            QStringLiteral("icd10cm_eindex_%1.xml").arg(AYear),
            QStringLiteral("icd10cm_drug_%1.xml").arg(AYear),
            QStringLiteral("icd10cm_neoplasm_%1.xml").arg(AYear),
            QStringLiteral("icd10cm_tabular_%1.xml").arg(AYear),
            QStringLiteral("CodeKeywords%1.txt").arg(AYear),
            QStringLiteral("SpecialKWs%1.txt").arg(AYear),
            QStringLiteral("ReportableCodesShort%1.txt").arg(AYear)};
}

QString ZippedResourceName(const QString& ASourceFile) {
    return QFileInfo(ASourceFile).completeBaseName() + QStringLiteral(".dzip");
}

TAdminOutcome ZipResourceFiles(const QString& AFolder, const QString& AYear, QStringList* AWritten) {
    for (const QString& source : ResourceSourceFiles(AYear)) {
        const QString dest = AFolder + ZippedResourceName(source);
        QString error;
        if (!CompressFile(AFolder + source, dest, &error))
            return TAdminOutcome::Failed(error);
        if (AWritten)
            *AWritten << dest;
    }
    return {};
}
