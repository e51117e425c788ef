#include "GridHeaderRow.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <QStringList>

namespace {

// The smallest pixel size a header shrinks to.
const int kSmallestHeaderPixels = 8;

bool Fits(const THeaderCellLook& ALook, const QSize& ACell) {
    const QFontMetrics metrics(ALook.Font);
    const QStringList words =
        ALook.Text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (const QString& word : words)
        if (metrics.horizontalAdvance(word) > ACell.width())
            return false;
    const QRect used = metrics.boundingRect(QRect(0, 0, ACell.width(), 100000), ALook.Flags, ALook.Text);
    return used.height() <= ACell.height();
}

} // namespace

THeaderCellLook HeaderCellLook(const QString& AText, const QFont& AGridFont, const QSize& ACell) {
    THeaderCellLook look;
    look.Fill = QColor(206, 221, 240);
    look.Font = AGridFont;
    look.Font.setBold(true);
    look.Flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    look.Text = AText;
    look.Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (ACell.isValid() && look.Font.pixelSize() > 0)
        while (look.Font.pixelSize() > kSmallestHeaderPixels && !Fits(look, ACell))
            look.Font.setPixelSize(look.Font.pixelSize() - 1);
    return look;
}

void THeaderRowDelegate::paint(QPainter* APainter, const QStyleOptionViewItem& AOption,
                               const QModelIndex& AIndex) const {
    if (AIndex.row() != 0) {
        QStyledItemDelegate::paint(APainter, AOption, AIndex);
        return;
    }
    const THeaderCellLook look = LookFor(AOption, AIndex);
    APainter->save();
    APainter->fillRect(AOption.rect, look.Fill);
    APainter->setFont(look.Font);
    APainter->setPen(AOption.palette.color(QPalette::WindowText));
    APainter->drawText(TextRoom(AOption.rect), look.Flags, look.Text);
    APainter->restore();
}

QRect THeaderRowDelegate::TextRoom(const QRect& ACell) {
    return ACell.adjusted(HeaderMargin, HeaderMargin, -HeaderMargin, 0);
}

THeaderCellLook THeaderRowDelegate::LookFor(const QStyleOptionViewItem& AOption,
                                            const QModelIndex& AIndex) {
    return HeaderCellLook(AIndex.data().toString(), AOption.font, TextRoom(AOption.rect).size());
}
