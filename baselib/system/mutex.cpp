// CBaseMutex over a recursive pthread mutex; CAutoMutex.
#include <gravik/ipcmutex.h>
#include <gravik/mutex.h>

#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace {

long Self() { return static_cast<long>(syscall(SYS_gettid)); }

}  // namespace

namespace gravik::internal {

// The owner is tracked beside the mutex, so that an Unlock by a thread that
// does not hold the lock is refused before it reaches the mutex.
struct MutexImpl {
    pthread_mutex_t mutex;
    std::atomic<long> owner{0};
    long depth = 0;  // only touched by the owner
};

}  // namespace gravik::internal

CBaseMutex::CBaseMutex() : m_pImpl(new gravik::internal::MutexImpl)
{
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(&m_pImpl->mutex, &attr);
    pthread_mutexattr_destroy(&attr);
}

CBaseMutex::~CBaseMutex()
{
    pthread_mutex_destroy(&m_pImpl->mutex);
    delete m_pImpl;
}

int CBaseMutex::Lock() const
{
    const int rc = pthread_mutex_lock(&m_pImpl->mutex);
    if (rc != 0) return rc;
    m_pImpl->owner.store(Self(), std::memory_order_relaxed);
    ++m_pImpl->depth;
    return 0;
}

int CBaseMutex::Unlock() const
{
    if (m_pImpl->owner.load(std::memory_order_relaxed) != Self()) return EPERM;
    if (--m_pImpl->depth == 0) m_pImpl->owner.store(0, std::memory_order_relaxed);
    return pthread_mutex_unlock(&m_pImpl->mutex);
}

int CBaseMutex::Lock_Try() const
{
    if (pthread_mutex_trylock(&m_pImpl->mutex) != 0) return EBUSY;
    m_pImpl->owner.store(Self(), std::memory_order_relaxed);
    ++m_pImpl->depth;
    return 0;
}

CAutoMutex::CAutoMutex(CBaseMutex* mutex) : m_pBaseMutex(mutex), m_pIpcMutex(nullptr)
{
    if (m_pBaseMutex) m_pBaseMutex->Lock();
}

CAutoMutex::CAutoMutex(CIpcMutex* mutex) : m_pBaseMutex(nullptr), m_pIpcMutex(mutex)
{
    if (m_pIpcMutex) m_pIpcMutex->Lock();
}

CAutoMutex::~CAutoMutex()
{
    if (m_pBaseMutex) m_pBaseMutex->Unlock();
    if (m_pIpcMutex) m_pIpcMutex->Unlock();
}
