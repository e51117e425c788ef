// TfrmInfoOf7Code: "7 Characters Code Information", which tells the user which code a
// seven-character code belongs to before the viewer shows it. One instance lives for the whole
// run and is reused for every question.
//
// Modal results (TDialogResult): Ok for "View Code Text", Cancel for "Close And Search Another"
// (also the close box).
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TfrmInfoOf7Code;
}
class QLineEdit;
class QPlainTextEdit;

class TfrmInfoOf7Code : public QDialog {
    Q_OBJECT

public:
    explicit TfrmInfoOf7Code(QWidget* AParent = nullptr);
    ~TfrmInfoOf7Code() override;

    // Fills the three boxes for one question: the code as the user gave it, the code it belongs
    // to and its full description. Nothing of an earlier question stays.
    void SetQuestion(const QString& ACode, const QString& ABelongsTo, const QString& AFullDesc);

    QLineEdit* Edit1() const;
    QLineEdit* Edit2() const;
    QPlainTextEdit* Memo1() const;

protected:
    void reject() override;

private:
    std::unique_ptr<Ui::TfrmInfoOf7Code> FUi;
};

// The one instance of the run, created by the program entry after the main window.
extern TfrmInfoOf7Code* frmInfoOf7Code;
