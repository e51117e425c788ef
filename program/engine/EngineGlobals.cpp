#include "EngineGlobals.h"

#include "Accounts.h"
#include "BuildConfig.h"

QString DataYear = QStringLiteral(TABULON_DATA_YEAR);
const QString ProgramDataYear = QStringLiteral(TABULON_DATA_YEAR);

QString ProgramFolder;
QString SharedDataFolder;
QString UserDataFolder;

TIntroduction* IntroductionData = nullptr;
TChapterList* ChapterList = nullptr;
TAlphaLetterList* DiseaseIndexList = nullptr;
TAlphaLetterList* ExternalIndexList = nullptr;
TAlphaLetterList* DrugTableList = nullptr;
TAlphaLetterList* NeoplasmTableList = nullptr;
TCodeKeywordsList* CodeKeywordsList = nullptr;
TKeywordRefList* KeywordRefList = nullptr;
TSpecialKeywordList* SpecialKeywordList = nullptr;
TShortDescMap* ShortDescMap = nullptr;
QStringList* SearchHistoryList = nullptr;

TLoadState TabularLoadState{LoadNotStarted};
TLoadState DiseaseIndexLoadState{LoadNotStarted};
TLoadState ExternalIndexLoadState{LoadNotStarted};
TLoadState DrugTableLoadState{LoadNotStarted};
TLoadState NeoplasmTableLoadState{LoadNotStarted};
TLoadState KeywordLoadState{LoadNotStarted};
TLoadState ShortDescLoadState{LoadNotStarted};

TAccountList* AccountList = nullptr;
TFavoriteKW* CurrentAccount = nullptr;

int IsAdmin = 0;
int FullScreen = 0;
int ScrollBar = 0;

template <class T> static void CreateIfMissing(T*& AContainer) {
    if (!AContainer)
        AContainer = new T();
}

void CreateGlobalContainers() {
    CreateIfMissing(IntroductionData);
    CreateIfMissing(ChapterList);
    CreateIfMissing(DiseaseIndexList);
    CreateIfMissing(ExternalIndexList);
    CreateIfMissing(DrugTableList);
    CreateIfMissing(NeoplasmTableList);
    CreateIfMissing(CodeKeywordsList);
    CreateIfMissing(KeywordRefList);
    CreateIfMissing(SpecialKeywordList);
    CreateIfMissing(ShortDescMap);
    CreateIfMissing(SearchHistoryList);
    CreateIfMissing(AccountList);
}
