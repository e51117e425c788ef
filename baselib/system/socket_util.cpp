#include "internal/socket_util.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace gravik::internal {

// poll() rather than select(): select's descriptor sets overflow for
// descriptors of FD_SETSIZE (1024) and above, which a busy server reaches.
int WaitReady(int fd, bool forWrite, long long timeoutMs)
{
    if (fd < 0) return -1;
    if (timeoutMs < 0) timeoutMs = 0;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    long long left = timeoutMs;
    for (;;) {
        pollfd p{};
        p.fd = fd;
        p.events = forWrite ? POLLOUT : POLLIN;
        const int wait = left > INT_MAX ? INT_MAX : static_cast<int>(left);
        const int r = ::poll(&p, 1, wait);
        if (r > 0) return (p.revents & POLLNVAL) ? -1 : 1;
        if (r == 0) {
            if (left <= wait) return 0;
        } else if (errno != EINTR) {
            return -1;
        }
        left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return 0;
    }
}

long long ToMs(long long seconds, long long microseconds)
{
    if (seconds < 0) seconds = 0;
    if (microseconds < 0) microseconds = 0;
    if (seconds > LLONG_MAX / 2000) seconds = LLONG_MAX / 2000;
    return seconds * 1000 + (microseconds + 999) / 1000;
}

bool IsTransientError(int error)
{
    return error == EINTR || error == EAGAIN || error == EWOULDBLOCK || error == EINPROGRESS;
}

int MapMessageFlags(unsigned int flags)
{
    int out = 0;
    if (flags & 0x1u) out |= MSG_OOB;
    if (flags & 0x2u) out |= MSG_PEEK;
    if (flags & 0x4u) out |= MSG_DONTROUTE;
    if (flags & 0x8u) out |= MSG_WAITALL;
    out |= static_cast<int>(flags & ~0xFu);
    return out;
}

bool ParseIPv4(const char* text, unsigned int& address)
{
    if (text == nullptr) return false;
    in_addr a{};
    if (::inet_pton(AF_INET, text, &a) != 1) return false;
    address = a.s_addr;
    return true;
}

void DescribeIPv4(const sockaddr* address, std::string& ip, unsigned short& port)
{
    sockaddr_in in{};
    std::memcpy(&in, address, sizeof in);
    char text[INET_ADDRSTRLEN] = {};
    if (::inet_ntop(AF_INET, &in.sin_addr, text, sizeof text) == nullptr) text[0] = '\0';
    ip = text;
    port = ntohs(in.sin_port);
}

int OpenIpv4Socket(int type, bool reuse)
{
    const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (reuse) {
        const int one = 1;
        if (::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one) != 0) {
            ::close(fd);
            return -1;
        }
    }
    return fd;
}

}  // namespace gravik::internal
