// The windows on a screen smaller than their design size: 1600 x 900 pixels at 150 %, an area of
// about 1067 x 600 logical pixels (ctest runs this test on such an offscreen screen). Each window
// opens maximised within the screen, and every control stays in reach: the windows with a
// stretching layout use their full-screen layout, the others scroll their controls.
#include "AdministratorTool.h"
#include "AlphaSearch.h"
#include "ChapterSearch.h"
#include "DrugNeopSearch.h"
#include "Find.h"
#include "KeywordSearch.h"
#include "Main.h"
#include "ScreenFit.h"
#include "SelectCode.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <functional>
#include <memory>

namespace {

class SmallScreen : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        const QRect area = AvailableScreenArea(nullptr);
        ASSERT_LT(area.height(), 691 + WindowFrameAllowance.height())
            << "run on a small screen: QT_QPA_PLATFORM=offscreen:configfile=tests/windows/"
               "offscreen-1600x900-150.json (as ctest does)";
    }
    // Shows AWindow and checks that it is maximised within the screen with every visible control
    // inside it.
    static void ExpectMaximisedWithinTheScreen(QWidget* AWindow, const char* AName) {
        AWindow->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(AWindow)) << AName;
        QApplication::processEvents();
        const QRect area = AvailableScreenArea(AWindow);
        EXPECT_TRUE(AWindow->isMaximized()) << AName;
        EXPECT_TRUE(AWindow->windowFlags() & Qt::WindowMaximizeButtonHint) << AName;
        EXPECT_LE(AWindow->width(), area.width()) << AName;
        EXPECT_LE(AWindow->height(), area.height()) << AName;
        // The controls lie inside the window; in a window that scrolls them, the scroll area
        // does (its page is larger than the window by design).
        auto* scroll = AWindow->findChild<QScrollArea*>(QStringLiteral("ScreenFitScroll"));
        const QList<QWidget*> controls =
            scroll ? QList<QWidget*>{scroll} : AWindow->findChildren<QWidget*>();
        for (QWidget* control : controls) {
            if (!control->isVisible() || control->isWindow())
                continue;
            const QRect placed(control->mapTo(AWindow, QPoint(0, 0)), control->size());
            EXPECT_TRUE(AWindow->rect().contains(placed))
                << AName << ": " << control->objectName().toStdString() << " lies outside";
        }
        // No control covers another one beside it.
        for (QWidget* control : AWindow->findChildren<QWidget*>()) {
            if (!control->isVisible() || control->isWindow() || control->objectName().isEmpty())
                continue;
            for (QWidget* other : control->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (other != control && other->isVisible() && !other->isWindow() &&
                    !other->objectName().isEmpty() && control->objectName() < other->objectName()) {
                    EXPECT_FALSE(control->geometry().intersects(other->geometry()))
                        << AName << ": " << control->objectName().toStdString() << " and "
                        << other->objectName().toStdString() << " overlap";
                }
        }
    }
};

TEST_F(SmallScreen, TheScreenIsSmallerThanTheDesignSize) {
    const QRect area = AvailableScreenArea(nullptr);
    EXPECT_FALSE(FitsAvailableScreen(nullptr, QSize(1167, 691)));
    EXPECT_TRUE(FitsAvailableScreen(nullptr, QSize(560, 213))); // the seventh-character dialog
    EXPECT_NEAR(area.width(), 1067, 1);
    EXPECT_EQ(area.height(), 600);
}

// The windows laid out to stretch open maximised on their full-screen layout.
TEST_F(SmallScreen, SearchWindowsOpenMaximisedOnTheirFullScreenLayout) {
    const struct {
        const char* Name;
        std::function<std::unique_ptr<QWidget>()> Make;
    } windows[] = {
        {"keyword search", [] { return std::make_unique<TfrmKeyWordSearch>(Messages()); }},
        {"index search",
         [] {
             auto window = std::make_unique<TfrmAlphaSearch>(Messages());
             window->FType = TTermData::DiseaseIndex;
             return std::unique_ptr<QWidget>(std::move(window));
         }},
        {"drug table",
         [] {
             auto window = std::make_unique<TfrmDrugNeopSearch>(Messages());
             window->FType = TTermData::DrugTable;
             return std::unique_ptr<QWidget>(std::move(window));
         }},
        {"chapter browser", [] { return std::make_unique<TfrmChapterSearch>(Messages()); }},
        {"find", [] { return std::make_unique<TfrmFind>(Messages()); }},
    };
    for (const auto& entry : windows) {
        std::unique_ptr<QWidget> window = entry.Make();
        ExpectMaximisedWithinTheScreen(window.get(), entry.Name);
        EXPECT_EQ(window->findChild<QScrollArea*>(QStringLiteral("ScreenFitScroll")), nullptr) << entry.Name;
    }
}

// The keyword window keeps its pages and its bottom rows usable: whole pages of text, and the
// keyword box and the code box in sight.
TEST_F(SmallScreen, KeywordWindowStillShowsPagesAndItsBoxes) {
    TfrmKeyWordSearch window(Messages());
    window.FInitCode = QStringLiteral("A01");
    window.FInitType = TViewerStart::Code;
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.CurrentPage() > 0; }));
    EXPECT_GT(window.LinePerPage(), 9);
    EXPECT_GT(window.WordsPerLine(), 19);
    for (const char* name : {"edtKeyWord", "edtCode", "btnGo", "BitBtn1", "RichEdit1", "btnNextCode"}) {
        auto* control = window.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_TRUE(control->isVisible()) << name;
        EXPECT_GE(control->width(), control->minimumSizeHint().width() / 2) << name;
        EXPECT_TRUE(window.rect().contains(QRect(control->mapTo(&window, QPoint(0, 0)), control->size())))
            << name;
    }
}

// The windows whose controls stand at fixed places scroll them, whole, inside the maximised window.
TEST_F(SmallScreen, FixedLayoutsScrollInsideTheMaximisedWindow) {
    const struct {
        const char* Name;
        QSize Design;
        std::function<std::unique_ptr<QWidget>()> Make;
        const char* Control; // one control that must be reached
    } windows[] = {
        {"main window", {1167, 691}, [] { return std::make_unique<TfrmMain>(Messages()); }, "Button4"},
        {"code selection", {1062, 457}, [] { return std::make_unique<TfrmSelectCode>(Messages()); }, "Button2"},
        {"administrator tool", {848, 602}, [] { return std::make_unique<TfrmAdministratorTool>(Messages()); },
         nullptr},
    };
    for (const auto& entry : windows) {
        std::unique_ptr<QWidget> window = entry.Make();
        ExpectMaximisedWithinTheScreen(window.get(), entry.Name);
        auto* scroll = window->findChild<QScrollArea*>(QStringLiteral("ScreenFitScroll"));
        ASSERT_NE(scroll, nullptr) << entry.Name;
        QWidget* page = scroll->widget();
        EXPECT_EQ(page->size(), entry.Design) << entry.Name;
        // The scroll bars reach the page's far edges.
        EXPECT_EQ(scroll->horizontalScrollBar()->maximum(),
                  std::max(0, page->width() - scroll->viewport()->width())) << entry.Name;
        EXPECT_EQ(scroll->verticalScrollBar()->maximum(),
                  std::max(0, page->height() - scroll->viewport()->height())) << entry.Name;
        if (entry.Control) {
            auto* control = window->findChild<QWidget*>(QString::fromLatin1(entry.Control));
            ASSERT_NE(control, nullptr) << entry.Control;
            EXPECT_EQ(control->parentWidget(), page) << entry.Control;
            scroll->ensureWidgetVisible(control);
            const QRect shown(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size());
            EXPECT_TRUE(scroll->viewport()->rect().contains(shown)) << entry.Name;
        }
    }
}

// The main window's links still answer in the scroll area.
TEST_F(SmallScreen, MainWindowLinksWorkInTheScrollArea) {
    TfrmMain main(Messages());
    bool asked = false;
    main.SetWindowFactory([&](TSearchWindow AKind) -> std::unique_ptr<QDialog> {
        asked = AKind == TSearchWindow::KeywordSearch;
        return nullptr;
    });
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    auto* link = main.findChild<QLabel*>(QStringLiteral("lbKeyWords"));
    main.findChild<QScrollArea*>(QStringLiteral("ScreenFitScroll"))->ensureWidgetVisible(link);
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_TRUE(asked);
    EXPECT_EQ(LastShown(), QStringLiteral("This window is not available yet."));
}

} // namespace
