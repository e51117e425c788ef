// Composition of code text into tagged lines: wrapping, kinds, notes, page keeping, the
// selected sub-code, chapters and sections, the visual impairment table and the anchors.
#include "CodeQueries.h"
#include "CodeTextLayout.h"
#include "EngineGlobals.h"
#include "TabularLoader.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

class CodeTextLayout : public testing::Test {
protected:
    static void SetUpTestSuite() {
        TMessageRecorder quiet;
        ASSERT_TRUE(LoadTabularFromFile(QStringLiteral(TABULON_SAMPLE_DIR "/tabular.xml")));
        ResetCategoryIndex();
    }
    static TComposedText Compose(const char* ACategory, int AWidth, int AHeight,
                                 QString ASelected = QString(), int* ALine = nullptr) {
        TComposedText text;
        int line = -1;
        ComposeCodeText(*FindCategory(QLatin1String(ACategory)), AWidth, AHeight, ASelected, line, text);
        if (ALine)
            *ALine = line;
        EXPECT_EQ(text.Kinds.size(), text.Lines.size());
        return text;
    }
};

TEST(SmallTextOperations, PadFillIndentAndPages) {
    EXPECT_EQ(FillChars(3, QLatin1Char('-')), QStringLiteral("---"));
    EXPECT_EQ(FillChars(-1, QLatin1Char('-')), QString());
    EXPECT_EQ(PadText(5, QLatin1Char('.'), QStringLiteral("ab"), TAlignment::Left), QStringLiteral("ab..."));
    EXPECT_EQ(PadText(5, QLatin1Char('.'), QStringLiteral("ab"), TAlignment::Right), QStringLiteral("...ab"));
    EXPECT_EQ(PadText(5, QLatin1Char('.'), QStringLiteral("ab"), TAlignment::Centre), QStringLiteral(".ab.."));
    EXPECT_EQ(PadText(2, QLatin1Char('.'), QStringLiteral("abc"), TAlignment::Centre), QStringLiteral("abc"));
    const int narrow[] = {0, 2, 4, 6, 8, 8}, wide[] = {0, 6, 10, 13, 16, 16};
    for (int level = 0; level < 6; ++level) {
        EXPECT_EQ(IndentFor(level, false).size(), narrow[level]);
        EXPECT_EQ(IndentFor(level, true).size(), wide[level]);
    }
    EXPECT_TRUE(SamePage(1, 16, 16));
    EXPECT_FALSE(SamePage(16, 17, 16));
    EXPECT_TRUE(SamePage(17, 32, 16));
}

TEST(WrapLine, BreaksAtTheLastBlankThatFits) {
    TComposedText out;
    WrapLine(QStringLiteral("A00.0 one two three four"), 13, QStringLiteral("      "), out, 2);
    EXPECT_EQ(out.Lines, (QStringList{QStringLiteral("A00.0 one two"), QStringLiteral("      three"),
                                      QStringLiteral("      four")}));
    EXPECT_EQ(out.Kinds, QStringLiteral("299"));

    TComposedText longWord;
    WrapLine(QStringLiteral("Supercalifragilistic"), 8, QStringLiteral("  "), longWord, 4);
    EXPECT_EQ(longWord.Lines, QStringList{QStringLiteral("Supercalifragilistic")}); // not broken
    EXPECT_EQ(longWord.Kinds, QStringLiteral("4"));

    const std::pair<int, QChar> continuations[] = {{0, QLatin1Char('8')}, {1, QLatin1Char('9')},
                                                   {3, QLatin1Char('9')}, {4, QLatin1Char('C')},
                                                   {5, QLatin1Char('D')}};
    for (const auto& [kind, expected] : continuations) {
        TComposedText wrapped;
        WrapLine(QStringLiteral("aaa bbb"), 4, QString(), wrapped, kind);
        EXPECT_EQ(wrapped.Kinds[1], expected) << kind;
    }
}

TEST_F(CodeTextLayout, CodesGetTheirKindsAndNotesTheirLeads) {
    const TComposedText s06 = Compose("S06", 90, 1000);
    EXPECT_EQ(s06.Lines[0], QStringLiteral("S06 Intracranial injury"));
    EXPECT_EQ(s06.Kinds[0], QLatin1Char('2')); // has sub-codes
    const qsizetype leaf = s06.Lines.indexOf(QStringLiteral("      S06.0X1 Concussion with loss of consciousness of 30 minutes or less"));
    ASSERT_GE(leaf, 0) << s06.Lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(s06.Kinds[leaf], QLatin1Char('5')); // a seventh character must still be chosen
    EXPECT_TRUE(s06.Lines.contains(QStringLiteral("      A - initial encounter")));
    EXPECT_TRUE(s06.TypeWords.contains(QStringLiteral("CODE ALSO")));
    EXPECT_TRUE(s06.Lines.contains(QStringLiteral("    CODE ALSO any associated open wound of head (S01.-)")));

    const TComposedText a00 = Compose("A00", 90, 1000);
    EXPECT_EQ(a00.Lines, (QStringList{QStringLiteral("A00 Cholera"),
                                      QStringLiteral("  A00.0 Cholera due to Vibrio cholerae 01, biovar cholerae"),
                                      QStringLiteral("          Classical cholera"),
                                      QStringLiteral("  A00.9 Cholera, unspecified")}));
    EXPECT_EQ(a00.Kinds, QStringLiteral("2343"));
}

TEST_F(CodeTextLayout, ContinuationLinesAlignUnderTheDescription) {
    const TComposedText text = Compose("A00", 30, 1000);
    EXPECT_EQ(text.Lines[1], QStringLiteral("  A00.0 Cholera due to Vibrio"));
    EXPECT_EQ(text.Lines[2], QStringLiteral("        cholerae 01, biovar"));
    EXPECT_EQ(text.Kinds.left(4), QStringLiteral("2399"));
}

TEST_F(CodeTextLayout, BlocksMoveToTheNextPageBehindFillers) {
    // Three lines a page: A01 (line 1), A01.0 with its inclusion term (2-3), A01.00 (4),
    // A01.01 (5); the three lines of A01.02 would take 6-8 across a page boundary, so one
    // filler moves them to 7-9.
    const TComposedText text = Compose("A01", 90, 3);
    const qsizetype a0102 = text.Lines.indexOf(QStringLiteral("    A01.02 Typhoid fever with heart involvement"));
    ASSERT_EQ(a0102, 6) << text.Lines.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(text.Lines[5].isEmpty());
    EXPECT_EQ(text.Kinds, QStringLiteral("224335344"));
    EXPECT_EQ(text.Kinds[5], QLatin1Char('5'));

    // A block taller than a page stays where it falls.
    const TComposedText tall = Compose("H54", 90, 3);
    EXPECT_FALSE(tall.Kinds.contains(QLatin1Char('5')));
}

TEST_F(CodeTextLayout, SelectedSubCodeGivesItsLineAfterFillers) {
    int line = 0;
    const TComposedText text = Compose("A01", 90, 3, QStringLiteral("02"), &line);
    EXPECT_EQ(line, 7); // behind the filler
    EXPECT_EQ(text.Lines[line - 1], QStringLiteral("    A01.02 Typhoid fever with heart involvement"));
    int none = 0;
    Compose("A01", 90, 4, QStringLiteral("77"), &none);
    EXPECT_EQ(none, -1); // unchanged when the sub-code is not there
}

TEST_F(CodeTextLayout, ChapterAndSectionTexts) {
    const TChapter& chapter = *ChapterList->front();
    TComposedText text;
    ComposeChapterText(chapter, text);
    EXPECT_EQ(text.Lines[0], QStringLiteral("(A00-A09) Sample infectious diseases"));
    EXPECT_EQ(text.Kinds[0], QLatin1Char('1'));
    EXPECT_EQ(text.Lines[1], QStringLiteral("          INCLUDES diseases passed from person to person"));
    EXPECT_EQ(text.TypeWords, (QStringList{QStringLiteral("INCLUDES"), QStringLiteral("USE ADDITIONAL"),
                                           QStringLiteral("EXCLUDES 1:"), QStringLiteral("EXCLUDES 2:")}));
    EXPECT_EQ(text.Kinds, QStringLiteral("10000"));

    TComposedText section;
    ComposeSectionText(*chapter.FSubList[0], 30, section);
    // "infectious" would end at column 31: the line breaks at the blank before it.
    EXPECT_EQ(section.Lines[0], QStringLiteral("(A00-A09) Intestinal"));
    EXPECT_EQ(section.Lines[1], QStringLiteral("          infectious diseases"));
    EXPECT_EQ(section.Kinds.left(2), QStringLiteral("19"));
}

TEST_F(CodeTextLayout, VisualImpairmentTableRows) {
    const TComposedText text = Compose("H54", 90, 1000);
    const qsizetype top = text.Lines.indexOf(FillChars(90, QLatin1Char('-')));
    ASSERT_GE(top, 0);
    EXPECT_EQ(text.Lines[top + 1], QStringLiteral("|   Category of   |") +
                                       PadText(70, QLatin1Char(' '), QStringLiteral("Visual acuity with best possible correction"), TAlignment::Centre) +
                                       QLatin1Char('|'));
    EXPECT_EQ(text.Kinds.mid(top, 5), QStringLiteral("01010"));
    // Each category's number heads its rows; every notation of its limits stands under the
    // maximum and minimum headings.
    const auto row = [](const char* ACategory, const char* AMax, const char* AMin) {
        return QLatin1Char('|') + PadText(17, QLatin1Char(' '), QLatin1String(ACategory), TAlignment::Centre) +
               QLatin1Char('|') + PadText(34, QLatin1Char(' '), QLatin1String(AMax), TAlignment::Centre) +
               QLatin1Char('|') + PadText(35, QLatin1Char(' '), QLatin1String(AMin), TAlignment::Centre) +
               QLatin1Char('|');
    };
    const QString between = QLatin1Char('|') + FillChars(17, QLatin1Char(' ')) + QLatin1Char('|') +
                            FillChars(34, QLatin1Char('-')) + QLatin1Char('|') + FillChars(35, QLatin1Char('-')) +
                            QLatin1Char('|');
    const QString rule = QLatin1Char('|') + FillChars(17, QLatin1Char('-')) + QLatin1Char('|') +
                         FillChars(34, QLatin1Char('-')) + QLatin1Char('|') + FillChars(35, QLatin1Char('-')) +
                         QLatin1Char('|');
    const QStringList rows = {
        row("1", "6/18", "6/60"), between, row("", "3/10(0.3)", "1/10(0.1)"), between, row("", "20/70", "20/200"),
        rule, row("2", "6/60", "3/60"), FillChars(90, QLatin1Char('-')),
    };
    EXPECT_EQ(text.Lines.mid(top + 5), rows);
    EXPECT_EQ(text.Kinds.mid(top + 5), FillChars(static_cast<int>(rows.size()), QLatin1Char('0')));
    for (qsizetype i = top; i < text.Lines.size(); ++i)
        EXPECT_EQ(text.Lines[i].size(), 90) << i;
}

TEST(Anchors, CountAndFindAnchorLines) {
    const QString kinds = QStringLiteral("5523C9D40");
    EXPECT_EQ(CountAnchors(kinds, 3), 1);
    EXPECT_EQ(CountAnchors(kinds, 9), 4);
    EXPECT_EQ(LineOfAnchor(kinds, 0), 3);
    EXPECT_EQ(LineOfAnchor(kinds, 2), 4);
    EXPECT_EQ(LineOfAnchor(kinds, 3), 8);
    EXPECT_EQ(LineOfAnchor(kinds, 5), 10); // never reached: the line after the last
}

} // namespace
