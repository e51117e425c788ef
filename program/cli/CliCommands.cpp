#include "CliCommands.h"

#include "AdminCommands.h"
#include "AdminToolCommand.h"
#include "CheckCommand.h"
#include "CliSupport.h"
#include "CodeCommand.h"
#include "Compression.h"
#include "DataEngine.h"
#include "DataSets.h"
#include "DiffCommand.h"
#include "Edition.h"
#include "EmbeddedResources.h"
#include "EngineGlobals.h"
#include "FindCommand.h"
#include "IndexCommand.h"
#include "KeywordsCommand.h"
#include "LoaderMessages.h"
#include "PrepareEditionCommand.h"
#include "SearchCommand.h"
#include "ShowCommand.h"
#include "TabularCounts.h"

#include <chrono>
#include <cstdio>

namespace {

// The full help text: every command of the engine, then the administrator commands.
QString Usage() {
    QString text;
    QTextStream out(&text);
    out << "usage: tabulon-cli [--edition FILE] COMMAND [ARGS]\n"
        << "Exit status: 0 found / success, 1 not found, not reportable or a data set failed,\n"
        << "2 usage error or unreadable input.\n\n"
        << "  --edition FILE  use the edition file FILE (made by admin prepare-edition) instead\n"
        << "                of the edition embedded in the program; a file that is not an\n"
        << "                edition, is truncated or damaged is refused with a message and the\n"
        << "                embedded edition is used\n\n"
        << UsageOf(CliCommandTable()) << '\n'
        << "Administrator commands (they read the files named, not the embedded data sets):\n"
        << UsageOf(AdminCommandTable()) << "\nThe administrator tool's operations:\n"
        << UsageOf(AdminToolCommandTable());
    out.flush();
    return text;
}

int UnknownCommand(const QStringList& AArgs, QTextStream& AErr) {
    AErr << kCliPrefix << "unknown command or arguments: " << AArgs.join(QLatin1Char(' ')) << '\n'
         << Usage();
    return ExitUsage;
}

QString StateName(int AState) {
    switch (AState) {
    case LoadNotStarted: return QStringLiteral("not loaded");
    case LoadRunning: return QStringLiteral("loading");
    case LoadDone: return QStringLiteral("loaded");
    case LoadFailed: return QStringLiteral("FAILED");
    case LoadStopRequested: return QStringLiteral("stopped");
    }
    return QString::number(AState);
}

// The load state of a data set, or nothing for the plural list, which has none.
const TLoadState* StateOf(TDataSet AId) {
    switch (AId) {
    case TDataSet::Tabular: return &TabularLoadState;
    case TDataSet::DIndex: return &DiseaseIndexLoadState;
    case TDataSet::EIndex: return &ExternalIndexLoadState;
    case TDataSet::TableOfDrugs: return &DrugTableLoadState;
    case TDataSet::TableOfNeoplasms: return &NeoplasmTableLoadState;
    case TDataSet::CodeKeywords: return &KeywordLoadState;
    case TDataSet::ShortDesc: return &ShortDescLoadState;
    case TDataSet::SpecialKWs: return nullptr;
    }
    return nullptr;
}

// The loader job that reads a data set: one per XML data set, job 5 for the text data sets.
int JobOf(TDataSet AId) { return std::min(static_cast<int>(AId), 5); }

void StartEngine() {
    InitDataEngine();
    WaitForLoaders();
}

int Info(QTextStream& AOut) {
    StartEngine();
    AOut << "Edition: ICD-10-CM " << DataYear << '\n';
    if (!CurrentEditionFile().isEmpty())
        AOut << "Edition file: " << CurrentEditionFile() << ", effective "
             << CurrentEditionFacts().EffectiveDate.toString(Qt::ISODate) << '\n';
    AOut << '\n';
    AOut << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                .arg(QStringLiteral("data set"), -17)
                .arg(QStringLiteral("source"), -29)
                .arg(QStringLiteral("packed"), 10)
                .arg(QStringLiteral("bytes"), 10)
                .arg(QStringLiteral("state"), -11)
                .arg(QStringLiteral("load ms"), 8);
    bool failed = false;
    for (const TDataSetInfo& info : DataSetTable()) {
        const TEmbeddedResource* resource = FindEmbeddedResource(QLatin1String(info.ResourceName));
        qsizetype packed = 0, bytes = 0;
        if (resource) {
            packed = static_cast<qsizetype>(resource->Bytes().size());
            bytes = static_cast<qsizetype>(InflateZlib(resource->Bytes()).size());
        }
        const TLoadState* state = StateOf(info.Id);
        const int value = state ? ReadState(*state) : LoadDone;
        failed = failed || value == LoadFailed;
        const auto& thread = BuildThreads()[static_cast<std::size_t>(JobOf(info.Id))];
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(thread->Elapsed());
        AOut << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                    .arg(QLatin1String(info.ResourceName), -17)
                    .arg(DataSetSourceName(info.Id, DataYear), -29)
                    .arg(packed, 10)
                    .arg(bytes, 10)
                    .arg(state ? StateName(value) : QStringLiteral("-"), -11)
                    .arg(static_cast<qlonglong>(ms.count()), 8);
    }
    const TTabularCounts counts = CountTabular(*ChapterList);
    AOut << "\nTabular list: " << counts.Chapters << " chapters, " << counts.Sections
         << " sections, " << counts.Categories << " categories, " << counts.Codes << " codes\n";
    return failed ? ExitNotFound : ExitFound;
}

QString Indent(int ADepth) { return QString(ADepth * 2, QLatin1Char(' ')); }

void PrintChapterLine(QTextStream& AOut, int ANumber, const TChapter& AChapter) {
    AOut << "Chapter " << ANumber << "  " << AChapter.FInfo.FName << ' ' << AChapter.FInfo.FScope
         << '\n';
}

void PrintSectionLine(QTextStream& AOut, const TSubChapter& ASection) {
    AOut << Indent(1) << ASection.FInfo.FScope << "  " << ASection.FInfo.FName << '\n';
}

void PrintCodeTree(QTextStream& AOut, const TCodeInfo& ACode, int ADepth) {
    AOut << Indent(ADepth) << ACode.FCode << "  " << ACode.FDesc << '\n';
    for (const auto& sub : ACode.FSubCodeList)
        PrintCodeTree(AOut, *sub, ADepth + 1);
}

const TCodeInfo* FindInSubtree(const TCodeInfo& ACode, const QString& AText) {
    if (ACode.FCode == AText)
        return &ACode;
    for (const auto& sub : ACode.FSubCodeList)
        if (const TCodeInfo* found = FindInSubtree(*sub, AText))
            return found;
    return nullptr;
}

int Tree(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr) {
    if (AArgs.size() > 1) {
        AErr << kCliPrefix << "tree takes at most one code\n" << Usage();
        return ExitUsage;
    }
    StartEngine();
    const QString wanted = AArgs.isEmpty() ? QString() : AArgs[0].trimmed().toUpper();
    int number = 0;
    for (const auto& chapter : *ChapterList) {
        ++number;
        if (wanted.isEmpty()) {
            PrintChapterLine(AOut, number, *chapter);
            for (const auto& section : chapter->FSubList) {
                PrintSectionLine(AOut, *section);
                for (const auto& category : section->FCodeList)
                    AOut << Indent(2) << category->FCode << "  " << category->FDesc << '\n';
            }
            continue;
        }
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList)
                if (const TCodeInfo* found = FindInSubtree(*category, wanted)) {
                    PrintChapterLine(AOut, number, *chapter);
                    PrintSectionLine(AOut, *section);
                    PrintCodeTree(AOut, *found, 2);
                    return ExitFound;
                }
    }
    if (wanted.isEmpty())
        return ExitFound;
    AErr << kCliPrefix << "no code " << AArgs[0] << " in the tabular list\n";
    return ExitNotFound;
}

// "help", "--help" or "-h" alone, or after a command ("show --help", "admin stat --help"): a
// request for the help text rather than a code or a file named --help.
bool AsksForHelp(const QString& ACommand, const QStringList& ARest) {
    const auto isHelp = [](const QString& AArg) {
        return AArg == QLatin1String("--help") || AArg == QLatin1String("-h");
    };
    if (ARest.isEmpty())
        return ACommand == QLatin1String("help") || isHelp(ACommand);
    const bool admin = ACommand == QLatin1String("admin");
    return (ARest.size() == 1 || (admin && ARest.size() == 2)) && isHelp(ARest.back());
}

// Takes the leading "--edition FILE" (or "--edition=FILE") out of AArgs and makes its edition
// the one in use, the embedded edition without it. A refused file is said on AErr and the
// embedded edition is used. False only when the option lacks its file.
bool SelectEdition(QStringList& AArgs, QTextStream& AErr) {
    QString file;
    const QString option = AArgs.value(0);
    if (option == QLatin1String("--edition")) {
        if (AArgs.size() < 2) {
            AErr << kCliPrefix << "--edition needs an edition file\n" << Usage();
            return false;
        }
        file = AArgs[1];
        AArgs.remove(0, 2);
    } else if (option.startsWith(QLatin1String("--edition="))) {
        file = option.mid(10);
        AArgs.removeFirst();
    }
    QString error;
    if (file.isEmpty())
        UseEmbeddedEdition();
    else if (!UseEditionFile(file, error))
        AErr << kCliPrefix << error << "; the embedded ICD-10-CM " << DataYear
             << " edition is used instead\n";
    return true;
}

// A command that writes to AOut and AErr only.
TCommandRun Printing(int (*ARun)(const QStringList&, QTextStream&, QTextStream&)) {
    return [ARun](const QStringList& AArgs, const TCommandStreams& AStreams) {
        return ARun(AArgs, AStreams.Out, AStreams.Err);
    };
}

} // namespace

const TCommandTable& CliCommandTable() {
    static const TCommandTable table = {
        {"info",
         "  info          edition, data-set sizes, load state and time of each data set, and the\n"
         "                counts of the tabular list\n",
         [](const QStringList& AArgs, const TCommandStreams& AStreams) {
             if (!AArgs.isEmpty())
                 return UnknownCommand(QStringList{QStringLiteral("info")} + AArgs, AStreams.Err);
             return Info(AStreams.Out);
         }},
        {"tree",
         "  tree [CODE]   the chapters with their sections and categories; with CODE, the chapter\n"
         "                and section that hold that code, and the code with all codes below it\n",
         Printing(Tree)},
        {"code", kCodeUsage, Printing(RunCodeCommand)},
        {"check", kCheckUsage,
         [](const QStringList& AArgs, const TCommandStreams& AStreams) {
             return RunCheckCommand(AArgs, AStreams.In, AStreams.Out, AStreams.Err);
         }},
        {"index", kIndexUsage, Printing(RunIndexCommand)},
        {"keywords", kKeywordsUsage, Printing(RunKeywordsCommand)},
        {"search", kSearchUsage, Printing(RunSearchCommand)},
        {"suggest", "", Printing(RunSuggestCommand)}, // described with search
        {"show", kShowUsage, Printing(RunShowCommand)},
        {"find", kFindUsage, Printing(RunFindCommand)},
        {"diff", kDiffUsage, Printing(RunDiffCommand)},
        // "help" alone (and --help, -h) is answered before any command runs; with more words it is
        // an unknown command line.
        {"help", "  help, --help  this text\n",
         [](const QStringList& AArgs, const TCommandStreams& AStreams) {
             return UnknownCommand(QStringList{QStringLiteral("help")} + AArgs, AStreams.Err);
         }},
        {"admin", "", Printing(RunAdminToolCommand)}, // its operations have a heading of their own
    };
    return table;
}

int RunCliCommand(const QStringList& AArgs, QTextStream& AIn, QTextStream& AOut, QTextStream& AErr) {
    QStringList args = AArgs;
    if (!SelectEdition(args, AErr))
        return ExitUsage;
    const QString command = args.value(0);
    const QStringList rest = args.mid(1);
    if (AsksForHelp(command, rest)) {
        AOut << Usage();
        return ExitFound;
    }
    if (IsAdminCommand(args))
        return RunAdminCommand(args, AOut, AErr, kCliPrefix);
    // Loader messages (unknown elements, failed loads) are errors of this tool too.
    SetLoaderMessageSink([](const QString& AText) {
        std::fprintf(stderr, "%s%s\n", kCliPrefix, AText.toLocal8Bit().constData());
    });
    if (const TCommand* found = FindCommand(CliCommandTable(), command))
        return found->Run(rest, {AIn, AOut, AErr});
    if (!command.isEmpty())
        return UnknownCommand(args, AErr);
    AErr << kCliPrefix << "no command given\n" << Usage();
    return ExitUsage;
}

int RunCliCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr) {
    QTextStream in(stdin);
    return RunCliCommand(AArgs, in, AOut, AErr);
}
