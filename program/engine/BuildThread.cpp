#include "BuildThread.h"

#include "TabularLoader.h"

TBuildThread::TBuildThread(int AType, bool ASuspend) : FType(AType) {
    if (!ASuspend)
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
    switch (FType) {
    case 0:
        LoadTabular();
        break;
    default:
        // The index, table and text loaders plug in here.
        break;
    }
    FFinished = std::chrono::steady_clock::now();
}
