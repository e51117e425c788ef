// The chapter browser offscreen on the sample data set: the tree and its labels, opening the
// viewer by a double-click on a label, folding beside the label, result 3 and the main window's
// link end to end.
#include "ChapterSearch.h"
#include "EngineGlobals.h"
#include "KeywordSearch.h"
#include "Main.h"
#include "ModalResults.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

namespace {

class ChapterBrowser : public WindowTest {
  protected:
    QTreeWidget* Tree(TfrmChapterSearch& ABrowser) {
        return ABrowser.findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    }
    QPoint LabelPoint(QTreeWidget* ATree, QTreeWidgetItem* AItem) {
        const QRect cell = ATree->visualItemRect(AItem);
        return QPoint(cell.left() + 16 + 4 + 20, cell.center().y());
    }
    void DoubleClick(QTreeWidget* ATree, const QPoint& APos) {
        QTest::mouseDClick(ATree->viewport(), Qt::LeftButton, {}, APos);
    }
};

TEST_F(ChapterBrowser, ShowsChaptersSectionsAndCategoriesWithPaddedLabels) {
    TfrmChapterSearch browser(Messages());
    browser.show();
    QTreeWidget* tree = Tree(browser);
    ASSERT_EQ(browser.FInitFlag, 1);
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    QTreeWidgetItem* chapter = tree->topLevelItem(0);
    EXPECT_EQ(chapter->text(0), QStringLiteral("(A00-A09)   Sample infectious diseases"));
    EXPECT_EQ(chapter->child(0)->text(0), QStringLiteral("(A00-A09) Intestinal infectious diseases"));
    EXPECT_EQ(chapter->child(0)->child(0)->text(0), QStringLiteral("A00     Cholera"));
    EXPECT_FALSE(chapter->isExpanded());
    EXPECT_EQ(tree->topLevelItem(2)->childCount(), 2);
    EXPECT_EQ(browser.findChild<QLabel*>(QStringLiteral("Panel1"))->text(), QStringLiteral("Chapter Search"));
    EXPECT_EQ(browser.windowTitle(), QStringLiteral("ICD-10 (%1), Provided by Quorvane").arg(DataYear));
    // Heads as long as the padding are followed directly by the name.
    EXPECT_EQ(TfrmChapterSearch::NodeLabel(QStringLiteral("(A00-A09)XYZ"), 12, QStringLiteral("N")),
              QStringLiteral("(A00-A09)XYZN"));
}

TEST_F(ChapterBrowser, DoubleClickOnALabelOpensTheViewerOnThatObject) {
    TfrmChapterSearch browser(Messages());
    int type = -1;
    QString shown;
    int answer = TSearchResult::Back;
    browser.SetViewerRunner([&](TfrmKeyWordSearch& AViewer) {
        type = AViewer.FInitType;
        if (auto* const* code = std::get_if<TCodeInfo*>(&AViewer.FInitObject))
            shown = (*code)->FCode;
        else if (auto* const* chapter = std::get_if<TChapter*>(&AViewer.FInitObject))
            shown = (*chapter)->FInfo.FScope;
        return answer;
    });
    browser.show();
    QTreeWidget* tree = Tree(browser);
    QTreeWidgetItem* chapter = tree->topLevelItem(0);

    // On the chapter's label: the viewer opens as TViewerStart::Chapter and the node stays folded.
    DoubleClick(tree, LabelPoint(tree, chapter));
    EXPECT_EQ(type, TViewerStart::Chapter);
    EXPECT_EQ(shown, QStringLiteral("(A00-A09)"));
    EXPECT_FALSE(chapter->isExpanded());

    // Beside the label: the node unfolds and nothing opens.
    type = -1;
    const QRect cell = tree->visualItemRect(chapter);
    DoubleClick(tree, QPoint(tree->viewport()->width() - 5, cell.center().y()));
    EXPECT_EQ(type, -1);
    EXPECT_TRUE(chapter->isExpanded());

    // A category opens as TViewerStart::Code; the viewer's Quit closes the browser with Quit.
    tree->expandAll();
    QTreeWidgetItem* category = chapter->child(0)->child(1);
    answer = TSearchResult::Quit;
    DoubleClick(tree, LabelPoint(tree, category));
    EXPECT_EQ(type, TViewerStart::Code);
    EXPECT_EQ(shown, QStringLiteral("A01"));
    EXPECT_EQ(browser.result(), TSearchResult::Quit);
    EXPECT_FALSE(browser.isVisible());
}

// The keyboard does what the mouse does: Enter opens the current node in the viewer, and Left and
// Right fold and unfold it wherever the pointer rests (here on the node's own label).
TEST_F(ChapterBrowser, EnterOpensTheCurrentNodeAndLeftRightFoldIt) {
    TfrmChapterSearch browser(Messages());
    int type = -1;
    QString shown;
    browser.SetViewerRunner([&](TfrmKeyWordSearch& AViewer) {
        type = AViewer.FInitType;
        if (auto* const* code = std::get_if<TCodeInfo*>(&AViewer.FInitObject))
            shown = (*code)->FCode;
        else if (auto* const* section = std::get_if<TSubChapter*>(&AViewer.FInitObject))
            shown = (*section)->FInfo.FScope;
        else if (auto* const* chapter = std::get_if<TChapter*>(&AViewer.FInitObject))
            shown = (*chapter)->FInfo.FScope;
        return TSearchResult::Back;
    });
    browser.show();
    QTreeWidget* tree = Tree(browser);
    tree->setFocus();
    QTreeWidgetItem* chapter = tree->topLevelItem(0);
    tree->setCurrentItem(chapter);
    QCursor::setPos(tree->viewport()->mapToGlobal(LabelPoint(tree, chapter)));

    const struct {
        Qt::Key Key;
        bool Expanded;
    } folds[] = {{Qt::Key_Right, true}, {Qt::Key_Left, false}, {Qt::Key_Right, true}};
    for (const auto& fold : folds) {
        QTest::keyClick(tree, fold.Key);
        EXPECT_EQ(chapter->isExpanded(), fold.Expanded) << fold.Key;
    }
    const struct {
        QTreeWidgetItem* Node;
        int Type;
        const char* Shown;
    } opens[] = {
        {chapter, TViewerStart::Chapter, "(A00-A09)"},
        {chapter->child(0), TViewerStart::Section, "(A00-A09)"},
        {chapter->child(0)->child(1), TViewerStart::Code, "A01"},
    };
    for (const auto& open : opens) {
        type = -1;
        shown.clear();
        tree->setCurrentItem(open.Node);
        const bool expanded = open.Node->isExpanded();
        QTest::keyClick(tree, Qt::Key_Return);
        EXPECT_EQ(type, open.Type) << open.Shown;
        EXPECT_EQ(shown, QLatin1String(open.Shown));
        EXPECT_EQ(open.Node->isExpanded(), expanded) << open.Shown; // opening folds nothing
        EXPECT_TRUE(browser.isVisible());
    }
    // Down from the chapter walks into its unfolded section.
    tree->setCurrentItem(chapter);
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(tree->currentItem(), chapter->child(0));
}

// F12 asks the quit question of every window (No the default); Yes closes the browser with 3.
TEST_F(ChapterBrowser, F12AsksToQuitWithNoAsTheDefault) {
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        TfrmChapterSearch browser(Messages());
        browser.show();
        FAnswer = answer;
        const std::size_t asked = Requests().size();
        QTest::keyClick(Tree(browser), Qt::Key_F12);
        ASSERT_EQ(Requests().size(), asked + 1);
        const TMessageRequest& request = Requests().back();
        EXPECT_EQ(request.Kind, TMessageRequest::TKind::Question);
        EXPECT_EQ(request.Text, QStringLiteral("Do you want to quit this program?"));
        EXPECT_EQ(request.Caption, QStringLiteral("Exit Program"));
        EXPECT_EQ(request.DefaultButton, QMessageBox::No);
        EXPECT_EQ(browser.isVisible(), answer == QMessageBox::No);
        EXPECT_EQ(browser.result(), answer == QMessageBox::Yes ? TSearchResult::Quit : 0);
    }
}

TEST_F(ChapterBrowser, MainWindowLinkOpensBrowserThenViewerAndQuitClosesAll) {
    TfrmMain main(Messages());
    main.show();
    FAnswer = QMessageBox::Yes;
    QString viewerHeader;
    WhenModalShows<TfrmChapterSearch>([&](TfrmChapterSearch* ABrowser) {
        QTreeWidget* tree = Tree(*ABrowser);
        tree->expandAll();
        QTreeWidgetItem* category = tree->topLevelItem(2)->child(0)->child(0); // S06
        WhenModalShows<TfrmKeyWordSearch>([&](TfrmKeyWordSearch* AViewer) {
            EXPECT_TRUE(QTest::qWaitFor([AViewer] { return AViewer->CurrentPage() > 0; }));
            viewerHeader = AViewer->findChild<QLabel*>(QStringLiteral("Panel1"))->text();
            QTest::keyClick(AViewer->findChild<QWidget*>(QStringLiteral("RichEdit1")), Qt::Key_F12);
        });
        DoubleClick(tree, LabelPoint(tree, category));
    });
    QTest::mouseClick(main.findChild<QLabel*>(QStringLiteral("lbChapters")), Qt::LeftButton);
    EXPECT_EQ(viewerHeader, QStringLiteral("Tabular Section"));
    EXPECT_EQ(LastShown(), QStringLiteral("Do you want to quit this program?"));
    EXPECT_FALSE(main.isVisible());
}

} // namespace
