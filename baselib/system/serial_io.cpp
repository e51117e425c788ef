#include "internal/serial_util.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace gravik::internal {

int ComFd(void* port)
{
    const auto v = reinterpret_cast<std::intptr_t>(port);
    // Descriptor 0 would be the null handle; OpenCom never hands it out.
    if (v <= 0 || v > INT_MAX) return -1;
    return static_cast<int>(v);
}

void* ComHandle(int fd) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(fd)); }

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

// Waits for the descriptor; false on time-out. `gone` is set when it has
// failed or hung up with nothing left to read.
bool Wait(int fd, short events, Clock::time_point deadline, bool& gone)
{
    for (;;) {
        pollfd p{};
        p.fd = fd;
        p.events = events;
        const int r = ::poll(&p, 1, MsLeft(deadline));
        if (r > 0) {
            if ((p.revents & events) != 0) return true;
            gone = true;  // POLLHUP, POLLERR or POLLNVAL without readiness
            return false;
        }
        if (r == 0) return false;
        if (errno != EINTR) {
            gone = true;
            return false;
        }
    }
}

}  // namespace

// A read time-out of 50 ms in total rather than per byte: the call keeps
// collecting until the time is up or the buffer is full, as the port's
// time-out settings describe, so a reply that trickles in is read whole.
std::size_t ComReadOnce(int fd, unsigned char* buffer, std::size_t size, int ms, bool& gone)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    std::size_t got = 0;
    while (got < size && !gone) {
        if (!Wait(fd, POLLIN, deadline, gone)) break;
        const ssize_t r = ::read(fd, buffer + got, size - got);
        if (r > 0) {
            got += static_cast<std::size_t>(r);
        } else if (r == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
            gone = true;  // end of file or EIO: the other side has gone
        }
    }
    return got;
}

std::size_t ComWriteOnce(int fd, const unsigned char* data, std::size_t length, int ms,
                         bool& gone)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    std::size_t put = 0;
    while (put < length && !gone) {
        if (!Wait(fd, POLLOUT, deadline, gone)) break;
        const ssize_t r = ::write(fd, data + put, length - put);
        if (r > 0)
            put += static_cast<std::size_t>(r);
        else if (r == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
            gone = true;
    }
    return put;
}

void ComPause(unsigned int ms)
{
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace gravik::internal
