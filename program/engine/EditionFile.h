// Edition files: one file that carries a whole edition of the classification (its eight
// compressed data sets and its facts), so that a new edition is used without building the
// program again. tabulon-cli admin prepare-edition writes them; --edition reads them.
//
// Layout (integers little-endian):
//   offset  size  content
//   0       16    the mark "TABULONEDITION\r\n" (the CR LF shows a copy that altered line ends)
//   16      4     format version, 1
//   20      8     payload size N
//   28      32    SHA-256 of the payload
//   60      N     payload: a 4-byte size F, F bytes of facts (a UTF-8 JSON object), then the
//                 data sets' zlib streams one after another, in the order the facts list them
// The facts: "year" ("2023"), "effectiveDate" ("2022-10-01"), "dataSets" ([{"name", "size"}],
// each of the eight resource names of DataSets.h once), "sources" ([{"file", "from", "sha256"}],
// the release files it was prepared from) and "preparedBy".
// A file is taken only whole: the mark, the version, its exact length and the checksum are
// checked before anything of the payload is used.
#pragma once

#include "DataSets.h"

#include <QByteArray>
#include <QDate>
#include <QJsonArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

inline constexpr std::uint32_t EditionFormatVersion = 1;

// What is known of an edition besides its data sets.
struct TEditionFacts {
    QString Year;          // the edition, as the tabular list's version element names it
    QDate EffectiveDate;   // the first day it is in force (1 October of the year before)
    QJsonArray Sources;    // the release files it was prepared from (empty when embedded)
    QString PreparedBy;    // program and version that prepared it
};

// The effective date of an edition that says no other: 1 October of the year before AYear.
QDate DefaultEffectiveDate(const QString& AYear);

struct TEditionContents {
    TEditionFacts Facts;
    // The zlib stream of each data set, indexed by TDataSet.
    std::array<std::vector<std::uint8_t>, DataSetCount> DataSets;
};

// True when ABytes begin with the mark of an edition file, or are a beginning of it (a file cut
// short inside its mark). Such bytes are meant as an edition: ReadEditionBytes says what is
// wrong with them, where a reader of another kind of file would only misread them.
bool HasEditionMark(const QByteArray& ABytes);

// The bytes of an edition file holding AContents.
QByteArray EditionFileBytes(const TEditionContents& AContents);

// Reads an edition from the bytes of a file. Nothing when they are not a whole, undamaged
// edition file of this format version; AReason then says why, in words that follow a file name
// ("is not an edition file", "is truncated ...", "is damaged: ...").
std::optional<TEditionContents> ReadEditionBytes(const QByteArray& ABytes, QString& AReason);

// Writes an edition file in one piece (a file of that name is replaced only when the whole new
// one was written). False with the reason in AError.
bool SaveEditionFile(const QString& APath, const TEditionContents& AContents, QString& AError);

// Reads the edition file APath. Nothing when it cannot be read or is refused; AError then names
// the file and the reason.
std::optional<TEditionContents> LoadEditionFile(const QString& APath, QString& AError);
