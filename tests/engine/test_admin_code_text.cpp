// The code texts of the administrator's keyword work: joining words with commas, the code text
// of a code and its subtree with and without commas, and the list of every reportable code.
#include "AdminTestFiles.h"
#include "CodeText.h"
#include "EngineGlobals.h"
#include "TabularLoader.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

const QString kNine(9, QLatin1Char(' '));

struct TJoinCase {
    const char* Text;
    const char* Result;
    int Count;
};

TEST(JoinWithCommas, JoinsTheWordsAndCountsTheNewSeparators) {
    const TJoinCase cases[] = {
        {"Cholera due to Vibrio cholerae 01, biovar cholerae",
         "Cholera, due, to, Vibrio, cholerae, 01, biovar, cholerae", 7},
        {"  Typhoid   fever  ", "Typhoid, fever", 2},
        {"One", "One", 1},
        {"", "", 0},
        {"   ", "", 0},
        {"a, b, c", "a, b, c", 1},
    };
    for (const TJoinCase& c : cases) {
        QString result = QStringLiteral("stale");
        int count = -1;
        JoinWithCommas(QString::fromUtf8(c.Text), QLatin1Char(' '), QLatin1Char(','), result, count);
        EXPECT_EQ(result, QString::fromUtf8(c.Result)) << c.Text;
        EXPECT_EQ(count, c.Count) << c.Text;
    }
}

const char* kTabular = R"(
<chapter><name>1</name><desc>Infections (A00-A09)</desc>
<section id="A00-A09"><desc>Intestinal (A00-A09)</desc>
  <diag><name>A00</name><desc>Cholera</desc>
    <excludes1><note>not counted at all</note></excludes1>
    <diag><name>A00.0</name><desc>Cholera due to Vibrio cholerae 01, biovar cholerae</desc>
      <inclusionTerm><note>Classical cholera</note></inclusionTerm></diag>
    <diag><name>A00.9</name><desc>Cholera, unspecified</desc>
      <includes><note>Cholera NOS</note><note>Asiatic cholera</note></includes></diag></diag>
</section></chapter>
<chapter><name>19</name><desc>Injuries (S00-T88)</desc>
<section id="S70-S79"><desc>Hip and thigh (S70-S79)</desc>
  <diag><name>S72</name><desc>Fracture of femur</desc>
    <sevenChrNote><note>The appropriate 7th character</note></sevenChrNote>
    <sevenChrDef>
      <extension char="A">initial encounter</extension>
      <extension char="D">subsequent encounter</extension>
    </sevenChrDef>
    <diag><name>S72.8</name><desc>Fracture of right femur</desc></diag></diag>
</section></chapter>)";

class CodeText : public testing::Test {
protected:
    static void SetUpTestSuite() {
        CreateGlobalContainers();
        PutDataSet(TDataSet::Tabular, TabularDocument(kTabular));
        LoadTabular();
    }
    QTemporaryDir FDir;
};

TEST_F(CodeText, WritesDescriptionsNotesAndSeventhCharactersWithCommas) {
    const QString file = FDir.filePath(QStringLiteral("codes.txt"));
    int total = -1;
    ASSERT_TRUE(GenerateCodeTextFile(file, true, total));
    EXPECT_EQ(ReadAdminOutput(file),
              (QStringList{QStringLiteral("A00      Cholera"),
                           QStringLiteral("A00.0    Cholera, due, to, Vibrio, cholerae, 01, biovar, cholerae"),
                           kNine + QStringLiteral("Classical, cholera"),
                           QStringLiteral("A00.9    Cholera, unspecified"),
                           kNine + QStringLiteral("INCLUDES"),
                           kNine + QStringLiteral("Cholera, NOS"),
                           kNine + QStringLiteral("Asiatic, cholera"),
                           QStringLiteral("S72      Fracture, of, femur"),
                           kNine + QStringLiteral("The, appropriate, 7th, character"),
                           kNine + QStringLiteral("A - initial encounter"),
                           kNine + QStringLiteral("D - subsequent encounter"),
                           QStringLiteral("S72.8    Fracture, of, right, femur")}));
    // A00 1; A00.0 7 + 2; A00.9 1 (a piece that ends with a comma adds none) + 2 + 2; S72 3 + 4,
    // one per seventh character, S72.8 4. The heading is not counted.
    EXPECT_EQ(total, 28);
}

TEST_F(CodeText, WithoutCommasCountsOneForEveryTextLineButTheHeadings) {
    QStringList lines;
    int total = 0;
    lines = CodeTextLines(*ChapterList, false, total);
    EXPECT_EQ(lines.value(1), QStringLiteral("A00.0    Cholera due to Vibrio cholerae 01, biovar cholerae"));
    EXPECT_EQ(lines.value(4), kNine + QStringLiteral("INCLUDES"));
    EXPECT_EQ(lines.size(), 12);
    EXPECT_EQ(total, 11); // twelve lines, one of them the INCLUDES heading

    // AppendTitle on one subtree gives the same count as the lines it adds, headings aside.
    QStringList one;
    int count = -1;
    AppendTitle(*ChapterList->front()->FSubList.front()->FCodeList.front(), one, count, false);
    EXPECT_EQ(one.size(), 7);
    EXPECT_EQ(count, 6);
}

TEST_F(CodeText, ListsEveryReportableCodeWithItsDescription) {
    const QString file = FDir.filePath(QStringLiteral("all.txt"));
    ASSERT_TRUE(GenerateAllCodeText(file));
    EXPECT_EQ(ReadAdminOutput(file),
              (QStringList{QStringLiteral("A00.0    Cholera due to Vibrio cholerae 01, biovar cholerae"),
                           QStringLiteral("A00.9    Cholera, unspecified"),
                           QStringLiteral("S72.8XXA Fracture of right femur, initial encounter"),
                           QStringLiteral("S72.8XXD Fracture of right femur, subsequent encounter")}));
}

TEST_F(CodeText, ReportsAFileThatCannotBeWritten) {
    int total = 0;
    const QString bad = FDir.filePath(QStringLiteral("no/such/dir/x.txt"));
    EXPECT_EQ(GenerateCodeTextFile(bad, true, total).Status, TAdminStatus::NotOpened);
    EXPECT_EQ(GenerateAllCodeText(bad).Status, TAdminStatus::NotOpened);
    EXPECT_FALSE(QFile::exists(bad));
}

} // namespace
