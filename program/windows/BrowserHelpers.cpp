#include "BrowserHelpers.h"

#include "MessageService.h"
#include "WindowStyle.h"

#include <QKeyEvent>
#include <QLineEdit>

bool AskQuitProgram(TMessageService& AMessages, QWidget* AParent) {
    return AMessages.Question(AParent, QStringLiteral("Do you want to quit this program?"),
                              QStringLiteral("Exit Program"), QMessageBox::Yes);
}

bool TypeFirstLetterAsCapital(QLineEdit* ABox, const QKeyEvent* AEvent) {
    const QString text = AEvent->text();
    if (!ABox->text().isEmpty() || text.size() != 1 || text[0] < QLatin1Char('a') ||
        text[0] > QLatin1Char('z'))
        return false;
    if (AEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    ABox->insert(text.toUpper());
    return true;
}

void PaintAsBar(QWidget* AWidget) {
    SetBackgroundColor(AWidget, TColors::SkyBlue);
}
