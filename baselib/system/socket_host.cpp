#include <gravik/exceptions.h>
#include <gravik/socket.h>

#include <arpa/inet.h>
#include <climits>
#include <cstdio>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netpacket/packet.h>
#include <unistd.h>

std::string CBaseSocket::GetHostName()
{
    // Room for the longest name the system allows, so that a long host name
    // is never cut short.
    char name[HOST_NAME_MAX + 2] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
        throw CSocketException("Can't get the host name!");
    return name;
}

void CBaseSocket::GetHostAllIP(const std::string& host, std::vector<std::string>& out)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    // One socket type only: the look-up otherwise lists each address once
    // per type (stream, datagram, raw).
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &list) != 0) return;
    for (const addrinfo* a = list; a != nullptr; a = a->ai_next) {
        char text[48] = {};
        const void* raw = nullptr;
        if (a->ai_family == AF_INET)
            raw = &reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr;
        else if (a->ai_family == AF_INET6)
            raw = &reinterpret_cast<const sockaddr_in6*>(a->ai_addr)->sin6_addr;
        if (raw != nullptr && ::inet_ntop(a->ai_family, raw, text, sizeof text) != nullptr)
            out.emplace_back(text);
    }
    ::freeaddrinfo(list);
}

void CBaseSocket::GetHostAllIP(std::vector<std::string>& out) { GetHostAllIP(GetHostName(), out); }

void CBaseSocket::GetHostAllMac(std::vector<std::string>& descriptions,
                                std::vector<std::string>& macs, bool dashes)
{
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return;
    for (const ifaddrs* i = list; i != nullptr; i = i->ifa_next) {
        if (i->ifa_addr == nullptr || i->ifa_addr->sa_family != AF_PACKET) continue;
        // The loopback has an all-zero address and is not an adapter.
        if (i->ifa_flags & IFF_LOOPBACK) continue;
        const auto* ll = reinterpret_cast<const sockaddr_ll*>(i->ifa_addr);
        if (ll->sll_halen != 6) continue;
        const unsigned char* b = ll->sll_addr;
        char text[18];
        std::snprintf(text, sizeof text,
                      dashes ? "%02X-%02X-%02X-%02X-%02X-%02X" : "%02X%02X%02X%02X%02X%02X",
                      b[0], b[1], b[2], b[3], b[4], b[5]);
        descriptions.emplace_back(i->ifa_name != nullptr ? i->ifa_name : "");
        macs.emplace_back(text);
    }
    ::freeifaddrs(list);
}
