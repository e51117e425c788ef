// User accounts: file names, password lines of every form, listing, login and saving.
#include "AccountNames.h"
#include "Accounts.h"
#include "PasswordHash.h"
#include "TestSupport.h"
#include "TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iterator>

namespace {

// Fixtures made once with libsodium (crypto_pwhash_str) for the password "secret".
const QString kArgon2idSecret =
    QStringLiteral("$argon2id$v=19$m=8,t=1,p=1$3a3fChF4Femtt/"
                   "yd1D92iQ$bkEttRBLyOLnIfVEyQsuh9BnKMFap/KGha91mibyRHs");
const QString kArgon2idSecretTwoPasses =
    QStringLiteral("$argon2id$v=19$m=8,t=2,p=1$NxXzEShWh5o0z3RNsbFBbA$rxBvywfbuWro3d/"
                   "zZ5FW1THho0wSwLszru+E1HwdDxA");
const QString kArgon2idSecret16KiB =
    QStringLiteral("$argon2id$v=19$m=16,t=1,p=1$Hw/"
                   "n1OieLsD3FFEKSrT9wA$B4AReV7+h1eW3DtD13qKhFWK6yUXirXtBjgzgr7M6NM");
const QString kArgon2iSecret = QStringLiteral(
    "$argon2i$v=19$m=8,t=3,p=1$NYKfWP5iwGBL0uD9HAnhUg$Yhtn39YnZsOztoMthPtZTr4OyyKo2M7QpMmRnXPlVzg");
// Lines the previous version wrote (120 000 iterations) for "secret" and for "café €".
const QString kPbkdf2Secret = QStringLiteral("$pbkdf2-sha256$120000$cgVC4cj1tvTd3w02VjvcUA==$"
                                             "grS71vJDvAY+lTpZmfYxh5KWsbivoL/5nSp4rqhWfXA=");
const QString kPbkdf2CafeEuro = QStringLiteral("$pbkdf2-sha256$120000$RODaqOghpJaHT9cNRoLbKw==$"
                                               "tZquuRbGpkEe/LoiPsuzGTlmxkA89EFg9c5CXmKgXW4=");
// The reversed Base64 form of earlier versions.
const QString kReversedSecret = QStringLiteral("0VmcjV2c");          // "secret"
const QString kReversedCafeUtf8 = QStringLiteral("=k6wmF2Y");        // "café", UTF-8
const QString kReversedCafeWindows1252 = QStringLiteral("==Q6mF2Y"); // "café", Windows-1252
const QString kReversedEuroWindows1252 = QStringLiteral("==wbyVHg"); // "€uro", Windows-1252
const QString kCafe = QStringLiteral("caf\u00e9");

// A PBKDF2 line from a published PBKDF2-HMAC-SHA256 vector (RFC 7914, section 11).
QString Pbkdf2Line(int AIterations, const QByteArray& ASalt, const QByteArray& AKeyHex) {
    return QStringLiteral("$pbkdf2-sha256$") + QString::number(AIterations) + QLatin1Char('$') +
           QString::fromLatin1(ASalt.toBase64()) + QLatin1Char('$') +
           QString::fromLatin1(QByteArray::fromHex(AKeyHex).toBase64());
}
const QString kRfcVector1 =
    Pbkdf2Line(1, "salt",
               "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
               "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783"); // "passwd"
const QString kRfcVector80000 =
    Pbkdf2Line(80000, "NaCl",
               "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"
               "a1d425a1225833549adb841b51c9b3176a272bdebba1d078478f62b397f33c8d"); // "Password"

// The line ALine with its parameter part ("m=8,t=1,p=1") replaced by AParameters.
QString WithParameters(const QString& ALine, const QString& AParameters) {
    QStringList parts = ALine.split(QLatin1Char('$'));
    parts[3] = AParameters;
    return parts.join(QLatin1Char('$'));
}

TEST(PasswordLine, HashIsArgon2idSaltedAndVerifies) {
    const QString first = HashPassword(QStringLiteral("secret"), MinimumPasswordCost);
    const QString second = HashPassword(QStringLiteral("secret"), MinimumPasswordCost);
    EXPECT_TRUE(first.startsWith(QStringLiteral("$argon2id$v=19$m=8,t=1,p=1$")))
        << first.toStdString();
    EXPECT_FALSE(first.contains(QStringLiteral("secret")));
    EXPECT_NE(first, second); // a salt of its own each time
    for (const QString& line : {first, second}) {
        EXPECT_EQ(MatchPassword(line, QStringLiteral("secret"), MinimumPasswordCost),
                  TPasswordMatch::Right);
        EXPECT_EQ(MatchPassword(line, QStringLiteral("secret "), MinimumPasswordCost),
                  TPasswordMatch::Wrong);
        EXPECT_EQ(MatchPassword(line, QStringLiteral("Secret"), MinimumPasswordCost),
                  TPasswordMatch::Wrong);
    }
    // Other limits than asked for are written as given.
    EXPECT_TRUE(HashPassword(QStringLiteral("secret"), {2, 16384})
                    .startsWith(QStringLiteral("$argon2id$v=19$m=16,t=2,p=1$")));
    // Non-ASCII passwords are hashed from their UTF-8 bytes.
    EXPECT_EQ(MatchPassword(HashPassword(kCafe, MinimumPasswordCost), kCafe, MinimumPasswordCost),
              TPasswordMatch::Right);
}

TEST(PasswordLine, HashThatCannotBeComputedThrows) {
    EXPECT_THROW(HashPassword(QStringLiteral("pw"), {1, static_cast<std::size_t>(-1)}),
                 TPasswordHashError);
    EXPECT_THROW(HashPassword(QStringLiteral("pw"), {0, MinimumPasswordCost.MemoryBytes}),
                 TPasswordHashError);
}

struct TMatchCase {
    const char* Name;
    QString Stored;
    QString Typed;
    TPasswordMatch Expected;
    TPasswordCost Cost = MinimumPasswordCost;
};

void PrintTo(const TMatchCase& ACase, std::ostream* AOut) {
    *AOut << ACase.Name;
}

class PasswordMatches : public testing::TestWithParam<TMatchCase> {};

TEST_P(PasswordMatches, TellRightOutdatedAndWrongApart) {
    const TMatchCase& c = GetParam();
    EXPECT_EQ(MatchPassword(c.Stored, c.Typed, c.Cost), c.Expected) << c.Stored.toStdString();
}

using enum TPasswordMatch;
INSTANTIATE_TEST_SUITE_P(
    Cases, PasswordMatches,
    testing::Values(
        // Argon2id: right with the limits in use, outdated with others, refused above them.
        TMatchCase{"Argon2id", kArgon2idSecret, QStringLiteral("secret"), Right},
        TMatchCase{"Argon2idWrong", kArgon2idSecret, QStringLiteral("Secret"), Wrong},
        TMatchCase{"Argon2idEmptyPassword", kArgon2idSecret, QString(), Wrong},
        TMatchCase{"Argon2idFewerPasses",
                   kArgon2idSecret,
                   QStringLiteral("secret"),
                   RightOutdated,
                   {2, 8192}},
        TMatchCase{"Argon2idLessMemory",
                   kArgon2idSecret,
                   QStringLiteral("secret"),
                   RightOutdated,
                   {1, 16384}},
        TMatchCase{"Argon2idTwoPassesInUse",
                   kArgon2idSecretTwoPasses,
                   QStringLiteral("secret"),
                   Right,
                   {2, 8192}},
        TMatchCase{"Argon2idMorePassesThanInUse", kArgon2idSecretTwoPasses,
                   QStringLiteral("secret"), Wrong},
        TMatchCase{"Argon2idMoreMemoryThanInUse", kArgon2idSecret16KiB, QStringLiteral("secret"),
                   Wrong},
        TMatchCase{"Argon2id16KiBInUse",
                   kArgon2idSecret16KiB,
                   QStringLiteral("secret"),
                   Right,
                   {1, 16384}},
        // Absurd limits are refused before hashing: hashed, these would run for hours or ask for
        // terabytes. The program's own limits do not let them through either.
        TMatchCase{"AbsurdPasses",
                   WithParameters(kArgon2idSecret, QStringLiteral("m=8,t=4294967295,p=1")),
                   QStringLiteral("secret"), Wrong, ProgramPasswordCost},
        TMatchCase{"AbsurdMemory",
                   WithParameters(kArgon2idSecret, QStringLiteral("m=4294967295,t=1,p=1")),
                   QStringLiteral("secret"), Wrong, ProgramPasswordCost},
        TMatchCase{"MemoryBeyondTenDigits",
                   WithParameters(kArgon2idSecret, QStringLiteral("m=99999999999,t=1,p=1")),
                   QStringLiteral("secret"), Wrong, ProgramPasswordCost},
        // Malformed or foreign Argon2 lines.
        TMatchCase{"TwoLanes", WithParameters(kArgon2idSecret, QStringLiteral("m=8,t=1,p=2")),
                   QStringLiteral("secret"), Wrong},
        TMatchCase{"LeadingZero", WithParameters(kArgon2idSecret, QStringLiteral("m=08,t=1,p=1")),
                   QStringLiteral("secret"), Wrong},
        TMatchCase{"OlderVersion",
                   QString(kArgon2idSecret).replace(QStringLiteral("v=19"), QStringLiteral("v=16")),
                   QStringLiteral("secret"), Wrong},
        TMatchCase{"TamperedKey", kArgon2idSecret.chopped(1) + QLatin1Char('t'),
                   QStringLiteral("secret"), Wrong},
        TMatchCase{"MissingKey",
                   kArgon2idSecret.left(kArgon2idSecret.lastIndexOf(QLatin1Char('$'))),
                   QStringLiteral("secret"), Wrong},
        TMatchCase{"Argon2i", kArgon2iSecret, QStringLiteral("secret"), Wrong, {3, 8192}},
        TMatchCase{"UnknownScheme", QStringLiteral("$scrypt$ln=1$abc$def"),
                   QStringLiteral("secret"), Wrong},
        // PBKDF2 lines: the published vectors and lines the previous version wrote.
        TMatchCase{"Pbkdf2Vector1", kRfcVector1, QStringLiteral("passwd"), RightOutdated},
        TMatchCase{"Pbkdf2Vector1Wrong", kRfcVector1, QStringLiteral("Passwd"), Wrong},
        TMatchCase{"Pbkdf2Vector80000", kRfcVector80000, QStringLiteral("Password"), RightOutdated},
        TMatchCase{"Pbkdf2Previous", kPbkdf2Secret, QStringLiteral("secret"), RightOutdated},
        TMatchCase{"Pbkdf2PreviousWrong", kPbkdf2Secret, QStringLiteral("secret "), Wrong},
        TMatchCase{"Pbkdf2PreviousNonAscii", kPbkdf2CafeEuro, QStringLiteral("caf\u00e9 \u20ac"),
                   RightOutdated},
        // Reversed Base64: UTF-8 and Windows-1252 bytes of the typed password.
        TMatchCase{"ReversedAscii", kReversedSecret, QStringLiteral("secret"), RightOutdated},
        TMatchCase{"ReversedAsciiWrong", kReversedSecret, QStringLiteral(" secret"), Wrong},
        TMatchCase{"ReversedUtf8", kReversedCafeUtf8, kCafe, RightOutdated},
        TMatchCase{"ReversedWindows1252", kReversedCafeWindows1252, kCafe, RightOutdated},
        TMatchCase{"ReversedWindows1252Wrong", kReversedCafeWindows1252, QStringLiteral("cafe"),
                   Wrong},
        TMatchCase{"ReversedWindows1252Euro", kReversedEuroWindows1252, QStringLiteral("\u20acuro"),
                   RightOutdated},
        // U+0080 is byte 0x80 in Latin-1 but has no place in Windows-1252.
        TMatchCase{"ReversedLatin1IsNotWindows1252", kReversedEuroWindows1252,
                   QStringLiteral("\u0080uro"), Wrong},
        TMatchCase{"EmptyLineEmptyPassword", QString(), QString(), Wrong},
        TMatchCase{"EmptyLine", QString(), QStringLiteral("secret"), Wrong}),
    [](const testing::TestParamInfo<TMatchCase>& AInfo) { return std::string(AInfo.param.Name); });

TEST(PasswordLine, MalformedPbkdf2LinesNeverMatch) {
    const QStringList parts =
        kRfcVector1.split(QLatin1Char('$')); // "", "pbkdf2-sha256", n, salt, key
    ASSERT_EQ(parts.size(), 5);
    const QString bad[] = {
        QStringLiteral("$pbkdf2-sha256$"), QStringLiteral("$pbkdf2-sha256$1$") + parts[3],
        QStringLiteral("$pbkdf2-sha256$abc$") + parts[3] + QLatin1Char('$') + parts[4],
        QStringLiteral("$pbkdf2-sha256$0$") + parts[3] + QLatin1Char('$') + parts[4],
        // Refused before hashing: hashed, it would run for many minutes.
        QStringLiteral("$pbkdf2-sha256$999999999$") + parts[3] + QLatin1Char('$') + parts[4],
        QStringLiteral("$pbkdf2-sha256$1$!!$") + parts[4],
        QStringLiteral("$pbkdf2-sha256$1$") + parts[3] + QStringLiteral("$"),
        QStringLiteral("$pbkdf2-sha256$1$") + parts[3] + QLatin1Char('$') + parts[4] +
            QStringLiteral("$extra"),
        QStringLiteral("$pbkdf2-sha256$1$") + parts[3] + QLatin1Char('$') +
            QString::fromLatin1(QByteArray(65, 'k').toBase64()), // a key longer than 64 bytes
    };
    ASSERT_EQ(MatchPassword(kRfcVector1, QStringLiteral("passwd")), TPasswordMatch::RightOutdated);
    for (const QString& line : bad)
        EXPECT_EQ(MatchPassword(line, QStringLiteral("passwd")), TPasswordMatch::Wrong)
            << line.toStdString();
}

TEST(PasswordLine, OlderFormIsReversedBase64) {
    EXPECT_EQ(LegacyEncodePassword("abc"), QStringLiteral("jJWY"));
    EXPECT_EQ(LegacyEncodePassword("a"), QStringLiteral("==QY"));
    EXPECT_EQ(LegacyEncodePassword("caf\xe9"), kReversedCafeWindows1252);
    EXPECT_FALSE(LegacyEncodePassword("abc").startsWith(QLatin1Char('$')));
}

TEST(PasswordLine, Windows1252BytesFollowTheCodePage) {
    EXPECT_EQ(Windows1252Bytes(QString()), QByteArray());
    EXPECT_EQ(Windows1252Bytes(QStringLiteral("A~\u00a0\u00e9\u00ff")),
              QByteArray("A~\xa0\xe9\xff"));
    // Every character of the bytes 0x80 to 0x9F that the code page defines.
    const QString high = QStringLiteral(
        "\u20ac\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039\u0152\u017d"
        "\u2018\u2019\u201c\u201d\u2022\u2013\u2014\u02dc\u2122\u0161\u203a\u0153\u017e\u0178");
    EXPECT_EQ(Windows1252Bytes(high)->toHex(),
              QByteArray("8082838485868788898a8b8c8e919293949596979899"
                         "9a9b9c9e9f"));
    // Characters outside the code page: no Windows-1252 form at all.
    for (const QString& text :
         {QStringLiteral("\u0080"), QStringLiteral("\u0081"), QStringLiteral("a\u0100"),
          QStringLiteral("\u5f20"), QStringLiteral("\U0001F600")})
        EXPECT_FALSE(Windows1252Bytes(text)) << text.toStdString();
}

struct TNameCase {
    const char* Name;
    QString UserName;
    QString FileName; // empty: only the round trip and the folder rules are checked
};

class AccountFileNames : public testing::TestWithParam<TNameCase> {};

TEST_P(AccountFileNames, StayInTheFolderAndReadBack) {
    const TNameCase& c = GetParam();
    const QString fileName = AccountFileName(c.UserName);
    if (!c.FileName.isEmpty()) {
        EXPECT_EQ(fileName, c.FileName);
    }
    EXPECT_TRUE(fileName.endsWith(QStringLiteral(".fvxml")));
    EXPECT_FALSE(fileName.contains(QLatin1Char('/')));
    EXPECT_FALSE(fileName.contains(QLatin1Char('\n')));
    EXPECT_FALSE(fileName.startsWith(QLatin1Char('.')));
    EXPECT_EQ(DecodeAccountFileStem(fileName.chopped(6)), c.UserName);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AccountFileNames,
    testing::Values(
        TNameCase{"Abc", QStringLiteral("abc"), QStringLiteral("YWJj.fvxml")},
        TNameCase{"OneCharacter", QStringLiteral("a"), QStringLiteral("YQ==.fvxml")},
        TNameCase{"PlusKeepsTheOldForm", QStringLiteral(">>>"), QStringLiteral("Pj4+.fvxml")},
        TNameCase{"SlashTakesTheSafeForm", QStringLiteral("???"), QStringLiteral("Pz8_.fvxml")},
        TNameCase{"ParentFolder", QStringLiteral("../x"), QStringLiteral("Li4veA==.fvxml")},
        TNameCase{"Slash", QStringLiteral("/"), QStringLiteral("Lw==.fvxml")},
        TNameCase{"Blanks", QStringLiteral("  "), QStringLiteral("ICA=.fvxml")},
        TNameCase{"HundredCharacters", QString(100, QLatin1Char('n')), QString()},
        TNameCase{"LongerThanOneBase64Line", QString(58, QLatin1Char('?')), QString()},
        TNameCase{"NonAscii", QStringLiteral("J\u00fcrgen \u5f20\u4e09 \U0001F600"), QString()},
        // A name that begins with U+FEFF keeps it (found by fuzzing: the decoder took it for a
        // byte-order mark and listed the account under another name).
        TNameCase{"LeadingByteOrderMark", QStringLiteral("\ufeff\ufeffbob"), QString()},
        TNameCase{"OnlyAByteOrderMark", QStringLiteral("\ufeff"), QStringLiteral("77u_.fvxml")}),
    [](const testing::TestParamInfo<TNameCase>& AInfo) { return std::string(AInfo.param.Name); });

TEST(AccountFileNames, DecoderSkipsForeignCharacters) {
    EXPECT_EQ(DecodeAccountFileStem(QStringLiteral("YW\r\nJj")), QStringLiteral("abc"));
    EXPECT_EQ(DecodeAccountFileStem(QStringLiteral("Pz8/")), QStringLiteral("???"));
    EXPECT_EQ(DecodeAccountFileStem(QStringLiteral("Pz8_")), QStringLiteral("???"));
    EXPECT_EQ(DecodeAccountFileStem(QStringLiteral("5A==")), QStringLiteral("\u00e4")); // not UTF-8
}

TEST(AccountFileNames, TooLongNamesAreToldApart) {
    EXPECT_TRUE(AccountFileNameFits(QString(186, QLatin1Char('n'))));
    EXPECT_FALSE(AccountFileNameFits(QString(187, QLatin1Char('n'))));
    EXPECT_FALSE(AccountFileNameFits(QString(100, QChar(0x5f20)))); // 300 bytes of UTF-8
}

class AccountFiles : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        FFolder = FDir.path() + QLatin1Char('/');
    }
    void WriteRaw(const QString& AName, const QByteArray& ABytes) {
        QFile file(FFolder + AName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ABytes);
    }
    QByteArray ReadRaw(const QString& AName) {
        QFile file(FFolder + AName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList Listed() {
        TAccountList list;
        TFavoriteKW::GetFavoriteList(FFolder, list);
        QStringList names;
        for (const auto& account : list)
            names << account->FUserName;
        return names;
    }
    QTemporaryDir FDir;
    QString FFolder;
};

TEST_F(AccountFiles, ListsAccountFilesOnlySortedByName) {
    WriteRaw(QStringLiteral("YWJj.fvxml"), "x\r\n"); // abc
    WriteRaw(QStringLiteral("QmVu.FVXML"), "x\r\n"); // Ben
    WriteRaw(QStringLiteral("Pz8_.fvxml"), "x\r\n"); // ???
    WriteRaw(QStringLiteral("notes.txt"), "x\r\n");
    WriteRaw(QStringLiteral(".fvxml"), "x\r\n");                    // no name at all
    ASSERT_TRUE(QDir(FFolder).mkdir(QStringLiteral("YQ==.fvxml"))); // a folder, not an account
    EXPECT_EQ(Listed(),
              (QStringList{QStringLiteral("???"), QStringLiteral("abc"), QStringLiteral("Ben")}));
    TAccountList list;
    TFavoriteKW::GetFavoriteList(FFolder, list);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1]->FFileName, FFolder + QStringLiteral("YWJj.fvxml"));
    EXPECT_TRUE(list[1]->FFavoriteCodes.isEmpty()); // not read yet
}

TEST_F(AccountFiles, MissingFolderListsNothing) {
    TAccountList list;
    TFavoriteKW::GetFavoriteList(FFolder + QStringLiteral("missing/"), list);
    EXPECT_TRUE(list.empty());
}

TEST_F(AccountFiles, NewAccountHoldsOnlyItsHashedPasswordOwnerOnly) {
    TFavoriteKW account(QStringLiteral("abc"), QStringLiteral("secret"), FFolder,
                        MinimumPasswordCost);
    EXPECT_EQ(account.FFileName, FFolder + QStringLiteral("YWJj.fvxml"));
    EXPECT_FALSE(QFileInfo::exists(account.FFileName)); // nothing written before SaveKWs
    account.SaveKWs();
    const QByteArray bytes = ReadRaw(QStringLiteral("YWJj.fvxml"));
    EXPECT_TRUE(bytes.startsWith("$argon2id$v=19$m=8,t=1,p=1$"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 1);
    EXPECT_FALSE(bytes.contains(QByteArray("secret").toBase64()));
    const auto permissions = QFileInfo(account.FFileName).permissions();
    EXPECT_FALSE(permissions & (QFileDevice::ReadGroup | QFileDevice::ReadOther));
    EXPECT_EQ(QDir(FFolder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    EXPECT_TRUE(account.FPassword.isEmpty());
}

TEST_F(AccountFiles, LoginChecksTheTypedPasswordExactly) {
    TFavoriteKW(QStringLiteral("abc"), QStringLiteral("secret"), FFolder, MinimumPasswordCost)
        .SaveKWs();
    TFavoriteKW account(QStringLiteral("abc"), FFolder + QStringLiteral("YWJj.fvxml"));
    for (const char* wrong : {"Secret", " secret", "secret ", "secre", ""}) {
        EXPECT_FALSE(account.LoadKWs(QString::fromLatin1(wrong), MinimumPasswordCost)) << wrong;
        EXPECT_TRUE(account.FFavoriteCodes.isEmpty()); // dropped, read again next time
    }
    EXPECT_TRUE(account.LoadKWs(QStringLiteral("secret"), MinimumPasswordCost));
    EXPECT_EQ(account.FFavoriteCodes.size(), 1);
}

TEST_F(AccountFiles, SecondLoginComparesWithTheLinesHeld) {
    WriteRaw(
        QStringLiteral("YWJj.fvxml"),
        (HashPassword(QStringLiteral("pw"), MinimumPasswordCost) + QStringLiteral("\r\nA01.1\r\n"))
            .toUtf8());
    TFavoriteKW account(QStringLiteral("abc"), FFolder + QStringLiteral("YWJj.fvxml"));
    ASSERT_TRUE(account.LoadKWs(QStringLiteral("pw"), MinimumPasswordCost));
    EXPECT_EQ(account.FFavoriteCodes.value(1), QStringLiteral("A01.1"));
    ASSERT_TRUE(QFile::remove(account.FFileName));
    // No read of the vanished file.
    EXPECT_TRUE(account.LoadKWs(QStringLiteral("pw"), MinimumPasswordCost));
    EXPECT_FALSE(account.LoadKWs(QStringLiteral("other"), MinimumPasswordCost));
    // Now it must read.
    EXPECT_THROW(account.LoadKWs(QStringLiteral("pw"), MinimumPasswordCost), TAccountFileError);
}

TEST_F(AccountFiles, EmptyFileRefusesEveryPassword) {
    WriteRaw(QStringLiteral("YWJj.fvxml"), QByteArray());
    TFavoriteKW account(QStringLiteral("abc"), FFolder + QStringLiteral("YWJj.fvxml"));
    EXPECT_FALSE(account.LoadKWs(QStringLiteral("x")));
    EXPECT_FALSE(account.LoadKWs(QString()));
}

// An account file: APasswordLine, then two favourite codes.
QByteArray FileOf(const QString& APasswordLine) {
    return (APasswordLine + QStringLiteral("\r\nS06.0X1A\r\nA01.1\r\n")).toUtf8();
}

struct TLoginCase {
    const char* Name;
    std::optional<QByteArray> File; // as found; nothing: made as a new account for "secret"
    QString Typed;
    bool Accepted;
    bool Rewritten; // the password line replaced, the favourite codes kept
    TPasswordCost Cost = MinimumPasswordCost;
};

void PrintTo(const TLoginCase& ACase, std::ostream* AOut) {
    *AOut << ACase.Name;
}

class AccountLogins : public AccountFiles, public testing::WithParamInterface<TLoginCase> {};

TEST_P(AccountLogins, LeaveACurrentLineOrTheFileAsItWas) {
    const TLoginCase& c = GetParam();
    const QString name = QStringLiteral("YWJj.fvxml");
    if (c.File)
        WriteRaw(name, *c.File);
    else
        TFavoriteKW(QStringLiteral("abc"), QStringLiteral("secret"), FFolder, c.Cost).SaveKWs();
    const QByteArray before = ReadRaw(name);
    ASSERT_FALSE(before.isEmpty());

    TFavoriteKW account(QStringLiteral("abc"), FFolder + name);
    ASSERT_EQ(account.LoadKWs(c.Typed, c.Cost), c.Accepted);
    const QByteArray after = ReadRaw(name);
    if (c.Rewritten) {
        EXPECT_NE(after, before);
        EXPECT_EQ(DecodeTextLines(after).mid(1), DecodeTextLines(before).mid(1));
        EXPECT_EQ(account.FFavoriteCodes, DecodeTextLines(after));
    } else {
        EXPECT_EQ(after, before); // byte for byte
    }
    if (!c.Accepted) {
        EXPECT_TRUE(account.FFavoriteCodes.isEmpty());
        return;
    }
    // An accepted login leaves a current Argon2id line: the earlier form is gone, and the next
    // login goes through the new line without writing again.
    const QString line = DecodeTextLines(after).value(0);
    EXPECT_TRUE(line.startsWith(QStringLiteral("$argon2id$v=19$m=%1,t=%2,p=1$")
                                    .arg(c.Cost.MemoryBytes / 1024)
                                    .arg(c.Cost.Passes)))
        << line.toStdString();
    EXPECT_EQ(MatchPassword(line, c.Typed, c.Cost), TPasswordMatch::Right);
    TFavoriteKW again(QStringLiteral("abc"), FFolder + name);
    EXPECT_TRUE(again.LoadKWs(c.Typed, c.Cost));
    EXPECT_FALSE(again.LoadKWs(c.Typed + QLatin1Char('x'), c.Cost));
    EXPECT_EQ(ReadRaw(name), after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AccountLogins,
    testing::Values(
        TLoginCase{"NewAccount", std::nullopt, QStringLiteral("secret"), true, false},
        TLoginCase{"NewAccountWrongPassword", std::nullopt, QStringLiteral("Secret"), false, false},
        TLoginCase{"CurrentLine", FileOf(kArgon2idSecret), QStringLiteral("secret"), true, false},
        TLoginCase{"CurrentLineWrongPassword", FileOf(kArgon2idSecret), QStringLiteral("secret "),
                   false, false},
        TLoginCase{"WeakerArgon2idLine",
                   FileOf(kArgon2idSecret),
                   QStringLiteral("secret"),
                   true,
                   true,
                   {2, 8192}},
        TLoginCase{"WeakerArgon2idLineWrongPassword",
                   FileOf(kArgon2idSecret),
                   QStringLiteral("Secret"),
                   false,
                   false,
                   {2, 8192}},
        TLoginCase{"Pbkdf2Line", FileOf(kPbkdf2Secret), QStringLiteral("secret"), true, true},
        TLoginCase{"Pbkdf2LineWrongPassword", FileOf(kPbkdf2Secret), QStringLiteral("Secret"),
                   false, false},
        // With the blanks and control characters a file may carry around the line.
        TLoginCase{"ReversedBase64Ascii",
                   FileOf(QStringLiteral("  ") + kReversedSecret + QLatin1Char('\t')),
                   QStringLiteral("secret"), true, true},
        TLoginCase{"ReversedBase64AsciiPaddedPassword",
                   FileOf(QStringLiteral("  ") + kReversedSecret + QLatin1Char('\t')),
                   QStringLiteral(" secret"), false, false},
        TLoginCase{"ReversedBase64Windows1252", FileOf(kReversedCafeWindows1252), kCafe, true,
                   true},
        TLoginCase{"ReversedBase64Windows1252WrongPassword", FileOf(kReversedCafeWindows1252),
                   QStringLiteral("cafe"), false, false},
        TLoginCase{"ReversedBase64Utf8", FileOf(kReversedCafeUtf8), kCafe, true, true},
        // Refused before any hashing, with the program's own limits in use.
        TLoginCase{"AbsurdPasses",
                   FileOf(WithParameters(kArgon2idSecret, QStringLiteral("m=8,t=4294967295,p=1"))),
                   QStringLiteral("secret"), false, false, ProgramPasswordCost},
        TLoginCase{"AbsurdMemory",
                   FileOf(WithParameters(kArgon2idSecret, QStringLiteral("m=4294967295,t=1,p=1"))),
                   QStringLiteral("secret"), false, false, ProgramPasswordCost},
        TLoginCase{"AboveTheLimitsInUse", FileOf(kArgon2idSecretTwoPasses),
                   QStringLiteral("secret"), false, false}),
    [](const testing::TestParamInfo<TLoginCase>& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(AccountFiles, PasswordThatCannotBeHashedMakesNoAccount) {
    EXPECT_THROW(TFavoriteKW(QStringLiteral("abc"), QStringLiteral("pw"), FFolder,
                             {1, static_cast<std::size_t>(-1)}),
                 TAccountFileError);
    EXPECT_TRUE(QDir(FFolder).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(AccountFiles, RewriteThatCannotBeHashedKeepsTheLineAndLogsIn) {
    WriteRaw(QStringLiteral("YWJj.fvxml"), FileOf(kReversedSecret));
    TFavoriteKW account(QStringLiteral("abc"), FFolder + QStringLiteral("YWJj.fvxml"));
    EXPECT_TRUE(account.LoadKWs(QStringLiteral("secret"), {1, static_cast<std::size_t>(-1)}));
    EXPECT_EQ(ReadRaw(QStringLiteral("YWJj.fvxml")), FileOf(kReversedSecret));
    EXPECT_EQ(account.FFavoriteCodes.value(0), kReversedSecret); // the held lines match the file
}

TEST_F(AccountFiles, SaveMakesAMissingFolderPath) {
    TFavoriteKW account(QStringLiteral("abc"), QStringLiteral("pw"),
                        FFolder + QStringLiteral("fresh/.local/share/Orvella Tabulon/"), MinimumPasswordCost);
    account.SaveKWs();
    TFavoriteKW again(QStringLiteral("abc"), account.FFileName);
    EXPECT_TRUE(again.LoadKWs(QStringLiteral("pw"), MinimumPasswordCost));
}

TEST_F(AccountFiles, SaveWhereNoFolderCanBeMadeThrowsNamingItAndTouchesNothing) {
    WriteRaw(QStringLiteral("YWJj.fvxml"), "keep\r\n");
    WriteRaw(QStringLiteral("gone"), "a file where the folder should be");
    TFavoriteKW account(QStringLiteral("abc"), QStringLiteral("pw"),
                        FFolder + QStringLiteral("gone/"), MinimumPasswordCost);
    try {
        account.SaveKWs();
        ADD_FAILURE() << "saved";
    } catch (const TAccountFileError& error) {
        EXPECT_NE(std::string(error.what()).find((FFolder + QStringLiteral("gone/")).toStdString()),
                  std::string::npos)
            << error.what();
    }
    EXPECT_EQ(ReadRaw(QStringLiteral("YWJj.fvxml")), QByteArray("keep\r\n"));
}

// A full disk: a new account leaves no file behind; the upgrade of an older password line at
// login cannot be written, and the login still succeeds with the file as it was.
TEST_F(AccountFiles, AFullDiskLeavesEveryAccountFileAsItWas) {
    const QByteArray older = FileOf(kReversedSecret) + QByteArray("A00.0\r\n").repeated(2000);
    WriteRaw(QStringLiteral("YWJj.fvxml"), older);
    TFileSizeLimit limit(4096);
    ASSERT_TRUE(limit.Set());
    TFavoriteKW fresh(QStringLiteral("new"), QStringLiteral("pw"), FFolder, MinimumPasswordCost);
    fresh.FFavoriteCodes << QStringList(2000, QStringLiteral("B01.1"));
    EXPECT_THROW(fresh.SaveKWs(), TAccountFileError);
    TFavoriteKW account(QStringLiteral("abc"), FFolder + QStringLiteral("YWJj.fvxml"));
    EXPECT_TRUE(account.LoadKWs(QStringLiteral("secret"), MinimumPasswordCost));
    EXPECT_EQ(ReadRaw(QStringLiteral("YWJj.fvxml")), older);
    EXPECT_EQ(QDir(FFolder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("YWJj.fvxml")});
}

// Truncated or garbled account files at start: every one is listed, none logs in, none is
// changed, and the sound account beside them logs in.
TEST_F(AccountFiles, TruncatedOrGarbledFilesRefuseLoginsAndStayAsTheyAre) {
    const QByteArray sound = FileOf(HashPassword(QStringLiteral("secret"), MinimumPasswordCost));
    const QByteArray broken[] = {
        sound.left(sound.size() / 2),                        // cut in the password line
        QByteArray("\x00\x9f\xff\xfe$argon2id$\r\n\x01", 17), // binary
        QByteArray("\xff\xfe$\0a\0", 6),                        // UTF-16 cut in a unit
        QByteArray(),                                          // empty
    };
    WriteRaw(AccountFileName(QStringLiteral("sound")), sound);
    QStringList names;
    for (int i = 0; i < static_cast<int>(std::size(broken)); ++i) {
        names << QStringLiteral("broken%1").arg(i);
        WriteRaw(AccountFileName(names.last()), broken[i]);
    }
    TAccountList list;
    TFavoriteKW::GetFavoriteList(FFolder, list);
    ASSERT_EQ(list.size(), std::size(broken) + 1);
    for (const auto& account : list) {
        const qsizetype index = names.indexOf(account->FUserName);
        if (index < 0) {
            EXPECT_TRUE(account->LoadKWs(QStringLiteral("secret"), MinimumPasswordCost));
            continue;
        }
        EXPECT_FALSE(account->LoadKWs(QStringLiteral("secret"), MinimumPasswordCost)) << index;
        EXPECT_FALSE(account->LoadKWs(QString(), MinimumPasswordCost)) << index;
        EXPECT_EQ(ReadRaw(AccountFileName(account->FUserName)), broken[index]) << index;
    }
}

TEST_F(AccountFiles, AwkwardNamesMakeOneFileEachAndLogInAfterARestart) {
    const QStringList names{QStringLiteral("../x"), QStringLiteral("/"),
                            QString(100, QLatin1Char('n')), QStringLiteral("???"),
                            QStringLiteral("J\u00fcrgen \u5f20\u4e09")};
    for (const QString& name : names) {
        TFavoriteKW account(name, QStringLiteral("pw ") + name, FFolder, MinimumPasswordCost);
        account.SaveKWs();
        EXPECT_EQ(QFileInfo(account.FFileName).absolutePath(),
                  QFileInfo(FDir.path()).absoluteFilePath());
    }
    EXPECT_EQ(QDir(FFolder).entryList(QDir::Files | QDir::Hidden).size(), names.size());
    EXPECT_FALSE(QFileInfo::exists(FDir.filePath(QStringLiteral("../x.fvxml"))));

    TAccountList restarted;
    TFavoriteKW::GetFavoriteList(FFolder, restarted);
    ASSERT_EQ(static_cast<qsizetype>(restarted.size()), names.size());
    for (const auto& account : restarted) {
        EXPECT_TRUE(names.contains(account->FUserName)) << account->FUserName.toStdString();
        EXPECT_TRUE(
            account->LoadKWs(QStringLiteral("pw ") + account->FUserName, MinimumPasswordCost));
    }
}

// Favourite codes: added and removed one at a time, each saved at once behind the password line,
// which stays exactly as the file had it.
TEST_F(AccountFiles, FavouritesAreSavedAtOnceAndReadBackAfterARestart) {
    TFavoriteKW created(QStringLiteral("abc"), QStringLiteral("secret"), FFolder, MinimumPasswordCost);
    created.SaveKWs();
    const QString passwordLine = created.FFavoriteCodes.first();
    const QString name = QStringLiteral("YWJj.fvxml");
    const struct {
        bool Add;
        const char* Code;
        bool Changed;
        QStringList Codes; // afterwards, in the file and held
    } steps[] = {
        {true, "E11.65", true, {QStringLiteral("E11.65")}},
        {true, "A01.02", true, {QStringLiteral("E11.65"), QStringLiteral("A01.02")}},
        {true, "E11.65", false, {QStringLiteral("E11.65"), QStringLiteral("A01.02")}},   // there already
        {true, " S72.001A ", true, {QStringLiteral("E11.65"), QStringLiteral("A01.02"), QStringLiteral("S72.001A")}},
        {true, "Q99.ZZZZ", true, {QStringLiteral("E11.65"), QStringLiteral("A01.02"), QStringLiteral("S72.001A"),
                                   QStringLiteral("Q99.ZZZZ")}}, // no code of any edition: kept
        {false, "A01.02", true, {QStringLiteral("E11.65"), QStringLiteral("S72.001A"), QStringLiteral("Q99.ZZZZ")}},
        {false, "A01.02", false, {QStringLiteral("E11.65"), QStringLiteral("S72.001A"), QStringLiteral("Q99.ZZZZ")}},
    };
    for (const auto& step : steps) {
        const QString code = QLatin1String(step.Code);
        const QByteArray before = ReadRaw(name);
        EXPECT_EQ(step.Add ? created.AddFavoriteCode(code) : created.RemoveFavoriteCode(code), step.Changed)
            << step.Code;
        EXPECT_EQ(created.FavoriteCodes(), step.Codes) << step.Code;
        EXPECT_EQ(ReadTextLines(created.FFileName), QStringList{passwordLine} + step.Codes) << step.Code;
        if (!step.Changed) {
            EXPECT_EQ(ReadRaw(name), before) << step.Code;
        }
    }
    const auto permissions = QFileInfo(created.FFileName).permissions();
    EXPECT_FALSE(permissions & (QFileDevice::ReadGroup | QFileDevice::ReadOther));
    // Another run reads them after its login.
    TAccountList restarted;
    TFavoriteKW::GetFavoriteList(FFolder, restarted);
    ASSERT_EQ(restarted.size(), 1u);
    EXPECT_TRUE(restarted.front()->FavoriteCodes().isEmpty()); // not read before the login
    ASSERT_TRUE(restarted.front()->LoadKWs(QStringLiteral("secret"), MinimumPasswordCost));
    EXPECT_EQ(restarted.front()->FavoriteCodes(), steps[std::size(steps) - 1].Codes);
}

// A file of an earlier version (password line only, or with blank lines) gains codes behind its
// own password line, byte for byte; a line another run wrote after this login is kept too.
TEST_F(AccountFiles, SavingFavouritesKeepsThePasswordLineOfTheFile) {
    const QString name = QStringLiteral("YWJj.fvxml");
    WriteRaw(name, (kArgon2idSecret + QStringLiteral("\r\n")).toUtf8());
    TFavoriteKW account(QStringLiteral("abc"), FFolder + name);
    ASSERT_TRUE(account.LoadKWs(QStringLiteral("secret"), MinimumPasswordCost));
    EXPECT_TRUE(account.FavoriteCodes().isEmpty());
    ASSERT_TRUE(account.AddFavoriteCode(QStringLiteral("A00.0")));
    EXPECT_EQ(ReadRaw(name), (kArgon2idSecret + QStringLiteral("\r\nA00.0\r\n")).toUtf8());

    // Another run logs in and rewrites the line (say, with other limits); this run's next save
    // keeps that line, not the one it read at its login.
    WriteRaw(name, (kArgon2idSecretTwoPasses + QStringLiteral("\r\nA00.0\r\n")).toUtf8());
    ASSERT_TRUE(account.AddFavoriteCode(QStringLiteral("A01.1")));
    EXPECT_EQ(ReadRaw(name), (kArgon2idSecretTwoPasses + QStringLiteral("\r\nA00.0\r\nA01.1\r\n")).toUtf8());
    EXPECT_EQ(account.FFavoriteCodes.first(), kArgon2idSecretTwoPasses);

    // Blank lines between the codes of an older file are no codes; the codes all stay.
    WriteRaw(name, FileOf(kArgon2idSecret).replace("\r\nA01.1", "\r\n\r\n  A01.1  "));
    TFavoriteKW older(QStringLiteral("abc"), FFolder + name);
    ASSERT_TRUE(older.LoadKWs(QStringLiteral("secret"), MinimumPasswordCost));
    EXPECT_EQ(older.FavoriteCodes(), (QStringList{QStringLiteral("S06.0X1A"), QStringLiteral("A01.1")}));
    ASSERT_TRUE(older.RemoveFavoriteCode(QStringLiteral("S06.0X1A")));
    EXPECT_EQ(ReadRaw(name), (kArgon2idSecret + QStringLiteral("\r\nA01.1\r\n")).toUtf8());
}

TEST_F(AccountFiles, FavouritesNeedALoginAndAWritableFolder) {
    TFavoriteKW(QStringLiteral("abc"), QStringLiteral("secret"), FFolder, MinimumPasswordCost).SaveKWs();
    TFavoriteKW listed(QStringLiteral("abc"), FFolder + QStringLiteral("YWJj.fvxml"));
    EXPECT_THROW(listed.AddFavoriteCode(QStringLiteral("A00.0")), TAccountFileError);
    EXPECT_THROW(listed.RemoveFavoriteCode(QStringLiteral("A00.0")), TAccountFileError);
    EXPECT_EQ(ReadTextLines(listed.FFileName)->size(), 1);

    // The folder gone: nothing saved, and the codes held stay as they were.
    QTemporaryDir other;
    TFavoriteKW account(QStringLiteral("abc"), QStringLiteral("secret"), other.path() + QStringLiteral("/gone/"),
                        MinimumPasswordCost);
    EXPECT_THROW(account.AddFavoriteCode(QStringLiteral("A00.0")), TAccountFileError);
    EXPECT_TRUE(account.FavoriteCodes().isEmpty());
    EXPECT_EQ(account.FFavoriteCodes.size(), 1);
}

} // namespace
