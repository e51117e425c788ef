#include "DataSets.h"

#include "Compression.h"

#include <QFile>

#include <stdexcept>

namespace {
const std::array<TDataSetInfo, DataSetCount> kDataSets = {{
    {TDataSet::Tabular, "Tabular", "icd10cm_tabular_%1", ".xml"},
    {TDataSet::DIndex, "DIndex", "icd10cm_index_%1", ".xml"},
    {TDataSet::EIndex, "EIndex", "icd10cm_eindex_%1", ".xml"},
    {TDataSet::TableOfDrugs, "TableOfDrugs", "icd10cm_drug_%1", ".xml"},
    {TDataSet::TableOfNeoplasms, "TableOfNeoplasms", "icd10cm_neoplasm_%1", ".xml"},
    {TDataSet::CodeKeywords, "CodeKeywords", "CodeKeywords%1", ".txt"},
    {TDataSet::SpecialKWs, "SpecialKWs", "SpecialKWs%1", ".txt"},
    {TDataSet::ShortDesc, "ShortDesc", "ReportableCodesShort%1", ".txt"},
}};

// Each slot is written by start-up before the loaders run and then taken by one loader only.
// Never destroyed: a loader may still take its stream while the process exits.
auto& gStreams = *new std::array<std::unique_ptr<TResourceStream>, DataSetCount>();
} // namespace

const std::array<TDataSetInfo, DataSetCount>& DataSetTable() { return kDataSets; }

const TDataSetInfo& DataSetInfo(TDataSet AId) { return kDataSets[static_cast<int>(AId)]; }

QString DataSetSourceName(TDataSet AId, const QString& AYear) {
    const TDataSetInfo& info = DataSetInfo(AId);
    return QString::fromLatin1(info.SourceStem).arg(AYear) + QString::fromLatin1(info.SourceExt);
}

void PutResourceStream(TDataSet AId, std::unique_ptr<TResourceStream> AStream) {
    gStreams[static_cast<int>(AId)] = std::move(AStream);
}

std::unique_ptr<TResourceStream> TakeResourceStream(TDataSet AId) {
    return std::move(gStreams[static_cast<int>(AId)]);
}

std::string InflateResource(const TResourceStream* AStream) {
    if (!AStream)
        throw std::runtime_error("data set stream is missing");
    if (!AStream->Compressed())
        return std::string(AStream->Bytes().begin(), AStream->Bytes().end());
    return InflateZlib(AStream->Bytes());
}

std::unique_ptr<TResourceStream> ReadSourceFile(const QString& APath) {
    QFile file(APath);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray bytes = file.readAll();
    return TResourceStream::Uncompressed(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}
