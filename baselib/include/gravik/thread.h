// libGravik - threads.
//
// CBaseThread is a thread object an application derives from: Start() runs
// OnThreadStart(), then (when it returned true) Execute() and OnThreadEnd() on
// a new thread. Start(fn, arg, ...) runs any thread function instead.
//
// Ids are the kernel's thread ids (the same numbers GetCurrentThreadId gives
// inside the thread) and process ids.
//
// Priority: 0 keeps the system default. Other values follow the usual scale
// (-2 lowest .. 2 highest; -15 idle, 15 time-critical): the thread's nice value
// is set to the process's nice value minus the priority, within -20..19.
// Raising a thread above the process (a positive priority) needs the right to
// raise priorities (root or CAP_SYS_NICE); without it SetPriority returns 0
// and Start ignores the setting.
//
// This platform cannot stop or freeze another thread safely (a thread frozen
// or killed while it holds the allocator's or any other lock would hang the
// process), so suspension and termination are cooperative:
// - A thread created suspended waits before its thread function until Resume
//   brings the suspend count to 0. Terminate on it ends it at once with the
//   given exit code; its thread function never runs.
// - On a running thread, Suspend raises the count and Terminate records the
//   request; the thread acts on them when it calls CBaseThread::SuspendPoint():
//   it waits there while the count is above 0, and SuspendPoint returns false
//   once termination was requested, so the thread function should return.
//   The exit code then reported is the one given to Terminate.
//
// An exception that leaves a thread function ends the process
// (std::terminate), as it would from any other thread.
//
// The object is not locked: Start, SetDetach and the destructor must not race
// with other calls on the same object. The destructor neither stops nor waits
// for the thread: a derived object must outlive its thread (Join first).
#ifndef GRAVIK_THREAD_H
#define GRAVIK_THREAD_H

#include <gravik/export.h>

// Stored for the caller; they do not change how a thread runs.
enum PThread_Scope { PThreadScopeDefault = 0, PThreadScopeProcess = 1, PThreadScopeSystem = 2 };
enum PThread_JoinOrDetach { PThreadJoinable = 0, PThreadDetached = 1 };

namespace gravik::internal {
struct ThreadControl;
}

class GRAVIK_API CBaseThread {
public:
    // The result of Suspend/Resume on failure, and the exit code of a thread
    // whose OnThreadStart returned false.
    static constexpr unsigned long kFailed = 0xFFFFFFFFUL;
    // Join without a time limit.
    static constexpr unsigned long kInfinite = 0xFFFFFFFFUL;

    CBaseThread(int priority = 0, unsigned int stackSize = 0, int createSuspended = 0,
                PThread_Scope scope = PThreadScopeDefault,
                PThread_JoinOrDetach joinOrDetach = PThreadJoinable);
    // Closes the handle only; see the note on the destructor above.
    virtual ~CBaseThread();

    // A thread object owns its thread: it cannot be copied.
    CBaseThread(const CBaseThread&) = delete;
    CBaseThread& operator=(const CBaseThread&) = delete;

    // Non-zero when the thread was ended (created suspended and not yet run) or
    // the request was recorded (running thread, see SuspendPoint); 0 when there
    // is no thread or it has already ended.
    virtual int Terminate(unsigned long exitCode);
    // Stores the five settings, lets go of an earlier thread (which runs on)
    // and creates a thread running fn(arg). A stack size below the system's
    // minimum is raised to it. False when no thread could be created.
    virtual bool Start(unsigned long (*fn)(void*), void* arg, int priority,
                       unsigned int stackSize, int createSuspended, PThread_Scope scope,
                       PThread_JoinOrDetach joinOrDetach);
    // Start(ThreadProc, this, <stored settings>).
    virtual bool Start();
    // Waits until the thread has ended or `milliseconds` have passed (kInfinite:
    // no limit). Returns at once without a thread, and when called from the
    // thread itself (which could never see its own end).
    virtual void Join(unsigned long milliseconds);

    int GetPriority();
    // Stores the priority and applies it; non-zero on success, 0 when there is
    // no running thread or the system refuses.
    int SetPriority(int priority);
    // Previous suspend count, or kFailed without a running thread.
    unsigned long Suspend();
    unsigned long Resume();
    // Lets the thread run on without this object; returns 0. Afterwards Join,
    // Suspend, Resume, Terminate and SetPriority have no thread to act on.
    int SetDetach();
    // The id of the thread of the last Start (0 before any).
    unsigned long GetNewThreadId();
    // True with the exit code once the thread of the last Start has ended;
    // false while it runs or without a thread.
    bool GetExitCode(unsigned long& exitCode);

    static unsigned long GetCurrentThreadId();
    static unsigned long GetCurrentProcessId();
    // Called by a thread started through this class: waits while its suspend
    // count is above 0; returns false once Terminate was called for it (the
    // thread should then return), else true. True on any other thread.
    static bool SuspendPoint();

protected:
    // ThreadProc: OnThreadStart(); when it returns false the thread ends with
    // kFailed and nothing else runs; else Execute(), OnThreadEnd(), exit code 0.
    static unsigned long ThreadProc(void* self);
    virtual bool OnThreadStart();
    virtual void Execute();
    virtual void OnThreadEnd();

private:
    void Release();

    int m_nPriority;
    unsigned int m_nStackSize;
    int m_nCreateSuspended;
    PThread_Scope m_eScope;
    PThread_JoinOrDetach m_eJoinOrDetach;
    gravik::internal::ThreadControl* m_hThread;
    unsigned long m_nThreadId;
};

#endif  // GRAVIK_THREAD_H
