#include <gravik/des.h>

#include <array>
#include <cstdint>

namespace {

// Permutation tables, bits numbered from 1 at the most significant end.
constexpr std::uint8_t kIP[64] = {
    58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4,
    62, 54, 46, 38, 30, 22, 14, 6, 64, 56, 48, 40, 32, 24, 16, 8,
    57, 49, 41, 33, 25, 17, 9,  1, 59, 51, 43, 35, 27, 19, 11, 3,
    61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7};

constexpr std::uint8_t kP[32] = {16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
                                 2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25};

constexpr std::uint8_t kPC1[56] = {
    57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18, 10, 2,  59, 51, 43,
    35, 27, 19, 11, 3,  60, 52, 44, 36, 63, 55, 47, 39, 31, 23, 15, 7,  62, 54,
    46, 38, 30, 22, 14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};

constexpr std::uint8_t kPC2[48] = {14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10,
                                   23, 19, 12, 4,  26, 8,  16, 7,  27, 20, 13, 2,
                                   41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48,
                                   44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

constexpr std::uint8_t kShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

constexpr std::uint8_t kS[8][64] = {
    {14, 4,  13, 1, 2,  15, 11, 8,  3,  10, 6,  12, 5,  9,  0, 7,
     0,  15, 7,  4, 14, 2,  13, 1,  10, 6,  12, 11, 9,  5,  3, 8,
     4,  1,  14, 8, 13, 6,  2,  11, 15, 12, 9,  7,  3,  10, 5, 0,
     15, 12, 8,  2, 4,  9,  1,  7,  5,  11, 3,  14, 10, 0,  6, 13},
    {15, 1,  8,  14, 6,  11, 3,  4,  9,  7, 2,  13, 12, 0, 5,  10,
     3,  13, 4,  7,  15, 2,  8,  14, 12, 0, 1,  10, 6,  9, 11, 5,
     0,  14, 7,  11, 10, 4,  13, 1,  5,  8, 12, 6,  9,  3, 2,  15,
     13, 8,  10, 1,  3,  15, 4,  2,  11, 6, 7,  12, 0,  5, 14, 9},
    {10, 0,  9,  14, 6, 3,  15, 5,  1,  13, 12, 7,  11, 4,  2,  8,
     13, 7,  0,  9,  3, 4,  6,  10, 2,  8,  5,  14, 12, 11, 15, 1,
     13, 6,  4,  9,  8, 15, 3,  0,  11, 1,  2,  12, 5,  10, 14, 7,
     1,  10, 13, 0,  6, 9,  8,  7,  4,  15, 14, 3,  11, 5,  2,  12},
    {7,  13, 14, 3, 0,  6,  9,  10, 1,  2, 8, 5,  11, 12, 4,  15,
     13, 8,  11, 5, 6,  15, 0,  3,  4,  7, 2, 12, 1,  10, 14, 9,
     10, 6,  9,  0, 12, 11, 7,  13, 15, 1, 3, 14, 5,  2,  8,  4,
     3,  15, 0,  6, 10, 1,  13, 8,  9,  4, 5, 11, 12, 7,  2,  14},
    {2,  12, 4,  1,  7,  10, 11, 6,  8,  5,  3,  15, 13, 0, 14, 9,
     14, 11, 2,  12, 4,  7,  13, 1,  5,  0,  15, 10, 3,  9, 8,  6,
     4,  2,  1,  11, 10, 13, 7,  8,  15, 9,  12, 5,  6,  3, 0,  14,
     11, 8,  12, 7,  1,  14, 2,  13, 6,  15, 0,  9,  10, 4, 5,  3},
    {12, 1,  10, 15, 9, 2,  6,  8,  0,  13, 3,  4,  14, 7,  5,  11,
     10, 15, 4,  2,  7, 12, 9,  5,  6,  1,  13, 14, 0,  11, 3,  8,
     9,  14, 15, 5,  2, 8,  12, 3,  7,  0,  4,  10, 1,  13, 11, 6,
     4,  3,  2,  12, 9, 5,  15, 10, 11, 14, 1,  7,  6,  0,  8,  13},
    {4,  11, 2,  14, 15, 0, 8,  13, 3,  12, 9, 7,  5,  10, 6, 1,
     13, 0,  11, 7,  4,  9, 1,  10, 14, 3,  5, 12, 2,  15, 8, 6,
     1,  4,  11, 13, 12, 3, 7,  14, 10, 15, 6, 8,  0,  5,  9, 2,
     6,  11, 13, 8,  1,  4, 10, 7,  9,  5,  0, 15, 14, 2,  3, 12},
    {13, 2,  8,  4, 6,  15, 11, 1,  10, 9,  3,  14, 5,  0,  12, 7,
     1,  15, 13, 8, 10, 3,  7,  4,  12, 5,  6,  11, 0,  14, 9,  2,
     7,  11, 4,  1, 9,  12, 14, 2,  0,  6,  10, 13, 15, 3,  5,  8,
     2,  1,  14, 7, 4,  10, 8,  13, 15, 12, 9,  0,  3,  5,  6,  11}};

// out bit i (from the top of an outBits-wide value) = in bit table[i] (from
// the top of an inBits-wide value).
constexpr std::uint64_t Permute(std::uint64_t in, int inBits, const std::uint8_t* table,
                                int outBits)
{
    std::uint64_t out = 0;
    for (int i = 0; i < outBits; ++i)
        out = (out << 1) | ((in >> (inBits - table[i])) & 1u);
    return out;
}

struct Tables {
    std::uint8_t fp[64];                 // the inverse of kIP
    std::array<std::uint32_t, 64> sp[8]; // S-box s followed by P, per 6-bit input
};

constexpr Tables MakeTables()
{
    Tables t{};
    for (int i = 0; i < 64; ++i) t.fp[kIP[i] - 1] = static_cast<std::uint8_t>(i + 1);
    for (int s = 0; s < 8; ++s)
        for (int b = 0; b < 64; ++b) {
            // The outer bits pick the row, the middle four the column.
            const int row = ((b >> 4) & 2) | (b & 1);
            const int col = (b >> 1) & 15;
            const std::uint64_t sOut = std::uint64_t(kS[s][row * 16 + col]) << (28 - 4 * s);
            t.sp[s][b] = static_cast<std::uint32_t>(Permute(sOut, 32, kP, 32));
        }
    return t;
}

// Fixed at build time: nothing is initialised on first use.
constexpr Tables kT = MakeTables();

inline std::uint32_t RotL32(std::uint32_t x, int n)
{
    n &= 31;
    return n == 0 ? x : (x << n) | (x >> (32 - n));
}

inline std::uint32_t Feistel(std::uint32_t r, std::uint64_t k)
{
    std::uint32_t f = 0;
    // The expansion E gives each S-box six consecutive bits of R, wrapping at
    // the ends; a rotation brings them to the top.
    for (int s = 0; s < 8; ++s) {
        const std::uint32_t chunk = (RotL32(r, 4 * s - 1) >> 26) ^
                                    static_cast<std::uint32_t>((k >> (42 - 6 * s)) & 63);
        f |= kT.sp[s][chunk];
    }
    return f;
}

inline std::uint64_t Load64BE(const unsigned char* p)
{
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v = (v << 8) | p[i];
    return v;
}

inline void Store64BE(unsigned char* p, std::uint64_t v)
{
    for (int i = 7; i >= 0; --i) {
        p[i] = static_cast<unsigned char>(v);
        v >>= 8;
    }
}

void KeySchedule(const unsigned char key[8], std::uint64_t esk[16], std::uint64_t dsk[16])
{
    const std::uint64_t cd = Permute(Load64BE(key), 64, kPC1, 56);
    std::uint32_t c = static_cast<std::uint32_t>(cd >> 28) & 0x0FFFFFFF;
    std::uint32_t d = static_cast<std::uint32_t>(cd) & 0x0FFFFFFF;
    for (int r = 0; r < 16; ++r) {
        const int n = kShifts[r];
        c = ((c << n) | (c >> (28 - n))) & 0x0FFFFFFF;
        d = ((d << n) | (d >> (28 - n))) & 0x0FFFFFFF;
        esk[r] = Permute((std::uint64_t(c) << 28) | d, 56, kPC2, 48);
    }
    for (int r = 0; r < 16; ++r) dsk[r] = esk[15 - r];
}

// The sixteen rounds between the initial and final permutations.
inline std::uint64_t Rounds(std::uint64_t block, const std::uint64_t* sk)
{
    std::uint32_t l = static_cast<std::uint32_t>(block >> 32);
    std::uint32_t r = static_cast<std::uint32_t>(block);
    for (int i = 0; i < 16; ++i) {
        const std::uint32_t t = r;
        r = l ^ Feistel(r, sk[i]);
        l = t;
    }
    return (std::uint64_t(r) << 32) | l;  // the last round does not swap
}

void Crypt(const std::uint64_t* sk, int passes, const unsigned char in[8], unsigned char out[8])
{
    std::uint64_t b = Permute(Load64BE(in), 64, kIP, 64);
    // Between passes the final and initial permutations cancel out.
    for (int p = 0; p < passes; ++p) b = Rounds(b, sk + 16 * p);
    Store64BE(out, Permute(b, 64, kT.fp, 64));
}

}  // namespace

int des_set_key(des_context* ctx, const unsigned char key[8])
{
    if (ctx == nullptr || key == nullptr) return -1;
    KeySchedule(key, ctx->esk, ctx->dsk);
    return 0;
}

void des_encrypt(des_context* ctx, const unsigned char input[8], unsigned char output[8])
{
    if (ctx == nullptr || input == nullptr || output == nullptr) return;
    Crypt(ctx->esk, 1, input, output);
}

void des_decrypt(des_context* ctx, const unsigned char input[8], unsigned char output[8])
{
    if (ctx == nullptr || input == nullptr || output == nullptr) return;
    Crypt(ctx->dsk, 1, input, output);
}

int des3_set_3keys(des3_context* ctx, const unsigned char key1[8], const unsigned char key2[8],
                   const unsigned char key3[8])
{
    if (ctx == nullptr || key1 == nullptr || key2 == nullptr || key3 == nullptr) return -1;
    std::uint64_t e1[16], d1[16], e2[16], d2[16], e3[16], d3[16];
    KeySchedule(key1, e1, d1);
    KeySchedule(key2, e2, d2);
    KeySchedule(key3, e3, d3);
    for (int i = 0; i < 16; ++i) {
        ctx->esk[i] = e1[i];
        ctx->esk[16 + i] = d2[i];
        ctx->esk[32 + i] = e3[i];
        ctx->dsk[i] = d3[i];
        ctx->dsk[16 + i] = e2[i];
        ctx->dsk[32 + i] = d1[i];
    }
    return 0;
}

int des3_set_2keys(des3_context* ctx, const unsigned char key1[8], const unsigned char key2[8])
{
    return des3_set_3keys(ctx, key1, key2, key1);
}

void des3_encrypt(des3_context* ctx, const unsigned char input[8], unsigned char output[8])
{
    if (ctx == nullptr || input == nullptr || output == nullptr) return;
    Crypt(ctx->esk, 3, input, output);
}

void des3_decrypt(des3_context* ctx, const unsigned char input[8], unsigned char output[8])
{
    if (ctx == nullptr || input == nullptr || output == nullptr) return;
    Crypt(ctx->dsk, 3, input, output);
}
