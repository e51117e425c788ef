#include "AfterFirstPaint.h"

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <utility>

namespace {

// Watches the window for its first paint; runs the action at most once, then goes away.
class TFirstPaintWatch : public QObject {
  public:
    TFirstPaintWatch(QWidget* AWindow, std::function<void()> AAction, int AFallbackMs)
        : QObject(AWindow), FAction(std::move(AAction)) {
        AWindow->installEventFilter(this);
        QTimer::singleShot(AFallbackMs, this, [this] { Run(); });
    }

  protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override {
        // Queued, so that the paint itself is finished before the action starts.
        if (AEvent->type() == QEvent::Paint)
            QTimer::singleShot(0, this, [this] { Run(); });
        return QObject::eventFilter(AWatched, AEvent);
    }

  private:
    void Run() {
        if (!FAction)
            return;
        const std::function<void()> action = std::exchange(FAction, nullptr);
        parent()->removeEventFilter(this);
        deleteLater();
        action();
    }

    std::function<void()> FAction;
};

} // namespace

void RunAfterFirstPaint(QWidget* AWindow, std::function<void()> AAction, int AFallbackMs) {
    new TFirstPaintWatch(AWindow, std::move(AAction), AFallbackMs);
}
