// The modal results the windows close with, by name. A window's result tells its opener what to
// do next, so the numbers are part of how the windows talk to each other and never change:
// openers, the code viewer's callers and the tests compare against these.
#pragma once

// The search windows (index, table, chapter, Find, favourites, code viewer) and what their
// opener does on each result.
namespace TSearchResult {
// Back to the main term: the chain of sub-term windows closes down to the main-term window (in
// the neoplasm table down to its first level). Only the index and table windows give it.
inline constexpr int BackToMainTerm = 1;
// Back one window: Back, Escape, or the window's close button.
inline constexpr int Back = 2;
// Quit the program: every window of the chain closes, and the main window with them.
inline constexpr int Quit = 3;
} // namespace TSearchResult

// The small dialogs that ask for something (login, new account, the code to copy, a
// seventh-character question): OK or Cancel.
namespace TDialogResult {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
} // namespace TDialogResult
