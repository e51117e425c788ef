#include <gravik/serial.h>

#include "internal/serial_util.h"

#include <cerrno>
#include <sys/ioctl.h>
#include <termios.h>

using namespace gravik::internal;

namespace {

bool Speed(unsigned int baud, speed_t& speed)
{
    static const struct {
        unsigned int baud;
        speed_t speed;
    } kRates[] = {
        {50, B50},         {75, B75},           {110, B110},         {134, B134},
        {150, B150},       {200, B200},         {300, B300},         {600, B600},
        {1200, B1200},     {1800, B1800},       {2400, B2400},       {4800, B4800},
        {9600, B9600},     {19200, B19200},     {38400, B38400},     {57600, B57600},
        {115200, B115200}, {230400, B230400},
#ifdef B460800
        {460800, B460800}, {500000, B500000},   {576000, B576000},   {921600, B921600},
        {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000}, {2000000, B2000000},
        {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
#endif
    };
    for (const auto& r : kRates)
        if (r.baud == baud) {
            speed = r.speed;
            return true;
        }
    return false;
}

bool CharacterSize(unsigned char bits, tcflag_t& size)
{
    switch (bits) {
    case 5: size = CS5; return true;
    case 6: size = CS6; return true;
    case 7: size = CS7; return true;
    case 8: size = CS8; return true;
    default: return false;
    }
}

bool ParityFlags(unsigned char parity, tcflag_t& flags)
{
    switch (parity) {
    case 0: flags = 0; return true;
    case 1: flags = PARENB | PARODD; return true;
    case 2: flags = PARENB; return true;
#ifdef CMSPAR
    case 3: flags = PARENB | CMSPAR | PARODD; return true;
    case 4: flags = PARENB | CMSPAR; return true;
#endif
    default: return false;
    }
}

#ifndef CMSPAR
constexpr tcflag_t CMSPAR = 0;
#endif

}  // namespace

int SetupCom(void* port, unsigned int baudRate, unsigned char dataBits, unsigned char parity,
             unsigned char stopBits, unsigned char flowControl)
{
    const int fd = ComFd(port);
    if (fd < 0) return -1;
    // Every value is checked before anything is changed or discarded.
    speed_t speed;
    tcflag_t size, parityFlags;
    if (!Speed(baudRate, speed) || !CharacterSize(dataBits, size) ||
        !ParityFlags(parity, parityFlags) || flowControl > 2)
        return -1;
    tcflag_t stopFlags;
    if (stopBits == 0)
        stopFlags = 0;
    else if (stopBits == 2 || (stopBits == 1 && dataBits == 5))
        stopFlags = CSTOPB;
    else
        return -1;

    termios t{};
    if (::tcflush(fd, TCIOFLUSH) != 0 || ::tcgetattr(fd, &t) != 0) return -1;

    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                        IXON | IXOFF | IXANY);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    t.c_cflag |= size | parityFlags | stopFlags | CREAD | CLOCAL;
    if (flowControl == 1) t.c_cflag |= CRTSCTS;
    if (flowControl == 2) {
        t.c_iflag |= IXON | IXOFF;
        t.c_cc[VSTART] = 0x11;
        t.c_cc[VSTOP] = 0x13;
    }
    // Reads are timed by the library, not by the driver.
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (::cfsetispeed(&t, speed) != 0 || ::cfsetospeed(&t, speed) != 0) return -1;
    if (::tcsetattr(fd, TCSANOW, &t) != 0) return -1;

    // tcsetattr succeeds when any part was applied; the speed is the part a
    // device refuses in practice. Character size and parity are not read
    // back: some devices (pseudo-terminals, USB virtual ports) legitimately
    // keep their own.
    termios check{};
    if (::tcgetattr(fd, &check) != 0 || ::cfgetospeed(&check) != speed) return -1;

    // DTR and RTS raised where the line has them; pseudo-terminals and some
    // adapters have no modem lines, which is not a failure of the set-up.
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(fd, TIOCMBIS, &lines) != 0 && errno != EINVAL && errno != ENOTTY)
        return -1;
    return 0;
}

int ClearCom(void* port)
{
    const int fd = ComFd(port);
    if (fd < 0) return -1;
    return ::tcflush(fd, TCIOFLUSH) == 0 ? 0 : -1;
}
