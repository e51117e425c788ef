#include "SearchWindows.h"

#include "AlphaSearch.h"
#include "DrugNeopSearch.h"

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
    case TSearchWindow::DiseaseIndex:
        return AlphaSearch(1, AMessages);
    case TSearchWindow::ExternalIndex:
        return AlphaSearch(2, AMessages);
    case TSearchWindow::DrugTable:
        return TableSearch(3, AMessages);
    case TSearchWindow::NeoplasmTable:
        return TableSearch(4, AMessages);
    case TSearchWindow::KeywordSearch:
    case TSearchWindow::ChapterBrowser:
    case TSearchWindow::AdministratorTool:
        break;
    }
    return nullptr;
}
