// The start-up slots: never more jobs at once than slots, and a free slot goes to the lowest
// rank waiting.
#include "LoaderSlots.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace {

TEST(LoaderSlots, NeverRunsMoreJobsThanSlots) {
    TLoaderSlots slots(2);
    std::atomic<int> running{0}, most{0};
    std::vector<std::thread> jobs;
    for (int rank = 0; rank < 6; ++rank)
        jobs.emplace_back([&, rank] {
            const TLoaderSlot slot(slots, rank);
            const int now = running.fetch_add(1) + 1;
            int seen = most.load();
            while (now > seen && !most.compare_exchange_weak(seen, now)) {
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            running.fetch_sub(1);
        });
    for (std::thread& job : jobs)
        job.join();
    EXPECT_EQ(most.load(), 2);
}

TEST(LoaderSlots, AFreedSlotGoesToTheLowestRankWaiting) {
    TLoaderSlots slots(1);
    slots.Acquire(0); // holds the only slot while the others line up
    std::mutex orderMutex;
    std::vector<int> order;
    std::vector<std::thread> jobs;
    for (int rank : {5, 3, 4, 1})
        jobs.emplace_back([&, rank] {
            const TLoaderSlot slot(slots, rank);
            const std::lock_guard lock(orderMutex);
            order.push_back(rank);
        });
    // Give every job the time to start waiting before the slot comes free.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    slots.Release();
    for (std::thread& job : jobs)
        job.join();
    EXPECT_EQ(order, (std::vector<int>{1, 3, 4, 5}));
}

} // namespace
