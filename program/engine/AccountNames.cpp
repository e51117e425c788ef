#include "AccountNames.h"

#include <QStringDecoder>

namespace {
constexpr qsizetype kMaxFileNameBytes = 255;
}

QString WrappedBase64(const QByteArray& ABytes) {
    const QString plain = QString::fromLatin1(ABytes.toBase64());
    QString wrapped;
    for (qsizetype i = 0; i < plain.size(); i += 76) {
        if (i > 0)
            wrapped += QStringLiteral("\r\n");
        wrapped += plain.mid(i, 76);
    }
    return wrapped;
}

QString AccountFileName(const QString& AUserName) {
    QByteArray stem = AUserName.toUtf8().toBase64();
    if (stem.contains('/'))
        stem = AUserName.toUtf8().toBase64(QByteArray::Base64UrlEncoding);
    return QString::fromLatin1(stem) + AccountFileExtension;
}

QString DecodeAccountFileStem(const QString& AStem) {
    QByteArray text;
    for (const QChar c : AStem) {
        const char16_t u = c.unicode();
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
            u == '+' || u == '/' || u == '=')
            text += static_cast<char>(u);
        else if (u == '-')
            text += '+';
        else if (u == '_')
            text += '/';
    }
    const QByteArray bytes = QByteArray::fromBase64(text);
    // A name may begin with U+FEFF: it is a character of the name, not a byte-order mark.
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString name = utf8(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return name;
}

bool AccountFileNameFits(const QString& AUserName) {
    return AccountFileName(AUserName).toUtf8().size() <= kMaxFileNameBytes;
}
