// Whole-buffer transfers and length-prefixed messages over a loopback pair:
// 10 MB both ways, idle time-outs, keep-running flags, and hostile peers (a
// length larger than the buffer, half a message then silence, a reset).
#include "socket_fixture.h"

#include <gravik/socket.h>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

using namespace sockettest;

namespace {

std::vector<char> Pattern(std::size_t n, unsigned seed)
{
    std::vector<char> v(n);
    std::uint32_t x = seed * 2654435761u + 1;
    for (auto& c : v) {
        x = x * 1664525u + 1013904223u;
        c = static_cast<char>(x >> 24);
    }
    return v;
}

// Fills the client's send path until nothing more fits, so that the next
// send must wait.
void FillUntilBlocked(CTcpSocket& s)
{
    s.SetBlockMode(false);
    std::vector<char> chunk(65536, 'z');
    for (int i = 0; i < 10000 && s.Send(chunk.data(), chunk.size(), 0) > 0; ++i) {
    }
    s.SetBlockMode(true);
}

// ---- whole buffers ----

TEST_F(TcpPair, TenMegabytesEachWayAtOnce)
{
    constexpr std::size_t kSize = 10 * 1024 * 1024;
    const auto up = Pattern(kSize, 1);
    const auto down = Pattern(kSize, 2);
    std::vector<char> gotUp(kSize), gotDown(kSize);
    bool running = true;
    unsigned int sentUp = 0, sentDown = 0, recvUp = 0, recvDown = 0;
    bool okSentUp = false, okSentDown = false, okRecvUp = false;

    std::thread sender([&] { okSentUp = client.Send_n(up.data(), kSize, sentUp, &running); });
    std::thread receiver(
        [&] { okRecvUp = peer.Receive_n_timeout(gotUp.data(), kSize, 5000, recvUp, &running); });
    std::thread backSender(
        [&] { okSentDown = peer.Send_n_timeout(down.data(), kSize, 5000, sentDown, nullptr); });
    const bool okRecvDown = client.Receive_n(gotDown.data(), kSize, recvDown, nullptr);
    sender.join();
    receiver.join();
    backSender.join();

    EXPECT_TRUE(okSentUp && okSentDown && okRecvUp && okRecvDown);
    EXPECT_EQ(sentUp, kSize);
    EXPECT_EQ(recvUp, kSize);
    EXPECT_EQ(sentDown, kSize);
    EXPECT_EQ(recvDown, kSize);
    EXPECT_TRUE(gotUp == up);
    EXPECT_TRUE(gotDown == down);
}

TEST_F(TcpPair, ZeroLengthIsDoneAtOnceAndNullDataIsRefused)
{
    unsigned int n = 9;
    EXPECT_TRUE(client.Send_n(nullptr, 0, n, nullptr));
    EXPECT_EQ(n, 0u);
    EXPECT_TRUE(peer.Receive_n_timeout(nullptr, 0, 0, n, nullptr));
    EXPECT_FALSE(client.Send_n(nullptr, 5, n, nullptr));
    EXPECT_FALSE(peer.Receive_n(nullptr, 5, n, nullptr));
}

TEST_F(TcpPair, SendTimeoutZeroOnAFullSocketWaitsOneSlice)
{
    FillUntilBlocked(client);
    unsigned int sent = 99;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(client.Send_n_timeout("abc", 3, 0, sent, nullptr));
    const long long ms = ElapsedMs(start);
    EXPECT_EQ(sent, 0u);
    EXPECT_GE(ms, 45);
    EXPECT_LT(ms, 1000);
}

TEST_F(TcpPair, ReceiveTimeoutReportsWhatArrived)
{
    ASSERT_EQ(client.Send("abc", 3, 0), 3);
    char buf[10];
    unsigned int got = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(peer.Receive_n_timeout(buf, sizeof buf, 120, got, nullptr));
    const long long ms = ElapsedMs(start);
    EXPECT_EQ(got, 3u);
    EXPECT_EQ(std::string(buf, 3), "abc");
    EXPECT_GE(ms, 140);  // three empty 50-ms slices, plus the first round
    EXPECT_LT(ms, 2000);
}

TEST_F(TcpPair, PeerClosingMidwayGivesTheCountSoFar)
{
    ASSERT_EQ(client.Send("12345", 5, 0), 5);
    client.CloseSocket();
    char buf[10];
    unsigned int got = 0;
    EXPECT_FALSE(peer.Receive_n(buf, sizeof buf, got, nullptr));
    EXPECT_EQ(got, 5u);
}

TEST_F(TcpPair, PeerResetFailsSendAndReceive)
{
    client.SetNoLinger();
    client.CloseSocket();
    char buf[10];
    unsigned int got = 7;
    EXPECT_FALSE(peer.Receive_n(buf, sizeof buf, got, nullptr));
    EXPECT_EQ(got, 0u);
    std::vector<char> data(1 << 20, 'q');
    unsigned int sent = 0;
    EXPECT_FALSE(peer.Send_n(data.data(), data.size(), sent, nullptr));
    EXPECT_LT(sent, data.size());
}

// Each keep-running form, stopped by a flag that turns false while it waits.
struct StopCase {
    const char* name;
    bool (*call)(CTcpSocket&, char*, unsigned int&, bool*);
};

const StopCase kStopCases[] = {
    {"Receive_n",
     [](CTcpSocket& s, char* b, unsigned int& n, bool* f) { return s.Receive_n(b, 8, n, f); }},
    {"Receive_n_timeout",
     [](CTcpSocket& s, char* b, unsigned int& n, bool* f) {
         return s.Receive_n_timeout(b, 8, 60000, n, f);
     }},
    {"Receive_n_ex",
     [](CTcpSocket& s, char* b, unsigned int& n, bool* f) {
         return s.Receive_n_ex(b, 8, n, {nullptr, f});
     }},
    {"Receive_n_timeout_ex",
     [](CTcpSocket& s, char* b, unsigned int& n, bool* f) {
         static bool always = true;
         return s.Receive_n_timeout_ex(b, 8, 60000, n, {&always, f});
     }},
    {"AutoReceiveMsg",
     [](CTcpSocket& s, char* b, unsigned int& n, bool* f) {
         return s.AutoReceiveMsg(b, 64, n, false, true, f);
     }},
};

class StopByFlag : public TcpPair, public ::testing::WithParamInterface<StopCase> {};

TEST_P(StopByFlag, WithinASlice)
{
    ASSERT_EQ(client.Send("abc", 3, 0), 3);
    char buf[64];
    unsigned int n = 0;
    bool running = true;
    const auto start = std::chrono::steady_clock::now();
    bool ok;
    {
        FlagClearer clear(running, 150);
        ok = GetParam().call(peer, buf, n, &running);
    }
    const long long ms = ElapsedMs(start);
    EXPECT_FALSE(ok);
    EXPECT_EQ(n, 3u);
    EXPECT_GE(ms, 150);
    EXPECT_LT(ms, 1500);

    bool stopped = false;  // false from the start: nothing is read
    n = 9;
    EXPECT_FALSE(GetParam().call(peer, buf, n, &stopped));
    EXPECT_EQ(n, 0u);
}

INSTANTIATE_TEST_SUITE_P(Forms, StopByFlag, ::testing::ValuesIn(kStopCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(TcpPair, SendStopsWhenTheFlagTurnsFalse)
{
    FillUntilBlocked(client);
    bool running = true;
    std::vector<char> data(1 << 20, 'p');
    unsigned int sent = 0;
    const auto start = std::chrono::steady_clock::now();
    bool ok;
    {
        FlagClearer clear(running, 150);
        ok = client.Send_n_ex(data.data(), data.size(), sent, {&running});
    }
    EXPECT_FALSE(ok);
    EXPECT_LT(sent, data.size());
    EXPECT_LT(ElapsedMs(start), 1500);
}

// ---- length-prefixed messages ----

std::string Header(std::uint32_t length, bool networkOrder)
{
    if (networkOrder) length = htonl(length);
    return std::string(reinterpret_cast<const char*>(&length), 4);
}

struct MessageCase {
    bool networkOrder;
    bool includesHeader;
    std::uint32_t field;    // the length written in the header
    unsigned int expected;  // the whole message as reported
};

class AutoReceive : public TcpPair, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(AutoReceive, ReadsOneMessageAndNoMore)
{
    const auto& c = GetParam();
    const std::string body = "0123456789ABCDEF";
    const unsigned int bodyLength = c.expected - 4;
    std::string wire = Header(c.field, c.networkOrder) + body.substr(0, bodyLength) + "NEXT";
    ASSERT_EQ(client.Send(wire.data(), wire.size(), 0), static_cast<int>(wire.size()));

    std::vector<char> buf(c.expected + 1, '#');
    unsigned int received = 0;
    ASSERT_TRUE(peer.AutoReceiveMsg(buf.data(), c.expected, received, c.includesHeader,
                                    c.networkOrder, nullptr));
    EXPECT_EQ(received, c.expected);
    EXPECT_EQ(std::string(buf.data() + 4, bodyLength), body.substr(0, bodyLength));
    EXPECT_EQ(buf[c.expected], '#');
    char next[4];
    unsigned int n = 0;
    ASSERT_TRUE(peer.Receive_n_timeout(next, 4, 1000, n, nullptr));
    EXPECT_EQ(std::string(next, 4), "NEXT");
}

INSTANTIATE_TEST_SUITE_P(Orders, AutoReceive,
                         ::testing::Values(MessageCase{true, true, 10, 10},
                                           MessageCase{true, false, 10, 14},
                                           MessageCase{false, true, 10, 10},
                                           MessageCase{false, false, 10, 14},
                                           MessageCase{true, true, 4, 4},
                                           MessageCase{false, false, 0, 4},
                                           MessageCase{true, false, 16, 20}));

struct RefusedCase {
    const char* name;
    bool includesHeader;
    std::uint32_t field;
    unsigned int size;
};

class AutoReceiveRefuses : public TcpPair, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(AutoReceiveRefuses, WithoutReadingTheBodyOrOverrunning)
{
    const auto& c = GetParam();
    const std::string wire = Header(c.field, true) + "body";
    ASSERT_EQ(client.Send(wire.data(), wire.size(), 0), 8);
    std::vector<char> buf(c.size + 16, '#');
    unsigned int received = 0;
    EXPECT_FALSE(peer.AutoReceiveMsg(buf.data(), c.size, received, c.includesHeader, true, nullptr));
    EXPECT_EQ(received, 4u);
    for (std::size_t i = 4; i < buf.size(); ++i) ASSERT_EQ(buf[i], '#') << i;
    char rest[4];
    unsigned int n = 0;
    ASSERT_TRUE(peer.Receive_n_timeout(rest, 4, 1000, n, nullptr));  // the body is still queued
    EXPECT_EQ(std::string(rest, 4), "body");
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, AutoReceiveRefuses,
    ::testing::Values(RefusedCase{"LargerThanBuffer", false, 100, 64},
                      RefusedCase{"OneByteTooMany", false, 61, 64},
                      RefusedCase{"CountingHeaderTooLarge", true, 65, 64},
                      RefusedCase{"WrapsRoundWithoutHeader", false, 0xFFFFFFFFu, 64},
                      RefusedCase{"WrapsRoundBy4", false, 0xFFFFFFFCu, 64},
                      RefusedCase{"SelfCountBelowHeader", true, 3, 64},
                      RefusedCase{"SelfCountZero", true, 0, 64}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(TcpPair, AutoReceiveWithABufferSmallerThanTheHeaderReadsNothing)
{
    ASSERT_EQ(client.Send("\0\0\0\1x", 5, 0), 5);
    char buf[3 + 8];
    std::memset(buf, '#', sizeof buf);
    unsigned int received = 5;
    EXPECT_FALSE(peer.AutoReceiveMsg(buf, 3, received, false, true, nullptr));
    EXPECT_EQ(received, 0u);
    EXPECT_EQ(buf[0], '#');
    EXPECT_FALSE(peer.AutoReceiveMsg(nullptr, 64, received, false, true, nullptr));
    EXPECT_EQ(peer.CanReceive(0, 0), 1);  // all five bytes still queued
}

TEST_F(TcpPair, AutoReceiveHalfAMessageThenReset)
{
    const std::string wire = Header(10, true) + "abc";
    ASSERT_EQ(client.Send(wire.data(), wire.size(), 0), 7);
    std::thread resetter([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        client.SetNoLinger();
        client.CloseSocket();
    });
    char buf[64];
    unsigned int received = 0;
    bool running = true;
    const bool ok = peer.AutoReceiveMsg(buf, sizeof buf, received, false, true, &running);
    resetter.join();
    EXPECT_FALSE(ok);
    EXPECT_EQ(received, 7u);
}

TEST_F(TcpPair, AutoReceiveStalledAfterTheHeader)
{
    ASSERT_EQ(client.Send(Header(10, false).data(), 4, 0), 4);
    char buf[64];
    unsigned int received = 0;
    bool running = true;
    const auto start = std::chrono::steady_clock::now();
    bool ok;
    {
        FlagClearer clear(running, 150);
        ok = peer.AutoReceiveMsg(buf, sizeof buf, received, false, false, &running);
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(received, 4u);
    EXPECT_LT(ElapsedMs(start), 1500);
}

}  // namespace
