#include "LoaderMessages.h"

#include <cstdio>
#include <mutex>

namespace {
// One message at a time, whichever loader raises it. Both are never destroyed, so that a loader
// still running while the process exits finds them intact.
std::mutex& gSinkMutex = *new std::mutex();
TMessageSink& gSink = *new TMessageSink();

void PrintToStandardError(const QString& AText) {
    const QByteArray bytes = AText.toUtf8();
    std::fprintf(stderr, "%s\n", bytes.constData());
    std::fflush(stderr);
}
} // namespace

void SetLoaderMessageSink(TMessageSink ASink) {
    std::lock_guard lock(gSinkMutex);
    gSink = std::move(ASink);
}

void ShowLoaderMessage(const QString& AText) {
    std::lock_guard lock(gSinkMutex);
    if (gSink)
        gSink(AText);
    else
        PrintToStandardError(AText);
}
