// Serial ports over pseudo-terminal pairs: the library opens the terminal
// side by its path, the test plays the device on the other side. Settings,
// timed reads, end bytes and sequences split across writes, writes and
// purges, a port that disappears, refused handles and values, and the
// ownership of CSerialPort copies.
#include <gravik/serial.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

long long ElapsedMs(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now() - since)
        .count();
}

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

class Pty : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[128] = {};
        int slave = -1;
        ASSERT_EQ(::openpty(&device, &slave, name, nullptr, nullptr), 0);
        path = name;
        // The test's own slave descriptor is not needed: the library opens
        // the path itself. Raw mode so that bytes pass unchanged even before
        // SetupCom.
        termios t{};
        ::tcgetattr(slave, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(slave, TCSANOW, &t);
        ::close(slave);
        port = OpenCom(Wide(path).c_str());
        ASSERT_NE(port, GRAVIK_INVALID_COM) << path;
    }
    void TearDown() override
    {
        CloseCom(port);
        if (device >= 0) ::close(device);
    }

    // The device sends bytes to the port.
    void Send(const std::string& bytes)
    {
        ASSERT_EQ(::write(device, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // What the port has sent to the device, waiting up to `ms` for it.
    std::string Drain(int ms = 300)
    {
        std::string out;
        char buf[4096];
        pollfd p{device, POLLIN, 0};
        while (::poll(&p, 1, ms) == 1) {
            const ssize_t n = ::read(device, buf, sizeof buf);
            if (n <= 0) break;
            out.append(buf, static_cast<std::size_t>(n));
            ms = 50;
        }
        return out;
    }
    termios Settings()
    {
        termios t{};
        const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::tcgetattr(fd, &t), 0);
        ::close(fd);
        return t;
    }

    int device = -1;
    std::string path;
    void* port = GRAVIK_INVALID_COM;
};

// Sends pieces from the device side with pauses, so that they arrive in
// separate reads of the port.
class PacedDevice {
public:
    PacedDevice(int device, std::vector<std::string> pieces, int pauseMs = 150)
        : m_thread([device, pieces, pauseMs] {
              for (const auto& p : pieces) {
                  if (::write(device, p.data(), p.size()) < 0) return;
                  std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
              }
          })
    {
    }
    ~PacedDevice() { m_thread.join(); }

private:
    std::thread m_thread;
};

// ---- opening ----

TEST_F(Pty, OpenIsExclusiveUntilClosed)
{
    EXPECT_EQ(OpenCom(Wide(path).c_str()), GRAVIK_INVALID_COM);
    CloseCom(port);
    port = OpenCom(Wide(path).c_str());
    EXPECT_NE(port, GRAVIK_INVALID_COM);
}

TEST(SerialOpen, RefusesWhatIsNotAPort)
{
    char file[] = "/tmp/gravik_serial_XXXXXX";
    const int fd = ::mkstemp(file);
    ASSERT_GE(fd, 0);
    ::close(fd);
    for (const std::wstring& name :
         {Wide(file), std::wstring(L"/no/such/device"), std::wstring(L""), std::wstring(L"COM0")})
        EXPECT_EQ(OpenCom(name.c_str()), GRAVIK_INVALID_COM);
    EXPECT_EQ(OpenCom(nullptr), GRAVIK_INVALID_COM);
    const wchar_t surrogate[] = {0xD800, 0};
    EXPECT_EQ(OpenCom(surrogate), GRAVIK_INVALID_COM);
    ::unlink(file);
}

TEST_F(Pty, ClassOpensALongNameInFull)
{
    // A path far longer than 15 characters, through a symbolic link.
    char dir[] = "/tmp/gravik_serial_dir_XXXXXX";
    ASSERT_NE(::mkdtemp(dir), nullptr);
    const std::string link = std::string(dir) + "/a-rather-long-serial-adapter-name-port0";
    ASSERT_EQ(::symlink(path.c_str(), link.c_str()), 0);
    CloseCom(port);
    port = GRAVIK_INVALID_COM;
    {
        CSerialPort p;
        EXPECT_TRUE(p.Open(link.c_str()));
        EXPECT_TRUE(p.Setup(9600, 8, 0, 0, 0));
        const unsigned char hi[] = {'h', 'i'};
        EXPECT_EQ(p.Write(hi, 2, 10, 3), 2);
        EXPECT_EQ(Drain(), "hi");
        EXPECT_FALSE(p.Open("/no/such/device"));  // closes the old port first
        EXPECT_FALSE(p.IsOpen());
        EXPECT_FALSE(p.Open(nullptr));
        EXPECT_FALSE(p.Open("\xFF\xFE"));
    }
    ::unlink(link.c_str());
    ::rmdir(dir);
}

// ---- settings ----

struct SettingCase {
    unsigned int baud;
    unsigned char bits, parity, stop, flow;
    speed_t speed;
    tcflag_t cflag;  // the expected bits of PARODD | CMSPAR | CSTOPB | CRTSCTS
    tcflag_t iflag;  // the expected bits of IXON | IXOFF
};

// A pseudo-terminal always keeps 8 data bits without parity (it clears
// CSIZE and PARENB itself), so only the other line bits can be read back.
constexpr tcflag_t kLineBits = PARODD | CMSPAR | CSTOPB | CRTSCTS;

class SetupApplies : public Pty, public ::testing::WithParamInterface<SettingCase> {};

TEST_P(SetupApplies, AsTerminalSettings)
{
    const auto& c = GetParam();
    ASSERT_EQ(SetupCom(port, c.baud, c.bits, c.parity, c.stop, c.flow), 0);
    const termios t = Settings();
    EXPECT_EQ(::cfgetospeed(&t), c.speed);
    EXPECT_EQ(::cfgetispeed(&t), c.speed);
    EXPECT_EQ(t.c_cflag & kLineBits, c.cflag & kLineBits);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), c.iflag);
    EXPECT_NE(t.c_cflag & CREAD, 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP), 0u);
    if (c.flow == 2) {
        EXPECT_EQ(t.c_cc[VSTART], 0x11);
        EXPECT_EQ(t.c_cc[VSTOP], 0x13);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SetupApplies,
    ::testing::Values(SettingCase{9600, 8, 0, 0, 0, B9600, CS8, 0},
                      SettingCase{115200, 7, 1, 0, 0, B115200, CS7 | PARENB | PARODD, 0},
                      SettingCase{19200, 7, 2, 2, 0, B19200, CS7 | PARENB | CSTOPB, 0},
                      SettingCase{4800, 8, 3, 0, 0, B4800, CS8 | PARENB | PARODD | CMSPAR, 0},
                      SettingCase{2400, 8, 4, 0, 0, B2400, CS8 | PARENB | CMSPAR, 0},
                      SettingCase{1200, 5, 0, 1, 0, B1200, CS5 | CSTOPB, 0},
                      SettingCase{57600, 6, 0, 0, 1, B57600, CS6 | CRTSCTS, 0},
                      SettingCase{38400, 8, 0, 0, 2, B38400, CS8, IXON | IXOFF},
                      SettingCase{921600, 8, 0, 0, 0, B921600, CS8, 0}));

struct RefusedSetting {
    unsigned int baud;
    unsigned char bits, parity, stop, flow;
};

class SetupRefuses : public Pty, public ::testing::WithParamInterface<RefusedSetting> {};

TEST_P(SetupRefuses, ChangingAndDiscardingNothing)
{
    ASSERT_EQ(SetupCom(port, 9600, 8, 0, 0, 0), 0);
    const termios before = Settings();
    Send("kept");
    const auto& c = GetParam();
    EXPECT_EQ(SetupCom(port, c.baud, c.bits, c.parity, c.stop, c.flow), -1);
    const termios after = Settings();
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
    unsigned char buf[16] = {};
    EXPECT_EQ(ReadCom(port, buf, sizeof buf, 10, 3, 1), 4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 4), "kept");
}

INSTANTIATE_TEST_SUITE_P(Values, SetupRefuses,
                         ::testing::Values(RefusedSetting{9600, 8, 0, 0, 3},
                                           RefusedSetting{9600, 8, 5, 0, 0},
                                           RefusedSetting{9600, 4, 0, 0, 0},
                                           RefusedSetting{9600, 9, 0, 0, 0},
                                           RefusedSetting{9600, 8, 0, 3, 0},
                                           RefusedSetting{9600, 8, 0, 1, 0},
                                           RefusedSetting{14400, 8, 0, 0, 0},
                                           RefusedSetting{0, 8, 0, 0, 0}));

TEST_F(Pty, SetupAndClearDiscardPendingInput)
{
    unsigned char buf[16];
    for (int step = 0; step < 2; ++step) {
        Send("stale bytes");
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (step == 0)
            ASSERT_EQ(SetupCom(port, 9600, 8, 0, 0, 0), 0);
        else
            ASSERT_EQ(ClearCom(port), 0);
        EXPECT_EQ(ReadCom(port, buf, sizeof buf, 0, 1, 0), 0) << "step " << step;
    }
}

// ---- reads ----

TEST_F(Pty, ReadReturnsOnFirstDataOrKeepsTrying)
{
    unsigned char buf[16] = {};
    Send("abc");
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadCom(port, buf, sizeof buf, 10, 100, 1), 3);
    EXPECT_LT(ElapsedMs(start), 1000);

    // Without returnOnData: all tries are used, collecting both pieces.
    {
        PacedDevice d(device, {"12", "34"}, 120);
        start = std::chrono::steady_clock::now();
        EXPECT_EQ(ReadCom(port, buf, sizeof buf, 100, 4, 0), 4);
    }
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 4), "1234");
    EXPECT_GE(ElapsedMs(start), 4 * 50 + 3 * 100 - 20);

    // A full buffer ends the call at once.
    Send("0123456789");
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadCom(port, buf, 4, 500, 10, 0), 4);
    EXPECT_LT(ElapsedMs(start), 400);
    EXPECT_EQ(ReadCom(port, buf, sizeof buf, 0, 1, 0), 6);
}

TEST_F(Pty, ReadTimesOutWithNothing)
{
    unsigned char buf[8];
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadCom(port, buf, sizeof buf, 20, 3, 1), 0);
    const long long ms = ElapsedMs(start);
    EXPECT_GE(ms, 3 * 50 + 2 * 20 - 10);
    EXPECT_LT(ms, 2000);
}

TEST_F(Pty, ReadExStopsAtTheEndByte)
{
    unsigned char buf[16] = {};
    int endPos = 7;
    int n;
    {
        PacedDevice d(device, {"\x41\x42", "\x43\x0D\x44"});
        n = ReadComEx(port, buf, sizeof buf, 10, 50, 0x0D, endPos);
    }
    EXPECT_EQ(n, 5);
    EXPECT_EQ(endPos, 3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 5), "ABC\rD");

    Send("no end");
    EXPECT_EQ(ReadComEx(port, buf, sizeof buf, 10, 3, 0x0D, endPos), 6);
    EXPECT_EQ(endPos, -1);
}

struct SequenceCase {
    std::vector<std::string> pieces;
    std::string pattern;
    int pos;
    int total;
};

class ReadEx1 : public Pty, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(ReadEx1, FindsTheSequenceAcrossWrites)
{
    const auto& c = GetParam();
    unsigned char buf[64] = {};
    int pos = 99;
    int n;
    {
        PacedDevice d(device, c.pieces);
        n = ReadComEx1(port, buf, sizeof buf, 10, 15,
                       reinterpret_cast<const unsigned char*>(c.pattern.data()),
                       static_cast<unsigned int>(c.pattern.size()), pos);
    }
    EXPECT_EQ(pos, c.pos);
    EXPECT_EQ(n, c.total);
}

INSTANTIATE_TEST_SUITE_P(
    Splits, ReadEx1,
    ::testing::Values(SequenceCase{{"OK\r", "\n"}, "\r\n", 2, 4},
                      SequenceCase{{"A", "B", "C"}, "ABC", 0, 3},
                      SequenceCase{{"xxAB", "ABC", "tail"}, "ABC", 4, 7},
                      SequenceCase{{"\r\n"}, "\r\n", 0, 2},
                      SequenceCase{{"no", "pattern"}, "\r\n", -1, 9}));

TEST_F(Pty, ReadEx1FillsTheBufferWithoutOverrun)
{
    std::vector<unsigned char> buf(8 + 8, '#');
    Send("0123456789");
    int pos = 0;
    const unsigned char crlf[] = {'\r', '\n'};
    EXPECT_EQ(ReadComEx1(port, buf.data(), 8, 10, 5, crlf, 2, pos), 8);
    EXPECT_EQ(pos, -1);
    for (std::size_t i = 8; i < buf.size(); ++i) EXPECT_EQ(buf[i], '#');
}

// ---- writes ----

TEST_F(Pty, WriteDeliversAndTriesZeroWritesNothing)
{
    ASSERT_EQ(SetupCom(port, 9600, 8, 0, 0, 0), 0);
    const unsigned char data[] = {'h', 'e', 'l', 'l', 'o', '\n'};
    EXPECT_EQ(WriteCom(port, data, 6, 10, 0), 0);
    EXPECT_EQ(Drain(100), "");
    EXPECT_EQ(WriteCom(port, data, 6, 10, 3), 6);
    EXPECT_EQ(Drain(), "hello\n");  // no translation of the line end
}

TEST_F(Pty, LargeWriteCompletesWhileTheDeviceReads)
{
    ASSERT_EQ(SetupCom(port, 115200, 8, 0, 0, 0), 0);
    std::vector<unsigned char> data(256 * 1024);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<unsigned char>(i * 7);
    std::string got;
    std::thread reader([&] {
        while (got.size() < data.size()) {
            const std::string part = Drain(1000);
            if (part.empty()) break;
            got += part;
        }
    });
    const int n = WriteCom(port, data.data(), static_cast<unsigned int>(data.size()), 1, 100000);
    reader.join();
    EXPECT_EQ(n, static_cast<int>(data.size()));
    EXPECT_EQ(got, std::string(data.begin(), data.end()));
}

TEST_F(Pty, WriteToADeviceThatDoesNotReadStopsWithPartOfIt)
{
    std::vector<unsigned char> data(4 * 1024 * 1024, 'w');
    const auto start = std::chrono::steady_clock::now();
    const int n = WriteCom(port, data.data(), static_cast<unsigned int>(data.size()), 10, 3);
    EXPECT_GT(n, 0);
    EXPECT_LT(n, static_cast<int>(data.size()));
    EXPECT_LT(ElapsedMs(start), 2000);
}

// ---- a port that disappears ----

TEST_F(Pty, DisappearingPortEndsReadsAndWrites)
{
    Send("xy");
    std::thread unplug([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ::close(device);
        device = -1;
    });
    unsigned char buf[32];
    const auto start = std::chrono::steady_clock::now();
    int endPos = 0;
    const int n = ReadComEx(port, buf, sizeof buf, 50, 1000, '\n', endPos);
    unplug.join();
    EXPECT_EQ(n, 2);
    EXPECT_EQ(endPos, -1);
    EXPECT_LT(ElapsedMs(start), 1000);  // not 1000 tries of 100 ms

    const unsigned char data[] = {'a', 'b'};
    EXPECT_EQ(ReadCom(port, buf, sizeof buf, 50, 1000, 0), 0);
    EXPECT_LT(ElapsedMs(start), 2000);
    (void)WriteCom(port, data, 2, 50, 1000);  // whatever the driver takes, it must return
    EXPECT_LT(ElapsedMs(start), 3000);
}

// ---- refused handles ----

TEST(SerialHandles, InvalidAndNullHandlesAreRefused)
{
    unsigned char buf[8];
    const unsigned char pat[] = {'\n'};
    for (void* h : {GRAVIK_INVALID_COM, static_cast<void*>(nullptr)}) {
        int pos = 5;
        EXPECT_EQ(SetupCom(h, 9600, 8, 0, 0, 0), -1);
        EXPECT_EQ(ClearCom(h), -1);
        EXPECT_EQ(WriteCom(h, buf, 8, 0, 1), 0);
        EXPECT_EQ(ReadCom(h, buf, 8, 0, 1, 1), 0);
        EXPECT_EQ(ReadComEx(h, buf, 8, 0, 1, '\n', pos), 0);
        EXPECT_EQ(pos, -1);
        pos = 5;
        EXPECT_EQ(ReadComEx1(h, buf, 8, 0, 1, pat, 1, pos), 0);
        EXPECT_EQ(pos, -1);
        EXPECT_EQ(CloseCom(h), 0);
    }
    CSerialPort closed;
    int pos;
    EXPECT_FALSE(closed.IsOpen());
    EXPECT_FALSE(closed.Setup(9600, 8, 0, 0, 0));
    EXPECT_FALSE(closed.Clear());
    EXPECT_EQ(closed.Read(buf, 8, 0, 1, 1), 0);
    EXPECT_EQ(closed.ReadEx(buf, 8, 0, 1, '\n', pos), 0);
    EXPECT_EQ(closed.ReadEx1(buf, 8, 0, 1, pat, 1, pos), 0);
    EXPECT_TRUE(closed.Close());
}

TEST_F(Pty, RefusedTransferArguments)
{
    unsigned char buf[8] = {};
    int pos = 5;
    EXPECT_EQ(ReadComEx1(port, buf, 8, 0, 1, buf, 0, pos), 0);
    EXPECT_EQ(ReadComEx1(port, buf, 8, 0, 1, nullptr, 2, pos), 0);
    EXPECT_EQ(ReadCom(port, nullptr, 8, 0, 1, 1), 0);
    EXPECT_EQ(WriteCom(port, nullptr, 8, 0, 1), 0);
    EXPECT_EQ(ReadCom(port, buf, 8, 0, 0, 1), 0);
}

// ---- the class and its copies ----

TEST_F(Pty, CopiesOwnTheirHandles)
{
    CloseCom(port);
    port = GRAVIK_INVALID_COM;
    unsigned char buf[8] = {};
    {
        CSerialPort a;
        ASSERT_TRUE(a.Open(path.c_str()));
        ASSERT_TRUE(a.Setup(9600, 8, 0, 0, 0));
        CSerialPort b(a);
        EXPECT_TRUE(b.IsOpen());
        EXPECT_TRUE(a.Close());
        // The copy still works after the original closed.
        Send("ok");
        EXPECT_EQ(b.Read(buf, sizeof buf, 10, 3, 1), 2);
        const unsigned char out[] = {'!'};
        EXPECT_EQ(b.Write(out, 1, 10, 1), 1);
        EXPECT_EQ(Drain(), "!");
        CSerialPort c;
        c = b;
        c = c;
        EXPECT_TRUE(c.IsOpen());
        EXPECT_TRUE(c.Clear());
        int pos = 0;
        Send("a\rb");
        EXPECT_EQ(c.ReadEx(buf, sizeof buf, 10, 3, '\r', pos), 3);
        EXPECT_EQ(pos, 1);
        const unsigned char crlf[] = {'\r', '\n'};
        Send("z\r\n");
        EXPECT_EQ(c.ReadEx1(buf, sizeof buf, 10, 3, crlf, 2, pos), 3);
        EXPECT_EQ(pos, 1);
    }
    // Every copy closed its own handle: the port can be opened again.
    port = OpenCom(Wide(path).c_str());
    EXPECT_NE(port, GRAVIK_INVALID_COM);
}

}  // namespace
