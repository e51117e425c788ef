// Widening a double-clicked word of the code viewer's page to the whole code it is part of.
#include "CodeSelection.h"

#include <gtest/gtest.h>

namespace {

struct TWidenCase {
    const char* Name;
    const char* Page;
    const char* Picked;    // the text the double-click selected (its first occurrence)
    qsizetype SkipBefore;  // search for Picked from this index
    const char* Expected;  // the text selected afterwards
};

// The case's page, the range its double-click selected and the range after widening.
struct TWidened {
    QString Page;
    TTextRange Picked;
    TTextRange Got;
};

TWidened Widen(const TWidenCase& ACase) {
    TWidened w;
    w.Page = QString::fromLatin1(ACase.Page);
    const QString picked = QString::fromLatin1(ACase.Picked);
    w.Picked = {w.Page.indexOf(picked, ACase.SkipBefore), picked.size()};
    w.Got = WidenSelectionToCode(w.Page, w.Picked);
    return w;
}

TEST(WidenSelectionToCode, PartsOfCodesBecomeTheWholeCode) {
    const TWidenCase cases[] = {
        {"part after the full stop", "        S06.0X1 Concussion with loss", "0X1", 0, "S06.0X1"},
        {"part with a trailing blank", "        S06.0X1 Concussion with loss", "0X1 ", 0, "S06.0X1"},
        {"one character after the stop", "    A00.0 Cholera due to", "0", 7, "A00.0"},
        {"part of a code in brackets", "    open wound of head (S01.81) and", "81", 0, "S01.81"},
        {"part of a code after a hyphen", "    subcategories S06.1-S06.6 and", "6", 28, "S06.6"},
        {"category of a code, early in the page", "S06.0X1 Concussion", "S06", 0, "S06.0X1"},
        {"category of a code, further on", "        S06.0X1 Concussion with loss", "S06", 0, "S06.0X1"},
        {"category of a code ending at a bracket", "    open wound of head (S01.81) and", "S01", 0, "S01.81"},
        {"category of a dashed code", "    skull fracture (S02.-)", "S02", 0, "S02.-"},
        {"seven characters", "  S72.001A Fracture", "S72", 0, "S72.001A"},
        {"category of a code at the line end", "      see S06.0X1\nnext line", "S06", 0, "S06.0X1"},
        {"full stop of a code", "    E11.65 Type 2 diabetes", ".", 0, "E11.65"},
        {"full stop of a code at the page's start", "E11.65 Type 2", ".", 0, "E11.65"},
        {"full stop of a code in brackets", "    open wound of head (S01.81) and", ".", 0, "S01.81"},
        {"full stop of a dashed code", "    skull fracture (S02.-)", ".", 0, "S02.-"},
        {"full stop with the punctuation after it", "    skull fracture (S02.-)", ".-)", 0, "S02.-"},
        {"full stop of a seven-character code", "  S72.001A Fracture", ".", 0, "S72.001A"},
    };
    for (const TWidenCase& c : cases) {
        const TWidened w = Widen(c);
        ASSERT_GE(w.Picked.Start, 0) << c.Name;
        EXPECT_EQ(w.Page.mid(w.Got.Start, w.Got.Length), QString::fromLatin1(c.Expected)) << c.Name;
    }
}

TEST(WidenSelectionToCode, OtherWordsStayAsTheyWere) {
    const TWidenCase cases[] = {
        {"a word of a description", "        S06.0X1 Concussion with loss", "Concussion", 0, "Concussion"},
        {"a category standing alone", "  S06 Intracranial injury", "S06", 0, "S06"},
        {"the whole code already", "        S06.0X1 Concussion", "S06.0X1", 0, "S06.0X1"},
        {"a short word after a sentence's full stop", "    regaining consciousness.  Use code", "Use", 0, "Use"},
        {"blanks only", "  S06 Intracranial", "  ", 0, "  "},
        {"a four-letter word after a stop not led by a blank", "see x1234.abcd here", "abcd", 0, "abcd"},
        {"the full stop ending a sentence", "    as defined in USA.  Use code", ".", 0, "."},
        {"a full stop inside a longer word", "    see AB12.5 here", ".", 0, "."},
        {"a full stop after a lower-case word", "    see abc.5 here", ".", 0, "."},
    };
    for (const TWidenCase& c : cases) {
        const TWidened w = Widen(c);
        ASSERT_GE(w.Picked.Start, 0) << c.Name;
        EXPECT_EQ(w.Got, w.Picked) << c.Name;
        EXPECT_EQ(w.Page.mid(w.Got.Start, w.Got.Length), QString::fromLatin1(c.Expected)) << c.Name;
    }
}

// The code a line of the composed text stands for, from its kind character.
TEST(CodeOfComposedLine, CodeLinesAndTheirContinuationsGiveTheirCode) {
    const QStringList lines = {
        QStringLiteral("(A00-B99) Certain infectious"),       // 1 header
        QStringLiteral("A00 Cholera"),                        // 2 code
        QStringLiteral("  A00.0 Cholera due to Vibrio"),      // 3 final code
        QStringLiteral("        cholerae 01, biovar"),        // 9 its continuation
        QStringLiteral("          Classical cholera"),        // 4 detail
        QStringLiteral(""),                                   // 5 page filler
        QStringLiteral("  S06.0X1 Concussion with loss"),     // 5 seventh-character code
        QStringLiteral("          of consciousness"),         // D its continuation
        QStringLiteral("      A - initial encounter"),        // 4 seventh-character definition
        QStringLiteral("    Excludes1: newborn (P10-P15)"),   // 0 note
        QStringLiteral("               and more"),            // 8 its continuation
        QStringLiteral("  A00.9"),                            // 3 a code without description
    };
    const QString kinds = QStringLiteral("1239455D4083");
    const struct {
        int Line;
        const char* Code;
    } cases[] = {{0, ""},   {1, "A00"}, {2, "A00.0"}, {3, "A00.0"}, {4, ""},  {5, ""},
                 {6, "S06.0X1"}, {7, "S06.0X1"}, {8, ""}, {9, ""}, {10, ""}, {11, "A00.9"},
                 {-1, ""},  {12, ""}};
    ASSERT_EQ(kinds.size(), lines.size());
    for (const auto& c : cases)
        EXPECT_EQ(CodeOfComposedLine(lines, kinds, c.Line), QLatin1String(c.Code)) << c.Line;
}

} // namespace
