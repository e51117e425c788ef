#include "FontCharMetrics.h"

#include <QFontMetricsF>

#include <cmath>

void GetFontCharMetrics(const QFont& AFont, int& ACharWidth, int& ALineHeight) {
    // Text is laid out with fractional advances and line heights; rounding them to the nearest
    // pixel could make a page a character wider (or a line taller) than the area that shows it,
    // so both are rounded up.
    const QFontMetricsF metrics(AFont);
    ACharWidth = static_cast<int>(std::ceil(metrics.horizontalAdvance(QLatin1Char('A'))));
    ALineHeight = static_cast<int>(std::ceil(metrics.lineSpacing()));
}
