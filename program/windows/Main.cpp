#include "Main.h"

#include "AccountLogin.h"
#include "Accounts.h"
#include "DataEngine.h"
#include "Edition.h"
#include "EngineGlobals.h"
#include "MessageService.h"
#include "ModalResults.h"
#include "ScreenFit.h"
#include "SearchHistory.h"
#include "Settings.h"
#include "WindowStyle.h"
#include "ui_Main.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>

#include <algorithm>

namespace {
const QString kNotAvailable = QStringLiteral("This window is not available yet.");
const QString kFavoritePrefix = QStringLiteral("Favorite Codes of ");
} // namespace

TfrmMain::TfrmMain(TMessageService& AMessages, QWidget* AParent)
    : QWidget(AParent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      FUi(new Ui::TfrmMain), FMessages(AMessages),
      FWindowFactory([this](TSearchWindow AKind) { return CreateSearchWindow(AKind, FMessages); }),
      FOpenUrl([](const QUrl& AUrl) { QDesktopServices::openUrl(AUrl); }) {
    FUi->setupUi(this);
    SetCaptionAndIcon(this);
    setFixedSize(1167, 691);
    CentreOnScreen(this);

    LoadBackground();
    SetUpFonts();

    ReadProgramSettings();
    ReadUserSettings();
    FUi->lbVersion->setText(QLatin1Char(' ') + DataYear + QLatin1Char(' '));
    ShowEffectiveDate();
    FUi->CheckBox1->setChecked(FullScreen == 1);
    LoadSearchHistory();
    ShowCurrentAccount();
    for (QLabel* label : findChildren<QLabel*>())
        label->adjustSize();
    FUi->CheckBox1->adjustSize();
    PlaceYearAfterDate();

    // After the places and sizes above: on a screen too small for the window its controls scroll.
    ScrollWhenTooLarge(this, QSize(1167, 691));

    for (QLabel* link :
         {FUi->lbDisease, FUi->lbExternal, FUi->lbDrugs, FUi->lbNeoplasms, FUi->lbKeyWords,
          FUi->lbFind, FUi->lbChapters, FUi->lbFavorite, FUi->lbWeb, FUi->lbEMail, FUi->Label4})
        link->installEventFilter(this);
    connect(FUi->CheckBox1, &QCheckBox::clicked, this, &TfrmMain::CheckBox1Click);
    connect(FUi->Button3, &QPushButton::clicked, this, &TfrmMain::Button3Click);
    connect(FUi->Button4, &QPushButton::clicked, this, &TfrmMain::Button4Click);
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::LoadBackground() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, TColors::BtnFace);
    FBackground = QPixmap(ProgramFolder + QStringLiteral("Background.bmp"));
    if (!FBackground.isNull())
        palette.setBrush(QPalette::Window, QBrush(TColors::BtnFace, FBackground));
    setPalette(palette);
    setAutoFillBackground(true);
}

void TfrmMain::SetUpFonts() {
    struct TLook {
        QWidget* Widget;
        int Height;
        QColor Color;
        bool Italic;
    };
    const TLook looks[] = {
        {FUi->Label4, 48, TColors::WindowText, false},
        {FUi->Label1, 20, TColors::Navy, false},
        {FUi->lbVersion, 20, TColors::Navy, false},
        {FUi->Label2, 20, TColors::Navy, false},
        {FUi->Label3, 20, TColors::Navy, false},
        {FUi->lbYear, 20, TColors::Navy, false},
        {FUi->lbCompany, 15, TColors::Green, true},
        {FUi->Label7, 13, TColors::Green, false},
        {FUi->lbWeb, 15, TColors::Green, true},
        {FUi->Label8, 13, TColors::Green, false},
        {FUi->lbEMail, 15, TColors::Green, true},
        {FUi->CheckBox1, 13, TColors::WindowText, false},
        {FUi->lbAlphabetical, 32, TColors::Blue, false},
        {FUi->lbDisease, 29, TColors::Navy, false},
        {FUi->lbExternal, 29, TColors::Navy, false},
        {FUi->lbDrugs, 29, TColors::Navy, false},
        {FUi->lbNeoplasms, 29, TColors::Navy, false},
        {FUi->lbKeyWords, 32, TColors::Blue, false},
        {FUi->lbFind, 32, TColors::Blue, false},
        {FUi->lbChapters, 32, TColors::Blue, false},
        {FUi->lbFavorite, 32, TColors::Blue, false},
        {FUi->Button3, 13, TColors::WindowText, false},
        {FUi->Button4, 13, TColors::WindowText, false},
    };
    setFont(TahomaFont(13));
    for (const TLook& look : looks) {
        look.Widget->setFont(TahomaFont(look.Height, true, look.Italic));
        SetTextColor(look.Widget, look.Color);
    }
}

void TfrmMain::ShowEffectiveDate() {
    // "Effective Date: Oct 1 " and the year before the edition's, unless the edition file says
    // another day (an update in force from April, say).
    const QDate date = CurrentEditionFacts().EffectiveDate;
    FUi->Label3->setText(QStringLiteral("Effective Date: %1 ")
                             .arg(QLocale::c().toString(date, QStringLiteral("MMM d"))));
    FUi->lbYear->setText(QString::number(date.year()));
}

void TfrmMain::PlaceYearAfterDate() {
    // The year follows "Effective Date: Oct 1" after two blanks, whatever the font's widths:
    // one narrow blank made "Oct 1 2022" read as "Oct 12022".
    const QLabel* date = FUi->Label3;
    const QFontMetrics metrics(date->font());
    const int dateEnd = date->x() + date->contentsRect().left() +
                        metrics.horizontalAdvance(date->text().trimmed());
    const int yearLeft = dateEnd + metrics.horizontalAdvance(QStringLiteral("  "));
    FUi->lbYear->move(std::max(FUi->lbYear->x(), yearLeft), FUi->lbYear->y());
}

QColor TfrmMain::RestingColor(const QLabel* ALabel) const {
    if (ALabel == FUi->lbWeb || ALabel == FUi->lbEMail)
        return TColors::Green;
    if (ALabel == FUi->lbChapters || ALabel == FUi->lbKeyWords || ALabel == FUi->lbFind ||
        ALabel == FUi->lbFavorite)
        return TColors::Blue;
    return TColors::Navy;
}

bool TfrmMain::eventFilter(QObject* AWatched, QEvent* AEvent) {
    auto* label = qobject_cast<QLabel*>(AWatched);
    if (!label)
        return QWidget::eventFilter(AWatched, AEvent);
    const bool isTitle = label == FUi->Label4;
    switch (AEvent->type()) {
    case QEvent::Enter:
        if (!isTitle) {
            label->setCursor(Qt::PointingHandCursor);
            SetTextColor(label, TColors::Fuchsia);
        }
        break;
    case QEvent::Leave:
        if (!isTitle) {
            label->unsetCursor();
            SetTextColor(label, RestingColor(label));
        }
        break;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(AEvent)->button() == Qt::LeftButton)
            FPressedLink = label;
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(AEvent);
        const bool click = mouse->button() == Qt::LeftButton && FPressedLink == label &&
                           label->rect().contains(mouse->position().toPoint());
        FPressedLink = nullptr;
        if (click && !isTitle) {
            LinkClicked(label);
            return true;
        }
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (isTitle && static_cast<QMouseEvent*>(AEvent)->button() == Qt::LeftButton) {
            OpenAdministratorTool();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(AWatched, AEvent);
}

void TfrmMain::LinkClicked(QLabel* ALabel) {
    if (ALabel == FUi->lbDisease)
        OpenSearchWindow(TSearchWindow::DiseaseIndex);
    else if (ALabel == FUi->lbExternal)
        OpenSearchWindow(TSearchWindow::ExternalIndex);
    else if (ALabel == FUi->lbDrugs)
        OpenSearchWindow(TSearchWindow::DrugTable);
    else if (ALabel == FUi->lbNeoplasms)
        OpenSearchWindow(TSearchWindow::NeoplasmTable);
    else if (ALabel == FUi->lbKeyWords)
        OpenSearchWindow(TSearchWindow::KeywordSearch);
    else if (ALabel == FUi->lbFind)
        OpenSearchWindow(TSearchWindow::FindCode);
    else if (ALabel == FUi->lbChapters)
        OpenSearchWindow(TSearchWindow::ChapterBrowser);
    else if (ALabel == FUi->lbWeb)
        OpenAddress(ALabel, QStringLiteral("http://%1"));
    else if (ALabel == FUi->lbEMail)
        OpenAddress(ALabel, QStringLiteral("mailto:%1"));
    else if (ALabel == FUi->lbFavorite)
        OpenFavorites();
}

void TfrmMain::OpenFavorites() {
    if (!CurrentAccount) {
        // The list belongs to an account: offer the way to one.
        const bool none = AccountList->empty();
        const QString question =
            none ? QStringLiteral("Favorite codes are kept in a user account, and there is none "
                                  "yet. Create one now?")
                 : QStringLiteral("Favorite codes are kept in a user account, and nobody is "
                                  "logged in. Log in now?");
        if (!FMessages.Question(this, question, QStringLiteral("Favorite Codes"), QMessageBox::Yes))
            return;
        if (none)
            Button3Click();
        else
            Button4Click();
        if (!CurrentAccount)
            return;
    }
    OpenSearchWindow(TSearchWindow::Favorites);
}

void TfrmMain::OpenSearchWindow(TSearchWindow AKind) {
    std::unique_ptr<QDialog> window = FWindowFactory ? FWindowFactory(AKind) : nullptr;
    if (!window) {
        FMessages.Information(this, kNotAvailable);
        return;
    }
    hide();
    const int result = window->exec();
    window.reset();
    if (result == TSearchResult::Quit)
        close();
    else
        show();
}

void TfrmMain::OpenAdministratorTool() {
    if (IsAdmin != 1)
        return;
    std::unique_ptr<QDialog> tool =
        FWindowFactory ? FWindowFactory(TSearchWindow::AdministratorTool) : nullptr;
    if (!tool) {
        FMessages.Information(this, kNotAvailable);
        return;
    }
    tool->exec();
}

void TfrmMain::OpenAddress(QLabel* ALabel, const QString& AScheme) {
    const QString address = ALabel->text().trimmed();
    if (address.isEmpty())
        return;
    FOpenUrl(QUrl(AScheme.arg(address)));
}

void TfrmMain::CheckBox1Click(bool AChecked) {
    FullScreen = AChecked ? 1 : 0;
    WriteUserSettings();
}

void TfrmMain::Button3Click() {
    TFormAccountLogin dialog(FMessages, *AccountList, SharedDataFolder, this);
    dialog.FType = TAccountDialog::NewAccount;
    if (dialog.exec() != TDialogResult::Ok)
        return;
    std::unique_ptr<TFavoriteKW> account;
    try {
        account = std::make_unique<TFavoriteKW>(dialog.Edit2->text(), dialog.Edit1->text(),
                                                SharedDataFolder, FPasswordCost);
        account->SaveKWs();
    } catch (const TAccountFileError& error) {
        FMessages.Information(this, QStringLiteral("The account could not be saved.\n\n%1")
                                        .arg(QString::fromStdString(error.what())));
        return;
    }
    CurrentAccount = account.get();
    AccountList->push_back(std::move(account));
    ShowCurrentAccount();
}

void TfrmMain::Button4Click() {
    TFormAccountLogin dialog(FMessages, *AccountList, SharedDataFolder, this);
    dialog.FType = TAccountDialog::Login;
    dialog.FPasswordCost = FPasswordCost;
    if (dialog.exec() != TDialogResult::Ok)
        return;
    const int index = dialog.ComboBox1->currentIndex();
    if (index < 0 || index >= static_cast<int>(AccountList->size()))
        return;
    CurrentAccount = (*AccountList)[static_cast<std::size_t>(index)].get();
    ShowCurrentAccount();
}

void TfrmMain::ShowCurrentAccount() {
    FUi->lbFavorite->setText(CurrentAccount ? kFavoritePrefix + CurrentAccount->FUserName
                                            : QStringLiteral("Favorite  Codes"));
    FUi->lbFavorite->adjustSize();
}

void TfrmMain::closeEvent(QCloseEvent* AEvent) {
    StopLoaders();
    SaveSearchHistory();
    QWidget::closeEvent(AEvent);
}
