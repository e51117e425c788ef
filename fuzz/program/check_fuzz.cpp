// Fuzzes tabulon-cli check's line reader: arbitrary input, checked against a small loaded list.
// Every line that is not blank is counted once (a first line that is no code may be skipped as
// a column header), every counted code gets one result line, and the code field read from a line
// is trimmed and holds no line break.
#include "FuzzSupport.h"

#include "CheckCommand.h"
#include "LoadState.h"

#include <QBuffer>

#include <QTextStream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    static const bool loaded = FuzzLoadTabular(QByteArray(FuzzSampleTabular)) == LoadDone;
    FUZZ_CHECK(loaded);
    QByteArray bytes = FuzzBytes(AData, ASize);
    QTextStream in(&bytes, QIODevice::ReadOnly);
    QString output;
    QTextStream out(&output, QIODevice::WriteOnly);
    const TCheckTally tally = CheckCodeLines(in, false, out);
    out.flush();

    QByteArray again = bytes;
    QTextStream lines(&again, QIODevice::ReadOnly);
    qsizetype nonBlank = 0;
    QString line;
    while (lines.readLineInto(&line)) {
        if (line.trimmed().isEmpty())
            continue;
        ++nonBlank;
        const QString field = CheckLineCode(line);
        FUZZ_CHECK(field == field.trimmed(), line);
    }
    FUZZ_CHECK(tally.Total() == nonBlank || tally.Total() == nonBlank - 1,
               QStringLiteral("%1 of %2").arg(tally.Total()).arg(nonBlank));
    const qsizetype results = output.count(QLatin1Char('\n'));
    FUZZ_CHECK(results == nonBlank, QStringLiteral("%1 results for %2 lines").arg(results).arg(nonBlank));
    return 0;
}
