// The cells of a table term: made only on a write, read as six empty texts before that.
#include "IndexModel.h"
#include "TableCells.h"

#include <gtest/gtest.h>

namespace {

TEST(TableCells, ATermWithoutCellsReadsSixEmptyTextsAndStaysWithoutABlock) {
    const TTerm term(static_cast<TAlphaLetter*>(nullptr), 0);
    EXPECT_EQ(term.FCodesInCell.size(), 6u);
    int seen = 0;
    for (const QString& cell : term.FCodesInCell) {
        EXPECT_TRUE(cell.isEmpty());
        ++seen;
    }
    EXPECT_EQ(seen, 6);
    EXPECT_TRUE(term.FCodesInCell[5].isEmpty());
    EXPECT_FALSE(term.FCodesInCell.HasBlock());
    EXPECT_EQ(term.FCodesInCell, (std::array<QString, 6>{}));
}

TEST(TableCells, WritesListsAndCopies) {
    TTableCells cells;
    cells[4] = QStringLiteral("T39.1X5");
    EXPECT_TRUE(cells.HasBlock());
    EXPECT_EQ(cells, (std::array<QString, 6>{{{}, {}, {}, {}, QStringLiteral("T39.1X5"), {}}}));

    const TTableCells listed = {QStringLiteral("A"), QStringLiteral("B")};
    EXPECT_EQ(listed[1], QStringLiteral("B"));
    EXPECT_TRUE(listed[2].isEmpty()); // the cells after the list stay empty

    TTableCells copy = listed;
    copy[0] = QStringLiteral("changed");
    EXPECT_EQ(listed[0], QStringLiteral("A")); // a copy owns its own cells
    copy = TTableCells();
    EXPECT_FALSE(copy.HasBlock());
    EXPECT_EQ(copy, TTableCells());
    EXPECT_FALSE(copy == listed);
}

} // namespace
