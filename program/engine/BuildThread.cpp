#include "BuildThread.h"

#include "DataEngine.h"
#include "EngineGlobals.h"
#include "IndexLoader.h"
#include "LoaderSlots.h"
#include "TabularLoader.h"
#include "TextDataSets.h"

#include <algorithm>
#include <atomic>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {
// Heap-held and never destroyed: loader threads may still run while the process exits.
auto* gBuildThreads = new std::vector<std::unique_ptr<TBuildThread>>();
// Load states of the jobs added after start-up; StopLoaders stops them with the XML loaders.
auto* gExtraStates = new std::vector<TLoadState*>();

// Two start-up jobs at a time keep two cores busy while at most two documents are alive.
auto* gStartUpSlots = new TLoaderSlots(2);
// The order in which waiting start-up jobs begin, by job number: the two large XML documents
// first (the longest jobs), then the text data sets, then the smaller documents.
constexpr int kStartUpRank[] = {0, 1, 4, 3, 5, 2};
// Start-up jobs not yet ended; the last one to end hands the freed memory back.
std::atomic<int> gStartUpJobsLeft{0};

void ReturnFreedMemory() {
#if defined(__GLIBC__)
    // The documents and temporary texts of the loaders are freed by now, but the allocator keeps
    // their pages in its arenas (one per loader thread) unless asked to give them back.
    malloc_trim(0);
#endif
}

// Large blocks (inflated documents, parser pages, the tables of big hashes and lists) come from
// their own mappings and go back to the system when freed. Left to itself the allocator raises
// that threshold to the largest block freed so far, and after the first inflated document every
// later large temporary stays in the heap, where its pages outlive it.
void KeepLargeBlocksReturnable() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

void RunStartUpJob(int AType) {
    const TLoaderSlot slot(*gStartUpSlots, kStartUpRank[AType]);
    switch (AType) {
    case 0:
        LoadTabular();
        break;
    case 1:
    case 2:
    case 3:
    case 4:
        LoadIndex(AType);
        break;
    case 5:
        LoadTextDataSets();
        break;
    default:
        break;
    }
}
} // namespace

TBuildThread::TBuildThread(int AType, bool ASuspend) : FType(AType) {
    if (!ASuspend)
        Resume();
}

TBuildThread::TBuildThread(int AType, std::function<void()> AJob)
    : FType(AType), FJob(std::move(AJob)) {
    Resume();
}

TBuildThread::~TBuildThread() { WaitFor(); }

void TBuildThread::Resume() {
    if (!FThread.joinable())
        FThread = std::thread([this] { Execute(); });
}

void TBuildThread::WaitFor() {
    if (FThread.joinable())
        FThread.join();
}

void TBuildThread::Execute() {
    FStarted = std::chrono::steady_clock::now();
    if (FJob) {
        FJob();
        FFinished = std::chrono::steady_clock::now();
        return;
    }
    if (FType >= 0 && FType <= 5) {
        RunStartUpJob(FType);
        if (gStartUpJobsLeft.fetch_sub(1, std::memory_order_acq_rel) == 1)
            ReturnFreedMemory();
    }
    FFinished = std::chrono::steady_clock::now();
}

void StartBuildThreads() {
    WaitForLoaders();
    KeepLargeBlocksReturnable();
    gBuildThreads->clear();
    gStartUpJobsLeft.store(6, std::memory_order_release);
    for (int job = 0; job <= 5; ++job)
        gBuildThreads->push_back(std::make_unique<TBuildThread>(job, false));
}

void StopLoaders() {
    std::vector<TLoadState*> states{&TabularLoadState, &DiseaseIndexLoadState,
                                    &ExternalIndexLoadState, &DrugTableLoadState,
                                    &NeoplasmTableLoadState};
    states.insert(states.end(), gExtraStates->begin(), gExtraStates->end());
    for (TLoadState* state : states) {
        int expected = LoadRunning;
        state->compare_exchange_strong(expected, LoadStopRequested, std::memory_order_acq_rel);
    }
}

void AddBuildThread(std::unique_ptr<TBuildThread> AThread, TLoadState* AState) {
    gBuildThreads->push_back(std::move(AThread));
    if (AState && std::find(gExtraStates->begin(), gExtraStates->end(), AState) == gExtraStates->end())
        gExtraStates->push_back(AState);
}

const std::vector<std::unique_ptr<TBuildThread>>& BuildThreads() { return *gBuildThreads; }

void WaitForLoaders() {
    for (const auto& thread : *gBuildThreads)
        thread->WaitFor();
}
