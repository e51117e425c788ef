// User accounts: file names, password lines, listing, login and saving.
#include "AccountNames.h"
#include "Accounts.h"
#include "PasswordHash.h"
#include "TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(Pbkdf2, MatchesThePublishedVectors) {
    // RFC 7914, section 11.
    EXPECT_EQ(Pbkdf2Sha256("passwd", "salt", 1, 64).toHex(),
              QByteArray("55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
                         "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783"));
    EXPECT_EQ(Pbkdf2Sha256("Password", "NaCl", 80000, 64).toHex(),
              QByteArray("4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"
                         "a1d425a1225833549adb841b51c9b3176a272bdebba1d078478f62b397f33c8d"));
}

TEST(PasswordLine, HashIsSaltedAndVerifies) {
    const QString first = HashPassword(QStringLiteral("secret"));
    const QString second = HashPassword(QStringLiteral("secret"));
    EXPECT_TRUE(first.startsWith(QStringLiteral("$pbkdf2-sha256$")));
    EXPECT_FALSE(first.contains(QStringLiteral("secret")));
    EXPECT_NE(first, second); // a salt of its own each time
    EXPECT_TRUE(VerifyPasswordHash(first, QStringLiteral("secret")));
    EXPECT_TRUE(VerifyPasswordHash(second, QStringLiteral("secret")));
    EXPECT_FALSE(VerifyPasswordHash(first, QStringLiteral("secret ")));
    EXPECT_FALSE(VerifyPasswordHash(first, QStringLiteral("Secret")));
}

TEST(PasswordLine, MalformedLinesNeverMatch) {
    const QString good = HashPassword(QStringLiteral("pw"), 1000);
    const QStringList parts = good.split(QLatin1Char('$')); // "", "pbkdf2-sha256", n, salt, key
    ASSERT_EQ(parts.size(), 5);
    const QString bad[] = {
        QStringLiteral("$pbkdf2-sha256$"),
        QStringLiteral("$pbkdf2-sha256$1000$") + parts[3],
        QStringLiteral("$pbkdf2-sha256$abc$") + parts[3] + QLatin1Char('$') + parts[4],
        QStringLiteral("$pbkdf2-sha256$0$") + parts[3] + QLatin1Char('$') + parts[4],
        QStringLiteral("$pbkdf2-sha256$999999999$") + parts[3] + QLatin1Char('$') + parts[4],
        QStringLiteral("$pbkdf2-sha256$1000$!!$") + parts[4],
        QStringLiteral("$pbkdf2-sha256$1000$") + parts[3] + QStringLiteral("$"),
        QStringLiteral("$pbkdf2-sha256$1000$") + parts[3] + QLatin1Char('$') + parts[4] +
            QStringLiteral("$extra"),
    };
    ASSERT_TRUE(VerifyPasswordHash(good, QStringLiteral("pw")));
    for (const QString& line : bad)
        EXPECT_FALSE(VerifyPasswordHash(line, QStringLiteral("pw"))) << line.toStdString();
}

TEST(PasswordLine, OlderFormIsReversedBase64) {
    EXPECT_EQ(LegacyEncodePassword(QStringLiteral("abc")), QStringLiteral("jJWY"));
    EXPECT_EQ(LegacyEncodePassword(QStringLiteral("a")), QStringLiteral("==QY"));
    EXPECT_FALSE(IsPasswordHash(LegacyEncodePassword(QStringLiteral("abc"))));
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
        TNameCase{"NonAscii", QStringLiteral("J\u00fcrgen \u5f20\u4e09 \U0001F600"), QString()}),
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
    TFavoriteKW account(QStringLiteral("abc"), QStringLiteral("secret"), FFolder);
    EXPECT_EQ(account.FFileName, FFolder + QStringLiteral("YWJj.fvxml"));
    EXPECT_FALSE(QFileInfo::exists(account.FFileName)); // nothing written before SaveKWs
    account.SaveKWs();
    const QByteArray bytes = ReadRaw(QStringLiteral("YWJj.fvxml"));
    EXPECT_TRUE(bytes.startsWith("$pbkdf2-sha256$"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 1);
    EXPECT_FALSE(bytes.contains(QByteArray("secret").toBase64()));
    const auto permissions = QFileInfo(account.FFileName).permissions();
    EXPECT_FALSE(permissions & (QFileDevice::ReadGroup | QFileDevice::ReadOther));
    EXPECT_EQ(QDir(FFolder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    EXPECT_TRUE(account.FPassword.isEmpty());
}

TEST_F(AccountFiles, LoginChecksTheTypedPasswordExactly) {
    TFavoriteKW(QStringLiteral("abc"), QStringLiteral("secret"), FFolder).SaveKWs();
    TFavoriteKW account(QStringLiteral("abc"), FFolder + QStringLiteral("YWJj.fvxml"));
    for (const char* wrong : {"Secret", " secret", "secret ", "secre", ""}) {
        EXPECT_FALSE(account.LoadKWs(QString::fromLatin1(wrong))) << wrong;
        EXPECT_TRUE(account.FFavoriteCodes.isEmpty()); // dropped, read again next time
    }
    EXPECT_TRUE(account.LoadKWs(QStringLiteral("secret")));
    EXPECT_EQ(account.FFavoriteCodes.size(), 1);
}

TEST_F(AccountFiles, SecondLoginComparesWithTheLinesHeld) {
    WriteRaw(QStringLiteral("YWJj.fvxml"),
             (HashPassword(QStringLiteral("pw"), 1000) + QStringLiteral("\r\nA01.1\r\n")).toUtf8());
    TFavoriteKW account(QStringLiteral("abc"), FFolder + QStringLiteral("YWJj.fvxml"));
    ASSERT_TRUE(account.LoadKWs(QStringLiteral("pw")));
    EXPECT_EQ(account.FFavoriteCodes.value(1), QStringLiteral("A01.1"));
    ASSERT_TRUE(QFile::remove(account.FFileName));
    EXPECT_TRUE(account.LoadKWs(QStringLiteral("pw"))); // no read of the vanished file
    EXPECT_FALSE(account.LoadKWs(QStringLiteral("other")));
    EXPECT_THROW(account.LoadKWs(QStringLiteral("pw")), TAccountFileError); // now it must read
}

TEST_F(AccountFiles, EmptyFileRefusesEveryPassword) {
    WriteRaw(QStringLiteral("YWJj.fvxml"), QByteArray());
    TFavoriteKW account(QStringLiteral("abc"), FFolder + QStringLiteral("YWJj.fvxml"));
    EXPECT_FALSE(account.LoadKWs(QStringLiteral("x")));
    EXPECT_FALSE(account.LoadKWs(QString()));
}

TEST_F(AccountFiles, OlderPasswordLineIsAcceptedAndRewrittenAsHash) {
    // The older form with the blanks and line end a file may carry, and favourite codes.
    WriteRaw(QStringLiteral("YWJj.fvxml"),
             "  " + LegacyEncodePassword(QStringLiteral("secret")).toLatin1() +
                 "\t\r\nS06.0X1A\r\nA01.1\r\n");
    TFavoriteKW account(QStringLiteral("abc"), FFolder + QStringLiteral("YWJj.fvxml"));
    EXPECT_FALSE(account.LoadKWs(QStringLiteral(" secret")));
    EXPECT_TRUE(ReadRaw(QStringLiteral("YWJj.fvxml")).startsWith("  ")); // untouched on failure
    ASSERT_TRUE(account.LoadKWs(QStringLiteral("secret")));

    const std::optional<QStringList> lines = ReadTextLines(account.FFileName);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 3);
    EXPECT_TRUE(VerifyPasswordHash(lines->at(0), QStringLiteral("secret")));
    EXPECT_EQ(lines->mid(1), (QStringList{QStringLiteral("S06.0X1A"), QStringLiteral("A01.1")}));

    TFavoriteKW again(QStringLiteral("abc"), account.FFileName);
    EXPECT_TRUE(again.LoadKWs(QStringLiteral("secret")));
    EXPECT_FALSE(again.LoadKWs(QStringLiteral("wrong")));
}

TEST_F(AccountFiles, SaveIntoAMissingFolderThrowsAndTouchesNothing) {
    WriteRaw(QStringLiteral("YWJj.fvxml"), "keep\r\n");
    TFavoriteKW account(QStringLiteral("abc"), QStringLiteral("pw"),
                        FFolder + QStringLiteral("gone/"));
    EXPECT_THROW(account.SaveKWs(), TAccountFileError);
    EXPECT_EQ(ReadRaw(QStringLiteral("YWJj.fvxml")), QByteArray("keep\r\n"));
}

TEST_F(AccountFiles, AwkwardNamesMakeOneFileEachAndLogInAfterARestart) {
    const QStringList names{QStringLiteral("../x"), QStringLiteral("/"),
                            QString(100, QLatin1Char('n')), QStringLiteral("???"),
                            QStringLiteral("J\u00fcrgen \u5f20\u4e09")};
    for (const QString& name : names) {
        TFavoriteKW account(name, QStringLiteral("pw ") + name, FFolder);
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
        EXPECT_TRUE(account->LoadKWs(QStringLiteral("pw ") + account->FUserName));
    }
}

} // namespace
