#include "PrepareEdition.h"

#include "Compression.h"
#include "DataSets.h"
#include "EditionFile.h"
#include "ReleaseFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// The edition the tabular list declares in its version element; empty when it has none.
QString DeclaredYear(const QByteArray& ATabular) {
    static const QRegularExpression version(QStringLiteral("<version>\\s*(\\d{4})\\s*</version>"));
    return version.match(QString::fromUtf8(ATabular.left(64 * 1024))).captured(1);
}

std::vector<std::uint8_t> Deflate(const QByteArray& ABytes) {
    return DeflateZlib({reinterpret_cast<const std::uint8_t*>(ABytes.constData()),
                        static_cast<std::size_t>(ABytes.size())});
}

bool WriteWhole(const QString& APath, const QByteArray& ABytes, QStringList& AProblems) {
    QFile file(APath);
    if (file.open(QIODevice::WriteOnly) && file.write(ABytes) == ABytes.size() && file.flush())
        return true;
    AProblems << QStringLiteral("cannot write %1: %2").arg(APath, file.errorString());
    return false;
}

bool ReadWhole(const QString& APath, QByteArray& ABytes, QStringList& AProblems) {
    QFile file(APath);
    if (file.open(QIODevice::ReadOnly)) {
        ABytes = file.readAll();
        if (file.error() == QFileDevice::NoError)
            return true;
    }
    AProblems << QStringLiteral("cannot read %1: %2").arg(APath, file.errorString());
    return false;
}

// The edition all release files belong to: the tabular list's version element, which every
// file name must repeat. Empty, with the reasons in AProblems, when they disagree.
QString EditionYear(const TReleaseFiles& AFiles, QStringList& AProblems) {
    const TReleaseFile& tabular = *AFiles[TReleaseKind::Tabular];
    QString year = DeclaredYear(tabular.Bytes);
    if (year.isEmpty())
        year = tabular.Year;
    else if (year != tabular.Year)
        AProblems << QStringLiteral("%1 declares the edition %2 in its version element").arg(tabular.Origin, year);
    for (const auto& file : AFiles.Files)
        if (file->Year != year)
            AProblems << QStringLiteral("%1 is of the edition %2, the tabular list of %3")
                             .arg(file->Origin, file->Year, year);
    return AProblems.isEmpty() ? year : QString();
}

QJsonObject SourceFact(const TReleaseFile& AFile) {
    return {{QStringLiteral("file"), AFile.Name},
            {QStringLiteral("from"), AFile.Origin},
            {QStringLiteral("sha256"),
             QString::fromLatin1(QCryptographicHash::hash(AFile.Bytes, QCryptographicHash::Sha256).toHex())}};
}

} // namespace

bool PrepareEdition(const QStringList& ASources, const QString& AOutFile,
                    const TPrepareEditionOptions& AOptions, TPrepareEditionReport& AReport) {
    QStringList& problems = AReport.Problems;
    const TReleaseFiles release = CollectReleaseFiles(ASources);
    problems << release.Problems;
    static const char* const published[ReleaseKindCount] = {
        "icd10cm_tabular_YEAR.xml",  "icd10cm_index_YEAR.xml",    "icd10cm_eindex_YEAR.xml",
        "icd10cm_drug_YEAR.xml",     "icd10cm_neoplasm_YEAR.xml", "icd10cm_order_YEAR.txt"};
    for (int kind = 0; kind < ReleaseKindCount; ++kind)
        if (!release.Files[kind])
            problems << QStringLiteral("no %1 (%2) among the sources")
                            .arg(ReleaseKindName(static_cast<TReleaseKind>(kind)),
                                 QLatin1String(published[kind]));
    if (AOptions.PluralsStream.empty() || AOptions.PluralsStream.front() != 0x78)
        problems << QStringLiteral("the irregular-plural list to include is missing");
    if (!problems.isEmpty())
        return false;
    const QString year = EditionYear(release, problems);
    if (year.isEmpty())
        return false;
    AReport.Year = year;
    AReport.EffectiveDate = AOptions.EffectiveDate.isValid() ? AOptions.EffectiveDate : DefaultEffectiveDate(year);
    for (const auto& file : release.Files)
        AReport.Sources << QStringLiteral("%1 from %2").arg(file->Name, file->Origin);

    // The derivations read and write files, as at build time: the release files go into a
    // private folder under their published names, the derived ones beside them.
    QTemporaryDir work;
    if (!work.isValid()) {
        problems << QStringLiteral("cannot make a working folder: %1").arg(work.errorString());
        return false;
    }
    const QDir dir(work.path());
    const QString tabular = dir.filePath(QStringLiteral("release-tabular.xml"));
    const QString index = dir.filePath(QStringLiteral("release-index.xml"));
    const QString order = dir.filePath(QStringLiteral("release-order.txt"));
    if (!WriteWhole(tabular, release[TReleaseKind::Tabular]->Bytes, problems) ||
        !WriteWhole(index, release[TReleaseKind::DiseaseIndex]->Bytes, problems) ||
        !WriteWhole(order, release[TReleaseKind::Order]->Bytes, problems))
        return false;

    const QString ruledTabular = dir.filePath(DataSetSourceName(TDataSet::Tabular, year));
    if (!DeriveExceptionRules(tabular, order, ruledTabular, AReport.Rules)) {
        problems << AReport.Rules.Problems;
        if (problems.isEmpty())
            problems << QStringLiteral("the exception rules could not be derived");
        return false;
    }
    const auto derived = [&dir, &year](const char* AStem) {
        return dir.filePath(QStringLiteral("ICD_10_%1_%2.txt").arg(year, QLatin1String(AStem)));
    };
    const TAdminOutcome orderOutcome = StatisticsOrderFile(
        order, derived("New_ShortDesc"), derived("New_LongDesc"), derived("New_ShortDesc_WithFlag"),
        derived("New_LongDesc_WithFlag"), derived("ReportableCodesShort"), derived("ReportableCodesLong"),
        &AReport.OrderCounts);
    if (!orderOutcome) {
        problems << orderOutcome.Error;
        return false;
    }
    const QString keywords = dir.filePath(DataSetSourceName(TDataSet::CodeKeywords, year));
    if (!DeriveCodeKeywords(tabular, index, keywords, AReport.Keywords)) {
        problems << AReport.Keywords.Problems;
        return false;
    }

    TEditionContents contents;
    contents.Facts.Year = year;
    contents.Facts.EffectiveDate = AReport.EffectiveDate;
    contents.Facts.PreparedBy = AOptions.PreparedBy;
    for (const auto& file : release.Files)
        contents.Facts.Sources.append(SourceFact(*file));
    QByteArray ruled, shortDescriptions, keywordText;
    if (!ReadWhole(ruledTabular, ruled, problems) ||
        !ReadWhole(derived("ReportableCodesShort"), shortDescriptions, problems) ||
        !ReadWhole(keywords, keywordText, problems))
        return false;
    const auto put = [&contents](TDataSet AId, std::vector<std::uint8_t> AStream) {
        contents.DataSets[static_cast<int>(AId)] = std::move(AStream);
    };
    put(TDataSet::Tabular, Deflate(ruled));
    put(TDataSet::DIndex, Deflate(release[TReleaseKind::DiseaseIndex]->Bytes));
    put(TDataSet::EIndex, Deflate(release[TReleaseKind::ExternalIndex]->Bytes));
    put(TDataSet::TableOfDrugs, Deflate(release[TReleaseKind::Drugs]->Bytes));
    put(TDataSet::TableOfNeoplasms, Deflate(release[TReleaseKind::Neoplasms]->Bytes));
    put(TDataSet::CodeKeywords, Deflate(keywordText));
    put(TDataSet::SpecialKWs, AOptions.PluralsStream);
    put(TDataSet::ShortDesc, Deflate(shortDescriptions));

    QString error;
    if (!SaveEditionFile(AOutFile, contents, error)) {
        problems << error;
        return false;
    }
    AReport.FileSize = QFileInfo(AOutFile).size();
    return true;
}
