#include "MessageService.h"

#include <QApplication>
#include <QMetaObject>

#include <cstdio>

const QString TMessageService::DefaultCaption = QStringLiteral("Tabulon");

namespace {
void PrintToStandardError(const QString& AText) {
    std::fprintf(stderr, "%s\n", AText.toUtf8().constData());
    std::fflush(stderr);
}
} // namespace

TMessageService::TMessageService() = default;

TMessageService::~TMessageService() {
    Shutdown();
}

QMessageBox::StandardButton TMessageService::Present(QWidget* AParent,
                                                     const TMessageRequest& ARequest) {
    if (FScript)
        return FScript(ARequest);
    const bool question = ARequest.Kind == TMessageRequest::TKind::Question;
    QMessageBox box(question ? QMessageBox::Question : QMessageBox::Information,
                    ARequest.Caption.isEmpty() ? DefaultCaption : ARequest.Caption, ARequest.Text,
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, AParent);
    if (question) {
        box.setDefaultButton(ARequest.DefaultButton);
        box.setEscapeButton(QMessageBox::No);
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void TMessageService::Information(QWidget* AParent, const QString& AText, const QString& ACaption) {
    Present(AParent, {TMessageRequest::TKind::Information, ACaption, AText, QMessageBox::Ok});
}

bool TMessageService::Question(QWidget* AParent, const QString& AText, const QString& ACaption,
                               QMessageBox::StandardButton ADefault) {
    return Present(AParent, {TMessageRequest::TKind::Question, ACaption, AText, ADefault}) ==
           QMessageBox::Yes;
}

TMessageSink TMessageService::LoaderSink() {
    return [this](const QString& AText) { Deliver(AText); };
}

void TMessageService::Deliver(const QString& AText) {
    // A loader that runs on the user-interface thread itself (tests) cannot wait for that
    // thread: its message is shown at once.
    if (QThread::currentThread() == thread()) {
        {
            std::lock_guard lock(FMutex);
            if (FShutDown) {
                PrintToStandardError(AText);
                return;
            }
        }
        Present(QApplication::activeWindow(),
                {TMessageRequest::TKind::LoaderMessage, {}, AText, QMessageBox::Ok});
        return;
    }
    TPendingMessage message{AText};
    std::unique_lock lock(FMutex);
    if (FShutDown) {
        lock.unlock();
        PrintToStandardError(AText);
        return;
    }
    FPending.push_back(&message);
    QMetaObject::invokeMethod(this, &TMessageService::ServeLoaderMessages, Qt::QueuedConnection);
    FAnswered.wait(lock, [&] { return message.Answered; });
}

void TMessageService::ServeLoaderMessages() {
    if (FServing)
        return;
    FServing = true;
    for (;;) {
        TPendingMessage* message = nullptr;
        QString text;
        {
            std::lock_guard lock(FMutex);
            if (FPending.empty() || FShutDown)
                break;
            message = FPending.front();
            text = message->Text;
        }
        Present(QApplication::activeWindow(),
                {TMessageRequest::TKind::LoaderMessage, {}, text, QMessageBox::Ok});
        {
            std::lock_guard lock(FMutex);
            // Shutdown may have answered it while the box was open.
            if (!FPending.empty() && FPending.front() == message) {
                FPending.pop_front();
                message->Answered = true;
            }
        }
        FAnswered.notify_all();
    }
    FServing = false;
}

void TMessageService::Shutdown() {
    std::deque<TPendingMessage*> dropped;
    {
        std::lock_guard lock(FMutex);
        FShutDown = true;
        dropped.swap(FPending);
        for (TPendingMessage* message : dropped) {
            PrintToStandardError(message->Text);
            message->Answered = true;
        }
    }
    FAnswered.notify_all();
}
