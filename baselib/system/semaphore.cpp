// CBaseSemaphore as a count under a mutex and a condition variable: unlike an
// unnamed POSIX semaphore it can be reset while threads wait on it.
#include <gravik/semaphore.h>

#include <cerrno>
#include <climits>
#include <condition_variable>
#include <mutex>

namespace gravik::internal {

struct SemaphoreImpl {
    std::mutex lock;
    std::condition_variable available;
    int count = 0;
};

}  // namespace gravik::internal

CBaseSemaphore::CBaseSemaphore() : CBaseSemaphore(0) {}

CBaseSemaphore::CBaseSemaphore(int count) : m_pImpl(new gravik::internal::SemaphoreImpl)
{
    m_pImpl->count = count < 0 ? 0 : count;
}

CBaseSemaphore::~CBaseSemaphore() { delete m_pImpl; }

void CBaseSemaphore::Wait() const
{
    std::unique_lock<std::mutex> guard(m_pImpl->lock);
    m_pImpl->available.wait(guard, [this] { return m_pImpl->count > 0; });
    --m_pImpl->count;
}

int CBaseSemaphore::Wait_Try() const
{
    std::lock_guard<std::mutex> guard(m_pImpl->lock);
    if (m_pImpl->count == 0) return EAGAIN;
    --m_pImpl->count;
    return 0;
}

// Notifying under the lock: a waiter that takes the last unit may destroy the
// semaphore as soon as it returns, which it cannot do before the lock is free.
int CBaseSemaphore::Post() const
{
    std::lock_guard<std::mutex> guard(m_pImpl->lock);
    if (m_pImpl->count == INT_MAX) return ERANGE;
    ++m_pImpl->count;
    m_pImpl->available.notify_one();
    return 0;
}

int CBaseSemaphore::Value() const
{
    std::lock_guard<std::mutex> guard(m_pImpl->lock);
    return m_pImpl->count;
}

void CBaseSemaphore::Reset(int count)
{
    std::lock_guard<std::mutex> guard(m_pImpl->lock);
    m_pImpl->count = count < 0 ? 0 : count;
    m_pImpl->available.notify_all();
}
