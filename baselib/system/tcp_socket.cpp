#include <gravik/socket.h>

#include "internal/socket_util.h"

#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <netdb.h>
#include <netinet/in.h>
#include <unistd.h>

using namespace gravik::internal;

namespace {

// Results are ints; a single call never moves more than INT_MAX bytes so that
// a count is never reported as a negative number.
std::size_t Clamp(unsigned int size) { return size > INT_MAX ? INT_MAX : size; }

bool ResolveIPv4(const char* host, unsigned int& address)
{
    if (ParseIPv4(host, address)) return true;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    const int r = ::getaddrinfo(host, nullptr, &hints, &list);
    if (r != 0 || list == nullptr) {
        if (r == EAI_AGAIN) errno = EAGAIN;
        return false;
    }
    address = reinterpret_cast<const sockaddr_in*>(list->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(list);
    return true;
}

}  // namespace

CTcpSocket::CTcpSocket(bool create, bool reuse)
{
    if (create) CreateSocket(reuse);
}

CTcpSocket::CTcpSocket(const unsigned int& handle) { m_hSocket = handle; }

CTcpSocket::CTcpSocket(const CTcpSocket& other) = default;
CTcpSocket& CTcpSocket::operator=(const CTcpSocket& other) = default;

CTcpSocket& CTcpSocket::operator=(const unsigned int& handle)
{
    m_hSocket = handle;
    return *this;
}

CTcpSocket::~CTcpSocket() = default;

bool CTcpSocket::CreateSocket(bool reuse)
{
    CloseSocket();
    const int fd = OpenIpv4Socket(SOCK_STREAM, reuse);
    if (fd < 0) return false;
    m_hSocket = Handle(fd);
    return true;
}

void CTcpSocket::CloseSocket() { CloseHandle(); }

bool CTcpSocket::Connect(const char* ip, unsigned short port)
{
    if (!IsValidSocket()) return false;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    if (!ParseIPv4(ip, a.sin_addr.s_addr)) {
        errno = EINVAL;
        return false;
    }
    if (::connect(Fd(m_hSocket), reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0) return true;
    if (errno != EINTR) return false;
    // An interrupted connect goes on in the background; wait for its outcome.
    for (;;) {
        const int r = CanSend(1, 0, true);
        if (r != 0) return r == 1;
    }
}

bool CTcpSocket::Connect(const char* host, unsigned short port, int timeoutSeconds,
                         bool restoreBlocking, const bool* running)
{
    if (!IsValidSocket() || host == nullptr) return false;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    if (!ResolveIPv4(host, a.sin_addr.s_addr)) return false;
    if (!SetBlockMode(false)) return false;

    bool ok = ::connect(Fd(m_hSocket), reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
    // A connection that could not complete at once is still under way
    // (EINPROGRESS, or EINTR: the attempt goes on without us).
    if (!ok && (errno == EINPROGRESS || errno == EINTR)) {
        if (timeoutSeconds < 0) timeoutSeconds = 0;
        if (running == nullptr) {
            ok = CanSend(timeoutSeconds, 0, true) == 1;
        } else {
            const long long slices = static_cast<long long>(timeoutSeconds) * 5;
            for (long long i = 0; i < slices; ++i) {
                const int r = CanSend(0, 200000, true);
                if (r == 1) {
                    ok = true;
                    break;
                }
                if (r < 0 || !StillRunning(running)) break;
            }
        }
    }
    if (restoreBlocking && !SetBlockMode(true)) return false;
    return ok;
}

bool CTcpSocket::GetRemoteInfo(std::string& ip, unsigned short& port)
{
    if (!IsValidSocket()) return false;
    sockaddr_storage a{};
    socklen_t len = sizeof a;
    if (::getpeername(Fd(m_hSocket), reinterpret_cast<sockaddr*>(&a), &len) != 0) return false;
    if (a.ss_family != AF_INET) return false;
    DescribeIPv4(reinterpret_cast<const sockaddr*>(&a), ip, port);
    return true;
}

bool CTcpSocket::HasSocketErr() { return !IsTransientError(errno); }

void CTcpSocket::SetNoLinger()
{
    if (!IsValidSocket()) return;
    linger l{};
    l.l_onoff = 1;
    l.l_linger = 0;
    ::setsockopt(Fd(m_hSocket), SOL_SOCKET, SO_LINGER, &l, sizeof l);
}

int CTcpSocket::Send(const char* data, unsigned int length, unsigned int flags)
{
    if (!IsValidSocket() || (data == nullptr && length > 0)) return -1;
    const ssize_t r =
        ::send(Fd(m_hSocket), data, Clamp(length), MapMessageFlags(flags) | MSG_NOSIGNAL);
    return static_cast<int>(r);
}

int CTcpSocket::Send(const std::string& text, unsigned int flags)
{
    return Send(text.c_str(), static_cast<unsigned int>(text.size() + 1), flags);
}

int CTcpSocket::Receive(char* buffer, unsigned int size, unsigned int flags)
{
    if (!IsValidSocket() || (buffer == nullptr && size > 0)) return -1;
    return static_cast<int>(::recv(Fd(m_hSocket), buffer, Clamp(size), MapMessageFlags(flags)));
}

int CTcpSocket::ReceiveWithTimeout(char* buffer, unsigned int size, unsigned int seconds,
                                   unsigned int microseconds, unsigned int flags)
{
    if (!IsValidSocket()) return -1;
    const int r = WaitReady(Fd(m_hSocket), false, ToMs(seconds, microseconds));
    if (r <= 0) return r;
    return Receive(buffer, size, flags);
}
