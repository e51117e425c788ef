// The files of an ICD-10-CM release as they are published: the tabular list, the index to
// diseases, the external cause index, the tables of drugs and of neoplasms (one zip archive, in
// a folder of its own inside it) and the order file (another archive), or a folder holding them
// as unpacked. Files are recognised by their published names, case ignored, with "_" or "-"
// between the parts and an optional month before the year: icd10cm_tabular_2023.xml,
// icd10cm-order-2023.txt, icd10cm_index_April_2024.xml. Everything else in an archive or folder
// (documents, schemas, addenda) is passed over.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

enum class TReleaseKind : int { Tabular, DiseaseIndex, ExternalIndex, Drugs, Neoplasms, Order };
inline constexpr int ReleaseKindCount = 6;

struct TReleaseFile {
    TReleaseKind Kind = TReleaseKind::Tabular;
    QString Year;    // the year in its name
    QString Name;    // its own name, without any folder
    QString Origin;  // where it was found: the file's path, or "ARCHIVE: MEMBER"
    QByteArray Bytes;
};

// What a published file name stands for; nothing for a name of no release file.
struct TReleaseName {
    TReleaseKind Kind;
    QString Year;
};
std::optional<TReleaseName> ClassifyReleaseName(const QString& AFileName);

// The kind's name in messages ("tabular list", "order file", ...).
QString ReleaseKindName(TReleaseKind AKind);

struct TReleaseFiles {
    std::array<std::optional<TReleaseFile>, ReleaseKindCount> Files;
    QStringList Problems; // sources that cannot be read, and kinds found twice with other contents
    const std::optional<TReleaseFile>& operator[](TReleaseKind AKind) const {
        return Files[static_cast<int>(AKind)];
    }
};

// Gathers the release files from ASources: zip archives (read with libzip), folders (searched
// with their sub-folders, zip archives in them opened too) and single release files. A kind
// found twice with the same bytes is taken once; with other bytes it is a problem. Kinds not
// found stay empty: the caller says which it needs.
TReleaseFiles CollectReleaseFiles(const QStringList& ASources);
