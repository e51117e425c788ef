#include "Accounts.h"

#include "AccountNames.h"
#include "DelimitedText.h"
#include "EngineGlobals.h"
#include "FileMasks.h"
#include "Folders.h"
#include "TextLines.h"

#include <QFileInfo>

#include <algorithm>

TFavoriteKW::TFavoriteKW(const QString& AUserName, const QString& AFileName)
    : FUserName(AUserName), FFileName(AFileName) {}

TFavoriteKW::TFavoriteKW(const QString& AUserName, const QString& APlainPassword,
                         const QString& AFilePath, const TPasswordCost& ACost)
    : FUserName(AUserName), FFileName(AFilePath + AccountFileName(AUserName)) {
    try {
        FFavoriteCodes = QStringList{HashPassword(APlainPassword, ACost)};
    } catch (const TPasswordHashError& error) {
        throw TAccountFileError("cannot make the password line of the account file " +
                                FFileName.toStdString() + ": " + error.what());
    }
}

void TFavoriteKW::GetFavoriteList(const QString& AFilePath, TAccountList& AFovoriteInfoList) {
    QString folder = AFilePath;
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    QStringList names;
    FindFilesByMask(folder, QLatin1Char('*') + AccountFileExtension, names, false);

    TAccountList found;
    for (const QString& name : names) {
        // The mask also matches folders; only files can be accounts.
        if (!QFileInfo(folder + name).isFile())
            continue;
        const QString userName = DecodeAccountFileStem(name.chopped(AccountFileExtension.size()));
        if (userName.isEmpty())
            continue;
        found.push_back(std::make_unique<TFavoriteKW>(userName, folder + name));
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& A, const auto& B) {
        const int folded = A->FUserName.compare(B->FUserName, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : A->FUserName < B->FUserName;
    });
    for (auto& account : found)
        AFovoriteInfoList.push_back(std::move(account));
}

bool TFavoriteKW::LoadKWs(const QString& APlainPassword, const TPasswordCost& ACost) {
    if (FFavoriteCodes.isEmpty()) {
        QString error;
        std::optional<QStringList> lines = ReadTextLines(FFileName, &error);
        if (!lines)
            throw TAccountFileError("cannot read the account file " + FFileName.toStdString() +
                                    ": " + error.toStdString());
        FFavoriteCodes = std::move(*lines);
        if (FFavoriteCodes.isEmpty())
            return false;
    }
    switch (MatchPassword(TrimControl(FFavoriteCodes.first()), APlainPassword, ACost)) {
    case TPasswordMatch::Right:
        return true;
    case TPasswordMatch::RightOutdated:
        RewritePasswordLine(APlainPassword, ACost);
        return true;
    case TPasswordMatch::Wrong:
        break;
    }
    FFavoriteCodes.clear();
    return false;
}

void TFavoriteKW::RewritePasswordLine(const QString& APlainPassword, const TPasswordCost& ACost) {
    const QString olderLine = FFavoriteCodes.first();
    try {
        FFavoriteCodes.first() = HashPassword(APlainPassword, ACost);
        SaveKWs();
    } catch (const TPasswordHashError&) {
        FFavoriteCodes.first() = olderLine;
    } catch (const TAccountFileError&) {
        FFavoriteCodes.first() = olderLine;
    }
}

void TFavoriteKW::SaveKWs() {
    QString error;
    // The account folder may not exist yet on a fresh system, or may have gone since start-up.
    if (!CreateFolderPath(FolderOfFile(FFileName), &error))
        throw TAccountFileError("cannot write the account file " + FFileName.toStdString() +
                                ": the folder " + FolderOfFile(FFileName).toStdString() +
                                " cannot be created (" + error.toStdString() + ")");
    if (!WriteTextLines(FFileName, FFavoriteCodes, QFileDevice::ReadOwner | QFileDevice::WriteOwner,
                        &error))
        throw TAccountFileError("cannot write the account file " + FFileName.toStdString() + ": " +
                                error.toStdString());
}

QStringList TFavoriteKW::FavoriteCodes() const {
    QStringList codes;
    for (qsizetype i = 1; i < FFavoriteCodes.size(); ++i) {
        const QString code = FFavoriteCodes[i].trimmed();
        if (!code.isEmpty())
            codes << code;
    }
    return codes;
}

bool TFavoriteKW::AddFavoriteCode(const QString& ACode) {
    if (!IsLoaded())
        throw TAccountFileError("the account " + FUserName.toStdString() + " is not logged in");
    QStringList codes = FavoriteCodes();
    const QString code = ACode.trimmed();
    if (code.isEmpty() || codes.contains(code))
        return false;
    codes << code;
    SaveFavoriteCodes(codes);
    return true;
}

bool TFavoriteKW::RemoveFavoriteCode(const QString& ACode) {
    if (!IsLoaded())
        throw TAccountFileError("the account " + FUserName.toStdString() + " is not logged in");
    QStringList codes = FavoriteCodes();
    if (codes.removeAll(ACode.trimmed()) == 0)
        return false;
    SaveFavoriteCodes(codes);
    return true;
}

void TFavoriteKW::SaveFavoriteCodes(const QStringList& ACodes) {
    // The password line as the file has it now: saving codes never touches the password.
    QString passwordLine = FFavoriteCodes.first();
    const std::optional<QStringList> onDisk = ReadTextLines(FFileName);
    if (onDisk && !onDisk->isEmpty())
        passwordLine = onDisk->first();
    const QStringList lines = QStringList{passwordLine} + ACodes;
    QString error;
    if (!WriteTextLines(FFileName, lines, QFileDevice::ReadOwner | QFileDevice::WriteOwner, &error))
        throw TAccountFileError("cannot write the account file " + FFileName.toStdString() + ": " +
                                error.toStdString());
    FFavoriteCodes = lines;
}

void LoadAccountList() {
    if (!AccountList)
        return;
    CurrentAccount = nullptr;
    AccountList->clear();
    TFavoriteKW::GetFavoriteList(SharedDataFolder, *AccountList);
}
