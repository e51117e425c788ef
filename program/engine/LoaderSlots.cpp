#include "LoaderSlots.h"

void TLoaderSlots::Acquire(int ARank) {
    std::unique_lock lock(FMutex);
    const auto entry = FWaiting.insert(ARank);
    FChanged.wait(lock, [&] { return FFree > 0 && *FWaiting.begin() == ARank; });
    FWaiting.erase(entry);
    --FFree;
    // Another slot may still be free for the next rank in line.
    FChanged.notify_all();
}

void TLoaderSlots::Release() {
    {
        const std::lock_guard lock(FMutex);
        ++FFree;
    }
    FChanged.notify_all();
}
