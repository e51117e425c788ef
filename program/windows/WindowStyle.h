// Fonts and colours the windows share.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QString>

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
