// tabulon-cli diff OLD NEW: what changed between two editions of the classification, the
// annual update list a coder reviews.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextStream>

// One edition's codes: every header and reportable code, in the edition's own order, with its
// long description and whether it is reportable.
struct TEditionCodes {
    struct TEntry {
        QString Description;
        bool Reportable = false;
    };
    QStringList Order;
    QHash<QString, TEntry> Codes;
};

// What changed from AOld to ANew; each list in the order of the edition that has the codes
// (deleted: the old one's, the others: the new one's).
struct TEditionDiff {
    QStringList Added;          // in ANew only
    QStringList Deleted;        // in AOld only
    QStringList Redescribed;    // in both, the long description differs (accents aside)
    QStringList NowReportable;  // a header in AOld, reportable in ANew
    QStringList NoLongerReportable; // reportable in AOld, a header in ANew
};

TEditionDiff DiffEditions(const TEditionCodes& AOld, const TEditionCodes& ANew);

// Runs the command; exit 0 when both editions were read (whether or not they differ), 2 on bad
// arguments, an unreadable file or a refused edition file, 1 when an edition's tabular list
// failed to load.
int RunDiffCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr);

extern const char* const kDiffUsage;
