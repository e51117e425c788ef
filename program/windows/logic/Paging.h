// Page arithmetic of the index and table windows: they show their result a page at a time and
// keep the selected term selected when a resize changes the page size. Positions in the whole
// result are counted from 1, pages from 1.
#pragma once

// Number of pages for ACount items: rounded up, 0 for none.
int PageCount(int ACount, int ALinesPerPage);

// APage clamped to APages, and then to at least 1.
int ClampPage(int APage, int APages);

// Height of a list row for a font AFontHeight pixels high shown at APixelsPerInch: the
// character height scaled from points (AFontHeight x APixelsPerInch / 72, halves to even) plus
// one pixel of spacing. 14 at 96 pixels per inch gives 20.
int RowHeightPx(int AFontHeight, int APixelsPerInch);

// Page size for an area of AHeight pixels with rows of ARowHeight: two rows fewer than fit,
// when more than ten fit; otherwise ACurrent stays.
int LinesPerPageFor(int AHeight, int ARowHeight, int ACurrent);

// Position in the whole result of the row AIndexOnPage (from 0) of page APage; a row index
// below 0 (nothing selected) stands for the first row of the page.
int PositionOf(int APage, int ALinesPerPage, int AIndexOnPage);

// The page that holds position APosition, at least 1.
int PageOfPosition(int APosition, int ALinesPerPage);

// The row index (from 0) of position APosition on its page.
int IndexOnPage(int APosition, int ALinesPerPage);
