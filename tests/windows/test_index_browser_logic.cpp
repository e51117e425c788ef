// Searching, paging and code texts of the index and table windows, without a widget.
#include "IndexCodeText.h"
#include "IndexFixture.h"
#include "IndexSearch.h"
#include "Paging.h"

#include <gtest/gtest.h>

namespace {

QStringList TitlesOf(const QList<const TTerm*>& ATerms) {
    QStringList titles;
    for (const TTerm* term : ATerms)
        titles << term->FTitle;
    return titles;
}

TEST(SearchTextOf, TrimsBlanksAndControlsAndCapitalisesOnlyAsciiLetters) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},         {"   ", ""},        {" ab", "AB"}, {"\tAb \r\n", "AB"},
        {"aB c", "AB C"}, {"2,4-d", "2,4-D"}, {"é", "é"},    {"\x01x\x1f", "X"},
    };
    for (const auto& [box, expected] : cases)
        EXPECT_EQ(SearchTextOf(QString::fromUtf8(box)), QString::fromUtf8(expected)) << box;
}

TEST(TitleStartsWith, ComparesTheTitleCutToTheSearchLength) {
    struct TCase {
        const char* Title;
        const char* Search;
        bool Match;
    } const cases[] = {
        {"Abscess", "", true},     {"Abscess", "AB", true},
        {"abscess", "ABS", true},  {"Abscess", "ABSCESSES", false},
        {"Abscess", "BS", false},  {"Fall, falling", "FALL,", true},
        {"éclampsia", "é", true}, // only a-z are folded: é and É stay apart
        {"Éclampsia", "é", false}, {"éclampsia", "E", false},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TitleStartsWith(QString::fromUtf8(c.Title), QString::fromUtf8(c.Search)), c.Match)
            << c.Title << " / " << c.Search;
}

class MainTermSearch : public testing::Test {
  protected:
    void SetUp() override {
        TAlphaLetter& hash = AddLetter(FDrugs, QStringLiteral("#"));
        AddMain(hash, QStringLiteral("2,4-D (dichlorophen-oxyacetic acid) "));
        AddMain(hash, QStringLiteral("2-propanol"));
        AddMain(hash, QStringLiteral("4-Aminophenol"));
        TAlphaLetter& a = AddLetter(FDrugs, QStringLiteral("A"));
        AddMain(a, QStringLiteral("Abacavir"));
        AddMain(a, QStringLiteral("Acetaminophen"));
        // A title under a letter it does not begin with is only found through that letter.
        AddMain(a, QStringLiteral("Butter (A)"));
        TAlphaLetter& b = AddLetter(FDrugs, QStringLiteral("B"));
        AddMain(b, QStringLiteral("Baclofen"));
        AddMain(b, QStringLiteral("abacus"));
    }
    TAlphaLetterList FDrugs;
};

TEST_F(MainTermSearch, EmptyTextListsEveryMainTermInLetterOrder) {
    EXPECT_EQ(SearchMainTerms(&FDrugs, {}, TLetterRule::Exact).size(), 8);
    EXPECT_EQ(TitlesOf(SearchMainTerms(&FDrugs, {}, TLetterRule::Exact)).first(),
              QStringLiteral("2,4-D (dichlorophen-oxyacetic acid) "));
    EXPECT_TRUE(SearchMainTerms(nullptr, {}, TLetterRule::Exact).isEmpty());
}

TEST_F(MainTermSearch, OnlyTheFirstMatchingLetterIsSearched) {
    struct TCase {
        const char* Search;
        TLetterRule Rule;
        QStringList Titles;
    } const cases[] = {
        {"A", TLetterRule::Exact, {QStringLiteral("Abacavir"), QStringLiteral("Acetaminophen")}},
        {"AB", TLetterRule::Exact, {QStringLiteral("Abacavir")}}, // not "abacus" under B
        {"B", TLetterRule::Exact, {QStringLiteral("Baclofen")}},  // not "Butter" under A
        {"2,4",
         TLetterRule::DigitsInHash,
         {QStringLiteral("2,4-D (dichlorophen-oxyacetic acid) ")}},
        {"4", TLetterRule::DigitsInHash, {QStringLiteral("4-Aminophenol")}},
        {"2", TLetterRule::Exact, {}},        // the index rule knows no "#" group
        {"0", TLetterRule::DigitsInHash, {}}, // 0 is not one of the digits of "#"
        {"#", TLetterRule::Exact, {}},        // the group's own title matches no title
        {"Q", TLetterRule::Exact, {}},
        {"AZ", TLetterRule::Exact, {}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TitlesOf(SearchMainTerms(&FDrugs, QString::fromUtf8(c.Search), c.Rule)), c.Titles)
            << c.Search;
}

TEST(LetterMatches, HashTakesDigitsOneToNineOnlyUnderTheTableRule) {
    for (char digit = '1'; digit <= '9'; ++digit)
        EXPECT_TRUE(
            LetterMatches(QStringLiteral("#"), QLatin1Char(digit), TLetterRule::DigitsInHash));
    EXPECT_FALSE(LetterMatches(QStringLiteral("#"), QLatin1Char('0'), TLetterRule::DigitsInHash));
    EXPECT_FALSE(LetterMatches(QStringLiteral("#"), QLatin1Char('5'), TLetterRule::Exact));
    EXPECT_FALSE(LetterMatches(QStringLiteral("A"), QLatin1Char('5'), TLetterRule::DigitsInHash));
    EXPECT_TRUE(LetterMatches(QStringLiteral("N"), QLatin1Char('N'), TLetterRule::Exact));
    EXPECT_FALSE(LetterMatches(QStringLiteral("N"), QLatin1Char('n'), TLetterRule::Exact));
}

TEST(SubTermSearch, FiltersTheSubTermsAndTrailRunsFromTheMainTerm) {
    TAlphaLetterList list;
    TTerm& main = AddMain(AddLetter(list, QStringLiteral("F")), QStringLiteral("Fracture"));
    TTerm& femur = AddSub(main, QStringLiteral("femur"));
    AddSub(main, QStringLiteral("Fibula"));
    AddSub(main, QStringLiteral("hip"));
    TTerm& neck = AddSub(femur, QStringLiteral("neck"));
    EXPECT_EQ(SearchSubTerms(main, {}).size(), 3);
    EXPECT_EQ(TitlesOf(SearchSubTerms(main, QStringLiteral("F"))),
              (QStringList{QStringLiteral("femur"), QStringLiteral("Fibula")}));
    EXPECT_TRUE(SearchSubTerms(neck, {}).isEmpty());
    EXPECT_EQ(
        TitlesOf(TrailOf(neck)),
        (QStringList{QStringLiteral("Fracture"), QStringLiteral("femur"), QStringLiteral("neck")}));
    EXPECT_EQ(TrailOf(main).size(), 1);
}

TEST(Paging, CountsAndClampsPages) {
    EXPECT_EQ(PageCount(0, 20), 0);
    EXPECT_EQ(PageCount(1, 20), 1);
    EXPECT_EQ(PageCount(20, 20), 1);
    EXPECT_EQ(PageCount(21, 20), 2);
    EXPECT_EQ(ClampPage(5, 2), 2);
    EXPECT_EQ(ClampPage(3, 0), 1);
    EXPECT_EQ(ClampPage(0, 4), 1);
    EXPECT_EQ(ClampPage(3, 4), 3);
}

TEST(Paging, RowHeightRoundsHalvesToEven) {
    EXPECT_EQ(RowHeightPx(14, 96), 20);  // 18.67 -> 19
    EXPECT_EQ(RowHeightPx(14, 120), 24); // 23.33 -> 23
    EXPECT_EQ(RowHeightPx(15, 72), 16);
    EXPECT_EQ(RowHeightPx(6, 54), 5); // 4.5 -> 4
    EXPECT_EQ(RowHeightPx(3, 60), 3); // 2.5 -> 2
    EXPECT_EQ(RowHeightPx(7, 54), 6); // 5.25 -> 5
}

TEST(Paging, PageSizeFollowsTheHeightOnlyWhenMoreThanTenRowsFit) {
    EXPECT_EQ(LinesPerPageFor(542, 20, 20), 25);
    EXPECT_EQ(LinesPerPageFor(219, 20, 17), 17); // 10 rows keep the old size
    EXPECT_EQ(LinesPerPageFor(239, 20, 17), 9);  // 11 rows: two fewer
    EXPECT_EQ(LinesPerPageFor(0, 20, 17), 17);
}

TEST(Paging, ResizeKeepsThePositionOfTheSelectedRow) {
    // Row 5 of page 3 at 20 a page is position 46; at 25 a page it is row 21 of page 2.
    const int position = PositionOf(3, 20, 5);
    EXPECT_EQ(position, 46);
    EXPECT_EQ(PageOfPosition(position, 25), 2);
    EXPECT_EQ(IndexOnPage(position, 25), 20);
    // A last row of a page stays the last row.
    EXPECT_EQ(IndexOnPage(50, 25), 24);
    EXPECT_EQ(PageOfPosition(50, 25), 2);
    // Nothing selected: the first row of the page.
    EXPECT_EQ(PositionOf(2, 20, -1), 21);
    EXPECT_EQ(PageOfPosition(0, 25), 1);
}

TEST(IndexCodeText, BuildsTheViewersCodeTextOrNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"S72.00-", "S72.00"},  {"A00", "A00"},  {"N20", "N20"},           {"C79.8-", "C79.8"},
        {"T51.3X1", "T51.3X1"}, {"A01.", "A01"}, {"S06.0X1A", "S06.0X1A"}, {"A40-", "A40"},
        {"O42-", "O42"}, // categories written with a dash only
        {"A00.-", "A00"},
    };
    for (const auto& [text, code] : cases) {
        const std::optional<QString> result = IndexCodeText(QString::fromLatin1(text));
        ASSERT_TRUE(result.has_value()) << text;
        EXPECT_EQ(*result, QString::fromLatin1(code)) << text;
    }
    for (const char* text : {"", "-", "--", "a00", "s72.00-", "A1", "A01.00000", "A40--", "A4-",
                             "SCFE", "A40-1", "Neoplasm", "Poisoning, Assault"})
        EXPECT_FALSE(IndexCodeText(QString::fromLatin1(text)).has_value()) << text;
}

TEST(IndexCodeText, PicksTheFieldOfEachCommand) {
    TAlphaLetterList list;
    TTerm& term = AddMain(AddLetter(list, QStringLiteral("D")), QStringLiteral("Dementia"),
                          QStringLiteral("F03.90"));
    term.FManifest = QStringLiteral("F02.80");
    term.FSeeCat = QStringLiteral("G30");
    term.FSubCat = QStringLiteral("G30.1");
    EXPECT_EQ(TermFieldText(term, TTermField::Code), QStringLiteral("F03.90"));
    EXPECT_EQ(TermFieldText(term, TTermField::Manifest), QStringLiteral("F02.80"));
    EXPECT_EQ(TermFieldText(term, TTermField::SeeCategory), QStringLiteral("G30"));
    EXPECT_EQ(TermFieldText(term, TTermField::SeeSubcategory), QStringLiteral("G30.1"));
}

TEST(IsCodeCell, OnlyColumnsTwoToSevenOfDataRows) {
    for (int row = 0; row <= 2; ++row)
        for (int column = 0; column <= 8; ++column)
            EXPECT_EQ(IsCodeCell(row, column), row >= 1 && column >= 2 && column <= 7)
                << row << "," << column;
}

} // namespace
