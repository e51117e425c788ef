// Tabulon: the program entry. Prepares the data engine, opens the main window, and once it has
// been drawn starts the loaders, which fill the classification in the background, and the find
// index job (which reuses the cached index at once or builds it behind the loaders); it runs
// until the main window closes. Every data set counts as loading from the start, so a window
// opened before its loader has begun waits for it.
//
//   Tabulon [--edition FILE] [--quit-after MS]
//   Tabulon --help
//
// --edition uses the data sets of an edition file (tabulon-cli admin prepare-edition) instead of
// the embedded ones; a file that is refused is said in a box and the embedded edition is used.
// --quit-after closes the main window after MS milliseconds, exactly as the user would (closing
// first a box left open), so that a start can be checked without a person at the screen (for
// example offscreen).
//
// Ending the run: when the main window closes it asks the loaders to stop and saves the search
// history; the message loop then ends. Loaders may still be running at that point (a stop
// request takes effect at their next node, and the text loader runs to its end). The engine's
// containers live for the whole process and the loader threads are never joined, so the run
// ends with a quick process exit that runs no destructors: nothing a loader still reads can be
// destroyed under it, and no one waits for the loaders.
#include "AfterFirstPaint.h"
#include "DataEngine.h"
#include "Edition.h"
#include "EngineGlobals.h"
#include "FindIndexJob.h"
#include "InfoOf7Code.h"
#include "LoaderMessages.h"
#include "Main.h"
#include "MessageService.h"
#include "StorageMessages.h"
#include "Waiting.h"
#include "WaitingHooks.h"
#include "WindowStyle.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>

namespace {

// When no paint of the main window comes (a platform that draws nothing), the loaders start
// after this many milliseconds all the same.
constexpr int kLoaderStartFallbackMs = 200;

struct TOptions {
    std::optional<int> QuitAfterMs;
    QString EditionFile;
};

const char* const kUsage = "usage: Tabulon [--edition FILE] [--quit-after MS]\n";

// Nothing when the arguments are wrong (the reason has been printed).
std::optional<TOptions> ParseArguments(const QStringList& AArguments) {
    TOptions options;
    for (qsizetype i = 1; i < AArguments.size(); ++i) {
        const QString& argument = AArguments[i];
        if (argument == QStringLiteral("--quit-after") && i + 1 < AArguments.size()) {
            bool numeric = false;
            const int ms = AArguments[++i].toInt(&numeric);
            if (!numeric || ms < 0) {
                std::fprintf(stderr,
                             "Tabulon: --quit-after needs a number of milliseconds, "
                             "not \"%s\"\n",
                             qPrintable(AArguments[i]));
                return std::nullopt;
            }
            options.QuitAfterMs = ms;
        } else if (argument == QStringLiteral("--edition") && i + 1 < AArguments.size()) {
            options.EditionFile = AArguments[++i];
        } else {
            std::fprintf(stderr, "Tabulon: unknown argument \"%s\"\n%s", qPrintable(argument), kUsage);
            return std::nullopt;
        }
    }
    return options;
}

const char* const kHelp =
    "usage: Tabulon [--edition FILE] [--quit-after MS]\n"
    "The ICD-10-CM lookup program: the chapter browser, the alphabetic indexes, the tables of\n"
    "drugs and neoplasms, the keyword search and the ranked find, all leading to one code\n"
    "viewer. The classification is carried inside the program and loads in the background.\n"
    "\n"
    "Options:\n"
    "  --edition FILE   use the edition file FILE (made by tabulon-cli admin prepare-edition\n"
    "                   from the release files) instead of the edition the program carries;\n"
    "                   a file that is not an edition, is truncated or damaged is refused\n"
    "                   with a message and the embedded edition is used\n"
    "  --quit-after MS  close the main window after MS milliseconds, as a user would\n"
    "  --help           this text\n"
    "\n"
    "Files (YEAR is the edition the program carries, whichever --edition names):\n"
    "  config.ini, SearchHistory.txt  in the folder \"Orvella Tabulon YEAR\" of $AppData, else\n"
    "                                 of $XDG_CONFIG_HOME (default ~/.config)\n"
    "  USER.fvxml (accounts)          in the folder \"Orvella Tabulon YEAR\" of $ProgramData,\n"
    "                                 else of $XDG_DATA_HOME (default ~/.local/share)\n"
    "  the find index                 in $XDG_CACHE_HOME/tabulon/find (default ~/.cache)\n"
    "\n"
    "tabulon-cli offers the same look-ups on the command line.\n";

// "--help" needs no display, so it is answered before the application connects to one.
bool AsksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return true;
    return false;
}

// Makes the edition file AFile the one in use; the message to show when it is refused (the
// embedded edition is then used), or nothing.
std::optional<QString> ChooseEdition(const QString& AFile) {
    QString error;
    if (AFile.isEmpty() || UseEditionFile(AFile, error))
        return std::nullopt;
    return QStringLiteral("The edition file %1.\nThe ICD-10-CM %2 edition carried by the program is used.")
        .arg(error, DataYear);
}

// Closes what a user would close to end the run: a box still open, then the main window.
void CloseAsUser(QWidget* AMainWindow) {
    while (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
    AMainWindow->close();
}

[[noreturn]] void QuickExit(int ACode) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(ACode);
}

} // namespace

int main(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tabulon"));
    QApplication::setWindowIcon(TabulonIcon());
    InstallFontSubstitutions();
    const std::optional<TOptions> options = ParseArguments(QApplication::arguments());
    if (!options)
        return 2;

    TMessageService messages;
    TWindowWaitingHooks waitingHooks(messages);
    SetLoaderMessageSink(messages.LoaderSink());
    SetWaitingHooks(&waitingHooks);
    // A folder or file that cannot be written is said in a box, once per path.
    SetStorageMessageSink([&messages](const QString& AText) {
        messages.Information(QApplication::activeWindow(), AText);
    });
    const std::optional<QString> refusal = ChooseEdition(options->EditionFile);
    if (refusal)
        std::fprintf(stderr, "Tabulon: %s\n", qPrintable(QString(*refusal).replace(QLatin1Char('\n'), QLatin1Char(' '))));
    try {
        PrepareDataEngine();
    } catch (const std::exception& error) {
        const QString text =
            QStringLiteral("Tabulon cannot start: %1").arg(QString::fromUtf8(error.what()));
        std::fprintf(stderr, "%s\n", qPrintable(text));
        messages.Information(nullptr, text);
        QuickExit(1);
    }
    auto* mainWindow = new TfrmMain(messages);
    waitingHooks.SetAnchor(mainWindow);
    frmInfoOf7Code = new TfrmInfoOf7Code(mainWindow);
    // The loaders take both cores; started before the window is drawn they slow its first
    // appearance, which is what the user waits for.
    RunAfterFirstPaint(mainWindow, [] {
        StartBuildThreads();
        StartFindIndexJob();
    }, kLoaderStartFallbackMs);
    mainWindow->show();
    if (refusal)
        QTimer::singleShot(0, mainWindow, [&messages, mainWindow, text = *refusal] {
            messages.Information(mainWindow, text);
        });
    if (options->QuitAfterMs)
        QTimer::singleShot(*options->QuitAfterMs, mainWindow, [mainWindow] { CloseAsUser(mainWindow); });

    const int result = QApplication::exec();
    messages.Shutdown();
    QuickExit(result);
}
