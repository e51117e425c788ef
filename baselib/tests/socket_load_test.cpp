// Load over loopback: one server thread accepts 200 concurrent clients and
// reads 100 length-prefixed messages from each with AutoReceiveMsg; every
// message must arrive exactly once, in order per connection, intact. The
// run is bounded in count and in time and prints its rate.
#include <gravik/socket.h>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace {

constexpr int kClients = 200;
constexpr int kMessages = 100;
constexpr int kClientThreads = 8;
constexpr auto kDeadline = std::chrono::seconds(30);

unsigned char PayloadByte(std::uint32_t client, std::uint32_t seq, std::size_t i)
{
    return static_cast<unsigned char>(client * 31 + seq * 7 + i);
}

// Header (network order, body length), client id, sequence, payload.
std::vector<char> Message(std::uint32_t client, std::uint32_t seq)
{
    const std::size_t payload = seq % 50;
    std::vector<char> m(12 + payload);
    const std::uint32_t fields[3] = {htonl(static_cast<std::uint32_t>(8 + payload)), htonl(client),
                                     htonl(seq)};
    std::memcpy(m.data(), fields, 12);
    for (std::size_t i = 0; i < payload; ++i)
        m[12 + i] = static_cast<char>(PayloadByte(client, seq, i));
    return m;
}

TEST(SocketLoad, TwoHundredClientsAHundredMessagesEach)
{
    CTcpServerSocket server(0, kClients + 16, "127.0.0.1", true);
    std::string ip;
    unsigned short port = 0;
    ASSERT_TRUE(server.GetLocalInfo(ip, port));

    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + kDeadline;
    bool running = true;  // cleared when the deadline passes, so nothing waits past it

    std::vector<std::vector<int>> seen(kClients, std::vector<int>(kMessages, 0));
    std::atomic<int> bad{0};
    std::atomic<int> outOfOrder{0};
    int received = 0;
    int accepted = 0;

    std::thread serverThread([&] {
        std::vector<CTcpSocket> peers;
        std::vector<int> nextSeq;
        while (accepted < kClients && std::chrono::steady_clock::now() < deadline) {
            if (server.CanReceive(0, 100000) != 1) continue;
            CTcpSocket p = server.Accept();
            if (!p.IsValidSocket()) continue;
            if (!server.IsAllowIP("127.0.0.1")) ++bad;
            peers.push_back(p);
            ++accepted;
        }
        // Connections whose client knows its id only after the first message.
        std::vector<int> owner(peers.size(), -1);
        char buf[128];
        const int total = kClients * kMessages;
        while (received < total && std::chrono::steady_clock::now() < deadline) {
            bool any = false;
            for (std::size_t i = 0; i < peers.size(); ++i) {
                if (!peers[i].IsValidSocket() || peers[i].CanReceive(0, 0) != 1) continue;
                any = true;
                unsigned int got = 0;
                if (!peers[i].AutoReceiveMsg(buf, sizeof buf, got, false, true, &running)) {
                    peers[i].CloseSocket();  // end of stream or a broken message
                    continue;
                }
                std::uint32_t fields[2];
                std::memcpy(fields, buf + 4, 8);
                const std::uint32_t client = ntohl(fields[0]);
                const std::uint32_t seq = ntohl(fields[1]);
                if (client >= static_cast<std::uint32_t>(kClients) ||
                    seq >= static_cast<std::uint32_t>(kMessages) || got != 12 + seq % 50) {
                    ++bad;
                    continue;
                }
                for (std::size_t k = 0; k < seq % 50; ++k)
                    if (static_cast<unsigned char>(buf[12 + k]) != PayloadByte(client, seq, k)) {
                        ++bad;
                        break;
                    }
                if (owner[i] < 0) owner[i] = static_cast<int>(client);
                if (owner[i] != static_cast<int>(client)) ++bad;
                if (seq != 0 && seen[client][seq - 1] == 0) ++outOfOrder;
                ++seen[client][seq];
                ++received;
            }
            if (!any) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        for (auto& p : peers) p.CloseSocket();
    });

    std::vector<std::thread> clients;
    std::atomic<int> sendFailures{0};
    for (int t = 0; t < kClientThreads; ++t) {
        clients.emplace_back([&, t] {
            std::vector<CTcpSocket> conns;
            std::vector<std::uint32_t> ids;
            for (int c = t; c < kClients; c += kClientThreads) {
                CTcpSocket s;
                if (!s.Connect("127.0.0.1", port, 10, true, &running)) {
                    ++sendFailures;
                    s.CloseSocket();
                    continue;
                }
                conns.push_back(s);
                ids.push_back(static_cast<std::uint32_t>(c));
            }
            for (std::uint32_t seq = 0; seq < static_cast<std::uint32_t>(kMessages); ++seq)
                for (std::size_t k = 0; k < conns.size(); ++k) {
                    const auto m = Message(ids[k], seq);
                    unsigned int sent = 0;
                    if (!conns[k].Send_n_timeout(m.data(), m.size(), 10000, sent, &running))
                        ++sendFailures;
                }
            // Keep the connections open until the server has read everything.
            for (auto& s : conns) {
                char c;
                s.ReceiveWithTimeout(&c, 1, 30, 0, 0);
                s.CloseSocket();
            }
        });
    }

    serverThread.join();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    __atomic_store_n(&running, false, __ATOMIC_RELEASE);
    for (auto& c : clients) c.join();
    server.CloseSocket();

    EXPECT_EQ(accepted, kClients);
    EXPECT_EQ(sendFailures.load(), 0);
    EXPECT_EQ(bad.load(), 0);
    EXPECT_EQ(outOfOrder.load(), 0);
    EXPECT_EQ(received, kClients * kMessages);
    int missing = 0, duplicated = 0;
    for (const auto& perClient : seen)
        for (const int n : perClient) {
            missing += n == 0;
            duplicated += n > 1;
        }
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(duplicated, 0);

    const double seconds = std::chrono::duration<double>(elapsed).count();
    const double rate = received / seconds;
    std::printf("socket load: %d clients, %d messages in %.3f s: %.0f messages/s\n", accepted,
                received, seconds, rate);
    RecordProperty("messages_per_second", static_cast<int>(rate));
}

}  // namespace
