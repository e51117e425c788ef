// libGravik - serial ports.
//
// Global functions on a port handle and CSerialPort, which owns one handle
// and forwards to them. Reads and writes are synchronous and polled: one
// read call collects what arrives within about 50 ms (or until the buffer is
// full), one write call gives up after about 50 ms, and the functions retry a
// given number of times (`tries`) with a pause (`waitMs`) between tries. A
// port that disappears (the device is unplugged, the other side of a
// pseudo-terminal closes) ends a transfer at once with the bytes moved so far.
//
// Handles are opaque: GRAVIK_INVALID_COM when not open; null is never a valid
// handle. Port names are device paths ("/dev/ttyUSB0", "/dev/pts/3") of any
// length; the Windows names "COMn" and "\\.\COMn" (n >= 1) stand for
// "/dev/ttyS<n-1>". A port is opened exclusively: a second open of the same
// device fails until the first is closed.
//
// No locking: one handle or port object is used by one thread at a time.
#ifndef GRAVIK_SERIAL_H
#define GRAVIK_SERIAL_H

#include <gravik/export.h>

#include <cstdint>

#define GRAVIK_INVALID_COM (reinterpret_cast<void*>(static_cast<std::intptr_t>(-1)))

// Opens the port for reading and writing; the handle or GRAVIK_INVALID_COM
// (no such device, not a terminal device, or already open).
GRAVIK_API void* OpenCom(const wchar_t* name);

// Discards all pending input and output, then sets the line:
//  baudRate  one of the standard rates 50 ... 4000000 (Windows-only rates
//            such as 14400, 56000, 128000 and 256000 are refused);
//  dataBits  5 to 8 (4 cannot be set here and is refused);
//  parity    0 none, 1 odd, 2 even, 3 mark, 4 space;
//  stopBits  0 one, 1 one and a half (only with 5 data bits, where the UART's
//            "two" setting gives 1.5), 2 two;
//  flowControl 0 none (DTR and RTS raised), 1 hardware (RTS/CTS), 2 software
//            (XON 0x11 / XOFF 0x13 in both directions).
// The line is raw (binary, no echo, no character translation). 0, or -1 for
// an invalid handle, a value outside these sets (nothing is changed or
// discarded then), or a setting the device refuses.
GRAVIK_API int SetupCom(void* port, unsigned int baudRate, unsigned char dataBits,
                        unsigned char parity, unsigned char stopBits, unsigned char flowControl);

// Discards all pending input and output. 0, or -1.
GRAVIK_API int ClearCom(void* port);

// Writes until all bytes are written: after a write call that wrote some but
// not all, counts a try and, unless `tries` are used up, pauses waitMs and
// writes the rest; a write call that writes nothing ends it. Returns the
// bytes written (0 for an invalid handle, null data or tries 0).
GRAVIK_API int WriteCom(void* port, const unsigned char* data, unsigned int length,
                        unsigned int waitMs, unsigned int tries);

// Reads into buffer[0..size): returns at once when a read brings data and
// returnOnData is non-zero, or when the buffer is full; otherwise counts a
// try and, unless `tries` are used up, pauses waitMs and reads again.
// Returns the bytes read (0 for an invalid handle, null buffer or tries 0).
GRAVIK_API int ReadCom(void* port, unsigned char* buffer, unsigned int size, unsigned int waitMs,
                       unsigned int tries, int returnOnData);

// As ReadCom without returnOnData, but returns as soon as a read brings
// `endByte`; endPos is its offset in the buffer (-1 when none came). The
// result counts every byte read, including those after the end byte.
GRAVIK_API int ReadComEx(void* port, unsigned char* buffer, unsigned int size,
                         unsigned int waitMs, unsigned int tries, unsigned char endByte,
                         int& endPos);

// As ReadComEx with a byte sequence of patternLength (>= 1) bytes, also when
// it arrives split across reads; pos is its offset (-1 when not found). A
// null or invalid handle, or an empty pattern, gives 0.
GRAVIK_API int ReadComEx1(void* port, unsigned char* buffer, unsigned int size,
                          unsigned int waitMs, unsigned int tries, const unsigned char* pattern,
                          unsigned int patternLength, int& pos);

// Closes the handle (an invalid one is ignored). Returns 0.
GRAVIK_API int CloseCom(void* port);

// One serial port. The destructor closes it. A copy opens its own handle on
// the same port (sharing the line and its settings), so each object closes
// only what it holds.
class GRAVIK_API CSerialPort {
public:
    CSerialPort();
    CSerialPort(const CSerialPort& other);
    CSerialPort& operator=(const CSerialPort& other);
    virtual ~CSerialPort();

    // Closes an open port, then opens `name` (UTF-8, any length) as OpenCom
    // does. True when the port is open.
    bool Open(const char* name);
    bool Setup(unsigned int baudRate, unsigned char dataBits, unsigned char parity,
               unsigned char stopBits, unsigned char flowControl);
    bool Clear();
    // Closes an open port. Always true.
    bool Close();
    bool IsOpen() const;

    int Write(const unsigned char* data, unsigned int length, unsigned int waitMs,
              unsigned int tries);
    int Read(unsigned char* buffer, unsigned int size, unsigned int waitMs, unsigned int tries,
             int returnOnData);
    int ReadEx(unsigned char* buffer, unsigned int size, unsigned int waitMs, unsigned int tries,
               unsigned char endByte, int& endPos);
    int ReadEx1(unsigned char* buffer, unsigned int size, unsigned int waitMs, unsigned int tries,
                const unsigned char* pattern, unsigned int patternLength, int& pos);

private:
    void* m_hPort;
};

#endif  // GRAVIK_SERIAL_H
