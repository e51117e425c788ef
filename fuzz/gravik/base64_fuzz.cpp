// Fuzzes Base64 decoding of arbitrary text into a buffer of exactly the
// advertised size, and checks that encoding then decoding gives the bytes back.
#include <gravik/base64.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);  // ends at any NUL
    const std::size_t len = std::strlen(text.c_str());

    std::vector<char> decoded(static_cast<std::size_t>(CBase64Code::DecodedSize(len)));
    const int n = CBase64Code::DecodeBase64(decoded.data(), text.c_str());
    if (n < 0 || static_cast<std::size_t>(n) >= decoded.size() || decoded[n] != '\0') std::abort();

    std::vector<char> encoded(static_cast<std::size_t>(CBase64Code::EncodedSize(n)));
    const int e = CBase64Code::EncodeBase64(encoded.data(), decoded.data(), n);
    if (e != (n + 2) / 3 * 4) std::abort();
    std::vector<char> again(static_cast<std::size_t>(CBase64Code::DecodedSize(e)));
    if (CBase64Code::DecodeBase64(again.data(), encoded.data()) != n) std::abort();
    if (std::memcmp(again.data(), decoded.data(), static_cast<std::size_t>(n)) != 0) std::abort();

    (void)CBase64Code::DecodeBase64(text);
    return 0;
}
