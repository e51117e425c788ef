#include "ScreenFit.h"

#include "EngineGlobals.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace {

void OpenMaximised(QWidget* AWindow, const QSize& ARestoredSize) {
    AWindow->setMinimumSize(0, 0);
    AWindow->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    AWindow->setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, false);
    AWindow->setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    AWindow->resize(ARestoredSize);
    // A place computed for the design size (centred) may lie partly off the screen.
    const QRect area = AvailableScreenArea(AWindow);
    if (!area.contains(AWindow->geometry()))
        AWindow->move(area.topLeft());
    AWindow->setWindowState(AWindow->windowState() | Qt::WindowMaximized);
}

} // namespace

QRect AvailableScreenArea(const QWidget* AWindow) {
    const QScreen* screen = nullptr;
    if (AWindow && AWindow->parentWidget())
        screen = AWindow->parentWidget()->window()->screen();
    if (!screen && AWindow)
        screen = AWindow->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

bool FitsAvailableScreen(const QWidget* AWindow, const QSize& AClientSize) {
    const QRect area = AvailableScreenArea(AWindow);
    // Without a screen there is nothing to fit: keep the design size.
    if (area.isEmpty())
        return true;
    const QSize needed = AClientSize + WindowFrameAllowance;
    return needed.width() <= area.width() && needed.height() <= area.height();
}

bool OpenAtDesignSizeOrMaximised(QWidget* AWindow, const QSize& AClientSize) {
    const bool fits = FitsAvailableScreen(AWindow, AClientSize);
    if (FullScreen != 1 && fits) {
        AWindow->setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
        AWindow->setFixedSize(AClientSize);
        return false;
    }
    // Restored, a window that does not fit the screen keeps within its available area.
    OpenMaximised(AWindow, fits ? AClientSize
                                : AClientSize.boundedTo(AvailableScreenArea(AWindow).size() -
                                                        WindowFrameAllowance));
    return true;
}

bool ScrollWhenTooLarge(QWidget* AWindow, const QSize& AClientSize) {
    if (FitsAvailableScreen(AWindow, AClientSize)) {
        AWindow->setFixedSize(AClientSize);
        return false;
    }
    // The controls go, with their places, onto a page of the design size inside a scroll area.
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("ScreenFitPage"));
    const QList<QWidget*> controls = AWindow->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        if (!control->isWindow()) {
            const bool hidden = control->isHidden();
            control->setParent(page);
            control->setHidden(hidden);
        }
    }
    page->setFixedSize(AClientSize);
    auto* scroll = new QScrollArea(AWindow);
    scroll->setObjectName(QStringLiteral("ScreenFitScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);
    // The page draws the window's own background (a picture brush, a colour).
    page->setPalette(AWindow->palette());
    page->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(AWindow);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    OpenMaximised(AWindow, AClientSize.boundedTo(AvailableScreenArea(AWindow).size() -
                                                 WindowFrameAllowance));
    return true;
}

TBarFit::TBarFit(QWidget* ABar, int ADesignWidth, std::function<void(int)> AExtra)
    : QObject(ABar), FBar(ABar), FDesignWidth(ADesignWidth), FExtra(std::move(AExtra)) {
    ABar->installEventFilter(this);
}

void TBarFit::Add(QWidget* AControl, TRule ARule) {
    FEntries.push_back({AControl, AControl->geometry(), ARule});
}

void TBarFit::Apply() {
    const int deficit = std::max(0, FDesignWidth - FBar->width());
    for (const TEntry& entry : FEntries) {
        QRect placed = entry.Design;
        if (entry.Rule == TRule::Shift)
            placed.translate(-deficit, 0);
        else
            placed.setWidth(std::max(0, placed.width() - deficit));
        entry.Control->setGeometry(placed);
    }
    if (FExtra)
        FExtra(deficit);
}

bool TBarFit::eventFilter(QObject* AWatched, QEvent* AEvent) {
    if (AWatched == FBar && AEvent->type() == QEvent::Resize)
        Apply();
    return QObject::eventFilter(AWatched, AEvent);
}
