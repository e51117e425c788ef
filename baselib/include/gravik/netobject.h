// libGravik - binary field serialization.
//
// CBaseNetObject is the base of objects written to and read from byte buffers
// (network messages). A derived class overrides the four virtual operations
// and builds them from the static field functions, which write or read one
// field at a moving position. Fields are packed without padding:
//   Short/ShortNt 2 bytes, Int/IntNt 4, ULong64 8 (always network order),
//   Float 4 and Double 8 (IEEE 754 as stored in memory, host order),
//   Bytes n, String/CharStr text + zero byte, String1/CharStr1 a 4-byte
//   network-order length then the text without terminator.
// "Nt" means network order (big-endian); the others use the host's order.
//
// Writers do not check space: size the buffer with GetSerialLength(). Readers
// check: they return false without reading or moving the position when fewer
// bytes remain than the field needs (ReadString1/ReadCharStr1 excepted: when
// the length was read but its bytes are missing, the position stays 4 further
// on). A position beyond the buffer's length makes every reader return false;
// nothing outside [buffer, buffer + length) is ever read. Null value pointers
// make readers return false; a null text is written as an empty one.
//
// SerializeToBufSafe takes the buffer's capacity from `size`.
#ifndef GRAVIK_NETOBJECT_H
#define GRAVIK_NETOBJECT_H

#include <gravik/export.h>

#include <cstdint>
#include <string>

class GRAVIK_API CBaseNetObject {
public:
    CBaseNetObject();
    CBaseNetObject(const CBaseNetObject&);
    CBaseNetObject& operator=(const CBaseNetObject&);
    virtual ~CBaseNetObject();

    // Writes the object at buffer[0..]; the default writes nothing (written = 0).
    virtual void SerializeToBuf(unsigned char* buffer, unsigned int& written);
    // False (nothing written) when size < GetSerialLength(); otherwise calls
    // SerializeToBuf and returns true.
    virtual bool SerializeToBufSafe(unsigned char* buffer, unsigned int size,
                                    unsigned int& written);
    // Reads the object from buffer[0..size); the default reads nothing and
    // returns true.
    virtual bool SerializeFromBuf(unsigned char* buffer, unsigned int size, unsigned int& read);
    // Exactly the number of bytes SerializeToBuf writes; the default is 0.
    virtual unsigned int GetSerialLength();

    static void WriteBytes(unsigned char* buffer, unsigned int& pos, const unsigned char* data,
                           unsigned int length);
    static bool ReadBytes(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                          unsigned char* out, unsigned int count);
    static void WriteShort(unsigned char* buffer, unsigned int& pos, unsigned short value);
    static bool ReadShort(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                          unsigned short& value);
    static void WriteShortNt(unsigned char* buffer, unsigned int& pos, unsigned short value);
    static bool ReadShortNt(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                            unsigned short& value);
    static void WriteInt(unsigned char* buffer, unsigned int& pos, unsigned int value);
    static bool ReadInt(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                        unsigned int& value);
    static void WriteIntNt(unsigned char* buffer, unsigned int& pos, unsigned int value);
    static bool ReadIntNt(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                          unsigned int& value);
    static void WriteULong64(unsigned char* buffer, unsigned int& pos, uint64_t value);
    static bool ReadULong64(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                            uint64_t& value);
    static void WriteFloat(unsigned char* buffer, unsigned int& pos, float* value);
    static bool ReadFloat(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                          float* value);
    static void WriteDouble(unsigned char* buffer, unsigned int& pos, double* value);
    static bool ReadDouble(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                           double* value);
    static void WriteString(unsigned char* buffer, unsigned int& pos, const std::string& text);
    // The text before the next zero byte; false when there is none.
    static bool ReadString(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                           std::string& text);
    static void WriteCharStr(unsigned char* buffer, unsigned int& pos, const char* text);
    // As ReadString into out; false also when out (outSize bytes) cannot hold
    // the text and its terminator.
    static bool ReadCharStr(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                            char* out, unsigned int outSize);
    static void WriteString1(unsigned char* buffer, unsigned int& pos, const std::string& text);
    static bool ReadString1(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                            std::string& text);
    static void WriteCharStr1(unsigned char* buffer, unsigned int& pos, const char* text);
    // False also when the length is not smaller than outSize (room is needed
    // for the terminator written after the bytes).
    static bool ReadCharStr1(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                             char* out, unsigned int outSize);
};

#endif  // GRAVIK_NETOBJECT_H
