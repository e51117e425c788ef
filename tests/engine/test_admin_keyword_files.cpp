// The administrator's keyword files: cleaning a hand-made file, arranging the reloaded keywords
// with the loader's options, and listing the codes of every distinct keyword for review.
#include "AdminTestFiles.h"
#include "CodeKeywordDerivation.h"
#include "DataEngine.h"
#include "EngineGlobals.h"
#include "KeywordMatch.h"
#include "KeywordReload.h"
#include "KeywordVerify.h"
#include "LoaderMessages.h"
#include "PrepareKeywordFile.h"
#include "TabularLoader.h"
#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <future>
#include <mutex>
#include <thread>

namespace {

const QString kNine(9, QLatin1Char(' '));

TEST(PrepareKeywordFile, CleansCodeAndContinuationLinesAndReportsBadCodes) {
    QTemporaryDir dir;
    const QString file = WriteAdminText(dir, "kw.txt",
                                        "A00 Biovar,  Cholera ,Cholerae 01\r\n"
                                        " \tClassical,, Due\t\tTo ,\r\n"
                                        "\r\n"
                                        "A001 kw\r\n"         // line 4: no point in the fourth place
                                        "A0100\r\n"           // no blank: dropped silently
                                        "A0 short\r\n"        // code of two characters: dropped
                                        "A01.00 Typhoid,Fever\r\n"
                                        "S72.001A0X one\r\n"  // a code longer than the field
                                        "B99 \r\n");          // a code without keywords
    QStringList shown;
    ASSERT_TRUE(PrepareKeywordFile(file, [&](const QString& AText) { shown << AText; }));
    EXPECT_EQ(shown, QStringList{QStringLiteral("Invalid line 4 (error code definition): A001 kw")});
    EXPECT_EQ(ReadAdminOutput(PreparedKeywordFileName(file)),
              (QStringList{QStringLiteral("A00      Biovar, Cholera, Cholerae 01,"),
                           kNine + QStringLiteral("Classical, Due To,"),
                           QStringLiteral("A01.00   Typhoid, Fever,"),
                           QStringLiteral("S72.001A0X one,"),
                           QStringLiteral("B99      ")}));
    EXPECT_EQ(PreparedKeywordFileName(file), file + QStringLiteral("-New.txt"));
}

TEST(PrepareKeywordFile, WritesNothingWithoutItsInputOrOutput) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("none.txt"));
    EXPECT_EQ(PrepareKeywordFile(missing, nullptr).Status, TAdminStatus::NotOpened);
    EXPECT_FALSE(QFile::exists(PreparedKeywordFileName(missing)));
    // The output's name is taken by a folder.
    const QString file = WriteAdminText(dir, "kw.txt", "A00 Cholera\r\n");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("kw.txt-New.txt")));
    EXPECT_EQ(PrepareKeywordFile(file, nullptr).Status, TAdminStatus::NotOpened);
}

class KeywordFiles : public testing::Test {
protected:
    void SetUp() override {
        CreateGlobalContainers();
        WriteState(KeywordLoadState, LoadDone);
        FArranged = FDir.filePath(QStringLiteral("arranged.txt"));
        FDistinct = FDir.filePath(QStringLiteral("distinct.txt"));
    }
    QTemporaryDir FDir;
    QString FArranged, FDistinct;
    TMessageRecorder FMessages;
};

TEST_F(KeywordFiles, ArrangeWritesFourKeywordsToALineAndEachDistinctKeywordOnce) {
    const QString original = WriteAdminText(FDir, "original.txt",
                                            "A00 india, hotel, golf, foxtrot, echo\r\n"
                                            "         delta, charlie, bravo, alpha\r\n"
                                            "B01 Cholera, Bravo\r\n"
                                            "B02 CHOLERA\r\n"
                                            "C03\r\n");
    ASSERT_TRUE(ArrangeKeywordFile(original, {}, FArranged, FDistinct));
    EXPECT_EQ(ReadAdminOutput(FArranged),
              (QStringList{QStringLiteral("A00      alpha, bravo, charlie, delta,"),
                           QStringLiteral("         echo, foxtrot, golf, hotel,"),
                           QStringLiteral("         india,"),
                           QStringLiteral("B01      Bravo, Cholera,"),
                           QStringLiteral("B02      CHOLERA,")}));
    // Sorted without regard to case; of bravo and Bravo, cholera and CHOLERA the first met stays.
    EXPECT_EQ(ReadAdminOutput(FDistinct),
              (QStringList{QStringLiteral("alpha"), QStringLiteral("bravo"), QStringLiteral("charlie"),
                           QStringLiteral("Cholera"), QStringLiteral("delta"), QStringLiteral("echo"),
                           QStringLiteral("foxtrot"), QStringLiteral("golf"), QStringLiteral("hotel"),
                           QStringLiteral("india")}));
    // The program's keywords are now those of the file.
    ASSERT_EQ(CodeKeywordsList->size(), 3u);
    EXPECT_EQ(ReadState(KeywordLoadState), LoadDone);
}

TEST_F(KeywordFiles, ArrangeReloadsWithTheChosenOptions) {
    const QString original = WriteAdminText(FDir, "original.txt",
                                            "A00 cholera, vibrio cholerae\r\n"
                                            "A00.1 x-ray view, single\r\n");
    struct TCase {
        TKeywordLoadOptions Options;
        QStringList Arranged;
    } cases[] = {
        {{false, false, false},
         {QStringLiteral("A00      cholera, vibrio cholerae,"), QStringLiteral("A00.1    single, x-ray view,")}},
        {{true, false, false}, {QStringLiteral("A00      cholera, single, vibrio cholerae, x-ray view,")}},
        {{false, true, false},
         {QStringLiteral("A00      vibrio cholerae,"), QStringLiteral("A00.1    x-ray view,")}},
        {{true, false, true}, {QStringLiteral("A00      Cholera, Single, Vibrio Cholerae, X-Ray View,")}},
    };
    for (const TCase& c : cases) {
        ASSERT_TRUE(ArrangeKeywordFile(original, c.Options, FArranged, FDistinct));
        EXPECT_EQ(ReadAdminOutput(FArranged), c.Arranged)
            << c.Options.CategoryOnly << c.Options.MultiWordOnly << c.Options.Capitalize;
    }
}

TEST_F(KeywordFiles, AReloadWaitsForTheStartUpLoaderToFinish) {
    const QString original = WriteAdminText(FDir, "original.txt", "A00 cholera\r\n");
    WriteState(KeywordLoadState, LoadRunning);
    std::atomic<bool> finished{false};
    std::thread loader([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        // What the start-up loader leaves behind, replaced by the reload once it is done.
        CodeKeywordsList->clear();
        finished = true;
        WriteState(KeywordLoadState, LoadDone);
    });
    const TAdminOutcome outcome = ReloadCodeKeywords(original, {});
    const bool waited = finished;
    loader.join();
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(waited);
    ASSERT_EQ(CodeKeywordsList->size(), 1u);
    EXPECT_EQ(CodeKeywordsList->front()->FCode, QStringLiteral("A00"));
    EXPECT_EQ(ReadState(KeywordLoadState), LoadDone);
}

// A sink like the windows' own: a message raised on another thread waits until the window
// thread serves it; one raised on the window thread itself is shown at once.
class TWindowLikeSink {
public:
    explicit TWindowLikeSink(std::thread::id AWindowThread) : FWindowThread(AWindowThread) {}
    void Deliver(const QString& AText) {
        std::unique_lock lock(FMutex);
        if (std::this_thread::get_id() == FWindowThread) {
            FShown << AText;
            return;
        }
        FPending.push_back(AText);
        FChanged.notify_all();
        FChanged.wait(lock, [&] { return std::find(FPending.begin(), FPending.end(), AText) == FPending.end(); });
    }
    void Serve() {
        std::lock_guard lock(FMutex);
        while (!FPending.empty()) {
            FShown << FPending.front();
            FPending.pop_front();
        }
        FChanged.notify_all();
    }
    void WaitForPending() {
        std::unique_lock lock(FMutex);
        FChanged.wait(lock, [&] { return !FPending.empty(); });
    }
    QStringList Shown() {
        std::lock_guard lock(FMutex);
        return FShown;
    }

private:
    std::thread::id FWindowThread;
    std::mutex FMutex;
    std::condition_variable FChanged;
    std::deque<QString> FPending;
    QStringList FShown;
};

TEST_F(KeywordFiles, ArrangeReportsBadLinesWhileALoaderWaitsForItsOwnMessage) {
    const QString original = WriteAdminText(FDir, "original.txt", "         no code yet,\r\nA00 cholera\r\n");
    // The window thread runs Arrange; a loader thread meanwhile waits for its message to be shown
    // by that thread. Arrange's own message must reach the window at once, or each side waits
    // for the other for ever: bounded here, so that a deadlock fails instead of hanging.
    std::promise<std::thread::id> windowThread;
    std::shared_future<std::thread::id> windowId = windowThread.get_future().share();
    std::unique_ptr<TWindowLikeSink> sink;
    std::promise<void> loaderIsWaiting;
    std::thread loader;
    auto window = std::async(std::launch::async, [&] {
        windowThread.set_value(std::this_thread::get_id());
        loaderIsWaiting.get_future().wait();
        const TAdminOutcome outcome = ArrangeKeywordFile(original, {}, FArranged, FDistinct);
        sink->Serve(); // the window's event loop, once Arrange returns
        return outcome;
    });
    sink = std::make_unique<TWindowLikeSink>(windowId.get());
    SetLoaderMessageSink([&](const QString& AText) { sink->Deliver(AText); });
    loader = std::thread([] { ShowLoaderMessage(QStringLiteral("Undealed code node: held")); });
    sink->WaitForPending();
    loaderIsWaiting.set_value();
    if (window.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        std::fprintf(stderr, "Arrange and a waiting loader deadlocked on the loader messages\n");
        std::_Exit(1);
    }
    loader.join();
    SetLoaderMessageSink({});
    EXPECT_TRUE(window.get());
    EXPECT_EQ(sink->Shown(),
              (QStringList{QStringLiteral("Invalid line 1 (no code definition):          no code yet,"),
                           QStringLiteral("Undealed code node: held")}));
}

// Categories cache their keyword entry on the first keyword match. When the tabular load ended
// in a failure or a stop, a reload of the keywords must still keep them from using the freed
// entries of the old list.
TEST_F(KeywordFiles, AReloadAfterAnUnfinishedTabularLoadLeavesNoCategoryOnFreedKeywords) {
    const std::string firstChapter =
        "<chapter><desc>C (A00-A09)</desc><section><desc>S (A00-A09)</desc>"
        "<diag><name>A00</name><desc>Cholera</desc></diag></section>";
    const struct {
        const char* Name;
        std::string Document;
        int State;
    } cases[] = {
        // A row value that is no number fails the load after A00 was kept.
        {"failed",
         TabularDocument(firstChapter + "<section><desc>T</desc><diag><name>A01</name><desc>x</desc>"
                                        "<visualImpairment><visCategory><value>many</value></visCategory>"
                                        "</visualImpairment></diag></section></chapter>"),
         LoadFailed},
        // An unknown element whose message stops the loaders, as closing the program does.
        {"stopped", TabularDocument(firstChapter + "<unknownElement/></chapter>"), LoadStopRequested},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        PutDataSet(TDataSet::Tabular, c.Document);
        SetLoaderMessageSink(c.State == LoadFailed ? TMessageSink([](const QString&) {})
                                                   : TMessageSink([](const QString&) { StopLoaders(); }));
        WriteState(TabularLoadState, LoadNotStarted);
        LoadTabular();
        SetLoaderMessageSink({});
        ASSERT_EQ(ReadState(TabularLoadState), c.State);
        ASSERT_FALSE(ChapterList->empty());
        TCodeInfo& a00 = *ChapterList->front()->FSubList.front()->FCodeList.front();
        ASSERT_EQ(a00.FCode, QStringLiteral("A00"));

        ASSERT_TRUE(ReloadCodeKeywords(WriteAdminText(FDir, "first.txt", "A00 cholera, vibrio\r\n"), {}));
        EXPECT_TRUE(MatchKeywords(a00, {QStringLiteral("CHOLERA")}));
        ASSERT_TRUE(ReloadCodeKeywords(WriteAdminText(FDir, "second.txt", "A00 typhoid\r\n"), {}));
        EXPECT_TRUE(MatchKeywords(a00, {QStringLiteral("TYPHOID")}));
        EXPECT_FALSE(MatchKeywords(a00, {QStringLiteral("CHOLERA")}));
    }
    WriteState(TabularLoadState, LoadNotStarted);
}

TEST_F(KeywordFiles, AReloadWithoutItsFileKeepsTheLoadedKeywords) {
    const QString original = WriteAdminText(FDir, "original.txt", "A00 cholera\r\n");
    ASSERT_TRUE(ReloadCodeKeywords(original, {}));
    const TAdminOutcome outcome =
        ArrangeKeywordFile(FDir.filePath(QStringLiteral("none.txt")), {}, FArranged, FDistinct);
    EXPECT_EQ(outcome.Status, TAdminStatus::NotOpened);
    ASSERT_EQ(CodeKeywordsList->size(), 1u);
    EXPECT_EQ(CodeKeywordsList->front()->FKeywords, QStringList{QStringLiteral("cholera")});
    EXPECT_FALSE(QFile::exists(FArranged));
    EXPECT_FALSE(QFile::exists(FDistinct));
}

TEST_F(KeywordFiles, ArrangeWritesNeitherFileWhenOneCannotBeCreated) {
    const QString original = WriteAdminText(FDir, "original.txt", "A00 cholera\r\n");
    const TAdminOutcome outcome =
        ArrangeKeywordFile(original, {}, FArranged, FDir.filePath(QStringLiteral("no/dir/d.txt")));
    EXPECT_EQ(outcome.Status, TAdminStatus::NotOpened);
    EXPECT_FALSE(QFile::exists(FArranged));
}

TEST_F(KeywordFiles, ExtractListsTheCodesOfEveryDistinctKeywordFiveToALine) {
    QByteArray arranged;
    for (int i = 1; i <= 7; ++i)
        arranged += QStringLiteral("A0%1      Fever, Other %1,\r\n").arg(i).toUtf8();
    arranged += "B10      X-Ray,\r\n";
    arranged += "B11      x ray,\r\n";
    const QString file = WriteAdminText(FDir, "arranged.txt", arranged);
    const QString distinct = WriteAdminText(FDir, "distinct.txt", "Fever\r\nNowhere\r\nX-ray\r\nOther 3\r\n");
    ASSERT_TRUE(ExtractKeywordsForVerify(file, distinct, false));
    EXPECT_EQ(ReadAdminOutput(VerifyFileName(file)),
              (QStringList{QStringLiteral("Fever"),
                           kNine + QStringLiteral("A01, A02, A03, A04, A05"),
                           kNine + QStringLiteral("A06, A07"),
                           QStringLiteral("Nowhere"),
                           QStringLiteral("X-ray"),
                           kNine + QStringLiteral("B10, B11"),
                           QStringLiteral("Other 3"),
                           kNine + QStringLiteral("A03")}));
    EXPECT_EQ(VerifyFileName(file), file + QStringLiteral("-Verify.txt"));
}

TEST_F(KeywordFiles, ExtractFindsWhatTheKeywordMatchFinds) {
    // The review lists exactly the entries for which ContainsKeyword holds.
    const QString file = WriteAdminText(FDir, "arranged.txt",
                                        "A01      Skin-Graft, Fever,\r\n"
                                        "A02      skin graft,\r\n"
                                        "A03      Skingraft, fever of,\r\n");
    const QStringList keywords = {QStringLiteral("skin graft"), QStringLiteral("SKIN-GRAFT"),
                                  QStringLiteral("skingraft"), QStringLiteral("fever"),
                                  QStringLiteral("Fever Of")};
    ASSERT_TRUE(ReloadCodeKeywords(file, {}));
    const QStringList lines = KeywordVerifyLines(*CodeKeywordsList, keywords);
    QStringList expected;
    for (const QString& keyword : keywords) {
        expected << keyword;
        QStringList codes;
        for (const auto& entry : *CodeKeywordsList)
            if (ContainsKeyword(entry.get(), keyword.toUpper()))
                codes << entry->FCode;
        if (!codes.isEmpty())
            expected << kNine + codes.join(QStringLiteral(", "));
    }
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(lines.value(1), kNine + QStringLiteral("A01, A02"));
}

TEST_F(KeywordFiles, ExtractWritesNothingWithoutTheDistinctFile) {
    const QString file = WriteAdminText(FDir, "arranged.txt", "A01      Fever,\r\n");
    EXPECT_EQ(ExtractKeywordsForVerify(file, FDir.filePath(QStringLiteral("none.txt")), false).Status,
              TAdminStatus::NotOpened);
    EXPECT_FALSE(QFile::exists(VerifyFileName(file)));
}

} // namespace
