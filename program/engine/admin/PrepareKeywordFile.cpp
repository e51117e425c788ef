#include "PrepareKeywordFile.h"

#include "TextHelpers.h"

namespace {

const QString kCodeFieldBlanks(9, QLatin1Char(' '));

// The keywords of a comma-separated text, squeezed and trimmed, empty ones dropped.
QStringList KeywordPieces(const QString& AText) {
    QStringList pieces;
    for (const QString& piece : AText.split(QLatin1Char(','))) {
        const QString keyword = SqueezeBlanks(piece).trimmed();
        if (!keyword.isEmpty())
            pieces << keyword;
    }
    return pieces;
}

} // namespace

QString PreparedKeywordFileName(const QString& AFileName) { return AFileName + QStringLiteral("-New.txt"); }

QStringList PrepareKeywordLines(const QStringList& ALines, const TAdminMessages& AMessages) {
    QStringList out;
    int number = 0;
    for (const QString& line : ALines) {
        ++number;
        if (line.isEmpty())
            continue;
        QString cleaned;
        if (line[0] == QLatin1Char('\t') || line[0] == QLatin1Char(' ')) {
            for (const QString& keyword : KeywordPieces(line))
                cleaned += cleaned.isEmpty() ? kCodeFieldBlanks + keyword + QLatin1Char(',')
                                             : QLatin1Char(' ') + keyword + QLatin1Char(',');
        } else {
            const qsizetype blank = line.indexOf(QLatin1Char(' ')); // the code's length
            if (blank < 3)
                continue;
            if (blank > 3 && line[3] != QLatin1Char('.')) {
                if (AMessages)
                    AMessages(QStringLiteral("Invalid line %1 (error code definition): %2").arg(number).arg(line));
                continue;
            }
            cleaned = line.left(blank).leftJustified(9, QLatin1Char(' '));
            for (const QString& keyword : KeywordPieces(line.mid(blank + 1)))
                cleaned += cleaned.size() < 10 ? keyword + QLatin1Char(',')
                                               : QLatin1Char(' ') + keyword + QLatin1Char(',');
        }
        if (!cleaned.isEmpty())
            out << cleaned;
    }
    return out;
}

TAdminOutcome PrepareKeywordFile(const QString& AFileName, const TAdminMessages& AMessages) {
    TAdminOutcome outcome;
    const std::optional<QStringList> lines = ReadAdminLines(AFileName, outcome);
    if (!lines)
        return outcome;
    TAdminOutput out(PreparedKeywordFileName(AFileName));
    if (!out.Open())
        return TAdminOutcome::NotOpened(out.Error());
    out.WriteLines(PrepareKeywordLines(*lines, AMessages));
    if (!out.Commit())
        return TAdminOutcome::Failed(out.Error());
    return {};
}
