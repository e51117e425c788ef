// The keyword search window offscreen on the sample data set: the search with its questions and
// refusals, the full-text conditions, the count row and the combined count, the suggestion panel,
// highlighting of the keywords in the shown category, clearing, and the search history panel.
#include "EngineGlobals.h"
#include "Find.h"
#include "InfoOf7Code.h"
#include "KeywordSearch.h"
#include "ModalResults.h"
#include "Main.h"
#include "SearchHistory.h"
#include "TextLines.h"
#include "Waiting.h"
#include "WindowStyle.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QClipboard>
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
#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
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
        return ChildOf<T>(FWindow.get(), AName);
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

// Disabled, the condition boxes stay readable on the bar: their text has a contrast of at least
// 4.5:1 against the bar's sky blue, as drawn.
TEST_F(SearchWindow, DisabledConditionBoxesAreReadable) {
    const auto luminance = [](const QColor& AColor) {
        const auto channel = [](double AValue) {
            return AValue <= 0.03928 ? AValue / 12.92 : std::pow((AValue + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(AColor.redF()) + 0.7152 * channel(AColor.greenF()) +
               0.0722 * channel(AColor.blueF());
    };
    const auto contrast = [&](const QColor& A, const QColor& B) {
        const double a = luminance(A), b = luminance(B);
        return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
    };
    for (const char* name : kConditionBoxes) {
        auto* box = Child<QCheckBox>(name);
        ASSERT_FALSE(box->isEnabled()) << name;
        const QImage shot = box->grab().toImage();
        // The darkest pixel right of the check indicator is the text's own colour.
        QColor darkest = Qt::white;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = shot.width() / 3; x < shot.width(); ++x)
                if (shot.pixelColor(x, y).lightness() < darkest.lightness())
                    darkest = shot.pixelColor(x, y);
        EXPECT_GE(contrast(darkest, TColors::SkyBlue), 4.5) << name << " " << darkest.name().toStdString();
        EXPECT_GE(contrast(box->palette().color(QPalette::Disabled, QPalette::WindowText), TColors::SkyBlue), 4.5)
            << name;
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
    FAnswer = QMessageBox::No; // an empty result offers Find: declined here
    for (const auto& c : cases) {
        const std::size_t asked = Requests().size();
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
        // Only an empty result says so (and offers Find).
        ASSERT_EQ(Requests().size(), asked + (c.Codes.isEmpty() ? 1 : 0)) << c.Text;
        if (c.Codes.isEmpty()) {
            EXPECT_EQ(Requests().back().Caption, QStringLiteral("Search by Keywords")) << c.Text;
            EXPECT_TRUE(Requests().back().Text.startsWith(QStringLiteral("No category "))) << c.Text;
        }
    }
}

// A search that finds nothing says why, hints at commas for words typed without one, and offers
// to search the same text with Find, which opens with it.
TEST_F(SearchWindow, NothingFoundOffersFindOnTheSameText) {
    const struct {
        const char* Text;
        bool Hint;
    } cases[] = {{"intracranial injury", true}, {"xyzzy", false}, {"cholera, xyzzy", false}};
    for (const auto& c : cases) {
        FAnswer = QMessageBox::No;
        Search(QLatin1String(c.Text));
        ASSERT_FALSE(Requests().empty());
        const TMessageRequest& asked = Requests().back();
        EXPECT_EQ(asked.Kind, TMessageRequest::TKind::Question) << c.Text;
        EXPECT_EQ(asked.DefaultButton, QMessageBox::Yes) << c.Text;
        EXPECT_EQ(asked.Text.contains(QStringLiteral("Separate keywords with commas, for example: heart, failure")),
                  c.Hint) << c.Text;
        EXPECT_TRUE(asked.Text.endsWith(QStringLiteral("Search for \"%1\" with Find?").arg(QLatin1String(c.Text))))
            << asked.Text.toStdString();
        EXPECT_EQ(Tree()->topLevelItemCount(), 0) << c.Text;
    }
    // Yes opens Find searching the same text; what Find returns 3 with quits the window.
    for (const int findResult : {TSearchResult::Back, TSearchResult::Quit}) {
        FAnswer = QMessageBox::Yes;
        QString prefilled, searched;
        WhenModalShows<TfrmFind>([&](TfrmFind* AFind) {
            prefilled = AFind->findChild<QLineEdit*>(QStringLiteral("edtFind"))->text();
            searched = AFind->Result().Query;
            AFind->done(findResult);
        });
        FWindow->show();
        Search(QStringLiteral("intracranial injury"));
        EXPECT_EQ(prefilled, QStringLiteral("intracranial injury"));
        EXPECT_EQ(searched, QStringLiteral("intracranial injury"));
        EXPECT_EQ(FWindow->isVisible(), findResult != TSearchResult::Quit);
        if (findResult == TSearchResult::Quit) {
            EXPECT_EQ(FWindow->result(), TSearchResult::Quit);
        }
    }
}

// The result list marks the category shown after F8 and F9 (and Back), and nothing when it does
// not list that category; a click on the node marked before then shows it again.
TEST_F(SearchWindow, ResultListFollowsPriorAndNextCode) {
    Search(QStringLiteral("typhi"));
    ASSERT_EQ(TreeTexts(Tree()), (QStringList{QStringLiteral("A01"), QStringLiteral("A02")}));
    const auto marked = [this]() -> QString {
        const QList<QTreeWidgetItem*> selected = Tree()->selectedItems();
        return selected.isEmpty() ? QString() : selected.first()->text(0);
    };
    const struct {
        Qt::Key Key;
        const char* Shown;
        const char* Marked; // "": no node marked
    } steps[] = {
        {Qt::Key_F9, "A02", "A02"}, {Qt::Key_F9, "H54", ""}, {Qt::Key_F8, "A02", "A02"},
        {Qt::Key_F8, "A01", "A01"}, {Qt::Key_F8, "A00", ""}, {Qt::Key_F3, "A01", "A01"},
    };
    auto* text = Child<QTextEdit>("RichEdit1");
    for (const auto& step : steps) {
        QTest::keyClick(text, step.Key);
        EXPECT_EQ(Current(), QLatin1String(step.Shown)) << step.Key;
        EXPECT_EQ(marked(), QLatin1String(step.Marked)) << step.Key << " to " << step.Shown;
    }
    QTest::keyClick(text, Qt::Key_F9); // A02, marked
    QTest::keyClick(text, Qt::Key_F9); // H54, not listed
    ASSERT_EQ(Current(), QStringLiteral("H54"));
    QTreeWidgetItem* a02 = Tree()->topLevelItem(1);
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Tree()->visualItemRect(a02).center());
    EXPECT_EQ(Current(), QStringLiteral("A02"));
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
    FAnswer = QMessageBox::No; // the full-text search finds nothing and offers Find
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
    FAnswer = QMessageBox::No; // the sample set has no goose: the empty result offers Find
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
    FAnswer = QMessageBox::No; // Enter searches "in", which finds nothing and offers Find
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

// The suggestions open when the text of the keyword box changes, not on every key released in it:
// F-keys, arrows, modifiers and the Escape that closed a message box leave them shut.
TEST_F(SearchWindow, SuggestionsOpenOnlyWhenTheTextChanges) {
    auto* panel = Child<QWidget>("plPrompt");
    auto* grid = Child<QTableWidget>("StringGrid1");
    Type(QStringLiteral("in"));
    ASSERT_TRUE(panel->isVisible());
    const auto shut = [&] {
        QTest::keyClick(KeywordBox(), Qt::Key_Escape);
        ASSERT_FALSE(panel->isVisible());
        ASSERT_TRUE(FWindow->isVisible());
    };
    shut();
    const Qt::Key unchanged[] = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F8,
                                 Qt::Key_F9, Qt::Key_Left, Qt::Key_Right, Qt::Key_Home,
                                 Qt::Key_End, Qt::Key_Down, Qt::Key_Shift, Qt::Key_Control};
    for (const Qt::Key key : unchanged) {
        QTest::keyClick(KeywordBox(), key);
        EXPECT_FALSE(panel->isVisible()) << "key " << key;
    }
    // A message box closed with Escape leaves the release of that key to the box.
    QTest::keyRelease(KeywordBox(), Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(KeywordBox()->text(), QStringLiteral("in"));

    // Typing, deleting and pasting change the text: each opens the suggestions of the new text.
    const struct {
        const char* Name;
        std::function<void()> Edit;
        const char* Text;
    } edits[] = {
        {"a letter", [this] { QTest::keyClick(KeywordBox(), Qt::Key_J); }, "inj"},
        {"Backspace", [this] { QTest::keyClick(KeywordBox(), Qt::Key_Backspace); }, "in"},
        {"a paste",
         [this] {
             QGuiApplication::clipboard()->setText(QStringLiteral("fe"));
             KeywordBox()->setText(QString());
             QTest::keyClick(KeywordBox(), Qt::Key_V, Qt::ControlModifier);
         },
         "fe"},
    };
    for (const auto& edit : edits) {
        edit.Edit();
        EXPECT_EQ(KeywordBox()->text(), QLatin1String(edit.Text)) << edit.Name;
        EXPECT_TRUE(panel->isVisible()) << edit.Name;
        EXPECT_FALSE(grid->item(0, 0)->text().isEmpty()) << edit.Name;
        shut();
    }
    // Up asks for them without a change and goes into them.
    QTest::keyClick(KeywordBox(), Qt::Key_Up);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("Fever"));
    // A text the window puts into the box (a chosen suggestion) opens nothing on the next key.
    QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_FALSE(panel->isVisible());
    EXPECT_EQ(KeywordBox()->text(), QStringLiteral("Fever,"));
    QTest::keyClick(KeywordBox(), Qt::Key_Left);
    EXPECT_FALSE(panel->isVisible());
}

// Escape first closes what floats over the window (the suggestions, the history panel), from
// whichever control has the focus; only with nothing open does it close the window.
TEST_F(SearchWindow, EscapeClosesWhatFloatsBeforeTheWindow) {
    auto* prompt = Child<QWidget>("plPrompt");
    auto* history = Child<QWidget>("plHistory");
    SearchHistoryList->append(QStringLiteral("cholera"));
    const struct {
        const char* Name;
        QWidget* Panel;
        const char* FocusOn; // nullptr: where opening the panel left the focus
    } cases[] = {
        {"suggestions, keyword box", prompt, "edtKeyWord"},
        {"suggestions, code box", prompt, "edtCode"},
        {"suggestions, result list", prompt, "TreeView1"},
        {"suggestions, a check box", prompt, "ckAdvanced"},
        {"history panel", history, nullptr},
    };
    for (const auto& c : cases) {
        if (c.Panel == prompt)
            Type(QStringLiteral("in"));
        else
            Child<QPushButton>("btnHistory")->click();
        if (c.FocusOn)
            Child(c.FocusOn)->setFocus();
        ASSERT_TRUE(c.Panel->isVisible()) << c.Name;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(c.Panel->isVisible()) << c.Name;
        EXPECT_TRUE(FWindow->isVisible()) << c.Name;
        EXPECT_EQ(FWindow->result(), 0) << c.Name;
    }
    // With nothing open, Escape in the keyword box or the code box closes the window (cancel).
    for (const char* box : {"edtKeyWord", "edtCode"}) {
        FWindow->setResult(0);
        FWindow->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
        Child(box)->setFocus();
        ASSERT_FALSE(prompt->isVisible());
        QTest::keyClick(Child(box), Qt::Key_Escape);
        EXPECT_FALSE(FWindow->isVisible()) << box;
        EXPECT_EQ(FWindow->result(), TSearchResult::Back) << box;
    }
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

// Enter on the history list picks the highlighted entry as a click does: into the keyword box,
// the panel closed, nothing searched.
TEST_F(SearchWindow, EnterInTheHistoryPanelPicksTheHighlightedEntry) {
    *SearchHistoryList = {QStringLiteral("cholera"), QStringLiteral("Typhoid"), QStringLiteral("typhi")};
    auto* panel = Child<QWidget>("plHistory");
    auto* list = Child<QTreeWidget>("ListView1");
    const struct {
        int Ups; // Up presses from the newest entry
        Qt::Key Enter;
        const char* Picked;
    } cases[] = {{0, Qt::Key_Return, "typhi"}, {1, Qt::Key_Enter, "Typhoid"}, {2, Qt::Key_Return, "cholera"}};
    for (const auto& c : cases) {
        KeywordBox()->clear();
        Child<QPushButton>("btnHistory")->click();
        ASSERT_TRUE(list->hasFocus());
        for (int i = 0; i < c.Ups; ++i)
            QTest::keyClick(list, Qt::Key_Up);
        QTest::keyClick(list, c.Enter);
        EXPECT_EQ(KeywordBox()->text(), QLatin1String(c.Picked));
        EXPECT_FALSE(panel->isVisible()) << c.Picked;
        EXPECT_TRUE(KeywordBox()->hasFocus()) << c.Picked;
        EXPECT_TRUE(FWindow->isVisible()) << c.Picked;
        EXPECT_EQ(Tree()->topLevelItemCount(), 0) << c.Picked; // not searched
    }
    EXPECT_EQ(SearchHistoryList->size(), 3);
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
            EXPECT_EQ(AWindow->FInitType, TViewerStart::KeywordSearch);
            EXPECT_EQ(static_cast<QLabel*>(child(AWindow, "Panel1"))->text(), QStringLiteral("Tabular Search"));
            EXPECT_EQ(static_cast<QLabel*>(child(AWindow, "lbType"))->text(), QStringLiteral("Search"));
            auto* box = static_cast<QLineEdit*>(child(AWindow, "edtKeyWord"));
            EXPECT_TRUE(QTest::qWaitFor([box] { return box->hasFocus(); }));
            QTest::keyClicks(box, QStringLiteral("Salmonella, typhi"));
            QTest::keyClick(box, Qt::Key_Return);
            EXPECT_EQ(TreeTexts(static_cast<QTreeWidget*>(child(AWindow, "TreeView1"))),
                      (QStringList{QStringLiteral("A01"), QStringLiteral("A02")}));
            AWindow->done(TSearchResult::Back);
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
        AWindow->done(TSearchResult::Back);
    });
    QTest::mouseClick(main.findChild<QLabel*>(QStringLiteral("lbKeyWords")), Qt::LeftButton);
    EXPECT_TRUE(recalled);
    EXPECT_EQ(*SearchHistoryList, QStringList{QStringLiteral("Salmonella, typhi")});
}

} // namespace
