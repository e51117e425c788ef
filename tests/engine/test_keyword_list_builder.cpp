// The batch builder of the keyword lists: it must leave exactly the lists that one AddKeywordRef
// and one FindCodeKeywords-or-append per keyword leave, from empty and from filled lists.
#include "EngineGlobals.h"
#include "KeywordListBuilder.h"
#include "TextDataSets.h"

#include <gtest/gtest.h>

namespace {

struct TSnapshot {
    QStringList Refs; // "form|upper|count" in list order
    QStringList Codes;
    bool operator==(const TSnapshot&) const = default;
};

TSnapshot Snapshot() {
    TSnapshot snapshot;
    for (const auto& ref : *KeywordRefList)
        snapshot.Refs << ref->FKeyWord + QLatin1Char('|') + ref->FUpperKey + QLatin1Char('|') +
                             QString::number(ref->FRefCount);
    for (const auto& entry : *CodeKeywordsList)
        snapshot.Codes << entry->FCode;
    return snapshot;
}

void ClearLists() {
    CreateGlobalContainers();
    CodeKeywordsList->clear();
    KeywordRefList->clear();
}

// Code "=" keywords: a code opens an entry, a keyword is counted.
using TSteps = std::vector<std::pair<QString, QString>>;

TSnapshot OneByOne(const TSteps& ASteps) {
    for (const auto& [code, keyword] : ASteps) {
        if (!code.isEmpty() && !FindCodeKeywords(code)) {
            auto entry = std::make_unique<TCodeKeywords>();
            entry->FCode = code;
            CodeKeywordsList->push_back(std::move(entry));
        }
        if (!keyword.isEmpty())
            AddKeywordRef(keyword);
    }
    return Snapshot();
}

TSnapshot Batched(const TSteps& ASteps) {
    TKeywordListBuilder builder;
    for (const auto& [code, keyword] : ASteps) {
        if (!code.isEmpty())
            builder.CodeEntry(code);
        if (!keyword.isEmpty())
            builder.CountKeyword(keyword);
    }
    builder.Finish();
    return Snapshot();
}

QString S(const char* AText) { return QString::fromUtf8(AText); }

TEST(KeywordListBuilder, LeavesTheListsTheSingleCallsLeave) {
    const TSteps first = {{S("A00"), S("Fever")},  {S("A00"), S("fever")},  {S("B01"), S("Zinc")},
                          {S("A00"), S("Abscess")}, {S("C02"), S("FEVER")}, {S("B01"), S("zinc")},
                          {S(""), S("Épine")},      {S("C02"), S("épine")}, {S("D03"), S("x-ray")},
                          {S("D03"), S("X-RAY")},   {S("E04"), S("a b")},  {S("E04"), S("ab")}};
    const TSteps second = {{S("B01"), S("Cough")}, {S("F05"), S("fever")}, {S("A00"), S("Ache")}};
    for (const bool fromFilledLists : {false, true}) {
        SCOPED_TRACE(fromFilledLists ? "added to filled lists" : "from empty lists");
        ClearLists();
        if (fromFilledLists)
            OneByOne(first);
        const TSnapshot expected = OneByOne(fromFilledLists ? second : first);
        ClearLists();
        if (fromFilledLists)
            OneByOne(first);
        EXPECT_EQ(Batched(fromFilledLists ? second : first), expected);
    }
}

TEST(KeywordListBuilder, FindsTheFirstEntryOfACodeListedTwice) {
    ClearLists();
    for (const char* code : {"A00", "A00"}) {
        auto entry = std::make_unique<TCodeKeywords>();
        entry->FCode = QLatin1String(code);
        CodeKeywordsList->push_back(std::move(entry));
    }
    TKeywordListBuilder builder;
    EXPECT_EQ(builder.CodeEntry(QStringLiteral("A00")), CodeKeywordsList->front().get());
    EXPECT_EQ(CodeKeywordsList->size(), 2u);
}

TEST(KeywordListBuilder, SortsWhenDestroyedWithoutFinish) {
    ClearLists();
    {
        TKeywordListBuilder builder;
        for (const char* keyword : {"Alpha", "Gamma", "Beta"})
            builder.CountKeyword(QLatin1String(keyword));
    }
    ASSERT_EQ(KeywordRefList->size(), 3u);
    EXPECT_EQ((*KeywordRefList)[0]->FKeyWord, QStringLiteral("Gamma"));
    EXPECT_EQ((*KeywordRefList)[2]->FKeyWord, QStringLiteral("Alpha"));
}

} // namespace
