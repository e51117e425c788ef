// Argument handling shared by the three search methods.
#ifndef GRAVIK_INTERNAL_SEARCH_COMMON_H
#define GRAVIK_INTERNAL_SEARCH_COMMON_H

#include <climits>
#include <cstring>

namespace gravik::internal {

// Settles the cases every method answers alike. Returns true with `result`
// set when the search is decided; otherwise clips `textLength` so that no
// match can start beyond INT_MAX, where the int result could not express it.
inline bool SearchTrivial(const unsigned char* text, unsigned int& textLength,
                          const unsigned char* pattern, unsigned int patternLength, int& result)
{
    if (patternLength == 0) {
        result = 0;
        return true;
    }
    if (pattern == nullptr || text == nullptr || patternLength > textLength) {
        result = -1;
        return true;
    }
    const unsigned long long lastStart = static_cast<unsigned long long>(INT_MAX);
    if (textLength - patternLength > lastStart)
        textLength = static_cast<unsigned int>(lastStart + patternLength);
    return false;
}

template <int (*Search)(const unsigned char*, unsigned int, const unsigned char*, unsigned int)>
int SearchCText(const char* text, const char* pattern)
{
    if (text == nullptr || pattern == nullptr) return -1;
    const std::size_t n = std::strlen(text);
    const std::size_t m = std::strlen(pattern);
    if (m > n) return -1;
    // C texts longer than 4 GiB are searched in their first 4 GiB - 1 bytes.
    const unsigned int tn = n > UINT_MAX ? UINT_MAX : static_cast<unsigned int>(n);
    if (m > tn) return -1;
    return Search(reinterpret_cast<const unsigned char*>(text), tn,
                  reinterpret_cast<const unsigned char*>(pattern), static_cast<unsigned int>(m));
}

}  // namespace gravik::internal

#endif  // GRAVIK_INTERNAL_SEARCH_COMMON_H
