#include "TextLines.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

QString DecodeText(const QByteArray& ABytes) {
    if (ABytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(ABytes.constData() + 3, ABytes.size() - 3);
    const bool utf16le = ABytes.startsWith("\xFF\xFE");
    if (utf16le || ABytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(utf16le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        return decoder(ABytes.mid(2));
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(ABytes);
    if (utf8.hasError())
        return QString::fromLatin1(ABytes);
    return text;
}

} // namespace

QStringList DecodeTextLines(const QByteArray& ABytes) {
    const QString text = DecodeText(ABytes);
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
        ok = file.write(bytes) == bytes.size();
    }
    if (ok)
        ok = file.commit();
    else
        file.cancelWriting();
    if (!ok && AError)
        *AError = WriteErrorText(file);
    return ok;
}
