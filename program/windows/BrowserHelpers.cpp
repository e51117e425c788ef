#include "BrowserHelpers.h"

#include "EngineGlobals.h"
#include "MessageService.h"
#include "TermDataSet.h"
#include "Waiting.h"
#include "WindowStyle.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

bool AskQuitProgram(TMessageService& AMessages, QWidget* AParent) {
    return AMessages.Question(AParent, QStringLiteral("Do you want to quit this program?"),
                              QStringLiteral("Exit Program"), QMessageBox::No);
}

bool TypeFirstLetterAsCapital(QLineEdit* ABox, const QKeyEvent* AEvent) {
    const QString text = AEvent->text();
    if (!ABox->text().isEmpty() || text.size() != 1 || text[0] < QLatin1Char('a') ||
        text[0] > QLatin1Char('z'))
        return false;
    if (AEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    ABox->insert(text.toUpper());
    return true;
}

bool IsEnterOrDown(const QKeyEvent* AEvent) {
    const int key = AEvent->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down;
}

bool TypeAheadOnTitles(QAbstractItemView* AView, const QKeyEvent* AEvent, int ATitleColumn) {
    const QString text = AEvent->text();
    if (text.isEmpty() || !text[0].isPrint() ||
        (AEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QModelIndex current = AView->currentIndex();
    if (current.isValid() && current.column() != ATitleColumn)
        AView->selectionModel()->setCurrentIndex(current.siblingAtColumn(ATitleColumn),
                                                 QItemSelectionModel::NoUpdate);
    return true;
}

void PaintAsBar(QWidget* AWidget) {
    SetBackgroundColor(AWidget, TColors::SkyBlue);
}

void FillTrail(QTreeWidget* ATree, const TTerm& AItem, bool AShowManif) {
    ATree->clear();
    QTreeWidgetItem* parent = nullptr;
    for (const TTerm* term : TrailOf(AItem)) {
        auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(ATree);
        node->setText(0, term->GetFullTitle(AShowManif));
        parent = node;
    }
    ATree->expandAll();
}

QList<const TTerm*> SearchListedTerms(int AType, const TTerm* ACurItem, const QString& AText) {
    if (ACurItem)
        return SearchSubTerms(*ACurItem, AText);
    struct TSource {
        const TAlphaLetterList* Letters;
        const TLoadState* State;
        TLetterRule Rule;
    };
    const TSource sources[] = {
        {DiseaseIndexList, &DiseaseIndexLoadState, TLetterRule::Exact},
        {ExternalIndexList, &ExternalIndexLoadState, TLetterRule::Exact},
        {DrugTableList, &DrugTableLoadState, TLetterRule::DigitsInHash},
        {NeoplasmTableList, &NeoplasmTableLoadState, TLetterRule::DigitsInHash},
    };
    if (AType < TTermData::DiseaseIndex || AType > TTermData::NeoplasmTable)
        return {};
    const TSource& source = sources[AType - TTermData::DiseaseIndex];
    TWaitForDataSet wait(*source.State);
    return SearchMainTerms(source.Letters, AText, source.Rule);
}

void ShowPaging(QLabel* ARecords, QLabel* APage, QAbstractButton* APrior, QAbstractButton* ANext,
                int ACount, int ACurPage, int APages) {
    ARecords->setText(QStringLiteral("Records: %1").arg(ACount));
    APage->setText(APages > 0 ? QStringLiteral("Page: %1/%2").arg(ACurPage).arg(APages)
                              : QStringLiteral("Page: 0/0"));
    APrior->setEnabled(APages > 0 && ACurPage != 1);
    ANext->setEnabled(APages > 0 && ACurPage < APages);
}
