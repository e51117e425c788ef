#include "AlphaSearch.h"

#include "Paging.h"
#include "WindowStyle.h"
#include "ui_AlphaSearch.h"

#include <QHeaderView>
#include <QMenu>
#include <QScreen>

namespace {

const int kListFontHeight = 14;
const int kMarkerColumn = 0;
const int kTitleColumn = 1;
const int kCodeColumn = 2;

QFont ListFont() {
    return PixelFont(QStringLiteral("Courier New"), kListFontHeight);
}

int ScreenPixelsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
}

const TTerm* TermOfItem(const QTreeWidgetItem* AItem) {
    return AItem
               ? static_cast<const TTerm*>(AItem->data(kMarkerColumn, Qt::UserRole).value<void*>())
               : nullptr;
}

} // namespace

TfrmAlphaSearch::TfrmAlphaSearch(TMessageService& AMessages, TCodeOpener AOpenCode,
                                 QWidget* AParent)
    : TTermLevelWindow(AMessages, std::move(AOpenCode), AParent),
      ROW_HEIGHT_PX(RowHeightPx(kListFontHeight, ScreenPixelsPerInch())),
      FUi(new Ui::TfrmAlphaSearch) {
    static_assert(kTitleColumn == TitleColumn);
    FUi->setupUi(this);
    SetUpLevelWindow({FUi->plTitle, FUi->pnlTree, FUi->TreeView1, FUi->Panel1, FUi->lbLevel,
                      FUi->edtMain, FUi->Button1, FUi->lbMain, FUi->ListView1, FUi->ListView1,
                      FUi->Panel4, FUi->btnBack, FUi->btnBackMain, FUi->btnPrior, FUi->lbPage,
                      FUi->btnNext});
    FUi->ListView1->setFont(ListFont());

    QHeaderView* header = FUi->ListView1->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(kMarkerColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(kTitleColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(kCodeColumn, QHeaderView::Fixed);
    header->resizeSection(kMarkerColumn, 20);
    header->resizeSection(kCodeColumn, 80);
    header->setSectionsMovable(false);

    ViewCode1 = AddMenuEntry("ViewCode1", QStringLiteral("View Code (F5)"));
    ViewSubTermS1 = AddMenuEntry("ViewSubTermS1", QStringLiteral("View Sub-Term (F11)"));
    PopupMenu1->addSeparator();
    SeeCategory1 = AddMenuEntry("SeeCategory1", QStringLiteral("See Category (F6)"));
    SeeSubcategory1 = AddMenuEntry("SeeSubcategory1", QStringLiteral("See Subcategory (F7)"));
    ViewManifestM1 = AddMenuEntry("ViewManifestM1", QStringLiteral("See Manifest (F8)"));
    connect(ViewCode1, &QAction::triggered, this, [this] { ViewField(TTermField::Code); });
    connect(ViewSubTermS1, &QAction::triggered, this, &TfrmAlphaSearch::ViewSubTerm);
    connect(SeeCategory1, &QAction::triggered, this,
            [this] { ViewField(TTermField::SeeCategory); });
    connect(SeeSubcategory1, &QAction::triggered, this,
            [this] { ViewField(TTermField::SeeSubcategory); });
    connect(ViewManifestM1, &QAction::triggered, this, [this] { ViewField(TTermField::Manifest); });
}

TfrmAlphaSearch::~TfrmAlphaSearch() = default;

void TfrmAlphaSearch::FormShow() {
    FUi->plTitle->setText(FType == TTermData::DiseaseIndex
                              ? QStringLiteral("Disease & Injury Alphabetical Search")
                              : QStringLiteral("External Causes of Injury Alphabetical Search"));
    ShowLevel(true);
    // The list takes the room of the hidden trail at once, and the page size follows the
    // list's height (the window's size does not change when the trail is hidden).
    layout()->activate();
    FLinesPerPage =
        LinesPerPageFor(FUi->ListView1->contentsRect().height(), ROW_HEIGHT_PX, FLinesPerPage);
    Search();
    RenderPage();
    FUi->ListView1->setFocus();
}

void TfrmAlphaSearch::ShowTerms(const QList<const TTerm*>& APageTerms) {
    QTreeWidget* list = FUi->ListView1;
    const QColor codeColour = list->palette().color(QPalette::Highlight);
    list->setUpdatesEnabled(false);
    list->clear();
    for (const TTerm* term : APageTerms) {
        auto* item = new QTreeWidgetItem(list);
        item->setText(kMarkerColumn,
                      term->FSubTermList.empty() ? QStringLiteral(" ") : QStringLiteral("+"));
        item->setText(kTitleColumn, term->GetFullTitle(true));
        item->setText(kCodeColumn, term->FCode);
        item->setForeground(kMarkerColumn, TColors::WindowText);
        item->setForeground(kTitleColumn, TColors::WindowText);
        item->setForeground(kCodeColumn, codeColour);
        item->setSizeHint(kMarkerColumn, QSize(0, ROW_HEIGHT_PX));
        item->setData(kMarkerColumn, Qt::UserRole,
                      QVariant::fromValue(const_cast<void*>(static_cast<const void*>(term))));
    }
    // The first row is selected, so Enter or a command key acts at once, also after Tab.
    if (QTreeWidgetItem* top = list->topLevelItem(0))
        list->setCurrentItem(top, kTitleColumn);
    list->setUpdatesEnabled(true);
}

void TfrmAlphaSearch::FormResize() {
    const int row = RepageKeeping(SelectedRow(), FUi->ListView1->contentsRect().height(),
                                  ROW_HEIGHT_PX);
    if (QTreeWidgetItem* item = FUi->ListView1->topLevelItem(row))
        FUi->ListView1->setCurrentItem(item);
}

int TfrmAlphaSearch::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = FUi->ListView1->selectedItems();
    return selected.isEmpty() ? -1 : FUi->ListView1->indexOfTopLevelItem(selected.first());
}

const TTerm* TfrmAlphaSearch::TermAtHand() const {
    const QList<QTreeWidgetItem*> selected = FUi->ListView1->selectedItems();
    return selected.isEmpty() ? nullptr : TermOfItem(selected.first());
}

std::unique_ptr<TTermLevelWindow> TfrmAlphaSearch::NewSubTermWindow() {
    return std::make_unique<TfrmAlphaSearch>(FMessages, FOpenCode, this);
}

void TfrmAlphaSearch::EnterList() {
    QTreeWidget* list = FUi->ListView1;
    list->setFocus();
    if (QTreeWidgetItem* first = list->topLevelItem(0))
        list->setCurrentItem(first, kTitleColumn);
}

bool TfrmAlphaSearch::HandleViewKey(int AKey) {
    switch (AKey) {
    case Qt::Key_F5:
        ViewField(TTermField::Code);
        return true;
    case Qt::Key_F6:
        ViewField(TTermField::SeeCategory);
        return true;
    case Qt::Key_F7:
        ViewField(TTermField::SeeSubcategory);
        return true;
    case Qt::Key_F8:
        ViewField(TTermField::Manifest);
        return true;
    default:
        return false;
    }
}

void TfrmAlphaSearch::ListFocusIn() {
    // Reached by Tab or a click with nothing selected: the current row becomes the selected
    // one, so Enter opens what the list shows as current.
    QTreeWidget* list = FUi->ListView1;
    if (!list->selectedItems().isEmpty())
        return;
    QTreeWidgetItem* item = list->currentItem() ? list->currentItem() : list->topLevelItem(0);
    if (item)
        list->setCurrentItem(item, kTitleColumn);
}

void TfrmAlphaSearch::ListDoubleClick(const QPoint& APos) {
    // The viewport's x already counts from the first column's left edge as scrolled.
    if (FUi->ListView1->header()->logicalIndexAt(APos.x()) == kCodeColumn)
        ViewField(TTermField::Code);
    else
        ViewSubTerm();
}

void TfrmAlphaSearch::PopupMenu1Popup() {
    for (QAction* action :
         {ViewCode1, ViewSubTermS1, SeeCategory1, SeeSubcategory1, ViewManifestM1})
        action->setEnabled(false);
    const TTerm* term = TermAtHand();
    if (!term)
        return;
    ViewCode1->setEnabled(IndexCodeText(term->FCode).has_value());
    ViewSubTermS1->setEnabled(!term->FSubTermList.empty());
    ViewManifestM1->setEnabled(!term->FManifest.isEmpty());
    SeeCategory1->setEnabled(!term->FSeeCat.isEmpty());
    SeeSubcategory1->setEnabled(!term->FSubCat.isEmpty());
}

void TfrmAlphaSearch::ViewField(TTermField AField) {
    if (const TTerm* term = TermAtHand())
        ViewCodeText(TermFieldText(*term, AField));
}
