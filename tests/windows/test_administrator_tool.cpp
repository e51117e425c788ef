// The administrator tool offscreen on the sample data set: opened only for administrators by a
// double-click on the main window's title, its tabs and default files, the file dialog, "Stat"
// with its three result memos, the keyword buttons and the fixed answer of "Verify && Gen SQL".
#include "AdministratorTool.h"
#include "Compression.h"
#include "EngineGlobals.h"
#include "Main.h"
#include "SearchWindows.h"
#include "WindowTestSupport.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace {

class AdministratorTool : public WindowTest {
protected:
    TfrmAdministratorTool& Open() {
        FTool = std::make_unique<TfrmAdministratorTool>(Messages());
        FTool->show();
        return *FTool;
    }
    QString Program(const char* AName) const { return ProgramFolder + QLatin1String(AName); }
    QStringList Memo(QPlainTextEdit* AMemo) const {
        return AMemo->toPlainText().isEmpty() ? QStringList() : AMemo->toPlainText().split(QLatin1Char('\n'));
    }

    std::unique_ptr<TfrmAdministratorTool> FTool;
};

TEST_F(AdministratorTool, TitleDoubleClickOpensItOnlyForAdministrators) {
    // Each case is a new run of the main window over config.ini with that IsAdmin line.
    struct TCase {
        const char* Config;
        int Opened;
    } cases[] = {
        {"", 0},
        {"[Config]\r\nIsAdmin=0\r\n", 0},
        {"[Config]\r\nIsAdmin=2\r\n", 0},
        {"[Config]\r\nIsAdmin=1\r\n", 1},
    };
    for (const TCase& c : cases) {
        WriteFile(ProgramFolder + QStringLiteral("config.ini"), c.Config);
        TfrmMain main(Messages());
        int requested = 0, opened = 0;
        main.SetWindowFactory([&](TSearchWindow AKind) {
            requested += AKind == TSearchWindow::AdministratorTool;
            return CreateSearchWindow(AKind, Messages());
        });
        main.show();
        QLabel* title = main.findChild<QLabel*>(QStringLiteral("Label4"));
        ASSERT_NE(title, nullptr);
        if (c.Opened)
            WhenModalShows<TfrmAdministratorTool>([&](TfrmAdministratorTool* ATool) {
                ++opened;
                EXPECT_TRUE(main.isVisible()); // it opens over the main window
                EXPECT_EQ(ATool->windowTitle(), QStringLiteral("Administrator Tool"));
                EXPECT_EQ(ATool->PageControl1->currentWidget(), ATool->TabSheet4);
                EXPECT_EQ(ATool->Edit1->text(),
                          ProgramFolder + QStringLiteral("UnArrangedCodeKeywords_%1.txt").arg(DataYear));
                ATool->reject();
            });
        // A single click on the title, or a double-click elsewhere, opens nothing.
        QTest::mouseClick(title, Qt::LeftButton);
        QTest::mouseDClick(main.findChild<QLabel*>(QStringLiteral("lbFavorite")), Qt::LeftButton);
        EXPECT_EQ(requested, 0) << c.Config;
        QTest::mouseDClick(title, Qt::LeftButton);
        EXPECT_EQ(requested, c.Opened) << c.Config;
        EXPECT_EQ(opened, c.Opened) << c.Config;
        EXPECT_TRUE(main.isVisible()) << c.Config;
    }
    EXPECT_TRUE(Shown().isEmpty()) << Shown().join(QLatin1Char('|')).toStdString();
}

TEST_F(AdministratorTool, HasItsTabsBoxesAndDefaults) {
    TfrmAdministratorTool& tool = Open();
    EXPECT_EQ(tool.size(), QSize(848, 602));
    const QStringList captions = {QStringLiteral("Arrange KW"), QStringLiteral("Statistics"),
                                  QStringLiteral("Zip File Resource"), QStringLiteral("Verify && Gen SQL"),
                                  QStringLiteral("Others")};
    ASSERT_EQ(tool.PageControl1->count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(tool.PageControl1->tabText(i), captions[i]);
    EXPECT_EQ(tool.PageControl1->currentIndex(), 3);

    const QString y = DataYear;
    const std::pair<QLineEdit*, QString> defaults[] = {
        {tool.Edit1, QStringLiteral("UnArrangedCodeKeywords_%1.txt").arg(y)},
        {tool.Edit2, QStringLiteral("ArrangedTabulonKW_%1.txt").arg(y)},
        {tool.Edit3, QStringLiteral("DistinctTabulonKW_%1.txt").arg(y)},
        {tool.Edit11, QStringLiteral("ICD_10_%1_My_Order_WithFlag.txt").arg(y)},
        {tool.Edit4, QStringLiteral("icd10cm_order_%1.txt").arg(y)},
        {tool.Edit6, QStringLiteral("ICD_10_%1_New_ShortDesc.txt").arg(y)},
        {tool.Edit12, QStringLiteral("ICD_10_%1_New_LongDesc.txt").arg(y)},
        {tool.Edit13, QStringLiteral("ICD_10_%1_New_ShortDesc_WithFlag.txt").arg(y)},
        {tool.Edit7, QStringLiteral("ICD_10_%1_New_LongDesc_WithFlag.txt").arg(y)},
        {tool.Edit8, QStringLiteral("ICD_10_%1_ReportableCodesShort.txt").arg(y)},
        {tool.Edit14, QStringLiteral("ICD_10_%1_ReportableCodesLong.txt").arg(y)},
        {tool.Edit5, QStringLiteral("Distinct_Tabulon_KW_%1.txt").arg(y)},
        {tool.Edit9, QStringLiteral("UnArrangedCodeKeywords_%1.txt").arg(y)},
        {tool.Edit10, QStringLiteral("AllCodesTextForVerify_%1.txt").arg(y)},
    };
    for (const auto& [edit, name] : defaults)
        EXPECT_EQ(edit->text(), ProgramFolder + name) << edit->objectName().toStdString();
    for (QCheckBox* box : {tool.CheckBox1, tool.CheckBox2, tool.CheckBox3, tool.CheckBox4,
                           tool.CheckBox5, tool.CheckBox7, tool.CheckBox8})
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_TRUE(tool.CheckBox6->isChecked());
    EXPECT_EQ(tool.Button11->text(), QStringLiteral("Verify && Gen SQL File"));
    EXPECT_EQ(tool.OpenDialog1->nameFilters(),
              (QStringList{QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)")}));
}

TEST_F(AdministratorTool, VerifyAndGenSqlGivesItsFixedAnswer) {
    TfrmAdministratorTool& tool = Open();
    QTest::mouseClick(tool.Button11, Qt::LeftButton);
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("ICD_GEN_DB is not defined!")});
}

TEST_F(AdministratorTool, ZipResourceFilesCompressesTheSourcesOrReportsTheMissingOne) {
    TfrmAdministratorTool& tool = Open();
    tool.PageControl1->setCurrentWidget(tool.TabSheet3);
    const QStringList names = {QStringLiteral("icd10cm_index_%1.xml"), QStringLiteral("icd10cm_eindex_%1.xml"),
                               QStringLiteral("icd10cm_drug_%1.xml"), QStringLiteral("icd10cm_neoplasm_%1.xml"),
                               QStringLiteral("icd10cm_tabular_%1.xml"), QStringLiteral("CodeKeywords%1.txt"),
                               QStringLiteral("SpecialKWs%1.txt"), QStringLiteral("ReportableCodesShort%1.txt")};
    // Only the first source is there: its stream is written, the second is reported missing.
    WriteFile(ProgramFolder + names[0].arg(DataYear), "<ICD10CM.index/>\r\n");
    QTest::mouseClick(tool.Button10, Qt::LeftButton);
    ASSERT_EQ(Shown().size(), 1);
    EXPECT_TRUE(Shown()[0].contains(names[1].arg(DataYear))) << Shown()[0].toStdString();
    EXPECT_TRUE(QFile::exists(ProgramFolder + QStringLiteral("icd10cm_index_%1.dzip").arg(DataYear)));
    EXPECT_FALSE(QFile::exists(ProgramFolder + QStringLiteral("icd10cm_eindex_%1.dzip").arg(DataYear)));

    for (const QString& name : names)
        WriteFile(ProgramFolder + name.arg(DataYear), name.toUtf8());
    QTest::mouseClick(tool.Button10, Qt::LeftButton);
    EXPECT_EQ(Shown().size(), 1); // no further message
    for (const QString& name : names) {
        const QString stem = QFileInfo(name.arg(DataYear)).completeBaseName();
        const QByteArray stream = ReadFile(ProgramFolder + stem + QStringLiteral(".dzip"));
        EXPECT_TRUE(stream.startsWith("\x78\xDA")) << stem.toStdString();
        EXPECT_EQ(InflateZlib(std::span(reinterpret_cast<const std::uint8_t*>(stream.constData()),
                                        static_cast<std::size_t>(stream.size()))),
                  name.toStdString())
            << stem.toStdString();
    }
}

TEST_F(AdministratorTool, ABrowseButtonPutsTheChosenFileIntoItsBox) {
    TfrmAdministratorTool& tool = Open();
    const QString chosen = Program("chosen.txt");
    WriteFile(chosen, "x\r\n");
    WhenModalShows<QFileDialog>([&](QFileDialog* ADialog) {
        EXPECT_EQ(ADialog, tool.OpenDialog1);
        ADialog->selectFile(chosen);
        static_cast<QDialog*>(ADialog)->accept(); // as the Open button does
    });
    QTest::mouseClick(tool.findChild<QPushButton*>(QStringLiteral("Button5")), Qt::LeftButton);
    EXPECT_EQ(QFileInfo(tool.Edit4->text()), QFileInfo(chosen));

    // Cancelled: the box keeps its text.
    const QString before = tool.Edit5->text();
    WhenModalShows<QFileDialog>([](QFileDialog* ADialog) { ADialog->reject(); });
    QTest::mouseClick(tool.findChild<QPushButton*>(QStringLiteral("Button6")), Qt::LeftButton);
    EXPECT_EQ(tool.Edit5->text(), before);
}

TEST_F(AdministratorTool, StatRunsTheCheckedOperationsIntoTheirMemos) {
    TfrmAdministratorTool& tool = Open();
    QTest::mouseClick(tool.Button7, Qt::LeftButton); // nothing checked: nothing happens
    EXPECT_TRUE(Memo(tool.Memo1).isEmpty());
    EXPECT_TRUE(Memo(tool.Memo2).isEmpty());
    EXPECT_TRUE(Memo(tool.Memo3).isEmpty());

    WriteFile(tool.Edit4->text(),
              "00001 A00     0 Cholera                                                      Cholera\r\n"
              "00002 A000    1 Cholera due to Vibrio cholerae 01, biovar cholerae           Cholera due to Vibrio cholerae 01, biovar cholerae\r\n"
              "\r\n");
    WriteFile(tool.Edit5->text(), "Cholera\r\nDue To\r\nOne Two Three Four Five\r\n");
    for (QCheckBox* box : {tool.CheckBox3, tool.CheckBox4, tool.CheckBox5, tool.CheckBox8})
        box->setChecked(true);
    QTest::mouseClick(tool.Button7, Qt::LeftButton);
    const QStringList memo1 = Memo(tool.Memo1);
    ASSERT_EQ(memo1.size(), 2);
    EXPECT_TRUE(memo1[0].startsWith(QStringLiteral("DLines : "))) << memo1[0].toStdString();
    EXPECT_TRUE(memo1[1].startsWith(QStringLiteral("ChpNum : "))) << memo1[1].toStdString();
    EXPECT_TRUE(QFile::exists(tool.Edit11->text()));
    EXPECT_EQ(Memo(tool.Memo2), QStringList{QStringLiteral("Total: 2, Valide Code: 1")});
    EXPECT_TRUE(QFile::exists(tool.Edit8->text()));
    EXPECT_EQ(Memo(tool.Memo3), QStringList{QStringLiteral("Total: 2, 1: 1, 2: 1, 3: 0, 4: 0")});
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("One Two Three Four Five")});
}

TEST_F(AdministratorTool, AnOperationWithoutItsFilesEndsQuietlyAndTheNextStillRuns) {
    TfrmAdministratorTool& tool = Open();
    tool.Edit11->setText(Program("no/such/folder/order.txt"));
    WriteFile(tool.Edit5->text(), "Cholera\r\n");
    for (QCheckBox* box : {tool.CheckBox3, tool.CheckBox8, tool.CheckBox4, tool.CheckBox5})
        box->setChecked(true);
    QTest::mouseClick(tool.Button7, Qt::LeftButton); // no order file to create, none to read
    EXPECT_TRUE(Memo(tool.Memo1).isEmpty());
    EXPECT_TRUE(Memo(tool.Memo2).isEmpty());
    EXPECT_EQ(Memo(tool.Memo3), QStringList{QStringLiteral("Total: 1, 1: 1, 2: 0, 3: 0, 4: 0")});
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(AdministratorTool, KeywordButtonsWorkOnTheNamedFiles) {
    TfrmAdministratorTool& tool = Open();
    WriteFile(tool.Edit1->text(), "A00 cholera, vibrio\r\nA001 bad\r\n");
    QTest::mouseClick(tool.Button15, Qt::LeftButton);
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("Invalid line 2 (error code definition): A001 bad")});
    EXPECT_EQ(ReadFile(tool.Edit1->text() + QStringLiteral("-New.txt")),
              QByteArray("A00      cholera, vibrio,\r\n"));

    tool.CheckBox7->setChecked(true);
    QTest::mouseClick(tool.Button4, Qt::LeftButton); // loader messages of the reload go to boxes too
    EXPECT_EQ(ReadFile(tool.Edit2->text()), QByteArray("A00      Cholera, Vibrio,\r\n"));
    EXPECT_EQ(ReadFile(tool.Edit3->text()), QByteArray("Cholera\r\nVibrio\r\n"));
    QTest::mouseClick(tool.Button16, Qt::LeftButton);
    EXPECT_EQ(ReadFile(tool.Edit2->text() + QStringLiteral("-Verify.txt")),
              QByteArray("Cholera\r\n         A00\r\nVibrio\r\n         A00\r\n"));
}

TEST_F(AdministratorTool, CodeTextButtonsCountAndWrite) {
    TfrmAdministratorTool& tool = Open();
    tool.PageControl1->setCurrentWidget(tool.TabSheet5);
    int withCommas = -1, withoutCommas = -1;
    for (const bool comma : {true, false}) {
        tool.CheckBox6->setChecked(comma);
        QTest::mouseClick(tool.Button13, Qt::LeftButton);
        const QString label = tool.Label7->text();
        ASSERT_TRUE(label.startsWith(QStringLiteral("UnArrangedKW number: "))) << label.toStdString();
        (comma ? withCommas : withoutCommas) = label.mid(21).toInt();
    }
    // Without commas every text line counts one, the INCLUDES headings none.
    const QStringList lines = QString::fromUtf8(ReadFile(tool.Edit9->text())).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const int headings = static_cast<int>(lines.count(QStringLiteral("         INCLUDES")));
    const int textLines = static_cast<int>(lines.size()) - headings;
    EXPECT_GT(headings, 0);
    EXPECT_EQ(withoutCommas, textLines);
    EXPECT_GT(withCommas, withoutCommas);

    QTest::mouseClick(tool.Button14, Qt::LeftButton);
    EXPECT_FALSE(ReadFile(tool.Edit10->text()).isEmpty());
    EXPECT_TRUE(Shown().isEmpty());
}

} // namespace
