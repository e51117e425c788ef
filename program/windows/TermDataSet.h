// Which index or table a term window shows (its FType, and the type SearchListedTerms takes).
// The numbers are those of the data sets themselves (TDataSet), so a window's type names the
// data set it reads; openers and tests set them, so they keep their values.
#pragma once

#include "DataSets.h"

namespace TTermData {
inline constexpr int DiseaseIndex = 1;  // alphabetic index of diseases and injuries
inline constexpr int ExternalIndex = 2; // alphabetic index of external causes
inline constexpr int DrugTable = 3;     // table of drugs and chemicals
inline constexpr int NeoplasmTable = 4; // table of neoplasms
} // namespace TTermData

static_assert(TTermData::DiseaseIndex == static_cast<int>(TDataSet::DIndex));
static_assert(TTermData::ExternalIndex == static_cast<int>(TDataSet::EIndex));
static_assert(TTermData::DrugTable == static_cast<int>(TDataSet::TableOfDrugs));
static_assert(TTermData::NeoplasmTable == static_cast<int>(TDataSet::TableOfNeoplasms));
