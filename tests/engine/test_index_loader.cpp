// The index and table loader on small documents: title rule, references, cells, messages and
// failures.
#include "EngineGlobals.h"
#include "IndexLoader.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::string IndexDocument(const std::string& ALetters) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<ICD10CM.index><version>2023</version>"
           "<title>An index</title><indexHeading><head col=\"1\">x</head></indexHeading>" +
           ALetters + "</ICD10CM.index>";
}

class IndexLoader : public testing::Test {
protected:
    TMessageRecorder FMessages;
};

TEST_F(IndexLoader, ReadsTermsReferencesAndLevels) {
    PutDataSet(TDataSet::DIndex, IndexDocument(R"(
<letter><title>A</title>
  <mainTerm><title>Abasia<nemod>(-astasia) (hysterical)</nemod></title><code>F44.4</code></mainTerm>
  <mainTerm><title><nemod>(leading)</nemod>Term</title><see>Other</see><seeAlso>Another</seeAlso>
    <term level="1"><title>deeper</title><code>R10.0</code><manif>K55.1</manif>
      <seecat>S72.0</seecat><subcat>S72.00</subcat><subcat>S72.01</subcat>
      <term level="2"><title>deepest</title><code>C79.8-</code></term></term>
  </mainTerm>
</letter>
<letter><title>B</title></letter>
<notALetter/>)"));
    LoadIndex(1);
    EXPECT_EQ(ReadState(DiseaseIndexLoadState), LoadDone);
    EXPECT_TRUE(FMessages.Messages().isEmpty());
    ASSERT_EQ(DiseaseIndexList->size(), 2u);
    const TAlphaLetter& a = *DiseaseIndexList->front();
    EXPECT_EQ(a.FLetter, QStringLiteral("A"));
    ASSERT_EQ(a.FMainTermList.size(), 2u);
    const TTerm& abasia = *a.FMainTermList[0];
    EXPECT_EQ(abasia.FTitle, QStringLiteral("Abasia (-astasia) (hysterical) ")); // trailing blank
    EXPECT_EQ(abasia.FCode, QStringLiteral("F44.4"));
    EXPECT_EQ(std::get<TAlphaLetter*>(abasia.FParent), &a);
    const TTerm& term = *a.FMainTermList[1];
    EXPECT_EQ(term.FTitle, QStringLiteral(" (leading) Term")); // leading blank
    EXPECT_EQ(term.GetFullTitle(true), QStringLiteral(" (leading) Term --see Other --see also Another"));
    EXPECT_EQ(term.GetTextLines(), 3);
    const TTerm& deeper = *term.FSubTermList[0];
    EXPECT_EQ(deeper.FLevel, 1);
    EXPECT_EQ(std::get<TTerm*>(deeper.FParent), &term);
    EXPECT_EQ(deeper.FSubCat, QStringLiteral("S72.01")); // a later element replaces an earlier one
    EXPECT_EQ(deeper.GetFullTitle(true),
              QStringLiteral("deeper [K55.1] --see category S72.0 --see subcategory S72.01"));
    EXPECT_EQ(deeper.GetFullTitle(false),
              QStringLiteral("deeper --see category S72.0 --see subcategory S72.01"));
    EXPECT_EQ(deeper.FSubTermList[0]->FLevel, 2);
    EXPECT_EQ(deeper.FSubTermList[0]->FCode, QStringLiteral("C79.8-"));
}

TEST_F(IndexLoader, TablesFillTheSixCellsAndReportWhatTheyCannotHold) {
    PutDataSet(TDataSet::TableOfDrugs, IndexDocument(R"(
<letter><title>#</title>
  <mainTerm><title>2,4-D<nemod>(dichlorophen-oxyacetic acid)</nemod></title>
    <cell col="2">T60.3X1</cell><cell col="3">T60.3X2</cell><cell col="4">T60.3X3</cell>
    <cell col="5">T60.3X4</cell><cell col="6">--</cell><cell col="7">-</cell></mainTerm>
  <mainTerm><title>gap</title><cell col="3">T1</cell><cell col="9">T9</cell><cell col="1">T0</cell>
    <code>A00</code><term><title>row</title><cell col="2">R</cell></term></mainTerm>
</letter>)"));
    LoadIndex(3);
    EXPECT_EQ(ReadState(DrugTableLoadState), LoadDone);
    // Columns outside 2..7 have no slot; the table walk does not know code either.
    EXPECT_EQ(FMessages.Messages(), (QStringList{QStringLiteral("Unhandled node type: cell"),
                                                 QStringLiteral("Unhandled node type: cell"),
                                                 QStringLiteral("Unhandled node type: code")}));
    const TAlphaLetter& letter = *DrugTableList->front();
    EXPECT_EQ(letter.FLetter, QStringLiteral("#"));
    const TTerm& full = *letter.FMainTermList[0];
    EXPECT_EQ(full.FTitle, QStringLiteral("2,4-D (dichlorophen-oxyacetic acid) "));
    const std::array<QString, 6> expected = {QStringLiteral("T60.3X1"), QStringLiteral("T60.3X2"),
                                             QStringLiteral("T60.3X3"), QStringLiteral("T60.3X4"),
                                             QStringLiteral("--"), QStringLiteral("-")};
    EXPECT_EQ(full.FCodesInCell, expected);
    const TTerm& gap = *letter.FMainTermList[1];
    EXPECT_EQ(gap.FCodesInCell[1], QStringLiteral("T1"));
    for (int slot : {0, 2, 3, 4, 5})
        EXPECT_TRUE(gap.FCodesInCell[static_cast<std::size_t>(slot)].isEmpty()) << slot;
    EXPECT_TRUE(gap.FCode.isEmpty());
    EXPECT_EQ(gap.FSubTermList[0]->FCodesInCell[0], QStringLiteral("R"));
}

TEST_F(IndexLoader, UnknownElementsAreReportedAndSkipped) {
    PutDataSet(TDataSet::EIndex, IndexDocument(
        "<letter><title>F</title><mainTerm><title>Fall</title><cell col=\"2\">W19</cell>"
        "<odd/><code>W19</code></mainTerm></letter>"));
    LoadIndex(2);
    EXPECT_EQ(ReadState(ExternalIndexLoadState), LoadDone);
    EXPECT_EQ(FMessages.Messages(), (QStringList{QStringLiteral("Unhandled node type: cell"),
                                                 QStringLiteral("Unhandled node type: odd")}));
    EXPECT_EQ(ExternalIndexList->front()->FMainTermList[0]->FCode, QStringLiteral("W19"));
}

TEST_F(IndexLoader, FailuresKeepTheCompleteTermsAndSetTheFailedState) {
    PutDataSet(TDataSet::TableOfNeoplasms, IndexDocument(R"(
<letter><title>N</title>
  <mainTerm><title>kept</title><cell col="2">C80.1</cell></mainTerm>
  <mainTerm><title>lost</title><cell col="two">C80.1</cell></mainTerm>
</letter>)"));
    LoadIndex(4);
    EXPECT_EQ(ReadState(NeoplasmTableLoadState), LoadFailed);
    EXPECT_EQ(FMessages.Messages(), QStringList{QStringLiteral("Load Alpha Search File Fail1!")});
    ASSERT_EQ(NeoplasmTableList->size(), 1u);
    ASSERT_EQ(NeoplasmTableList->front()->FMainTermList.size(), 1u);
    EXPECT_EQ(NeoplasmTableList->front()->FMainTermList[0]->FTitle, QStringLiteral("kept"));

    PutDataSet(TDataSet::DIndex, "<ICD10CM.index><letter>");
    LoadIndex(1);
    EXPECT_EQ(ReadState(DiseaseIndexLoadState), LoadFailed);
    EXPECT_TRUE(DiseaseIndexList->empty());
}

TEST_F(IndexLoader, OtherTypesTouchNothing) {
    WriteState(DiseaseIndexLoadState, LoadNotStarted);
    for (int type : {0, 5, -1})
        LoadIndex(type);
    EXPECT_EQ(ReadState(DiseaseIndexLoadState), LoadNotStarted);
    EXPECT_TRUE(FMessages.Messages().isEmpty());
}

} // namespace
