// Edition files and the edition in use: what a file holds survives writing and reading; a file
// that is not an edition, is cut short, damaged or of another format version is refused with
// its reason; a chosen edition is what start-up loads, and a refused one leaves the embedded
// edition in use.
#include "CodeQueries.h"
#include "Compression.h"
#include "DataEngine.h"
#include "Edition.h"
#include "EngineGlobals.h"
#include "ReleaseFixture.h"
#include "TestSupport.h"

#include <QDir>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QDate kAprilFirst(2030, 4, 1);

std::span<const std::uint8_t> Span(const std::vector<std::uint8_t>& ABytes) { return ABytes; }

// The sample data sets as an edition of 2031 whose tabular list renames A00.0, so that a test
// can tell its data from the embedded data.
TEditionContents RenamedEdition() {
    TEditionContents contents = EmbeddedContents(QStringLiteral("2031"), kAprilFirst);
    auto& tabular = contents.DataSets[static_cast<int>(TDataSet::Tabular)];
    QByteArray text = QByteArray::fromStdString(InflateZlib(Span(tabular)));
    const QByteArray old = "Cholera due to Vibrio cholerae 01, biovar cholerae";
    EXPECT_TRUE(text.contains(old));
    text.replace(old, "Cholera of the edition file");
    tabular = DeflateZlib({reinterpret_cast<const std::uint8_t*>(text.constData()),
                           static_cast<std::size_t>(text.size())});
    return contents;
}

TEST(EditionFile, WhatIsWrittenIsReadBack) {
    TEditionContents written = RenamedEdition();
    written.Facts.Sources.append(QJsonObject{{QStringLiteral("file"), QStringLiteral("icd10cm_order_2031.txt")}});
    QString reason;
    const std::optional<TEditionContents> read = ReadEditionBytes(EditionFileBytes(written), reason);
    ASSERT_TRUE(read) << reason.toStdString();
    EXPECT_EQ(read->Facts.Year, QStringLiteral("2031"));
    EXPECT_EQ(read->Facts.EffectiveDate, kAprilFirst);
    EXPECT_EQ(read->Facts.Sources, written.Facts.Sources);
    EXPECT_EQ(read->Facts.PreparedBy, QStringLiteral("a test"));
    for (const TDataSetInfo& info : DataSetTable())
        EXPECT_EQ(read->DataSets[static_cast<int>(info.Id)], written.DataSets[static_cast<int>(info.Id)])
            << info.ResourceName;
}

// The bytes of a good file, changed.
struct TRefusalCase {
    const char* What;
    std::function<QByteArray(QByteArray)> Change;
    const char* Reason; // the start of the reason given
};

QByteArray Flip(QByteArray ABytes, qsizetype AAt) {
    ABytes[AAt] = static_cast<char>(ABytes[AAt] ^ 0x01);
    return ABytes;
}

QByteArray WithVersion(QByteArray ABytes, std::uint32_t AVersion) {
    qToLittleEndian(AVersion, ABytes.data() + 16);
    return ABytes;
}

// A file whose checksum matches a payload that lacks the short descriptions: written wrongly.
QByteArray WithoutShortDescriptions(const QByteArray&) {
    TEditionContents contents = EmbeddedContents(QStringLiteral("2023"), QDate(2022, 10, 1));
    contents.DataSets[static_cast<int>(TDataSet::ShortDesc)].clear();
    return EditionFileBytes(contents);
}

TEST(EditionFile, RefusesWhatIsNotAWholeUndamagedEdition) {
    const QByteArray good = EditionFileBytes(RenamedEdition());
    const qsizetype size = good.size();
    const TRefusalCase cases[] = {
        {"empty", [](QByteArray) { return QByteArray(); }, "is empty"},
        {"an XML file", [](QByteArray) { return QByteArray("<?xml version=\"1.0\"?>\n<a/>\n"); },
         "is not a Tabulon edition file"},
        {"a zip archive", [](QByteArray) { return QByteArray("PK\x03\x04\x14\x00\x00\x00", 8); },
         "is not a Tabulon edition file"},
        {"line ends changed", [](QByteArray A) { return A.replace("\r\n", "\n"); },
         "is not a Tabulon edition file"},
        {"cut inside the mark", [](QByteArray A) { return A.left(9); }, "is truncated"},
        {"cut inside the header", [](QByteArray A) { return A.left(40); }, "is truncated"},
        {"cut in the payload", [size](QByteArray A) { return A.left(size / 2); }, "is truncated"},
        {"one byte short", [size](QByteArray A) { return A.left(size - 1); }, "is truncated"},
        {"a byte added", [](QByteArray A) { return A + '\n'; }, "is damaged: 1 bytes follow"},
        {"a flipped byte in the facts", [](QByteArray A) { return Flip(A, 70); }, "is damaged: its SHA-256"},
        {"a flipped byte in a data set", [size](QByteArray A) { return Flip(A, size - 100); },
         "is damaged: its SHA-256"},
        {"a flipped byte in the checksum", [](QByteArray A) { return Flip(A, 30); },
         "is damaged: its SHA-256"},
        {"format version 2", [](QByteArray A) { return WithVersion(A, 2); },
         "has format version 2; this program reads version 1"},
        {"format version 0", [](QByteArray A) { return WithVersion(A, 0); }, "has format version 0"},
        {"a data set missing", WithoutShortDescriptions, "is malformed: the data set ShortDesc"},
    };
    for (const TRefusalCase& c : cases) {
        QString reason;
        EXPECT_FALSE(ReadEditionBytes(c.Change(good), reason)) << c.What;
        EXPECT_TRUE(reason.startsWith(QLatin1String(c.Reason))) << c.What << ": " << reason.toStdString();
    }
}

// Whole files with a good checksum whose facts are not an edition's: refused with the reason.
TEST(EditionFile, RefusesFactsWithoutAYearOrDate) {
    const struct {
        const char* Year;
        QDate Effective;
        const char* Reason;
    } cases[] = {
        {"2024", QDate(2023, 10, 1), nullptr},
        {"224", QDate(2023, 10, 1), "is malformed: no four-digit year"},
        {"20a4", QDate(2023, 10, 1), "is malformed: no four-digit year"},
        // Digits of another script are no year of ours: it names folders and is read as a number.
        {"\u0662\u0660\u0662\u0664", QDate(2023, 10, 1), "is malformed: no four-digit year"},
        {"\uff12\uff10\uff12\uff14", QDate(2023, 10, 1), "is malformed: no four-digit year"},
        {"2024", QDate(), "is malformed: no valid effective date"},
    };
    for (const auto& c : cases) {
        const QString year = QString::fromUtf8(c.Year);
        QString reason;
        const std::optional<TEditionContents> read =
            ReadEditionBytes(EditionFileBytes(EmbeddedContents(year, c.Effective)), reason);
        EXPECT_EQ(read.has_value(), c.Reason == nullptr) << c.Year << ": " << reason.toStdString();
        if (c.Reason) {
            EXPECT_EQ(reason, QLatin1String(c.Reason)) << c.Year;
        }
    }
}

class EditionInUse : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FRoot.isValid());
        qputenv("ProgramData", FRoot.filePath(QStringLiteral("shared")).toUtf8());
        qputenv("AppData", FRoot.filePath(QStringLiteral("user")).toUtf8());
    }
    void TearDown() override {
        WaitForLoaders();
        UseEmbeddedEdition();
    }
    QString Write(const QString& AName, const QByteArray& ABytes) {
        const QString path = FRoot.filePath(AName);
        EXPECT_TRUE(WriteBytes(path, ABytes));
        return path;
    }
    static QString DescriptionOf(const char* ACode) {
        QString description;
        DescribeCode(QLatin1String(ACode), description);
        return description;
    }
    QTemporaryDir FRoot;
};

TEST_F(EditionInUse, StartUpLoadsTheChosenEdition) {
    const QString file = Write(QStringLiteral("2031.edition"), EditionFileBytes(RenamedEdition()));
    QString error;
    ASSERT_TRUE(UseEditionFile(file, error)) << error.toStdString();
    EXPECT_EQ(CurrentEditionFile(), file);
    EXPECT_EQ(DataYear, QStringLiteral("2031"));
    EXPECT_EQ(CurrentEditionFacts().EffectiveDate, kAprilFirst);

    InitDataEngine();
    WaitForLoaders();
    EXPECT_EQ(DescriptionOf("A00.0"), QStringLiteral("Cholera of the edition file"));
    // Accounts and settings stay where the program's own edition keeps them.
    EXPECT_TRUE(UserDataFolder.endsWith(QStringLiteral("/Orvella Tabulon %1/").arg(ProgramDataYear)))
        << UserDataFolder.toStdString();

    UseEmbeddedEdition();
    EXPECT_EQ(CurrentEditionFile(), QString());
    EXPECT_EQ(DataYear, ProgramDataYear);
    InitDataEngine();
    WaitForLoaders();
    EXPECT_EQ(DescriptionOf("A00.0"), QStringLiteral("Cholera due to Vibrio cholerae 01, biovar cholerae"));
}

TEST_F(EditionInUse, ARefusedFileLeavesTheEmbeddedEditionInUse) {
    const QString good = Write(QStringLiteral("good.edition"), EditionFileBytes(RenamedEdition()));
    const QByteArray bytes = ReadBytes(good);
    const struct {
        QString File;
        const char* Reason;
    } cases[] = {
        {Write(QStringLiteral("cut.edition"), bytes.left(bytes.size() - 10)), "is truncated"},
        {Write(QStringLiteral("flipped.edition"), Flip(bytes, bytes.size() - 10)), "is damaged"},
        {Write(QStringLiteral("order.txt"), "A00     0 A00 Cholera\r\n"), "is not a Tabulon edition file"},
        {FRoot.filePath(QStringLiteral("absent.edition")), "cannot be read"},
        {FRoot.path(), "cannot be read"},
    };
    for (const auto& c : cases) {
        QString ok;
        ASSERT_TRUE(UseEditionFile(good, ok)) << ok.toStdString();
        QString error;
        EXPECT_FALSE(UseEditionFile(c.File, error));
        EXPECT_EQ(error.left(c.File.size() + 1), c.File + QLatin1Char(' ')) << error.toStdString();
        EXPECT_TRUE(error.contains(QLatin1String(c.Reason))) << error.toStdString();
        EXPECT_EQ(CurrentEditionFile(), QString()) << error.toStdString();
        EXPECT_EQ(DataYear, ProgramDataYear);
        EXPECT_EQ(CurrentEditionFacts().EffectiveDate, DefaultEffectiveDate(ProgramDataYear));
    }
    InitDataEngine();
    WaitForLoaders();
    EXPECT_EQ(DescriptionOf("A00.0"), QStringLiteral("Cholera due to Vibrio cholerae 01, biovar cholerae"));
}

} // namespace
