// Helpers shared by the serial-port functions: handle conversion and the
// single timed read and write that every transfer is built from.
#ifndef GRAVIK_INTERNAL_SERIAL_UTIL_H
#define GRAVIK_INTERNAL_SERIAL_UTIL_H

#include <cstddef>

namespace gravik::internal {

// The descriptor of a handle, or -1 for null, invalid or out-of-range ones.
int ComFd(void* port);
void* ComHandle(int fd);

// One read: collects bytes for up to `ms` milliseconds or until `size` bytes
// have arrived, and returns their count. `gone` is set when the port has
// gone or failed; the bytes collected before that are still counted.
std::size_t ComReadOnce(int fd, unsigned char* buffer, std::size_t size, int ms, bool& gone);

// One write: writes for up to `ms` milliseconds and returns the bytes
// written; `gone` as for reads.
std::size_t ComWriteOnce(int fd, const unsigned char* data, std::size_t length, int ms,
                         bool& gone);

// Pauses between tries.
void ComPause(unsigned int ms);

}  // namespace gravik::internal

#endif  // GRAVIK_INTERNAL_SERIAL_UTIL_H
