#include <gravik/base64.h>

#include <array>
#include <climits>
#include <cstring>
#include <vector>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr signed char kPad = -2;
constexpr signed char kSkip = -1;

constexpr std::array<signed char, 256> MakeDecodeTable()
{
    std::array<signed char, 256> t{};
    for (auto& v : t) v = kSkip;
    for (int i = 0; i < 64; ++i) t[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
    t['='] = kPad;
    return t;
}

constexpr std::array<signed char, 256> kDecode = MakeDecodeTable();

// Decodes without writing a terminator; `out` may be null to count only.
std::size_t Decode(unsigned char* out, const char* in)
{
    std::size_t n = 0;
    unsigned int group = 0;
    int have = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(in); *p; ++p) {
        const signed char v = kDecode[*p];
        if (v == kSkip) continue;
        if (v == kPad) break;
        group = (group << 6) | static_cast<unsigned int>(v);
        if (++have == 4) {
            if (out) {
                out[n] = static_cast<unsigned char>(group >> 16);
                out[n + 1] = static_cast<unsigned char>(group >> 8);
                out[n + 2] = static_cast<unsigned char>(group);
            }
            n += 3;
            group = 0;
            have = 0;
        }
    }
    // A partial group of 2 or 3 characters carries 1 or 2 whole bytes.
    if (have >= 2) {
        group <<= 6 * (4 - have);
        if (out) out[n] = static_cast<unsigned char>(group >> 16);
        ++n;
        if (have == 3) {
            if (out) out[n] = static_cast<unsigned char>(group >> 8);
            ++n;
        }
    }
    return n;
}

}  // namespace

int CBase64Code::EncodeBase64(char* out, const char* in, int length)
{
    if (out == nullptr) return -1;
    if (length <= 0) {
        out[0] = '\0';
        return 0;
    }
    if (in == nullptr || EncodedSize(length) - 1 > INT_MAX) return -1;

    const auto* src = reinterpret_cast<const unsigned char*>(in);
    const std::size_t len = static_cast<std::size_t>(length);
    std::size_t o = 0;
    std::size_t i = 0;
    for (; i + 3 <= len; i += 3) {
        const unsigned int g = unsigned(src[i]) << 16 | unsigned(src[i + 1]) << 8 | src[i + 2];
        out[o++] = kAlphabet[g >> 18];
        out[o++] = kAlphabet[(g >> 12) & 63];
        out[o++] = kAlphabet[(g >> 6) & 63];
        out[o++] = kAlphabet[g & 63];
    }
    if (const std::size_t rest = len - i; rest > 0) {
        unsigned int g = unsigned(src[i]) << 16;
        if (rest == 2) g |= unsigned(src[i + 1]) << 8;
        out[o++] = kAlphabet[g >> 18];
        out[o++] = kAlphabet[(g >> 12) & 63];
        out[o++] = rest == 2 ? kAlphabet[(g >> 6) & 63] : '=';
        out[o++] = '=';
    }
    out[o] = '\0';
    return static_cast<int>(o);
}

int CBase64Code::DecodeBase64(char* out, const char* in)
{
    if (out == nullptr || in == nullptr) return -1;
    const std::size_t n = Decode(reinterpret_cast<unsigned char*>(out), in);
    out[n] = '\0';
    // Every 4 input bytes give at most 3 output bytes, so a text whose length
    // fits a size_t but whose result exceeds INT_MAX is beyond 2.8 GB of input.
    return n > static_cast<std::size_t>(INT_MAX) ? -1 : static_cast<int>(n);
}

std::string CBase64Code::EncodeBase64(const std::string& in)
{
    if (in.empty() || in.size() > static_cast<std::size_t>(INT_MAX)) return std::string();
    std::string out(static_cast<std::size_t>(EncodedSize(static_cast<long long>(in.size()))), '\0');
    const int n = EncodeBase64(out.data(), in.data(), static_cast<int>(in.size()));
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

std::string CBase64Code::DecodeBase64(const std::string& in)
{
    // in.c_str() ends the text at an embedded NUL, as the C form would.
    const char* text = in.c_str();
    std::string out(Decode(nullptr, text) + 1, '\0');
    Decode(reinterpret_cast<unsigned char*>(out.data()), text);
    out.resize(std::strlen(out.c_str()));
    return out;
}
