// How many start-up loader jobs run at the same time, and in which order they begin. Each XML
// job holds its inflated document and its parsed tree until its model is built; running all of
// them at once on a machine with fewer cores only multiplies the documents alive at one moment
// without finishing sooner. Jobs ask for a slot by rank; a free slot goes to the lowest rank
// waiting.
#pragma once

#include <condition_variable>
#include <mutex>
#include <set>

class TLoaderSlots {
public:
    explicit TLoaderSlots(int ASlots) : FFree(ASlots) {}

    // Blocks until a slot is free and no job of a lower rank is waiting for one.
    void Acquire(int ARank);
    void Release();

private:
    std::mutex FMutex;
    std::condition_variable FChanged;
    int FFree;
    std::multiset<int> FWaiting;
};

// Holds a slot for the lifetime of the object.
class TLoaderSlot {
public:
    TLoaderSlot(TLoaderSlots& ASlots, int ARank) : FSlots(ASlots) { FSlots.Acquire(ARank); }
    ~TLoaderSlot() { FSlots.Release(); }
    TLoaderSlot(const TLoaderSlot&) = delete;
    TLoaderSlot& operator=(const TLoaderSlot&) = delete;

private:
    TLoaderSlots& FSlots;
};
