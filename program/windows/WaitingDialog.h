// TfrmWaiting: the small borderless box "Sorting data, please wait" that stands over the main
// window while a window waits for a data set that is still loading. Its dots grow on each
// 500 ms tick that reaches it (none arrive while the user-interface thread sleeps in the wait).
#pragma once

#include <QDialog>
#include <QTimer>

#include <memory>

namespace Ui {
class TfrmWaiting;
}
class QFrame;
class QLabel;

class TfrmWaiting : public QDialog {
    Q_OBJECT

public:
    // AAnchor: the window to centre over, even while it is hidden (none: the screen).
    explicit TfrmWaiting(QWidget* AAnchor = nullptr);
    ~TfrmWaiting() override;

    QFrame* Panel1;
    QLabel* Image1;
    QLabel* Label1;
    QTimer* Timer1;
    int FDots = 1;

    // One tick of Timer1: the next number of dots, then pending events are processed.
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* AEvent) override;

private:
    std::unique_ptr<Ui::TfrmWaiting> FUi;
    QWidget* FAnchor;
};

// The waiting dialog while one is shown, else nullptr.
extern TfrmWaiting* WaitingDialog;
