#include <gravik/aes.h>

#include <array>
#include <cstdint>

namespace {

using Table = std::array<std::uint32_t, 256>;

constexpr std::uint8_t XTime(std::uint8_t a)
{
    return static_cast<std::uint8_t>((a << 1) ^ ((a & 0x80) ? 0x1B : 0));
}

constexpr std::uint8_t Mul(std::uint8_t a, std::uint8_t b)
{
    std::uint8_t p = 0;
    while (b) {
        if (b & 1) p ^= a;
        a = XTime(a);
        b >>= 1;
    }
    return p;
}

constexpr std::uint32_t Word(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d)
{
    return std::uint32_t(a) << 24 | std::uint32_t(b) << 16 | std::uint32_t(c) << 8 | d;
}

constexpr std::uint32_t RotR(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

// Round transformations as look-up tables: te[r][x] is the contribution of the
// byte x in row r to its column after SubBytes and MixColumns (td likewise for
// InvSubBytes and InvMixColumns); rows 1-3 are byte rotations of row 0.
struct Tables {
    std::uint8_t sbox[256];
    std::uint8_t inv[256];
    Table te[4];
    Table td[4];
};

constexpr Tables MakeTables()
{
    Tables t{};
    // Multiplicative inverses through powers of the generator 3.
    std::uint8_t exp[255]{};
    std::uint8_t log[256]{};
    std::uint8_t p = 1;
    for (int i = 0; i < 255; ++i) {
        exp[i] = p;
        log[p] = static_cast<std::uint8_t>(i);
        p = Mul(p, 3);
    }
    for (int x = 0; x < 256; ++x) {
        const std::uint8_t b = x == 0 ? 0 : exp[(255 - log[x]) % 255];
        // The affine transformation of FIPS 197, section 5.1.1.
        std::uint8_t s = 0x63;
        for (int k = 0; k < 8; ++k) {
            const int bit = ((b >> k) ^ (b >> ((k + 4) & 7)) ^ (b >> ((k + 5) & 7)) ^
                             (b >> ((k + 6) & 7)) ^ (b >> ((k + 7) & 7))) & 1;
            s = static_cast<std::uint8_t>(s ^ (bit << k));
        }
        t.sbox[x] = s;
        t.inv[s] = static_cast<std::uint8_t>(x);
    }
    for (int x = 0; x < 256; ++x) {
        const std::uint8_t s = t.sbox[x];
        const std::uint8_t i = t.inv[x];
        t.te[0][x] = Word(Mul(s, 2), s, s, Mul(s, 3));
        t.td[0][x] = Word(Mul(i, 14), Mul(i, 9), Mul(i, 13), Mul(i, 11));
        for (int r = 1; r < 4; ++r) {
            t.te[r][x] = RotR(t.te[0][x], 8 * r);
            t.td[r][x] = RotR(t.td[0][x], 8 * r);
        }
    }
    return t;
}

// Fixed at build time, so no thread ever sees half-built tables.
constexpr Tables kT = MakeTables();

inline std::uint32_t Load32BE(const unsigned char* p)
{
    return Word(p[0], p[1], p[2], p[3]);
}

inline void Store32BE(unsigned char* p, std::uint32_t v)
{
    p[0] = static_cast<unsigned char>(v >> 24);
    p[1] = static_cast<unsigned char>(v >> 16);
    p[2] = static_cast<unsigned char>(v >> 8);
    p[3] = static_cast<unsigned char>(v);
}

inline std::uint32_t SubWord(std::uint32_t w)
{
    return Word(kT.sbox[w >> 24], kT.sbox[(w >> 16) & 0xFF], kT.sbox[(w >> 8) & 0xFF],
                kT.sbox[w & 0xFF]);
}

inline std::uint32_t InvMixColumn(std::uint32_t w)
{
    // td already holds InvSubBytes; undo it by looking up S-box outputs.
    return kT.td[0][kT.sbox[w >> 24]] ^ kT.td[1][kT.sbox[(w >> 16) & 0xFF]] ^
           kT.td[2][kT.sbox[(w >> 8) & 0xFF]] ^ kT.td[3][kT.sbox[w & 0xFF]];
}

inline bool Usable(const aes_context* ctx)
{
    return ctx->nr == 10 || ctx->nr == 12 || ctx->nr == 14;
}

inline std::uint8_t B(std::uint32_t w, int row) { return static_cast<std::uint8_t>(w >> (24 - 8 * row)); }

}  // namespace

int aes_set_key(aes_context* ctx, const unsigned char* key, int bits)
{
    if (ctx == nullptr) return 1;
    ctx->nr = 0;
    if (key == nullptr || (bits != 128 && bits != 192 && bits != 256)) return 1;

    const int nk = bits / 32;
    const int nr = nk + 6;
    const int words = 4 * (nr + 1);
    std::uint32_t* w = ctx->erk;
    for (int i = 0; i < nk; ++i) w[i] = Load32BE(key + 4 * i);
    std::uint8_t rcon = 1;
    for (int i = nk; i < words; ++i) {
        std::uint32_t temp = w[i - 1];
        if (i % nk == 0) {
            temp = SubWord((temp << 8) | (temp >> 24)) ^ (std::uint32_t(rcon) << 24);
            rcon = XTime(rcon);
        } else if (nk > 6 && i % nk == 4) {
            temp = SubWord(temp);
        }
        w[i] = w[i - nk] ^ temp;
    }

    // Equivalent inverse cipher: round keys in reverse order, the inner ones
    // passed through InvMixColumns so decryption has the shape of encryption.
    std::uint32_t* d = ctx->drk;
    for (int c = 0; c < 4; ++c) {
        d[c] = w[4 * nr + c];
        d[4 * nr + c] = w[c];
    }
    for (int r = 1; r < nr; ++r)
        for (int c = 0; c < 4; ++c) d[4 * r + c] = InvMixColumn(w[4 * (nr - r) + c]);
    ctx->nr = nr;
    return 0;
}

void aes_encrypt(aes_context* ctx, const unsigned char input[16], unsigned char output[16])
{
    if (ctx == nullptr || input == nullptr || output == nullptr || !Usable(ctx)) return;
    const std::uint32_t* rk = ctx->erk;
    const auto& te = kT.te;
    std::uint32_t s0 = Load32BE(input) ^ rk[0];
    std::uint32_t s1 = Load32BE(input + 4) ^ rk[1];
    std::uint32_t s2 = Load32BE(input + 8) ^ rk[2];
    std::uint32_t s3 = Load32BE(input + 12) ^ rk[3];
    for (int r = 1; r < ctx->nr; ++r) {
        rk += 4;
        // ShiftRows: row i of column c comes from column c + i.
        const std::uint32_t t0 = te[0][B(s0, 0)] ^ te[1][B(s1, 1)] ^ te[2][B(s2, 2)] ^ te[3][B(s3, 3)] ^ rk[0];
        const std::uint32_t t1 = te[0][B(s1, 0)] ^ te[1][B(s2, 1)] ^ te[2][B(s3, 2)] ^ te[3][B(s0, 3)] ^ rk[1];
        const std::uint32_t t2 = te[0][B(s2, 0)] ^ te[1][B(s3, 1)] ^ te[2][B(s0, 2)] ^ te[3][B(s1, 3)] ^ rk[2];
        const std::uint32_t t3 = te[0][B(s3, 0)] ^ te[1][B(s0, 1)] ^ te[2][B(s1, 2)] ^ te[3][B(s2, 3)] ^ rk[3];
        s0 = t0;
        s1 = t1;
        s2 = t2;
        s3 = t3;
    }
    rk += 4;
    const auto* S = kT.sbox;
    Store32BE(output, Word(S[B(s0, 0)], S[B(s1, 1)], S[B(s2, 2)], S[B(s3, 3)]) ^ rk[0]);
    Store32BE(output + 4, Word(S[B(s1, 0)], S[B(s2, 1)], S[B(s3, 2)], S[B(s0, 3)]) ^ rk[1]);
    Store32BE(output + 8, Word(S[B(s2, 0)], S[B(s3, 1)], S[B(s0, 2)], S[B(s1, 3)]) ^ rk[2]);
    Store32BE(output + 12, Word(S[B(s3, 0)], S[B(s0, 1)], S[B(s1, 2)], S[B(s2, 3)]) ^ rk[3]);
}

void aes_decrypt(aes_context* ctx, const unsigned char input[16], unsigned char output[16])
{
    if (ctx == nullptr || input == nullptr || output == nullptr || !Usable(ctx)) return;
    const std::uint32_t* rk = ctx->drk;
    const auto& td = kT.td;
    std::uint32_t s0 = Load32BE(input) ^ rk[0];
    std::uint32_t s1 = Load32BE(input + 4) ^ rk[1];
    std::uint32_t s2 = Load32BE(input + 8) ^ rk[2];
    std::uint32_t s3 = Load32BE(input + 12) ^ rk[3];
    for (int r = 1; r < ctx->nr; ++r) {
        rk += 4;
        // InvShiftRows: row i of column c comes from column c - i.
        const std::uint32_t t0 = td[0][B(s0, 0)] ^ td[1][B(s3, 1)] ^ td[2][B(s2, 2)] ^ td[3][B(s1, 3)] ^ rk[0];
        const std::uint32_t t1 = td[0][B(s1, 0)] ^ td[1][B(s0, 1)] ^ td[2][B(s3, 2)] ^ td[3][B(s2, 3)] ^ rk[1];
        const std::uint32_t t2 = td[0][B(s2, 0)] ^ td[1][B(s1, 1)] ^ td[2][B(s0, 2)] ^ td[3][B(s3, 3)] ^ rk[2];
        const std::uint32_t t3 = td[0][B(s3, 0)] ^ td[1][B(s2, 1)] ^ td[2][B(s1, 2)] ^ td[3][B(s0, 3)] ^ rk[3];
        s0 = t0;
        s1 = t1;
        s2 = t2;
        s3 = t3;
    }
    rk += 4;
    const auto* I = kT.inv;
    Store32BE(output, Word(I[B(s0, 0)], I[B(s3, 1)], I[B(s2, 2)], I[B(s1, 3)]) ^ rk[0]);
    Store32BE(output + 4, Word(I[B(s1, 0)], I[B(s0, 1)], I[B(s3, 2)], I[B(s2, 3)]) ^ rk[1]);
    Store32BE(output + 8, Word(I[B(s2, 0)], I[B(s1, 1)], I[B(s0, 2)], I[B(s3, 3)]) ^ rk[2]);
    Store32BE(output + 12, Word(I[B(s3, 0)], I[B(s2, 1)], I[B(s1, 2)], I[B(s0, 3)]) ^ rk[3]);
}
