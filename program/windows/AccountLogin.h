// TFormAccountLogin: the account dialog "Add Account/Login". With FType 1 it asks for a new
// user name and password, with FType 0 it lets the user choose an account and checks the
// password. It only checks the input; the opener creates the account or makes the chosen one
// current when the result is TDialogResult::Ok, and does nothing on TDialogResult::Cancel.
#pragma once

#include "EngineGlobals.h"
#include "PasswordHash.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TFormAccountLogin;
}
class TMessageService;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the account dialog asks for (its FType); the opener sets it before showing.
namespace TAccountDialog {
inline constexpr int Login = 0;
inline constexpr int NewAccount = 1;
} // namespace TAccountDialog

class TFormAccountLogin : public QDialog {
    Q_OBJECT

public:
    // AAccounts: the accounts to choose from and to check new names against; AFolder: the
    // account folder (a new name whose file is already there is refused too).
    TFormAccountLogin(TMessageService& AMessages, const TAccountList& AAccounts,
                      const QString& AFolder, QWidget* AParent = nullptr);
    ~TFormAccountLogin() override;

    int FType = TAccountDialog::NewAccount; // Login, anything else new account; set before showing
    // Limits of a password line that a login rewrites (TFavoriteKW::LoadKWs); set before showing.
    TPasswordCost FPasswordCost = ProgramPasswordCost;

    QLabel* lbNeoplasms;
    QLabel* Label1;
    QComboBox* ComboBox1;
    QLineEdit* Edit2;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QPushButton* Button2;

    void reject() override;

protected:
    void showEvent(QShowEvent* AEvent) override;

private:
    void Button1Click();
    void Refuse(const QString& AText, QWidget* AFocus);
    bool CheckNewAccount();
    bool CheckLogin();

    std::unique_ptr<Ui::TFormAccountLogin> FUi;
    TMessageService& FMessages;
    const TAccountList& FAccounts;
    QString FFolder;
};
