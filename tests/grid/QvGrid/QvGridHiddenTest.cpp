// Hidden columns and rows: counts, the real/displayed mapping both ways, and hide/unhide
// round trips of texts, cell objects and heights.

#include "grid/QvCGrid.h"
#include "grid/QvGrid.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

struct Tag : TObject {
    Tag(int v) : value(v) {} // NOLINT: table initialisation
    int value;
};

void fillRows(TQvStringGrid& g, int cols, int rows)
{
    g.SetColCount(cols);
    g.SetRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c)
            g.SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
        g.SetRowHeights(r, 20 + r);
    }
}

TEST(QvGridHiddenColumns, HidingAColumnKeepsItsCellsAndMapsBothWays)
{
    TQvStringGrid g;
    fillRows(g, 6, 3);
    g.SetColWidths(3, 91);
    g.SetColWidths(4, 44);
    g.HideColumn(3);
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.NumHiddenColumns(), 1);
    EXPECT_EQ(g.TotalColCount(), 6);
    EXPECT_TRUE(g.IsHiddenColumn(3));
    EXPECT_EQ(g.ColWidths(3), 44); // the next column moved into the displayed place

    struct Map {
        int displ, real;
    };
    for (const Map m : {Map{0, 0}, Map{2, 2}, Map{3, 4}, Map{4, 5}}) {
        EXPECT_EQ(g.RealColIndex(m.displ), m.real) << m.displ;
        EXPECT_EQ(g.DisplColIndex(m.real), m.displ) << m.real;
    }
    EXPECT_EQ(g.Cells(3, 1), "3:1"); // cells stay at their real column
    EXPECT_EQ(g.Cells(4, 1), "4:1");

    g.UnHideColumn(3);
    EXPECT_EQ(g.ColCount(), 6);
    EXPECT_EQ(g.NumHiddenColumns(), 0);
    EXPECT_EQ(g.ColWidths(3), 91);
    EXPECT_EQ(g.ColWidths(4), 44);
    EXPECT_FALSE(g.IsHiddenColumn(3));
}

TEST(QvGridHiddenColumns, RefusalsAndIndexesBeyondTheHidingRange)
{
    TQvStringGrid g;
    g.SetColCount(6);
    g.HideColumns(1, 2);
    // Columns from 512 on take no part in hiding: both mappings are identities there, and a
    // displayed index the first 512 real columns do not hold maps to real column 0.
    EXPECT_EQ(g.RealColIndex(600), 600);
    EXPECT_EQ(g.DisplColIndex(602), 602);
    EXPECT_FALSE(g.IsHiddenColumn(600));
    EXPECT_FALSE(g.IsHiddenColumn(-1));
    EXPECT_EQ(g.RealColIndex(511), 0);
    g.HideColumn(1); // already hidden
    g.HideColumn(6); // beyond the last real column
    EXPECT_EQ(g.NumHiddenColumns(), 2);
    g.UnHideColumn(0); // displayed
    EXPECT_EQ(g.NumHiddenColumns(), 2);
    g.UnHideColumnsAll();
    EXPECT_EQ(g.ColCount(), 6);
    EXPECT_EQ(g.NumHiddenColumns(), 0);

    TQvStringGrid one;
    one.SetColCount(1);
    one.HideColumn(0);
    EXPECT_EQ(one.ColCount(), 1);
    EXPECT_EQ(one.NumHiddenColumns(), 0);
}

// Moves between displayed columns while column 1 of 5 and row 2 are hidden: every column keeps
// its texts (hidden row included), its width and its hidden state.
TEST(QvGridHiddenColumns, MovingColumnsKeepsEachColumnWhole)
{
    struct Case {
        int from, to;           // displayed
        std::vector<int> order; // original columns in real order afterwards
    };
    const Case cases[] = {
        {1, 3, {0, 1, 3, 4, 2}},
        {3, 0, {4, 0, 1, 2, 3}},
        {0, 2, {1, 2, 3, 0, 4}},
        {2, 1, {0, 1, 3, 2, 4}},
    };
    for (const Case& k : cases) {
        TQvStringGrid g;
        fillRows(g, 5, 4);
        for (int c = 0; c < 5; ++c)
            g.SetColWidths(c, 30 + c);
        g.HideColumn(1);
        g.HideRow(2);
        g.MoveColumn(k.from, k.to);
        for (int p = 0; p < 5; ++p)
            EXPECT_EQ(g.IsHiddenColumn(p), k.order[std::size_t(p)] == 1) << k.from << "->" << k.to << " real " << p;
        g.UnHideColumnsAll();
        g.UnHideRowsAll();
        ASSERT_EQ(g.ColCount(), 5);
        for (int p = 0; p < 5; ++p) {
            const int orig = k.order[std::size_t(p)];
            EXPECT_EQ(g.ColWidths(p), 30 + orig) << k.from << "->" << k.to << " col " << p;
            for (int r = 0; r < 4; ++r)
                EXPECT_EQ(g.Cells(p, r), QStringLiteral("%1:%2").arg(orig).arg(r))
                    << k.from << "->" << k.to << " col " << p << " row " << r;
        }
    }
}

TEST(QvGridHiddenRows, HideRowsMapsAndRoundTripsTextsObjectsAndHeights)
{
    TQvStringGrid g;
    fillRows(g, 3, 10);
    Tag tags[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (int r = 0; r < 10; ++r)
        g.SetObjectEx(2, r, &tags[r]);
    g.HideRows(2, 4);
    EXPECT_EQ(g.RowCount(), 7);
    EXPECT_EQ(g.NumHiddenRows(), 3);
    EXPECT_EQ(g.TotalRowCount(), 10);
    EXPECT_TRUE(g.IsHiddenRow(3));
    EXPECT_FALSE(g.IsHiddenRow(5));
    struct Map {
        int displ, real;
    };
    for (const Map m : {Map{0, 0}, Map{1, 1}, Map{2, 5}, Map{6, 9}}) {
        EXPECT_EQ(g.RealRowIndex(m.displ), m.real) << m.displ;
        EXPECT_EQ(g.DisplRowIndex(m.real), m.displ) << m.real;
        EXPECT_EQ(g.Cells(0, m.displ), QStringLiteral("0:%1").arg(m.real));
        EXPECT_EQ(g.RowHeights(m.displ), 20 + m.real);
    }
    EXPECT_EQ(g.RealRowIndex(-1), -1);
    EXPECT_EQ(g.GetCellsEx(1, 3), "1:3"); // read by real row from the store
    EXPECT_EQ(g.GetCellsEx(1, 5), "1:5");

    g.UnHideRows(2, 4);
    EXPECT_EQ(g.RowCount(), 10);
    EXPECT_EQ(g.NumHiddenRows(), 0);
    for (int r = 0; r < 10; ++r) {
        EXPECT_EQ(g.Cells(1, r), QStringLiteral("1:%1").arg(r));
        EXPECT_EQ(g.GetObjectEx(2, r), &tags[r]);
        EXPECT_EQ(g.RowHeights(r), 20 + r);
    }
}

TEST(QvGridHiddenRows, ReadingAHiddenRowAppliesTheDisplayTextHook)
{
    TQvStringGrid g;
    fillRows(g, 4, 6);
    g.HideRow(3);
    std::vector<std::pair<int, int>> asked;
    g.OnGetDisplText = [&](TBaseGrid*, int c, int r, QString& v) {
        asked.push_back({c, r});
        v += QLatin1Char('!');
    };
    EXPECT_EQ(g.GetCellsEx(1, 3), "1:3!"); // the hook gets the real row
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{1, 3}}));
    EXPECT_EQ(g.GetCellsEx(1, 4), "1:4!"); // a shown row reads through Cells
    EXPECT_EQ(g.GetCellsEx(-1, 3), "");
}

TEST(QvGridHiddenRows, LaterRunsJoinTheStoreEachWithItsOwnRow)
{
    TQvStringGrid g;
    fillRows(g, 2, 10);
    g.HideRows(3, 3);
    g.HideRows(1, 5);
    EXPECT_EQ(g.NumHiddenRows(), 5);
    EXPECT_EQ(g.RowCount(), 5);
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(g.GetCellsEx(0, r), QStringLiteral("0:%1").arg(r));
    EXPECT_EQ(g.Cells(0, 1), "0:6");

    TQvStringGrid h;
    fillRows(h, 2, 10);
    h.HideRows(2, 4);
    h.UnHideRows(1, 4); // row 1 is displayed: nothing happens
    EXPECT_EQ(h.NumHiddenRows(), 3);
    h.UnHideRow(3);
    EXPECT_EQ(h.NumHiddenRows(), 2);
    EXPECT_EQ(h.Cells(0, 2), "0:3");
    EXPECT_EQ(h.RowHeights(2), 23);
    h.UnHideRowsAll();
    EXPECT_EQ(h.RowCount(), 10);
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(h.Cells(0, r), QStringLiteral("0:%1").arg(r));
}

TEST(QvGridHiddenRows, FilterLevelOverRowsHiddenBefore)
{
    TQvStringGrid g;
    fillRows(g, 2, 10);
    g.HideRows(2, 3); // e.g. a contracted node
    TIntList list(0, 0);
    list.Add(1);
    list.Add(4); // displayed rows: real rows 1 and 6
    g.HideRowList(list);
    EXPECT_EQ(g.FilterLevel(), 1);
    EXPECT_EQ(g.RowCount(), 6);
    QStringList shown;
    for (int r = 0; r < g.RowCount(); ++r)
        shown << g.Cells(0, r);
    EXPECT_EQ(shown, (QStringList{"0:0", "0:4", "0:5", "0:7", "0:8", "0:9"}));
    EXPECT_EQ(g.RealRowIndex(1), 4);
    EXPECT_EQ(g.RealRowIndex(3), 7);
    EXPECT_EQ(g.DisplRowIndex(7), 3);
    EXPECT_TRUE(g.IsHiddenRow(6));
    EXPECT_EQ(g.GetCellsEx(1, 6), "1:6");
    g.UnHideRowList();
    g.SetFilterLevel(g.FilterLevel() - 1);
    shown.clear();
    for (int r = 0; r < g.RowCount(); ++r)
        shown << g.Cells(0, r);
    EXPECT_EQ(shown, (QStringList{"0:0", "0:1", "0:4", "0:5", "0:6", "0:7", "0:8", "0:9"}));
    // The rows hidden before the filter are still hidden, with their contents.
    EXPECT_EQ(g.NumHiddenRows(), 2);
    g.UnHideRows(2, 3);
    EXPECT_EQ(g.RowCount(), 10);
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(g.Cells(0, r), QStringLiteral("0:%1").arg(r));
}

// Filtered rows come back by their real index: rows of a contracted node shown while the filter
// is on do not push them to other places.
TEST(QvGridHiddenRows, RowsShownWhileFilteredLeaveTheFilteredRowsTheirPlace)
{
    TQvStringGrid g;
    fillRows(g, 2, 10);
    g.HideRows(2, 3);
    TIntList list(0, 0);
    list.Add(1);
    list.Add(4); // real rows 1 and 6
    g.HideRowList(list);
    g.UnHideRows(2, 3);
    EXPECT_EQ(g.GetCellsEx(0, 6), "0:6");
    EXPECT_EQ(g.DisplRowIndex(7), 5);
    g.UnHideRowList();
    g.SetFilterLevel(g.FilterLevel() - 1);
    ASSERT_EQ(g.RowCount(), 10);
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(g.Cells(0, r), QStringLiteral("0:%1").arg(r));
    EXPECT_EQ(g.NumHiddenRows(), 0);
}

// A filter level's rows are kept by real index, so the renumbering of hidden rows when a normal
// row is inserted or removed covers them too: they come back between the same neighbours.
TEST(QvGridHiddenRows, FilteredRowsKeepTheirPlaceWhenNormalRowsComeAndGo)
{
    TQvStringGrid g;
    fillRows(g, 2, 10);
    TIntList list(0, 0);
    list.Add(1);
    list.Add(4); // real rows 1 and 4
    g.HideRowList(list);
    g.InsertNormalRow(3); // before real row 3: the filtered row 4 becomes 5
    EXPECT_TRUE(g.IsHiddenRow(1));
    EXPECT_TRUE(g.IsHiddenRow(5));
    EXPECT_FALSE(g.IsHiddenRow(4));
    g.SetCells(0, g.DisplRowIndex(3), QStringLiteral("new"));
    EXPECT_EQ(g.GetCellsEx(0, 5), "0:4");
    g.RemoveNormalRow(g.DisplRowIndex(7)); // the row "0:6"
    EXPECT_EQ(g.GetCellsEx(0, 5), "0:4");
    g.UnHideRowList();
    g.SetFilterLevel(g.FilterLevel() - 1);
    QStringList shown;
    for (int r = 0; r < g.RowCount(); ++r)
        shown << g.Cells(0, r);
    EXPECT_EQ(shown, (QStringList{"0:0", "0:1", "0:2", "new", "0:3", "0:4", "0:5", "0:7", "0:8", "0:9"}));
    EXPECT_EQ(g.NumHiddenRows(), 0);
}

// Showing a row that is shown changes no rows but still makes its cell controls visible.
TEST(QvGridHiddenRows, UnHideOfAShownRowShowsItsControls)
{
    TQvColumnGrid g;
    fillRows(g, 4, 8);
    g.HideRow(1);
    auto* control = new QWidget;
    g.SetCellControls(2, 3, control); // displayed row 3: real row 4
    control->hide();
    g.UnHideRow(4);
    EXPECT_EQ(g.RowCount(), 7);
    EXPECT_FALSE(control->isHidden());
    control->hide();
    g.UnHideRow(1); // hidden: it comes back, and the control of real row 4 stays as it is
    EXPECT_EQ(g.RowCount(), 8);
    EXPECT_EQ(g.Cells(0, 1), "0:1");
    EXPECT_TRUE(control->isHidden());
}

TEST(QvGridHiddenRows, CachedLookupAndHidingWithoutHeights)
{
    TQvStringGrid g;
    fillRows(g, 2, 8);
    g.HideRowsEx(2, 3);
    EXPECT_EQ(g.RowCount(), 6);
    g.HideRowsEx(2, 2); // hidden already: nothing happens
    EXPECT_EQ(g.NumHiddenRows(), 2);
    std::unique_ptr<TIntList> cache;
    struct Case {
        int row;
        bool hidden;
    };
    for (const Case c : {Case{1, false}, Case{2, true}, Case{3, true}, Case{4, false}})
        EXPECT_EQ(g.IsHiddenRow(c.row, cache), c.hidden) << c.row;
    ASSERT_TRUE(cache);
    EXPECT_EQ(cache->Count(), 2);
    g.UnHideRowsAll();
    EXPECT_EQ(g.RowCount(), 8);
    EXPECT_EQ(g.Cells(1, 3), "1:3");
}

TEST(QvGridHiddenRows, DestroyingAGridWithHiddenRowsFreesTheirCellProperties)
{
    auto g = std::make_unique<TQvStringGrid>();
    fillRows(*g, 3, 6);
    g->AddCheckBox(1, 2, true, false);
    g->GetCellProperties(2, 3)->SetAlignment(taCenter);
    g->HideRows(2, 3);
    g.reset(); // LeakSanitizer reports what is not freed
}

TEST(QvGridHiddenRows, TopRowOutsideTheScrollableRowsIsIgnored)
{
    TQvStringGrid g;
    g.resize(200, 120);
    g.SetRowCount(50);
    g.SetTopRowEx(10);
    EXPECT_EQ(g.TopRow(), 10);
    g.SetTopRowEx(0);
    g.SetTopRowEx(50);
    EXPECT_EQ(g.TopRow(), 10);
}

TEST(QvGridHiddenRows, WritingRowReportsOnlyChanges)
{
    TQvStringGrid g;
    std::vector<std::pair<int, int>> seen;
    g.OnRowUpdate = [&](TQvStringGrid*, int o, int n) { seen.emplace_back(o, n); };
    g.SetRowEx(4);
    g.SetRowEx(4);
    g.SetRowEx(2);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{1, 4}, {4, 2}}));
}

} // namespace
