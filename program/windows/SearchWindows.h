// The windows the main window opens. A window not in this build yet is reported to the user as
// not available.
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
    FindCode,          // the ranked code search
    Favorites,         // the favourite codes of the logged-in account
    AdministratorTool, // hidden administrator tool
};

// Creates the window of AKind with its start field set; nullptr when this build has none yet
// (and for the favourite codes when nobody is logged in).
// Modal results: TSearchResult::Quit quits the program, anything else returns to the main window.
using TSearchWindowFactory = std::function<std::unique_ptr<QDialog>(TSearchWindow AKind)>;

// The windows of this build; their message boxes go through AMessages.
std::unique_ptr<QDialog> CreateSearchWindow(TSearchWindow AKind, TMessageService& AMessages);
