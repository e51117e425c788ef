// Start-up on the embedded sample data set: folders, containers, the loader threads, and the
// waiting protocol with its hooks, including loader messages raised while a window waits.
#include "DataEngine.h"
#include "DataSets.h"
#include "EngineGlobals.h"
#include "LoaderMessages.h"
#include "TabularCounts.h"
#include "TestSupport.h"
#include "Waiting.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

class Startup : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FRoot.isValid());
        qputenv("ProgramData", FRoot.filePath(QStringLiteral("shared")).toUtf8());
        qputenv("AppData", FRoot.filePath(QStringLiteral("user")).toUtf8());
        QDir().mkpath(FRoot.filePath(QStringLiteral("shared")));
        QDir().mkpath(FRoot.filePath(QStringLiteral("user")));
    }
    void TearDown() override { WaitForLoaders(); }
    QTemporaryDir FRoot;
};

TEST_F(Startup, LoadsTheEmbeddedDataSetsInTheBackground) {
    InitDataEngine();
    // A reader on another thread waits for the tabular list and then reads it, as a window does.
    TTabularCounts seen;
    std::thread reader([&] {
        WaitWhileLoading(TabularLoadState);
        seen = CountTabular(*ChapterList);
    });
    reader.join();
    WaitForLoaders();

    EXPECT_EQ(ReadState(TabularLoadState), LoadDone);
    EXPECT_EQ(seen.Chapters, 3);
    EXPECT_EQ(seen.Sections, 4);
    EXPECT_EQ(seen.Categories, 6);
    EXPECT_EQ(seen.Codes, 20);
    EXPECT_EQ(IntroductionData->FTitle, QStringLiteral("SAMPLE TABULAR LIST"));
    ASSERT_EQ(BuildThreads().size(), 6u);
    for (int job = 0; job < 6; ++job)
        EXPECT_EQ(BuildThreads()[static_cast<std::size_t>(job)]->FType, job);
    // Every stream was handed to a loader or is still waiting for its loader; the tabular one
    // was consumed.
    EXPECT_EQ(TakeResourceStream(TDataSet::Tabular), nullptr);
}

TEST_F(Startup, FixesTheFoldersAndCreatesThem) {
    InitDataEngine();
    WaitForLoaders();
    const QString suffix = QStringLiteral("/Orvella Tabulon ") + DataYear + QLatin1Char('/');
    EXPECT_EQ(SharedDataFolder, FRoot.filePath(QStringLiteral("shared")) + suffix);
    EXPECT_EQ(UserDataFolder, FRoot.filePath(QStringLiteral("user")) + suffix);
    EXPECT_TRUE(QDir(SharedDataFolder).exists());
    EXPECT_TRUE(QDir(UserDataFolder).exists());
    EXPECT_TRUE(ProgramFolder.endsWith(QLatin1Char('/')));
    EXPECT_TRUE(QDir(ProgramFolder).exists(QStringLiteral("test_startup")));
}

TEST_F(Startup, EmptyEnvironmentFallsBackToTheUserFolders) {
    qputenv("ProgramData", "");
    qunsetenv("AppData");
    qputenv("XDG_DATA_HOME", FRoot.filePath(QStringLiteral("xdgdata")).toUtf8());
    qputenv("XDG_CONFIG_HOME", FRoot.filePath(QStringLiteral("xdgconfig")).toUtf8());
    QDir().mkpath(FRoot.filePath(QStringLiteral("xdgdata")));
    InitDataEngine();
    WaitForLoaders();
    EXPECT_TRUE(SharedDataFolder.startsWith(FRoot.filePath(QStringLiteral("xdgdata/Orvella Tabulon "))));
    EXPECT_TRUE(UserDataFolder.startsWith(FRoot.filePath(QStringLiteral("xdgconfig/Orvella Tabulon "))));
    EXPECT_TRUE(QDir(SharedDataFolder).exists());
    // Every level is made: the missing XDG config folder is made with the user folder, or a fresh
    // account would never keep its settings and history.
    EXPECT_TRUE(QDir(UserDataFolder).exists());
    EXPECT_EQ(ReadState(TabularLoadState), LoadDone);
}

TEST_F(Startup, ReaderWaitsForALoaderThatIsStillRunning) {
    // Many codes, and an unknown element at the end whose message holds the loader until the
    // reader has seen the state "loading": the reader then really waits and must see the whole
    // tree once the state leaves 1.
    std::string sections;
    for (int s = 0; s < 50; ++s) {
        sections += "<section><desc>S (A00-A99)</desc>";
        for (int c = 0; c < 40; ++c)
            sections += "<diag><name>A" + std::to_string(c) + "</name><desc>d</desc>"
                        "<diag><name>A.1</name><desc>e</desc></diag></diag>";
        sections += "</section>";
    }
    PutDataSet(TDataSet::Tabular,
               TabularDocument("<chapter><desc>C (A00-A99)</desc>" + sections + "<late/></chapter>"));

    std::atomic<bool> readerIsWaiting{false};
    SetLoaderMessageSink([&](const QString&) {
        while (!readerIsWaiting.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    TBuildThread loader(0, true);
    TTabularCounts seen;
    std::thread reader([&] {
        while (ReadState(TabularLoadState) != LoadRunning)
            std::this_thread::yield();
        readerIsWaiting = true;
        WaitWhileLoading(TabularLoadState);
        seen = CountTabular(*ChapterList);
    });
    WriteState(TabularLoadState, LoadNotStarted);
    loader.Resume();
    reader.join();
    loader.WaitFor();
    SetLoaderMessageSink({});
    EXPECT_EQ(ReadState(TabularLoadState), LoadDone);
    EXPECT_EQ(seen.Sections, 50);
    EXPECT_EQ(seen.Codes, 50 * 40 * 2);
}

// Records what the waiting protocol asks of the windows.
class RecordingHooks : public TWaitingHooks {
public:
    void ShowWaitingDialog() override { ++Shown; }
    void ServeWhileWaiting() override {
        ++Served;
        if (OnServe)
            OnServe();
    }
    void HideWaitingDialog() override { ++Hidden; }
    int Shown = 0, Served = 0, Hidden = 0;
    std::function<void()> OnServe;
};

class WaitingProtocol : public testing::Test {
protected:
    void SetUp() override { SetWaitingHooks(&FHooks); }
    void TearDown() override {
        SetWaitingHooks(nullptr);
        SetLoaderMessageSink({});
        WriteState(FState, LoadNotStarted);
    }
    RecordingHooks FHooks;
    TLoadState FState{LoadNotStarted};
};

TEST_F(WaitingProtocol, ShowsNothingUnlessTheDataSetIsLoading) {
    for (int state : {LoadNotStarted, LoadDone, LoadFailed, LoadStopRequested}) {
        WriteState(FState, state);
        {
            TWaitForDataSet wait(FState);
            EXPECT_FALSE(wait.ShowedDialog());
        }
        WaitWhileLoading(FState);
    }
    EXPECT_EQ(FHooks.Shown, 0);
    EXPECT_EQ(FHooks.Served, 0);
    EXPECT_EQ(FHooks.Hidden, 0);
}

TEST_F(WaitingProtocol, WaitsBehindTheDialogUntilTheStateLeavesLoading) {
    for (int finalState : {LoadDone, LoadFailed, LoadStopRequested}) {
        FHooks = RecordingHooks();
        WriteState(FState, LoadRunning);
        std::thread loader([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
            WriteState(FState, finalState);
        });
        {
            TWaitForDataSet wait(FState);
            EXPECT_TRUE(wait.ShowedDialog());
            EXPECT_EQ(ReadState(FState), finalState);
            EXPECT_EQ(FHooks.Shown, 1);
            EXPECT_EQ(FHooks.Hidden, 0); // the dialog stays while the work runs
            EXPECT_GE(FHooks.Served, 2);
        }
        EXPECT_EQ(FHooks.Hidden, 1);
        loader.join();
    }
}

TEST_F(WaitingProtocol, ServesLoaderMessagesWhileItWaits) {
    // A sink like the windows' own: the loader hands the message to the waiting thread and
    // blocks until that thread has shown it. Without serving during the wait this deadlocks.
    std::mutex mutex;
    std::condition_variable answered;
    std::deque<QString> pending;
    QStringList shown;
    std::thread::id shownOn;
    int answers = 0;
    SetLoaderMessageSink([&](const QString& AText) {
        std::unique_lock lock(mutex);
        pending.push_back(AText);
        const int ticket = answers + static_cast<int>(pending.size());
        answered.wait(lock, [&] { return answers >= ticket; });
    });
    FHooks.OnServe = [&] {
        std::lock_guard lock(mutex);
        while (!pending.empty()) {
            shown << pending.front();
            pending.pop_front();
            shownOn = std::this_thread::get_id();
            ++answers;
        }
        answered.notify_all();
    };

    WriteState(FState, LoadRunning);
    std::thread loader([&] {
        ShowLoaderMessage(QStringLiteral("Undealed code node: first"));
        ShowLoaderMessage(QStringLiteral("Undealed code node: second"));
        WriteState(FState, LoadDone);
    });
    WaitWhileLoading(FState);
    loader.join();
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Undealed code node: first"),
                                  QStringLiteral("Undealed code node: second")}));
    EXPECT_EQ(shownOn, std::this_thread::get_id());
}

} // namespace
