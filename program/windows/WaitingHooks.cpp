#include "WaitingHooks.h"

#include "MessageService.h"
#include "WaitingDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWindow>

void TWindowWaitingHooks::ShowWaitingDialog() {
    delete WaitingDialog;
    WaitingDialog = new TfrmWaiting(FAnchor);
    WaitingDialog->show();
    // The window system brings a new window up a moment after it is asked to: give it that
    // moment (at most a fifth of a second), so that the dialog is on the screen and painted
    // before the thread goes to sleep.
    QElapsedTimer clock;
    clock.start();
    QApplication::processEvents();
    while (!(WaitingDialog->windowHandle() && WaitingDialog->windowHandle()->isExposed()) &&
           clock.elapsed() < 200) {
        QThread::msleep(5);
        QApplication::processEvents();
    }
    WaitingDialog->repaint();
}

void TWindowWaitingHooks::ServeWhileWaiting() {
    FMessages.ServeLoaderMessages();
}

void TWindowWaitingHooks::HideWaitingDialog() {
    delete WaitingDialog;
    WaitingDialog = nullptr;
}
