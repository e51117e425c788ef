// Builds the letters and terms of the four index data sets on loader threads 1 to 4.
#pragma once

#include "IndexModel.h"
#include "LoadState.h"

#include <memory>
#include <pugixml.hpp>

// AType 1 index to diseases, 2 external causes, 3 drugs, 4 neoplasms; any other value returns
// at once. Empties the target list and runs the XML loader frame (failure message "Load Alpha
// Search File Fail1!").
void LoadIndex(int AType);

// Readers of one term and its sub-terms; their loops run while AState is 1.
std::unique_ptr<TTerm> ReadIndexTerm(const pugi::xml_node& ANode, TTerm::TParent AParent,
                                     int ALevel, const TLoadState& AState);
std::unique_ptr<TTerm> ReadTableTerm(const pugi::xml_node& ANode, TTerm::TParent AParent,
                                     int ALevel, const TLoadState& AState);

// The title of a term element: its text with each non-essential modifier (nemod) joined in as
// " modifier ".
QString ReadTermTitle(const pugi::xml_node& ATitle);
