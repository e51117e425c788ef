// Keeping the find index between runs: a folder in the user's cache folder, named by a key made
// of the edition, a hash of the embedded data sets and of the synonym list, and the layout
// version. A cache made from other data, or damaged, is discarded and built again; a new index
// is written into a temporary folder and renamed into place, so two programs starting at once
// never see half an index; a cache folder that cannot be written gives an index in memory.
#pragma once

#include "FindIndex.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// $XDG_CACHE_HOME/tabulon/find (XDG_CACHE_HOME defaults to ~/.cache).
QString FindCacheFolder();

// The key of the index for the data sets embedded in this program.
QString FindIndexKey();

enum class TFindIndexOrigin { Reused, Built, InMemory, Failed };

struct TFindIndexOutcome {
    std::unique_ptr<TFindIndex> Index;
    TFindIndexOrigin Origin = TFindIndexOrigin::Failed;
};

// The documents to build from, or nothing when they cannot be had (data set failed, stop).
using TFindDocumentSource = std::function<std::optional<std::vector<TFindDocument>>()>;
// Where the messages go (a cache discarded, the fallback to memory); one line each.
using TFindMessageSink = std::function<void(const QString&)>;

// The index for AKey: reused from ACacheFolder when valid, else built from ASource (called only
// then) and written there. Messages for the user (a damaged cache discarded, a folder that cannot
// be written) go to AMessages.
TFindIndexOutcome OpenOrBuildFindIndex(const QString& ACacheFolder, const QString& AKey,
                                       const TFindDocumentSource& ASource,
                                       const TFindMessageSink& AMessages);
