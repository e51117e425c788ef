// Plugs the waiting dialog and the message service into the engine's waiting protocol: while
// the user-interface thread waits for a data set it shows TfrmWaiting, and between its sleeps
// it shows the messages that loaders raise meanwhile (a loader waits for its message to be
// answered, so a wait that did not serve them would never end).
#pragma once

#include "Waiting.h"

class TMessageService;
class QWidget;

class TWindowWaitingHooks : public TWaitingHooks {
public:
    explicit TWindowWaitingHooks(TMessageService& AMessages) : FMessages(AMessages) {}
    // The window the dialog centres over (the main window).
    void SetAnchor(QWidget* AAnchor) { FAnchor = AAnchor; }

    void ShowWaitingDialog() override;
    void ServeWhileWaiting() override;
    void HideWaitingDialog() override;

private:
    TMessageService& FMessages;
    QWidget* FAnchor = nullptr;
};
