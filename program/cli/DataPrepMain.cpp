// tabulon-dataprep: the administrator operations the build runs to prepare the data sets.
#include "AdminCommands.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (!IsAdminCommand(args)) {
        err << "usage: tabulon-dataprep COMMAND ARGS\n" << UsageOf(AdminCommandTable());
        return ExitUsage;
    }
    return RunAdminCommand(args, out, err);
}
