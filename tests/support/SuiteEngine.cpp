// In a file of its own: only the tests that start the engine link the start-up, and with it the
// embedded data sets.
#include "TestSupport.h"

#include "DataEngine.h"

void LoadEngineForSuite() {
    static QTemporaryDir* root = new QTemporaryDir(); // outlives every suite, never freed
    qputenv("ProgramData", root->path().toUtf8());
    qputenv("AppData", root->path().toUtf8());
    InitDataEngine();
    WaitForLoaders();
}
