// How much of the tabular list is in memory: the figures the command line and the
// administrator's statistics report.
#pragma once

#include "TabularModel.h"

struct TTabularCounts {
    int Chapters = 0;
    int Sections = 0;
    int Categories = 0; // level-0 codes
    int Codes = 0;      // nodes of every level, categories included
};

TTabularCounts CountTabular(const TOwningList<TChapter>& AChapters);
