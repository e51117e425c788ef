// What the benchmarks on the official data share: a scratch folder for the engine's folders and
// files, and the engine started once on the embedded data sets.
#pragma once

#include "BuildConfig.h"
#include "DataEngine.h"
#include "EngineGlobals.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// A folder that lives for the whole run.
inline QTemporaryDir& Scratch() {
    static QTemporaryDir dir;
    return dir;
}

// Starts the engine once and waits for every loader. False, with the benchmark skipped and the
// reason given, when the build embeds the sample data set or the tabular list or keyword file
// did not load.
inline bool OfficialEngineReady(benchmark::State& AState) {
    static const bool loaded = [] {
        InitDataEngine();
        WaitForLoaders();
        return ReadState(TabularLoadState) == LoadDone && ReadState(KeywordLoadState) == LoadDone;
    }();
    if (!TABULON_EMBEDS_OFFICIAL_DATA) {
        AState.SkipWithError("this build embeds the sample data set");
        return false;
    }
    if (!loaded) {
        AState.SkipWithError("the data sets did not load");
        return false;
    }
    return true;
}
