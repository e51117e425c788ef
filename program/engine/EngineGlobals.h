// The data engine's global containers, load states, folders and settings. Start-up creates the
// containers once; each loader thread fills only its own; after loading they are read-only and
// live until the process ends (they are deliberately never destroyed, so a loader thread still
// running at exit never touches a destroyed container).
#pragma once

#include "IndexModel.h"
#include "KeywordModel.h"
#include "LoadState.h"
#include "ShortDescMap.h"
#include "TabularModel.h"

#include <QHash>
#include <QString>
#include <QStringList>

using TChapterList = TOwningList<TChapter>;
using TAlphaLetterList = TOwningList<TAlphaLetter>;

// Edition of the data sets in use, e.g. "2023": the embedded edition's, or that of the edition
// file chosen at start (Edition.h sets it). The windows show it.
extern QString DataYear;
// Edition of the data sets embedded in the program: it names the user folders, so that accounts,
// settings and the search history stay the same whichever edition file is in use.
extern const QString ProgramDataYear;

extern QString ProgramFolder;    // folder of the executable, with a trailing "/"
extern QString SharedDataFolder; // shared data (account files), with a trailing "/"
extern QString UserDataFolder;   // per-user data (settings, search history), trailing "/"

extern TIntroduction* IntroductionData;
extern TChapterList* ChapterList;
extern TAlphaLetterList* DiseaseIndexList;
extern TAlphaLetterList* ExternalIndexList;
extern TAlphaLetterList* DrugTableList;
extern TAlphaLetterList* NeoplasmTableList;
extern TCodeKeywordsList* CodeKeywordsList;
extern TKeywordRefList* KeywordRefList;
extern TSpecialKeywordList* SpecialKeywordList;
extern TShortDescMap* ShortDescMap;
extern QStringList* SearchHistoryList;

extern TLoadState TabularLoadState;
extern TLoadState DiseaseIndexLoadState;
extern TLoadState ExternalIndexLoadState;
extern TLoadState DrugTableLoadState;
extern TLoadState NeoplasmTableLoadState;
extern TLoadState KeywordLoadState;
// Published when the short-description map is complete (or its load ended); readers wait on it.
extern TLoadState ShortDescLoadState;

// Settings of section Config: IsAdmin from the program's config.ini, FullScreen and ScrollBar
// from the user's. Read and written on the user-interface thread only.
extern int IsAdmin;
extern int FullScreen;
extern int ScrollBar;

// User accounts of the shared data folder, and the account logged in (none: nullptr). Filled at
// start-up; the main window appends new accounts and sets the current one.
class TFavoriteKW;
using TAccountList = std::vector<std::unique_ptr<TFavoriteKW>>;
extern TAccountList* AccountList;
extern TFavoriteKW* CurrentAccount;

// Creates every container that does not exist yet; containers that exist are left as they are.
void CreateGlobalContainers();
