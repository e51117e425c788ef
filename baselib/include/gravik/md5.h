// libGravik - the MD5 message digest (RFC 1321).
//
// MD5 is a plain value: one object is fed by one thread at a time; copies are
// independent. MD5 is kept for checksums and old protocols; it is not a
// secure hash.
#ifndef GRAVIK_MD5_H
#define GRAVIK_MD5_H

#include <gravik/export.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <istream>
#include <ostream>

// A digest under construction, then finalised. Feed bytes with update(), fix
// the digest with finalize(), then read it with raw_digest() or hex_digest().
// Messages of any length are accepted (the bit count wraps modulo 2^64 as the
// algorithm defines).
//
// Misuse is written to standard error, one line each, and the call then does
// nothing else:
//   update after finalize           "MD5::update:  Can't update a finalized digest!"
//   finalize twice                  "MD5::finalize:  Already finalized this digest!"
//   raw_digest before finalize      "MD5::raw_digest:  Can't get digest if you haven't
//                                    finalized the digest!" and returns nullptr
//   hex_digest before finalize      "MD5::hex_digest:  ..." (same wording) and returns
//                                    a new empty text
//   update from a null FILE*        "MD5::update:  Can't read from a null file!"
// The arrays returned by raw_digest() and hex_digest() belong to the caller,
// who frees them with delete[] (delete[] of nullptr is harmless).
class GRAVIK_API MD5 {
public:
    MD5();
    // Digest of a whole file: reads it in 1024-byte blocks, closes it and
    // finalises. A null file is reported and leaves the digest unfinalised.
    explicit MD5(std::FILE* file);
    // Digest of the rest of a stream (not closed), finalised.
    explicit MD5(std::istream& stream);
    explicit MD5(std::ifstream& stream);

    void update(const unsigned char* data, unsigned int length);
    // Reads until a read returns nothing, then closes the file.
    void update(std::FILE* file);
    // Reads while the stream is good; the stream stays open.
    void update(std::istream& stream);
    void update(std::ifstream& stream);

    void finalize();

    unsigned char* raw_digest();  // new[16], or nullptr before finalize()
    char* hex_digest();           // new[33]: 32 lower-case hex digits and NUL

    friend GRAVIK_API std::ostream& operator<<(std::ostream& os, MD5 context);

private:
    void Transform(const unsigned char block[64]);

    std::uint32_t state_[4];    // A, B, C, D
    std::uint32_t count_[2];    // message length in bits, low word first
    unsigned char buffer_[64];  // bytes not yet transformed
    unsigned char digest_[16];
    bool finalized_;
};

GRAVIK_API std::ostream& operator<<(std::ostream& os, MD5 context);

#endif  // GRAVIK_MD5_H
