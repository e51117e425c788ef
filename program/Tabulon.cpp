// Tabulon: the program entry. Starts the data engine, whose loaders fill the classification in
// the background, opens the main window at once, and runs until the main window closes.
//
//   Tabulon [--quit-after MS]
//
// --quit-after closes the main window after MS milliseconds, exactly as the user would, so that
// a start can be checked without a person at the screen (for example offscreen).
//
// Ending the run: when the main window closes it asks the loaders to stop and saves the search
// history; the message loop then ends. Loaders may still be running at that point (a stop
// request takes effect at their next node, and the text loader runs to its end). The engine's
// containers live for the whole process and the loader threads are never joined, so the run
// ends with a quick process exit that runs no destructors: nothing a loader still reads can be
// destroyed under it, and no one waits for the loaders.
#include "DataEngine.h"
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
#include <optional>
#include <stdexcept>

namespace {

struct TOptions {
    std::optional<int> QuitAfterMs;
};

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
        } else {
            std::fprintf(stderr,
                         "Tabulon: unknown argument \"%s\"\nusage: Tabulon "
                         "[--quit-after MS]\n",
                         qPrintable(argument));
            return std::nullopt;
        }
    }
    return options;
}

[[noreturn]] void QuickExit(int ACode) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(ACode);
}

} // namespace

int main(int argc, char** argv) {
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
    try {
        InitDataEngine();
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
    mainWindow->show();
    if (options->QuitAfterMs)
        QTimer::singleShot(*options->QuitAfterMs, mainWindow, &QWidget::close);

    const int result = QApplication::exec();
    messages.Shutdown();
    QuickExit(result);
}
