// libGravik - the RC4 (ARC4) stream cipher.
//
// Global functions on a caller-owned state; different states may be used on
// different threads at once. RC4 is kept for old protocols; it is not a
// secure cipher.
#ifndef GRAVIK_RC4_H
#define GRAVIK_RC4_H

#include <gravik/export.h>

// Key-stream position (x, y) and the permutation m of 0..255. A state that
// rc4_setup refused holds x = y = -1 and is left alone by rc4_crypt.
struct rc4_state {
    int x;
    int y;
    int m[256];
};

// The standard key schedule, using the key bytes cyclically. Keys of 1 to 256
// bytes are meaningful (longer keys only repeat the schedule's bytes). A null
// state does nothing; a null key or a length of 0 or less is reported on
// standard error and leaves the state refused.
GRAVIK_API void rc4_setup(rc4_state* state, const unsigned char* key, int keyLength);

// Encrypts or decrypts `length` bytes of `data` in place, continuing the key
// stream from the state's position. Null arguments, a length of 0 or less and a
// refused state change nothing (a refused state is reported on standard error).
GRAVIK_API void rc4_crypt(rc4_state* state, unsigned char* data, int length);

#endif  // GRAVIK_RC4_H
