// Listing a folder by wildcard masks, as the account list needs it.
#pragma once

#include <QString>
#include <QStringList>

// True when APath matches at least one mask of AMaskList, compared without regard to case.
// In a mask "*" stands for any run of characters (path separators included), "?" for one
// character, and "[...]" for one character of a set: single characters and ranges such as a-z,
// the whole set negated when it opens with "!". A "[" that is never closed stands for itself.
bool MatchesAnyMask(const QString& APath, const QStringList& AMaskList);

// Appends to AResult the bare names (without folder) of the entries of AFolder whose full path
// matches one of the ";"-separated masks of AMasks. Without ARecurse every entry is matched,
// folders included; with it, folders are descended into (symbolic links to folders are not, so
// a link cycle cannot loop) and only the other entries are matched. A missing folder adds
// nothing. Names come in the order the file system lists them.
void FindFilesByMask(const QString& AFolder, const QString& AMasks, QStringList& AResult,
                     bool ARecurse);
