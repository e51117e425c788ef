// Helpers shared by the socket classes: handle conversion, readiness waits,
// keep-running flags, message flags, option numbers and error classes.
#ifndef GRAVIK_INTERNAL_SOCKET_UTIL_H
#define GRAVIK_INTERNAL_SOCKET_UTIL_H

#include <sys/socket.h>

#include <string>

namespace gravik::internal {

inline int Fd(unsigned int handle) { return static_cast<int>(handle); }
inline unsigned int Handle(int fd) { return static_cast<unsigned int>(fd); }

// Readiness of one descriptor within timeoutMs (negative: 0): 1 ready (an
// error or hang-up also counts as ready, as select() reports them), 0 timed
// out, -1 error. Interrupted waits resume with the time that is left.
int WaitReady(int fd, bool forWrite, long long timeoutMs);

// A new IPv4 socket of the given type (SOCK_STREAM, SOCK_DGRAM), closed on exec, with address
// reuse when asked; -1 on failure (nothing left open).
int OpenIpv4Socket(int type, bool reuse);

// Milliseconds of a seconds/microseconds pair, negative parts as 0, partial
// milliseconds rounded up.
long long ToMs(long long seconds, long long microseconds);

// A keep-running flag that another thread clears: read with acquire order.
inline bool StillRunning(const bool* flag)
{
    return flag == nullptr || __atomic_load_n(flag, __ATOMIC_ACQUIRE);
}

// errno values that only mean "try again".
bool IsTransientError(int error);

// Message flags given in Windows numbering, as POSIX flags.
int MapMessageFlags(unsigned int flags);

// setsockopt() with Windows level/option numbers and value layouts mapped.
int SetOptionMapped(int fd, int level, int option, const char* value, int length);

// Dotted IPv4 text to a network-order address; false for anything else.
bool ParseIPv4(const char* text, unsigned int& address);

// The IPv4 address and port of a socket address.
void DescribeIPv4(const sockaddr* address, std::string& ip, unsigned short& port);

}  // namespace gravik::internal

#endif  // GRAVIK_INTERNAL_SOCKET_UTIL_H
