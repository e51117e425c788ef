// The account dialog and the main window's "New Account" and "Login" flows offscreen: the
// checks in their order, duplicates, passwords, awkward names and broken account files.
#include "AccountLogin.h"
#include "AccountNames.h"
#include "Accounts.h"
#include "EngineGlobals.h"
#include "Main.h"
#include "ModalResults.h"
#include "PasswordHash.h"
#include "WindowTestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <utility>

namespace {

const QString kNoPassword = QStringLiteral("Please input password!");
const QString kNoUser = QStringLiteral("Please input user first!");
const QString kUserExists = QStringLiteral("User exist already, please input another one!");
const QString kChooseUser = QStringLiteral("Please choose user first!");
const QString kWrongPassword = QStringLiteral("Password incorrect, please try again!");

class Accounts : public WindowTest {
  protected:
    // Puts an account file in the shared folder as another run would have left it.
    void CreateAccountFile(const QString& AUserName, const QString& APassword) {
        TFavoriteKW(AUserName, APassword, SharedDataFolder, MinimumPasswordCost).SaveKWs();
    }
    QStringList AccountFiles() const {
        return QDir(SharedDataFolder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    TfrmMain& OpenMain() {
        FMain = std::make_unique<TfrmMain>(Messages());
        FMain->SetPasswordCost(MinimumPasswordCost); // cheap hashes; the program's are slow
        FMain->show();
        return *FMain;
    }
    QPushButton* MainButton(const char* AName) {
        return FMain->findChild<QPushButton*>(QString::fromLatin1(AName));
    }
    QString FavoriteText() {
        return FMain->findChild<QLabel*>(QStringLiteral("lbFavorite"))->text();
    }
    // Creates an account through the main window's "New Account" and the dialog; a refused
    // name is given up with Cancel.
    void CreateThroughDialog(const QString& AUserName, const QString& APassword) {
        WhenModalShows<TFormAccountLogin>([=](TFormAccountLogin* ADialog) {
            ADialog->Edit2->setText(AUserName);
            ADialog->Edit1->setText(APassword);
            QTest::keyClick(ADialog, Qt::Key_Return);
            if (ADialog->isVisible()) // refused: give up as the user would
                ADialog->done(TDialogResult::Cancel);
        });
        QTest::mouseClick(MainButton("Button3"), Qt::LeftButton);
    }
    // Logs in through "Login": chooses AUserName and types the passwords one after the other.
    void LoginThroughDialog(const QString& AUserName, const QStringList& APasswords) {
        WhenModalShows<TFormAccountLogin>([=](TFormAccountLogin* ADialog) {
            const int index = ADialog->ComboBox1->findText(AUserName, Qt::MatchExactly);
            ASSERT_GE(index, 0) << AUserName.toStdString();
            ADialog->ComboBox1->setCurrentIndex(index);
            for (const QString& password : APasswords) {
                if (!ADialog->isVisible())
                    break;
                ADialog->Edit1->clear();
                QTest::keyClicks(ADialog->Edit1, password);
                QTest::mouseClick(ADialog->Button1, Qt::LeftButton);
            }
            if (ADialog->isVisible())
                ADialog->done(TDialogResult::Cancel);
        });
        QTest::mouseClick(MainButton("Button4"), Qt::LeftButton);
    }

    std::unique_ptr<TfrmMain> FMain;
};

TEST_F(Accounts, NewAccountDialogChecksInOrder) {
    CreateAccountFile(QStringLiteral("abc"), QStringLiteral("pw"));
    Restart();
    TFormAccountLogin dialog(Messages(), *AccountList, SharedDataFolder);
    dialog.FType = TAccountDialog::NewAccount;
    QStringList seen;
    QList<QWidget*> focus;
    WhenModalShows<TFormAccountLogin>([&](TFormAccountLogin* ADialog) {
        EXPECT_TRUE(ADialog->Edit2->isVisible());
        EXPECT_FALSE(ADialog->ComboBox1->isVisible());
        EXPECT_EQ(ADialog->focusWidget(), ADialog->Edit2);
        auto pressOk = [&] {
            const qsizetype before = Shown().size();
            QTest::keyClick(ADialog, Qt::Key_Return);
            seen << (Shown().size() > before ? LastShown() : QString());
            focus << ADialog->focusWidget();
        };
        pressOk(); // both empty: the password comes first
        QTest::keyClicks(ADialog->Edit1, QStringLiteral("secret"));
        pressOk();
        QTest::keyClicks(ADialog->Edit2, QStringLiteral("abc"));
        pressOk();
        ADialog->Edit2->setText(QStringLiteral("ABC")); // differs only in case: accepted
        pressOk();
    });
    EXPECT_EQ(dialog.exec(), TDialogResult::Ok);
    EXPECT_EQ(seen, (QStringList{kNoPassword, kNoUser, kUserExists, QString()}));
    ASSERT_EQ(focus.size(), 4);
    EXPECT_EQ(focus[0], dialog.Edit1);
    EXPECT_EQ(focus[1], dialog.Edit2);
    EXPECT_EQ(focus[2], dialog.Edit2);
    EXPECT_EQ(dialog.Edit2->text(), QStringLiteral("ABC")); // typed texts are kept
    EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("secret"));
    EXPECT_EQ(dialog.Edit1->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add Account/Login"));
    EXPECT_EQ(dialog.size(), QSize(405, 188));
    // A dialog's frame: close, but nothing to minimise or maximise.
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(Requests().front().Kind == TMessageRequest::TKind::Information);
}

TEST_F(Accounts, LoginDialogWithoutAccountsAsksForAUserAndCancels) {
    TFormAccountLogin dialog(Messages(), *AccountList, SharedDataFolder);
    dialog.FType = TAccountDialog::Login;
    WhenModalShows<TFormAccountLogin>([&](TFormAccountLogin* ADialog) {
        EXPECT_FALSE(ADialog->Edit2->isVisible());
        EXPECT_TRUE(ADialog->ComboBox1->isVisible());
        EXPECT_EQ(ADialog->ComboBox1->count(), 0);
        QTest::mouseClick(ADialog->Button1, Qt::LeftButton);
        EXPECT_EQ(LastShown(), kNoPassword);
        ADialog->Edit1->setText(QStringLiteral("pw"));
        QTest::mouseClick(ADialog->Button1, Qt::LeftButton);
        EXPECT_EQ(LastShown(), kChooseUser);
        EXPECT_EQ(ADialog->focusWidget(), ADialog->ComboBox1);
        QTest::keyClick(ADialog, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.exec(), TDialogResult::Cancel);
}

TEST_F(Accounts, AccountFilesAreListedAtStartInOrder) {
    CreateAccountFile(QStringLiteral("zoe"), QStringLiteral("1"));
    CreateAccountFile(QStringLiteral("Adam"), QStringLiteral("2"));
    CreateAccountFile(QStringLiteral("bea"), QStringLiteral("3"));
    WriteFile(SharedDataFolder + QStringLiteral("readme.txt"), "not an account");
    Restart();
    ASSERT_EQ(AccountList->size(), 3u);
    OpenMain();
    QStringList offered;
    WhenModalShows<TFormAccountLogin>([&](TFormAccountLogin* ADialog) {
        for (int i = 0; i < ADialog->ComboBox1->count(); ++i)
            offered << ADialog->ComboBox1->itemText(i);
        EXPECT_EQ(ADialog->ComboBox1->currentIndex(), -1); // nothing chosen yet
        ADialog->reject();
    });
    QTest::mouseClick(MainButton("Button4"), Qt::LeftButton);
    EXPECT_EQ(offered,
              (QStringList{QStringLiteral("Adam"), QStringLiteral("bea"), QStringLiteral("zoe")}));
    EXPECT_EQ(CurrentAccount, nullptr);
    EXPECT_EQ(FavoriteText(), QStringLiteral("Favorite  Codes"));
}

TEST_F(Accounts, NewAccountIsSavedListedAndBecomesCurrent) {
    OpenMain();
    CreateThroughDialog(QStringLiteral("abc"), QStringLiteral("secret"));
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_EQ(AccountFiles(), QStringList{QStringLiteral("YWJj.fvxml")});
    ASSERT_EQ(AccountList->size(), 1u);
    EXPECT_EQ(CurrentAccount, AccountList->front().get());
    EXPECT_EQ(CurrentAccount->FUserName, QStringLiteral("abc"));
    EXPECT_EQ(FavoriteText(), QStringLiteral("Favorite Codes of abc"));
    EXPECT_TRUE(ReadFile(SharedDataFolder + QStringLiteral("YWJj.fvxml"))
                    .startsWith("$argon2id$v=19$m=8,t=1,p=1$"));

    // Cancelling the dialog changes nothing.
    WhenModalShows<TFormAccountLogin>([](TFormAccountLogin* ADialog) {
        ADialog->Edit2->setText(QStringLiteral("other"));
        ADialog->Edit1->setText(QStringLiteral("pw"));
        QTest::mouseClick(ADialog->Button2, Qt::LeftButton);
    });
    QTest::mouseClick(MainButton("Button3"), Qt::LeftButton);
    EXPECT_EQ(AccountList->size(), 1u);
    EXPECT_EQ(AccountFiles().size(), 1);
}

TEST_F(Accounts, ExistingUserIsRefusedEvenWhenAnotherRunMadeIt) {
    OpenMain();
    CreateThroughDialog(QStringLiteral("abc"), QStringLiteral("secret"));
    const QByteArray before = ReadFile(SharedDataFolder + QStringLiteral("YWJj.fvxml"));
    // Made by another run after this one listed its accounts: not in the list, but taken.
    CreateAccountFile(QStringLiteral("late"), QStringLiteral("theirs"));
    const QByteArray lateBefore =
        ReadFile(SharedDataFolder + AccountFileName(QStringLiteral("late")));
    for (const QString& name : {QStringLiteral("abc"), QStringLiteral("late")}) {
        CreateThroughDialog(name, QStringLiteral("mine"));
        EXPECT_EQ(LastShown(), kUserExists);
    }
    EXPECT_EQ(ReadFile(SharedDataFolder + QStringLiteral("YWJj.fvxml")), before);
    EXPECT_EQ(ReadFile(SharedDataFolder + AccountFileName(QStringLiteral("late"))), lateBefore);
    EXPECT_EQ(AccountList->size(), 1u);
}

TEST_F(Accounts, LoginRefusesWrongAndPaddedPasswordsAndAcceptsTheRightOne) {
    CreateAccountFile(QStringLiteral("abc"), QStringLiteral("secret"));
    CreateAccountFile(QStringLiteral("bob"), QStringLiteral("other"));
    Restart();
    OpenMain();
    // The names of the widgets that had the focus, taken while the dialog lives (it is freed
    // when the login returns).
    QStringList focus;
    WhenModalShows<TFormAccountLogin>([&](TFormAccountLogin* ADialog) {
        ADialog->ComboBox1->setCurrentIndex(0); // abc
        for (const QString& password :
             {QStringLiteral("wrong"), QStringLiteral(" secret"), QStringLiteral("secret ")}) {
            ADialog->Edit1->setText(password);
            QTest::mouseClick(ADialog->Button1, Qt::LeftButton);
            EXPECT_EQ(LastShown(), kWrongPassword);
            EXPECT_TRUE(ADialog->isVisible());
            focus << (ADialog->focusWidget() ? ADialog->focusWidget()->objectName() : QString());
        }
        ADialog->Edit1->setText(QStringLiteral("secret"));
        QTest::mouseClick(ADialog->Button1, Qt::LeftButton);
    });
    QTest::mouseClick(MainButton("Button4"), Qt::LeftButton);
    EXPECT_EQ(Shown().size(), 3);
    EXPECT_EQ(focus, QStringList(3, QStringLiteral("Edit1")));
    ASSERT_NE(CurrentAccount, nullptr);
    EXPECT_EQ(CurrentAccount->FUserName, QStringLiteral("abc"));
    EXPECT_EQ(FavoriteText(), QStringLiteral("Favorite Codes of abc"));

    // Another login that fails leaves the current account as it was.
    LoginThroughDialog(QStringLiteral("bob"), {QStringLiteral("Other")});
    EXPECT_EQ(CurrentAccount->FUserName, QStringLiteral("abc"));
    LoginThroughDialog(QStringLiteral("bob"), {QStringLiteral("other")});
    EXPECT_EQ(CurrentAccount->FUserName, QStringLiteral("bob"));
    EXPECT_EQ(FavoriteText(), QStringLiteral("Favorite Codes of bob"));
}

TEST_F(Accounts, OlderAccountFilesLogInAndAreUpgraded) {
    // Reversed Base64 of "secret", and of "café" in Windows-1252 as the earlier Windows program
    // wrote it.
    WriteFile(SharedDataFolder + QStringLiteral("YWJj.fvxml"), "0VmcjV2c\r\nA01.1\r\n");
    WriteFile(SharedDataFolder + AccountFileName(QStringLiteral("ben")), "==Q6mF2Y\r\nB02.2\r\n");
    Restart();
    OpenMain();
    LoginThroughDialog(QStringLiteral("abc"), {QStringLiteral("secret")});
    ASSERT_NE(CurrentAccount, nullptr);
    EXPECT_EQ(CurrentAccount->FUserName, QStringLiteral("abc"));
    // QTest types ASCII only: the password goes in as text.
    WhenModalShows<TFormAccountLogin>([](TFormAccountLogin* ADialog) {
        ADialog->ComboBox1->setCurrentIndex(ADialog->ComboBox1->findText(QStringLiteral("ben")));
        for (const QString& password : {QStringLiteral("cafe"), QStringLiteral("caf\u00e9")}) {
            ADialog->Edit1->setText(password);
            QTest::mouseClick(ADialog->Button1, Qt::LeftButton);
        }
        if (ADialog->isVisible())
            ADialog->done(TDialogResult::Cancel);
    });
    QTest::mouseClick(MainButton("Button4"), Qt::LeftButton);
    EXPECT_EQ(Shown(), QStringList{kWrongPassword});
    EXPECT_EQ(CurrentAccount->FUserName, QStringLiteral("ben"));
    for (const auto& [name, codes] : {std::pair{QStringLiteral("abc"), QByteArray("A01.1")},
                                      std::pair{QStringLiteral("ben"), QByteArray("B02.2")}}) {
        const QByteArray now = ReadFile(SharedDataFolder + AccountFileName(name));
        EXPECT_TRUE(now.startsWith("$argon2id$v=19$m=8,t=1,p=1$")) << now.toStdString();
        EXPECT_TRUE(now.endsWith("\r\n" + codes + "\r\n")) << now.toStdString();
    }
}

TEST_F(Accounts, AwkwardUserNamesMakeOneFileEachInsideTheFolderAndLogInAfterARestart) {
    const QStringList names{QStringLiteral("../x"), QStringLiteral("/"),
                            QString(100, QLatin1Char('n')),
                            QStringLiteral("\u00e9t\u00e9 \u5f20\u4e09"), QStringLiteral("???")};
    OpenMain();
    for (const QString& name : names) {
        const QStringList before = AccountFiles();
        CreateThroughDialog(name, QStringLiteral("pw"));
        EXPECT_EQ(AccountFiles().size(), before.size() + 1) << name.toStdString();
        EXPECT_EQ(CurrentAccount->FUserName, name);
    }
    // Nothing outside the shared folder: only our folder sits beside it.
    EXPECT_EQ(QDir(FRoot.filePath(QStringLiteral("shared")))
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QFileInfo(SharedDataFolder.chopped(1)).fileName()});
    EXPECT_TRUE(QDir(SharedDataFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());

    FMain.reset();
    Restart();
    ASSERT_EQ(static_cast<qsizetype>(AccountList->size()), names.size());
    OpenMain();
    for (const QString& name : names) {
        LoginThroughDialog(name, {QStringLiteral("pw")});
        ASSERT_NE(CurrentAccount, nullptr);
        EXPECT_EQ(CurrentAccount->FUserName, name);
    }
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(Accounts, UserNameTooLongForAFileIsRefused) {
    OpenMain();
    CreateThroughDialog(QString(100, QChar(0x5f20)), QStringLiteral("pw"));
    EXPECT_EQ(LastShown(), QStringLiteral("User name is too long, please input a shorter one!"));
    EXPECT_TRUE(AccountFiles().isEmpty());
    EXPECT_TRUE(AccountList->empty());
}

TEST_F(Accounts, BrokenAccountFilesNeverCrashOrCostOtherAccounts) {
    CreateAccountFile(QStringLiteral("good"), QStringLiteral("pw"));
    CreateAccountFile(QStringLiteral("gone"), QStringLiteral("pw"));
    WriteFile(SharedDataFolder + AccountFileName(QStringLiteral("junk")),
              QByteArray("\x00\xff\xfe garbage\r\n\x01", 14));
    WriteFile(SharedDataFolder + AccountFileName(QStringLiteral("empty")), QByteArray());
    Restart();
    ASSERT_EQ(AccountList->size(), 4u);
    ASSERT_TRUE(QFile::remove(SharedDataFolder + AccountFileName(QStringLiteral("gone"))));
    OpenMain();

    LoginThroughDialog(QStringLiteral("junk"), {QStringLiteral("pw")});
    EXPECT_EQ(LastShown(), kWrongPassword);
    LoginThroughDialog(QStringLiteral("empty"), {QStringLiteral("pw")});
    EXPECT_EQ(LastShown(), kWrongPassword);
    LoginThroughDialog(QStringLiteral("gone"), {QStringLiteral("pw")});
    EXPECT_TRUE(LastShown().startsWith(QStringLiteral("The account file of gone cannot be read.")));
    EXPECT_EQ(CurrentAccount, nullptr);

    LoginThroughDialog(QStringLiteral("good"), {QStringLiteral("pw")});
    ASSERT_NE(CurrentAccount, nullptr);
    EXPECT_EQ(CurrentAccount->FUserName, QStringLiteral("good"));
    EXPECT_EQ(ReadFile(SharedDataFolder + AccountFileName(QStringLiteral("junk"))),
              QByteArray("\x00\xff\xfe garbage\r\n\x01", 14));
}

TEST_F(Accounts, PasswordThatCannotBeHashedIsReportedAndNoAccountAdded) {
    OpenMain();
    FMain->SetPasswordCost({1, static_cast<std::size_t>(-1)}); // more memory than can be had
    CreateThroughDialog(QStringLiteral("abc"), QStringLiteral("pw"));
    EXPECT_TRUE(LastShown().startsWith(QStringLiteral("The account could not be saved.")));
    EXPECT_TRUE(AccountFiles().isEmpty());
    EXPECT_TRUE(AccountList->empty());
    EXPECT_EQ(CurrentAccount, nullptr);
}

TEST_F(Accounts, AShareFolderThatVanishedIsMadeAgainForANewAccount) {
    OpenMain();
    ASSERT_TRUE(QDir(SharedDataFolder).removeRecursively());
    CreateThroughDialog(QStringLiteral("abc"), QStringLiteral("pw"));
    EXPECT_EQ(AccountFiles(), QStringList{QStringLiteral("YWJj.fvxml")});
    ASSERT_NE(CurrentAccount, nullptr);
    EXPECT_EQ(CurrentAccount->FUserName, QStringLiteral("abc"));
}

TEST_F(Accounts, AccountThatCannotBeSavedIsReportedAndNotAdded) {
    OpenMain();
    // The shared folder vanished under the running program, and a file now stands where it was:
    // it cannot be made again.
    ASSERT_TRUE(QDir(SharedDataFolder).removeRecursively());
    WriteFile(SharedDataFolder.chopped(1), "a file");
    CreateThroughDialog(QStringLiteral("abc"), QStringLiteral("pw"));
    EXPECT_TRUE(LastShown().contains(SharedDataFolder)) << LastShown().toStdString();
    EXPECT_TRUE(LastShown().startsWith(QStringLiteral("The account could not be saved.")));
    EXPECT_TRUE(AccountList->empty());
    EXPECT_EQ(CurrentAccount, nullptr);
    EXPECT_EQ(FavoriteText(), QStringLiteral("Favorite  Codes"));
}

} // namespace
