#include "FontCharMetrics.h"

#include <QFontMetrics>

void GetFontCharMetrics(const QFont& AFont, int& ACharWidth, int& ALineHeight) {
    const QFontMetrics metrics(AFont);
    ACharWidth = metrics.horizontalAdvance(QLatin1Char('A'));
    ALineHeight = metrics.lineSpacing();
}
