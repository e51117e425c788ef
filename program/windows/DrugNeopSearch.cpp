#include "DrugNeopSearch.h"

#include "GridHeaderRow.h"
#include "IndexCodeText.h"
#include "Paging.h"
#include "WindowStyle.h"
#include "ui_DrugNeopSearch.h"

#include <QHeaderView>
#include <QMenu>

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
    : TTermLevelWindow(AMessages, std::move(AOpenCode), AParent),
      FUi(new Ui::TfrmDrugNeopSearch) {
    static_assert(kTitleColumn == TitleColumn);
    FUi->setupUi(this);
    QTableWidget* grid = FUi->StringGrid1;
    // The viewport's resizes re-page: it has its new size only once the grid has laid it out.
    SetUpLevelWindow({FUi->plTitle, FUi->pnlTree, FUi->TreeView1, FUi->Panel1, FUi->lbLevel,
                      FUi->edtMain, FUi->Button1, FUi->lbCount, grid, grid->viewport(),
                      FUi->Panel4, FUi->btnBack, FUi->btnBackMain, FUi->btnPrior, FUi->lbPage,
                      FUi->btnNext});

    grid->setFont(PixelFont(QStringLiteral("Courier New"), 13));
    grid->setItemDelegate(new THeaderRowDelegate(grid));
    grid->setWordWrap(false);
    grid->horizontalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    ViewCode1 = AddMenuEntry("ViewCode1", QStringLiteral("View Code (F5)"));
    ViewSubTermS1 = AddMenuEntry("ViewSubTermS1", QStringLiteral("View Sub-Term (&F11)"));
    connect(ViewCode1, &QAction::triggered, this, &TfrmDrugNeopSearch::ViewCode);
    connect(ViewSubTermS1, &QAction::triggered, this, &TfrmDrugNeopSearch::ViewSubTerm);
}

TfrmDrugNeopSearch::~TfrmDrugNeopSearch() = default;

void TfrmDrugNeopSearch::FormShow() {
    SetHeaderRow();
    if (FType == TTermData::NeoplasmTable) {
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
    ShowLevel(false);
    // The grid takes the room of the panels hidden above at once, and the page size follows
    // the grid's height with this table's header row (the resizes before showing did not know
    // the table yet).
    layout()->activate();
    SetColumnWidths();
    FLinesPerPage = LinesPerPageFor(FUi->StringGrid1->viewport()->height() - HeaderHeight(),
                                    DataRowHeight, FLinesPerPage);
    RenderPage();
    FUi->StringGrid1->setFocus();
}

void TfrmDrugNeopSearch::SetHeaderRow() {
    QTableWidget* grid = FUi->StringGrid1;
    grid->setRowCount(1);
    const THeaderTexts& texts = FType == TTermData::NeoplasmTable ? kNeoplasmHeaders : kDrugHeaders;
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

void TfrmDrugNeopSearch::ShowTerms(const QList<const TTerm*>& APageTerms) {
    QTableWidget* grid = FUi->StringGrid1;
    const int column = grid->currentColumn() < 0 ? kTitleColumn : grid->currentColumn();
    grid->setUpdatesEnabled(false);
    grid->setRowCount(1);
    grid->setCurrentCell(0, column);
    for (const TTerm* term : APageTerms) {
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
}

void TfrmDrugNeopSearch::FormResize() {
    SetColumnWidths();
    QTableWidget* grid = FUi->StringGrid1;
    const int row = grid->currentRow();
    const int column = std::max(grid->currentColumn(), 0);
    const int newRow = RepageKeeping(row >= 1 ? row - 1 : -1,
                                     grid->viewport()->height() - HeaderHeight(), DataRowHeight) +
                       1;
    if (newRow < grid->rowCount())
        grid->setCurrentCell(newRow, column);
}

const TTerm* TfrmDrugNeopSearch::TermAtHand() const {
    const QTableWidget* grid = FUi->StringGrid1;
    if (grid->currentRow() < 1)
        return nullptr;
    const QTableWidgetItem* title = grid->item(grid->currentRow(), kTitleColumn);
    return title ? static_cast<const TTerm*>(title->data(Qt::UserRole).value<void*>()) : nullptr;
}

std::unique_ptr<TTermLevelWindow> TfrmDrugNeopSearch::NewSubTermWindow() {
    return std::make_unique<TfrmDrugNeopSearch>(FMessages, FOpenCode, this);
}

bool TfrmDrugNeopSearch::KeepsOpenOnBackToMainTerm() const {
    return FType == TTermData::NeoplasmTable && FCurItem && FCurItem->FLevel == 0;
}

void TfrmDrugNeopSearch::EnterList() {
    QTableWidget* grid = FUi->StringGrid1;
    grid->setFocus();
    if (grid->rowCount() > 1)
        grid->setCurrentCell(1, grid->currentColumn() < 0 ? kTitleColumn : grid->currentColumn());
}

bool TfrmDrugNeopSearch::HandleViewKey(int AKey) {
    if (AKey != Qt::Key_F5)
        return false;
    ViewCode();
    return true;
}

void TfrmDrugNeopSearch::ListDoubleClick(const QPoint& APos) {
    QTableWidget* grid = FUi->StringGrid1;
    const QModelIndex index = grid->indexAt(APos);
    if (!index.isValid())
        return;
    grid->setCurrentCell(index.row(), index.column());
    if (IsCodeCell(index.row(), index.column()))
        ViewCode();
    else if (index.column() == kTitleColumn && TermAtHand())
        ViewSubTerm();
}

void TfrmDrugNeopSearch::PopupMenu1Popup() {
    const QTableWidget* grid = FUi->StringGrid1;
    const QTableWidgetItem* cell = grid->currentItem();
    ViewCode1->setEnabled(IsCodeCell(grid->currentRow(), grid->currentColumn()) && cell &&
                          IndexCodeText(cell->text()).has_value());
    const TTerm* term = TermAtHand();
    ViewSubTermS1->setEnabled(term && !term->FSubTermList.empty());
}

void TfrmDrugNeopSearch::ViewCode() {
    if (const QTableWidgetItem* cell = FUi->StringGrid1->currentItem())
        ViewCodeText(cell->text());
}
