#include "KeywordSearch.h"

#include "Accounts.h"
#include "BrowserHelpers.h"
#include "CodeQueries.h"
#include "CodeSelection.h"
#include "EngineGlobals.h"
#include "Find.h"
#include "FontCharMetrics.h"
#include "InfoOf7Code.h"
#include "KeyboardState.h"
#include "MessageService.h"
#include "ModalResults.h"
#include "PageRenderer.h"
#include "ScreenFit.h"
#include "SelectCode.h"
#include "TextHelpers.h"
#include "Settings.h"
#include "WindowStyle.h"
#include "ui_KeywordSearch.h"

#include <QClipboard>
#include <QDateTime>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QWheelEvent>
#include <QWindow>

#include <memory>
#include <vector>

namespace {

const QString kEmptyCodeBox = QStringLiteral("   .    ");
const QString kHeaderSearch = QStringLiteral("Tabular Search");
const QString kHeaderSection = QStringLiteral("Tabular Section");
const QString kHeaderChapter = QStringLiteral("Chapter Information");
const QString kHeaderSubChapter = QStringLiteral("Sub-Chapter Information");
const QColor kDisabledConditionText(75, 75, 75);

bool IsAddFavoriteKey(const QKeyEvent* AKey) {
    return AKey->key() == Qt::Key_D && AKey->modifiers() == Qt::ControlModifier;
}

std::int64_t NowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

QColor ToColor(TRgb ARgb) {
    return QColor(ARgb.Red, ARgb.Green, ARgb.Blue);
}

TTabularObject ObjectOfItem(const QTreeWidgetItem* AItem) {
    auto* code = static_cast<TCodeInfo*>(AItem->data(0, Qt::UserRole).value<void*>());
    return code ? TTabularObject(code) : TTabularObject();
}

} // namespace

TfrmKeyWordSearch::TfrmKeyWordSearch(TMessageService& AMessages, QWidget* AParent,
                                     TfrmInfoOf7Code* AInfoDialog)
    : QDialog(AParent, SearchWindowFlags),
      FUi(new Ui::TfrmKeyWordSearch), FMessages(AMessages),
      FInfoDialog(AInfoDialog ? AInfoDialog : frmInfoOf7Code), FWheel(NowMs()) {
    FUi->setupUi(this);
    SetCaptionAndIcon(this);
    SetUpLook();
    SetUpMenu();
    ConnectControls();
    ConnectSearchControls();
    AddFindShortcut(this, FMessages);
    OpenAtDesignSizeOrMaximised(this, QSize(1167, 691));
    ResetCodeBox();
    UpdateNavigationButtons();
    FitBottomPanel();
}

TfrmKeyWordSearch::~TfrmKeyWordSearch() = default;

void TfrmKeyWordSearch::FitBottomPanel() {
    // Narrower than designed (maximised on a small screen) the keyword box and the count row get
    // narrower and the controls right of them move left; the first row packs its condition boxes
    // and lets the selected-code box stand in for its label.
    Ui::TfrmKeyWordSearch& ui = *FUi;
    const QList<QCheckBox*> boxes = {ui.ckAdvanced, ui.ckDescription, ui.ckInclusion, ui.ckIncludes,
                                     ui.ckCodeFirst, ui.ckCodeAlso,   ui.ckExclude1,  ui.ckExclude2};
    const QList<QWidget*> codeGroup = {ui.Label4, ui.edtCode, ui.btnGo, ui.edtSelected};
    struct TDesign {
        QWidget* Control;
        QRect Place;
    };
    auto designs = std::make_shared<std::vector<TDesign>>();
    for (QWidget* control : boxes)
        designs->push_back({control, control->geometry()});
    for (QWidget* control : codeGroup)
        designs->push_back({control, control->geometry()});
    const QRect selectedLabel = ui.Label2->geometry();
    const int panelWidth = 1167;
    auto* bar = new TBarFit(ui.Panel2, panelWidth, [this, designs, boxes, codeGroup,
                                                     selectedLabel](int ADeficit) {
        for (const TDesign& design : *designs)
            design.Control->setGeometry(design.Place);
        FUi->Label2->setVisible(ADeficit == 0);
        FUi->edtSelected->setPlaceholderText(ADeficit == 0 ? QString() : QStringLiteral("Selected"));
        if (ADeficit == 0)
            return;
        int x = boxes.first()->x();
        for (QCheckBox* box : boxes) {
            box->setGeometry(x, box->y(), box->sizeHint().width(), box->height());
            x += box->width();
        }
        QLineEdit* selected = FUi->edtSelected;
        selected->setGeometry(selectedLabel.x(), selected->y(), 90, selected->height());
        const int margin = 7;
        const int shift = std::max(0, selected->x() + selected->width() - (FUi->Panel2->width() - margin));
        for (QWidget* control : codeGroup)
            control->move(control->x() - shift, control->y());
    });
    bar->Add(ui.edtKeyWord, TBarFit::TRule::Shrink);
    bar->Add(ui.Edit1, TBarFit::TRule::Shrink);
    for (QWidget* control : {static_cast<QWidget*>(ui.btnHistory), static_cast<QWidget*>(ui.btnClear),
                             static_cast<QWidget*>(ui.BitBtn1), static_cast<QWidget*>(ui.BitBtn2),
                             static_cast<QWidget*>(ui.Label5), static_cast<QWidget*>(ui.lbCombine)})
        bar->Add(control, TBarFit::TRule::Shift);
}

void TfrmKeyWordSearch::SetUpLook() {
    const QFont courier = PixelFont(QStringLiteral("Courier New"), 16);
    setFont(TahomaFont(12));
    for (QWidget* panel : {static_cast<QWidget*>(FUi->Panel1), static_cast<QWidget*>(FUi->Panel8),
                           static_cast<QWidget*>(FUi->pnlChDesc), static_cast<QWidget*>(FUi->Panel6),
                           static_cast<QWidget*>(FUi->Panel2), static_cast<QWidget*>(FUi->pnPrompt)})
        SetBackgroundColor(panel, TColors::SkyBlue);
    FUi->Panel1->setFont(TahomaFont(29));
    FUi->Panel1->setAlignment(Qt::AlignCenter);
    for (QLabel* label : {FUi->lbType, FUi->Label3, FUi->plNum})
        label->setAlignment(Qt::AlignCenter);

    FUi->TreeView1->setFont(courier);
    SetTextColor(FUi->TreeView1, TColors::Blue);
    FUi->TreeView1->setHeaderHidden(true);
    FUi->TreeView1->setRootIsDecorated(false);
    FUi->TreeView1->setIndentation(0);
    FUi->TreeView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FUi->TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The shown node keeps its highlight when the list loses the focus.
    QPalette tree = FUi->TreeView1->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        tree.setColor(group, QPalette::Highlight, QColor(51, 153, 255));
        tree.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    FUi->TreeView1->setPalette(tree);

    FUi->pnlChapterTitle->setFont(PixelFont(QStringLiteral("Courier New"), 19));
    FUi->pnlChapterDesc->setFont(courier);
    FUi->pnlSubChapterTitle->setFont(PixelFont(QStringLiteral("Courier New"), 19));
    FUi->pnlSubChapterDesc->setFont(courier);
    for (QLabel* label : {FUi->pnlChapterTitle, FUi->pnlChapterDesc})
        SetTextColor(label, TColors::Navy);
    for (QLabel* label : {FUi->pnlSubChapterTitle, FUi->pnlSubChapterDesc})
        SetTextColor(label, TColors::Teal);

    QTextEdit* text = FUi->RichEdit1;
    text->setReadOnly(true);
    // A caret that the arrow keys move, and Shift with them selects: the page works without the
    // mouse.
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setLineWrapMode(QTextEdit::NoWrap);
    text->setFont(PixelFont(QStringLiteral("Courier New"), 19));
    text->document()->setDefaultFont(text->font());
    text->document()->setDocumentMargin(2);
    text->setContextMenuPolicy(Qt::CustomContextMenu);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetTextColor(text, ToColor(kTextGrey));

    for (QPushButton* button : FUi->Panel6->findChildren<QPushButton*>())
        button->setFont(TahomaFont(11));
    FUi->lbRec->setFont(TahomaFont(11));
    FUi->lbRec->setAlignment(Qt::AlignCenter);

    for (QCheckBox* box : {FUi->ckDescription, FUi->ckInclusion, FUi->ckIncludes, FUi->ckCodeFirst,
                           FUi->ckCodeAlso, FUi->ckExclude1, FUi->ckExclude2}) {
        // Disabled, they stay readable on the sky-blue bar: a dark grey with a contrast of over
        // 5:1 against it, where the style's light grey gave about 1.1:1.
        QPalette palette = box->palette();
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(QPalette::Disabled, role, kDisabledConditionText);
        box->setPalette(palette);
        box->setEnabled(false);
    }
    // ">" turns letters to upper case; "n" takes a letter or a digit, and may stay blank.
    FUi->edtCode->setInputMask(QStringLiteral(">nnn.nnnn;_"));
    FUi->edtCode->setMaxLength(8);
    FUi->edtCode->setFont(PixelFont(QStringLiteral("Courier New"), 16));
    FUi->edtSelected->setReadOnly(true);
    QPalette selected = FUi->edtSelected->palette();
    selected.setColor(QPalette::Base, QColor(192, 192, 192));
    selected.setColor(QPalette::Text, TColors::Green);
    FUi->edtSelected->setPalette(selected);

    FUi->edtKeyWord->setFont(PixelFont(QStringLiteral("Courier New"), 13));
    FUi->Edit1->setFont(PixelFont(QStringLiteral("Courier New"), 13));
    FUi->Edit1->setFrame(false);
    FUi->Edit1->setReadOnly(true);
    QPalette count = FUi->Edit1->palette();
    count.setColor(QPalette::Base, TColors::SkyBlue);
    count.setColor(QPalette::Text, TColors::Olive);
    FUi->Edit1->setPalette(count);
    SetTextColor(FUi->lbCombine, TColors::Olive);

    FUi->StringGrid1->setColumnCount(4);
    FUi->StringGrid1->setRowCount(10);
    const int widths[] = {163, 172, 185, 182};
    for (int column = 0; column < 4; ++column)
        FUi->StringGrid1->setColumnWidth(column, widths[column]);
    FUi->StringGrid1->horizontalHeader()->hide();
    FUi->StringGrid1->verticalHeader()->hide();
    FUi->StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FUi->StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FUi->ListView1->setHeaderLabels({QStringLiteral("Keywords Search History")});
    FUi->ListView1->setColumnWidth(0, 700);
    FUi->ListView1->setRootIsDecorated(false);
    FUi->plPrompt->hide();
    FUi->plHistory->hide();

    FStatus = new QLabel(text);
    FStatus->setObjectName(QStringLiteral("lbStatus"));
    FStatus->setFont(TahomaFont(13));
    FStatus->setFrameShape(QFrame::Box);
    FStatus->setMargin(3);
    SetBackgroundColor(FStatus, TColors::InfoBk);
    SetTextColor(FStatus, TColors::Navy);
    FStatus->hide();
    FStatusTimer = new QTimer(this);
    FStatusTimer->setSingleShot(true);
    FStatusTimer->setInterval(6000);
    connect(FStatusTimer, &QTimer::timeout, this, &TfrmKeyWordSearch::HideStatus);
}

void TfrmKeyWordSearch::SetUpMenu() {
    FPopup = new QMenu(this);
    auto add = [this](const char* AName, const char* AText) {
        QAction* action = FPopup->addAction(QString::fromLatin1(AText));
        action->setObjectName(QString::fromLatin1(AName));
        return action;
    };
    Jump1 = add("Jump1", "Go (F5)");
    Copy1 = add("Copy1", "Copy (Ctrl+C)");
    FPopup->addSeparator();
    SelectCodeS1 = add("SelectCodeS1", "Copy Code (F10)");
    SelectCodeDescF111 = add("SelectCodeDescF111", "Copy Code + Desc (F11)");
    CopyCodeShortDescF111 = add("CopyCodeShortDescF111", "Copy Code + Short Desc (Ctrl + F11)");
    FPopup->addSeparator();
    AddFavorite1 = add("AddFavorite1", "Add to Favorite Codes (Ctrl+D)");
    connect(AddFavorite1, &QAction::triggered, this, &TfrmKeyWordSearch::AddToFavorites);
    connect(FPopup, &QMenu::aboutToShow, this, &TfrmKeyWordSearch::MenuAboutToShow);
    connect(Jump1, &QAction::triggered, this, &TfrmKeyWordSearch::JumpClick);
    connect(Copy1, &QAction::triggered, this, &TfrmKeyWordSearch::CopySelection);
    connect(SelectCodeS1, &QAction::triggered, this, [this] { ActOnCode(TCodeAction::CopyCode); });
    connect(SelectCodeDescF111, &QAction::triggered, this,
            [this] { ActOnCode(TCodeAction::CopyCodeDesc); });
    connect(CopyCodeShortDescF111, &QAction::triggered, this,
            [this] { ActOnCode(TCodeAction::CopyCodeDesc); });
    connect(FUi->RichEdit1, &QWidget::customContextMenuRequested, this, [this](const QPoint& APos) {
        FPopup->popup(FUi->RichEdit1->viewport()->mapToGlobal(APos));
    });
}

void TfrmKeyWordSearch::ConnectControls() {
    connect(FUi->btnFirstPage, &QPushButton::clicked, this, [this] { ShowPage(1); });
    connect(FUi->btnPriorPage, &QPushButton::clicked, this, [this] { ShowPage(FCurPageIndex - 1); });
    connect(FUi->btnNextPage, &QPushButton::clicked, this, [this] { ShowPage(FCurPageIndex + 1); });
    connect(FUi->btnLastPage, &QPushButton::clicked, this, [this] { ShowPage(FPageNumber); });
    connect(FUi->btnBack, &QPushButton::clicked, this, &TfrmKeyWordSearch::GoBack);
    connect(FUi->btnReview, &QPushButton::clicked, this, &TfrmKeyWordSearch::GoReview);
    connect(FUi->btnPriorCode, &QPushButton::clicked, this, [this] { StepCode(true); });
    connect(FUi->btnNextCode, &QPushButton::clicked, this, [this] { StepCode(false); });
    connect(FUi->btnGo, &QPushButton::clicked, this, &TfrmKeyWordSearch::GoClick);
    connect(FUi->edtCode, &QLineEdit::returnPressed, this, &TfrmKeyWordSearch::GoClick);
    connect(FUi->ckAdvanced, &QCheckBox::toggled, this, &TfrmKeyWordSearch::FullTextToggled);
    for (QCheckBox* box : {FUi->ckDescription, FUi->ckInclusion, FUi->ckIncludes, FUi->ckCodeFirst,
                           FUi->ckCodeAlso, FUi->ckExclude1, FUi->ckExclude2})
        connect(box, &QCheckBox::clicked, this, &TfrmKeyWordSearch::HidePrompt);
    connect(FUi->btnClear, &QPushButton::clicked, this, [this] { ClearKeywords(false); });
    connect(FUi->BitBtn2, &QPushButton::clicked, this, [this] { ClearKeywords(true); });
    connect(FUi->TreeView1, &QTreeWidget::itemClicked, this, [this] { ShowTreeSelection(); });

    for (QObject* watched :
         {static_cast<QObject*>(FUi->RichEdit1), static_cast<QObject*>(FUi->RichEdit1->viewport()),
          static_cast<QObject*>(FUi->edtCode), static_cast<QObject*>(FUi->edtKeyWord),
          static_cast<QObject*>(FUi->TreeView1), static_cast<QObject*>(FUi->pnlChapterDesc),
          static_cast<QObject*>(FUi->pnlSubChapterDesc)})
        watched->installEventFilter(this);
}

// ---- Start and layout --------------------------------------------------------------------

void TfrmKeyWordSearch::showEvent(QShowEvent* AEvent) {
    QDialog::showEvent(AEvent);
    if (AEvent->spontaneous())
        return;
    if (!IsEmptyObject(FInitObject)) {
        if (std::holds_alternative<TSubChapter*>(FInitObject))
            SetHeader(kHeaderSubChapter);
        else if (std::holds_alternative<TChapter*>(FInitObject))
            SetHeader(kHeaderChapter);
        else
            SetHeader(kHeaderSection);
        FUi->lbType->setText(QStringLiteral("Code"));
    } else if (!FInitCode.isEmpty()) {
        SetHeader(kHeaderSection);
        FUi->lbType->setText(QStringLiteral("Code"));
    } else {
        SetHeader(kHeaderSearch);
        FUi->lbType->setText(QStringLiteral("Search"));
        FUi->edtKeyWord->setFocus();
    }
    FWheel.Reset(NowMs());
}

void TfrmKeyWordSearch::TextAreaResized() {
    if (isMinimized())
        return;
    QTextEdit* text = FUi->RichEdit1;
    int charWidth = 0, lineHeight = 0;
    GetFontCharMetrics(text->font(), charWidth, lineHeight);
    if (charWidth <= 0 || lineHeight <= 0)
        return;
    const int margin = 2 * static_cast<int>(text->document()->documentMargin());
    const QRect area = text->contentsRect();
    const int chars = (area.width() - margin) / charWidth;
    const int lines = (area.height() - margin) / lineHeight;
    if (chars > 19 && lines > 9) {
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        FWordsPerLine = chars - 1;
        FLinePerPage = lines;
        if (!IsEmptyObject(FInitObject)) {
            const TTabularObject start = FInitObject;
            FInitObject = {};
            FStartDisplay = true;
            int line = 0;
            ShowObject(start, QString(), line);
            ShowPage(1);
            FStartDisplay = false;
            FillTreeFromObject(start);
        } else if (!FInitCode.isEmpty()) {
            const QString start = FInitCode;
            FInitCode.clear();
            FStartDisplay = true;
            const bool shown = ShowCodeByText(start, true);
            FStartDisplay = false;
            if (shown)
                text->setFocus();
        } else {
            RelayoutCurrent();
        }
    } else {
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
}

void TfrmKeyWordSearch::SetHeader(const QString& AHeader) {
    FUi->Panel1->setText(AHeader);
}

void TfrmKeyWordSearch::SetDescriptionRows(int AHeight) {
    FUi->pnlChDesc->setFixedHeight(AHeight);
    FUi->pnlChDesc->setVisible(AHeight > 0);
    FUi->pnlSubChapter->setVisible(AHeight > 62);
}

// ---- Composition and pages ---------------------------------------------------------------

void TfrmKeyWordSearch::ComposeCurrent(const QString& ASelectedSubCode, int& ALine) {
    FContent = TComposedText();
    QString selected = ASelectedSubCode;
    if (auto* const* code = std::get_if<TCodeInfo*>(&FCurCode)) {
        const TSubChapter* section = (*code)->FSubChapter;
        FUi->pnlChapterDesc->setText(QStringLiteral("    ") + section->FChapter->FInfo.FName);
        FUi->pnlSubChapterDesc->setText(QStringLiteral("    ") + section->FInfo.FName);
        ComposeCodeText(**code, FWordsPerLine, FLinePerPage, selected, ALine, FContent);
    } else if (auto* const* section = std::get_if<TSubChapter*>(&FCurCode)) {
        FUi->pnlChapterDesc->setText(QStringLiteral("    ") + (*section)->FChapter->FInfo.FName);
        FUi->pnlSubChapterDesc->setText(QStringLiteral("    ") + (*section)->FInfo.FName);
        ComposeSectionText(**section, FWordsPerLine, FContent);
    } else if (auto* const* chapter = std::get_if<TChapter*>(&FCurCode)) {
        FUi->pnlChapterDesc->setText(QStringLiteral("    ") + (*chapter)->FInfo.FName);
        FUi->pnlSubChapterDesc->clear();
        ComposeChapterText(**chapter, FContent);
    }
    FPageNumber = std::max(1, PageOfLine(static_cast<int>(FContent.Lines.size()), FLinePerPage));
    UpdateNavigationButtons();
}

void TfrmKeyWordSearch::ShowObject(const TTabularObject& AObject, const QString& ASelectedSubCode,
                                   int& ALine) {
    FCurPageIndex = 0;
    FCurCode = AObject;
    const QString chapterTitle = QStringLiteral("Chapter   : ");
    const QString sectionTitle = QStringLiteral("Subchapter: ");
    if (auto* const* code = std::get_if<TCodeInfo*>(&AObject)) {
        SetDescriptionRows(122);
        const TSubChapter* section = (*code)->FSubChapter;
        FUi->pnlChapterTitle->setText(chapterTitle + section->FChapter->FInfo.FScope);
        FUi->pnlSubChapterTitle->setText(sectionTitle + section->FInfo.FScope);
        SetHeader(FStartDisplay ? kHeaderSection : kHeaderSearch);
    } else if (auto* const* section = std::get_if<TSubChapter*>(&AObject)) {
        SetDescriptionRows(62);
        FUi->pnlChapterTitle->setText(chapterTitle + (*section)->FChapter->FInfo.FScope);
        FUi->pnlSubChapterTitle->setText(sectionTitle + (*section)->FInfo.FScope);
        SetHeader(kHeaderSubChapter);
    } else if (auto* const* chapter = std::get_if<TChapter*>(&AObject)) {
        SetDescriptionRows(0);
        FUi->pnlChapterTitle->setText(chapterTitle + (*chapter)->FInfo.FScope);
        FUi->pnlSubChapterTitle->clear();
        SetHeader(kHeaderChapter);
    }
    ComposeCurrent(ASelectedSubCode, ALine);
}

void TfrmKeyWordSearch::ShowPage(int APage, bool AForce) {
    HidePrompt();
    HideStatus();
    if (IsEmptyObject(FCurCode))
        return;
    const int page = APage <= 0 ? 1 : std::min(APage, FPageNumber);
    if (!AForce && page == FCurPageIndex)
        return;
    FCurPageIndex = page;
    ApplyPage(RenderPage(FContent.Lines, FContent.Kinds, FLinePerPage, page, FSelectedCode,
                         FSearchKeyWordVariantList, FContent.TypeWords));
    FUi->lbRec->setText(QStringLiteral("%1/%2").arg(page).arg(FPageNumber));
    FUi->btnFirstPage->setEnabled(page > 1);
    FUi->btnPriorPage->setEnabled(page > 1);
    FUi->btnNextPage->setEnabled(page < FPageNumber);
    FUi->btnLastPage->setEnabled(page < FPageNumber);
}

void TfrmKeyWordSearch::ApplyPage(const TRenderedPage& APage) {
    FOriginalLine = APage.OriginalLine;
    QTextEdit* text = FUi->RichEdit1;
    text->setUpdatesEnabled(false);
    // The last line feed would open an empty line below the page and make it one line taller
    // than the text area.
    const QString shown = APage.Text.endsWith(QLatin1Char('\n')) ? APage.Text.chopped(1) : APage.Text;
    const int end = static_cast<int>(shown.size());
    // Through the document: the control's own setPlainText would give the whole new page the
    // format at the caret, the underline of the last page's selected code among it.
    text->document()->setPlainText(shown);
    QTextCursor cursor(text->document());
    for (const TColourRun& run : APage.Runs) {
        cursor.setPosition(std::min(static_cast<int>(run.Start), end));
        cursor.setPosition(std::min(static_cast<int>(run.Start + run.Length), end), QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setForeground(ToColor(run.Colour));
        cursor.mergeCharFormat(format);
    }
    if (APage.SelectedStart >= 0) {
        cursor.setPosition(static_cast<int>(APage.SelectedStart));
        cursor.setPosition(static_cast<int>(APage.SelectedStart + APage.SelectedLength),
                           QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setFontUnderline(true);
        cursor.mergeCharFormat(format);
    }
    // The caret starts on the underlined code, so that the copy keys act on it at once.
    QTextCursor caret(text->document());
    if (APage.SelectedStart >= 0)
        caret.setPosition(std::min(static_cast<int>(APage.SelectedStart), end));
    text->setTextCursor(caret);
    text->setUpdatesEnabled(true);
}

void TfrmKeyWordSearch::RelayoutCurrent() {
    if (IsEmptyObject(FCurCode))
        return;
    int unused = 0;
    ComposeCurrent(QString(), unused);
    const int line = LineOfAnchor(FContent.Kinds, FOriginalLine);
    ShowPage(PageOfLine(line, FLinePerPage), true);
}

// ---- Navigation --------------------------------------------------------------------------

TVisitItem TfrmKeyWordSearch::CurrentVisit() const {
    return TVisitItem{FCurCode, FSelectedCode, FCurPageIndex};
}

void TfrmKeyWordSearch::PushBack(bool AClearReview) {
    FHistory.PushBack(CurrentVisit(), AClearReview);
}

void TfrmKeyWordSearch::UpdateNavigationButtons() {
    FUi->btnBack->setEnabled(FHistory.CanGoBack());
    FUi->btnReview->setEnabled(FHistory.CanReview());
}

void TfrmKeyWordSearch::ShowVisit(const TVisitItem& AItem) {
    FSelectedCode = AItem.FSelectedCode;
    int unused = 0;
    ShowObject(AItem.FObject, QString(), unused);
    ShowPage(AItem.FPageIndex);
    SelectTreeNodeOf(AItem.FObject);
}

void TfrmKeyWordSearch::SelectTreeNodeOf(const TTabularObject& AObject) {
    // The result list marks the category shown when it lists it, and nothing otherwise; its
    // last shown node follows, so that a click on the node marked before shows it again.
    QTreeWidget* tree = FUi->TreeView1;
    QTreeWidgetItem* found = nullptr;
    for (int i = 0; i < tree->topLevelItemCount() && !found; ++i)
        if (ObjectOfItem(tree->topLevelItem(i)) == AObject)
            found = tree->topLevelItem(i);
    FCurCodeItem = found;
    if (found) {
        tree->setCurrentItem(found);
        tree->scrollToItem(found);
    } else {
        tree->clearSelection();
    }
}

void TfrmKeyWordSearch::GoBack() {
    HidePrompt();
    TVisitItem target;
    if (FHistory.GoBack(CurrentVisit(), target))
        ShowVisit(target);
}

void TfrmKeyWordSearch::GoReview() {
    HidePrompt();
    TVisitItem target;
    if (FHistory.GoReview(CurrentVisit(), target))
        ShowVisit(target);
}

void TfrmKeyWordSearch::StepCode(bool ABackward) {
    auto* const* code = std::get_if<TCodeInfo*>(&FCurCode);
    if (!code || !ChapterList)
        return;
    TCodeInfo* next = StepCategory(*ChapterList, **code, ABackward);
    if (!next)
        return;
    PushBack(true);
    int unused = 0;
    ShowObject(next, QString(), unused);
    FSelectedCode = next->FCode;
    ShowPage(1);
    SelectTreeNodeOf(next);
}

void TfrmKeyWordSearch::JumpToChapter() {
    HidePrompt();
    TChapter* chapter = nullptr;
    if (auto* const* code = std::get_if<TCodeInfo*>(&FCurCode))
        chapter = (*code)->FSubChapter->FChapter;
    else if (auto* const* section = std::get_if<TSubChapter*>(&FCurCode))
        chapter = (*section)->FChapter;
    if (!chapter)
        return;
    PushBack(true);
    FSelectedCode.clear();
    int unused = 0;
    ShowObject(chapter, QString(), unused);
    ShowPage(1);
    SelectTreeNodeOf(chapter);
    FUi->RichEdit1->setFocus();
}

void TfrmKeyWordSearch::JumpToSection() {
    HidePrompt();
    auto* const* code = std::get_if<TCodeInfo*>(&FCurCode);
    if (!code)
        return;
    PushBack(true);
    FSelectedCode.clear();
    int unused = 0;
    ShowObject((*code)->FSubChapter, QString(), unused);
    ShowPage(1);
    SelectTreeNodeOf((*code)->FSubChapter);
    FUi->RichEdit1->setFocus();
}

void TfrmKeyWordSearch::FillTreeFromObject(const TTabularObject& AObject) {
    FUi->TreeView1->clear();
    FCurCodeItem = nullptr;
    const QList<TCodeInfo*> categories = CategoriesOf(AObject);
    for (TCodeInfo* category : categories) {
        auto* item = new QTreeWidgetItem(FUi->TreeView1, {QLatin1Char(' ') + category->FCode});
        item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(category)));
    }
    FUi->plNum->setText(QString::number(categories.size()));
}

void TfrmKeyWordSearch::ShowTreeSelection() {
    // The selected node, not the current one: the tree makes its first node current when it gets
    // the focus, without the user having picked it.
    const QList<QTreeWidgetItem*> selected = FUi->TreeView1->selectedItems();
    QTreeWidgetItem* item = selected.isEmpty() ? nullptr : selected.first();
    if (!item || item == FCurCodeItem)
        return;
    FCurCodeItem = item;
    const TTabularObject object = ObjectOfItem(item);
    if (IsEmptyObject(object))
        return;
    PushBack(true);
    FSelectedCode.clear();
    int unused = 0;
    ShowObject(object, QString(), unused);
    ShowPage(1);
}

void TfrmKeyWordSearch::WheelTurned(int ADelta) {
    if (!FWheel.Accept(NowMs()))
        return;
    QTextEdit* text = FUi->RichEdit1;
    text->setEnabled(false);
    ShowPage(ADelta <= 0 ? FCurPageIndex + 1 : FCurPageIndex - 1);
    text->setEnabled(true);
    text->setFocus();
}

// ---- Going to a code ---------------------------------------------------------------------

bool TfrmKeyWordSearch::ShowCodeByText(const QString& ACode, bool AWithTree) {
    QString category, subCode;
    if (!SplitCode(ACode, category, subCode)) {
        FMessages.Information(this, QStringLiteral("Please select correct code in the text box!"));
        ResetCodeBox();
        return false;
    }
    TCodeInfo* categoryNode = FindCategory(category);
    if (!categoryNode) {
        FMessages.Information(this, QStringLiteral("Code is not exist!"));
        ResetCodeBox();
        return false;
    }
    TCodeInfo* found = nullptr;
    if (subCode.size() == 4) {
        QString fullDesc;
        found = categoryNode->FindHeaderBy4SubCodes(subCode, fullDesc);
        if (found) {
            TfrmInfoOf7Code& dialog = InfoDialog();
            dialog.SetQuestion(ACode, found->FCode, fullDesc);
            if (dialog.exec() != TDialogResult::Ok) {
                ResetCodeBox();
                return false;
            }
            QString foundCategory;
            SplitCode(found->FCode, foundCategory, subCode);
        }
    } else {
        found = categoryNode->FindSubCodeByName(subCode);
    }
    if (!found &&
        !FMessages.Question(this,
                            QStringLiteral("Code found but Sub-Category is not correct, would you "
                                           "like continue to view code text?"),
                            QStringLiteral("Sub-Category not found!"), QMessageBox::Yes)) {
        ResetCodeBox();
        return false;
    }
    if (AWithTree) {
        FUi->TreeView1->clear();
        FCurCodeItem = nullptr;
        auto* item = new QTreeWidgetItem(FUi->TreeView1, {categoryNode->FCode});
        item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(categoryNode)));
        FUi->plNum->setText(QStringLiteral("1"));
    }
    PushBack(true);
    int line = 0;
    ShowObject(categoryNode, subCode, line);
    FSelectedCode = categoryNode->FCode;
    if (!subCode.isEmpty())
        FSelectedCode += QLatin1Char('.') + subCode;
    ShowPage(PageOfLine(std::max(line, 1), FLinePerPage));
    ResetCodeBox();
    return true;
}

TfrmInfoOf7Code& TfrmKeyWordSearch::InfoDialog() {
    if (FInfoDialog)
        return *FInfoDialog;
    if (!FOwnInfoDialog)
        FOwnInfoDialog = std::make_unique<TfrmInfoOf7Code>(this);
    return *FOwnInfoDialog;
}

// ---- Copying codes -----------------------------------------------------------------------

void TfrmKeyWordSearch::ShowAvailableCodes(const QString& ACode, bool AWithDesc) {
    QString category, subCode;
    if (!SplitCode(ACode, category, subCode))
        return;
    TfrmSelectCode dialog(FMessages, this);
    dialog.SetCodeHeader(category + QLatin1Char('.') + subCode);
    const int count = dialog.GetAllAvailableCodes();
    if (count == 0) {
        // A code text that names no code of the tabular list is not put on the clipboard.
        FMessages.Information(this, QStringLiteral("Code is not exist!"));
        return;
    }
    if (count == 1) {
        // The one reportable code: the code itself when it is final, else the only code below.
        const QString code = dialog.FCodeList.first();
        const QString desc = dialog.FDescList.value(0);
        FUi->edtSelected->setText(code);
        QString clip = code;
        if (AWithDesc && !desc.isEmpty())
            clip += QStringLiteral("  ") + (CtrlKeyDown() ? dialog.GetShortDesc(code, desc) : desc);
        QGuiApplication::clipboard()->setText(clip);
        return;
    }
    if (dialog.exec() == TDialogResult::Ok)
        FUi->edtSelected->setText(dialog.FSelectedCode);
}

QString TfrmKeyWordSearch::TrimmedSelection() const {
    return FUi->RichEdit1->textCursor().selectedText().trimmed();
}

QString TfrmKeyWordSearch::CodeToActOn() const {
    const QString selection = TrimmedSelection();
    if (!selection.isEmpty() || FCurPageIndex < 1)
        return selection;
    const int line = (FCurPageIndex - 1) * FLinePerPage + FUi->RichEdit1->textCursor().blockNumber();
    return CodeOfComposedLine(FContent.Lines, FContent.Kinds, line);
}

void TfrmKeyWordSearch::ActOnCode(TCodeAction AAction) {
    const QString code = CodeToActOn();
    if (code.isEmpty()) {
        ShowStatus(QStringLiteral("No code here: select a code, or put the caret on the line of "
                                  "a code."));
        return;
    }
    QString category, subCode;
    if (AAction == TCodeAction::Go) {
        // A selection that is no code is reported by ShowCodeByText itself.
        ShowCodeByText(code, false);
        FUi->RichEdit1->setFocus();
    } else if (!SplitCode(code, category, subCode)) {
        ShowStatus(QStringLiteral("The selection is not a code."));
    } else {
        ShowAvailableCodes(code, AAction == TCodeAction::CopyCodeDesc);
    }
}

QString TfrmKeyWordSearch::CodeToAdd() const {
    QString code = CodeToActOn();
    if (code.isEmpty())
        code = FSelectedCode;
    if (auto* const* category = std::get_if<TCodeInfo*>(&FCurCode); code.isEmpty() && category)
        code = (*category)->FCode;
    return code;
}

void TfrmKeyWordSearch::AddToFavorites() {
    const QString text = CodeToAdd();
    if (text.isEmpty()) {
        ShowStatus(QStringLiteral("No code here: select a code, or put the caret on the line of "
                                  "a code."));
        return;
    }
    QString category, subCode, description;
    if (!SplitCode(text, category, subCode) || !DescribeCode(text, description)) {
        ShowStatus(QStringLiteral("\"%1\" is not a code of this edition.").arg(text.left(40)));
        return;
    }
    const QString code = subCode.isEmpty() ? category : category + QLatin1Char('.') + subCode;
    if (!CurrentAccount || !CurrentAccount->IsLoaded()) {
        ShowStatus(QStringLiteral("Log in on the main window to keep favorite codes."));
        return;
    }
    try {
        const bool added = CurrentAccount->AddFavoriteCode(code);
        ShowStatus((added ? QStringLiteral("%1 added to the favorite codes of %2.")
                          : QStringLiteral("%1 is one of the favorite codes of %2 already."))
                       .arg(code, CurrentAccount->FUserName));
    } catch (const TAccountFileError& error) {
        FMessages.Information(this, QStringLiteral("The favorite codes could not be saved.\n\n%1")
                                        .arg(QString::fromStdString(error.what())));
    }
}

void TfrmKeyWordSearch::ShowStatus(const QString& AText) {
    FStatus->setText(AText);
    FStatus->adjustSize();
    const QWidget* area = FUi->RichEdit1;
    FStatus->move(4, std::max(0, area->height() - FStatus->height() - 4));
    FStatus->show();
    FStatus->raise();
    FStatusTimer->start();
}

void TfrmKeyWordSearch::HideStatus() {
    FStatus->hide();
    FStatusTimer->stop();
}

void TfrmKeyWordSearch::CopySelection() {
    const QString selection = FUi->RichEdit1->textCursor().selectedText();
    if (!selection.isEmpty())
        QGuiApplication::clipboard()->setText(selection);
}

void TfrmKeyWordSearch::MenuAboutToShow() {
    QString category, subCode;
    const bool isCode = SplitCode(CodeToActOn(), category, subCode);
    Jump1->setEnabled(isCode);
    SelectCodeS1->setEnabled(isCode);
    Copy1->setEnabled(!FUi->RichEdit1->textCursor().selectedText().isEmpty());
    SelectCodeDescF111->setEnabled(true);
    CopyCodeShortDescF111->setEnabled(true);
    AddFavorite1->setEnabled(!CodeToAdd().isEmpty());
}

void TfrmKeyWordSearch::WidenSelectionToCode() {
    QTextEdit* edit = FUi->RichEdit1;
    QTextCursor cursor = edit->textCursor();
    const TTextRange picked{cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
    const TTextRange code = ::WidenSelectionToCode(edit->toPlainText(), picked);
    if (code == picked)
        return;
    cursor.setPosition(static_cast<int>(code.Start));
    cursor.setPosition(static_cast<int>(code.Start + code.Length), QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
}

// ---- The code box ------------------------------------------------------------------------

QString TfrmKeyWordSearch::CodeBoxText() const {
    QString text = FUi->edtCode->displayText();
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text;
}

void TfrmKeyWordSearch::ResetCodeBox() {
    FUi->edtCode->setText(kEmptyCodeBox);
    FUi->edtCode->setSelection(0, 1);
}

void TfrmKeyWordSearch::CodeBoxKeyReleased() {
    const QString text = CodeBoxText();
    int firstPos = 0;
    QChar firstChar;
    if (CountCodeChars(text, firstPos, firstChar) == 1 && firstPos != 1) {
        FUi->edtCode->setText(firstChar + kEmptyCodeBox.mid(1));
        FUi->edtCode->setSelection(1, 1);
    }
}

void TfrmKeyWordSearch::CodeBoxClicked() {
    int firstPos = 0;
    QChar firstChar;
    const int n = CountCodeChars(CodeBoxText(), firstPos, firstChar);
    if (n < 3)
        FUi->edtCode->setSelection(n, 1);
    else if (n < 8)
        FUi->edtCode->setSelection(n + 1, 1);
}

void TfrmKeyWordSearch::GoClick() {
    HidePrompt();
    ShowCodeByText(CodeBoxText().trimmed().toUpper(), false);
    FUi->edtCode->setFocus();
}

void TfrmKeyWordSearch::JumpClick() {
    ActOnCode(TCodeAction::Go);
}

// ---- Keys, mouse and the rest ------------------------------------------------------------

bool TfrmKeyWordSearch::HandleWindowKey(int AKey) {
    switch (AKey) {
    case Qt::Key_Escape:
        if (!HideFloatingPanels())
            reject();
        return true;
    case Qt::Key_PageUp: ShowPage(FCurPageIndex - 1); return true;
    case Qt::Key_PageDown: ShowPage(FCurPageIndex + 1); return true;
    case Qt::Key_F1: ShowPage(1); return true;
    case Qt::Key_F2: ShowPage(FPageNumber); return true;
    case Qt::Key_F3: GoBack(); return true;
    case Qt::Key_F4: GoReview(); return true;
    case Qt::Key_F6: FUi->edtCode->setFocus(); return true;
    case Qt::Key_F7: FUi->edtKeyWord->setFocus(); return true;
    case Qt::Key_F8: StepCode(true); return true;
    case Qt::Key_F9: StepCode(false); return true;
    case Qt::Key_F12: AskQuit(); return true;
    case Qt::Key_F5: JumpClick(); return true;
    case Qt::Key_F10: ActOnCode(TCodeAction::CopyCode); return true;
    case Qt::Key_F11: ActOnCode(TCodeAction::CopyCodeDesc); return true;
    default: return false;
    }
}

void TfrmKeyWordSearch::AskQuit() {
    if (AskQuitProgram(FMessages, this))
        done(TSearchResult::Quit);
}

bool TfrmKeyWordSearch::eventFilter(QObject* AWatched, QEvent* AEvent) {
    QTextEdit* text = FUi->RichEdit1;
    const QEvent::Type type = AEvent->type();
    if (AWatched == text && type == QEvent::Resize) {
        // The text area has its new size now; lay out after the event has been handled.
        QTimer::singleShot(0, this, &TfrmKeyWordSearch::TextAreaResized);
        return false;
    }
    if (AWatched == text && type == QEvent::Enter)
        HidePrompt();
    if (type == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(AEvent);
        // Ctrl+D in the page, the boxes or the list (a line edit would read it as Delete).
        if (IsAddFavoriteKey(key) && (AWatched == text || AWatched == FUi->edtCode ||
                                      AWatched == FUi->edtKeyWord || AWatched == FUi->TreeView1)) {
            AddToFavorites();
            return true;
        }
        if (AWatched == text) {
            HideStatus();
            if (key->matches(QKeySequence::Copy)) {
                CopySelection();
                return true;
            }
            return HandleWindowKey(key->key());
        }
        if (AWatched == FUi->edtCode || AWatched == FUi->edtKeyWord || AWatched == FUi->TreeView1) {
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            // Escape must see whether a panel was open, so it does its own hiding.
            if (!(enter && AWatched != FUi->TreeView1) && key->key() != Qt::Key_Escape)
                HidePrompt();
            return HandleWindowKey(key->key());
        }
    }
    if (type == QEvent::KeyRelease) {
        if (AWatched == FUi->edtCode)
            CodeBoxKeyReleased();
        else if (AWatched == FUi->TreeView1)
            ShowTreeSelection();
    }
    if (AWatched == FUi->edtCode && type == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(AEvent)->button() == Qt::LeftButton)
        QTimer::singleShot(0, this, &TfrmKeyWordSearch::CodeBoxClicked);
    if (AWatched == text->viewport()) {
        if (type == QEvent::Wheel) {
            WheelTurned(static_cast<QWheelEvent*>(AEvent)->angleDelta().y());
            AEvent->accept();
            return true;
        }
        if (type == QEvent::MouseButtonDblClick)
            QTimer::singleShot(0, this, &TfrmKeyWordSearch::WidenSelectionToCode);
    }
    if (AWatched == FUi->pnlChapterDesc || AWatched == FUi->pnlSubChapterDesc) {
        auto* label = static_cast<QLabel*>(AWatched);
        if (type == QEvent::Enter && !label->text().isEmpty())
            label->setCursor(Qt::PointingHandCursor);
        else if (type == QEvent::Leave)
            label->unsetCursor();
        else if (type == QEvent::MouseButtonRelease &&
                 static_cast<QMouseEvent*>(AEvent)->button() == Qt::LeftButton) {
            if (AWatched == FUi->pnlChapterDesc)
                JumpToChapter();
            else
                JumpToSection();
            return true;
        }
    }
    return QDialog::eventFilter(AWatched, AEvent);
}

void TfrmKeyWordSearch::keyPressEvent(QKeyEvent* AEvent) {
    // Escape from any other control (a check box, a button) also closes a panel first.
    if (AEvent->key() == Qt::Key_Escape && AEvent->modifiers() == Qt::NoModifier &&
        HideFloatingPanels()) {
        AEvent->accept();
        return;
    }
    if (IsAddFavoriteKey(AEvent)) {
        AddToFavorites();
        AEvent->accept();
        return;
    }
    // Enter that a control left unused (the code box after Go, the result list, the page) must
    // not press the dialog's default button, which is whichever button follows the first focus
    // (the history button). A focused button takes its Enter before it comes here.
    if (AEvent->key() == Qt::Key_Return || AEvent->key() == Qt::Key_Enter) {
        AEvent->accept();
        return;
    }
    QDialog::keyPressEvent(AEvent);
}

void TfrmKeyWordSearch::reject() {
    done(TSearchResult::Back);
}

void TfrmKeyWordSearch::FullTextToggled(bool AChecked) {
    for (QCheckBox* box : {FUi->ckDescription, FUi->ckInclusion, FUi->ckIncludes, FUi->ckCodeFirst,
                           FUi->ckCodeAlso, FUi->ckExclude1, FUi->ckExclude2}) {
        box->setEnabled(AChecked);
        if (!AChecked)
            box->setChecked(false);
    }
    if (AChecked)
        FUi->ckDescription->setChecked(true);
}

void TfrmKeyWordSearch::ClearKeywords(bool AAlsoResults) {
    HidePrompt();
    FUi->edtKeyWord->clear();
    FUi->Edit1->clear();
    ResetCodeBox();
    FUi->lbCombine->setText(QStringLiteral(" Unknown "));
    if (!AAlsoResults)
        return;
    FUi->TreeView1->clear();
    FCurCodeItem = nullptr;
    FUi->pnlChapterDesc->clear();
    FUi->pnlSubChapterDesc->clear();
    FUi->RichEdit1->clear();
}

void TfrmKeyWordSearch::HidePrompt() {
    FUi->plPrompt->hide();
}

bool TfrmKeyWordSearch::HideFloatingPanels() {
    const bool shown = FUi->plPrompt->isVisible() || FUi->plHistory->isVisible();
    FUi->plPrompt->hide();
    FUi->plHistory->hide();
    return shown;
}
