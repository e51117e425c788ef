// CBaseNetObject: default serialization slots and the field functions.
#include <gravik/netobject.h>

#include <cstring>

namespace {

// Bytes left after pos; 0 when pos is already past the end.
unsigned int Remaining(unsigned int length, unsigned int pos) { return pos < length ? length - pos : 0; }

bool Has(unsigned int length, unsigned int pos, unsigned int need)
{
    return pos <= length && Remaining(length, pos) >= need;
}

template <typename T>
void PutBigEndian(unsigned char* p, T v)
{
    for (int i = sizeof(T) - 1; i >= 0; --i) {
        p[i] = static_cast<unsigned char>(v & 0xFF);
        v = static_cast<T>(v >> 8);
    }
}

template <typename T>
T GetBigEndian(const unsigned char* p)
{
    T v = 0;
    for (unsigned i = 0; i < sizeof(T); ++i) v = static_cast<T>((v << 8) | p[i]);
    return v;
}

template <typename T>
void WriteRaw(unsigned char* buffer, unsigned int& pos, const T& value)
{
    std::memcpy(buffer + pos, &value, sizeof(T));
    pos += sizeof(T);
}

template <typename T>
bool ReadRaw(const unsigned char* buffer, unsigned int length, unsigned int& pos, T& value)
{
    if (!buffer || !Has(length, pos, sizeof(T))) return false;
    std::memcpy(&value, buffer + pos, sizeof(T));
    pos += sizeof(T);
    return true;
}

template <typename T>
bool ReadNet(const unsigned char* buffer, unsigned int length, unsigned int& pos, T& value)
{
    if (!buffer || !Has(length, pos, sizeof(T))) return false;
    value = GetBigEndian<T>(buffer + pos);
    pos += sizeof(T);
    return true;
}

// Finds the zero byte that ends a text at pos; returns its offset or -1.
long FindTerminator(const unsigned char* buffer, unsigned int length, unsigned int pos)
{
    if (!buffer || pos >= length) return -1;
    const void* z = std::memchr(buffer + pos, 0, length - pos);
    return z ? static_cast<const unsigned char*>(z) - buffer : -1;
}

}  // namespace

CBaseNetObject::CBaseNetObject() = default;
CBaseNetObject::CBaseNetObject(const CBaseNetObject&) = default;
CBaseNetObject& CBaseNetObject::operator=(const CBaseNetObject&) = default;
CBaseNetObject::~CBaseNetObject() = default;

void CBaseNetObject::SerializeToBuf(unsigned char*, unsigned int& written) { written = 0; }

bool CBaseNetObject::SerializeToBufSafe(unsigned char* buffer, unsigned int size,
                                        unsigned int& written)
{
    if (size < GetSerialLength()) return false;
    SerializeToBuf(buffer, written);
    return true;
}

bool CBaseNetObject::SerializeFromBuf(unsigned char*, unsigned int, unsigned int& read)
{
    read = 0;
    return true;
}

unsigned int CBaseNetObject::GetSerialLength() { return 0; }

void CBaseNetObject::WriteBytes(unsigned char* buffer, unsigned int& pos, const unsigned char* data,
                                unsigned int length)
{
    if (length > 0 && data) std::memcpy(buffer + pos, data, length);
    if (data) pos += length;
}

bool CBaseNetObject::ReadBytes(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                               unsigned char* out, unsigned int count)
{
    if (!buffer || (!out && count > 0) || !Has(length, pos, count)) return false;
    if (count > 0) std::memcpy(out, buffer + pos, count);
    pos += count;
    return true;
}

void CBaseNetObject::WriteShort(unsigned char* buffer, unsigned int& pos, unsigned short value)
{
    WriteRaw(buffer, pos, value);
}

bool CBaseNetObject::ReadShort(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                               unsigned short& value)
{
    return ReadRaw(buffer, length, pos, value);
}

void CBaseNetObject::WriteShortNt(unsigned char* buffer, unsigned int& pos, unsigned short value)
{
    PutBigEndian(buffer + pos, value);
    pos += 2;
}

bool CBaseNetObject::ReadShortNt(const unsigned char* buffer, unsigned int length,
                                 unsigned int& pos, unsigned short& value)
{
    return ReadNet(buffer, length, pos, value);
}

void CBaseNetObject::WriteInt(unsigned char* buffer, unsigned int& pos, unsigned int value)
{
    WriteRaw(buffer, pos, value);
}

bool CBaseNetObject::ReadInt(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                             unsigned int& value)
{
    return ReadRaw(buffer, length, pos, value);
}

void CBaseNetObject::WriteIntNt(unsigned char* buffer, unsigned int& pos, unsigned int value)
{
    PutBigEndian(buffer + pos, value);
    pos += 4;
}

bool CBaseNetObject::ReadIntNt(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                               unsigned int& value)
{
    return ReadNet(buffer, length, pos, value);
}

void CBaseNetObject::WriteULong64(unsigned char* buffer, unsigned int& pos, uint64_t value)
{
    PutBigEndian(buffer + pos, value);
    pos += 8;
}

bool CBaseNetObject::ReadULong64(const unsigned char* buffer, unsigned int length,
                                 unsigned int& pos, uint64_t& value)
{
    return ReadNet(buffer, length, pos, value);
}

void CBaseNetObject::WriteFloat(unsigned char* buffer, unsigned int& pos, float* value)
{
    const float v = value ? *value : 0.0f;
    WriteRaw(buffer, pos, v);
}

bool CBaseNetObject::ReadFloat(const unsigned char* buffer, unsigned int length, unsigned int& pos,
                               float* value)
{
    return value && ReadRaw(buffer, length, pos, *value);
}

void CBaseNetObject::WriteDouble(unsigned char* buffer, unsigned int& pos, double* value)
{
    const double v = value ? *value : 0.0;
    WriteRaw(buffer, pos, v);
}

bool CBaseNetObject::ReadDouble(const unsigned char* buffer, unsigned int length,
                                unsigned int& pos, double* value)
{
    return value && ReadRaw(buffer, length, pos, *value);
}

void CBaseNetObject::WriteString(unsigned char* buffer, unsigned int& pos, const std::string& text)
{
    // size() + 1 bytes, whatever the text holds, so that the field is as long
    // as a GetSerialLength() computed from the string says.
    std::memcpy(buffer + pos, text.c_str(), text.size() + 1);
    pos += static_cast<unsigned int>(text.size() + 1);
}

bool CBaseNetObject::ReadString(const unsigned char* buffer, unsigned int length,
                                unsigned int& pos, std::string& text)
{
    const long end = FindTerminator(buffer, length, pos);
    if (end < 0) return false;
    text.assign(reinterpret_cast<const char*>(buffer + pos), static_cast<std::size_t>(end) - pos);
    pos = static_cast<unsigned int>(end) + 1;
    return true;
}

void CBaseNetObject::WriteCharStr(unsigned char* buffer, unsigned int& pos, const char* text)
{
    const char* t = text ? text : "";
    const std::size_t n = std::strlen(t) + 1;
    std::memcpy(buffer + pos, t, n);
    pos += static_cast<unsigned int>(n);
}

bool CBaseNetObject::ReadCharStr(const unsigned char* buffer, unsigned int length,
                                 unsigned int& pos, char* out, unsigned int outSize)
{
    const long end = FindTerminator(buffer, length, pos);
    if (end < 0 || !out) return false;
    const std::size_t n = static_cast<std::size_t>(end) - pos + 1;  // with the terminator
    if (n > outSize) return false;
    std::memcpy(out, buffer + pos, n);
    pos = static_cast<unsigned int>(end) + 1;
    return true;
}

void CBaseNetObject::WriteString1(unsigned char* buffer, unsigned int& pos, const std::string& text)
{
    WriteIntNt(buffer, pos, static_cast<unsigned int>(text.size()));
    if (!text.empty()) std::memcpy(buffer + pos, text.data(), text.size());
    pos += static_cast<unsigned int>(text.size());
}

bool CBaseNetObject::ReadString1(const unsigned char* buffer, unsigned int length,
                                 unsigned int& pos, std::string& text)
{
    unsigned int n = 0;
    if (!ReadIntNt(buffer, length, pos, n)) return false;
    if (Remaining(length, pos) < n) return false;
    text.assign(reinterpret_cast<const char*>(buffer + pos), n);
    pos += n;
    return true;
}

void CBaseNetObject::WriteCharStr1(unsigned char* buffer, unsigned int& pos, const char* text)
{
    const char* t = text ? text : "";
    const std::size_t n = std::strlen(t);
    WriteIntNt(buffer, pos, static_cast<unsigned int>(n));
    std::memcpy(buffer + pos, t, n);
    pos += static_cast<unsigned int>(n);
}

bool CBaseNetObject::ReadCharStr1(const unsigned char* buffer, unsigned int length,
                                  unsigned int& pos, char* out, unsigned int outSize)
{
    if (!out) return false;
    unsigned int n = 0;
    if (!ReadIntNt(buffer, length, pos, n)) return false;
    if (Remaining(length, pos) < n || n >= outSize) return false;
    std::memcpy(out, buffer + pos, n);
    out[n] = '\0';
    pos += n;
    return true;
}
