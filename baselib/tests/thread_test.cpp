// CBaseThread: the start hooks, exit codes, cooperative suspension and
// termination, joins with a time limit, detaching, ids and priorities.
#include <gravik/semaphore.h>
#include <gravik/thread.h>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <vector>

namespace {

// Records which hooks ran, and on which thread.
class RecordingThread : public CBaseThread {
public:
    explicit RecordingThread(bool startResult, int createSuspended = 0)
        : CBaseThread(0, 0, createSuspended), m_startResult(startResult) {}
    ~RecordingThread() override { Join(kInfinite); }

    std::string calls;
    unsigned long seenThreadId = 0;

protected:
    bool OnThreadStart() override
    {
        seenThreadId = GetCurrentThreadId();
        calls += "S";
        return m_startResult;
    }
    void Execute() override { calls += "E"; }
    void OnThreadEnd() override { calls += "T"; }

private:
    bool m_startResult;
};

struct Gate {
    CBaseSemaphore ready;
    CBaseSemaphore go;
    CBaseSemaphore finished;
    std::atomic<bool> passed{false};
};

// Signals `ready`, waits for `go`, then stops at a suspend point.
unsigned long StopsAtSuspendPoint(void* p)
{
    auto* gate = static_cast<Gate*>(p);
    gate->ready.Post();
    gate->go.Wait();
    const bool keepGoing = CBaseThread::SuspendPoint();
    gate->passed = true;
    gate->finished.Post();
    return keepGoing ? 5 : 6;
}

unsigned long ReturnsArgument(void* p) { return *static_cast<unsigned long*>(p); }

unsigned long SpinsUntilTerminated(void* p)
{
    static_cast<Gate*>(p)->ready.Post();
    while (CBaseThread::SuspendPoint()) {
    }
    return 0;
}

unsigned long ReportsNice(void* p)
{
    auto* out = static_cast<int*>(p);
    errno = 0;
    *out = getpriority(PRIO_PROCESS, 0);  // this thread's own nice value
    return 0;
}

}  // namespace

TEST(Thread, HooksRunInOrderOnTheNewThread)
{
    RecordingThread thread(true);
    ASSERT_TRUE(thread.Start());
    thread.Join(CBaseThread::kInfinite);
    unsigned long code = 99;
    ASSERT_TRUE(thread.GetExitCode(code));
    EXPECT_EQ(code, 0UL);
    EXPECT_EQ(thread.calls, "SET");
    EXPECT_EQ(thread.seenThreadId, thread.GetNewThreadId());
    EXPECT_NE(thread.GetNewThreadId(), CBaseThread::GetCurrentThreadId());
    EXPECT_EQ(CBaseThread::GetCurrentProcessId(), static_cast<unsigned long>(getpid()));
}

TEST(Thread, FalseFromOnThreadStartEndsWithAllOnesAndNoExecute)
{
    RecordingThread thread(false);
    ASSERT_TRUE(thread.Start());
    thread.Join(CBaseThread::kInfinite);
    unsigned long code = 0;
    ASSERT_TRUE(thread.GetExitCode(code));
    EXPECT_EQ(code, 0xFFFFFFFFUL);
    EXPECT_EQ(thread.calls, "S");
}

TEST(Thread, ThreadFunctionResultIsTheExitCode)
{
    CBaseThread thread;
    unsigned long value = 1234;
    ASSERT_TRUE(thread.Start(ReturnsArgument, &value, 0, 0, 0, PThreadScopeSystem, PThreadDetached));
    thread.Join(CBaseThread::kInfinite);
    unsigned long code = 0;
    ASSERT_TRUE(thread.GetExitCode(code));
    EXPECT_EQ(code, 1234UL);
    EXPECT_EQ(thread.Start(nullptr, nullptr, 0, 0, 0, PThreadScopeDefault, PThreadJoinable), false);
}

TEST(Thread, StackSizesFromTinyToLargeAreAccepted)
{
    for (unsigned int size : {1U, 20000U, 1U << 20}) {
        CBaseThread thread;
        unsigned long value = size;
        ASSERT_TRUE(thread.Start(ReturnsArgument, &value, 0, size, 0, PThreadScopeDefault,
                                 PThreadJoinable))
            << size;
        thread.Join(CBaseThread::kInfinite);
        unsigned long code = 0;
        ASSERT_TRUE(thread.GetExitCode(code));
        EXPECT_EQ(code, size);
    }
}

TEST(Thread, CreatedSuspendedRunsOnlyAfterResume)
{
    RecordingThread thread(true, 1);
    ASSERT_TRUE(thread.Start());
    EXPECT_NE(thread.GetNewThreadId(), 0UL);
    thread.Join(20);  // must come back: the thread cannot end while suspended
    unsigned long code = 0;
    EXPECT_FALSE(thread.GetExitCode(code));
    EXPECT_EQ(thread.Suspend(), 1UL);  // counts nest
    EXPECT_EQ(thread.Resume(), 2UL);
    EXPECT_EQ(thread.calls, "");
    EXPECT_EQ(thread.Resume(), 1UL);
    thread.Join(CBaseThread::kInfinite);
    EXPECT_EQ(thread.calls, "SET");
    EXPECT_EQ(thread.Resume(), CBaseThread::kFailed);  // ended: nothing to resume
}

TEST(Thread, TerminateOfASuspendedThreadEndsItBeforeItRuns)
{
    RecordingThread thread(true, 1);
    ASSERT_TRUE(thread.Start());
    EXPECT_NE(thread.Terminate(77), 0);
    thread.Join(CBaseThread::kInfinite);
    unsigned long code = 0;
    ASSERT_TRUE(thread.GetExitCode(code));
    EXPECT_EQ(code, 77UL);
    EXPECT_EQ(thread.calls, "");
    EXPECT_EQ(thread.Terminate(78), 0);  // already ended
    ASSERT_TRUE(thread.GetExitCode(code));
    EXPECT_EQ(code, 77UL);
}

TEST(Thread, TerminateOfARunningThreadTakesEffectAtItsSuspendPoint)
{
    Gate gate;
    CBaseThread thread;
    ASSERT_TRUE(thread.Start(SpinsUntilTerminated, &gate, 0, 0, 0, PThreadScopeDefault,
                             PThreadJoinable));
    gate.ready.Wait();
    EXPECT_NE(thread.Terminate(42), 0);
    thread.Join(CBaseThread::kInfinite);
    unsigned long code = 0;
    ASSERT_TRUE(thread.GetExitCode(code));
    EXPECT_EQ(code, 42UL);  // the request's code, not the function's 0
}

TEST(Thread, SuspendHoldsARunningThreadAtItsSuspendPoint)
{
    Gate gate;
    CBaseThread thread;
    ASSERT_TRUE(thread.Start(StopsAtSuspendPoint, &gate, 0, 0, 0, PThreadScopeDefault,
                             PThreadJoinable));
    gate.ready.Wait();
    EXPECT_EQ(thread.Suspend(), 0UL);
    gate.go.Post();
    thread.Join(50);
    unsigned long code = 0;
    EXPECT_FALSE(thread.GetExitCode(code));
    EXPECT_FALSE(gate.passed);
    EXPECT_EQ(thread.Resume(), 1UL);
    thread.Join(CBaseThread::kInfinite);
    ASSERT_TRUE(thread.GetExitCode(code));
    EXPECT_EQ(code, 5UL);
    EXPECT_TRUE(gate.passed);
}

TEST(Thread, SuspendPointOutsideALibraryThreadNeitherWaitsNorStops)
{
    EXPECT_TRUE(CBaseThread::SuspendPoint());
}

TEST(Thread, JoinWithATimeLimitReturnsWhileTheThreadStillRuns)
{
    Gate gate;
    CBaseThread thread;
    ASSERT_TRUE(thread.Start(StopsAtSuspendPoint, &gate, 0, 0, 0, PThreadScopeDefault,
                             PThreadJoinable));
    gate.ready.Wait();
    thread.Join(10);
    unsigned long code = 0;
    EXPECT_FALSE(thread.GetExitCode(code));
    gate.go.Post();
    thread.Join(CBaseThread::kInfinite);
    EXPECT_TRUE(thread.GetExitCode(code));
}

namespace {
class SelfJoiningThread : public CBaseThread {
public:
    std::atomic<bool> returned{false};

protected:
    void Execute() override
    {
        Join(kInfinite);  // would wait for ever if it waited for itself
        returned = true;
    }
};
}  // namespace

TEST(Thread, JoinFromTheThreadItselfDoesNotDeadlock)
{
    SelfJoiningThread thread;
    ASSERT_TRUE(thread.Start());
    thread.Join(CBaseThread::kInfinite);
    EXPECT_TRUE(thread.returned);
}

TEST(Thread, WithoutAThreadEveryOperationFailsCleanly)
{
    CBaseThread thread(3, 0, 0);
    EXPECT_EQ(thread.GetPriority(), 3);
    EXPECT_EQ(thread.GetNewThreadId(), 0UL);
    EXPECT_EQ(thread.Suspend(), CBaseThread::kFailed);
    EXPECT_EQ(thread.Resume(), CBaseThread::kFailed);
    EXPECT_EQ(thread.Terminate(1), 0);
    EXPECT_EQ(thread.SetPriority(-1), 0);
    EXPECT_EQ(thread.GetPriority(), -1);  // stored all the same
    unsigned long code = 0;
    EXPECT_FALSE(thread.GetExitCode(code));
    thread.Join(CBaseThread::kInfinite);  // nothing to wait for
    EXPECT_EQ(thread.SetDetach(), 0);
}

TEST(Thread, DetachedThreadRunsOnWithoutTheObject)
{
    Gate gate;
    CBaseThread thread;
    ASSERT_TRUE(thread.Start(StopsAtSuspendPoint, &gate, 0, 0, 0, PThreadScopeDefault,
                             PThreadJoinable));
    gate.ready.Wait();
    EXPECT_EQ(thread.SetDetach(), 0);
    EXPECT_EQ(thread.Suspend(), CBaseThread::kFailed);
    EXPECT_EQ(thread.Terminate(1), 0);
    EXPECT_EQ(thread.SetPriority(-1), 0);
    unsigned long code = 0;
    EXPECT_FALSE(thread.GetExitCode(code));
    // The thread still finishes its work after the object let go of it.
    gate.go.Post();
    gate.finished.Wait();
    EXPECT_TRUE(gate.passed);
}

TEST(Thread, StartAgainLetsTheFirstThreadRunOn)
{
    Gate first, second;
    CBaseThread thread;
    ASSERT_TRUE(thread.Start(StopsAtSuspendPoint, &first, 0, 0, 0, PThreadScopeDefault,
                             PThreadJoinable));
    first.ready.Wait();
    const unsigned long firstId = thread.GetNewThreadId();
    ASSERT_TRUE(thread.Start(StopsAtSuspendPoint, &second, 0, 0, 0, PThreadScopeDefault,
                             PThreadJoinable));
    second.ready.Wait();
    EXPECT_NE(thread.GetNewThreadId(), firstId);
    second.go.Post();
    thread.Join(CBaseThread::kInfinite);
    unsigned long code = 0;
    ASSERT_TRUE(thread.GetExitCode(code));
    EXPECT_EQ(code, 5UL);
    EXPECT_TRUE(second.passed);
    first.go.Post();  // the first thread was never stopped: let it finish
    first.finished.Wait();
    EXPECT_TRUE(first.passed);
}

TEST(Thread, PriorityBecomesTheThreadsNiceValueRelativeToTheProcess)
{
    errno = 0;
    const int base = getpriority(PRIO_PROCESS, static_cast<id_t>(getpid()));
    ASSERT_EQ(errno, 0);
    if (base > 15) GTEST_SKIP() << "process already runs at nice " << base;

    int seen = 100;
    CBaseThread thread;
    ASSERT_TRUE(thread.Start(ReportsNice, &seen, -2, 0, 0, PThreadScopeDefault, PThreadJoinable));
    thread.Join(CBaseThread::kInfinite);
    EXPECT_EQ(seen, base + 2);
    EXPECT_EQ(thread.GetPriority(), -2);

    // Lowering a live thread further is always allowed.
    Gate gate;
    CBaseThread waiting;
    ASSERT_TRUE(waiting.Start(StopsAtSuspendPoint, &gate, 0, 0, 0, PThreadScopeDefault,
                              PThreadJoinable));
    gate.ready.Wait();
    EXPECT_NE(waiting.SetPriority(-4), 0);
    errno = 0;
    EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(waiting.GetNewThreadId())), base + 4);
    gate.go.Post();
    waiting.Join(CBaseThread::kInfinite);
    EXPECT_EQ(waiting.SetPriority(-1), 0);  // ended: nothing to apply it to
}
