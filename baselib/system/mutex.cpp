// CBaseMutex over a recursive pthread mutex; CAutoMutex.
#include <gravik/ipcmutex.h>
#include <gravik/mutex.h>

#include <pthread.h>

#include <cerrno>

namespace gravik::internal {

struct MutexImpl {
    pthread_mutex_t mutex;
};

}  // namespace gravik::internal

CBaseMutex::CBaseMutex() : m_pImpl(new gravik::internal::MutexImpl)
{
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    // Recursive mutexes also check the owner on unlock, so a stray Unlock is
    // refused (EPERM) instead of releasing another thread's lock.
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(&m_pImpl->mutex, &attr);
    pthread_mutexattr_destroy(&attr);
}

CBaseMutex::~CBaseMutex()
{
    pthread_mutex_destroy(&m_pImpl->mutex);
    delete m_pImpl;
}

int CBaseMutex::Lock() const { return pthread_mutex_lock(&m_pImpl->mutex); }

int CBaseMutex::Unlock() const { return pthread_mutex_unlock(&m_pImpl->mutex); }

int CBaseMutex::Lock_Try() const
{
    const int rc = pthread_mutex_trylock(&m_pImpl->mutex);
    return rc == 0 ? 0 : EBUSY;
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
