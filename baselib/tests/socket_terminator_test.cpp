// Reads up to a terminator over a loopback pair: terminators split across
// writes and across earlier and new data, full buffers, idle and closing
// peers, zero bytes in the data, and refused arguments.
#include "socket_fixture.h"

#include <gravik/socket.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

using namespace sockettest;

namespace {

// Sends the pieces with a pause between them, so that they arrive in
// separate reads.
class SlowWriter {
public:
    SlowWriter(CTcpSocket& s, std::vector<std::string> pieces)
        : m_thread([&s, pieces] {
              for (const auto& p : pieces) {
                  s.Send(p.data(), p.size(), 0);
                  std::this_thread::sleep_for(std::chrono::milliseconds(80));
              }
          })
    {
    }
    ~SlowWriter() { m_thread.join(); }

private:
    std::thread m_thread;
};

struct SplitCase {
    std::vector<std::string> pieces;
    const char* terminator;
    int offset;  // of the terminator in the data
};

class TerminatorStr : public TcpPair, public ::testing::WithParamInterface<SplitCase> {};

TEST_P(TerminatorStr, FoundAcrossWrites)
{
    const auto& c = GetParam();
    std::string all;
    for (const auto& p : c.pieces) all += p;
    std::vector<char> buf(64, '#');
    int received = -1;
    char* found = nullptr;
    bool ok;
    {
        SlowWriter w(client, c.pieces);
        ok = peer.ReadForTerminalStr(buf.data(), 64, 2000, c.terminator, received, nullptr, found);
    }
    ASSERT_TRUE(ok);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found - buf.data(), c.offset);
    EXPECT_EQ(std::memcmp(found, c.terminator, std::strlen(c.terminator)), 0);
    EXPECT_GE(received, c.offset + static_cast<int>(std::strlen(c.terminator)));
    EXPECT_EQ(std::string(buf.data(), received), all.substr(0, received));
    EXPECT_EQ(buf[received], '\0');
}

INSTANTIATE_TEST_SUITE_P(
    Splits, TerminatorStr,
    ::testing::Values(SplitCase{{"AB\r", "\nCD"}, "\r\n", 2},
                      SplitCase{{"OK", "\r", "\n"}, "\r\n", 2},
                      SplitCase{{"line\r\n"}, "\r\n", 4},
                      SplitCase{{"ab", "cEN", "D", "xyz"}, "END", 3},
                      SplitCase{{"E", "N", "D"}, "END", 0},
                      SplitCase{{"EEE", "ND"}, "END", 2},
                      SplitCase{{std::string("a\0b", 3), "\r\n"}, "\r\n", 3}));

TEST_F(TcpPair, TerminatorInTheEarlierBytesNeedsNoRead)
{
    // The caller keeps "xy\r\nz" in front of the buffer in one block.
    std::vector<char> block(5 + 16, '#');
    std::memcpy(block.data(), "xy\r\nz", 5);
    char* buffer = block.data() + 5;
    int received = -1;
    char* found = nullptr;
    ASSERT_TRUE(peer.ReadForTerminalStr(buffer, 16, 1000, "\r\n", received, block.data(), found));
    EXPECT_EQ(found, block.data() + 2);
    EXPECT_EQ(received, 0);
    EXPECT_EQ(buffer[0], '\0');
}

TEST_F(TcpPair, TerminatorSplitBetweenEarlierBytesAndNewData)
{
    std::vector<char> block(4 + 16, '#');
    std::memcpy(block.data(), "abc\r", 4);
    char* buffer = block.data() + 4;
    ASSERT_EQ(client.Send("\nrest", 5, 0), 5);
    int received = -1;
    char* found = nullptr;
    ASSERT_TRUE(peer.ReadForTerminalStr(buffer, 16, 1000, "\r\n", received, block.data(), found));
    EXPECT_EQ(found, block.data() + 3);
    EXPECT_EQ(received, 5);

    unsigned char bytes[4 + 16] = {'a', 'b', 'c', 0x0D};
    ASSERT_EQ(client.Send("\nmore", 5, 0), 5);
    const unsigned char crlf[] = {0x0D, 0x0A};
    int offset = 0;
    ASSERT_TRUE(peer.ReadForTerminalBytes(bytes + 4, 16, 1000, crlf, 2, received, bytes, offset));
    EXPECT_EQ(offset, -1);  // one byte before the buffer
    EXPECT_EQ(received, 5);
}

TEST_F(TcpPair, FullBufferStopsWithoutWritingPastIt)
{
    ASSERT_EQ(client.Send("0123456789", 10, 0), 10);
    std::vector<char> buf(8 + 8, '#');
    int received = -1;
    char* found = reinterpret_cast<char*>(1);
    EXPECT_FALSE(peer.ReadForTerminalStr(buf.data(), 8, 1000, "\r\n", received, nullptr, found));
    EXPECT_EQ(received, 7);  // room is kept for the zero byte
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(std::string(buf.data(), 7), "0123456");
    EXPECT_EQ(buf[7], '\0');
    for (std::size_t i = 8; i < buf.size(); ++i) EXPECT_EQ(buf[i], '#') << i;

    std::vector<unsigned char> bytes(8 + 8, '#');
    const unsigned char end[] = {'!'};
    int offset = 5;
    EXPECT_FALSE(peer.ReadForTerminalBytes(bytes.data(), 3, 1000, end, 1, received, nullptr, offset));
    EXPECT_EQ(received, 3);
    EXPECT_EQ(offset, -1);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "789");
    for (std::size_t i = 3; i < bytes.size(); ++i) EXPECT_EQ(bytes[i], '#') << i;
}

TEST_F(TcpPair, IdlePeerTimesOut)
{
    ASSERT_EQ(client.Send("partial", 7, 0), 7);
    char buf[32];
    int received = -1;
    char* found = nullptr;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(peer.ReadForTerminalStr(buf, sizeof buf, 200, "\n", received, buf, found));
    const long long ms = ElapsedMs(start);
    EXPECT_EQ(received, 7);
    EXPECT_GE(ms, 190);
    EXPECT_LT(ms, 2000);
}

TEST_F(TcpPair, ClosingPeerEndsTheReadBeforeTheTimeout)
{
    ASSERT_EQ(client.Send("no end", 6, 0), 6);
    client.CloseSocket();
    unsigned char buf[32];
    const unsigned char end[] = {'\n'};
    int received = -1, offset = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(peer.ReadForTerminalBytes(buf, sizeof buf, 10000, end, 1, received, buf, offset));
    EXPECT_EQ(received, 6);
    EXPECT_LT(ElapsedMs(start), 2000);
}

TEST_F(TcpPair, BytesTerminatorSplitAndNoZeroWritten)
{
    const std::string a("\x01\x02\xAA", 3), b("\xBB\xCC\x07", 3);
    std::vector<unsigned char> buf(32, '#');
    const unsigned char end[] = {0xAA, 0xBB, 0xCC};
    int received = -1, offset = 0;
    bool ok;
    {
        SlowWriter w(client, {a, b});
        ok = peer.ReadForTerminalBytes(buf.data(), 32, 2000, end, 3, received, nullptr, offset);
    }
    ASSERT_TRUE(ok);
    EXPECT_EQ(offset, 2);
    EXPECT_EQ(received, 6);
    EXPECT_EQ(buf[6], '#');
}

TEST_F(TcpPair, RefusedArguments)
{
    char buf[16];
    unsigned char bytes[16];
    const unsigned char end[] = {'\n'};
    int received = 5, offset = 5;
    char* found = buf;
    EXPECT_FALSE(peer.ReadForTerminalStr(nullptr, 16, 100, "\n", received, nullptr, found));
    EXPECT_EQ(received, 0);
    EXPECT_EQ(found, nullptr);
    EXPECT_FALSE(peer.ReadForTerminalStr(buf, 0, 100, "\n", received, nullptr, found));
    EXPECT_FALSE(peer.ReadForTerminalStr(buf, 16, 100, "", received, nullptr, found));
    EXPECT_FALSE(peer.ReadForTerminalStr(buf, 16, 100, nullptr, received, nullptr, found));
    EXPECT_FALSE(peer.ReadForTerminalStr(buf, 16, 100, "\n", received, buf + 1, found));
    EXPECT_FALSE(peer.ReadForTerminalBytes(bytes, 16, 100, end, 0, received, nullptr, offset));
    EXPECT_FALSE(peer.ReadForTerminalBytes(bytes, 16, 100, nullptr, 1, received, nullptr, offset));
    EXPECT_FALSE(peer.ReadForTerminalBytes(bytes, 16, 100, end, 1, received, bytes + 2, offset));
    EXPECT_EQ(offset, -1);
    CTcpSocket none(false);
    EXPECT_FALSE(none.ReadForTerminalStr(buf, 16, 100, "\n", received, nullptr, found));
}

}  // namespace
