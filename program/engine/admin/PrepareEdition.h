// Preparing an edition file (EditionFile.h) from the release files as published: the same
// derivations and checks as the build that embeds an edition - the seventh-character exception
// rules with the check that the result's reportable codes equal the order file's, the code
// keywords from the tabular list and the index to diseases, the short descriptions from the
// order file - then the eight data sets compressed at level 9 as the build compresses them.
#pragma once

#include "CodeKeywordDerivation.h"
#include "ExceptionRules.h"
#include "OrderFile.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

struct TPrepareEditionOptions {
    QDate EffectiveDate;                     // invalid: 1 October of the year before the edition
    std::vector<std::uint8_t> PluralsStream; // the irregular-plural data set (the program's own
                                             // list, the same for every edition), compressed
    QString PreparedBy;                      // program and version, kept in the facts
};

struct TPrepareEditionReport {
    QString Year;
    QDate EffectiveDate;
    QStringList Sources; // "NAME from ORIGIN", one per release file used
    TExceptionRuleReport Rules;
    TCodeKeywordReport Keywords;
    TOrderFileCounts OrderCounts;
    qint64 FileSize = 0;
    QStringList Problems; // why it failed
};

// Reads the six release files from ASources (ReleaseFiles.h), derives and checks, and writes the
// edition file AOutFile. False, writing nothing, when a release file is missing, unreadable or
// found twice with other contents, when the files are of different editions, when a derivation
// fails or its check finds a difference, or when AOutFile cannot be written; AReport.Problems
// says why.
bool PrepareEdition(const QStringList& ASources, const QString& AOutFile,
                    const TPrepareEditionOptions& AOptions, TPrepareEditionReport& AReport);
