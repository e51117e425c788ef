// Fuzzes the length-prefixed message read and the terminator reads with a
// hostile stream from the other end of a socket pair. The input is
//   [mode] [buffer size] [terminator length] [prefix length] terminator prefix stream
// where mode chooses the call and the byte order and header counting of
// AutoReceiveMsg. The stream is written whole and the writing end closed, so
// every call ends on data or on the closed peer without waiting. Buffers are
// heap blocks of exactly the size passed, so any write past them is caught;
// every result is checked against a plain search of the stream.
#include <gravik/socket.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

struct Pair {
    int fds[2] = {-1, -1};
    Pair() { Check(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) == 0); }
    ~Pair()
    {
        for (const int fd : fds)
            if (fd >= 0) ::close(fd);
    }
    // Writes what fits without waiting, then closes the writing end; returns
    // the number of bytes the reader will see.
    std::size_t Feed(const std::uint8_t* data, std::size_t size)
    {
        ::fcntl(fds[1], F_SETFL, O_NONBLOCK);
        std::size_t put = 0;
        while (put < size) {
            const ssize_t n = ::send(fds[1], data + put, size - put, MSG_NOSIGNAL);
            if (n <= 0) break;
            put += static_cast<std::size_t>(n);
        }
        ::close(fds[1]);
        fds[1] = -1;
        return put;
    }
};

long FirstAt(const std::uint8_t* text, std::size_t n, const std::uint8_t* pattern, std::size_t m)
{
    const auto* end = text + n;
    const auto* it = std::search(text, end, pattern, pattern + m);
    return it == end ? -1 : static_cast<long>(it - text);
}

void Messages(CTcpSocket& s, const std::uint8_t* stream, std::size_t n, unsigned int size,
              bool networkOrder, bool countsHeader)
{
    std::vector<char> block(size);
    std::size_t at = 0;
    for (int round = 0; round < 64; ++round) {
        unsigned int received = 0xFFFFFFFF;
        const bool ok =
            s.AutoReceiveMsg(block.data(), size, received, countsHeader, networkOrder, nullptr);
        Check(received <= size);
        Check(received <= n - at);
        Check(std::memcmp(block.data(), stream + at, received) == 0);
        if (!ok) return;
        Check(n - at >= 4);
        std::uint32_t field;
        std::memcpy(&field, stream + at, 4);
        if (networkOrder) field = __builtin_bswap32(field);
        const std::uint64_t total = countsHeader ? field : std::uint64_t(field) + 4;
        Check(!countsHeader || field >= 4);
        Check(received == total);
        at += received;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4) return 0;
    const unsigned mode = data[0];
    const unsigned int bufferSize = 1u + data[1];
    const std::size_t termLength = 1u + data[2] % 4;
    const std::size_t prefixLength = data[3] % 9;
    if (size < 4 + termLength + prefixLength) return 0;
    std::vector<std::uint8_t> terminator(data + 4, data + 4 + termLength);
    const std::uint8_t* prefix = data + 4 + termLength;
    const std::uint8_t* stream = prefix + prefixLength;
    const std::size_t streamLength = std::min<std::size_t>(size - (stream - data), 65536);

    Pair pair;
    const std::size_t fed = pair.Feed(stream, streamLength);
    CTcpSocket s(static_cast<unsigned int>(pair.fds[0]));

    switch ((mode >> 2) % 3) {
    case 0:
        Messages(s, stream, fed, bufferSize, mode & 1, mode & 2);
        break;
    case 1: {
        // A text terminator has no zero byte.
        for (auto& b : terminator)
            if (b == 0) b = 1;
        terminator.push_back(0);
        std::vector<char> block(prefixLength + bufferSize);
        std::memcpy(block.data(), prefix, prefixLength);
        char* buffer = block.data() + prefixLength;
        int received = -1;
        char* found = nullptr;
        const bool ok = s.ReadForTerminalStr(buffer, bufferSize, 50,
                                             reinterpret_cast<const char*>(terminator.data()),
                                             received, block.data(), found);
        Check(received >= 0 && static_cast<unsigned int>(received) < bufferSize);
        Check(std::memcmp(buffer, stream, static_cast<std::size_t>(received)) == 0);
        // What the call saw: the earlier bytes, then the bytes it read.
        std::vector<std::uint8_t> seen(prefix, prefix + prefixLength);
        seen.insert(seen.end(), stream, stream + received);
        const long first = FirstAt(seen.data(), seen.size(), terminator.data(), termLength);
        if (ok) {
            Check(found != nullptr);
            Check(found - block.data() == first);
        } else {
            Check(found == nullptr && first < 0);
        }
        break;
    }
    default: {
        std::vector<std::uint8_t> block(prefixLength + bufferSize);
        std::memcpy(block.data(), prefix, prefixLength);
        std::uint8_t* buffer = block.data() + prefixLength;
        int received = -1;
        int offset = 12345;
        const bool ok =
            s.ReadForTerminalBytes(buffer, bufferSize, 50, terminator.data(),
                                   static_cast<unsigned int>(termLength), received, block.data(), offset);
        Check(received >= 0 && static_cast<unsigned int>(received) <= bufferSize);
        Check(std::memcmp(buffer, stream, static_cast<std::size_t>(received)) == 0);
        std::vector<std::uint8_t> seen(prefix, prefix + prefixLength);
        seen.insert(seen.end(), stream, stream + received);
        const long first = FirstAt(seen.data(), seen.size(), terminator.data(), termLength);
        if (ok)
            Check(offset == first - static_cast<long>(prefixLength));
        else
            Check(offset == -1 && first < 0);
        break;
    }
    }
    return 0;
}
