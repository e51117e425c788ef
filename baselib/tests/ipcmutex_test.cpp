// CIpcMutex: the creator flag, exclusion between objects, threads and
// processes, misuse results, and no lock files left behind.
#include <gravik/ipcmutex.h>

#include <gtest/gtest.h>

#include <dirent.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <sched.h>
#include <string>
#include <thread>
#include <vector>

namespace {

// Ids from the process id, so that parallel runs of this test never meet.
int TestId(int n) { return 1000000 + static_cast<int>(getpid() % 100000) * 10 + n; }

// Names of the lock files of `id` that exist now, in either folder.
std::vector<std::string> LeftoverFiles(int id)
{
    const std::string needle = "-IpcMutex_" + std::to_string(id) + ".";
    std::vector<std::string> found;
    for (const char* dir : {"/dev/shm", "/tmp"}) {
        DIR* d = opendir(dir);
        if (!d) continue;
        while (dirent* e = readdir(d)) {
            const std::string name = e->d_name;
            if (name.find(needle) != std::string::npos) found.push_back(name);
        }
        closedir(d);
    }
    return found;
}

void WriteByte(int fd, char c) { ASSERT_EQ(write(fd, &c, 1), 1); }

char ReadByte(int fd)
{
    char c = 0;
    return read(fd, &c, 1) == 1 ? c : '\0';
}

bool ReadableWithin(int fd, int ms)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, ms) == 1;
}

}  // namespace

TEST(IpcMutex, FirstObjectOfAnIdIsTheCreator)
{
    const int id = TestId(1);
    {
        CIpcMutex first(id, false);
        CIpcMutex second(id, true);
        EXPECT_TRUE(first.IsCreater());
        EXPECT_FALSE(second.IsCreater());
        CIpcMutex other(TestId(2), false);
        EXPECT_TRUE(other.IsCreater());
    }
    EXPECT_TRUE(LeftoverFiles(id).empty());
    CIpcMutex again(id, false);  // everything of the id was gone
    EXPECT_TRUE(again.IsCreater());
}

TEST(IpcMutex, TwoProcessesShareTheLockAndTheCreatorFlag)
{
    const int id = TestId(3);
    int toParent[2], toChild[2];
    ASSERT_EQ(pipe(toParent), 0);
    ASSERT_EQ(pipe(toChild), 0);
    {
        CIpcMutex mine(id, false);
        ASSERT_TRUE(mine.IsCreater());
        ASSERT_EQ(mine.Lock(), 0);

        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int status = 0;
            if (mine.Lock() != 10) status |= 16;  // the copy inherited from the parent
            {
                CIpcMutex theirs(id, false);
                if (theirs.IsCreater()) status |= 1;
                char c = 'w';
                if (write(toParent[1], &c, 1) != 1) status |= 2;  // about to wait
                if (theirs.Lock() != 0) status |= 4;
                c = 'g';
                if (write(toParent[1], &c, 1) != 1) status |= 2;  // got it
                if (read(toChild[0], &c, 1) != 1) status |= 2;
                if (theirs.Unlock() != 0) status |= 8;
            }
            _exit(status);
        }
        EXPECT_EQ(ReadByte(toParent[0]), 'w');
        // While this process holds the lock the child must not get it.
        EXPECT_FALSE(ReadableWithin(toParent[0], 200));
        ASSERT_EQ(mine.Unlock(), 0);
        EXPECT_EQ(ReadByte(toParent[0]), 'g');
        WriteByte(toChild[1], 'x');
        int status = -1;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "1 creator, 2 pipe, 4 lock, 8 unlock, 16 inherited copy";
        EXPECT_EQ(mine.Lock(), 0);  // free again after the child let go
        EXPECT_EQ(mine.Unlock(), 0);
    }
    for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]}) close(fd);
    EXPECT_TRUE(LeftoverFiles(id).empty());
}

TEST(IpcMutex, ProcessesNeverLoseUpdatesUnderTheLock)
{
    const int id = TestId(4);
    auto* counter = static_cast<volatile long*>(
        mmap(nullptr, sizeof(long), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(counter, MAP_FAILED);
    *counter = 0;
    constexpr int kRounds = 300;
    auto work = [&] {
        CIpcMutex lock(id, false);
        for (int i = 0; i < kRounds; ++i) {
            if (lock.Lock() != 0) return false;
            const long v = *counter;
            sched_yield();  // invites the other process in, if it could enter
            *counter = v + 1;
            lock.Unlock();
        }
        return true;
    };
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(work() ? 0 : 1);
    EXPECT_TRUE(work());
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(*counter, 2L * kRounds);
    munmap(const_cast<long*>(counter), sizeof(long));
    EXPECT_TRUE(LeftoverFiles(id).empty());
}

TEST(IpcMutex, ThreadsWithTheirOwnObjectsTakeTurns)
{
    const int id = TestId(5);
    // Loads and stores kept apart, so a lost update shows when the lock fails;
    // atomic only so the race detector, which cannot see file locks, keeps quiet.
    std::atomic<long> counter{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t)
        threads.emplace_back([&] {
            CIpcMutex lock(id, false);
            for (int i = 0; i < 300; ++i) {
                lock.Lock();
                const long v = counter.load(std::memory_order_relaxed);
                sched_yield();
                counter.store(v + 1, std::memory_order_relaxed);
                lock.Unlock();
            }
        });
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(counter.load(), 900);
    EXPECT_TRUE(LeftoverFiles(id).empty());
}

TEST(IpcMutex, MisuseGetsErrorNumbersInsteadOfAHang)
{
    const int id = TestId(6);
    CIpcMutex lock(id, false);
    EXPECT_EQ(lock.Unlock(), 1);  // holds nothing
    ASSERT_EQ(lock.Lock(), 0);
    EXPECT_EQ(lock.Lock(), 35);  // the same thread again
    // Another thread of the same object waits as usual and gets the lock when
    // the holder lets go.
    int other = -1;
    std::thread waiter([&] { other = lock.Lock(); });
    EXPECT_EQ(lock.Unlock(), 0);
    waiter.join();
    EXPECT_EQ(other, 0);
    EXPECT_EQ(lock.Unlock(), 0);
    EXPECT_EQ(lock.Unlock(), 1);
}

TEST(IpcMutex, DestroyingAHolderReleasesTheLock)
{
    const int id = TestId(7);
    {
        CIpcMutex holder(id, false);
        ASSERT_EQ(holder.Lock(), 0);
    }
    EXPECT_TRUE(LeftoverFiles(id).empty());
    CIpcMutex next(id, false);
    EXPECT_EQ(next.Lock(), 0);
    EXPECT_EQ(next.Unlock(), 0);
}
