// The output files of the administrator operations: UTF-8 without a byte-order mark, CR LF,
// created anew; a write that fails half-way is reported and leaves no truncated file behind.
#include "AdminTestFiles.h"
#include "OrderFile.h"

#include <QDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

// Limits the size of every file this process writes, as a full disk would; restores the limit
// when it goes.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t ABytes) {
        getrlimit(RLIMIT_FSIZE, &FOld);
        FOldHandler = std::signal(SIGXFSZ, SIG_IGN); // a failing write, not a killed process
        rlimit limit = FOld;
        limit.rlim_cur = ABytes;
        FSet = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldHandler);
    }
    bool Set() const { return FSet; }

private:
    rlimit FOld{};
    void (*FOldHandler)(int) = nullptr;
    bool FSet = false;
};

TEST(AdminOutput, WritesUtf8LinesEndedByCrLfAndReplacesTheFile) {
    QTemporaryDir dir;
    const QString file = WriteAdminText(dir, "out.txt", "an older, longer text\r\nwith two lines\r\n");
    ASSERT_TRUE(WriteAdminLines(file, {QStringLiteral("S\u00E9zary"), QString(), QStringLiteral("end")}));
    EXPECT_EQ(ReadAdminBytes(file), QByteArray("S\xC3\xA9zary\r\n\r\nend\r\n"));
}

TEST(AdminOutput, AFailedWriteIsReportedAndLeavesTheOldFile) {
    QTemporaryDir dir;
    const QString file = WriteAdminText(dir, "out.txt", "old\r\n");
    const QStringList lines(5000, QStringLiteral("a line of the derived file that is long enough"));
    {
        TFileSizeLimit limit(16 * 1024);
        ASSERT_TRUE(limit.Set());
        const TAdminOutcome outcome = WriteAdminLines(file, lines);
        EXPECT_EQ(outcome.Status, TAdminStatus::Failed);
        EXPECT_FALSE(outcome.Error.isEmpty());
    }
    EXPECT_EQ(ReadAdminBytes(file), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.txt")});
}

TEST(AdminOutput, AnOrderFileDerivationThatCannotWriteReportsFailure) {
    QTemporaryDir dir;
    QByteArray order;
    for (int i = 0; i < 2000; ++i)
        order += QStringLiteral("%1 A%2     1 %3 %3\r\n")
                     .arg(i, 5, 10, QLatin1Char('0'))
                     .arg(i % 100, 2, 10, QLatin1Char('0'))
                     .arg(QStringLiteral("Some description"), -60)
                     .toUtf8();
    const QString input = WriteAdminText(dir, "order.txt", order);
    QStringList outs;
    for (const char* name : {"s", "l", "sf", "lf", "c", "cl"})
        outs << dir.filePath(QLatin1String(name));
    TOrderFileCounts counts;
    TAdminOutcome outcome;
    {
        TFileSizeLimit limit(64 * 1024);
        ASSERT_TRUE(limit.Set());
        outcome = StatisticsOrderFile(input, outs[0], outs[1], outs[2], outs[3], outs[4], outs[5], &counts);
    }
    EXPECT_EQ(outcome.Status, TAdminStatus::Failed);
    EXPECT_EQ(counts.Total, 0); // no counts are reported for output that was not written
    for (const QString& out : outs)
        EXPECT_FALSE(QFile::exists(out)) << out.toStdString();
}

} // namespace
