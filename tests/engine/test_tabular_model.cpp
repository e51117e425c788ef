// The tabular list model: description splitting, line counts and the note-list headings.
#include "TabularModel.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* Text;
    const char* Name;
    const char* Scope;
};

class SetInfoByString : public testing::TestWithParam<SplitCase> {};

TEST_P(SetInfoByString, SplitsBeforeTheLastParenthesis) {
    const SplitCase& c = GetParam();
    TChapter chapter;
    chapter.SetInfoByString(QString::fromUtf8(c.Text));
    EXPECT_EQ(chapter.FInfo.FName, QString::fromUtf8(c.Name));
    EXPECT_EQ(chapter.FInfo.FScope, QString::fromUtf8(c.Scope));

    TSubChapter section(&chapter);
    section.SetInfoByString(QString::fromUtf8(c.Text));
    EXPECT_EQ(section.FInfo.FName, QString::fromUtf8(c.Name));
    EXPECT_EQ(section.FInfo.FScope, QString::fromUtf8(c.Scope));
}

INSTANTIATE_TEST_SUITE_P(
    Descriptions, SetInfoByString,
    testing::Values(
        SplitCase{"Certain infectious and parasitic diseases (A00-B99)",
                  "Certain infectious and parasitic diseases", "(A00-B99)"},
        SplitCase{"No range at all", "", ""},
        SplitCase{"(A00-B99) starts with it", "", ""},
        SplitCase{"Two groups (first) (A00-A09)", "Two groups (first)", "(A00-A09)"},
        // Exactly one character before the parenthesis is cut, whatever it is.
        SplitCase{"Glued(A00)", "Glue", "(A00)"},
        SplitCase{"X(A)", "", "(A)"},
        SplitCase{"", "", ""}));

TEST(GetTextLines, CategoryCountsNotesCharactersAndSubtree) {
    // One excludes1 list with two notes, a seventh-character definition of four characters and
    // one sub-code without items: 1 + 2 + 4 + 1.
    TCodeInfo category(nullptr, nullptr, 0);
    auto excludes = std::make_unique<TExcludes1>();
    excludes->FNoteList << QStringLiteral("one") << QStringLiteral("two");
    category.FItemList.push_back(std::move(excludes));
    auto definition = std::make_unique<TSevenCharDef>();
    for (int i = 0; i < 4; ++i)
        definition->FDefList.push_back(std::make_unique<TCharDef>());
    category.FItemList.push_back(std::move(definition));
    category.FSubCodeList.push_back(std::make_unique<TCodeInfo>(nullptr, &category, 1));
    EXPECT_EQ(category.GetTextLines(), 8);

    // A visual impairment table counts 18 lines, whatever it holds.
    category.FItemList.push_back(std::make_unique<TVisualImpairment>());
    EXPECT_EQ(category.GetTextLines(), 26);
}

TEST(GetTextLines, ChapterAndSectionCountTheirNotesOnly) {
    TChapter chapter;
    EXPECT_EQ(chapter.GetTextLines(), 1);
    auto includes = std::make_unique<TIncludes>();
    includes->FNoteList << QStringLiteral("a") << QStringLiteral("b") << QStringLiteral("c");
    chapter.FInfo.FItemList.push_back(std::move(includes));
    chapter.FInfo.FItemList.push_back(std::make_unique<TNotes>());
    EXPECT_EQ(chapter.GetTextLines(), 4);

    TSubChapter section(&chapter);
    auto notes = std::make_unique<TNotes>();
    notes->FNoteList << QStringLiteral("n");
    section.FInfo.FItemList.push_back(std::move(notes));
    section.FCodeList.push_back(std::make_unique<TCodeInfo>(&section, nullptr, 0));
    EXPECT_EQ(section.GetTextLines(), 2); // codes are not part of a section's own lines
}

TEST(NoteLists, HeadingWordsAndIndentsLineUp) {
    struct Heading {
        std::unique_ptr<TNoteBase> List;
        const char* TypeWord;
    };
    Heading headings[] = {
        {std::make_unique<TIncludes>(), "INCLUDES"},
        {std::make_unique<TInclusionTerm>(), ""},
        {std::make_unique<TCodeFirst>(), "CODE FIRST"},
        {std::make_unique<TCodeAlso>(), "CODE ALSO"},
        {std::make_unique<TUseAdditionalCode>(), "USE ADDITIONAL"},
        {std::make_unique<TExcludes1>(), "EXCLUDES 1:"},
        {std::make_unique<TExcludes2>(), "EXCLUDES 2:"},
        {std::make_unique<TNotes>(), "NOTE"},
        {std::make_unique<TSevenCharNote>(), ""},
    };
    for (const Heading& h : headings) {
        SCOPED_TRACE(h.TypeWord);
        EXPECT_EQ(h.List->FTypeWord, QString::fromLatin1(h.TypeWord));
        const qsizetype indent = h.List->FTypeWord.isEmpty() ? 0 : h.List->FTypeWord.size() + 1;
        EXPECT_EQ(h.List->FIndent, QString(indent, QLatin1Char(' ')));
    }
    EXPECT_EQ(TInstruction().FIndent, QStringLiteral("  "));
}

} // namespace
