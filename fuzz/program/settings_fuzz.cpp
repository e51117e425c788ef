// Fuzzes the settings profile reader and writer on arbitrary config.ini contents. Reading never
// fails on what the file holds; writing one key must read back as written, and must leave every
// other key of every section reading as before and every other line of the file as it was.
#include "FuzzSupport.h"

#include "IniProfile.h"
#include "TextLines.h"

#include <QFile>

namespace {
const QString kSections[] = {QStringLiteral("Config"), QStringLiteral("Other")};
const QString kKeys[] = {QStringLiteral("FullScreen"), QStringLiteral("ScrollBar"), QStringLiteral("IsAdmin"),
                         QStringLiteral("x")};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    if (ASize < 1)
        return 0;
    const QString file = FuzzScratchFolder() + QStringLiteral("config.ini");
    const QByteArray bytes = FuzzBytes(AData + 1, ASize - 1);
    {
        QFile out(file);
        FUZZ_CHECK(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(out.write(bytes) == bytes.size());
    }
    std::optional<QString> before[2][4];
    for (int s = 0; s < 2; ++s)
        for (int k = 0; k < 4; ++k) {
            before[s][k] = ReadProfileString(file, kSections[s], kKeys[k]);
            (void)ReadProfileInt(file, kSections[s], kKeys[k], 7);
        }
    // The first byte picks the key written and its value.
    const int section = AData[0] & 1, key = (AData[0] >> 1) & 3;
    const QString value = QString::number(AData[0] >> 3);
    FUZZ_CHECK(WriteProfileString(file, kSections[section], kKeys[key], value));
    for (int s = 0; s < 2; ++s)
        for (int k = 0; k < 4; ++k) {
            const std::optional<QString> after = ReadProfileString(file, kSections[s], kKeys[k]);
            if (s == section && k == key)
                FUZZ_CHECK(after == value, kSections[s] + QLatin1Char('/') + kKeys[k]);
            else
                FUZZ_CHECK(after == before[s][k], kSections[s] + QLatin1Char('/') + kKeys[k]);
        }
    FUZZ_CHECK(ReadProfileInt(file, kSections[section], kKeys[key], 7) == (AData[0] >> 3));

    // The new file is the old one with one line replaced, or with the key (and its section
    // header) added: outside one stretch of at most one old and two new lines, all is equal.
    QFile in(file);
    FUZZ_CHECK(in.open(QIODevice::ReadOnly));
    const QStringList oldLines = DecodeTextLines(bytes), newLines = DecodeTextLines(in.readAll());
    qsizetype head = 0;
    while (head < oldLines.size() && head < newLines.size() && oldLines[head] == newLines[head])
        ++head;
    qsizetype tail = 0;
    while (tail < oldLines.size() - head && tail < newLines.size() - head &&
           oldLines[oldLines.size() - 1 - tail] == newLines[newLines.size() - 1 - tail])
        ++tail;
    FUZZ_CHECK(oldLines.size() - head - tail <= 1 && newLines.size() - head - tail <= 2,
               QStringLiteral("%1 old, %2 new lines differ").arg(oldLines.size() - head - tail).arg(newLines.size() - head - tail));
    return 0;
}
