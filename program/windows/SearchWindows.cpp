#include "SearchWindows.h"

#include "AlphaSearch.h"

namespace {

std::unique_ptr<QDialog> AlphaSearch(int AType, TMessageService& AMessages) {
    auto window = std::make_unique<TfrmAlphaSearch>(AMessages);
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
    case TSearchWindow::NeoplasmTable:
    case TSearchWindow::KeywordSearch:
    case TSearchWindow::ChapterBrowser:
    case TSearchWindow::AdministratorTool:
        break;
    }
    return nullptr;
}
