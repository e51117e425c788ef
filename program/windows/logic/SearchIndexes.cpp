#include "SearchIndexes.h"

#include "CodeQueries.h"
#include "EngineGlobals.h"
#include "TextDataSets.h"

#include <atomic>
#include <mutex>
#include <optional>

namespace {

// What an index was built from. A reload bumps the list's generation before it touches the list;
// the sizes also catch a list refilled in place without one.
struct TTabularStamp {
    const TChapterList* List = nullptr;
    unsigned Generation = 0;
    std::size_t Chapters = 0;
    bool operator==(const TTabularStamp&) const = default;
};

struct TKeywordStamp {
    unsigned Generation = 0;
    int State = LoadNotStarted;
    std::size_t Entries = 0;
    std::size_t Distinct = 0;
    bool operator==(const TKeywordStamp&) const = default;
};

std::optional<TTabularStamp> StableTabular(const TOwningList<TChapter>& AChapters) {
    if (!ChapterList || &AChapters != ChapterList || ReadState(TabularLoadState) != LoadDone)
        return std::nullopt;
    return TTabularStamp{ChapterList, TabularListGeneration(), ChapterList->size()};
}

// Only a load that has ended leaves the keyword lists alone; before the first load starts they
// are about to be filled.
std::optional<TKeywordStamp> StableKeywords() {
    const int state = ReadState(KeywordLoadState);
    if ((state != LoadDone && state != LoadFailed) || !CodeKeywordsList || !KeywordRefList)
        return std::nullopt;
    return TKeywordStamp{CodeKeywordsGeneration(), state, CodeKeywordsList->size(), KeywordRefList->size()};
}

std::atomic<bool> gUseIndexes{true};
std::mutex gMutex;

struct {
    TTabularStamp Tabular;
    TKeywordStamp Keywords;
    std::shared_ptr<const TKeywordIndex> Index;
} gKeyword;

struct {
    TTabularStamp Tabular;
    std::shared_ptr<const TFullTextIndex> Index;
} gFullText;

} // namespace

std::shared_ptr<const TKeywordIndex> KeywordIndexFor(const TOwningList<TChapter>& AChapters) {
    if (!gUseIndexes.load(std::memory_order_relaxed))
        return nullptr;
    const std::optional<TTabularStamp> tabular = StableTabular(AChapters);
    const std::optional<TKeywordStamp> keywords = StableKeywords();
    if (!tabular || !keywords)
        return nullptr;
    std::lock_guard lock(gMutex);
    if (gKeyword.Index && gKeyword.Tabular == *tabular && gKeyword.Keywords == *keywords)
        return gKeyword.Index;
    auto index = std::make_shared<const TKeywordIndex>(AChapters, *CodeKeywordsList, *KeywordRefList);
    // A load that began meanwhile may have changed what the index was built from.
    if (StableTabular(AChapters) != tabular || StableKeywords() != keywords)
        return nullptr;
    gKeyword = {*tabular, *keywords, std::move(index)};
    return gKeyword.Index;
}

std::shared_ptr<const TFullTextIndex> FullTextIndexFor(const TOwningList<TChapter>& AChapters) {
    if (!gUseIndexes.load(std::memory_order_relaxed))
        return nullptr;
    const std::optional<TTabularStamp> tabular = StableTabular(AChapters);
    if (!tabular)
        return nullptr;
    std::lock_guard lock(gMutex);
    if (gFullText.Index && gFullText.Tabular == *tabular)
        return gFullText.Index;
    auto index = std::make_shared<const TFullTextIndex>(AChapters);
    if (StableTabular(AChapters) != tabular)
        return nullptr;
    gFullText = {*tabular, std::move(index)};
    return gFullText.Index;
}

std::shared_ptr<const TKeywordIndex> CurrentKeywordIndex() {
    return ChapterList ? KeywordIndexFor(*ChapterList) : nullptr;
}

void UseSearchIndexes(bool AUse) { gUseIndexes.store(AUse, std::memory_order_relaxed); }

void ForgetSearchIndexes() {
    std::lock_guard lock(gMutex);
    gKeyword = {};
    gFullText = {};
}
