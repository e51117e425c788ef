// What the tests of the index and table windows share: a recording code opener and a guard
// that notices (and closes) a window that an action should not have opened.
#pragma once

#include "CodeViewerLink.h"
#include "KeywordSearch.h"
#include "ModalResults.h"

#include <QApplication>
#include <QDialog>
#include <QStringList>
#include <QTimer>

#include <functional>

// Records every code handed to the viewer and answers with FResult.
struct TRecordingOpener {
    QStringList FCodes;
    int FResult = TSearchResult::Back;
    TCodeOpener Opener() {
        return [this](QWidget*, const QString& ACode) {
            FCodes << ACode;
            return FResult;
        };
    }
};

// Runs AAction; true when it opened a modal window (which is closed with TSearchResult::Back).
inline bool OpensAWindow(const std::function<void()>& AAction) {
    QWidget* before = QApplication::activeModalWidget();
    bool opened = false;
    QTimer guard;
    guard.setInterval(20);
    QObject::connect(&guard, &QTimer::timeout, &guard, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != before && modal->isVisible()) {
            opened = true;
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->done(TSearchResult::Back);
        }
    });
    guard.start();
    AAction();
    guard.stop();
    return opened;
}

// Waits for the code-detail viewer to open modally, notes that it did and closes it (the default
// opener of the index and table windows; the code handed over is checked with the recording
// opener).
inline void CloseViewerWhenItOpens(bool& AOpened) {
    auto* timer = new QTimer();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, &AOpened] {
        if (auto* viewer = dynamic_cast<TfrmKeyWordSearch*>(QApplication::activeModalWidget())) {
            AOpened = true;
            static_cast<QDialog*>(viewer)->reject();
            timer->deleteLater();
        }
    });
    timer->start(20);
}
