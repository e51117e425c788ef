// The one-word text of the index terms: every QString comes back as it went in, whichever form
// (empty, inline, Latin-1 block, UTF-16 block) holds it, and equality agrees with QString's.
#include "CompactText.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

struct TTextCase {
    const char* Name;
    QString Text;
};

std::vector<TTextCase> TextCases() {
    return {
        {"empty", QString()},
        {"one character", QStringLiteral("A")},
        {"seven characters, the longest inline", QStringLiteral("T36.0X1")},
        {"eight characters, the shortest block", QStringLiteral("S06.0X1A")},
        {"a title", QStringLiteral("Infection, infected, infective (opportunistic)")},
        {"an embedded NUL inline", QString(QStringLiteral("A\0B"))},
        {"an embedded NUL in a block", QStringLiteral("before") + QChar(0) + QStringLiteral("after the NUL")},
        {"a trailing NUL", QStringLiteral("A00.9") + QChar(0)},
        {"Latin-1 beyond ASCII inline", QString::fromUtf8("Chol\xC3\xA9ra")},
        {"the highest Latin-1 character", QString(QChar(0xFF))},
        {"beyond Latin-1, short", QString::fromUtf8("\xE2\x80\x99")},
        {"beyond Latin-1, long", QString::fromUtf8("Sj\xC3\xB6gren\xE2\x80\x99s syndrome")},
        {"outside the BMP", QString::fromUtf8("\xF0\x9F\x98\x80 smile")},
        {"a lone surrogate", QString(QChar(0xD800)) + QStringLiteral("x")},
        {"a long text", QString(5000, QLatin1Char('x'))},
    };
}

TEST(CompactText, EveryTextRoundTripsThroughEveryCopyAndMove) {
    for (const TTextCase& c : TextCases()) {
        SCOPED_TRACE(c.Name);
        const TCompactText text(c.Text);
        EXPECT_EQ(text.ToString(), c.Text);
        EXPECT_EQ(QString(text), c.Text);
        EXPECT_EQ(text.size(), c.Text.size());
        EXPECT_EQ(text.isEmpty(), c.Text.isEmpty());
        EXPECT_TRUE(text == c.Text);

        TCompactText copy(text);
        EXPECT_EQ(copy.ToString(), c.Text);
        TCompactText assigned;
        assigned = text;
        EXPECT_EQ(assigned.ToString(), c.Text);
        TCompactText moved(std::move(copy));
        EXPECT_EQ(moved.ToString(), c.Text);
        EXPECT_TRUE(copy.isEmpty()); // NOLINT: a moved-from text reads empty
        TCompactText fromQString;
        fromQString = c.Text;
        EXPECT_EQ(fromQString.ToString(), c.Text);
        fromQString = QString(); // replacing a block frees it and reads empty
        EXPECT_TRUE(fromQString.isEmpty());
        EXPECT_EQ(fromQString.ToString(), QString());
    }
}

TEST(CompactText, EqualityAgreesWithQStringForEveryPair) {
    const std::vector<TTextCase> cases = TextCases();
    for (const TTextCase& a : cases)
        for (const TTextCase& b : cases) {
            SCOPED_TRACE(std::string(a.Name) + " / " + b.Name);
            const bool expected = a.Text == b.Text;
            EXPECT_EQ(TCompactText(a.Text) == TCompactText(b.Text), expected);
            EXPECT_EQ(TCompactText(a.Text) == b.Text, expected);
            EXPECT_EQ(b.Text == TCompactText(a.Text), expected);
        }
}

TEST(CompactText, TextsThatDifferOnlyPastAPrefixOrInLengthAreUnequal) {
    const std::pair<QString, QString> pairs[] = {
        {QStringLiteral("A00"), QStringLiteral("A00.")},
        {QStringLiteral("A00.9"), QStringLiteral("A00.8")},
        {QStringLiteral("Infection, infected"), QStringLiteral("Infection, infecteD")},
        {QStringLiteral("abc"), QStringLiteral("abc") + QChar(0)},
        {QString::fromUtf8("\xC3\xA9"), QString::fromUtf8("\xC4\x93")}, // e acute vs e macron
    };
    for (const auto& [a, b] : pairs) {
        SCOPED_TRACE(a.toStdString() + " / " + b.toStdString());
        EXPECT_FALSE(TCompactText(a) == TCompactText(b));
        EXPECT_FALSE(TCompactText(a) == b);
    }
}

TEST(CompactText, TheQStringMembersCallersUseGiveQStringsResults) {
    const QString title = QStringLiteral("  Fracture,   pathological, due to  ");
    const TCompactText text(title);
    EXPECT_EQ(text.left(10), title.left(10));
    EXPECT_EQ(text.left(500), title);
    EXPECT_EQ(text.section(QLatin1Char(','), 0, 0), title.section(QLatin1Char(','), 0, 0));
    EXPECT_EQ(text.section(QLatin1Char(','), -1), title.section(QLatin1Char(','), -1));
    EXPECT_EQ(text.simplified(), title.simplified());
    const QString joined = QStringLiteral("see ") + text; // reads as a QString in expressions
    EXPECT_EQ(joined, QStringLiteral("see ") + title);
}

} // namespace
