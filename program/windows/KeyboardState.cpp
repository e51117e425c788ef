#include "KeyboardState.h"

#include <QGuiApplication>

namespace {
std::function<bool()>& Override() {
    static std::function<bool()> state;
    return state;
}
} // namespace

bool CtrlKeyDown() {
    if (Override())
        return Override()();
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

void SetCtrlKeyState(std::function<bool()> AState) {
    Override() = std::move(AState);
}
