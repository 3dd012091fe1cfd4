#include "grid/store/CellStore.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

struct Tag : TObject {
    explicit Tag(int v) : value(v) {}
    int value;
};

} // namespace

TEST(CellStore, EmptyStoreHoldsNothing)
{
    TCellStore s;
    EXPECT_EQ(s.Text(0, 0), QString());
    EXPECT_EQ(s.Object(3, 1000000), nullptr);
    EXPECT_EQ(s.RowExtent(), 0);
    EXPECT_EQ(s.UsedCells(), 0u);
    EXPECT_EQ(s.Text(-1, 0), QString()); // negative indexes read as empty
}

TEST(CellStore, WritesReadBackInAnyOrder)
{
    TCellStore s;
    struct Case {
        int col, row;
        QString text;
    };
    const Case cases[] = {{5, 2, "e"}, {0, 2, "first"}, {3, 2, "middle"},
                          {9, 0, "x"}, {2, 7, "ü∑"},    {3, 2, "longer middle text"},
                          {0, 2, ""}};
    for (const Case& c : cases)
        s.SetText(c.col, c.row, c.text);
    EXPECT_EQ(s.Text(5, 2), "e");
    EXPECT_EQ(s.Text(0, 2), "");
    EXPECT_EQ(s.Text(3, 2), "longer middle text");
    EXPECT_EQ(s.Text(9, 0), "x");
    EXPECT_EQ(s.Text(2, 7), "ü∑");
    EXPECT_EQ(s.UsedCells(), 4u); // the emptied cell is gone
}

TEST(CellStore, MemoryFollowsUsedCellsOnly)
{
    TCellStore s;
    s.SetText(1, 999999, u"far away");
    EXPECT_EQ(s.UsedCells(), 1u);
    s.SetText(1, 999999, u"");
    EXPECT_EQ(s.RowExtent(), 0); // the directory shrinks back with the last used row
}

TEST(CellStore, ObjectsWithoutTextAreKept)
{
    TCellStore s;
    Tag a(1), b(2);
    s.SetObject(2, 3, &a);
    s.SetText(1, 3, u"t");
    s.SetObject(0, 3, &b);
    EXPECT_EQ(s.Object(2, 3), &a);
    EXPECT_EQ(s.Object(0, 3), &b);
    EXPECT_EQ(s.Text(2, 3), "");
    s.SetObject(2, 3, nullptr);
    EXPECT_EQ(s.UsedCells(), 2u);
}

TEST(CellStore, RowOperationsCarryTextsAndObjects)
{
    TCellStore s;
    Tag t(7);
    for (int r = 0; r < 5; ++r)
        s.SetText(0, r, QString::number(r));
    s.SetObject(1, 2, &t);

    s.InsertRows(1, 2);
    EXPECT_EQ(s.Text(0, 0), "0");
    EXPECT_EQ(s.Text(0, 1), "");
    EXPECT_EQ(s.Text(0, 3), "1");
    EXPECT_EQ(s.Object(1, 4), &t);

    s.DeleteRows(1, 2);
    EXPECT_EQ(s.Text(0, 1), "1");
    EXPECT_EQ(s.Object(1, 2), &t);

    s.MoveRow(0, 3); // 1 2 3 0 4
    EXPECT_EQ(s.Text(0, 0), "1");
    EXPECT_EQ(s.Text(0, 3), "0");
    EXPECT_EQ(s.Object(1, 1), &t);
    s.MoveRow(3, 0);
    EXPECT_EQ(s.Text(0, 0), "0");
    EXPECT_EQ(s.Object(1, 2), &t);
}

TEST(CellStore, DeleteRowListClosesEveryGapInOnePass)
{
    struct Case {
        std::vector<int> rows;
        QStringList left;
    };
    const Case cases[] = {
        {{1, 3}, {"0", "2", "4", "5"}},          {{0, 1, 2}, {"3", "4", "5"}},
        {{5}, {"0", "1", "2", "3", "4"}},        {{}, {"0", "1", "2", "3", "4", "5"}},
        {{4, 9, 12}, {"0", "1", "2", "3", "5"}}, // rows past the stored ones change nothing
    };
    for (const Case& c : cases) {
        TCellStore s;
        Tag t(3);
        for (int r = 0; r < 6; ++r)
            s.SetText(0, r, QString::number(r));
        s.SetObject(1, 5, &t);
        s.DeleteRowList(c.rows);
        QStringList left;
        for (int r = 0; r < s.RowExtent(); ++r)
            left << s.Text(0, r);
        EXPECT_EQ(left, c.left);
        const int objectRow = int(c.left.indexOf("5"));
        if (objectRow >= 0) {
            EXPECT_EQ(s.Object(1, objectRow), &t);
        }
    }
}

TEST(CellStore, ColumnOperationsCarryTextsAndObjects)
{
    TCellStore s;
    Tag t(1);
    for (int c = 0; c < 4; ++c)
        s.SetText(c, 0, QString("c%1").arg(c));
    s.SetObject(2, 0, &t);

    s.MoveCol(0, 3); // c1 c2 c3 c0
    EXPECT_EQ(s.Text(0, 0), "c1");
    EXPECT_EQ(s.Text(3, 0), "c0");
    EXPECT_EQ(s.Object(1, 0), &t);

    s.DeleteCols(1, 1); // c1 c3 c0
    EXPECT_EQ(s.Text(1, 0), "c3");
    EXPECT_EQ(s.Object(1, 0), nullptr);
    EXPECT_EQ(s.Text(2, 0), "c0");

    s.InsertCols(0, 2);
    EXPECT_EQ(s.Text(2, 0), "c1");
    EXPECT_EQ(s.Text(0, 0), "");
}

// Scattered rows leave in one pass and come back at their places; rows put in after the last
// stored one cost nothing.
TEST(CellStore, RowListsLeaveAndComeBackInOnePass)
{
    TCellStore s;
    Tag t(1);
    for (int r = 0; r < 8; ++r)
        s.SetText(0, r, QString("r%1").arg(r));
    s.SetObject(1, 5, &t);
    const std::vector<int> gone{1, 2, 5, 7};
    s.DeleteRowList(gone);
    QStringList left;
    for (int r = 0; r < s.RowExtent(); ++r)
        left << s.Text(0, r);
    EXPECT_EQ(left, QStringList({"r0", "r3", "r4", "r6"}));
    EXPECT_EQ(s.Object(1, 2), nullptr);

    s.InsertRowList(gone);
    for (int r : gone)
        EXPECT_FALSE(s.RowHasData(r)) << r;
    for (int r : {0, 3, 4, 6})
        EXPECT_EQ(s.Text(0, r), QString("r%1").arg(r));
    EXPECT_EQ(s.RowExtent(), 7); // the empty last row needs no slot
}
