// The header row of the table window's grid: an ordinary first row that the window draws
// itself, filled light blue, in bold, each text centred and word-wrapped from the top of its
// cell. A header text may start with a line break ("\r\nSubstance") to begin on its second line.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStyledItemDelegate>

// How one header cell is drawn.
struct THeaderCellLook {
    QColor Fill;
    QFont Font;
    int Flags = 0; // Qt alignment and wrapping flags for QPainter::drawText
    QString Text;  // with CR LF turned into the line break the painter knows
};

THeaderCellLook HeaderCellLook(const QString& AText, const QFont& AGridFont);

// Draws row 0 by HeaderCellLook; every other row as the grid would.
class THeaderRowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* APainter, const QStyleOptionViewItem& AOption,
               const QModelIndex& AIndex) const override;
};
