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
    };
    for (const TWidenCase& c : cases) {
        const TWidened w = Widen(c);
        ASSERT_GE(w.Picked.Start, 0) << c.Name;
        EXPECT_EQ(w.Got, w.Picked) << c.Name;
        EXPECT_EQ(w.Page.mid(w.Got.Start, w.Got.Length), QString::fromLatin1(c.Expected)) << c.Name;
    }
}

} // namespace
