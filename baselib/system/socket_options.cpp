// Socket options given in Windows numbering. Callers written against the
// Windows interface pass its level and option numbers and its value layouts;
// the option means the same thing here, so both numbers and layouts are
// translated. Anything not in the table goes through unchanged, so POSIX
// numbers that do not collide with it keep working.
#include "internal/socket_util.h"

#include <cstdint>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/time.h>

namespace gravik::internal {
namespace {

constexpr int kWinSolSocket = 0xFFFF;
constexpr int kWinSoLinger = 0x80;
constexpr int kWinSoDontLinger = ~0x80;
constexpr int kWinSoSndTimeo = 0x1005;
constexpr int kWinSoRcvTimeo = 0x1006;

struct OptionName {
    int windows;
    int posix;
};

constexpr OptionName kSocketLevel[] = {
    {0x0001, SO_DEBUG},     {0x0004, SO_REUSEADDR}, {0x0008, SO_KEEPALIVE},
    {0x0010, SO_DONTROUTE}, {0x0020, SO_BROADCAST}, {0x0100, SO_OOBINLINE},
    {0x1001, SO_SNDBUF},    {0x1002, SO_RCVBUF},    {0x1003, SO_SNDLOWAT},
    {0x1004, SO_RCVLOWAT},  {0x1007, SO_ERROR},     {0x1008, SO_TYPE},
};

constexpr OptionName kIpLevel[] = {
    {1, IP_OPTIONS},        {2, IP_HDRINCL},         {3, IP_TOS},
    {4, IP_TTL},            {9, IP_MULTICAST_IF},    {10, IP_MULTICAST_TTL},
    {11, IP_MULTICAST_LOOP}, {12, IP_ADD_MEMBERSHIP}, {13, IP_DROP_MEMBERSHIP},
};

template <std::size_t N>
int Lookup(const OptionName (&table)[N], int option)
{
    for (const auto& entry : table)
        if (entry.windows == option) return entry.posix;
    return option;
}

int SetLinger(int fd, bool on, int seconds)
{
    linger l{};
    l.l_onoff = on ? 1 : 0;
    l.l_linger = seconds;
    return ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
}

}  // namespace

int SetOptionMapped(int fd, int level, int option, const char* value, int length)
{
    if (fd < 0 || length < 0 || (value == nullptr && length > 0)) return -1;
    const auto len = static_cast<socklen_t>(length);

    if (level == kWinSolSocket) {
        if (option == kWinSoLinger && length == 4) {
            // Windows' linger is two u_shorts: on/off, then seconds.
            std::uint16_t parts[2];
            std::memcpy(parts, value, sizeof parts);
            return SetLinger(fd, parts[0] != 0, parts[1]) == 0 ? 0 : -1;
        }
        if (option == kWinSoDontLinger && length >= 1) {
            int flag = 0;
            std::memcpy(&flag, value, length >= 4 ? 4 : 1);
            return SetLinger(fd, flag == 0, 0) == 0 ? 0 : -1;
        }
        if ((option == kWinSoSndTimeo || option == kWinSoRcvTimeo) && length == 4) {
            // Windows takes milliseconds as a DWORD, POSIX a timeval.
            std::uint32_t ms;
            std::memcpy(&ms, value, sizeof ms);
            timeval tv{};
            tv.tv_sec = static_cast<time_t>(ms / 1000);
            tv.tv_usec = static_cast<suseconds_t>((ms % 1000) * 1000);
            const int name = option == kWinSoSndTimeo ? SO_SNDTIMEO : SO_RCVTIMEO;
            return ::setsockopt(fd, SOL_SOCKET, name, &tv, sizeof tv) == 0 ? 0 : -1;
        }
        return ::setsockopt(fd, SOL_SOCKET, Lookup(kSocketLevel, option), value, len) == 0 ? 0 : -1;
    }
    if (level == IPPROTO_IP)
        return ::setsockopt(fd, IPPROTO_IP, Lookup(kIpLevel, option), value, len) == 0 ? 0 : -1;
    return ::setsockopt(fd, level, option, value, len) == 0 ? 0 : -1;
}

}  // namespace gravik::internal
