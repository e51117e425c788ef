#include <gravik/socket.h>

#include "internal/socket_util.h"

#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>

using namespace gravik::internal;

CMulticastSocket::CMulticastSocket(bool create, bool reuse)
    : CUdpSocket(create, reuse), m_nInterface(htonl(INADDR_ANY))
{
}

CMulticastSocket::CMulticastSocket(const CMulticastSocket& other) = default;
CMulticastSocket& CMulticastSocket::operator=(const CMulticastSocket& other) = default;
CMulticastSocket::~CMulticastSocket() = default;

bool CMulticastSocket::JoinGroup(const char* localIp, const char* groupIp, unsigned short port)
{
    if (!IsValidSocket()) return false;
    unsigned int group;
    unsigned int local = htonl(INADDR_ANY);
    if (!ParseIPv4(groupIp, group) || (localIp != nullptr && !ParseIPv4(localIp, local))) {
        errno = EINVAL;
        return false;
    }
    if (!SetBlockMode(false) || !Bind(port, nullptr)) return false;
    ip_mreq request{};
    request.imr_multiaddr.s_addr = group;
    request.imr_interface.s_addr = local;
    if (::setsockopt(Fd(m_hSocket), IPPROTO_IP, IP_ADD_MEMBERSHIP, &request, sizeof request) != 0)
        return false;
    m_nInterface = local;
    return true;
}

bool CMulticastSocket::QuitGroup(const char* groupIp)
{
    if (!IsValidSocket()) return false;
    unsigned int group;
    if (!ParseIPv4(groupIp, group)) {
        errno = EINVAL;
        return false;
    }
    ip_mreq request{};
    request.imr_multiaddr.s_addr = group;
    request.imr_interface.s_addr = m_nInterface;
    return ::setsockopt(Fd(m_hSocket), IPPROTO_IP, IP_DROP_MEMBERSHIP, &request, sizeof request) ==
           0;
}
