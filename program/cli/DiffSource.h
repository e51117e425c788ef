// The editions tabulon-cli diff compares: an edition file (EditionFile.h), the edition embedded in
// the program, or a published order file, each read into its codes together with a label that
// says which of these it is.
#pragma once

#include "DiffCommand.h"

#include <QString>

enum class TDiffSourceKind { EditionFile, Embedded, OrderFile };

struct TDiffSource {
    TDiffSourceKind Kind = TDiffSourceKind::OrderFile;
    QString File;  // the file read; empty for the embedded edition
    QString Year;  // the edition's year; empty for an order file, whose lines do not say it
    // What the output calls it: "edition file FILE (2023)", "embedded ICD-10-CM 2023" or
    // "order file FILE".
    QString Label;
    TEditionCodes Codes;
};

// The word that names the edition embedded in the program. It means that edition even while an
// edition file is in use (--edition): a diff against the file in use names the file.
inline constexpr const char* kEmbeddedEditionWord = "embedded";

// Reads the edition AArg names: the embedded edition for "embedded"; an edition file when the
// file begins with the edition mark (a damaged one is refused with the edition reader's reason,
// never read as an order file); an order file otherwise. Returns ExitFound when read, ExitUsage
// when the file cannot be read, is a refused edition file or holds no order-file line, and
// ExitNotFound when an edition's tabular list fails to load; AError then says why.
//
// An edition's codes come from its tabular list, loaded into the engine's tabular containers on
// the calling thread: the engine must not be running its loaders meanwhile (the command waits
// for them), and ChapterList holds the last edition read afterwards.
int ReadDiffSource(const QString& AArg, TDiffSource& ASource, QString& AError);
