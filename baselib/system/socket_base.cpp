#include <gravik/socket.h>

#include "internal/socket_util.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <unistd.h>

using namespace gravik::internal;

bool CBaseSocket::s_bInitWinSock2 = false;

CBaseSocket::CBaseSocket() : m_hSocket(GRAVIK_INVALID_SOCKET) { InitWinSock2(); }

CBaseSocket::CBaseSocket(const CBaseSocket& other) : m_hSocket(other.m_hSocket) { InitWinSock2(); }

CBaseSocket& CBaseSocket::operator=(const CBaseSocket& other)
{
    m_hSocket = other.m_hSocket;
    return *this;
}

CBaseSocket::~CBaseSocket() = default;

bool CBaseSocket::InitWinSock2()
{
    // Written only when it changes, so that sockets created on many threads
    // after the first one do not all store to the shared flag.
    if (!s_bInitWinSock2) s_bInitWinSock2 = true;
    return true;
}

void CBaseSocket::CleanupWinSock2() { s_bInitWinSock2 = false; }

bool CBaseSocket::IsValidSocket() const { return m_hSocket != GRAVIK_INVALID_SOCKET; }

unsigned int CBaseSocket::GetHandle() const { return m_hSocket; }

void CBaseSocket::CloseHandle()
{
    if (!IsValidSocket()) return;
    ::close(Fd(m_hSocket));
    m_hSocket = GRAVIK_INVALID_SOCKET;
}

int CBaseSocket::ShutDown(int how)
{
    if (!IsValidSocket()) return -1;
    return ::shutdown(Fd(m_hSocket), how) == 0 ? 0 : -1;
}

int CBaseSocket::SetSockOpt(int level, int option, const char* value, int length)
{
    if (!IsValidSocket()) return -1;
    return SetOptionMapped(Fd(m_hSocket), level, option, value, length);
}

int CBaseSocket::CanSend(int seconds, int microseconds, bool checkError)
{
    if (!IsValidSocket()) return -1;
    const int r = WaitReady(Fd(m_hSocket), true, ToMs(seconds, microseconds));
    if (r != 1 || !checkError) return r;
    int pending = 0;
    socklen_t len = sizeof pending;
    if (::getsockopt(Fd(m_hSocket), SOL_SOCKET, SO_ERROR, &pending, &len) != 0) return -1;
    if (pending != 0) {
        errno = pending;
        return -1;
    }
    return 1;
}

int CBaseSocket::CanReceive(int seconds, int microseconds)
{
    if (!IsValidSocket()) return -1;
    return WaitReady(Fd(m_hSocket), false, ToMs(seconds, microseconds));
}

bool CBaseSocket::Bind(unsigned short port, const char* ip)
{
    if (!IsValidSocket()) return false;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_ANY);
    if (ip != nullptr && !ParseIPv4(ip, a.sin_addr.s_addr)) {
        errno = EINVAL;
        return false;
    }
    return ::bind(Fd(m_hSocket), reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
}

bool CBaseSocket::SetBlockMode(bool blocking)
{
    if (!IsValidSocket()) return false;
    const int fd = Fd(m_hSocket);
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0) return false;
    const int wanted = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
    return wanted == flags || ::fcntl(fd, F_SETFL, wanted) == 0;
}

bool CBaseSocket::GetLocalInfo(std::string& ip, unsigned short& port)
{
    if (!IsValidSocket()) return false;
    sockaddr_storage a{};
    socklen_t len = sizeof a;
    if (::getsockname(Fd(m_hSocket), reinterpret_cast<sockaddr*>(&a), &len) != 0) return false;
    if (a.ss_family != AF_INET) return false;
    DescribeIPv4(reinterpret_cast<const sockaddr*>(&a), ip, port);
    return true;
}
