// Small text files of the program (search history, account files): lines in, lines out.
//
// Reading: a leading byte-order mark selects UTF-8, UTF-16 LE or UTF-16 BE; without one the
// bytes are UTF-8, and a file that is not a valid text of its encoding is read as Latin-1 so
// that no byte is lost or replaced (TextDecoding.h). Lines end at CR LF, CR or LF; a line break at the very end does not add an
// empty last line.
//
// Writing: UTF-8 without a byte-order mark (unless the text itself begins with U+FEFF, which
// would otherwise read as one), every line (the last included) ended by CR LF. The
// file is replaced atomically: the new text goes to a temporary file beside it, which is then
// renamed over the old one, so a failed write leaves the old file whole.
#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>

#include <optional>

QStringList DecodeTextLines(const QByteArray& ABytes);
QByteArray EncodeTextLines(const QStringList& ALines);

// Why a write to AFile failed: its error text, or, for a write cut short without an error of
// the device (as a full disk or a file-size limit gives), a text that says so.
QString WriteErrorText(const QFileDevice& AFile);

// The lines of AFile; nothing when it cannot be opened or read (a missing file included).
std::optional<QStringList> ReadTextLines(const QString& AFile, QString* AError = nullptr);

// Replaces AFile with ALines. With APermissions the new file gets exactly those permissions
// before it becomes visible under its name. Returns false, with the reason in AError, when the
// file cannot be written; the old file is then untouched.
bool WriteTextLines(const QString& AFile, const QStringList& ALines,
                    std::optional<QFileDevice::Permissions> APermissions = std::nullopt,
                    QString* AError = nullptr);
