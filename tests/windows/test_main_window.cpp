// The main window offscreen on the sample data set: layout, hover feedback, links, the
// full-screen setting, the administrator gate, the search history and the end of the run.
#include "AlphaSearch.h"
#include "DrugNeopSearch.h"
#include "Edition.h"
#include "EngineGlobals.h"
#include "Find.h"
#include "FindIndexJob.h"
#include "Main.h"
#include "ModalResults.h"
#include "ReleaseFixture.h"
#include "SearchHistory.h"
#include "TextLines.h"
#include "WindowStyle.h"
#include "WindowTestSupport.h"

#include <QCheckBox>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cstring>
#include <memory>

namespace {

class MainWindow : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        if (HasFailure())
            return;
    }
    void TearDown() override {
        WindowTest::TearDown();
        UseEmbeddedEdition(); // after a test that chose an edition file
    }
    // Creates the window after the test has prepared its files.
    TfrmMain& Open() {
        FMain = std::make_unique<TfrmMain>(Messages());
        FMain->SetUrlOpener([this](const QUrl& AUrl) { FOpened << AUrl; });
        FMain->show();
        return *FMain;
    }
    template <class T = QLabel> T* Child(const char* AName) {
        return ChildOf<T>(FMain.get(), AName);
    }
    QString UserFile(const char* AName) const {
        return UserDataFolder + QString::fromLatin1(AName);
    }

    std::unique_ptr<TfrmMain> FMain;
    QList<QUrl> FOpened;
};

struct TLabelLook {
    const char* Name;
    int Left, Top;
    const char* Text; // nullptr: set at creation, checked elsewhere
    int Height;
    QColor Color;
    bool Italic;
};

TEST_F(MainWindow, ShowsItsControlsWhereTheLayoutPutsThem) {
    TfrmMain& main = Open();
    const TLabelLook looks[] = {
        {"Label4", 312, 24, "Orvella ICD-10 SEARCH ENGINE", 48, TColors::WindowText, false},
        {"Label1", 84, 211, "YEAR:", 20, TColors::Navy, false},
        {"lbVersion", 154, 211, nullptr, 20, TColors::Navy, false},
        {"Label2", 84, 258, "Version: 1.0.12", 20, TColors::Navy, false},
        {"Label3", 84, 305, "Effective Date: Oct 1 ", 20, TColors::Navy, false},
        {"lbYear", -1, 305, nullptr, 20, TColors::Navy, false}, // left: after the date, below
        {"lbCompany", 83, 363, " Quorvane  ", 15, TColors::Green, true},
        {"Label7", 84, 411, "Web-Site:", 13, TColors::Green, false},
        {"lbWeb", 84, 435, "www.quorvane.com", 15, TColors::Green, true},
        {"Label8", 84, 476, "EMail:", 13, TColors::Green, false},
        {"lbEMail", 85, 500, "info@quorvane.com", 15, TColors::Green, true},
        {"lbAlphabetical", 536, 115, "Alphabetical Search", 32, TColors::Blue, false},
        {"lbDisease", 599, 167, "Disease & Injury", 29, TColors::Navy, false},
        {"lbExternal", 599, 226, "External Causes of Injury ", 29, TColors::Navy, false},
        {"lbDrugs", 599, 285, "Drugs & Chemicals", 29, TColors::Navy, false},
        {"lbNeoplasms", 599, 344, "Neoplasms", 29, TColors::Navy, false},
        {"lbKeyWords", 536, 401, "Keywords Search", 32, TColors::Blue, false},
        {"lbFind", 880, 401, "Find Code", 32, TColors::Blue, false},
        {"lbChapters", 536, 470, "Chapters Search", 32, TColors::Blue, false},
        {"lbFavorite", 536, 536, "Favorite  Codes", 32, TColors::Blue, false},
    };
    for (const TLabelLook& look : looks) {
        SCOPED_TRACE(look.Name);
        QLabel* label = Child(look.Name);
        ASSERT_NE(label, nullptr);
        if (look.Left >= 0) {
            EXPECT_EQ(label->pos(), QPoint(look.Left, look.Top));
        } else {
            EXPECT_EQ(label->y(), look.Top);
        }
        if (look.Text) {
            EXPECT_EQ(label->text(), QString::fromUtf8(look.Text));
        }
        EXPECT_EQ(label->font().pixelSize(), look.Height);
        EXPECT_TRUE(label->font().bold());
        EXPECT_EQ(label->font().italic(), look.Italic);
        EXPECT_EQ(label->font().family(), QStringLiteral("Tahoma"));
        EXPECT_TRUE(QFontInfo(label->font()).family().startsWith(QStringLiteral("DejaVu Sans")));
        EXPECT_EQ(TextColor(label), look.Color);
        // The whole text is shown and nothing runs past the client area.
        EXPECT_GE(label->width(), label->sizeHint().width());
        EXPECT_TRUE(main.rect().contains(label->geometry())) << look.Name;
    }
    // The links and their heading do not overlap one another.
    const char* const links[] = {"lbAlphabetical", "lbDisease", "lbExternal", "lbDrugs", "lbNeoplasms",
                                 "lbKeyWords",     "lbFind",    "lbChapters", "lbFavorite"};
    for (const char* first : links)
        for (const char* second : links)
            if (std::strcmp(first, second) < 0) {
                EXPECT_FALSE(Child(first)->geometry().intersects(Child(second)->geometry()))
                    << first << " and " << second;
            }
    EXPECT_EQ(Child("lbVersion")->text(), QLatin1Char(' ') + DataYear + QLatin1Char(' '));
    EXPECT_EQ(Child("lbYear")->text(), QString::number(DataYear.toInt() - 1));
    // The year stands at its place or further right, two blanks after "Effective Date: Oct 1", so
    // that the day and the year never run together.
    const QFontMetrics metrics(Child("Label3")->font());
    const int dateEnd = Child("Label3")->x() + Child("Label3")->contentsRect().left() +
                        metrics.horizontalAdvance(QStringLiteral("Effective Date: Oct 1"));
    EXPECT_GE(Child("lbYear")->x(), 296);
    EXPECT_GE(Child("lbYear")->x() + Child("lbYear")->contentsRect().left() - dateEnd,
              metrics.horizontalAdvance(QStringLiteral("  ")));
    EXPECT_EQ(Child("lbYear")->font(), Child("Label3")->font());

    auto* check = Child<QCheckBox>("CheckBox1");
    EXPECT_EQ(check->pos(), QPoint(113, 583));
    EXPECT_EQ(check->text(), QStringLiteral("Full Screen Show Text"));
    EXPECT_EQ(check->font().pixelSize(), 13);
    auto* newAccount = Child<QPushButton>("Button3");
    auto* login = Child<QPushButton>("Button4");
    EXPECT_EQ(newAccount->geometry(), QRect(539, 574, 113, 25));
    EXPECT_EQ(newAccount->text(), QStringLiteral("New Account"));
    EXPECT_EQ(login->geometry(), QRect(691, 575, 105, 25));
    EXPECT_EQ(login->text(), QStringLiteral("Login"));

    EXPECT_EQ(main.size(), QSize(1167, 691));
    EXPECT_EQ(main.minimumSize(), main.maximumSize()); // fixed size
    EXPECT_FALSE(main.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(main.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(main.windowTitle(),
              QStringLiteral("ICD-10 (%1), Provided by Quorvane").arg(DataYear));
}

// An edition file chosen at start: the window shows its year and effective date, an update in
// force from April included, and the day and year stay apart; a refused file leaves the
// embedded edition's.
TEST_F(MainWindow, ShowsTheYearAndDateOfTheEditionInUse) {
    const QString file = FRoot.filePath(QStringLiteral("2031.edition"));
    ASSERT_TRUE(WriteBytes(file, EditionFileBytes(EmbeddedContents(QStringLiteral("2031"), QDate(2030, 4, 1)))));
    QString error;
    ASSERT_TRUE(UseEditionFile(file, error)) << error.toStdString();
    Restart();
    TfrmMain& main = Open();
    EXPECT_EQ(Child("lbVersion")->text(), QStringLiteral(" 2031 "));
    EXPECT_EQ(Child("Label3")->text(), QStringLiteral("Effective Date: Apr 1 "));
    EXPECT_EQ(Child("lbYear")->text(), QStringLiteral("2030"));
    const QFontMetrics metrics(Child("Label3")->font());
    const int dateEnd = Child("Label3")->x() + Child("Label3")->contentsRect().left() +
                        metrics.horizontalAdvance(QStringLiteral("Effective Date: Apr 1"));
    EXPECT_GE(Child("lbYear")->x() + Child("lbYear")->contentsRect().left() - dateEnd,
              metrics.horizontalAdvance(QStringLiteral("  ")));
    EXPECT_EQ(main.windowTitle(), QStringLiteral("ICD-10 (2031), Provided by Quorvane"));
    FMain.reset();

    ASSERT_TRUE(WriteBytes(file, ReadBytes(file).chopped(1)));
    EXPECT_FALSE(UseEditionFile(file, error));
    Restart();
    Open();
    EXPECT_EQ(Child("lbVersion")->text(), QLatin1Char(' ') + ProgramDataYear + QLatin1Char(' '));
    EXPECT_EQ(Child("Label3")->text(), QStringLiteral("Effective Date: Oct 1 "));
    EXPECT_EQ(Child("lbYear")->text(), QString::number(ProgramDataYear.toInt() - 1));
}

TEST_F(MainWindow, BackgroundPictureTilesTheWindowWhenPresent) {
    ASSERT_TRUE(QFile::copy(ProgramResource(QStringLiteral("Background.bmp")),
                            ProgramFolder + QStringLiteral("Background.bmp")));
    TfrmMain& main = Open();
    ASSERT_FALSE(main.Background().isNull());
    EXPECT_FALSE(main.palette().brush(QPalette::Window).texture().isNull());
    // The picture is drawn: a pixel of the grabbed window is the picture's, not the plain colour.
    const QImage shot = main.grab().toImage();
    const QImage tile = main.Background().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), tile.pixelColor(5, 5));
}

TEST_F(MainWindow, MissingOrBrokenBackgroundLeavesThePlainColour) {
    for (const QByteArray& content : {QByteArray(), QByteArray("BM not really a bitmap")}) {
        if (!content.isNull())
            WriteFile(ProgramFolder + QStringLiteral("Background.bmp"), content);
        TfrmMain& main = Open();
        EXPECT_TRUE(main.Background().isNull());
        EXPECT_EQ(main.palette().color(QPalette::Window), TColors::BtnFace);
        EXPECT_EQ(main.grab().toImage().pixelColor(5, 5), TColors::BtnFace);
    }
}

TEST_F(MainWindow, LinksTurnFuchsiaWithAHandAndBackOnLeave) {
    Open();
    const std::pair<const char*, QColor> links[] = {
        {"lbDisease", TColors::Navy},  {"lbExternal", TColors::Navy},
        {"lbDrugs", TColors::Navy},    {"lbNeoplasms", TColors::Navy},
        {"lbKeyWords", TColors::Blue}, {"lbFind", TColors::Blue},      {"lbChapters", TColors::Blue},
        {"lbFavorite", TColors::Blue}, {"lbWeb", TColors::Green},
        {"lbEMail", TColors::Green},
    };
    for (const auto& [name, resting] : links) {
        SCOPED_TRACE(name);
        QLabel* label = Child(name);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(label, &enter);
        EXPECT_EQ(TextColor(label), TColors::Fuchsia);
        EXPECT_TRUE(label->testAttribute(Qt::WA_SetCursor));
        EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(label, &leave);
        EXPECT_EQ(TextColor(label), resting);
        EXPECT_FALSE(label->testAttribute(Qt::WA_SetCursor));
    }
    // Captions are not links.
    for (const char* name : {"Label4", "Label1", "lbAlphabetical", "lbCompany"}) {
        QLabel* label = Child(name);
        const QColor before = TextColor(label);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(label, &enter);
        EXPECT_EQ(TextColor(label), before) << name;
        EXPECT_FALSE(label->testAttribute(Qt::WA_SetCursor)) << name;
    }
}

TEST_F(MainWindow, SearchLinksSayTheWindowIsNotAvailableYet) {
    Open();
    // Every link of this build has its window; a build without one says so.
    FMain->SetWindowFactory([](TSearchWindow) { return std::unique_ptr<QDialog>(); });
    for (const char* name :
         {"lbDisease", "lbExternal", "lbDrugs", "lbNeoplasms", "lbKeyWords", "lbFind", "lbChapters"}) {
        const qsizetype before = Shown().size();
        QTest::mouseClick(Child(name), Qt::LeftButton);
        ASSERT_EQ(Shown().size(), before + 1) << name;
        EXPECT_EQ(LastShown(), QStringLiteral("This window is not available yet."));
        EXPECT_EQ(Requests().back().Kind, TMessageRequest::TKind::Information);
        EXPECT_TRUE(FMain->isVisible());
    }
    // The captions do nothing on a click.
    const qsizetype before = Shown().size();
    for (const char* name : {"Label4", "lbAlphabetical"})
        QTest::mouseClick(Child(name), Qt::LeftButton);
    EXPECT_EQ(Shown().size(), before);
    // "Favorite Codes" with nobody logged in first offers an account (declined here; the
    // favourites' own tests go on from there).
    FAnswer = QMessageBox::No;
    QTest::mouseClick(Child("lbFavorite"), Qt::LeftButton);
    ASSERT_EQ(Shown().size(), before + 1);
    EXPECT_EQ(Requests().back().Caption, QStringLiteral("Favorite Codes"));
    EXPECT_TRUE(FMain->isVisible());
}

TEST_F(MainWindow, EachLinkOpensItsWindowInPlaceOfTheMainWindow) {
    Open();
    const std::pair<const char*, TSearchWindow> links[] = {
        {"lbDisease", TSearchWindow::DiseaseIndex},   {"lbExternal", TSearchWindow::ExternalIndex},
        {"lbDrugs", TSearchWindow::DrugTable},        {"lbNeoplasms", TSearchWindow::NeoplasmTable},
        {"lbKeyWords", TSearchWindow::KeywordSearch}, {"lbChapters", TSearchWindow::ChapterBrowser},
        {"lbFind", TSearchWindow::FindCode},
    };
    std::vector<TSearchWindow> asked;
    FMain->SetWindowFactory([&](TSearchWindow AKind) {
        asked.push_back(AKind);
        return std::make_unique<QDialog>();
    });
    for (const auto& [name, kind] : links) {
        bool mainWasHidden = false;
        WhenModalShows([&](QWidget* AWindow) {
            mainWasHidden = !FMain->isVisible();
            static_cast<QDialog*>(AWindow)->done(TSearchResult::Back);
        });
        QTest::mouseClick(Child(name), Qt::LeftButton);
        EXPECT_TRUE(mainWasHidden) << name;
        EXPECT_TRUE(FMain->isVisible()) << name;
        ASSERT_FALSE(asked.empty());
        EXPECT_EQ(asked.back(), kind) << name;
    }
    EXPECT_EQ(asked.size(), 7u);
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(MainWindow, ResultThreeEndsTheRunStoppingLoadersAndSavingTheHistory) {
    Open();
    FMain->SetWindowFactory([](TSearchWindow) { return std::make_unique<QDialog>(); });
    RecordSearch(QStringLiteral("gas, Abdomen"));
    WriteState(TabularLoadState, LoadRunning); // as if the tabular list were still loading
    WhenModalShows([](QWidget* AWindow) { static_cast<QDialog*>(AWindow)->done(TSearchResult::Quit); });
    QTest::mouseClick(Child("lbKeyWords"), Qt::LeftButton);
    EXPECT_FALSE(FMain->isVisible());
    EXPECT_EQ(ReadState(TabularLoadState), LoadStopRequested);
    EXPECT_EQ(ReadFile(SearchHistoryFile()), QByteArray("gas, Abdomen\r\n"));
    WriteState(TabularLoadState, LoadDone);
}

TEST_F(MainWindow, IndexLinksOpenTheAlphabeticIndexSearch) {
    Open();
    const std::pair<const char*, int> links[] = {{"lbDisease", TTermData::DiseaseIndex}, {"lbExternal", TTermData::ExternalIndex}};
    for (const auto& [name, type] : links) {
        int openedType = 0;
        WhenModalShows<TfrmAlphaSearch>([&](TfrmAlphaSearch* AWindow) {
            openedType = AWindow->FType;
            EXPECT_EQ(AWindow->FCurItem, nullptr);
            AWindow->done(TSearchResult::Back);
        });
        QTest::mouseClick(Child(name), Qt::LeftButton);
        EXPECT_EQ(openedType, type) << name;
        EXPECT_TRUE(FMain->isVisible()) << name;
    }
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(MainWindow, TableLinksOpenTheTableSearch) {
    Open();
    const std::pair<const char*, int> links[] = {{"lbDrugs", TTermData::DrugTable}, {"lbNeoplasms", TTermData::NeoplasmTable}};
    for (const auto& [name, type] : links) {
        int openedType = 0;
        WhenModalShows<TfrmDrugNeopSearch>([&](TfrmDrugNeopSearch* AWindow) {
            openedType = AWindow->FType;
            AWindow->done(TSearchResult::Back);
        });
        QTest::mouseClick(Child(name), Qt::LeftButton);
        EXPECT_EQ(openedType, type) << name;
        EXPECT_TRUE(FMain->isVisible()) << name;
    }
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(MainWindow, FindLinkOpensTheFindWindow) {
    qputenv("XDG_CACHE_HOME", FRoot.filePath(QStringLiteral("cache")).toUtf8());
    StartFindIndexJob();
    WaitForLoadersServingMessages();
    Open();
    for (const int result : {2, 3}) {
        bool opened = false;
        WhenModalShows<TfrmFind>([&](TfrmFind* AWindow) {
            opened = AWindow->Index() != nullptr;
            AWindow->done(result);
        });
        QTest::mouseClick(Child("lbFind"), Qt::LeftButton);
        EXPECT_TRUE(opened) << result;
        EXPECT_EQ(FMain->isVisible(), result != 3) << result;
    }
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(MainWindow, WebAndMailLinksGoToTheDesktop) {
    Open();
    QTest::mouseClick(Child("lbWeb"), Qt::LeftButton);
    QTest::mouseClick(Child("lbEMail"), Qt::LeftButton);
    EXPECT_EQ(FOpened, (QList<QUrl>{QUrl(QStringLiteral("http://www.quorvane.com")),
                                    QUrl(QStringLiteral("mailto:info@quorvane.com"))}));
    // A blank address does nothing; a press outside and release inside is no click either.
    Child("lbWeb")->setText(QStringLiteral("   "));
    QTest::mouseClick(Child("lbWeb"), Qt::LeftButton);
    QTest::mouseRelease(Child("lbEMail"), Qt::LeftButton);
    EXPECT_EQ(FOpened.size(), 2);
}

TEST_F(MainWindow, FullScreenCheckBoxWritesTheSettingAtOnce) {
    WriteFile(UserFile("config.ini"), "[Config]\r\nFullScreen=1\r\nScrollBar=1\r\n");
    Open();
    auto* check = Child<QCheckBox>("CheckBox1");
    EXPECT_TRUE(check->isChecked());
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_EQ(FullScreen, 0);
    EXPECT_EQ(ReadFile(UserFile("config.ini")),
              QByteArray("[Config]\r\nFullScreen=0\r\nScrollBar=1\r\n"));
    QTest::keyClick(check, Qt::Key_Space);
    EXPECT_EQ(FullScreen, 1);
    EXPECT_TRUE(ReadFile(UserFile("config.ini")).contains("FullScreen=1\r\n"));
}

TEST_F(MainWindow, FullScreenSettingIsCreatedWhenMissing) {
    Open();
    auto* check = Child<QCheckBox>("CheckBox1");
    EXPECT_FALSE(check->isChecked());
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_EQ(ReadFile(UserFile("config.ini")),
              QByteArray("[Config]\r\nFullScreen=1\r\nScrollBar=0\r\n"));
}

TEST_F(MainWindow, BrokenSettingsReadAsDefaultsAndNeverCrash) {
    const QByteArray broken[] = {QByteArray("FullScreen=1\r\n"), // no section
                                 QByteArray("[Config]\r\nFullScreen=abc\r\n"),
                                 QByteArray("\xff\xfe\x00[\x00\x01\x02garbage", 12)};
    for (const QByteArray& content : broken) {
        WriteFile(UserFile("config.ini"), content);
        FullScreen = 0;
        Open();
        EXPECT_FALSE(Child<QCheckBox>("CheckBox1")->isChecked());
    }
    // A config.ini that cannot be written: the setting holds for this run only.
    ASSERT_TRUE(QFile::remove(UserFile("config.ini")));
    ASSERT_TRUE(QDir(UserDataFolder).mkdir(QStringLiteral("config.ini")));
    Open();
    QTest::mouseClick(Child<QCheckBox>("CheckBox1"), Qt::LeftButton);
    EXPECT_EQ(FullScreen, 1);
}

// A fresh home without ~/.config or ~/.local/share: every level of the data folders is made, and
// settings and history are saved there.
TEST_F(MainWindow, DataFoldersAreMadeWithEveryLevelAboveThem) {
    qputenv("ProgramData", FRoot.filePath(QStringLiteral("fresh/home/.local/share")).toUtf8());
    qputenv("AppData", FRoot.filePath(QStringLiteral("fresh/home/.config")).toUtf8());
    Restart();
    EXPECT_TRUE(QDir(SharedDataFolder).exists()) << SharedDataFolder.toStdString();
    EXPECT_TRUE(QDir(UserDataFolder).exists()) << UserDataFolder.toStdString();
    Open();
    QTest::mouseClick(Child<QCheckBox>("CheckBox1"), Qt::LeftButton);
    RecordSearch(QStringLiteral("fever"));
    FMain->close();
    EXPECT_EQ(ReadFile(UserFile("config.ini")), QByteArray("[Config]\r\nFullScreen=1\r\nScrollBar=0\r\n"));
    EXPECT_EQ(ReadTextLines(SearchHistoryFile()), QStringList{QStringLiteral("fever")});
    EXPECT_TRUE(Shown().isEmpty()) << Shown().join(QLatin1Char('\n')).toStdString();
}

// A user folder that cannot be made (a file stands where a folder of its path should be): the
// user hears it once, naming the folder, not again at each setting or at the close.
TEST_F(MainWindow, AUserFolderThatCannotBeMadeIsSaidOnceNamingIt) {
    WriteFile(FRoot.filePath(QStringLiteral("blocked")), "a file");
    qputenv("AppData", FRoot.filePath(QStringLiteral("blocked/config")).toUtf8());
    Restart();
    ASSERT_EQ(Shown().size(), 1);
    EXPECT_TRUE(Shown()[0].contains(UserDataFolder)) << Shown()[0].toStdString();
    Open();
    auto* check = Child<QCheckBox>("CheckBox1");
    QTest::mouseClick(check, Qt::LeftButton);
    QTest::mouseClick(check, Qt::LeftButton);
    RecordSearch(QStringLiteral("fever"));
    FMain->close();
    EXPECT_EQ(Shown().size(), 1);
    EXPECT_EQ(FullScreen, 0);
}

TEST_F(MainWindow, TitleDoubleClickOpensTheAdministratorToolOnlyForAdministrators) {
    // Not an administrator: nothing happens.
    Open();
    std::vector<TSearchWindow> asked;
    auto factory = [&](TSearchWindow AKind) -> std::unique_ptr<QDialog> {
        asked.push_back(AKind);
        return nullptr;
    };
    FMain->SetWindowFactory(factory);
    QTest::mouseDClick(Child("Label4"), Qt::LeftButton);
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(Shown().isEmpty());

    WriteFile(ProgramFolder + QStringLiteral("config.ini"), "[Config]\r\nIsAdmin=1\r\n");
    Open();
    FMain->SetWindowFactory(factory);
    EXPECT_EQ(IsAdmin, 1);
    QTest::mouseClick(Child("Label4"), Qt::LeftButton); // a single click does nothing
    EXPECT_TRUE(asked.empty());
    QTest::mouseDClick(Child("Label4"), Qt::LeftButton);
    EXPECT_EQ(asked, std::vector<TSearchWindow>{TSearchWindow::AdministratorTool});
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("This window is not available yet.")});
    EXPECT_TRUE(FMain->isVisible()); // the tool opens over the main window
}

TEST_F(MainWindow, HistoryOfSixtyLinesIsLoadedWholeAndSavedAtClose) {
    QStringList lines;
    for (int i = 1; i <= 60; ++i)
        lines << QStringLiteral("search %1").arg(i);
    ASSERT_TRUE(WriteTextLines(SearchHistoryFile(), lines));
    Open();
    EXPECT_EQ(*SearchHistoryList, lines);
    RecordSearch(QStringLiteral("new"));
    EXPECT_EQ(SearchHistoryList->size(), 60);
    RecordSearch(QStringLiteral("search 30"));
    EXPECT_EQ(SearchHistoryList->size(), 59);
    FMain->close();
    const std::optional<QStringList> saved = ReadTextLines(SearchHistoryFile());
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, *SearchHistoryList);
    EXPECT_EQ(saved->first(), QStringLiteral("search 3"));
    EXPECT_EQ(saved->last(), QStringLiteral("search 30"));
    EXPECT_TRUE(ReadFile(SearchHistoryFile()).endsWith("search 30\r\n"));
}

TEST_F(MainWindow, UnreadableHistoryStartsEmptyAndIsNotLost) {
    // Not UTF-8 and no mark: read byte for byte and written back the same way.
    WriteFile(SearchHistoryFile(), QByteArray("caf\xe9\r\n\x01\x02\r\n"));
    Open();
    EXPECT_EQ(*SearchHistoryList,
              (QStringList{QStringLiteral("caf\u00e9"), QStringLiteral("\x01\x02")}));
    FMain->close();
    EXPECT_EQ(DecodeTextLines(ReadFile(SearchHistoryFile())), *SearchHistoryList);

    // A history that is a folder: nothing is read, the close does not crash.
    ASSERT_TRUE(QFile::remove(SearchHistoryFile()));
    ASSERT_TRUE(QDir(UserDataFolder).mkdir(QStringLiteral("SearchHistory.txt")));
    SearchHistoryList->clear();
    Open();
    EXPECT_TRUE(SearchHistoryList->isEmpty());
    FMain->close();
    EXPECT_FALSE(FMain->isVisible());
}

} // namespace
