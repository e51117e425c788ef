#include "CheckCommand.h"

#include "CliSupport.h"
#include "CodeLookup.h"
#include "CodeQueries.h"
#include "EngineGlobals.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

const char* const kCheckUsage =
    "  check [--problems] [--json] FILE|-\n"
    "                one code per line (CSV: the first column; - reads standard input); each is\n"
    "                reported as reportable, header (has codes below it or needs a seventh\n"
    "                character) or unknown, with its description; a summary line ends the\n"
    "                output. --problems lists only the codes that are not reportable. Exit\n"
    "                status 0 when every code is reportable, else 1. --json prints one object:\n"
    "                codes [{line, code, status: reportable|header|unknown, text}],\n"
    "                skippedHeader (when a column header was skipped), and the counts\n"
    "                total, reportable, headers, unknown\n";

QString CheckLineCode(const QString& ALine) {
    QString field;
    qsizetype i = 0;
    while (i < ALine.size() && (ALine[i] == QLatin1Char(' ') || ALine[i] == QLatin1Char('\t')))
        ++i;
    if (i < ALine.size() && ALine[i] == QLatin1Char('"')) {
        for (++i; i < ALine.size(); ++i) {
            if (ALine[i] == QLatin1Char('"')) {
                if (i + 1 < ALine.size() && ALine[i + 1] == QLatin1Char('"'))
                    ++i; // a doubled quote stands for one
                else
                    break;
            }
            field += ALine[i];
        }
    } else {
        qsizetype end = i;
        while (end < ALine.size() && ALine[end] != QLatin1Char(',') && ALine[end] != QLatin1Char(';') &&
               ALine[end] != QLatin1Char('\t'))
            ++end;
        field = ALine.mid(i, end - i);
    }
    return field.trimmed();
}

namespace {

QString Reason(const TCodeLookup& ALookup) {
    switch (ALookup.Kind) {
    case TCodeLookup::NotACode: return QStringLiteral("not a code");
    case TCodeLookup::Unknown: return QStringLiteral("not in the tabular list");
    case TCodeLookup::ForbiddenCompletion:
        return QStringLiteral("seventh character %1 is not allowed for %2")
            .arg(ALookup.Seventh->FChar, ALookup.Node->FCode);
    default: return ALookup.Description;
    }
}

// Text form: one aligned line per code.
struct TTextReport {
    QTextStream& Out;
    void Header(const QString& ALine) { Out << "Skipped the column header: " << ALine << '\n'; }
    void Row(qsizetype, const QString& ACode, const char* AStatus, const QString& AText) {
        Out << QStringLiteral("%1  %2  ").arg(ACode, -8).arg(QLatin1String(AStatus), -10) << AText << '\n';
    }
};

// JSON form: the rows collected, the input line number of each (from 1) kept.
struct TJsonReport {
    QJsonArray& Rows;
    QString& SkippedHeader;
    void Header(const QString& ALine) { SkippedHeader = ALine; }
    void Row(qsizetype ALine, const QString& ACode, const char* AStatus, const QString& AText) {
        Rows.append(QJsonObject{{QStringLiteral("line"), ALine},
                                {QStringLiteral("code"), ACode},
                                {QStringLiteral("status"), QLatin1String(AStatus)},
                                {QStringLiteral("text"), AText}});
    }
};

template <class TReport> TCheckTally CheckLines(QTextStream& AIn, bool AProblemsOnly, TReport&& AReport) {
    TCheckTally tally;
    bool firstLine = true;
    qsizetype lineNumber = 0;
    QString line;
    while (AIn.readLineInto(&line)) {
        ++lineNumber;
        if (line.trimmed().isEmpty())
            continue;
        const QString field = CheckLineCode(line);
        if (field.isEmpty()) {
            // A row whose code column is empty is a fault in the input, not a blank line.
            firstLine = false;
            ++tally.Unknown;
            AReport.Row(lineNumber, QString(), "unknown", QStringLiteral("no code in the first column: ") + line.trimmed());
            continue;
        }
        const TCodeLookup lookup = LookUpCode(field);
        // A first line that is no code at all is a column header ("code,description").
        if (firstLine && lookup.Kind == TCodeLookup::NotACode) {
            firstLine = false;
            AReport.Header(line.trimmed());
            continue;
        }
        firstLine = false;
        const char* status = "unknown";
        if (lookup.IsReportable()) {
            ++tally.Reportable;
            status = "reportable";
        } else if (lookup.IsHeader()) {
            ++tally.Headers;
            status = "header";
        } else {
            ++tally.Unknown;
        }
        if (AProblemsOnly && lookup.IsReportable())
            continue;
        AReport.Row(lineNumber, lookup.Kind == TCodeLookup::NotACode ? field : lookup.Code, status, Reason(lookup));
    }
    return tally;
}

} // namespace

TCheckTally CheckCodeLines(QTextStream& AIn, bool AProblemsOnly, QTextStream& AOut) {
    return CheckLines(AIn, AProblemsOnly, TTextReport{AOut});
}

int RunCheckCommand(const QStringList& AArgs, QTextStream& AIn, QTextStream& AOut, QTextStream& AErr) {
    QStringList args = AArgs;
    const bool problemsOnly = args.removeAll(QStringLiteral("--problems")) > 0;
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    if (args.size() != 1) {
        AErr << kCliPrefix << "check takes one file name (or - for standard input)\nusage:\n"
             << kCheckUsage;
        return ExitUsage;
    }
    QFile file;
    QTextStream fileStream;
    QTextStream* in = &AIn;
    if (args[0] != QLatin1String("-")) {
        file.setFileName(args[0]);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            AErr << kCliPrefix << "cannot read " << args[0] << ": " << file.errorString() << '\n';
            return ExitUsage;
        }
        fileStream.setDevice(&file);
        in = &fileStream;
    }
    StartEngineFor({TLoaderJob::Tabular});
    if (!RequireLoaded(TabularLoadState, "tabular list", AErr))
        return ExitNotFound;
    QJsonArray rows;
    QString skippedHeader;
    const TCheckTally tally = json ? CheckLines(*in, problemsOnly, TJsonReport{rows, skippedHeader})
                                   : CheckCodeLines(*in, problemsOnly, AOut);
    if (file.isOpen() && file.error() != QFileDevice::NoError) {
        AErr << kCliPrefix << "reading " << args[0] << " failed: " << file.errorString() << '\n';
        return ExitUsage;
    }
    const qsizetype total = tally.Total();
    if (json) {
        QJsonObject object{{QStringLiteral("codes"), rows},
                           {QStringLiteral("total"), total},
                           {QStringLiteral("reportable"), tally.Reportable},
                           {QStringLiteral("headers"), tally.Headers},
                           {QStringLiteral("unknown"), tally.Unknown}};
        if (!skippedHeader.isEmpty())
            object.insert(QStringLiteral("skippedHeader"), skippedHeader);
        AOut << QJsonDocument(object).toJson(QJsonDocument::Indented);
        return tally.Reportable == total ? ExitFound : ExitNotFound;
    }
    AOut << "Checked " << total << (total == 1 ? " code: " : " codes: ") << tally.Reportable
         << " reportable, " << tally.Headers << (tally.Headers == 1 ? " header, " : " headers, ")
         << tally.Unknown << " unknown\n";
    return tally.Reportable == total ? ExitFound : ExitNotFound;
}
