// Every message box of the program goes through one TMessageService: the windows' own
// information boxes and questions, and the messages that loader threads raise.
//
// Loader messages: a loader thread hands its text to LoaderSink() and blocks until the text
// has been shown on the user-interface thread and answered. Requests are shown one at a time
// in the order they were raised, from the event loop or, while the user-interface thread waits
// for a data set, from ServeLoaderMessages() between its sleeps. After Shutdown() nothing more
// is shown: pending and later loader messages go to standard error and return at once, so a
// loader can never block the end of the run.
//
// Tests install a script that answers instead of a real box and sees every request.
#pragma once

#include "LoaderMessages.h"

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QThread>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

struct TMessageRequest {
    enum class TKind { Information, Question, LoaderMessage };
    TKind Kind = TKind::Information;
    QString Caption;
    QString Text;
    // Questions: the button that Enter presses (Yes or No).
    QMessageBox::StandardButton DefaultButton = QMessageBox::NoButton;
};

class TMessageService : public QObject {
    Q_OBJECT

public:
    // Answers a request in place of a box: Yes or No for questions, anything for the others.
    using TScript = std::function<QMessageBox::StandardButton(const TMessageRequest&)>;

    // Caption of the boxes that have none of their own (information boxes, loader messages).
    static const QString DefaultCaption;

    TMessageService();
    ~TMessageService() override;

    // A modal information box with an OK button over AParent.
    void Information(QWidget* AParent, const QString& AText, const QString& ACaption = {});
    // A modal Yes/No question; true for Yes. ADefault is Yes or No.
    bool Question(QWidget* AParent, const QString& AText, const QString& ACaption,
                  QMessageBox::StandardButton ADefault);

    // The sink to install with SetLoaderMessageSink; valid while this service lives.
    TMessageSink LoaderSink();
    // Shows the loader messages that wait, in order (user-interface thread only). Does nothing
    // when called again from inside one of those boxes.
    void ServeLoaderMessages();
    // Ends the showing of loader messages for good (see above).
    void Shutdown();

    // Tests: answer every request through AScript instead of a box (empty: real boxes again).
    void SetScript(TScript AScript) { FScript = std::move(AScript); }

private:
    struct TPendingMessage {
        QString Text;
        bool Answered = false;
    };
    void Deliver(const QString& AText);
    QMessageBox::StandardButton Present(QWidget* AParent, const TMessageRequest& ARequest);

    TScript FScript;
    std::mutex FMutex;
    std::condition_variable FAnswered;
    std::deque<TPendingMessage*> FPending;
    bool FShutDown = false;
    bool FServing = false;
};
