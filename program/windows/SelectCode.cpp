#include "SelectCode.h"

#include "CodeQueries.h"
#include "EngineGlobals.h"
#include "KeyboardState.h"
#include "MessageService.h"
#include "ModalResults.h"
#include "ScreenFit.h"
#include "Waiting.h"
#include "WindowStyle.h"
#include "ui_SelectCode.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QShowEvent>

#include <algorithm>

TfrmSelectCode::TfrmSelectCode(TMessageService& AMessages, QWidget* AParent)
    : QDialog(AParent, DialogWindowFlags),
      FUi(new Ui::TfrmSelectCode), FMessages(AMessages) {
    FUi->setupUi(this);
    setWindowTitle(QStringLiteral("Please Select Reportable Code "));
    ScrollWhenTooLarge(this, QSize(1062, 457));
    setFont(TahomaFont(11, false));
    SetBackgroundColor(this, TColors::SkyBlue);
    for (QWidget* label : {FUi->Label1, FUi->Label2})
        label->setFont(TahomaFont(13));
    FUi->Label3->setFont(TahomaFont(11));
    FUi->Edit1->setReadOnly(true);
    QPalette header = FUi->Edit1->palette();
    header.setColor(QPalette::Base, TColors::Silver);
    FUi->Edit1->setPalette(header);
    FUi->Edit3->setReadOnly(true);
    SetTextColor(FUi->Label4, TColors::Red);

    QTreeWidget* list = FUi->ListView1;
    list->setHeaderLabels({QStringLiteral("Code"), QStringLiteral("Description")});
    list->setColumnWidth(0, 80);
    list->setColumnWidth(1, 900);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setFont(PixelFont(QStringLiteral("Courier New"), 14));
    // Descriptions are shown whole: the column widens to the longest one and the list scrolls
    // sideways to it (each row's tooltip holds it too), and the list is exactly as tall as the
    // whole rows it shows, so that no row is cut at its foot.
    list->setUniformRowHeights(true);
    list->setTextElideMode(Qt::ElideNone);
    list->header()->setStretchLastSection(false);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    FRowHeight = QFontMetrics(list->font()).height() + 4;
    const int chrome = 2 * list->frameWidth() + list->header()->sizeHint().height() +
                       list->horizontalScrollBar()->sizeHint().height();
    const int rows = std::max(1, (list->height() - chrome) / FRowHeight);
    list->resize(list->width(), chrome + rows * FRowHeight);

    connect(FUi->Edit2, &QLineEdit::textEdited, this, [this](const QString& AText) {
        const QString upper = AText.toUpper();
        if (upper != AText) {
            const int position = FUi->Edit2->cursorPosition();
            FUi->Edit2->setText(upper);
            FUi->Edit2->setCursorPosition(position);
        }
        FillCodeList();
    });
    connect(list, &QTreeWidget::itemSelectionChanged, this, &TfrmSelectCode::SelectionChanged);
    connect(list, &QTreeWidget::itemDoubleClicked, this, &TfrmSelectCode::RowDoubleClicked);
    connect(FUi->Button1, &QPushButton::clicked, this, [this] { CopyClicked(TCopy::Code); });
    connect(FUi->Button3, &QPushButton::clicked, this, [this] { CopyClicked(TCopy::LongDesc); });
    connect(FUi->Button4, &QPushButton::clicked, this, [this] { CopyClicked(TCopy::CodeLongDesc); });
    connect(FUi->Button5, &QPushButton::clicked, this, [this] { CopyClicked(TCopy::ShortDesc); });
    connect(FUi->Button6, &QPushButton::clicked, this, [this] { CopyClicked(TCopy::CodeShortDesc); });
    connect(FUi->Button2, &QPushButton::clicked, this, [this] { done(TDialogResult::Cancel); });
}

TfrmSelectCode::~TfrmSelectCode() = default;

void TfrmSelectCode::SetCodeHeader(const QString& AHeader) {
    FUi->Edit1->setText(AHeader.size() == 3 ? AHeader + QLatin1Char('.') : AHeader);
}

int TfrmSelectCode::GetAllAvailableCodes() {
    // The header may end in a full stop (a category); the code queries take it without.
    QString code = FUi->Edit1->text();
    if (code.endsWith(QLatin1Char('.')))
        code.chop(1);
    const TCodeInfo* node = FindCode(code);
    if (!node)
        return 0;
    FCodeList.clear();
    FDescList.clear();
    node->GetAllValideCodes(FCodeList, FDescList);
    return static_cast<int>(FCodeList.size());
}

QString TfrmSelectCode::GetShortDesc(const QString& ACode, const QString& AFallback) const {
    WaitWhileLoading(ShortDescLoadState);
    if (!ShortDescMap)
        return AFallback;
    return ShortDescMap->value(ACode, AFallback);
}

void TfrmSelectCode::showEvent(QShowEvent* AEvent) {
    QDialog::showEvent(AEvent);
    if (!AEvent->spontaneous())
        FillCodeList();
}

void TfrmSelectCode::FillCodeList() {
    QTreeWidget* list = FUi->ListView1;
    list->clear();
    int counts[4] = {0, 0, 0, 0}; // codes of 4, 5, 6 and 7 characters
    const QString filter = FUi->Edit2->text().trimmed();
    const QString prefix = FUi->Edit1->text() + filter;
    int rows = 0;
    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (qsizetype i = 0; i < FCodeList.size(); ++i) {
        const QString& code = FCodeList[i];
        if (!filter.isEmpty() &&
            (code.size() < prefix.size() ||
             CompareLeading(code, prefix, static_cast<int>(prefix.size()), true, false) != 0))
            continue;
        const QString desc = FDescList.value(i);
        widest = std::max(widest, metrics.horizontalAdvance(desc));
        auto* item = new QTreeWidgetItem(list, {code, desc});
        item->setForeground(0, TColors::Green);
        item->setForeground(1, TColors::WindowText);
        item->setSizeHint(0, QSize(0, FRowHeight));
        item->setToolTip(0, desc);
        item->setToolTip(1, desc);
        ++rows;
        const qsizetype length = code.size();
        if (length >= 5 && length <= 8)
            ++counts[length - 5];
    }
    // At least the designed 900 pixels, wider when a description needs it (with the room the
    // style leaves around a cell's text).
    list->setColumnWidth(1, std::max(900, widest + 16));
    FUi->Label3->setText(
        QStringLiteral("Total: %1    (4 chars code: %2    5 chars code: %3    6 chars code: %4    "
                       "7 chars code: %5)")
            .arg(rows)
            .arg(counts[0])
            .arg(counts[1])
            .arg(counts[2])
            .arg(counts[3]));
}

bool TfrmSelectCode::SelectedRow(QString& ACode, QString& ADesc) const {
    const QList<QTreeWidgetItem*> selected = FUi->ListView1->selectedItems();
    if (selected.isEmpty())
        return false;
    ACode = selected.first()->text(0);
    ADesc = selected.first()->text(1);
    return true;
}

void TfrmSelectCode::SelectionChanged() {
    QString code, desc;
    if (SelectedRow(code, desc))
        FUi->Edit3->setText(code + QStringLiteral("  ") + GetShortDesc(code, desc));
}

void TfrmSelectCode::CopyClicked(TCopy AWhat) {
    QString code, desc;
    if (!SelectedRow(code, desc)) {
        FMessages.Information(this, QStringLiteral("Please select code first!"));
        return;
    }
    QString text;
    switch (AWhat) {
    case TCopy::Code: text = code; break;
    case TCopy::LongDesc: text = desc; break;
    case TCopy::CodeLongDesc: text = code + QStringLiteral("  ") + desc; break;
    case TCopy::ShortDesc: text = GetShortDesc(code, desc); break;
    case TCopy::CodeShortDesc: text = code + QStringLiteral("  ") + GetShortDesc(code, desc); break;
    }
    QGuiApplication::clipboard()->setText(text);
    FSelectedCode = code;
    if (CtrlKeyDown())
        done(TDialogResult::Ok);
}

void TfrmSelectCode::RowDoubleClicked() {
    QString code, desc;
    if (!SelectedRow(code, desc))
        return;
    QGuiApplication::clipboard()->setText(code + QStringLiteral("  ") + desc);
    FSelectedCode = code;
    done(TDialogResult::Ok);
}

void TfrmSelectCode::reject() {
    done(TDialogResult::Cancel);
}
