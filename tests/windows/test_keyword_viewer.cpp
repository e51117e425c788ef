// The code-detail viewer offscreen on the sample data set: start on an object or a code text,
// pages and resizing, colours and underline, the code box, the seventh-character dialog,
// Back/Review, prior/next code, the wheel, copying codes and the quit prompt.
#include "Accounts.h"
#include "CodeQueries.h"
#include "EngineGlobals.h"
#include "InfoOf7Code.h"
#include "KeyboardState.h"
#include "KeywordSearch.h"
#include "ModalResults.h"
#include "SelectCode.h"
#include "TextLines.h"
#include "WindowTestSupport.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QContextMenuEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>
#include <QWheelEvent>

#include <functional>
#include <memory>
#include <utility>
#include <vector>
#include <thread>

namespace {

TCodeInfo* Category(const char* ACode) {
    TCodeInfo* code = FindCategory(QString::fromLatin1(ACode));
    EXPECT_NE(code, nullptr) << ACode;
    return code;
}

QString Current(const TfrmKeyWordSearch& AViewer) {
    if (auto* const* code = std::get_if<TCodeInfo*>(&AViewer.CurrentObject()))
        return (*code)->FCode;
    if (auto* const* section = std::get_if<TSubChapter*>(&AViewer.CurrentObject()))
        return QStringLiteral("section ") + (*section)->FInfo.FScope;
    if (auto* const* chapter = std::get_if<TChapter*>(&AViewer.CurrentObject()))
        return QStringLiteral("chapter ") + (*chapter)->FInfo.FScope;
    return QString();
}

class Viewer : public WindowTest {
  protected:
    void TearDown() override {
        SetCtrlKeyState({});
        FViewer.reset();
        WindowTest::TearDown();
    }
    TfrmKeyWordSearch& Open(TTabularObject AObject, const QString& ACode = QString(), int AType = TViewerStart::Code) {
        FViewer = std::make_unique<TfrmKeyWordSearch>(Messages(), nullptr, &FInfo);
        FViewer->FInitObject = AObject;
        FViewer->FInitCode = ACode;
        FViewer->FInitType = AType;
        FViewer->show();
        EXPECT_TRUE(QTest::qWaitFor([this] { return FViewer->LinePerPage() != 16 || FViewer->WordsPerLine() != 90; }));
        QApplication::processEvents();
        return *FViewer;
    }
    template <class T = QWidget> T* Child(const char* AName) {
        return ChildOf<T>(FViewer.get(), AName);
    }
    QTextEdit* Text() { return Child<QTextEdit>("RichEdit1"); }
    void Key(int AKey, Qt::KeyboardModifiers AMods = Qt::NoModifier) { QTest::keyClick(Text(), static_cast<Qt::Key>(AKey), AMods); }
    QTextCharFormat FormatAt(int APosition) {
        QTextCursor cursor(Text()->document());
        cursor.setPosition(APosition + 1); // the format of the character before the cursor
        return cursor.charFormat();
    }
    // Selects the first occurrence of AWord in the text area.
    void SelectInText(const QString& AWord) {
        const int at = static_cast<int>(Text()->toPlainText().indexOf(AWord));
        ASSERT_GE(at, 0) << AWord.toStdString();
        QTextCursor cursor(Text()->document());
        cursor.setPosition(at);
        cursor.setPosition(at + static_cast<int>(AWord.size()), QTextCursor::KeepAnchor);
        Text()->setTextCursor(cursor);
    }
    // Puts the caret at the start of line ALine of the page, with no selection.
    void PutCaretOnLine(int ALine) {
        QTextCursor cursor(Text()->document()->findBlockByNumber(ALine));
        Text()->setTextCursor(cursor);
    }
    QLabel* Status() { return Child<QLabel>("lbStatus"); }
    void Go(const QString& ABoxText) {
        Child<QLineEdit>("edtCode")->setText(ABoxText);
        Child<QPushButton>("btnGo")->click();
    }

    TfrmInfoOf7Code FInfo;
    std::unique_ptr<TfrmKeyWordSearch> FViewer;
};

TEST_F(Viewer, OpensOnACategoryAndPagesThroughIt) {
    TfrmKeyWordSearch& viewer = Open(Category("H54"));
    EXPECT_EQ(Child<QLabel>("Panel1")->text(), QStringLiteral("Tabular Section"));
    EXPECT_EQ(Child<QLabel>("lbType")->text(), QStringLiteral("Code"));
    EXPECT_EQ(Child<QLabel>("pnlChapterTitle")->text(), QStringLiteral("Chapter   : (H53-H54)"));
    EXPECT_EQ(Child<QLabel>("pnlSubChapterTitle")->text(), QStringLiteral("Subchapter: (H53-H54)"));
    auto* tree = Child<QTreeWidget>("TreeView1");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral(" H54"));
    EXPECT_EQ(Child<QLabel>("plNum")->text(), QStringLiteral("1"));

    ASSERT_GT(viewer.PageCount(), 1) << "H54 must span pages for this test";
    EXPECT_EQ(viewer.CurrentPage(), 1);
    const QString pages = QString::number(viewer.PageCount());
    auto* rec = Child<QLabel>("lbRec");
    EXPECT_EQ(rec->text(), QStringLiteral("1/") + pages);
    EXPECT_FALSE(Child<QPushButton>("btnFirstPage")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>("btnPriorPage")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>("btnNextPage")->isEnabled());
    // The page is exactly the composed lines of page 1, and it fits the text area.
    const QStringList lines = viewer.Content().Lines.mid(0, viewer.LinePerPage());
    EXPECT_EQ(Text()->toPlainText(), lines.join(QLatin1Char('\n')));
    const QSizeF used = Text()->document()->documentLayout()->documentSize();
    EXPECT_LE(used.height(), Text()->viewport()->height());
    EXPECT_LE(used.width(), Text()->viewport()->width());
    // Text lines keep within the measured width; only the fixed 90-column visual-impairment
    // table may use the one spare column.
    for (const QString& line : viewer.Content().Lines)
        EXPECT_LE(line.size(), line.startsWith(QLatin1Char('|')) || line.startsWith(QLatin1Char('-'))
                                   ? viewer.WordsPerLine() + 1 : viewer.WordsPerLine()) << line.toStdString();

    Key(Qt::Key_PageDown);
    EXPECT_EQ(viewer.CurrentPage(), 2);
    EXPECT_EQ(rec->text(), QStringLiteral("2/") + pages);
    Key(Qt::Key_F2);
    EXPECT_EQ(rec->text(), pages + QLatin1Char('/') + pages);
    EXPECT_FALSE(Child<QPushButton>("btnNextPage")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>("btnLastPage")->isEnabled());
    Key(Qt::Key_PageDown); // clamped
    EXPECT_EQ(viewer.CurrentPage(), viewer.PageCount());
    Key(Qt::Key_F1);
    EXPECT_EQ(viewer.CurrentPage(), 1);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(viewer.CurrentPage(), 1);
}

TEST_F(Viewer, PaintsCodesInTheirColoursAndUnderlinesTheSelectedCode) {
    TfrmKeyWordSearch& viewer = Open({}, QStringLiteral("A01.02"));
    EXPECT_EQ(Current(viewer), QStringLiteral("A01"));
    EXPECT_EQ(viewer.SelectedCode(), QStringLiteral("A01.02"));
    const QString page = Text()->toPlainText();
    struct TCase { const char* Token; QColor Colour; bool Underlined; };
    const TCase cases[] = {
        {"A01 ", QColor(255, 0, 0), false},     // a header code
        {"A01.0 ", QColor(255, 0, 0), false},
        {"A01.00 ", QColor(0, 128, 0), false},  // final codes
        {"A01.02 ", QColor(0, 128, 0), true},   // the code asked for
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Token);
        const int at = static_cast<int>(page.indexOf(QString::fromLatin1(c.Token)));
        ASSERT_GE(at, 0);
        const QTextCharFormat format = FormatAt(at);
        EXPECT_EQ(format.foreground().color(), c.Colour);
        EXPECT_EQ(format.fontUnderline(), c.Underlined);
        // The description after the code is black.
        EXPECT_EQ(FormatAt(at + static_cast<int>(qstrlen(c.Token)) + 1).foreground().color(), QColor(0, 0, 0));
    }
}

TEST_F(Viewer, SeventhCharacterCodesAreBlueAndNotesGrey) {
    Open(Category("T07"));
    const QString page = Text()->toPlainText();
    const int code = static_cast<int>(page.indexOf(QStringLiteral("T07 ")));
    ASSERT_GE(code, 0);
    EXPECT_EQ(FormatAt(code).foreground().color(), QColor(0, 0, 255));
    const int detail = static_cast<int>(page.indexOf(QStringLiteral("A - ")));
    ASSERT_GE(detail, 0);
    EXPECT_EQ(FormatAt(detail).foreground().color(), QColor(64, 64, 64));
}

TEST_F(Viewer, CodeBoxGoesToCodesAndReportsMistakes) {
    struct TCase {
        const char* Box;
        QMessageBox::StandardButton Answer;
        const char* Message;  // nullptr: none
        const char* Shown;    // category shown afterwards, "" for none
        const char* Selected;
    };
    const TCase cases[] = {
        {"   .    ", QMessageBox::Yes, "Please select correct code in the text box!", "", ""},
        {"A01.    ", QMessageBox::Yes, nullptr, "A01", "A01"},
        {"A01.02  ", QMessageBox::Yes, nullptr, "A01", "A01.02"},
        {"Z99.    ", QMessageBox::Yes, "Code is not exist!", "", ""},
        {"A01.9   ", QMessageBox::No,
         "Code found but Sub-Category is not correct, would you like continue to view code text?", "", ""},
        {"A01.9   ", QMessageBox::Yes,
         "Code found but Sub-Category is not correct, would you like continue to view code text?", "A01", "A01.9"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Box);
        TfrmKeyWordSearch& viewer = Open({}, {}, TViewerStart::KeywordSearch);
        const size_t before = Requests().size();
        FAnswer = c.Answer;
        Go(QString::fromLatin1(c.Box));
        if (c.Message) {
            ASSERT_EQ(Requests().size(), before + 1);
            EXPECT_EQ(LastShown(), QString::fromLatin1(c.Message));
        } else {
            EXPECT_EQ(Requests().size(), before);
        }
        EXPECT_EQ(Current(viewer), QString::fromLatin1(c.Shown));
        EXPECT_EQ(viewer.SelectedCode(), QString::fromLatin1(c.Selected));
        EXPECT_EQ(Child<QLineEdit>("edtCode")->displayText(), QStringLiteral("___.____"));
    }
    // Typed letters become capitals and Enter goes.
    TfrmKeyWordSearch& viewer = Open({}, {}, TViewerStart::KeywordSearch);
    auto* box = Child<QLineEdit>("edtCode");
    box->setFocus();
    box->setCursorPosition(0);
    QTest::keyClicks(box, QStringLiteral("a02"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(Current(viewer), QStringLiteral("A02"));
    EXPECT_EQ(Child<QLabel>("Panel1")->text(), QStringLiteral("Tabular Search"));
    // Enter goes and does nothing else: no button of the window is pressed with it.
    EXPECT_FALSE(Child("plHistory")->isVisible());
    EXPECT_FALSE(Child("plPrompt")->isVisible());
    EXPECT_TRUE(box->hasFocus() || !viewer.isActiveWindow());
}

TEST_F(Viewer, CodeBoxMovesALoneCharacterToTheFront) {
    Open({}, {}, TViewerStart::KeywordSearch);
    auto* box = Child<QLineEdit>("edtCode");
    box->setFocus();
    box->setCursorPosition(5);
    QTest::keyClick(box, Qt::Key_S);
    EXPECT_EQ(box->displayText(), QStringLiteral("S__.____"));
    EXPECT_EQ(box->selectionStart(), 1);
}

TEST_F(Viewer, SeventhCharacterCodeGoesThroughTheDialog) {
    for (const int answer : {1, 2}) {
        SCOPED_TRACE(answer);
        TfrmKeyWordSearch& viewer = Open({}, {}, TViewerStart::KeywordSearch);
        QString belongs, code, memo;
        WhenModalShows<TfrmInfoOf7Code>([&](TfrmInfoOf7Code* ADialog) {
            EXPECT_EQ(ADialog, &FInfo); // the one dialog, reused
            code = ADialog->Edit1()->text();
            belongs = ADialog->Edit2()->text();
            memo = ADialog->Memo1()->toPlainText();
            ADialog->findChild<QPushButton*>(answer == 1 ? QStringLiteral("Button1") : QStringLiteral("Button2"))->click();
        });
        Go(QStringLiteral("S06.0X1A"));
        EXPECT_EQ(code, QStringLiteral("S06.0X1A"));
        EXPECT_EQ(belongs, QStringLiteral("S06.0X1"));
        EXPECT_TRUE(memo.endsWith(QStringLiteral(", initial encounter"))) << memo.toStdString();
        if (answer == 1) {
            EXPECT_EQ(Current(viewer), QStringLiteral("S06"));
            EXPECT_EQ(viewer.SelectedCode(), QStringLiteral("S06.0X1"));
            const int at = static_cast<int>(Text()->toPlainText().indexOf(QStringLiteral("S06.0X1 ")));
            ASSERT_GE(at, 0) << "the page shown holds the code";
            EXPECT_TRUE(FormatAt(at).fontUnderline());
        } else {
            EXPECT_EQ(Current(viewer), QString());
            EXPECT_EQ(Child<QLabel>("Panel1")->text(), QStringLiteral("Tabular Search"));
        }
    }
}

// The full description, what the coder reads in the seventh-character dialog, is larger than the
// dialog's 11-pixel text, and a long one is seen whole without scrolling.
TEST_F(Viewer, SeventhCharacterDialogShowsTheDescriptionLargeAndWhole) {
    const QString description = QStringLiteral(
        "Displaced fracture of base of neck of right femur, subsequent encounter for open fracture "
        "type IIIA, IIIB, or IIIC with nonunion, a description as long as the classification's "
        "longest");
    FInfo.SetQuestion(QStringLiteral("S72.041N"), QStringLiteral("S72.041"), description);
    FInfo.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&FInfo));
    QPlainTextEdit* memo = FInfo.Memo1();
    EXPECT_GT(QFontInfo(memo->font()).pixelSize(), 11);
    EXPECT_EQ(memo->font().pixelSize(), 14);
    EXPECT_EQ(FInfo.font().pixelSize(), 11); // the rest of the dialog keeps its size
    EXPECT_EQ(memo->toPlainText(), description);
    EXPECT_EQ(memo->verticalScrollBar()->maximum(), 0); // nothing hidden below
    FInfo.hide();
}

TEST_F(Viewer, StartCodeWithASeventhCharacterAsksFirst) {
    WhenModalShows<TfrmInfoOf7Code>([](TfrmInfoOf7Code* ADialog) { ADialog->done(TDialogResult::Ok); });
    TfrmKeyWordSearch& viewer = Open({}, QStringLiteral("S06.0X8A"));
    EXPECT_EQ(viewer.SelectedCode(), QStringLiteral("S06.0X8"));
    EXPECT_EQ(Child<QLabel>("Panel1")->text(), QStringLiteral("Tabular Section"));
    EXPECT_EQ(viewer.CurrentPage(), (viewer.Content().Lines.indexOf(viewer.Content().Lines.filter(QStringLiteral("S06.0X8 ")).value(0)) / viewer.LinePerPage()) + 1);
}

TEST_F(Viewer, BackAndReviewWalkTheVisitedViews) {
    TfrmKeyWordSearch& viewer = Open(Category("A00")->FSubChapter, {}, TViewerStart::Section);
    EXPECT_EQ(Child<QLabel>("Panel1")->text(), QStringLiteral("Sub-Chapter Information"));
    auto* tree = Child<QTreeWidget>("TreeView1");
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    auto click = [&](int ARow) {
        QTreeWidgetItem* item = tree->topLevelItem(ARow);
        tree->setCurrentItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    };
    auto* back = Child<QPushButton>("btnBack");
    auto* review = Child<QPushButton>("btnReview");
    EXPECT_FALSE(back->isEnabled());
    click(0);
    EXPECT_EQ(Current(viewer), QStringLiteral("A00"));
    click(0); // the same node again: shown once, one Back item
    click(1);
    EXPECT_EQ(Current(viewer), QStringLiteral("A01"));
    Key(Qt::Key_F3);
    EXPECT_EQ(Current(viewer), QStringLiteral("A00"));
    EXPECT_TRUE(review->isEnabled());
    Key(Qt::Key_F4);
    EXPECT_EQ(Current(viewer), QStringLiteral("A01"));
    Key(Qt::Key_F3);
    Key(Qt::Key_F3);
    EXPECT_EQ(Current(viewer), QStringLiteral("section (A00-A09)"));
    Key(Qt::Key_F3); // nothing further back
    EXPECT_EQ(Current(viewer), QStringLiteral("section (A00-A09)"));
    EXPECT_FALSE(back->isEnabled());
    Key(Qt::Key_F4);
    EXPECT_EQ(Current(viewer), QStringLiteral("A00"));
    click(2); // a new view forgets the review stack
    EXPECT_EQ(Current(viewer), QStringLiteral("A02"));
    EXPECT_FALSE(review->isEnabled());

    // Jumping up to the chapter and back returns with the underline and the page.
    Key(Qt::Key_F9);
    EXPECT_EQ(Current(viewer), QStringLiteral("H54"));
    Key(Qt::Key_PageDown);
    const int page = viewer.CurrentPage();
    QTest::mouseClick(Child<QLabel>("pnlChapterDesc"), Qt::LeftButton);
    EXPECT_EQ(Current(viewer), QStringLiteral("chapter (H53-H54)"));
    EXPECT_EQ(viewer.SelectedCode(), QString());
    Key(Qt::Key_F3);
    EXPECT_EQ(Current(viewer), QStringLiteral("H54"));
    EXPECT_EQ(viewer.SelectedCode(), QStringLiteral("H54"));
    EXPECT_EQ(viewer.CurrentPage(), page);
}

// The result tree holds the focus when a viewer opens from the browser; page keys pressed there
// turn the pages like the text area and never re-open the category as a new view.
TEST_F(Viewer, PageKeysInTheTreeTurnPagesWithoutANewView) {
    TfrmKeyWordSearch& viewer = Open(Category("H54"));
    ASSERT_GT(viewer.PageCount(), 1) << "H54 must span pages for this test";
    auto* tree = Child<QTreeWidget>("TreeView1");
    tree->setFocus();
    QApplication::processEvents();
    for (int key : {Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_F2, Qt::Key_PageUp}) {
        const int before = viewer.CurrentPage();
        QTest::keyClick(tree, static_cast<Qt::Key>(key));
        const int expected = key == Qt::Key_PageDown ? before + 1 : key == Qt::Key_PageUp ? before - 1 : viewer.PageCount();
        EXPECT_EQ(viewer.CurrentPage(), expected) << "key " << key;
    }
    EXPECT_EQ(Child<QLabel>("Panel1")->text(), QStringLiteral("Tabular Section"));
    EXPECT_FALSE(Child<QPushButton>("btnBack")->isEnabled());
    // Selecting the node from the keyboard shows its category as a new view from the first page.
    QTest::keyClick(tree, Qt::Key_Space);
    EXPECT_EQ(Current(viewer), QStringLiteral("H54"));
    EXPECT_EQ(viewer.CurrentPage(), 1);
    EXPECT_TRUE(Child<QPushButton>("btnBack")->isEnabled());
}

TEST_F(Viewer, PriorAndNextCodeCrossSectionsAndChapters) {
    struct TCase { const char* From; int Key; const char* To; };
    const TCase cases[] = {
        {"A00", Qt::Key_F9, "A01"},
        {"A02", Qt::Key_F9, "H54"}, // next chapter
        {"H54", Qt::Key_F8, "A02"},
        {"S06", Qt::Key_F9, "T07"}, // next section
        {"T07", Qt::Key_F8, "S06"},
        {"T07", Qt::Key_F9, "T07"}, // the very last: nothing
        {"A00", Qt::Key_F8, "A00"}, // the very first: nothing
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.From);
        TfrmKeyWordSearch& viewer = Open(Category(c.From));
        Key(c.Key);
        EXPECT_EQ(Current(viewer), QString::fromLatin1(c.To));
        EXPECT_EQ(Child<QPushButton>("btnBack")->isEnabled(), qstrcmp(c.From, c.To) != 0);
        if (qstrcmp(c.From, c.To) != 0) {
            EXPECT_EQ(viewer.SelectedCode(), QString::fromLatin1(c.To));
            EXPECT_EQ(viewer.CurrentPage(), 1);
        }
    }
    // Each step underlines just the category's own code, also when the page before had its
    // first code underlined.
    TfrmKeyWordSearch& stepping = Open(Category("S06"));
    for (const int key : {Qt::Key_F9, Qt::Key_F8, Qt::Key_F9}) {
        Key(key);
        const QString code = stepping.SelectedCode();
        ASSERT_TRUE(Text()->toPlainText().startsWith(code + QLatin1Char(' ')));
        EXPECT_TRUE(FormatAt(0).fontUnderline());
        EXPECT_FALSE(FormatAt(static_cast<int>(code.size())).fontUnderline());
        EXPECT_FALSE(FormatAt(static_cast<int>(code.size()) + 3).fontUnderline());
        EXPECT_FALSE(FormatAt(static_cast<int>(Text()->toPlainText().size()) - 2).fontUnderline());
    }
    // Nothing while a chapter is shown.
    TfrmKeyWordSearch& viewer = Open(Category("A00")->FSubChapter->FChapter, {}, TViewerStart::Chapter);
    EXPECT_EQ(Child<QLabel>("Panel1")->text(), QStringLiteral("Chapter Information"));
    Key(Qt::Key_F9);
    EXPECT_EQ(Current(viewer), QStringLiteral("chapter (A00-A09)"));
}

TEST_F(Viewer, ResizeKeepsThePageOfTheAnchorLine) {
    TfrmKeyWordSearch& viewer = Open(Category("H54"));
    Key(Qt::Key_F2);
    const int lastPage = viewer.CurrentPage();
    ASSERT_GT(lastPage, 1);
    const QString firstLine = Text()->document()->firstBlock().text();
    const int anchor = viewer.OriginalLine();
    viewer.setFixedSize(1167, 560);
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.LinePerPage() < 16 && viewer.CurrentPage() > 0; }));
    QTest::qWait(50);
    // The line that began the old page is on the page shown now.
    const QStringList lines = viewer.Content().Lines;
    const int lineNo = static_cast<int>(lines.indexOf(firstLine)) + 1;
    ASSERT_GT(lineNo, 0);
    EXPECT_EQ(viewer.CurrentPage(), (lineNo + viewer.LinePerPage() - 1) / viewer.LinePerPage());
    EXPECT_TRUE(Text()->toPlainText().contains(firstLine));
    EXPECT_EQ(Child<QLabel>("lbRec")->text(),
              QStringLiteral("%1/%2").arg(viewer.CurrentPage()).arg(viewer.PageCount()));
    EXPECT_GT(viewer.PageCount(), 1);
    EXPECT_GT(anchor, 0);
}

TEST_F(Viewer, ABurstOfWheelNotchesTurnsOnePage) {
    TfrmKeyWordSearch& viewer = Open(Category("H54"));
    QTest::qWait(350);
    QWidget* area = Text()->viewport();
    auto notch = [&](int ADelta) {
        QWheelEvent event(QPointF(10, 10), area->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, ADelta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(area, &event);
    };
    notch(-120);
    notch(-120);
    notch(-120);
    EXPECT_EQ(viewer.CurrentPage(), 2);
    QTest::qWait(350);
    notch(120);
    EXPECT_EQ(viewer.CurrentPage(), 1);
}

TEST_F(Viewer, CopyingAFinalCodeNeedsNoDialog) {
    TfrmKeyWordSearch& viewer = Open(Category("A00"));
    (void)viewer;
    const QString longDesc = QStringLiteral("Cholera due to Vibrio cholerae 01, biovar cholerae");
    struct TCase { int Key; bool Ctrl; QString Clip; };
    const TCase cases[] = {
        {Qt::Key_F10, false, QStringLiteral("A00.0")},
        {Qt::Key_F11, false, QStringLiteral("A00.0  ") + longDesc},
        {Qt::Key_F11, true, QStringLiteral("A00.0  ") + ShortDescMap->value(QStringLiteral("A00.0"), longDesc)},
    };
    for (const TCase& c : cases) {
        QGuiApplication::clipboard()->clear();
        SetCtrlKeyState([&c] { return c.Ctrl; });
        SelectInText(QStringLiteral("A00.0"));
        Key(c.Key);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.Clip);
        EXPECT_EQ(Child<QLineEdit>("edtSelected")->text(), QStringLiteral("A00.0"));
    }
    // A selection that is no code copies nothing.
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    SelectInText(QStringLiteral("Cholera"));
    Key(Qt::Key_F10);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
}

TEST_F(Viewer, CopyingACodeWithSeventhCharactersUsesTheSelectionDialog) {
    Open(Category("S06"));
    ASSERT_TRUE(ShortDescMap->contains(QStringLiteral("S06.0X1A")));
    const QString shortDesc = ShortDescMap->value(QStringLiteral("S06.0X1A"));
    QString totals, clipAfterLong;
    bool stayedOpen = false;
    WhenModalShows<TfrmSelectCode>([&](TfrmSelectCode* ADialog) {
        auto* filter = ADialog->findChild<QLineEdit*>(QStringLiteral("Edit2"));
        auto* list = ADialog->findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        EXPECT_EQ(ADialog->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), QStringLiteral("S06.0X1"));
        EXPECT_EQ(list->topLevelItemCount(), 3);
        // No row selected yet.
        ADialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        EXPECT_EQ(LastShown(), QStringLiteral("Please select code first!"));
        QTest::keyClicks(filter, QStringLiteral("a"));
        EXPECT_EQ(filter->text(), QStringLiteral("A"));
        totals = ADialog->findChild<QLabel*>(QStringLiteral("Label3"))->text();
        ASSERT_EQ(list->topLevelItemCount(), 1);
        list->setCurrentItem(list->topLevelItem(0));
        EXPECT_EQ(ADialog->findChild<QLineEdit*>(QStringLiteral("Edit3"))->text(),
                  QStringLiteral("S06.0X1A  ") + shortDesc);
        SetCtrlKeyState([] { return false; });
        ADialog->findChild<QPushButton*>(QStringLiteral("Button4"))->click();
        clipAfterLong = QGuiApplication::clipboard()->text();
        stayedOpen = ADialog->isVisible();
        SetCtrlKeyState([] { return true; });
        ADialog->findChild<QPushButton*>(QStringLiteral("Button6"))->click();
    });
    SelectInText(QStringLiteral("S06.0X1"));
    Key(Qt::Key_F11);
    EXPECT_EQ(totals, QStringLiteral("Total: 1    (4 chars code: 0    5 chars code: 0    6 chars code: 0    7 chars code: 1)"));
    EXPECT_EQ(clipAfterLong, QStringLiteral("S06.0X1A  Concussion with loss of consciousness of 30 minutes or less, initial encounter"));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("S06.0X1A  ") + shortDesc);
    EXPECT_EQ(Child<QLineEdit>("edtSelected")->text(), QStringLiteral("S06.0X1A"));
}

TEST_F(Viewer, SelectionDialogListsAndCountsCodes) {
    TfrmSelectCode dialog(Messages());
    dialog.SetCodeHeader(QStringLiteral("A00"));
    EXPECT_EQ(dialog.GetAllAvailableCodes(), 2);
    dialog.FillCodeList();
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Label3"))->text(),
              QStringLiteral("Total: 2    (4 chars code: 2    5 chars code: 0    6 chars code: 0    7 chars code: 0)"));
    dialog.findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("7"));
    dialog.FillCodeList();
    EXPECT_EQ(dialog.findChild<QTreeWidget*>(QStringLiteral("ListView1"))->topLevelItemCount(), 0);
    EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("Label3"))->text().startsWith(QStringLiteral("Total: 0 ")));
    TfrmSelectCode unknown(Messages());
    unknown.SetCodeHeader(QStringLiteral("Z99.9"));
    EXPECT_EQ(unknown.GetAllAvailableCodes(), 0);
    EXPECT_EQ(dialog.GetShortDesc(QStringLiteral("NOT.HERE"), QStringLiteral("long")), QStringLiteral("long"));
}

// Long descriptions are shown whole: the column is as wide as the longest, the list scrolls
// sideways to its end, each row's tooltip holds the description, and no row is cut at the foot of
// the list.
TEST_F(Viewer, SelectionDialogShowsWholeDescriptionsInWholeRows) {
    TfrmSelectCode dialog(Messages());
    dialog.SetCodeHeader(QStringLiteral("S72.001"));
    const QString longest = QStringLiteral(
        "Fracture of unspecified part of neck of right femur, subsequent encounter for open "
        "fracture type IIIA, IIIB, or IIIC with routine healing");
    for (int i = 0; i < 16; ++i) {
        dialog.FCodeList << QStringLiteral("S72.001%1").arg(QChar(u'A' + i));
        dialog.FDescList << (i == 5 ? longest : QStringLiteral("Fracture, code %1").arg(i));
    }
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
    ASSERT_EQ(list->topLevelItemCount(), 16);
    QTreeWidgetItem* item = list->topLevelItem(5);
    EXPECT_EQ(item->text(1), longest);
    EXPECT_EQ(item->toolTip(1), longest);
    EXPECT_EQ(item->toolTip(0), longest);
    // The column holds the whole text, and the scroll bar reaches its end.
    EXPECT_GE(list->columnWidth(1), QFontMetrics(list->font()).horizontalAdvance(longest));
    EXPECT_EQ(list->columnWidth(0) + list->columnWidth(1),
              list->viewport()->width() + list->horizontalScrollBar()->maximum());
    EXPECT_TRUE(list->horizontalScrollBar()->isVisible());
    // Every row in sight is whole, and at least ten are.
    int whole = 0;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        const QRect rect = list->visualItemRect(list->topLevelItem(row));
        if (!rect.intersects(list->viewport()->rect()))
            continue;
        EXPECT_LE(rect.bottom(), list->viewport()->rect().bottom()) << "row " << row << " is cut";
        ++whole;
    }
    EXPECT_GE(whole, 10);
    // The list still ends above the line of the selected code.
    const auto* label = dialog.findChild<QLabel*>(QStringLiteral("Label6"));
    EXPECT_LT(list->geometry().bottom(), label->geometry().top());
}

TEST_F(Viewer, DoubleClickSelectsTheWholeCode) {
    Open(Category("S06"));
    struct TCase {
        const char* Around;   // the text whose first occurrence holds the clicked character
        int Offset;           // the clicked character within it
        const char* Selected; // the selection afterwards
    };
    const TCase cases[] = {
        {"S06.0X1 ", 5, "S06.0X1"}, // on the part after the full stop
        {"S06.0X7 ", 1, "S06.0X7"}, // on the category
        {"(S01.-)", 2, "S01.-"},    // a code in a note
        {"S06.0X1 ", 3, "S06.0X1"}, // on its full stop
        {"(S01.-)", 4, "S01.-"},    // on the full stop of a code in a note
        {"Concussion without", 3, "Concussion"},
    };
    for (const TCase& c : cases) {
        const int at = static_cast<int>(Text()->toPlainText().indexOf(QLatin1String(c.Around)));
        ASSERT_GE(at, 0) << c.Around;
        QTextCursor cursor(Text()->document());
        cursor.setPosition(at + c.Offset);
        const QRect caret = Text()->cursorRect(cursor);
        const QPoint inCharacter(caret.left() + Text()->fontMetrics().horizontalAdvance(QLatin1Char('A')) / 2,
                                 caret.center().y());
        QTest::mouseDClick(Text()->viewport(), Qt::LeftButton, {}, inCharacter);
        QApplication::processEvents();
        EXPECT_EQ(Text()->textCursor().selectedText(), QLatin1String(c.Selected)) << c.Around;
    }
}

TEST_F(Viewer, PopupMenuFollowsTheSelectionAndCopies) {
    Open(Category("S06"));
    auto* menu = FViewer->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    auto action = [menu](const char* AName) {
        QAction* found = menu->findChild<QAction*>(QString::fromLatin1(AName));
        EXPECT_NE(found, nullptr) << AName;
        return found;
    };
    EXPECT_EQ(menu->actions().size(), 8); // six items and two separators
    // The menu opens where the text area asks for it, as on a right click.
    auto openMenu = [this, menu] {
        const QPoint click(20, 20);
        QContextMenuEvent request(QContextMenuEvent::Mouse, click, Text()->viewport()->mapToGlobal(click));
        QApplication::sendEvent(Text()->viewport(), &request);
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
    };
    struct TCase {
        const char* Selection; // empty: no selection, the caret on line CaretLine of the page
        int CaretLine;
        bool IsCode;
    };
    // Without a selection the menu acts on the code of the caret's line: the category's own
    // line has one, a note line none.
    const int noteLine = static_cast<int>(FViewer->Content().Kinds.indexOf(QLatin1Char('0')));
    ASSERT_GE(noteLine, 0);
    ASSERT_LT(noteLine, FViewer->LinePerPage());
    const TCase cases[] = {{"S06.0X1", 0, true},   {"S06", 0, true}, {"Concussion", 0, false},
                           {"", 0, true},          {"", noteLine, false}};
    for (const TCase& c : cases) {
        if (*c.Selection)
            SelectInText(QLatin1String(c.Selection));
        else
            PutCaretOnLine(c.CaretLine);
        openMenu();
        EXPECT_EQ(action("Jump1")->isEnabled(), c.IsCode) << c.Selection;
        EXPECT_EQ(action("SelectCodeS1")->isEnabled(), c.IsCode) << c.Selection;
        EXPECT_EQ(action("Copy1")->isEnabled(), *c.Selection != '\0') << c.Selection;
        EXPECT_TRUE(action("SelectCodeDescF111")->isEnabled()) << c.Selection;
        EXPECT_TRUE(action("CopyCodeShortDescF111")->isEnabled()) << c.Selection;
        menu->hide();
    }
    // "Copy (Ctrl+C)" puts the selection itself on the clipboard, code or not.
    SelectInText(QStringLiteral("Concussion with loss"));
    openMenu();
    action("Copy1")->trigger();
    menu->hide();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Concussion with loss"));
    // "Go (F5)" goes to the selected code, underlined on its page; a code of a category that is
    // not in the list is reported.
    SelectInText(QStringLiteral("S06.0X7"));
    openMenu();
    action("Jump1")->trigger();
    menu->hide();
    const int at = static_cast<int>(Text()->toPlainText().indexOf(QLatin1String("S06.0X7")));
    ASSERT_GE(at, 0);
    EXPECT_TRUE(FormatAt(at).fontUnderline());
    EXPECT_FALSE(FormatAt(static_cast<int>(Text()->toPlainText().indexOf(QLatin1String("S06.0X1")))).fontUnderline());
    SelectInText(QStringLiteral("S01.-"));
    Key(Qt::Key_F5);
    EXPECT_EQ(LastShown(), QStringLiteral("Code is not exist!"));
    EXPECT_EQ(Current(*FViewer), QStringLiteral("S06"));
}

// The page works from the keyboard: the caret starts on the underlined code, the arrow keys move
// it and Shift with them selects; with no selection F5, F10 and F11 act on the code of the caret's
// line, and with none there the status line says so.
TEST_F(Viewer, TheCaretChoosesTheCodeOfGoAndTheCopyKeys) {
    Open(Category("A00"));
    // Lines of the page: "A00 Cholera", "  A00.0 Cholera due to ...", "  Classical cholera"
    // (an inclusion term) and "  A00.9 Cholera, unspecified".
    const QString longDesc = QStringLiteral("Cholera due to Vibrio cholerae 01, biovar cholerae");
    Go(QStringLiteral("A00.9   "));
    ASSERT_EQ(Text()->textCursor().blockNumber(), 3);
    EXPECT_FALSE(Text()->textCursor().hasSelection());
    const struct {
        const char* Name;
        std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> Moves; // keys in the text area
        Qt::Key Command;
        const char* Clip; // nullptr: nothing copied, the status line speaks
    } cases[] = {
        {"right after Go: the underlined code", {}, Qt::Key_F10, "A00.9"},
        {"the caret on an inclusion term", {{Qt::Key_Up, Qt::NoModifier}}, Qt::Key_F10, nullptr},
        {"the caret on a code's line", {{Qt::Key_Up, Qt::NoModifier}}, Qt::Key_F11,
         "A00.0  Cholera due to Vibrio cholerae 01, biovar cholerae"},
        {"a selection made with Shift and the arrows",
         {{Qt::Key_Home, Qt::NoModifier}, {Qt::Key_Down, Qt::NoModifier}, {Qt::Key_Down, Qt::NoModifier},
          {Qt::Key_Right, Qt::NoModifier}, {Qt::Key_Right, Qt::NoModifier},
          {Qt::Key_Right, Qt::ShiftModifier}, {Qt::Key_Right, Qt::ShiftModifier},
          {Qt::Key_Right, Qt::ShiftModifier}, {Qt::Key_Right, Qt::ShiftModifier},
          {Qt::Key_Right, Qt::ShiftModifier}},
         Qt::Key_F10, "A00.9"},
        {"a selection that is no code", {{Qt::Key_End, Qt::ShiftModifier}}, Qt::Key_F10, nullptr},
    };
    for (const auto& c : cases) {
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        for (const auto& [key, modifiers] : c.Moves)
            Key(key, modifiers);
        Key(c.Command);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.Clip ? QLatin1String(c.Clip) : QLatin1String("before"))
            << c.Name;
        EXPECT_EQ(Status()->isVisible(), c.Clip == nullptr) << c.Name;
        if (!c.Clip) {
            EXPECT_FALSE(Status()->text().isEmpty()) << c.Name;
            EXPECT_TRUE(Text()->rect().contains(Status()->geometry())) << c.Name;
        }
    }
    EXPECT_EQ(Text()->textCursor().selectedText(), QStringLiteral("A00.9 Cholera, unspecified"));
    // The next key takes the status line away.
    Key(Qt::Key_Home);
    EXPECT_FALSE(Status()->isVisible());
    // F5 on the caret's line goes to that code, underlined, with the caret on it.
    PutCaretOnLine(1);
    Key(Qt::Key_F5);
    const int at = static_cast<int>(Text()->toPlainText().indexOf(QLatin1String("A00.0")));
    EXPECT_TRUE(FormatAt(at).fontUnderline());
    EXPECT_FALSE(FormatAt(static_cast<int>(Text()->toPlainText().indexOf(QLatin1String("A00.9")))).fontUnderline());
    EXPECT_EQ(Text()->textCursor().position(), at);
    EXPECT_EQ(FViewer->SelectedCode(), QStringLiteral("A00.0"));
    // Right after Go from the code box, F10 there copies the code shown.
    Go(QStringLiteral("A00.9   "));
    auto* box = Child<QLineEdit>("edtCode");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_F10);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("A00.9"));
    EXPECT_EQ(Child<QLineEdit>("edtSelected")->text(), QStringLiteral("A00.9"));
    EXPECT_TRUE(Shown().isEmpty()); // no message box on the way
}

TEST_F(Viewer, WithNoCodeOnThePageF10SaysSoInTheStatusLine) {
    Open(Category("A00")->FSubChapter->FChapter, QString(), 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    for (const Qt::Key key : {Qt::Key_F10, Qt::Key_F11, Qt::Key_F5}) {
        Key(Qt::Key_Home);
        ASSERT_FALSE(Status()->isVisible());
        Key(key);
        EXPECT_TRUE(Status()->isVisible()) << key;
        EXPECT_TRUE(Status()->text().startsWith(QStringLiteral("No code here"))) << key;
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_EQ(Current(*FViewer), QStringLiteral("chapter (A00-A09)"));
}

// Ctrl+D (and the pop-up menu) adds the code at hand to the logged-in user's favourite codes,
// saved at once; without a login, a code or a new code the status line says so.
TEST_F(Viewer, CtrlDAddsTheCodeAtHandToTheFavoriteCodes) {
    TfrmKeyWordSearch& viewer = Open(Category("A00"));
    (void)viewer;
    Go(QStringLiteral("A00.9   "));
    Key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(Status()->text(), QStringLiteral("Log in on the main window to keep favorite codes."));

    auto account = std::make_unique<TFavoriteKW>(QStringLiteral("abc"), QStringLiteral("secret"),
                                                 SharedDataFolder, MinimumPasswordCost);
    account->SaveKWs();
    const QString passwordLine = account->FFavoriteCodes.first();
    CurrentAccount = account.get();
    AccountList->push_back(std::move(account));
    const struct {
        const char* Name;
        std::function<void()> Place; // where the code comes from
        const char* Widget;          // the control Ctrl+D is pressed in
        const char* Added;           // nullptr: nothing added
        const char* Status;
    } cases[] = {
        {"right after Go: the underlined code", [] {}, "RichEdit1", "A00.9", "A00.9 added to the favorite codes of abc."},
        {"the same again", [] {}, "RichEdit1", nullptr, "A00.9 is one of the favorite codes of abc already."},
        {"the caret's line", [this] { PutCaretOnLine(1); }, "RichEdit1", "A00.0", "A00.0 added to the favorite codes of abc."},
        {"the caret on an inclusion term: the underlined code",
         [this] { Go(QStringLiteral("A01.02  ")); Key(Qt::Key_Down); }, "RichEdit1", "A01.02",
         "A01.02 added to the favorite codes of abc."},
        {"the caret on the category's line", [this] { PutCaretOnLine(0); }, "RichEdit1", "A01",
         "A01 added to the favorite codes of abc."},
        {"a selection", [this] { SelectInText(QStringLiteral("A01.01")); }, "RichEdit1", "A01.01",
         "A01.01 added to the favorite codes of abc."},
        {"from the code box after Go", [this] { Go(QStringLiteral("A01.0   ")); }, "edtCode", "A01.0",
         "A01.0 added to the favorite codes of abc."},
        {"a selection that is no code", [this] { SelectInText(QStringLiteral("Typhoid")); }, "RichEdit1", nullptr,
         "\"Typhoid\" is not a code of this edition."},
    };
    QStringList expected;
    for (const auto& c : cases) {
        c.Place();
        auto* widget = Child(c.Widget);
        widget->setFocus();
        const QString boxBefore = Child<QLineEdit>("edtCode")->displayText();
        QTest::keyClick(widget, Qt::Key_D, Qt::ControlModifier);
        if (c.Added)
            expected << QLatin1String(c.Added);
        EXPECT_EQ(CurrentAccount->FavoriteCodes(), expected) << c.Name;
        EXPECT_EQ(Status()->text(), QLatin1String(c.Status)) << c.Name;
        EXPECT_EQ(Child<QLineEdit>("edtCode")->displayText(), boxBefore) << c.Name; // Ctrl+D deletes nothing
    }
    EXPECT_EQ(ReadTextLines(CurrentAccount->FFileName), QStringList{passwordLine} + expected);
    // The pop-up menu's item does the same, on the category shown when nothing else is at hand.
    Open(Category("A02"));
    PutCaretOnLine(1); // the "includes" note of A02
    auto* menu = FViewer->findChild<QMenu*>();
    QAction* add = menu->findChild<QAction*>(QStringLiteral("AddFavorite1"));
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->text(), QStringLiteral("Add to Favorite Codes (Ctrl+D)"));
    Q_EMIT menu->aboutToShow();
    EXPECT_TRUE(add->isEnabled());
    add->trigger();
    EXPECT_EQ(CurrentAccount->FavoriteCodes().last(), QStringLiteral("A02"));
    // A chapter has no code to add.
    Open(Category("A00")->FSubChapter->FChapter, QString(), 1);
    menu = FViewer->findChild<QMenu*>(); // the earlier viewer, and its menu, are gone
    ASSERT_NE(menu, nullptr);
    Q_EMIT menu->aboutToShow();
    Key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(Status()->text().startsWith(QStringLiteral("No code here")));
    CurrentAccount = nullptr;
}

TEST_F(Viewer, F12AsksAndYesQuits) {
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        TfrmKeyWordSearch& viewer = Open(Category("A00"));
        FAnswer = answer;
        Key(Qt::Key_F12);
        EXPECT_EQ(LastShown(), QStringLiteral("Do you want to quit this program?"));
        EXPECT_EQ(Requests().back().Caption, QStringLiteral("Exit Program"));
        EXPECT_EQ(Requests().back().Kind, TMessageRequest::TKind::Question);
        EXPECT_EQ(Requests().back().DefaultButton, QMessageBox::No); // the safe answer
        EXPECT_EQ(viewer.isVisible(), answer == QMessageBox::No);
        EXPECT_EQ(viewer.result(), answer == QMessageBox::Yes ? TSearchResult::Quit : 0);
    }
}

} // namespace
