#include "AdminCommands.h"

#include "CodeKeywordDerivation.h"
#include "Compression.h"
#include "ExceptionRules.h"
#include "LoaderMessages.h"
#include "OrderFile.h"

#include <QDir>

namespace {

// What every error line starts with: the name of the program that runs the command.
const char* gErrorPrefix = "tabulon: ";

int Fail(QTextStream& AErr, const QStringList& AProblems) {
    for (const QString& problem : AProblems)
        AErr << gErrorPrefix << problem << '\n';
    return ExitNotFound;
}

int NeedsOtherArguments(const QString& ACommand, QTextStream& AErr) {
    AErr << gErrorPrefix << ACommand << " needs other arguments\nusage:\n" << UsageOf(AdminCommandTable());
    return ExitUsage;
}

// A run that takes exactly ACount arguments, A[1] to A[ACount] (A[0] is the command's name).
TCommandRun WithArguments(const char* AName, int ACount,
                          std::function<int(const QStringList&, QTextStream&, QTextStream&)> ARun) {
    return [AName, ACount, ARun](const QStringList& AArgs, const TCommandStreams& AStreams) {
        if (AArgs.size() != ACount)
            return NeedsOtherArguments(QLatin1String(AName), AStreams.Err);
        return ARun(QStringList{QLatin1String(AName)} + AArgs, AStreams.Out, AStreams.Err);
    };
}

int Compress(const QStringList& A, QTextStream&, QTextStream& AErr) {
    QString error;
    return CompressFile(A[1], A[2], &error) ? ExitFound : Fail(AErr, {error});
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
    return ExitFound;
}

int ExceptionRules(const QStringList& A, QTextStream& AOut, QTextStream& AErr) {
    TExceptionRuleReport report;
    const bool agreed = DeriveExceptionRules(A[1], A[2], A[3], report);
    AOut << "Seventh-character entries with rules: " << report.Entries << ", rules: " << report.Rules
         << ", reportable codes: " << report.Reportable << '\n';
    return agreed ? ExitFound : Fail(AErr, report.Problems);
}

int CodeKeywords(const QStringList& A, QTextStream& AOut, QTextStream& AErr) {
    TCodeKeywordReport report;
    if (!DeriveCodeKeywords(A[1], A[2], A[3], report))
        return Fail(AErr, report.Problems);
    AOut << "Categories: " << report.Categories << ", keywords: " << report.Keywords
         << ", index main terms used: " << report.IndexTerms << '\n';
    return ExitFound;
}

} // namespace

const TCommandTable& AdminCommandTable() {
    static const TCommandTable table = {
        {"compress",
         "  compress SOURCE DEST                 deflate SOURCE at level 9 into the zlib stream DEST\n",
         WithArguments("compress", 2, Compress)},
        {"order-files",
         "  order-files ORDER OUTDIR YEAR        derive the six order files (short and long, with and\n"
         "                                       without flag, reportable codes) from the published\n"
         "                                       order file into OUTDIR, named for edition YEAR\n",
         WithArguments("order-files", 3, OrderFiles)},
        {"exception-rules",
         "  exception-rules TABULAR ORDER OUT    write TABULAR with the seventh-character exception\n"
         "                                       rules the order file implies; fails when the result's\n"
         "                                       reportable codes differ from the order file's\n",
         WithArguments("exception-rules", 3, ExceptionRules)},
        {"code-keywords",
         "  code-keywords TABULAR INDEX OUT      derive the code-keyword file from the tabular list and\n"
         "                                       the index to diseases (rules in the README)\n",
         WithArguments("code-keywords", 3, CodeKeywords)},
    };
    return table;
}

bool IsAdminCommand(const QStringList& AArgs) {
    return FindCommand(AdminCommandTable(), AArgs.value(0)) != nullptr;
}

int RunAdminCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr, const char* AErrorPrefix) {
    const QString command = AArgs.value(0);
    gErrorPrefix = AErrorPrefix;
    // Messages of the loaders these operations run go to the error stream, not to a box.
    SetLoaderMessageSink(SerializedSink([&AErr](const QString& AText) { AErr << gErrorPrefix << AText << '\n'; }));
    // No administrator command reads standard input.
    QString noInput;
    QTextStream in(&noInput);
    const TCommand* found = FindCommand(AdminCommandTable(), command);
    const int status =
        found ? found->Run(AArgs.mid(1), {in, AOut, AErr}) : NeedsOtherArguments(command, AErr);
    SetLoaderMessageSink({});
    return status;
}
