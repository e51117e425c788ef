// The word indexes of the keyword and full-text searches, built on first use from the loaded
// lists and built again when a list was replaced since (a second start-up, a keyword reload).
//
// An index is only handed out for the engine's own tabular list (ChapterList) while no loader
// writes the lists it reads: the tabular list has loaded completely and, for the keyword index,
// the keyword load has ended. Otherwise the callers search the lists one by one, as they did
// before any index existed. Any thread may ask; the first one to ask builds, under a lock, and
// an index handed out stays alive as long as its holder keeps it.
#pragma once

#include "FullTextIndex.h"
#include "KeywordIndex.h"

#include <memory>

// The keyword index for AChapters, or null when none may be used now.
std::shared_ptr<const TKeywordIndex> KeywordIndexFor(const TOwningList<TChapter>& AChapters);

// The full-text index for AChapters, or null when none may be used now.
std::shared_ptr<const TFullTextIndex> FullTextIndexFor(const TOwningList<TChapter>& AChapters);

// The keyword index for ChapterList, or null (see KeywordIndexFor).
std::shared_ptr<const TKeywordIndex> CurrentKeywordIndex();

// Drops both indexes; the next search builds them again.
void ForgetSearchIndexes();

// Whether searches use the indexes (the default) or scan every category. A process that searches
// once, as a command-line run does, is quicker without: building an index takes longer than the
// one scan it saves.
void UseSearchIndexes(bool AUse);
