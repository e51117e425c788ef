#include <gravik/socket.h>

#include "internal/socket_util.h"

#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>

using namespace gravik::internal;

CUdpSocket::CUdpSocket(bool create, bool reuse)
{
    if (create) CreateSocket(reuse);
}

CUdpSocket::CUdpSocket(const unsigned int& handle) { m_hSocket = handle; }

CUdpSocket::CUdpSocket(const CUdpSocket& other) = default;
CUdpSocket& CUdpSocket::operator=(const CUdpSocket& other) = default;

CUdpSocket& CUdpSocket::operator=(const unsigned int& handle)
{
    m_hSocket = handle;
    return *this;
}

CUdpSocket::~CUdpSocket() = default;

bool CUdpSocket::CreateSocket(bool reuse)
{
    CloseSocket();
    const int fd = OpenIpv4Socket(SOCK_DGRAM, reuse);
    if (fd < 0) return false;
    m_hSocket = Handle(fd);
    return true;
}

void CUdpSocket::CloseSocket() { CloseHandle(); }

int CUdpSocket::ShutDown(int how) { return CBaseSocket::ShutDown(how); }

int CUdpSocket::SendTo(const char* data, int length, CRemotePeer& to, unsigned int flags)
{
    return SendTo(data, length, to.GetAddress(), flags);
}

int CUdpSocket::SendTo(const char* data, int length, const char* ip, unsigned short port,
                       unsigned int flags)
{
    unsigned int address;
    if (!ParseIPv4(ip, address)) {
        errno = EINVAL;
        return -1;
    }
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = address;
    return SendTo(data, length, reinterpret_cast<const sockaddr*>(&a), flags);
}

int CUdpSocket::SendTo(const char* data, int length, const sockaddr* to, unsigned int flags)
{
    if (!IsValidSocket() || length < 0 || to == nullptr || (data == nullptr && length > 0))
        return -1;
    return static_cast<int>(::sendto(Fd(m_hSocket), data, static_cast<std::size_t>(length),
                                     MapMessageFlags(flags) | MSG_NOSIGNAL, to,
                                     sizeof(sockaddr_in)));
}

int CUdpSocket::SendTo(const std::string& text, CRemotePeer& to, unsigned int flags)
{
    return SendTo(text.c_str(), static_cast<int>(text.size() + 1), to, flags);
}

int CUdpSocket::SendTo(const std::string& text, const char* ip, unsigned short port,
                       unsigned int flags)
{
    return SendTo(text.c_str(), static_cast<int>(text.size() + 1), ip, port, flags);
}

int CUdpSocket::SendTo(const std::string& text, const sockaddr* to, unsigned int flags)
{
    return SendTo(text.c_str(), static_cast<int>(text.size() + 1), to, flags);
}

int CUdpSocket::ReceiveFrom(char* buffer, int size, CRemotePeer* from, unsigned int flags)
{
    if (from == nullptr) return ReceiveFrom(buffer, size, nullptr, nullptr, flags);
    int length = static_cast<int>(sizeof from->m_address);
    const int r = ReceiveFrom(buffer, size, reinterpret_cast<sockaddr*>(from->m_address),
                              &length, flags);
    if (r >= 0) from->m_nLength = length;
    return r;
}

int CUdpSocket::ReceiveFrom(char* buffer, int size, sockaddr* from, int* fromLength,
                            unsigned int flags)
{
    if (!IsValidSocket() || size < 0 || (buffer == nullptr && size > 0)) return -1;
    if (from != nullptr && (fromLength == nullptr || *fromLength < 0)) return -1;
    socklen_t len = from != nullptr ? static_cast<socklen_t>(*fromLength) : 0;
    const ssize_t r = ::recvfrom(Fd(m_hSocket), buffer, static_cast<std::size_t>(size),
                                 MapMessageFlags(flags), from, from != nullptr ? &len : nullptr);
    if (r >= 0 && from != nullptr) *fromLength = static_cast<int>(len);
    return static_cast<int>(r);
}
