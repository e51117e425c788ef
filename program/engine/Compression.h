// zlib streams (RFC 1950) as the program stores its data sets: deflated at the highest level,
// so that every stream begins with the bytes 78 DA.
#pragma once

#include <QString>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Deflates ABytes into a zlib stream at level 9.
std::vector<std::uint8_t> DeflateZlib(std::span<const std::uint8_t> ABytes);

// Inflates a complete zlib stream. Throws std::runtime_error on a damaged, truncated or
// non-zlib input (including trailing garbage after the stream's end).
std::string InflateZlib(std::span<const std::uint8_t> AStream);

// Reads the whole source file, deflates it at level 9 and writes the stream to ADestFile,
// replacing it. Returns false, leaving any earlier ADestFile untouched, when the source cannot
// be read or the destination cannot be written; AError then says why.
bool CompressFile(const QString& ASourceFile, const QString& ADestFile, QString* AError = nullptr);
