// Reading and writing INI files with the rules of the classic profile functions: section and
// key names compare without regard to case, a missing file, section or key reads as the default,
// and a write changes only the one key's line (creating the section or the file when missing)
// and keeps every other line, comment and blank as it was. Files are written as UTF-8 without a
// byte-order mark, with CR LF line ends; they are read as TextDecoding.h says, so that a file in
// another encoding keeps its characters when a key is written.
#pragma once

#include <QString>

#include <optional>

// The raw value of AKey in ASection (surrounding blanks removed, one pair of matching quotes
// stripped); nothing when the file, section or key is missing or the file cannot be read.
std::optional<QString> ReadProfileString(const QString& AFile, const QString& ASection,
                                         const QString& AKey);

// An integer value: decimal with an optional sign, or hexadecimal when the value has three or
// more characters and begins with 0x or 0X. Digits are read up to the first other character
// ("12abc" is 12); a value that starts with no digit at all reads as ADefault.
int ReadProfileInt(const QString& AFile, const QString& ASection, const QString& AKey, int ADefault);

// Parses a profile integer as ReadProfileInt does; nothing when the text holds no number.
std::optional<int> ParseProfileInt(const QString& AValue);

// Sets AKey=AValue in ASection. The new text goes to a temporary file that is renamed over the
// old one. Returns false, with the reason in AError, when the file cannot be read or written
// (missing folder, a full disk); the file is then left as it was.
bool WriteProfileString(const QString& AFile, const QString& ASection, const QString& AKey,
                        const QString& AValue, QString* AError = nullptr);
