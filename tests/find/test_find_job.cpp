// The find index as loader job 6 on the embedded sample data set: built after the loaders it
// needs, reused at the next start, held in memory when the cache cannot be written, and stopped
// with the other loaders. Also run under ThreadSanitizer.
#include "DataEngine.h"
#include "FindIndexJob.h"
#include "Waiting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

#include <unistd.h>

namespace {

class FindJob : public testing::Test {
protected:
    void SetUp() override {
        qputenv("ProgramData", FRoot.path().toUtf8());
        qputenv("AppData", FRoot.path().toUtf8());
    }
    void TearDown() override { WaitForLoaders(); }
    QString Cache() const { return FRoot.filePath(QStringLiteral("cache")); }
    QTemporaryDir FRoot;
};

TEST_F(FindJob, BuildsOnceAndIsReusedAtTheNextStart) {
    for (const TFindIndexOrigin expected : {TFindIndexOrigin::Built, TFindIndexOrigin::Reused}) {
        InitDataEngine();
        StartFindIndexJob(Cache());
        // A window on another thread waits for the index as for any data set, then searches.
        int hits = 0;
        std::thread window([&] {
            WaitWhileLoading(FindIndexLoadState);
            if (TFindIndex* index = FindIndex())
                hits = static_cast<int>(index->Find(QStringLiteral("typhus"), 5).Hits.size());
        });
        window.join();
        WaitForLoaders();
        EXPECT_EQ(ReadState(FindIndexLoadState), LoadDone);
        EXPECT_EQ(FindIndexOrigin(), expected);
        EXPECT_GT(hits, 0);
    }
}

TEST_F(FindJob, ACacheThatCannotBeWrittenGivesAnIndexInMemory) {
    QFile blocker(FRoot.filePath(QStringLiteral("blocked")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    InitDataEngine();
    testing::internal::CaptureStderr();
    StartFindIndexJob(blocker.fileName() + QStringLiteral("/find"));
    WaitForLoaders();
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("tabulon: the find index cannot be kept in " +
                           blocker.fileName().toStdString() + "/find"),
              std::string::npos)
        << message;
    EXPECT_NE(message.find("held in memory"), std::string::npos) << message;
    EXPECT_EQ(ReadState(FindIndexLoadState), LoadDone);
    EXPECT_EQ(FindIndexOrigin(), TFindIndexOrigin::InMemory);
    ASSERT_TRUE(FindIndex());
    EXPECT_FALSE(FindIndex()->Find(QStringLiteral("cholera"), 5).Hits.isEmpty());
}

TEST_F(FindJob, AReadOnlyCacheFolderGivesAnIndexInMemory) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root; the folder blocked by a file covers it";
    ASSERT_TRUE(QDir().mkpath(Cache()));
    ASSERT_TRUE(QFile::setPermissions(Cache(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    InitDataEngine();
    testing::internal::CaptureStderr();
    StartFindIndexJob(Cache());
    WaitForLoaders();
    const std::string message = testing::internal::GetCapturedStderr();
    QFile::setPermissions(Cache(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_NE(message.find("held in memory"), std::string::npos) << message;
    EXPECT_EQ(FindIndexOrigin(), TFindIndexOrigin::InMemory);
    ASSERT_TRUE(FindIndex());
}

TEST_F(FindJob, StopsWithTheLoaders) {
    InitDataEngine();
    StartFindIndexJob(Cache());
    StopLoaders();
    WaitForLoaders();
    // Asked to stop while building, the job ends stopped without an index; one that was ready
    // before the request keeps it.
    const int state = ReadState(FindIndexLoadState);
    EXPECT_TRUE(state == LoadStopRequested || state == LoadDone) << state;
    EXPECT_EQ(FindIndex() != nullptr, state == LoadDone);
}

} // namespace
