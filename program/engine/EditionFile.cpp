#include "EditionFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QtEndian>

namespace {

const QByteArray kMark = QByteArrayLiteral("TABULONEDITION\r\n");
constexpr qsizetype kVersionAt = 16;
constexpr qsizetype kSizeAt = 20;
constexpr qsizetype kChecksumAt = 28;
constexpr qsizetype kHeaderSize = 60;
constexpr qsizetype kChecksumSize = 32;

template <class T> void Append(QByteArray& AOut, T AValue) {
    const T little = qToLittleEndian(AValue);
    AOut.append(reinterpret_cast<const char*>(&little), sizeof(T));
}

template <class T> T Read(const QByteArray& ABytes, qsizetype AAt) {
    return qFromLittleEndian<T>(ABytes.constData() + AAt);
}

QJsonObject FactsObject(const TEditionContents& AContents) {
    QJsonArray dataSets;
    for (const TDataSetInfo& info : DataSetTable())
        dataSets.append(QJsonObject{
            {QStringLiteral("name"), QLatin1String(info.ResourceName)},
            {QStringLiteral("size"),
             static_cast<qint64>(AContents.DataSets[static_cast<int>(info.Id)].size())}});
    return {{QStringLiteral("year"), AContents.Facts.Year},
            {QStringLiteral("effectiveDate"), AContents.Facts.EffectiveDate.toString(Qt::ISODate)},
            {QStringLiteral("dataSets"), dataSets},
            {QStringLiteral("sources"), AContents.Facts.Sources},
            {QStringLiteral("preparedBy"), AContents.Facts.PreparedBy}};
}

std::optional<TDataSet> DataSetNamed(const QString& AName) {
    for (const TDataSetInfo& info : DataSetTable())
        if (AName == QLatin1String(info.ResourceName))
            return info.Id;
    return std::nullopt;
}

// The payload after its checksum matched: the facts and the streams they announce. A failure
// here means a file written wrongly, not one damaged on its way.
std::optional<TEditionContents> ReadPayload(const QByteArray& APayload, QString& AReason) {
    const auto malformed = [&AReason](const QString& AWhat) {
        AReason = QStringLiteral("is malformed: %1").arg(AWhat);
        return std::nullopt;
    };
    if (APayload.size() < 4)
        return malformed(QStringLiteral("no facts"));
    const auto factsSize = static_cast<qsizetype>(Read<std::uint32_t>(APayload, 0));
    if (factsSize > APayload.size() - 4)
        return malformed(QStringLiteral("the facts run past the end"));
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(APayload.mid(4, factsSize), &error);
    if (!document.isObject())
        return malformed(QStringLiteral("the facts are not a JSON object (%1)").arg(error.errorString()));
    const QJsonObject facts = document.object();

    TEditionContents contents;
    contents.Facts.Year = facts.value(QStringLiteral("year")).toString();
    contents.Facts.EffectiveDate =
        QDate::fromString(facts.value(QStringLiteral("effectiveDate")).toString(), Qt::ISODate);
    contents.Facts.Sources = facts.value(QStringLiteral("sources")).toArray();
    contents.Facts.PreparedBy = facts.value(QStringLiteral("preparedBy")).toString();
    // ASCII digits only: QChar::isDigit takes any script's, and the year names folders and
    // captions and is read as a number.
    bool digits = contents.Facts.Year.size() == 4;
    for (const QChar c : contents.Facts.Year)
        digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!digits)
        return malformed(QStringLiteral("no four-digit year"));
    if (!contents.Facts.EffectiveDate.isValid())
        return malformed(QStringLiteral("no valid effective date"));

    qsizetype at = 4 + factsSize;
    std::array<bool, DataSetCount> seen{};
    for (const QJsonValue& entry : facts.value(QStringLiteral("dataSets")).toArray()) {
        const QString name = entry.toObject().value(QStringLiteral("name")).toString();
        const qint64 size = entry.toObject().value(QStringLiteral("size")).toInteger(-1);
        const std::optional<TDataSet> id = DataSetNamed(name);
        if (!id || seen[static_cast<int>(*id)])
            return malformed(QStringLiteral("the data set \"%1\" is unknown or given twice").arg(name));
        if (size < 2 || size > APayload.size() - at)
            return malformed(QStringLiteral("the data set %1 runs past the end").arg(name));
        const auto* begin = reinterpret_cast<const std::uint8_t*>(APayload.constData() + at);
        if (begin[0] != 0x78)
            return malformed(QStringLiteral("the data set %1 is not a zlib stream").arg(name));
        seen[static_cast<int>(*id)] = true;
        contents.DataSets[static_cast<int>(*id)].assign(begin, begin + size);
        at += size;
    }
    for (const TDataSetInfo& info : DataSetTable())
        if (!seen[static_cast<int>(info.Id)])
            return malformed(QStringLiteral("the data set %1 is missing").arg(QLatin1String(info.ResourceName)));
    if (at != APayload.size())
        return malformed(QStringLiteral("%1 bytes follow the last data set").arg(APayload.size() - at));
    return contents;
}

} // namespace

QDate DefaultEffectiveDate(const QString& AYear) { return QDate(AYear.toInt() - 1, 10, 1); }

bool HasEditionMark(const QByteArray& ABytes) {
    return !ABytes.isEmpty() && ABytes.startsWith(kMark.left(std::min(ABytes.size(), kMark.size())));
}

QByteArray EditionFileBytes(const TEditionContents& AContents) {
    const QByteArray facts = QJsonDocument(FactsObject(AContents)).toJson(QJsonDocument::Compact);
    QByteArray payload;
    Append<std::uint32_t>(payload, static_cast<std::uint32_t>(facts.size()));
    payload += facts;
    for (const TDataSetInfo& info : DataSetTable()) {
        const auto& stream = AContents.DataSets[static_cast<int>(info.Id)];
        payload.append(reinterpret_cast<const char*>(stream.data()), static_cast<qsizetype>(stream.size()));
    }
    QByteArray file = kMark;
    Append<std::uint32_t>(file, EditionFormatVersion);
    Append<std::uint64_t>(file, static_cast<std::uint64_t>(payload.size()));
    file += QCryptographicHash::hash(payload, QCryptographicHash::Sha256);
    file += payload;
    return file;
}

std::optional<TEditionContents> ReadEditionBytes(const QByteArray& ABytes, QString& AReason) {
    if (ABytes.isEmpty()) {
        AReason = QStringLiteral("is empty");
        return std::nullopt;
    }
    if (!HasEditionMark(ABytes)) {
        AReason = QStringLiteral("is not a Tabulon edition file (it does not begin with the mark %1)")
                      .arg(QStringLiteral("TABULONEDITION"));
        return std::nullopt;
    }
    if (ABytes.size() < kHeaderSize) {
        AReason = QStringLiteral("is truncated: %1 bytes, shorter than the %2-byte header")
                      .arg(ABytes.size())
                      .arg(kHeaderSize);
        return std::nullopt;
    }
    const std::uint32_t version = Read<std::uint32_t>(ABytes, kVersionAt);
    if (version != EditionFormatVersion) {
        AReason = QStringLiteral("has format version %1; this program reads version %2")
                      .arg(version)
                      .arg(EditionFormatVersion);
        return std::nullopt;
    }
    const std::uint64_t payloadSize = Read<std::uint64_t>(ABytes, kSizeAt);
    const auto present = static_cast<std::uint64_t>(ABytes.size() - kHeaderSize);
    if (present < payloadSize) {
        AReason = QStringLiteral("is truncated: %1 of its %2 bytes are there")
                      .arg(ABytes.size())
                      .arg(payloadSize + kHeaderSize);
        return std::nullopt;
    }
    if (present > payloadSize) {
        AReason = QStringLiteral("is damaged: %1 bytes follow its end").arg(present - payloadSize);
        return std::nullopt;
    }
    const QByteArray payload = ABytes.mid(kHeaderSize);
    if (QCryptographicHash::hash(payload, QCryptographicHash::Sha256) !=
        ABytes.mid(kChecksumAt, kChecksumSize)) {
        AReason = QStringLiteral("is damaged: its SHA-256 checksum does not match its contents");
        return std::nullopt;
    }
    return ReadPayload(payload, AReason);
}

bool SaveEditionFile(const QString& APath, const TEditionContents& AContents, QString& AError) {
    QSaveFile file(APath);
    const QByteArray bytes = EditionFileBytes(AContents);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        AError = QStringLiteral("cannot write %1: %2").arg(APath, file.errorString());
        return false;
    }
    return true;
}

std::optional<TEditionContents> LoadEditionFile(const QString& APath, QString& AError) {
    QFile file(APath);
    if (!file.open(QIODevice::ReadOnly)) {
        AError = QStringLiteral("%1 cannot be read: %2").arg(APath, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        AError = QStringLiteral("%1 cannot be read: %2").arg(APath, file.errorString());
        return std::nullopt;
    }
    QString reason;
    std::optional<TEditionContents> contents = ReadEditionBytes(bytes, reason);
    if (!contents)
        AError = QStringLiteral("%1 %2").arg(APath, reason);
    return contents;
}
