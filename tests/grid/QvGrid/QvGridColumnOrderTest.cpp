// The column order: finding dragged columns by their original index, putting them back,
// the grouped offsets, and the lookup by header text.

#include "grid/QvGrid.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>
#include <thread>

using namespace grid;

namespace {

void headers(TQvStringGrid& g, int cols)
{
    g.SetColCount(cols);
    g.SetRowCount(3);
    for (int c = 0; c < cols; ++c)
        g.SetCells(c, 0, QStringLiteral("H%1").arg(c));
}

QStringList headerRow(const TQvStringGrid& g)
{
    QStringList out;
    for (int c = 0; c < g.ColCount(); ++c)
        out << g.Cells(c, 0);
    return out;
}

TEST(QvGridColumnOrder, ADraggedColumnIsFoundAndPutBack)
{
    TQvStringGrid g;
    headers(g, 5);
    g.SetColumnOrder();
    g.MoveColumn(1, 3);
    EXPECT_EQ(g.ColumnPosition(1), 3);
    EXPECT_EQ(g.ColumnAtPosition(3), 1);
    EXPECT_EQ(g.ColumnPosition(2), 1);
    g.ResetColumnOrder();
    EXPECT_EQ(headerRow(g), (QStringList{"H0", "H1", "H2", "H3", "H4"}));
    EXPECT_EQ(g.ColumnPosition(1), 1);
}

TEST(QvGridColumnOrder, TheFirstMoveRecordsTheOrder)
{
    TQvStringGrid g;
    headers(g, 5);
    ASSERT_EQ(g.ColumnOrder().Count(), 0);
    EXPECT_EQ(g.ColumnPosition(4), 4);
    g.MoveColumn(4, 1);
    EXPECT_EQ(g.ColumnPosition(4), 1);
    EXPECT_EQ(g.ColumnAtPosition(1), 4);
}

TEST(QvGridColumnOrder, AnyShuffleIsPutBack)
{
    std::mt19937 rnd(7);
    for (int run = 0; run < 20; ++run) {
        TQvStringGrid g;
        headers(g, 8);
        g.SetColumnOrder();
        for (int k = 0; k < 10; ++k)
            g.MoveColumn(int(rnd() % 8), int(rnd() % 8));
        g.ResetColumnOrder();
        EXPECT_EQ(headerRow(g), (QStringList{"H0", "H1", "H2", "H3", "H4", "H5", "H6", "H7"})) << run;
    }
}

TEST(QvGridColumnOrder, GroupedOffsets)
{
    TQvStringGrid g;
    headers(g, 6);
    g.SetColumnOrder();
    g.MoveColumn(4, 5);
    const int p4 = g.ColumnPosition(4), a5 = g.ColumnAtPosition(5);
    g.SetGroupColumn(2);
    EXPECT_EQ(g.ColumnPosition(1), 1);   // left of the group column: as found
    EXPECT_EQ(g.ColumnAtPosition(1), 1); // entry 1 lies left of the group column
    g.SetGroupColumn(-1);
    EXPECT_EQ(g.ColumnPosition(4), p4);
    EXPECT_EQ(g.ColumnAtPosition(5), a5);
}

TEST(QvGridColumnOrder, PositionOfAnIndexTheShortListLacksIsTheIndexItself)
{
    TQvStringGrid g;
    headers(g, 4);
    g.SetColumnOrder();
    g.AddColumn();
    g.AddColumn();
    EXPECT_EQ(g.ColumnPosition(5), 5);
    g.HideColumn(1);
    EXPECT_EQ(g.ColumnPosition(7), 7);
}

TEST(QvGridColumnOrder, ColumnByHeaderFindsHiddenColumnsAndMatchesCase)
{
    TQvStringGrid g;
    headers(g, 5);
    g.HideColumn(3);
    EXPECT_EQ(g.ColumnByHeader("H3"), 3);
    EXPECT_EQ(g.ColumnByHeader("h3"), -1);
    EXPECT_EQ(g.ColumnByHeader("H4"), 4);
    EXPECT_EQ(g.ColumnByHeader("none"), -1);
}

TEST(QvGridColumnOrder, ResetShowsHiddenColumns)
{
    TQvStringGrid g;
    headers(g, 5);
    g.HideColumn(2);
    g.ResetColumnOrder();
    EXPECT_EQ(g.NumHiddenColumns(), 0);
    EXPECT_EQ(g.ColumnOrder().Count(), 5);
}

// A repeated entry can never be reached by moves: the reset leaves the columns alone instead
// of moving for ever. A watchdog ends the test program if it does not return.
TEST(QvGridColumnOrder, AnOrderWithARepeatedEntryEndsWithoutMoving)
{
    TQvStringGrid g;
    headers(g, 5);
    g.SetColumnOrder();
    g.ColumnOrder().SetInteger(3, 1);
    g.ColumnOrder().SetInteger(4, 0);

    std::mutex mutex;
    std::condition_variable cv;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock<std::mutex> lock(mutex);
        if (!cv.wait_for(lock, std::chrono::seconds(10), [&] { return done; })) {
            std::fprintf(stderr, "ResetColumnOrder did not return\n");
            std::_Exit(1);
        }
    });
    g.ResetColumnOrder();
    {
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
    }
    cv.notify_one();
    watchdog.join();
    EXPECT_EQ(headerRow(g), (QStringList{"H0", "H1", "H2", "H3", "H4"}));
}

} // namespace
