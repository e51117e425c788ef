#include "AccountLogin.h"

#include "AccountNames.h"
#include "Accounts.h"
#include "MessageService.h"
#include "ModalResults.h"
#include "WindowStyle.h"
#include "ui_AccountLogin.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

TFormAccountLogin::TFormAccountLogin(TMessageService& AMessages, const TAccountList& AAccounts,
                                     const QString& AFolder, QWidget* AParent)
    : QDialog(AParent, DialogWindowFlags | Qt::MSWindowsFixedSizeDialogHint),
      FUi(new Ui::TFormAccountLogin), FMessages(AMessages), FAccounts(AAccounts), FFolder(AFolder) {
    FUi->setupUi(this);
    lbNeoplasms = FUi->lbNeoplasms;
    Label1 = FUi->Label1;
    ComboBox1 = FUi->ComboBox1;
    Edit2 = FUi->Edit2;
    Edit1 = FUi->Edit1;
    Button1 = FUi->Button1;
    Button2 = FUi->Button2;
    setFixedSize(405, 188);
    setFont(TahomaFont(13));
    for (QLabel* label : {lbNeoplasms, Label1}) {
        label->setFont(TahomaFont(16));
        SetTextColor(label, TColors::Navy);
        label->adjustSize();
    }
    Edit1->setEchoMode(QLineEdit::Password);
    connect(Button1, &QPushButton::clicked, this, &TFormAccountLogin::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFormAccountLogin::reject);
}

TFormAccountLogin::~TFormAccountLogin() = default;

void TFormAccountLogin::showEvent(QShowEvent* AEvent) {
    const bool newAccount = FType != TAccountDialog::Login;
    Edit2->setVisible(newAccount);
    ComboBox1->setVisible(!newAccount);
    if (newAccount) {
        Edit2->setFocus();
    } else {
        ComboBox1->clear();
        for (const auto& account : FAccounts)
            ComboBox1->addItem(account->FUserName);
        ComboBox1->setCurrentIndex(-1);
        ComboBox1->setFocus();
    }
    QDialog::showEvent(AEvent);
}

void TFormAccountLogin::reject() {
    done(TDialogResult::Cancel);
}

void TFormAccountLogin::Refuse(const QString& AText, QWidget* AFocus) {
    FMessages.Information(this, AText);
    AFocus->setFocus();
}

void TFormAccountLogin::Button1Click() {
    if (Edit1->text().isEmpty()) {
        Refuse(QStringLiteral("Please input password!"), Edit1);
        return;
    }
    if (FType != TAccountDialog::Login ? CheckNewAccount() : CheckLogin())
        done(TDialogResult::Ok);
}

bool TFormAccountLogin::CheckNewAccount() {
    const QString userName = Edit2->text();
    if (userName.isEmpty()) {
        Refuse(QStringLiteral("Please input user first!"), Edit2);
        return false;
    }
    const bool listed = std::any_of(FAccounts.begin(), FAccounts.end(), [&](const auto& account) {
        return account->FUserName == userName;
    });
    // A file of that name that is not in the list (made by another run since this one started)
    // belongs to an account too and must not be overwritten.
    if (listed || QFileInfo::exists(FFolder + AccountFileName(userName))) {
        Refuse(QStringLiteral("User exist already, please input another one!"), Edit2);
        return false;
    }
    if (!AccountFileNameFits(userName)) {
        Refuse(QStringLiteral("User name is too long, please input a shorter one!"), Edit2);
        return false;
    }
    return true;
}

bool TFormAccountLogin::CheckLogin() {
    const int index = ComboBox1->currentIndex();
    if (index < 0 || index >= static_cast<int>(FAccounts.size())) {
        Refuse(QStringLiteral("Please choose user first!"), ComboBox1);
        return false;
    }
    TFavoriteKW& account = *FAccounts[static_cast<std::size_t>(index)];
    bool passwordRight = false;
    try {
        passwordRight = account.LoadKWs(Edit1->text(), FPasswordCost);
    } catch (const TAccountFileError& error) {
        Refuse(QStringLiteral("The account file of %1 cannot be read.\n\n%2")
                   .arg(account.FUserName, QString::fromStdString(error.what())),
               ComboBox1);
        return false;
    }
    if (!passwordRight) {
        Refuse(QStringLiteral("Password incorrect, please try again!"), Edit1);
        return false;
    }
    return true;
}
