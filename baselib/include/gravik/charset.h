// libGravik - character-set conversion.
//
// Free functions of the namespace gravik that count characters and convert
// between the ANSI character set, UTF-8, UTF-16 and wide characters, and the
// class CGbUnicode, which converts between GB code and big-endian UCS-2 with a
// code table read from a file.
//
// The ANSI character set is the one of the C library's current locale
// (LC_CTYPE, as chosen by setlocale), converted with iconv: a double-byte set
// such as GBK on the machines this library serves. UTF-8 conversions are the
// library's own and cover the Basic Multilingual Plane: one to three bytes per
// 16-bit unit, each unit encoded by itself (a surrogate pair becomes two
// three-byte sequences), no validation of continuation bytes.
//
// Decisions:
// - Wide-character (wchar_t) texts hold UTF-16 units, one unit per wchar_t, as
//   the UTF-16 texts do; a wchar_t above 0xFFFF is outside what these
//   conversions handle and is taken as U+FFFD.
// - A UTF-8 sequence cut short by the terminator is not a character: it is not
//   counted, not decoded, and nothing past the terminator is read.
// - ANSI bytes that are not valid in the character set become U+FFFD;
//   characters the ANSI set cannot represent become "?".
// - The ANSI output functions write at most 2 x (characters) + 2 bytes,
//   terminator included; when the converted text does not fit (possible only in
//   sets with characters longer than two bytes, such as UTF-8) they write an
//   empty text and return 0. The wide/UTF-16 outputs from ANSI hold at most the
//   lead-byte-stepping character count plus the terminator, failing the same
//   way. StrToWStr/WStrToStr have no such limit.
// - The free functions keep no state and may be called from any thread.
#ifndef GRAVIK_CHARSET_H
#define GRAVIK_CHARSET_H

#include <gravik/export.h>

#include <memory>
#include <string>

namespace gravik {

// ---- counting (0 for null) ----
GRAVIK_API unsigned int GetANSICharacters(const char* text);       // bytes
GRAVIK_API unsigned int GetMultiByteCharacters(const char* text);  // lead-byte stepping
// < 0x80 one byte; lead 0xE0 and up three bytes; any other byte from 0x80 two.
GRAVIK_API unsigned int GetUTF8Characters(const unsigned char* text);
GRAVIK_API unsigned int GetUTF16Characters(const unsigned short* text);  // units
GRAVIK_API unsigned int GetWCharCharacters(const wchar_t* text);         // units

// ---- conversions; out buffers are the caller's, `bytes` may be null ----
// Decode UTF-8 and terminate; return the units written; *bytes = 2 x units.
// out needs GetUTF8Characters(in) + 1 elements.
GRAVIK_API unsigned int GetWCharFromUTF8(const unsigned char* in, wchar_t* out,
                                         unsigned int* bytes);
GRAVIK_API unsigned int GetUTF16FromUTF8(const unsigned char* in, unsigned short* out,
                                         unsigned int* bytes);
// Encode every unit and terminate; return the input units; *bytes = UTF-8
// bytes written without the terminator. out needs 3 x units + 1 bytes.
GRAVIK_API unsigned int GetUTF8FromWChar(const wchar_t* in, unsigned char* out,
                                         unsigned int* bytes);
GRAVIK_API unsigned int GetUTF8FromUTF16(const unsigned short* in, unsigned char* out,
                                         unsigned int* bytes);
// ANSI -> UTF-8 (terminated); returns the characters (units), *bytes the UTF-8
// length. An empty input returns 0 and writes nothing, not even a terminator.
// out needs 3 x GetANSICharacters(in) + 1 bytes.
GRAVIK_API unsigned int GetUTF8FromANSI(const char* in, unsigned char* out, unsigned int* bytes);
// UTF-8 -> ANSI into at most 2 x GetUTF8Characters(in) + 2 bytes; returns the
// bytes written without the terminator.
GRAVIK_API unsigned int GetANSIFromUTF8(const unsigned char* in, char* out);
// Wide/UTF-16 -> ANSI into at most 2 x units + 2 bytes; returns the bytes
// written without the terminator (0 for null).
GRAVIK_API unsigned int GetANSIFromWChar(const wchar_t* in, char* out);
GRAVIK_API unsigned int GetANSIFromUTF16(const unsigned short* in, char* out);
// ANSI -> wide/UTF-16 into at most GetMultiByteCharacters(in) + 1 units;
// returns the units written without the terminator; *bytes = 2 x that.
GRAVIK_API unsigned int GetWCharFromANSI(const char* in, wchar_t* out, unsigned int* bytes);
GRAVIK_API unsigned int GetUTF16FromANSI(const char* in, unsigned short* out,
                                         unsigned int* bytes);
// Plain copies between 16-bit units and wchar_t, terminator included; return
// the units; *bytes = 2 x units. The first zeroes out[0..units] before copying.
GRAVIK_API unsigned int LinuxGetWCharFromUTF16(const unsigned short* in, wchar_t* out,
                                               unsigned int* bytes);
GRAVIK_API unsigned int LinuxGetUTF16FromWChar(const wchar_t* in, unsigned short* out,
                                               unsigned int* bytes);
// ANSI <-> wide strings. False, with the output unchanged, for an empty input
// or when the converter for the ANSI set cannot be opened.
GRAVIK_API bool StrToWStr(const std::string& text, std::wstring& wide);
GRAVIK_API bool WStrToStr(const std::wstring& wide, std::string& text);

}  // namespace gravik

// One entry of a CGbUnicode code table: the GB code as text (one or two bytes,
// lead byte first, then zeros), its UCS-2 value, the next entry.
struct WordInfo {
    char gbCode[3] = {0, 0, 0};
    unsigned short unicode = 0;
    WordInfo* next = nullptr;
    WordInfo& operator=(const WordInfo&) = default;
};

// Converts between GB code and big-endian UCS-2 with a code table file: a
// 91-byte header (skipped), then 4-byte records until the end of the file: two
// GB code bytes in text order (second byte 0 for a one-byte character) and the
// UCS-2 value, big-endian. The file is supplied by the application.
//
// The table is loaded once per object, by Initialize or by the first
// conversion; loading throws CGbUnicodeException("Open data file failed") when
// the file cannot be opened, and ("malloc memory failed") when an entry cannot
// be allocated. Lookups search the table in file order; the first match wins.
// Copies made by assignment share the table; it is freed once, by the last
// object that uses it. No locking: share an object between threads only after
// Initialize.
class GRAVIK_API CGbUnicode {
public:
    CGbUnicode();                         // table file "GbUnicode.dat"
    explicit CGbUnicode(char* tableFile);  // a name over 255 characters leaves
                                           // the name empty: loading then fails
    CGbUnicode(const CGbUnicode& other);
    CGbUnicode& operator=(const CGbUnicode& other);
    ~CGbUnicode();

    // False (name unchanged) for null or a name over 255 characters. A table
    // already loaded stays in use.
    bool SetTableFile(const char* tableFile);
    void Initialize();
    // False for null or ""; true when any byte of the text is above 0x79.
    bool CheckDataCode(unsigned char* text);
    // Walks the GB text (a byte >= 0x80 and the next form one key, other bytes
    // a key of their own; a lone lead byte at the end is a one-byte key) and
    // writes the value of each key found, high byte first. Keys not in the
    // table write nothing. Not terminated. Returns the bytes written.
    int GbToBigEndianUnicode(unsigned short* out, const unsigned char* gb);
    // Converts ceil(bytes / 2) big-endian units (an odd last byte is the high
    // byte of a unit whose low byte is 0; nothing beyond `bytes` is read): each
    // unit found writes its GB code (one or two bytes) and a terminator after
    // it. Returns the bytes written without the terminator.
    int BigEndianUnicodeToGb(char* out, const unsigned short* in, int bytes);
    // Swaps the bytes of every pair in the first `length` bytes.
    void ChangeEndian(char* buffer, int length);

private:
    void CreateMapLink(WordInfo** head);
    bool DestructMap();
    void EnsureLoaded();

    int m_nInit = 0;
    char m_szTableFile[256] = {};
    WordInfo* m_pMapLink = nullptr;
    std::shared_ptr<WordInfo> m_owner;  // frees the list with the last sharer
};

#endif  // GRAVIK_CHARSET_H
