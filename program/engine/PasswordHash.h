// How account passwords are kept on disk.
//
// Current form: "$pbkdf2-sha256$<iterations>$<salt>$<key>", PBKDF2-HMAC-SHA256 over the UTF-8
// bytes of the password with a random 16-byte salt of its own, salt and 32-byte key in standard
// Base64. The leading "$" cannot occur in the older form, so the two are told apart by it.
//
// Older form, still accepted when reading: the Base64 text of the password's bytes (CR LF after
// every 76 characters), reversed character by character.
#pragma once

#include <QByteArray>
#include <QString>

inline constexpr int PasswordHashIterations = 120000;

// The current form for APlainPassword, with a fresh random salt.
QString HashPassword(const QString& APlainPassword, int AIterations = PasswordHashIterations);
// True when AStored is in the current form.
bool IsPasswordHash(const QString& AStored);
// True when AStored, in the current form, was made from APlainPassword. A malformed line (bad
// Base64, an iteration count out of range) never matches.
bool VerifyPasswordHash(const QString& AStored, const QString& APlainPassword);

// The older, reversible form of APlainPassword.
QString LegacyEncodePassword(const QString& APlainPassword);

// PBKDF2 with HMAC-SHA256 (RFC 8018), AKeyLength bytes.
QByteArray Pbkdf2Sha256(const QByteArray& APassword, const QByteArray& ASalt, int AIterations,
                        int AKeyLength);
