// The waiting protocol: code that needs a data set whose loader is still running waits for it
// in 100 ms steps. The windows plug their waiting dialog in through TWaitingHooks; while the
// user-interface thread waits, the hooks keep serving loader messages, or a loader that raises
// a message during the wait would never be answered.
#pragma once

#include "LoadState.h"

class TWaitingHooks {
public:
    virtual ~TWaitingHooks() = default;
    // Shows the waiting dialog and lets it paint once.
    virtual void ShowWaitingDialog() = 0;
    // Called between the 100 ms sleeps, with or without a dialog; serves pending requests
    // such as loader messages. Must not start other work.
    virtual void ServeWhileWaiting() = 0;
    // Destroys the dialog that ShowWaitingDialog created.
    virtual void HideWaitingDialog() = 0;
};

// Installs the hooks (none: plain sleeping). The hooks must outlive every wait.
void SetWaitingHooks(TWaitingHooks* AHooks);
TWaitingHooks* WaitingHooks();

// Waits with the dialog: if AState is "loading" when the scope opens, the dialog is shown and
// the scope blocks until the state leaves "loading"; the dialog goes when the scope closes,
// after the work that needed the data set. In any other state nothing is shown and nothing
// waits. The value the state ends with is not looked at.
class TWaitForDataSet {
public:
    explicit TWaitForDataSet(const TLoadState& AState);
    ~TWaitForDataSet();
    TWaitForDataSet(const TWaitForDataSet&) = delete;
    TWaitForDataSet& operator=(const TWaitForDataSet&) = delete;
    bool ShowedDialog() const { return FShowedDialog; }

private:
    bool FShowedDialog = false;
};

// Waits without a dialog while AState is "loading" (the code queries and the administrator
// operations wait this way).
void WaitWhileLoading(const TLoadState& AState);
