// CBaseThread over pthreads.
//
// Each started thread shares a small control block with the object that
// started it; whichever of the two lets go last frees it. The pthread itself
// is detached, so letting go of the object's "handle" (SetDetach, a new Start,
// the destructor) never has to wait, and Join waits on the control block
// instead, which also gives it a time limit.
#include <gravik/thread.h>

#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <mutex>

namespace gravik::internal {

struct ThreadControl {
    std::atomic<int> refs{2};  // the object and the thread
    std::mutex lock;
    std::condition_variable changed;
    unsigned long (*fn)(void*) = nullptr;
    void* arg = nullptr;
    long tid = 0;
    bool finished = false;
    unsigned long suspendCount = 0;
    bool terminateRequested = false;
    unsigned long exitCode = 0;
    int priority = 0;

    void Release()
    {
        if (refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
    }
};

}  // namespace gravik::internal

using gravik::internal::ThreadControl;

namespace {

thread_local ThreadControl* t_current = nullptr;

long KernelThreadId() { return static_cast<long>(syscall(SYS_gettid)); }

// Nice value for a priority, relative to the process like thread priorities
// are relative to their process elsewhere.
bool ApplyPriority(long tid, int priority)
{
    errno = 0;
    const int base = getpriority(PRIO_PROCESS, static_cast<id_t>(getpid()));
    if (base == -1 && errno != 0) return false;
    const int nice = std::clamp(base - priority, -20, 19);
    return setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice) == 0;
}

void Finish(ThreadControl* ctl, unsigned long code)
{
    {
        std::lock_guard<std::mutex> guard(ctl->lock);
        ctl->exitCode = ctl->terminateRequested ? ctl->exitCode : code;
        ctl->finished = true;
    }
    ctl->changed.notify_all();
    ctl->Release();
}

void* Trampoline(void* p)
{
    auto* ctl = static_cast<ThreadControl*>(p);
    {
        std::unique_lock<std::mutex> guard(ctl->lock);
        ctl->tid = KernelThreadId();
        // Applied here, so the thread function already runs at its priority.
        if (ctl->priority != 0) ApplyPriority(ctl->tid, ctl->priority);
        ctl->changed.notify_all();
        ctl->changed.wait(guard, [ctl] { return ctl->suspendCount == 0 || ctl->terminateRequested; });
        if (ctl->terminateRequested) {
            guard.unlock();
            Finish(ctl, 0);
            return nullptr;
        }
    }
    t_current = ctl;
    const unsigned long code = ctl->fn(ctl->arg);
    t_current = nullptr;
    Finish(ctl, code);
    return nullptr;
}

}  // namespace

CBaseThread::CBaseThread(int priority, unsigned int stackSize, int createSuspended,
                         PThread_Scope scope, PThread_JoinOrDetach joinOrDetach)
    : m_nPriority(priority), m_nStackSize(stackSize), m_nCreateSuspended(createSuspended),
      m_eScope(scope), m_eJoinOrDetach(joinOrDetach), m_hThread(nullptr), m_nThreadId(0)
{
}

CBaseThread::~CBaseThread() { Release(); }

void CBaseThread::Release()
{
    if (m_hThread) m_hThread->Release();
    m_hThread = nullptr;
}

bool CBaseThread::Start()
{
    return Start(ThreadProc, this, m_nPriority, m_nStackSize, m_nCreateSuspended, m_eScope,
                 m_eJoinOrDetach);
}

bool CBaseThread::Start(unsigned long (*fn)(void*), void* arg, int priority, unsigned int stackSize,
                        int createSuspended, PThread_Scope scope,
                        PThread_JoinOrDetach joinOrDetach)
{
    m_nPriority = priority;
    m_nStackSize = stackSize;
    m_nCreateSuspended = createSuspended;
    m_eScope = scope;
    m_eJoinOrDetach = joinOrDetach;
    Release();
    m_nThreadId = 0;
    if (!fn) return false;

    auto* ctl = new ThreadControl;
    ctl->fn = fn;
    ctl->arg = arg;
    ctl->suspendCount = createSuspended != 0 ? 1 : 0;
    ctl->priority = priority;

    pthread_attr_t attr;
    if (pthread_attr_init(&attr) != 0) {
        delete ctl;
        return false;
    }
    pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
    if (stackSize != 0) {
        const long page = sysconf(_SC_PAGESIZE) > 0 ? sysconf(_SC_PAGESIZE) : 4096;
        std::size_t size = std::max<std::size_t>(stackSize, PTHREAD_STACK_MIN);
        size = (size + static_cast<std::size_t>(page) - 1) / static_cast<std::size_t>(page) *
               static_cast<std::size_t>(page);
        pthread_attr_setstacksize(&attr, size);
    }
    // The handle is in place before the thread runs, so that the thread itself may use it
    // (for example to join itself) without racing this assignment.
    m_hThread = ctl;
    pthread_t thread;
    const int rc = pthread_create(&thread, &attr, Trampoline, ctl);
    pthread_attr_destroy(&attr);
    if (rc != 0) {
        m_hThread = nullptr;
        delete ctl;
        return false;
    }
    // The id is known once the thread has run its first lines.
    {
        std::unique_lock<std::mutex> guard(ctl->lock);
        ctl->changed.wait(guard, [ctl] { return ctl->tid != 0; });
        m_nThreadId = static_cast<unsigned long>(ctl->tid);
    }
    return true;
}

void CBaseThread::Join(unsigned long milliseconds)
{
    ThreadControl* ctl = m_hThread;
    if (!ctl || t_current == ctl) return;
    std::unique_lock<std::mutex> guard(ctl->lock);
    if (milliseconds == kInfinite) {
        ctl->changed.wait(guard, [ctl] { return ctl->finished; });
    } else {
        ctl->changed.wait_for(guard, std::chrono::milliseconds(milliseconds),
                              [ctl] { return ctl->finished; });
    }
}

int CBaseThread::Terminate(unsigned long exitCode)
{
    ThreadControl* ctl = m_hThread;
    if (!ctl) return 0;
    {
        std::lock_guard<std::mutex> guard(ctl->lock);
        if (ctl->finished || ctl->terminateRequested) return ctl->finished ? 0 : 1;
        ctl->terminateRequested = true;
        ctl->exitCode = exitCode;
    }
    ctl->changed.notify_all();
    return 1;
}

int CBaseThread::GetPriority() { return m_nPriority; }

int CBaseThread::SetPriority(int priority)
{
    m_nPriority = priority;
    ThreadControl* ctl = m_hThread;
    if (!ctl) return 0;
    // Held while applying: the thread cannot finish (and its id cannot be
    // reused) in between.
    std::lock_guard<std::mutex> guard(ctl->lock);
    if (ctl->finished) return 0;
    return ApplyPriority(ctl->tid, priority) ? 1 : 0;
}

unsigned long CBaseThread::Suspend()
{
    ThreadControl* ctl = m_hThread;
    if (!ctl) return kFailed;
    std::lock_guard<std::mutex> guard(ctl->lock);
    if (ctl->finished) return kFailed;
    return ctl->suspendCount++;
}

unsigned long CBaseThread::Resume()
{
    ThreadControl* ctl = m_hThread;
    if (!ctl) return kFailed;
    unsigned long previous;
    {
        std::lock_guard<std::mutex> guard(ctl->lock);
        if (ctl->finished) return kFailed;
        previous = ctl->suspendCount;
        if (ctl->suspendCount > 0) --ctl->suspendCount;
    }
    ctl->changed.notify_all();
    return previous;
}

int CBaseThread::SetDetach()
{
    Release();
    return 0;
}

unsigned long CBaseThread::GetNewThreadId() { return m_nThreadId; }

bool CBaseThread::GetExitCode(unsigned long& exitCode)
{
    ThreadControl* ctl = m_hThread;
    if (!ctl) return false;
    std::lock_guard<std::mutex> guard(ctl->lock);
    if (!ctl->finished) return false;
    exitCode = ctl->exitCode;
    return true;
}

unsigned long CBaseThread::GetCurrentThreadId()
{
    return static_cast<unsigned long>(KernelThreadId());
}

unsigned long CBaseThread::GetCurrentProcessId() { return static_cast<unsigned long>(getpid()); }

bool CBaseThread::SuspendPoint()
{
    ThreadControl* ctl = t_current;
    if (!ctl) return true;
    std::unique_lock<std::mutex> guard(ctl->lock);
    ctl->changed.wait(guard, [ctl] { return ctl->suspendCount == 0 || ctl->terminateRequested; });
    return !ctl->terminateRequested;
}

unsigned long CBaseThread::ThreadProc(void* self)
{
    auto* thread = static_cast<CBaseThread*>(self);
    if (!thread->OnThreadStart()) return kFailed;
    thread->Execute();
    thread->OnThreadEnd();
    return 0;
}

bool CBaseThread::OnThreadStart() { return true; }
void CBaseThread::Execute() {}
void CBaseThread::OnThreadEnd() {}
