// The favourite codes offscreen on the sample data set: the list window (codes with their
// descriptions, a code the edition does not know, Enter and double-click to the viewer, Del,
// saving at once, Escape and F12) and the main window's "Favorite Codes" link with nobody, or
// somebody, logged in.
#include "AccountLogin.h"
#include "Accounts.h"
#include "BrowserTestSupport.h"
#include "EngineGlobals.h"
#include "Favorites.h"
#include "Main.h"
#include "ModalResults.h"
#include "TextLines.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {

const QString kUnknown = QStringLiteral("Q99.ZZZZ"); // no code of any edition

class FavoritesWindow : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        auto account = std::make_unique<TFavoriteKW>(QStringLiteral("abc"), QStringLiteral("secret"),
                                                     SharedDataFolder, MinimumPasswordCost);
        account->SaveKWs();
        FPasswordLine = account->FFavoriteCodes.first();
        for (const QString& code : {QStringLiteral("A00.0"), QStringLiteral("S06.0X1A"), kUnknown,
                                    QStringLiteral("A01")})
            account->AddFavoriteCode(code);
        FAccount = account.get();
        AccountList->push_back(std::move(account));
        CurrentAccount = FAccount;
    }
    void TearDown() override {
        FWindow.reset();
        CurrentAccount = nullptr;
        WindowTest::TearDown();
    }
    TfrmFavorites& Open() {
        FWindow = std::make_unique<TfrmFavorites>(Messages(), *FAccount, FViewer.Opener());
        FWindow->show();
        FWindow->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(FWindow.get()));
        return *FWindow;
    }
    QTreeWidget* List() { return FWindow->findChild<QTreeWidget*>(QStringLiteral("ListView1")); }
    QString Status() { return FWindow->findChild<QLabel*>(QStringLiteral("lblStatus"))->text(); }
    QStringList Rows(int AColumn = 0) {
        QStringList rows;
        for (int i = 0; i < List()->topLevelItemCount(); ++i)
            rows << List()->topLevelItem(i)->text(AColumn);
        return rows;
    }
    QStringList FileLines() { return ReadTextLines(FAccount->FFileName).value_or(QStringList()); }

    TFavoriteKW* FAccount = nullptr;
    QString FPasswordLine;
    TRecordingOpener FViewer;
    std::unique_ptr<TfrmFavorites> FWindow;
};

TEST_F(FavoritesWindow, ListsEachCodeWithItsDescriptionAndKeepsUnknownOnes) {
    TfrmFavorites& window = Open();
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("plTitle"))->text(), QStringLiteral("Favorite Codes of abc"));
    EXPECT_EQ(Rows(), (QStringList{QStringLiteral("A00.0"), QStringLiteral("S06.0X1A"), kUnknown, QStringLiteral("A01")}));
    const QStringList descriptions = Rows(1);
    EXPECT_EQ(descriptions[0], QStringLiteral("Cholera due to Vibrio cholerae 01, biovar cholerae"));
    EXPECT_TRUE(descriptions[1].endsWith(QStringLiteral(", initial encounter"))) << descriptions[1].toStdString();
    EXPECT_EQ(descriptions[2], QStringLiteral("(not in the %1 edition of the classification)").arg(DataYear));
    EXPECT_TRUE(List()->topLevelItem(2)->font(1).italic());
    EXPECT_EQ(descriptions[3], QStringLiteral("Typhoid and paratyphoid fevers"));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lbCount"))->text(), QStringLiteral("Codes: 4"));
    // Ready for the keyboard: the list has the focus and its first row.
    EXPECT_TRUE(List()->hasFocus());
    EXPECT_EQ(window.SelectedCode(), QStringLiteral("A00.0"));
    // Nothing was written by showing them.
    EXPECT_EQ(FileLines(), (QStringList{FPasswordLine, QStringLiteral("A00.0"), QStringLiteral("S06.0X1A"), kUnknown,
                                        QStringLiteral("A01")}));
}

// The frame of a search window at the list's own size: the program's caption, the window font,
// fixed at 900 x 560 with minimise and close but no maximise; maximised with FullScreen.
TEST_F(FavoritesWindow, FrameIsASearchWindowAtItsOwnSize) {
    TfrmFavorites& window = Open();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ICD-10 (%1), Provided by Quorvane").arg(DataYear));
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_EQ(window.font().pixelSize(), 13);
    EXPECT_EQ(window.size(), QSize(900, 560));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);

    FullScreen = 1;
    TfrmFavorites& maximised = Open();
    QApplication::processEvents();
    EXPECT_TRUE(maximised.isMaximized());
    EXPECT_TRUE(maximised.windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(FavoritesWindow, EnterAndDoubleClickOpenTheCodeInTheViewer) {
    Open();
    const struct {
        int Row;
        bool DoubleClick;
        const char* Opened; // nullptr: nothing opens, the status says why
    } cases[] = {{0, false, "A00.0"}, {1, true, "S06.0X1A"}, {3, false, "A01"}, {2, false, nullptr}, {2, true, nullptr}};
    for (const auto& c : cases) {
        FViewer.FCodes.clear();
        QTreeWidgetItem* item = List()->topLevelItem(c.Row);
        List()->setCurrentItem(item);
        if (c.DoubleClick)
            QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(item).center());
        else
            QTest::keyClick(List(), Qt::Key_Return);
        EXPECT_EQ(FViewer.FCodes, c.Opened ? QStringList{QLatin1String(c.Opened)} : QStringList()) << c.Row;
        if (!c.Opened) {
            EXPECT_EQ(Status(), QStringLiteral("%1 is not in the %2 edition.").arg(kUnknown, DataYear));
        }
        EXPECT_TRUE(FWindow->isVisible());
    }
    // The viewer's Quit quits.
    FViewer.FResult = TSearchResult::Quit;
    List()->setCurrentItem(List()->topLevelItem(0));
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_FALSE(FWindow->isVisible());
    EXPECT_EQ(FWindow->result(), TSearchResult::Quit);
}

TEST_F(FavoritesWindow, DelRemovesTheCodeAndSavesAtOnce) {
    Open();
    List()->setCurrentItem(List()->topLevelItem(1));
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(Rows(), (QStringList{QStringLiteral("A00.0"), kUnknown, QStringLiteral("A01")}));
    EXPECT_EQ(FWindow->SelectedCode(), kUnknown); // the next row takes its place
    EXPECT_EQ(FileLines(), (QStringList{FPasswordLine, QStringLiteral("A00.0"), kUnknown, QStringLiteral("A01")}));
    // The unknown code goes only when asked to; the last row leaves its upper neighbour selected.
    QTest::keyClick(List(), Qt::Key_Delete);
    List()->setCurrentItem(List()->topLevelItem(1));
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(Rows(), QStringList{QStringLiteral("A00.0")});
    EXPECT_EQ(FWindow->SelectedCode(), QStringLiteral("A00.0"));
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_TRUE(Status().startsWith(QStringLiteral("No favorite codes yet")));
    EXPECT_FALSE(FWindow->findChild<QPushButton*>(QStringLiteral("btnRemove"))->isEnabled());
    EXPECT_EQ(FileLines(), QStringList{FPasswordLine});
    // After a restart the next login reads the same.
    TFavoriteKW again(QStringLiteral("abc"), FAccount->FFileName);
    ASSERT_TRUE(again.LoadKWs(QStringLiteral("secret"), MinimumPasswordCost));
    EXPECT_TRUE(again.FavoriteCodes().isEmpty());
}

TEST_F(FavoritesWindow, ACodeAddedInTheViewerShowsOnItsReturn) {
    FWindow = std::make_unique<TfrmFavorites>(Messages(), *FAccount, [this](QWidget*, const QString&) {
        FAccount->AddFavoriteCode(QStringLiteral("A02.0"));
        return TSearchResult::Back;
    });
    FWindow->show();
    List()->setCurrentItem(List()->topLevelItem(3));
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_EQ(Rows().last(), QStringLiteral("A02.0"));
    EXPECT_EQ(Rows(1).last(), QStringLiteral("Salmonella enteritis"));
    EXPECT_EQ(FWindow->SelectedCode(), QStringLiteral("A01")); // the code that was opened
}

TEST_F(FavoritesWindow, ASaveThatFailsIsReportedAndChangesNothing) {
    Open();
    ASSERT_TRUE(QDir(SharedDataFolder).removeRecursively());
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_TRUE(LastShown().startsWith(QStringLiteral("The favorite codes could not be saved."))) << LastShown().toStdString();
    EXPECT_EQ(Rows().size(), 4);
    EXPECT_EQ(FAccount->FavoriteCodes().size(), 4);
}

TEST_F(FavoritesWindow, EscapeClosesAndF12AsksToQuit) {
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        Open();
        FAnswer = answer;
        QTest::keyClick(List(), Qt::Key_F12);
        EXPECT_EQ(Requests().back().Text, QStringLiteral("Do you want to quit this program?"));
        EXPECT_EQ(Requests().back().DefaultButton, QMessageBox::No);
        EXPECT_EQ(FWindow->isVisible(), answer == QMessageBox::No);
    }
    Open();
    QTest::keyClick(List(), Qt::Key_Escape);
    EXPECT_FALSE(FWindow->isVisible());
    EXPECT_EQ(FWindow->result(), TSearchResult::Back);
}

// The main window's "Favorite Codes": the list of the logged-in user, or first the way to an
// account.
class FavoritesFromTheMainWindow : public FavoritesWindow {
  protected:
    void ClickFavorite(TfrmMain& AMain) {
        QTest::mouseClick(AMain.findChild<QLabel*>(QStringLiteral("lbFavorite")), Qt::LeftButton);
    }
};

TEST_F(FavoritesFromTheMainWindow, OpensTheListOfTheLoggedInUser) {
    TfrmMain main(Messages());
    main.show();
    QStringList shown;
    WhenModalShows<TfrmFavorites>([&](TfrmFavorites* AWindow) {
        const auto* list = AWindow->findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            shown << list->topLevelItem(i)->text(0);
        EXPECT_FALSE(main.isVisible()); // in place of the main window, as a search window
        AWindow->done(TSearchResult::Back);
    });
    ClickFavorite(main);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("A00.0"), QStringLiteral("S06.0X1A"), kUnknown, QStringLiteral("A01")}));
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(Requests().empty());
}

TEST_F(FavoritesFromTheMainWindow, WithNobodyLoggedInOffersLoginFirst) {
    CurrentAccount = nullptr;
    TfrmMain main(Messages());
    main.SetPasswordCost(MinimumPasswordCost);
    main.show();
    // Declined: nothing opens.
    FAnswer = QMessageBox::No;
    ClickFavorite(main);
    ASSERT_EQ(Requests().size(), 1u);
    EXPECT_EQ(Requests().back().Caption, QStringLiteral("Favorite Codes"));
    EXPECT_TRUE(Requests().back().Text.endsWith(QStringLiteral("nobody is logged in. Log in now?")));
    EXPECT_EQ(Requests().back().DefaultButton, QMessageBox::Yes);
    EXPECT_EQ(CurrentAccount, nullptr);
    // Accepted: the login dialog, then the list of the user who logged in.
    FAnswer = QMessageBox::Yes;
    bool listed = false;
    WhenModalShows<TFormAccountLogin>([&](TFormAccountLogin* ADialog) {
        EXPECT_EQ(ADialog->FType, TAccountDialog::Login);
        ADialog->ComboBox1->setCurrentIndex(ADialog->ComboBox1->findText(QStringLiteral("abc")));
        ADialog->Edit1->setText(QStringLiteral("secret"));
        WhenModalShows<TfrmFavorites>([&](TfrmFavorites* AWindow) {
            listed = AWindow->findChild<QTreeWidget*>(QStringLiteral("ListView1"))->topLevelItemCount() == 4;
            AWindow->done(TSearchResult::Back);
        });
        QTest::mouseClick(ADialog->Button1, Qt::LeftButton);
    });
    ClickFavorite(main);
    EXPECT_TRUE(listed);
    EXPECT_EQ(CurrentAccount, FAccount);
    EXPECT_EQ(main.findChild<QLabel*>(QStringLiteral("lbFavorite"))->text(), QStringLiteral("Favorite Codes of abc"));
}

TEST_F(FavoritesFromTheMainWindow, WithoutAnyAccountOffersANewOne) {
    CurrentAccount = nullptr;
    AccountList->clear();
    FAccount = nullptr;
    TfrmMain main(Messages());
    main.SetPasswordCost(MinimumPasswordCost);
    main.show();
    FAnswer = QMessageBox::Yes;
    bool listed = false;
    WhenModalShows<TFormAccountLogin>([&](TFormAccountLogin* ADialog) {
        EXPECT_EQ(ADialog->FType, TAccountDialog::NewAccount);
        ADialog->Edit2->setText(QStringLiteral("ben"));
        ADialog->Edit1->setText(QStringLiteral("pw"));
        WhenModalShows<TfrmFavorites>([&](TfrmFavorites* AWindow) {
            listed = AWindow->findChild<QTreeWidget*>(QStringLiteral("ListView1"))->topLevelItemCount() == 0;
            AWindow->done(TSearchResult::Back);
        });
        QTest::mouseClick(ADialog->Button1, Qt::LeftButton);
    });
    ClickFavorite(main);
    ASSERT_FALSE(Requests().empty());
    EXPECT_TRUE(Requests().front().Text.endsWith(QStringLiteral("there is none yet. Create one now?")));
    EXPECT_TRUE(listed);
    ASSERT_NE(CurrentAccount, nullptr);
    EXPECT_EQ(CurrentAccount->FUserName, QStringLiteral("ben"));
}

} // namespace
