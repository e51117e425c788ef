// What the index and table windows share: the quit prompt of F12, the capital first letter of
// the search box at the main-term level, the look of their bars, the trail of the term whose
// sub-terms are listed, and the search of the list they show.
#pragma once

#include "IndexSearch.h"

#include <QList>

class QAbstractButton;
class QAbstractItemView;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QWidget;
class TMessageService;
class TTerm;

// "Records: n" and "Page: p/pages" (or "Page: 0/0" for an empty list), with Prior and Next
// enabled only where there is a page to go to.
void ShowPaging(QLabel* ARecords, QLabel* APage, QAbstractButton* APrior, QAbstractButton* ANext,
                int ACount, int ACurPage, int APages);

// The trail of AItem (its main term down to itself) as a chain of nodes, all expanded.
void FillTrail(QTreeWidget* ATree, const TTerm& AItem, bool AShowManif);

// The terms a window of data set AType (TTermData) lists for the search text: the sub-terms of
// ACurItem when it is set, else the main terms of the data set, waiting behind the waiting
// dialog while it is still loading. Empty for any other type.
QList<const TTerm*> SearchListedTerms(int AType, const TTerm* ACurItem, const QString& AText);

// "Do you want to quit this program?" with Yes and No, No (the safe answer) the default; true for
// Yes. Every window's quit prompt (F12) is this one, with one look and one default.
bool AskQuitProgram(TMessageService& AMessages, QWidget* AParent);

// While ABox is empty, a typed letter a-z goes in as its capital. True when AEvent was used.
bool TypeFirstLetterAsCapital(QLineEdit* ABox, const QKeyEvent* AEvent);

// Enter, Return or Down: the keys that move from a search box into its list.
bool IsEnterOrDown(const QKeyEvent* AEvent);

// Before a typed character reaches AView's type-ahead, the current index moves to ATitleColumn of
// its row, so that the type-ahead matches the titles and never the marker column (whose blanks
// would make Space jump between rows). True when AEvent is such a character.
bool TypeAheadOnTitles(QAbstractItemView* AView, const QKeyEvent* AEvent, int ATitleColumn);

// Sky-blue background for a bar or title panel.
void PaintAsBar(QWidget* AWidget);
