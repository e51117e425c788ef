#include "ChapterSearch.h"

#include "BrowserHelpers.h"
#include "CodeNavigation.h"
#include "EngineGlobals.h"
#include "Find.h"
#include "KeywordSearch.h"
#include "ModalResults.h"
#include "ScreenFit.h"
#include "Settings.h"
#include "Waiting.h"
#include "WindowStyle.h"
#include "ui_ChapterSearch.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShowEvent>

namespace {

enum TNodeKind { kChapterNode = 0, kSectionNode = 1, kCategoryNode = 2 };
constexpr int kKindRole = Qt::UserRole + 1;

// Our node pictures: a closed book (chapter), a folder (section) and a code tag (category); the
// selected forms carry a yellow frame.
QPixmap NodePicture(int AKind, bool ASelected) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    switch (AKind) {
    case kChapterNode:
        painter.fillRect(2, 1, 12, 14, QColor(0, 0, 160));
        painter.fillRect(4, 3, 8, 2, Qt::white);
        painter.fillRect(2, 13, 12, 2, QColor(220, 220, 220));
        break;
    case kSectionNode:
        painter.fillRect(1, 3, 6, 2, QColor(200, 140, 0));
        painter.fillRect(1, 5, 14, 9, QColor(240, 180, 40));
        break;
    default:
        painter.fillRect(3, 2, 10, 12, QColor(0, 128, 0));
        painter.fillRect(5, 5, 6, 1, Qt::white);
        painter.fillRect(5, 8, 6, 1, Qt::white);
        painter.fillRect(5, 11, 4, 1, Qt::white);
        break;
    }
    if (ASelected) {
        painter.setPen(QPen(QColor(255, 210, 0), 2));
        painter.drawRect(1, 1, 14, 14);
    }
    return picture;
}

QIcon NodeIcon(int AKind) {
    QIcon icon;
    icon.addPixmap(NodePicture(AKind, false), QIcon::Normal);
    icon.addPixmap(NodePicture(AKind, true), QIcon::Selected);
    return icon;
}

} // namespace

TfrmChapterSearch::TfrmChapterSearch(TMessageService& AMessages, QWidget* AParent)
    : QDialog(AParent, SearchWindowFlags),
      FUi(new Ui::TfrmChapterSearch), FMessages(AMessages) {
    FUi->setupUi(this);
    SetCaptionAndIcon(this);
    FUi->Panel1->setFont(TahomaFont(29));
    SetBackgroundColor(FUi->Panel1, TColors::SkyBlue);
    QTreeWidget* tree = FUi->TreeView1;
    tree->setFont(PixelFont(QStringLiteral("Courier New"), 16));
    tree->setHeaderHidden(true);
    tree->setIndentation(19);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setExpandsOnDoubleClick(false);
    tree->setIconSize(QSize(16, 16));
    tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree->setStyleSheet(QStringLiteral("QTreeView::branch { border-image: none; }"));
    tree->viewport()->installEventFilter(this);
    tree->installEventFilter(this);
    OpenAtDesignSizeOrMaximised(this, QSize(1157, 681));
    // Codes found by Find open in the viewer the way the tree's nodes do.
    AddFindShortcut(this, FMessages, [this](QWidget* AOver, const QString& ACode) {
        TfrmKeyWordSearch viewer(FMessages, AOver);
        viewer.FInitCode = ACode;
        viewer.FInitType = TViewerStart::Code;
        return FRunViewer ? FRunViewer(viewer) : viewer.exec();
    });
}

TfrmChapterSearch::~TfrmChapterSearch() = default;

QString TfrmChapterSearch::NodeLabel(const QString& AHead, int AWidth, const QString& AName) {
    return AHead.leftJustified(AWidth, QLatin1Char(' ')) + AName;
}

void TfrmChapterSearch::showEvent(QShowEvent* AEvent) {
    QDialog::showEvent(AEvent);
    if (!AEvent->spontaneous() && FInitFlag == 0)
        BuildTree();
}

void TfrmChapterSearch::BuildTree() {
    TWaitForDataSet wait(TabularLoadState);
    QTreeWidget* tree = FUi->TreeView1;
    tree->clear();
    const QIcon icons[3] = {NodeIcon(kChapterNode), NodeIcon(kSectionNode), NodeIcon(kCategoryNode)};
    auto addNode = [&](QTreeWidgetItem* AParent, const QString& ALabel, int AKind, void* AData) {
        auto* item = AParent ? new QTreeWidgetItem(AParent, {ALabel}) : new QTreeWidgetItem(tree, {ALabel});
        item->setIcon(0, icons[AKind]);
        item->setData(0, Qt::UserRole, QVariant::fromValue(AData));
        item->setData(0, kKindRole, AKind);
        return item;
    };
    if (ChapterList)
        for (const auto& chapter : *ChapterList) {
            QTreeWidgetItem* chapterNode =
                addNode(nullptr, NodeLabel(chapter->FInfo.FScope, 12, chapter->FInfo.FName),
                        kChapterNode, chapter.get());
            for (const auto& section : chapter->FSubList) {
                QTreeWidgetItem* sectionNode =
                    addNode(chapterNode, NodeLabel(section->FInfo.FScope, 10, section->FInfo.FName),
                            kSectionNode, section.get());
                for (const auto& code : section->FCodeList)
                    addNode(sectionNode, NodeLabel(code->FCode, 8, code->FDesc), kCategoryNode, code.get());
            }
        }
    FInitFlag = 1;
}

QRect TfrmChapterSearch::LabelRect(QTreeWidgetItem* AItem) const {
    QTreeWidget* tree = FUi->TreeView1;
    const QRect cell = tree->visualItemRect(AItem);
    const int iconWidth = tree->iconSize().width() + 4;
    const int textWidth = QFontMetrics(tree->font()).horizontalAdvance(AItem->text(0));
    return QRect(cell.left() + iconWidth, cell.top(), textWidth, cell.height());
}

bool TfrmChapterSearch::AllowColExp(QTreeWidgetItem* AItem, const QPoint& APos) {
    FAllowAutoColExp = true;
    if (AItem && AItem->childCount() > 0 && LabelRect(AItem).contains(APos))
        FAllowAutoColExp = false;
    return FAllowAutoColExp;
}

void TfrmChapterSearch::OpenViewer(QTreeWidgetItem* AItem) {
    void* data = AItem->data(0, Qt::UserRole).value<void*>();
    if (!data)
        return;
    TfrmKeyWordSearch viewer(FMessages, this);
    switch (AItem->data(0, kKindRole).toInt()) {
    case kChapterNode:
        viewer.FInitObject = static_cast<TChapter*>(data);
        viewer.FInitType = TViewerStart::Chapter;
        break;
    case kSectionNode:
        viewer.FInitObject = static_cast<TSubChapter*>(data);
        viewer.FInitType = TViewerStart::Section;
        break;
    default:
        viewer.FInitObject = static_cast<TCodeInfo*>(data);
        viewer.FInitType = TViewerStart::Code;
        break;
    }
    const int result = FRunViewer ? FRunViewer(viewer) : viewer.exec();
    if (result == TSearchResult::Quit)
        done(TSearchResult::Quit);
}

bool TfrmChapterSearch::eventFilter(QObject* AWatched, QEvent* AEvent) {
    QTreeWidget* tree = FUi->TreeView1;
    if (AWatched == tree->viewport() && AEvent->type() == QEvent::MouseButtonDblClick) {
        auto* mouse = static_cast<QMouseEvent*>(AEvent);
        const QPoint pos = mouse->position().toPoint();
        QTreeWidgetItem* item = tree->itemAt(pos);
        if (!item || mouse->button() != Qt::LeftButton)
            return true;
        tree->setCurrentItem(item);
        // A double-click beside the label of a node with children folds or unfolds it and
        // opens nothing; on the label it opens the viewer and leaves the node as it was.
        if (AllowColExp(item, pos) && item->childCount() > 0) {
            item->setExpanded(!item->isExpanded());
            return true;
        }
        OpenViewer(item);
        return true;
    }
    if (AWatched == tree && AEvent->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(AEvent)->key();
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
        if (key == Qt::Key_F12) {
            if (AskQuitProgram(FMessages, this))
                done(TSearchResult::Quit);
            return true;
        }
        // Enter opens the current node as a double-click on its label does. The fold keys
        // (Left, Right, +, -, *) go to the tree whatever the pointer rests on.
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && tree->currentItem()) {
            tree->currentItem()->setSelected(true);
            OpenViewer(tree->currentItem());
            return true;
        }
    }
    return QDialog::eventFilter(AWatched, AEvent);
}

void TfrmChapterSearch::reject() {
    done(TSearchResult::Back);
}
