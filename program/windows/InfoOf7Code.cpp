#include "InfoOf7Code.h"

#include "ModalResults.h"
#include "WindowStyle.h"
#include "ui_InfoOf7Code.h"

TfrmInfoOf7Code* frmInfoOf7Code = nullptr;

TfrmInfoOf7Code::TfrmInfoOf7Code(QWidget* AParent)
    : QDialog(AParent, DialogWindowFlags),
      FUi(new Ui::TfrmInfoOf7Code) {
    FUi->setupUi(this);
    setObjectName(QStringLiteral("frmInfoOf7Code"));
    setWindowTitle(QStringLiteral("7 Characters Code Information"));
    setFixedSize(560, 213);
    setFont(TahomaFont(11, false));
    SetBackgroundColor(this, TColors::SkyBlue);
    for (QWidget* widget : {static_cast<QWidget*>(FUi->Label1), static_cast<QWidget*>(FUi->Label2),
                            static_cast<QWidget*>(FUi->Label3), static_cast<QWidget*>(FUi->Button1),
                            static_cast<QWidget*>(FUi->Button2)})
        widget->setFont(TahomaFont(13));
    for (QWidget* box : {static_cast<QWidget*>(FUi->Edit1), static_cast<QWidget*>(FUi->Edit2),
                         static_cast<QWidget*>(FUi->Memo1)}) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, TColors::InfoBk);
        palette.setColor(QPalette::Text, TColors::Blue);
        box->setPalette(palette);
    }
    FUi->Edit1->setReadOnly(true);
    FUi->Edit2->setReadOnly(true);
    FUi->Memo1->setReadOnly(true);
    // The description is what the coder reads here: larger than the dialog's 11-pixel text.
    FUi->Memo1->setFont(TahomaFont(14, false));
    connect(FUi->Button1, &QPushButton::clicked, this, [this] { done(TDialogResult::Ok); });
    connect(FUi->Button2, &QPushButton::clicked, this, [this] { done(TDialogResult::Cancel); });
}

TfrmInfoOf7Code::~TfrmInfoOf7Code() = default;

void TfrmInfoOf7Code::SetQuestion(const QString& ACode, const QString& ABelongsTo,
                                  const QString& AFullDesc) {
    FUi->Edit1->setText(ACode);
    FUi->Edit2->setText(ABelongsTo);
    FUi->Memo1->setPlainText(AFullDesc);
    FUi->Button1->setDefault(true);
    FUi->Button1->setFocus();
}

QLineEdit* TfrmInfoOf7Code::Edit1() const { return FUi->Edit1; }
QLineEdit* TfrmInfoOf7Code::Edit2() const { return FUi->Edit2; }
QPlainTextEdit* TfrmInfoOf7Code::Memo1() const { return FUi->Memo1; }

void TfrmInfoOf7Code::reject() {
    done(TDialogResult::Cancel);
}
