// The header row of the table window's grid: an ordinary first row that the window draws
// itself, filled light blue, in bold, each text centred and word-wrapped from the top of its
// cell. A header text may start with a line break ("\r\nSubstance") to begin on its second line.
#pragma once

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>
#include <QStyledItemDelegate>

// How one header cell is drawn.
struct THeaderCellLook {
    QColor Fill;
    QFont Font;
    int Flags = 0; // Qt alignment and wrapping flags for QPainter::drawText
    QString Text;  // with CR LF turned into the line break the painter knows
};

// The look of header text AText in a grid of font AGridFont. With ACell (the room for the text)
// the font shrinks, a pixel at a time, until every word fits the width and the wrapped text the
// height, so that no header is cut ("unintentional" is wider than a code column).
THeaderCellLook HeaderCellLook(const QString& AText, const QFont& AGridFont,
                               const QSize& ACell = QSize());

// Blank pixels between a header cell's edges and its text (left, right and top).
inline constexpr int HeaderMargin = 2;

// Draws row 0 by HeaderCellLook; every other row as the grid would.
class THeaderRowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* APainter, const QStyleOptionViewItem& AOption,
               const QModelIndex& AIndex) const override;
    // The look row 0's cell AIndex is painted with, for a cell of AOption.rect.
    static THeaderCellLook LookFor(const QStyleOptionViewItem& AOption, const QModelIndex& AIndex);
    // Where the text of a header cell of ACell goes.
    static QRect TextRoom(const QRect& ACell);
};
