// tabulon-cli: the Tabulon data engine for scripts and terminals.
#include "CliCommands.h"
#include "SearchIndexes.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // One run searches once: scanning the categories is quicker than building an index first.
    UseSearchIndexes(false);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = RunCliCommand(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    // Loader threads may still be reading; the process ends them without tearing anything down.
    std::fflush(nullptr);
    std::_Exit(status);
}
