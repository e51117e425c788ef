#include "AdministratorTool.h"

#include "AdminDefaults.h"
#include "CodeText.h"
#include "DistinctKeywordStats.h"
#include "EngineGlobals.h"
#include "KeywordReload.h"
#include "KeywordVerify.h"
#include "MessageService.h"
#include "ScreenFit.h"
#include "OrderFile.h"
#include "PrepareKeywordFile.h"
#include "Statistics.h"
#include "WindowStyle.h"
#include "ZipResources.h"
#include "ui_AdministratorTool.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

// The wait cursor while an operation runs; they block the window, some for seconds.
class TBusyCursor {
public:
    TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

} // namespace

TfrmAdministratorTool::TfrmAdministratorTool(TMessageService& AMessages, QWidget* AParent)
    : QDialog(AParent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      FUi(new Ui::TfrmAdministratorTool), FMessages(AMessages) {
    FUi->setupUi(this);
    Ui::TfrmAdministratorTool& ui = *FUi;
    PageControl1 = ui.PageControl1;
    TabSheet1 = ui.TabSheet1;
    TabSheet2 = ui.TabSheet2;
    TabSheet3 = ui.TabSheet3;
    TabSheet4 = ui.TabSheet4;
    TabSheet5 = ui.TabSheet5;
    Edit1 = ui.Edit1, Edit2 = ui.Edit2, Edit3 = ui.Edit3, Edit4 = ui.Edit4, Edit5 = ui.Edit5;
    Edit6 = ui.Edit6, Edit7 = ui.Edit7, Edit8 = ui.Edit8, Edit9 = ui.Edit9, Edit10 = ui.Edit10;
    Edit11 = ui.Edit11, Edit12 = ui.Edit12, Edit13 = ui.Edit13, Edit14 = ui.Edit14;
    CheckBox1 = ui.CheckBox1, CheckBox2 = ui.CheckBox2, CheckBox3 = ui.CheckBox3;
    CheckBox4 = ui.CheckBox4, CheckBox5 = ui.CheckBox5, CheckBox6 = ui.CheckBox6;
    CheckBox7 = ui.CheckBox7, CheckBox8 = ui.CheckBox8;
    Memo1 = ui.Memo1, Memo2 = ui.Memo2, Memo3 = ui.Memo3;
    Label7 = ui.Label7;
    Button4 = ui.Button4, Button7 = ui.Button7, Button10 = ui.Button10, Button11 = ui.Button11;
    Button13 = ui.Button13, Button14 = ui.Button14, Button15 = ui.Button15, Button16 = ui.Button16;

    ScrollWhenTooLarge(this, QSize(848, 602));
    setFont(TahomaFont(12, false));
    for (QPlainTextEdit* memo : {Memo1, Memo2, Memo3})
        memo->setFont(PixelFont(QStringLiteral("Courier New"), 12, false));

    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setNameFilters({QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)")});
    OpenDialog1->setFileMode(QFileDialog::AnyFile);
    OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);

    const std::pair<QPushButton*, QLineEdit*> browse[] = {
        {ui.Button1, Edit1},   {ui.Button2, Edit2},   {ui.Button3, Edit3},   {ui.Button17, Edit11},
        {ui.Button5, Edit4},   {ui.Button8, Edit6},   {ui.Button18, Edit12}, {ui.Button19, Edit13},
        {ui.Button9, Edit7},   {ui.Button12, Edit8},  {ui.Button20, Edit14}, {ui.Button6, Edit5},
    };
    for (const auto& [button, edit] : browse)
        connect(button, &QPushButton::clicked, this, [this, edit = edit] { Browse(edit); });
    connect(Button7, &QPushButton::clicked, this, &TfrmAdministratorTool::Button7Click);
    connect(Button10, &QPushButton::clicked, this, &TfrmAdministratorTool::ZipResourceFiles);
    connect(Button11, &QPushButton::clicked, this,
            [this] { ShowMessage(QStringLiteral("ICD_GEN_DB is not defined!")); });
    connect(Button15, &QPushButton::clicked, this, &TfrmAdministratorTool::Button15Click);
    connect(Button4, &QPushButton::clicked, this, &TfrmAdministratorTool::Button4Click);
    connect(Button16, &QPushButton::clicked, this, &TfrmAdministratorTool::Button16Click);
    connect(Button13, &QPushButton::clicked, this, &TfrmAdministratorTool::Button13Click);
    connect(Button14, &QPushButton::clicked, this, &TfrmAdministratorTool::Button14Click);

    SetDefaults();
    PageControl1->setCurrentWidget(TabSheet4);
}

TfrmAdministratorTool::~TfrmAdministratorTool() = default;

void TfrmAdministratorTool::SetDefaults() {
    const TAdminFileDefaults d = AdminFileDefaults(ProgramFolder, DataYear);
    const std::pair<QLineEdit*, QString> defaults[] = {
        {Edit1, d.OriginalKW},     {Edit2, d.NewKW},          {Edit3, d.DistinctKW},
        {Edit11, d.MyOrderFile},   {Edit4, d.OfficialOrderFile}, {Edit6, d.ShortNoFlag},
        {Edit12, d.LongNoFlag},    {Edit13, d.ShortWithFlag}, {Edit7, d.LongWithFlag},
        {Edit8, d.ReportableShort}, {Edit14, d.ReportableLong}, {Edit5, d.DistinctKWStats},
        {Edit9, d.OriginalKW},     {Edit10, d.AllCodesText},
    };
    for (const auto& [edit, path] : defaults)
        edit->setText(path);
}

void TfrmAdministratorTool::showEvent(QShowEvent* AEvent) {
    // Centred over the window it was opened from (the main window).
    const QWidget* over = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
    if (over && over != this)
        move(over->frameGeometry().center() - rect().center());
    QDialog::showEvent(AEvent);
}

void TfrmAdministratorTool::Browse(QLineEdit* AEdit) {
    OpenDialog1->selectFile(AEdit->text());
    if (OpenDialog1->exec() == QDialog::Accepted && !OpenDialog1->selectedFiles().isEmpty())
        AEdit->setText(OpenDialog1->selectedFiles().constFirst());
}

void TfrmAdministratorTool::ShowMessage(const QString& AText) { FMessages.Information(this, AText); }

void TfrmAdministratorTool::ShowFailure(const TAdminOutcome& AOutcome) {
    if (AOutcome.Status == TAdminStatus::Failed)
        ShowMessage(AOutcome.Error);
}

void TfrmAdministratorTool::Statistics(bool AGenerateOrderFile, const QString& AFileName) {
    QStringList memo;
    const TAdminOutcome outcome = [&] {
        TBusyCursor busy;
        return ::Statistics(AGenerateOrderFile, AFileName, memo);
    }();
    if (!memo.isEmpty())
        Memo1->setPlainText(memo.join(QLatin1Char('\n')));
    ShowFailure(outcome);
}

void TfrmAdministratorTool::StatisticsOrderFile(
    const QString& AOrderFile, const QString& ANewShortFileWithoutFlag,
    const QString& ANewLongFileWithoutFlag, const QString& ANewShortFileWithFlag,
    const QString& ANewLongFileWithFlag, const QString& ACodeFile, const QString& ACodeLongFile) {
    TOrderFileCounts counts;
    const TAdminOutcome outcome = [&] {
        TBusyCursor busy;
        return ::StatisticsOrderFile(AOrderFile, ANewShortFileWithoutFlag, ANewLongFileWithoutFlag,
                                     ANewShortFileWithFlag, ANewLongFileWithFlag, ACodeFile,
                                     ACodeLongFile, &counts);
    }();
    if (outcome.Ok())
        Memo2->setPlainText(OrderFileSummary(counts));
    ShowFailure(outcome);
}

void TfrmAdministratorTool::StatisticsDistinctKW(const QString& ADistinctKWFile) {
    TDistinctKeywordCounts counts;
    const TAdminOutcome outcome = ::StatisticsDistinctKW(
        ADistinctKWFile, counts, [this](const QString& AText) { ShowMessage(AText); });
    if (outcome.Ok())
        Memo3->setPlainText(counts.Summary());
    ShowFailure(outcome);
}

void TfrmAdministratorTool::ZipResourceFiles() {
    const TAdminOutcome outcome = [&] {
        TBusyCursor busy;
        return ::ZipResourceFiles(ProgramFolder, DataYear);
    }();
    ShowFailure(outcome);
}

void TfrmAdministratorTool::Button7Click() {
    if (CheckBox3->isChecked())
        Statistics(CheckBox8->isChecked(), Edit11->text());
    if (CheckBox4->isChecked())
        StatisticsOrderFile(Edit4->text(), Edit6->text(), Edit12->text(), Edit13->text(),
                            Edit7->text(), Edit8->text(), Edit14->text());
    if (CheckBox5->isChecked())
        StatisticsDistinctKW(Edit5->text());
}

void TfrmAdministratorTool::Button15Click() {
    ShowFailure(PrepareKeywordFile(Edit1->text(), [this](const QString& AText) { ShowMessage(AText); }));
}

void TfrmAdministratorTool::Button4Click() {
    TKeywordLoadOptions options;
    options.CategoryOnly = CheckBox1->isChecked();
    options.MultiWordOnly = CheckBox2->isChecked();
    options.Capitalize = CheckBox7->isChecked();
    TAdminOutcome outcome;
    {
        TBusyCursor busy;
        outcome = ArrangeKeywordFile(Edit1->text(), options, Edit2->text(), Edit3->text());
    }
    ShowFailure(outcome);
}

void TfrmAdministratorTool::Button16Click() {
    TAdminOutcome outcome;
    {
        TBusyCursor busy;
        outcome = ExtractKeywordsForVerify(Edit2->text(), Edit3->text(), CheckBox7->isChecked());
    }
    ShowFailure(outcome);
}

void TfrmAdministratorTool::Button13Click() {
    int total = 0;
    TAdminOutcome outcome;
    {
        TBusyCursor busy;
        outcome = GenerateCodeTextFile(Edit9->text(), CheckBox6->isChecked(), total);
    }
    if (outcome.Ok())
        Label7->setText(QStringLiteral("UnArrangedKW number: %1").arg(total));
    ShowFailure(outcome);
}

void TfrmAdministratorTool::Button14Click() {
    TAdminOutcome outcome;
    {
        TBusyCursor busy;
        outcome = GenerateAllCodeText(Edit10->text());
    }
    ShowFailure(outcome);
}
