// libGravik - a lock shared by the processes of one machine.
//
// CIpcMutex(id) names the lock "IpcMutex_<id>" (id in decimal). All objects
// with the same id, in one process or in several, take turns: one holder at a
// time. The lock is not recursive.
//
// Behind the name are lock files in /dev/shm (or /tmp when /dev/shm cannot be
// written), named "gravik-<uid>-IpcMutex_<id>.*", so the lock is shared by
// the processes of one user, like the session-wide kernel objects it
// replaces. The holding is a file lock of the kernel, which lets go when a
// holder dies: a crashed process never leaves the lock taken for ever. No
// file is left behind once every object has been destroyed (a file of a
// process that crashed is removed by the next holder).
//
// Results: 0 for success, else an error number: the errno value of the
// failure when the lock files cannot be used (the lock is then NOT taken),
// 35 (EDEADLK) when the thread that holds the lock through this object asks
// it again, 1 (EPERM) on Unlock when this object holds nothing.
//
// Threads: the object may be used from any thread; the holder is the
// object, so another thread may Unlock what one thread of it locked.
// Processes: a child made by fork() gets disabled copies of the parent's
// objects (their results are 10, ECHILD; the parent's holding is unaffected);
// objects the child creates itself work normally.
#ifndef GRAVIK_IPCMUTEX_H
#define GRAVIK_IPCMUTEX_H

#include <gravik/export.h>

namespace gravik::internal {
struct IpcMutexState;
}

class GRAVIK_API CIpcMutex {
public:
    // `flag` is stored and used by nothing.
    CIpcMutex(int id, bool flag);
    ~CIpcMutex();
    CIpcMutex(const CIpcMutex&) = delete;
    CIpcMutex& operator=(const CIpcMutex&) = delete;

    // True when no other object with this id existed at construction.
    bool IsCreater();
    // Waits without limit for the lock.
    int Lock() const;
    int Unlock() const;

private:
    gravik::internal::IpcMutexState* m_pState;
    bool m_bCreator;
    bool m_bFlag;
};

#endif  // GRAVIK_IPCMUTEX_H
