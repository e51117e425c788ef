// The frame every XML loader runs in: mark the data set as loading, inflate and parse its
// document, walk it, turn any failure into the data set's message and the failed state, and
// publish "loaded" only when nothing else happened to the state meanwhile.
#pragma once

#include "DataSets.h"
#include "LoadState.h"

#include <QString>

#include <functional>
#include <pugixml.hpp>

// Runs the walk over the parsed document of AId. The caller has emptied its containers.
void RunXmlLoaderFrame(TDataSet AId, TLoadState& AState, const QString& AFailureMessage,
                       const std::function<void(const pugi::xml_node& ARoot)>& AWalk);

// Text of an element as a DOM reader sees it: all its character data, descendants included.
QString NodeText(const pugi::xml_node& ANode);

// Integer value of an element text; throws std::invalid_argument when it is not an integer.
int StrictInteger(const QString& AText);
