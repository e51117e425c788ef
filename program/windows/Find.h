// TfrmFind: the ranked code search. The coder types words as they come (lay terms, abbreviations,
// misspellings, a code) and the best codes of the find index follow the typing: each row shows
// the code, a mark for a reportable code, its description, how many other seventh-character
// codes of the same code were folded into it, and its category. A misspelt word is searched as
// its correction, with a link to search for the words as typed.
//
// Keys: Down in the search box goes to the list, Up on the list's first row back to the box;
// Enter opens the code-detail viewer on the selected code (from the box: the first result);
// Ctrl+C copies the selected code alone; Escape closes; F12 asks to quit the program.
//
// Modal results (ModalResults.h): TSearchResult::Quit quits the program (F12 and Yes, or the
// viewer returned Quit), TSearchResult::Back for Escape and Back.
#pragma once

#include "CodeViewerLink.h"
#include "FindIndex.h"

#include <QDialog>
#include <QTimer>

#include <memory>

namespace Ui {
class TfrmFind;
}
class QTreeWidgetItem;
class TMessageService;

class TfrmFind : public QDialog {
    Q_OBJECT

public:
    // The most results one search lists.
    static constexpr int ResultLimit = 100;
    // How long the window waits after a keystroke for the next one before it searches.
    static constexpr int TypingPauseMs = 60;

    // AOpenCode opens the code viewer (empty: DefaultCodeOpener).
    explicit TfrmFind(TMessageService& AMessages, TCodeOpener AOpenCode = {},
                      QWidget* AParent = nullptr);
    ~TfrmFind() override;

    // Searches for the box's text now (a search waiting for the typing pause is run at once).
    void SearchNow();
    // A search is waiting for the typing pause.
    bool SearchPending() const { return FTypingPause.isActive(); }
    // The result on show (empty before the first search).
    const TFindResult& Result() const { return FResult; }
    // Puts AText into the search box; a window not shown yet searches for it as it opens.
    void SetSearchText(const QString& AText);
    // The index searched; null until the window has been shown, and when it could not be had.
    const TFindIndex* Index() const { return FIndex; }

    void reject() override;

protected:
    void showEvent(QShowEvent* AEvent) override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    void SetUpLook();
    void OpenIndex();
    void TextEdited();
    void Search(const QString& AQuery, bool ACorrect);
    void FillList();
    void ShowCorrection();
    void ShowStatus();
    void SearchAsTyped();
    // The code of the selected row, or of the first row when none is selected.
    QString SelectedCode() const;
    void OpenCode(const QString& ACode);
    void CopyCode();
    bool HandleBoxKey(const QKeyEvent* AKey);
    bool HandleListKey(const QKeyEvent* AKey);
    bool HandleWindowKey(const QKeyEvent* AKey);
    void QuitPrompt();

    std::unique_ptr<Ui::TfrmFind> FUi;
    TMessageService& FMessages;
    TCodeOpener FOpenCode;
    const TFindIndex* FIndex = nullptr;
    bool FShown = false;
    QTimer FTypingPause;
    TFindResult FResult;
};

// Opens the Find window modally over AParent, searching for AText, and returns its modal result
// (TSearchResult::Quit: quit the program).
int RunFindWindow(TMessageService& AMessages, const TCodeOpener& AOpenCode, QWidget* AParent,
                  const QString& AText = QString());

// Ctrl+F in AWindow opens the Find window over it, with AOpenCode as its viewer (empty:
// DefaultCodeOpener); when Find returns TSearchResult::Quit, AWindow closes with it as well.
void AddFindShortcut(QDialog* AWindow, TMessageService& AMessages, TCodeOpener AOpenCode = {});
