#include <gravik/serial.h>

#include "internal/serial_util.h"

#include <cerrno>
#include <cwchar>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace gravik::internal;

namespace {

// UTF-8 form of a wide name; false for values that are not characters.
bool ToUtf8(const wchar_t* name, std::string& out)
{
    for (const wchar_t* p = name; *p != L'\0'; ++p) {
        const auto c = static_cast<std::uint32_t>(*p);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return !out.empty();
}

// "COMn" and "\\.\COMn" name the n-th serial port, which is /dev/ttyS<n-1>.
std::string DevicePath(const std::string& name)
{
    std::string s = name;
    if (s.rfind("\\\\.\\", 0) == 0) s = s.substr(4);
    if (s.size() < 4 || s.size() > 8) return name;
    for (int i = 0; i < 3; ++i)
        if ((s[static_cast<std::size_t>(i)] & ~0x20) != "COM"[i]) return name;
    unsigned long n = 0;
    for (std::size_t i = 3; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return name;
        n = n * 10 + static_cast<unsigned long>(s[i] - '0');
    }
    if (n == 0) return name;
    return "/dev/ttyS" + std::to_string(n - 1);
}

}  // namespace

void* OpenCom(const wchar_t* name)
{
    std::string utf8;
    if (name == nullptr || !ToUtf8(name, utf8)) return GRAVIK_INVALID_COM;
    const std::string path = DevicePath(utf8);
    // Non-blocking, so that opening never waits for a carrier; the transfers
    // do their own timed waiting.
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return GRAVIK_INVALID_COM;
    if (fd == 0) {
        // Descriptor 0 would read as the null handle.
        const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 1);
        ::close(fd);
        if (moved < 0) return GRAVIK_INVALID_COM;
        fd = moved;
    }
    // Only terminal devices are ports; exclusive use through an advisory lock
    // that also binds privileged processes (TIOCEXCL does not).
    if (!::isatty(fd) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        ::close(fd);
        errno = e;
        return GRAVIK_INVALID_COM;
    }
    ::ioctl(fd, TIOCEXCL);
    return ComHandle(fd);
}

int CloseCom(void* port)
{
    const int fd = ComFd(port);
    if (fd >= 0) ::close(fd);
    return 0;
}
