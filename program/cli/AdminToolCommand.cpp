#include "AdminToolCommand.h"

#include "AdminDefaults.h"
#include "CliSupport.h"
#include "CodeKeywordDerivation.h"
#include "CodeText.h"
#include "Compression.h"
#include "DistinctKeywordStats.h"
#include "EngineGlobals.h"
#include "Folders.h"
#include "KeywordReload.h"
#include "KeywordVerify.h"
#include "OrderFile.h"
#include "PrepareEditionCommand.h"
#include "PrepareKeywordFile.h"
#include "Statistics.h"
#include "ZipResources.h"

#include <functional>

namespace {

struct TArgs {
    QStringList Paths;
    QStringList Flags;
};

// Splits the arguments into --flags and paths; false (with a message) for an unknown flag.
bool SplitArgs(const QStringList& AArgs, const QStringList& AKnownFlags, TArgs& AOut, QTextStream& AErr) {
    for (const QString& arg : AArgs) {
        if (arg.startsWith(QLatin1String("--"))) {
            if (!AKnownFlags.contains(arg)) {
                AErr << kCliPrefix << "unknown option " << arg << '\n';
                return false;
            }
            AOut.Flags << arg;
        } else {
            AOut.Paths << arg;
        }
    }
    return true;
}

QString Folder() { return ProgramFolder.isEmpty() ? ExecutableFolder() : ProgramFolder; }

TAdminFileDefaults Defaults() { return AdminFileDefaults(Folder(), DataYear); }

// Exit status and message of an operation's outcome: a file that could not be opened or created
// at the start is 2, as for every command's unreadable input; a failure part-way is 1.
int Report(const TAdminOutcome& AOutcome, QTextStream& AErr) {
    if (AOutcome.Ok())
        return ExitFound;
    AErr << kCliPrefix << AOutcome.Error << '\n';
    return AOutcome.Status == TAdminStatus::NotOpened ? ExitUsage : ExitNotFound;
}

TAdminMessages MessagesTo(QTextStream& AErr) {
    return [&AErr](const QString& AText) { AErr << kCliPrefix << AText << '\n'; };
}

int Usage(const QString& ACommand, QTextStream& AErr) {
    AErr << kCliPrefix << "admin " << ACommand << " needs other arguments\nusage:\n"
         << UsageOf(DefaultFileOperations());
    return ExitUsage;
}

int Stat(const TArgs& A, QTextStream& AOut, QTextStream& AErr) {
    const bool generate = A.Flags.contains(QLatin1String("--order-file"));
    if (A.Paths.size() > (generate ? 1 : 0))
        return Usage(QStringLiteral("stat"), AErr);
    StartEngineFor({TLoaderJob::Tabular, TLoaderJob::DiseaseIndex, TLoaderJob::ExternalIndex,
                    TLoaderJob::Drugs, TLoaderJob::Neoplasms});
    QStringList memo;
    const QString file = A.Paths.value(0, Defaults().MyOrderFile);
    const TAdminOutcome outcome = Statistics(generate, file, memo);
    for (const QString& line : memo)
        AOut << line << '\n';
    if (outcome.Ok() && generate)
        AOut << "Order file: " << file << '\n';
    return Report(outcome, AErr);
}

int OrderFiles(const TArgs& A, QTextStream& AOut, QTextStream& AErr) {
    if (A.Paths.size() != 0 && A.Paths.size() != 1 && A.Paths.size() != 7)
        return Usage(QStringLiteral("order-files"), AErr);
    const TAdminFileDefaults d = Defaults();
    const QStringList p = A.Paths.size() == 7
                              ? A.Paths
                              : QStringList{A.Paths.value(0, d.OfficialOrderFile), d.ShortNoFlag,
                                            d.LongNoFlag, d.ShortWithFlag, d.LongWithFlag,
                                            d.ReportableShort, d.ReportableLong};
    TOrderFileCounts counts;
    const TAdminOutcome outcome = StatisticsOrderFile(p[0], p[1], p[2], p[3], p[4], p[5], p[6], &counts);
    if (outcome.Ok())
        AOut << OrderFileSummary(counts) << '\n';
    return Report(outcome, AErr);
}

int DistinctKW(const TArgs& A, QTextStream& AOut, QTextStream& AErr) {
    if (A.Paths.size() > 1)
        return Usage(QStringLiteral("distinct-kw"), AErr);
    TDistinctKeywordCounts counts;
    const TAdminOutcome outcome =
        StatisticsDistinctKW(A.Paths.value(0, Defaults().DistinctKWStats), counts, MessagesTo(AErr));
    if (outcome.Ok())
        AOut << counts.Summary() << '\n';
    return Report(outcome, AErr);
}

int Zip(const TArgs& A, QTextStream& AOut, QTextStream& AErr) {
    if (A.Paths.size() > 1)
        return Usage(QStringLiteral("zip"), AErr);
    QString folder = A.Paths.value(0, Folder());
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    QStringList written;
    const TAdminOutcome outcome = ZipResourceFiles(folder, DataYear, &written);
    for (const QString& file : written)
        AOut << file << '\n';
    return Report(outcome, AErr);
}

int Compress(const TArgs& A, QTextStream&, QTextStream& AErr) {
    if (A.Paths.size() != 2)
        return Usage(QStringLiteral("compress"), AErr);
    QString error;
    if (CompressFile(A.Paths[0], A.Paths[1], &error))
        return ExitFound;
    return Report(TAdminOutcome::Failed(error), AErr);
}

int PrepareKW(const TArgs& A, QTextStream& AOut, QTextStream& AErr) {
    if (A.Paths.size() > 1)
        return Usage(QStringLiteral("prepare-kw"), AErr);
    const QString file = A.Paths.value(0, Defaults().OriginalKW);
    const TAdminOutcome outcome = PrepareKeywordFile(file, MessagesTo(AErr));
    if (outcome.Ok())
        AOut << PreparedKeywordFileName(file) << '\n';
    return Report(outcome, AErr);
}

int ArrangeKW(const TArgs& A, QTextStream& AOut, QTextStream& AErr) {
    if (A.Paths.size() != 0 && A.Paths.size() != 3)
        return Usage(QStringLiteral("arrange-kw"), AErr);
    const TAdminFileDefaults d = Defaults();
    const QStringList p = A.Paths.isEmpty() ? QStringList{d.OriginalKW, d.NewKW, d.DistinctKW} : A.Paths;
    TKeywordLoadOptions options;
    options.CategoryOnly = A.Flags.contains(QLatin1String("--category-only"));
    options.MultiWordOnly = A.Flags.contains(QLatin1String("--multi-word-only"));
    options.Capitalize = A.Flags.contains(QLatin1String("--capitalize"));
    const TAdminOutcome outcome = ArrangeKeywordFile(p[0], options, p[1], p[2]);
    if (outcome.Ok())
        AOut << p[1] << '\n' << p[2] << '\n';
    return Report(outcome, AErr);
}

int ExtractKW(const TArgs& A, QTextStream& AOut, QTextStream& AErr) {
    if (A.Paths.size() != 0 && A.Paths.size() != 2)
        return Usage(QStringLiteral("extract-kw"), AErr);
    const TAdminFileDefaults d = Defaults();
    const QStringList p = A.Paths.isEmpty() ? QStringList{d.NewKW, d.DistinctKW} : A.Paths;
    const TAdminOutcome outcome =
        ExtractKeywordsForVerify(p[0], p[1], A.Flags.contains(QLatin1String("--capitalize")));
    if (outcome.Ok())
        AOut << VerifyFileName(p[0]) << '\n';
    return Report(outcome, AErr);
}

int CodeText(const TArgs& A, QTextStream& AOut, QTextStream& AErr) {
    if (A.Paths.size() > 1)
        return Usage(QStringLiteral("code-text"), AErr);
    StartEngineFor({TLoaderJob::Tabular});
    int total = 0;
    const TAdminOutcome outcome = GenerateCodeTextFile(
        A.Paths.value(0, Defaults().OriginalKW), !A.Flags.contains(QLatin1String("--no-comma")), total);
    if (outcome.Ok())
        AOut << "UnArrangedKW number: " << total << '\n';
    return Report(outcome, AErr);
}

int AllCodes(const TArgs& A, QTextStream& AOut, QTextStream& AErr) {
    if (A.Paths.size() > 1)
        return Usage(QStringLiteral("all-codes"), AErr);
    StartEngineFor({TLoaderJob::Tabular});
    const QString file = A.Paths.value(0, Defaults().AllCodesText);
    const TAdminOutcome outcome = GenerateAllCodeText(file);
    if (outcome.Ok())
        AOut << file << '\n';
    return Report(outcome, AErr);
}

// A run that first splits its arguments into paths and the flags in AKnownFlags (an unknown flag
// is a usage error).
TCommandRun WithFlags(QStringList AKnownFlags, std::function<int(const TArgs&, QTextStream&, QTextStream&)> ARun) {
    return [AKnownFlags, ARun](const QStringList& AArgs, const TCommandStreams& AStreams) {
        TArgs args;
        if (!SplitArgs(AArgs, AKnownFlags, args, AStreams.Err))
            return static_cast<int>(ExitUsage);
        return ARun(args, AStreams.Out, AStreams.Err);
    };
}

} // namespace

const TCommandTable& DefaultFileOperations() {
    static const TCommandTable table = {
        {"stat",
         "  admin stat [--order-file [FILE]]\n"
         "                statistics of the embedded data sets; with --order-file also writes every\n"
         "                node (flag 0) and reportable code (flag 1) to FILE\n",
         WithFlags({QStringLiteral("--order-file")}, Stat)},
        {"order-files",
         "  admin order-files [ORDER [SHORT LONG SHORT_FLAG LONG_FLAG CODES CODES_LONG]]\n"
         "                the six files derived from the published order file\n",
         WithFlags({}, OrderFiles)},
        {"distinct-kw", "  admin distinct-kw [FILE]     counts a distinct-keyword file by words per keyword\n",
         WithFlags({}, DistinctKW)},
        {"zip", "  admin zip [FOLDER]           compresses the eight data-set sources of FOLDER to .dzip\n",
         WithFlags({}, Zip)},
        {"compress", "  admin compress SOURCE DEST   compresses one file into a zlib stream\n",
         WithFlags({}, Compress)},
        {"prepare-kw", "  admin prepare-kw [FILE]      cleans a hand-made keyword file into FILE-New.txt\n",
         WithFlags({}, PrepareKW)},
        {"arrange-kw",
         "  admin arrange-kw [--category-only] [--multi-word-only] [--capitalize]\n"
         "                   [ORIGINAL ARRANGED DISTINCT]\n"
         "                arranges a keyword file and lists its distinct keywords\n",
         WithFlags({QStringLiteral("--category-only"), QStringLiteral("--multi-word-only"),
                    QStringLiteral("--capitalize")},
                   ArrangeKW)},
        {"extract-kw",
         "  admin extract-kw [--capitalize] [ARRANGED DISTINCT]\n"
         "                the codes of every distinct keyword, into ARRANGED-Verify.txt\n",
         WithFlags({QStringLiteral("--capitalize")}, ExtractKW)},
        {"code-text", "  admin code-text [--no-comma] [FILE]  the code texts for extracting keywords\n",
         WithFlags({QStringLiteral("--no-comma")}, CodeText)},
        {"all-codes", "  admin all-codes [FILE]       every reportable code with its description\n",
         WithFlags({}, AllCodes)},
        {nullptr, "                Paths left out are the tool's default files in the program folder.\n", {}},
    };
    return table;
}

const TCommandTable& AdminToolCommandTable() {
    static const TCommandTable table = [] {
        TCommandTable rows = DefaultFileOperations();
        rows.push_back({"prepare-edition", kPrepareEditionUsage,
                        [](const QStringList& AArgs, const TCommandStreams& AStreams) {
                            return RunPrepareEditionCommand(AArgs, AStreams.Out, AStreams.Err);
                        }});
        return rows;
    }();
    return table;
}

int RunAdminToolCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr) {
    const TCommand* found = FindCommand(AdminToolCommandTable(), AArgs.value(0));
    if (!found) {
        AErr << kCliPrefix << "unknown admin command " << AArgs.value(0) << "\nusage:\n"
             << UsageOf(AdminToolCommandTable());
        return ExitUsage;
    }
    // No operation reads standard input.
    QString noInput;
    QTextStream in(&noInput);
    return found->Run(AArgs.mid(1), {in, AOut, AErr});
}
