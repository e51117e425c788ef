// Fonts, colours, caption and frame the windows share.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QString>

class QDialog;
class QSize;
class QWidget;

// The window fonts and their stand-ins here: Tahoma -> DejaVu Sans Condensed (DejaVu Sans when
// the condensed face is not installed), Courier New -> Liberation
// Mono, SimSun -> a CJK-capable sans when one is installed, else DejaVu Sans. Call once after
// the application object exists.
void InstallFontSubstitutions();

// A font of AFamily whose characters are APixelHeight pixels high.
QFont PixelFont(const QString& AFamily, int APixelHeight, bool ABold = true, bool AItalic = false);
inline QFont TahomaFont(int APixelHeight, bool ABold = true, bool AItalic = false) {
    return PixelFont(QStringLiteral("Tahoma"), APixelHeight, ABold, AItalic);
}

// The named colours of the windows.
namespace TColors {
inline const QColor WindowText{0, 0, 0};
inline const QColor BtnFace{240, 240, 240};
inline const QColor Navy{0, 0, 128};
inline const QColor Blue{0, 0, 255};
inline const QColor Green{0, 128, 0};
inline const QColor Fuchsia{255, 0, 255};
inline const QColor SkyBlue{166, 202, 240};
inline const QColor Teal{0, 128, 128};
inline const QColor Olive{128, 128, 0};
inline const QColor Silver{192, 192, 192};
inline const QColor InfoBk{255, 255, 225};
inline const QColor Red{255, 0, 0};
inline const QColor GridLine{208, 208, 208}; // the rules between the rows of a report list
} // namespace TColors

// Sets the colour a label or check box draws its text in.
void SetTextColor(QWidget* AWidget, const QColor& AColor);
QColor TextColor(const QWidget* AWidget);
// Fills AWidget's background with AColor.
void SetBackgroundColor(QWidget* AWidget, const QColor& AColor);

// The program's icon (also the waiting dialog's picture).
QIcon TabulonIcon();

// The frame of the search windows: a dialog with a title bar, system menu, minimise and close
// buttons.
inline constexpr Qt::WindowFlags SearchWindowFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

// The frame of the small dialogs that ask for something: a title bar, system menu and close
// button, nothing to minimise.
inline constexpr Qt::WindowFlags DialogWindowFlags = Qt::Dialog | Qt::CustomizeWindowHint |
                                                     Qt::WindowTitleHint |
                                                     Qt::WindowSystemMenuHint |
                                                     Qt::WindowCloseButtonHint;

// Gives a window the caption every window shows, "ICD-10 (<edition>), Provided by Quorvane",
// and the program's icon.
void SetCaptionAndIcon(QWidget* AWindow);

// Puts AWindow in the middle of the primary screen's available area.
void CentreOnScreen(QWidget* AWindow);

// A search window laid out for ADesignSize: caption and icon, the window font, and that size or
// maximised (FullScreen, or a screen too small).
void SetUpSearchFrame(QDialog* AWindow, const QSize& ADesignSize);

// A search window laid out for 1167 x 691 (SetUpSearchFrame) and, without a parent, in the
// middle of the screen.
void SetUpSearchWindow(QDialog* AWindow);
