#include "SearchWindows.h"

std::unique_ptr<QDialog> CreateSearchWindow(TSearchWindow AKind) {
    switch (AKind) {
    case TSearchWindow::DiseaseIndex:
    case TSearchWindow::ExternalIndex:
    case TSearchWindow::DrugTable:
    case TSearchWindow::NeoplasmTable:
    case TSearchWindow::KeywordSearch:
    case TSearchWindow::ChapterBrowser:
    case TSearchWindow::AdministratorTool:
        break;
    }
    return nullptr;
}
