#include "DrugNeopSearch.h"

#include "BrowserHelpers.h"
#include "EngineGlobals.h"
#include "Find.h"
#include "GridHeaderRow.h"
#include "IndexCodeText.h"
#include "IndexSearch.h"
#include "MessageService.h"
#include "Paging.h"
#include "ScreenFit.h"
#include "Waiting.h"
#include "WindowStyle.h"
#include "ui_DrugNeopSearch.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>
#include <array>

namespace {

const int kColumnCount = 8;
const int kTitleColumn = 1;

// The grid's own header texts, one per column.
using THeaderTexts = std::array<const char*, kColumnCount>;
const THeaderTexts kDrugHeaders = {
    "",
    "\r\nSubstance",
    "Poisoning, Accidental unintentional",
    "Poisoning, Intentional self-harm",
    "Poisoning, Assault",
    "Poisoning, Undetermined",
    "Adverse effect",
    "\r\nUnderdosing",
};
const THeaderTexts kNeoplasmHeaders = {
    "",           "",       "Malignant Primary",  "Malignant Secondary",
    "Ca in situ", "Benign", "Uncertain Behavior", "Unspecified Behavior",
};

QTableWidgetItem* TextItem(const QString& AText) {
    auto* item = new QTableWidgetItem(AText);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

TfrmDrugNeopSearch::TfrmDrugNeopSearch(TMessageService& AMessages, TCodeOpener AOpenCode,
                                       QWidget* AParent)
    : QDialog(AParent, SearchWindowFlags),
      FUi(new Ui::TfrmDrugNeopSearch), FMessages(AMessages),
      FOpenCode(AOpenCode ? std::move(AOpenCode) : DefaultCodeOpener(AMessages)) {
    FUi->setupUi(this);
    SetUpSearchWindow(this);

    PaintAsBar(FUi->plTitle);
    PaintAsBar(FUi->Panel1);
    PaintAsBar(FUi->Panel4);
    FUi->plTitle->setFont(TahomaFont(29));
    for (QLabel* label : {FUi->lbLevel, FUi->lbCount, FUi->lbPage})
        label->setFont(TahomaFont(14));
    FUi->edtMain->setFont(TahomaFont(14));
    FUi->TreeView1->setFont(PixelFont(QStringLiteral("Courier New"), 14));
    FUi->btnBack->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));

    QTableWidget* grid = FUi->StringGrid1;
    grid->setFont(PixelFont(QStringLiteral("Courier New"), 13));
    grid->setItemDelegate(new THeaderRowDelegate(grid));
    grid->setWordWrap(false);
    grid->horizontalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    ViewCode1 = PopupMenu1->addAction(QStringLiteral("View Code (F5)"));
    ViewCode1->setObjectName(QStringLiteral("ViewCode1"));
    ViewSubTermS1 = PopupMenu1->addAction(QStringLiteral("View Sub-Term (&F11)"));
    ViewSubTermS1->setObjectName(QStringLiteral("ViewSubTermS1"));
    connect(ViewCode1, &QAction::triggered, this, &TfrmDrugNeopSearch::ViewCode);
    connect(ViewSubTermS1, &QAction::triggered, this, &TfrmDrugNeopSearch::ViewSubTerm);
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TfrmDrugNeopSearch::PopupMenu1Popup);
    connect(grid, &QWidget::customContextMenuRequested, this, &TfrmDrugNeopSearch::ShowPopupMenu);

    connect(FUi->edtMain, &QLineEdit::textChanged, this, &TfrmDrugNeopSearch::EditChanged);
    connect(FUi->Button1, &QPushButton::clicked, FUi->edtMain, &QLineEdit::clear);
    connect(FUi->btnBack, &QPushButton::clicked, this, [this] { done(2); });
    connect(FUi->btnBackMain, &QPushButton::clicked, this, [this] { done(1); });
    connect(FUi->btnPrior, &QPushButton::clicked, this, &TfrmDrugNeopSearch::PriorPage);
    connect(FUi->btnNext, &QPushButton::clicked, this, &TfrmDrugNeopSearch::NextPage);

    FUi->edtMain->installEventFilter(this);
    FUi->TreeView1->installEventFilter(this);
    grid->installEventFilter(this);
    grid->viewport()->installEventFilter(this);
    AddFindShortcut(this, FMessages, FOpenCode);

    // Narrower than designed (maximised on a small screen), the page controls keep to the right.
    auto* bar = new TBarFit(FUi->Panel4, 1167);
    for (QWidget* control : {static_cast<QWidget*>(FUi->btnPrior), static_cast<QWidget*>(FUi->lbPage),
                             static_cast<QWidget*>(FUi->btnNext)})
        bar->Add(control, TBarFit::TRule::Shift);
}

TfrmDrugNeopSearch::~TfrmDrugNeopSearch() = default;

void TfrmDrugNeopSearch::reject() {
    done(2);
}

void TfrmDrugNeopSearch::showEvent(QShowEvent* AEvent) {
    QDialog::showEvent(AEvent);
    if (!FShown) {
        FShown = true;
        FormShow();
    }
}

void TfrmDrugNeopSearch::FormShow() {
    FShowing = true;
    SetHeaderRow();
    if (FType == 4) {
        FUi->plTitle->setText(QStringLiteral("Neoplasms Alphabetical Search"));
        FUi->btnBackMain->setText(QStringLiteral("Back To Level #1"));
    } else {
        FUi->plTitle->setText(QStringLiteral("Drugs & Chemicals Alphabetical Search"));
    }
    Search();
    if (!FCurItem && FItemList.size() == 1) {
        // A table of one main term (the neoplasm table) opens on that term's sub-terms.
        FCurItem = FItemList.first();
        Search();
        FUi->btnBackMain->hide();
    }
    if (FCurItem) {
        FUi->lbLevel->setText(QStringLiteral("#%1 Level Term").arg(FCurItem->FLevel + 1));
        BuildTrail();
    } else {
        FUi->pnlTree->hide();
        FUi->btnBackMain->hide();
    }
    // The grid takes the room of the panels hidden above at once, and the page size follows
    // the grid's height with this table's header row (the resizes before showing did not know
    // the table yet).
    layout()->activate();
    SetColumnWidths();
    FLinesPerPage = LinesPerPageFor(FUi->StringGrid1->viewport()->height() - HeaderHeight(),
                                    DataRowHeight, FLinesPerPage);
    RenderPage();
    FUi->StringGrid1->setFocus();
    FShowing = false;
}

void TfrmDrugNeopSearch::SetHeaderRow() {
    QTableWidget* grid = FUi->StringGrid1;
    grid->setRowCount(1);
    const THeaderTexts& texts = FType == 4 ? kNeoplasmHeaders : kDrugHeaders;
    for (int column = 0; column < kColumnCount; ++column)
        grid->setItem(0, column,
                      TextItem(QString::fromLatin1(texts[static_cast<std::size_t>(column)])));
    grid->setRowHeight(0, HeaderHeight());
}

void TfrmDrugNeopSearch::SetColumnWidths() {
    QTableWidget* grid = FUi->StringGrid1;
    grid->setColumnWidth(0, 20);
    grid->setColumnWidth(kTitleColumn, std::max(100, grid->viewport()->width() - 630));
    for (int column = 2; column < kColumnCount; ++column)
        grid->setColumnWidth(column, 100);
}

void TfrmDrugNeopSearch::BuildTrail() {
    FillTrail(FUi->TreeView1, *FCurItem, false);
}

void TfrmDrugNeopSearch::Search() {
    FItemList = SearchListedTerms(FType, FCurItem, SearchTextOf(FUi->edtMain->text()));
}

void TfrmDrugNeopSearch::RenderPage() {
    const int count = static_cast<int>(FItemList.size());
    const int pages = PageCount(count, FLinesPerPage);
    FCurPage = ClampPage(FCurPage, pages);

    QTableWidget* grid = FUi->StringGrid1;
    const int column = grid->currentColumn() < 0 ? kTitleColumn : grid->currentColumn();
    grid->setUpdatesEnabled(false);
    grid->setRowCount(1);
    grid->setCurrentCell(0, column);
    const int first = (FCurPage - 1) * FLinesPerPage;
    for (int i = first; i < count && i < first + FLinesPerPage; ++i) {
        const TTerm* term = FItemList[i];
        const int row = grid->rowCount();
        grid->insertRow(row);
        grid->setRowHeight(row, DataRowHeight);
        grid->setItem(row, 0,
                      TextItem(term->FSubTermList.empty() ? QString() : QStringLiteral("+")));
        QTableWidgetItem* title = TextItem(term->GetFullTitle(false));
        title->setData(Qt::UserRole,
                       QVariant::fromValue(const_cast<void*>(static_cast<const void*>(term))));
        grid->setItem(row, kTitleColumn, title);
        for (int cell = 0; cell < 6; ++cell)
            grid->setItem(row, cell + 2,
                          TextItem(term->FCodesInCell[static_cast<std::size_t>(cell)]));
    }
    // The first data row is current, never the header row, so Enter and F5 act at once.
    if (grid->rowCount() > 1)
        grid->setCurrentCell(1, column);
    grid->setUpdatesEnabled(true);

    ShowPaging(FUi->lbCount, FUi->lbPage, FUi->btnPrior, FUi->btnNext, count, FCurPage, pages);
}

void TfrmDrugNeopSearch::NextPage() {
    if (FCurPage < PageCount(static_cast<int>(FItemList.size()), FLinesPerPage)) {
        ++FCurPage;
        RenderPage();
    }
}

void TfrmDrugNeopSearch::PriorPage() {
    if (FCurPage > 1) {
        --FCurPage;
        RenderPage();
    }
}

void TfrmDrugNeopSearch::FormResize() {
    SetColumnWidths();
    QTableWidget* grid = FUi->StringGrid1;
    const int row = grid->currentRow();
    const int column = std::max(grid->currentColumn(), 0);
    const int position = PositionOf(FCurPage, FLinesPerPage, row >= 1 ? row - 1 : -1);
    FLinesPerPage =
        LinesPerPageFor(grid->viewport()->height() - HeaderHeight(), DataRowHeight, FLinesPerPage);
    FCurPage = PageOfPosition(position, FLinesPerPage);
    RenderPage();
    const int newRow = IndexOnPage(position, FLinesPerPage) + 1;
    if (newRow < grid->rowCount())
        grid->setCurrentCell(newRow, column);
}

const TTerm* TfrmDrugNeopSearch::CurrentTerm() const {
    const QTableWidget* grid = FUi->StringGrid1;
    if (grid->currentRow() < 1)
        return nullptr;
    const QTableWidgetItem* title = grid->item(grid->currentRow(), kTitleColumn);
    return title ? static_cast<const TTerm*>(title->data(Qt::UserRole).value<void*>()) : nullptr;
}

void TfrmDrugNeopSearch::EnterGrid() {
    QTableWidget* grid = FUi->StringGrid1;
    grid->setFocus();
    if (grid->rowCount() > 1)
        grid->setCurrentCell(1, grid->currentColumn() < 0 ? kTitleColumn : grid->currentColumn());
}

void TfrmDrugNeopSearch::EditChanged() {
    Search();
    RenderPage();
}

bool TfrmDrugNeopSearch::HandleKey(int AKey, bool AWithEnter) {
    switch (AKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!AWithEnter)
            return false;
        ViewSubTerm();
        return true;
    case Qt::Key_F11:
        ViewSubTerm();
        return true;
    case Qt::Key_Escape:
        done(2);
        return true;
    case Qt::Key_PageUp:
        PriorPage();
        return true;
    case Qt::Key_PageDown:
        NextPage();
        return true;
    case Qt::Key_F3:
        done(1);
        return true;
    case Qt::Key_F5:
        ViewCode();
        return true;
    case Qt::Key_F12:
        QuitPrompt();
        return true;
    default:
        return false;
    }
}

void TfrmDrugNeopSearch::keyPressEvent(QKeyEvent* AEvent) {
    if (!HandleKey(AEvent->key(), false))
        QDialog::keyPressEvent(AEvent);
}

bool TfrmDrugNeopSearch::eventFilter(QObject* AWatched, QEvent* AEvent) {
    QTableWidget* grid = FUi->StringGrid1;
    switch (AEvent->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(AEvent);
        if (AWatched == grid || AWatched == FUi->TreeView1) {
            if (HandleKey(key->key(), AWatched == grid))
                return true;
            if (AWatched == grid)
                TypeAheadOnTitles(grid, key, kTitleColumn);
        } else if (AWatched == FUi->edtMain && IsEnterOrDown(key)) {
            EnterGrid();
            return true;
        } else if (AWatched == FUi->edtMain && !FCurItem &&
                   TypeFirstLetterAsCapital(FUi->edtMain, key)) {
            return true;
        }
        break;
    }
    case QEvent::Resize:
        // The viewport has its new size only once the grid has laid it out.
        if (AWatched == grid->viewport() && !FShowing)
            FormResize();
        break;
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(AEvent);
        if (AWatched == grid->viewport() && mouse->button() == Qt::LeftButton) {
            const QModelIndex index = grid->indexAt(mouse->position().toPoint());
            if (index.isValid()) {
                grid->setCurrentCell(index.row(), index.column());
                GridDoubleClick(index.row(), index.column());
            }
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(AWatched, AEvent);
}

void TfrmDrugNeopSearch::GridDoubleClick(int ARow, int AColumn) {
    if (IsCodeCell(ARow, AColumn))
        ViewCode();
    else if (AColumn == kTitleColumn && CurrentTerm())
        ViewSubTerm();
}

void TfrmDrugNeopSearch::ShowPopupMenu(const QPoint& APos) {
    PopupMenu1->popup(FUi->StringGrid1->viewport()->mapToGlobal(APos));
}

void TfrmDrugNeopSearch::PopupMenu1Popup() {
    const QTableWidget* grid = FUi->StringGrid1;
    const QTableWidgetItem* cell = grid->currentItem();
    ViewCode1->setEnabled(IsCodeCell(grid->currentRow(), grid->currentColumn()) && cell &&
                          IndexCodeText(cell->text()).has_value());
    const TTerm* term = CurrentTerm();
    ViewSubTermS1->setEnabled(term && !term->FSubTermList.empty());
}

void TfrmDrugNeopSearch::ViewCode() {
    const QTableWidgetItem* cell = FUi->StringGrid1->currentItem();
    if (!cell)
        return;
    const std::optional<QString> code = IndexCodeText(cell->text());
    if (!code)
        return;
    if (FOpenCode(this, *code) == 3)
        done(3);
}

void TfrmDrugNeopSearch::ViewSubTerm() {
    const TTerm* term = CurrentTerm();
    if (!term || term->FSubTermList.empty())
        return;
    int result = 0;
    {
        TfrmDrugNeopSearch window(FMessages, FOpenCode, this);
        window.FType = FType;
        window.FCurItem = term;
        result = window.exec();
    }
    // The neoplasm window that opened on the table's single main term stays open.
    const bool openedOnTheTable = FType == 4 && FCurItem && FCurItem->FLevel == 0;
    if (result == 1 && FCurItem && !openedOnTheTable)
        done(1);
    else if (result == 3)
        done(3);
}

void TfrmDrugNeopSearch::QuitPrompt() {
    if (AskQuitProgram(FMessages, this))
        done(3);
}
