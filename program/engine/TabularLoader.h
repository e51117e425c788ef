// Builds IntroductionData and ChapterList from the embedded tabular list on loader thread 0.
#pragma once

#include "TabularModel.h"

#include <memory>
#include <pugixml.hpp>

// Empties the containers and loads the "Tabular" data set into them, driving
// TabularLoadState: LoadRunning while walking, LoadDone when done, LoadFailed after a failure
// (message "Load Tabular File Fail1!"), and it leaves LoadStopRequested in place when a stop was
// requested meanwhile.
void LoadTabular();

// Loads an uncompressed tabular list file the same way (the administrator operations read their
// source files so); true when the load ended in state 2.
bool LoadTabularFromFile(const QString& APath);

// The readers of the walk; each loop over children runs only while TabularLoadState is 1.
std::unique_ptr<TSubChapter> ReadSectionNode(const pugi::xml_node& ANode, TChapter* AChapter);
std::unique_ptr<TCodeInfo> ReadCodeNode(const pugi::xml_node& ANode, TSubChapter* ASubChapter,
                                        TCodeInfo* AParent, int ALevel);
// A category of the visual impairment table; none for the heading row.
std::unique_ptr<TVisCategory> ReadVisCategory(const pugi::xml_node& ANode);
