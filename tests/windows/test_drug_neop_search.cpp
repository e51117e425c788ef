// The table search window offscreen, on hand-made drug and neoplasm tables: the header row and
// its drawing, the "#" letter, the neoplasm window that opens on its single main term, the code
// cells, the chain of sub-term windows, keys, the pop-up menu and the page size.
#include "BrowserTestSupport.h"
#include "DrugNeopSearch.h"
#include "EngineGlobals.h"
#include "GridHeaderRow.h"
#include "IndexFixture.h"
#include "ModalResults.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <memory>

namespace {


class TableSearchWindow : public LevelWindowTest<TfrmDrugNeopSearch> {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        TAlphaLetter& hash = AddLetter(FDrugs, QStringLiteral("#"));
        SetCells(AddMain(hash, QStringLiteral("2,4-D (dichlorophen-oxyacetic acid) ")),
                 {"T60.3X1", "T60.3X2", "T60.3X3", "T60.3X4", "--", "--"});
        SetCells(AddMain(hash, QStringLiteral("4-Aminophenol")),
                 {"T39.1X1", "T39.1X2", "T39.1X3", "T39.1X4", "T39.1X5", "T39.1X6"});
        TAlphaLetter& a = AddLetter(FDrugs, QStringLiteral("A"));
        for (int i = 0; i < 120; ++i)
            SetCells(AddMain(a, QStringLiteral("Aa %1").arg(i, 3, 10, QLatin1Char('0'))),
                     {"T40.0X1", "T40.0X2", "T40.0X3", "T40.0X4", "T40.0X5", "T40.0X6"});
        TTerm& alcohol = AddMain(a, QStringLiteral("Alcohol"));
        SetCells(alcohol, {"T51.91X", "T51.92X", "T51.93X", "T51.94X", "--", "--"});
        TTerm& beverage = AddSub(alcohol, QStringLiteral("beverage"));
        SetCells(beverage, {"T51.0X1", "T51.0X2", "T51.0X3", "T51.0X4", "--", "--"});
        SetCells(AddSub(beverage, QStringLiteral("ethyl")),
                 {"T51.0X1", "--", "--", "--", "--", "--"});
        SetCells(AddSub(alcohol, QStringLiteral("methyl")),
                 {"T51.1X1", "--", "--", "--", "--", "--"});
        // A title written as a code.
        SetCells(AddMain(AddLetter(FDrugs, QStringLiteral("T")), QStringLiteral("T51.3X1")),
                 {"T51.3X1", "--", "--", "--", "--", "--"});

        TTerm& neoplasm = AddMain(AddLetter(FNeoplasms, QStringLiteral("N")),
                                  QStringLiteral("Neoplasm, neoplastic"));
        SetCells(neoplasm, {"C80.1", "C79.9", "D09.9", "D36.9", "D48.9", "D49.9"});
        TTerm& abdomen = AddSub(neoplasm, QStringLiteral("abdomen, abdominal"));
        SetCells(abdomen, {"C76.2", "C79.8-", "D09.8", "D36.7", "D48.7", "D49.89"});
        TTerm& cavity = AddSub(abdomen, QStringLiteral("cavity"));
        SetCells(cavity, {"C76.2", "C79.8-", "D09.8", "D36.7", "D48.7", "D49.89"});
        SetCells(AddSub(cavity, QStringLiteral("wall")),
                 {"C44.509", "C79.2-", "D04.5", "D23.5", "D48.5", "D49.2"});
        TTerm& bone = AddSub(neoplasm, QStringLiteral("bone"));
        bone.FSeeAlso = QStringLiteral("Neoplasm, connective tissue");
        SetCells(bone, {"C41.9", "C79.51", "-", "D16.9-", "D48.0", "D49.2"});
        UseList(DrugTableList, FDrugs);
        UseList(NeoplasmTableList, FNeoplasms);
    }
    static QTableWidget* Grid(QWidget* AWindow) {
        return Child<QTableWidget>(AWindow, "StringGrid1");
    }
    QTableWidget* Grid() { return Grid(FWindow.get()); }
    // Makes the cell of the row titled ATitle (column 1) and AColumn current.
    static void Focus(QWidget* AWindow, const QString& ATitle, int AColumn) {
        QTableWidget* grid = Grid(AWindow);
        const QList<QTableWidgetItem*> found = grid->findItems(ATitle, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << ATitle.toStdString();
        grid->setCurrentCell(found.first()->row(), AColumn);
    }
    void Focus(const QString& ATitle, int AColumn) { Focus(FWindow.get(), ATitle, AColumn); }
    QStringList RowTexts(int ARow) {
        QStringList texts;
        for (int column = 0; column < Grid()->columnCount(); ++column)
            texts << (Grid()->item(ARow, column) ? Grid()->item(ARow, column)->text() : QString());
        return texts;
    }

    TAlphaLetterList FDrugs;
    TAlphaLetterList FNeoplasms;
};

TEST_F(TableSearchWindow, DrugWindowLayoutHeaderRowAndColumns) {
    TfrmDrugNeopSearch& window = Open(TTermData::DrugTable);
    EXPECT_EQ(window.size(), QSize(1167, 691));
    EXPECT_EQ(window.windowTitle(),
              QStringLiteral("ICD-10 (%1), Provided by Quorvane").arg(DataYear));
    EXPECT_EQ(Child("plTitle")->text(), QStringLiteral("Drugs & Chemicals Alphabetical Search"));
    EXPECT_EQ(Child<QWidget>("Panel1")->height(), 49);
    EXPECT_EQ(Child("lbLevel")->text(), QStringLiteral("Main Term"));
    EXPECT_FALSE(Child<QWidget>("pnlTree")->isVisible());
    EXPECT_FALSE(Child<QWidget>("btnBackMain")->isVisible());
    EXPECT_EQ(Child<QPushButton>("btnPrior")->text(), QStringLiteral("<  Prior Page (PgUp)"));
    EXPECT_EQ(Child<QPushButton>("btnNext")->text(), QStringLiteral("Next Page (PgDown)  >"));
    QTableWidget* grid = Grid();
    EXPECT_EQ(grid->columnCount(), 8);
    EXPECT_EQ(grid->font().pixelSize(), 13);
    EXPECT_TRUE(grid->font().bold());
    EXPECT_EQ(RowTexts(0),
              (QStringList{QString(), QStringLiteral("\r\nSubstance"),
                           QStringLiteral("Poisoning, Accidental unintentional"),
                           QStringLiteral("Poisoning, Intentional self-harm"),
                           QStringLiteral("Poisoning, Assault"),
                           QStringLiteral("Poisoning, Undetermined"),
                           QStringLiteral("Adverse effect"), QStringLiteral("\r\nUnderdosing")}));
    EXPECT_EQ(grid->rowHeight(0), 50);
    EXPECT_EQ(grid->rowHeight(1), 20);
    EXPECT_EQ(grid->columnWidth(0), 20);
    EXPECT_EQ(grid->columnWidth(1), grid->viewport()->width() - 630);
    for (int column = 2; column < 8; ++column)
        EXPECT_EQ(grid->columnWidth(column), 100) << column;
    EXPECT_EQ(RowTexts(1),
              (QStringList{QString(), QStringLiteral("2,4-D (dichlorophen-oxyacetic acid) "),
                           QStringLiteral("T60.3X1"), QStringLiteral("T60.3X2"),
                           QStringLiteral("T60.3X3"), QStringLiteral("T60.3X4"),
                           QStringLiteral("--"), QStringLiteral("--")}));
    EXPECT_EQ(window.focusWidget(), grid);
    QApplication::processEvents();
    EXPECT_EQ(window.FLinesPerPage, (grid->viewport()->height() - 50) / 20 - 2);
    EXPECT_EQ(grid->rowCount(), 1 + window.FLinesPerPage);
    // The current cell starts on the first data row, in the title column, never on the header.
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->currentColumn(), 1);
}

TEST_F(TableSearchWindow, HeaderRowIsDrawnFilledBoldCentredAndWrapped) {
    const THeaderCellLook look = HeaderCellLook(QStringLiteral("\r\nSubstance"), QFont());
    EXPECT_EQ(look.Fill, QColor(206, 221, 240));
    EXPECT_TRUE(look.Font.bold());
    EXPECT_EQ(look.Flags, int(Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap));
    EXPECT_EQ(look.Text, QStringLiteral("\nSubstance")); // begins on the second line

    Open(TTermData::DrugTable);
    QTableWidget* grid = Grid();
    const QImage shot = grid->viewport()->grab().toImage();
    // Fill: a corner of a header cell; data rows keep the grid's own background.
    const QRect header = grid->visualRect(grid->model()->index(0, 4));
    EXPECT_EQ(shot.pixelColor(header.left() + 3, header.bottom() - 3), QColor(206, 221, 240));
    const QRect data = grid->visualRect(grid->model()->index(1, 4));
    EXPECT_NE(shot.pixelColor(data.left() + 3, data.bottom() - 3), QColor(206, 221, 240));
    // Wrapped and centred: "Poisoning, Intentional self-harm" is wider than its cell, so ink
    // appears on a lower line, and both the left and right margins are blank.
    const QRect wrapped = grid->visualRect(grid->model()->index(0, 3));
    auto inkInRows = [&](int ATop, int ABottom) {
        for (int y = ATop; y < ABottom; ++y)
            for (int x = wrapped.left() + 1; x < wrapped.right(); ++x)
                if (shot.pixelColor(x, y).lightness() < 100)
                    return true;
        return false;
    };
    EXPECT_TRUE(inkInRows(wrapped.top() + 2, wrapped.top() + 16));
    EXPECT_TRUE(inkInRows(wrapped.top() + 18, wrapped.top() + 32));
    // "\r\nSubstance" leaves its first line empty.
    const QRect substance = grid->visualRect(grid->model()->index(0, 1));
    bool firstLineInk = false, secondLineInk = false;
    for (int x = substance.left() + 1; x < substance.right(); ++x) {
        for (int y = substance.top() + 2; y < substance.top() + 14; ++y)
            firstLineInk = firstLineInk || shot.pixelColor(x, y).lightness() < 100;
        for (int y = substance.top() + 17; y < substance.top() + 32; ++y)
            secondLineInk = secondLineInk || shot.pixelColor(x, y).lightness() < 100;
    }
    EXPECT_FALSE(firstLineInk);
    EXPECT_TRUE(secondLineInk);
    // Centred: as much blank on the left of "Substance" as on its right, within a few pixels.
    int left = substance.right(), right = substance.left();
    for (int y = substance.top() + 17; y < substance.top() + 32; ++y)
        for (int x = substance.left() + 1; x < substance.right(); ++x)
            if (shot.pixelColor(x, y).lightness() < 100) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_NEAR(left - substance.left(), substance.right() - right, 6);
}

// Every header is whole in its cell: where a word is wider than its column ("unintentional") the
// header is painted a little smaller; the others keep the grid's size.
TEST_F(TableSearchWindow, HeadersAreWholeInTheirCells) {
    for (const int type : {TTermData::DrugTable, TTermData::NeoplasmTable}) {
        Open(type);
        QTableWidget* grid = Grid();
        for (int column = 1; column < 8; ++column) {
            const QModelIndex index = grid->model()->index(0, column);
            QStyleOptionViewItem option;
            option.rect = grid->visualRect(index);
            option.font = grid->font();
            const THeaderCellLook look = THeaderRowDelegate::LookFor(option, index);
            const QSize room = THeaderRowDelegate::TextRoom(option.rect).size();
            const QFontMetrics metrics(look.Font);
            for (const QString& word : look.Text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                EXPECT_LE(metrics.horizontalAdvance(word), room.width()) << type << " " << word.toStdString();
            EXPECT_LE(metrics.boundingRect(QRect(0, 0, room.width(), 1000), look.Flags, look.Text).height(),
                      room.height()) << type << " " << index.data().toString().toStdString();
            const bool shrinks = index.data().toString().contains(QStringLiteral("unintentional"));
            EXPECT_EQ(look.Font.pixelSize() < grid->font().pixelSize(), shrinks)
                << index.data().toString().toStdString();
        }
        EXPECT_NE(dynamic_cast<THeaderRowDelegate*>(grid->itemDelegate()), nullptr);
    }
}

TEST_F(TableSearchWindow, HashLetterHoldsTheNamesThatBeginWithOneToNine) {
    Open(TTermData::DrugTable);
    struct TCase {
        const char* Text;
        int Records;
    } const cases[] = {
        {"", 124},  {"2,4", 1}, {"4", 1}, {"2", 1}, {"0", 0},
        {"a", 121}, {"AL", 1},  {"#", 0}, {"Q", 0},
    };
    for (const TCase& c : cases) {
        Type(QString::fromLatin1(c.Text));
        EXPECT_EQ(Child("lbCount")->text(), QStringLiteral("Records: %1").arg(c.Records)) << c.Text;
        if (c.Records == 0) {
            EXPECT_EQ(Child("lbPage")->text(), QStringLiteral("Page: 0/0"));
            EXPECT_FALSE(Child<QPushButton>("btnPrior")->isEnabled());
            EXPECT_FALSE(Child<QPushButton>("btnNext")->isEnabled());
            EXPECT_EQ(Grid()->rowCount(), 1); // the header row stays
        }
    }
    Type(QStringLiteral("2,4"));
    EXPECT_EQ(Grid()->item(1, 1)->text(), QStringLiteral("2,4-D (dichlorophen-oxyacetic acid) "));
}

TEST_F(TableSearchWindow, NeoplasmWindowOpensOnTheSubTermsOfItsSingleMainTerm) {
    TfrmDrugNeopSearch& window = Open(TTermData::NeoplasmTable);
    EXPECT_EQ(Child("plTitle")->text(), QStringLiteral("Neoplasms Alphabetical Search"));
    EXPECT_EQ(Child("lbLevel")->text(), QStringLiteral("#1 Level Term"));
    ASSERT_NE(window.FCurItem, nullptr);
    EXPECT_EQ(window.FCurItem->FTitle, QStringLiteral("Neoplasm, neoplastic"));
    EXPECT_TRUE(Child<QWidget>("pnlTree")->isVisible());
    auto* tree = Child<QTreeWidget>("TreeView1");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("Neoplasm, neoplastic"));
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);
    EXPECT_FALSE(Child<QWidget>("btnBackMain")->isVisible());
    EXPECT_EQ(Child("lbCount")->text(), QStringLiteral("Records: 2"));
    EXPECT_EQ(Grid()->rowHeight(0), 36);
    QApplication::processEvents();
    EXPECT_EQ(window.FLinesPerPage, (Grid()->viewport()->height() - 36) / 20 - 2);
    EXPECT_EQ(RowTexts(0),
              (QStringList{QString(), QString(), QStringLiteral("Malignant Primary"),
                           QStringLiteral("Malignant Secondary"), QStringLiteral("Ca in situ"),
                           QStringLiteral("Benign"), QStringLiteral("Uncertain Behavior"),
                           QStringLiteral("Unspecified Behavior")}));
    EXPECT_EQ(RowTexts(1).mid(0, 4),
              (QStringList{QStringLiteral("+"), QStringLiteral("abdomen, abdominal"),
                           QStringLiteral("C76.2"), QStringLiteral("C79.8-")}));
    EXPECT_EQ(Grid()->item(2, 1)->text(),
              QStringLiteral("bone --see also Neoplasm, connective tissue"));
    // The first letter stays as typed here; the search folds case all the same.
    auto* box = Child<QLineEdit>("edtMain");
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("ab"));
    EXPECT_EQ(box->text(), QStringLiteral("ab"));
    EXPECT_EQ(Child("lbCount")->text(), QStringLiteral("Records: 1"));
    // A deeper neoplasm window offers "Back To Level #1".
    Type(QString());
    Focus(QStringLiteral("abdomen, abdominal"), 1);
    QString caption;
    bool shown = false;
    WhenModalShows([&](QWidget* ASub) {
        caption = Child<QPushButton>(ASub, "btnBackMain")->text();
        shown = Child<QPushButton>(ASub, "btnBackMain")->isVisible();
        static_cast<QDialog*>(ASub)->done(TSearchResult::Back);
    });
    QTest::keyClick(Grid(), Qt::Key_Return);
    EXPECT_EQ(caption, QStringLiteral("Back To Level #1"));
    EXPECT_TRUE(shown);
}

TEST_F(TableSearchWindow, CodeCellsOpenTheirCodeAndPlaceholdersNothing) {
    struct TCase {
        int Type;
        const char* Title;
        int Column;
        const char* Code; // nullptr: nothing opens and the popup's View Code is disabled
    } const cases[] = {
        {4, "abdomen, abdominal", 3, "C79.8"},
        {4, "abdomen, abdominal", 2, "C76.2"},
        {4, "abdomen, abdominal", 7, "D49.89"},
        {4, "bone --see also Neoplasm, connective tissue", 4, nullptr}, // "-"
        {4, "bone --see also Neoplasm, connective tissue", 5, "D16.9"},
        {4, "abdomen, abdominal", 0, nullptr},                   // marker column
        {4, "abdomen, abdominal", 1, nullptr},                   // a title
        {3, "2,4-D (dichlorophen-oxyacetic acid) ", 6, nullptr}, // "--"
        {3, "2,4-D (dichlorophen-oxyacetic acid) ", 2, "T60.3X1"},
    };
    auto menuOf = [](QWidget* AWindow) {
        return AWindow->findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Title) + " column " + std::to_string(c.Column));
        Open(c.Type);
        QTableWidget* grid = Grid();
        const QStringList expected =
            c.Code ? QStringList{QString::fromLatin1(c.Code)} : QStringList();
        Focus(QString::fromLatin1(c.Title), c.Column);
        FViewer.FCodes.clear();
        QTest::keyClick(grid, Qt::Key_F5);
        EXPECT_EQ(FViewer.FCodes, expected) << "F5";
        Q_EMIT menuOf(FWindow.get())->aboutToShow();
        EXPECT_EQ(Child<QAction>("ViewCode1")->isEnabled(), c.Code != nullptr);
        if (c.Column >= 2) {
            FViewer.FCodes.clear();
            const QRect cell = grid->visualRect(grid->model()->index(grid->currentRow(), c.Column));
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            EXPECT_EQ(FViewer.FCodes, expected) << "double-click";
        }
    }
    // F5 on a title written as a code opens it; a double-click on a title opens sub-terms only.
    Open(TTermData::DrugTable);
    Type(QStringLiteral("T"));
    Focus(QStringLiteral("T51.3X1"), 1);
    FViewer.FCodes.clear();
    QTest::keyClick(Grid(), Qt::Key_F5);
    EXPECT_EQ(FViewer.FCodes, QStringList{QStringLiteral("T51.3X1")});
    Q_EMIT menuOf(FWindow.get())->aboutToShow();
    EXPECT_FALSE(Child<QAction>("ViewCode1")->isEnabled()); // not a code column
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(TableSearchWindow, HeaderRowNeverOpensAnything) {
    for (const int type : {TTermData::DrugTable, TTermData::NeoplasmTable}) {
        Open(type);
        QTableWidget* grid = Grid();
        auto* menu = FWindow->findChild<QMenu*>(QStringLiteral("PopupMenu1"));
        for (int column = 0; column < 8; ++column) {
            grid->setCurrentCell(0, column);
            EXPECT_FALSE(OpensAWindow([&] {
                for (Qt::Key key : {Qt::Key_Return, Qt::Key_F11, Qt::Key_F5})
                    QTest::keyClick(grid, key);
                const QRect cell = grid->visualRect(grid->model()->index(0, column));
                QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            })) << type
                << " column " << column;
            Q_EMIT menu->aboutToShow();
            EXPECT_FALSE(Child<QAction>("ViewCode1")->isEnabled());
            EXPECT_FALSE(Child<QAction>("ViewSubTermS1")->isEnabled());
        }
        EXPECT_TRUE(FViewer.FCodes.isEmpty());
        EXPECT_TRUE(FWindow->isVisible());
    }
}

TEST_F(TableSearchWindow, PopupOffersSubTermsOfDataRowsThatHaveThem) {
    Open(TTermData::DrugTable);
    auto* menu = FWindow->findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("View Code (F5)"),
                                  QStringLiteral("View Sub-Term (&F11)")}));
    Type(QStringLiteral("Al"));
    Focus(QStringLiteral("Alcohol"), 4);
    Q_EMIT menu->aboutToShow();
    EXPECT_TRUE(Child<QAction>("ViewSubTermS1")->isEnabled());
    Type(QStringLiteral("2"));
    Focus(QStringLiteral("2,4-D (dichlorophen-oxyacetic acid) "), 1);
    Q_EMIT menu->aboutToShow();
    EXPECT_FALSE(Child<QAction>("ViewSubTermS1")->isEnabled());
    EXPECT_FALSE(OpensAWindow([&] { QTest::keyClick(Grid(), Qt::Key_Return); }));
    EXPECT_FALSE(OpensAWindow([&] {
        const QRect cell = Grid()->visualRect(Grid()->model()->index(1, 1));
        QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }));
    // A double-click on the title of a term with sub-terms opens them.
    Type(QStringLiteral("Al"));
    EXPECT_TRUE(OpensAWindow([&] {
        const QRect cell = Grid()->visualRect(Grid()->model()->index(1, 1));
        QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }));
}

TEST_F(TableSearchWindow, BackToLevelOneKeepsTheFirstNeoplasmWindowOpen) {
    Open(TTermData::NeoplasmTable);
    QList<int> results;
    Focus(QStringLiteral("abdomen, abdominal"), 1);
    WhenModalShows([&](QWidget* ASecond) {
        RecordResult(ASecond, results);
        Focus(ASecond, QStringLiteral("cavity"), 2);
        WhenModalShows([&](QWidget* AThird) {
            RecordResult(AThird, results);
            QTest::mouseClick(Child<QPushButton>(AThird, "btnBackMain"), Qt::LeftButton);
        });
        QTest::keyClick(Grid(ASecond), Qt::Key_F11);
    });
    QTest::keyClick(Grid(), Qt::Key_Return);
    EXPECT_EQ(results,
              (QList<int>{TSearchResult::BackToMainTerm, TSearchResult::BackToMainTerm}));
    EXPECT_TRUE(FWindow->isVisible());
    // F3 in the first neoplasm window closes it with BackToMainTerm: back to the main window.
    int got = -1;
    RecordResult(FWindow.get(), got);
    QTest::keyClick(Grid(), Qt::Key_F3);
    EXPECT_EQ(got, TSearchResult::BackToMainTerm);
    EXPECT_FALSE(FWindow->isVisible());
}

TEST_F(TableSearchWindow, BackToMainTermClosesTheDrugChainDownToTheMainTerms) {
    Open(TTermData::DrugTable);
    Type(QStringLiteral("Al"));
    Focus(QStringLiteral("Alcohol"), 1);
    QList<int> results;
    QStringList labels;
    WhenModalShows([&](QWidget* AFirst) {
        RecordResult(AFirst, results);
        labels << Child(AFirst, "lbLevel")->text();
        Focus(AFirst, QStringLiteral("beverage"), 1);
        WhenModalShows([&](QWidget* ASecond) {
            RecordResult(ASecond, results);
            labels << Child(ASecond, "lbLevel")->text();
            auto* tree = Child<QTreeWidget>(ASecond, "TreeView1");
            labels << tree->topLevelItem(0)->text(0) + QStringLiteral(" > ") +
                          tree->topLevelItem(0)->child(0)->text(0);
            QTest::keyClick(Child<QTreeWidget>(ASecond, "TreeView1"), Qt::Key_F3);
        });
        QTest::keyClick(Grid(AFirst), Qt::Key_Return);
    });
    QTest::keyClick(Grid(), Qt::Key_Return);
    EXPECT_EQ(labels, (QStringList{QStringLiteral("#1 Level Term"), QStringLiteral("#2 Level Term"),
                                   QStringLiteral("Alcohol > beverage")}));
    EXPECT_EQ(results,
              (QList<int>{TSearchResult::BackToMainTerm, TSearchResult::BackToMainTerm}));
    EXPECT_TRUE(FWindow->isVisible());
    EXPECT_EQ(Child<QLineEdit>("edtMain")->text(), QStringLiteral("Al"));
}

TEST_F(TableSearchWindow, F12YesInADeeperWindowQuitsEveryWindow) {
    TfrmDrugNeopSearch& window = Open(TTermData::NeoplasmTable);
    QList<int> results;
    RecordResult(&window, results);
    Focus(QStringLiteral("abdomen, abdominal"), 2);
    WhenModalShows([&](QWidget* ASecond) {
        RecordResult(ASecond, results);
        FAnswer = QMessageBox::No;
        QTest::keyClick(Grid(ASecond), Qt::Key_F12);
        EXPECT_TRUE(ASecond->isVisible());
        FAnswer = QMessageBox::Yes;
        QTest::keyClick(Grid(ASecond), Qt::Key_F12);
    });
    QTest::keyClick(Grid(), Qt::Key_Return);
    EXPECT_EQ(results, (QList<int>{TSearchResult::Quit, TSearchResult::Quit}));
    ASSERT_EQ(Shown().size(), 2);
    for (const TMessageRequest& request : Requests()) {
        EXPECT_EQ(request.Kind, TMessageRequest::TKind::Question);
        EXPECT_EQ(request.Caption, QStringLiteral("Exit Program"));
        EXPECT_EQ(request.Text, QStringLiteral("Do you want to quit this program?"));
        EXPECT_EQ(request.DefaultButton, QMessageBox::No); // the safe answer
    }
    // The viewer's result 3 quits as well.
    Open(TTermData::NeoplasmTable);
    FViewer.FResult = TSearchResult::Quit;
    int got = -1;
    RecordResult(FWindow.get(), got);
    Focus(QStringLiteral("abdomen, abdominal"), 3);
    QTest::keyClick(Grid(), Qt::Key_F5);
    EXPECT_EQ(got, TSearchResult::Quit);
    EXPECT_EQ(FViewer.FCodes.last(), QStringLiteral("C79.8"));
}

// Keyboard routes: Enter or Down in the search box moves into the grid on its first data row,
// Tab reaches the grid on a data row, and Space does not move the current row.
TEST_F(TableSearchWindow, KeysLeadFromTheSearchBoxIntoTheGridOnItsFirstDataRow) {
    Open(TTermData::DrugTable);
    FWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FWindow.get()));
    auto* box = Child<QLineEdit>("edtMain");
    Type(QStringLiteral("Al"));
    ASSERT_EQ(Grid()->item(1, 1)->text(), QStringLiteral("Alcohol"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Down}) {
        Grid()->setCurrentCell(0, 4);
        box->setFocus();
        QTest::keyClick(box, key);
        EXPECT_TRUE(Grid()->hasFocus()) << key;
        EXPECT_EQ(Grid()->currentRow(), 1) << key;
        EXPECT_EQ(Grid()->currentColumn(), 4) << key;
    }
    // The grid's type-ahead matches the titles, also from the marker column; Space stays.
    Type(QString());
    Grid()->setCurrentCell(1, 0);
    QTest::keyClicks(Grid(), QStringLiteral("Aa 00"));
    EXPECT_EQ(Grid()->item(Grid()->currentRow(), 1)->text(), QStringLiteral("Aa 000"));
    const int row = Grid()->currentRow();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(Grid(), Qt::Key_Space);
        EXPECT_EQ(Grid()->currentRow(), row) << i;
    }
    // Typing leaves the first data row current; Tab reaches it and Enter opens its sub-terms.
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("Alc"));
    EXPECT_EQ(Grid()->currentRow(), 1);
    for (int i = 0; i < 10 && !Grid()->hasFocus(); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(Grid()->hasFocus());
    EXPECT_EQ(Grid()->currentRow(), 1);
    QString opened;
    WhenModalShows<TfrmDrugNeopSearch>([&](TfrmDrugNeopSearch* AWindow) {
        opened = AWindow->FCurItem ? AWindow->FCurItem->FTitle : QString();
        AWindow->done(TSearchResult::Back);
    });
    QTest::keyClick(Grid(), Qt::Key_Return);
    EXPECT_EQ(opened, QStringLiteral("Alcohol"));
}

TEST_F(TableSearchWindow, PagesAndMaximisedPageSizeKeepTheCurrentTerm) {
    FullScreen = 1;
    TfrmDrugNeopSearch& window = Open(TTermData::DrugTable);
    QApplication::processEvents();
    ASSERT_TRUE(window.isMaximized());
    const int maximisedLines = window.FLinesPerPage;
    EXPECT_EQ(maximisedLines, (Grid()->viewport()->height() - 50) / 20 - 2);
    EXPECT_EQ(Grid()->rowCount(), 1 + maximisedLines);
    QTest::keyClick(Grid(), Qt::Key_PageDown);
    QTest::keyClick(Grid(), Qt::Key_PageDown);
    EXPECT_EQ(Child("lbPage")->text(),
              QStringLiteral("Page: 3/%1").arg((124 + maximisedLines - 1) / maximisedLines));
    Grid()->setCurrentCell(5, 3);
    const QString chosen = Grid()->item(5, 1)->text();
    window.showNormal();
    QApplication::processEvents();
    ASSERT_EQ(window.size(), QSize(1167, 691));
    const int normalLines = window.FLinesPerPage;
    ASSERT_NE(normalLines, maximisedLines);
    EXPECT_EQ(normalLines, (Grid()->viewport()->height() - 50) / 20 - 2);
    EXPECT_EQ(Grid()->item(Grid()->currentRow(), 1)->text(), chosen);
    EXPECT_EQ(Grid()->currentColumn(), 3);
    // Page moves put the current cell on the first data row of the new page, in its column.
    QTest::keyClick(Grid(), Qt::Key_PageUp);
    EXPECT_EQ(Grid()->currentRow(), 1);
    EXPECT_EQ(Grid()->currentColumn(), 3);
}

TEST_F(TableSearchWindow, DefaultOpenerShowsTheCodeInTheViewer) {
    FWindow = std::make_unique<TfrmDrugNeopSearch>(Messages());
    FWindow->FType = TTermData::NeoplasmTable;
    FWindow->show();
    Focus(QStringLiteral("abdomen, abdominal"), 3);
    bool opened = false;
    CloseViewerWhenItOpens(opened);
    QTest::keyClick(Grid(), Qt::Key_F5);
    EXPECT_TRUE(opened); // the code-detail viewer opened modally
}

} // namespace
