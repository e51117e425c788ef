// The documents of the find index, made from the hand-written sample data sets and a small
// table: one per code and per seventh-character code, with the texts that lead to each.
#include "CodeQueries.h"
#include "DataEngine.h"
#include "EngineGlobals.h"
#include "FindDocuments.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class FindDocuments : public testing::Test {
protected:
    static void SetUpTestSuite() {
        LoadEngineForSuite();
        gDocuments = new std::vector<TFindDocument>(CollectFindDocuments(GlobalFindSources()));
    }
    static const TFindDocument* Document(const char* ACode) {
        const auto found = std::find_if(gDocuments->begin(), gDocuments->end(), [&](const TFindDocument& ADoc) {
            return ADoc.Code == QLatin1String(ACode);
        });
        return found == gDocuments->end() ? nullptr : &*found;
    }
    static bool HasText(const TFindDocument& ADocument, const char* AText, int AWeight) {
        return std::any_of(ADocument.Texts.begin(), ADocument.Texts.end(), [&](const TFindText& AEntry) {
            return AEntry.Text == QString::fromUtf8(AText) && AEntry.Weight == AWeight;
        });
    }
    static inline std::vector<TFindDocument>* gDocuments = nullptr;
};

TEST_F(FindDocuments, OneDocumentPerCodeAndPerSeventhCharacterCode) {
    struct TCase {
        const char* Code;
        const char* Description;
        const char* Category;
        const char* Group;
        bool Reportable;
    };
    const TCase cases[] = {
        {"A00", "Cholera", "A00", "A00", false},
        {"A00.0", "Cholera due to Vibrio cholerae 01, biovar cholerae", "A00", "A00.0", true},
        {"S06.0X1", "Concussion with loss of consciousness of 30 minutes or less", "S06", "S06.0X1", false},
        {"S06.0X1A", "Concussion with loss of consciousness of 30 minutes or less, initial encounter",
         "S06", "S06.0X1", true},
        {"T07.XXXA", "Unspecified multiple injuries, initial encounter", "T07", "T07", true},
    };
    for (const TCase& entry : cases) {
        const TFindDocument* document = Document(entry.Code);
        ASSERT_TRUE(document) << entry.Code;
        EXPECT_EQ(document->Description, QString::fromUtf8(entry.Description)) << entry.Code;
        EXPECT_EQ(document->CategoryCode, QLatin1String(entry.Category)) << entry.Code;
        EXPECT_EQ(document->GroupKey, QLatin1String(entry.Group)) << entry.Code;
        EXPECT_EQ(document->Reportable, entry.Reportable) << entry.Code;
        EXPECT_TRUE(HasText(*document, entry.Description, FindWeightDescription)) << entry.Code;
    }
    // The leaf and exactly its valid completions form one group (an exception rule's forbidden
    // seventh characters get no document).
    QStringList codes;
    for (const TFindDocument& document : *gDocuments)
        codes << document.Code;
    EXPECT_EQ(codes.removeDuplicates(), 0);
    const TCodeInfo* leaf = FindCode(QStringLiteral("S06.0X1"));
    ASSERT_TRUE(leaf);
    QStringList valid, descriptions;
    leaf->GetAllValideCodes(valid, descriptions);
    QStringList grouped;
    for (const TFindDocument& document : *gDocuments)
        if (document.GroupKey == QLatin1String("S06.0X1") && document.Code != QLatin1String("S06.0X1"))
            grouped << document.Code;
    EXPECT_EQ(grouped, valid);
}

TEST_F(FindDocuments, IndexPathsNotesAndContextReachTheirCodes) {
    // An index path counts less the deeper it goes: a main term one more than the base weight,
    // its sub-terms the base weight. The main term's modifiers describe the main term alone.
    EXPECT_TRUE(HasText(*Document("A00.9"), "Cholera (Asiatic) (epidemic)", FindWeightIndexPath + 1));
    EXPECT_TRUE(HasText(*Document("A00.0"), "Cholera, classical", FindWeightIndexPath));
    // A "see" reference: the main term Typhus -- see Typhoid leads to Typhoid's code.
    EXPECT_TRUE(HasText(*Document("A01.00"), "Typhus", FindWeightSee + 1));
    // The descriptions above a code are context.
    EXPECT_TRUE(HasText(*Document("A01.00"), "Typhoid and paratyphoid fevers", FindWeightContext));
    // Short descriptions of the order file.
    const TFindDocument* cholera = Document("A00.9");
    ASSERT_TRUE(ShortDescMap->contains(QStringLiteral("A00.9")));
    EXPECT_TRUE(HasText(*cholera, ShortDescMap->value(QStringLiteral("A00.9")).toUtf8().constData(),
                        FindWeightShortDesc));
}

TEST(FindTableDocuments, EachCellGivesItsCodeTheRowPathAndTheColumn) {
    TChapterList chapters;
    auto chapter = std::make_unique<TChapter>();
    auto section = std::make_unique<TSubChapter>(chapter.get());
    auto category = std::make_unique<TCodeInfo>(section.get(), nullptr, 0);
    category->FCode = QStringLiteral("T39");
    category->FDesc = QStringLiteral("Poisoning by nonopioid analgesics");
    auto leaf = std::make_unique<TCodeInfo>(section.get(), category.get(), 1);
    leaf->FCode = QStringLiteral("T39.1");
    leaf->FDesc = QStringLiteral("Poisoning by 4-Aminophenol derivatives");
    category->FSubCodeList.push_back(std::move(leaf));
    section->FCodeList.push_back(std::move(category));
    chapter->FSubList.push_back(std::move(section));
    chapters.push_back(std::move(chapter));

    TAlphaLetterList table;
    auto letter = std::make_unique<TAlphaLetter>();
    auto term = std::make_unique<TTerm>(letter.get(), 0);
    term->FTitle = QStringLiteral("Acetaminophen");
    term->FCodesInCell = {QStringLiteral("T39.1X1"), QStringLiteral("--"), QString(),
                          QStringLiteral("T39.1-"), QStringLiteral("-"), QStringLiteral("Q99")};
    letter->FMainTermList.push_back(std::move(term));
    table.push_back(std::move(letter));

    TFindSources sources;
    sources.Chapters = &chapters;
    sources.DrugTable = &table;
    const std::vector<TFindDocument> documents = CollectFindDocuments(sources);
    ASSERT_EQ(documents.size(), 2u);
    QStringList texts;
    for (const TFindText& text : documents[1].Texts)
        if (text.Weight == FindWeightTableCell + 1) // a main term of the table
            texts << text.Text;
    // T39.1X1 is not in this list: the nearest code above it takes it; "--", "-", an empty cell
    // and a code of no category give nothing.
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Acetaminophen poisoning accidental unintentional"),
                                  QStringLiteral("Acetaminophen poisoning undetermined")}));
}

} // namespace
