// The waiting dialog and the message service: the dialog over a window that waits for a data
// set that is still loading, and loader messages raised meanwhile, in order and without a
// deadlock.
#include "BuildThread.h"
#include "ChapterSearch.h"
#include "DataSets.h"
#include "EngineGlobals.h"
#include "LoaderMessages.h"
#include "TestSupport.h"
#include "Waiting.h"
#include "WaitingDialog.h"
#include "WindowStyle.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTreeWidget>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using WaitingDialogTest = WindowTest;

TEST_F(WaitingDialogTest, LooksAsLaidOut) {
    QWidget anchor;
    anchor.setGeometry(100, 100, 600, 400);
    TfrmWaiting dialog(&anchor);
    EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(dialog.size(), QSize(327, 47));
    EXPECT_EQ(dialog.Panel1->geometry(), QRect(0, 0, 327, 47));
    EXPECT_EQ(dialog.Panel1->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(dialog.Image1->geometry(), QRect(22, 7, 32, 32));
    EXPECT_FALSE(dialog.Image1->pixmap().isNull());
    EXPECT_EQ(dialog.Label1->pos(), QPoint(60, 17));
    EXPECT_EQ(dialog.Label1->text(), QStringLiteral("Sorting data, please wait"));
    EXPECT_EQ(dialog.Panel1->font().pixelSize(), 13);
    EXPECT_TRUE(dialog.Panel1->font().bold());
    EXPECT_EQ(TextColor(dialog.Label1), TColors::Navy);
    EXPECT_EQ(dialog.Timer1->interval(), 500);
    EXPECT_TRUE(dialog.Timer1->isActive());
    EXPECT_EQ(dialog.FDots, 1);
    dialog.show();
    EXPECT_EQ(dialog.Panel1->palette().color(QPalette::Window), TColors::SkyBlue);
    EXPECT_EQ(dialog.geometry().center(), anchor.frameGeometry().center());
}

TEST_F(WaitingDialogTest, DotsCycleFromTwoToSevenAndBackToOne) {
    TfrmWaiting dialog;
    QList<int> dots;
    for (int tick = 0; tick < 8; ++tick) {
        dialog.Timer1Timer();
        dots << static_cast<int>(dialog.Label1->text().size() -
                                 QStringLiteral("Sorting data, please wait").size());
        EXPECT_TRUE(dialog.Label1->text().startsWith(QStringLiteral("Sorting data, please wait")));
    }
    EXPECT_EQ(dots, (QList<int>{2, 3, 4, 5, 6, 7, 1, 2}));
}

// A tabular list whose first chapter holds an element the loader does not know: the loader
// raises a message there and cannot go on before the user-interface thread has answered it,
// so it is held in "loading" for as long as the test needs.
std::string HeldTabularDocument() {
    std::string sections;
    for (int s = 0; s < 20; ++s) {
        sections += "<section><desc>S (A00-A99)</desc>";
        for (int c = 0; c < 20; ++c)
            sections += "<diag><name>A" + std::to_string(c) + "</name><desc>d</desc></diag>";
        sections += "</section>";
    }
    return TabularDocument("<chapter><desc>C (A00-A99)</desc><oddity/>" + sections + "</chapter>");
}

class WaitingForALoader : public WindowTest {
  protected:
    void StartHeldLoader() {
        PutDataSet(TDataSet::Tabular, HeldTabularDocument());
        WriteState(TabularLoadState, LoadNotStarted);
        FLoader = std::make_unique<TBuildThread>(0, false);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!IsLoading(TabularLoadState) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_TRUE(IsLoading(TabularLoadState));
    }
    void TearDown() override {
        if (FLoader)
            FLoader->WaitFor();
        WindowTest::TearDown();
    }
    std::unique_ptr<TBuildThread> FLoader;
};

TEST_F(WaitingForALoader, DialogShowsWhileTheDataSetLoadsAndTheLoaderMessageIsAnswered) {
    bool dialogShownDuringMessage = false;
    QString textDuringMessage;
    Messages().SetScript([&](const TMessageRequest& ARequest) {
        EXPECT_EQ(ARequest.Kind, TMessageRequest::TKind::LoaderMessage);
        EXPECT_EQ(ARequest.Text, QStringLiteral("Undealed chapter node: oddity"));
        dialogShownDuringMessage = WaitingDialog && WaitingDialog->isVisible();
        textDuringMessage = WaitingDialog ? WaitingDialog->Label1->text() : QString();
        EXPECT_EQ(QThread::currentThread(), qApp->thread());
        return QMessageBox::Ok;
    });
    StartHeldLoader();
    {
        TWaitForDataSet wait(TabularLoadState);
        EXPECT_TRUE(wait.ShowedDialog());
        EXPECT_EQ(ReadState(TabularLoadState), LoadDone);
        ASSERT_NE(WaitingDialog, nullptr);
        EXPECT_TRUE(WaitingDialog->isVisible()); // stays while the work runs
    }
    EXPECT_EQ(WaitingDialog, nullptr);
    EXPECT_TRUE(dialogShownDuringMessage);
    EXPECT_EQ(textDuringMessage, QStringLiteral("Sorting data, please wait"));
    EXPECT_EQ(ChapterList->size(), 1u); // the loader went on after the answer
}

TEST_F(WaitingForALoader, RealMessageBoxDuringTheWaitIsAnsweredWithEnter) {
    Messages().SetScript({});
    QString boxText;
    WhenModalShows([&](QWidget* ABox) {
        if (auto* box = qobject_cast<QMessageBox*>(ABox))
            boxText = box->text();
        QTest::keyClick(ABox, Qt::Key_Return);
    });
    StartHeldLoader();
    { TWaitForDataSet wait(TabularLoadState); }
    EXPECT_EQ(boxText, QStringLiteral("Undealed chapter node: oddity"));
    EXPECT_EQ(ReadState(TabularLoadState), LoadDone);
}

TEST_F(WaitingForALoader, ChapterBrowserOpenedWhileLoadingShowsTheDialogThenTheWholeTree) {
    bool dialogShownDuringMessage = false;
    Messages().SetScript([&](const TMessageRequest&) {
        dialogShownDuringMessage = WaitingDialog && WaitingDialog->isVisible();
        return QMessageBox::Ok;
    });
    StartHeldLoader();
    TfrmChapterSearch browser(Messages());
    browser.show();
    EXPECT_TRUE(dialogShownDuringMessage);
    EXPECT_EQ(WaitingDialog, nullptr); // freed once the tree is filled
    EXPECT_EQ(ReadState(TabularLoadState), LoadDone);
    auto* tree = browser.findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* chapter = tree->topLevelItem(0);
    ASSERT_EQ(chapter->childCount(), 20);
    for (int s = 0; s < chapter->childCount(); ++s)
        EXPECT_EQ(chapter->child(s)->childCount(), 20) << "section " << s;
}

TEST_F(WaitingDialogTest, LoaderMessagesAreShownOneAtATimeInOrderFromTheEventLoop) {
    std::atomic<int> open{0};
    int mostOpen = 0;
    QStringList shown;
    Messages().SetScript([&](const TMessageRequest& ARequest) {
        shown << ARequest.Text;
        mostOpen = std::max(mostOpen, ++open);
        QTest::qWait(5); // other requests arriving meanwhile must wait their turn
        --open;
        return ARequest.Kind == TMessageRequest::TKind::LoaderMessage ? QMessageBox::Ok
                                                                      : QMessageBox::No;
    });
    std::atomic<bool> done{false};
    std::thread loaderA([&] {
        for (int i = 1; i <= 3; ++i)
            ShowLoaderMessage(QStringLiteral("A%1").arg(i));
    });
    std::thread loaderB([&] {
        for (int i = 1; i <= 3; ++i)
            ShowLoaderMessage(QStringLiteral("B%1").arg(i));
    });
    std::thread joiner([&] {
        loaderA.join();
        loaderB.join();
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 10000));
    joiner.join();
    EXPECT_EQ(mostOpen, 1);
    QStringList fromA, fromB;
    for (const QString& text : shown)
        (text.startsWith(u'A') ? fromA : fromB) << text;
    EXPECT_EQ(fromA,
              (QStringList{QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")}));
    EXPECT_EQ(fromB,
              (QStringList{QStringLiteral("B1"), QStringLiteral("B2"), QStringLiteral("B3")}));
}

TEST(MessageServiceShutdown, ReleasesALoaderThatWaitsAndAnswersLaterOnesAtOnce) {
    TMessageService service;
    TMessageSink sink = service.LoaderSink();
    std::atomic<bool> returned{false};
    std::thread loader([&] {
        sink(QStringLiteral("raised before the end"));
        sink(QStringLiteral("raised after the end"));
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50)); // the loader now waits
    EXPECT_FALSE(returned);
    service.Shutdown();
    loader.join();
    EXPECT_TRUE(returned);
}

TEST(MessageServiceQuestions, DefaultButtonAndAnswerReachTheCaller) {
    TMessageService service;
    std::vector<TMessageRequest> asked;
    service.SetScript([&](const TMessageRequest& ARequest) {
        asked.push_back(ARequest);
        return QMessageBox::No;
    });
    EXPECT_FALSE(service.Question(nullptr, QStringLiteral("Do you want to quit this program?"),
                                  QStringLiteral("Exit Program"), QMessageBox::Yes));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Caption, QStringLiteral("Exit Program"));
    EXPECT_EQ(asked[0].DefaultButton, QMessageBox::Yes);

    // Without a script a real box comes up; Enter presses its default button.
    service.SetScript({});
    WhenModalShows([](QWidget* ABox) {
        auto* box = qobject_cast<QMessageBox*>(ABox);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Exit Program"));
        QTest::keyClick(ABox, Qt::Key_Return);
    });
    EXPECT_TRUE(service.Question(nullptr, QStringLiteral("Do you want to quit this program?"),
                                 QStringLiteral("Exit Program"), QMessageBox::Yes));
}

} // namespace
