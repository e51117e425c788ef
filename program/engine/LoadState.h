// Load states of the data sets. Each loader thread writes only its own state, with release
// semantics after its last write to its container; readers load with acquire semantics, so a
// reader that sees the state leave "loading" also sees the complete container.
#pragma once

#include <atomic>

using TLoadState = std::atomic<int>;

enum : int {
    LoadNotStarted = 0,
    LoadRunning = 1,
    LoadDone = 2,
    LoadFailed = -1,
    LoadStopRequested = -2,
};

inline int ReadState(const TLoadState& AState) { return AState.load(std::memory_order_acquire); }
inline void WriteState(TLoadState& AState, int AValue) {
    AState.store(AValue, std::memory_order_release);
}
inline bool IsLoading(const TLoadState& AState) { return ReadState(AState) == LoadRunning; }
