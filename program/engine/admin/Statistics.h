// Statistics of the loaded data sets: how many lines the index and table terms, chapters,
// sections and categories take, how many nodes each level of the tabular list holds, and how
// many reportable codes there are by number of code characters. Optionally writes the
// program's own order file: every node (flag 0) and every reportable code (flag 1), category by
// category in tabular order, as "code padded to nine" + flag + " " + description.
#pragma once

#include "AdminFiles.h"
#include "EngineGlobals.h"

#include <QStringList>

// The lists the statistics read.
struct TStatisticsSources {
    const TChapterList* Chapters = nullptr;
    const TAlphaLetterList* DiseaseIndex = nullptr;
    const TAlphaLetterList* ExternalIndex = nullptr;
    const TAlphaLetterList* DrugTable = nullptr;
    const TAlphaLetterList* NeoplasmTable = nullptr;
};

// Counts ASources; with AGenerateOrderFile writes the order file AFileName as well. AMemo gets
// the two result lines (index terms, then the tabular list) unless the order file cannot be
// created, when the operation ends at once.
TAdminOutcome StatisticsOf(const TStatisticsSources& ASources, bool AGenerateOrderFile,
                           const QString& AFileName, QStringList& AMemo);

// The same on the program's loaded data sets, waiting (without a dialog) for each data set
// that is still loading.
TAdminOutcome Statistics(bool AGenerateOrderFile, const QString& AFileName, QStringList& AMemo);
