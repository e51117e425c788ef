#include "IniProfile.h"

#include "TextDecoding.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {

struct TIniLines {
    QStringList Lines;
    bool Exists = false;
};

// Reads the file as lines; the line ends (CR LF, CR or LF) are not kept.
std::optional<TIniLines> ReadLines(const QString& AFile) {
    TIniLines result;
    QFile file(AFile);
    if (!file.exists())
        return result;
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    QString text = DecodeFileText(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    result.Lines = text.split(QLatin1Char('\n'));
    if (!result.Lines.isEmpty() && result.Lines.last().isEmpty())
        result.Lines.removeLast(); // the final line end does not open another line
    result.Exists = true;
    return result;
}

// Section name of a header line such as "[Config]", or nothing.
std::optional<QString> SectionOf(const QString& ALine) {
    const QString line = ALine.trimmed();
    if (!line.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = line.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return line.mid(1, close - 1).trimmed();
}

// Key of a "key=value" line, or nothing for comments and other lines.
std::optional<QString> KeyOf(const QString& ALine, QString* AValue = nullptr) {
    const QString line = ALine.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
        return std::nullopt;
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    if (AValue)
        *AValue = line.mid(equals + 1).trimmed();
    return line.left(equals).trimmed();
}

// Value of an ASCII digit in the given base (10 or 16), or -1.
int DigitValue(QChar AChar, int ABase) {
    const char16_t c = AChar.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (ABase == 16 && c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (ABase == 16 && c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

bool SameName(const QString& A, const QString& B) { return A.compare(B, Qt::CaseInsensitive) == 0; }

struct TSectionSpan {
    qsizetype Header = -1; // index of the header line
    qsizetype End = -1;    // index of the first line after the section
};

TSectionSpan FindSection(const QStringList& ALines, const QString& ASection) {
    TSectionSpan span;
    for (qsizetype i = 0; i < ALines.size(); ++i) {
        const std::optional<QString> name = SectionOf(ALines[i]);
        if (!name)
            continue;
        if (span.Header >= 0) {
            span.End = i;
            return span;
        }
        if (SameName(*name, ASection))
            span.Header = i;
    }
    if (span.Header >= 0)
        span.End = ALines.size();
    return span;
}

} // namespace

std::optional<QString> ReadProfileString(const QString& AFile, const QString& ASection,
                                         const QString& AKey) {
    const std::optional<TIniLines> ini = ReadLines(AFile);
    if (!ini || !ini->Exists)
        return std::nullopt;
    const TSectionSpan span = FindSection(ini->Lines, ASection);
    for (qsizetype i = span.Header + 1; span.Header >= 0 && i < span.End; ++i) {
        QString value;
        const std::optional<QString> key = KeyOf(ini->Lines[i], &value);
        if (!key || !SameName(*key, AKey))
            continue;
        if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        return value;
    }
    return std::nullopt;
}

std::optional<int> ParseProfileInt(const QString& AValue) {
    const QString text = AValue.trimmed();
    qsizetype pos = 0;
    int base = 10;
    bool negative = false;
    if (text.size() >= 3 && text[0] == QLatin1Char('0') &&
        (text[1] == QLatin1Char('x') || text[1] == QLatin1Char('X'))) {
        base = 16;
        pos = 2;
    } else if (!text.isEmpty() && (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+'))) {
        negative = text[0] == QLatin1Char('-');
        pos = 1;
    }
    quint32 value = 0;
    bool anyDigit = false;
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos], base);
        if (digit < 0)
            break;
        value = value * static_cast<quint32>(base) + static_cast<quint32>(digit);
        anyDigit = true;
    }
    if (!anyDigit)
        return std::nullopt;
    // Like the profile functions, the value wraps to 32 bits.
    return negative ? static_cast<int>(0u - value) : static_cast<int>(value);
}

int ReadProfileInt(const QString& AFile, const QString& ASection, const QString& AKey, int ADefault) {
    const std::optional<QString> value = ReadProfileString(AFile, ASection, AKey);
    if (!value)
        return ADefault;
    return ParseProfileInt(*value).value_or(ADefault);
}

bool WriteProfileString(const QString& AFile, const QString& ASection, const QString& AKey,
                        const QString& AValue, QString* AError) {
    std::optional<TIniLines> ini = ReadLines(AFile);
    if (!ini) {
        if (AError)
            *AError = QStringLiteral("the file cannot be read");
        return false;
    }
    QStringList& lines = ini->Lines;
    const QString entry = AKey + QLatin1Char('=') + AValue;
    const TSectionSpan span = FindSection(lines, ASection);
    if (span.Header < 0) {
        lines << QLatin1Char('[') + ASection + QLatin1Char(']') << entry;
    } else {
        qsizetype insertAt = span.Header + 1;
        bool replaced = false;
        for (qsizetype i = span.Header + 1; i < span.End; ++i) {
            const std::optional<QString> key = KeyOf(lines[i]);
            if (key && SameName(*key, AKey)) {
                lines[i] = entry;
                replaced = true;
                break;
            }
            if (!lines[i].trimmed().isEmpty())
                insertAt = i + 1; // after the section's last non-blank line
        }
        if (!replaced)
            lines.insert(insertAt, entry);
    }
    QSaveFile file(AFile);
    QByteArray bytes = (lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n")).toUtf8();
    // A first line that begins with U+FEFF would read back as a byte-order mark without it.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.prepend("\xEF\xBB\xBF");
    // Flushed before the commit: QSaveFile::commit does not see a write that fails while it
    // empties the buffer (a full disk) and would put the cut file in place.
    bool ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
    if (ok)
        ok = file.commit();
    else
        file.cancelWriting();
    if (!ok && AError)
        // A write cut short by the system (a full disk) leaves the device without an error.
        *AError = file.error() == QFileDevice::NoError ? QStringLiteral("not all bytes could be written")
                                                       : file.errorString();
    return ok;
}
