#include "InfoOf7Code.h"

#include "WindowStyle.h"

TfrmInfoOf7Code* frmInfoOf7Code = nullptr;

TfrmInfoOf7Code::TfrmInfoOf7Code(QWidget* AParent)
    : QDialog(AParent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmInfoOf7Code"));
    setWindowTitle(QStringLiteral("7 Characters Code Information"));
    setFixedSize(560, 213);
    setFont(TahomaFont(11, false));
    SetBackgroundColor(this, TColors::SkyBlue);
}
