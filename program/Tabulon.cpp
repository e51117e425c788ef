// Tabulon: starts the data engine, whose loaders fill the classification in the background,
// and reports what it loaded.
#include "DataEngine.h"
#include "EngineGlobals.h"
#include "TabularCounts.h"

#include <QCoreApplication>

#include <cstdio>
#include <stdexcept>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        InitDataEngine();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Tabulon: %s\n", error.what());
        return 1;
    }
    WaitForLoaders();
    const TTabularCounts counts = CountTabular(*ChapterList);
    std::printf("Tabulon, ICD-10-CM %s: %d chapters, %d sections, %d categories, %d codes "
                "(tabular state %d)\n",
                qPrintable(DataYear), counts.Chapters, counts.Sections, counts.Categories,
                counts.Codes, ReadState(TabularLoadState));
    return 0;
}
