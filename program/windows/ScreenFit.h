// Windows are laid out for a design size (1167 x 691 for the search windows). A screen whose
// available area cannot show such a window whole (a 1366 x 768 laptop, or 150 % scaling on a
// 1600 x 900 or 1920 x 1080 screen) gets the window maximised instead, so that every control
// stays in reach: windows whose layout stretches use their full-screen layout, and windows whose
// controls stand at fixed places show them in a scroll area that fills the window.
#pragma once

#include <QObject>
#include <QRect>
#include <QSize>

#include <functional>
#include <vector>

class QWidget;

// Room a window's frame and title bar take besides its client area, in logical pixels.
inline constexpr QSize WindowFrameAllowance{16, 40};

// The available area of the screen AWindow opens on: its parent window's screen, else its own,
// else the primary screen.
QRect AvailableScreenArea(const QWidget* AWindow);

// Whether a window of client size AClientSize, with its frame, fits that area.
bool FitsAvailableScreen(const QWidget* AWindow, const QSize& AClientSize);

// For a window whose layout stretches: when the FullScreen setting asks for it, or the design
// size AClientSize does not fit the screen, the window gets the maximise button and opens
// maximised (sized to the available area, and to the design size when restored if that fits);
// otherwise its size is fixed at AClientSize. True when it opens maximised.
bool OpenAtDesignSizeOrMaximised(QWidget* AWindow, const QSize& AClientSize);

// For a window whose controls stand at fixed places in a client area of AClientSize: when that
// does not fit the screen, the controls move into a scroll area that fills the window, and the
// window opens maximised with the maximise button; otherwise its size is fixed at AClientSize.
// The controls keep their names and places relative to one another. True when it scrolls.
bool ScrollWhenTooLarge(QWidget* AWindow, const QSize& AClientSize);

// Keeps the controls of a bar, whose children stand at fixed places, in reach when the bar is
// narrower than its design width (a window maximised on a small screen): each control added moves
// left (Shift) or gets narrower (Shrink) by the missing width, and AExtra, when given, lays out
// what follows a rule of the window's own. At the design width or wider every control is where
// the design puts it. The object lives as a child of the bar.
class TBarFit : public QObject {
  public:
    enum class TRule { Shift, Shrink };
    // AExtra is called after the rules with the missing width (0 at the design width or wider).
    TBarFit(QWidget* ABar, int ADesignWidth, std::function<void(int ADeficit)> AExtra = {});
    void Add(QWidget* AControl, TRule ARule);
    // Lays the controls out for the bar's present width.
    void Apply();

  protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

  private:
    struct TEntry {
        QWidget* Control;
        QRect Design;
        TRule Rule;
    };
    QWidget* FBar;
    int FDesignWidth;
    std::function<void(int)> FExtra;
    std::vector<TEntry> FEntries;
};
