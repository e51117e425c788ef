// CIpcMutex over kernel file locks (flock).
//
// Three files per id, each existing only while it is needed:
//   .lock  the lock itself. A holder opens (creating) it, locks it, and checks
//          that the file it locked is still the one under the name; Unlock
//          removes the name before letting go, so the file exists only while
//          someone holds or is about to hold the lock.
//   .ref   every live object keeps a shared lock on it. An object that can
//          take it exclusively is alone: on construction that makes it the
//          creator, on destruction the last one, which removes the name.
//   .gate  taken (like .lock) around construction and destruction, so that
//          two objects never judge "alone" at the same time.
//
// File locks belong to open files, which fork() shares with the child: a lock
// the parent holds would then stay taken through the child's copy, and a
// child waiting for it would wait for ever. So every descriptor of this file
// is registered, and a fork handler closes them all in the child; objects
// copied into the child are disabled there (their results are ECHILD).
#include <gravik/ipcmutex.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <pthread.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <set>
#include <string>

namespace gravik::internal {

struct IpcMutexState {
    std::string base;           // folder and name without the extension
    int refFd = -1;             // shared lock held for the object's life
    int error = 0;              // why the object cannot lock, or 0
    std::atomic<int> lockFd{-1};
    std::atomic<long> holder{0};  // kernel id of the thread that locked
};

}  // namespace gravik::internal

namespace {

using gravik::internal::IpcMutexState;

struct Registry {
    std::mutex lock;
    std::set<int> fds;
    std::set<IpcMutexState*> states;
};

// Never destroyed: the fork handlers may run during the process's exit.
Registry& Reg()
{
    static Registry* registry = new Registry;
    return *registry;
}

void ForkPrepare() { Reg().lock.lock(); }
void ForkParent() { Reg().lock.unlock(); }
void ForkChild()
{
    Registry& reg = Reg();
    for (int fd : reg.fds) close(fd);
    reg.fds.clear();
    for (IpcMutexState* st : reg.states) {
        st->refFd = -1;
        st->lockFd.store(-1);
        st->holder.store(0);
        st->error = ECHILD;
    }
    reg.states.clear();
    reg.lock.unlock();
}

void Register(IpcMutexState* st)
{
    static std::once_flag once;
    std::call_once(once, [] { pthread_atfork(ForkPrepare, ForkParent, ForkChild); });
    std::lock_guard<std::mutex> guard(Reg().lock);
    Reg().states.insert(st);
}

void Unregister(IpcMutexState* st)
{
    std::lock_guard<std::mutex> guard(Reg().lock);
    Reg().states.erase(st);
}

int OpenTracked(const std::string& path)
{
    std::lock_guard<std::mutex> guard(Reg().lock);
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0) Reg().fds.insert(fd);
    return fd;
}

void CloseTracked(int fd)
{
    std::lock_guard<std::mutex> guard(Reg().lock);
    Reg().fds.erase(fd);
    close(fd);
}

std::string BaseName(int id)
{
    const char* dir = access("/dev/shm", W_OK | X_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/gravik-" + std::to_string(getuid()) + "-IpcMutex_" +
           std::to_string(id);
}

int FlockRetry(int fd, int op)
{
    int rc;
    do {
        rc = flock(fd, op);
    } while (rc != 0 && errno == EINTR);
    return rc;
}

// Locks the file under `path` exclusively, creating it when missing. Returns
// the descriptor, or -errno.
int AcquireNamed(const std::string& path)
{
    for (;;) {
        const int fd = OpenTracked(path);
        if (fd < 0) return -errno;
        if (FlockRetry(fd, LOCK_EX) != 0) {
            const int err = errno;
            CloseTracked(fd);
            return -err;
        }
        struct stat held {}, named {};
        if (fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino)
            return fd;
        // The holder before us removed the name: lock the new file instead.
        CloseTracked(fd);
    }
}

void ReleaseNamed(const std::string& path, int fd)
{
    unlink(path.c_str());
    CloseTracked(fd);
}

long ThreadId() { return static_cast<long>(syscall(SYS_gettid)); }

}  // namespace

CIpcMutex::CIpcMutex(int id, bool flag)
    : m_pState(new IpcMutexState), m_bCreator(false), m_bFlag(flag)
{
    IpcMutexState& st = *m_pState;
    Register(m_pState);
    st.base = BaseName(id);
    const std::string gatePath = st.base + ".gate";
    const int gate = AcquireNamed(gatePath);
    if (gate < 0) {
        st.error = -gate;
        return;
    }
    st.refFd = OpenTracked(st.base + ".ref");
    if (st.refFd < 0) {
        st.error = errno;
    } else {
        m_bCreator = FlockRetry(st.refFd, LOCK_EX | LOCK_NB) == 0;
        if (FlockRetry(st.refFd, LOCK_SH) != 0) {
            st.error = errno;
            CloseTracked(st.refFd);
            st.refFd = -1;
        }
    }
    ReleaseNamed(gatePath, gate);
}

CIpcMutex::~CIpcMutex()
{
    Unregister(m_pState);
    IpcMutexState& st = *m_pState;
    const int held = st.lockFd.exchange(-1);
    if (held >= 0) ReleaseNamed(st.base + ".lock", held);
    if (st.refFd >= 0) {
        const std::string gatePath = st.base + ".gate";
        const int gate = AcquireNamed(gatePath);
        if (FlockRetry(st.refFd, LOCK_EX | LOCK_NB) == 0) unlink((st.base + ".ref").c_str());
        CloseTracked(st.refFd);
        if (gate >= 0) ReleaseNamed(gatePath, gate);
    }
    delete m_pState;
}

bool CIpcMutex::IsCreater() { return m_bCreator; }

int CIpcMutex::Lock() const
{
    IpcMutexState& st = *m_pState;
    if (st.error != 0) return st.error;
    if (st.lockFd.load() >= 0 && st.holder.load() == ThreadId()) return EDEADLK;
    const int fd = AcquireNamed(st.base + ".lock");
    if (fd < 0) return -fd;
    st.lockFd.store(fd);
    st.holder.store(ThreadId());
    return 0;
}

int CIpcMutex::Unlock() const
{
    IpcMutexState& st = *m_pState;
    if (st.error != 0) return st.error;
    st.holder.store(0);
    const int fd = st.lockFd.exchange(-1);
    if (fd < 0) return EPERM;
    ReleaseNamed(st.base + ".lock", fd);
    return 0;
}
