#include <gravik/rc4.h>

#include <cstdio>

void rc4_setup(rc4_state* state, const unsigned char* key, int keyLength)
{
    if (state == nullptr) return;
    if (key == nullptr || keyLength <= 0) {
        // An empty key would leave a fixed, publicly known key stream: refuse
        // it rather than hand out a "cipher" that protects nothing.
        std::fputs("rc4_setup:  Can't set up RC4 without a key!\n", stderr);
        state->x = state->y = -1;
        for (int i = 0; i < 256; ++i) state->m[i] = i;
        return;
    }
    for (int i = 0; i < 256; ++i) state->m[i] = i;
    int j = 0;
    int k = 0;
    for (int i = 0; i < 256; ++i) {
        const int a = state->m[i];
        j = (j + a + key[k]) & 0xFF;
        state->m[i] = state->m[j];
        state->m[j] = a;
        if (++k >= keyLength) k = 0;
    }
    state->x = 0;
    state->y = 0;
}

void rc4_crypt(rc4_state* state, unsigned char* data, int length)
{
    if (state == nullptr || data == nullptr || length <= 0) return;
    if (state->x < 0 || state->y < 0) {
        std::fputs("rc4_crypt:  Can't use an RC4 state without a key!\n", stderr);
        return;
    }
    // Every index is masked, so a state the caller filled by hand can never
    // make the cipher read or write outside the permutation.
    int x = state->x & 0xFF;
    int y = state->y & 0xFF;
    int* m = state->m;
    for (int i = 0; i < length; ++i) {
        x = (x + 1) & 0xFF;
        const int a = m[x] & 0xFF;
        y = (y + a) & 0xFF;
        const int b = m[y] & 0xFF;
        m[x] = b;
        m[y] = a;
        data[i] ^= static_cast<unsigned char>(m[(a + b) & 0xFF]);
    }
    state->x = x;
    state->y = y;
}
