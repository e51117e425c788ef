// The small text helpers shared by loaders and windows.
#include "DelimitedText.h"
#include "TextHelpers.h"

#include <gtest/gtest.h>

namespace {

TEST(AddUniqueString, AppendsOnlyNewNonEmptyTexts) {
    QStringList list{QStringLiteral("ABC")};
    AddUniqueString(list, QString());
    AddUniqueString(list, QStringLiteral("ABC"));
    AddUniqueString(list, QStringLiteral("abc"));
    EXPECT_EQ(list, (QStringList{QStringLiteral("ABC"), QStringLiteral("abc")}));
}

TEST(SameIgnoringDash, ReadsHyphensAsBlanks) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"SKIN-GRAFT", "SKIN GRAFT", true}, {"SKIN-GRAFT", "SKINGRAFT", false},
        {"A-B", "A B", true},                {"A-B", "a b", false},
        {"", "", true},                      {"-", " ", true},
    };
    for (const auto& [a, b, same] : cases)
        EXPECT_EQ(SameIgnoringDash(QLatin1String(a), QLatin1String(b)), same) << a << " / " << b;
}

TEST(CapitalizeWords, CapitalizesWordStartsOnly) {
    const std::pair<const char*, const char*> cases[] = {
        {"osteo myelitis", "Osteo Myelitis"}, {"due-to", "Due-To"},   {"e.coli", "E.coli"},
        {"mcDonald", "McDonald"},             {"DUE TO", "DUE TO"},   {"x-ray", "X-Ray"},
        {"a\tb", "A\tB"},                     {"", ""},               {"1st degree", "1st Degree"},
    };
    for (const auto& [in, out] : cases) {
        QString text = QString::fromLatin1(in);
        CapitalizeWords(text);
        EXPECT_EQ(text, QLatin1String(out)) << in;
    }
    QString accented = QString::fromUtf8("\u00e9clair");
    CapitalizeWords(accented); // only ASCII letters change
    EXPECT_EQ(accented, QString::fromUtf8("\u00e9clair"));
}

TEST(CountCodeChars, CountsDigitsAndCapitals) {
    int pos = -1;
    QChar first = QLatin1Char('?');
    EXPECT_EQ(CountCodeChars(QStringLiteral("a12b"), pos, first), 2);
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(first, QLatin1Char('1'));
    EXPECT_EQ(CountCodeChars(QStringLiteral("abc"), pos, first), 0);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(first, QLatin1Char('1')); // unchanged when there is none
    EXPECT_EQ(CountCodeChars(QStringLiteral("S06.0X1A"), pos, first), 7);
    EXPECT_EQ(first, QLatin1Char('S'));
}

TEST(SqueezeBlanks, CollapsesRunsWithoutTrimming) {
    EXPECT_EQ(SqueezeBlanks(QStringLiteral("  a\t b")), QStringLiteral(" a b"));
    EXPECT_EQ(SqueezeBlanks(QStringLiteral("a \t")), QStringLiteral("a "));
    EXPECT_EQ(SqueezeBlanks(QString()), QString());
}

TEST(SplitDelimitedText, SplitsLikeTheRuleTexts) {
    const std::pair<const char*, QStringList> cases[] = {
        {"a;b", {QStringLiteral("a"), QStringLiteral("b")}},
        {" a ; b ", {QStringLiteral("a"), QStringLiteral("b")}},
        {"a b", {QStringLiteral("a"), QStringLiteral("b")}},
        {"a;;b", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {"a;", {QStringLiteral("a"), QString()}},
        {"\"x y\";z", {QStringLiteral("x y"), QStringLiteral("z")}},
        {"\"say \"\"hi\"\"\"", {QStringLiteral("say \"hi\"")}},
        {"\"open", {QStringLiteral("open")}},
        {"", {}},
    };
    for (const auto& [text, items] : cases)
        EXPECT_EQ(SplitDelimitedText(QString::fromLatin1(text), QLatin1Char(';')), items) << text;
}

} // namespace
