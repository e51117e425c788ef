// libGravik - exact-match search in memory and in C texts.
//
// Three classic methods with one contract: each returns the offset (from 0) of
// the first occurrence of the pattern in the text, or -1 when there is none,
// when the pattern is longer than the text, or when the text or a non-empty
// pattern is null. An empty pattern is found at offset 0 (as std::search and
// strstr do). Occurrences starting beyond INT_MAX cannot be reported and count
// as absent. Patterns of any length are accepted; the methods keep their
// tables on the stack up to 1023 (KMP) and 1024 (Boyer-Moore) pattern bytes
// and on the heap beyond. All functions work only on the caller's data and
// are safe on any thread.
#ifndef GRAVIK_SEARCH_H
#define GRAVIK_SEARCH_H

#include <gravik/export.h>

// Knuth-Morris-Pratt with a failure table.
GRAVIK_API int KMPSearchMemory(const unsigned char* text, unsigned int textLength,
                               const unsigned char* pattern, unsigned int patternLength);

// Boyer-Moore with the bad-character and good-suffix rules.
GRAVIK_API int BMSearchMemory(const unsigned char* text, unsigned int textLength,
                              const unsigned char* pattern, unsigned int patternLength);

// Sunday's quick search: after a mismatch the window moves by the shift of the
// byte just past it (pattern length + 1 for a byte not in the pattern).
GRAVIK_API int SundaySearchMemory(const unsigned char* text, unsigned int textLength,
                                  const unsigned char* pattern, unsigned int patternLength);

// The memory forms applied to two NUL-terminated texts (terminators excluded).
// A null text or pattern gives -1.
GRAVIK_API int KMPSearchStr(const char* text, const char* pattern);
GRAVIK_API int BMSearchStr(const char* text, const char* pattern);
GRAVIK_API int SundaySearchStr(const char* text, const char* pattern);

#endif  // GRAVIK_SEARCH_H
