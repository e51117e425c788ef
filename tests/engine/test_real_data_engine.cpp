// The whole engine on the embedded FY2023 data sets: every loader, the derived data sets, the
// code queries checked against the published order file, and the keyword search. Skipped when the
// build embeds the sample data set.
#include "BuildConfig.h"
#include "CodeQueries.h"
#include "DataEngine.h"
#include "EngineGlobals.h"
#include "KeywordMatch.h"
#include "KeywordSearchEngine.h"
#include "OrderFile.h"
#include "TestSupport.h"
#include "TextDataSets.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace {

class RealEngine : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!TABULON_EMBEDS_OFFICIAL_DATA)
            return;
        gMessages = new TMessageRecorder();
        LoadEngineForSuite();
    }
    void SetUp() override {
        if (!TABULON_EMBEDS_OFFICIAL_DATA)
            GTEST_SKIP() << "this build embeds the sample data set, not the official files";
    }
    static inline TMessageRecorder* gMessages = nullptr;
};

int MainTerms(const TAlphaLetterList& AList) {
    int count = 0;
    for (const auto& letter : AList)
        count += static_cast<int>(letter->FMainTermList.size());
    return count;
}

// Accented letters of the XML files are plain ASCII in the order file.
QString FoldAccents(const QString& AText) {
    QString folded;
    for (const QChar c : AText.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            folded += c;
    return folded;
}

TEST_F(RealEngine, EveryLoaderEndsWithoutAMessage) {
    EXPECT_TRUE(gMessages->Messages().isEmpty()) << gMessages->Messages().join(QLatin1Char('\n')).toStdString();
    for (const TLoadState* state : {&TabularLoadState, &DiseaseIndexLoadState, &ExternalIndexLoadState,
                                    &DrugTableLoadState, &NeoplasmTableLoadState, &KeywordLoadState,
                                    &ShortDescLoadState})
        EXPECT_EQ(ReadState(*state), LoadDone);
}

TEST_F(RealEngine, IndexesAndTablesHaveThePublishedCounts) {
    const std::tuple<const char*, const TAlphaLetterList*, std::size_t, int> cases[] = {
        {"diseases", DiseaseIndexList, 26, 8060},
        {"external causes", ExternalIndexList, 22, 314},
        {"drugs", DrugTableList, 27, 5175},
        {"neoplasms", NeoplasmTableList, 1, 1},
    };
    for (const auto& [name, list, letters, terms] : cases) {
        EXPECT_EQ(list->size(), letters) << name;
        EXPECT_EQ(MainTerms(*list), terms) << name;
    }
    EXPECT_EQ(NeoplasmTableList->front()->FMainTermList[0]->FTitle, QStringLiteral("Neoplasm, neoplastic"));
    EXPECT_EQ(DrugTableList->front()->FLetter, QStringLiteral("#"));
}

TEST_F(RealEngine, TextDataSetsAreComplete) {
    EXPECT_EQ(ShortDescMap->size(), 73639);
    EXPECT_EQ(ShortDescMap->value(QStringLiteral("A00.0")),
              QStringLiteral("Cholera due to Vibrio cholerae 01, biovar cholerae"));
    ASSERT_EQ(SpecialKeywordList->size(), 39u);
    QStringList mended;
    for (const auto& plural : *SpecialKeywordList)
        if (QStringList{QStringLiteral("ox"), QStringLiteral("shelf"), QStringLiteral("thief"), QStringLiteral("wolf")}
                .contains(plural->FKeyWord))
            mended << plural->FSpecial1;
    EXPECT_EQ(mended, (QStringList{QStringLiteral("oxen"), QStringLiteral("shelves"),
                                   QStringLiteral("thieves"), QStringLiteral("wolves")}));
}

TEST_F(RealEngine, EveryValidCodeResolvesToItsDescription) {
    QHash<QString, QString> valid;
    ASSERT_TRUE(ReadOrderFileCodes(QStringLiteral(TABULON_TEST_DATA_DIR "/icd10cm_order_2023.txt"), true, valid));
    ASSERT_EQ(valid.size(), 73639);
    int unresolved = 0, differing = 0, accentOnly = 0;
    for (auto it = valid.cbegin(); it != valid.cend(); ++it) {
        const QString& code = it.key();
        QString description;
        if (const TCodeInfo* node = FindCode(code)) {
            description = node->FDesc;
        } else {
            QString category, subCode;
            TCodeInfo* root = SplitCode(code, category, subCode) ? FindCategory(category) : nullptr;
            if (!root || subCode.size() != 4 || !root->FindHeaderBy4SubCodes(subCode, description)) {
                ADD_FAILURE_AT(__FILE__, __LINE__) << "unresolved: " << code.toStdString();
                ++unresolved;
                continue;
            }
        }
        if (description != it.value()) {
            accentOnly += FoldAccents(description) == it.value();
            if (FoldAccents(description) != it.value() && ++differing <= 10)
                ADD_FAILURE() << code.toStdString() << ": " << description.toStdString() << " / "
                              << it.value().toStdString();
        }
    }
    EXPECT_EQ(unresolved, 0);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(accentOnly, 116);
}

TEST_F(RealEngine, ReportableCodesEqualTheOrderFile) {
    QHash<QString, QString> valid;
    ASSERT_TRUE(ReadOrderFileCodes(QStringLiteral(TABULON_TEST_DATA_DIR "/icd10cm_order_2023.txt"), true, valid));
    QStringList codes, descriptions;
    for (const auto& chapter : *ChapterList)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList)
                category->GetAllValideCodes(codes, descriptions);
    EXPECT_EQ(codes.size(), 73639);
    const QSet<QString> reportable(codes.begin(), codes.end());
    EXPECT_EQ(reportable.size(), 73639);
    for (const QString& code : reportable)
        EXPECT_TRUE(valid.contains(code)) << code.toStdString();
}

TEST_F(RealEngine, EveryCategoryHasKeywords) {
    int categories = 0;
    for (const auto& chapter : *ChapterList)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList) {
                ++categories;
                const TCodeKeywords* entry = FindCodeKeywords(category->FCode);
                EXPECT_TRUE(entry && !entry->FKeywords.isEmpty()) << category->FCode.toStdString();
            }
    EXPECT_EQ(categories, 1914);
}

// The title of a main term without its modifiers, cut at commas: the keywords a coder types.
QStringList SearchKeywordsOf(const pugi::xml_node& ATitle) {
    QString title;
    for (pugi::xml_node child : ATitle.children())
        if (child.type() == pugi::node_pcdata)
            title += QString::fromUtf8(child.value()) + QLatin1Char(' ');
    QStringList keywords;
    for (const QString& piece : title.simplified().split(QLatin1Char(','), Qt::SkipEmptyParts))
        keywords << piece.trimmed().toUpper();
    return keywords;
}

TEST_F(RealEngine, KeywordSearchForAMainTermFindsTheCategoryOfItsCode) {
    pugi::xml_document index;
    ASSERT_TRUE(index.load_file(TABULON_TEST_DATA_DIR "/icd10cm_index_2023.xml"));
    int terms = 0, found = 0;
    QStringList misses;
    for (pugi::xml_node letter : index.document_element().children("letter"))
        for (pugi::xml_node term : letter.children("mainTerm")) {
            const pugi::xml_node code = term.child("code");
            if (!code)
                continue;
            ++terms;
            TCodeInfo* category = FindCategory(QString::fromUtf8(code.child_value()).left(3));
            if (category && MatchKeywords(*category, SearchKeywordsOf(term.child("title"))))
                ++found;
            else if (misses.size() < 20)
                misses << QString::fromUtf8(term.child("title").child_value()) + QStringLiteral(" -> ") +
                              QString::fromUtf8(code.child_value());
        }
    ASSERT_GT(terms, 3000);
    EXPECT_GE(found * 100, terms * 99) << found << " of " << terms << "; first misses:\n"
                                       << misses.join(QLatin1Char('\n')).toStdString();
    std::printf("main terms with a code found by keyword search: %d of %d\n", found, terms);
}

// The example of keywords separated by commas that the keyword window gives finds categories.
TEST_F(RealEngine, TheKeywordWindowsExampleFindsCategories) {
    const QList<TCodeInfo*> found = SearchCategories(
        *ChapterList, TSearchMode::Keywords, SearchKeywordsOf(KeywordsExample.trimmed()), 0);
    EXPECT_FALSE(found.isEmpty()) << KeywordsExample.toStdString();
}

// What coders type into the keyword search: numbers, and names without their accents or
// possessives, as well as the names as the classification writes them.
TEST_F(RealEngine, KeywordSearchFindsNumbersAndPlainFormsOfNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"diabetes, type, 2", "E11"},
        {"alzheimer", "G30"},
        {"alzheimer's", "G30"},
        {"sjogren", "M35"},
        {"sjögren", "M35"},
        {"sezary", "C84"},
        {"meniere", "H81"},
    };
    for (const auto& [text, category] : cases) {
        const QString trimmed = QString::fromUtf8(text);
        QStringList found;
        for (const TCodeInfo* code :
             SearchCategories(*ChapterList, TSearchMode::Keywords, SearchKeywordsOf(trimmed), NoFullTextConditions))
            found << code->FCode;
        EXPECT_TRUE(found.contains(QLatin1String(category)))
            << text << " found " << found.join(QLatin1Char(' ')).toStdString();
    }
}

} // namespace
