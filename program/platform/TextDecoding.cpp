#include "TextDecoding.h"

#include <QStringDecoder>

#include <optional>

namespace {
std::optional<QString> DecodeStrictly(QStringConverter::Encoding AEncoding, QByteArrayView ABytes) {
    // The caller has taken off the one byte-order mark it looked at; a further U+FEFF is text.
    QStringDecoder decoder(AEncoding, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder(ABytes);
    if (decoder.hasError() || !text.isValidUtf16())
        return std::nullopt;
    return text;
}
} // namespace

QString DecodeFileText(const QByteArray& ABytes) {
    std::optional<QString> text;
    if (ABytes.startsWith("\xEF\xBB\xBF"))
        text = DecodeStrictly(QStringConverter::Utf8, QByteArrayView(ABytes).sliced(3));
    else if (ABytes.startsWith("\xFF\xFE") && ABytes.size() % 2 == 0)
        text = DecodeStrictly(QStringConverter::Utf16LE, QByteArrayView(ABytes).sliced(2));
    else if (ABytes.startsWith("\xFE\xFF") && ABytes.size() % 2 == 0)
        text = DecodeStrictly(QStringConverter::Utf16BE, QByteArrayView(ABytes).sliced(2));
    else
        text = DecodeStrictly(QStringConverter::Utf8, ABytes);
    return text ? *text : QString::fromLatin1(ABytes);
}
