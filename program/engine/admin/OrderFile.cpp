#include "OrderFile.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace {

bool ReadLines(const QString& APath, QStringList& ALines, QString* AError) {
    TAdminOutcome outcome;
    std::optional<QStringList> lines = ReadAdminLines(APath, outcome);
    if (!lines) {
        if (AError)
            *AError = outcome.Error;
        return false;
    }
    ALines = std::move(*lines);
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

TAdminOutcome StatisticsOrderFile(const QString& AOrderFile, const QString& ANewShortFileWithoutFlag,
                                  const QString& ANewLongFileWithoutFlag,
                                  const QString& ANewShortFileWithFlag,
                                  const QString& ANewLongFileWithFlag, const QString& ACodeFile,
                                  const QString& ACodeLongFile, TOrderFileCounts* ACounts) {
    TAdminOutcome read;
    const std::optional<QStringList> lines = ReadAdminLines(AOrderFile, read);
    if (!lines)
        return read;

    const std::array<QString, 6> names = {ANewShortFileWithoutFlag, ANewLongFileWithoutFlag,
                                          ANewShortFileWithFlag,    ANewLongFileWithFlag,
                                          ACodeFile,                ACodeLongFile};
    std::array<std::unique_ptr<TAdminOutput>, 6> outputs;
    for (std::size_t i = 0; i < names.size(); ++i) {
        outputs[i] = std::make_unique<TAdminOutput>(names[i]);
        if (!outputs[i]->Open()) // the outputs opened so far are discarded: nothing is written
            return TAdminOutcome::NotOpened(outputs[i]->Error());
    }
    enum { ShortNoFlag, LongNoFlag, ShortFlag, LongFlag, CodeShort, CodeLong };
    const auto write = [&](int AFile, const QString& ALine) {
        outputs[static_cast<std::size_t>(AFile)]->WriteLine(ALine);
    };

    TOrderFileCounts counts;
    for (const QString& line : *lines) {
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
    std::vector<TAdminOutput*> all;
    for (const auto& output : outputs)
        all.push_back(output.get());
    const TAdminOutcome written = CommitAll(all);
    if (written && ACounts)
        *ACounts = counts;
    return written;
}

QString OrderFileSummary(const TOrderFileCounts& ACounts) {
    return QStringLiteral("Total: %1, Valide Code: %2").arg(ACounts.Total).arg(ACounts.Valid);
}
