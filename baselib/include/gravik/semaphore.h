// libGravik - counting semaphore within one process.
//
// The count ranges from 0 to 2147483647. Results: 0 for success, 11 (EAGAIN)
// when no unit is available, 34 (ERANGE) when the count is at its maximum.
// All operations may be called from any thread at once, Reset included:
// threads waiting in Wait go on waiting for units of the new count.
#ifndef GRAVIK_SEMAPHORE_H
#define GRAVIK_SEMAPHORE_H

#include <gravik/export.h>

namespace gravik::internal {
struct SemaphoreImpl;
}

class GRAVIK_API CBaseSemaphore {
public:
    CBaseSemaphore();  // count 0
    // A negative starting count is taken as 0.
    explicit CBaseSemaphore(int count);
    virtual ~CBaseSemaphore();
    CBaseSemaphore(const CBaseSemaphore&) = delete;
    CBaseSemaphore& operator=(const CBaseSemaphore&) = delete;

    // Waits without limit for a unit and takes it.
    void Wait() const;
    // 0 when a unit was taken at once, else 11.
    int Wait_Try() const;
    // Adds one unit: 0, or 34 when the count is already 2147483647.
    int Post() const;
    // The current count (never -1 on this platform).
    int Value() const;
    // Replaces the count (a negative value is taken as 0).
    void Reset(int count);

private:
    gravik::internal::SemaphoreImpl* m_pImpl;
};

#endif  // GRAVIK_SEMAPHORE_H
