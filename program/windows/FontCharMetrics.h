// Measuring a font for fixed-pitch page layout.
#pragma once

class QFont;

// The width of the letter A and the height of one line of AFont, in whole pixels rounded up, so
// that a page measured with them fits the area it is measured for.
void GetFontCharMetrics(const QFont& AFont, int& ACharWidth, int& ALineHeight);
