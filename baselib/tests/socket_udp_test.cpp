// UDP round trips over loopback through each destination form, peers,
// refused arguments, and joining and leaving a multicast group on lo.
#include <gravik/socket.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <string>

namespace {

unsigned short BoundPort(CUdpSocket& s)
{
    EXPECT_TRUE(s.Bind(0, "127.0.0.1"));
    std::string ip;
    unsigned short port = 0;
    EXPECT_TRUE(s.GetLocalInfo(ip, port));
    return port;
}

class UdpPair : public ::testing::Test {
protected:
    void SetUp() override
    {
        serverPort = BoundPort(server);
        clientPort = BoundPort(client);
    }
    void TearDown() override
    {
        server.CloseSocket();
        client.CloseSocket();
    }

    CUdpSocket server;
    CUdpSocket client;
    unsigned short serverPort = 0;
    unsigned short clientPort = 0;
};

TEST_F(UdpPair, RoundTripThroughEachDestinationForm)
{
    ASSERT_EQ(client.SendTo("ping", 4, "127.0.0.1", serverPort, 0), 4);
    ASSERT_EQ(server.CanReceive(2, 0), 1);
    char buf[32] = {};
    CRemotePeer from;
    ASSERT_EQ(server.ReceiveFrom(buf, sizeof buf, &from, 0), 4);
    EXPECT_EQ(std::string(buf, 4), "ping");
    std::string ip;
    unsigned short port = 0;
    from.GetPeerInfo(ip, port);
    EXPECT_EQ(ip, "127.0.0.1");
    EXPECT_EQ(port, clientPort);
    EXPECT_EQ(from.GetLength(), 16);

    // Reply to the peer as received, then as a text with its zero byte.
    ASSERT_EQ(server.SendTo("pong", 4, from, 0), 4);
    ASSERT_EQ(server.SendTo(std::string("text"), from, 0), 5);
    ASSERT_EQ(client.CanReceive(2, 0), 1);
    EXPECT_EQ(client.ReceiveFrom(buf, sizeof buf, static_cast<CRemotePeer*>(nullptr), 0), 4);
    EXPECT_EQ(std::string(buf, 4), "pong");
    ASSERT_EQ(client.CanReceive(2, 0), 1);
    sockaddr_in raw{};
    int rawLength = sizeof raw;
    ASSERT_EQ(client.ReceiveFrom(buf, sizeof buf, reinterpret_cast<sockaddr*>(&raw), &rawLength, 0), 5);
    EXPECT_STREQ(buf, "text");
    EXPECT_EQ(rawLength, 16);
    EXPECT_EQ(ntohs(raw.sin_port), serverPort);

    // To a raw socket address, and the text forms of the other two.
    CRemotePeer target("127.0.0.1", serverPort);
    ASSERT_EQ(client.SendTo("raw", 3, target.GetAddress(), 0), 3);
    ASSERT_EQ(client.SendTo(std::string("s1"), "127.0.0.1", serverPort, 0), 3);
    ASSERT_EQ(client.SendTo(std::string("s2"), target.GetAddress(), 0), 3);
    for (const char* expected : {"raw", "s1", "s2"}) {
        ASSERT_EQ(server.CanReceive(2, 0), 1);
        std::memset(buf, 0, sizeof buf);
        const int n = server.ReceiveFrom(buf, sizeof buf, static_cast<CRemotePeer*>(nullptr), 0);
        EXPECT_EQ(std::string(buf), expected);
        EXPECT_EQ(n, static_cast<int>(std::strlen(expected) + (expected[0] == 's' ? 1 : 0)));
    }
}

TEST_F(UdpPair, AWindowsPeekLeavesTheDatagramQueued)
{
    ASSERT_EQ(client.SendTo("abc", 3, "127.0.0.1", serverPort, 0), 3);
    ASSERT_EQ(server.CanReceive(2, 0), 1);
    char buf[8] = {};
    EXPECT_EQ(server.ReceiveFrom(buf, 8, static_cast<CRemotePeer*>(nullptr), 2), 3);
    EXPECT_EQ(server.ReceiveFrom(buf, 8, static_cast<CRemotePeer*>(nullptr), 0), 3);
    EXPECT_EQ(server.CanReceive(0, 0), 0);
}

TEST_F(UdpPair, RefusedArguments)
{
    char buf[8];
    EXPECT_EQ(client.SendTo("abc", -1, "127.0.0.1", serverPort, 0), -1);
    EXPECT_EQ(client.SendTo("abc", 3, "127.0.0.256", serverPort, 0), -1);
    EXPECT_EQ(client.SendTo("abc", 3, static_cast<const sockaddr*>(nullptr), 0), -1);
    CRemotePeer bad("not an address", serverPort);
    EXPECT_EQ(client.SendTo("abc", 3, bad, 0), -1);
    std::string ip;
    unsigned short port = 1;
    bad.GetPeerInfo(ip, port);
    EXPECT_EQ(ip, "0.0.0.0");
    EXPECT_EQ(port, 0);
    EXPECT_EQ(server.ReceiveFrom(buf, -1, static_cast<CRemotePeer*>(nullptr), 0), -1);
    sockaddr_in raw{};
    EXPECT_EQ(server.ReceiveFrom(buf, 8, reinterpret_cast<sockaddr*>(&raw), nullptr, 0), -1);
    CUdpSocket none(false);
    EXPECT_EQ(none.SendTo("abc", 3, "127.0.0.1", serverPort, 0), -1);
    EXPECT_EQ(none.ReceiveFrom(buf, 8, static_cast<CRemotePeer*>(nullptr), 0), -1);
    EXPECT_EQ(none.ShutDown(2), -1);
}

TEST(RemotePeer, CopiesKeepTheAddress)
{
    CRemotePeer a("10.1.2.3", 4567);
    CRemotePeer b(a);
    CRemotePeer c;
    std::string ip;
    unsigned short port = 0;
    c.GetPeerInfo(ip, port);
    EXPECT_EQ(ip, "0.0.0.0");
    c = b;
    c.GetPeerInfo(ip, port);
    EXPECT_EQ(ip, "10.1.2.3");
    EXPECT_EQ(port, 4567);
}

// ---- multicast on the loopback interface ----

constexpr const char* kGroup = "239.255.42.99";

TEST(Multicast, JoinReceiveAndLeaveOnLoopback)
{
    CMulticastSocket receiver;
    if (!receiver.JoinGroup("127.0.0.1", kGroup, 0)) {
        const int e = errno;
        receiver.CloseSocket();
        GTEST_SKIP() << "the kernel refuses multicast on lo: " << std::strerror(e);
    }
    std::string ip;
    unsigned short port = 0;
    ASSERT_TRUE(receiver.GetLocalInfo(ip, port));

    CUdpSocket sender;
    // Windows numbers: IP_MULTICAST_IF 9 and IP_MULTICAST_LOOP 11.
    in_addr lo{};
    lo.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(sender.SetSockOpt(0, 9, reinterpret_cast<const char*>(&lo), sizeof lo), 0);
    const int one = 1;
    ASSERT_EQ(sender.SetSockOpt(0, 11, reinterpret_cast<const char*>(&one), sizeof one), 0);
    if (sender.SendTo("hello group", 11, kGroup, port, 0) != 11) {
        const int e = errno;
        receiver.CloseSocket();
        sender.CloseSocket();
        GTEST_SKIP() << "the kernel refuses multicast sends on lo: " << std::strerror(e);
    }
    ASSERT_EQ(receiver.CanReceive(2, 0), 1);
    char buf[32] = {};
    EXPECT_EQ(receiver.ReceiveFrom(buf, sizeof buf, static_cast<CRemotePeer*>(nullptr), 0), 11);
    EXPECT_EQ(std::string(buf), "hello group");
    // The socket is non-blocking once it has joined.
    EXPECT_EQ(receiver.ReceiveFrom(buf, sizeof buf, static_cast<CRemotePeer*>(nullptr), 0), -1);
    EXPECT_TRUE(errno == EAGAIN || errno == EWOULDBLOCK);

    EXPECT_TRUE(receiver.QuitGroup(kGroup));
    EXPECT_FALSE(receiver.QuitGroup(kGroup));  // no longer a member
    ASSERT_EQ(sender.SendTo("after", 5, kGroup, port, 0), 5);
    EXPECT_EQ(receiver.CanReceive(0, 200000), 0);
    receiver.CloseSocket();
    sender.CloseSocket();
}

TEST(Multicast, RefusedGroups)
{
    CMulticastSocket s;
    EXPECT_FALSE(s.JoinGroup("127.0.0.1", "not a group", 0));
    EXPECT_FALSE(s.JoinGroup("nowhere", kGroup, 0));
    EXPECT_FALSE(s.JoinGroup("127.0.0.1", "127.0.0.1", 0));  // not a multicast address
    EXPECT_FALSE(s.QuitGroup(nullptr));
    s.CloseSocket();
    CMulticastSocket none(false);
    EXPECT_FALSE(none.JoinGroup(nullptr, kGroup, 0));
    EXPECT_FALSE(none.QuitGroup(kGroup));
}

}  // namespace
