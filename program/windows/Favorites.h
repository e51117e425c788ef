// TfrmFavorites: the favourite codes of the logged-in account. Each row shows a code with its
// description; a code that this edition of the classification does not know is listed as such
// (and kept). Enter or a double-click opens the code in the code-detail viewer, Del removes it;
// every change is saved to the account file at once. Codes are added from the viewer (its pop-up
// menu or Ctrl+D), also while this list is open behind it: the list shows them on its return.
//
// Keys: Enter, Del, Escape (close), F12 (quit the program).
// Modal results (TSearchResult): Quit quits the program (F12 and Yes, or the viewer returned
// Quit), Back for Escape or Close.
#pragma once

#include "CodeViewerLink.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TfrmFavorites;
}
class TFavoriteKW;
class TMessageService;

class TfrmFavorites : public QDialog {
    Q_OBJECT

  public:
    // AAccount is the logged-in account (loaded); AOpenCode opens the viewer (empty:
    // DefaultCodeOpener).
    TfrmFavorites(TMessageService& AMessages, TFavoriteKW& AAccount, TCodeOpener AOpenCode = {},
                  QWidget* AParent = nullptr);
    ~TfrmFavorites() override;

    // Lists the account's codes again, keeping the row of ACode selected when it is listed
    // (else the row at the same place).
    void FillList(const QString& ACode = QString());
    // Opens the selected code in the viewer; a code the edition does not know says so instead.
    void ViewCode();
    // Removes the selected code and saves at once.
    void RemoveCode();
    // The code of the selected row; empty when none is selected.
    QString SelectedCode() const;

    void reject() override;

  protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

  private:
    void SetUpLook();
    void ShowStatus(const QString& AText);

    std::unique_ptr<Ui::TfrmFavorites> FUi;
    TMessageService& FMessages;
    TFavoriteKW& FAccount;
    TCodeOpener FOpenCode;
};
