#include "LoaderMessages.h"

#include <cstdio>
#include <mutex>

namespace {
std::mutex gSinkMutex; // one message at a time, whichever loader raises it
TMessageSink gSink;

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
