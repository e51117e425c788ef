#include "AlphaSearch.h"

#include "BrowserHelpers.h"
#include "EngineGlobals.h"
#include "Find.h"
#include "IndexSearch.h"
#include "MessageService.h"
#include "Paging.h"
#include "ScreenFit.h"
#include "Waiting.h"
#include "WindowStyle.h"
#include "ui_AlphaSearch.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>

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
    : QDialog(AParent, SearchWindowFlags),
      ROW_HEIGHT_PX(RowHeightPx(kListFontHeight, ScreenPixelsPerInch())),
      FUi(new Ui::TfrmAlphaSearch), FMessages(AMessages),
      FOpenCode(AOpenCode ? std::move(AOpenCode) : DefaultCodeOpener(AMessages)) {
    FUi->setupUi(this);
    SetUpSearchWindow(this);

    PaintAsBar(FUi->plTitle);
    PaintAsBar(FUi->Panel1);
    PaintAsBar(FUi->Panel4);
    FUi->plTitle->setFont(TahomaFont(29));
    for (QLabel* label : {FUi->lbLevel, FUi->lbMain, FUi->lbPage})
        label->setFont(TahomaFont(14));
    FUi->edtMain->setFont(TahomaFont(14));
    FUi->TreeView1->setFont(ListFont());
    FUi->ListView1->setFont(ListFont());
    FUi->btnBack->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));

    QHeaderView* header = FUi->ListView1->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(kMarkerColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(kTitleColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(kCodeColumn, QHeaderView::Fixed);
    header->resizeSection(kMarkerColumn, 20);
    header->resizeSection(kCodeColumn, 80);
    header->setSectionsMovable(false);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto addEntry = [this](const char* AName, const char* AText) {
        QAction* action = PopupMenu1->addAction(QString::fromLatin1(AText));
        action->setObjectName(QString::fromLatin1(AName));
        return action;
    };
    ViewCode1 = addEntry("ViewCode1", "View Code (F5)");
    ViewSubTermS1 = addEntry("ViewSubTermS1", "View Sub-Term (F11)");
    PopupMenu1->addSeparator();
    SeeCategory1 = addEntry("SeeCategory1", "See Category (F6)");
    SeeSubcategory1 = addEntry("SeeSubcategory1", "See Subcategory (F7)");
    ViewManifestM1 = addEntry("ViewManifestM1", "See Manifest (F8)");
    connect(ViewCode1, &QAction::triggered, this, [this] { ViewField(TTermField::Code); });
    connect(ViewSubTermS1, &QAction::triggered, this, &TfrmAlphaSearch::ViewSubTerm);
    connect(SeeCategory1, &QAction::triggered, this,
            [this] { ViewField(TTermField::SeeCategory); });
    connect(SeeSubcategory1, &QAction::triggered, this,
            [this] { ViewField(TTermField::SeeSubcategory); });
    connect(ViewManifestM1, &QAction::triggered, this, [this] { ViewField(TTermField::Manifest); });
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TfrmAlphaSearch::PopupMenu1Popup);
    connect(FUi->ListView1, &QWidget::customContextMenuRequested, this,
            &TfrmAlphaSearch::ShowPopupMenu);

    connect(FUi->edtMain, &QLineEdit::textChanged, this, &TfrmAlphaSearch::EditChanged);
    connect(FUi->Button1, &QPushButton::clicked, FUi->edtMain, &QLineEdit::clear);
    connect(FUi->btnBack, &QPushButton::clicked, this, [this] { done(2); });
    connect(FUi->btnBackMain, &QPushButton::clicked, this, [this] { done(1); });
    connect(FUi->btnPrior, &QPushButton::clicked, this, &TfrmAlphaSearch::PriorPage);
    connect(FUi->btnNext, &QPushButton::clicked, this, &TfrmAlphaSearch::NextPage);

    FUi->edtMain->installEventFilter(this);
    FUi->TreeView1->installEventFilter(this);
    FUi->ListView1->installEventFilter(this);
    FUi->ListView1->viewport()->installEventFilter(this);
    AddFindShortcut(this, FMessages, FOpenCode);

    // Narrower than designed (maximised on a small screen), the page controls keep to the right.
    auto* bar = new TBarFit(FUi->Panel4, 1167);
    for (QWidget* control : {static_cast<QWidget*>(FUi->btnPrior), static_cast<QWidget*>(FUi->lbPage),
                             static_cast<QWidget*>(FUi->btnNext)})
        bar->Add(control, TBarFit::TRule::Shift);
}

TfrmAlphaSearch::~TfrmAlphaSearch() = default;

void TfrmAlphaSearch::reject() {
    done(2);
}

void TfrmAlphaSearch::showEvent(QShowEvent* AEvent) {
    QDialog::showEvent(AEvent);
    if (!FShown) {
        FShown = true;
        FormShow();
    }
}

void TfrmAlphaSearch::FormShow() {
    FShowing = true;
    FUi->plTitle->setText(FType == 1
                              ? QStringLiteral("Disease & Injury Alphabetical Search")
                              : QStringLiteral("External Causes of Injury Alphabetical Search"));
    if (FCurItem) {
        FUi->lbLevel->setText(QStringLiteral("#%1 Level Term").arg(FCurItem->FLevel + 1));
        BuildTrail();
    } else {
        FUi->pnlTree->hide();
        FUi->btnBackMain->hide();
    }
    // The list takes the room of the hidden trail at once, and the page size follows the
    // list's height (the window's size does not change when the trail is hidden).
    layout()->activate();
    FLinesPerPage =
        LinesPerPageFor(FUi->ListView1->contentsRect().height(), ROW_HEIGHT_PX, FLinesPerPage);
    Search();
    RenderPage();
    FUi->ListView1->setFocus();
    FShowing = false;
}

void TfrmAlphaSearch::BuildTrail() {
    FillTrail(FUi->TreeView1, *FCurItem, true);
}

void TfrmAlphaSearch::Search() {
    FItemList = SearchListedTerms(FType, FCurItem, SearchTextOf(FUi->edtMain->text()));
}

void TfrmAlphaSearch::RenderPage() {
    const int count = static_cast<int>(FItemList.size());
    const int pages = PageCount(count, FLinesPerPage);
    FCurPage = ClampPage(FCurPage, pages);

    QTreeWidget* list = FUi->ListView1;
    const QColor codeColour = list->palette().color(QPalette::Highlight);
    list->setUpdatesEnabled(false);
    list->clear();
    const int first = (FCurPage - 1) * FLinesPerPage;
    for (int i = first; i < count && i < first + FLinesPerPage; ++i) {
        const TTerm* term = FItemList[i];
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

    ShowPaging(FUi->lbMain, FUi->lbPage, FUi->btnPrior, FUi->btnNext, count, FCurPage, pages);
}

void TfrmAlphaSearch::NextPage() {
    if (FCurPage < PageCount(static_cast<int>(FItemList.size()), FLinesPerPage)) {
        ++FCurPage;
        RenderPage();
    }
}

void TfrmAlphaSearch::PriorPage() {
    if (FCurPage > 1) {
        --FCurPage;
        RenderPage();
    }
}

void TfrmAlphaSearch::FormResize() {
    const int position = PositionOf(FCurPage, FLinesPerPage, SelectedRow());
    FLinesPerPage =
        LinesPerPageFor(FUi->ListView1->contentsRect().height(), ROW_HEIGHT_PX, FLinesPerPage);
    FCurPage = PageOfPosition(position, FLinesPerPage);
    RenderPage();
    const int row = IndexOnPage(position, FLinesPerPage);
    if (QTreeWidgetItem* item = FUi->ListView1->topLevelItem(row))
        FUi->ListView1->setCurrentItem(item);
}

int TfrmAlphaSearch::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = FUi->ListView1->selectedItems();
    return selected.isEmpty() ? -1 : FUi->ListView1->indexOfTopLevelItem(selected.first());
}

const TTerm* TfrmAlphaSearch::SelectedTerm() const {
    const QList<QTreeWidgetItem*> selected = FUi->ListView1->selectedItems();
    return selected.isEmpty() ? nullptr : TermOfItem(selected.first());
}

void TfrmAlphaSearch::EnterList() {
    QTreeWidget* list = FUi->ListView1;
    list->setFocus();
    if (QTreeWidgetItem* first = list->topLevelItem(0))
        list->setCurrentItem(first, kTitleColumn);
}

void TfrmAlphaSearch::EditChanged() {
    Search();
    RenderPage();
}

bool TfrmAlphaSearch::HandleKey(int AKey, bool AWithEnter) {
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
    case Qt::Key_F12:
        QuitPrompt();
        return true;
    default:
        return false;
    }
}

void TfrmAlphaSearch::keyPressEvent(QKeyEvent* AEvent) {
    if (!HandleKey(AEvent->key(), false))
        QDialog::keyPressEvent(AEvent);
}

bool TfrmAlphaSearch::eventFilter(QObject* AWatched, QEvent* AEvent) {
    QTreeWidget* list = FUi->ListView1;
    switch (AEvent->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(AEvent);
        if (AWatched == list || AWatched == FUi->TreeView1) {
            if (HandleKey(key->key(), AWatched == list))
                return true;
            if (AWatched == list)
                TypeAheadOnTitles(list, key, kTitleColumn);
            return QDialog::eventFilter(AWatched, AEvent);
        }
        if (AWatched == FUi->edtMain && IsEnterOrDown(key)) {
            EnterList();
            return true;
        }
        if (AWatched == FUi->edtMain && !FCurItem && TypeFirstLetterAsCapital(FUi->edtMain, key))
            return true;
        break;
    }
    case QEvent::FocusIn:
        // Reached by Tab or a click with nothing selected: the current row becomes the selected
        // one, so Enter opens what the list shows as current.
        if (AWatched == list && list->selectedItems().isEmpty()) {
            QTreeWidgetItem* item = list->currentItem() ? list->currentItem() : list->topLevelItem(0);
            if (item)
                list->setCurrentItem(item, kTitleColumn);
        }
        break;
    case QEvent::Resize:
        if (AWatched == list && !FShowing)
            FormResize();
        break;
    case QEvent::MouseButtonDblClick:
        if (AWatched == list->viewport() &&
            static_cast<QMouseEvent*>(AEvent)->button() == Qt::LeftButton) {
            ListDoubleClick(static_cast<QMouseEvent*>(AEvent)->position().toPoint().x());
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(AWatched, AEvent);
}

void TfrmAlphaSearch::ListDoubleClick(int AX) {
    // The viewport's x already counts from the first column's left edge as scrolled.
    if (FUi->ListView1->header()->logicalIndexAt(AX) == kCodeColumn)
        ViewField(TTermField::Code);
    else
        ViewSubTerm();
}

void TfrmAlphaSearch::ShowPopupMenu(const QPoint& APos) {
    PopupMenu1->popup(FUi->ListView1->viewport()->mapToGlobal(APos));
}

void TfrmAlphaSearch::PopupMenu1Popup() {
    for (QAction* action :
         {ViewCode1, ViewSubTermS1, SeeCategory1, SeeSubcategory1, ViewManifestM1})
        action->setEnabled(false);
    const TTerm* term = SelectedTerm();
    if (!term)
        return;
    ViewCode1->setEnabled(IndexCodeText(term->FCode).has_value());
    ViewSubTermS1->setEnabled(!term->FSubTermList.empty());
    ViewManifestM1->setEnabled(!term->FManifest.isEmpty());
    SeeCategory1->setEnabled(!term->FSeeCat.isEmpty());
    SeeSubcategory1->setEnabled(!term->FSubCat.isEmpty());
}

void TfrmAlphaSearch::ViewField(TTermField AField) {
    const TTerm* term = SelectedTerm();
    if (!term)
        return;
    const std::optional<QString> code = IndexCodeText(TermFieldText(*term, AField));
    if (!code)
        return;
    if (FOpenCode(this, *code) == 3)
        done(3);
}

void TfrmAlphaSearch::ViewSubTerm() {
    const TTerm* term = SelectedTerm();
    if (!term || term->FSubTermList.empty())
        return;
    int result = 0;
    {
        TfrmAlphaSearch window(FMessages, FOpenCode, this);
        window.FType = FType;
        window.FCurItem = term;
        result = window.exec();
    }
    if (result == 1 && FCurItem)
        done(1);
    else if (result == 3)
        done(3);
}

void TfrmAlphaSearch::QuitPrompt() {
    if (AskQuitProgram(FMessages, this))
        done(3);
}
