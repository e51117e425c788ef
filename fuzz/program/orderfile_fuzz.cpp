// Fuzzes the administrator's reading of the published order file: the line parser, and the six
// files derived from a whole order file. Each derived file must read back with one line per
// counted order-file line (or per valid one), and the line parser must agree with the counts.
#include "FuzzSupport.h"

#include "OrderFile.h"
#include "TextLines.h"

#include <QFile>

namespace {
qsizetype LinesOf(const QString& AFile) {
    const std::optional<QStringList> lines = ReadTextLines(AFile);
    FUZZ_CHECK(lines.has_value(), AFile);
    return lines->size();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    FuzzQuiet();
    const QByteArray bytes = FuzzBytes(AData, ASize);
    int total = 0, valid = 0;
    for (const QString& line : DecodeTextLines(bytes)) {
        TOrderLine order;
        const bool parsed = ParseOrderLine(line, order);
        FUZZ_CHECK(parsed == (line.size() >= 16), line);
        if (!parsed)
            continue;
        ++total;
        valid += order.Valid;
        FUZZ_CHECK(order.Code.startsWith(line.mid(6, 3)), line);
        FUZZ_CHECK(order.ShortDesc == order.ShortDesc.trimmed(), line);
    }

    const QString folder = FuzzScratchFolder();
    const QString input = folder + QStringLiteral("order.txt");
    {
        QFile file(input);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    QStringList outputs;
    for (const char* name : {"short.txt", "long.txt", "shortflag.txt", "longflag.txt", "code.txt", "codelong.txt"})
        outputs << folder + QLatin1String(name);
    TOrderFileCounts counts;
    const TAdminOutcome outcome = StatisticsOrderFile(input, outputs[0], outputs[1], outputs[2],
                                                      outputs[3], outputs[4], outputs[5], &counts);
    FUZZ_CHECK(outcome.Ok(), outcome.Error);
    FUZZ_CHECK(counts.Total == total && counts.Valid == valid);
    for (int i = 0; i < 4; ++i)
        FUZZ_CHECK(LinesOf(outputs[i]) == total, outputs[i]);
    FUZZ_CHECK(LinesOf(outputs[4]) == valid);
    FUZZ_CHECK(LinesOf(outputs[5]) == valid);
    return 0;
}
