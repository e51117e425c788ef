// The whole-buffer family and the length-prefixed message read.
#include <gravik/socket.h>

#include "internal/socket_util.h"

#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>

using namespace gravik::internal;

namespace {

struct OneFlag {
    const bool* flag;
    bool operator()() const { return StillRunning(flag); }
};

struct AllFlags {
    const std::vector<bool*>& flags;
    bool operator()() const
    {
        for (const bool* f : flags)
            if (!StillRunning(f)) return false;
        return true;
    }
};

// One loop for all eight members. idleAllowance < 0 means no idle limit.
template <typename Running>
bool Transfer(unsigned int handle, bool sending, char* data, unsigned int length,
              unsigned int& moved, int sliceMs, long long idleAllowance, Running running)
{
    moved = 0;
    if (handle == GRAVIK_INVALID_SOCKET) return false;
    if (length == 0) return true;
    if (data == nullptr) return false;
    const int fd = Fd(handle);
    while (moved < length) {
        if (!running()) return false;
        const int ready = WaitReady(fd, sending, sliceMs);
        if (ready < 0) return false;
        bool progressed = false;
        if (ready == 1) {
            std::size_t want = length - moved;
            if (want > INT_MAX) want = INT_MAX;
            const ssize_t r = sending ? ::send(fd, data + moved, want, MSG_NOSIGNAL)
                                      : ::recv(fd, data + moved, want, 0);
            if (r > 0) {
                moved += static_cast<unsigned int>(r);
                progressed = true;
            } else if (r == 0 && !sending) {
                return false;  // the peer has closed
            } else if (r < 0 && !IsTransientError(errno)) {
                return false;
            }
        }
        if (!progressed && idleAllowance >= 0 && idleAllowance-- == 0) return false;
    }
    return true;
}

long long Allowance(int timeoutMs) { return timeoutMs <= 0 ? 0 : (timeoutMs + 49LL) / 50; }

}  // namespace

bool CTcpSocket::Send_n(const char* data, unsigned int length, unsigned int& sent,
                        const bool* running)
{
    return Transfer(m_hSocket, true, const_cast<char*>(data), length, sent, 100, -1,
                    OneFlag{running});
}

bool CTcpSocket::Receive_n(char* buffer, unsigned int length, unsigned int& received,
                           const bool* running)
{
    return Transfer(m_hSocket, false, buffer, length, received, 100, -1, OneFlag{running});
}

bool CTcpSocket::Send_n_timeout(const char* data, unsigned int length, int timeoutMs,
                                unsigned int& sent, const bool* running)
{
    return Transfer(m_hSocket, true, const_cast<char*>(data), length, sent, 50,
                    Allowance(timeoutMs), OneFlag{running});
}

bool CTcpSocket::Receive_n_timeout(char* buffer, unsigned int length, int timeoutMs,
                                   unsigned int& received, const bool* running)
{
    return Transfer(m_hSocket, false, buffer, length, received, 50, Allowance(timeoutMs),
                    OneFlag{running});
}

bool CTcpSocket::Send_n_ex(const char* data, unsigned int length, unsigned int& sent,
                           std::vector<bool*> running)
{
    return Transfer(m_hSocket, true, const_cast<char*>(data), length, sent, 100, -1,
                    AllFlags{running});
}

bool CTcpSocket::Receive_n_ex(char* buffer, unsigned int length, unsigned int& received,
                              std::vector<bool*> running)
{
    return Transfer(m_hSocket, false, buffer, length, received, 100, -1, AllFlags{running});
}

bool CTcpSocket::Send_n_timeout_ex(const char* data, unsigned int length, int timeoutMs,
                                   unsigned int& sent, std::vector<bool*> running)
{
    return Transfer(m_hSocket, true, const_cast<char*>(data), length, sent, 50,
                    Allowance(timeoutMs), AllFlags{running});
}

bool CTcpSocket::Receive_n_timeout_ex(char* buffer, unsigned int length, int timeoutMs,
                                      unsigned int& received, std::vector<bool*> running)
{
    return Transfer(m_hSocket, false, buffer, length, received, 50, Allowance(timeoutMs),
                    AllFlags{running});
}

bool CTcpSocket::AutoReceiveMsg(char* buffer, unsigned int size, unsigned int& received,
                                bool lengthIncludesHeader, bool networkOrder, const bool* running)
{
    received = 0;
    // The header alone needs four bytes of the caller's buffer.
    if (!IsValidSocket() || buffer == nullptr || size < 4) return false;
    if (!Receive_n(buffer, 4, received, running)) return false;

    std::uint32_t length;
    std::memcpy(&length, buffer, 4);
    if (networkOrder) length = ntohl(length);

    // 64-bit sums: a length near 4 GiB must not wrap round and look small.
    std::uint64_t total;
    if (lengthIncludesHeader) {
        if (length < 4) return false;
        total = length;
    } else {
        total = static_cast<std::uint64_t>(length) + 4;
    }
    if (total > size) return false;

    const auto body = static_cast<unsigned int>(total - 4);
    unsigned int got = 0;
    const bool ok = Receive_n(buffer + 4, body, got, running);
    received = 4 + got;
    return ok;
}
