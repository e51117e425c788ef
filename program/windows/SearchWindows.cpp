#include "SearchWindows.h"

#include "ChapterSearch.h"
#include "KeywordSearch.h"

std::unique_ptr<QDialog> CreateSearchWindow(TSearchWindow AKind, TMessageService& AMessages) {
    switch (AKind) {
    case TSearchWindow::KeywordSearch: {
        auto window = std::make_unique<TfrmKeyWordSearch>(AMessages);
        window->FInitType = 0;
        return window;
    }
    case TSearchWindow::ChapterBrowser:
        return std::make_unique<TfrmChapterSearch>(AMessages);
    case TSearchWindow::DiseaseIndex:
    case TSearchWindow::ExternalIndex:
    case TSearchWindow::DrugTable:
    case TSearchWindow::NeoplasmTable:
    case TSearchWindow::AdministratorTool:
        break;
    }
    return nullptr;
}
