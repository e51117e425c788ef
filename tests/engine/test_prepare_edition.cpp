// Preparing an edition file from the release files as published: the sample release, zipped as
// the two release archives or unpacked in a folder, gives exactly the data sets the build embeds
// from the same files; a release that is incomplete, mixed, unreadable or fails the build's
// checks writes nothing and says why.
#include "EmbeddedResources.h"
#include "PrepareEdition.h"
#include "ReleaseFiles.h"
#include "ReleaseFixture.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(ReleaseNames, AreRecognisedAsPublished) {
    const struct {
        const char* Name;
        std::optional<TReleaseKind> Kind;
        const char* Year;
    } cases[] = {
        {"icd10cm_tabular_2023.xml", TReleaseKind::Tabular, "2023"},
        {"icd10cm_index_2023.xml", TReleaseKind::DiseaseIndex, "2023"},
        {"icd10cm_eindex_2023.xml", TReleaseKind::ExternalIndex, "2023"},
        {"icd10cm_drug_2023.xml", TReleaseKind::Drugs, "2023"},
        {"icd10cm_neoplasm_2023.xml", TReleaseKind::Neoplasms, "2023"},
        {"icd10cm_order_2020.txt", TReleaseKind::Order, "2020"},
        {"icd10cm-order-2023.txt", TReleaseKind::Order, "2023"},     // CDC's spelling
        {"ICD10CM_Tabular_2024.XML", TReleaseKind::Tabular, "2024"}, // case ignored
        {"icd10cm-tabular-April-2024.xml", TReleaseKind::Tabular, "2024"},
        {"icd10cm_order_addenda_2023.txt", std::nullopt, ""},
        {"icd10cm_tabular_2023.pdf", std::nullopt, ""},
        {"icd10cm_order_2023.xml", std::nullopt, ""},
        {"icd10cm_tabular_2023.txt", std::nullopt, ""},
        {"icd10cm_tabular.xsd", std::nullopt, ""},
        {"._icd10cm_tabular_2023.xml", std::nullopt, ""},
        {"icd10cm_codes_2023.txt", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        const std::optional<TReleaseName> name = ClassifyReleaseName(QLatin1String(c.Name));
        ASSERT_EQ(name.has_value(), c.Kind.has_value()) << c.Name;
        if (name) {
            EXPECT_EQ(name->Kind, *c.Kind) << c.Name;
            EXPECT_EQ(name->Year, QLatin1String(c.Year)) << c.Name;
        }
    }
}

std::vector<std::uint8_t> EmbeddedStream(const char* AName) {
    for (const TEmbeddedResource& resource : EmbeddedResources())
        if (QLatin1String(resource.Name) == QLatin1String(AName))
            return {resource.Begin, resource.End};
    return {};
}

class PrepareEditionTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FRoot.isValid());
        QString error;
        ASSERT_TRUE(WriteZippedSampleRelease(FRoot.path(), error)) << error.toStdString();
        FOptions.PluralsStream = EmbeddedStream("SpecialKWs");
        FOptions.PreparedBy = QStringLiteral("a test");
    }
    QString Path(const char* AName) const { return FRoot.filePath(QLatin1String(AName)); }
    bool Prepare(const QStringList& ASources, TPrepareEditionReport& AReport) {
        return PrepareEdition(ASources, Path("out.edition"), FOptions, AReport);
    }

    QTemporaryDir FRoot;
    TPrepareEditionOptions FOptions;
};

TEST_F(PrepareEditionTest, GivesTheDataSetsTheBuildEmbedsFromTheSameFiles) {
    const struct {
        const char* What;
        QStringList Sources;
    } cases[] = {
        {"the two archives", {Path("tables.zip"), Path("order.zip")}},
        {"the unpacked folder", {Path("release")}},
        {"a folder holding the archives", {FRoot.path()}},
    };
    for (const auto& c : cases) {
        QFile::remove(Path("out.edition"));
        TPrepareEditionReport report;
        ASSERT_TRUE(Prepare(c.Sources, report)) << c.What << ": " << report.Problems.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(report.Sources.size(), 6) << c.What;
        EXPECT_EQ(report.OrderCounts.Valid, report.Rules.Reportable) << c.What;
        QString error;
        const std::optional<TEditionContents> edition = LoadEditionFile(Path("out.edition"), error);
        ASSERT_TRUE(edition) << error.toStdString();
        EXPECT_EQ(edition->Facts.Year, QStringLiteral("2023"));
        EXPECT_EQ(edition->Facts.EffectiveDate, QDate(2022, 10, 1));
        EXPECT_EQ(edition->Facts.Sources.size(), 6);
        EXPECT_EQ(report.FileSize, QFile(Path("out.edition")).size());
        for (const TDataSetInfo& info : DataSetTable())
            EXPECT_EQ(edition->DataSets[static_cast<int>(info.Id)], EmbeddedStream(info.ResourceName))
                << c.What << ": " << info.ResourceName;
    }
}

TEST_F(PrepareEditionTest, KeepsAnEffectiveDateGivenToIt) {
    FOptions.EffectiveDate = QDate(2023, 4, 1);
    TPrepareEditionReport report;
    ASSERT_TRUE(Prepare({Path("tables.zip"), Path("order.zip")}, report));
    QString error;
    EXPECT_EQ(LoadEditionFile(Path("out.edition"), error)->Facts.EffectiveDate, QDate(2023, 4, 1));
}

// A release changed before it is prepared: AChange gets the release folder and returns the
// sources to give.
struct TBadReleaseCase {
    const char* What;
    std::function<QStringList(const QString& AFolder, const QString& ARoot)> Change;
    const char* Problem; // contained in one of the problems
};

bool Rewrite(const QString& AFile, const QByteArray& AFrom, const QByteArray& ATo) {
    QByteArray bytes = ReadBytes(AFile);
    if (!bytes.contains(AFrom))
        return false;
    return WriteBytes(AFile, bytes.replace(AFrom, ATo));
}

const QString kTables = QStringLiteral("Table and Index/");

TEST_F(PrepareEditionTest, RefusesAReleaseItCannotTrustAndWritesNothing) {
    const TBadReleaseCase cases[] = {
        {"no order file",
         [](const QString& F, const QString&) {
             QFile::remove(F + QStringLiteral("/icd10cm_order_2023.txt"));
             return QStringList{F};
         },
         "no order file (icd10cm_order_YEAR.txt)"},
        {"two different tabular lists",
         [](const QString& F, const QString& R) {
             QDir(R).mkpath(QStringLiteral("other"));
             QFile::copy(F + QLatin1Char('/') + kTables + QStringLiteral("icd10cm_tabular_2023.xml"),
                         R + QStringLiteral("/other/icd10cm_tabular_2023.xml"));
             Rewrite(R + QStringLiteral("/other/icd10cm_tabular_2023.xml"), "Cholera", "Kolera");
             return QStringList{F, R + QStringLiteral("/other")};
         },
         "two different tabular lists"},
        {"an order file of another year",
         [](const QString& F, const QString&) {
             QFile::rename(F + QStringLiteral("/icd10cm_order_2023.txt"), F + QStringLiteral("/icd10cm_order_2024.txt"));
             return QStringList{F};
         },
         "is of the edition 2024, the tabular list of 2023"},
        {"a tabular list declaring another year",
         [](const QString& F, const QString&) {
             Rewrite(F + QLatin1Char('/') + kTables + QStringLiteral("icd10cm_tabular_2023.xml"),
                     "<version>2023</version>", "<version>2022</version>");
             return QStringList{F};
         },
         "declares the edition 2022"},
        {"an archive that is no zip",
         [](const QString& F, const QString& R) {
             WriteBytes(R + QStringLiteral("/fake.zip"), "PK but not really");
             return QStringList{F, R + QStringLiteral("/fake.zip")};
         },
         "cannot be opened as a zip archive"},
        {"a damaged archive member",
         [](const QString&, const QString& R) {
             QByteArray zip = ReadBytes(R + QStringLiteral("/order.zip"));
             const qsizetype at = zip.size() / 3; // inside the compressed data
             zip[at] = static_cast<char>(zip[at] ^ 0x20);
             WriteBytes(R + QStringLiteral("/order.zip"), zip);
             return QStringList{R + QStringLiteral("/tables.zip"), R + QStringLiteral("/order.zip")};
         },
         "icd10cm_order_2023.txt cannot be read"},
        {"a source that is not there",
         [](const QString& F, const QString& R) {
             return QStringList{F, R + QStringLiteral("/absent.zip")};
         },
         "absent.zip does not exist"},
        {"an order file with a code the tabular list cannot give",
         [](const QString& F, const QString&) {
             QFile order(F + QStringLiteral("/icd10cm_order_2023.txt"));
             order.open(QIODevice::Append);
             order.write("99999 A0099   1 Made-up code                                                  Made-up code\r\n");
             return QStringList{F};
         },
         "A00.99"},
    };
    for (const TBadReleaseCase& c : cases) {
        QTemporaryDir root;
        QString error;
        ASSERT_TRUE(WriteZippedSampleRelease(root.path(), error)) << error.toStdString();
        const QStringList sources = c.Change(root.filePath(QStringLiteral("release")), root.path());
        TPrepareEditionReport report;
        const QString out = root.filePath(QStringLiteral("out.edition"));
        EXPECT_FALSE(PrepareEdition(sources, out, FOptions, report)) << c.What;
        EXPECT_FALSE(QFile::exists(out)) << c.What;
        const QString problems = report.Problems.join(QLatin1Char('\n'));
        EXPECT_TRUE(problems.contains(QLatin1String(c.Problem))) << c.What << ":\n" << problems.toStdString();
    }
}

} // namespace
