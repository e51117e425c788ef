#include <gravik/md5.h>

#include <cstring>
#include <iostream>

namespace {

constexpr std::uint32_t RotL(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

constexpr std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z)
{
    return (x & y) | (~x & z);
}
constexpr std::uint32_t G(std::uint32_t x, std::uint32_t y, std::uint32_t z)
{
    return (x & z) | (y & ~z);
}
constexpr std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return x ^ y ^ z; }
constexpr std::uint32_t I(std::uint32_t x, std::uint32_t y, std::uint32_t z)
{
    return y ^ (x | ~z);
}

// T[i] = floor(2^32 * |sin(i + 1)|), the additive constants of the 64 steps.
constexpr std::uint32_t kT[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613,
    0xfd469501, 0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193,
    0xa679438e, 0x49b40821, 0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d,
    0x02441453, 0xd8a1e681, 0xe7d3fbc8, 0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed,
    0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a, 0xfffa3942, 0x8771f681, 0x6d9d6122,
    0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70, 0x289b7ec6, 0xeaa127fa,
    0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665, 0xf4292244,
    0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb,
    0xeb86d391};

constexpr int kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

constexpr char kNotFinalized[] = "Can't get digest if you haven't finalized the digest!";

void Encode32LE(unsigned char* out, const std::uint32_t* in, unsigned int words)
{
    for (unsigned int i = 0; i < words; ++i) {
        out[4 * i] = static_cast<unsigned char>(in[i]);
        out[4 * i + 1] = static_cast<unsigned char>(in[i] >> 8);
        out[4 * i + 2] = static_cast<unsigned char>(in[i] >> 16);
        out[4 * i + 3] = static_cast<unsigned char>(in[i] >> 24);
    }
}

}  // namespace

MD5::MD5() : state_{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476}, count_{0, 0}, buffer_{},
             digest_{}, finalized_(false)
{
}

MD5::MD5(std::FILE* file) : MD5()
{
    // A null file is reported by update() and leaves the digest unfinalised,
    // so that no digest of an empty message is passed off as the file's.
    const bool readable = file != nullptr;
    update(file);
    if (readable) finalize();
}

MD5::MD5(std::istream& stream) : MD5()
{
    update(stream);
    finalize();
}

MD5::MD5(std::ifstream& stream) : MD5(static_cast<std::istream&>(stream)) {}

void MD5::Transform(const unsigned char block[64])
{
    std::uint32_t x[16];
    for (int i = 0; i < 16; ++i)
        x[i] = std::uint32_t(block[4 * i]) | std::uint32_t(block[4 * i + 1]) << 8 |
               std::uint32_t(block[4 * i + 2]) << 16 | std::uint32_t(block[4 * i + 3]) << 24;

    std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    // One loop per round, so that each has a fixed function and the compiler
    // can unroll it into the straight-line steps of the definition.
    auto step = [&](std::uint32_t f, int i, int k) {
        const std::uint32_t t = d;
        d = c;
        c = b;
        b = b + RotL(a + f + x[k] + kT[i], kShift[i >> 4][i & 3]);
        a = t;
    };
#pragma GCC unroll 16
    for (int i = 0; i < 16; ++i) step(F(b, c, d), i, i);
#pragma GCC unroll 16
    for (int i = 16; i < 32; ++i) step(G(b, c, d), i, (5 * i + 1) & 15);
#pragma GCC unroll 16
    for (int i = 32; i < 48; ++i) step(H(b, c, d), i, (3 * i + 5) & 15);
#pragma GCC unroll 16
    for (int i = 48; i < 64; ++i) step(I(b, c, d), i, (7 * i) & 15);
    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
}

void MD5::update(const unsigned char* data, unsigned int length)
{
    if (finalized_) {
        std::cerr << "MD5::update:  Can't update a finalized digest!" << std::endl;
        return;
    }
    if (data == nullptr || length == 0) return;

    unsigned int index = (count_[0] >> 3) & 0x3F;
    const std::uint32_t bits = length << 3;
    count_[0] += bits;
    if (count_[0] < bits) ++count_[1];
    count_[1] += length >> 29;

    unsigned int i = 0;
    const unsigned int room = 64 - index;
    if (length >= room) {
        std::memcpy(buffer_ + index, data, room);
        Transform(buffer_);
        for (i = room; i + 63 < length; i += 64) Transform(data + i);
        index = 0;
    }
    std::memcpy(buffer_ + index, data + i, length - i);
}

void MD5::update(std::FILE* file)
{
    if (file == nullptr) {
        std::cerr << "MD5::update:  Can't read from a null file!" << std::endl;
        return;
    }
    unsigned char block[1024];
    std::size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        update(block, static_cast<unsigned int>(got));
    std::fclose(file);
}

void MD5::update(std::istream& stream)
{
    char block[1024];
    while (stream.good()) {
        stream.read(block, sizeof block);
        const std::streamsize got = stream.gcount();
        if (got > 0) update(reinterpret_cast<const unsigned char*>(block), static_cast<unsigned int>(got));
    }
}

void MD5::update(std::ifstream& stream) { update(static_cast<std::istream&>(stream)); }

void MD5::finalize()
{
    if (finalized_) {
        std::cerr << "MD5::finalize:  Already finalized this digest!" << std::endl;
        return;
    }
    unsigned char bits[8];
    Encode32LE(bits, count_, 2);

    // Pad with 0x80 and zeros to 56 bytes modulo 64, then the 64-bit length.
    static const unsigned char kPadding[64] = {0x80};
    const unsigned int index = (count_[0] >> 3) & 0x3F;
    const unsigned int padLen = index < 56 ? 56 - index : 120 - index;
    update(kPadding, padLen);
    update(bits, 8);

    Encode32LE(digest_, state_, 4);
    // The buffer may hold message bytes; nothing needs them any more.
    std::memset(buffer_, 0, sizeof buffer_);
    finalized_ = true;
}

unsigned char* MD5::raw_digest()
{
    if (!finalized_) {
        std::cerr << "MD5::raw_digest:  " << kNotFinalized << std::endl;
        return nullptr;
    }
    auto* out = new unsigned char[16];
    std::memcpy(out, digest_, 16);
    return out;
}

char* MD5::hex_digest()
{
    if (!finalized_) {
        std::cerr << "MD5::hex_digest:  " << kNotFinalized << std::endl;
        return new char[1]{'\0'};
    }
    static const char kHex[] = "0123456789abcdef";
    auto* out = new char[33];
    for (int i = 0; i < 16; ++i) {
        out[2 * i] = kHex[digest_[i] >> 4];
        out[2 * i + 1] = kHex[digest_[i] & 0x0F];
    }
    out[32] = '\0';
    return out;
}

std::ostream& operator<<(std::ostream& os, MD5 context)
{
    char* hex = context.hex_digest();
    os << hex;
    delete[] hex;
    return os;
}
