#include <gravik/exceptions.h>
#include <gravik/socket.h>

#include "internal/socket_util.h"

#include <algorithm>
#include <cerrno>
#include <iostream>
#include <sys/socket.h>

using namespace gravik::internal;

CTcpServerSocket::CTcpServerSocket(bool create, bool reuse)
    : CTcpSocket(create, reuse), m_nAllowFlag(0)
{
}

CTcpServerSocket::CTcpServerSocket(int port, int backlog, const char* ip, bool reuse)
    : CTcpSocket(false, false), m_nAllowFlag(0)
{
    if (!CreateSocket(reuse)) throw CSocketException("Can not create socket!");
    // The handle is closed before every throw: the object is never finished,
    // so nobody else could close it.
    if (port < 0 || port > 0xFFFF || !Bind(static_cast<unsigned short>(port), ip)) {
        CloseSocket();
        throw CSocketException("Can not bind port!");
    }
    if (!Listen(backlog)) {
        CloseSocket();
        throw CSocketException("Can not listen port!");
    }
}

CTcpServerSocket::CTcpServerSocket(const CTcpServerSocket& other) = default;
CTcpServerSocket& CTcpServerSocket::operator=(const CTcpServerSocket& other) = default;
CTcpServerSocket::~CTcpServerSocket() = default;

bool CTcpServerSocket::Listen(int backlog)
{
    if (!IsValidSocket()) return false;
    return ::listen(Fd(m_hSocket), backlog) == 0;
}

CTcpSocket CTcpServerSocket::Accept()
{
    CTcpSocket peer(false, false);
    if (!IsValidSocket()) return peer;
    int fd;
    do {
        fd = ::accept4(Fd(m_hSocket), nullptr, nullptr, SOCK_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return peer;
    const int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    peer = Handle(fd);
    return peer;
}

void CTcpServerSocket::SetAllowFlag(int flag) { m_nAllowFlag = flag; }

void CTcpServerSocket::AddIP(const std::string& ip) { m_vecIP.push_back(ip); }

void CTcpServerSocket::DeleteIP(const std::string& ip)
{
    m_vecIP.erase(std::remove(m_vecIP.begin(), m_vecIP.end(), ip), m_vecIP.end());
}

void CTcpServerSocket::ClearIP() { m_vecIP.clear(); }

bool CTcpServerSocket::IsAllowIP(const std::string& ip)
{
    if (m_vecIP.empty()) return true;
    const bool listed = std::find(m_vecIP.begin(), m_vecIP.end(), ip) != m_vecIP.end();
    return m_nAllowFlag == 0 ? listed : !listed;
}

void CTcpServerSocket::ShowIP()
{
    if (m_nAllowFlag == 0)
        std::cout << "The allow ip address list:\n";
    else if (m_nAllowFlag == 1)
        std::cout << "The reject ip address list:\n";
    for (const auto& ip : m_vecIP) std::cout << ip << '\n';
    std::cout.flush();
}
