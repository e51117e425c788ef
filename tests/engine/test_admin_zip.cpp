// Compressing the data-set sources: one zlib stream per source, beginning 78 DA, that inflates
// back to the source byte for byte; a missing source stops the run with an error.
#include "AdminTestFiles.h"
#include "Compression.h"
#include "ZipResources.h"

#include <gtest/gtest.h>

namespace {

std::string Inflated(const QByteArray& AStream) {
    return InflateZlib(std::span(reinterpret_cast<const std::uint8_t*>(AStream.constData()),
                                 static_cast<std::size_t>(AStream.size())));
}

TEST(ZipResourceFiles, CompressesTheEightSourcesInTheirOrder) {
    EXPECT_EQ(ResourceSourceFiles(QStringLiteral("2020")),
              (QStringList{QStringLiteral("icd10cm_index_2020.xml"), QStringLiteral("icd10cm_eindex_2020.xml"),
                           QStringLiteral("icd10cm_drug_2020.xml"), QStringLiteral("icd10cm_neoplasm_2020.xml"),
                           QStringLiteral("icd10cm_tabular_2020.xml"), QStringLiteral("CodeKeywords2020.txt"),
                           QStringLiteral("SpecialKWs2020.txt"), QStringLiteral("ReportableCodesShort2020.txt")}));
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QList<QByteArray> sources;
    int n = 0;
    for (const QString& name : ResourceSourceFiles(QStringLiteral("2020"))) {
        QByteArray bytes = name.toUtf8() + "\r\n<x>S\xC3\xA9zary</x>\r\n";
        ++n;
        bytes += QByteArray(1000 * n, static_cast<char>('a' + n)); // compressible, and distinct
        bytes += QByteArray("\x00\xff\r\n", 4);
        sources << bytes;
        WriteAdminText(dir, name.toUtf8().constData(), bytes);
    }
    QStringList written;
    ASSERT_TRUE(ZipResourceFiles(folder, QStringLiteral("2020"), &written));
    ASSERT_EQ(written.size(), 8);
    EXPECT_EQ(written.front(), folder + QStringLiteral("icd10cm_index_2020.dzip"));
    EXPECT_EQ(written.back(), folder + QStringLiteral("ReportableCodesShort2020.dzip"));
    for (int i = 0; i < 8; ++i) {
        const QByteArray stream = ReadAdminBytes(written[i]);
        ASSERT_GE(stream.size(), 2) << written[i].toStdString();
        EXPECT_EQ(stream.left(2), QByteArray("\x78\xDA")) << written[i].toStdString();
        EXPECT_EQ(Inflated(stream), sources[i].toStdString()) << written[i].toStdString();
    }
}

TEST(ZipResourceFiles, StopsAtAMissingSourceAndKeepsWhatWasWritten) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QStringList names = ResourceSourceFiles(QStringLiteral("2023"));
    for (int i = 0; i < names.size(); ++i)
        if (i != 2) // no drug table
            WriteAdminText(dir, names[i].toUtf8().constData(), "text");
    QStringList written;
    const TAdminOutcome outcome = ZipResourceFiles(folder, QStringLiteral("2023"), &written);
    EXPECT_EQ(outcome.Status, TAdminStatus::Failed);
    EXPECT_TRUE(outcome.Error.contains(names[2])) << outcome.Error.toStdString();
    EXPECT_EQ(written, (QStringList{folder + QStringLiteral("icd10cm_index_2023.dzip"),
                                    folder + QStringLiteral("icd10cm_eindex_2023.dzip")}));
    EXPECT_TRUE(QFile::exists(written[1]));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("icd10cm_neoplasm_2023.dzip")));
}

} // namespace
