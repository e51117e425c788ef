#include "FindIndexJob.h"

#include "DataEngine.h"
#include "EngineGlobals.h"

#include <chrono>
#include <cstdio>
#include <thread>

TLoadState FindIndexLoadState{LoadNotStarted};

namespace {
// Written by the job before it publishes state 2; read after an acquire of that state.
std::unique_ptr<TFindIndex> gIndex;
TFindIndexOrigin gOrigin = TFindIndexOrigin::Failed;

bool Stopped() { return ReadState(FindIndexLoadState) == LoadStopRequested; }

// Waits, without serving any window, until the data sets the documents come from have loaded.
bool WaitForSources() {
    for (const TLoadState* state : {&TabularLoadState, &DiseaseIndexLoadState,
                                    &ExternalIndexLoadState, &DrugTableLoadState,
                                    &NeoplasmTableLoadState, &ShortDescLoadState}) {
        while (IsLoading(*state)) {
            if (Stopped())
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (ReadState(*state) == LoadStopRequested)
            return false;
    }
    return ReadState(TabularLoadState) == LoadDone && !Stopped();
}

void RunJob(const QString& ACacheFolder) {
    const TFindDocumentSource source = []() -> std::optional<std::vector<TFindDocument>> {
        if (!WaitForSources())
            return std::nullopt;
        return CollectFindDocuments(GlobalFindSources());
    };
    const TFindMessageSink messages = [](const QString& AMessage) {
        std::fprintf(stderr, "tabulon: %s\n", AMessage.toLocal8Bit().constData());
    };
    TFindIndexOutcome outcome;
    try {
        outcome = OpenOrBuildFindIndex(ACacheFolder, FindIndexKey(), source, messages);
    } catch (const std::exception& error) {
        messages(QStringLiteral("the find index could not be built: %1")
                     .arg(QString::fromLocal8Bit(error.what())));
    }
    gOrigin = outcome.Origin;
    gIndex = std::move(outcome.Index);
    int expected = LoadRunning;
    const int final = gIndex ? LoadDone : (Stopped() ? LoadStopRequested : LoadFailed);
    if (!FindIndexLoadState.compare_exchange_strong(expected, final, std::memory_order_acq_rel) &&
        gIndex)
        WriteState(FindIndexLoadState, LoadDone); // stop asked after the index was ready
}
} // namespace

void StartFindIndexJob(const QString& ACacheFolder) {
    WriteState(FindIndexLoadState, LoadRunning);
    gIndex.reset();
    AddBuildThread(std::make_unique<TBuildThread>(FindIndexJob, [ACacheFolder] { RunJob(ACacheFolder); }),
                   &FindIndexLoadState);
}

TFindIndex* FindIndex() {
    return ReadState(FindIndexLoadState) == LoadDone ? gIndex.get() : nullptr;
}

TFindIndexOrigin FindIndexOrigin() { return gOrigin; }
