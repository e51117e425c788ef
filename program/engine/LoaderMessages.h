// Messages that loader threads raise (unknown elements, load failures). They go to one
// injectable sink: the windowless programs print them, the windows show a modal box on the
// user-interface thread. The raising thread waits until the sink returns.
//
// No lock is held while the sink runs: a sink that waits for another thread (the windows' own
// waits for the user-interface thread) must never keep a message raised on that other thread
// from reaching the sink, or both would wait for each other. The administrator tool reloads the
// keyword file on the user-interface thread while a loader may be waiting for its own message to
// be shown. A sink may therefore be called from several threads at once; it keeps what it
// shares consistent itself (SerializedSink does that for sinks that never wait for another
// thread), and it keeps the order of the messages of each thread.
#pragma once

#include <QString>

#include <functional>

using TMessageSink = std::function<void(const QString& AText)>;

// Installs the sink; an empty function restores the default, which writes the text and a line
// end to standard error. Returns when no thread is still inside the sink it replaced, so that
// what that sink refers to may go away afterwards; must not be called from inside a sink.
void SetLoaderMessageSink(TMessageSink ASink);

// Delivers one message and returns when the sink has dealt with it.
void ShowLoaderMessage(const QString& AText);

// ASink behind a lock of its own, for sinks that write to something shared (a stream) and never
// wait for another thread.
TMessageSink SerializedSink(TMessageSink ASink);
