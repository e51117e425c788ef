// Loopback helpers for the socket tests: a listening server on an ephemeral
// port and a connected pair, a stopwatch, and a flag cleared from another
// thread after a delay.
#ifndef GRAVIK_TESTS_SOCKET_FIXTURE_H
#define GRAVIK_TESTS_SOCKET_FIXTURE_H

#include <gravik/socket.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace sockettest {

inline long long ElapsedMs(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now() - since)
        .count();
}

// A server listening on 127.0.0.1 with a port the system picked.
struct Listener {
    CTcpServerSocket server{0, 16, "127.0.0.1", true};
    unsigned short port = 0;

    Listener()
    {
        std::string ip;
        EXPECT_TRUE(server.GetLocalInfo(ip, port));
    }
    ~Listener() { server.CloseSocket(); }

    // Accepts one pending connection, waiting at most two seconds.
    CTcpSocket AcceptOne()
    {
        if (server.CanReceive(2, 0) != 1) return CTcpSocket(false);
        return server.Accept();
    }
};

// A connected client/server pair over loopback; both closed at the end.
class TcpPair : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(client.IsValidSocket());
        ASSERT_TRUE(client.Connect("127.0.0.1", listener.port, 2, true, nullptr));
        peer = listener.AcceptOne();
        ASSERT_TRUE(peer.IsValidSocket());
    }
    void TearDown() override
    {
        client.CloseSocket();
        peer.CloseSocket();
    }

    Listener listener;
    CTcpSocket client;
    CTcpSocket peer{false};
};

// Clears a keep-running flag from another thread after `delayMs`.
class FlagClearer {
public:
    FlagClearer(bool& flag, int delayMs)
        : m_thread([&flag, delayMs] {
              std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
              __atomic_store_n(&flag, false, __ATOMIC_RELEASE);
          })
    {
    }
    ~FlagClearer() { m_thread.join(); }

private:
    std::thread m_thread;
};

}  // namespace sockettest

#endif  // GRAVIK_TESTS_SOCKET_FIXTURE_H
