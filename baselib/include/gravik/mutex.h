// libGravik - locks within one process, and a scope guard.
//
// CBaseMutex is a recursive lock: the owning thread may lock it again and must
// unlock it as often. CAutoMutex locks a CBaseMutex or a CIpcMutex for the
// lifetime of a scope. Results: 0 for success, an error number otherwise
// (16 = EBUSY). The locks may be used from any thread; neither can be copied.
#ifndef GRAVIK_MUTEX_H
#define GRAVIK_MUTEX_H

#include <gravik/export.h>

class CIpcMutex;

namespace gravik::internal {
struct MutexImpl;
}

class GRAVIK_API CBaseMutex {
public:
    CBaseMutex();
    ~CBaseMutex();
    CBaseMutex(const CBaseMutex&) = delete;
    CBaseMutex& operator=(const CBaseMutex&) = delete;

    // Waits for the lock; 0.
    int Lock() const;
    // Releases one level of the caller's hold; 0, or 1 (EPERM) when the caller
    // does not hold the lock (nothing is released then).
    int Unlock() const;
    // 0 when the lock was free or is already held by the caller (one more level
    // to unlock), else 16 at once.
    int Lock_Try() const;

private:
    gravik::internal::MutexImpl* m_pImpl;
};

// Holds one lock for its lifetime. A null pointer gives a guard that does
// nothing.
class GRAVIK_API CAutoMutex {
public:
    explicit CAutoMutex(CBaseMutex* mutex);  // locks it
    explicit CAutoMutex(CIpcMutex* mutex);   // waits for it
    // Unlocks the CBaseMutex, then the CIpcMutex, whichever is held.
    virtual ~CAutoMutex();
    CAutoMutex(const CAutoMutex&) = delete;
    CAutoMutex& operator=(const CAutoMutex&) = delete;

private:
    CBaseMutex* m_pBaseMutex;
    CIpcMutex* m_pIpcMutex;
};

#endif  // GRAVIK_MUTEX_H
