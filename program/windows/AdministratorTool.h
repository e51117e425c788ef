// TfrmAdministratorTool: the administrator's workbench for preparing the data sets. Five tabs:
// "Arrange KW" (cleaning, arranging and reviewing keyword files), "Statistics" (counts of the
// loaded data sets and the files derived from the published order file), "Zip File Resource"
// (the compressed data-set sources), "Verify && Gen SQL" (not part of this build: it says so)
// and "Others" (code-text exports). Every file box starts with its default in the program
// folder, named for the edition. The operations themselves live in the engine (admin/), shared
// with tabulon-cli; this window wires them to its boxes and shows their results.
//
// Opened modally from the main window by administrators; it opens on "Verify && Gen SQL".
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TfrmAdministratorTool;
}
class TMessageService;
struct TAdminOutcome;
class QCheckBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

class TfrmAdministratorTool : public QDialog {
    Q_OBJECT

public:
    explicit TfrmAdministratorTool(TMessageService& AMessages, QWidget* AParent = nullptr);
    ~TfrmAdministratorTool() override;

    QTabWidget* PageControl1;
    QWidget *TabSheet1, *TabSheet2, *TabSheet3, *TabSheet4, *TabSheet5;
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7, *Edit8, *Edit9, *Edit10,
        *Edit11, *Edit12, *Edit13, *Edit14;
    QCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5, *CheckBox6, *CheckBox7,
        *CheckBox8;
    QPlainTextEdit *Memo1, *Memo2, *Memo3;
    QLabel* Label7;
    QPushButton *Button4, *Button7, *Button10, *Button11, *Button13, *Button14, *Button15, *Button16;
    // The file dialog of every "..." button (filter: text files, all files).
    QFileDialog* OpenDialog1;

    // The operations behind the buttons.
    void Statistics(bool AGenerateOrderFile, const QString& AFileName);
    void StatisticsOrderFile(const QString& AOrderFile, const QString& ANewShortFileWithoutFlag,
                             const QString& ANewLongFileWithoutFlag,
                             const QString& ANewShortFileWithFlag, const QString& ANewLongFileWithFlag,
                             const QString& ACodeFile, const QString& ACodeLongFile);
    void StatisticsDistinctKW(const QString& ADistinctKWFile);
    void ZipResourceFiles();

protected:
    void showEvent(QShowEvent* AEvent) override;

private:
    void SetDefaults();
    void Browse(QLineEdit* AEdit);
    void Button7Click();  // Stat
    void Button15Click(); // Preliminary handle
    void Button4Click();  // Arrange
    void Button16Click(); // Extract 2+ KW For Verify
    void Button13Click(); // code text for extracting keywords
    void Button14Click(); // all code text for verifying
    // Shows the error of an operation that failed after it had started writing. An input or
    // output that could not be opened at the start ends the operation without a message.
    void ShowFailure(const TAdminOutcome& AOutcome);
    void ShowMessage(const QString& AText);

    std::unique_ptr<Ui::TfrmAdministratorTool> FUi;
    TMessageService& FMessages;
};
