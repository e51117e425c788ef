// The windows the main window opens. Each arrives with its own unit; until then the main
// window tells the user that the window is not available yet.
#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class TMessageService;

enum class TSearchWindow {
    DiseaseIndex,      // alphabetic index of diseases and injuries
    ExternalIndex,     // alphabetic index of external causes
    DrugTable,         // table of drugs and chemicals
    NeoplasmTable,     // table of neoplasms
    KeywordSearch,     // keyword search and code viewer
    ChapterBrowser,    // chapters of the tabular list
    AdministratorTool, // hidden administrator tool
};

// Creates the window of AKind with its start field set; nullptr when this build has none yet.
// Modal results: 3 quits the program, anything else returns to the main window.
using TSearchWindowFactory = std::function<std::unique_ptr<QDialog>(TSearchWindow AKind)>;

// The windows of this build; they report through AMessages.
std::unique_ptr<QDialog> CreateSearchWindow(TSearchWindow AKind, TMessageService& AMessages);
