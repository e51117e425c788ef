// TfrmMain: the program's main form and start screen. It shows the product, edition and vendor
// on a tiled background picture, opens the search windows from its text links, keeps the
// "Full Screen Show Text" setting, creates accounts, logs users in and opens the logged-in user's
// favourite codes ("Favorite Codes"), and loads the search history at creation and saves it when
// it closes. Closing it asks the loaders to stop and ends the run.
#pragma once

#include "PasswordHash.h"
#include "SearchWindows.h"

#include <QPixmap>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class TfrmMain;
}
class TMessageService;
class QLabel;

class TfrmMain : public QWidget {
    Q_OBJECT

public:
    using TUrlOpener = std::function<void(const QUrl& AUrl)>;

    // Reads the settings and the search history; the background picture comes from
    // ProgramFolder + "Background.bmp" when it is there.
    explicit TfrmMain(TMessageService& AMessages, QWidget* AParent = nullptr);
    ~TfrmMain() override;

    // Where the links' windows come from (default: CreateSearchWindow).
    void SetWindowFactory(TSearchWindowFactory AFactory) { FWindowFactory = std::move(AFactory); }
    // How web and mail addresses are opened (default: the desktop's URL handler).
    void SetUrlOpener(TUrlOpener AOpener) { FOpenUrl = std::move(AOpener); }
    // The limits of the password lines written for new accounts and at login (default:
    // ProgramPasswordCost).
    void SetPasswordCost(const TPasswordCost& ACost) { FPasswordCost = ACost; }

    // The background picture; null when Background.bmp was missing or unreadable.
    const QPixmap& Background() const { return FBackground; }

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;
    void closeEvent(QCloseEvent* AEvent) override;

private:
    void SetUpFonts();
    void LoadBackground();
    void LinkClicked(QLabel* ALabel);
    void OpenSearchWindow(TSearchWindow AKind);
    void OpenAdministratorTool();
    void OpenAddress(QLabel* ALabel, const QString& AScheme);
    void CheckBox1Click(bool AChecked);
    void Button3Click();
    void Button4Click();
    void ShowCurrentAccount();
    // "Favorite Codes": the logged-in user's list; with nobody logged in, offers Login (or New
    // Account when there is no account) first.
    void OpenFavorites();
    QColor RestingColor(const QLabel* ALabel) const;
    // Label3 and lbYear: the effective date of the edition in use.
    void ShowEffectiveDate();
    void PlaceYearAfterDate();

    std::unique_ptr<Ui::TfrmMain> FUi;
    TMessageService& FMessages;
    TSearchWindowFactory FWindowFactory;
    TUrlOpener FOpenUrl;
    TPasswordCost FPasswordCost = ProgramPasswordCost;
    QPixmap FBackground;
    QLabel* FPressedLink = nullptr;
};
