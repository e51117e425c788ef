#include "LoaderMessages.h"

#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>

namespace {
using TSinkRef = std::shared_ptr<const TMessageSink>;

// The installed sink and the calls still inside replaced ones. Never destroyed, so that a
// loader still running while the process exits finds it intact.
struct TSinkSlot {
    std::mutex Mutex; // guards Sink and every copy of it that a call holds
    std::condition_variable Released;
    TSinkRef Sink;
};
TSinkSlot& gSlot = *new TSinkSlot();

void PrintToStandardError(const QString& AText) {
    const QByteArray bytes = AText.toUtf8();
    std::fprintf(stderr, "%s\n", bytes.constData()); // one locked stdio call per message
    std::fflush(stderr);
}

// Drops a call's copy of the sink under the lock, so that SetLoaderMessageSink sees the count.
struct TSinkCall {
    TSinkRef Sink;
    ~TSinkCall() {
        if (!Sink)
            return;
        std::lock_guard lock(gSlot.Mutex);
        Sink.reset();
        gSlot.Released.notify_all();
    }
};
} // namespace

void SetLoaderMessageSink(TMessageSink ASink) {
    TSinkRef replaced;
    std::unique_lock lock(gSlot.Mutex);
    replaced = std::move(gSlot.Sink);
    if (ASink)
        gSlot.Sink = std::make_shared<const TMessageSink>(std::move(ASink));
    gSlot.Released.wait(lock, [&] { return !replaced || replaced.use_count() == 1; });
}

void ShowLoaderMessage(const QString& AText) {
    TSinkCall call;
    {
        std::lock_guard lock(gSlot.Mutex);
        call.Sink = gSlot.Sink;
    }
    if (call.Sink)
        (*call.Sink)(AText);
    else
        PrintToStandardError(AText);
}

TMessageSink SerializedSink(TMessageSink ASink) {
    auto mutex = std::make_shared<std::mutex>();
    return [mutex, sink = std::move(ASink)](const QString& AText) {
        std::lock_guard lock(*mutex);
        sink(AText);
    };
}
