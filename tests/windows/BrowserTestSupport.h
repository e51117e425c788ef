// What the tests of the index and table windows share: a recording code opener, a guard that
// notices (and closes) a window that an action should not have opened, and the fixture that
// opens the window under test on hand-made letter lists.
#pragma once

#include "CodeViewerLink.h"
#include "IndexFixture.h"
#include "KeywordSearch.h"
#include "ModalResults.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

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

// The fixture of the tests of an index or table window TWindow: the window under test (FWindow)
// with the recording opener (FViewer) as its viewer, over letter lists that the test puts in
// place of the data engine's.
template <class TWindow> class LevelWindowTest : public WindowTest {
  protected:
    void TearDown() override {
        FWindow.reset();
        FSwaps.clear();
        WindowTest::TearDown();
    }
    // AList stands in for the data engine's list AGlobal until the test ends.
    void UseList(TAlphaLetterList*& AGlobal, TAlphaLetterList& AList) {
        FSwaps.push_back(std::make_unique<TListSwap>(AGlobal, AList));
    }
    // A new window on data set AType, shown; it replaces the window opened before.
    TWindow& Open(int AType) {
        FWindow = std::make_unique<TWindow>(Messages(), FViewer.Opener());
        FWindow->FType = AType;
        FWindow->show();
        return *FWindow;
    }
    template <class T = QLabel> static T* Child(QWidget* AWindow, const char* AName) {
        return ChildOf<T>(AWindow, AName);
    }
    template <class T = QLabel> T* Child(const char* AName) {
        return ChildOf<T>(FWindow.get(), AName);
    }
    // Types AText into the search box at once (as a paste would).
    void Type(const QString& AText) { Child<QLineEdit>("edtMain")->setText(AText); }
    // Adds each modal result AWindow closes with to AResults.
    static void RecordResult(QWidget* AWindow, QList<int>& AResults) {
        QObject::connect(static_cast<QDialog*>(AWindow), &QDialog::finished, AWindow,
                         [&AResults](int AResult) { AResults << AResult; });
    }
    // AResult becomes the modal result AWindow closes with.
    static void RecordResult(QWidget* AWindow, int& AResult) {
        QObject::connect(static_cast<QDialog*>(AWindow), &QDialog::finished, AWindow,
                         [&AResult](int AClosedWith) { AResult = AClosedWith; });
    }

    TRecordingOpener FViewer;
    std::unique_ptr<TWindow> FWindow;

  private:
    std::vector<std::unique_ptr<TListSwap>> FSwaps;
};
