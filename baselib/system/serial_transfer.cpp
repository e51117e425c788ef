// Writes and the three polled reads. Each single read or write is bounded by
// the port's 50-ms time-out; the retry count bounds the whole call.
#include <gravik/search.h>
#include <gravik/serial.h>

#include "internal/serial_util.h"

#include <climits>
#include <cstring>

using namespace gravik::internal;

namespace {

constexpr int kCallMs = 50;

// Results are ints: a single call moves at most INT_MAX bytes.
unsigned int Clamp(unsigned int n) { return n > INT_MAX ? INT_MAX : n; }

// The loop shared by the reads. `stop(from, total)` looks at the bytes that
// the last read added (buffer[from..total)) and says whether to return.
template <typename Stop>
int ReadLoop(int fd, unsigned char* buffer, unsigned int size, unsigned int waitMs,
             unsigned int tries, Stop stop)
{
    size = Clamp(size);
    unsigned int total = 0;
    for (unsigned int used = 0;;) {
        bool gone = false;
        const unsigned int from = total;
        total += static_cast<unsigned int>(ComReadOnce(fd, buffer + total, size - total, kCallMs, gone));
        if (stop(from, total) || total == size || gone) break;
        if (++used >= tries) break;
        ComPause(waitMs);
    }
    return static_cast<int>(total);
}

}  // namespace

int WriteCom(void* port, const unsigned char* data, unsigned int length, unsigned int waitMs,
             unsigned int tries)
{
    const int fd = ComFd(port);
    if (fd < 0 || data == nullptr || tries == 0) return 0;
    length = Clamp(length);
    unsigned int written = 0;
    for (unsigned int used = 0; written < length;) {
        bool gone = false;
        const std::size_t n = ComWriteOnce(fd, data + written, length - written, kCallMs, gone);
        if (n == 0) break;
        written += static_cast<unsigned int>(n);
        if (written == length || gone || ++used >= tries) break;
        ComPause(waitMs);
    }
    return static_cast<int>(written);
}

int ReadCom(void* port, unsigned char* buffer, unsigned int size, unsigned int waitMs,
            unsigned int tries, int returnOnData)
{
    const int fd = ComFd(port);
    if (fd < 0 || buffer == nullptr || size == 0 || tries == 0) return 0;
    return ReadLoop(fd, buffer, size, waitMs, tries, [returnOnData](unsigned int from, unsigned int total) {
        return returnOnData != 0 && total > from;
    });
}

int ReadComEx(void* port, unsigned char* buffer, unsigned int size, unsigned int waitMs,
              unsigned int tries, unsigned char endByte, int& endPos)
{
    endPos = -1;
    const int fd = ComFd(port);
    if (fd < 0 || buffer == nullptr || size == 0 || tries == 0) return 0;
    return ReadLoop(fd, buffer, size, waitMs, tries, [&](unsigned int from, unsigned int total) {
        const void* hit = std::memchr(buffer + from, endByte, total - from);
        if (hit == nullptr) return false;
        endPos = static_cast<int>(static_cast<const unsigned char*>(hit) - buffer);
        return true;
    });
}

int ReadComEx1(void* port, unsigned char* buffer, unsigned int size, unsigned int waitMs,
               unsigned int tries, const unsigned char* pattern, unsigned int patternLength,
               int& pos)
{
    pos = -1;
    const int fd = ComFd(port);
    if (fd < 0 || buffer == nullptr || size == 0 || tries == 0 || pattern == nullptr ||
        patternLength == 0)
        return 0;
    unsigned int searchFrom = 0;
    return ReadLoop(fd, buffer, size, waitMs, tries, [&](unsigned int, unsigned int total) {
        if (total - searchFrom < patternLength) return false;
        const int at = SundaySearchMemory(buffer + searchFrom, total - searchFrom, pattern,
                                          patternLength);
        if (at >= 0) {
            pos = static_cast<int>(searchFrom) + at;
            return true;
        }
        // The tail may hold the start of a pattern that the next read completes.
        searchFrom = total - (patternLength - 1);
        return false;
    });
}
