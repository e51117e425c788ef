#include "WindowStyle.h"

#include "EngineGlobals.h"
#include "ScreenFit.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>

#include <QFontDatabase>
#include <QPalette>
#include <QWidget>

void InstallFontSubstitutions() {
    const QString dejaVuSans = QStringLiteral("DejaVu Sans");
    // The condensed face of DejaVu Sans runs as wide as Tahoma bold, so texts placed one after
    // the other keep their places ("Effective Date: Oct 1 " and the year after it).
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("DejaVu Sans Condensed"), dejaVuSans});
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));

    QStringList cjk;
    const QStringList installed = QFontDatabase::families();
    for (const char* family : {"Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Micro Hei",
                               "WenQuanYi Zen Hei", "Droid Sans Fallback", "AR PL UMing CN"})
        if (installed.contains(QString::fromLatin1(family)))
            cjk << QString::fromLatin1(family);
    cjk << dejaVuSans;
    QFont::insertSubstitutions(QStringLiteral("SimSun"), cjk);
    QFont::insertSubstitutions(QStringLiteral("宋体"), cjk);
}

QFont PixelFont(const QString& AFamily, int APixelHeight, bool ABold, bool AItalic) {
    QFont font(AFamily);
    font.setPixelSize(APixelHeight);
    font.setBold(ABold);
    font.setItalic(AItalic);
    return font;
}

void SetTextColor(QWidget* AWidget, const QColor& AColor) {
    QPalette palette = AWidget->palette();
    palette.setColor(QPalette::WindowText, AColor);
    palette.setColor(QPalette::Text, AColor);
    palette.setColor(QPalette::ButtonText, AColor);
    AWidget->setPalette(palette);
}

QColor TextColor(const QWidget* AWidget) {
    return AWidget->palette().color(QPalette::WindowText);
}

void SetBackgroundColor(QWidget* AWidget, const QColor& AColor) {
    QPalette palette = AWidget->palette();
    palette.setColor(QPalette::Window, AColor);
    AWidget->setPalette(palette);
    AWidget->setAutoFillBackground(true);
}

QIcon TabulonIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/tabulon/Tabulon-32.png"));
    icon.addFile(QStringLiteral(":/tabulon/Tabulon-64.png"));
    return icon;
}

void SetCaptionAndIcon(QWidget* AWindow) {
    AWindow->setWindowTitle(QStringLiteral("ICD-10 (%1), Provided by Quorvane").arg(DataYear));
    AWindow->setWindowIcon(TabulonIcon());
}

void CentreOnScreen(QWidget* AWindow) {
    AWindow->move(QApplication::primaryScreen()->availableGeometry().center() -
                  AWindow->rect().center());
}

void SetUpSearchFrame(QDialog* AWindow, const QSize& ADesignSize) {
    SetCaptionAndIcon(AWindow);
    AWindow->setFont(TahomaFont(13));
    OpenAtDesignSizeOrMaximised(AWindow, ADesignSize);
}

void SetUpSearchWindow(QDialog* AWindow) {
    SetUpSearchFrame(AWindow, QSize(1167, 691));
    if (!AWindow->parentWidget())
        CentreOnScreen(AWindow);
}
