// Fuzzes the three searches against std::search. The first byte chooses how
// much of the rest is the pattern; the second, whether the pattern is copied
// from the text (so that matches are frequent).
#include <gravik/search.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    const std::size_t rest = size - 2;
    const std::size_t plen = rest == 0 ? 0 : data[0] % (rest + 1);
    std::vector<unsigned char> pattern(data + 2, data + 2 + plen);
    const std::vector<unsigned char> text(data + 2 + plen, data + size);
    if ((data[1] & 1) && !text.empty() && !pattern.empty()) {
        // Take the pattern from the text, starting at a position chosen by data[1].
        const std::size_t at = (data[1] >> 1) % text.size();
        const std::size_t n = std::min(pattern.size(), text.size() - at);
        pattern.assign(text.begin() + static_cast<long>(at), text.begin() + static_cast<long>(at + n));
    }

    const auto it = std::search(text.begin(), text.end(), pattern.begin(), pattern.end());
    const int expected =
        (it == text.end() && !pattern.empty()) ? -1 : static_cast<int>(it - text.begin());
    const auto tn = static_cast<unsigned int>(text.size());
    const auto pn = static_cast<unsigned int>(pattern.size());
    if (KMPSearchMemory(text.data(), tn, pattern.data(), pn) != expected) std::abort();
    if (BMSearchMemory(text.data(), tn, pattern.data(), pn) != expected) std::abort();
    if (SundaySearchMemory(text.data(), tn, pattern.data(), pn) != expected) std::abort();

    // The C-text forms see both up to their first zero byte.
    const std::string ts(text.begin(), text.end());
    const std::string ps(pattern.begin(), pattern.end());
    const std::string tc = ts.c_str();
    const std::string pc = ps.c_str();
    const std::size_t pos = tc.find(pc);
    const int cexpected = pos == std::string::npos ? -1 : static_cast<int>(pos);
    if (KMPSearchStr(ts.c_str(), ps.c_str()) != cexpected) std::abort();
    if (BMSearchStr(ts.c_str(), ps.c_str()) != cexpected) std::abort();
    if (SundaySearchStr(ts.c_str(), ps.c_str()) != cexpected) std::abort();
    return 0;
}
