// TCP sockets over loopback: connecting with and without a time-out, handle
// ownership, the server's address list and listening constructor, host
// queries, readiness waits, option and flag numbers, and what a reset or a
// large descriptor does to single calls.
#include "socket_fixture.h"

#include <gravik/exceptions.h>
#include <gravik/socket.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

using namespace sockettest;

namespace {

int OpenDescriptors()
{
    int n = 0;
    if (DIR* d = ::opendir("/proc/self/fd")) {
        while (::readdir(d) != nullptr) ++n;
        ::closedir(d);
    }
    return n;
}

// A port on which nothing listens: bound once, then released.
unsigned short ClosedPort()
{
    CTcpSocket s;
    EXPECT_TRUE(s.Bind(0, "127.0.0.1"));
    std::string ip;
    unsigned short port = 0;
    EXPECT_TRUE(s.GetLocalInfo(ip, port));
    s.CloseSocket();
    return port;
}

// ---- connecting ----

TEST(TcpConnect, ToAClosedPortFailsWithAndWithoutFlag)
{
    const unsigned short port = ClosedPort();
    bool running = true;
    for (const bool* flag : std::initializer_list<const bool*>{nullptr, &running}) {
        CTcpSocket s;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(s.Connect("127.0.0.1", port, 2, true, flag));
        EXPECT_LT(ElapsedMs(start), 1500);
        EXPECT_TRUE(s.HasSocketErr());
        s.CloseSocket();
    }
    CTcpSocket blocking;
    EXPECT_FALSE(blocking.Connect("127.0.0.1", port));
    blocking.CloseSocket();
}

TEST(TcpConnect, ToAListenerByAddressAndByName)
{
    Listener l;
    for (const char* host : {"127.0.0.1", "localhost"}) {
        CTcpSocket s;
        ASSERT_TRUE(s.Connect(host, l.port, 2, true, nullptr)) << host;
        std::string ip;
        unsigned short port = 0;
        ASSERT_TRUE(s.GetRemoteInfo(ip, port));
        EXPECT_EQ(ip, "127.0.0.1");
        EXPECT_EQ(port, l.port);
        EXPECT_EQ(::fcntl(static_cast<int>(s.GetHandle()), F_GETFL) & O_NONBLOCK, 0);
        CTcpSocket accepted = l.AcceptOne();
        EXPECT_TRUE(accepted.IsValidSocket());
        accepted.CloseSocket();
        s.CloseSocket();
    }
}

TEST(TcpConnect, LeavesTheSocketNonBlockingUnlessAsked)
{
    Listener l;
    CTcpSocket s;
    bool running = true;
    ASSERT_TRUE(s.Connect("127.0.0.1", l.port, 2, false, &running));
    EXPECT_NE(::fcntl(static_cast<int>(s.GetHandle()), F_GETFL) & O_NONBLOCK, 0);
    s.CloseSocket();
}

TEST(TcpConnect, RefusesBadInput)
{
    Listener l;
    CTcpSocket s;
    EXPECT_FALSE(s.Connect("127.0.0.1.5", l.port));
    EXPECT_FALSE(s.Connect(nullptr, l.port, 1, true, nullptr));
    EXPECT_FALSE(s.Connect("", l.port, 1, true, nullptr));
    s.CloseSocket();
    CTcpSocket none(false);
    EXPECT_FALSE(none.Connect("127.0.0.1", l.port));
    EXPECT_FALSE(none.Connect("127.0.0.1", l.port, 1, true, nullptr));
}

// A listener whose accept queue is full leaves further connections pending:
// their SYNs are dropped, so only the time-out or the flag can end the wait.
class PendingConnect : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Bind(0, "127.0.0.1"));
        ASSERT_TRUE(server.Listen(0));
        std::string ip;
        ASSERT_TRUE(server.GetLocalInfo(ip, port));
        for (auto& f : fillers) {
            // Fillers connect in the background; some are queued, the rest pend.
            f.SetBlockMode(false);
            f.Connect("127.0.0.1", port, 0, false, nullptr);
        }
        // The queue has room for one or two; wait until a fresh attempt pends.
        CTcpSocket probe;
        probe.SetBlockMode(false);
        probe.Connect("127.0.0.1", port, 0, false, nullptr);
        if (probe.CanSend(0, 300000, true) == 1) {
            probe.CloseSocket();
            GTEST_SKIP() << "the kernel completes connections beyond the accept queue here";
        }
        probe.CloseSocket();
    }
    void TearDown() override
    {
        for (auto& f : fillers) f.CloseSocket();
        server.CloseSocket();
    }

    CTcpServerSocket server;
    CTcpSocket fillers[4];
    unsigned short port = 0;
};

TEST_F(PendingConnect, ClearedFlagEndsTheWaitWithinASlice)
{
    CTcpSocket s;
    bool running = true;
    const auto start = std::chrono::steady_clock::now();
    {
        FlagClearer clear(running, 100);
        EXPECT_FALSE(s.Connect("127.0.0.1", port, 10, true, &running));
    }
    const long long ms = ElapsedMs(start);
    EXPECT_GE(ms, 100);
    EXPECT_LT(ms, 1500);
    s.CloseSocket();
}

TEST_F(PendingConnect, TimeOutWithoutFlag)
{
    CTcpSocket s;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(s.Connect("127.0.0.1", port, 1, true, nullptr));
    const long long ms = ElapsedMs(start);
    EXPECT_GE(ms, 950);
    EXPECT_LT(ms, 3000);
    s.CloseSocket();
}

// ---- handles ----

TEST(TcpHandle, DestructorLeavesTheConnectionOpenCloseSocketClosesIt)
{
    Listener l;
    unsigned int handle;
    {
        CTcpSocket s;
        ASSERT_TRUE(s.Connect("127.0.0.1", l.port, 2, true, nullptr));
        handle = s.GetHandle();
    }
    CTcpSocket accepted = l.AcceptOne();
    ASSERT_TRUE(accepted.IsValidSocket());
    CTcpSocket again(handle);
    EXPECT_EQ(again.Send("x", 1, 0), 1);
    char c = 0;
    EXPECT_EQ(accepted.ReceiveWithTimeout(&c, 1, 2, 0, 0), 1);
    EXPECT_EQ(c, 'x');

    CTcpSocket copy = again;
    EXPECT_EQ(copy.GetHandle(), handle);
    again.CloseSocket();
    EXPECT_FALSE(again.IsValidSocket());
    again.CloseSocket();  // a second close does nothing
    EXPECT_EQ(accepted.ReceiveWithTimeout(&c, 1, 2, 0, 0), 0);  // the peer sees the close
    accepted.CloseSocket();
}

TEST(TcpHandle, OperationsWithoutASocketFail)
{
    CTcpSocket s(false);
    char buf[4];
    unsigned int n = 7;
    std::string ip;
    unsigned short port;
    EXPECT_FALSE(s.IsValidSocket());
    EXPECT_EQ(s.GetHandle(), GRAVIK_INVALID_SOCKET);
    EXPECT_EQ(s.Send("ab", 2, 0), -1);
    EXPECT_EQ(s.Receive(buf, 4, 0), -1);
    EXPECT_EQ(s.ReceiveWithTimeout(buf, 4, 0, 1000, 0), -1);
    EXPECT_EQ(s.CanSend(0, 0, false), -1);
    EXPECT_EQ(s.CanReceive(0, 0), -1);
    EXPECT_EQ(s.ShutDown(2), -1);
    EXPECT_EQ(s.SetSockOpt(0xFFFF, 4, "\1\0\0\0", 4), -1);
    EXPECT_FALSE(s.Bind(0, nullptr));
    EXPECT_FALSE(s.SetBlockMode(false));
    EXPECT_FALSE(s.GetLocalInfo(ip, port));
    EXPECT_FALSE(s.GetRemoteInfo(ip, port));
    EXPECT_FALSE(s.Send_n("ab", 2, n, nullptr));
    EXPECT_EQ(n, 0u);
    EXPECT_FALSE(s.AutoReceiveMsg(buf, 4, n, false, true, nullptr));
    CTcpServerSocket server(false);
    EXPECT_FALSE(server.Listen(1));
    EXPECT_FALSE(server.Accept().IsValidSocket());
}

// ---- the server ----

TEST(TcpServer, ListeningConstructorFailuresThrowAndCloseTheSocket)
{
    Listener l;
    const int before = OpenDescriptors();
    struct Case {
        int port;
        const char* ip;
        const char* message;
    } cases[] = {
        {l.port, "127.0.0.1", "Can not bind port!"},  // in use, without reuse
        {0, "not an address", "Can not bind port!"},
        {70000, "127.0.0.1", "Can not bind port!"},
        {0, "192.0.2.1", "Can not bind port!"},  // not a local address
    };
    for (const auto& c : cases) {
        try {
            CTcpServerSocket s(c.port, 4, c.ip, false);
            s.CloseSocket();
            ADD_FAILURE() << "no exception for " << c.ip << ":" << c.port;
        } catch (CSocketException& e) {
            EXPECT_EQ(e.What(), c.message) << c.ip << ":" << c.port;
        }
    }
    EXPECT_EQ(OpenDescriptors(), before);
}

struct ListCase {
    int flag;
    std::vector<std::string> list;
    const char* ip;
    bool allowed;
};

class AllowList : public ::testing::TestWithParam<ListCase> {};

TEST_P(AllowList, Decides)
{
    CTcpServerSocket s(false);
    s.SetAllowFlag(GetParam().flag);
    for (const auto& ip : GetParam().list) s.AddIP(ip);
    EXPECT_EQ(s.IsAllowIP(GetParam().ip), GetParam().allowed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AllowList,
    ::testing::Values(ListCase{0, {}, "10.0.0.1", true}, ListCase{1, {}, "10.0.0.1", true},
                      ListCase{0, {"10.0.0.1"}, "10.0.0.1", true},
                      ListCase{1, {"10.0.0.1"}, "10.0.0.1", false},
                      ListCase{0, {"10.0.0.1"}, "10.0.0.2", false},
                      ListCase{1, {"10.0.0.1"}, "10.0.0.2", true},
                      ListCase{2, {"10.0.0.1"}, "10.0.0.1", false},
                      ListCase{0, {"10.0.0.1"}, "10.0.0.1 ", false},
                      ListCase{0, {"10.0.0.1"}, "010.0.0.1", false}));

TEST(TcpServer, ListEditingAndShowing)
{
    CTcpServerSocket s(false);
    s.AddIP("10.0.0.1");
    s.AddIP("10.0.0.1");
    s.AddIP("10.0.0.3");
    s.DeleteIP("10.0.0.1");
    EXPECT_FALSE(s.IsAllowIP("10.0.0.1"));
    EXPECT_TRUE(s.IsAllowIP("10.0.0.3"));

    testing::internal::CaptureStdout();
    s.ShowIP();
    s.SetAllowFlag(1);
    s.ShowIP();
    s.SetAllowFlag(5);
    s.ShowIP();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "The allow ip address list:\n10.0.0.3\n"
              "The reject ip address list:\n10.0.0.3\n"
              "10.0.0.3\n");
    s.ClearIP();
    EXPECT_TRUE(s.IsAllowIP("10.0.0.1"));
}

TEST(TcpServer, AcceptedPeerIsCheckedAgainstTheList)
{
    Listener l;
    CTcpSocket c;
    ASSERT_TRUE(c.Connect("127.0.0.1", l.port));
    CTcpSocket a = l.AcceptOne();
    ASSERT_TRUE(a.IsValidSocket());
    int reuse = 0;
    socklen_t len = sizeof reuse;
    ASSERT_EQ(::getsockopt(static_cast<int>(a.GetHandle()), SOL_SOCKET, SO_REUSEADDR, &reuse, &len), 0);
    EXPECT_EQ(reuse, 1);
    std::string ip;
    unsigned short port = 0;
    ASSERT_TRUE(a.GetRemoteInfo(ip, port));
    l.server.AddIP("127.0.0.1");
    EXPECT_TRUE(l.server.IsAllowIP(ip));
    l.server.SetAllowFlag(1);
    EXPECT_FALSE(l.server.IsAllowIP(ip));
    a.CloseSocket();
    c.CloseSocket();
}

// ---- host queries ----

TEST(HostQueries, NameAndAddresses)
{
    EXPECT_FALSE(CBaseSocket::GetHostName().empty());

    std::vector<std::string> out{"kept"};
    CBaseSocket::GetHostAllIP("localhost", out);
    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(out[0], "kept");
    EXPECT_TRUE(std::find(out.begin(), out.end(), "127.0.0.1") != out.end() ||
                std::find(out.begin(), out.end(), "::1") != out.end());

    out.clear();
    CBaseSocket::GetHostAllIP("127.0.0.1", out);
    EXPECT_EQ(out, std::vector<std::string>{"127.0.0.1"});  // one entry, not one per type
    out.clear();
    CBaseSocket::GetHostAllIP("::1", out);
    EXPECT_EQ(out, std::vector<std::string>{"::1"});
    out.clear();
    CBaseSocket::GetHostAllIP("", out);
    EXPECT_TRUE(out.empty());
}

TEST(HostQueries, MacAddressesAreFormatted)
{
    for (const bool dashes : {false, true}) {
        std::vector<std::string> names{"x"}, macs{"y"};
        CBaseSocket::GetHostAllMac(names, macs, dashes);
        ASSERT_EQ(names.size(), macs.size());
        if (macs.size() == 1) GTEST_SKIP() << "no network adapter with a hardware address here";
        for (std::size_t i = 1; i < macs.size(); ++i) {
            const std::string& m = macs[i];
            ASSERT_EQ(m.size(), dashes ? 17u : 12u) << m;
            for (std::size_t k = 0; k < m.size(); ++k) {
                if (dashes && k % 3 == 2)
                    EXPECT_EQ(m[k], '-') << m;
                else
                    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(m[k])) ||
                                (m[k] >= 'A' && m[k] <= 'F'))
                        << m;
            }
            EXPECT_FALSE(names[i].empty());
        }
    }
}

// ---- readiness, options and flags ----

TEST_F(TcpPair, ReadinessWaits)
{
    EXPECT_EQ(client.CanSend(0, 0, true), 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(peer.CanReceive(0, 100000), 0);
    EXPECT_GE(ElapsedMs(start), 99);
    ASSERT_EQ(client.Send("a", 1, 0), 1);
    EXPECT_EQ(peer.CanReceive(1, 0), 1);
    EXPECT_EQ(peer.CanReceive(-5, -5), 1);  // negative times do not wait
}

TEST_F(TcpPair, WaitsWorkOnDescriptorsAboveTheSelectLimit)
{
    rlimit lim{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &lim), 0);
    constexpr int kHigh = 1500;
    if (lim.rlim_cur <= kHigh) {
        rlimit raised = lim;
        raised.rlim_cur = std::min<rlim_t>(lim.rlim_max, 2048);
        if (raised.rlim_cur <= kHigh || ::setrlimit(RLIMIT_NOFILE, &raised) != 0)
            GTEST_SKIP() << "cannot open descriptors above " << kHigh;
    }
    const int high = ::fcntl(static_cast<int>(peer.GetHandle()), F_DUPFD_CLOEXEC, kHigh);
    ASSERT_GE(high, kHigh);
    CTcpSocket big(static_cast<unsigned int>(high));
    EXPECT_EQ(big.CanReceive(0, 20000), 0);
    ASSERT_EQ(client.Send("abc", 3, 0), 3);
    char buf[8] = {};
    unsigned int n = 0;
    EXPECT_TRUE(big.Receive_n_timeout(buf, 3, 500, n, nullptr));
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(big.CanSend(1, 0, true), 1);
    big.CloseSocket();
    ::setrlimit(RLIMIT_NOFILE, &lim);
}

TEST_F(TcpPair, WindowsMessageFlagsKeepTheirMeaning)
{
    ASSERT_EQ(client.Send(std::string("hello"), 0), 6);  // the text and its zero
    char buf[16] = {};
    // 2 = MSG_PEEK: the data stay queued.
    ASSERT_EQ(peer.ReceiveWithTimeout(buf, 6, 1, 0, 2), 6);
    EXPECT_STREQ(buf, "hello");
    std::memset(buf, 0, sizeof buf);
    // 8 = MSG_WAITALL: one call returns all six bytes.
    EXPECT_EQ(peer.Receive(buf, 6, 8), 6);
    EXPECT_STREQ(buf, "hello");
    EXPECT_EQ(peer.CanReceive(0, 0), 0);
}

TEST_F(TcpPair, NonBlockingReceiveIsATransientError)
{
    ASSERT_TRUE(peer.SetBlockMode(false));
    char c;
    EXPECT_EQ(peer.Receive(&c, 1, 0), -1);
    EXPECT_FALSE(peer.HasSocketErr());
    ASSERT_TRUE(peer.SetBlockMode(true));
}

int IntOption(const CBaseSocket& s, int level, int name)
{
    int v = -1;
    socklen_t len = sizeof v;
    EXPECT_EQ(::getsockopt(static_cast<int>(s.GetHandle()), level, name, &v, &len), 0);
    return v;
}

TEST(SocketOptions, WindowsNumbersMapToTheirPosixMeaning)
{
    CTcpSocket s(true, false);
    const int one = 1;
    const char* on = reinterpret_cast<const char*>(&one);
    ASSERT_EQ(IntOption(s, SOL_SOCKET, SO_REUSEADDR), 0);
    EXPECT_EQ(s.SetSockOpt(0xFFFF, 0x4, on, 4), 0);
    EXPECT_EQ(IntOption(s, SOL_SOCKET, SO_REUSEADDR), 1);
    EXPECT_EQ(s.SetSockOpt(0xFFFF, 0x8, on, 4), 0);
    EXPECT_EQ(IntOption(s, SOL_SOCKET, SO_KEEPALIVE), 1);
    EXPECT_EQ(s.SetSockOpt(6, 1, on, 4), 0);
    EXPECT_EQ(IntOption(s, IPPROTO_TCP, TCP_NODELAY), 1);
    const int ttl = 17;
    EXPECT_EQ(s.SetSockOpt(0, 4, reinterpret_cast<const char*>(&ttl), 4), 0);
    EXPECT_EQ(IntOption(s, IPPROTO_IP, IP_TTL), 17);
    const int tos = 0x10;
    EXPECT_EQ(s.SetSockOpt(0, 3, reinterpret_cast<const char*>(&tos), 4), 0);
    EXPECT_EQ(IntOption(s, IPPROTO_IP, IP_TOS), 0x10);

    // Windows' 4-byte linger {on, seconds} and millisecond time-outs.
    const unsigned short lingerOn[2] = {1, 3};
    EXPECT_EQ(s.SetSockOpt(0xFFFF, 0x80, reinterpret_cast<const char*>(lingerOn), 4), 0);
    linger l{};
    socklen_t len = sizeof l;
    ASSERT_EQ(::getsockopt(static_cast<int>(s.GetHandle()), SOL_SOCKET, SO_LINGER, &l, &len), 0);
    EXPECT_EQ(l.l_onoff, 1);
    EXPECT_EQ(l.l_linger, 3);
    EXPECT_EQ(s.SetSockOpt(0xFFFF, ~0x80, on, 4), 0);  // SO_DONTLINGER
    ASSERT_EQ(::getsockopt(static_cast<int>(s.GetHandle()), SOL_SOCKET, SO_LINGER, &l, &len), 0);
    EXPECT_EQ(l.l_onoff, 0);

    const unsigned int ms = 1500;
    EXPECT_EQ(s.SetSockOpt(0xFFFF, 0x1006, reinterpret_cast<const char*>(&ms), 4), 0);
    timeval tv{};
    len = sizeof tv;
    ASSERT_EQ(::getsockopt(static_cast<int>(s.GetHandle()), SOL_SOCKET, SO_RCVTIMEO, &tv, &len), 0);
    EXPECT_EQ(tv.tv_sec, 1);
    EXPECT_EQ(tv.tv_usec, 500000);

    EXPECT_EQ(s.SetSockOpt(0xFFFF, 0x4, nullptr, 4), -1);
    EXPECT_EQ(s.SetSockOpt(0xFFFF, 0x4, on, -1), -1);
    s.CloseSocket();
}

// ---- a peer that resets ----

TEST_F(TcpPair, NoLingerResetsThePeerAndSendingToItFailsWithoutASignal)
{
    client.SetNoLinger();
    client.CloseSocket();
    char c;
    EXPECT_EQ(peer.ReceiveWithTimeout(&c, 1, 2, 0, 0), -1);
    EXPECT_EQ(errno, ECONNRESET);
    EXPECT_TRUE(peer.HasSocketErr());
    // Writing to a reset connection is an error result, never SIGPIPE.
    int r = 0;
    for (int i = 0; i < 3 && r >= 0; ++i) r = peer.Send("abc", 3, 0);
    EXPECT_EQ(r, -1);
}

}  // namespace
