// Messages that loader threads raise (unknown elements, load failures). They go to one
// injectable sink: the windowless programs print them, the windows show a modal box on the
// user-interface thread. The raising thread waits until the sink returns, and messages from
// several loaders are delivered one at a time, in the order they were raised.
#pragma once

#include <QString>

#include <functional>

using TMessageSink = std::function<void(const QString& AText)>;

// Installs the sink; an empty function restores the default, which writes the text and a line
// end to standard error. Install it before the loaders start.
void SetLoaderMessageSink(TMessageSink ASink);

// Delivers one message and returns when the sink has dealt with it.
void ShowLoaderMessage(const QString& AText);
