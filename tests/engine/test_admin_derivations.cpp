// The administrator operations that prepare data sets: the order files, the seventh-character
// exception rules and the code keywords.
#include "CodeKeywordDerivation.h"
#include "CodeQueries.h"
#include "EngineGlobals.h"
#include "ExceptionRules.h"
#include "OrderFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QMap>

#include <gtest/gtest.h>

#include <vector>

namespace {

QString WriteText(const QTemporaryDir& ADir, const char* AName, const QByteArray& AText) {
    const QString path = ADir.filePath(QLatin1String(AName));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(AText);
    return path;
}

QStringList ReadLinesOf(const QString& APath) {
    QFile file(APath);
    file.open(QIODevice::ReadOnly);
    QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.isEmpty() || text.endsWith(QLatin1String("\r\n"))) << APath.toStdString();
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

// An order-file line in the published columns.
QByteArray OrderLine(int ANumber, const char* ACode, char AFlag, const char* AShort, const char* ALong) {
    return QStringLiteral("%1 %2 %3 %4 %5\r\n")
        .arg(ANumber, 5, 10, QLatin1Char('0'))
        .arg(QLatin1String(ACode), -7)
        .arg(QLatin1Char(AFlag))
        .arg(QLatin1String(AShort), -60)
        .arg(QLatin1String(ALong))
        .toUtf8();
}

const QString kSample = QStringLiteral(TABULON_SAMPLE_DIR);

TEST(StatisticsOrderFile, WritesTheSixDerivedFiles) {
    QTemporaryDir dir;
    const QString order = WriteText(dir, "order.txt",
                                    OrderLine(1, "A00", '0', "Cholera", "Cholera") +
                                        OrderLine(2, "A0100", '1', "Typhoid fever, unspecified", "Typhoid fever, unspecified") +
                                        OrderLine(3, "S72001A", '1', "Fx unsp part of neck of right femur, init", "Fracture of unspecified part of neck of right femur, initial encounter") +
                                        "too short\r\n\r\n");
    QStringList names;
    for (const char* name : {"s", "l", "sf", "lf", "c", "cl"})
        names << dir.filePath(QLatin1String(name));
    TOrderFileCounts counts;
    ASSERT_TRUE(StatisticsOrderFile(order, names[0], names[1], names[2], names[3], names[4], names[5], &counts));
    EXPECT_EQ(counts.Total, 3);
    EXPECT_EQ(counts.Valid, 2);
    EXPECT_EQ(ReadLinesOf(names[0]), (QStringList{QStringLiteral("A00       Cholera"),
                                                  QStringLiteral("A01.00    Typhoid fever, unspecified"),
                                                  QStringLiteral("S72.001A  Fx unsp part of neck of right femur, init")}));
    EXPECT_EQ(ReadLinesOf(names[1])[1], QStringLiteral("A01.00   Typhoid fever, unspecified"));
    EXPECT_EQ(ReadLinesOf(names[2])[0], QStringLiteral("A00      0 Cholera"));
    EXPECT_EQ(ReadLinesOf(names[3])[2], QStringLiteral("S72.001A 1 Fracture of unspecified part of neck of right femur, initial encounter"));
    EXPECT_EQ(ReadLinesOf(names[4]), (QStringList{QStringLiteral("A01.00    Typhoid fever, unspecified"),
                                                  QStringLiteral("S72.001A  Fx unsp part of neck of right femur, init")}));
    EXPECT_EQ(ReadLinesOf(names[5]).size(), 2);
}

// One order-file line through the derivation: what each of the four description files gets (or
// nothing at all when the line is too short to hold a flag).
TEST(StatisticsOrderFile, CodeFieldsAndShortLinesInEveryFile) {
    struct TCase {
        QByteArray Line;
        bool Counted;
        const char* ShortNoFlag;
        const char* LongNoFlag;
        const char* ShortFlag;
        const char* LongFlag;
    } cases[] = {
        {OrderLine(1, "A00", '0', "Cholera", "Cholera"), true, "A00       Cholera", "A00      Cholera",
         "A00      0 Cholera", "A00      0 Cholera"},
        {OrderLine(2, "S72001A", '1', "Fx unsp part of nk of r femur, init",
                   "Fracture of unspecified part of neck of right femur, initial encounter"),
         true, "S72.001A  Fx unsp part of nk of r femur, init",
         "S72.001A Fracture of unspecified part of neck of right femur, initial encounter",
         "S72.001A 1 Fx unsp part of nk of r femur, init",
         "S72.001A 1 Fracture of unspecified part of neck of right femur, initial encounter"},
        {OrderLine(3, "A0100", '1', "Typhoid fever, unspecified", "Typhoid fever, unspecified"), true,
         "A01.00    Typhoid fever, unspecified", "A01.00   Typhoid fever, unspecified",
         "A01.00   1 Typhoid fever, unspecified", "A01.00   1 Typhoid fever, unspecified"},
        // Sixteen characters: the flag and one blank, no descriptions.
        {"00004 B99     1 \r\n", true, "B99       ", "B99      ", "B99      1 ", "B99      1 "},
        // Fifteen characters, a blank line, a line of blanks: neither counted nor copied.
        {"00005 B99     1\r\n", false, nullptr, nullptr, nullptr, nullptr},
        {"\r\n", false, nullptr, nullptr, nullptr, nullptr},
        {"          \r\n", false, nullptr, nullptr, nullptr, nullptr},
    };
    for (const TCase& c : cases) {
        QTemporaryDir dir;
        const QString order = WriteText(dir, "order.txt", c.Line);
        QStringList names;
        for (const char* name : {"s", "l", "sf", "lf", "c", "cl"})
            names << dir.filePath(QLatin1String(name));
        TOrderFileCounts counts;
        ASSERT_TRUE(StatisticsOrderFile(order, names[0], names[1], names[2], names[3], names[4],
                                        names[5], &counts));
        const std::string line = c.Line.toStdString();
        EXPECT_EQ(counts.Total, c.Counted ? 1 : 0) << line;
        if (!c.Counted) {
            for (const QString& name : names)
                EXPECT_TRUE(ReadLinesOf(name).isEmpty()) << line;
            continue;
        }
        const char* expected[] = {c.ShortNoFlag, c.LongNoFlag, c.ShortFlag, c.LongFlag};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(ReadLinesOf(names[i]), QStringList{QString::fromLatin1(expected[i])}) << line << i;
        // The reportable-code files repeat the lines without flag of the codes flagged 1.
        const bool valid = counts.Valid == 1;
        EXPECT_EQ(ReadLinesOf(names[4]), valid ? ReadLinesOf(names[0]) : QStringList()) << line;
        EXPECT_EQ(ReadLinesOf(names[5]), valid ? ReadLinesOf(names[1]) : QStringList()) << line;
    }
}

TEST(StatisticsOrderFile, WritesNothingWhenAFileCannotBeOpened) {
    QTemporaryDir dir;
    const QString order = WriteText(dir, "order.txt", OrderLine(1, "A00", '0', "Cholera", "Cholera"));
    const QString out = dir.filePath(QStringLiteral("out.txt"));
    const QString bad = dir.filePath(QStringLiteral("missing/x.txt"));
    EXPECT_FALSE(StatisticsOrderFile(order, out, out + QLatin1Char('1'), out + QLatin1Char('2'), out + QLatin1Char('3'), out + QLatin1Char('4'), bad));
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_FALSE(StatisticsOrderFile(dir.filePath(QStringLiteral("none.txt")), out, out, out, out, out, out));
}

TEST(ParseOrderLine, ReadsTheColumns) {
    TOrderLine line;
    ASSERT_TRUE(ParseOrderLine(QString::fromUtf8(OrderLine(7, "T07XXXA", '1', "Unsp mult injuries, init", "Unspecified multiple injuries, initial encounter").trimmed()), line));
    EXPECT_EQ(line.Code, QStringLiteral("T07.XXXA"));
    EXPECT_TRUE(line.Valid);
    EXPECT_EQ(line.ShortDesc, QStringLiteral("Unsp mult injuries, init"));
    EXPECT_EQ(line.LongDesc, QStringLiteral("Unspecified multiple injuries, initial encounter"));
    EXPECT_FALSE(ParseOrderLine(QStringLiteral("00001 A00     "), line));
}

TEST(DeriveExceptionRules, FindsTheRulesTheOrderFileImplies) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("tabular.xml"));
    TExceptionRuleReport report;
    TMessageRecorder messages;
    ASSERT_TRUE(DeriveExceptionRules(kSample + QStringLiteral("/tabular.xml"), kSample + QStringLiteral("/order.txt"), out, report))
        << report.Problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(report.Entries, 2); // D and S of S06
    EXPECT_EQ(report.Rules, 4);
    EXPECT_EQ(report.Reportable, 18);
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray text = written.readAll();
    EXPECT_EQ(text.count("exception=\"6:7;6:8\""), 2);
    EXPECT_EQ(text.count("exception="), 2);
}

TEST(DeriveExceptionRules, ReportsCodesNoRuleCanExclude) {
    // T07.XXXD missing from the order file: a category's own seventh characters have no
    // position 4..6 to tell codes apart, so no rule can remove it.
    QTemporaryDir dir;
    QFile sample(kSample + QStringLiteral("/order.txt"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    QByteArray order = sample.readAll();
    const qsizetype at = order.indexOf("T07XXXD");
    ASSERT_GT(at, 0);
    order.remove(order.lastIndexOf('\n', at) + 1, order.indexOf('\n', at) - order.lastIndexOf('\n', at));
    const QString orderPath = WriteText(dir, "order.txt", order);
    TExceptionRuleReport report;
    TMessageRecorder messages;
    EXPECT_FALSE(DeriveExceptionRules(kSample + QStringLiteral("/tabular.xml"), orderPath,
                                      dir.filePath(QStringLiteral("t.xml")), report));
    EXPECT_TRUE(report.Problems.join(QLatin1Char('\n')).contains(QStringLiteral("T07.XXXD")))
        << report.Problems.join(QLatin1Char('\n')).toStdString();
}

struct TWordsCase {
    const char* Text;
    std::vector<const char*> Words;
};

// Rule 1 word by word: what a text splits into, what is dropped, and the forms added beside a
// word with accents or a possessive, right after it.
TEST(KeywordWordsOf, SplitsDropsAndAddsPlainForms) {
    const TWordsCase cases[] = {
        // Stop words dropped; numbers kept, a leading zero too.
        {"Cholera due to Vibrio cholerae 01, biovar cholerae",
         {"Cholera", "Vibrio", "cholerae", "01", "biovar", "cholerae"}},
        {"Type 2 diabetes mellitus without complications",
         {"Type", "2", "diabetes", "mellitus", "complications"}},
        // Single letters dropped, a single digit kept; hyphens and apostrophes at the ends go.
        {"X-ray of 'skull' -- other, unspecified (A)", {"X-ray", "skull"}},
        {"Hepatitis A, stage 3", {"Hepatitis", "stage", "3"}},
        // Digits joined by a hyphen stay one word; a decimal point splits.
        {"Pressure ulcer stage 1-2, 10-19 weeks, 2.5 cm",
         {"Pressure", "ulcer", "stage", "1-2", "10-19", "weeks", "2", "5", "cm"}},
        {"-7- and 30-", {"7", "30"}},
        // Accent-free form beside the accented word; a letter without a mark stays.
        {"Sézary disease", {"Sézary", "Sezary", "disease"}},
        {"Ménétrier and Følling", {"Ménétrier", "Menetrier", "Følling"}},
        // Possessive-free form beside the possessive, in any case and with either apostrophe.
        {"Alzheimer's disease", {"Alzheimer's", "Alzheimer", "disease"}},
        {"ALZHEIMER'S DISEASE", {"ALZHEIMER'S", "ALZHEIMER", "DISEASE"}},
        {"Alzheimer\u2019s disease", {"Alzheimer\u2019s", "Alzheimer", "disease"}},
        // A plural possessive loses its apostrophe at the word's end already.
        {"Chagas' disease of miners'", {"Chagas", "disease", "miners"}},
        // An apostrophe inside a name is no possessive.
        {"O'Brien syndrome", {"O'Brien", "syndrome"}},
        // Both: the accent-free possessive, the possessive-free form and the plain word.
        {"Sjögren's syndrome", {"Sjögren's", "Sjogren's", "Sjögren", "Sjogren", "syndrome"}},
        // A form that rule 1 would drop (a stop word, a single letter) is not added.
        {"Other's and B's", {"Other's", "B's"}},
    };
    for (const TWordsCase& c : cases) {
        QStringList expected;
        for (const char* word : c.Words)
            expected << QString::fromUtf8(word);
        EXPECT_EQ(KeywordWordsOf(QString::fromUtf8(c.Text)), expected) << c.Text;
    }
}

// The forms of a whole keyword, as rule 2 adds them beside a piece of a main term's title.
TEST(KeywordFormsOf, AccentFreePossessiveFreeAndBoth) {
    const TWordsCase cases[] = {
        {"Sjögren's syndrome or disease",
         {"Sjogren's syndrome or disease", "Sjögren syndrome or disease", "Sjogren syndrome or disease"}},
        {"Sjögren-Larsson syndrome", {"Sjogren-Larsson syndrome"}},
        {"Alzheimer's disease or sclerosis", {"Alzheimer disease or sclerosis"}},
        {"Slate-dressers' or slate-miners' lung", {"Slate-dressers or slate-miners lung"}},
        {"Chagas'", {"Chagas"}},
        {"Wernicke-Korsakoff\u2019s syndrome", {"Wernicke-Korsakoff syndrome"}},
        {"Folie à deux", {"Folie a deux"}},
        // Nothing to add.
        {"Blindness", {}},
        {"O'Brien's", {"O'Brien"}},
        {"Følling", {}},
        {"type 2", {}},
    };
    for (const TWordsCase& c : cases) {
        QStringList expected;
        for (const char* form : c.Words)
            expected << QString::fromUtf8(form);
        EXPECT_EQ(KeywordFormsOf(QString::fromUtf8(c.Text)), expected) << c.Text;
    }
}

TEST(DeriveCodeKeywords, TakesTextWordsAndIndexMainTerms) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("kw.txt"));
    TCodeKeywordReport report;
    TMessageRecorder messages;
    ASSERT_TRUE(DeriveCodeKeywords(kSample + QStringLiteral("/tabular.xml"), kSample + QStringLiteral("/index.xml"), out, report))
        << report.Problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(report.Categories, 6);
    EXPECT_EQ(report.IndexTerms, 4); // Blindness, Cholera, Concussion, Typhoid (Typhus has no code)
    const QStringList lines = ReadLinesOf(out);
    ASSERT_FALSE(lines.isEmpty());
    // Categories in tabular order, keywords sorted, four to a line from column 10.
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("A00      "))) << lines[0].toStdString();
    for (const QString& line : lines) {
        EXPECT_LE(line.count(QLatin1Char(',')), 4) << line.toStdString();
        EXPECT_TRUE(line.endsWith(QLatin1Char(','))) << line.toStdString();
    }
    const QString all = lines.join(QLatin1Char('\n'));
    EXPECT_TRUE(all.contains(QStringLiteral(" Vibrio,")));     // from a description
    EXPECT_TRUE(all.contains(QStringLiteral(" Classical,")));  // from an inclusion term
    EXPECT_TRUE(all.contains(QStringLiteral(" Blindness,")));  // index main term of H54.8
    EXPECT_FALSE(all.contains(QStringLiteral(" due,"), Qt::CaseInsensitive)); // stop word
    EXPECT_FALSE(all.contains(QStringLiteral("(acquired)"))); // modifiers dropped
}

// The keywords of each category in an arranged keyword file.
QMap<QString, QStringList> ArrangedKeywords(const QString& AFile) {
    QMap<QString, QStringList> keywords;
    QString code;
    for (const QString& line : ReadLinesOf(AFile)) {
        if (!line.startsWith(QLatin1Char(' ')))
            code = line.left(8).trimmed();
        for (const QString& keyword : line.mid(8).split(QLatin1Char(','), Qt::SkipEmptyParts))
            if (!keyword.trimmed().isEmpty())
                keywords[code] << keyword.trimmed();
    }
    return keywords;
}

const char* kFormsTabular = R"(
<chapter><name>4</name><desc>Endocrine (E00-E89)</desc>
<section id="E08-E13"><desc>Diabetes mellitus (E08-E13)</desc>
  <diag><name>E11</name><desc>Type 2 diabetes mellitus</desc>
    <diag><name>E11.9</name><desc>Type 2 diabetes mellitus without complications</desc></diag></diag>
</section></chapter>
<chapter><name>6</name><desc>Nervous system (G00-G99)</desc>
<section id="G30-G32"><desc>Other degenerative diseases (G30-G32)</desc>
  <diag><name>G30</name><desc>Alzheimer's disease</desc>
    <diag><name>G30.0</name><desc>Alzheimer's disease with early onset</desc></diag></diag>
</section></chapter>
<chapter><name>13</name><desc>Musculoskeletal system (M00-M99)</desc>
<section id="M30-M36"><desc>Systemic connective tissue disorders (M30-M36)</desc>
  <diag><name>M35</name><desc>Other systemic involvement of connective tissue</desc>
    <diag><name>M35.0</name><desc>Sicca syndrome</desc>
      <inclusionTerm><note>Sjögren syndrome</note></inclusionTerm></diag></diag>
</section></chapter>)";

const char* kFormsIndex = R"(<?xml version="1.0" encoding="utf-8"?>
<ICD10CM.index><version>2023</version><title>Index</title>
<letter><title>A</title>
  <mainTerm><title>Alzheimer's disease or sclerosis</title>
    <term level="1"><title>early onset</title><code>G30.0</code></term></mainTerm>
</letter>
<letter><title>D</title>
  <mainTerm><title>Diabetes, diabetic<nemod>(mellitus)</nemod></title>
    <term level="1"><title>type 2</title><code>E11.9</code></term></mainTerm>
</letter>
<letter><title>S</title>
  <mainTerm><title>Sjögren's syndrome or disease<nemod>(sicca)</nemod></title><code>M35.0</code></mainTerm>
</letter>
</ICD10CM.index>
)";

// The forms go beside the words of rule 1 and beside the main-term pieces of rule 2; numbers
// are keywords; the first form met is kept (diabetes of the tabular list before Diabetes of the
// index); nothing else changes.
TEST(DeriveCodeKeywords, AddsNumbersAndPlainFormsOfWordsAndMainTerms) {
    QTemporaryDir dir;
    const QString tabular =
        WriteText(dir, "tabular.xml", QByteArray::fromStdString(TabularDocument(kFormsTabular)));
    const QString index = WriteText(dir, "index.xml", kFormsIndex);
    const QString out = dir.filePath(QStringLiteral("kw.txt"));
    TCodeKeywordReport report;
    TMessageRecorder messages;
    ASSERT_TRUE(DeriveCodeKeywords(tabular, index, out, report))
        << report.Problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(report.Categories, 3);
    EXPECT_EQ(report.IndexTerms, 3);
    const QMap<QString, QStringList> keywords = ArrangedKeywords(out);
    const std::pair<const char*, QStringList> cases[] = {
        {"E11", {QStringLiteral("2"), QStringLiteral("complications"), QStringLiteral("diabetes"),
                 QStringLiteral("diabetic"), QStringLiteral("mellitus"), QStringLiteral("Type")}},
        {"G30", {QStringLiteral("Alzheimer"), QStringLiteral("Alzheimer disease or sclerosis"),
                 QStringLiteral("Alzheimer's"), QStringLiteral("Alzheimer's disease or sclerosis"),
                 QStringLiteral("disease"), QStringLiteral("early"), QStringLiteral("onset")}},
        {"M35", {QStringLiteral("connective"), QStringLiteral("involvement"), QStringLiteral("Sicca"),
                 QStringLiteral("Sjogren"), QStringLiteral("Sjogren syndrome or disease"),
                 QStringLiteral("Sjogren's syndrome or disease"), QStringLiteral("Sjögren"),
                 QStringLiteral("Sjögren syndrome or disease"), QStringLiteral("Sjögren's syndrome or disease"),
                 QStringLiteral("syndrome"), QStringLiteral("systemic"), QStringLiteral("tissue")}},
    };
    for (const auto& [code, expected] : cases)
        EXPECT_EQ(keywords.value(QLatin1String(code)), expected) << code;
    EXPECT_EQ(keywords.size(), 3);
}

TEST(ArrangeCodeKeyword, WritesFourKeywordsToALine) {
    TCodeKeywordsList list;
    auto entry = std::make_unique<TCodeKeywords>();
    entry->FCode = QStringLiteral("A00");
    for (const char* keyword : {"a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9"})
        entry->AddKeyword(QLatin1String(keyword));
    list.push_back(std::move(entry));
    auto other = std::make_unique<TCodeKeywords>();
    other->FCode = QStringLiteral("B00");
    other->AddKeyword(QStringLiteral("A1")); // same keyword, other case
    list.push_back(std::move(other));
    auto empty = std::make_unique<TCodeKeywords>();
    empty->FCode = QStringLiteral("C00");
    list.push_back(std::move(empty));

    QTemporaryDir dir;
    const QString arranged = dir.filePath(QStringLiteral("arranged.txt"));
    const QString distinct = dir.filePath(QStringLiteral("distinct.txt"));
    ASSERT_TRUE(ArrangeCodeKeyword(list, arranged, distinct));
    EXPECT_EQ(ReadLinesOf(arranged), (QStringList{QStringLiteral("A00      a1, a2, a3, a4,"),
                                                  QStringLiteral("         a5, a6, a7, a8,"),
                                                  QStringLiteral("         a9,"),
                                                  QStringLiteral("B00      A1,")}));
    EXPECT_EQ(ReadLinesOf(distinct).size(), 9); // a1 and A1 once, the form met first
    EXPECT_EQ(ReadLinesOf(distinct)[0], QStringLiteral("a1"));
    EXPECT_FALSE(ArrangeCodeKeyword(list, dir.filePath(QStringLiteral("no/such/file.txt"))));
}

} // namespace
