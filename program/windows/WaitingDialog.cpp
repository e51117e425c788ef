#include "WaitingDialog.h"

#include "WindowStyle.h"
#include "ui_WaitingDialog.h"

#include <QApplication>
#include <QScreen>

TfrmWaiting* WaitingDialog = nullptr;

namespace {
const QString kWaitingText = QStringLiteral("Sorting data, please wait");
}

TfrmWaiting::TfrmWaiting(QWidget* AAnchor)
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint), FUi(new Ui::TfrmWaiting),
      FAnchor(AAnchor) {
    FUi->setupUi(this);
    Panel1 = FUi->Panel1;
    Image1 = FUi->Image1;
    Label1 = FUi->Label1;
    setFixedSize(327, 47);

    Panel1->setFont(PixelFont(QStringLiteral("SimSun"), 13));
    SetTextColor(Panel1, TColors::Navy);
    Image1->setPixmap(TabulonIcon().pixmap(32, 32));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TfrmWaiting::Timer1Timer);
    Timer1->start();
}

TfrmWaiting::~TfrmWaiting() = default;

void TfrmWaiting::showEvent(QShowEvent* AEvent) {
    SetBackgroundColor(Panel1, TColors::SkyBlue);
    const QRect area =
        FAnchor ? FAnchor->frameGeometry() : QApplication::primaryScreen()->availableGeometry();
    move(area.center() - rect().center());
    QDialog::showEvent(AEvent);
}

void TfrmWaiting::Timer1Timer() {
    if (FDots > 6)
        FDots = 1;
    else
        ++FDots;
    Label1->setText(kWaitingText + QString(FDots, QLatin1Char('.')));
    QApplication::processEvents();
}
