// The state of the keyboard's Ctrl key at the moment a command runs: several copy commands give
// the short description, or close their dialog, when Ctrl is held. Tests put their own answer in
// place of the keyboard.
#pragma once

#include <functional>

// Whether Ctrl is down now.
bool CtrlKeyDown();
// Replaces the keyboard by AState (empty: the keyboard again).
void SetCtrlKeyState(std::function<bool()> AState);
