// TTermLevelWindow: what the alphabetic index window (TfrmAlphaSearch) and the table window
// (TfrmDrugNeopSearch) share. Each shows one level of its data set: the main terms, or the
// sub-terms of FCurItem, a page at a time under a search box, with the trail of FCurItem above.
// A term's sub-terms open in a new window of the same kind on top, so the open windows form a
// chain of modal windows; the modal results (TSearchResult) travel down that chain.
//
// This class owns the bars, the search, the paging, the keys every level window answers, the
// quit chain and the sub-term windows. A window adds its list (a tree list or a grid), the rows
// it draws for a page, its view commands and its pop-up menu entries.
//
// Keys of every level window: Enter (in the list) and F11 open the sub-terms of the term at
// hand, PageUp/PageDown page, F3 goes back to the main term, Escape back one level, F12 asks
// whether to quit. The list and the trail pass them to the window; from the search box they
// reach it as keys the box has no use for (never Enter, which moves into the list).
#pragma once

#include "CodeViewerLink.h"
#include "IndexModel.h"
#include "TermDataSet.h"

#include <QDialog>
#include <QList>

#include <memory>

class QAbstractItemView;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;
class TMessageService;

// The controls of a level window's layout that this class drives, by their names in the .ui.
struct TTermLevelControls {
    QLabel* plTitle = nullptr;
    QWidget* pnlTree = nullptr;       // holds the trail; hidden at the main-term level
    QTreeWidget* TreeView1 = nullptr; // the trail
    QWidget* Panel1 = nullptr;        // the search bar
    QLabel* lbLevel = nullptr;
    QLineEdit* edtMain = nullptr;
    QPushButton* Button1 = nullptr; // clears the search box
    QLabel* lbCount = nullptr;      // "Records: n"
    QAbstractItemView* List = nullptr;
    // The widget whose resize changes the page size: the list, or its viewport where the list
    // sizes that only after its own resize.
    QWidget* ResizeWatch = nullptr;
    QWidget* Panel4 = nullptr; // the bottom bar with the buttons below
    QPushButton* btnBack = nullptr;
    QPushButton* btnBackMain = nullptr;
    QPushButton* btnPrior = nullptr;
    QLabel* lbPage = nullptr;
    QPushButton* btnNext = nullptr;
};

class TTermLevelWindow : public QDialog {
    Q_OBJECT

  public:
    ~TTermLevelWindow() override;

    // Set by the opener before showing.
    int FType = 0;                   // the data set, a TTermData value
    const TTerm* FCurItem = nullptr; // none: main terms; else the term whose sub-terms are listed

    // The current result, the page size and the page (from 1); read by the tests.
    QList<const TTerm*> FItemList;
    int FLinesPerPage = 20;
    int FCurPage = 1;

    // Escape and the close button: back one level.
    void reject() override;

  protected:
    // AOpenCode opens the code viewer (empty: DefaultCodeOpener). Sub-term windows get the same
    // message service and opener.
    TTermLevelWindow(TMessageService& AMessages, TCodeOpener AOpenCode, QWidget* AParent);

    // Called by the window's constructor right after its setupUi: the frame, the bars and their
    // fonts, the buttons, the key routes, Ctrl+F and the empty pop-up menu PopupMenu1.
    void SetUpLevelWindow(const TTermLevelControls& AControls);
    // Adds an entry to PopupMenu1, named AName for the tests.
    QAction* AddMenuEntry(const char* AName, const QString& AText);

    // The column of the list that holds the titles, in both kinds of list.
    static constexpr int TitleColumn = 1;

    // Once, when the window is first shown (the opener has set FType and FCurItem by then).
    // Resizes do not re-page while it runs.
    virtual void FormShow() = 0;
    // The list changed its height: a new page size, keeping the term at hand on the page.
    virtual void FormResize() = 0;
    // Draws the rows of the page at hand, APageTerms, into the list.
    virtual void ShowTerms(const QList<const TTerm*>& APageTerms) = 0;
    // The term of the current row, or none.
    virtual const TTerm* TermAtHand() const = 0;
    // A new window of this kind over this one, for the sub-terms of a term.
    virtual std::unique_ptr<TTermLevelWindow> NewSubTermWindow() = 0;
    // The window's view commands (F5 and the like); false when AKey is none of them.
    virtual bool HandleViewKey(int AKey) = 0;
    // Enter or Down in the search box: the list gets the focus on its first row.
    virtual void EnterList() = 0;
    // A double-click with the left button at APos of the list's viewport.
    virtual void ListDoubleClick(const QPoint& APos) = 0;
    // PopupMenu1 is about to show: enables what the term at hand offers.
    virtual void PopupMenu1Popup() = 0;
    // The list got the focus.
    virtual void ListFocusIn() {}
    // True where BackToMainTerm from a sub-term window stops at this window instead of passing
    // on down the chain.
    virtual bool KeepsOpenOnBackToMainTerm() const { return false; }

    // The "#n Level Term" label and the trail of FCurItem (with manifestations when
    // AShowManif); at the main-term level the trail and Back to Main Term are hidden.
    void ShowLevel(bool AShowManif);
    // FItemList for the search box's text.
    void Search();
    // Clamps FCurPage and shows that page with its record and page counts.
    void RenderPage();
    // A new page size from ARoom pixels of list with rows of ARowHeight, keeping the term at
    // ARowOnPage of the page at hand (below 0: the page's first row) on the page shown. Returns
    // that term's row on the new page.
    int RepageKeeping(int ARowOnPage, int ARoom, int ARowHeight);
    void NextPage();
    void PriorPage();
    // Opens the sub-terms of the term at hand in a new window on top, and passes on what that
    // window closes with.
    void ViewSubTerm();
    // Opens the code that AText holds, when it holds one, in the code viewer.
    void ViewCodeText(const QString& AText);

    void showEvent(QShowEvent* AEvent) override;
    void keyPressEvent(QKeyEvent* AEvent) override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

    TMessageService& FMessages;
    TCodeOpener FOpenCode;
    QMenu* PopupMenu1 = nullptr;

  private:
    // Runs the command for AKey; false when AKey is none of the window's keys. Enter counts only
    // when AWithEnter (the list's own keys).
    bool HandleKey(int AKey, bool AWithEnter);
    void EditChanged();
    void QuitPrompt();
    void ShowPopupMenu(const QPoint& APos);

    TTermLevelControls FControls;
    bool FShown = false;
    bool FShowing = false; // FormShow runs: it sets the page size itself
};
