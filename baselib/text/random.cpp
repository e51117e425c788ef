// Random texts and version-4 UUIDs.
#include <gravik/strings.h>

#include <sys/random.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>

namespace gravik {
namespace {

// Each thread draws from its own generator, seeded once from the OS random
// source: reseeding with the clock on every call would repeat the same text
// within a second.
std::mt19937& Generator()
{
    thread_local std::mt19937 gen{[] {
        std::random_device rd;
        std::seed_seq seq{rd(), rd(), rd(), rd(), rd(), rd(), rd(), rd()};
        return std::mt19937(seq);
    }()};
    return gen;
}

bool OsRandom(unsigned char* out, std::size_t n)
{
    std::size_t got = 0;
    while (got < n) {
        const ssize_t r = getrandom(out + got, n - got, 0);
        if (r < 0) {
            if (errno == EINTR) continue;
            break;
        }
        got += static_cast<std::size_t>(r);
    }
    if (got == n) return true;
    // Kernels without getrandom still offer the device.
    std::ifstream dev("/dev/urandom", std::ios::binary);
    return dev.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(n)).good();
}

}  // namespace

char* GetRandStr(char* out, int len, int kind)
{
    if (!out) return out;
    static const char kDigits[] = "0123456789";
    static const char kUpper[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    static const char kLower[] = "abcdefghijklmnopqrstuvwxyz";
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    static const char kAlnum[] =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const char* set = nullptr;
    int size = 0;
    switch (kind) {
    case 1: set = kDigits; size = 10; break;
    case 2: set = kUpper; size = 26; break;
    case 3: set = kLower; size = 26; break;
    case 4: set = kLetters; size = 52; break;
    case 5: set = kAlnum; size = 62; break;
    default: break;
    }
    std::uniform_int_distribution<int> pick(0, (set ? size : 94) - 1);
    auto& gen = Generator();
    for (int i = 0; i < len; ++i) {
        const int k = pick(gen);
        out[i] = set ? set[k] : static_cast<char>('!' + k);
    }
    out[len > 0 ? len : 0] = '\0';
    return out;
}

void GetUUID(std::string& uuid)
{
    unsigned char b[16];
    if (!OsRandom(b, sizeof b)) {
        uuid.clear();
        return;
    }
    b[6] = static_cast<unsigned char>((b[6] & 0x0F) | 0x40);  // version 4
    b[8] = static_cast<unsigned char>((b[8] & 0x3F) | 0x80);  // RFC 4122 variant
    char text[37];
    std::snprintf(text, sizeof text,
                  "%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x", b[0],
                  b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12],
                  b[13], b[14], b[15]);
    uuid.assign(text, 36);
}

}  // namespace gravik
