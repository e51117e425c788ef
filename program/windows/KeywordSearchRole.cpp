// The search role of TfrmKeyWordSearch: the keyword box with its count row, combined count and
// suggestion grid, the full-text conditions, the search itself and the search history panel.
// The matching and the suggestions themselves are the widget-free KeywordSearchEngine.
#include "KeywordSearch.h"

#include "EngineGlobals.h"
#include "Find.h"
#include "MessageService.h"
#include "ModalResults.h"
#include "SearchHistory.h"
#include "Waiting.h"
#include "WindowStyle.h"
#include "ui_KeywordSearch.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStyledItemDelegate>
#include <QTableWidgetItem>
#include <QTreeWidgetItem>

#include <utility>

namespace {

const QString kUnknownCount = QStringLiteral(" Unknown ");

// Left edge of a line edit's text area inside the widget, as its style draws it.
int TextLeft(const QLineEdit& AEdit) {
    QStyleOptionFrame option;
    option.initFrom(&AEdit);
    option.rect = AEdit.rect();
    option.lineWidth = AEdit.hasFrame() ? AEdit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &AEdit) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    option.features = QStyleOptionFrame::None;
    const QRect contents = AEdit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &AEdit);
    return contents.left() + AEdit.textMargins().left();
}

// The history list is a report with grid lines: every row is ruled off from the next, and the
// rows get a little room above and below their text.
class THistoryGridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* APainter, const QStyleOptionViewItem& AOption, const QModelIndex& AIndex) const override {
        QStyledItemDelegate::paint(APainter, AOption, AIndex);
        APainter->save();
        APainter->setPen(TColors::GridLine);
        APainter->drawLine(AOption.rect.bottomLeft(), AOption.rect.bottomRight());
        APainter->drawLine(AOption.rect.topRight(), AOption.rect.bottomRight());
        APainter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& AOption, const QModelIndex& AIndex) const override {
        return QStyledItemDelegate::sizeHint(AOption, AIndex) + QSize(0, 5);
    }
};

} // namespace

// Routes the events of the search controls to the window before its own filter sees them.
class TfrmKeyWordSearch::TSearchRoleFilter : public QObject {
public:
    explicit TSearchRoleFilter(TfrmKeyWordSearch& AWindow) : FWindow(AWindow) {}

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override {
        return FWindow.SearchRoleEvent(AWatched, AEvent);
    }

private:
    TfrmKeyWordSearch& FWindow;
};

void TfrmKeyWordSearch::ConnectSearchControls() {
    QTableWidget* grid = FUi->StringGrid1;
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setTabKeyNavigation(false);
    grid->setFocusPolicy(Qt::StrongFocus);
    // All ten rows fit the grid: a page of suggestions is never cut.
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(grid->height() / grid->rowCount());
    for (int row = 0; row < grid->rowCount(); ++row)
        for (int column = 0; column < grid->columnCount(); ++column)
            grid->setItem(row, column, new QTableWidgetItem());
    SetBackgroundColor(FUi->plPrompt, TColors::SkyBlue);
    // Both floating panels lie over the white text area: a frame sets them off from it.
    FUi->plPrompt->setFrameShape(QFrame::Box);
    FUi->plHistory->setFrameShape(QFrame::Box);
    FUi->ListView1->setRootIsDecorated(false);
    FUi->ListView1->setUniformRowHeights(true);
    FUi->ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    FUi->ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FUi->ListView1->setItemDelegate(new THistoryGridDelegate(FUi->ListView1));
    FUi->Edit1->setFocusPolicy(Qt::NoFocus);

    connect(FUi->BitBtn1, &QPushButton::clicked, this, &TfrmKeyWordSearch::RunKeywordSearch);
    connect(FUi->edtKeyWord, &QLineEdit::textChanged, this, [this] { UpdateKeywordCounts(false); });
    connect(FUi->edtKeyWord, &QLineEdit::textEdited, this, [this] { FKeywordEdited = true; });
    connect(FUi->ckAdvanced, &QCheckBox::toggled, this, [this] { UpdateKeywordCounts(false); });
    connect(FUi->btnHistory, &QPushButton::clicked, this, &TfrmKeyWordSearch::ShowHistoryPanel);
    connect(FUi->ListView1, &QTreeWidget::itemClicked, this, &TfrmKeyWordSearch::HistoryRowClicked);
    connect(FUi->btnPromptPrior, &QPushButton::clicked, this, [this] {
        FUi->StringGrid1->show();
        FillSuggestionPage(FSuggestions.Page() - 1, false);
    });
    connect(FUi->btnPromptNext, &QPushButton::clicked, this, [this] {
        FUi->StringGrid1->show();
        FillSuggestionPage(FSuggestions.Page() + 1, false);
    });

    FSearchRoleFilter = std::make_unique<TSearchRoleFilter>(*this);
    for (QObject* watched : {static_cast<QObject*>(FUi->edtKeyWord), static_cast<QObject*>(FUi->Edit1),
                             static_cast<QObject*>(grid), static_cast<QObject*>(grid->viewport()),
                             static_cast<QObject*>(FUi->ListView1)})
        watched->installEventFilter(FSearchRoleFilter.get());
}

bool TfrmKeyWordSearch::SearchRoleEvent(QObject* AWatched, QEvent* AEvent) {
    const QEvent::Type type = AEvent->type();
    const auto isEnter = [AEvent] {
        const int key = static_cast<QKeyEvent*>(AEvent)->key();
        return key == Qt::Key_Return || key == Qt::Key_Enter;
    };
    // Enter is taken here, so that it never reaches the dialog's default button as well.
    if (AWatched == FUi->edtKeyWord && type == QEvent::KeyPress && isEnter()) {
        RunKeywordSearch();
        return true;
    }
    if (type == QEvent::KeyRelease && (AWatched == FUi->edtKeyWord || AWatched == FUi->Edit1)) {
        KeywordBoxKeyReleased(static_cast<QKeyEvent*>(AEvent)->key());
        return false;
    }
    if (AWatched == FUi->StringGrid1) {
        if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(AEvent)->key() == Qt::Key_Escape) {
            // Escape leaves the grid for the keyword box instead of closing the window.
            HidePrompt();
            FUi->edtKeyWord->setFocus();
            return true;
        }
        if (type == QEvent::KeyPress && isEnter())
            return true;
        if (type == QEvent::KeyRelease && isEnter()) {
            const QTableWidgetItem* cell = FUi->StringGrid1->currentItem();
            if (cell && !cell->text().isEmpty())
                ChooseSuggestion(cell->text());
            return true;
        }
        return false;
    }
    if (AWatched == FUi->StringGrid1->viewport() && type == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(AEvent);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const QModelIndex index = FUi->StringGrid1->indexAt(mouse->position().toPoint());
        const QString text = index.isValid() ? index.data().toString() : QString();
        if (text.isEmpty())
            return false;
        FUi->StringGrid1->setCurrentCell(index.row(), index.column());
        ChooseSuggestion(text);
        return true;
    }
    if (AWatched == FUi->ListView1) {
        if (type == QEvent::FocusOut) {
            FUi->plHistory->hide();
        } else if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(AEvent)->key() == Qt::Key_Escape) {
            FUi->plHistory->hide();
            FUi->edtKeyWord->setFocus();
            return true;
        } else if (type == QEvent::KeyPress && isEnter()) {
            // Enter picks the highlighted entry as a click does.
            HistoryRowClicked(FUi->ListView1->currentItem());
            return true;
        }
    }
    return false;
}

// ---- Searching ---------------------------------------------------------------------------

int TfrmKeyWordSearch::FullTextConditions() const {
    const std::pair<const QCheckBox*, int> boxes[] = {
        {FUi->ckDescription, SearchDescription}, {FUi->ckInclusion, SearchInclusion},
        {FUi->ckIncludes, SearchIncludes},       {FUi->ckCodeFirst, SearchCodeFirst},
        {FUi->ckCodeAlso, SearchCodeAlso},       {FUi->ckExclude1, SearchExcludes1},
        {FUi->ckExclude2, SearchExcludes2},
    };
    int conditions = NoFullTextConditions;
    for (const auto& [box, bit] : boxes)
        if (box->isChecked())
            conditions |= bit;
    return conditions;
}

void TfrmKeyWordSearch::RunKeywordSearch() {
    HidePrompt();
    const QString text = FUi->edtKeyWord->text().trimmed();
    if (text.isEmpty() &&
        !FMessages.Question(this, QStringLiteral("Keywords empty, do you want to list all codes?"),
                            QStringLiteral("Search by Keywords"), QMessageBox::No)) {
        FUi->edtKeyWord->setFocus();
        return;
    }
    const bool fullText = FUi->ckAdvanced->isChecked();
    int conditions = NoFullTextConditions;
    if (fullText) {
        conditions = FullTextConditions();
        if (conditions == NoFullTextConditions) {
            FMessages.Information(this, QStringLiteral("Please select one condition at least!"));
            return;
        }
    }
    if (!text.isEmpty())
        RecordSearch(text);
    FSearchKeyWordsList = SearchKeywordsOf(text);
    {
        // The keyword loader writes the plural list the variants are built from before the
        // keywords; it is read only once that loader is done.
        const TWaitForDataSet wait(KeywordLoadState);
        FSearchKeyWordVariantList = BuildKeywordVariants(FSearchKeyWordsList);
    }
    SearchCategories(SearchModeFor(fullText, FSearchKeyWordsList), conditions);
    // From now on the window is a search window, whatever it was opened on.
    FInitObject = {};
    FInitCode.clear();
    if (FUi->TreeView1->topLevelItemCount() == 0) {
        FUi->pnlChapterDesc->clear();
        FUi->pnlSubChapterDesc->clear();
        FUi->RichEdit1->clear();
    } else {
        FUi->TreeView1->setCurrentItem(FUi->TreeView1->topLevelItem(0));
        ShowTreeSelection();
    }
    UpdateKeywordCounts(true);
    if (!text.isEmpty() && FUi->TreeView1->topLevelItemCount() == 0)
        OfferFind(text, fullText);
}

void TfrmKeyWordSearch::OfferFind(const QString& AText, bool AFullText) {
    const QString question = NothingFoundMessage(AText, AFullText) +
                             QStringLiteral("\n\nSearch for \"%1\" with Find?").arg(AText);
    if (FMessages.Question(this, question, QStringLiteral("Search by Keywords"), QMessageBox::Yes) &&
        RunFindWindow(FMessages, {}, this, AText) == TSearchResult::Quit)
        done(TSearchResult::Quit);
}

void TfrmKeyWordSearch::SearchCategories(TSearchMode AMode, int AConditions) {
    const TWaitForDataSet wait(TabularLoadState);
    FUi->TreeView1->clear();
    FCurCodeItem = nullptr;
    QList<TCodeInfo*> found;
    if (ChapterList)
        found = ::SearchCategories(*ChapterList, AMode, FSearchKeyWordsList, AConditions);
    QList<QTreeWidgetItem*> items;
    items.reserve(found.size());
    for (TCodeInfo* category : found) {
        auto* item = new QTreeWidgetItem(QStringList{category->FCode});
        item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(category)));
        items << item;
    }
    FUi->TreeView1->addTopLevelItems(items);
    FUi->plNum->setText(QString::number(found.size()));
}

// ---- Counts ------------------------------------------------------------------------------

void TfrmKeyWordSearch::AlignCountRow() {
    // The count row has no frame; its text must still start where the keyword box's text starts,
    // or the counts drift away from their keywords.
    QLineEdit* row = FUi->Edit1;
    const int boxLeft = FUi->edtKeyWord->mapTo(this, QPoint(TextLeft(*FUi->edtKeyWord), 0)).x();
    const int rowLeft = row->mapTo(this, QPoint(TextLeft(*row), 0)).x();
    if (boxLeft != rowLeft) {
        QMargins margins = row->textMargins();
        margins.setLeft(std::max(0, margins.left() + boxLeft - rowLeft));
        row->setTextMargins(margins);
    }
}

void TfrmKeyWordSearch::UpdateKeywordCounts(bool AAfterSearch) {
    AlignCountRow();
    const QString raw = FUi->edtKeyWord->text();
    FUi->Edit1->setText(KeywordCountRow(raw));
    FUi->Edit1->setCursorPosition(0);
    QString combined = kUnknownCount;
    if (FUi->ckAdvanced->isChecked()) {
        combined = kUnknownCount;
    } else if (AAfterSearch) {
        combined = QStringLiteral(" %1 ").arg(FUi->TreeView1->topLevelItemCount());
    } else {
        // An empty box counts every category, as a search of it lists them all. -1 while a data
        // set is still being loaded: the number is not known yet.
        const int count = CombinedKeywordCount(raw);
        if (count >= 0)
            combined = QStringLiteral(" %1 ").arg(count);
    }
    FUi->lbCombine->setText(combined);
}

// ---- Suggestions -------------------------------------------------------------------------

void TfrmKeyWordSearch::PlaceOverKeywordBox(QWidget* APanel) {
    // Left edges aligned, the panel's bottom on the keyword box's top.
    const QPoint box = FUi->edtKeyWord->mapTo(this, QPoint(0, 0));
    APanel->move(box.x(), box.y() - APanel->height());
    APanel->show();
    APanel->raise();
}

void TfrmKeyWordSearch::KeywordBoxKeyReleased(int AKey) {
    const bool edited = std::exchange(FKeywordEdited, false);
    const bool hides = AKey == Qt::Key_Return || AKey == Qt::Key_Enter || AKey == Qt::Key_PageUp ||
                       AKey == Qt::Key_PageDown || AKey == Qt::Key_Comma;
    if (hides || FUi->edtKeyWord->text().isEmpty()) {
        HidePrompt();
        return;
    }
    // Keys that leave the text as it was (F-keys, arrows, the Escape that closed a message box)
    // do not bring the suggestions back over the page; Up asks for them and goes into them.
    if (!edited && AKey != Qt::Key_Up)
        return;
    FUi->plHistory->hide();
    PlaceOverKeywordBox(FUi->plPrompt);
    if (AKey == Qt::Key_Up) {
        FUi->StringGrid1->setFocus();
        FUi->StringGrid1->setCurrentCell(0, 0);
    }
    RefreshSuggestions();
}

void TfrmKeyWordSearch::RefreshSuggestions() {
    const TWaitForDataSet wait(KeywordLoadState);
    if (FSuggestions.Refresh(FUi->edtKeyWord->text(), FUi->ckAdvanced->isChecked()))
        FillSuggestionPage(1, true);
}

void TfrmKeyWordSearch::FillSuggestionPage(int APage, bool ARebuild) {
    QTableWidget* grid = FUi->StringGrid1;
    for (int row = 0; row < grid->rowCount(); ++row)
        for (int column = 0; column < grid->columnCount(); ++column)
            grid->item(row, column)->setText(QString());
    if (ARebuild)
        grid->setCurrentCell(0, 0);
    if (!FSuggestions.ShowPage(APage))
        return;
    const QStringList cells = FSuggestions.PageCells();
    for (int i = 0; i < cells.size(); ++i)
        grid->item(i / TKeywordSuggestions::Columns, i % TKeywordSuggestions::Columns)->setText(cells[i]);
    FUi->pnPromptCaption->setText(FSuggestions.Caption());
}

void TfrmKeyWordSearch::ChooseSuggestion(const QString& ASuggestion) {
    FUi->edtKeyWord->setText(TextAfterChoosing(FUi->edtKeyWord->text(), ASuggestion));
    HidePrompt();
    FUi->edtKeyWord->setFocus();
    FUi->edtKeyWord->end(false);
    UpdateKeywordCounts(false);
}

// ---- History -----------------------------------------------------------------------------

void TfrmKeyWordSearch::ShowHistoryPanel() {
    HidePrompt();
    PlaceOverKeywordBox(FUi->plHistory);
    QTreeWidget* list = FUi->ListView1;
    list->clear();
    QList<QTreeWidgetItem*> items;
    if (SearchHistoryList)
        for (const QString& entry : *SearchHistoryList)
            items << new QTreeWidgetItem(QStringList{entry});
    list->addTopLevelItems(items);
    if (!items.isEmpty()) {
        list->setCurrentItem(items.last());
        list->scrollToItem(items.last());
    }
    list->setFocus();
}

void TfrmKeyWordSearch::HistoryRowClicked(QTreeWidgetItem* AItem) {
    if (!AItem || AItem->text(0).isEmpty())
        return;
    // Recalling a search only fills the box; the user starts the search.
    FUi->edtKeyWord->setText(AItem->text(0));
    FUi->plHistory->hide();
    FUi->edtKeyWord->setFocus();
}
