// The find index as a loader job: job 6 of the loader threads, with a load state of its own, so
// windows wait for it as for any data set. It reuses the cached index at once when it is valid
// (the data sets need not be loaded for that), else waits for the loaders it needs and builds it.
#pragma once

#include "FindCache.h"
#include "LoadState.h"

// 0 before the job starts, 1 while it opens or builds, 2 ready, -1 failed, -2 stopped.
extern TLoadState FindIndexLoadState;

inline constexpr int FindIndexJob = 6;

// Starts the job on its own thread (after InitDataEngine, on the thread that ran it). Messages
// go to standard error, prefixed with "tabulon: ".
void StartFindIndexJob(const QString& ACacheFolder = FindCacheFolder());

// The index once FindIndexLoadState is 2; null before and after a failure.
TFindIndex* FindIndex();
// How the last job got its index (reused, built, in memory), valid once the job has ended.
TFindIndexOrigin FindIndexOrigin();
