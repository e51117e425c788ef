#include "PasswordHash.h"

#include "AccountNames.h"

#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace {
const QString kMarker = QStringLiteral("$pbkdf2-sha256$");
constexpr int kSaltBytes = 16;
constexpr int kKeyBytes = 32;
// Guards against a tampered file that would make a login run for hours.
constexpr int kMaxIterations = 10'000'000;

// Compares in time that depends only on the lengths, not on where the bytes first differ.
bool SameBytes(const QByteArray& A, const QByteArray& B) {
    if (A.size() != B.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < A.size(); ++i)
        difference |= static_cast<unsigned char>(A[i] ^ B[i]);
    return difference == 0;
}

std::optional<QByteArray> StrictBase64(const QString& AText) {
    const auto result = QByteArray::fromBase64Encoding(
        AText.toLatin1(), QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!result)
        return std::nullopt;
    return result.decoded;
}
} // namespace

QByteArray Pbkdf2Sha256(const QByteArray& APassword, const QByteArray& ASalt, int AIterations,
                        int AKeyLength) {
    QByteArray key;
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, APassword);
    for (quint32 block = 1; key.size() < AKeyLength; ++block) {
        QByteArray blockIndex(4, '\0');
        blockIndex[0] = static_cast<char>(block >> 24);
        blockIndex[1] = static_cast<char>(block >> 16);
        blockIndex[2] = static_cast<char>(block >> 8);
        blockIndex[3] = static_cast<char>(block);
        mac.reset();
        mac.addData(ASalt);
        mac.addData(blockIndex);
        QByteArray u = mac.result();
        QByteArray t = u;
        for (int i = 1; i < AIterations; ++i) {
            mac.reset();
            mac.addData(u);
            u = mac.result();
            for (qsizetype j = 0; j < t.size(); ++j)
                t[j] = static_cast<char>(t[j] ^ u[j]);
        }
        key += t;
    }
    key.truncate(AKeyLength);
    return key;
}

QString HashPassword(const QString& APlainPassword, int AIterations) {
    QByteArray salt(kSaltBytes, '\0');
    QRandomGenerator::system()->generate(salt.begin(), salt.end());
    const QByteArray key = Pbkdf2Sha256(APlainPassword.toUtf8(), salt, AIterations, kKeyBytes);
    return kMarker + QString::number(AIterations) + QLatin1Char('$') +
           QString::fromLatin1(salt.toBase64()) + QLatin1Char('$') +
           QString::fromLatin1(key.toBase64());
}

bool IsPasswordHash(const QString& AStored) {
    return AStored.startsWith(kMarker);
}

bool VerifyPasswordHash(const QString& AStored, const QString& APlainPassword) {
    if (!IsPasswordHash(AStored))
        return false;
    const QStringList parts = AStored.mid(kMarker.size()).split(QLatin1Char('$'));
    if (parts.size() != 3)
        return false;
    bool numeric = false;
    const int iterations = parts[0].toInt(&numeric);
    if (!numeric || iterations < 1 || iterations > kMaxIterations)
        return false;
    const std::optional<QByteArray> salt = StrictBase64(parts[1]);
    const std::optional<QByteArray> key = StrictBase64(parts[2]);
    if (!salt || !key || key->isEmpty() || key->size() > 64)
        return false;
    const QByteArray computed =
        Pbkdf2Sha256(APlainPassword.toUtf8(), *salt, iterations, static_cast<int>(key->size()));
    return SameBytes(computed, *key);
}

QString LegacyEncodePassword(const QString& APlainPassword) {
    QString encoded = WrappedBase64(APlainPassword.toUtf8());
    std::reverse(encoded.begin(), encoded.end());
    return encoded;
}
