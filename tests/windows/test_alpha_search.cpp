// The alphabetic index search window offscreen, on hand-made index lists: search, paging, the
// chain of sub-term windows, the commands that open the code viewer, the pop-up menu and keys.
#include "AlphaSearch.h"
#include "BrowserTestSupport.h"
#include "EngineGlobals.h"
#include "IndexFixture.h"
#include "Main.h"
#include "ModalResults.h"
#include "WindowStyle.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {


class AlphaSearchWindow : public LevelWindowTest<TfrmAlphaSearch> {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        // 150 titles that begin with AA and 50 with AB, to page through.
        TAlphaLetter& a = AddLetter(FDisease, QStringLiteral("A"));
        for (int i = 0; i < 200; ++i)
            AddMain(a,
                    QStringLiteral("%1 %2")
                        .arg(i < 150 ? QLatin1String("Aa") : QLatin1String("ab"))
                        .arg(i, 3, 10, QLatin1Char('0')),
                    QStringLiteral("A00.%1").arg(i % 10));
        TAlphaLetter& d = AddLetter(FDisease, QStringLiteral("D"));
        TTerm& dementia = AddMain(d, QStringLiteral("Dementia"), QStringLiteral("F03.90"));
        dementia.FManifest = QStringLiteral("F02.80");
        dementia.FSeeCat = QStringLiteral("G30");
        dementia.FSubCat = QStringLiteral("G30.1");
        AddMain(d, QStringLiteral("Disorder"), QStringLiteral("s72.00-")); // not a code: lower case
        TAlphaLetter& f = AddLetter(FDisease, QStringLiteral("F"));
        TTerm& fracture = AddMain(f, QStringLiteral("Fracture"));
        TTerm& femur = AddSub(fracture, QStringLiteral("femur"), QStringLiteral("S72.9-"));
        AddSub(fracture, QStringLiteral("fibula"), QStringLiteral("S82.40-"));
        TTerm& neck = AddSub(femur, QStringLiteral("neck"), QStringLiteral("S72.00-"));
        AddSub(neck, QStringLiteral("base"), QStringLiteral("S72.04-"));
        TAlphaLetter& s = AddLetter(FDisease, QStringLiteral("S"));
        AddMain(s, QStringLiteral("Sepsis"), QStringLiteral("A41.9"));
        TTerm& septicemia = AddMain(s, QStringLiteral("Septicemia"), QStringLiteral("A40-"));
        septicemia.FSee = QStringLiteral("Sepsis");
        TTerm& typhus = AddMain(AddLetter(FDisease, QStringLiteral("T")), QStringLiteral("Typhus"));
        typhus.FSeeAlso = QStringLiteral("Typhoid");

        TAlphaLetter& fall = AddLetter(FExternal, QStringLiteral("F"));
        AddMain(fall, QStringLiteral("Fall, falling"), QStringLiteral("W19"));
        AddMain(AddLetter(FExternal, QStringLiteral("R")), QStringLiteral("Run over"));
        UseList(DiseaseIndexList, FDisease);
        UseList(ExternalIndexList, FExternal);
    }
    // The disease index unless told otherwise.
    TfrmAlphaSearch& Open(int AType = TTermData::DiseaseIndex) { return LevelWindowTest::Open(AType); }
    QTreeWidget* List(QWidget* AWindow) { return Child<QTreeWidget>(AWindow, "ListView1"); }
    QTreeWidget* List() { return List(FWindow.get()); }
    // Selects the row whose title column reads ATitle on the current page.
    static void Select(QWidget* AWindow, const QString& ATitle) {
        QTreeWidget* list = AWindow->findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        const QList<QTreeWidgetItem*> found = list->findItems(ATitle, Qt::MatchExactly, 1);
        ASSERT_EQ(found.size(), 1) << ATitle.toStdString();
        list->setCurrentItem(found.first());
    }
    void Select(const QString& ATitle) { Select(FWindow.get(), ATitle); }
    QString Records() { return Child("lbMain")->text(); }
    QString Page() { return Child("lbPage")->text(); }
    bool PriorEnabled() { return Child<QPushButton>("btnPrior")->isEnabled(); }
    bool NextEnabled() { return Child<QPushButton>("btnNext")->isEnabled(); }

    TAlphaLetterList FDisease;
    TAlphaLetterList FExternal;
};

TEST_F(AlphaSearchWindow, LayoutCaptionsAndFonts) {
    TfrmAlphaSearch& window = Open();
    EXPECT_EQ(window.size(), QSize(1167, 691));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window.windowTitle(),
              QStringLiteral("ICD-10 (%1), Provided by Quorvane").arg(DataYear));
    EXPECT_EQ(Child("plTitle")->text(), QStringLiteral("Disease & Injury Alphabetical Search"));
    EXPECT_EQ(Child("plTitle")->height(), 56);
    EXPECT_EQ(Child("plTitle")->font().pixelSize(), 29);
    EXPECT_EQ(Child<QWidget>("Panel1")->height(), 38);
    EXPECT_EQ(Child<QWidget>("Panel4")->height(), 51);
    for (const char* bar : {"plTitle", "Panel1", "Panel4"})
        EXPECT_EQ(Child<QWidget>(bar)->palette().color(QPalette::Window), TColors::SkyBlue) << bar;
    EXPECT_FALSE(Child<QWidget>("pnlTree")->isVisible());
    EXPECT_FALSE(Child<QWidget>("btnBackMain")->isVisible());
    EXPECT_EQ(Child("lbLevel")->text(), QStringLiteral("Main Term:  "));
    EXPECT_EQ(List()->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(List()->font().pixelSize(), 14);
    EXPECT_TRUE(List()->font().bold());
    EXPECT_EQ(List()->header()->sectionSize(0), 20);
    EXPECT_EQ(List()->header()->sectionSize(2), 80);
    EXPECT_EQ(List()->headerItem()->text(1), QStringLiteral("Title"));
    EXPECT_EQ(List()->headerItem()->text(2), QStringLiteral("Code"));
    EXPECT_EQ(List()->header()->sectionSize(1),
              List()->viewport()->width() - 100); // the title takes the rest
    EXPECT_EQ(window.focusWidget(), List());
    EXPECT_EQ(window.ROW_HEIGHT_PX, 20); // 96 pixels per inch offscreen

    Open(TTermData::ExternalIndex);
    EXPECT_EQ(Child("plTitle")->text(),
              QStringLiteral("External Causes of Injury Alphabetical Search"));
}

TEST_F(AlphaSearchWindow, EmptySearchListsEveryMainTermAndPages) {
    TfrmAlphaSearch& window = Open();
    const int lines = window.FLinesPerPage;
    // The list shows whole rows: two fewer than its height holds.
    EXPECT_EQ(lines, List()->contentsRect().height() / window.ROW_HEIGHT_PX - 2);
    QApplication::processEvents(); // the layout has settled: the page size stays
    EXPECT_EQ(window.FLinesPerPage, lines);
    // The list opens with its first row selected: Enter acts on it at once.
    ASSERT_EQ(List()->selectedItems().size(), 1);
    EXPECT_EQ(List()->selectedItems().first(), List()->topLevelItem(0));
    EXPECT_EQ(Records(), QStringLiteral("Records: 206"));
    const int pages = (206 + lines - 1) / lines;
    EXPECT_EQ(Page(), QStringLiteral("Page: 1/%1").arg(pages));
    EXPECT_EQ(List()->topLevelItemCount(), lines);
    // Rows are ROW_HEIGHT_PX high, so a page fills the list but for the room of two rows.
    const QRect last = List()->visualItemRect(List()->topLevelItem(lines - 1));
    EXPECT_EQ(last.height(), window.ROW_HEIGHT_PX);
    EXPECT_LE(last.bottom(), List()->viewport()->height());
    EXPECT_GE(last.bottom(), List()->viewport()->height() - 3 * window.ROW_HEIGHT_PX);
    EXPECT_FALSE(PriorEnabled());
    EXPECT_TRUE(NextEnabled());

    QTest::keyClick(List(), Qt::Key_PageDown);
    EXPECT_EQ(Page(), QStringLiteral("Page: 2/%1").arg(pages));
    EXPECT_EQ(List()->topLevelItem(0)->text(1), window.FItemList[lines]->FTitle);
    EXPECT_TRUE(PriorEnabled());
    for (int i = 0; i < pages + 3; ++i) // beyond the last page nothing changes
        QTest::mouseClick(Child<QPushButton>("btnNext"), Qt::LeftButton);
    QTest::keyClick(List(), Qt::Key_PageDown);
    EXPECT_EQ(Page(), QStringLiteral("Page: %1/%1").arg(pages));
    EXPECT_EQ(List()->topLevelItemCount(), 206 - (pages - 1) * lines);
    EXPECT_FALSE(NextEnabled());
    QTest::mouseClick(Child<QPushButton>("btnPrior"), Qt::LeftButton);
    EXPECT_EQ(Page(), QStringLiteral("Page: %1/%2").arg(pages - 1).arg(pages));
    for (int i = 0; i < pages + 3; ++i)
        QTest::keyClick(List(), Qt::Key_PageUp);
    EXPECT_EQ(Page(), QStringLiteral("Page: 1/%1").arg(pages));
}

TEST_F(AlphaSearchWindow, RowsShowMarkerFullTitleAndCodeInTheHighlightColour) {
    Open();
    Type(QStringLiteral("S"));
    ASSERT_EQ(List()->topLevelItemCount(), 2);
    QTreeWidgetItem* septicemia = List()->topLevelItem(1);
    EXPECT_EQ(septicemia->text(0), QStringLiteral(" "));
    EXPECT_EQ(septicemia->text(1), QStringLiteral("Septicemia --see Sepsis"));
    EXPECT_EQ(septicemia->text(2), QStringLiteral("A40-"));
    EXPECT_EQ(septicemia->foreground(2).color(), List()->palette().color(QPalette::Highlight));
    EXPECT_EQ(septicemia->foreground(1).color(), TColors::WindowText);
    Type(QStringLiteral("F"));
    EXPECT_EQ(List()->topLevelItem(0)->text(0), QStringLiteral("+"));
    EXPECT_EQ(List()->topLevelItem(0)->text(2), QString());
    Type(QStringLiteral("D"));
    EXPECT_EQ(List()->topLevelItem(0)->text(1),
              QStringLiteral("Dementia [F02.80] --see category G30 "
                             "--see subcategory G30.1"));
}

TEST_F(AlphaSearchWindow, SearchTrimsFoldsAToZAndMatchesTheTitleStartInOneLetter) {
    Open();
    struct TCase {
        const char* Text;
        int Records;
    } const cases[] = {
        {"ab", 50},
        {"AB", 50},
        {"Ab", 50},
        {" ab ", 50},
        {"   ", 206},
        {"aa", 150},
        {"A", 200},
        {"Sepsis", 1},
        {"Sepsis --see", 0},
        {"Septicemia --see", 0},
        {"TYPHUS --SEE", 0}, // the see-also part of the full title is not searched
        {"5", 0},
        {"Q", 0},
        {"Ferocious", 0},
    };
    for (const TCase& c : cases) {
        Type(QString::fromLatin1(c.Text));
        EXPECT_EQ(Records(), QStringLiteral("Records: %1").arg(c.Records)) << c.Text;
        if (c.Records == 0) {
            EXPECT_EQ(Page(), QStringLiteral("Page: 0/0")) << c.Text;
            EXPECT_FALSE(PriorEnabled()) << c.Text;
            EXPECT_FALSE(NextEnabled()) << c.Text;
            EXPECT_EQ(List()->topLevelItemCount(), 0);
        }
    }
    // The external-cause index has no Q: nothing, whatever follows.
    Open(TTermData::ExternalIndex);
    Type(QStringLiteral("Qu"));
    EXPECT_EQ(Records(), QStringLiteral("Records: 0"));
    EXPECT_EQ(Page(), QStringLiteral("Page: 0/0"));
    Type(QStringLiteral("f"));
    EXPECT_EQ(Records(), QStringLiteral("Records: 1"));
    EXPECT_EQ(Page(), QStringLiteral("Page: 1/1"));
    EXPECT_FALSE(PriorEnabled());
    EXPECT_FALSE(NextEnabled());
    QTest::mouseClick(Child<QPushButton>("Button1"), Qt::LeftButton);
    EXPECT_EQ(Child<QLineEdit>("edtMain")->text(), QString());
    EXPECT_EQ(Records(), QStringLiteral("Records: 2"));
}

TEST_F(AlphaSearchWindow, ALongerPrefixClampsThePage) {
    TfrmAlphaSearch& window = Open();
    Type(QStringLiteral("A"));
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(List(), Qt::Key_PageDown);
    ASSERT_EQ(window.FCurPage, 5);
    const int lines = window.FLinesPerPage;
    ASSERT_LT((50 + lines - 1) / lines, 5) << "the fixture must leave fewer pages";
    Type(QStringLiteral("AB"));
    const int pages = (50 + lines - 1) / lines;
    EXPECT_EQ(Page(), QStringLiteral("Page: %1/%1").arg(pages));
    EXPECT_EQ(List()->topLevelItem(0)->text(1), window.FItemList[(pages - 1) * lines]->FTitle);
    // Back to a shorter prefix: the page stays where the clamp put it.
    Type(QStringLiteral("A"));
    EXPECT_EQ(window.FCurPage, pages);
}

TEST_F(AlphaSearchWindow, FirstTypedLetterBecomesACapitalOnlyAtTheMainTermLevel) {
    Open();
    auto* box = Child<QLineEdit>("edtMain");
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("ab"));
    EXPECT_EQ(box->text(), QStringLiteral("Ab"));
    box->clear();
    QTest::keyClicks(box, QStringLiteral("4b"));
    EXPECT_EQ(box->text(), QStringLiteral("4b"));

    Type(QStringLiteral("Fracture"));
    Select(QStringLiteral("Fracture"));
    QString typed;
    WhenModalShows([&](QWidget* ASub) {
        auto* subBox = Child<QLineEdit>(ASub, "edtMain");
        subBox->setFocus();
        QTest::keyClicks(subBox, QStringLiteral("fe"));
        typed = subBox->text();
        static_cast<QDialog*>(ASub)->done(TSearchResult::Back);
    });
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_EQ(typed, QStringLiteral("fe"));
}

// Keyboard routes: from the search box into the list, Tab onto a selected row, and a type-ahead
// that matches the titles, so that Space never jumps between rows.
TEST_F(AlphaSearchWindow, KeysLeadFromTheSearchBoxIntoTheListOnItsFirstRow) {
    Open();
    FWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FWindow.get()));
    auto* box = Child<QLineEdit>("edtMain");
    Type(QStringLiteral("Fr"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Down}) {
        List()->clearSelection();
        box->setFocus();
        QTest::keyClick(box, key);
        EXPECT_TRUE(List()->hasFocus()) << key;
        ASSERT_EQ(List()->selectedItems().size(), 1) << key;
        EXPECT_EQ(List()->selectedItems().first(), List()->topLevelItem(0)) << key;
        EXPECT_EQ(box->text(), QStringLiteral("Fr")) << key;
    }
    // Tab from the box reaches the list with a row selected; Enter there opens its sub-terms.
    List()->clearSelection();
    box->setFocus();
    for (int i = 0; i < 10 && !List()->hasFocus(); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(List()->hasFocus());
    ASSERT_EQ(List()->selectedItems().size(), 1);
    EXPECT_EQ(List()->selectedItems().first()->text(1), QStringLiteral("Fracture"));
    QString opened;
    WhenModalShows<TfrmAlphaSearch>([&](TfrmAlphaSearch* AWindow) {
        opened = AWindow->FCurItem ? AWindow->FCurItem->FTitle : QString();
        AWindow->done(TSearchResult::Back);
    });
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_EQ(opened, QStringLiteral("Fracture"));
}

TEST_F(AlphaSearchWindow, TypeAheadMatchesTitlesAndSpaceStays) {
    Open();
    FWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FWindow.get()));
    Type(QStringLiteral("S"));
    ASSERT_EQ(List()->topLevelItemCount(), 2);
    List()->setFocus();
    // The current index on the marker column, as a click there leaves it.
    List()->setCurrentItem(List()->topLevelItem(0), 0);
    QTest::keyClicks(List(), QStringLiteral("Sept"));
    EXPECT_EQ(List()->currentItem()->text(1), QStringLiteral("Septicemia --see Sepsis"));
    List()->setCurrentItem(List()->topLevelItem(0), 0);
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(List(), Qt::Key_Space);
        EXPECT_EQ(List()->currentItem(), List()->topLevelItem(0)) << i;
    }
    EXPECT_TRUE(FViewer.FCodes.isEmpty());
}

TEST_F(AlphaSearchWindow, EachCommandOpensItsCodeThroughTheOpener) {
    Open();
    struct TCase {
        const char* Title;
        Qt::Key Key;
        const char* Code; // nullptr: nothing opens
    } const cases[] = {
        {"Dementia [F02.80] --see category G30 --see subcategory G30.1", Qt::Key_F5, "F03.90"},
        {"Dementia [F02.80] --see category G30 --see subcategory G30.1", Qt::Key_F8, "F02.80"},
        {"Dementia [F02.80] --see category G30 --see subcategory G30.1", Qt::Key_F6, "G30"},
        {"Dementia [F02.80] --see category G30 --see subcategory G30.1", Qt::Key_F7, "G30.1"},
        {"Disorder", Qt::Key_F5, nullptr},              // lower-case code
        {"Disorder", Qt::Key_F8, nullptr},              // no manifestation
        {"Septicemia --see Sepsis", Qt::Key_F5, "A40"}, // category with a dash only
        {"Sepsis", Qt::Key_F6, nullptr},
        {"Typhus --see also Typhoid", Qt::Key_F5, nullptr}, // no code
    };
    for (const TCase& c : cases) {
        FViewer.FCodes.clear();
        Type(QString::fromLatin1(c.Title).left(2));
        Select(QString::fromLatin1(c.Title));
        QTest::keyClick(List(), c.Key);
        EXPECT_EQ(FViewer.FCodes, c.Code ? QStringList{QString::fromLatin1(c.Code)} : QStringList())
            << c.Title << " key " << c.Key;
    }
    EXPECT_TRUE(Shown().isEmpty()); // no messages
    // Nothing selected: nothing opens.
    List()->clearSelection();
    FViewer.FCodes.clear();
    QTest::keyClick(List(), Qt::Key_F5);
    EXPECT_TRUE(FViewer.FCodes.isEmpty());
}

TEST_F(AlphaSearchWindow, SubTermCodeWithDashOpensItsSubcategory) {
    Open();
    Type(QStringLiteral("Fr"));
    Select(QStringLiteral("Fracture"));
    WhenModalShows([&](QWidget* ASub) {
        Select(ASub, QStringLiteral("femur"));
        QTest::keyClick(List(ASub), Qt::Key_F5);
        static_cast<QDialog*>(ASub)->done(TSearchResult::Back);
    });
    QTest::keyClick(List(), Qt::Key_F11);
    EXPECT_EQ(FViewer.FCodes, QStringList{QStringLiteral("S72.9")});
}

TEST_F(AlphaSearchWindow, DoubleClickOnTheCodeColumnViewsTheCodeElsewhereTheSubTerms) {
    Open();
    Type(QStringLiteral("F"));
    Select(QStringLiteral("Fracture"));
    QTreeWidget* list = List();
    const QRect row = list->visualItemRect(list->topLevelItem(0));
    const int codeX = list->header()->sectionViewportPosition(2) + 10;
    const int titleX = list->header()->sectionViewportPosition(1) + 10;
    // Fracture has no code: a double-click on its code does nothing.
    EXPECT_FALSE(OpensAWindow([&] {
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(codeX, row.center().y()));
    }));
    EXPECT_TRUE(FViewer.FCodes.isEmpty());
    EXPECT_TRUE(OpensAWindow([&] {
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(titleX, row.center().y()));
    }));
    Type(QStringLiteral("Sepsis"));
    QApplication::processEvents(); // lays the new rows out
    const QRect sepsis = list->visualItemRect(list->topLevelItem(0));
    // A plain click first, so that the synthetic double-click below is not taken as the end of
    // the previous one.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(titleX, sepsis.center().y()));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(codeX, sepsis.center().y()));
    EXPECT_EQ(FViewer.FCodes, QStringList{QStringLiteral("A41.9")});
    // On the title of a term without sub-terms: nothing.
    EXPECT_FALSE(OpensAWindow([&] {
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           QPoint(titleX, sepsis.center().y()));
    }));
    EXPECT_EQ(FViewer.FCodes.size(), 1);
}

TEST_F(AlphaSearchWindow, PopupMenuEnablesWhatTheSelectedTermOffers) {
    Open();
    auto* menu = FWindow->findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    ASSERT_NE(menu, nullptr);
    const char* names[] = {"ViewCode1", "ViewSubTermS1", "SeeCategory1", "SeeSubcategory1",
                           "ViewManifestM1"};
    QStringList texts;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            texts << action->text();
    EXPECT_EQ(
        texts,
        (QStringList{QStringLiteral("View Code (F5)"), QStringLiteral("View Sub-Term (F11)"),
                     QStringLiteral("See Category (F6)"), QStringLiteral("See Subcategory (F7)"),
                     QStringLiteral("See Manifest (F8)")}));
    struct TCase {
        const char* Title; // nullptr: nothing selected
        bool Enabled[5];
    } const cases[] = {
        {"Dementia [F02.80] --see category G30 --see subcategory G30.1",
         {true, false, true, true, true}},
        {"Fracture", {false, true, false, false, false}},
        {"Disorder", {false, false, false, false, false}},
        {"Septicemia --see Sepsis", {true, false, false, false, false}},
        {nullptr, {false, false, false, false, false}},
    };
    for (const TCase& c : cases) {
        if (c.Title) {
            Type(QString::fromLatin1(c.Title).left(2));
            Select(QString::fromLatin1(c.Title));
        } else {
            List()->clearSelection();
        }
        Q_EMIT menu->aboutToShow();
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(FWindow->findChild<QAction*>(QString::fromLatin1(names[i]))->isEnabled(),
                      c.Enabled[i])
                << (c.Title ? c.Title : "(none)") << " " << names[i];
    }
    // An entry's action is its key's.
    Type(QStringLiteral("De"));
    Select(QStringLiteral("Dementia [F02.80] --see category G30 --see subcategory G30.1"));
    Q_EMIT menu->aboutToShow();
    FWindow->findChild<QAction*>(QStringLiteral("SeeSubcategory1"))->trigger();
    EXPECT_EQ(FViewer.FCodes, QStringList{QStringLiteral("G30.1")});
}

TEST_F(AlphaSearchWindow, EnterOpensLevelWindowsWithTrailAndLabels) {
    Open();
    // Enter on a term without sub-terms does nothing.
    Type(QStringLiteral("Se"));
    Select(QStringLiteral("Sepsis"));
    EXPECT_FALSE(OpensAWindow([&] { QTest::keyClick(List(), Qt::Key_Return); }));
    EXPECT_TRUE(FWindow->isVisible());

    Type(QStringLiteral("Fr"));
    Select(QStringLiteral("Fracture"));
    QStringList labels, trails, records;
    bool treeShown = false, backMainShown = false;
    WhenModalShows([&](QWidget* AFirst) {
        labels << Child(AFirst, "lbLevel")->text();
        records << Child(AFirst, "lbMain")->text();
        treeShown = Child<QWidget>(AFirst, "pnlTree")->isVisible();
        backMainShown = Child<QWidget>(AFirst, "btnBackMain")->isVisible();
        Select(AFirst, QStringLiteral("femur"));
        WhenModalShows([&](QWidget* ASecond) {
            labels << Child(ASecond, "lbLevel")->text();
            auto* tree = Child<QTreeWidget>(ASecond, "TreeView1");
            for (QTreeWidgetItem* node = tree->topLevelItem(0); node;
                 node = node->childCount() ? node->child(0) : nullptr) {
                trails << node->text(0);
                EXPECT_TRUE(node->childCount() == 0 || node->isExpanded());
            }
            EXPECT_EQ(tree->topLevelItemCount(), 1);
            static_cast<QDialog*>(ASecond)->done(TSearchResult::Back);
        });
        QTest::keyClick(List(AFirst), Qt::Key_Return);
        labels << QStringLiteral("back in first: ") + Child(AFirst, "lbLevel")->text();
        static_cast<QDialog*>(AFirst)->done(TSearchResult::Back);
    });
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_EQ(labels, (QStringList{QStringLiteral("#1 Level Term"), QStringLiteral("#2 Level Term"),
                                   QStringLiteral("back in first: #1 Level Term")}));
    EXPECT_EQ(records, QStringList{QStringLiteral("Records: 2")});
    EXPECT_TRUE(treeShown);
    EXPECT_TRUE(backMainShown);
    EXPECT_EQ(trails, (QStringList{QStringLiteral("Fracture"), QStringLiteral("femur")}));
    // The main-term window kept its search and selection.
    EXPECT_EQ(Child<QLineEdit>("edtMain")->text(), QStringLiteral("Fr"));
    EXPECT_EQ(List()->currentItem()->text(1), QStringLiteral("Fracture"));
}

// F3 (or Back to Main Term) in the deepest window closes every sub-term window; the
// main-term window stays. Back closes one level only.
TEST_F(AlphaSearchWindow, ResultOneClosesTheChainDownToTheMainTermWindow) {
    for (const bool useButton : {false, true}) {
        SCOPED_TRACE(useButton ? "button" : "F3");
        Open();
        Type(QStringLiteral("Fr"));
        Select(QStringLiteral("Fracture"));
        QList<int> results;
        WhenModalShows([&](QWidget* AFirst) {
            RecordResult(AFirst, results);
            Select(AFirst, QStringLiteral("femur"));
            WhenModalShows([&](QWidget* ASecond) {
                RecordResult(ASecond, results);
                Select(ASecond, QStringLiteral("neck"));
                WhenModalShows([&](QWidget* AThird) {
                    RecordResult(AThird, results);
                    if (useButton)
                        QTest::mouseClick(Child<QPushButton>(AThird, "btnBackMain"),
                                          Qt::LeftButton);
                    else
                        QTest::keyClick(List(AThird), Qt::Key_F3);
                });
                QTest::keyClick(List(ASecond), Qt::Key_Return);
            });
            QTest::keyClick(List(AFirst), Qt::Key_Return);
        });
        QTest::keyClick(List(), Qt::Key_Return);
        const int toMain = TSearchResult::BackToMainTerm;
        EXPECT_EQ(results, (QList<int>{toMain, toMain, toMain}));
        EXPECT_TRUE(FWindow->isVisible());
        EXPECT_EQ(FWindow->result(), 0);
    }
    // Back (Esc) closes its own window only.
    Select(QStringLiteral("Fracture"));
    int firstStillOpen = -1;
    WhenModalShows([&](QWidget* AFirst) {
        Select(AFirst, QStringLiteral("femur"));
        WhenModalShows([&](QWidget* ASecond) { QTest::keyClick(List(ASecond), Qt::Key_Escape); });
        QTest::keyClick(List(AFirst), Qt::Key_Return);
        firstStillOpen = AFirst->isVisible();
        QTest::mouseClick(Child<QPushButton>(AFirst, "btnBack"), Qt::LeftButton);
    });
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_EQ(firstStillOpen, 1);
    EXPECT_TRUE(FWindow->isVisible());
}

TEST_F(AlphaSearchWindow, MainTermWindowClosesWithItsResults) {
    const std::pair<Qt::Key, int> keys[] = {{Qt::Key_F3, TSearchResult::BackToMainTerm},
                                              {Qt::Key_Escape, TSearchResult::Back}};
    for (const auto& [key, result] : keys) {
        TfrmAlphaSearch& window = Open();
        int got = -1;
        RecordResult(&window, got);
        QTest::keyClick(List(), key);
        EXPECT_EQ(got, result);
        EXPECT_FALSE(window.isVisible());
    }
    // The keys reach the window from the trail tree and the search box too (not Enter).
    TfrmAlphaSearch& window = Open();
    int got = -1;
    RecordResult(&window, got);
    QTest::keyClick(Child<QLineEdit>("edtMain"), Qt::Key_F3);
    EXPECT_EQ(got, TSearchResult::BackToMainTerm);
}

TEST_F(AlphaSearchWindow, F12AnsweredYesQuitsFromAnyLevelAndClosesTheMainWindow) {
    TfrmMain main(Messages());
    main.SetWindowFactory([this](TSearchWindow) -> std::unique_ptr<QDialog> {
        auto window = std::make_unique<TfrmAlphaSearch>(Messages(), FViewer.Opener());
        window->FType = TTermData::DiseaseIndex;
        return window;
    });
    main.show();
    QList<int> results;
    bool stayedOnNo = false;
    WhenModalShows([&](QWidget* AMainTerms) {
        RecordResult(AMainTerms, results);
        Child<QLineEdit>(AMainTerms, "edtMain")->setText(QStringLiteral("Fr"));
        Select(AMainTerms, QStringLiteral("Fracture"));
        WhenModalShows([&](QWidget* AFirst) {
            RecordResult(AFirst, results);
            FAnswer = QMessageBox::No;
            QTest::keyClick(List(AFirst), Qt::Key_F12);
            stayedOnNo = AFirst->isVisible();
            FAnswer = QMessageBox::Yes;
            QTest::keyClick(Child<QTreeWidget>(AFirst, "TreeView1"), Qt::Key_F12);
        });
        QTest::keyClick(List(AMainTerms), Qt::Key_Return);
    });
    QTest::mouseClick(main.findChild<QLabel*>(QStringLiteral("lbDisease")), Qt::LeftButton);
    EXPECT_TRUE(stayedOnNo);
    EXPECT_EQ(results, (QList<int>{TSearchResult::Quit, TSearchResult::Quit}));
    EXPECT_FALSE(main.isVisible());
    ASSERT_EQ(Requests().size(), 2u);
    for (const TMessageRequest& request : Requests()) {
        EXPECT_EQ(request.Kind, TMessageRequest::TKind::Question);
        EXPECT_EQ(request.Text, QStringLiteral("Do you want to quit this program?"));
        EXPECT_EQ(request.Caption, QStringLiteral("Exit Program"));
        EXPECT_EQ(request.DefaultButton, QMessageBox::No); // the safe answer
    }
}

TEST_F(AlphaSearchWindow, ViewerResultThreeQuitsTheWindow) {
    TfrmAlphaSearch& window = Open();
    int got = -1;
    RecordResult(&window, got);
    FViewer.FResult = TSearchResult::Quit;
    Type(QStringLiteral("Sepsis"));
    Select(QStringLiteral("Sepsis"));
    QTest::keyClick(List(), Qt::Key_F5);
    EXPECT_EQ(got, TSearchResult::Quit);
}

TEST_F(AlphaSearchWindow, DefaultOpenerShowsTheCodeInTheViewer) {
    FWindow = std::make_unique<TfrmAlphaSearch>(Messages());
    FWindow->FType = TTermData::DiseaseIndex;
    FWindow->show();
    Type(QStringLiteral("Sepsis"));
    Select(QStringLiteral("Sepsis"));
    bool opened = false;
    CloseViewerWhenItOpens(opened);
    QTest::keyClick(List(), Qt::Key_F5);
    EXPECT_TRUE(opened); // the code-detail viewer opened modally
    EXPECT_TRUE(FWindow->isVisible());
}

TEST_F(AlphaSearchWindow, MaximisedPageSizeKeepsTheSelectedTermSelected) {
    FullScreen = 1;
    TfrmAlphaSearch& window = Open();
    QApplication::processEvents();
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    ASSERT_TRUE(window.isMaximized());
    const int maximisedLines = window.FLinesPerPage;
    EXPECT_EQ(maximisedLines, List()->contentsRect().height() / window.ROW_HEIGHT_PX - 2);
    // Pick the 8th row of page 3 and go back to the normal size.
    QTest::keyClick(List(), Qt::Key_PageDown);
    QTest::keyClick(List(), Qt::Key_PageDown);
    List()->setCurrentItem(List()->topLevelItem(7));
    const TTerm* chosen = window.FItemList[2 * maximisedLines + 7];
    window.showNormal();
    QApplication::processEvents();
    ASSERT_EQ(window.size(), QSize(1167, 691));
    const int normalLines = window.FLinesPerPage;
    ASSERT_NE(normalLines, maximisedLines) << "the sizes must give different pages";
    EXPECT_EQ(normalLines, List()->contentsRect().height() / window.ROW_HEIGHT_PX - 2);
    const int position = 2 * maximisedLines + 8;
    EXPECT_EQ(window.FCurPage, (position + normalLines - 1) / normalLines);
    ASSERT_NE(List()->currentItem(), nullptr);
    EXPECT_EQ(List()->currentItem()->text(1), chosen->FTitle);
    EXPECT_TRUE(List()->currentItem()->isSelected());
}

} // namespace
