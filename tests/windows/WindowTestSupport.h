// What the window tests share: one message service for the process whose boxes are answered by
// a script, a fixture that starts the data engine on the sample data set in temporary folders,
// and helpers that act on modal dialogs once they are shown.
#pragma once

#include "MessageService.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// The service the windows under test report through.
TMessageService& Messages();

class WindowTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the engine again over the same folders, as a new run of the program would.
    void Restart();
    // Texts of every box shown since SetUp, in order.
    QStringList Shown() const;
    QString LastShown() const { return Shown().value(Shown().size() - 1); }
    // Every request since SetUp.
    const std::vector<TMessageRequest>& Requests() const { return FRequests; }
    // The answer the script gives to questions.
    QMessageBox::StandardButton FAnswer = QMessageBox::Yes;

    QTemporaryDir FRoot;

  private:
    std::vector<TMessageRequest> FRequests;
};

// Waits for the engine's loaders while showing the messages they raise.
void WaitForLoadersServingMessages();

// Calls AStep with the next modal dialog of type T once it is shown (polled from a timer). The
// dialog is left to AStep: it must close it. A dialog still open after ten seconds is closed
// with TSearchResult::Back (2, also a dialog's Cancel) and the test fails.
void WhenModalShows(std::function<void(QWidget*)> AStep);

template <class T> void WhenModalShows(std::function<void(T*)> AStep) {
    WhenModalShows([AStep](QWidget* AWidget) {
        T* dialog = qobject_cast<T*>(AWidget);
        ASSERT_NE(dialog, nullptr) << "the modal window is not of the expected kind";
        AStep(dialog);
    });
}

// The child of AParent named AName (its objectName, as the .ui and the windows name it), of type
// T. A child that is not there fails the test and gives nullptr.
template <class T = QWidget> T* ChildOf(const QObject* AParent, const char* AName) {
    T* child = AParent->findChild<T*>(QString::fromLatin1(AName));
    EXPECT_NE(child, nullptr) << AName;
    return child;
}

// A file of the sample resources of the program (e.g. the shipped Background.bmp).
QString ProgramResource(const QString& AName);

// Writes ABytes to APath, creating the file.
void WriteFile(const QString& APath, const QByteArray& ABytes);
QByteArray ReadFile(const QString& APath);
