// The sorted short-description map: look-ups as a hash of the same lines would give them, the
// first text of a repeated code kept and the refused codes named in line order.
#include "ShortDescMap.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using TLines = std::vector<std::pair<QString, QString>>;

// What a hash filled line by line, first text kept, holds.
QHash<QString, QString> HashOf(const TLines& ALines) {
    QHash<QString, QString> hash;
    for (const auto& [code, text] : ALines)
        if (!hash.contains(code))
            hash.insert(code, text);
    return hash;
}

TEST(ShortDescMap, LooksUpAsAHashOfTheSameLines) {
    const TLines lines = {
        {QStringLiteral("Z99.89"), QStringLiteral("Dependence on other enabling machines")},
        {QStringLiteral("A00.0"), QString::fromUtf8("Chol\xC3\xA9ra due to Vibrio cholerae")},
        {QStringLiteral("A00"), QStringLiteral("Cholera")},
        {QStringLiteral("S06.0X1A"), QString::fromUtf8("Concussion \xE2\x80\x99 LOC")},
        {QStringLiteral("B"), QString()},                             // an empty text
        {QString::fromUtf8("\xE2\x80\x99X"), QStringLiteral("wide code")}, // sorts after ASCII
        {QStringLiteral("A00.1"), QStringLiteral("with") + QChar(0) + QStringLiteral("NUL")},
    };
    TShortDescMap map;
    for (const auto& [code, text] : lines)
        map.Append(code, text);
    EXPECT_FALSE(map.contains(QStringLiteral("A00"))); // not found before the commit
    EXPECT_TRUE(map.Commit().isEmpty());

    EXPECT_TRUE(map == HashOf(lines));
    EXPECT_EQ(map.size(), 7);
    for (const auto& [code, text] : lines) {
        SCOPED_TRACE(code.toStdString());
        EXPECT_TRUE(map.contains(code));
        EXPECT_EQ(map.value(code, QStringLiteral("fallback")), text);
        ASSERT_TRUE(map.Find(code).has_value());
        EXPECT_EQ(*map.Find(code), text);
    }
    const QString absent[] = {QStringLiteral("A0"), QStringLiteral("A00.00"), QStringLiteral("a00"),
                              QString(), QStringLiteral("Z99.9"), QStringLiteral("0")};
    for (const QString& code : absent) {
        SCOPED_TRACE(code.toStdString());
        EXPECT_FALSE(map.contains(code));
        EXPECT_EQ(map.value(code), QString());
        EXPECT_EQ(map.value(code, QStringLiteral("fallback")), QStringLiteral("fallback"));
        EXPECT_FALSE(map.Find(code).has_value());
    }
}

TEST(ShortDescMap, ARepeatedCodeKeepsItsFirstTextAndIsNamedInLineOrder) {
    struct TCase {
        const char* Name;
        TLines Before; // committed first
        TLines Lines;
        QStringList Refused;
    } cases[] = {
        {"no repeats", {}, {{QStringLiteral("B"), QStringLiteral("b")}, {QStringLiteral("A"), QStringLiteral("a")}}, {}},
        {"a repeat within the lines",
         {},
         {{QStringLiteral("C"), QStringLiteral("first")},
          {QStringLiteral("A"), QStringLiteral("a")},
          {QStringLiteral("C"), QStringLiteral("second")},
          {QStringLiteral("B"), QStringLiteral("b")},
          {QStringLiteral("A"), QStringLiteral("again")},
          {QStringLiteral("C"), QStringLiteral("third")}},
         {QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("C")}},
        {"a code the map holds already",
         {{QStringLiteral("A"), QStringLiteral("old")}},
         {{QStringLiteral("B"), QStringLiteral("b")}, {QStringLiteral("A"), QStringLiteral("new")}},
         {QStringLiteral("A")}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TShortDescMap map;
        for (const auto& [code, text] : c.Before)
            map.Append(code, text);
        map.Commit();
        for (const auto& [code, text] : c.Lines)
            map.Append(code, text);
        EXPECT_EQ(map.Commit(), c.Refused);
        TLines all = c.Before;
        all.insert(all.end(), c.Lines.begin(), c.Lines.end());
        EXPECT_TRUE(map == HashOf(all));
    }
}

TEST(ShortDescMap, ClearEmptiesAndComparesWithHashesBothWays) {
    TShortDescMap map;
    map.Append(QStringLiteral("A00"), QStringLiteral("Cholera"));
    map.Commit();
    EXPECT_FALSE(map == (QHash<QString, QString>{{QStringLiteral("A00"), QStringLiteral("cholera")}}));
    EXPECT_FALSE(map == (QHash<QString, QString>{{QStringLiteral("A01"), QStringLiteral("Cholera")}}));
    EXPECT_FALSE(map == (QHash<QString, QString>{}));
    map.clear();
    EXPECT_TRUE(map.isEmpty());
    EXPECT_FALSE(map.contains(QStringLiteral("A00")));
    EXPECT_TRUE(map == (QHash<QString, QString>{}));
}

} // namespace
