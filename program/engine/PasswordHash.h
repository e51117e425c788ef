// How account passwords are kept on disk.
//
// Current form: libsodium's standard Argon2id string,
// "$argon2id$v=19$m=<KiB>,t=<passes>,p=1$<salt>$<key>", over the UTF-8 bytes of the password
// with a random 16-byte salt of its own (salt and 32-byte key in Base64 without padding). The
// program writes it with ProgramPasswordCost.
//
// Forms of earlier versions, still accepted when reading and to be rewritten in the current form
// after a successful login:
// - "$pbkdf2-sha256$<iterations>$<salt>$<key>": PBKDF2-HMAC-SHA256 over the UTF-8 bytes of the
//   password, salt and key in standard Base64 (checked through OpenSSL);
// - the Base64 text of the password's bytes (CR LF after every 76 characters), reversed character
//   by character. The earlier Windows program took the bytes from the Windows-1252 code page,
//   later versions from UTF-8; both are tried.
// A leading "$" cannot occur in the reversed Base64 form, so the forms are told apart by it.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <optional>
#include <stdexcept>

// The limits of one Argon2id hash; a hash costs time in proportion to Passes × MemoryBytes.
struct TPasswordCost {
    unsigned long long Passes; // passes over the memory (t; libsodium's opslimit), >= 1
    std::size_t MemoryBytes;   // memory of one hash in bytes (m × 1024; libsodium's memlimit)
};

// The limits of every password line the programs write: libsodium's "moderate" limits, 3 passes
// over 256 MiB (about 0.6 s per hash on a small 2-core machine).
inline constexpr TPasswordCost ProgramPasswordCost{3, std::size_t{256} * 1024 * 1024};
// libsodium's smallest limits (1 pass over 8 KiB): cheap hashes for tests, never for accounts.
inline constexpr TPasswordCost MinimumPasswordCost{1, 8192};

// A hash that could not be computed: the memory it asks for could not be had, or the limits lie
// outside what libsodium accepts.
class TPasswordHashError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The current form for APlainPassword, with a fresh random salt and the limits ACost. Throws
// TPasswordHashError when the hash cannot be computed.
QString HashPassword(const QString& APlainPassword,
                     const TPasswordCost& ACost = ProgramPasswordCost);

enum class TPasswordMatch {
    Wrong,        // the password is wrong, or the line is malformed or refused
    Right,        // the password is right and the line is current
    RightOutdated // the password is right; the line should be rewritten with HashPassword(ACost)
};

// Checks APlainPassword (taken as typed) against the password line AStored (already trimmed) in
// any of the forms above. An Argon2id line made with other limits than ACost is RightOutdated,
// and so is every line of an earlier form. Lines by which a tampered file could make a login take
// all memory or run for hours are Wrong without any hashing: Argon2id limits above ACost (more
// than the program ever writes), p other than 1 or a version other than 19, and PBKDF2 iteration
// counts above 10 000 000 (the previous version wrote 120 000). A hash that fails for want of
// memory also counts as Wrong.
TPasswordMatch MatchPassword(const QString& AStored, const QString& APlainPassword,
                             const TPasswordCost& ACost = ProgramPasswordCost);

// The reversed Base64 form of the earlier versions for the password bytes APasswordBytes.
QString LegacyEncodePassword(const QByteArray& APasswordBytes);
// The Windows-1252 bytes of AText; nothing when one of its characters has no place in that code
// page (such a password cannot have been written by the earlier Windows program).
std::optional<QByteArray> Windows1252Bytes(const QString& AText);
