// Fuzzes the edition file reader (EditionFile.h). The first byte chooses what the rest is: 0, a
// whole file as it lies on disk; any other value, the payload of a file whose header (mark,
// format version, size, SHA-256) is made right here, so that mutations reach the facts and the
// data sets behind the checksum instead of stopping at it.
//
// Beyond not crashing: a refused file has a reason; an accepted one yields each of the eight data
// sets as a zlib stream and facts with a four-digit year and a valid effective date; written
// again it reads back to the same contents, and writing those gives the same bytes.
#include "FuzzSupport.h"

#include "EditionFile.h"

#include <QCryptographicHash>
#include <QtEndian>

namespace {

template <class T> void Append(QByteArray& AOut, T AValue) {
    const T little = qToLittleEndian(AValue);
    AOut.append(reinterpret_cast<const char*>(&little), sizeof(T));
}

// A file around APayload with a header the reader takes.
QByteArray Sealed(const QByteArray& APayload) {
    QByteArray file = QByteArrayLiteral("TABULONEDITION\r\n");
    Append<std::uint32_t>(file, EditionFormatVersion);
    Append<std::uint64_t>(file, static_cast<std::uint64_t>(APayload.size()));
    file += QCryptographicHash::hash(APayload, QCryptographicHash::Sha256);
    return file + APayload;
}

QString Describe(const TEditionContents& AContents) {
    return QStringLiteral("year \"%1\", effective %2, prepared by \"%3\"")
        .arg(AContents.Facts.Year, AContents.Facts.EffectiveDate.toString(Qt::ISODate), AContents.Facts.PreparedBy);
}

void CheckSame(const TEditionContents& AFirst, const TEditionContents& ASecond) {
    FUZZ_CHECK(AFirst.Facts.Year == ASecond.Facts.Year, Describe(ASecond));
    FUZZ_CHECK(AFirst.Facts.EffectiveDate == ASecond.Facts.EffectiveDate, Describe(ASecond));
    FUZZ_CHECK(AFirst.Facts.Sources == ASecond.Facts.Sources, Describe(ASecond));
    FUZZ_CHECK(AFirst.Facts.PreparedBy == ASecond.Facts.PreparedBy, Describe(ASecond));
    for (int i = 0; i < DataSetCount; ++i)
        FUZZ_CHECK(AFirst.DataSets[i] == ASecond.DataSets[i], QString::number(i));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    FuzzQuiet();
    if (ASize == 0)
        return 0;
    const QByteArray rest = FuzzBytes(AData + 1, ASize - 1);
    const QByteArray file = AData[0] == 0 ? rest : Sealed(rest);

    QString reason;
    const std::optional<TEditionContents> contents = ReadEditionBytes(file, reason);
    if (!contents) {
        FUZZ_CHECK(!reason.isEmpty());
        FUZZ_CHECK(!HasEditionMark(file) || !reason.startsWith(QLatin1String("is not")), reason);
        return 0;
    }
    FUZZ_CHECK(HasEditionMark(file));
    const TEditionFacts& facts = contents->Facts;
    FUZZ_CHECK(facts.Year.size() == 4, Describe(*contents));
    for (const QChar c : facts.Year)
        FUZZ_CHECK(c >= QLatin1Char('0') && c <= QLatin1Char('9'), Describe(*contents));
    FUZZ_CHECK(facts.EffectiveDate.isValid(), Describe(*contents));
    for (const auto& stream : contents->DataSets)
        FUZZ_CHECK(stream.size() >= 2 && stream.front() == 0x78, Describe(*contents));

    const QByteArray written = EditionFileBytes(*contents);
    QString again;
    const std::optional<TEditionContents> reread = ReadEditionBytes(written, again);
    FUZZ_CHECK(reread.has_value(), again);
    CheckSame(*contents, *reread);
    FUZZ_CHECK(EditionFileBytes(*reread) == written, Describe(*reread));
    return 0;
}
