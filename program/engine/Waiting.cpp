#include "Waiting.h"

#include <chrono>
#include <thread>

namespace {
TWaitingHooks* gHooks = nullptr;

void SleepWhileLoading(const TLoadState& AState) {
    while (IsLoading(AState)) {
        if (gHooks)
            gHooks->ServeWhileWaiting();
        if (!IsLoading(AState))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}
} // namespace

void SetWaitingHooks(TWaitingHooks* AHooks) { gHooks = AHooks; }
TWaitingHooks* WaitingHooks() { return gHooks; }

TWaitForDataSet::TWaitForDataSet(const TLoadState& AState) {
    if (!IsLoading(AState))
        return;
    if (gHooks) {
        gHooks->ShowWaitingDialog();
        FShowedDialog = true;
    }
    SleepWhileLoading(AState);
}

TWaitForDataSet::~TWaitForDataSet() {
    if (FShowedDialog && gHooks)
        gHooks->HideWaitingDialog();
}

void WaitWhileLoading(const TLoadState& AState) { SleepWhileLoading(AState); }
