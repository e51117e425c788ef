// User accounts for favourite codes. Each account is one text file in the shared data folder,
// named after the user (AccountNames.h); line 1 holds the password in the form of
// PasswordHash.h, the lines after it the favourite codes, one per line. Files are written
// atomically and readable by their owner only.
#pragma once

#include "PasswordHash.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>
#include <vector>

// An account file that cannot be read or written, or whose password line cannot be made; what()
// names the file and the reason.
class TAccountFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TFavoriteKW;
using TAccountList = std::vector<std::unique_ptr<TFavoriteKW>>;

class TFavoriteKW {
  public:
    // An account whose file AFileName exists; nothing is read until LoadKWs.
    TFavoriteKW(const QString& AUserName, const QString& AFileName);
    // A new account in the folder AFilePath (with a trailing "/"), holding only the password
    // line, hashed with ACost. Nothing is written until SaveKWs. Throws TAccountFileError when
    // the password cannot be hashed.
    TFavoriteKW(const QString& AUserName, const QString& APlainPassword, const QString& AFilePath,
                const TPasswordCost& ACost = ProgramPasswordCost);

    // Appends one account per account file of the folder AFilePath, sorted by user name
    // (without regard to case, then exactly). Folders, files whose name decodes to an empty
    // user name, and a missing folder add nothing. Files are not read.
    static void GetFavoriteList(const QString& AFilePath, TAccountList& AFovoriteInfoList);

    // Checks APlainPassword (not trimmed) against line 1 of the file (trimmed of blanks and
    // control characters) with MatchPassword and ACost, reading the file first unless its lines
    // are already held. On success the lines stay held, and a password line of an earlier form,
    // or an Argon2id line with other limits than ACost, is rewritten with ACost and the file
    // saved (if hashing or the write fails, the file keeps its line and the login still
    // succeeds). On failure the lines are dropped, so the next attempt reads the file again, and
    // the file is not touched. An empty file never matches. Throws TAccountFileError when the
    // file cannot be read.
    bool LoadKWs(const QString& APlainPassword, const TPasswordCost& ACost = ProgramPasswordCost);
    // Replaces the file with FFavoriteCodes. Throws TAccountFileError when it cannot be
    // written; the old file is then untouched.
    void SaveKWs();

    // True once the file's lines are held (after a login, or for a new account).
    bool IsLoaded() const { return !FFavoriteCodes.isEmpty(); }
    // The favourite codes: the lines after the password line, trimmed, blank ones left out, in
    // their order. Codes that the edition does not know are kept like any other.
    QStringList FavoriteCodes() const;
    // Appends ACode (trimmed) to the favourite codes and saves the file at once; false, and
    // nothing written, when it is one of them already. RemoveFavoriteCode takes it out and saves;
    // false when it is none of them. Both need the account loaded. Saving never makes a new
    // password line: the file keeps its first line as it stands on disk (another run may have
    // rewritten it), or the line held when the file cannot be read. Throw TAccountFileError when
    // the account is not loaded or the file cannot be written; the codes held are then as before.
    bool AddFavoriteCode(const QString& ACode);
    bool RemoveFavoriteCode(const QString& ACode);

    QString FUserName;
    QString FFileName;
    QString FPassword; // kept empty: passwords are checked against the file only
    QStringList FFavoriteCodes;

  private:
    // Replaces the password line with a fresh hash and saves; on any failure the line is kept.
    void RewritePasswordLine(const QString& APlainPassword, const TPasswordCost& ACost);
    // Writes the file's password line and ACodes; on success they are the lines held.
    void SaveFavoriteCodes(const QStringList& ACodes);
};

// Fills AccountList from SharedDataFolder and clears CurrentAccount (the last start-up step).
void LoadAccountList();
