// Account file names: the Base64 text of the user name's UTF-8 bytes followed by ".fvxml".
//
// Names whose Base64 text holds a "/" (which would name a sub-folder) are written in the
// URL-safe alphabet instead ("-" for "+", "_" for "/"); every other name keeps the standard
// text that older versions wrote. Names are never wrapped into lines. Decoding accepts both
// alphabets, so every file name this program writes reads back as the name it was made from,
// and no user name can lead outside the account folder.
#pragma once

#include <QByteArray>
#include <QString>

inline const QString AccountFileExtension = QStringLiteral(".fvxml");

// Base64 of ABytes in the standard alphabet, with CR LF after every 76 output characters (the
// form older versions used for passwords).
QString WrappedBase64(const QByteArray& ABytes);

// The file name (without folder) of the account AUserName.
QString AccountFileName(const QString& AUserName);
// The user name of a file name stem (the name without ".fvxml"): characters outside both
// Base64 alphabets are skipped; bytes that are not UTF-8 are read as Latin-1.
QString DecodeAccountFileStem(const QString& AStem);
// True when the file name of AUserName fits a file system name (255 bytes).
bool AccountFileNameFits(const QString& AUserName);
