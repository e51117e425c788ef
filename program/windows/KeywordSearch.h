// TfrmKeyWordSearch: the keyword search window, which is also the code-detail viewer. Opened on
// a chapter, section or category (FInitObject) or on a code text (FInitCode) it shows that object
// as pages of coloured fixed-pitch text, moves between codes with Back/Review, the result list,
// the description panels and prior/next code, goes to a typed code (seven-character codes through
// the seventh-character dialog) and copies reportable codes with their descriptions.
//
// Opened without a start object it is the keyword search: comma-separated keywords are matched
// against the code-keyword file or, in full-text mode, against the texts of the tabular list;
// counts and suggestions follow the typing, and every search goes into the search history
// (KeywordSearchRole.cpp).
//
// Ctrl+F opens the Find window over it.
//
// Modal results (ModalResults.h): TSearchResult::Quit quits the program (F12 and Yes, or Find
// returned Quit), TSearchResult::Back is the ordinary cancel (Escape, once neither the
// suggestions nor the history panel is open: Escape closes those first).
#pragma once

#include "CodeNavigation.h"
#include "CodeTextLayout.h"
#include "KeywordSearchEngine.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TfrmKeyWordSearch;
}
class TMessageService;
class TfrmInfoOf7Code;
class QAction;
class QLabel;
class QTimer;
class QMenu;
class QTreeWidgetItem;
struct TRenderedPage;

// What the window opens as (its FInitType): the keyword search, or the code viewer on a chapter,
// a section or a code. The openers set these numbers, so they keep their values.
namespace TViewerStart {
inline constexpr int KeywordSearch = 0;
inline constexpr int Chapter = 1;
inline constexpr int Section = 2;
inline constexpr int Code = 3;
} // namespace TViewerStart

class TfrmKeyWordSearch : public QDialog {
    Q_OBJECT

public:
    // AInfoDialog is the seventh-character dialog to ask (default: the run's frmInfoOf7Code, or
    // one of the window's own when the run has none).
    explicit TfrmKeyWordSearch(TMessageService& AMessages, QWidget* AParent = nullptr,
                               TfrmInfoOf7Code* AInfoDialog = nullptr);
    ~TfrmKeyWordSearch() override;

    // Start fields, set by the opener before showing the window.
    int FInitType = TViewerStart::KeywordSearch; // what the window opens as (TViewerStart)
    TTabularObject FInitObject;  // shown at the first layout when set
    QString FInitCode;           // a code text shown at the first layout when set

    // Makes AObject current and composes its text; ALine receives the 1-based line of
    // ASelectedSubCode when it is found (left as it was otherwise). Renders nothing.
    void ShowObject(const TTabularObject& AObject, const QString& ASelectedSubCode, int& ALine);
    // Renders page APage (clamped to 1..pages); nothing when it is shown already unless AForce.
    void ShowPage(int APage, bool AForce = false);
    // Composes the current object again at the present width and height and shows the page that
    // holds the line that began the page shown before.
    void RelayoutCurrent();
    // Goes to a code text (A01, A01.02, S06.0X1A); false when nothing was shown.
    bool ShowCodeByText(const QString& ACode, bool AWithTree);
    // Copies the reportable code named by ACode (with its long, or with Ctrl its short,
    // description when AWithDesc), through the selection dialog when there are several.
    void ShowAvailableCodes(const QString& ACode, bool AWithDesc);

    // The search role.
    // The whole search of "  Search" or Enter in the keyword box: asks before listing every
    // category for an empty text, refuses full text without a condition, records the text in
    // the search history, fills the result list and shows its first category. When nothing is
    // found it says why and offers to search the same text with Find.
    void RunKeywordSearch();
    // Fills the result list with the categories the mode accepts (waiting for the tabular list).
    void SearchCategories(TSearchMode AMode, int AConditions);
    // The count row under the keyword box and the combined count; after a search the combined
    // count is the number of results.
    void UpdateKeywordCounts(bool AAfterSearch);
    // Recomputes the suggestions for the partial keyword being typed (waiting for the keywords).
    void RefreshSuggestions();
    // Shows suggestion page APage (clamped) in the grid; ARebuild puts the current cell on the
    // first one.
    void FillSuggestionPage(int APage, bool ARebuild);
    // Replaces the partial keyword with ASuggestion and a comma.
    void ChooseSuggestion(const QString& ASuggestion);
    // Opens the history panel over the keyword box, newest entry selected.
    void ShowHistoryPanel();
    const QStringList& SearchKeywords() const { return FSearchKeyWordsList; }
    const QStringList& KeywordVariants() const { return FSearchKeyWordVariantList; }
    const TKeywordSuggestions& Suggestions() const { return FSuggestions; }

    void GoBack();
    void GoReview();
    void StepCode(bool ABackward);
    void JumpToChapter();
    void JumpToSection();

    // State the tests and the opener look at.
    const TTabularObject& CurrentObject() const { return FCurCode; }
    const TComposedText& Content() const { return FContent; }
    const QString& SelectedCode() const { return FSelectedCode; }
    int WordsPerLine() const { return FWordsPerLine; }
    int LinePerPage() const { return FLinePerPage; }
    int CurrentPage() const { return FCurPageIndex; }
    int PageCount() const { return FPageNumber; }
    int OriginalLine() const { return FOriginalLine; }

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;
    void showEvent(QShowEvent* AEvent) override;
    void keyPressEvent(QKeyEvent* AEvent) override;
    void reject() override;

private:
    void SetUpLook();
    void FitBottomPanel();
    void SetUpMenu();
    void ConnectControls();
    void TextAreaResized();
    void ApplyPage(const TRenderedPage& APage);
    void SetHeader(const QString& AHeader);
    void SetDescriptionRows(int AHeight);
    void ComposeCurrent(const QString& ASelectedSubCode, int& ALine);
    void UpdateNavigationButtons();
    TVisitItem CurrentVisit() const;
    void PushBack(bool AClearReview);
    void ShowVisit(const TVisitItem& AItem);
    // Marks the result list's node of AObject as current (or none when it lists no such node).
    void SelectTreeNodeOf(const TTabularObject& AObject);
    void FillTreeFromObject(const TTabularObject& AObject);
    void ShowTreeSelection();
    void ResetCodeBox();
    QString CodeBoxText() const;
    void CodeBoxKeyReleased();
    void CodeBoxClicked();
    void GoClick();
    void JumpClick();
    void CopySelection();
    QString TrimmedSelection() const;
    // What Go (F5) and the copy commands act on: the selection when there is one, else the code
    // of the line the caret is on (after a page is shown the caret stands on the underlined
    // code). Empty when there is neither.
    QString CodeToActOn() const;
    enum class TCodeAction { Go, CopyCode, CopyCodeDesc };
    // Runs AAction on CodeToActOn(); with nothing to act on, says so in the status line.
    void ActOnCode(TCodeAction AAction);
    // What "Add to Favorite Codes" (Ctrl+D) adds: the code to act on, else the underlined code,
    // else the category shown.
    QString CodeToAdd() const;
    // Adds CodeToAdd() to the logged-in account's favourite codes (saved at once) and says so in
    // the status line; also when there is no code, no account logged in, or it is there already.
    void AddToFavorites();
    // A short message at the foot of the text area, gone at the next key, page or after a while.
    void ShowStatus(const QString& AText);
    void HideStatus();
    void MenuAboutToShow();
    void WidenSelectionToCode();
    void WheelTurned(int ADelta);
    // The window's keys, the same in the text area, the code and keyword boxes and the result
    // list (F5, F10 and F11 act on the text area's code: right after Go the caret stands on the
    // code shown). False when AKey is none of them.
    bool HandleWindowKey(int AKey);
    void AskQuit();
    void FullTextToggled(bool AChecked);
    void ClearKeywords(bool AAlsoResults);
    void HidePrompt();
    // Hides the suggestion and history panels; true when one of them was showing, so that
    // Escape closes what floats over the window before it closes the window.
    bool HideFloatingPanels();
    TfrmInfoOf7Code& InfoDialog();

    // The search role's controls and events (KeywordSearchRole.cpp).
    class TSearchRoleFilter;
    void ConnectSearchControls();
    bool SearchRoleEvent(QObject* AWatched, QEvent* AEvent);
    int FullTextConditions() const;
    void KeywordBoxKeyReleased(int AKey);
    void PlaceOverKeywordBox(QWidget* APanel);
    void AlignCountRow();
    void HistoryRowClicked(QTreeWidgetItem* AItem);
    // A search of AText found nothing: says why and offers Find on the same text.
    void OfferFind(const QString& AText, bool AFullText);

    std::unique_ptr<Ui::TfrmKeyWordSearch> FUi;
    TMessageService& FMessages;
    TfrmInfoOf7Code* FInfoDialog;
    std::unique_ptr<TfrmInfoOf7Code> FOwnInfoDialog;
    QMenu* FPopup = nullptr;
    QLabel* FStatus = nullptr;
    QTimer* FStatusTimer = nullptr;
    QAction* Jump1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* SelectCodeS1 = nullptr;
    QAction* SelectCodeDescF111 = nullptr;
    QAction* CopyCodeShortDescF111 = nullptr;
    QAction* AddFavorite1 = nullptr;

    TTabularObject FCurCode;
    TComposedText FContent;
    QString FSelectedCode;
    QStringList FSearchKeyWordVariantList;
    int FWordsPerLine = 90;
    int FLinePerPage = 16;
    int FCurPageIndex = 0;
    int FPageNumber = 1;
    int FOriginalLine = 0;
    bool FStartDisplay = false; // the start object or code is being shown

    TVisitHistory FHistory;
    QTreeWidgetItem* FCurCodeItem = nullptr;
    TWheelThrottle FWheel;

    QStringList FSearchKeyWordsList; // the keywords of the last search, upper case
    // The user changed the keyword box's text since its last key release: only then do the
    // suggestions open by themselves.
    bool FKeywordEdited = false;
    TKeywordSuggestions FSuggestions;
    // Declared after FUi so that it goes first: no event may reach it once the controls are gone.
    std::unique_ptr<QObject> FSearchRoleFilter;
};
