// tabulon-cli show: the viewer's composed text of a chapter, section or category, page by page
// with the kind of each line, on the embedded sample data set.
#include "CliTestRun.h"

#include <QRegularExpression>

namespace {

using ShowCommand = CliTest;

const QString kShow = QStringLiteral("show");

// The body lines of a show output: "K M text" with K the kind and M the marker.
struct TShownLine {
    QChar Kind;
    bool Marked;
    QString Text;
};

QList<TShownLine> BodyLines(const QString& AOut) {
    QList<TShownLine> lines;
    const QStringList all = AOut.split(QLatin1Char('\n'));
    for (qsizetype i = 2; i < all.size(); ++i) {
        const QString& line = all[i];
        if (line.isEmpty() || line.startsWith(QLatin1String("== page ")))
            continue;
        lines.append({line.at(0), line.at(2) == QLatin1Char('>'), line.mid(4)});
    }
    return lines;
}

TEST_F(ShowCommand, SmallObjectsAreShownWholeWithTheirKinds) {
    using Case = TCliOutputCase;
    const Case cases[] = {
        // A code that reads like a section's range is the category, as in the viewer's code box.
        {{kShow, QStringLiteral("t07")},
         "Category T07  Unspecified multiple injuries\n"
         "width 90, 16 lines per page, 5 lines, 1 page\n"
         "== page 1/1\n"
         "5   T07 Unspecified multiple injuries\n"
         "0       EXCLUDES 1: injury NOS (T14.90)\n"
         "4         A - initial encounter\n"
         "4         D - subsequent encounter\n"
         "4         S - sequela\n"},
    };
    ExpectOutputs(cases);
}

TEST_F(ShowCommand, ChaptersAndSectionsByNumberAndRange) {
    struct Case {
        QStringList Args;
        const char* Title;
        const char* FirstLine;
    };
    const Case cases[] = {
        {{kShow, QStringLiteral("3")}, "Chapter 3  Sample injuries (S06-T07)", "1   (S06-T07) Sample injuries"},
        {{kShow, QStringLiteral("s06-t07")}, "Chapter Sample injuries (S06-T07)", "1   (S06-T07) Sample injuries"},
                // A section is named by the range of its title, as the browser shows it.
        {{kShow, QStringLiteral("S06-S06")}, "Section (S06-S06)  Injuries to the head", "1   (S06-S06) Injuries to the head"},
    };
    for (const Case& c : cases) {
        const TCliResult r = Run(c.Args);
        ASSERT_EQ(r.Status, 0) << Describe(c.Args, r);
        const QStringList lines = r.Out.split(QLatin1Char('\n'));
        EXPECT_EQ(lines.value(0), QLatin1String(c.Title)) << Describe(c.Args, r);
        EXPECT_EQ(lines.value(3), QLatin1String(c.FirstLine)) << Describe(c.Args, r);
    }
}

TEST_F(ShowCommand, MarksTheCodeInItsCategory) {
    struct Case {
        QString What;
        const char* Title;
        const char* Marked; // the marked line's text without its indentation
    };
    const Case cases[] = {
        {QStringLiteral("H54.8"), "Category H54  Blindness and low vision", "H54.8 Legal blindness, as defined in USA"},
        // A seven-character code is marked on the code that carries its seventh characters.
        {QStringLiteral("S06.0X1A"), "Category S06  Intracranial injury",
         "S06.0X1 Concussion with loss of consciousness of 30 minutes or less"},
        {QStringLiteral("s060x8s"), "Category S06  Intracranial injury",
         "S06.0X8 Concussion with loss of consciousness and death due to other cause"},
        {QStringLiteral("S06.0X"), "Category S06  Intracranial injury", "S06.0X Concussion"},
    };
    for (const Case& c : cases) {
        const QStringList args{kShow, QStringLiteral("--page-lines"), QStringLiteral("10"), c.What};
        const TCliResult r = Run(args);
        ASSERT_EQ(r.Status, 0) << Describe(args, r);
        const QStringList out = r.Out.split(QLatin1Char('\n'));
        EXPECT_EQ(out.value(0), QLatin1String(c.Title));
        // The summary names the marked line and its page; the line sits there in the output.
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("marked line (\\d+) on page (\\d+)$")).match(out.value(1));
        ASSERT_TRUE(m.hasMatch()) << Describe(args, r);
        const int markedLine = m.captured(1).toInt(), markedPage = m.captured(2).toInt();
        EXPECT_EQ(markedPage, (markedLine + 9) / 10);
        const QList<TShownLine> lines = BodyLines(r.Out);
        ASSERT_GE(lines.size(), markedLine);
        int marks = 0;
        for (const TShownLine& line : lines)
            marks += line.Marked ? 1 : 0;
        EXPECT_EQ(marks, 1) << Describe(args, r);
        EXPECT_TRUE(lines[markedLine - 1].Marked) << Describe(args, r);
        EXPECT_EQ(lines[markedLine - 1].Text.trimmed(), QLatin1String(c.Marked)) << Describe(args, r);
        // The page header above the marked line is the page the summary names.
        const qsizetype at = r.Out.indexOf(QStringLiteral(" > ") + lines[markedLine - 1].Text);
        const qsizetype header = r.Out.lastIndexOf(QLatin1String("== page "), at);
        EXPECT_TRUE(r.Out.mid(header).startsWith(QStringLiteral("== page %1/").arg(markedPage))) << Describe(args, r);
    }
}

TEST_F(ShowCommand, LaysOutForTheGivenWidthAndPageHeight) {
    for (const int width : {40, 60, 90}) {
        const QStringList args{kShow, QStringLiteral("--width=%1").arg(width), QStringLiteral("--page-lines"),
                               QStringLiteral("10"), QStringLiteral("S06")};
        const TCliResult r = Run(args);
        ASSERT_EQ(r.Status, 0) << Describe(args, r);
        const QList<TShownLine> lines = BodyLines(r.Out);
        bool wrapped = false;
        for (const TShownLine& line : lines) {
            EXPECT_TRUE(QStringLiteral("01234589CD").contains(line.Kind)) << Describe(args, r);
            // Every line of the sample category has blanks to break at within these widths.
            EXPECT_LE(line.Text.size(), width) << line.Text.toStdString();
            wrapped = wrapped || QStringLiteral("89CD").contains(line.Kind);
        }
        EXPECT_EQ(wrapped, width < 90) << Describe(args, r);
        // Pages of ten lines: every page header is followed by at most ten lines, and the count
        // in the summary matches.
        const QStringList blocks = r.Out.split(QStringLiteral("== page "), Qt::SkipEmptyParts).mid(1);
        const int pages = static_cast<int>((lines.size() + 9) / 10);
        EXPECT_EQ(blocks.size(), pages);
        for (const QString& block : blocks)
            EXPECT_LE(block.count(QLatin1Char('\n')) - 1, 10);
        EXPECT_TRUE(r.Out.split(QLatin1Char('\n')).value(1).contains(
            QStringLiteral("%1 lines, %2 page").arg(lines.size()).arg(pages)))
            << Describe(args, r);
    }
}

TEST_F(ShowCommand, NotFoundAndBadArguments) {
    using Case = TCliFailureCase;
    const Case cases[] = {
        {{kShow}, 2, "tabulon-cli: show needs one chapter, section or code"},
        {{kShow, QStringLiteral("S06"), QStringLiteral("T07")}, 2, "tabulon-cli: show needs one chapter"},
        {{kShow, QStringLiteral("--width"), QStringLiteral("19"), QStringLiteral("S06")}, 2,
         "tabulon-cli: the viewer lays text out only from 20 characters and 10 lines per page"},
        {{kShow, QStringLiteral("--page-lines"), QStringLiteral("9"), QStringLiteral("S06")}, 2,
         "tabulon-cli: the viewer lays text out only from 20"},
        {{kShow, QStringLiteral("--width"), QStringLiteral("wide"), QStringLiteral("S06")}, 2,
         "tabulon-cli: --width needs a number"},
        {{kShow, QStringLiteral("Z99")}, 1, "tabulon-cli: no category Z99 in the tabular list"},
        {{kShow, QStringLiteral("S06.9")}, 1, "tabulon-cli: no code S06.9 in category S06"},
        {{kShow, QStringLiteral("S06.0X1Z")}, 1, "tabulon-cli: no code S06.0X1Z in category S06"},
        {{kShow, QStringLiteral("4")}, 1, "tabulon-cli: no chapter 4: the chapters are numbered 1 to 3"},
        {{kShow, QStringLiteral("0")}, 1, "tabulon-cli: no chapter 0: the chapters are numbered 1 to 3"},
        {{kShow, QStringLiteral("A0!")}, 1, "tabulon-cli: \"A0!\" is neither a code, a section range nor a chapter number"},
        {{kShow, QStringLiteral("S00-S99")}, 1, "tabulon-cli: no section or chapter (S00-S99) in the tabular list"},
    };
    ExpectFailures(cases);
}

} // namespace
