// libGravik - the AES block cipher (FIPS 197) with 128, 192 and 256-bit keys.
//
// Global functions on caller-owned contexts; different contexts may be used on
// different threads at once, and the cipher's constant tables are fixed when
// the library is built, so the first key set-up needs no care about threads.
// One call handles one 16-byte block: modes and padding are the caller's.
#ifndef GRAVIK_AES_H
#define GRAVIK_AES_H

#include <gravik/export.h>

#include <cstdint>

// Expanded round keys for both directions and the number of rounds (10, 12 or
// 14; 0 after a refused key, which makes the context unusable).
struct aes_context {
    std::uint32_t erk[60];
    std::uint32_t drk[60];
    int nr;
};

// Sets a key of `bits` bits (128, 192 or 256) read from `key` (16, 24 or 32
// bytes). Returns 0; 1 for any other size or a null argument, leaving the
// context unusable.
GRAVIK_API int aes_set_key(aes_context* ctx, const unsigned char* key, int bits);

// One block. `input` and `output` may be the same buffer. With a null argument
// or an unusable context nothing is written.
GRAVIK_API void aes_encrypt(aes_context* ctx, const unsigned char input[16],
                            unsigned char output[16]);
GRAVIK_API void aes_decrypt(aes_context* ctx, const unsigned char input[16],
                            unsigned char output[16]);

#endif  // GRAVIK_AES_H
