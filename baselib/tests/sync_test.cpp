// CBaseMutex, CAutoMutex and CBaseSemaphore within one process.
#include <gravik/ipcmutex.h>
#include <gravik/mutex.h>
#include <gravik/semaphore.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <thread>
#include <vector>

namespace {

// Lock_Try of `mutex` from a thread of its own.
int TryFromAnotherThread(const CBaseMutex& mutex)
{
    int result = -1;
    std::thread other([&] {
        result = mutex.Lock_Try();
        if (result == 0) mutex.Unlock();
    });
    other.join();
    return result;
}

}  // namespace

TEST(BaseMutex, LockTryFromHolderAndFromAnotherThread)
{
    CBaseMutex mutex;
    EXPECT_EQ(TryFromAnotherThread(mutex), 0);  // free
    ASSERT_EQ(mutex.Lock(), 0);
    EXPECT_EQ(TryFromAnotherThread(mutex), 16);
    EXPECT_EQ(mutex.Lock_Try(), 0);  // the holder again: recursive
    EXPECT_EQ(mutex.Unlock(), 0);
    EXPECT_EQ(TryFromAnotherThread(mutex), 16);  // still one level held
    EXPECT_EQ(mutex.Unlock(), 0);
    EXPECT_EQ(TryFromAnotherThread(mutex), 0);
}

TEST(BaseMutex, UnlockByAThreadThatDoesNotHoldItIsRefused)
{
    CBaseMutex mutex;
    EXPECT_NE(mutex.Unlock(), 0);  // not held at all
    ASSERT_EQ(mutex.Lock(), 0);
    int stray = 0;
    std::thread other([&] { stray = mutex.Unlock(); });
    other.join();
    EXPECT_NE(stray, 0);
    EXPECT_EQ(TryFromAnotherThread(mutex), 16);  // the holder's lock survived
    EXPECT_EQ(mutex.Unlock(), 0);
}

TEST(BaseMutex, SerialisesThreads)
{
    CBaseMutex mutex;
    long counter = 0;  // plain on purpose: only the lock protects it
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) {
                mutex.Lock();
                const long v = counter;
                counter = v + 1;
                mutex.Unlock();
            }
        });
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(counter, 80000);
}

TEST(AutoMutex, HoldsTheLockForItsScope)
{
    CBaseMutex mutex;
    {
        CAutoMutex guard(&mutex);
        EXPECT_EQ(TryFromAnotherThread(mutex), 16);
    }
    EXPECT_EQ(TryFromAnotherThread(mutex), 0);
}

TEST(AutoMutex, NullPointersNeitherLockNorUnlock)
{
    CBaseMutex mutex;
    ASSERT_EQ(mutex.Lock(), 0);
    {
        CAutoMutex a(static_cast<CBaseMutex*>(nullptr));
        CAutoMutex b(static_cast<CIpcMutex*>(nullptr));
    }
    // The guards let go of nothing: the lock is still held here.
    EXPECT_EQ(TryFromAnotherThread(mutex), 16);
    EXPECT_EQ(mutex.Unlock(), 0);
}

TEST(AutoMutex, HoldsAnIpcMutexForItsScope)
{
    CIpcMutex ipc(900000 + static_cast<int>(getpid() % 90000), false);
    {
        CAutoMutex guard(&ipc);
        EXPECT_EQ(ipc.Lock(), 35);  // held by this thread through the guard
    }
    EXPECT_EQ(ipc.Lock(), 0);  // released by the guard
    EXPECT_EQ(ipc.Unlock(), 0);
}

TEST(Semaphore, WaitTryTakesOnlyAvailableUnits)
{
    CBaseSemaphore sem;
    EXPECT_EQ(sem.Value(), 0);
    EXPECT_EQ(sem.Wait_Try(), 11);
    EXPECT_EQ(sem.Post(), 0);
    EXPECT_EQ(sem.Value(), 1);
    EXPECT_EQ(sem.Wait_Try(), 0);
    EXPECT_EQ(sem.Wait_Try(), 11);
}

TEST(Semaphore, StartingCountsAndResets)
{
    struct Case {
        int given;
        int value;
    } cases[] = {{0, 0}, {3, 3}, {-5, 0}, {INT_MAX, INT_MAX}};
    for (const Case& c : cases) {
        CBaseSemaphore sem(c.given);
        EXPECT_EQ(sem.Value(), c.value) << c.given;
        sem.Reset(2);
        EXPECT_EQ(sem.Value(), 2);
        sem.Reset(c.given);
        EXPECT_EQ(sem.Value(), c.value) << c.given;
    }
}

TEST(Semaphore, PostAtTheMaximumIsRefused)
{
    CBaseSemaphore sem(INT_MAX - 1);
    EXPECT_EQ(sem.Post(), 0);
    EXPECT_EQ(sem.Post(), 34);
    EXPECT_EQ(sem.Value(), INT_MAX);
    EXPECT_EQ(sem.Wait_Try(), 0);
    EXPECT_EQ(sem.Post(), 0);
}

TEST(Semaphore, WaitBlocksUntilAUnitIsPosted)
{
    CBaseSemaphore items, done;
    int received = 0;
    std::thread consumer([&] {
        for (int i = 0; i < 1000; ++i) {
            items.Wait();
            ++received;
        }
        done.Post();
    });
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(items.Post(), 0);
    done.Wait();
    consumer.join();
    EXPECT_EQ(received, 1000);
    EXPECT_EQ(items.Value(), 0);
}

TEST(Semaphore, ResetWakesAThreadThatWaits)
{
    CBaseSemaphore sem, started;
    std::thread waiter([&] {
        started.Post();
        sem.Wait();
    });
    started.Wait();
    sem.Reset(1);
    waiter.join();
    EXPECT_EQ(sem.Value(), 0);
}
