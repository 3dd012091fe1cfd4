// Column positions in an INI file, the column grid's cell accessors and its selection counts.

#include "grid/QvCGrid.h"
#include "grid/support/LineEditLink.h"
#include "support/TestSupport.h"

#include "grid/QvCGrid/ColumnNames.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <optional>

using namespace grid;

// ---- column positions in an INI file -----------------------------------------------------------

TEST(QvCGridPositions, RoundTrip)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("cols.ini");
    TQvColumnGrid a;
    nameColumns(a);
    a.Loaded();
    a.MoveColumn(1, 3);
    ASSERT_EQ(columnNames(a), (QStringList{"c0", "c2", "c3", "c1", "c4"}));
    ASSERT_TRUE(a.SaveColumnPositions(ini, "Grid"));

    TQvColumnGrid b;
    nameColumns(b);
    for (int c = 0; c < 5; ++c)
        b.SetCells(c, 1, b.Columns()[c].Name());
    b.Loaded();
    ASSERT_TRUE(b.LoadColumnPositions(ini, "Grid"));
    EXPECT_EQ(columnNames(b), columnNames(a));
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(b.Cells(c, 1), b.Columns()[c].Name()) << c; // texts moved with their definitions
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(b.Columns()[c].DefIdx(), a.Columns()[c].DefIdx()) << c;

    // Through the column-size settings.
    TQvColumnGrid d;
    nameColumns(d);
    d.Loaded();
    d.ColumnSize().SetLocation(clIniFile);
    d.ColumnSize().SetKey(ini);
    d.ColumnSize().SetSection("Grid");
    d.LoadColPositions();
    EXPECT_EQ(columnNames(d), columnNames(a));
}

TEST(QvCGridPositions, BadFilesChangeNothing)
{
    struct Case {
        const char* what;
        std::vector<std::pair<QString, QString>> values;
    };
    const Case cases[] = {
        {"missing position", {{"CP0", "0"}, {"CP1", "1"}}},
        {"duplicate value", {{"CP0", "1"}, {"CP1", "1"}, {"CP2", "0"}}},
        {"all the same", {{"CP0", "0"}, {"CP1", "0"}, {"CP2", "0"}}},
        {"outside the grid", {{"CP0", "0"}, {"CP1", "7"}, {"CP2", "1"}}},
        {"not a number", {{"CP0", "0"}, {"CP1", "x"}, {"CP2", "1"}}},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString ini = dir.filePath("cols.ini");
        {
            QSettings s(ini, QSettings::IniFormat);
            for (const auto& [k, v] : c.values)
                s.setValue("Grid/" + k, v);
        }
        TQvColumnGrid g;
        g.SetColCount(3);
        nameColumns(g);
        g.Loaded();
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(g.LoadColumnPositions(ini, "Grid"));
        EXPECT_EQ(columnNames(g), (QStringList{"c0", "c1", "c2"}));
    }
}

TEST(QvCGridPositions, ResetOrganizationReachesEveryPermutation)
{
    // Every order of five columns.
    std::vector<int> order{0, 1, 2, 3, 4};
    do {
        TQvColumnGrid g;
        nameColumns(g);
        for (int i = 0; i < 5; ++i)
            g.Columns()[i].SetDefIdx(order[std::size_t(i)]);
        ASSERT_TRUE(g.Columns().ResetOrganization());
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(g.Columns()[i].DefIdx(), i);
    } while (std::next_permutation(order.begin(), order.end()));
    // Duplicate default indexes are refused instead of moving for ever.
    TQvColumnGrid g;
    nameColumns(g);
    g.Columns()[0].SetDefIdx(0);
    g.Columns()[1].SetDefIdx(0);
    EXPECT_FALSE(g.Columns().ResetOrganization());
    EXPECT_EQ(columnNames(g), (QStringList{"c0", "c1", "c2", "c3", "c4"}));
}

// ---- cell accessors --------------------------------------------------------------------------------

TEST(QvCGridCells, LookAccessorsCreatePropertiesOnlyWhenWriting)
{
    TQvColumnGrid g;
    EXPECT_EQ(g.GetColors(2, 3), clNone);
    EXPECT_EQ(g.GetFontColors(2, 3), clNone);
    EXPECT_EQ(g.GetAlignments(2, 3), taLeftJustify);
    EXPECT_FALSE(g.CellHasProperties(2, 3));
    g.GetWordWraps(2, 3);
    EXPECT_TRUE(g.CellHasProperties(2, 3));
    g.SetFontSizes(3, 3, 14);
    g.SetFontNames(3, 3, "Arial");
    g.SetAlignments(3, 3, taCenter);
    EXPECT_EQ(g.GetFontSizes(3, 3), 14);
    EXPECT_EQ(g.GetFontNames(3, 3), "Arial");
    EXPECT_EQ(g.GetAlignments(3, 3), taCenter);
    EXPECT_EQ(g.GetLinesInCell(3, 3), 1);
    g.SetCells(3, 3, "a\r\nb\r\nc");
    EXPECT_EQ(g.GetLinesInCell(3, 3), 3);
}

TEST(QvCGridCells, RowColoursAndCheckBoxes)
{
    TQvColumnGrid g;
    g.AddCheckBox(2, 3, cbChecked);
    g.SetRowColor(3, 0x00FF00);
    EXPECT_EQ(g.GetColors(2, 3), TColor(0x00FF00));
    EXPECT_EQ(g.GetColors(4, 3), TColor(0x00FF00));
    g.SetRowColor(3, clNone);
    EXPECT_EQ(g.GetColors(2, 3), clNone);
    EXPECT_EQ(g.GetCellType(2, 3), ctTriStateCheckBox); // the box stays
    EXPECT_FALSE(g.CellHasProperties(4, 3));            // a plain cell returns to its defaults
    g.SetRowColorTo(3, clNone);
    EXPECT_EQ(g.GetCellType(2, 3), ctEmpty); // the box goes with the properties
    g.SetRowFontColor(4, 0x0000FF);
    EXPECT_EQ(g.GetFontColors(3, 4), TColor(0x0000FF));
    g.SetColors(2, 4, clNone);
    g.SetRowFontColor(4, clNone);
    EXPECT_TRUE(g.CellHasProperties(3, 4)); // keeps the column's colour: kept
    EXPECT_FALSE(g.CellHasProperties(2, 4));
}

TEST(QvCGridCells, HiddenRowCellsReadWithoutError)
{
    TQvColumnGrid g;
    g.SetColCount(8);
    g.SetCells(2, 5, "kept");
    g.HideRow(5);
    EXPECT_EQ(g.GetCellsEx(2, 5), "kept");
    for (int c = 0; c < g.AllColCount(); ++c)
        EXPECT_NO_THROW(g.GetCellsEx(c, 5)) << c;
    g.SetCellsEx(7, 5, "late");
    EXPECT_EQ(g.GetCellsEx(7, 5), "late");
}

TEST(QvCGridCells, RawTextsAndObjectsByRealRow)
{
    struct Tag : TObject {};
    Tag shown, hidden;
    TQvColumnGrid g;
    g.SetCells(2, 3, "three");
    g.SetObjectsEx(2, 3, &shown);
    g.SetObjectsEx(2, 6, &hidden);
    g.HideRow(3);
    // Real row 6 is shown at displayed row 5 now.
    EXPECT_EQ(g.GetObjectsEx(2, 6), &hidden);
    EXPECT_EQ(g.GetObjectEx(2, 5), &hidden);
    EXPECT_EQ(g.GetObjectsEx(2, 3), &shown);
    EXPECT_NE(g.GridObjectByRealRow(2, 3), nullptr); // the properties holding the object
    EXPECT_EQ(g.GetGridCellsEx(2, 3), "three");
    g.SetGridCellsEx(2, 6, "six");
    EXPECT_EQ(g.Cells(2, 5), "six");
    g.SetGridCellsEx(9, 3, "beyond the stored lines");
    EXPECT_EQ(g.GetGridCellsEx(9, 3), "beyond the stored lines");
    g.UnHideRow(3);
    EXPECT_EQ(g.GetObjectEx(2, 3), &shown);
    EXPECT_EQ(g.Cells(2, 6), "six");
}

TEST(QvCGridCells, CellControlsFollowTheCell)
{
    TQvColumnGrid g;
    g.resize(600, 400);
    auto* w = new QWidget;
    g.SetCellControls(2, 3, w);
    EXPECT_EQ(g.GetCellControls(2, 3), w);
    EXPECT_EQ(g.NumCellControls(), 1);
    EXPECT_EQ(g.ControlList().ControlIndex(2, 3), 0);
    g.SetCellControls(2, 3, nullptr);
    EXPECT_EQ(g.NumCellControls(), 0);
    EXPECT_EQ(g.ControlList().ControlIndex(2, 3), -1);
    g.SetCellControls(2, 3, nullptr);
    EXPECT_EQ(g.NumCellControls(), 0);
}

// ---- selected cells ------------------------------------------------------------------------------

TEST(QvCGridSelection, CountsFromTheRectangle)
{
    struct Case {
        TGridRect sel;
        int cells, rows, cols;
    };
    const Case cases[] = {
        {{2, 3, 2, 3}, 1, 1, 1},
        {{2, 3, 4, 5}, 9, 3, 3},
        {{1, 1, 4, 8}, 32, 8, 4},
    };
    for (const Case& c : cases) {
        TQvColumnGrid g;
        g.SetColCount(6);
        g.SetSelection(c.sel);
        SCOPED_TRACE(testing::Message() << c.sel.Left << "," << c.sel.Top);
        EXPECT_EQ(g.SelectedCellsCount(), c.cells);
        EXPECT_EQ(g.SelectedRowCount(), c.rows);
        EXPECT_EQ(g.SelectedColCount(), c.cols);
    }
    TQvColumnGrid g;
    g.SetSelection({2, 3, 4, 5});
    g.SelectedCellsCount();
    const TPoint order[] = {{2, 3}, {2, 4}, {2, 5}, {3, 3}};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(g.GetSelectedCell(k), order[k]) << k;
    g.SetSelection({2, 3, 2, 3});
    EXPECT_EQ(g.SelectedCellsCount(), 1);
    EXPECT_EQ(g.GetSelectedCell(0), (TPoint{g.Col(), g.Row()}));
}

TEST(QvCGridSelection, FooterRowsAndMergedCellsInTheCounts)
{
    TQvColumnGrid g;
    g.SetFixedFooters(2); // rows 8 and 9
    g.SetSelection({1, 6, 1, 9});
    EXPECT_EQ(g.SelectedRowCount(), 2);
    g.MergeCells(2, 2, 3, 2);
    g.SetSelection({2, 2, 2, 2});
    EXPECT_EQ(g.SelectedColCount(), 3);
    EXPECT_EQ(g.SelectedRowCount(), 2);
}

TEST(QvCGridSelection, SelectedRowsAndCells)
{
    TQvColumnGrid g;
    g.SetRowCount(12);
    g.SetSelection({1, 7, 3, 9});
    EXPECT_EQ(g.GetSelectedRow(0), 7);
    EXPECT_EQ(g.GetSelectedRow(2), 9);
    EXPECT_EQ(g.GetSelectedRow(3), -1);
    // A rectangle stored with its corners swapped still contains its cells.
    TQvColumnGrid h;
    h.SetColCount(7);
    h.SetRowCount(8);
    h.SetSelection({2, 1, 5, 6});
    EXPECT_TRUE(h.GetSelectedCells(3, 4));
    EXPECT_FALSE(h.GetSelectedCells(6, 4));

    g.MouseActions().SetDisjunctRowSelect(true);
    g.SelectRows(2, 3);
    EXPECT_EQ(g.SelectedRowCount(), 3);
    EXPECT_EQ(g.GetSelectedRow(3), -1);

    g.MouseActions().SetDisjunctCellSelect(true);
    g.SetSelectedCells(2, 2, true);
    g.SetSelectedCells(3, 4, true);
    g.SetSelectedCells(3, 4, true);
    EXPECT_EQ(g.SelectedCellsCount(), 2);
    EXPECT_TRUE(g.GetSelectedCells(3, 4));
    g.SetSelectedCells(2, 2, false);
    EXPECT_EQ(g.SelectedCellsCount(), 1);
    g.ClearSelectedCells();
    EXPECT_EQ(g.SelectedCellsCount(), 0);
}

TEST(QvCGridSelection, ListenersAndNotifiers)
{
    struct Listener : ITQvStringGridSelect {
        void SelectionChanged(int, int) override {}
    } first, second;
    TQvColumnGrid g;
    g.RegisterSelListener(&first);
    g.RegisterSelListener(&second);
    EXPECT_EQ(g.SelListener(), &second);
    g.UnRegisterSelListener(&first);
    EXPECT_EQ(g.SelListener(), nullptr);

    struct Recorder : ITQvStringGridSelect {
        void SelectionChanged(int c, int r) override { cells.push_back({c, r}); }
        std::vector<TPoint> cells;
    } rec;
    g.RegisterSelListener(&rec);
    g.FocusCell(3, 4, true);
    ASSERT_EQ(rec.cells.size(), 1u);
    EXPECT_EQ(rec.cells[0], (TPoint{3, 4}));
    g.UnRegisterSelListener(&rec);

    struct Counting : TGridChangeNotifier {
        void CellsChanged(const TRect& r) override { seen.push_back(r); }
        std::vector<TRect> seen;
    } counting;
    g.RegisterNotifier(&counting);
    g.RemoveCols(2, 1);
    ASSERT_EQ(counting.seen.size(), 1u);
    EXPECT_EQ(counting.seen[0].Left, 2);
    g.UnRegisterNotifier(&counting);

    TGridChangeNotifier n1, n2;
    g.RegisterNotifier(&n1);
    g.RegisterNotifier(&n1);
    g.RegisterNotifier(&n2);
    EXPECT_EQ(g.NotifierCount(), 2);
    g.UnRegisterNotifier(&n1);
    EXPECT_EQ(g.NotifierCount(), 1);
}
