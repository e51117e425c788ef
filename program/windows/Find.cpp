#include "Find.h"

#include "BrowserHelpers.h"
#include "EngineGlobals.h"
#include "FindIndexJob.h"
#include "MessageService.h"
#include "ModalResults.h"
#include "ScreenFit.h"
#include "Waiting.h"
#include "WindowStyle.h"
#include "ui_Find.h"

#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>

namespace {

enum TColumn { kCodeColumn = 0, kMarkColumn, kDescColumn, kMoreColumn, kCategoryColumn };

const QString kIndexMissing =
    QStringLiteral("The search index of Find could not be built, so Find finds nothing in this "
                   "run. The other searches work as usual.");
const QString kLegend =
    QStringLiteral("\u2713 reportable code     +N other 7th characters of the code");
const QString kCorrectedLink = QStringLiteral("typed");

QFont ListFont() {
    return PixelFont(QStringLiteral("Courier New"), 14);
}

QString CodeOfItem(const QTreeWidgetItem* AItem) {
    return AItem ? AItem->data(kCodeColumn, Qt::UserRole).toString() : QString();
}

bool IsEnter(const QKeyEvent* AKey) {
    return AKey->key() == Qt::Key_Return || AKey->key() == Qt::Key_Enter;
}

} // namespace

TfrmFind::TfrmFind(TMessageService& AMessages, TCodeOpener AOpenCode, QWidget* AParent)
    : QDialog(AParent, SearchWindowFlags),
      FUi(new Ui::TfrmFind), FMessages(AMessages),
      FOpenCode(AOpenCode ? std::move(AOpenCode) : DefaultCodeOpener(AMessages)) {
    FUi->setupUi(this);
    SetUpSearchWindow(this);
    SetUpLook();

    FTypingPause.setSingleShot(true);
    FTypingPause.setInterval(TypingPauseMs);
    connect(&FTypingPause, &QTimer::timeout, this, &TfrmFind::SearchNow);
    connect(FUi->edtFind, &QLineEdit::textChanged, this, &TfrmFind::TextEdited);
    connect(FUi->lblCorrection, &QLabel::linkActivated, this, &TfrmFind::SearchAsTyped);
    connect(FUi->btnBack, &QPushButton::clicked, this, [this] { done(TSearchResult::Back); });
    connect(FUi->btnView, &QPushButton::clicked, this, [this] { OpenCode(SelectedCode()); });
    connect(FUi->btnCopy, &QPushButton::clicked, this, &TfrmFind::CopyCode);
    // Ctrl+F here goes back to the search box with its words selected, ready for new ones.
    auto* again = new QShortcut(QKeySequence::Find, this);
    connect(again, &QShortcut::activated, this, [this] {
        FUi->edtFind->setFocus();
        FUi->edtFind->selectAll();
    });

    FUi->edtFind->installEventFilter(this);
    FUi->lvResults->installEventFilter(this);
    FUi->lvResults->viewport()->installEventFilter(this);
    // Narrower than designed (maximised on a small screen), the status and the legend take less
    // room.
    (new TBarFit(FUi->Panel1, 1167))->Add(FUi->lblStatus, TBarFit::TRule::Shrink);
    (new TBarFit(FUi->Panel4, 1167))->Add(FUi->lblLegend, TBarFit::TRule::Shrink);
}

TfrmFind::~TfrmFind() = default;

void TfrmFind::SetUpLook() {
    PaintAsBar(FUi->plTitle);
    PaintAsBar(FUi->Panel1);
    PaintAsBar(FUi->Panel4);
    FUi->plTitle->setFont(TahomaFont(29));
    for (QLabel* label : {FUi->lbFind, FUi->lblStatus})
        label->setFont(TahomaFont(14));
    FUi->edtFind->setFont(TahomaFont(16, false));
    FUi->edtFind->setPlaceholderText(
        QStringLiteral("words, a term or a code: heart attack, type 2 diabetes, copd, e11.9"));
    FUi->edtFind->setClearButtonEnabled(true);
    SetTextColor(FUi->lblStatus, TColors::Navy);

    FUi->lblCorrection->setFont(TahomaFont(14));
    SetBackgroundColor(FUi->lblCorrection, TColors::InfoBk);
    FUi->lblCorrection->hide();

    // The buttons leave the focus where the typing is.
    for (QPushButton* button : {FUi->btnBack, FUi->btnView, FUi->btnCopy}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setFont(TahomaFont(13));
    }
    FUi->lblLegend->setFont(TahomaFont(13, false));
    FUi->lblLegend->setText(kLegend);

    QTreeWidget* list = FUi->lvResults;
    list->setFont(ListFont());
    list->header()->setFont(TahomaFont(13));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The selected row stays plainly marked while the typing goes on in the box.
    QPalette palette = list->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    list->setPalette(palette);
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    const int charWidth = QFontMetrics(ListFont()).horizontalAdvance(QLatin1Char('M'));
    const struct {
        TColumn Column;
        int Chars; // 0: takes the room the others leave
    } widths[] = {{kCodeColumn, 10}, {kMarkColumn, 3}, {kDescColumn, 0}, {kMoreColumn, 5},
                  {kCategoryColumn, 36}};
    list->headerItem()->setToolTip(kMarkColumn, QStringLiteral("\u2713 marks a reportable code"));
    list->headerItem()->setToolTip(kMoreColumn,
                                   QStringLiteral("How many other 7th characters the code has"));
    for (const auto& width : widths) {
        header->setSectionResizeMode(width.Column,
                                     width.Chars ? QHeaderView::Fixed : QHeaderView::Stretch);
        if (width.Chars)
            header->resizeSection(width.Column, width.Chars * charWidth);
    }
}

void TfrmFind::reject() {
    done(TSearchResult::Back);
}

void TfrmFind::SetSearchText(const QString& AText) {
    FUi->edtFind->setText(AText);
}

void TfrmFind::showEvent(QShowEvent* AEvent) {
    QDialog::showEvent(AEvent);
    if (FShown)
        return;
    FShown = true;
    OpenIndex();
    SearchNow();
    FUi->edtFind->setFocus();
}

void TfrmFind::OpenIndex() {
    {
        const TWaitForDataSet wait(FindIndexLoadState);
    }
    FIndex = FindIndex();
    if (!FIndex)
        FMessages.Information(this, kIndexMissing);
}

void TfrmFind::TextEdited() {
    FTypingPause.start();
}

void TfrmFind::SearchNow() {
    FTypingPause.stop();
    Search(FUi->edtFind->text().simplified(), true);
}

void TfrmFind::SearchAsTyped() {
    FTypingPause.stop();
    Search(FResult.Query, false);
    FUi->edtFind->setFocus();
}

void TfrmFind::Search(const QString& AQuery, bool ACorrect) {
    if (FIndex && !AQuery.isEmpty()) {
        FResult = FIndex->Find(AQuery, ResultLimit, ACorrect);
    } else {
        FResult = TFindResult();
        FResult.Query = AQuery;
    }
    FillList();
    ShowCorrection();
    ShowStatus();
}

void TfrmFind::FillList() {
    QTreeWidget* list = FUi->lvResults;
    const QColor codeColour = list->palette().color(QPalette::Active, QPalette::Highlight);
    list->setUpdatesEnabled(false);
    list->clear();
    for (const TFindHit& hit : FResult.Hits) {
        const QString category = hit.CategoryCode + QLatin1Char(' ') + hit.CategoryTitle;
        const QString more = hit.Collapsed > 0 ? QStringLiteral("+%1").arg(hit.Collapsed) : QString();
        auto* item = new QTreeWidgetItem(
            list, {hit.Code, hit.Reportable ? QStringLiteral("\u2713") : QString(),
                   hit.Description, more, category});
        item->setData(kCodeColumn, Qt::UserRole, hit.Code);
        item->setForeground(kCodeColumn, codeColour);
        item->setForeground(kMarkColumn, TColors::Green);
        item->setForeground(kMoreColumn, TColors::Teal);
        item->setForeground(kCategoryColumn, TColors::Navy);
        item->setTextAlignment(kMarkColumn, Qt::AlignCenter);
        item->setTextAlignment(kMoreColumn, Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(kDescColumn, hit.Description);
        item->setToolTip(kCategoryColumn, category);
        if (hit.Reportable)
            item->setToolTip(kMarkColumn, QStringLiteral("A reportable code"));
        if (hit.Collapsed > 0)
            item->setToolTip(kMoreColumn, QStringLiteral("%1 more codes of %2 with another 7th "
                                                         "character")
                                              .arg(hit.Collapsed)
                                              .arg(hit.Code.left(hit.Code.size() - 1)));
    }
    // The first row is what Enter in the box opens: show it selected.
    if (QTreeWidgetItem* first = list->topLevelItem(0))
        list->setCurrentItem(first);
    list->scrollToTop();
    list->setUpdatesEnabled(true);
    FUi->lblLegend->setText(kLegend);
}

void TfrmFind::ShowCorrection() {
    QLabel* line = FUi->lblCorrection;
    if (FResult.Corrected.isEmpty()) {
        line->clear();
        line->hide();
        return;
    }
    line->setText(QStringLiteral("Showing results for <b><i>%1</i></b> \u2014 search instead for "
                                 "<a href=\"%2\">%3</a>")
                      .arg(FResult.Corrected.toHtmlEscaped(), kCorrectedLink,
                           FResult.Query.toHtmlEscaped()));
    line->show();
}

void TfrmFind::ShowStatus() {
    QString text;
    const qsizetype count = FResult.Hits.size();
    if (!FIndex)
        text = QStringLiteral("The search index is not available");
    else if (!FResult.Error.isEmpty())
        text = QStringLiteral("The search index failed: %1").arg(FResult.Error);
    else if (FResult.Query.isEmpty())
        text = QStringLiteral("Type a few words, a term or a code");
    else if (count == 0)
        text = QStringLiteral("No code found for \"%1\"")
                   .arg(FResult.Corrected.isEmpty() ? FResult.Query : FResult.Corrected);
    else if (count >= ResultLimit)
        text = QStringLiteral("The %1 best codes").arg(count);
    else
        text = count == 1 ? QStringLiteral("1 code found") : QStringLiteral("%1 codes found").arg(count);
    FUi->lblStatus->setToolTip(text);
    FUi->lblStatus->setText(
        FUi->lblStatus->fontMetrics().elidedText(text, Qt::ElideRight, FUi->lblStatus->width()));
}

QString TfrmFind::SelectedCode() const {
    const QList<QTreeWidgetItem*> selected = FUi->lvResults->selectedItems();
    return CodeOfItem(selected.isEmpty() ? FUi->lvResults->topLevelItem(0) : selected.first());
}

void TfrmFind::OpenCode(const QString& ACode) {
    if (ACode.isEmpty())
        return;
    QWidget* focus = focusWidget();
    if (FOpenCode(this, ACode) == TSearchResult::Quit) {
        done(TSearchResult::Quit);
        return;
    }
    if (focus)
        focus->setFocus();
}

void TfrmFind::CopyCode() {
    const QString code = SelectedCode();
    if (code.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(code);
    FUi->lblLegend->setText(QStringLiteral("%1 copied to the clipboard").arg(code));
}

bool TfrmFind::HandleBoxKey(const QKeyEvent* AKey) {
    QTreeWidget* list = FUi->lvResults;
    if (AKey->key() == Qt::Key_Down || AKey->key() == Qt::Key_PageDown) {
        if (SearchPending())
            SearchNow();
        if (QTreeWidgetItem* first = list->topLevelItem(0)) {
            list->setCurrentItem(first);
            list->setFocus();
        }
        return true;
    }
    if (IsEnter(AKey)) {
        if (SearchPending())
            SearchNow();
        OpenCode(CodeOfItem(list->topLevelItem(0)));
        return true;
    }
    // Ctrl+C copies the box's own selected words when there are any, else the first code.
    if (AKey->matches(QKeySequence::Copy) && !FUi->edtFind->hasSelectedText()) {
        if (SearchPending())
            SearchNow();
        if (QTreeWidgetItem* first = list->topLevelItem(0))
            list->setCurrentItem(first);
        CopyCode();
        return true;
    }
    return HandleWindowKey(AKey);
}

bool TfrmFind::HandleListKey(const QKeyEvent* AKey) {
    QTreeWidget* list = FUi->lvResults;
    if (AKey->key() == Qt::Key_Up && list->currentItem() == list->topLevelItem(0)) {
        FUi->edtFind->setFocus();
        return true;
    }
    if (IsEnter(AKey)) {
        OpenCode(SelectedCode());
        return true;
    }
    if (AKey->matches(QKeySequence::Copy)) {
        CopyCode();
        return true;
    }
    if (HandleWindowKey(AKey))
        return true;
    // Typing in the list goes on in the box, so a word can be added without going back first.
    const bool plain = !(AKey->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    const QString text = AKey->text();
    if (plain && AKey->key() == Qt::Key_Backspace) {
        FUi->edtFind->setFocus();
        FUi->edtFind->backspace();
        return true;
    }
    if (plain && !text.isEmpty() && text.at(0).isPrint()) {
        FUi->edtFind->setFocus();
        FUi->edtFind->insert(text);
        return true;
    }
    return false;
}

bool TfrmFind::HandleWindowKey(const QKeyEvent* AKey) {
    switch (AKey->key()) {
    case Qt::Key_Escape:
        done(TSearchResult::Back);
        return true;
    case Qt::Key_F12:
        QuitPrompt();
        return true;
    default:
        return false;
    }
}

bool TfrmFind::eventFilter(QObject* AWatched, QEvent* AEvent) {
    if (AEvent->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(AEvent);
        if (AWatched == FUi->edtFind)
            return HandleBoxKey(key) || QDialog::eventFilter(AWatched, AEvent);
        if (AWatched == FUi->lvResults)
            return HandleListKey(key) || QDialog::eventFilter(AWatched, AEvent);
    }
    if (AEvent->type() == QEvent::MouseButtonDblClick && AWatched == FUi->lvResults->viewport()) {
        const auto* mouse = static_cast<const QMouseEvent*>(AEvent);
        if (mouse->button() == Qt::LeftButton) {
            OpenCode(CodeOfItem(FUi->lvResults->itemAt(mouse->position().toPoint())));
            return true;
        }
    }
    return QDialog::eventFilter(AWatched, AEvent);
}

void TfrmFind::QuitPrompt() {
    if (AskQuitProgram(FMessages, this))
        done(TSearchResult::Quit);
}

int RunFindWindow(TMessageService& AMessages, const TCodeOpener& AOpenCode, QWidget* AParent,
                  const QString& AText) {
    TfrmFind window(AMessages, AOpenCode, AParent);
    window.SetSearchText(AText);
    return window.exec();
}

void AddFindShortcut(QDialog* AWindow, TMessageService& AMessages, TCodeOpener AOpenCode) {
    auto* shortcut = new QShortcut(QKeySequence::Find, AWindow);
    shortcut->setObjectName(QStringLiteral("FindShortcut"));
    QObject::connect(shortcut, &QShortcut::activated, AWindow,
                     [AWindow, &AMessages, opener = std::move(AOpenCode)] {
                         if (RunFindWindow(AMessages, opener, AWindow) == TSearchResult::Quit)
                             AWindow->done(TSearchResult::Quit);
                     });
}
