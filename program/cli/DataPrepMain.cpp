// tabulon-dataprep: the administrator operations the build runs to prepare the data sets.
#include "Compression.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

static int Usage() {
    std::fputs("usage: tabulon-dataprep compress SOURCE DEST\n"
               "  compress  deflate SOURCE at level 9 into the zlib stream DEST\n",
               stderr);
    return 2;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("compress")) {
        QString error;
        if (!CompressFile(args[2], args[3], &error)) {
            std::fprintf(stderr, "tabulon-dataprep: %s\n", qPrintable(error));
            return 1;
        }
        return 0;
    }
    return Usage();
}
