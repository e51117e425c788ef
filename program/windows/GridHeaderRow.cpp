#include "GridHeaderRow.h"

#include <QPainter>

THeaderCellLook HeaderCellLook(const QString& AText, const QFont& AGridFont) {
    THeaderCellLook look;
    look.Fill = QColor(206, 221, 240);
    look.Font = AGridFont;
    look.Font.setBold(true);
    look.Flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    look.Text = AText;
    look.Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return look;
}

void THeaderRowDelegate::paint(QPainter* APainter, const QStyleOptionViewItem& AOption,
                               const QModelIndex& AIndex) const {
    if (AIndex.row() != 0) {
        QStyledItemDelegate::paint(APainter, AOption, AIndex);
        return;
    }
    const THeaderCellLook look = HeaderCellLook(AIndex.data().toString(), AOption.font);
    APainter->save();
    APainter->fillRect(AOption.rect, look.Fill);
    APainter->setFont(look.Font);
    APainter->setPen(AOption.palette.color(QPalette::WindowText));
    APainter->drawText(AOption.rect.adjusted(2, 2, -2, 0), look.Flags, look.Text);
    APainter->restore();
}
