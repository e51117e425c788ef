// How the find index reads words and codes, and the synonym list it is given.
#include "FindSynonyms.h"
#include "FindText.h"

#include <gtest/gtest.h>

namespace {

QStringList Words(const char* AText) { return FindWords(QString::fromUtf8(AText)); }
QStringList List(std::initializer_list<const char*> AWords) {
    QStringList list;
    for (const char* word : AWords)
        list << QString::fromUtf8(word);
    return list;
}

TEST(FindWords, FoldCaseAccentsAndPossessivesAndKeepNumbers) {
    struct TCase {
        const char* Text;
        QStringList Expected;
    };
    const TCase cases[] = {
        {"Type 2 diabetes mellitus", List({"type", "2", "diabetes", "mellitus"})},
        {"Sézary disease", List({"sezary", "disease"})},
        {"SJÖGREN", List({"sjogren"})},
        {"Charcôt's joint", List({"charcot", "joint"})},
        {"Alzheimer's disease", List({"alzheimer", "disease"})},
        {"Alzheimer\u2019s", List({"alzheimer"})},
        {"patients' rights", List({"patients", "rights"})},
        {"o'clock", List({"oclock"})},
        {"COVID-19, S06.0X1A", List({"covid", "19", "s06", "0x1a"})},
        {"gas, Abdomen (abdominal)", List({"gas", "abdomen", "abdominal"})},
        {"'quoted'", List({"quoted"})},
        // Hyphenated letter words are also read joined; numbers are not joined.
        {"Pre-eclampsia", List({"pre", "eclampsia", "preeclampsia"})},
        {"x-ray of non-union", List({"x", "ray", "xray", "of", "non", "union", "nonunion"})},
        {"A00-B99 1-2", List({"a00", "b99", "1", "2"})},
        {"", {}},
        {" -- , ", {}},
    };
    for (const TCase& entry : cases)
        EXPECT_EQ(Words(entry.Text), entry.Expected) << entry.Text;
}

TEST(FindWords, StopWordsAreLeftOutOfKeyWords) {
    EXPECT_EQ(FindKeyWords(QStringLiteral("Fracture of the neck of femur, with delayed healing")),
              List({"fracture", "neck", "femur", "delayed", "healing"}));
    EXPECT_TRUE(FindKeyWords(QStringLiteral("of the and")).isEmpty());
    EXPECT_TRUE(IsFindStopWord(QStringLiteral("with")));
    EXPECT_FALSE(IsFindStopWord(QStringLiteral("unspecified")));
    EXPECT_FALSE(IsFindStopWord(QStringLiteral("2")));
}

TEST(CodeKeyOf, ReadsCodesAsTypedAndRejectsWords) {
    struct TCase {
        const char* Typed;
        const char* Key;
    };
    const TCase cases[] = {
        {"E11.9", "E119"}, {"e119", "E119"},       {"E11", "E11"},     {"e1", "E1"},
        {"s06.0x1a", "S060X1A"}, {" T07.XXXA ", "T07XXXA"}, {"E11.", "E11"},
        {"E", ""},         {"11", ""},             {"EE1", ""},        {"E11.9 x", ""},
        {"heart", ""},     {"E11.91234", ""},      {"É11", ""},        {"E11-9", ""},
    };
    for (const TCase& entry : cases)
        EXPECT_EQ(CodeKeyOf(QString::fromUtf8(entry.Typed)), QLatin1String(entry.Key)) << entry.Typed;
}

TEST(FindSynonyms, ParseEntriesAndReportBadLines) {
    QStringList problems;
    const std::vector<TFindSynonym> synonyms = ParseFindSynonyms(
        QStringLiteral("# comment\n\nCHF = congestive heart failure\r\n"
                       "kidney stone = calculus of kidney\nno equals sign\n = empty left\n"
                       "of = the\n"),
        &problems);
    ASSERT_EQ(synonyms.size(), 2u);
    EXPECT_EQ(synonyms[0].Words, List({"chf"}));
    EXPECT_EQ(synonyms[0].Expansion, List({"congestive", "heart", "failure"}));
    EXPECT_EQ(synonyms[1].Words, List({"kidney", "stone"}));
    EXPECT_EQ(synonyms[1].Expansion, List({"calculus", "kidney"}));
    EXPECT_EQ(problems, List({"line 5: no equals sign", "line 6: = empty left", "line 7: of = the"}));
}

TEST(FindSynonyms, TheCompiledListIsCleanAndHasTheCommonAbbreviations) {
    QStringList problems;
    const std::vector<TFindSynonym> synonyms = ParseFindSynonyms(FindSynonymText(), &problems);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(synonyms.size(), FindSynonyms().size());
    for (const char* abbreviation : {"copd", "uti", "chf", "mi", "dvt", "pe", "gerd", "ckd",
                                     "esrd", "hiv", "adhd", "uri", "bph"}) {
        const bool listed = std::any_of(synonyms.begin(), synonyms.end(), [&](const TFindSynonym& ASynonym) {
            return ASynonym.Words == QStringList{QLatin1String(abbreviation)};
        });
        EXPECT_TRUE(listed) << abbreviation;
    }
}

} // namespace
