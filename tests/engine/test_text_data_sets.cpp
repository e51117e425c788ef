// The text data sets: irregular plurals, the code-keyword file and the short descriptions.
#include "EngineGlobals.h"
#include "TestSupport.h"
#include "TextDataSets.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class TextDataSets : public testing::Test {
protected:
    void SetUp() override {
        CreateGlobalContainers();
        CodeKeywordsList->clear();
        KeywordRefList->clear();
        SpecialKeywordList->clear();
        ShortDescMap->clear();
    }
    // Loads a keyword file given as lines joined with CR LF.
    void LoadKeywords(const QStringList& ALines, bool ACategoryOnly = true, bool AMultiWordOnly = false,
                      bool ACapitalize = true) {
        PutDataSet(TDataSet::CodeKeywords, ALines.join(QStringLiteral("\r\n")).toStdString());
        LoadCodeKeywords(QString(), ACategoryOnly, AMultiWordOnly, ACapitalize);
    }
    QStringList KeywordsOf(const char* ACode) {
        const TCodeKeywords* entry = FindCodeKeywords(QLatin1String(ACode));
        return entry ? entry->FKeywords : QStringList{QStringLiteral("<none>")};
    }
    TMessageRecorder FMessages;
};

TEST_F(TextDataSets, PluralListKeepsFieldsAsWritten) {
    PutDataSet(TDataSet::SpecialKWs, "foot,feet\r\ntomato,tomatoes \r\npenny,pence,pennies\r\n"
                                     "lonely\r\n\"ox\",\"oxen\"\r\n\r\nhalf,halves");
    LoadSpecialKeywords();
    ASSERT_EQ(SpecialKeywordList->size(), 5u);
    const auto& list = *SpecialKeywordList;
    EXPECT_EQ(list[1]->FSpecial1, QStringLiteral("tomatoes ")); // not trimmed
    EXPECT_EQ(list[2]->FSpecial2, QStringLiteral("pennies"));
    EXPECT_TRUE(list[0]->FSpecial2.isEmpty());
    EXPECT_EQ(list[3]->FKeyWord, QStringLiteral("ox")); // quotes removed
    EXPECT_EQ(list[4]->FSpecial1, QStringLiteral("halves"));
}

TEST_F(TextDataSets, CodeLinesAndContinuationsFillTheEntries) {
    LoadKeywords({QStringLiteral("A00      Biovar, Cholera,"),
                  QStringLiteral("         classical, osteo myelitis, due to,"),
                  QStringLiteral(""),
                  QStringLiteral("A01.0    fever,  ,\tTyphoid\t,"),
                  QStringLiteral("A01.1    FEVER, paratyphoid,"),
                  QStringLiteral("A00      Cholera, vibrio,")});
    EXPECT_EQ(ReadState(KeywordLoadState), LoadDone);
    EXPECT_TRUE(FMessages.Messages().isEmpty());
    ASSERT_EQ(CodeKeywordsList->size(), 2u); // A00 merged, A01.x fed into A01
    EXPECT_EQ(KeywordsOf("A00"), (QStringList{QStringLiteral("Biovar"), QStringLiteral("Cholera"),
                                              QStringLiteral("Classical"), QStringLiteral("Due To"),
                                              QStringLiteral("Osteo Myelitis"), QStringLiteral("Vibrio")}));
    EXPECT_EQ(KeywordsOf("A01"), (QStringList{QStringLiteral("Fever"), QStringLiteral("Paratyphoid"),
                                              QStringLiteral("Typhoid")}));
    EXPECT_EQ(CodeKeywordsList->front()->FSelectFlag, 0);
}

TEST_F(TextDataSets, OptionsChangeCodesAndKeptKeywords) {
    LoadKeywords({QStringLiteral("A01.0 fever, x-ray, bone marrow,"),
                  QStringLiteral("A01.1 lung,"),
                  QStringLiteral(" single, two words,")},
                 false, true, false);
    EXPECT_EQ(KeywordsOf("A01.0"), (QStringList{QStringLiteral("bone marrow"), QStringLiteral("x-ray")}));
    // On a continuation line only a blank makes a keyword multi-word.
    EXPECT_EQ(KeywordsOf("A01.1"), QStringList{QStringLiteral("two words")});
    EXPECT_EQ(KeywordsOf("A01"), QStringList{QStringLiteral("<none>")});
}

TEST_F(TextDataSets, BadLinesAreReportedWithTheirNumbers) {
    LoadKeywords({QStringLiteral("         orphan,"),
                  QStringLiteral("ABCD x,"),
                  QStringLiteral("AB x,"),
                  QStringLiteral("NOBLANK"),
                  QStringLiteral("A00 ok,")});
    EXPECT_EQ(FMessages.Messages(),
              (QStringList{QStringLiteral("Invalid line 1 (no code definition):          orphan,"),
                           QStringLiteral("Invalid line 2 (error code definition): ABCD x,")}));
    EXPECT_EQ(KeywordsOf("A00"), QStringList{QStringLiteral("Ok")});
    EXPECT_EQ(CodeKeywordsList->size(), 1u);
}

TEST_F(TextDataSets, KeywordReferencesStayInDescendingOrder) {
    for (const char* keyword : {"Zinc", "Fever", "Abscess", "Cough", "fever", "Fever", "Zinc"})
        AddKeywordRef(QLatin1String(keyword));
    QStringList order;
    QList<int> counts;
    for (const auto& ref : *KeywordRefList) {
        order << ref->FKeyWord;
        counts << ref->FRefCount;
    }
    EXPECT_EQ(order, (QStringList{QStringLiteral("Zinc"), QStringLiteral("Fever"),
                                  QStringLiteral("Cough"), QStringLiteral("Abscess")}));
    EXPECT_EQ(counts, (QList<int>{2, 3, 1, 1}));
}

TEST_F(TextDataSets, KeywordReferencesCountEveryOccurrence) {
    LoadKeywords({QStringLiteral("A00 Fever, fever,"), QStringLiteral("A01 Fever,")});
    ASSERT_EQ(KeywordRefList->size(), 1u);
    EXPECT_EQ(KeywordRefList->front()->FRefCount, 3);
    EXPECT_EQ(KeywordRefList->front()->FKeyWord, QStringLiteral("Fever"));
}

TEST_F(TextDataSets, AReloadReadsTheNamedFileAndNeverTheReleasedStream) {
    LoadKeywords({QStringLiteral("A00 one,")});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kw.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("B00 two,\r\n");
    file.close();
    CodeKeywordsList->clear();
    KeywordRefList->clear();
    LoadCodeKeywords(path, true, false, true); // the embedded stream is consumed already
    EXPECT_EQ(ReadState(KeywordLoadState), LoadDone);
    EXPECT_EQ(KeywordsOf("B00"), QStringList{QStringLiteral("Two")});
}

TEST_F(TextDataSets, ShortDescriptionsAreKeyedByTheTrimmedCode) {
    PutDataSet(TDataSet::ShortDesc, "A00.0     Cholera due to Vibrio cholerae 01, biovar cholerae\r\n"
                                    "A01.00    Typhoid fever, unspecified\r\n"
                                    "short\r\n"
                                    "Z99.89    Dependence on other enabling machines");
    LoadShortDescriptions();
    EXPECT_EQ(ReadState(ShortDescLoadState), LoadDone);
    EXPECT_EQ(ShortDescMap->size(), 3);
    EXPECT_EQ(ShortDescMap->value(QStringLiteral("A00.0")),
              QStringLiteral("Cholera due to Vibrio cholerae 01, biovar cholerae"));
    EXPECT_EQ(ShortDescMap->value(QStringLiteral("Z99.89")), QStringLiteral("Dependence on other enabling machines"));
}

// The short descriptions are read line by line from the bytes; every encoding and line end reads
// as the whole-text split (SplitTextLines) reads it.
TEST_F(TextDataSets, ShortDescriptionsReadEveryLineAsTheWholeTextSplitDoes) {
    const std::string text = "A00.0     Chol\xC3\xA9ra\rB01       Varicella\nC02.1     last\r\n"
                             "short\r\n\r\nD03       \xE2\x80\x99s end";
    std::string utf16;
    for (const QChar c : QString::fromUtf8(text)) {
        utf16 += static_cast<char>(c.unicode() & 0xFF);
        utf16 += static_cast<char>(c.unicode() >> 8);
    }
    const struct {
        const char* Name;
        std::string Bytes;
    } cases[] = {{"UTF-8", text},
                 {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + text},
                 {"UTF-16 LE with a byte-order mark", "\xFF\xFE" + utf16},
                 {"a line end at the end", text + "\r\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ShortDescMap->clear();
        QHash<QString, QString> expected;
        for (const QString& line : SplitTextLines(c.Bytes))
            if (line.size() >= 10)
                expected.insert(line.left(8).trimmed(), line.mid(10));
        PutDataSet(TDataSet::ShortDesc, c.Bytes);
        LoadShortDescriptions();
        EXPECT_EQ(*ShortDescMap, expected);
        EXPECT_EQ(ShortDescMap->value(QStringLiteral("A00.0")), QString::fromUtf8("Chol\xC3\xA9ra"));
        EXPECT_EQ(ShortDescMap->value(QStringLiteral("D03")), QString::fromUtf8("\xE2\x80\x99s end"));
    }
}

TEST_F(TextDataSets, DuplicateShortDescriptionKeepsTheFirstAndLoadsTheRest) {
    PutDataSet(TDataSet::ShortDesc, "A00.0     first\r\nA00.0     second\r\nA00.1     after\r\n");
    LoadShortDescriptions();
    EXPECT_EQ(ReadState(ShortDescLoadState), LoadDone);
    EXPECT_EQ(ShortDescMap->value(QStringLiteral("A00.0")), QStringLiteral("first"));
    EXPECT_EQ(ShortDescMap->value(QStringLiteral("A00.1")), QStringLiteral("after")); // nothing lost
    ASSERT_EQ(FMessages.Messages().size(), 1);
    EXPECT_TRUE(FMessages.Messages()[0].contains(QStringLiteral("A00.0")));
}

TEST_F(TextDataSets, FailuresEndInFinalStatesAndTheNextDataSetStillLoads) {
    PutResourceStream(TDataSet::SpecialKWs, nullptr);
    PutResourceStream(TDataSet::CodeKeywords,
                      std::make_unique<TResourceStream>(std::vector<std::uint8_t>{1, 2, 3}));
    PutDataSet(TDataSet::ShortDesc, "A00.0     Cholera\r\n");
    LoadTextDataSets();
    EXPECT_EQ(ReadState(KeywordLoadState), LoadFailed); // never left at 1
    EXPECT_EQ(ReadState(ShortDescLoadState), LoadDone);
    EXPECT_EQ(ShortDescMap->size(), 1);
    EXPECT_EQ(FMessages.Messages().size(), 2);
}

TEST(SplitTextLines, HandlesLineEndsAndByteOrderMarks) {
    EXPECT_EQ(SplitTextLines("a\r\nb\rc\nd"), (QStringList{QStringLiteral("a"), QStringLiteral("b"),
                                                           QStringLiteral("c"), QStringLiteral("d")}));
    EXPECT_EQ(SplitTextLines("a\r\n\r\n"), (QStringList{QStringLiteral("a"), QString()}));
    EXPECT_EQ(SplitTextLines("\xEF\xBB\xBF" "caf\xC3\xA9"), QStringList{QString::fromUtf8("caf\u00e9")});
    EXPECT_EQ(SplitTextLines(std::string("\xFF\xFE" "a\0\r\0\n\0b\0", 10)),
              (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_TRUE(SplitTextLines("").isEmpty());
}

} // namespace
