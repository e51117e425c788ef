#include "Favorites.h"

#include "Accounts.h"
#include "BrowserHelpers.h"
#include "CodeQueries.h"
#include "EngineGlobals.h"
#include "MessageService.h"
#include "ModalResults.h"
#include "Waiting.h"
#include "WindowStyle.h"
#include "ui_Favorites.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

enum TColumn { kCodeColumn = 0, kDescColumn = 1 };
constexpr int kKnownRole = Qt::UserRole + 1;
constexpr int kRowHeight = 22;
// A code the edition does not know: grey, yet readable (about 6:1 on white).
const QColor kUnknownText(96, 96, 96);

QString NotInEdition() {
    return QStringLiteral("(not in the %1 edition of the classification)").arg(DataYear);
}

} // namespace

TfrmFavorites::TfrmFavorites(TMessageService& AMessages, TFavoriteKW& AAccount,
                             TCodeOpener AOpenCode, QWidget* AParent)
    : QDialog(AParent, SearchWindowFlags),
      FUi(new Ui::TfrmFavorites), FMessages(AMessages), FAccount(AAccount),
      FOpenCode(AOpenCode ? std::move(AOpenCode) : DefaultCodeOpener(AMessages)) {
    FUi->setupUi(this);
    SetUpSearchFrame(this, QSize(900, 560));
    SetUpLook();

    connect(FUi->btnView, &QPushButton::clicked, this, &TfrmFavorites::ViewCode);
    connect(FUi->btnRemove, &QPushButton::clicked, this, &TfrmFavorites::RemoveCode);
    connect(FUi->btnClose, &QPushButton::clicked, this, [this] { done(TSearchResult::Back); });
    FUi->ListView1->installEventFilter(this);
    FUi->ListView1->viewport()->installEventFilter(this);

    {
        // The descriptions come from the tabular list.
        const TWaitForDataSet wait(TabularLoadState);
    }
    FillList();
    FUi->ListView1->setFocus();
}

TfrmFavorites::~TfrmFavorites() = default;

void TfrmFavorites::SetUpLook() {
    PaintAsBar(FUi->plTitle);
    PaintAsBar(FUi->Panel4);
    FUi->plTitle->setFont(TahomaFont(29));
    FUi->plTitle->setText(QStringLiteral("Favorite Codes of ") + FAccount.FUserName);
    for (QLabel* label : {FUi->lblStatus, FUi->lbCount})
        label->setFont(TahomaFont(13));
    SetTextColor(FUi->lblStatus, TColors::Navy);
    QTreeWidget* list = FUi->ListView1;
    list->setFont(PixelFont(QStringLiteral("Courier New"), 14));
    list->header()->setFont(TahomaFont(13));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QHeaderView* header = list->header();
    header->setStretchLastSection(true);
    header->setSectionsMovable(false);
    header->resizeSection(kCodeColumn, 110);
}

void TfrmFavorites::FillList(const QString& ACode) {
    QTreeWidget* list = FUi->ListView1;
    const int before = list->currentIndex().isValid() ? list->currentIndex().row() : 0;
    list->clear();
    const QStringList codes = FAccount.FavoriteCodes();
    QTreeWidgetItem* keep = nullptr;
    for (const QString& code : codes) {
        QString description;
        const bool known = DescribeCode(code, description);
        auto* item = new QTreeWidgetItem(list, {code, known ? description : NotInEdition()});
        item->setData(kCodeColumn, Qt::UserRole, code);
        item->setData(kCodeColumn, kKnownRole, known);
        item->setForeground(kCodeColumn, known ? TColors::Green : kUnknownText);
        item->setForeground(kDescColumn, known ? TColors::WindowText : kUnknownText);
        item->setSizeHint(kCodeColumn, QSize(0, kRowHeight));
        if (!known) {
            QFont italic = list->font();
            italic.setItalic(true);
            item->setFont(kDescColumn, italic);
        }
        item->setToolTip(kDescColumn, item->text(kDescColumn));
        if (code == ACode)
            keep = item;
    }
    if (!keep && list->topLevelItemCount() > 0)
        keep = list->topLevelItem(std::min(before, list->topLevelItemCount() - 1));
    if (keep)
        list->setCurrentItem(keep);
    FUi->lbCount->setText(QStringLiteral("Codes: %1").arg(codes.size()));
    FUi->btnView->setEnabled(!codes.isEmpty());
    FUi->btnRemove->setEnabled(!codes.isEmpty());
    ShowStatus(codes.isEmpty() ? QStringLiteral("No favorite codes yet: add them in the code "
                                                "viewer with Ctrl+D.")
                               : QString());
}

QString TfrmFavorites::SelectedCode() const {
    const QList<QTreeWidgetItem*> selected = FUi->ListView1->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->data(kCodeColumn, Qt::UserRole).toString();
}

void TfrmFavorites::ViewCode() {
    const QList<QTreeWidgetItem*> selected = FUi->ListView1->selectedItems();
    if (selected.isEmpty()) {
        ShowStatus(QStringLiteral("Select a code first."));
        return;
    }
    const QString code = selected.first()->data(kCodeColumn, Qt::UserRole).toString();
    if (!selected.first()->data(kCodeColumn, kKnownRole).toBool()) {
        ShowStatus(QStringLiteral("%1 is not in the %2 edition.").arg(code, DataYear));
        return;
    }
    if (FOpenCode(this, code) == TSearchResult::Quit) {
        done(TSearchResult::Quit);
        return;
    }
    // The viewer may have added codes (Ctrl+D).
    FillList(code);
}

void TfrmFavorites::RemoveCode() {
    QTreeWidget* list = FUi->ListView1;
    const QString code = SelectedCode();
    if (code.isEmpty()) {
        ShowStatus(QStringLiteral("Select a code first."));
        return;
    }
    // The row that takes the removed one's place stays selected.
    const int row = list->indexOfTopLevelItem(list->selectedItems().first());
    QTreeWidgetItem* next = list->topLevelItem(row + 1) ? list->topLevelItem(row + 1) : list->topLevelItem(row - 1);
    const QString nextCode = next ? next->data(kCodeColumn, Qt::UserRole).toString() : QString();
    try {
        FAccount.RemoveFavoriteCode(code);
    } catch (const TAccountFileError& error) {
        FMessages.Information(this, QStringLiteral("The favorite codes could not be saved.\n\n%1")
                                        .arg(QString::fromStdString(error.what())));
        return;
    }
    FillList(nextCode);
    if (!nextCode.isEmpty() || list->topLevelItemCount() > 0)
        ShowStatus(QStringLiteral("%1 removed.").arg(code));
}

void TfrmFavorites::ShowStatus(const QString& AText) {
    FUi->lblStatus->setText(AText);
    FUi->lblStatus->setToolTip(AText);
}

bool TfrmFavorites::eventFilter(QObject* AWatched, QEvent* AEvent) {
    QTreeWidget* list = FUi->ListView1;
    if (AWatched == list && AEvent->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(AEvent)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            ViewCode();
            return true;
        case Qt::Key_Delete:
            RemoveCode();
            return true;
        case Qt::Key_F12:
            if (AskQuitProgram(FMessages, this))
                done(TSearchResult::Quit);
            return true;
        default:
            break;
        }
    }
    if (AWatched == list->viewport() && AEvent->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(AEvent)->button() == Qt::LeftButton) {
        if (QTreeWidgetItem* item = list->itemAt(static_cast<QMouseEvent*>(AEvent)->position().toPoint())) {
            list->setCurrentItem(item);
            ViewCode();
        }
        return true;
    }
    return QDialog::eventFilter(AWatched, AEvent);
}

void TfrmFavorites::reject() {
    done(TSearchResult::Back);
}
