#include "BuildThread.h"

#include "DataEngine.h"
#include "EngineGlobals.h"
#include "IndexLoader.h"
#include "TabularLoader.h"
#include "TextDataSets.h"

#include <algorithm>

namespace {
// Heap-held and never destroyed: loader threads may still run while the process exits.
auto* gBuildThreads = new std::vector<std::unique_ptr<TBuildThread>>();
// Load states of the jobs added after start-up; StopLoaders stops them with the XML loaders.
auto* gExtraStates = new std::vector<TLoadState*>();
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
    switch (FType) {
    case 0:
        LoadTabular();
        break;
    case 1:
    case 2:
    case 3:
    case 4:
        LoadIndex(FType);
        break;
    case 5:
        LoadTextDataSets();
        break;
    default:
        break;
    }
    FFinished = std::chrono::steady_clock::now();
}

void StartBuildThreads() {
    WaitForLoaders();
    gBuildThreads->clear();
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
