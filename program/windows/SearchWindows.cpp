#include "SearchWindows.h"

#include "AdministratorTool.h"
#include "AlphaSearch.h"
#include "ChapterSearch.h"
#include "Accounts.h"
#include "DrugNeopSearch.h"
#include "EngineGlobals.h"
#include "Favorites.h"
#include "Find.h"
#include "KeywordSearch.h"

namespace {

std::unique_ptr<QDialog> AlphaSearch(int AType, TMessageService& AMessages) {
    auto window = std::make_unique<TfrmAlphaSearch>(AMessages);
    window->FType = AType;
    return window;
}

std::unique_ptr<QDialog> TableSearch(int AType, TMessageService& AMessages) {
    auto window = std::make_unique<TfrmDrugNeopSearch>(AMessages);
    window->FType = AType;
    return window;
}

} // namespace

std::unique_ptr<QDialog> CreateSearchWindow(TSearchWindow AKind, TMessageService& AMessages) {
    switch (AKind) {
    case TSearchWindow::KeywordSearch: {
        auto window = std::make_unique<TfrmKeyWordSearch>(AMessages);
        window->FInitType = TViewerStart::KeywordSearch;
        return window;
    }
    case TSearchWindow::ChapterBrowser:
        return std::make_unique<TfrmChapterSearch>(AMessages);
    case TSearchWindow::FindCode:
        return std::make_unique<TfrmFind>(AMessages);
    case TSearchWindow::Favorites:
        if (!CurrentAccount || !CurrentAccount->IsLoaded())
            return nullptr;
        return std::make_unique<TfrmFavorites>(AMessages, *CurrentAccount);
    case TSearchWindow::DiseaseIndex:
        return AlphaSearch(TTermData::DiseaseIndex, AMessages);
    case TSearchWindow::ExternalIndex:
        return AlphaSearch(TTermData::ExternalIndex, AMessages);
    case TSearchWindow::DrugTable:
        return TableSearch(TTermData::DrugTable, AMessages);
    case TSearchWindow::NeoplasmTable:
        return TableSearch(TTermData::NeoplasmTable, AMessages);
    case TSearchWindow::AdministratorTool:
        return std::make_unique<TfrmAdministratorTool>(AMessages);
    }
    return nullptr;
}
