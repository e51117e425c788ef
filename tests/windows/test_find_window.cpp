// The Find window offscreen on the sample data set, with the find index built into a temporary
// cache folder: the list following the typing, the rows, the keys between the box and the list,
// opening the viewer, copying, the correction line, closing and quitting, the wait for the index
// and a failed index; and Ctrl+F in the search windows.
#include "AlphaSearch.h"
#include "ChapterSearch.h"
#include "DrugNeopSearch.h"
#include "EngineGlobals.h"
#include "Find.h"
#include "FindIndexJob.h"
#include "InfoOf7Code.h"
#include "KeywordSearch.h"
#include "ModalResults.h"
#include "Waiting.h"
#include "WindowStyle.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTest>
#include <QTextDocument>
#include <QTreeWidget>

#include <functional>
#include <memory>

namespace {

enum TColumn { kCodeColumn = 0, kMarkColumn, kDescColumn, kMoreColumn, kCategoryColumn };

// Starts the find index job over the sample data set, its cache in the test's own folder.
void StartFindIndex(const QTemporaryDir& ARoot) {
    qputenv("XDG_CACHE_HOME", ARoot.filePath(QStringLiteral("cache")).toUtf8());
    StartFindIndexJob();
    WaitForLoadersServingMessages();
    ASSERT_EQ(ReadState(FindIndexLoadState), LoadDone);
}

// Brings AWindow up as the active window, as a user would see it.
void ShowActive(QWidget* AWindow) {
    AWindow->show();
    AWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(AWindow));
    ASSERT_TRUE(QTest::qWaitForWindowActive(AWindow));
}

// Records what the waiting protocol does, and lets the index be ready at the first pause.
class TIndexReadyHooks : public TWaitingHooks {
public:
    void ShowWaitingDialog() override { ++Shown; }
    void ServeWhileWaiting() override {
        ++Served;
        WriteState(FindIndexLoadState, LoadDone);
    }
    void HideWaitingDialog() override { ++Hidden; }
    int Shown = 0, Served = 0, Hidden = 0;
};

// A window test with the find index of the sample data set ready.
class WindowTestWithIndex : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        if (HasFailure())
            return;
        StartFindIndex(FRoot);
    }
};

class FindWindow : public WindowTestWithIndex {
protected:
    void TearDown() override {
        FWindow.reset();
        WindowTest::TearDown();
    }
    // Creates and shows the window; its viewer records the code and answers FViewerResult.
    void Open() {
        FWindow = std::make_unique<TfrmFind>(Messages(), [this](QWidget* AParent, const QString& ACode) {
            EXPECT_EQ(AParent, FWindow.get());
            FOpened << ACode;
            return FViewerResult;
        });
        ShowActive(FWindow.get());
    }
    template <class T = QWidget> T* Child(const char* AName) {
        return ChildOf<T>(FWindow.get(), AName);
    }
    QLineEdit* Box() { return Child<QLineEdit>("edtFind"); }
    QTreeWidget* List() { return Child<QTreeWidget>("lvResults"); }
    QLabel* Correction() { return Child<QLabel>("lblCorrection"); }
    QString Status() { return Child<QLabel>("lblStatus")->text(); }
    // Types into the emptied box key by key and waits for the pause after the typing.
    void Type(const QString& AText) {
        Box()->clear();
        Box()->setFocus();
        QTest::keyClicks(Box(), AText);
        Settle();
    }
    void Settle() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !FWindow->SearchPending(); }));
    }
    QStringList Codes(int AColumn = kCodeColumn) {
        QStringList codes;
        for (int i = 0; i < List()->topLevelItemCount(); ++i)
            codes << List()->topLevelItem(i)->text(AColumn);
        return codes;
    }
    int CurrentRow() { return List()->indexOfTopLevelItem(List()->currentItem()); }

    std::unique_ptr<TfrmFind> FWindow;
    QStringList FOpened;
    int FViewerResult = TSearchResult::Back;
};

TEST_F(FindWindow, OpensReadyToTypeWithTheLookOfTheSearchWindows) {
    Open();
    EXPECT_EQ(FWindow->windowTitle(), QStringLiteral("ICD-10 (%1), Provided by Quorvane").arg(DataYear));
    EXPECT_EQ(FWindow->size(), QSize(1167, 691));
    EXPECT_EQ(FWindow->minimumSize(), FWindow->maximumSize());
    EXPECT_EQ(Child<QLabel>("plTitle")->palette().color(QPalette::Window), TColors::SkyBlue);
    EXPECT_EQ(Child<QLabel>("plTitle")->font().pixelSize(), 29);
    EXPECT_EQ(List()->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(List()->font().pixelSize(), 14);
    EXPECT_EQ(QApplication::focusWidget(), Box());
    EXPECT_NE(FWindow->Index(), nullptr);
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_FALSE(Correction()->isVisible());
    EXPECT_EQ(Status(), QStringLiteral("Type a few words, a term or a code"));
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(FindWindow, OpensMaximisedWithTheFullScreenSetting) {
    FullScreen = 1;
    Open();
    EXPECT_TRUE(FWindow->windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(FWindow->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(FindWindow, TypingListsTheBestCodesOnceTheTypingPauses) {
    Open();
    struct TCase {
        const char* Typed;
        const char* First;    // nullptr: any
        const char* Included; // a code the list must hold
        const char* Prefix;   // every code begins so
    };
    const TCase cases[] = {
        {"typhus", nullptr, "A01.00", "A01"}, // through the index entry that sees Typhoid
        {"cholera", nullptr, "A00.0", "A00"},
        {"a01.0", "A01.0", "A01.00", "A01.0"}, // a code as typed comes first, then the codes below
        {"Salmonella enteritis", "A02.0", "A02.0", ""},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Typed);
        Box()->clear();
        Box()->setFocus();
        QTest::keyClicks(Box(), QString::fromUtf8(test.Typed));
        // The keys came faster than the pause: nothing searched yet.
        EXPECT_TRUE(FWindow->SearchPending());
        Settle();
        const QStringList codes = Codes();
        ASSERT_FALSE(codes.isEmpty());
        if (test.First) {
            EXPECT_EQ(codes.first(), QString::fromUtf8(test.First));
        }
        EXPECT_TRUE(codes.contains(QString::fromUtf8(test.Included))) << codes.join(u' ').toStdString();
        for (const QString& code : codes)
            EXPECT_TRUE(code.startsWith(QString::fromUtf8(test.Prefix))) << code.toStdString();
        EXPECT_EQ(FWindow->Result().Query, QString::fromUtf8(test.Typed));
        EXPECT_EQ(Status(), codes.size() == 1 ? QStringLiteral("1 code found")
                                              : QStringLiteral("%1 codes found").arg(codes.size()));
        EXPECT_EQ(CurrentRow(), 0); // what Enter in the box opens
        EXPECT_EQ(QApplication::focusWidget(), Box());
    }
}

TEST_F(FindWindow, EachRowShowsCodeMarkDescriptionFoldedCodesAndCategory) {
    Open();
    for (const char* typed : {"cholera", "concussion loss of consciousness initial encounter"}) {
        SCOPED_TRACE(typed);
        Type(QString::fromUtf8(typed));
        const QList<TFindHit>& hits = FWindow->Result().Hits;
        ASSERT_EQ(List()->topLevelItemCount(), hits.size());
        ASSERT_FALSE(hits.isEmpty());
        for (int i = 0; i < hits.size(); ++i) {
            const TFindHit& hit = hits[i];
            const QTreeWidgetItem* row = List()->topLevelItem(i);
            SCOPED_TRACE(hit.Code.toStdString());
            EXPECT_EQ(row->text(kCodeColumn), hit.Code);
            EXPECT_EQ(row->text(kMarkColumn), hit.Reportable ? QStringLiteral("\u2713") : QString());
            EXPECT_EQ(row->text(kDescColumn), hit.Description);
            EXPECT_EQ(row->text(kMoreColumn),
                      hit.Collapsed > 0 ? QStringLiteral("+%1").arg(hit.Collapsed) : QString());
            EXPECT_EQ(row->text(kCategoryColumn), hit.CategoryCode + u' ' + hit.CategoryTitle);
        }
    }
    // Both kinds of row occur: a category that is no reportable code, and a seventh-character
    // code standing for the others of its code.
    Type(QStringLiteral("cholera"));
    const auto markOf = [this](const char* ACode) {
        const int row = static_cast<int>(Codes().indexOf(QString::fromLatin1(ACode)));
        return row < 0 ? QStringLiteral("(not listed)") : List()->topLevelItem(row)->text(kMarkColumn);
    };
    EXPECT_EQ(markOf("A00"), QString());
    EXPECT_EQ(markOf("A00.0"), QStringLiteral("\u2713"));
    Type(QStringLiteral("concussion loss of consciousness initial encounter"));
    // Seven-character codes, the mark and "+N" fit their columns whole (the view keeps a margin
    // on both sides of a cell's text).
    const QFontMetrics metrics(List()->font());
    const int margins = 2 * (List()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, List()) + 1);
    for (const int column : {kCodeColumn, kMarkColumn, kMoreColumn})
        for (const QString& text : Codes(column)) {
            EXPECT_LE(metrics.horizontalAdvance(text) + margins, List()->columnWidth(column)) << text.toStdString();
        }
    EXPECT_EQ(Codes().value(0).size(), 8);
    EXPECT_FALSE(Codes(kMoreColumn).filter(QRegularExpression(QStringLiteral("^\\+[1-9]"))).isEmpty())
        << Codes().join(u' ').toStdString();
    EXPECT_EQ(Codes(kCategoryColumn).value(0), QStringLiteral("S06 Intracranial injury"));
}

TEST_F(FindWindow, NothingFoundOrAnEmptyBoxSaysSoWithAnEmptyList) {
    Open();
    Type(QStringLiteral("cholera"));
    ASSERT_GT(List()->topLevelItemCount(), 0);
    const std::pair<const char*, QString> cases[] = {
        {"qxzvbw", QStringLiteral("No code found for \"qxzvbw\"")},
        {"   ", QStringLiteral("Type a few words, a term or a code")},
    };
    for (const auto& [typed, status] : cases) {
        Type(QString::fromUtf8(typed));
        EXPECT_EQ(List()->topLevelItemCount(), 0) << typed;
        EXPECT_EQ(Status(), status) << typed;
        // Enter and Ctrl+C with nothing listed do nothing.
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        QTest::keyClick(Box(), Qt::Key_Return);
        QTest::keyClick(Box(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_TRUE(FOpened.isEmpty());
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
        // Down stays in the box when there is no list to go to.
        QTest::keyClick(Box(), Qt::Key_Down);
        EXPECT_EQ(QApplication::focusWidget(), Box());
    }
}

TEST_F(FindWindow, DownGoesIntoTheListAndUpOnTheFirstRowBackToTheBox) {
    Open();
    Type(QStringLiteral("cholera"));
    ASSERT_GE(List()->topLevelItemCount(), 2);
    QTest::keyClick(Box(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), List());
    EXPECT_EQ(CurrentRow(), 0);
    EXPECT_TRUE(List()->topLevelItem(0)->isSelected());
    QTest::keyClick(List(), Qt::Key_Down);
    EXPECT_EQ(CurrentRow(), 1);
    QTest::keyClick(List(), Qt::Key_Up);
    EXPECT_EQ(CurrentRow(), 0);
    EXPECT_EQ(QApplication::focusWidget(), List());
    QTest::keyClick(List(), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), Box());
    EXPECT_EQ(Box()->text(), QStringLiteral("cholera"));

    // Typing in the list goes on in the box.
    QTest::keyClick(Box(), Qt::Key_Down);
    QTest::keyClicks(List(), QStringLiteral(" 0"));
    EXPECT_EQ(QApplication::focusWidget(), Box());
    EXPECT_EQ(Box()->text(), QStringLiteral("cholera 0"));
    // Down before the pause is over searches first, then goes into the new list.
    QTest::keyClick(Box(), Qt::Key_Down);
    EXPECT_FALSE(FWindow->SearchPending());
    EXPECT_EQ(FWindow->Result().Query, QStringLiteral("cholera 0"));
    EXPECT_EQ(QApplication::focusWidget(), List());
}

TEST_F(FindWindow, EnterOpensTheViewerOnTheSelectedCode) {
    Open();
    struct TCase {
        const char* Name;
        std::function<void()> Act;
        int ExpectedRow;
    };
    const TCase cases[] = {
        {"enter in the box opens the first result",
         [this] { QTest::keyClick(Box(), Qt::Key_Return); }, 0},
        {"enter in the list opens the selected row",
         [this] {
             QTest::keyClick(Box(), Qt::Key_Down);
             QTest::keyClick(List(), Qt::Key_Down);
             QTest::keyClick(List(), Qt::Key_Enter);
         },
         1},
        {"a double-click opens the row",
         [this] {
             QTreeWidgetItem* row = List()->topLevelItem(2);
             const QPoint centre = List()->visualItemRect(row).center();
             QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, centre);
         },
         2},
        {"the view button opens the selected row",
         [this] {
             List()->setCurrentItem(List()->topLevelItem(1));
             Child<QPushButton>("btnView")->click();
         },
         1},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        Type(QStringLiteral("cholera"));
        ASSERT_GE(List()->topLevelItemCount(), 3);
        const QString expected = List()->topLevelItem(test.ExpectedRow)->text(kCodeColumn);
        FOpened.clear();
        test.Act();
        EXPECT_EQ(FOpened, QStringList{expected});
        EXPECT_TRUE(FWindow->isVisible()); // back from the viewer
    }
    // Enter right after the typing, before the pause is over: the first code of what was typed.
    FOpened.clear();
    Box()->clear();
    QTest::keyClicks(Box(), QStringLiteral("typhus"));
    QTest::keyClick(Box(), Qt::Key_Return);
    ASSERT_EQ(FOpened.size(), 1);
    EXPECT_EQ(FOpened.first(), FWindow->Result().Hits.value(0).Code);
    EXPECT_EQ(FWindow->Result().Query, QStringLiteral("typhus"));
}

TEST_F(FindWindow, AViewerThatQuitsTheProgramClosesFindWithThree) {
    Open();
    Type(QStringLiteral("cholera"));
    FViewerResult = TSearchResult::Quit;
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_EQ(FOpened.size(), 1);
    EXPECT_EQ(FWindow->result(), TSearchResult::Quit);
    EXPECT_FALSE(FWindow->isVisible());
}

TEST_F(FindWindow, CtrlCCopiesTheSelectedCodeAlone) {
    Open();
    Type(QStringLiteral("cholera"));
    ASSERT_GE(List()->topLevelItemCount(), 2);
    QClipboard* clipboard = QGuiApplication::clipboard();

    QTest::keyClick(Box(), Qt::Key_Down);
    QTest::keyClick(List(), Qt::Key_Down);
    QTest::keyClick(List(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), List()->topLevelItem(1)->text(kCodeColumn));
    EXPECT_TRUE(Child<QLabel>("lblLegend")->text().startsWith(clipboard->text() + u' '));

    // From the box: the first code; but words selected in the box are copied as words.
    QTest::keyClick(List(), Qt::Key_Up);
    QTest::keyClick(List(), Qt::Key_Up);
    ASSERT_EQ(QApplication::focusWidget(), Box());
    Box()->deselect();
    QTest::keyClick(Box(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), List()->topLevelItem(0)->text(kCodeColumn));
    Box()->setSelection(0, 3);
    QTest::keyClick(Box(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("cho"));

    List()->setCurrentItem(List()->topLevelItem(1));
    Child<QPushButton>("btnCopy")->click();
    EXPECT_EQ(clipboard->text(), List()->topLevelItem(1)->text(kCodeColumn));
}

TEST_F(FindWindow, AMisspellingShowsTheCorrectionAndItsLinkSearchesAsTyped) {
    Open();
    Type(QStringLiteral("typhod"));
    EXPECT_EQ(FWindow->Result().Corrected, QStringLiteral("typhoid"));
    EXPECT_TRUE(Codes().contains(QStringLiteral("A01.00")));
    QLabel* line = Correction();
    ASSERT_TRUE(line->isVisible());
    QTextDocument shown;
    shown.setHtml(line->text());
    EXPECT_EQ(shown.toPlainText(),
              QStringLiteral("Showing results for typhoid \u2014 search instead for typhod"));

    // The link is the end of the line: a click there searches the words as typed.
    const QPoint link(line->sizeHint().width() - 6, line->height() / 2);
    QTest::mouseClick(line, Qt::LeftButton, {}, link);
    EXPECT_TRUE(FWindow->Result().Corrected.isEmpty());
    EXPECT_EQ(FWindow->Result().Query, QStringLiteral("typhod"));
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_EQ(Status(), QStringLiteral("No code found for \"typhod\""));
    EXPECT_FALSE(line->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Box());

    // Typing again corrects again; a known word is never corrected.
    Type(QStringLiteral("typhod fever"));
    EXPECT_EQ(FWindow->Result().Corrected, QStringLiteral("typhoid fever"));
    Type(QStringLiteral("typhoid"));
    EXPECT_TRUE(FWindow->Result().Corrected.isEmpty());
    EXPECT_FALSE(line->isVisible());
}

TEST_F(FindWindow, EscapeClosesWithTwoAndF12AsksToQuit) {
    struct TCase {
        const char* Name;
        Qt::Key Key;
        const char* In;
        QMessageBox::StandardButton Answer;
        int Result; // 0: still open
    };
    const TCase cases[] = {
        {"escape in the box", Qt::Key_Escape, "edtFind", QMessageBox::Yes, TSearchResult::Back},
        {"escape in the list", Qt::Key_Escape, "lvResults", QMessageBox::Yes, TSearchResult::Back},
        {"F12 answered No", Qt::Key_F12, "edtFind", QMessageBox::No, 0},
        {"F12 answered Yes in the list", Qt::Key_F12, "lvResults", QMessageBox::Yes, TSearchResult::Quit},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        Open();
        Type(QStringLiteral("cholera"));
        FAnswer = test.Answer;
        const std::size_t asked = Requests().size();
        QTest::keyClick(Child(test.In), test.Key);
        if (test.Key == Qt::Key_F12) {
            ASSERT_EQ(Requests().size(), asked + 1);
            EXPECT_EQ(Requests().back().Text, QStringLiteral("Do you want to quit this program?"));
            EXPECT_EQ(Requests().back().Kind, TMessageRequest::TKind::Question);
            EXPECT_EQ(Requests().back().DefaultButton, QMessageBox::No); // the safe answer
        }
        EXPECT_EQ(FWindow->isVisible(), test.Result == 0);
        if (test.Result != 0) {
            EXPECT_EQ(FWindow->result(), test.Result);
        }
    }
    Open();
    Child<QPushButton>("btnBack")->click();
    EXPECT_EQ(FWindow->result(), TSearchResult::Back);
}

TEST_F(FindWindow, WaitsWithTheWaitingDialogWhileTheIndexIsBuilt) {
    TIndexReadyHooks hooks;
    TWaitingHooks* const installed = WaitingHooks();
    SetWaitingHooks(&hooks);
    WriteState(FindIndexLoadState, LoadRunning); // as if the job were still building
    Open();
    SetWaitingHooks(installed);
    EXPECT_EQ(hooks.Shown, 1);
    EXPECT_GE(hooks.Served, 1);
    EXPECT_EQ(hooks.Hidden, 1);
    ASSERT_NE(FWindow->Index(), nullptr);
    Type(QStringLiteral("cholera"));
    EXPECT_GT(List()->topLevelItemCount(), 0);
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(FindWindow, AFailedIndexIsReportedAndTheBoxStaysUsable) {
    WriteState(FindIndexLoadState, LoadFailed);
    Open();
    ASSERT_EQ(Requests().size(), 1u);
    EXPECT_EQ(Requests()[0].Kind, TMessageRequest::TKind::Information);
    EXPECT_TRUE(Requests()[0].Text.contains(QStringLiteral("could not be built")));
    EXPECT_EQ(FWindow->Index(), nullptr);
    Type(QStringLiteral("cholera"));
    EXPECT_EQ(Box()->text(), QStringLiteral("cholera"));
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_EQ(Status(), QStringLiteral("The search index is not available"));
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_TRUE(FOpened.isEmpty());
    EXPECT_EQ(Requests().size(), 1u); // said once, when the window opened
}

// Ctrl+F in each search window opens Find over it; Find's 3 ends the window with 3, its 2
// leaves the window open.
class FindShortcut : public WindowTestWithIndex {
protected:
    TfrmInfoOf7Code FInfo;
};

// An index or table window of the kind AType (a TTermData value).
template <class TWindow> std::function<std::unique_ptr<QDialog>()> OfType(int AType) {
    return [AType] {
        auto window = std::make_unique<TWindow>(Messages());
        window->FType = AType;
        return std::unique_ptr<QDialog>(std::move(window));
    };
}

TEST_F(FindShortcut, CtrlFInEverySearchWindowOpensFindOverIt) {
    struct TCase {
        const char* Name;
        std::function<std::unique_ptr<QDialog>()> Create;
    };
    const TCase cases[] = {
        {"keyword search", [this] { return std::make_unique<TfrmKeyWordSearch>(Messages(), nullptr, &FInfo); }},
        {"disease index", OfType<TfrmAlphaSearch>(TTermData::DiseaseIndex)},
        {"external index", OfType<TfrmAlphaSearch>(TTermData::ExternalIndex)},
        {"drug table", OfType<TfrmDrugNeopSearch>(TTermData::DrugTable)},
        {"neoplasm table", OfType<TfrmDrugNeopSearch>(TTermData::NeoplasmTable)},
        {"chapter browser", [] { return std::make_unique<TfrmChapterSearch>(Messages()); }},
    };
    for (const TCase& test : cases) {
        for (const int findResult : {TSearchResult::Back, TSearchResult::Quit}) {
            SCOPED_TRACE(std::string(test.Name) + " with Find returning " + std::to_string(findResult));
            std::unique_ptr<QDialog> window = test.Create();
            ShowActive(window.get());
            QWidget* parent = nullptr;
            WhenModalShows<TfrmFind>([&](TfrmFind* AFind) {
                parent = AFind->parentWidget();
                EXPECT_EQ(AFind->focusWidget(), AFind->findChild<QLineEdit*>(QStringLiteral("edtFind")));
                AFind->done(findResult);
            });
            QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
            QTest::keyClick(focus, Qt::Key_F, Qt::ControlModifier);
            ASSERT_TRUE(QTest::qWaitFor([&] { return parent != nullptr; }));
            EXPECT_EQ(parent, window.get());
            EXPECT_EQ(window->isVisible(), findResult != TSearchResult::Quit);
            if (findResult == TSearchResult::Quit) {
                EXPECT_EQ(window->result(), TSearchResult::Quit);
            }
        }
    }
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(FindShortcut, FindFromAnIndexWindowOpensCodesInThatWindowsViewer) {
    QStringList opened;
    TfrmAlphaSearch window(Messages(), [&](QWidget*, const QString& ACode) {
        opened << ACode;
        return TSearchResult::Back;
    });
    window.FType = TTermData::DiseaseIndex;
    ShowActive(&window);
    WhenModalShows<TfrmFind>([](TfrmFind* AFind) {
        auto* box = AFind->findChild<QLineEdit*>(QStringLiteral("edtFind"));
        QTest::keyClicks(box, QStringLiteral("cholera"));
        QTest::keyClick(box, Qt::Key_Return);
        AFind->done(TSearchResult::Back);
    });
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
    QTest::keyClick(focus, Qt::Key_F, Qt::ControlModifier);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened.first().startsWith(QStringLiteral("A00"))) << opened.first().toStdString();
    EXPECT_TRUE(window.isVisible());
}

} // namespace
