// The keyword search window offscreen on the sample data set: the search with its questions and
// refusals, the full-text conditions, the count row and the combined count, the suggestion panel,
// highlighting of the keywords in the shown category, clearing, and the search history panel.
#include "EngineGlobals.h"
#include "InfoOf7Code.h"
#include "KeywordSearch.h"
#include "Main.h"
#include "SearchHistory.h"
#include "TextLines.h"
#include "Waiting.h"
#include "WindowStyle.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

const char* const kConditionBoxes[] = {"ckDescription", "ckInclusion", "ckIncludes", "ckCodeFirst",
                                       "ckCodeAlso",    "ckExclude1",  "ckExclude2"};

QStringList TreeTexts(const QTreeWidget* ATree) {
    QStringList texts;
    for (int i = 0; i < ATree->topLevelItemCount(); ++i)
        texts << ATree->topLevelItem(i)->text(0);
    return texts;
}

// Records what the waiting protocol does while the window waits.
class TRecordingHooks : public TWaitingHooks {
public:
    void ShowWaitingDialog() override { ++Shown; }
    void ServeWhileWaiting() override { ++Served; }
    void HideWaitingDialog() override { ++Hidden; }
    int Shown = 0, Served = 0, Hidden = 0;
};

class SearchWindow : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        FWindow = std::make_unique<TfrmKeyWordSearch>(Messages(), nullptr, &FInfo);
        FWindow->show();
        FWindow->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
        EXPECT_TRUE(QTest::qWaitForWindowActive(FWindow.get()));
        EXPECT_TRUE(QTest::qWaitFor([this] { return FWindow->LinePerPage() != 16 || FWindow->WordsPerLine() != 90; }));
        QApplication::processEvents();
    }
    void TearDown() override {
        FWindow.reset();
        WindowTest::TearDown();
    }
    template <class T = QWidget> T* Child(const char* AName) {
        T* child = FWindow->findChild<T*>(QString::fromLatin1(AName));
        EXPECT_NE(child, nullptr) << AName;
        return child;
    }
    QLineEdit* KeywordBox() { return Child<QLineEdit>("edtKeyWord"); }
    QTreeWidget* Tree() { return Child<QTreeWidget>("TreeView1"); }
    QString Combined() { return Child<QLabel>("lbCombine")->text().trimmed(); }
    // Types ATyped into the emptied keyword box key by key, as a user does.
    void Type(const QString& ATyped) {
        KeywordBox()->clear();
        KeywordBox()->setFocus();
        QTest::keyClicks(KeywordBox(), ATyped);
    }
    void Search(const QString& AText) {
        KeywordBox()->setText(AText);
        Child<QPushButton>("BitBtn1")->click();
    }
    QString Current() const {
        if (auto* const* code = std::get_if<TCodeInfo*>(&FWindow->CurrentObject()))
            return (*code)->FCode;
        return QString();
    }
    // Left edge, in window coordinates, of the character at APos of a line edit.
    int CharacterX(QLineEdit* AEdit, int APos) {
        AEdit->setCursorPosition(APos);
        const QRect cursor = AEdit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        return AEdit->mapTo(FWindow.get(), cursor.center()).x();
    }
    // The foreground colour of every character of the text area's line ALine (0-based).
    QList<QColor> LineColours(int ALine) {
        QList<QColor> colours;
        const QTextBlock block = Child<QTextEdit>("RichEdit1")->document()->findBlockByNumber(ALine);
        for (auto it = block.begin(); !it.atEnd(); ++it)
            for (int i = 0; i < it.fragment().length(); ++i)
                colours << it.fragment().charFormat().foreground().color();
        return colours;
    }

    TfrmInfoOf7Code FInfo;
    std::unique_ptr<TfrmKeyWordSearch> FWindow;
};

TEST_F(SearchWindow, EmptySearchAsksAndListsEveryCategoryOnYes) {
    FAnswer = QMessageBox::No;
    Search(QStringLiteral("   "));
    ASSERT_EQ(Requests().size(), 1u);
    EXPECT_EQ(Requests()[0].Kind, TMessageRequest::TKind::Question);
    EXPECT_EQ(Requests()[0].Caption, QStringLiteral("Search by Keywords"));
    EXPECT_EQ(Requests()[0].Text, QStringLiteral("Keywords empty, do you want to list all codes?"));
    EXPECT_EQ(Requests()[0].DefaultButton, QMessageBox::No);
    EXPECT_EQ(Tree()->topLevelItemCount(), 0);

    const QStringList all = {QStringLiteral("A00"), QStringLiteral("A01"), QStringLiteral("A02"),
                             QStringLiteral("H54"), QStringLiteral("S06"), QStringLiteral("T07")};
    FAnswer = QMessageBox::Yes;
    for (const bool fullText : {false, true}) {
        Child<QCheckBox>("ckAdvanced")->setChecked(fullText);
        Search(QString());
        EXPECT_EQ(TreeTexts(Tree()), all) << "full text " << fullText;
        EXPECT_EQ(Child<QLabel>("plNum")->text(), QStringLiteral("6"));
        EXPECT_EQ(Current(), QStringLiteral("A00"));
    }
    EXPECT_TRUE(SearchHistoryList->isEmpty()); // an empty text is not recorded
}

TEST_F(SearchWindow, ConditionBoxesFollowTheFullTextBox) {
    auto* advanced = Child<QCheckBox>("ckAdvanced");
    for (const char* name : kConditionBoxes)
        EXPECT_FALSE(Child<QCheckBox>(name)->isEnabled()) << name;
    advanced->setChecked(true);
    for (const char* name : kConditionBoxes) {
        EXPECT_TRUE(Child<QCheckBox>(name)->isEnabled()) << name;
        EXPECT_EQ(Child<QCheckBox>(name)->isChecked(), std::string(name) == "ckDescription") << name;
        Child<QCheckBox>(name)->setChecked(true);
    }
    advanced->setChecked(false);
    for (const char* name : kConditionBoxes) {
        EXPECT_FALSE(Child<QCheckBox>(name)->isEnabled()) << name;
        EXPECT_FALSE(Child<QCheckBox>(name)->isChecked()) << name;
    }
}

TEST_F(SearchWindow, FullTextWithoutConditionRefusesAndRecordsNothing) {
    Search(QStringLiteral("cholera"));
    ASSERT_EQ(TreeTexts(Tree()), QStringList{QStringLiteral("A00")});
    const QStringList history = *SearchHistoryList;
    Child<QCheckBox>("ckAdvanced")->setChecked(true);
    Child<QCheckBox>("ckDescription")->setChecked(false);
    Search(QStringLiteral("typhoid"));
    EXPECT_EQ(LastShown(), QStringLiteral("Please select one condition at least!"));
    EXPECT_EQ(*SearchHistoryList, history);
    EXPECT_EQ(TreeTexts(Tree()), QStringList{QStringLiteral("A00")});
    EXPECT_EQ(Current(), QStringLiteral("A00"));
}

TEST_F(SearchWindow, KeywordAndFullTextSearchesRecordTheTextAsTyped) {
    const struct {
        const char* Text;
        bool FullText;
        const char* Inside; // the one condition box checked in full-text mode
        QStringList Codes;
    } cases[] = {
        {"Salmonella, typhi", false, nullptr, {QStringLiteral("A01"), QStringLiteral("A02")}},
        {"TYPHI,salmonella", false, nullptr, {QStringLiteral("A01"), QStringLiteral("A02")}},
        {"typhoid, endocarditis", false, nullptr, {QStringLiteral("A01")}},
        {"intracranial injury", false, nullptr, {}},
        {"concussion, death", true, "ckDescription", {QStringLiteral("S06")}},
        {"typhoid, endocarditis", true, "ckDescription", {}},
        // One inclusion line of A01.02 holds both; over two children they would not combine.
        {"typhoid, endocarditis", true, "ckInclusion", {QStringLiteral("A01")}},
        {"typhi, endocarditis", true, "ckInclusion", {}},
        {"typhi", true, "ckInclusion", {QStringLiteral("A01")}},
        {"newborn", true, "ckExclude1", {}},
    };
    for (const auto& c : cases) {
        Child<QCheckBox>("ckAdvanced")->setChecked(c.FullText);
        if (c.Inside) {
            for (const char* name : kConditionBoxes)
                Child<QCheckBox>(name)->setChecked(false);
            Child<QCheckBox>(c.Inside)->setChecked(true);
        }
        Search(QLatin1String(c.Text));
        EXPECT_EQ(TreeTexts(Tree()), c.Codes) << c.Text << (c.Inside ? c.Inside : "");
        EXPECT_EQ(SearchHistoryList->last(), QLatin1String(c.Text));
        if (c.Codes.isEmpty()) {
            EXPECT_TRUE(Child<QTextEdit>("RichEdit1")->toPlainText().isEmpty()) << c.Text;
            EXPECT_TRUE(Child<QLabel>("pnlChapterDesc")->text().isEmpty()) << c.Text;
        }
    }
    EXPECT_TRUE(Requests().empty()); // no message for an empty result
}

TEST_F(SearchWindow, CountRowStandsUnderTheKeywords) {
    const QString typed = QStringLiteral("typhi,  salmonella, x");
    Type(typed);
    const QString row = Child<QLineEdit>("Edit1")->text();
    EXPECT_EQ(row, QStringLiteral("2     2            0  "));
    // Each count begins where its keyword's piece begins, in pixels too.
    for (const int pos : {0, 6, 19}) {
        EXPECT_NE(row[pos], QLatin1Char(' ')) << pos;
        EXPECT_EQ(CharacterX(Child<QLineEdit>("Edit1"), pos), CharacterX(KeywordBox(), pos)) << pos;
    }
    // The two boxes share one fixed-pitch font.
    EXPECT_EQ(QFontInfo(Child<QLineEdit>("Edit1")->font()).family(), QFontInfo(KeywordBox()->font()).family());
    EXPECT_TRUE(QFontInfo(KeywordBox()->font()).fixedPitch());
}

TEST_F(SearchWindow, CombinedCountIsLiveInKeywordModeAndUnknownInFullText) {
    Type(QStringLiteral("typhi"));
    EXPECT_EQ(Combined(), QStringLiteral("2"));
    Type(QStringLiteral("typhi, typhoid"));
    EXPECT_EQ(Combined(), QStringLiteral("1"));
    // Emptied, the box would list every category.
    QTest::keyClick(KeywordBox(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(KeywordBox(), Qt::Key_Backspace);
    ASSERT_TRUE(KeywordBox()->text().isEmpty());
    EXPECT_EQ(Combined(), QStringLiteral("6"));
    Type(QStringLiteral("typhi, typhoid"));
    Child<QCheckBox>("ckAdvanced")->setChecked(true);
    EXPECT_EQ(Combined(), QStringLiteral("Unknown"));
    Child<QPushButton>("BitBtn1")->click();
    EXPECT_EQ(Combined(), QStringLiteral("Unknown"));
    Child<QCheckBox>("ckAdvanced")->setChecked(false);
    Child<QPushButton>("BitBtn1")->click();
    EXPECT_EQ(Combined(), QStringLiteral("1"));
    EXPECT_EQ(Combined(), Child<QLabel>("plNum")->text());
    // Choosing a suggestion updates the count without a search.
    Type(QStringLiteral("salmonella, ent"));
    auto* grid = Child<QTableWidget>("StringGrid1");
    ASSERT_EQ(grid->item(0, 0)->text(), QStringLiteral("Enteritis"));
    FWindow->ChooseSuggestion(grid->item(0, 0)->text());
    EXPECT_EQ(KeywordBox()->text(), QStringLiteral("salmonella,Enteritis,"));
    EXPECT_EQ(Combined(), QStringLiteral("1"));
    EXPECT_EQ(Tree()->topLevelItemCount(), 1);
    EXPECT_EQ(*SearchHistoryList, QStringList{QStringLiteral("typhi, typhoid")});
}

TEST_F(SearchWindow, AResultShowsItsFirstCategoryWithTheKeywordsInFuchsia) {
    Search(QStringLiteral("typhi, fever"));
    ASSERT_EQ(TreeTexts(Tree()), QStringList{QStringLiteral("A01")});
    EXPECT_EQ(Tree()->currentItem(), Tree()->topLevelItem(0));
    EXPECT_EQ(Current(), QStringLiteral("A01"));
    EXPECT_EQ(FWindow->KeywordVariants(),
              (QStringList{QStringLiteral("TYPHI"), QStringLiteral("TYPHIS"), QStringLiteral("FEVER"), QStringLiteral("FEVERS")}));
    const QColor fuchsia(255, 0, 255);
    const QStringList lines = Child<QTextEdit>("RichEdit1")->toPlainText().split(QLatin1Char('\n'));
    int highlighted = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const int at = static_cast<int>(lines[i].indexOf(QStringLiteral("Typhoid fever")));
        if (at < 0)
            continue;
        const QList<QColor> colours = LineColours(i);
        ASSERT_GE(colours.size(), at + 13);
        for (int k = at + 8; k < at + 13; ++k) // "fever" and "fever," count; "fevers" too
            EXPECT_EQ(colours[k], fuchsia) << lines[i].toStdString() << " at " << k;
        EXPECT_NE(colours[at], fuchsia) << lines[i].toStdString(); // "Typhoid" is no keyword
        ++highlighted;
    }
    EXPECT_GT(highlighted, 0);
}

TEST_F(SearchWindow, SearchWaitsForTheTabularListBehindTheWaitingDialog) {
    TRecordingHooks hooks;
    SetWaitingHooks(&hooks);
    WriteState(TabularLoadState, LoadRunning);
    std::thread loader([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        WriteState(TabularLoadState, LoadDone);
    });
    const auto start = std::chrono::steady_clock::now();
    Search(QStringLiteral("cholera"));
    const auto waited = std::chrono::steady_clock::now() - start;
    loader.join();
    SetWaitingHooks(nullptr);
    EXPECT_GE(waited, std::chrono::milliseconds(200));
    EXPECT_EQ(hooks.Shown, 1);
    EXPECT_EQ(hooks.Hidden, 1);
    EXPECT_GT(hooks.Served, 0);
    EXPECT_EQ(TreeTexts(Tree()), QStringList{QStringLiteral("A00")});
}

// The keyword loader writes the plural list before the keywords. A search started meanwhile
// builds the plural forms it highlights only once that loader is done, never from a list that
// is still being written.
TEST_F(SearchWindow, PluralFormsAreBuiltOnlyOnceTheKeywordLoaderIsDone) {
    struct TGateHooks : TRecordingHooks {
        void ServeWhileWaiting() override {
            TRecordingHooks::ServeWhileWaiting();
            Waiting = true;
        }
        std::atomic<bool> Waiting{false};
    } hooks;
    SetWaitingHooks(&hooks);
    SpecialKeywordList->clear();
    WriteState(KeywordLoadState, LoadRunning);
    std::atomic<bool> searchReturned{false};
    std::thread loader([&] {
        // Goes on once the window waits, or once the search has returned without waiting.
        while (!hooks.Waiting && !searchReturned)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        auto plural = std::make_unique<TKeywordSpecialFormat>();
        plural->FKeyWord = QStringLiteral("goose");
        plural->FSpecial1 = QStringLiteral("geese");
        SpecialKeywordList->push_back(std::move(plural));
        WriteState(KeywordLoadState, LoadDone);
    });
    Search(QStringLiteral("goose"));
    searchReturned = true;
    loader.join();
    SetWaitingHooks(nullptr);
    EXPECT_TRUE(hooks.Waiting);
    EXPECT_TRUE(FWindow->KeywordVariants().contains(QStringLiteral("GEESE")))
        << FWindow->KeywordVariants().join(QLatin1Char(',')).toStdString();
}

TEST_F(SearchWindow, SuggestionsWaitForTheKeywordFile) {
    TRecordingHooks hooks;
    SetWaitingHooks(&hooks);
    WriteState(KeywordLoadState, LoadRunning);
    std::thread loader([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        WriteState(KeywordLoadState, LoadDone);
    });
    Type(QStringLiteral("bl"));
    loader.join();
    SetWaitingHooks(nullptr);
    EXPECT_EQ(hooks.Shown, 1); // the first key release waited, the second found the file loaded
    EXPECT_EQ(hooks.Hidden, 1);
    EXPECT_EQ(Child<QTableWidget>("StringGrid1")->item(0, 0)->text(), QStringLiteral("Blindness"));
}

TEST_F(SearchWindow, SuggestionPanelFollowsTheTyping) {
    auto* panel = Child<QWidget>("plPrompt");
    auto* grid = Child<QTableWidget>("StringGrid1");
    Type(QStringLiteral("in"));
    ASSERT_TRUE(panel->isVisible());
    // Left edges aligned, the panel's bottom on the keyword box's top.
    const QPoint box = KeywordBox()->mapTo(FWindow.get(), QPoint(0, 0));
    EXPECT_EQ(panel->geometry().left(), box.x());
    EXPECT_EQ(panel->geometry().bottom() + 1, box.y());
    const QStringList expected = {QStringLiteral("Infection"), QStringLiteral("Infections"), QStringLiteral("Injuries"),
                                  QStringLiteral("Injury"), QStringLiteral("Intracranial"), QStringLiteral("Involvement")};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(grid->item(i / 4, i % 4)->text(), expected.value(i)) << i;
    EXPECT_TRUE(Child<QLabel>("pnPromptCaption")->text().startsWith(QStringLiteral("1/1  Please use a comma")));
    // All ten rows of a page are in sight.
    EXPECT_LE(grid->visualItemRect(grid->item(9, 3)).bottom(), grid->viewport()->height());
    // ">" on the only page stays on it.
    Child<QPushButton>("btnPromptNext")->click();
    EXPECT_TRUE(Child<QLabel>("pnPromptCaption")->text().startsWith(QStringLiteral("1/1  ")));
    EXPECT_EQ(grid->item(0, 0)->text(), expected[0]);

    // The comma key hides it; the next letters show what follows the earlier keyword.
    QTest::keyClick(KeywordBox(), Qt::Key_Comma);
    EXPECT_FALSE(panel->isVisible());
    KeywordBox()->setText(QStringLiteral("typhoid,"));
    KeywordBox()->end(false);
    QTest::keyClicks(KeywordBox(), QStringLiteral("in"));
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("Infection"));
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("Involvement"));
    EXPECT_EQ(grid->item(0, 2)->text(), QString());

    // Up arrow goes into the grid; Enter there chooses the current cell.
    QTest::keyClick(KeywordBox(), Qt::Key_Up);
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(grid->currentColumn(), 0);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(KeywordBox()->text(), QStringLiteral("typhoid,Involvement,"));
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(KeywordBox()->hasFocus());
    EXPECT_EQ(KeywordBox()->cursorPosition(), KeywordBox()->text().size());

    // Page keys, Enter and an emptied box hide it; a click on a cell chooses it.
    for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Return}) {
        Type(QStringLiteral("in"));
        ASSERT_TRUE(panel->isVisible());
        QTest::keyClick(KeywordBox(), key);
        EXPECT_FALSE(panel->isVisible()) << key;
    }
    EXPECT_EQ(SearchHistoryList->last(), QStringLiteral("in")); // Enter searched
    Type(QStringLiteral("c"));
    ASSERT_TRUE(panel->isVisible());
    QTest::keyClick(KeywordBox(), Qt::Key_Backspace);
    EXPECT_FALSE(panel->isVisible());
    Type(QStringLiteral("bl"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 0)).center());
    EXPECT_EQ(KeywordBox()->text(), QStringLiteral("Blindness,"));
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(SearchWindow, ClearButtonsEmptyTheBoxesAndTheResults) {
    Search(QStringLiteral("typhi"));
    ASSERT_EQ(Tree()->topLevelItemCount(), 2);
    Child<QLineEdit>("edtCode")->setText(QStringLiteral("A01.0   "));
    Child<QPushButton>("btnClear")->click();
    EXPECT_TRUE(KeywordBox()->text().isEmpty());
    EXPECT_TRUE(Child<QLineEdit>("Edit1")->text().isEmpty());
    EXPECT_EQ(Child<QLabel>("lbCombine")->text(), QStringLiteral(" Unknown "));
    EXPECT_EQ(Child<QLineEdit>("edtCode")->displayText(), QStringLiteral("___.____"));
    EXPECT_EQ(Tree()->topLevelItemCount(), 2); // "X" keeps the results

    Search(QStringLiteral("typhi"));
    Child<QPushButton>("BitBtn2")->click();
    EXPECT_TRUE(KeywordBox()->text().isEmpty());
    EXPECT_EQ(Tree()->topLevelItemCount(), 0);
    EXPECT_TRUE(Child<QTextEdit>("RichEdit1")->toPlainText().isEmpty());
    EXPECT_TRUE(Child<QLabel>("pnlChapterDesc")->text().isEmpty());
    EXPECT_TRUE(Child<QLabel>("pnlSubChapterDesc")->text().isEmpty());
}

TEST_F(SearchWindow, HistoryPanelRecallsWithoutSearching) {
    for (const char* text : {"cholera", "typhi", "Typhoid", "typhi"})
        Search(QLatin1String(text));
    ASSERT_EQ(*SearchHistoryList, (QStringList{QStringLiteral("cholera"), QStringLiteral("Typhoid"), QStringLiteral("typhi")}));
    const QStringList results = TreeTexts(Tree());

    Child<QPushButton>("btnHistory")->click();
    auto* panel = Child<QWidget>("plHistory");
    auto* list = Child<QTreeWidget>("ListView1");
    ASSERT_TRUE(panel->isVisible());
    const QPoint box = KeywordBox()->mapTo(FWindow.get(), QPoint(0, 0));
    EXPECT_EQ(panel->geometry().left(), box.x());
    EXPECT_EQ(panel->geometry().top(), box.y() - 282);
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Keywords Search History"));
    EXPECT_EQ(TreeTexts(list), *SearchHistoryList); // oldest first
    EXPECT_EQ(list->currentItem(), list->topLevelItem(2)); // the newest selected
    EXPECT_TRUE(list->hasFocus());
    // Grid lines rule each row off from the next.
    const QImage shown = list->viewport()->grab().toImage();
    for (int row = 0; row < 2; ++row) {
        const QRect rect = list->visualItemRect(list->topLevelItem(row));
        EXPECT_EQ(shown.pixelColor(rect.center().x(), rect.bottom()), TColors::GridLine) << row;
        EXPECT_NE(shown.pixelColor(rect.center().x(), rect.bottom() - 1), TColors::GridLine) << row;
    }

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
    EXPECT_EQ(KeywordBox()->text(), QStringLiteral("cholera"));
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(TreeTexts(Tree()), results); // nothing searched
    EXPECT_EQ(SearchHistoryList->last(), QStringLiteral("typhi"));

    // Losing the focus hides the panel.
    Child<QPushButton>("btnHistory")->click();
    ASSERT_TRUE(panel->isVisible());
    KeywordBox()->setFocus();
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(SearchWindow, SearchesAreInTheHistoryOfTheNextRun) {
    Search(QStringLiteral("Salmonella, typhi"));
    FWindow.reset();
    ASSERT_TRUE(SaveSearchHistory());
    SearchHistoryList->clear();
    Restart();
    ASSERT_TRUE(LoadSearchHistory());
    EXPECT_EQ(*SearchHistoryList, QStringList{QStringLiteral("Salmonella, typhi")});
}

// From the main window's "Keywords Search" link to the history panel of the next run: the link
// opens the search role, a search there is saved when the main window closes, and the next run's
// history panel recalls it without searching.
using SearchFromTheMainWindow = WindowTest;

TEST_F(SearchFromTheMainWindow, SearchesSurviveARestartAndAreRecalledFromThePanel) {
    const auto child = [](QWidget* AWindow, const char* AName) {
        QWidget* widget = AWindow->findChild<QWidget*>(QString::fromLatin1(AName));
        EXPECT_NE(widget, nullptr) << AName;
        return widget;
    };
    {
        TfrmMain main(Messages());
        main.show();
        bool opened = false;
        WhenModalShows<TfrmKeyWordSearch>([&](TfrmKeyWordSearch* AWindow) {
            opened = true;
            EXPECT_EQ(AWindow->FInitType, 0);
            EXPECT_EQ(static_cast<QLabel*>(child(AWindow, "Panel1"))->text(), QStringLiteral("Tabular Search"));
            EXPECT_EQ(static_cast<QLabel*>(child(AWindow, "lbType"))->text(), QStringLiteral("Search"));
            auto* box = static_cast<QLineEdit*>(child(AWindow, "edtKeyWord"));
            EXPECT_TRUE(QTest::qWaitFor([box] { return box->hasFocus(); }));
            QTest::keyClicks(box, QStringLiteral("Salmonella, typhi"));
            QTest::keyClick(box, Qt::Key_Return);
            EXPECT_EQ(TreeTexts(static_cast<QTreeWidget*>(child(AWindow, "TreeView1"))),
                      (QStringList{QStringLiteral("A01"), QStringLiteral("A02")}));
            AWindow->done(2);
        });
        QTest::mouseClick(main.findChild<QLabel*>(QStringLiteral("lbKeyWords")), Qt::LeftButton);
        ASSERT_TRUE(opened);
        EXPECT_TRUE(main.isVisible());
        main.close();
    }
    EXPECT_EQ(ReadTextLines(SearchHistoryFile()), QStringList{QStringLiteral("Salmonella, typhi")});

    SearchHistoryList->clear();
    Restart();
    TfrmMain main(Messages());
    main.show();
    EXPECT_EQ(*SearchHistoryList, QStringList{QStringLiteral("Salmonella, typhi")});
    bool recalled = false;
    WhenModalShows<TfrmKeyWordSearch>([&](TfrmKeyWordSearch* AWindow) {
        static_cast<QPushButton*>(child(AWindow, "btnHistory"))->click();
        auto* list = static_cast<QTreeWidget*>(child(AWindow, "ListView1"));
        EXPECT_EQ(TreeTexts(list), QStringList{QStringLiteral("Salmonella, typhi")});
        if (list->topLevelItemCount() == 1) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->topLevelItem(0)).center());
            recalled = true;
        }
        EXPECT_EQ(static_cast<QLineEdit*>(child(AWindow, "edtKeyWord"))->text(), QStringLiteral("Salmonella, typhi"));
        EXPECT_FALSE(child(AWindow, "plHistory")->isVisible());
        EXPECT_EQ(static_cast<QTreeWidget*>(child(AWindow, "TreeView1"))->topLevelItemCount(), 0); // not searched
        AWindow->done(2);
    });
    QTest::mouseClick(main.findChild<QLabel*>(QStringLiteral("lbKeyWords")), Qt::LeftButton);
    EXPECT_TRUE(recalled);
    EXPECT_EQ(*SearchHistoryList, QStringList{QStringLiteral("Salmonella, typhi")});
}

} // namespace
