#include "TermLevelWindow.h"

#include "BrowserHelpers.h"
#include "Find.h"
#include "IndexCodeText.h"
#include "ModalResults.h"
#include "Paging.h"
#include "ScreenFit.h"
#include "WindowStyle.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

TTermLevelWindow::TTermLevelWindow(TMessageService& AMessages, TCodeOpener AOpenCode,
                                   QWidget* AParent)
    : QDialog(AParent, SearchWindowFlags), FMessages(AMessages),
      FOpenCode(AOpenCode ? std::move(AOpenCode) : DefaultCodeOpener(AMessages)) {}

TTermLevelWindow::~TTermLevelWindow() = default;

void TTermLevelWindow::SetUpLevelWindow(const TTermLevelControls& AControls) {
    FControls = AControls;
    const TTermLevelControls& c = FControls;
    SetUpSearchWindow(this);

    PaintAsBar(c.plTitle);
    PaintAsBar(c.Panel1);
    PaintAsBar(c.Panel4);
    c.plTitle->setFont(TahomaFont(29));
    for (QLabel* label : {c.lbLevel, c.lbCount, c.lbPage})
        label->setFont(TahomaFont(14));
    c.edtMain->setFont(TahomaFont(14));
    c.TreeView1->setFont(PixelFont(QStringLiteral("Courier New"), 14));
    c.btnBack->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TTermLevelWindow::PopupMenu1Popup);
    connect(c.List, &QWidget::customContextMenuRequested, this,
            &TTermLevelWindow::ShowPopupMenu);

    connect(c.edtMain, &QLineEdit::textChanged, this, &TTermLevelWindow::EditChanged);
    connect(c.Button1, &QPushButton::clicked, c.edtMain, &QLineEdit::clear);
    connect(c.btnBack, &QPushButton::clicked, this, [this] { done(TSearchResult::Back); });
    connect(c.btnBackMain, &QPushButton::clicked, this,
            [this] { done(TSearchResult::BackToMainTerm); });
    connect(c.btnPrior, &QPushButton::clicked, this, &TTermLevelWindow::PriorPage);
    connect(c.btnNext, &QPushButton::clicked, this, &TTermLevelWindow::NextPage);

    c.edtMain->installEventFilter(this);
    c.TreeView1->installEventFilter(this);
    c.List->installEventFilter(this);
    c.List->viewport()->installEventFilter(this);
    AddFindShortcut(this, FMessages, FOpenCode);

    // Narrower than designed (maximised on a small screen), the page controls keep to the right.
    auto* bar = new TBarFit(c.Panel4, 1167);
    for (QWidget* control : {static_cast<QWidget*>(c.btnPrior), static_cast<QWidget*>(c.lbPage),
                             static_cast<QWidget*>(c.btnNext)})
        bar->Add(control, TBarFit::TRule::Shift);
}

QAction* TTermLevelWindow::AddMenuEntry(const char* AName, const QString& AText) {
    QAction* action = PopupMenu1->addAction(AText);
    action->setObjectName(QString::fromLatin1(AName));
    return action;
}

void TTermLevelWindow::reject() {
    done(TSearchResult::Back);
}

void TTermLevelWindow::showEvent(QShowEvent* AEvent) {
    QDialog::showEvent(AEvent);
    if (!FShown) {
        FShown = true;
        FShowing = true;
        FormShow();
        FShowing = false;
    }
}

void TTermLevelWindow::ShowLevel(bool AShowManif) {
    if (FCurItem) {
        FControls.lbLevel->setText(QStringLiteral("#%1 Level Term").arg(FCurItem->FLevel + 1));
        FillTrail(FControls.TreeView1, *FCurItem, AShowManif);
    } else {
        FControls.pnlTree->hide();
        FControls.btnBackMain->hide();
    }
}

void TTermLevelWindow::Search() {
    FItemList = SearchListedTerms(FType, FCurItem, SearchTextOf(FControls.edtMain->text()));
}

void TTermLevelWindow::RenderPage() {
    const int count = static_cast<int>(FItemList.size());
    const int pages = PageCount(count, FLinesPerPage);
    FCurPage = ClampPage(FCurPage, pages);
    ShowTerms(FItemList.mid((FCurPage - 1) * FLinesPerPage, FLinesPerPage));
    ShowPaging(FControls.lbCount, FControls.lbPage, FControls.btnPrior, FControls.btnNext, count,
               FCurPage, pages);
}

int TTermLevelWindow::RepageKeeping(int ARowOnPage, int ARoom, int ARowHeight) {
    const int position = PositionOf(FCurPage, FLinesPerPage, ARowOnPage);
    FLinesPerPage = LinesPerPageFor(ARoom, ARowHeight, FLinesPerPage);
    FCurPage = PageOfPosition(position, FLinesPerPage);
    RenderPage();
    return IndexOnPage(position, FLinesPerPage);
}

void TTermLevelWindow::NextPage() {
    if (FCurPage < PageCount(static_cast<int>(FItemList.size()), FLinesPerPage)) {
        ++FCurPage;
        RenderPage();
    }
}

void TTermLevelWindow::PriorPage() {
    if (FCurPage > 1) {
        --FCurPage;
        RenderPage();
    }
}

void TTermLevelWindow::EditChanged() {
    Search();
    RenderPage();
}

bool TTermLevelWindow::HandleKey(int AKey, bool AWithEnter) {
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
        done(TSearchResult::Back);
        return true;
    case Qt::Key_PageUp:
        PriorPage();
        return true;
    case Qt::Key_PageDown:
        NextPage();
        return true;
    case Qt::Key_F3:
        done(TSearchResult::BackToMainTerm);
        return true;
    case Qt::Key_F12:
        QuitPrompt();
        return true;
    default:
        return HandleViewKey(AKey);
    }
}

void TTermLevelWindow::keyPressEvent(QKeyEvent* AEvent) {
    if (!HandleKey(AEvent->key(), false))
        QDialog::keyPressEvent(AEvent);
}

bool TTermLevelWindow::eventFilter(QObject* AWatched, QEvent* AEvent) {
    QAbstractItemView* list = FControls.List;
    QLineEdit* box = FControls.edtMain;
    switch (AEvent->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(AEvent);
        if (AWatched == list || AWatched == FControls.TreeView1) {
            if (HandleKey(key->key(), AWatched == list))
                return true;
            if (AWatched == list)
                TypeAheadOnTitles(list, key, TitleColumn);
        } else if (AWatched == box && IsEnterOrDown(key)) {
            EnterList();
            return true;
        } else if (AWatched == box && !FCurItem && TypeFirstLetterAsCapital(box, key)) {
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
        if (AWatched == list)
            ListFocusIn();
        break;
    case QEvent::Resize:
        if (AWatched == FControls.ResizeWatch && !FShowing)
            FormResize();
        break;
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(AEvent);
        if (AWatched == list->viewport() && mouse->button() == Qt::LeftButton) {
            ListDoubleClick(mouse->position().toPoint());
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(AWatched, AEvent);
}

void TTermLevelWindow::ShowPopupMenu(const QPoint& APos) {
    PopupMenu1->popup(FControls.List->viewport()->mapToGlobal(APos));
}

void TTermLevelWindow::ViewCodeText(const QString& AText) {
    const std::optional<QString> code = IndexCodeText(AText);
    if (code && FOpenCode(this, *code) == TSearchResult::Quit)
        done(TSearchResult::Quit);
}

void TTermLevelWindow::ViewSubTerm() {
    const TTerm* term = TermAtHand();
    if (!term || term->FSubTermList.empty())
        return;
    int result = 0;
    {
        const std::unique_ptr<TTermLevelWindow> window = NewSubTermWindow();
        window->FType = FType;
        window->FCurItem = term;
        result = window->exec();
    }
    if (result == TSearchResult::BackToMainTerm && FCurItem && !KeepsOpenOnBackToMainTerm())
        done(TSearchResult::BackToMainTerm);
    else if (result == TSearchResult::Quit)
        done(TSearchResult::Quit);
}

void TTermLevelWindow::QuitPrompt() {
    if (AskQuitProgram(FMessages, this))
        done(TSearchResult::Quit);
}
