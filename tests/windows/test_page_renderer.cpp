// Rendering a page into its text and coloured runs.
#include "PageRenderer.h"
#include "WordBoundaries.h"

#include <gtest/gtest.h>

namespace {

const QStringList kLines = {
    QStringLiteral("S06 Intracranial injury"),                 // 2
    QStringLiteral("    EXCLUDES 1: injury of the abdomen"),   // 0
    QStringLiteral("      A - initial encounter abdomen"),     // 4
    QStringLiteral(""),                                       // 5 filler
    QStringLiteral("      S06.0X1 Concussion, abdomen."),      // 5
    QStringLiteral("  A00.9 Cholera includes ABDOMEN"),        // 3
    QStringLiteral("(A00-A09) Intestinal"),                    // 1
};
const QString kKinds = QStringLiteral("2045531");

QList<TColourRun> RunsOf(const TRenderedPage& APage, TRgb AColour) {
    QList<TColourRun> runs;
    for (const TColourRun& run : APage.Runs)
        if (run.Colour == AColour)
            runs << run;
    return runs;
}

QStringList TextsOf(const TRenderedPage& APage, const QList<TColourRun>& ARuns) {
    QStringList texts;
    for (const TColourRun& run : ARuns)
        texts << APage.Text.mid(run.Start, run.Length);
    return texts;
}

TEST(RenderPage, ColoursLinesByKindInPaintingOrder) {
    const TRenderedPage page = RenderPage(kLines, kKinds, 100, 1, QStringLiteral("S06.0X1"),
                                          {QStringLiteral("ABDOMEN")}, {QStringLiteral("INCLUDES"),
                                                                        QStringLiteral("EXCLUDES 1:")});
    EXPECT_EQ(page.Text, kLines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    ASSERT_FALSE(page.Runs.isEmpty());
    EXPECT_EQ(page.Runs.front(), (TColourRun{0, page.Text.size(), kTextGrey}));
    // Black for code and header lines, not for note ("0") or detail ("4") lines.
    EXPECT_EQ(TextsOf(page, RunsOf(page, kBlack)),
              (QStringList{kLines[0], kLines[4], kLines[5], kLines[6]}));
    EXPECT_EQ(TextsOf(page, RunsOf(page, kHeaderCodeRed)), QStringList{QStringLiteral("S06")});
    EXPECT_EQ(TextsOf(page, RunsOf(page, kSeventhCodeBlue)), QStringList{QStringLiteral("S06.0X1")});
    EXPECT_EQ(TextsOf(page, RunsOf(page, kFinalCodeGreen)), QStringList{QStringLiteral("A00.9")});
    // Keywords on detail lines and code lines, never on note lines; a full stop is no boundary.
    EXPECT_EQ(TextsOf(page, RunsOf(page, kKeywordFuchsia)),
              (QStringList{QStringLiteral("abdomen"), QStringLiteral("ABDOMEN")}));
    // Type words wherever they stand as whole words, in any case.
    EXPECT_EQ(TextsOf(page, RunsOf(page, kTypeWordPurple)),
              (QStringList{QStringLiteral("includes"), QStringLiteral("EXCLUDES 1:")}));
    EXPECT_EQ(page.Text.mid(page.SelectedStart, page.SelectedLength), QStringLiteral("S06.0X1"));

    // Painting order: grey, black, codes, type words, keywords.
    qsizetype lastStage = 0;
    const QList<TRgb> stages = {kTextGrey, kBlack, kHeaderCodeRed, kTypeWordPurple, kKeywordFuchsia};
    for (const TColourRun& run : page.Runs) {
        qsizetype stage = stages.indexOf(run.Colour);
        if (run.Colour == kSeventhCodeBlue || run.Colour == kFinalCodeGreen)
            stage = 2;
        EXPECT_GE(stage, lastStage);
        lastStage = stage;
    }
}

TEST(RenderPage, PagesAnchorsAndSelection) {
    const TRenderedPage second = RenderPage(kLines, kKinds, 3, 2, QStringLiteral("A00.9"), {}, {});
    EXPECT_EQ(second.Text, QStringLiteral("\n      S06.0X1 Concussion, abdomen.\n  A00.9 Cholera includes ABDOMEN\n"));
    EXPECT_EQ(second.OriginalLine, 3); // anchors among lines 1..4: 2, 0, 4
    EXPECT_EQ(second.Text.mid(second.SelectedStart, second.SelectedLength), QStringLiteral("A00.9"));
    const TRenderedPage unknown = RenderPage(kLines, kKinds, 3, 2, QStringLiteral("A00"), {}, {});
    EXPECT_EQ(unknown.SelectedStart, -1); // whole token only
    const TRenderedPage past = RenderPage(kLines, kKinds, 3, 9, QString(), {}, {});
    EXPECT_TRUE(past.Text.isEmpty());
    EXPECT_EQ(past.OriginalLine, 0);
}

TEST(WordBoundaries, WholeWordRules) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"ABDOMEN", "PAIN IN ABDOMEN", true},   {"ABDOMEN", "(ABDOMEN)", true},
        {"ABDOMEN", "ABDOMEN.", false},          {"ABDOMEN", "ABDOMINAL", false},
        {"ABDOMEN", "ABDOMENS ABDOMEN", true},   {"X-RAY", "AN X-RAY", true},
        {"RAY", "X-RAY", true},                  {"ABDOMEN", "[ABDOMEN]", true},
        {"ABDOMEN", "ABDOMEN;", false},          {"", "ANY", false},
    };
    for (const auto& [word, text, found] : cases)
        EXPECT_EQ(ContainsWord(QLatin1String(word), QLatin1String(text)), found) << word << " in " << text;
    QList<qsizetype> positions, lengths;
    FindWordPositions(QStringLiteral("gas in abdomen, Abdomen."), {QStringLiteral("ABDOMEN"), QStringLiteral("GAS")},
                      positions, lengths);
    EXPECT_EQ(positions, (QList<qsizetype>{7, 0}));
    EXPECT_EQ(lengths, (QList<qsizetype>{7, 3}));
}

} // namespace
