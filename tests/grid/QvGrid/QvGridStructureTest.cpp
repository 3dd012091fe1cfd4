// Row and column structure: inserting, removing and appending rows and columns with their
// side data (flags, objects, hidden rows), removing rows by check state, duplicates and
// selection, clearing, merging and the cell lookups. A seeded run of mixed operations is
// checked against a plain model of the rows after every step.

#include "grid/QvGrid.h"

#include <gtest/gtest.h>

#include <QLabel>

#include <algorithm>
#include <functional>
#include <random>

using namespace grid;

namespace {

// One text per row in column 1: "r<row>".
void fillRows(TQvStringGrid& g, int cols, int rows)
{
    g.SetColCount(cols);
    g.SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            g.SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
}

QStringList column(const TQvStringGrid& g, int col)
{
    QStringList out;
    for (int r = 0; r < g.RowCount(); ++r)
        out << g.Cells(col, r);
    return out;
}

TEST(QvGridStructure, InsertRowsMovesModifiedMarksAndGivesEmptyRowsOfDefaultHeight)
{
    TQvStringGrid g;
    fillRows(g, 3, 6);
    g.SetRowHeights(1, 40);
    g.SetRowModified(1, true);
    g.SetRowModified(3, true);
    g.InsertRows(1, 2);
    EXPECT_EQ(g.RowCount(), 8);
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(g.GetRowModified(r), r == 3 || r == 5) << r;
    for (int r : {1, 2}) {
        EXPECT_EQ(g.Cells(1, r), "") << r;
        EXPECT_EQ(g.RowHeights(r), g.DefaultRowHeight()) << r;
    }
    EXPECT_EQ(g.Cells(1, 3), "1:1");
    EXPECT_EQ(g.RowHeights(3), 40);
}

TEST(QvGridStructure, RemoveRowsOutsideTheGridOrWithoutCountChangesNothingAndCutsTheCount)
{
    struct Case {
        int at, count;
        QStringList left;
    };
    const QStringList all{"1:0", "1:1", "1:2", "1:3", "1:4", "1:5", "1:6", "1:7", "1:8", "1:9"};
    const Case cases[] = {
        {11, 1, all}, {10, 1, all},          {3, 0, all},
        {3, -2, all}, {8, 5, all.mid(0, 8)}, {2, 3, QStringList{"1:0", "1:1", "1:5", "1:6", "1:7", "1:8", "1:9"}},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        fillRows(g, 3, 10);
        g.RemoveRows(c.at, c.count);
        EXPECT_EQ(column(g, 1), c.left) << c.at << "," << c.count;
    }
}

TEST(QvGridStructure, RemoveRowsKeepsTheCurrentRowRules)
{
    struct Case {
        int current, at, count, rowAfter;
        bool hidden;
    };
    // 1 fixed row, rows 1..5 normal.
    const Case cases[] = {
        {3, 3, 1, 3, false}, // rows remain below: the same index stays current
        {5, 5, 1, 4, false}, // the last normal row went: the one before it
        {2, 1, 5, -1, true}, // every normal row went: no cell shows selected
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        fillRows(g, 3, 6);
        g.FocusCell(1, c.current);
        g.RemoveRows(c.at, c.count);
        EXPECT_EQ(g.SelectionHidden(), c.hidden) << c.current;
        if (!c.hidden) {
            EXPECT_EQ(g.Row(), c.rowAfter) << c.current;
        }
    }
}

TEST(QvGridStructure, RemovingARowKeepsTheFlagsAndFreesItsProperties)
{
    TQvStringGrid g;
    fillRows(g, 3, 6);
    g.SetRowModified(4, true);
    g.GetCellProperties(2, 2)->SetBrushColor(0x00FF00);
    g.GetCellProperties(2, 4)->SetBrushColor(0x0000FF);
    g.RemoveRows(2, 1);
    EXPECT_FALSE(g.GetRowModified(4));
    EXPECT_TRUE(g.GetRowModified(3));
    auto* p = dynamic_cast<TCellProperties*>(g.Objects(2, 3));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->BrushColor(), 0x0000FFu);
    EXPECT_EQ(g.Objects(2, 2), nullptr);
}

TEST(QvGridStructure, RemoveCheckedRowsCountsRowsWithoutABoxAsUnchecked)
{
    struct Case {
        bool removeChecked;
        QStringList left;
    };
    // Row 1 checked, row 2 unchecked, row 3 without a box, row 4 checked.
    const Case cases[] = {
        {true, {"1:0", "1:2", "1:3"}},
        {false, {"1:0", "1:1", "1:4"}},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        fillRows(g, 3, 5);
        g.AddCheckBox(2, 1, true, false);
        g.AddCheckBox(2, 2, false, false);
        g.AddCheckBox(2, 4, true, false);
        g.RemoveCheckedRows(2, c.removeChecked);
        EXPECT_EQ(column(g, 1), c.left) << c.removeChecked;
    }
}

TEST(QvGridStructure, RemoveDuplicatesKeepsTheFirstOfEqualTexts)
{
    struct Case {
        bool doCase;
        QStringList left;
    };
    const Case cases[] = {
        {false, {"head", "Alpha", "beta", "gamma"}},
        {true, {"head", "Alpha", "alpha", "beta", "gamma"}},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        g.SetColCount(2);
        g.SetRowCount(7);
        const QStringList texts{"head", "Alpha", "alpha", "beta", "Alpha", "gamma", "beta"};
        for (int r = 0; r < 7; ++r)
            g.SetCells(1, r, texts[r]);
        g.RemoveDuplicates(1, c.doCase);
        EXPECT_EQ(column(g, 1), c.left) << c.doCase;
    }
}

TEST(QvGridStructure, AddRowGoesAboveAVisibleFloatingFooter)
{
    TQvStringGrid g;
    fillRows(g, 3, 5);
    g.FloatingFooter.SetVisible(true);
    g.SetCells(1, 4, "footer");
    g.AddRow();
    EXPECT_EQ(g.RowCount(), 6);
    EXPECT_EQ(g.Cells(1, 4), "");
    EXPECT_EQ(g.Cells(1, 5), "footer");

    g.FloatingFooter.SetVisible(false);
    g.AddRow();
    EXPECT_EQ(g.RowCount(), 7);
    EXPECT_EQ(g.Cells(1, 6), "");
    EXPECT_EQ(g.Cells(1, 5), "footer");
}

TEST(QvGridStructure, MergeColumnCellsMergesRunsOfEqualTexts)
{
    TQvStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(6);
    const QStringList texts{"h", "A", "A", "B", "B", "C"};
    for (int r = 0; r < 6; ++r)
        g.SetCells(1, r, texts[r]);
    g.MergeColumnCells(1, true);
    EXPECT_EQ(g.CellSpan(1, 1).Y, 1);
    EXPECT_EQ(g.CellSpan(1, 3).Y, 1);
    EXPECT_FALSE(g.IsMergedCell(1, 5));
    EXPECT_TRUE(g.IsMergedNonBaseCell(1, 2));
    EXPECT_TRUE(g.IsMergedNonBaseCell(1, 4));

    g.SplitColumnCells(1);
    for (int r = 1; r < 6; ++r)
        EXPECT_FALSE(g.IsMergedCell(1, r)) << r;
}

TEST(QvGridStructure, MergeRowCellsMergesAcrossAndSplitAllUndoes)
{
    TQvStringGrid g;
    g.SetColCount(6);
    g.SetRowCount(3);
    const QStringList texts{"h", "x", "x", "x", "y", "z"};
    for (int c = 0; c < 6; ++c)
        g.SetCells(c, 1, texts[c]);
    g.MergeRowCells(1, true);
    EXPECT_EQ(g.CellSpan(1, 1).X, 2);
    EXPECT_FALSE(g.IsMergedCell(4, 1));
    g.SplitAllCells();
    EXPECT_FALSE(g.IsMergedCell(1, 1));
}

TEST(QvGridStructure, ClearRectKeepsPropertiesOnlyWithClearTextOnly)
{
    for (const bool textOnly : {true, false}) {
        TQvStringGrid g;
        fillRows(g, 4, 4);
        g.GetCellProperties(1, 1)->SetBrushColor(0x00FF00);
        g.AddCheckBox(2, 1, true, false);
        g.ClearTextOnly = textOnly;
        g.ClearRect(1, 1, 2, 2);
        for (int c : {1, 2})
            for (int r : {1, 2})
                EXPECT_EQ(g.Cells(c, r), "") << c << "," << r;
        EXPECT_EQ(g.Cells(3, 1), "3:1");
        EXPECT_EQ(g.HasCheckBox(2, 1), textOnly);
        EXPECT_EQ(g.Objects(1, 1) != nullptr, textOnly);
    }
}

TEST(QvGridStructure, ClearingReportsTheBlockUnlessBlocked)
{
    TQvStringGrid g;
    fillRows(g, 4, 4);
    std::vector<TRect> reported;
    g.OnCellsChanged = [&](TQvStringGrid*, const TRect& r) { reported.push_back(r); };
    g.ClearRect(1, 1, 2, 3);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].Left, 1);
    EXPECT_EQ(reported[0].Bottom, 3);
    g.FBlockCellChange = true;
    g.ClearRows(0, 1);
    EXPECT_EQ(reported.size(), 1u);
    EXPECT_EQ(g.Cells(0, 0), "");
}

TEST(QvGridStructure, TrimAndColorBlocks)
{
    TQvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetCells(1, 1, QStringLiteral(" \t a b \r\n"));
    g.SetCells(2, 1, QStringLiteral("kept "));
    g.TrimRect(1, 1, 1, 1);
    EXPECT_EQ(g.Cells(1, 1), "a b");
    EXPECT_EQ(g.Cells(2, 1), "kept ");
    g.TrimAll();
    EXPECT_EQ(g.Cells(2, 1), "kept");
    g.ColorRect(1, 1, 2, 2, 0x123456);
    for (int c : {1, 2})
        for (int r : {1, 2})
            EXPECT_EQ(dynamic_cast<TCellProperties*>(g.Objects(c, r))->BrushColor(), 0x123456u);
}

TEST(QvGridStructure, RemoveColsPastTheEndStopsAtTheLastColumn)
{
    TQvStringGrid g;
    fillRows(g, 5, 2);
    g.SetColWidths(4, 77);
    g.RemoveCols(2, 10);
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.Cells(1, 1), "1:1");
    EXPECT_EQ(g.Cells(2, 1), "");
}

TEST(QvGridStructure, InsertAndRemoveColsCarryWidthsAndHiddenColumns)
{
    TQvStringGrid g;
    fillRows(g, 5, 2);
    g.SetColWidths(3, 91);
    g.HideColumn(2);
    g.InsertCols(1, 2);
    EXPECT_EQ(g.TotalColCount(), 7);
    EXPECT_TRUE(g.IsHiddenColumn(4));
    EXPECT_FALSE(g.IsHiddenColumn(2));
    EXPECT_EQ(g.Cells(4, 1), "2:1");
    EXPECT_EQ(g.Cells(1, 1), "");
    EXPECT_EQ(g.ColWidths(g.DisplColIndex(5)), 91);
    EXPECT_EQ(g.ColWidths(1), g.DefaultColWidth());

    g.RemoveCols(1, 2);
    EXPECT_EQ(g.TotalColCount(), 5);
    EXPECT_TRUE(g.IsHiddenColumn(2));
    EXPECT_EQ(g.Cells(3, 1), "3:1");
    g.UnHideColumn(2);
    EXPECT_EQ(g.ColWidths(3), 91);
}

TEST(QvGridStructure, AHiddenColumnPushedPastTheHidingRangeIsShown)
{
    TQvStringGrid g;
    g.SetColCount(TQvStringGrid::MaxHideColumns);
    g.SetRowCount(2);
    g.SetCells(TQvStringGrid::MaxHideColumns - 1, 1, "last");
    g.HideColumn(TQvStringGrid::MaxHideColumns - 1);
    ASSERT_EQ(g.NumHiddenColumns(), 1);
    g.InsertCols(0, 3);
    EXPECT_EQ(g.NumHiddenColumns(), 0);
    EXPECT_EQ(g.ColCount(), TQvStringGrid::MaxHideColumns + 3);
    EXPECT_EQ(g.Cells(TQvStringGrid::MaxHideColumns + 2, 1), "last");
}

TEST(QvGridStructure, ColumnsBeyondTheHidingRangeMapWhileColumnsAreHidden)
{
    TQvStringGrid g;
    g.SetColCount(600);
    g.SetRowCount(2);
    g.HideColumn(3);
    struct Map {
        int displ, real;
    };
    // From 512 on both mappings are identities.
    for (const Map m : {Map{2, 2}, Map{3, 4}, Map{510, 511}, Map{512, 512}, Map{598, 598}}) {
        EXPECT_EQ(g.RealColIndex(m.displ), m.real) << m.displ;
        EXPECT_EQ(g.DisplColIndex(m.real), m.displ) << m.real;
    }
    g.InsertCols(550, 2);
    EXPECT_EQ(g.TotalColCount(), 602);
    EXPECT_TRUE(g.IsHiddenColumn(3));
    g.RemoveCols(590, 20);
    EXPECT_EQ(g.TotalColCount(), 590);
    EXPECT_EQ(g.ColCount(), 589);
}

TEST(QvGridStructure, MergeColsJoinsAndRemovesTheSecondColumn)
{
    TQvStringGrid g;
    fillRows(g, 4, 3);
    g.MergeCols(1, 2, " - ");
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.Cells(1, 1), "1:1 - 2:1");
    EXPECT_EQ(g.Cells(1, 0), "1:0");
    EXPECT_EQ(g.Cells(2, 1), "3:1");
}

TEST(QvGridStructure, IsCellFindsTheFirstCellInRowOrder)
{
    TQvStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(4);
    g.SetCells(3, 1, "x");
    g.SetCells(1, 2, "x");
    int c = -1, r = -1;
    ASSERT_TRUE(g.IsCell("x", c, r));
    EXPECT_EQ(c, 3);
    EXPECT_EQ(r, 1);
    EXPECT_FALSE(g.IsCell("X", c, r));
    g.SetCells(2, 2, "|\\abc");
    EXPECT_TRUE(g.IsWideCell(2, 2));
    EXPECT_FALSE(g.IsWideCell(1, 2));
}

TEST(QvGridStructure, RemoveSelectedAndUnselectedRowsOfTheDisjunctSelection)
{
    for (const bool selected : {true, false}) {
        TQvStringGrid g;
        fillRows(g, 3, 6);
        g.MouseActions().SetDisjunctRowSelect(true);
        g.SetRowSelect(2, true);
        g.SetRowSelect(4, true);
        if (selected)
            g.RemoveSelectedRows();
        else
            g.RemoveUnSelectedRows();
        const QStringList left = selected ? QStringList{"1:0", "1:1", "1:3", "1:5"} : QStringList{"1:0", "1:2", "1:4"};
        EXPECT_EQ(column(g, 1), left) << selected;
        EXPECT_EQ(g.RowSelectCount(), 0) << selected;
    }
}

TEST(QvGridStructure, HideSelectedRowsHidesExactlyTheSelectedRows)
{
    TQvStringGrid g;
    fillRows(g, 3, 6);
    g.MouseActions().SetDisjunctRowSelect(true);
    g.SetRowSelect(2, true);
    g.SetRowSelect(3, true);
    g.HideSelectedRows();
    EXPECT_EQ(column(g, 1), (QStringList{"1:0", "1:1", "1:4", "1:5"}));
    EXPECT_TRUE(g.IsHiddenRow(2));
    EXPECT_TRUE(g.IsHiddenRow(3));
    g.UnHideRowsAll();
    g.HideUnSelectedRows();
    EXPECT_EQ(column(g, 1), (QStringList{"1:0", "1:2", "1:3"}));
}

TEST(QvGridStructure, AHiddenRowComesBackBetweenItsOldNeighbours)
{
    TQvStringGrid g;
    fillRows(g, 3, 10);
    g.HideRow(5);
    g.InsertRows(2, 2);
    g.RemoveRows(1, 1);
    ASSERT_EQ(g.GridItems().size(), 1u);
    const int real = g.GridItems().front()->Idx();
    EXPECT_EQ(real, 6);
    g.UnHideRow(real);
    const int at = g.DisplRowIndex(real);
    EXPECT_EQ(g.Cells(1, at), "1:5");
    EXPECT_EQ(g.Cells(1, at - 1), "1:4");
    EXPECT_EQ(g.Cells(1, at + 1), "1:6");
}

TEST(QvGridStructure, TheClearingFamilyClearsItsBlock)
{
    struct Case {
        const char* name;
        std::function<void(TQvStringGrid&)> clear;
        std::vector<QPoint> cleared; // every other cell keeps its text
    };
    // 4 x 5 with 1 fixed column, 1 fixed row, a footer row and a right fixed column.
    const Case cases[] = {
        {"rows", [](TQvStringGrid& g) { g.ClearRows(2, 1); }, {{0, 2}, {1, 2}, {2, 2}, {3, 2}}},
        {"normal rows", [](TQvStringGrid& g) { g.ClearNormalRows(2, 1); }, {{1, 2}, {2, 2}}},
        {"cols", [](TQvStringGrid& g) { g.ClearCols(2, 1); }, {{2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 4}}},
        {"normal cols", [](TQvStringGrid& g) { g.ClearNormalCols(2, 1); }, {{2, 1}, {2, 2}, {2, 3}}},
        {"normal cells",
         [](TQvStringGrid& g) { g.ClearNormalCells(); },
         {{1, 1}, {2, 1}, {1, 2}, {2, 2}, {1, 3}, {2, 3}}},
        {"selection",
         [](TQvStringGrid& g) {
             g.SetSelection({2, 3, 1, 2});
             g.ClearSelection();
         },
         {{1, 2}, {2, 2}, {1, 3}, {2, 3}}},
        {"nothing for no rows", [](TQvStringGrid& g) { g.ClearRows(1, 0); }, {}},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        fillRows(g, 4, 5);
        g.SetFixedFooters(1);
        g.SetFixedRightCols(1);
        c.clear(g);
        for (int col = 0; col < 4; ++col)
            for (int row = 0; row < 5; ++row) {
                const bool cleared = std::find(c.cleared.begin(), c.cleared.end(), QPoint(col, row)) != c.cleared.end();
                EXPECT_EQ(g.Cells(col, row).isEmpty(), cleared) << c.name << " " << col << "," << row;
            }
    }
}

TEST(QvGridStructure, ClearAllEmptiesHiddenRowsToo)
{
    TQvStringGrid g;
    fillRows(g, 3, 5);
    g.HideRow(2);
    g.Clear();
    EXPECT_EQ(g.GetCellsEx(1, 2), "1:2");
    EXPECT_EQ(g.Cells(1, 1), "");
    g.ClearAll();
    EXPECT_EQ(g.GetCellsEx(1, 2), "");
}

TEST(QvGridStructure, RemoveSelectedAndUnselectedColumns)
{
    struct Case {
        bool disjunct, selected;
        QStringList left;
    };
    const Case cases[] = {
        {false, true, {"0:0", "1:0", "4:0", "5:0"}},
        {false, false, {"0:0", "2:0", "3:0"}},
        {true, true, {"0:0", "1:0", "3:0", "5:0"}},
        {true, false, {"0:0", "2:0", "4:0"}},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        fillRows(g, 6, 3);
        if (c.disjunct) {
            g.MouseActions().SetDisjunctColSelect(true);
            g.SetColSelect(2, true);
            g.SetColSelect(4, true);
        } else {
            g.SetSelection({2, 1, 3, 2});
        }
        if (c.selected)
            g.RemoveSelectedCols();
        else
            g.RemoveUnSelectedCols();
        QStringList left;
        for (int col = 0; col < g.ColCount(); ++col)
            left << g.Cells(col, 0);
        EXPECT_EQ(left, c.left) << c.disjunct << c.selected;
    }
}

TEST(QvGridStructure, CellControlsFollowInsertedAndRemovedRows)
{
    TQvStringGrid g;
    fillRows(g, 3, 8);
    QLabel above, below, removed;
    g.ControlList().AddControl(1, 1, &above);
    g.ControlList().AddControl(1, 5, &below);
    g.ControlList().AddControl(1, 3, &removed);
    g.InsertRows(2, 2);
    auto rowOf = [&](QWidget* w) {
        for (int i = 0; i < g.ControlList().Count(); ++i)
            if (g.ControlList().GetControl(i)->Control() == w)
                return g.ControlList().GetControl(i)->Y();
        return -1;
    };
    EXPECT_EQ(rowOf(&above), 1);
    EXPECT_EQ(rowOf(&removed), 5);
    EXPECT_EQ(rowOf(&below), 7);
    g.RemoveRows(4, 2);
    EXPECT_EQ(rowOf(&removed), -1);
    EXPECT_EQ(rowOf(&below), 5);
    EXPECT_EQ(g.ControlList().Count(), 2);
}

// ---- a seeded run against a model ------------------------------------------------------------

struct ModelRow {
    QString text[6];
    bool hidden = false;
    bool modified = false;
    bool hasCheck = false;
    bool checked = false;
    TColor color = clNone;
};

class Model {
public:
    std::vector<ModelRow> rows;

    int visibleCount() const
    {
        int n = 0;
        for (const auto& r : rows)
            n += r.hidden ? 0 : 1;
        return n;
    }
    // The real index of the d-th shown row, or the end.
    int realOfDispl(int d) const
    {
        for (int i = 0; i < int(rows.size()); ++i)
            if (!rows[std::size_t(i)].hidden && d-- == 0)
                return i;
        return int(rows.size());
    }
};

TEST(QvGridStructure, ASeededRunOfStructureOperationsMatchesAPlainModel)
{
    constexpr int kCols = 6;
    TQvStringGrid g;
    g.SetColCount(kCols);
    g.SetRowCount(51);
    Model m;
    m.rows.resize(51);
    for (int r = 0; r < 51; ++r)
        for (int c = 0; c < kCols; ++c) {
            const QString t = QStringLiteral("%1/%2").arg(c).arg(r);
            g.SetCells(c, r, t);
            m.rows[std::size_t(r)].text[c] = t;
        }
    std::mt19937 rnd(20261211);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rnd); };

    for (int step = 0; step < 2000; ++step) {
        const int shown = m.visibleCount();
        const int op = pick(0, 9);
        QString what;
        if (op == 0) { // insert
            const int at = pick(1, shown);
            const int n = pick(1, 3);
            g.InsertRows(at, n);
            m.rows.insert(m.rows.begin() + m.realOfDispl(at), std::size_t(n), ModelRow{});
            what = QStringLiteral("insert %1 %2").arg(at).arg(n);
        } else if (op == 1 && shown > 4) { // remove
            const int at = pick(1, shown - 1);
            const int n = std::min(pick(1, 3), shown - 3);
            const int cut = std::min(n, shown - at);
            std::vector<int> real;
            for (int k = 0; k < cut; ++k)
                real.push_back(m.realOfDispl(at + k));
            g.RemoveRows(at, n);
            for (auto it = real.rbegin(); it != real.rend(); ++it)
                m.rows.erase(m.rows.begin() + *it);
            what = QStringLiteral("remove %1 %2").arg(at).arg(n);
        } else if (op == 2 && shown > 3) { // move a block
            const int from = pick(1, shown - 1);
            int to = pick(1, shown);
            const int n = std::min(pick(1, 3), shown - from);
            std::vector<ModelRow> block;
            std::vector<int> real;
            for (int k = 0; k < n; ++k)
                real.push_back(m.realOfDispl(from + k));
            for (int r : real)
                block.push_back(m.rows[std::size_t(r)]);
            g.MoveRows(from, to, n);
            if (from != to) {
                for (auto it = real.rbegin(); it != real.rend(); ++it)
                    m.rows.erase(m.rows.begin() + *it);
                if (from + n <= to)
                    to -= n;
                to = std::clamp(to, 0, m.visibleCount());
                m.rows.insert(m.rows.begin() + m.realOfDispl(to), block.begin(), block.end());
            }
            what = QStringLiteral("move %1 %2 %3").arg(from).arg(to).arg(n);
        } else if (op == 3 && shown > 4) { // hide
            const int d = pick(1, shown - 1);
            const int real = m.realOfDispl(d);
            g.HideRows(real, real);
            m.rows[std::size_t(real)].hidden = true;
            what = QStringLiteral("hide %1").arg(real);
        } else if (op == 4) { // unhide
            std::vector<int> hidden;
            for (int i = 0; i < int(m.rows.size()); ++i)
                if (m.rows[std::size_t(i)].hidden)
                    hidden.push_back(i);
            if (hidden.empty())
                continue;
            const int real = hidden[std::size_t(pick(0, int(hidden.size()) - 1))];
            g.UnHideRow(real);
            m.rows[std::size_t(real)].hidden = false;
            what = QStringLiteral("unhide %1").arg(real);
        } else if (op == 5) { // clear a block
            const int c1 = pick(1, kCols - 1), c2 = pick(c1, kCols - 1);
            const int r1 = pick(1, shown - 1), r2 = std::min(shown - 1, r1 + pick(0, 3));
            g.ClearTextOnly = pick(0, 1) == 1;
            g.ClearRect(c1, r1, c2, r2);
            for (int d = r1; d <= r2; ++d) {
                ModelRow& row = m.rows[std::size_t(m.realOfDispl(d))];
                for (int c = c1; c <= c2; ++c)
                    row.text[c].clear();
                if (!g.ClearTextOnly) {
                    if (c1 <= 1 && c2 >= 1)
                        row.hasCheck = row.checked = false;
                    if (c1 <= 2 && c2 >= 2)
                        row.color = clNone;
                }
            }
            what = QStringLiteral("clear %1 %2 %3 %4 %5").arg(c1).arg(r1).arg(c2).arg(r2).arg(g.ClearTextOnly);
        } else if (op == 6) { // a text
            const int d = pick(1, shown - 1), c = pick(0, kCols - 1);
            const QString t = QStringLiteral("t%1").arg(step);
            g.SetCells(c, d, t);
            m.rows[std::size_t(m.realOfDispl(d))].text[c] = t;
            what = QStringLiteral("text %1 %2").arg(c).arg(d);
        } else if (op == 7) { // a modified mark, by real row
            const int real = pick(1, int(m.rows.size()) - 1);
            g.SetRowModified(real, true);
            m.rows[std::size_t(real)].modified = true;
            what = QStringLiteral("mark %1").arg(real);
        } else if (op == 8) { // a check box
            const int d = pick(1, shown - 1);
            const bool state = pick(0, 1) == 1;
            g.AddCheckBox(1, d, state, false);
            ModelRow& row = m.rows[std::size_t(m.realOfDispl(d))];
            row.hasCheck = true;
            row.checked = state;
            what = QStringLiteral("check %1").arg(d);
        } else if (op == 9) { // a colour
            const int d = pick(1, shown - 1);
            const TColor color = TColor(pick(1, 0xFFFFFF));
            g.GetCellProperties(2, d)->SetBrushColor(color);
            m.rows[std::size_t(m.realOfDispl(d))].color = color;
            what = QStringLiteral("colour %1").arg(d);
        } else {
            continue;
        }

        ASSERT_EQ(g.RowCount(), m.visibleCount()) << step << " " << what.toStdString();
        ASSERT_EQ(g.NumHiddenRows(), int(m.rows.size()) - m.visibleCount()) << step;
        for (int real = 0; real < int(m.rows.size()); ++real) {
            const ModelRow& row = m.rows[std::size_t(real)];
            ASSERT_EQ(g.IsHiddenRow(real), row.hidden) << step << " row " << real << " " << what.toStdString();
            for (int c = 0; c < kCols; ++c)
                ASSERT_EQ(g.GetCellsEx(c, real), row.text[c])
                    << step << " cell " << c << "," << real << " " << what.toStdString();
            ASSERT_EQ(g.GetRowModified(real), row.modified) << step << " row " << real << " " << what.toStdString();
            auto* p = dynamic_cast<TCellProperties*>(g.CellObjectByRealRow(2, real));
            ASSERT_EQ(p ? p->BrushColor() : clNone, row.color) << step << " row " << real << " " << what.toStdString();
            if (!row.hidden) {
                const int d = g.DisplRowIndex(real);
                ASSERT_EQ(g.HasCheckBox(1, d), row.hasCheck) << step << " row " << real << " " << what.toStdString();
                ASSERT_EQ(g.IsChecked(1, real), row.checked) << step << " row " << real << " " << what.toStdString();
            }
        }
    }
}

} // namespace
