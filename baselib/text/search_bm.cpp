#include <gravik/search.h>

#include "internal/search_common.h"

#include <algorithm>
#include <cstddef>
#include <vector>

using gravik::internal::SearchTrivial;

int BMSearchMemory(const unsigned char* text, unsigned int textLength,
                   const unsigned char* pattern, unsigned int patternLength)
{
    int result;
    if (SearchTrivial(text, textLength, pattern, patternLength, result)) return result;

    const std::size_t m = patternLength;
    const std::size_t n = textLength;

    // Bad character: the last position of each byte in the pattern, -1 if absent.
    long long last[256];
    std::fill(last, last + 256, -1LL);
    for (std::size_t i = 0; i < m; ++i) last[pattern[i]] = static_cast<long long>(i);

    // Good suffix (strong form), from the borders of the pattern's suffixes.
    // Tables up to 1024 pattern bytes stay on the stack, longer ones go to the heap.
    constexpr std::size_t kStackLimit = 1024;
    std::size_t stackTables[2 * (kStackLimit + 1)];
    std::vector<std::size_t> heapTables;
    std::size_t* border = stackTables;
    if (m > kStackLimit) {
        heapTables.resize(2 * (m + 1));
        border = heapTables.data();
    }
    std::size_t* shift = border + (m + 1);
    std::fill(shift, shift + m + 1, 0);

    std::size_t i = m;
    std::size_t j = m + 1;
    border[i] = j;
    while (i > 0) {
        while (j <= m && pattern[i - 1] != pattern[j - 1]) {
            if (shift[j] == 0) shift[j] = j - i;
            j = border[j];
        }
        --i;
        --j;
        border[i] = j;
    }
    j = border[0];
    for (i = 0; i <= m; ++i) {
        if (shift[i] == 0) shift[i] = j;
        if (i == j) j = border[j];
    }

    std::size_t s = 0;
    while (s <= n - m) {
        std::size_t k = m;
        while (k > 0 && pattern[k - 1] == text[s + k - 1]) --k;
        if (k == 0) return static_cast<int>(s);
        // Mismatch at pattern position k - 1.
        const long long badChar = static_cast<long long>(k - 1) - last[text[s + k - 1]];
        const long long good = static_cast<long long>(shift[k]);
        s += static_cast<std::size_t>(std::max(good, badChar));
    }
    return -1;
}

int BMSearchStr(const char* text, const char* pattern)
{
    return gravik::internal::SearchCText<BMSearchMemory>(text, pattern);
}
