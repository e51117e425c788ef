// libGravik - IPv4 sockets: TCP clients and servers, UDP, multicast, host queries.
//
// A thin object layer over BSD sockets. The classes hold a handle only and no
// destructor closes it: the application closes sockets with CloseSocket().
// Copies and objects built from a handle share that handle; exactly one of
// them must close it. Handles are descriptors kept as unsigned int; the
// invalid handle is 0xFFFFFFFF (GRAVIK_INVALID_SOCKET).
//
// Waiting is done in short slices (50, 100 or 200 ms) so that a caller's
// keep-running flag (a bool that another thread sets to false) stops a
// blocking call within one slice. Failures are reported by results (false,
// -1, an empty addition); only GetHostName and the listening constructor of
// CTcpServerSocket throw CSocketException. After a failure the calling
// thread's error number tells a transient condition from a real failure
// (CTcpSocket::HasSocketErr).
//
// Numbers taken from the Windows sockets interface are accepted and mapped to
// their POSIX meaning:
//  - option levels and names for SetSockOpt: SOL_SOCKET 0xFFFF with SO_DEBUG 1,
//    SO_REUSEADDR 4, SO_KEEPALIVE 8, SO_DONTROUTE 0x10, SO_BROADCAST 0x20,
//    SO_LINGER 0x80 (4-byte {u_short onoff, u_short seconds}), SO_DONTLINGER
//    ~0x80, SO_OOBINLINE 0x100, SO_SNDBUF 0x1001, SO_RCVBUF 0x1002,
//    SO_SNDLOWAT 0x1003, SO_RCVLOWAT 0x1004, SO_SNDTIMEO/SO_RCVTIMEO 0x1005/
//    0x1006 (4-byte milliseconds), SO_ERROR 0x1007, SO_TYPE 0x1008;
//    IPPROTO_IP 0 with IP_OPTIONS 1, IP_HDRINCL 2, IP_TOS 3, IP_TTL 4,
//    IP_MULTICAST_IF 9, IP_MULTICAST_TTL 10, IP_MULTICAST_LOOP 11,
//    IP_ADD_MEMBERSHIP 12, IP_DROP_MEMBERSHIP 13; IPPROTO_TCP 6 with
//    TCP_NODELAY 1. Other levels and option numbers are passed on unchanged.
//  - message flags of Send/Receive/SendTo/ReceiveFrom: MSG_OOB 1, MSG_PEEK 2,
//    MSG_DONTROUTE 4, MSG_WAITALL 8; other bits are passed on unchanged.
//    Sending never raises SIGPIPE: a reset connection is a failed send.
//  - transient error numbers (retried by the whole-buffer family, reported as
//    "no real error" by HasSocketErr): WSAEINTR -> EINTR, WSAEWOULDBLOCK ->
//    EAGAIN/EWOULDBLOCK/EINPROGRESS, WSATRY_AGAIN -> a name look-up that may
//    succeed later (reported as EAGAIN).
// All sockets are IPv4; only GetHostAllIP reports IPv6 addresses as well.
#ifndef GRAVIK_SOCKET_H
#define GRAVIK_SOCKET_H

#include <gravik/export.h>

#include <string>
#include <vector>

struct sockaddr;

#define GRAVIK_INVALID_SOCKET 0xFFFFFFFFu

// Base of all socket classes: the handle, waiting for readiness, binding and
// the process-wide host queries.
class GRAVIK_API CBaseSocket {
public:
    // Invalid handle; starts the sockets layer (InitWinSock2) first.
    CBaseSocket();
    CBaseSocket(const CBaseSocket& other);
    CBaseSocket& operator=(const CBaseSocket& other);
    virtual ~CBaseSocket();

    virtual bool CreateSocket(bool reuse) = 0;
    virtual void CloseSocket() = 0;
    // shutdown(): 0 receive side, 1 send side, 2 both. 0, or -1 (also
    // without a socket).
    virtual int ShutDown(int how);

    // True once the sockets layer is started. POSIX sockets need no start-up,
    // so this only records the state; it never fails.
    static bool InitWinSock2();
    // Clears the started flag.
    static void CleanupWinSock2();
    // The local host name. Throws CSocketException("Can't get the host name!").
    static std::string GetHostName();
    // Appends every IPv4 and IPv6 address of `host` (a name or a numeric
    // address) as text to `out`, which is not cleared. Nothing on failure.
    static void GetHostAllIP(const std::string& host, std::vector<std::string>& out);
    // The same for GetHostName() (and so it throws as that does).
    static void GetHostAllIP(std::vector<std::string>& out);
    // Appends, for every network interface with a 6-byte hardware address
    // (loopback excluded), its name to `descriptions` and its address to
    // `macs`: "%02X-%02X-..." (17 characters) with dashes, else 12 upper-case
    // hex digits. Nothing on failure.
    static void GetHostAllMac(std::vector<std::string>& descriptions,
                              std::vector<std::string>& macs, bool dashes);

    bool IsValidSocket() const;
    // The handle (GRAVIK_INVALID_SOCKET when none).
    unsigned int GetHandle() const;
    // setsockopt with Windows level/option numbers mapped (see above). 0 or -1.
    int SetSockOpt(int level, int option, const char* value, int length);
    // Waits until the socket is writable or the time has passed: 1 writable,
    // 0 timed out, -1 error or no socket. With checkError a writable socket
    // with a pending error (SO_ERROR) gives -1. Negative times count as 0.
    int CanSend(int seconds, int microseconds, bool checkError);
    // The same for readability (data, or the peer has closed): 1, 0 or -1.
    int CanReceive(int seconds, int microseconds);
    // Binds to the dotted IPv4 address, or any local address when ip is null.
    // Port 0 picks a free port (read it back with GetLocalInfo).
    bool Bind(unsigned short port, const char* ip);
    // Blocking (true) or non-blocking (false) mode.
    bool SetBlockMode(bool blocking);
    // The local address as dotted text and the port in host order.
    bool GetLocalInfo(std::string& ip, unsigned short& port);

    static bool s_bInitWinSock2;

protected:
    // Closes a valid handle and marks it invalid.
    void CloseHandle();

    unsigned int m_hSocket;
};

// IPv4 stream socket: connecting with a time-out, single and whole-buffer
// transfers, length-prefixed messages and reads up to a terminator.
class GRAVIK_API CTcpSocket : public CBaseSocket {
public:
    // With create, CreateSocket(reuse); otherwise no socket.
    explicit CTcpSocket(bool create = true, bool reuse = true);
    // Shares the given handle.
    explicit CTcpSocket(const unsigned int& handle);
    CTcpSocket(const CTcpSocket& other);
    CTcpSocket& operator=(const CTcpSocket& other);
    CTcpSocket& operator=(const unsigned int& handle);
    ~CTcpSocket() override;

    // Closes any held socket and creates a new one; with reuse sets
    // SO_REUSEADDR (the socket is closed again if that fails).
    bool CreateSocket(bool reuse) override;
    void CloseSocket() override;

    // Blocking connect to a dotted IPv4 address.
    bool Connect(const char* ip, unsigned short port);
    // Connect to a dotted address or a host name (its first IPv4 address)
    // within timeoutSeconds. With running, waits in 200 ms slices and gives up
    // when *running turns false. With restoreBlocking the socket is blocking
    // again afterwards, otherwise it stays non-blocking.
    bool Connect(const char* host, unsigned short port, int timeoutSeconds,
                 bool restoreBlocking, const bool* running);
    bool GetRemoteInfo(std::string& ip, unsigned short& port);
    // False when the thread's last error is a transient one (see above).
    bool HasSocketErr();
    // Lingering on with 0 s: closing drops unsent data and resets at once.
    void SetNoLinger();

    // One send()/recv(); -1 without a socket or on error; Receive gives 0
    // when the peer has closed. The string form sends the text and its zero.
    int Send(const char* data, unsigned int length, unsigned int flags);
    int Send(const std::string& text, unsigned int flags);
    int Receive(char* buffer, unsigned int size, unsigned int flags);
    // Waits for readability first: 0 (time-out) or -1 (error) from the wait,
    // else the recv() result (0 also when the peer has closed).
    int ReceiveWithTimeout(char* buffer, unsigned int size, unsigned int seconds,
                           unsigned int microseconds, unsigned int flags);

    // Whole-buffer transfers. The count is set to 0 first and holds the bytes
    // moved when the call returns; true exactly when all `length` bytes moved
    // (a length of 0 is true at once). Each round waits for readiness in a
    // slice (100 ms, 50 ms for the _timeout forms) and moves what it can;
    // transient errors are retried, other errors and a closing peer give
    // false. Before each round a null-or-true `running` flag (every flag of
    // the _ex forms) must still hold. The _timeout forms also give up after
    // ceil(timeoutMs / 50) slices in which nothing moved, plus one: a busy
    // but slow peer keeps them going, an idle one does not.
    bool Send_n(const char* data, unsigned int length, unsigned int& sent, const bool* running);
    bool Receive_n(char* buffer, unsigned int length, unsigned int& received, const bool* running);
    bool Send_n_timeout(const char* data, unsigned int length, int timeoutMs, unsigned int& sent,
                        const bool* running);
    bool Receive_n_timeout(char* buffer, unsigned int length, int timeoutMs,
                           unsigned int& received, const bool* running);
    bool Send_n_ex(const char* data, unsigned int length, unsigned int& sent,
                   std::vector<bool*> running);
    bool Receive_n_ex(char* buffer, unsigned int length, unsigned int& received,
                      std::vector<bool*> running);
    bool Send_n_timeout_ex(const char* data, unsigned int length, int timeoutMs,
                           unsigned int& sent, std::vector<bool*> running);
    bool Receive_n_timeout_ex(char* buffer, unsigned int length, int timeoutMs,
                              unsigned int& received, std::vector<bool*> running);

    // One message: a 4-byte length (network order when networkOrder, else the
    // host's), then the body, both into buffer[0..size). The length counts
    // the 4 header bytes when lengthIncludesHeader (then it must be >= 4).
    // On success `received` is the whole message size, header included.
    // False without reading the body (received 4) when the message would not
    // fit in `size` bytes; false at once when size < 4 or buffer is null;
    // otherwise false with received = 4 + the body bytes that arrived. Waits
    // without limit unless `running` is given: a stalled peer is left by
    // clearing the flag (within 100 ms).
    bool AutoReceiveMsg(char* buffer, unsigned int size, unsigned int& received,
                        bool lengthIncludesHeader, bool networkOrder, const bool* running);

    // Reads until `terminator` (a non-empty text) arrives. `size` is the
    // whole buffer including room for the zero byte written after the data,
    // so at most size - 1 bytes are read. searchFrom (null means buffer) is
    // either buffer or lies before it in the same memory, where the caller
    // keeps unparsed bytes of an earlier read: those are searched first
    // (buffer[0] is set to zero) and together with the new data. A terminator
    // split across reads is found. On success `found` points at it. Gives up
    // after ceil(timeoutMs / 50) empty 50-ms slices (at least one), when the
    // buffer is full, the peer closes, or on an error; `received` is the
    // bytes read into buffer. Zero bytes in the data do not hide a terminator.
    bool ReadForTerminalStr(char* buffer, unsigned int size, int timeoutMs,
                            const char* terminator, int& received, char* searchFrom,
                            char*& found);
    // The same for a byte sequence of terminatorLength (>= 1) bytes, with no
    // zero byte written: up to `size` bytes are read. foundOffset is the
    // offset of the terminator's first byte from buffer (negative when it
    // lies in the earlier bytes before buffer), -1 until found: test the
    // result, not the offset.
    bool ReadForTerminalBytes(unsigned char* buffer, unsigned int size, int timeoutMs,
                              const unsigned char* terminator, unsigned int terminatorLength,
                              int& received, unsigned char* searchFrom, int& foundOffset);
};

// Listening TCP socket with an address list that the application consults
// (IsAllowIP) for each accepted peer; Accept itself does not.
class GRAVIK_API CTcpServerSocket : public CTcpSocket {
public:
    explicit CTcpServerSocket(bool create = true, bool reuse = true);
    // Creates, optionally sets SO_REUSEADDR, binds to ip (any when null) and
    // port (0 picks a free one) and listens. Throws CSocketException with
    // "Can not create socket!", "Can not bind port!" or "Can not listen
    // port!"; the socket is closed before the throw.
    CTcpServerSocket(int port, int backlog, const char* ip, bool reuse);
    CTcpServerSocket(const CTcpServerSocket& other);
    CTcpServerSocket& operator=(const CTcpServerSocket& other);
    ~CTcpServerSocket() override;

    bool Listen(int backlog);
    // Waits for a connection; the result holds the new handle (invalid when
    // accepting failed). SO_REUSEADDR is set on the new socket.
    CTcpSocket Accept();

    // 0: the list holds the allowed addresses; 1: the rejected ones.
    void SetAllowFlag(int flag);
    // Appends the dotted text (duplicates stay).
    void AddIP(const std::string& ip);
    // Removes every entry equal to the text.
    void DeleteIP(const std::string& ip);
    void ClearIP();
    // True for an empty list; with flag 0 true exactly when the text equals an
    // entry, with any other flag exactly when it equals none (exact,
    // case-sensitive comparison).
    bool IsAllowIP(const std::string& ip);
    // Writes a heading ("The allow ip address list:" for flag 0, "The reject
    // ip address list:" for flag 1) and every entry to standard output.
    void ShowIP();

private:
    int m_nAllowFlag;
    std::vector<std::string> m_vecIP;
};

class CRemotePeer;

// IPv4 datagram socket. Send and receive members return -1 without a socket
// (or for a negative length or size), otherwise the system call's result.
class GRAVIK_API CUdpSocket : public CBaseSocket {
public:
    explicit CUdpSocket(bool create = true, bool reuse = true);
    explicit CUdpSocket(const unsigned int& handle);
    CUdpSocket(const CUdpSocket& other);
    CUdpSocket& operator=(const CUdpSocket& other);
    CUdpSocket& operator=(const unsigned int& handle);
    ~CUdpSocket() override;

    bool CreateSocket(bool reuse) override;
    void CloseSocket() override;
    int ShutDown(int how) override;

    int SendTo(const char* data, int length, CRemotePeer& to, unsigned int flags);
    // To a dotted IPv4 address; -1 when the text is not one.
    int SendTo(const char* data, int length, const char* ip, unsigned short port,
               unsigned int flags);
    // To an IPv4 socket address (16 bytes) given by the caller.
    int SendTo(const char* data, int length, const sockaddr* to, unsigned int flags);
    // The text and its terminating zero byte.
    int SendTo(const std::string& text, CRemotePeer& to, unsigned int flags);
    int SendTo(const std::string& text, const char* ip, unsigned short port, unsigned int flags);
    int SendTo(const std::string& text, const sockaddr* to, unsigned int flags);
    // One datagram (cut to `size`); the sender goes into `from` when not null.
    int ReceiveFrom(char* buffer, int size, CRemotePeer* from, unsigned int flags);
    int ReceiveFrom(char* buffer, int size, sockaddr* from, int* fromLength, unsigned int flags);
};

// UDP socket that joins and leaves an IPv4 multicast group.
class GRAVIK_API CMulticastSocket : public CUdpSocket {
public:
    explicit CMulticastSocket(bool create = true, bool reuse = true);
    CMulticastSocket(const CMulticastSocket& other);
    CMulticastSocket& operator=(const CMulticastSocket& other);
    ~CMulticastSocket() override;

    // Non-blocking mode, bound to `port` on the any-address (this platform
    // delivers group traffic only to sockets not bound to a unicast
    // address), and joined to groupIp on the interface that owns localIp
    // (the default interface when null). False when any step fails or a text
    // is not a dotted address.
    bool JoinGroup(const char* localIp, const char* groupIp, unsigned short port);
    // Leaves the group on the interface it was joined on.
    bool QuitGroup(const char* groupIp);

private:
    unsigned int m_nInterface;  // network order, as joined
};

// An IPv4 address and port (a 16-byte socket address and its length, 16).
class GRAVIK_API CRemotePeer {
public:
    // All zero.
    CRemotePeer();
    // IPv4, the port, the address from dotted text (all zero, and so unusable
    // as a destination, when the text is not a dotted address).
    CRemotePeer(const char* ip, unsigned short port);
    CRemotePeer(const CRemotePeer& other);
    CRemotePeer& operator=(const CRemotePeer& other);

    // The address as dotted text and the port in host order.
    void GetPeerInfo(std::string& ip, unsigned short& port);
    const sockaddr* GetAddress() const;
    int GetLength() const;

private:
    friend class CUdpSocket;
    alignas(4) unsigned char m_address[16];
    int m_nLength;
};

#endif  // GRAVIK_SOCKET_H
