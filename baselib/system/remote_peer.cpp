#include <gravik/socket.h>

#include "internal/socket_util.h"

#include <cstring>
#include <netinet/in.h>

using namespace gravik::internal;

static_assert(sizeof(sockaddr_in) == 16, "an IPv4 socket address is 16 bytes");

CRemotePeer::CRemotePeer() : m_address{}, m_nLength(16) {}

CRemotePeer::CRemotePeer(const char* ip, unsigned short port) : m_address{}, m_nLength(16)
{
    unsigned int address;
    // An unreadable text leaves the address all zero (no family), so a send
    // to it fails instead of going to 255.255.255.255 as inet_addr's error
    // value would.
    if (!ParseIPv4(ip, address)) return;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = address;
    std::memcpy(m_address, &a, sizeof a);
}

CRemotePeer::CRemotePeer(const CRemotePeer& other) : m_nLength(other.m_nLength)
{
    std::memcpy(m_address, other.m_address, sizeof m_address);
}

CRemotePeer& CRemotePeer::operator=(const CRemotePeer& other)
{
    std::memcpy(m_address, other.m_address, sizeof m_address);
    m_nLength = other.m_nLength;
    return *this;
}

void CRemotePeer::GetPeerInfo(std::string& ip, unsigned short& port)
{
    DescribeIPv4(GetAddress(), ip, port);
}

const sockaddr* CRemotePeer::GetAddress() const
{
    return reinterpret_cast<const sockaddr*>(m_address);
}

int CRemotePeer::GetLength() const { return m_nLength; }
