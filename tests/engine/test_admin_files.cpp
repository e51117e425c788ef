// The output files of the administrator operations: UTF-8 without a byte-order mark, CR LF,
// created anew; a write that fails half-way is reported and leaves no truncated file behind, and
// an input that opens but cannot be read is a failure, never an empty input.
#include "AdminTestFiles.h"
#include "Compression.h"
#include "EngineGlobals.h"
#include "KeywordReload.h"
#include "KeywordVerify.h"
#include "OrderFile.h"
#include "PrepareKeywordFile.h"
#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <random>
#include <sys/resource.h>

namespace {

TEST(AdminOutput, WritesUtf8LinesEndedByCrLfAndReplacesTheFile) {
    QTemporaryDir dir;
    const QString file = WriteAdminText(dir, "out.txt", "an older, longer text\r\nwith two lines\r\n");
    ASSERT_TRUE(WriteAdminLines(file, {QStringLiteral("S\u00E9zary"), QString(), QStringLiteral("end")}));
    EXPECT_EQ(ReadAdminBytes(file), QByteArray("S\xC3\xA9zary\r\n\r\nend\r\n"));
}

TEST(AdminOutput, AFailedWriteIsReportedAndLeavesTheOldFile) {
    QTemporaryDir dir;
    const QString file = WriteAdminText(dir, "out.txt", "old\r\n");
    // Far more than the device buffers, and (found by the full-disk tests of the settings and
    // account files) less than it buffers, so that the failing write happens only when the
    // buffer is emptied at the commit.
    for (const int count : {5000, 200}) {
        SCOPED_TRACE(count);
        const QStringList lines(count, QStringLiteral("a line of the derived file that is long enough"));
        {
            TFileSizeLimit limit(4 * 1024);
            ASSERT_TRUE(limit.Set());
            const TAdminOutcome outcome = WriteAdminLines(file, lines);
            EXPECT_EQ(outcome.Status, TAdminStatus::Failed);
            EXPECT_FALSE(outcome.Error.isEmpty());
        }
        EXPECT_EQ(ReadAdminBytes(file), QByteArray("old\r\n"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.txt")});
    }
}

// A file that opens but cannot be read: the process's own memory, whose first page is never
// mapped, answers every read with an I/O error.
const QString kUnreadable = QStringLiteral("/proc/self/mem");

TEST(AdminInput, AReadErrorAfterOpeningIsAFailureNotAnEmptyFile) {
    TAdminOutcome outcome;
    EXPECT_FALSE(ReadAdminLines(kUnreadable, outcome).has_value());
    EXPECT_EQ(outcome.Status, TAdminStatus::Failed);
    EXPECT_TRUE(outcome.Error.contains(kUnreadable)) << outcome.Error.toStdString();

    QTemporaryDir dir;
    QStringList outs;
    for (const char* name : {"s", "l", "sf", "lf", "c", "cl"})
        outs << dir.filePath(QLatin1String(name));
    TOrderFileCounts counts;
    const TAdminOutcome derived =
        StatisticsOrderFile(kUnreadable, outs[0], outs[1], outs[2], outs[3], outs[4], outs[5], &counts);
    EXPECT_EQ(derived.Status, TAdminStatus::Failed);
    EXPECT_EQ(counts.Total, 0);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    const QString dest = dir.filePath(QStringLiteral("x.dzip"));
    QString error;
    EXPECT_FALSE(CompressFile(kUnreadable, dest, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dest));
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

// Every operation that writes a file, stopped by a full disk part-way through its output: each
// reports the failure and leaves no file (or the earlier file) under the output's name.
TEST(AdminOutput, EveryOperationReportsAWriteThatFailsPartWay) {
    CreateGlobalContainers();
    WriteState(KeywordLoadState, LoadDone);
    QTemporaryDir dir;
    QByteArray keywords, distinct;
    for (int i = 0; i < 400; ++i) {
        keywords += QStringLiteral("A%1.%2 keyword number %3, another keyword, a third one\r\n")
                        .arg(i / 10, 2, 10, QLatin1Char('0'))
                        .arg(i % 10)
                        .arg(i)
                        .toUtf8();
        distinct += QStringLiteral("keyword number %1\r\n").arg(i).toUtf8();
    }
    distinct += "another keyword\r\n";
    const QString original = WriteAdminText(dir, "original.txt", keywords);
    const QString distinctFile = WriteAdminText(dir, "distinct.txt", distinct);
    std::mt19937 random(7);
    QByteArray noise(64 * 1024, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random() & 0xFF); // does not compress below the limit
    const QString source = WriteAdminText(dir, "source.bin", noise);
    const QString arranged = dir.filePath(QStringLiteral("arranged.txt"));
    const QString older = WriteAdminText(dir, "older.txt", "older\r\n");

    struct TCase {
        const char* Name;
        std::function<TAdminOutcome()> Run;
        QStringList Outputs; // none of them may exist afterwards
    } cases[] = {
        // A line longer than the device's buffer goes straight to the file and is cut short.
        {"one long line",
         [&] { return WriteAdminLines(dir.filePath(QStringLiteral("long.txt")), {QString(64 * 1024, QLatin1Char('x'))}); },
         {dir.filePath(QStringLiteral("long.txt"))}},
        {"prepare", [&] { return PrepareKeywordFile(original, nullptr); },
         {PreparedKeywordFileName(original)}},
        {"arrange", [&] { return ArrangeKeywordFile(original, {}, arranged, dir.filePath(QStringLiteral("d.txt"))); },
         {arranged, dir.filePath(QStringLiteral("d.txt"))}},
        {"compress",
         [&] {
             QString error;
             return CompressFile(source, dir.filePath(QStringLiteral("s.dzip")), &error)
                        ? TAdminOutcome{}
                        : TAdminOutcome::Failed(error);
         },
         {dir.filePath(QStringLiteral("s.dzip"))}},
    };
    for (const TCase& c : cases) {
        TAdminOutcome outcome;
        {
            TFileSizeLimit limit(4 * 1024);
            ASSERT_TRUE(limit.Set());
            outcome = c.Run();
        }
        EXPECT_EQ(outcome.Status, TAdminStatus::Failed) << c.Name;
        EXPECT_FALSE(outcome.Error.isEmpty()) << c.Name;
        for (const QString& output : c.Outputs)
            EXPECT_FALSE(QFile::exists(output)) << c.Name << ' ' << output.toStdString();
    }

    // The review of an arranged file: written in full it is larger than the limit.
    const QString arrangedFull = dir.filePath(QStringLiteral("arranged-full.txt"));
    ASSERT_TRUE(ArrangeKeywordFile(original, {}, arrangedFull, QString()));
    ASSERT_TRUE(QFile::copy(older, VerifyFileName(arrangedFull)));
    TAdminOutcome outcome;
    {
        TFileSizeLimit limit(4 * 1024);
        ASSERT_TRUE(limit.Set());
        outcome = ExtractKeywordsForVerify(arrangedFull, distinctFile, false);
    }
    EXPECT_EQ(outcome.Status, TAdminStatus::Failed);
    EXPECT_EQ(ReadAdminBytes(VerifyFileName(arrangedFull)), QByteArray("older\r\n"));
}

} // namespace
