// Fuzzes account files: user-name decoding from file names, and the password line. The first
// byte picks the case:
//  - a user name (the rest as UTF-8): its file name is one plain name inside the folder and
//    decodes back to the name;
//  - a file-name stem: decoding never fails, and a name it yields leads back to a plain name;
//  - an account file: its first line, as the login reads it, checked against a password with
//    the smallest Argon2id limits (a line asking for more is refused unhashed; PBKDF2 lines with
//    costly iteration counts are skipped here only to keep the run fast);
//  - a password: a fresh minimum-cost line and the earlier reversed-Base64 form both accept it.
#include "FuzzSupport.h"

#include "AccountNames.h"
#include "DelimitedText.h"
#include "PasswordHash.h"
#include "TextLines.h"

#include <QRegularExpression>

namespace {
void CheckPlainFileName(const QString& AName) {
    FUZZ_CHECK(AName.endsWith(AccountFileExtension), AName);
    FUZZ_CHECK(!AName.contains(QLatin1Char('/')) && !AName.contains(QLatin1Char('\n')) &&
                   !AName.contains(QLatin1Char('\r')),
               AName);
    FUZZ_CHECK(AName != QLatin1String(".") && AName != QLatin1String(".."), AName);
}

// Iteration counts of the earlier PBKDF2 lines above this are refused or slow; not fuzzed.
bool CheapToCheck(const QString& ALine) {
    static const QRegularExpression pbkdf2(QStringLiteral("^\\$pbkdf2-sha256\\$\\s*\\+?0*([0-9]+)"));
    const QRegularExpressionMatch match = pbkdf2.match(ALine);
    if (!match.hasMatch())
        return !ALine.startsWith(QLatin1String("$pbkdf2-sha256$"));
    return match.capturedView(1).size() <= 4;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    if (ASize < 1)
        return 0;
    const QByteArray rest = FuzzBytes(AData + 1, ASize - 1);
    switch (AData[0] % 4) {
    case 0: {
        const QString user = QString::fromUtf8(rest);
        if (user.isEmpty())
            break;
        const QString name = AccountFileName(user);
        CheckPlainFileName(name);
        FUZZ_CHECK(DecodeAccountFileStem(name.chopped(AccountFileExtension.size())) == user, user);
        FUZZ_CHECK(AccountFileNameFits(user) == (name.toUtf8().size() <= 255), user);
        break;
    }
    case 1: {
        const QString user = DecodeAccountFileStem(QString::fromUtf8(rest));
        if (!user.isEmpty())
            CheckPlainFileName(AccountFileName(user));
        break;
    }
    case 2: {
        // Line 1 of the file, then the password to try.
        const qsizetype split = rest.indexOf('\0');
        const QStringList lines = DecodeTextLines(split < 0 ? rest : rest.left(split));
        const QString password = split < 0 ? QString() : QString::fromUtf8(rest.mid(split + 1));
        if (lines.isEmpty())
            break;
        const QString line = TrimControl(lines.first());
        if (!CheapToCheck(line))
            break;
        (void)MatchPassword(line, password, MinimumPasswordCost);
        break;
    }
    default: {
        const QString password = QString::fromUtf8(rest);
        const QString line = HashPassword(password, MinimumPasswordCost);
        FUZZ_CHECK(MatchPassword(line, password, MinimumPasswordCost) == TPasswordMatch::Right, password);
        FUZZ_CHECK(MatchPassword(line, password + QLatin1Char('x'), MinimumPasswordCost) ==
                       TPasswordMatch::Wrong,
                   password);
        // The earlier form's lines are written without their line breaks only up to 57 bytes.
        if (password.toUtf8().size() <= 57 && !password.isEmpty()) {
            const QString legacy = TrimControl(LegacyEncodePassword(password.toUtf8()));
            FUZZ_CHECK(MatchPassword(legacy, password, MinimumPasswordCost) == TPasswordMatch::RightOutdated,
                       password);
        }
        break;
    }
    }
    return 0;
}
