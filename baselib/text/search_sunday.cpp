#include <gravik/search.h>

#include "internal/search_common.h"

#include <cstddef>
#include <cstring>

using gravik::internal::SearchTrivial;

int SundaySearchMemory(const unsigned char* text, unsigned int textLength,
                       const unsigned char* pattern, unsigned int patternLength)
{
    int result;
    if (SearchTrivial(text, textLength, pattern, patternLength, result)) return result;

    const std::size_t m = patternLength;
    const std::size_t n = textLength;
    std::size_t shift[256];
    for (auto& v : shift) v = m + 1;
    for (std::size_t i = 0; i < m; ++i) shift[pattern[i]] = m - i;

    std::size_t s = 0;
    while (s <= n - m) {
        if (text[s] == pattern[0] && std::memcmp(text + s, pattern, m) == 0)
            return static_cast<int>(s);
        // The byte just past the window exists only while the window is not
        // at the text's end.
        if (s + m >= n) break;
        s += shift[text[s + m]];
    }
    return -1;
}

int SundaySearchStr(const char* text, const char* pattern)
{
    return gravik::internal::SearchCText<SundaySearchMemory>(text, pattern);
}
