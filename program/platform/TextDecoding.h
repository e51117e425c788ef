// Decoding the bytes of the program's own small text files (search history, account files,
// settings): a leading byte-order mark selects UTF-8, UTF-16 LE or UTF-16 BE; without one the
// bytes are UTF-8. Bytes that are not a valid text of the chosen encoding (a broken UTF-8
// sequence, an odd UTF-16 length, an unpaired surrogate) are read as Latin-1 instead, all of
// them, so that writing the text back as UTF-8 keeps every byte's character instead of
// replacing it.
#pragma once

#include <QByteArray>
#include <QString>

QString DecodeFileText(const QByteArray& ABytes);
