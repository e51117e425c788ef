// TfrmInfoOf7Code: "7 Characters Code Information", which tells the user which code a
// seven-character code belongs to before the viewer shows it. One instance lives for the whole
// run and is reused for every question.
#pragma once

#include <QDialog>

class TfrmInfoOf7Code : public QDialog {
    Q_OBJECT

public:
    explicit TfrmInfoOf7Code(QWidget* AParent = nullptr);
};

// The one instance of the run, created by the program entry after the main window.
extern TfrmInfoOf7Code* frmInfoOf7Code;
