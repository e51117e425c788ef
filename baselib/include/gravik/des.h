// libGravik - DES and Triple DES block ciphers (FIPS 46-3, NIST SP 800-67).
//
// Global functions on caller-owned contexts; different contexts may be used on
// different threads at once. One call handles one 8-byte block (ECB fashion):
// padding and chaining are the caller's. DES and two-key Triple DES are kept
// for old protocols; they are not secure ciphers.
#ifndef GRAVIK_DES_H
#define GRAVIK_DES_H

#include <gravik/export.h>

#include <cstdint>

// The 16 round subkeys (48 bits each, right-aligned) for each direction.
struct des_context {
    std::uint64_t esk[16];
    std::uint64_t dsk[16];
};

// The 48 subkeys of the three passes, in the order they are applied.
struct des3_context {
    std::uint64_t esk[48];
    std::uint64_t dsk[48];
};

// Key schedule for both directions from an 8-byte key; the parity bits (the
// low bit of each byte) are ignored. Returns 0; -1 when an argument is null.
GRAVIK_API int des_set_key(des_context* ctx, const unsigned char key[8]);

// One block. `input` and `output` may be the same buffer. Null arguments do nothing.
GRAVIK_API void des_encrypt(des_context* ctx, const unsigned char input[8],
                            unsigned char output[8]);
GRAVIK_API void des_decrypt(des_context* ctx, const unsigned char input[8],
                            unsigned char output[8]);

// Two-key Triple DES (keying option 2): encrypt with key1, decrypt with key2,
// encrypt with key1; decryption runs the reverse. Returns 0; -1 on a null argument.
GRAVIK_API int des3_set_2keys(des3_context* ctx, const unsigned char key1[8],
                              const unsigned char key2[8]);

// Three-key Triple DES (keying option 1): E(key3, D(key2, E(key1, block))).
// Returns 0; -1 on a null argument.
GRAVIK_API int des3_set_3keys(des3_context* ctx, const unsigned char key1[8],
                              const unsigned char key2[8], const unsigned char key3[8]);

// One block. `input` and `output` may be the same buffer. Null arguments do nothing.
GRAVIK_API void des3_encrypt(des3_context* ctx, const unsigned char input[8],
                             unsigned char output[8]);
GRAVIK_API void des3_decrypt(des3_context* ctx, const unsigned char input[8],
                             unsigned char output[8]);

#endif  // GRAVIK_DES_H
