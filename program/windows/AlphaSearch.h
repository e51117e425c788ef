// TfrmAlphaSearch: the alphabetic index search, for the index of diseases and injuries (FType 1)
// or of external causes (FType 2). One window shows one level of the index: the main terms, or
// the sub-terms of FCurItem. The user types the beginning of a title, pages through the result,
// opens a term's sub-terms in a new window on top (a chain of modal windows) and opens the
// term's code, manifestation, see-category or see-subcategory in the code viewer. Ctrl+F opens
// the Find window over it, with the same code viewer.
//
// Keyboard: every page opens with its first row selected; Enter or Down in the search box moves
// into the list there, and the list's type-ahead matches titles (never the marker column).
//
// Modal results: 1 back to the main term (closes the chain of sub-term windows down to the
// main-term window), 2 back one level, 3 quit the program.
#pragma once

#include "CodeViewerLink.h"
#include "IndexCodeText.h"
#include "IndexModel.h"

#include <QDialog>
#include <QList>

#include <memory>

namespace Ui {
class TfrmAlphaSearch;
}
class QMenu;
class QAction;
class QTreeWidgetItem;
class TMessageService;

class TfrmAlphaSearch : public QDialog {
    Q_OBJECT

  public:
    // AOpenCode opens the code viewer (empty: DefaultCodeOpener). Sub-term windows get the same
    // message service and opener.
    explicit TfrmAlphaSearch(TMessageService& AMessages, TCodeOpener AOpenCode = {},
                             QWidget* AParent = nullptr);
    ~TfrmAlphaSearch() override;

    // Set by the opener before showing.
    int FType = 0;                   // 1 diseases and injuries, 2 external causes
    const TTerm* FCurItem = nullptr; // none: main terms; else the term whose sub-terms are listed

    // The current result, the page size and the page (from 1); read by the tests.
    QList<const TTerm*> FItemList;
    int FLinesPerPage = 20;
    int FCurPage = 1;
    const int ROW_HEIGHT_PX;

    void reject() override;

  protected:
    void showEvent(QShowEvent* AEvent) override;
    void keyPressEvent(QKeyEvent* AEvent) override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

  private:
    void FormShow();
    void FormResize();
    void BuildTrail();
    void Search();
    void RenderPage();
    void NextPage();
    void PriorPage();
    // Runs the window's command for AKey; false when AKey is none of its keys. Enter counts only
    // when AWithEnter (the list's own keys).
    bool HandleKey(int AKey, bool AWithEnter);
    const TTerm* SelectedTerm() const;
    int SelectedRow() const;
    void ViewField(TTermField AField);
    void ViewSubTerm();
    void ListDoubleClick(int AX);
    void PopupMenu1Popup();
    void ShowPopupMenu(const QPoint& APos);
    void EditChanged();
    // Enter or Down in the search box: the list gets the focus on its first row.
    void EnterList();
    void QuitPrompt();

    std::unique_ptr<Ui::TfrmAlphaSearch> FUi;
    TMessageService& FMessages;
    TCodeOpener FOpenCode;
    QMenu* PopupMenu1;
    QAction* ViewCode1;
    QAction* ViewSubTermS1;
    QAction* SeeCategory1;
    QAction* SeeSubcategory1;
    QAction* ViewManifestM1;
    bool FShown = false;
    bool FShowing = false; // FormShow runs: it sets the page size itself
};
