#include "Paging.h"

#include <cmath>

int PageCount(int ACount, int ALinesPerPage) {
    if (ACount <= 0 || ALinesPerPage <= 0)
        return 0;
    return (ACount + ALinesPerPage - 1) / ALinesPerPage;
}

int ClampPage(int APage, int APages) {
    if (APage > APages)
        APage = APages;
    return APage <= 0 ? 1 : APage;
}

int RowHeightPx(int AFontHeight, int APixelsPerInch) {
    return static_cast<int>(std::nearbyint(AFontHeight * APixelsPerInch / 72.0)) + 1;
}

int LinesPerPageFor(int AHeight, int ARowHeight, int ACurrent) {
    if (ARowHeight <= 0)
        return ACurrent;
    const int rows = AHeight / ARowHeight;
    return rows > 10 ? rows - 2 : ACurrent;
}

int PositionOf(int APage, int ALinesPerPage, int AIndexOnPage) {
    return (APage - 1) * ALinesPerPage + (AIndexOnPage < 0 ? 0 : AIndexOnPage) + 1;
}

int PageOfPosition(int APosition, int ALinesPerPage) {
    const int page = PageCount(APosition, ALinesPerPage);
    return page < 1 ? 1 : page;
}

int IndexOnPage(int APosition, int ALinesPerPage) {
    const int rest = APosition % ALinesPerPage;
    return rest == 0 ? ALinesPerPage - 1 : rest - 1;
}
