// Runs an action once a window has been painted for the first time: start-up work that would
// otherwise share the cores with building and drawing the first window waits until the user
// sees it.
#pragma once

#include <functional>

class QWidget;

// Calls AAction once, on the window thread, right after AWindow's first paint has been handled,
// or after AFallbackMs milliseconds when no paint comes first (a platform that never paints, a
// window hidden before it was drawn). Call it before AWindow is shown or right after.
void RunAfterFirstPaint(QWidget* AWindow, std::function<void()> AAction, int AFallbackMs);
