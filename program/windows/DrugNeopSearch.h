// TfrmDrugNeopSearch: the table search, for the table of drugs and chemicals (FType
// TTermData::DrugTable) or of neoplasms (TTermData::NeoplasmTable). Each term is a grid row
// with its six code cells under a header row that the window draws itself. Like the index search, one window shows one level of the table and
// opens a new window on top for a term's sub-terms (what the two share is TTermLevelWindow's);
// a code cell opens the code viewer. The neoplasm table has a single main term, so its first
// window opens on that term's sub-terms. Ctrl+F opens the Find window over it, with the same
// code viewer.
//
// Keyboard: every page opens with its first data row current (never the header row); Enter or
// Down in the search box moves into the grid there, and the grid's type-ahead matches titles.
// F5 views the code of the current cell.
//
// Modal results (TSearchResult): BackToMainTerm goes back to the main term (in the neoplasm
// table: to the first level), Back one level back, Quit quits the program.
#pragma once

#include "TermLevelWindow.h"

#include <memory>

namespace Ui {
class TfrmDrugNeopSearch;
}

class TfrmDrugNeopSearch : public TTermLevelWindow {
    Q_OBJECT

  public:
    // AOpenCode as for TTermLevelWindow.
    explicit TfrmDrugNeopSearch(TMessageService& AMessages, TCodeOpener AOpenCode = {},
                                QWidget* AParent = nullptr);
    ~TfrmDrugNeopSearch() override;

    // Height of the header row for this window's table, and of every data row.
    int HeaderHeight() const { return FType == TTermData::NeoplasmTable ? 36 : 50; }
    static constexpr int DataRowHeight = 20;

  protected:
    // FormShow also sets FCurItem where the table has a single main term.
    void FormShow() override;
    void FormResize() override;
    void ShowTerms(const QList<const TTerm*>& APageTerms) override;
    // The term of the current row when it is a data row.
    const TTerm* TermAtHand() const override;
    std::unique_ptr<TTermLevelWindow> NewSubTermWindow() override;
    bool HandleViewKey(int AKey) override;
    void EnterList() override;
    void ListDoubleClick(const QPoint& APos) override;
    void PopupMenu1Popup() override;
    // The neoplasm window that opened on the table's single main term.
    bool KeepsOpenOnBackToMainTerm() const override;

  private:
    void SetColumnWidths();
    void SetHeaderRow();
    void ViewCode();

    std::unique_ptr<Ui::TfrmDrugNeopSearch> FUi;
    QAction* ViewCode1;
    QAction* ViewSubTermS1;
};
