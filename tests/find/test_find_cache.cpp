// Keeping the find index between runs: reuse, a stale key, damaged files, a folder that cannot
// be written, and two programs building at once.
#include "Compression.h"
#include "Edition.h"
#include "EngineGlobals.h"
#include "FindCache.h"
#include "ReleaseFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace {

std::vector<TFindDocument> Documents() {
    TFindDocument document;
    document.Code = QStringLiteral("A00.9");
    document.Description = QStringLiteral("Cholera, unspecified");
    document.CategoryCode = QStringLiteral("A00");
    document.CategoryTitle = QStringLiteral("Cholera");
    document.GroupKey = document.Code;
    document.Reportable = true;
    document.Texts.push_back({document.Description, FindWeightDescription, {document.Description}});
    return {document};
}

class FindCacheTest : public testing::Test {
protected:
    // Opens or builds with a source that counts its calls, collecting the messages.
    TFindIndexOutcome Open(const QString& AKey, const QString& AFolder = QString()) {
        const TFindDocumentSource source = [this]() -> std::optional<std::vector<TFindDocument>> {
            ++FBuilds;
            return Documents();
        };
        return OpenOrBuildFindIndex(AFolder.isEmpty() ? Folder() : AFolder, AKey, source,
                                    [this](const QString& AMessage) {
                                        const std::lock_guard<std::mutex> lock(FMessageLock);
                                        FMessages << AMessage;
                                    });
    }
    QString Folder() const { return FRoot.path() + QStringLiteral("/cache/tabulon/find"); }
    QStringList Entries() const {
        return QDir(Folder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                        QDir::Name);
    }
    static bool Finds(const TFindIndexOutcome& AOutcome) {
        return AOutcome.Index &&
               AOutcome.Index->Find(QStringLiteral("cholera"), 5).Hits.value(0).Code ==
                   QStringLiteral("A00.9");
    }

    QTemporaryDir FRoot;
    std::atomic<int> FBuilds{0};
    std::mutex FMessageLock;
    QStringList FMessages;
};

TEST_F(FindCacheTest, BuildsOnceThenReusesWithoutTheData) {
    const TFindIndexOutcome first = Open(QStringLiteral("2023-aaa"));
    EXPECT_EQ(first.Origin, TFindIndexOrigin::Built);
    EXPECT_TRUE(Finds(first));
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("index-2023-aaa")});

    const TFindIndexOutcome second = Open(QStringLiteral("2023-aaa"));
    EXPECT_EQ(second.Origin, TFindIndexOrigin::Reused);
    EXPECT_TRUE(Finds(second));
    EXPECT_EQ(FBuilds, 1);
    EXPECT_TRUE(FMessages.isEmpty()) << FMessages.join(QLatin1Char('\n')).toStdString();
}

TEST_F(FindCacheTest, AnIndexOfAnotherEditionOrDataIsReplaced) {
    Open(QStringLiteral("2022-old"));
    const TFindIndexOutcome fresh = Open(QStringLiteral("2023-new"));
    EXPECT_EQ(fresh.Origin, TFindIndexOrigin::Built);
    EXPECT_TRUE(Finds(fresh));
    EXPECT_EQ(FBuilds, 2);
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("index-2023-new")});

    // A folder named for the key whose stamp says otherwise is stale too.
    QDir(Folder()).rename(QStringLiteral("index-2023-new"), QStringLiteral("index-2023-other"));
    const TFindIndexOutcome renamed = Open(QStringLiteral("2023-other"));
    EXPECT_EQ(renamed.Origin, TFindIndexOrigin::Built);
    EXPECT_TRUE(Finds(renamed));
    EXPECT_EQ(FMessages.size(), 1);
}

TEST_F(FindCacheTest, DamagedFilesAreDiscardedAndTheIndexBuiltAgain) {
    enum class TDamage { Truncate, Garbage, Empty, Remove };
    for (const TDamage damage : {TDamage::Truncate, TDamage::Garbage, TDamage::Empty, TDamage::Remove}) {
        SCOPED_TRACE(static_cast<int>(damage));
        ASSERT_TRUE(Open(QStringLiteral("2023-k")).Index);
        const QString entry = Folder() + QStringLiteral("/index-2023-k");
        QDirIterator files(entry, QDir::Files, QDirIterator::Subdirectories);
        int damaged = 0;
        while (files.hasNext()) {
            QFile file(files.next());
            ++damaged;
            switch (damage) {
            case TDamage::Truncate:
                ASSERT_TRUE(file.resize(file.size() / 2));
                break;
            case TDamage::Garbage: {
                ASSERT_TRUE(file.open(QIODevice::ReadWrite));
                file.write(QByteArray(static_cast<int>(file.size()), '\x5a'));
                break;
            }
            case TDamage::Empty:
                ASSERT_TRUE(file.resize(0));
                break;
            case TDamage::Remove:
                ASSERT_TRUE(file.remove());
                break;
            }
        }
        ASSERT_GT(damaged, 0);
        FMessages.clear();
        const int builds = FBuilds;
        const TFindIndexOutcome again = Open(QStringLiteral("2023-k"));
        EXPECT_EQ(again.Origin, TFindIndexOrigin::Built);
        EXPECT_TRUE(Finds(again));
        EXPECT_EQ(FBuilds, builds + 1);
        EXPECT_EQ(FMessages.size(), 1);
        // And the rebuilt index is whole: the next start reuses it.
        EXPECT_EQ(Open(QStringLiteral("2023-k")).Origin, TFindIndexOrigin::Reused);
    }
}

TEST_F(FindCacheTest, AFolderThatCannotBeWrittenGivesAnIndexInMemory) {
    // A file where the cache folder should be: no folder can be made there (the tests may run as
    // root, for whom permission bits alone would not stop a write).
    QFile blocker(FRoot.path() + QStringLiteral("/blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const TFindIndexOutcome outcome = Open(QStringLiteral("2023-k"), blocker.fileName() + QStringLiteral("/find"));
    EXPECT_EQ(outcome.Origin, TFindIndexOrigin::InMemory);
    EXPECT_TRUE(Finds(outcome));
    ASSERT_EQ(FMessages.size(), 1);
    EXPECT_TRUE(FMessages[0].contains(QLatin1String("held in memory"))) << FMessages[0].toStdString();
}

TEST_F(FindCacheTest, NoSourceMeansNoIndex) {
    const TFindIndexOutcome outcome = OpenOrBuildFindIndex(
        Folder(), QStringLiteral("2023-k"), [] { return std::optional<std::vector<TFindDocument>>(); },
        [](const QString&) {});
    EXPECT_EQ(outcome.Origin, TFindIndexOrigin::Failed);
    EXPECT_FALSE(outcome.Index);
    EXPECT_FALSE(QFileInfo::exists(Folder() + QStringLiteral("/index-2023-k")));
}

TEST_F(FindCacheTest, TwoProgramsBuildingAtOnceLeaveOneWholeIndex) {
    for (int round = 0; round < 3; ++round) {
        const QString key = QStringLiteral("2023-r%1").arg(round);
        std::vector<std::thread> programs;
        std::atomic<int> good{0};
        for (int i = 0; i < 4; ++i)
            programs.emplace_back([&] {
                const TFindIndexOutcome outcome = Open(key);
                if (outcome.Origin != TFindIndexOrigin::InMemory && Finds(outcome))
                    ++good;
            });
        for (std::thread& program : programs)
            program.join();
        EXPECT_EQ(good, 4);
        EXPECT_EQ(Entries(), QStringList{QStringLiteral("index-") + key});
        EXPECT_EQ(Open(key).Origin, TFindIndexOrigin::Reused);
    }
}

// The cached index is kept per edition: an edition file with the embedded bytes may reuse the
// embedded edition's index, one whose data or year differ may not.
TEST(FindIndexKeyOfTheEdition, ChangesWithTheEditionsBytesAndYear) {
    UseEmbeddedEdition();
    const QString embedded = FindIndexKey();
    QTemporaryDir dir;
    const auto keyOf = [&dir](const TEditionContents& AContents) {
        const QString file = dir.filePath(QStringLiteral("e.edition"));
        EXPECT_TRUE(WriteBytes(file, EditionFileBytes(AContents)));
        QString error;
        EXPECT_TRUE(UseEditionFile(file, error)) << error.toStdString();
        return FindIndexKey();
    };
    const TEditionContents same = EmbeddedContents(ProgramDataYear, QDate(2022, 10, 1));
    EXPECT_EQ(keyOf(same), embedded);

    TEditionContents changed = same;
    const std::string shortDescriptions =
        InflateZlib(changed.DataSets[static_cast<int>(TDataSet::ShortDesc)]) + "Z99.89    Made-up code\r\n";
    changed.DataSets[static_cast<int>(TDataSet::ShortDesc)] = DeflateZlib(
        {reinterpret_cast<const std::uint8_t*>(shortDescriptions.data()), shortDescriptions.size()});
    const QString changedKey = keyOf(changed);
    EXPECT_NE(changedKey, embedded);
    EXPECT_TRUE(changedKey.startsWith(ProgramDataYear + QLatin1Char('-'))) << changedKey.toStdString();

    const QString laterKey = keyOf(EmbeddedContents(QStringLiteral("2031"), QDate(2030, 10, 1)));
    EXPECT_TRUE(laterKey.startsWith(QStringLiteral("2031-"))) << laterKey.toStdString();

    UseEmbeddedEdition();
    EXPECT_EQ(FindIndexKey(), embedded);
}

} // namespace
