#include "DiffSource.h"

#include "CliSupport.h"
#include "DataEngine.h"
#include "DataSets.h"
#include "Edition.h"
#include "EngineGlobals.h"
#include "OrderFile.h"
#include "TabularLoader.h"

#include <QFile>

namespace {

void ReadOrderLines(const QByteArray& ABytes, TEditionCodes& AEdition) {
    for (const QByteArray& raw : ABytes.split('\n')) {
        TOrderLine line;
        const QByteArray text = raw.endsWith('\r') ? raw.chopped(1) : raw;
        if (!ParseOrderLine(QString::fromLatin1(text), line))
            continue;
        if (!AEdition.Codes.contains(line.Code))
            AEdition.Order << line.Code;
        AEdition.Codes.insert(line.Code, {line.LongDesc, line.Valid});
    }
}

// Every header and reportable code of the tabular list in ChapterList, in its order.
void ReadLoadedTabularCodes(TEditionCodes& AEdition) {
    for (const auto& chapter : *ChapterList)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList) {
                QStringList codes, flags, descriptions;
                category->GetAllNodeAndCodes(codes, flags, descriptions);
                for (qsizetype i = 0; i < codes.size(); ++i) {
                    if (!AEdition.Codes.contains(codes[i]))
                        AEdition.Order << codes[i];
                    AEdition.Codes.insert(codes[i], {descriptions[i], flags[i] == QLatin1String("1")});
                }
            }
}

// Loads the tabular list of one edition from its compressed stream and reads its codes.
bool ReadTabularCodes(std::unique_ptr<TResourceStream> AStream, TEditionCodes& AEdition) {
    // No loader of an earlier start-up may still be filling the containers this load empties.
    WaitForLoaders();
    WriteState(TabularLoadState, LoadNotStarted);
    PutResourceStream(TDataSet::Tabular, std::move(AStream));
    LoadTabular();
    if (ReadState(TabularLoadState) != LoadDone)
        return false;
    ReadLoadedTabularCodes(AEdition);
    return true;
}

// The tabular list the program carries, whichever edition is in use.
const TEmbeddedResource* EmbeddedTabular() {
    for (const TEmbeddedResource& resource : EmbeddedResources())
        if (QLatin1String(resource.Name).compare(QLatin1String(DataSetInfo(TDataSet::Tabular).ResourceName),
                                                 Qt::CaseInsensitive) == 0)
            return &resource;
    return nullptr;
}

int ReadEmbedded(TDiffSource& ASource, QString& AError) {
    ASource.Kind = TDiffSourceKind::Embedded;
    ASource.Year = EmbeddedEditionFacts().Year;
    ASource.Label = QStringLiteral("embedded ICD-10-CM %1").arg(ASource.Year);
    const TEmbeddedResource* tabular = EmbeddedTabular();
    if (!tabular || !ReadTabularCodes(std::make_unique<TResourceStream>(tabular->Bytes()), ASource.Codes)) {
        AError = QStringLiteral("the tabular list of the %1 edition failed to load").arg(ASource.Label);
        return ExitNotFound;
    }
    return ExitFound;
}

int ReadEditionFile(const QByteArray& ABytes, TDiffSource& ASource, QString& AError) {
    ASource.Kind = TDiffSourceKind::EditionFile;
    QString reason;
    std::optional<TEditionContents> contents = ReadEditionBytes(ABytes, reason);
    if (!contents) {
        AError = QStringLiteral("%1 %2").arg(ASource.File, reason);
        return ExitUsage;
    }
    ASource.Year = contents->Facts.Year;
    ASource.Label = QStringLiteral("edition file %1 (%2)").arg(ASource.File, ASource.Year);
    auto& stream = contents->DataSets[static_cast<int>(TDataSet::Tabular)];
    if (!ReadTabularCodes(std::make_unique<TResourceStream>(std::move(stream)), ASource.Codes)) {
        AError = QStringLiteral("the tabular list of the %1 failed to load").arg(ASource.Label);
        return ExitNotFound;
    }
    return ExitFound;
}

} // namespace

int ReadDiffSource(const QString& AArg, TDiffSource& ASource, QString& AError) {
    ASource = TDiffSource();
    if (AArg == QLatin1String(kEmbeddedEditionWord))
        return ReadEmbedded(ASource, AError);
    ASource.File = AArg;
    QFile file(AArg);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        AError = QStringLiteral("cannot read %1: %2").arg(AArg, file.errorString());
        return ExitUsage;
    }
    if (HasEditionMark(bytes))
        return ReadEditionFile(bytes, ASource, AError);
    ASource.Kind = TDiffSourceKind::OrderFile;
    ASource.Label = QStringLiteral("order file %1").arg(AArg);
    ReadOrderLines(bytes, ASource.Codes);
    if (ASource.Codes.Order.isEmpty()) {
        AError = QStringLiteral("%1 holds no order-file line").arg(AArg);
        return ExitUsage;
    }
    return ExitFound;
}
