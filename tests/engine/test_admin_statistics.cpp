// The administrator's statistics on small data sets: line and node counts, reportable codes by
// length with and without the generated order file, and the distinct-keyword counts.
#include "AdminTestFiles.h"
#include "DistinctKeywordStats.h"
#include "EngineGlobals.h"
#include "IndexLoader.h"
#include "Statistics.h"
#include "TabularLoader.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

const char* kTabular = R"(
<chapter><name>1</name><desc>Infections (A00-A09)</desc>
<section id="A00-A09"><desc>Intestinal (A00-A09)</desc>
  <diag><name>A00</name><desc>Cholera</desc>
    <diag><name>A00.0</name><desc>Cholera due to Vibrio cholerae 01, biovar cholerae</desc>
      <inclusionTerm><note>Classical cholera</note></inclusionTerm></diag>
    <diag><name>A00.9</name><desc>Cholera, unspecified</desc></diag></diag>
  <diag><name>A01</name><desc>Typhoid and paratyphoid fevers</desc>
    <diag><name>A01.0</name><desc>Typhoid fever</desc>
      <includes><note>Infection due to Salmonella typhi</note></includes>
      <diag><name>A01.00</name><desc>Typhoid fever, unspecified</desc></diag>
      <diag><name>A01.01</name><desc>Typhoid meningitis</desc></diag></diag></diag>
  <diag><name>A02</name><desc>Other salmonella infections</desc></diag>
</section></chapter>
<chapter><name>19</name><desc>Injuries (S00-T88)</desc>
<section id="S70-S79"><desc>Hip and thigh (S70-S79)</desc>
  <diag><name>S72</name><desc>Fracture of femur</desc>
    <excludes1><note>traumatic amputation of hip and thigh (S78.-)</note></excludes1>
    <sevenChrNote><note>The appropriate 7th character is to be added</note></sevenChrNote>
    <sevenChrDef>
      <extension char="A">initial encounter</extension>
      <extension char="D">subsequent encounter</extension>
    </sevenChrDef>
    <diag><name>S72.0</name><desc>Fracture of head and neck of femur</desc>
      <diag><name>S72.00</name><desc>Fracture of unspecified part of neck of femur</desc>
        <diag><name>S72.001</name><desc>Fracture of unspecified part of neck of right femur</desc></diag>
      </diag></diag></diag>
</section></chapter>)";

std::string IndexDocument(const std::string& ALetters) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<ICD10CM.index><version>2023</version>"
           "<title>An index</title>" + ALetters + "</ICD10CM.index>";
}

class AdminStatistics : public testing::Test {
protected:
    static void SetUpTestSuite() {
        CreateGlobalContainers();
        PutDataSet(TDataSet::Tabular, TabularDocument(kTabular));
        LoadTabular();
        // Terms of the disease index: 3 + 1 + 1 lines; one each elsewhere, two in the neoplasms.
        PutDataSet(TDataSet::DIndex, IndexDocument(R"(
<letter><title>A</title>
  <mainTerm><title>Abasia</title><code>R26.2</code>
    <term level="1"><title>hysterical</title><code>F44.4</code>
      <term level="2"><title>deep</title><code>F44.4</code></term></term></mainTerm>
  <mainTerm><title>Abdomen</title><code>R10.9</code></mainTerm>
</letter>
<letter><title>B</title><mainTerm><title>Burn</title><code>T30.0</code></mainTerm></letter>)"));
        LoadIndex(1);
        PutDataSet(TDataSet::EIndex, IndexDocument(
            R"(<letter><title>A</title><mainTerm><title>Accident</title><code>V89.2</code></mainTerm></letter>)"));
        LoadIndex(2);
        PutDataSet(TDataSet::TableOfDrugs, IndexDocument(R"(
<letter><title>A</title><mainTerm><title>Acetone</title><cell col="2">T52.4X1</cell></mainTerm></letter>)"));
        LoadIndex(3);
        PutDataSet(TDataSet::TableOfNeoplasms, IndexDocument(R"(
<letter><title>N</title><mainTerm><title>Neoplasm</title>
  <term level="1"><title>abdomen</title><cell col="2">C76.2</cell></term></mainTerm></letter>)"));
        LoadIndex(4);
    }
    QTemporaryDir FDir;
};

const QString kIndexLine = QStringLiteral("DLines : 5, ELines: 1, DTLines: 1, NTLines: 2, Total: 9 ");
// Chapters 2 of 1 line, sections 2 of 1 line; categories A00 4 lines, A01 5, A02 1, S72 8;
// nodes by level 4, 4, 3, 1.
const QString kTabularCounts = QStringLiteral(
    "ChpNum : 2, ChpLines: 2, SubChpNum: 2, SubChpLines: 2, CodesLines: 18, Node3: 4, Node4: 4, "
    "Node5: 3, Node6: 1, Total: 12, ");

TEST_F(AdminStatistics, CountsLinesNodesAndEveryReportableCodeByLength) {
    QStringList memo;
    ASSERT_TRUE(StatisticsOf({ChapterList, DiseaseIndexList, ExternalIndexList, DrugTableList,
                              NeoplasmTableList},
                             false, FDir.filePath(QStringLiteral("unused.txt")), memo));
    // A02; A00.0, A00.9; A01.00, A01.01; S72.001A, S72.001D.
    EXPECT_EQ(memo, (QStringList{kIndexLine, kTabularCounts +
                                                 QStringLiteral("3 codes: 1, 4 codes: 2, 5 codes: 2, "
                                                                "6 codes: 0, 7 codes: 2, total: 7")}));
    EXPECT_FALSE(QFile::exists(FDir.filePath(QStringLiteral("unused.txt"))));
}

TEST_F(AdminStatistics, WritesTheOrderFileAndCountsItsReportableEntries) {
    const QString file = FDir.filePath(QStringLiteral("order.txt"));
    QStringList memo;
    ASSERT_TRUE(Statistics(true, file, memo)); // the loaded lists, nothing loading
    EXPECT_EQ(memo.value(1), kTabularCounts + QStringLiteral("3 codes: 1, 4 codes: 2, 5 codes: 2, "
                                                             "6 codes: 0, 7 codes: 2, total: 7"));
    EXPECT_EQ(ReadAdminOutput(file),
              (QStringList{
                  QStringLiteral("A00      0 Cholera"),
                  QStringLiteral("A00.0    1 Cholera due to Vibrio cholerae 01, biovar cholerae"),
                  QStringLiteral("A00.9    1 Cholera, unspecified"),
                  QStringLiteral("A01      0 Typhoid and paratyphoid fevers"),
                  QStringLiteral("A01.0    0 Typhoid fever"),
                  QStringLiteral("A01.00   1 Typhoid fever, unspecified"),
                  QStringLiteral("A01.01   1 Typhoid meningitis"),
                  QStringLiteral("A02      1 Other salmonella infections"),
                  QStringLiteral("S72      0 Fracture of femur"),
                  QStringLiteral("S72.0    0 Fracture of head and neck of femur"),
                  QStringLiteral("S72.00   0 Fracture of unspecified part of neck of femur"),
                  QStringLiteral("S72.001  0 Fracture of unspecified part of neck of right femur"),
                  QStringLiteral("S72.001A 1 Fracture of unspecified part of neck of right femur, initial encounter"),
                  QStringLiteral("S72.001D 1 Fracture of unspecified part of neck of right femur, subsequent encounter"),
              }));
}

TEST_F(AdminStatistics, EndsAtOnceWhenTheOrderFileCannotBeCreated) {
    QStringList memo{QStringLiteral("earlier")};
    const TAdminOutcome outcome =
        Statistics(true, FDir.filePath(QStringLiteral("no/such/folder/order.txt")), memo);
    EXPECT_EQ(outcome.Status, TAdminStatus::NotOpened);
    EXPECT_EQ(memo, QStringList{QStringLiteral("earlier")});
}

TEST(StatisticsDistinctKW, CountsKeywordsByPiecesAndShowsTheOthers) {
    QTemporaryDir dir;
    const QString file = WriteAdminText(dir, "distinct.txt",
                                        "Cholera\r\n"
                                        "Due To\r\n"
                                        "\r\n"
                                        "Vibrio Cholerae 01\r\n"
                                        "Fracture Of Neck Femur\r\n"
                                        "One Two Three Four Five\r\n"
                                        "Two  Blanks In Row\r\n" // five pieces: one is empty
                                        "Typhoid\r\n");
    TDistinctKeywordCounts counts;
    QStringList shown;
    ASSERT_TRUE(StatisticsDistinctKW(file, counts, [&](const QString& AText) { shown << AText; }));
    EXPECT_EQ(counts.Summary(), QStringLiteral("Total: 5, 1: 2, 2: 1, 3: 1, 4: 1"));
    EXPECT_EQ(shown, (QStringList{QStringLiteral("One Two Three Four Five"),
                                  QStringLiteral("Two  Blanks In Row")}));

    const TAdminOutcome missing =
        StatisticsDistinctKW(dir.filePath(QStringLiteral("none.txt")), counts, nullptr);
    EXPECT_EQ(missing.Status, TAdminStatus::NotOpened);
    EXPECT_EQ(counts.Total(), 0);
}

} // namespace
