// libGravik - string utilities of the namespace gravik, plus GetAppPath.
//
// Texts are ANSI texts in the process's character set (a double-byte set such
// as GBK on the machines this library serves). Where characters are counted a
// byte of 0x80 or more is half of a two-byte character. Two counting rules
// occur and are named where used:
//   lead-byte stepping: at a byte >= 0x80 skip two bytes, else one; each step
//     is one character. A lone lead byte directly before the end of the text
//     counts as one character, and counting never passes the end.
//   pair counting: a byte < 0x80 counts one; bytes >= 0x80 count one for every
//     second such byte (a byte < 0x80 between the two halves counts by itself).
// Blanks, for every trimming function: space, tab, CR and LF.
//
// char* functions work in place on a NUL-terminated buffer owned by the caller
// and return that buffer. std::string functions that take a non-const
// reference and a trailing int flag return the result and, when the flag is 0,
// also store it in the argument; with a non-zero flag the argument is kept.
//
// gettimeofday: the C library's own serves on this platform (seconds and
// microseconds since 1970); this library neither defines nor replaces it.
//
// All functions may be called from several threads at once on different
// buffers and strings.
#ifndef GRAVIK_STRINGS_H
#define GRAVIK_STRINGS_H

#include <gravik/export.h>

#include <string>
#include <vector>

namespace gravik {

// ---- trimming, case, removal ----
GRAVIK_API char* LTrimStr(char* text);  // moves the text after leading blanks to the start
GRAVIK_API char* RTrimStr(char* text);  // cuts trailing blanks (all blanks -> "")
GRAVIK_API char* TrimStr(char* text);   // RTrimStr, then LTrimStr
GRAVIK_API std::string LeftTrim(std::string& text, int keep);
GRAVIK_API std::string RightTrim(std::string& text, int keep);
GRAVIK_API std::string Trim(std::string& text, int keep);
// ASCII letters only; every other byte (including both halves of a
// double-byte character) is left as it is.
GRAVIK_API char* UpperStr(char* text);
GRAVIK_API char* LowerStr(char* text);
GRAVIK_API std::string UpperStr(std::string& text, int keep);
GRAVIK_API std::string LowerStr(std::string& text, int keep);
// Copy without any occurrence of c; the copy ends at the first NUL of text.
GRAVIK_API std::string RemoveStringChar(std::string& text, char c, int keep);
// ASCII case-insensitive comparison of the lower-cased unsigned bytes:
// negative, 0 or positive. A null pointer sorts before any text.
GRAVIK_API int CompareStrIgnoreCase(const char* a, const char* b);

// ---- number tests (false for null and for "") ----
// IsNumber: digits only, no sign.
// IsInteger: one optional sign, then digits; a sign alone counts as an integer.
// IsFloat: one optional sign, not followed by "."; then digits with at most one
//   "." ("1." is a float, ".5" is not, a sign alone is).
GRAVIK_API bool IsNumber(const char* text);
GRAVIK_API bool IsNumber(const std::string& text);
GRAVIK_API bool IsInteger(const char* text);
GRAVIK_API bool IsInteger(const std::string& text);
GRAVIK_API bool IsFloat(const char* text);
GRAVIK_API bool IsFloat(const std::string& text);

// ---- replacing ----
// In place, only when `to` is not longer than `from` (else false, unchanged).
// One left-to-right pass; returns true. An empty `from` (or a null argument)
// returns false and leaves the text unchanged.
GRAVIK_API bool StrReplaceBigToSmall(char* text, const char* from, const char* to);
// Replaces the first occurrence, searching from the start each time, until
// `from` no longer occurs ("aaaa", "aa" -> "a" gives "a").
// The rewrite always ends: an empty `from` returns the text unchanged; when
// `to` contains `from` (which would never end) every occurrence is replaced
// once, as StrReplaceAllDistinct does; and a rewrite still producing new
// matches after 1,000,000 + 4 x (text length) replacements stops there and
// returns the text as it stands.
GRAVIK_API std::string StrReplaceAll(std::string& text, const std::string& from,
                                     const std::string& to, int keep);
// One pass: text produced by a replacement is never searched again
// ("aaaa", "aa" -> "a" gives "aa"). An empty `from` returns the text unchanged.
GRAVIK_API std::string StrReplaceAllDistinct(std::string& text, const std::string& from,
                                             const std::string& to, int keep);

// ---- splitting ----
// Cuts text at the first sep; *rest points after it, or at the terminator when
// sep does not occur. Returns 1 when *rest is a non-empty text, else 0.
GRAVIK_API int SplitStrBySep(char* text, char** rest, char sep);
// rest is cleared; if sep occurs in text at p, rest gets the text after the
// whole separator and text keeps its first p bytes. An empty sep splits nothing.
GRAVIK_API void SplitStrBySep(std::string& text, std::string& rest, const std::string& sep);
// Keeps the first n characters (pair counting) in text and copies the rest
// into `rest` (which must hold strlen(text) + 1 bytes). n <= 0: everything
// moves to rest, returns 1. Otherwise rest is emptied first; returns 0 when the
// text has no more than n characters (nothing moved), else 1.
GRAVIK_API int SplitStrByLen(char* text, char* rest, int n);
GRAVIK_API void SplitStrByLen(std::string& text, std::string& rest, int n);
// out is cleared. An empty sep or a sep longer than text gives text as the only
// element. Otherwise each piece before a separator (empty ones too), then the
// piece after the last separator if it is not empty: "a,,b," -> a, "", b.
GRAVIK_API void SplitStrToVec(const std::string& text, const std::string& sep,
                              std::vector<std::string>& out);
// In place: the first byte of each separator becomes a terminator; out gets the
// non-empty pieces ("a,,b," -> a, b). An empty sep leaves out empty.
GRAVIK_API void SplitStrToVec(char* text, const char* sep, std::vector<char*>& out);
// As above into out[0..max-1]; *count receives the number stored. Cutting stops
// once max pieces are stored; max <= 0 or an empty sep stores nothing.
GRAVIK_API void str_to_str_array(char* text, const char* sep, char** out, int max, int* count);

// ---- counting ----
// Characters by lead-byte stepping; 0 for an empty text (or null).
GRAVIK_API int WordCount(const std::string& text);
GRAVIK_API unsigned int WordCount(const char* text);

// ---- numbers, bytes and text ----
GRAVIK_API std::string IntToStr(int value);  // "%d"
GRAVIK_API std::string CharToHexStr(char c);  // two upper-case hex digits
// Skips spaces and tabs; base = 16 when the next character, after one optional
// sign, is followed by "0x"/"0X", else 10. Returns the first other character.
GRAVIK_API char* GetStartAndBase(char* text, int& base);
// out = the decimal text's value in lower-case hex ("%x"); out needs 9 bytes.
// The value is read like atoi, clamped to the int range instead of overflowing.
GRAVIK_API void AIntToHex(char* out, char* decimal);
// out = the hex text's value (strtol base 16) in decimal ("%d"), clamped to the
// int range; out needs 12 bytes.
GRAVIK_API void HexToAInt(char* out, char* hex);
// 2n upper-case hex digits and a terminator; returns 2n (n <= 0: "" and 0).
GRAVIK_API int BytesToHexStr(char* out, const unsigned char* data, int n);
// "XX" sep "XX" ...; returns 3n - 1 (n <= 0: nothing written, returns 0).
GRAVIK_API int BytesToHexStrEx(char* out, const unsigned char* data, int n, char sep);
// Bits 7..0 as "0"/"1", with one space between the nibbles when `space`;
// terminated (out needs 10 bytes).
GRAVIK_API void ByteToBinStr(char* out, unsigned char b, bool space);
// Each byte as ByteToBinStr; with `space` one space between bytes too. n <= 0
// leaves out untouched.
GRAVIK_API void BytesToBinStr(char* out, const unsigned char* data, int n, bool space);
// Pairs of hex digits (either case) to bytes; len 0 means strlen(hex). A
// character that is not a hex digit is taken as 0. Only complete pairs are
// converted (an odd last digit is ignored) and conversion never reads past the
// terminator. Returns the number of bytes written: len / 2 for a text of at
// least len characters.
GRAVIK_API int HexStrToBytes(unsigned char* out, const char* hex, int len);
// Tolerant form: non-hex characters are skipped where a pair would start; a
// non-hex second character ends the conversion. Returns the bytes completed.
GRAVIK_API int HexStrToBytesEx(unsigned char* out, const char* hex);

// ---- web and database text ----
// Letters and digits stay, space -> "+", every other byte -> "%XX" (upper-case).
GRAVIK_API std::string URLEncode(const std::string& text);
// "+" -> space, "%XX" -> the byte. A "%" not followed by two hex digits stays a
// literal "%" and decoding goes on with the next character. The result ends at
// the first decoded zero byte ("a%00b" -> "a").
GRAVIK_API std::string URLDecode(const std::string& text);
// Escaping steps, each a StrReplaceAllDistinct over the previous result:
//   StrToHtmlFormat: & > < space " ' LF  -> &amp; &gt; &lt; &nbsp; &quot; &apos; <br>
//   HtmlFormatToStr: &gt; &lt; &nbsp; &quot; &apos; &#34; &#39; &#x22; &#x27; <br>,
//                    then &amp; last (so "&amp;lt;" gives "&lt;", not "<")
//   StrToXmlFormat:  & > < " '
//   XmlFormatToStr:  &gt; &lt; &quot; &apos; &#34; &#39; &#x22; &#x27;, then &amp;
GRAVIK_API std::string StrToHtmlFormat(const std::string& text);
GRAVIK_API std::string HtmlFormatToStr(const std::string& text);
GRAVIK_API std::string StrToXmlFormat(const std::string& text);
GRAVIK_API std::string XmlFormatToStr(const std::string& text);
// 'text' with every ' doubled. An empty text gives "' '" when spaceForEmpty,
// else "''".
GRAVIK_API std::string GetQuotedStrForSQL(const std::string& text, bool spaceForEmpty);

// ---- random text and identifiers ----
// len random characters and a terminator (len <= 0: ""). out needs len + 1
// bytes. Kinds: 1 digits; 2 A-Z; 3 a-z; 4 letters (52); 5 digits and letters
// (62); any other value printable ASCII "!".."~" (94). Every call draws fresh
// characters from a per-thread generator seeded from the OS random source, so
// calls within the same second differ and threads may call it at once.
GRAVIK_API char* GetRandStr(char* out, int len, int kind);
// A random version-4 UUID from the OS random source, 36 characters, lower-case
// ("xxxxxxxx-xxxx-4xxx-[89ab]xxx-xxxxxxxxxxxx"). Empty when the OS random
// source cannot be read.
GRAVIK_API void GetUUID(std::string& uuid);

}  // namespace gravik

// The folder of the running executable (not of the library), without a
// trailing "/". Writes at most `size` bytes, terminator included; false (and
// out untouched) when the path cannot be obtained or does not fit.
GRAVIK_API bool GetAppPath(char* out, int size);

#endif  // GRAVIK_STRINGS_H
