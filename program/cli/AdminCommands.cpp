#include "AdminCommands.h"

#include "CodeKeywordDerivation.h"
#include "Compression.h"
#include "ExceptionRules.h"
#include "LoaderMessages.h"
#include "OrderFile.h"

#include <QDir>

const char* const kAdminUsage =
    "  compress SOURCE DEST                 deflate SOURCE at level 9 into the zlib stream DEST\n"
    "  order-files ORDER OUTDIR YEAR        derive the six order files (short and long, with and\n"
    "                                       without flag, reportable codes) from the published\n"
    "                                       order file into OUTDIR, named for edition YEAR\n"
    "  exception-rules TABULAR ORDER OUT    write TABULAR with the seventh-character exception\n"
    "                                       rules the order file implies; fails when the result's\n"
    "                                       reportable codes differ from the order file's\n"
    "  code-keywords TABULAR INDEX OUT      derive the code-keyword file from the tabular list and\n"
    "                                       the index to diseases (rules in the README)\n";

namespace {

// What every error line starts with: the name of the program that runs the command.
const char* gErrorPrefix = "tabulon: ";

int Fail(QTextStream& AErr, const QStringList& AProblems) {
    for (const QString& problem : AProblems)
        AErr << gErrorPrefix << problem << '\n';
    return 1;
}

int OrderFiles(const QStringList& A, QTextStream& AOut, QTextStream& AErr) {
    const QDir dir(A[2]);
    const QString y = A[3];
    const auto name = [&](const char* AStem) {
        return dir.filePath(QStringLiteral("ICD_10_%1_%2.txt").arg(y, QLatin1String(AStem)));
    };
    TOrderFileCounts counts;
    const TAdminOutcome outcome =
        StatisticsOrderFile(A[1], name("New_ShortDesc"), name("New_LongDesc"), name("New_ShortDesc_WithFlag"),
                            name("New_LongDesc_WithFlag"), name("ReportableCodesShort"),
                            name("ReportableCodesLong"), &counts);
    if (!outcome)
        return Fail(AErr, {outcome.Error});
    AOut << OrderFileSummary(counts) << '\n';
    return 0;
}

int ExceptionRules(const QStringList& A, QTextStream& AOut, QTextStream& AErr) {
    TExceptionRuleReport report;
    const bool agreed = DeriveExceptionRules(A[1], A[2], A[3], report);
    AOut << "Seventh-character entries with rules: " << report.Entries << ", rules: " << report.Rules
         << ", reportable codes: " << report.Reportable << '\n';
    return agreed ? 0 : Fail(AErr, report.Problems);
}

int CodeKeywords(const QStringList& A, QTextStream& AOut, QTextStream& AErr) {
    TCodeKeywordReport report;
    if (!DeriveCodeKeywords(A[1], A[2], A[3], report))
        return Fail(AErr, report.Problems);
    AOut << "Categories: " << report.Categories << ", keywords: " << report.Keywords
         << ", index main terms used: " << report.IndexTerms << '\n';
    return 0;
}

} // namespace

bool IsAdminCommand(const QStringList& AArgs) {
    static const QStringList names = {QStringLiteral("compress"), QStringLiteral("order-files"),
                                      QStringLiteral("exception-rules"), QStringLiteral("code-keywords")};
    return names.contains(AArgs.value(0));
}

int RunAdminCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr, const char* AErrorPrefix) {
    const QString command = AArgs.value(0);
    gErrorPrefix = AErrorPrefix;
    // Messages of the loaders these operations run go to the error stream, not to a box.
    SetLoaderMessageSink(SerializedSink([&AErr](const QString& AText) { AErr << gErrorPrefix << AText << '\n'; }));
    int status = 2;
    if (command == QLatin1String("compress") && AArgs.size() == 3) {
        QString error;
        status = CompressFile(AArgs[1], AArgs[2], &error) ? 0 : Fail(AErr, {error});
    } else if (command == QLatin1String("order-files") && AArgs.size() == 4) {
        status = OrderFiles(AArgs, AOut, AErr);
    } else if (command == QLatin1String("exception-rules") && AArgs.size() == 4) {
        status = ExceptionRules(AArgs, AOut, AErr);
    } else if (command == QLatin1String("code-keywords") && AArgs.size() == 4) {
        status = CodeKeywords(AArgs, AOut, AErr);
    } else {
        AErr << gErrorPrefix << command << " needs other arguments\nusage:\n" << kAdminUsage;
    }
    SetLoaderMessageSink({});
    return status;
}
