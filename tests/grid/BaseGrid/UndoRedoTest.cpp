#include "grid/BaseGrid.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

struct Fixture {
    Fixture()
    {
        g.SetColCount(6);
        g.SetRowCount(6);
        g.SetUndoRedo(&u);
    }
    // A user edit: the change is registered, then written.
    void edit(int col, int row, const QString& text)
    {
        u.RegisterChange(col, row, g.Cells(col, row), text);
        g.SetCells(col, row, text);
    }
    TBaseGrid g;
    VOreRizeZuvuZira u;
};

} // namespace

TEST(UndoRedo, MaxLevelKeepsTheNewestRecords)
{
    Fixture f;
    f.u.SetMaxLevel(2);
    f.edit(1, 1, "a");
    f.edit(1, 2, "b");
    f.edit(1, 3, "c");
    ASSERT_EQ(f.u.Items().size(), 2u);
    EXPECT_EQ(f.u.Items()[0].Value, "b");
    EXPECT_EQ(f.u.Level(), 2);
    f.u.Undo();
    EXPECT_EQ(f.g.Cells(1, 3), "");
    EXPECT_EQ(f.g.Row(), 3);
    f.u.Undo();
    EXPECT_EQ(f.g.Cells(1, 2), "");
    f.u.Undo(); // nothing left
    EXPECT_EQ(f.u.Level(), 0);
    EXPECT_EQ(f.g.Cells(1, 1), "a");
}

TEST(UndoRedo, SequenceIsOneStep)
{
    Fixture f;
    f.g.SetCells(2, 2, "x0");
    f.g.SetCells(3, 3, "y0");
    f.u.StartSequence();
    f.edit(2, 2, "x1");
    f.edit(3, 3, "y1");
    f.u.StopSequence();
    EXPECT_EQ(f.u.Level(), 4);

    std::vector<TPoint> order;
    f.u.OnUndo = [&](VOreRizeZuvuZira*, TBaseGrid*, int c, int r, const QString& orig, const QString& now) {
        order.push_back({c, r});
        if (c == 3) {
            EXPECT_EQ(orig, "y1"); // the cell's text before the restore
            EXPECT_EQ(now, "y0");
        }
    };
    f.u.Undo();
    EXPECT_EQ(f.u.Level(), 0);
    EXPECT_EQ(f.g.Cells(2, 2), "x0");
    EXPECT_EQ(f.g.Cells(3, 3), "y0");
    EXPECT_EQ(order, (std::vector<TPoint>{{3, 3}, {2, 2}})); // the later one first

    order.clear();
    f.u.OnRedo = [&](VOreRizeZuvuZira*, TBaseGrid*, int c, int r, const QString&, const QString&) {
        order.push_back({c, r});
    };
    f.u.Redo();
    EXPECT_EQ(f.u.Level(), 4);
    EXPECT_EQ(f.g.Cells(2, 2), "x1");
    EXPECT_EQ(f.g.Cells(3, 3), "y1");
    EXPECT_EQ(order, (std::vector<TPoint>{{2, 2}, {3, 3}})); // the earlier one first
}

TEST(UndoRedo, NewChangeAfterUndoKeepsTheUndoneRecord)
{
    Fixture f;
    f.edit(1, 1, "a");
    f.edit(1, 2, "b");
    f.u.Undo();
    f.edit(1, 3, "c");
    ASSERT_EQ(f.u.Items().size(), 3u);
    EXPECT_EQ(f.u.Items()[1].Value, "b");
    EXPECT_EQ(f.u.Level(), 3);
    EXPECT_FALSE(f.u.CanRedo());
}

TEST(UndoRedo, WithoutGridNothingChanges)
{
    VOreRizeZuvuZira u;
    u.RegisterChange(1, 1, "a", "b");
    u.Undo();
    EXPECT_EQ(u.Level(), 1);
    u.Reset();
    EXPECT_EQ(u.Level(), 0);
    EXPECT_FALSE(u.CanUndo()); // an empty history promises nothing
    u.Redo();
    EXPECT_EQ(u.Level(), 0);
}

TEST(UndoRedo, OrphanMarkersAreNeverWrittenIntoCells)
{
    Fixture f;
    f.u.SetMaxLevel(2);
    f.u.StartSequence();
    f.edit(1, 1, "a");
    f.edit(1, 2, "b"); // drops the start marker
    f.u.StopSequence();
    f.u.Undo();
    EXPECT_EQ(f.u.Level(), 0);
    EXPECT_EQ(f.g.Cells(1, 1), "");
    for (int i = 0; i < 5; ++i) {
        f.u.Redo();
        EXPECT_GE(f.u.Level(), 0);
        EXPECT_LE(f.u.Level(), int(f.u.Items().size()));
    }
    EXPECT_EQ(f.g.Cells(1, 2), "b");
}

TEST(UndoRedo, ForgetsADestroyedGrid)
{
    VOreRizeZuvuZira u;
    {
        TBaseGrid g;
        g.SetUndoRedo(&u);
        u.RegisterChange(1, 1, "", "x");
    }
    EXPECT_EQ(u.Grid(), nullptr);
    u.Undo();
    EXPECT_EQ(u.Level(), 1);
}
