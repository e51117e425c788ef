#include <gravik/search.h>

#include "internal/search_common.h"

#include <vector>

using gravik::internal::SearchTrivial;

int KMPSearchMemory(const unsigned char* text, unsigned int textLength,
                    const unsigned char* pattern, unsigned int patternLength)
{
    int result;
    if (SearchTrivial(text, textLength, pattern, patternLength, result)) return result;

    // The failure table lives on the stack for ordinary patterns; longer ones
    // get a heap table instead of overrunning the fixed one.
    constexpr unsigned int kStackLimit = 1023;
    unsigned int stackTable[kStackLimit];
    std::vector<unsigned int> heapTable;
    unsigned int* fail = stackTable;
    if (patternLength > kStackLimit) {
        heapTable.resize(patternLength);
        fail = heapTable.data();
    }

    // fail[i]: length of the longest proper border of pattern[0..i].
    fail[0] = 0;
    for (unsigned int i = 1, k = 0; i < patternLength; ++i) {
        while (k > 0 && pattern[i] != pattern[k]) k = fail[k - 1];
        if (pattern[i] == pattern[k]) ++k;
        fail[i] = k;
    }

    for (unsigned int i = 0, q = 0; i < textLength; ++i) {
        while (q > 0 && text[i] != pattern[q]) q = fail[q - 1];
        if (text[i] == pattern[q]) ++q;
        if (q == patternLength) return static_cast<int>(i + 1 - patternLength);
    }
    return -1;
}

int KMPSearchStr(const char* text, const char* pattern)
{
    return gravik::internal::SearchCText<KMPSearchMemory>(text, pattern);
}
