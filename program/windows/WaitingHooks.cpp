#include "WaitingHooks.h"

#include "MessageService.h"
#include "WaitingDialog.h"

#include <QApplication>

void TWindowWaitingHooks::ShowWaitingDialog() {
    delete WaitingDialog;
    WaitingDialog = new TfrmWaiting(FAnchor);
    WaitingDialog->show();
    // Once, so that the dialog paints before the thread goes to sleep.
    QApplication::processEvents();
}

void TWindowWaitingHooks::ServeWhileWaiting() {
    FMessages.ServeLoaderMessages();
}

void TWindowWaitingHooks::HideWaitingDialog() {
    delete WaitingDialog;
    WaitingDialog = nullptr;
}
