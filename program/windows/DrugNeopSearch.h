// TfrmDrugNeopSearch: the table search, for the table of drugs and chemicals (FType 3) or of
// neoplasms (FType 4). Each term is a grid row with its six code cells under a header row that
// the window draws itself. Like the index search, one window shows one level of the table and
// opens a new window on top for a term's sub-terms; a code cell opens the code viewer. The
// neoplasm table has a single main term, so its first window opens on that term's sub-terms.
// Ctrl+F opens the Find window over it, with the same code viewer.
//
// Keyboard: every page opens with its first data row current (never the header row); Enter or
// Down in the search box moves into the grid there, and the grid's type-ahead matches titles.
//
// Modal results: 1 back to the main term (in the neoplasm table: to the first level), 2 back
// one level, 3 quit the program.
#pragma once

#include "CodeViewerLink.h"
#include "IndexModel.h"

#include <QDialog>
#include <QList>

#include <memory>

namespace Ui {
class TfrmDrugNeopSearch;
}
class QAction;
class QMenu;
class TMessageService;

class TfrmDrugNeopSearch : public QDialog {
    Q_OBJECT

  public:
    // AOpenCode opens the code viewer (empty: DefaultCodeOpener). Sub-term windows get the same
    // message service and opener.
    explicit TfrmDrugNeopSearch(TMessageService& AMessages, TCodeOpener AOpenCode = {},
                                QWidget* AParent = nullptr);
    ~TfrmDrugNeopSearch() override;

    // Set by the opener before showing (FCurItem also by the window itself, see FormShow).
    int FType = 0;                   // 3 drugs and chemicals, 4 neoplasms
    const TTerm* FCurItem = nullptr; // none: main terms; else the term whose sub-terms are listed

    // The current result, the page size and the page (from 1); read by the tests.
    QList<const TTerm*> FItemList;
    int FLinesPerPage = 20;
    int FCurPage = 1;

    // Height of the header row for this window's table, and of every data row.
    int HeaderHeight() const { return FType == 4 ? 36 : 50; }
    static constexpr int DataRowHeight = 20;

    void reject() override;

  protected:
    void showEvent(QShowEvent* AEvent) override;
    void keyPressEvent(QKeyEvent* AEvent) override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

  private:
    void FormShow();
    void FormResize();
    void SetColumnWidths();
    void SetHeaderRow();
    void BuildTrail();
    void Search();
    void RenderPage();
    void NextPage();
    void PriorPage();
    bool HandleKey(int AKey, bool AWithEnter);
    // The term of the current row when it is a data row.
    const TTerm* CurrentTerm() const;
    void ViewCode();
    void ViewSubTerm();
    void GridDoubleClick(int ARow, int AColumn);
    void PopupMenu1Popup();
    void ShowPopupMenu(const QPoint& APos);
    void EditChanged();
    // Enter or Down in the search box: the grid gets the focus on its first data row.
    void EnterGrid();
    void QuitPrompt();

    std::unique_ptr<Ui::TfrmDrugNeopSearch> FUi;
    TMessageService& FMessages;
    TCodeOpener FOpenCode;
    QMenu* PopupMenu1;
    QAction* ViewCode1;
    QAction* ViewSubTermS1;
    bool FShown = false;
    bool FShowing = false; // FormShow runs: it sets the page size itself
};
