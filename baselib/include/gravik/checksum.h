// libGravik - checksums: CRC-32 (IEEE 802.3) and CRC-16 (polynomial 0x8005).
//
// Global functions working only on the caller's bytes; safe on any thread.
#ifndef GRAVIK_CHECKSUM_H
#define GRAVIK_CHECKSUM_H

#include <gravik/export.h>

// CRC-32 of IEEE 802.3 (reflected polynomial 0xEDB88320), chaining form: pass
// 0 for the first block and the previous result for each following block; the
// register is inverted on entry and exit, so crc32(0, "123456789", 9) is
// 0xCBF43926. The result always fits 32 bits. A null `data` returns 0, a
// `length` of 0 returns `crc` unchanged.
GRAVIK_API unsigned long crc32(unsigned long crc, const unsigned char* data,
                               unsigned int length);

// CRC-16 with the reflected polynomial 0xA001, table-driven. `crc` is the
// initial register and there is no final inversion: 0 gives CRC-16/ARC
// (check value 0xBB3D), 0xFFFF gives CRC-16/MODBUS (0x4B37). Chaining works by
// passing the previous result. A null `data` returns `crc` unchanged.
GRAVIK_API unsigned short crc16(unsigned short crc, const unsigned char* data,
                                unsigned short length);

// The same CRC-16 computed bit by bit; always equal to crc16().
GRAVIK_API unsigned short crc16_calculate(unsigned short crc, const unsigned char* data,
                                          unsigned short length);

#endif  // GRAVIK_CHECKSUM_H
