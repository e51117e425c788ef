#include <gravik/serial.h>

#include "internal/serial_util.h"

#include <fcntl.h>
#include <string>

using namespace gravik::internal;

namespace {

// Wide form of a UTF-8 name; false for malformed text.
bool FromUtf8(const char* name, std::wstring& out)
{
    const auto* p = reinterpret_cast<const unsigned char*>(name);
    while (*p != 0) {
        std::uint32_t c = *p;
        int extra = 0;
        if (c >= 0xF0 && c <= 0xF4) {
            c &= 0x07;
            extra = 3;
        } else if (c >= 0xE0) {
            c &= 0x0F;
            extra = 2;
        } else if (c >= 0xC2 && c < 0xE0) {
            c &= 0x1F;
            extra = 1;
        } else if (c >= 0x80) {
            return false;
        }
        ++p;
        for (int i = 0; i < extra; ++i, ++p) {
            if ((*p & 0xC0) != 0x80) return false;
            c = (c << 6) | (*p & 0x3F);
        }
        out += static_cast<wchar_t>(c);
    }
    return !out.empty();
}

// A handle of its own on the same port, for a copy.
void* Duplicate(void* port)
{
    const int fd = ComFd(port);
    if (fd < 0) return GRAVIK_INVALID_COM;
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 1);
    return copy < 0 ? GRAVIK_INVALID_COM : ComHandle(copy);
}

}  // namespace

CSerialPort::CSerialPort() : m_hPort(GRAVIK_INVALID_COM) {}

CSerialPort::CSerialPort(const CSerialPort& other) : m_hPort(Duplicate(other.m_hPort)) {}

CSerialPort& CSerialPort::operator=(const CSerialPort& other)
{
    if (this != &other) {
        Close();
        m_hPort = Duplicate(other.m_hPort);
    }
    return *this;
}

CSerialPort::~CSerialPort() { Close(); }

bool CSerialPort::Open(const char* name)
{
    Close();
    std::wstring wide;
    if (name == nullptr || !FromUtf8(name, wide)) return false;
    m_hPort = OpenCom(wide.c_str());
    return IsOpen();
}

bool CSerialPort::Setup(unsigned int baudRate, unsigned char dataBits, unsigned char parity,
                        unsigned char stopBits, unsigned char flowControl)
{
    return SetupCom(m_hPort, baudRate, dataBits, parity, stopBits, flowControl) == 0;
}

bool CSerialPort::Clear() { return ClearCom(m_hPort) == 0; }

bool CSerialPort::Close()
{
    if (IsOpen()) CloseCom(m_hPort);
    m_hPort = GRAVIK_INVALID_COM;
    return true;
}

bool CSerialPort::IsOpen() const { return ComFd(m_hPort) >= 0; }

int CSerialPort::Write(const unsigned char* data, unsigned int length, unsigned int waitMs,
                       unsigned int tries)
{
    return WriteCom(m_hPort, data, length, waitMs, tries);
}

int CSerialPort::Read(unsigned char* buffer, unsigned int size, unsigned int waitMs,
                      unsigned int tries, int returnOnData)
{
    return ReadCom(m_hPort, buffer, size, waitMs, tries, returnOnData);
}

int CSerialPort::ReadEx(unsigned char* buffer, unsigned int size, unsigned int waitMs,
                        unsigned int tries, unsigned char endByte, int& endPos)
{
    return ReadComEx(m_hPort, buffer, size, waitMs, tries, endByte, endPos);
}

int CSerialPort::ReadEx1(unsigned char* buffer, unsigned int size, unsigned int waitMs,
                         unsigned int tries, const unsigned char* pattern,
                         unsigned int patternLength, int& pos)
{
    return ReadComEx1(m_hPort, buffer, size, waitMs, tries, pattern, patternLength, pos);
}
