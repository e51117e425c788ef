// The six loader threads of start-up, one job each: 0 tabular list, 1 index to diseases,
// 2 external-cause index, 3 drug table, 4 neoplasm table, 5 the three text data sets. Two of the
// six jobs run at a time, the large documents first (LoaderSlots.h); the last job to end hands
// the memory the loaders freed back to the system.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

class TBuildThread {
public:
    // Creates the loader for job AType (0..5); it starts at once unless ASuspend is true.
    TBuildThread(int AType, bool ASuspend);
    // A loader job beyond the six of start-up (the find index is one): AJob runs on the thread
    // as the job body. It starts at once.
    TBuildThread(int AType, std::function<void()> AJob);
    // Joins a running thread (tests and tools join; the program never destroys its loaders).
    ~TBuildThread();
    TBuildThread(const TBuildThread&) = delete;
    TBuildThread& operator=(const TBuildThread&) = delete;

    // Starts a suspended loader; does nothing when it already runs.
    void Resume();
    // Waits until the job has ended.
    void WaitFor();
    // The job body; runs on the loader's own thread.
    void Execute();

    int FType;
    // Wall time the job took; valid once WaitFor has returned.
    std::chrono::steady_clock::duration Elapsed() const { return FFinished - FStarted; }

private:
    std::function<void()> FJob;
    std::thread FThread;
    std::chrono::steady_clock::time_point FStarted{};
    std::chrono::steady_clock::time_point FFinished{};
};
