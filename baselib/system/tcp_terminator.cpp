// Reads up to a terminator, for text and for byte sequences.
#include <gravik/search.h>
#include <gravik/socket.h>

#include "internal/socket_util.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>

using namespace gravik::internal;

namespace {

const unsigned char* Find(const unsigned char* from, const unsigned char* end,
                          const unsigned char* pattern, std::size_t patternLength)
{
    const std::size_t n = static_cast<std::size_t>(end - from);
    if (n < patternLength || n > UINT_MAX) return nullptr;
    const int at = SundaySearchMemory(from, static_cast<unsigned int>(n), pattern,
                                      static_cast<unsigned int>(patternLength));
    return at < 0 ? nullptr : from + at;
}

// The shared loop. `capacity` is the number of data bytes the buffer takes;
// with `terminate` a zero byte is kept after the data (the caller reserved
// room for it). The byte search, rather than a text search, means a zero
// byte in the data cannot hide a terminator behind it.
bool ReadUntil(unsigned int handle, unsigned char* buffer, std::size_t capacity, bool terminate,
               int timeoutMs, const unsigned char* pattern, std::size_t patternLength,
               int& received, unsigned char* searchFrom, const unsigned char*& found)
{
    const auto at = reinterpret_cast<std::uintptr_t>(searchFrom);
    const auto base = reinterpret_cast<std::uintptr_t>(buffer);
    if (at > base) return false;

    if (at < base) {
        // Unparsed bytes that the caller keeps in front of the buffer.
        if (terminate) buffer[0] = 0;
        found = Find(searchFrom, buffer, pattern, patternLength);
        if (found != nullptr) return true;
    }
    if (handle == GRAVIK_INVALID_SOCKET) return false;

    const int fd = Fd(handle);
    const long long allowance = timeoutMs <= 0 ? 1 : (timeoutMs + 49LL) / 50;
    long long empty = 0;
    std::size_t have = 0;
    while (have < capacity) {
        const int ready = WaitReady(fd, false, 50);
        if (ready < 0) return false;
        ssize_t r = -1;
        if (ready == 1) {
            std::size_t want = capacity - have;
            if (want > INT_MAX) want = INT_MAX;
            r = ::recv(fd, buffer + have, want, 0);
            if (r == 0) return false;  // the peer has closed
            if (r < 0 && !IsTransientError(errno)) return false;
        }
        if (r <= 0) {
            if (++empty >= allowance) return false;
            continue;
        }
        have += static_cast<std::size_t>(r);
        received = static_cast<int>(have);
        if (terminate) buffer[have] = 0;
        const unsigned char* end = buffer + have;
        if (static_cast<std::size_t>(end - searchFrom) < patternLength) continue;
        found = Find(searchFrom, end, pattern, patternLength);
        if (found != nullptr) return true;
        // Keep the tail that may be the start of a terminator split across reads.
        searchFrom = const_cast<unsigned char*>(end) - (patternLength - 1);
    }
    return false;
}

}  // namespace

bool CTcpSocket::ReadForTerminalStr(char* buffer, unsigned int size, int timeoutMs,
                                    const char* terminator, int& received, char* searchFrom,
                                    char*& found)
{
    received = 0;
    found = nullptr;
    if (buffer == nullptr || size == 0 || terminator == nullptr || terminator[0] == '\0')
        return false;
    if (size > INT_MAX) size = INT_MAX;
    auto* data = reinterpret_cast<unsigned char*>(buffer);
    auto* from = searchFrom == nullptr ? data : reinterpret_cast<unsigned char*>(searchFrom);
    const unsigned char* hit = nullptr;
    const bool ok = ReadUntil(m_hSocket, data, size - 1, true, timeoutMs,
                              reinterpret_cast<const unsigned char*>(terminator),
                              std::strlen(terminator), received, from, hit);
    if (ok) found = buffer + (hit - data);
    return ok;
}

bool CTcpSocket::ReadForTerminalBytes(unsigned char* buffer, unsigned int size, int timeoutMs,
                                      const unsigned char* terminator,
                                      unsigned int terminatorLength, int& received,
                                      unsigned char* searchFrom, int& foundOffset)
{
    received = 0;
    foundOffset = -1;
    if (buffer == nullptr || size == 0 || terminator == nullptr || terminatorLength == 0)
        return false;
    if (size > INT_MAX) size = INT_MAX;
    unsigned char* from = searchFrom == nullptr ? buffer : searchFrom;
    const unsigned char* hit = nullptr;
    const bool ok = ReadUntil(m_hSocket, buffer, size, false, timeoutMs, terminator,
                              terminatorLength, received, from, hit);
    if (ok) foundOffset = static_cast<int>(hit - buffer);
    return ok;
}
