// The administrator operations on the official files: the order-file derivation on the FY2020
// and FY2023 order files, the statistics with their order file on the embedded FY2023 data
// sets, and the compression of the official XML files. Skipped when the files, or the embedded
// official data, are absent.
#include "AdminTestFiles.h"
#include "BuildConfig.h"
#include "Compression.h"
#include "DataEngine.h"
#include "EngineGlobals.h"
#include "OrderFile.h"
#include "Statistics.h"
#include "TestSupport.h"
#include "ZipResources.h"

#include <QDir>
#include <QSet>

#include <gtest/gtest.h>

#include <iostream>

namespace {

const QString kDataDir = QStringLiteral(TABULON_TEST_DATA_DIR);

// The order file of AYear: in the data folder, or in its sibling folder of that edition.
QString OfficialOrderFile(const char* AYear) {
    const QString name = QStringLiteral("icd10cm_order_%1.txt").arg(QLatin1String(AYear));
    for (const QString& folder : {kDataDir, kDataDir + QStringLiteral("/../icd10cm-%1").arg(QLatin1String(AYear))})
        if (QFile::exists(folder + QLatin1Char('/') + name))
            return QDir::cleanPath(folder + QLatin1Char('/') + name);
    return {};
}

struct TEditionCase {
    const char* Year;
    int Total;
    int Valid;
};

TEST(OrderFileRealData, DerivesTheFilesOfEachEdition) {
    const TEditionCase cases[] = {{"2020", 94765, 72184}, {"2023", 96745, 73639}};
    int ran = 0;
    for (const TEditionCase& c : cases) {
        const QString order = OfficialOrderFile(c.Year);
        if (order.isEmpty())
            continue;
        ++ran;
        QTemporaryDir dir;
        QStringList outs;
        for (const char* name : {"s", "l", "sf", "lf", "c", "cl"})
            outs << dir.filePath(QLatin1String(name));
        TOrderFileCounts counts;
        ASSERT_TRUE(StatisticsOrderFile(order, outs[0], outs[1], outs[2], outs[3], outs[4], outs[5], &counts));
        EXPECT_EQ(OrderFileSummary(counts),
                  QStringLiteral("Total: %1, Valide Code: %2").arg(c.Total).arg(c.Valid)) << c.Year;
        const QStringList all = ReadAdminOutput(outs[0]);
        const QStringList codes = ReadAdminOutput(outs[4]);
        EXPECT_EQ(all.size(), c.Total);
        EXPECT_EQ(codes.size(), c.Valid);
        EXPECT_EQ(ReadAdminOutput(outs[5]).size(), c.Valid);
        EXPECT_TRUE(codes.contains(QStringLiteral("A00.0     Cholera due to Vibrio cholerae 01, biovar cholerae"))) << c.Year;
        EXPECT_TRUE(codes.contains(QStringLiteral("A01.00    Typhoid fever, unspecified"))) << c.Year;
        EXPECT_TRUE(ReadAdminOutput(outs[1]).contains(QStringLiteral("A01.00   Typhoid fever, unspecified")));
        EXPECT_EQ(all.front(), QStringLiteral("A00       Cholera"));
    }
    if (ran == 0)
        GTEST_SKIP() << "no official order file in " << kDataDir.toStdString();
}

TEST(StatisticsRealData, ItsOrderFileListsTheReportableCodesAndEveryNode) {
    if (!TABULON_EMBEDS_OFFICIAL_DATA)
        GTEST_SKIP() << "this build embeds the sample data set, not the official files";
    const QString order = OfficialOrderFile(TABULON_DATA_YEAR);
    if (order.isEmpty())
        GTEST_SKIP() << "no official order file in " << kDataDir.toStdString();
    QTemporaryDir root;
    qputenv("ProgramData", root.path().toUtf8());
    qputenv("AppData", root.path().toUtf8());
    TMessageRecorder messages;
    InitDataEngine(); // no wait: the operation waits for each data set itself
    const QString file = root.filePath(QStringLiteral("My_Order_WithFlag.txt"));
    QStringList memo;
    ASSERT_TRUE(Statistics(true, file, memo));
    WaitForLoaders();
    ASSERT_EQ(memo.size(), 2);
    std::cout << "Memo1 of the statistics on the " << TABULON_DATA_YEAR << " data sets:\n"
              << memo[0].toStdString() << '\n' << memo[1].toStdString() << std::endl;

    QHash<QString, QString> valid, all;
    ASSERT_TRUE(ReadOrderFileCodes(order, true, valid));
    ASSERT_TRUE(ReadOrderFileCodes(order, false, all));
    QSet<QString> expectedCodes, expectedNodes;
    for (auto it = all.cbegin(); it != all.cend(); ++it)
        (valid.contains(it.key()) ? expectedCodes : expectedNodes).insert(it.key());

    QSet<QString> codes, nodes;
    int lines = 0;
    for (const QString& line : ReadAdminOutput(file)) {
        ++lines;
        const QString code = line.left(9).trimmed();
        ASSERT_GE(line.size(), 11) << line.toStdString();
        (line[9] == QLatin1Char('1') ? codes : nodes).insert(code);
    }
    EXPECT_EQ(lines, codes.size() + nodes.size()); // no code twice
    EXPECT_EQ(codes, expectedCodes);
    EXPECT_EQ(nodes, expectedNodes);
    // The counts by length add up to the reportable codes written.
    EXPECT_TRUE(memo[1].endsWith(QStringLiteral("total: %1").arg(expectedCodes.size())))
        << memo[1].toStdString();
}

TEST(ZipResourceFilesRealData, TheOfficialFilesInflateBackByteForByte) {
    const QString year = QStringLiteral(TABULON_DATA_YEAR);
    const QStringList names = ResourceSourceFiles(year);
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    // The five XML files as published; the three text data sets are derived in the build, so
    // small stand-ins take their place here.
    for (const QString& name : names) {
        const QString official = kDataDir + QLatin1Char('/') + name;
        if (name.endsWith(QLatin1String(".xml"))) {
            if (!QFile::exists(official))
                GTEST_SKIP() << "no " << official.toStdString();
            ASSERT_TRUE(QFile::link(official, folder + name));
        } else {
            WriteAdminText(dir, name.toUtf8().constData(), name.toUtf8() + "\r\n");
        }
    }
    QStringList written;
    ASSERT_TRUE(ZipResourceFiles(folder, year, &written));
    ASSERT_EQ(written.size(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        const QByteArray source = ReadAdminBytes(folder + names[i]);
        const QByteArray stream = ReadAdminBytes(written[i]);
        ASSERT_FALSE(source.isEmpty()) << names[i].toStdString();
        EXPECT_TRUE(stream.startsWith("\x78\xDA")) << written[i].toStdString();
        if (names[i].endsWith(QLatin1String(".xml"))) { // megabytes of XML shrink to a tenth or so
            EXPECT_LT(stream.size() * 5, source.size()) << written[i].toStdString();
        }
        EXPECT_TRUE(InflateZlib(std::span(reinterpret_cast<const std::uint8_t*>(stream.constData()),
                                          static_cast<std::size_t>(stream.size()))) ==
                    source.toStdString())
            << written[i].toStdString();
    }
}

} // namespace
