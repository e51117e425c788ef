// TfrmAlphaSearch: the alphabetic index search, for the index of diseases and injuries (FType
// TTermData::DiseaseIndex) or of external causes (TTermData::ExternalIndex). One window shows one level of the index: the main terms, or
// the sub-terms of FCurItem. The user types the beginning of a title, pages through the result,
// opens a term's sub-terms in a new window on top (a chain of modal windows) and opens the
// term's code, manifestation, see-category or see-subcategory in the code viewer. Ctrl+F opens
// the Find window over it, with the same code viewer. What it shares with the table window
// (search, paging, keys, the chain) is TTermLevelWindow's.
//
// Keyboard: every page opens with its first row selected; Enter or Down in the search box moves
// into the list there, and the list's type-ahead matches titles (never the marker column). F5
// views the code, F6 the see-category, F7 the see-subcategory, F8 the manifestation.
//
// Modal results (TSearchResult): BackToMainTerm closes the chain of sub-term windows down to the
// main-term window, Back goes back one level, Quit quits the program.
#pragma once

#include "IndexCodeText.h"
#include "TermLevelWindow.h"

#include <memory>

namespace Ui {
class TfrmAlphaSearch;
}

class TfrmAlphaSearch : public TTermLevelWindow {
    Q_OBJECT

  public:
    // AOpenCode as for TTermLevelWindow.
    explicit TfrmAlphaSearch(TMessageService& AMessages, TCodeOpener AOpenCode = {},
                             QWidget* AParent = nullptr);
    ~TfrmAlphaSearch() override;

    const int ROW_HEIGHT_PX;

  protected:
    void FormShow() override;
    void FormResize() override;
    void ShowTerms(const QList<const TTerm*>& APageTerms) override;
    const TTerm* TermAtHand() const override;
    std::unique_ptr<TTermLevelWindow> NewSubTermWindow() override;
    bool HandleViewKey(int AKey) override;
    void EnterList() override;
    void ListDoubleClick(const QPoint& APos) override;
    void PopupMenu1Popup() override;
    void ListFocusIn() override;

  private:
    int SelectedRow() const;
    void ViewField(TTermField AField);

    std::unique_ptr<Ui::TfrmAlphaSearch> FUi;
    QAction* ViewCode1;
    QAction* ViewSubTermS1;
    QAction* SeeCategory1;
    QAction* SeeSubcategory1;
    QAction* ViewManifestM1;
};
