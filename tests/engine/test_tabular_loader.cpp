// The tabular loader on small hand-written documents: what each element becomes, what is
// reported, and how failures and stop requests end the walk.
#include "DataEngine.h"
#include "EngineGlobals.h"
#include "LoaderMessages.h"
#include "TabularLoader.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

const TChapter& Chapter(int AIndex) { return *ChapterList->at(static_cast<std::size_t>(AIndex)); }

// Loads a document made of the given chapters and returns the final state.
int Load(const std::string& AChapters) {
    PutDataSet(TDataSet::Tabular, TabularDocument(AChapters));
    LoadTabular();
    return ReadState(TabularLoadState);
}

template <class T> const T* ItemAs(const TOwningList<TItemBase>& AItems, std::size_t AIndex) {
    return AIndex < AItems.size() ? dynamic_cast<const T*>(AItems[AIndex].get()) : nullptr;
}

const char* kChapterWithCodes = R"(
<chapter>
  <name>19</name>
  <desc>Injury (S00-T88)</desc>
  <sectionIndex><sectionRef first="S00" last="S09" id="S00-S09">Head</sectionRef></sectionIndex>
  <section id="S00-S09">
    <desc>Injuries to the head (S00-S09)</desc>
    <codeFirst><note>first section note</note></codeFirst>
    <diag>
      <name>S06</name>
      <desc>Intracranial injury</desc>
      <sevenChrNote><note>Add a 7th character.</note></sevenChrNote>
      <sevenChrDef>
        <extension char="A">initial encounter</extension>
        <extension char="D" exception="6:7;6:8">subsequent encounter</extension>
        <extension>no character</extension>
        <note>a note inside the definition is ignored</note>
      </sevenChrDef>
      <excludes1><note>one</note></excludes1>
      <excludes1><note>two</note><note>three</note></excludes1>
      <codeFirst><note>code first under a code</note></codeFirst>
      <diag placeholder="TRUE">
        <name>S06.0X</name>
        <desc>Concussion</desc>
        <diag placeholder="yes">
          <name>S06.0X1</name>
          <desc>Concussion with loss of consciousness</desc>
          <diag><name>S06.0X1Z</name><desc>deeper than any real code</desc></diag>
        </diag>
      </diag>
    </diag>
  </section>
</chapter>)";

class TabularLoader : public testing::Test {
protected:
    TMessageRecorder FMessages;
};

TEST_F(TabularLoader, BuildsTheTreeWithLevelsParentsAndItems) {
    ASSERT_EQ(Load(kChapterWithCodes), LoadDone);
    EXPECT_TRUE(FMessages.Messages().isEmpty()) << FMessages.Messages().join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(ChapterList->size(), 1u);
    const TChapter& chapter = Chapter(0);
    EXPECT_EQ(chapter.FInfo.FName, QStringLiteral("Injury"));
    EXPECT_EQ(chapter.FInfo.FScope, QStringLiteral("(S00-T88)"));
    ASSERT_EQ(chapter.FSubList.size(), 1u);
    const TSubChapter& section = *chapter.FSubList[0];
    EXPECT_EQ(section.FChapter, &chapter);
    EXPECT_EQ(section.FInfo.FName, QStringLiteral("Injuries to the head"));
    EXPECT_NE(ItemAs<TCodeFirst>(section.FInfo.FItemList, 0), nullptr);

    ASSERT_EQ(section.FCodeList.size(), 1u);
    const TCodeInfo& s06 = *section.FCodeList[0];
    EXPECT_EQ(s06.FCode, QStringLiteral("S06"));
    EXPECT_EQ(s06.FLevel, 0);
    EXPECT_EQ(s06.FParent, nullptr);
    EXPECT_FALSE(s06.FPlaceHolder);

    // Items in document order; two lists of the same class are both kept.
    ASSERT_EQ(s06.FItemList.size(), 5u);
    EXPECT_NE(ItemAs<TSevenCharNote>(s06.FItemList, 0), nullptr);
    const auto* definition = ItemAs<TSevenCharDef>(s06.FItemList, 1);
    ASSERT_NE(definition, nullptr);
    EXPECT_EQ(ItemAs<TExcludes1>(s06.FItemList, 2)->FNoteList, QStringList{QStringLiteral("one")});
    EXPECT_EQ(ItemAs<TExcludes1>(s06.FItemList, 3)->FNoteList,
              (QStringList{QStringLiteral("two"), QStringLiteral("three")}));
    EXPECT_NE(ItemAs<TCodeFirst>(s06.FItemList, 4), nullptr);

    ASSERT_EQ(definition->FDefList.size(), 3u);
    EXPECT_EQ(definition->FDefList[0]->FChar, QStringLiteral("A"));
    EXPECT_EQ(definition->FDefList[0]->FDesc, QStringLiteral("initial encounter"));
    EXPECT_TRUE(definition->FDefList[0]->FDefExceptionList.empty());
    EXPECT_EQ(definition->FDefList[1]->FDefExceptionList.size(), 2u); // 6:7;6:8
    EXPECT_EQ(definition->FDefList[2]->FChar, QString());            // no char attribute

    ASSERT_EQ(s06.FSubCodeList.size(), 1u);
    const TCodeInfo& placeholder = *s06.FSubCodeList[0];
    EXPECT_TRUE(placeholder.FPlaceHolder); // TRUE in any case
    ASSERT_EQ(placeholder.FSubCodeList.size(), 1u);
    const TCodeInfo& leaf = *placeholder.FSubCodeList[0];
    EXPECT_FALSE(leaf.FPlaceHolder); // yes is not true
    ASSERT_EQ(leaf.FSubCodeList.size(), 1u);
    const TCodeInfo& deepest = *leaf.FSubCodeList[0];
    for (const TCodeInfo* code : {&placeholder, &leaf, &deepest}) {
        EXPECT_EQ(code->FSubChapter, &section);
        EXPECT_EQ(code->FLevel, code->FParent->FLevel + 1);
    }
    EXPECT_EQ(deepest.FLevel, 3);
}

TEST_F(TabularLoader, ReadsTheIntroduction) {
    const std::string document = R"(<?xml version="1.0" encoding="utf-8"?>
<root>
  <version>2023</version>
  <introduction>
    <introSection type="title"><title>THE TITLE</title></introSection>
    <introSection type="subtitle"><title>The subtitle</title></introSection>
    <introSection type="instruction">
      <title>Includes:</title>
      <instruction><note>first</note><note>second</note></instruction>
      <other>ignored</other>
    </introSection>
    <introSection type="other"><title>ignored</title></introSection>
    <notASection/>
  </introduction>
  <unknownAtRoot/>
</root>)";
    PutDataSet(TDataSet::Tabular, document);
    LoadTabular();
    EXPECT_EQ(ReadState(TabularLoadState), LoadDone);
    EXPECT_TRUE(FMessages.Messages().isEmpty());
    EXPECT_EQ(IntroductionData->FTitle, QStringLiteral("THE TITLE"));
    EXPECT_EQ(IntroductionData->FSubTitle, QStringLiteral("The subtitle"));
    ASSERT_EQ(IntroductionData->FInstructionList.size(), 1u);
    const TInstruction& instruction = *IntroductionData->FInstructionList[0];
    EXPECT_EQ(instruction.FTypeWord, QStringLiteral("Includes:"));
    EXPECT_EQ(instruction.FNoteList, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
}

TEST_F(TabularLoader, ReportsUnknownElementsOnceEachAndSkipsThem) {
    const char* chapters = R"(
<chapter>
  <desc>No range here</desc>
  <codeFirst><note>not allowed under a chapter</note></codeFirst>
  <mystery/>
  <section>
    <desc>Section (A00-A09)</desc>
    <riddle/>
    <diag><name>A00</name><desc>Cholera</desc><enigma/><enigma/></diag>
  </section>
</chapter>)";
    ASSERT_EQ(Load(chapters), LoadDone);
    EXPECT_EQ(FMessages.Messages(),
              (QStringList{QStringLiteral("Undealed chapter node: codeFirst"),
                           QStringLiteral("Undealed chapter node: mystery"),
                           QStringLiteral("Undealed subchapter node: riddle"),
                           QStringLiteral("Undealed code node: enigma"),
                           QStringLiteral("Undealed code node: enigma")}));
    const TChapter& chapter = Chapter(0);
    EXPECT_TRUE(chapter.FInfo.FName.isEmpty()); // a desc without "(" keeps both parts empty
    EXPECT_TRUE(chapter.FInfo.FScope.isEmpty());
    EXPECT_TRUE(chapter.FInfo.FItemList.empty()); // the codeFirst was skipped
    ASSERT_EQ(chapter.FSubList.size(), 1u);
    ASSERT_EQ(chapter.FSubList[0]->FCodeList.size(), 1u);
    EXPECT_EQ(chapter.FSubList[0]->FCodeList[0]->FDesc, QStringLiteral("Cholera"));
}

TEST_F(TabularLoader, KeepsTheVisualImpairmentTableWithoutItsHeadingRow) {
    const char* chapters = R"(
<chapter><desc>Eye (H00-H59)</desc><section><desc>Blindness (H54-H54)</desc>
<diag><name>H54.8</name><desc>Legal blindness</desc>
<visualImpairment>
  <visCategory><heading>Category</heading>
    <visRange><heading>acuity</heading><visMax><heading>Max</heading></visMax></visRange>
  </visCategory>
  <visCategory><value>1</value>
    <visRange><visMax><value>6/18</value></visMax><visMin><value>6/60</value></visMin></visRange>
    <visRange><visMax><value>3/10</value></visMax><visMin><value>1/10</value></visMin></visRange>
  </visCategory>
  <visCategory><value>2</value>
    <visRange><visMax><value>a</value></visMax></visRange>
    <visRange><visMax><value>b</value></visMax></visRange>
    <visRange><visMax><value>c</value></visMax></visRange>
    <visRange><visMax><value>d</value></visMax></visRange>
  </visCategory>
  <visCategory/>
  <somethingElse/>
</visualImpairment>
</diag></section></chapter>)";
    ASSERT_EQ(Load(chapters), LoadDone);
    // A fourth range has no slot: it is reported and dropped, never written past the three.
    EXPECT_EQ(FMessages.Messages(), QStringList{QStringLiteral("Undealed code node: visRange")});
    const TCodeInfo& code = *Chapter(0).FSubList[0]->FCodeList[0];
    const auto* table = ItemAs<TVisualImpairment>(code.FItemList, 0);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->FVisCategoryList.size(), 2u);
    const TVisCategory& first = *table->FVisCategoryList[0];
    EXPECT_EQ(first.FValue, 1);
    ASSERT_TRUE(first.VisRanges[0] && first.VisRanges[1]);
    EXPECT_EQ(first.VisRanges[0]->FVisMax, QStringLiteral("6/18"));
    EXPECT_EQ(first.VisRanges[0]->FVisMin, QStringLiteral("6/60"));
    EXPECT_EQ(first.VisRanges[1]->FVisMin, QStringLiteral("1/10"));
    EXPECT_EQ(first.VisRanges[2], nullptr); // slots beyond the ranges present stay empty
    const TVisCategory& second = *table->FVisCategoryList[1];
    EXPECT_EQ(second.VisRanges[2]->FVisMax, QStringLiteral("c"));
}

TEST_F(TabularLoader, MalformedDocumentFailsWithItsMessage) {
    // Whatever an earlier load left is emptied first; the broken document adds nothing.
    ASSERT_EQ(Load(kChapterWithCodes), LoadDone);
    PutDataSet(TDataSet::Tabular, "<?xml version=\"1.0\"?><root><chapter><desc>x</desc></root>");
    LoadTabular();
    EXPECT_EQ(ReadState(TabularLoadState), LoadFailed);
    EXPECT_EQ(FMessages.Messages(), QStringList{QStringLiteral("Load Tabular File Fail1!")});
    EXPECT_TRUE(ChapterList->empty());
}

TEST_F(TabularLoader, MissingOrDamagedStreamFailsWithItsMessage) {
    LoadTabular(); // the stream of the previous test was consumed
    EXPECT_EQ(ReadState(TabularLoadState), LoadFailed);
    PutResourceStream(TDataSet::Tabular,
                      std::make_unique<TResourceStream>(std::vector<std::uint8_t>{0x78, 0xDA, 1, 2}));
    LoadTabular();
    EXPECT_EQ(ReadState(TabularLoadState), LoadFailed);
    EXPECT_EQ(FMessages.Messages(), (QStringList{QStringLiteral("Load Tabular File Fail1!"),
                                                 QStringLiteral("Load Tabular File Fail1!")}));
}

TEST_F(TabularLoader, FailureInTheWalkKeepsThePartialTree) {
    // The bad rule text fails the load inside the second category of the second chapter: the
    // first chapter stays whole, the second keeps its first category, the failing one is lost.
    const char* chapters = R"(
<chapter><desc>One (A00-A09)</desc><section><desc>S (A00-A09)</desc>
  <diag><name>A00</name><desc>a</desc></diag></section></chapter>
<chapter><desc>Two (S00-S09)</desc><section><desc>S (S00-S09)</desc>
  <diag><name>S00</name><desc>kept</desc></diag>
  <diag><name>S01</name><desc>lost</desc>
    <sevenChrDef><extension char="A" exception="x:7">initial</extension></sevenChrDef></diag>
</section></chapter>
<chapter><desc>Three (T00-T09)</desc></chapter>)";
    EXPECT_EQ(Load(chapters), LoadFailed);
    EXPECT_EQ(FMessages.Messages(), QStringList{QStringLiteral("Load Tabular File Fail1!")});
    ASSERT_EQ(ChapterList->size(), 2u);
    EXPECT_EQ(Chapter(0).FSubList[0]->FCodeList.size(), 1u);
    // The section under construction is lost with the failing code; its chapter stays.
    EXPECT_EQ(Chapter(1).FInfo.FName, QStringLiteral("Two"));
    EXPECT_TRUE(Chapter(1).FSubList.empty());
}

TEST_F(TabularLoader, NonIntegerVisualCategoryFailsTheLoad) {
    const char* chapters = R"(
<chapter><desc>Eye (H00-H59)</desc><section><desc>B (H54-H54)</desc>
<diag><name>H54.8</name><visualImpairment><visCategory><value>one</value></visCategory>
</visualImpairment></diag></section></chapter>)";
    EXPECT_EQ(Load(chapters), LoadFailed);
    EXPECT_EQ(ChapterList->size(), 1u);
}

TEST_F(TabularLoader, StopRequestEndsTheWalkAndStays) {
    // The sink asks the loaders to stop while the first chapter is being read, as closing the
    // main window does; the walk ends at its next node and the state stays LoadStopRequested.
    SetLoaderMessageSink([](const QString&) { StopLoaders(); });
    const char* chapters = R"(
<chapter><desc>One (A00-A09)</desc><stopHere/>
  <section><desc>never read (A00-A09)</desc></section></chapter>
<chapter><desc>Two (B00-B09)</desc></chapter>)";
    EXPECT_EQ(Load(chapters), LoadStopRequested);
    ASSERT_EQ(ChapterList->size(), 1u);
    EXPECT_TRUE(Chapter(0).FSubList.empty());
}

TEST_F(TabularLoader, StopBeforeTheLoaderBeginsKeepsTheStop) {
    // Start-up marks every data set as loading; closing the window before a loader thread has
    // begun turns that into a stop, which the loader then honours without loading.
    WriteState(TabularLoadState, LoadRunning);
    StopLoaders();
    EXPECT_EQ(Load(kChapterWithCodes), LoadStopRequested);
    EXPECT_TRUE(ChapterList->empty());
    EXPECT_TRUE(FMessages.Messages().isEmpty());
}

TEST_F(TabularLoader, StopLoadersLeavesFinalStatesAlone) {
    for (int state : {LoadNotStarted, LoadDone, LoadFailed, LoadStopRequested}) {
        WriteState(TabularLoadState, state);
        WriteState(KeywordLoadState, LoadRunning);
        StopLoaders();
        EXPECT_EQ(ReadState(TabularLoadState), state);
        EXPECT_EQ(ReadState(KeywordLoadState), LoadRunning); // never touched by a stop
    }
    WriteState(KeywordLoadState, LoadNotStarted);
}

} // namespace
