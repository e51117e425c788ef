// In a file of its own: only the tests that start the engine link the start-up, and with it the
// embedded data sets.
#include "TestSupport.h"

#include "DataEngine.h"
#include "Edition.h"

#include <cstdio>
#include <cstdlib>

void LoadEngineForSuite() {
    static QTemporaryDir* root = new QTemporaryDir(); // outlives every suite, never freed
    qputenv("ProgramData", root->path().toUtf8());
    qputenv("AppData", root->path().toUtf8());
    // TABULON_TEST_EDITION runs the suites on an edition file (tabulon-cli admin prepare-edition)
    // instead of the embedded data sets, to show that an edition answers as the build does. A
    // refused file ends the run: passing on the embedded data instead would prove nothing.
    const QString edition = qEnvironmentVariable("TABULON_TEST_EDITION");
    if (!edition.isEmpty()) {
        QString error;
        if (!UseEditionFile(edition, error)) {
            std::fprintf(stderr, "TABULON_TEST_EDITION: %s\n", qPrintable(error));
            std::exit(1);
        }
    }
    InitDataEngine();
    WaitForLoaders();
}
