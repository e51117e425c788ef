#include "TextLines.h"

#include "TextDecoding.h"

#include <QFile>
#include <QSaveFile>

QStringList DecodeTextLines(const QByteArray& ABytes) {
    const QString text = DecodeFileText(ABytes);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < size && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines << text.mid(start);
    return lines;
}

QByteArray EncodeTextLines(const QStringList& ALines) {
    QByteArray bytes;
    // A text that begins with U+FEFF gets a byte-order mark before it, or the reader would take
    // that character for the mark and drop it.
    if (!ALines.isEmpty() && ALines.first().startsWith(QChar(0xFEFF)))
        bytes += "\xEF\xBB\xBF";
    for (const QString& line : ALines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

QString WriteErrorText(const QFileDevice& AFile) {
    // A write cut short by the system leaves the device without an error of its own.
    return AFile.error() == QFileDevice::NoError ? QStringLiteral("not all bytes could be written")
                                                 : AFile.errorString();
}

std::optional<QStringList> ReadTextLines(const QString& AFile, QString* AError) {
    QFile file(AFile);
    if (!file.open(QIODevice::ReadOnly)) {
        if (AError)
            *AError = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (AError)
            *AError = file.errorString();
        return std::nullopt;
    }
    return DecodeTextLines(bytes);
}

bool WriteTextLines(const QString& AFile, const QStringList& ALines,
                    std::optional<QFileDevice::Permissions> APermissions, QString* AError) {
    QSaveFile file(AFile);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok && APermissions)
        ok = file.setPermissions(*APermissions);
    if (ok) {
        const QByteArray bytes = EncodeTextLines(ALines);
        // The bytes wait in the device's buffer; a write that fails when the buffer is flushed
        // (a full disk) is not seen by QSaveFile::commit, which would put the cut file in place.
        ok = file.write(bytes) == bytes.size() && file.flush();
    }
    if (ok)
        ok = file.commit();
    else
        file.cancelWriting();
    if (!ok && AError)
        *AError = WriteErrorText(file);
    return ok;
}
