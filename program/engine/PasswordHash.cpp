#include "PasswordHash.h"

#include "AccountNames.h"

#include <QRegularExpression>
#include <QStringList>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <sodium.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <iterator>
#include <string>

// crypto_pwhash_str writes the library's default algorithm; the line form is Argon2id's.
static_assert(crypto_pwhash_ALG_DEFAULT == crypto_pwhash_ALG_ARGON2ID13);
static_assert(ProgramPasswordCost.Passes >= crypto_pwhash_OPSLIMIT_MODERATE);
static_assert(ProgramPasswordCost.MemoryBytes >= crypto_pwhash_MEMLIMIT_MODERATE);
static_assert(MinimumPasswordCost.Passes == crypto_pwhash_OPSLIMIT_MIN);
static_assert(MinimumPasswordCost.MemoryBytes == crypto_pwhash_MEMLIMIT_MIN);

namespace {
const QString kArgon2idMarker = QStringLiteral("$argon2id$");
const QString kPbkdf2Marker = QStringLiteral("$pbkdf2-sha256$");
// Earlier versions wrote 120 000 iterations; the cap leaves room and still ends a login in
// seconds.
constexpr int kMaxPbkdf2Iterations = 10'000'000;
constexpr qsizetype kMaxPbkdf2KeyBytes = 64;

// sodium_init may be called from any thread any number of times; it seeds the random source
// and picks the fastest implementation of the machine.
bool SodiumReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

// Compares in time that depends only on the lengths, not on where the bytes first differ.
bool SameBytes(const QByteArray& A, const QByteArray& B) {
    return A.size() == B.size() &&
           CRYPTO_memcmp(A.constData(), B.constData(), static_cast<std::size_t>(A.size())) == 0;
}

std::optional<QByteArray> StrictBase64(const QString& AText) {
    const auto result = QByteArray::fromBase64Encoding(
        AText.toLatin1(), QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!result)
        return std::nullopt;
    return result.decoded;
}

// The limits an Argon2id line asks for, read before anything is hashed. Only the shape
// libsodium writes passes (version 19, one lane, decimal numbers without leading zeros), so
// the numbers read here are the numbers libsodium would use.
std::optional<TPasswordCost> Argon2idLimits(const QString& AStored) {
    static const QRegularExpression form(
        QStringLiteral("^\\$argon2id\\$v=19\\$m=([1-9][0-9]{0,9}),t=([1-9][0-9]{0,9}),p=1"
                       "\\$[A-Za-z0-9+/]+\\$[A-Za-z0-9+/]+$"));
    const QRegularExpressionMatch match = form.match(AStored);
    if (!match.hasMatch())
        return std::nullopt;
    // Ten digits at most: the products fit 64 bits.
    const qulonglong kibibytes = match.capturedView(1).toULongLong();
    const qulonglong passes = match.capturedView(2).toULongLong();
    return TPasswordCost{passes, static_cast<std::size_t>(kibibytes * 1024)};
}

TPasswordMatch MatchArgon2id(const QString& AStored, const QString& APlainPassword,
                             const TPasswordCost& ACost) {
    const std::optional<TPasswordCost> limits = Argon2idLimits(AStored);
    if (!limits || limits->Passes > ACost.Passes || limits->MemoryBytes > ACost.MemoryBytes)
        return TPasswordMatch::Wrong;
    // libsodium takes the line as a zero-terminated text of at most crypto_pwhash_STRBYTES.
    const QByteArray line = AStored.toLatin1();
    if (line.size() >= crypto_pwhash_STRBYTES || !SodiumReady())
        return TPasswordMatch::Wrong;
    char text[crypto_pwhash_STRBYTES] = {};
    std::memcpy(text, line.constData(), static_cast<std::size_t>(line.size()));
    const QByteArray password = APlainPassword.toUtf8();
    if (crypto_pwhash_str_verify(text, password.constData(),
                                 static_cast<unsigned long long>(password.size())) != 0)
        return TPasswordMatch::Wrong;
    return crypto_pwhash_str_needs_rehash(text, ACost.Passes, ACost.MemoryBytes) == 0
               ? TPasswordMatch::Right
               : TPasswordMatch::RightOutdated;
}

TPasswordMatch MatchPbkdf2(const QString& AStored, const QString& APlainPassword) {
    const QStringList parts = AStored.mid(kPbkdf2Marker.size()).split(QLatin1Char('$'));
    if (parts.size() != 3)
        return TPasswordMatch::Wrong;
    bool numeric = false;
    const int iterations = parts[0].toInt(&numeric);
    if (!numeric || iterations < 1 || iterations > kMaxPbkdf2Iterations)
        return TPasswordMatch::Wrong;
    const std::optional<QByteArray> salt = StrictBase64(parts[1]);
    const std::optional<QByteArray> key = StrictBase64(parts[2]);
    const QByteArray password = APlainPassword.toUtf8();
    if (!salt || !key || key->isEmpty() || key->size() > kMaxPbkdf2KeyBytes ||
        salt->size() > INT_MAX || password.size() > INT_MAX)
        return TPasswordMatch::Wrong;
    QByteArray computed(key->size(), '\0');
    if (PKCS5_PBKDF2_HMAC(password.constData(), static_cast<int>(password.size()),
                          reinterpret_cast<const unsigned char*>(salt->constData()),
                          static_cast<int>(salt->size()), iterations, EVP_sha256(),
                          static_cast<int>(computed.size()),
                          reinterpret_cast<unsigned char*>(computed.data())) != 1)
        return TPasswordMatch::Wrong;
    return SameBytes(computed, *key) ? TPasswordMatch::RightOutdated : TPasswordMatch::Wrong;
}

TPasswordMatch MatchReversedBase64(const QString& AStored, const QString& APlainPassword) {
    if (AStored.isEmpty())
        return TPasswordMatch::Wrong;
    const QByteArray stored = AStored.toUtf8();
    const QByteArray utf8 = APlainPassword.toUtf8();
    bool right = SameBytes(stored, LegacyEncodePassword(utf8).toLatin1());
    // The earlier Windows program wrote the bytes of the ANSI code page.
    if (const std::optional<QByteArray> ansi = Windows1252Bytes(APlainPassword);
        ansi && *ansi != utf8)
        right = SameBytes(stored, LegacyEncodePassword(*ansi).toLatin1()) || right;
    return right ? TPasswordMatch::RightOutdated : TPasswordMatch::Wrong;
}
} // namespace

QString HashPassword(const QString& APlainPassword, const TPasswordCost& ACost) {
    if (!SodiumReady())
        throw TPasswordHashError("the password hash library libsodium cannot start");
    const QByteArray password = APlainPassword.toUtf8();
    char line[crypto_pwhash_STRBYTES] = {};
    errno = 0;
    if (crypto_pwhash_str(line, password.constData(),
                          static_cast<unsigned long long>(password.size()), ACost.Passes,
                          ACost.MemoryBytes) != 0) {
        const int reason = errno;
        throw TPasswordHashError("cannot compute Argon2id with " + std::to_string(ACost.Passes) +
                                 " passes over " + std::to_string(ACost.MemoryBytes / 1024) +
                                 " KiB: " + (reason != 0 ? std::strerror(reason) : "failed"));
    }
    return QString::fromLatin1(line);
}

TPasswordMatch MatchPassword(const QString& AStored, const QString& APlainPassword,
                             const TPasswordCost& ACost) {
    if (AStored.startsWith(kArgon2idMarker))
        return MatchArgon2id(AStored, APlainPassword, ACost);
    if (AStored.startsWith(kPbkdf2Marker))
        return MatchPbkdf2(AStored, APlainPassword);
    // Any other "$" line is of a form this program never wrote.
    if (AStored.startsWith(QLatin1Char('$')))
        return TPasswordMatch::Wrong;
    return MatchReversedBase64(AStored, APlainPassword);
}

QString LegacyEncodePassword(const QByteArray& APasswordBytes) {
    QString encoded = WrappedBase64(APasswordBytes);
    std::reverse(encoded.begin(), encoded.end());
    return encoded;
}

std::optional<QByteArray> Windows1252Bytes(const QString& AText) {
    // The characters of the bytes 0x80 to 0x9F; 0 marks the five bytes the code page leaves
    // undefined. Every other byte stands for the character of the same number.
    static constexpr char16_t kHighHalf[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    QByteArray bytes;
    bytes.reserve(AText.size());
    for (const QChar c : AText) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes += static_cast<char>(u);
            continue;
        }
        const char16_t* found = std::find(std::begin(kHighHalf), std::end(kHighHalf), u);
        if (found == std::end(kHighHalf))
            return std::nullopt;
        bytes += static_cast<char>(0x80 + (found - std::begin(kHighHalf)));
    }
    return bytes;
}
