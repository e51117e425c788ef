// libGravik - Base64 encoding (RFC 4648 alphabet "A-Za-z0-9+/", padding "=").
//
// CBase64Code has no data; its members are static and safe on any thread.
#ifndef GRAVIK_BASE64_H
#define GRAVIK_BASE64_H

#include <gravik/export.h>

#include <string>

// Encoding writes no line breaks. Decoding skips every character outside the
// alphabet; an "=" ends the data of its group and the whole decoding; a final
// group of a single character carries too few bits for a byte and yields none.
class GRAVIK_API CBase64Code {
public:
    // Buffer sizes, terminator included: EncodeBase64 needs
    // EncodedSize(length); DecodeBase64 needs DecodedSize(strlen(in)).
    static constexpr long long EncodedSize(long long length) { return (length + 2) / 3 * 4 + 1; }
    static constexpr long long DecodedSize(long long textLength) { return textLength / 4 * 3 + 3; }

    // Encodes `length` bytes of `in` into `out`, terminates it and returns the
    // text's length (without the terminator). A length of 0 or less gives the
    // empty text and 0. Returns -1 (and writes nothing) when `out` is null, when
    // `in` is null with a positive length, or when the text would not fit an int.
    static int EncodeBase64(char* out, const char* in, int length);

    // Decodes the NUL-terminated text `in` into `out`, terminates the bytes and
    // returns their number. Returns -1 (and writes nothing) when `out` or `in`
    // is null.
    static int DecodeBase64(char* out, const char* in);

    // String forms, meant for text: the whole argument is encoded; the decoded
    // result ends at its first zero byte.
    static std::string EncodeBase64(const std::string& in);
    static std::string DecodeBase64(const std::string& in);
};

#endif  // GRAVIK_BASE64_H
