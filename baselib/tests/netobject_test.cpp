// Binary field serialization: encodings in both byte orders, round trips and
// truncated buffers.
#include <gravik/netobject.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Buf = std::vector<unsigned char>;

std::string Hex(const unsigned char* p, unsigned int n)
{
    static const char d[] = "0123456789ABCDEF";
    std::string s;
    for (unsigned i = 0; i < n; ++i) {
        if (i) s += ' ';
        s += d[p[i] >> 4];
        s += d[p[i] & 15];
    }
    return s;
}

// A message built from the field functions, as a derived class would.
class Message : public CBaseNetObject {
public:
    unsigned short kind = 0;
    unsigned int id = 0;
    uint64_t stamp = 0;
    double ratio = 0;
    std::string name;
    std::string blob;

    void SerializeToBuf(unsigned char* b, unsigned int& written) override
    {
        unsigned int pos = 0;
        WriteShortNt(b, pos, kind);
        WriteInt(b, pos, id);
        WriteULong64(b, pos, stamp);
        WriteDouble(b, pos, &ratio);
        WriteString(b, pos, name);
        WriteString1(b, pos, blob);
        written = pos;
    }
    bool SerializeFromBuf(unsigned char* b, unsigned int size, unsigned int& read) override
    {
        unsigned int pos = 0;
        const bool ok = ReadShortNt(b, size, pos, kind) && ReadInt(b, size, pos, id) &&
                        ReadULong64(b, size, pos, stamp) && ReadDouble(b, size, pos, &ratio) &&
                        ReadString(b, size, pos, name) && ReadString1(b, size, pos, blob);
        read = pos;
        return ok;
    }
    unsigned int GetSerialLength() override
    {
        return static_cast<unsigned int>(2 + 4 + 8 + 8 + name.size() + 1 + 4 + blob.size());
    }
};

}  // namespace

TEST(NetObject, FixedWidthEncodings)
{
    Buf b(64, 0xEE);
    unsigned int pos = 0;
    CBaseNetObject::WriteShortNt(b.data(), pos, 0x1234);
    EXPECT_EQ(Hex(b.data(), 2), "12 34");
    EXPECT_EQ(pos, 2u);
    CBaseNetObject::WriteShort(b.data(), pos, 0x1234);
    CBaseNetObject::WriteIntNt(b.data(), pos, 0x01020304);
    CBaseNetObject::WriteInt(b.data(), pos, 0x01020304);
    CBaseNetObject::WriteULong64(b.data(), pos, 0x0102030405060708ULL);
    EXPECT_EQ(pos, 20u);
    if constexpr (std::endian::native == std::endian::little) {
        EXPECT_EQ(Hex(b.data() + 2, 2), "34 12");
        EXPECT_EQ(Hex(b.data() + 8, 4), "04 03 02 01");
    }
    EXPECT_EQ(Hex(b.data() + 2 + 2, 4), "01 02 03 04");
    EXPECT_EQ(Hex(b.data() + 12, 8), "01 02 03 04 05 06 07 08");
    EXPECT_EQ(b[20], 0xEE);

    pos = 0;
    unsigned short s = 0;
    unsigned int i = 0;
    uint64_t l = 0;
    ASSERT_TRUE(CBaseNetObject::ReadShortNt(b.data(), 20, pos, s));
    EXPECT_EQ(s, 0x1234);
    ASSERT_TRUE(CBaseNetObject::ReadShort(b.data(), 20, pos, s));
    EXPECT_EQ(s, 0x1234);
    ASSERT_TRUE(CBaseNetObject::ReadIntNt(b.data(), 20, pos, i));
    EXPECT_EQ(i, 0x01020304u);
    ASSERT_TRUE(CBaseNetObject::ReadInt(b.data(), 20, pos, i));
    EXPECT_EQ(i, 0x01020304u);
    ASSERT_TRUE(CBaseNetObject::ReadULong64(b.data(), 20, pos, l));
    EXPECT_EQ(l, 0x0102030405060708ULL);
    EXPECT_EQ(pos, 20u);
}

TEST(NetObject, FloatsAndBytesRoundTrip)
{
    Buf b(32);
    unsigned int pos = 0;
    float f = -1.5e-3f;
    double d = 6.02214076e23;
    const unsigned char raw[] = {0, 1, 2, 255};
    CBaseNetObject::WriteFloat(b.data(), pos, &f);
    CBaseNetObject::WriteDouble(b.data(), pos, &d);
    CBaseNetObject::WriteBytes(b.data(), pos, raw, 4);
    EXPECT_EQ(pos, 16u);
    float f2 = 0;
    double d2 = 0;
    unsigned char raw2[4] = {};
    pos = 0;
    ASSERT_TRUE(CBaseNetObject::ReadFloat(b.data(), 16, pos, &f2));
    ASSERT_TRUE(CBaseNetObject::ReadDouble(b.data(), 16, pos, &d2));
    ASSERT_TRUE(CBaseNetObject::ReadBytes(b.data(), 16, pos, raw2, 4));
    EXPECT_EQ(f2, f);
    EXPECT_EQ(d2, d);
    EXPECT_EQ(std::memcmp(raw, raw2, 4), 0);
    EXPECT_FALSE(CBaseNetObject::ReadFloat(b.data(), 16, pos, nullptr));
}

TEST(NetObject, StringEncodings)
{
    Buf b(32, 0xEE);
    unsigned int pos = 0;
    CBaseNetObject::WriteString1(b.data(), pos, "abc");
    EXPECT_EQ(pos, 7u);
    EXPECT_EQ(Hex(b.data(), 7), "00 00 00 03 61 62 63");
    pos = 0;
    CBaseNetObject::WriteString(b.data(), pos, "abc");
    EXPECT_EQ(pos, 4u);
    EXPECT_EQ(Hex(b.data(), 4), "61 62 63 00");

    // Two terminated strings read back in order.
    pos = 0;
    CBaseNetObject::WriteString(b.data(), pos, "first");
    CBaseNetObject::WriteCharStr(b.data(), pos, "second");
    const unsigned int end = pos;
    std::string a, c;
    pos = 0;
    ASSERT_TRUE(CBaseNetObject::ReadString(b.data(), end, pos, a));
    ASSERT_TRUE(CBaseNetObject::ReadString(b.data(), end, pos, c));
    EXPECT_EQ(a, "first");
    EXPECT_EQ(c, "second");
    EXPECT_EQ(pos, end);

    // Length-prefixed strings keep zero bytes.
    pos = 0;
    const std::string binary("a\0b", 3);
    CBaseNetObject::WriteString1(b.data(), pos, binary);
    CBaseNetObject::WriteCharStr1(b.data(), pos, "xyz");
    const unsigned int end1 = pos;
    pos = 0;
    ASSERT_TRUE(CBaseNetObject::ReadString1(b.data(), end1, pos, a));
    EXPECT_EQ(a, binary);
    char out[8];
    ASSERT_TRUE(CBaseNetObject::ReadCharStr1(b.data(), end1, pos, out, sizeof out));
    EXPECT_STREQ(out, "xyz");
    EXPECT_EQ(pos, end1);
}

TEST(NetObject, CharStrReadersRespectTheOutputSize)
{
    Buf b(32);
    unsigned int pos = 0;
    CBaseNetObject::WriteCharStr1(b.data(), pos, "hello");
    CBaseNetObject::WriteCharStr(b.data(), pos, "hello");
    const unsigned int end = pos;

    char out[8];
    std::memset(out, 'Q', sizeof out);
    pos = 0;
    EXPECT_FALSE(CBaseNetObject::ReadCharStr1(b.data(), end, pos, out, 5));
    EXPECT_EQ(out[0], 'Q');
    pos = 0;
    ASSERT_TRUE(CBaseNetObject::ReadCharStr1(b.data(), end, pos, out, 6));
    EXPECT_STREQ(out, "hello");

    const unsigned int before = pos;
    std::memset(out, 'Q', sizeof out);
    EXPECT_FALSE(CBaseNetObject::ReadCharStr(b.data(), end, pos, out, 5));
    EXPECT_EQ(pos, before);
    EXPECT_EQ(out[0], 'Q');
    ASSERT_TRUE(CBaseNetObject::ReadCharStr(b.data(), end, pos, out, 6));
    EXPECT_STREQ(out, "hello");
    EXPECT_EQ(pos, end);
}

TEST(NetObject, TruncatedBuffersFailWithoutMoving)
{
    // Every reader on a buffer that ends one byte short of its field. The
    // buffer is allocated at exactly that size, so any over-read is caught by
    // the address sanitizer.
    Buf full(32);
    unsigned int w = 0;
    CBaseNetObject::WriteULong64(full.data(), w, 42);
    struct Case {
        const char* name;
        unsigned int need;
        bool (*read)(const unsigned char*, unsigned int, unsigned int&);
    } cases[] = {
        {"short", 2, [](const unsigned char* b, unsigned n, unsigned& p) { unsigned short v; return CBaseNetObject::ReadShort(b, n, p, v); }},
        {"shortNt", 2, [](const unsigned char* b, unsigned n, unsigned& p) { unsigned short v; return CBaseNetObject::ReadShortNt(b, n, p, v); }},
        {"int", 4, [](const unsigned char* b, unsigned n, unsigned& p) { unsigned v; return CBaseNetObject::ReadInt(b, n, p, v); }},
        {"intNt", 4, [](const unsigned char* b, unsigned n, unsigned& p) { unsigned v; return CBaseNetObject::ReadIntNt(b, n, p, v); }},
        {"ulong64", 8, [](const unsigned char* b, unsigned n, unsigned& p) { uint64_t v; return CBaseNetObject::ReadULong64(b, n, p, v); }},
        {"float", 4, [](const unsigned char* b, unsigned n, unsigned& p) { float v; return CBaseNetObject::ReadFloat(b, n, p, &v); }},
        {"double", 8, [](const unsigned char* b, unsigned n, unsigned& p) { double v; return CBaseNetObject::ReadDouble(b, n, p, &v); }},
        {"bytes", 5, [](const unsigned char* b, unsigned n, unsigned& p) { unsigned char v[5]; return CBaseNetObject::ReadBytes(b, n, p, v, 5); }},
    };
    for (const Case& c : cases) {
        for (unsigned int start : {0u, 3u}) {
            Buf b(full.begin(), full.begin() + start + c.need - 1);
            unsigned int pos = start;
            EXPECT_FALSE(c.read(b.data(), static_cast<unsigned>(b.size()), pos)) << c.name;
            EXPECT_EQ(pos, start) << c.name;
            Buf ok(full.begin(), full.begin() + start + c.need);
            EXPECT_TRUE(c.read(ok.data(), static_cast<unsigned>(ok.size()), pos)) << c.name;
            EXPECT_EQ(pos, start + c.need) << c.name;
            // A position beyond the end never reads.
            pos = static_cast<unsigned>(b.size()) + 10;
            EXPECT_FALSE(c.read(b.data(), static_cast<unsigned>(b.size()), pos)) << c.name;
        }
    }
}

TEST(NetObject, TruncatedStrings)
{
    std::string s;
    char out[16];

    Buf noZero = {'a', 'b', 'c'};
    unsigned int pos = 0;
    EXPECT_FALSE(CBaseNetObject::ReadString(noZero.data(), 3, pos, s));
    EXPECT_FALSE(CBaseNetObject::ReadCharStr(noZero.data(), 3, pos, out, sizeof out));
    EXPECT_EQ(pos, 0u);
    pos = 3;
    EXPECT_FALSE(CBaseNetObject::ReadString(noZero.data(), 3, pos, s));
    pos = 9;
    EXPECT_FALSE(CBaseNetObject::ReadString(noZero.data(), 3, pos, s));

    // Fewer than 4 bytes: the position stays.
    Buf three = {0, 0, 0};
    pos = 0;
    EXPECT_FALSE(CBaseNetObject::ReadString1(three.data(), 3, pos, s));
    EXPECT_EQ(pos, 0u);

    // The length says 5 but 3 bytes follow: false, position 4 further on.
    Buf shortText = {0, 0, 0, 5, 'a', 'b', 'c'};
    pos = 0;
    EXPECT_FALSE(CBaseNetObject::ReadString1(shortText.data(), 7, pos, s));
    EXPECT_EQ(pos, 4u);
    pos = 0;
    EXPECT_FALSE(CBaseNetObject::ReadCharStr1(shortText.data(), 7, pos, out, sizeof out));
    EXPECT_EQ(pos, 4u);

    // A huge length does not wrap around the bounds check.
    Buf huge = {0xFF, 0xFF, 0xFF, 0xFF, 'a'};
    pos = 0;
    EXPECT_FALSE(CBaseNetObject::ReadString1(huge.data(), 5, pos, s));
}

TEST(NetObject, DefaultSlots)
{
    CBaseNetObject o;
    unsigned int n = 99;
    unsigned char b[4] = {7, 7, 7, 7};
    EXPECT_EQ(o.GetSerialLength(), 0u);
    o.SerializeToBuf(b, n);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(b[0], 7);
    n = 99;
    EXPECT_TRUE(o.SerializeFromBuf(b, 4, n));
    EXPECT_EQ(n, 0u);
    n = 99;
    EXPECT_TRUE(o.SerializeToBufSafe(b, 0, n));
    EXPECT_EQ(n, 0u);
}

TEST(NetObject, DerivedMessageRoundTripAndSafeWrite)
{
    Message m;
    m.kind = 0xBEEF;
    m.id = 0xDEADBEEF;
    m.stamp = 0x0011223344556677ULL;
    m.ratio = 0.125;
    m.name = "gravik";
    m.blob = std::string("\0\1\2", 3);
    const unsigned int len = m.GetSerialLength();

    Buf small(len - 1, 0xEE);
    unsigned int written = 0;
    CBaseNetObject& base = m;
    EXPECT_FALSE(base.SerializeToBufSafe(small.data(), len - 1, written));
    EXPECT_TRUE(std::all_of(small.begin(), small.end(), [](unsigned char c) { return c == 0xEE; }));

    Buf b(len);
    ASSERT_TRUE(base.SerializeToBufSafe(b.data(), len, written));
    EXPECT_EQ(written, len);
    EXPECT_EQ(Hex(b.data(), 2), "BE EF");

    Message back;
    unsigned int read = 0;
    ASSERT_TRUE(back.SerializeFromBuf(b.data(), len, read));
    EXPECT_EQ(read, len);
    EXPECT_EQ(back.kind, m.kind);
    EXPECT_EQ(back.id, m.id);
    EXPECT_EQ(back.stamp, m.stamp);
    EXPECT_EQ(back.ratio, m.ratio);
    EXPECT_EQ(back.name, m.name);
    EXPECT_EQ(back.blob, m.blob);

    // Every truncation of the message fails cleanly.
    for (unsigned int cut = 0; cut < len; ++cut) {
        Buf t(b.begin(), b.begin() + cut);
        Message partial;
        EXPECT_FALSE(partial.SerializeFromBuf(t.data(), cut, read)) << cut;
        EXPECT_LE(read, cut);
    }
}
