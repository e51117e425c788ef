#include "OrderFile.h"

#include "DelimitedText.h"
#include "TextDataSets.h"

#include <QFile>
#include <QSaveFile>

#include <array>
#include <memory>

namespace {

bool ReadLines(const QString& APath, QStringList& ALines, QString* AError) {
    QFile file(APath);
    if (!file.open(QIODevice::ReadOnly)) {
        if (AError)
            *AError = QStringLiteral("cannot read %1: %2").arg(APath, file.errorString());
        return false;
    }
    ALines = SplitTextLines(file.readAll().toStdString());
    return true;
}

// The code field of the derived files: the code with its point, padded to nine characters.
QString CodeField(const QString& ALine) {
    const QString category = ALine.mid(6, 3);
    const QString rest = ALine.mid(9, 5);
    if (!rest.trimmed().isEmpty())
        return category + QLatin1Char('.') + rest.leftJustified(5, QLatin1Char(' '));
    return category + QString(6, QLatin1Char(' '));
}

} // namespace

bool ParseOrderLine(const QString& ALine, TOrderLine& AOut) {
    if (ALine.size() < 16)
        return false;
    const QString rest = ALine.mid(9, 5).trimmed();
    AOut.Code = ALine.mid(6, 3) + (rest.isEmpty() ? QString() : QLatin1Char('.') + rest);
    AOut.Valid = ALine[14] == QLatin1Char('1');
    AOut.ShortDesc = ALine.mid(16, 60).trimmed();
    AOut.LongDesc = ALine.mid(77);
    return true;
}

bool ReadOrderFileCodes(const QString& AOrderFile, bool AValidOnly, QHash<QString, QString>& ACodes,
                        QString* AError) {
    QStringList lines;
    if (!ReadLines(AOrderFile, lines, AError))
        return false;
    for (const QString& line : lines) {
        TOrderLine order;
        if (ParseOrderLine(line, order) && (order.Valid || !AValidOnly))
            ACodes.insert(order.Code, order.LongDesc);
    }
    return true;
}

bool StatisticsOrderFile(const QString& AOrderFile, const QString& ANewShortFileWithoutFlag,
                         const QString& ANewLongFileWithoutFlag, const QString& ANewShortFileWithFlag,
                         const QString& ANewLongFileWithFlag, const QString& ACodeFile,
                         const QString& ACodeLongFile, TOrderFileCounts* ACounts, QString* AError) {
    QStringList lines;
    if (!ReadLines(AOrderFile, lines, AError))
        return false;

    const std::array<QString, 6> names = {ANewShortFileWithoutFlag, ANewLongFileWithoutFlag,
                                          ANewShortFileWithFlag,    ANewLongFileWithFlag,
                                          ACodeFile,                ACodeLongFile};
    std::array<std::unique_ptr<QSaveFile>, 6> outputs;
    for (std::size_t i = 0; i < names.size(); ++i) {
        outputs[i] = std::make_unique<QSaveFile>(names[i]);
        if (!outputs[i]->open(QIODevice::WriteOnly)) {
            if (AError)
                *AError = QStringLiteral("cannot create %1: %2").arg(names[i], outputs[i]->errorString());
            return false; // the save files are discarded: nothing is written
        }
    }
    enum { ShortNoFlag, LongNoFlag, ShortFlag, LongFlag, CodeShort, CodeLong };
    const auto write = [&](int AFile, const QString& ALine) {
        outputs[static_cast<std::size_t>(AFile)]->write((ALine + QLatin1String("\r\n")).toUtf8());
    };

    TOrderFileCounts counts;
    for (const QString& line : lines) {
        TOrderLine order;
        if (!ParseOrderLine(line, order))
            continue;
        ++counts.Total;
        counts.Valid += order.Valid;
        const QString field = CodeField(line);
        const QString flag = line.mid(14, 1);
        write(ShortNoFlag, field + QLatin1Char(' ') + order.ShortDesc);
        write(LongNoFlag, field + order.LongDesc);
        write(ShortFlag, field + flag + QLatin1Char(' ') + order.ShortDesc);
        write(LongFlag, field + flag + QLatin1Char(' ') + order.LongDesc);
        if (order.Valid) {
            write(CodeShort, field + QLatin1Char(' ') + order.ShortDesc);
            write(CodeLong, field + order.LongDesc);
        }
    }
    for (std::size_t i = 0; i < outputs.size(); ++i)
        if (!outputs[i]->commit()) {
            if (AError)
                *AError = QStringLiteral("cannot write %1").arg(names[i]);
            return false;
        }
    if (ACounts)
        *ACounts = counts;
    return true;
}
