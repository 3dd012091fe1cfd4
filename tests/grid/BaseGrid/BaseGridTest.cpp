#include "grid/BaseGrid.h"
#include "grid/support/GridTestHelpers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>

using namespace grid;
using test::ShownGrid;

namespace {

struct Tag : TObject {};

} // namespace

TEST(BaseGrid, DefaultsOfTheFieldTable)
{
    TBaseGrid g;
    EXPECT_FALSE(g.DefaultDrawing());
    EXPECT_EQ(g.GridLineWidth(), 1);
    EXPECT_EQ(g.GridLineColor(), 0xC0C0C0u);
    EXPECT_EQ(g.GridFixedLineColor(), 0x808080u);
    EXPECT_EQ(g.ActiveRowColor(), 0xFF000018u);
    EXPECT_EQ(g.ActiveRowColorTo(), clNone);
    EXPECT_EQ(g.SelectionStyle(), ssDefault);
    EXPECT_EQ(g.FHoverRowCells, unsigned(hcNormal | hcSelected));
    EXPECT_EQ(g.FHoverRowIdx, -1);
    EXPECT_TRUE(g.FWordWrap);
    EXPECT_FALSE(g.FHasCellProps);
    EXPECT_EQ(g.MergeCount(), 0);
}

TEST(BaseGrid, NewCellReadsAsUnmerged)
{
    TBaseGrid g;
    g.GetCellProperties(2, 2);
    for (TPoint c : {TPoint{2, 2}, TPoint{3, 3}}) {
        EXPECT_TRUE(g.IsBaseCell(c.X, c.Y));
        EXPECT_EQ(g.CellSpan(c.X, c.Y), (TPoint{0, 0}));
        EXPECT_EQ(g.BaseCell(c.X, c.Y), c);
        EXPECT_FALSE(g.IsMergedCell(c.X, c.Y));
    }
    EXPECT_TRUE(g.FHasCellProps);
    const TCellProperties* p = g.GetCellProperties(2, 2);
    EXPECT_EQ(p->CellSpanX(), -1);
    EXPECT_EQ(p->BrushColor(), g.Color()); // frozen from the cell defaults
    EXPECT_EQ(p->BrushColorTo(), clNone);
}

TEST(BaseGrid, MergeCoversAndRedirectsCells)
{
    TBaseGrid g;
    g.SetColCount(8);
    g.SetRowCount(8);
    g.MergeCells(2, 3, 3, 2);
    EXPECT_EQ(g.MergeCount(), 1);
    const TCellProperties* covered = g.GetCellProperties(4, 4);
    EXPECT_FALSE(g.IsBaseCell(4, 4));
    EXPECT_EQ(covered->CellSpanX(), 2);
    EXPECT_EQ(covered->CellSpanY(), 1);
    EXPECT_EQ(g.BaseCell(4, 4), (TPoint{2, 3}));
    EXPECT_EQ(g.CellSpan(4, 4), (TPoint{2, 1}));
    EXPECT_EQ(g.CellExt(4, 4), (TPoint{0, 0}));
    EXPECT_EQ(g.CellExt(2, 3), (TPoint{2, 1}));
    EXPECT_EQ(g.FullCell(4, 4), (TGridRect{2, 3, 4, 4}));
    EXPECT_EQ(g.GetCellProperties(2, 3)->CellSpanX(), 2);
    EXPECT_TRUE(g.IsMergedCell(4, 4));
    EXPECT_TRUE(g.IsMergedNonBaseCell(4, 4));
    EXPECT_TRUE(g.IsXMergedCell(3, 3));
    EXPECT_TRUE(g.IsYMergedCell(3, 3));

    g.SetCells(4, 4, "merged");
    EXPECT_EQ(g.GetGridCell(2, 3), "merged");
    EXPECT_EQ(g.Cells(3, 4), "merged");
    EXPECT_EQ(g.MaxRowSpan(3), 1);
    EXPECT_EQ(g.MinRowSpan(0), g.RowCount());
}

TEST(BaseGrid, OneByOneMergeCountsAsUnmerged)
{
    ShownGrid<TBaseGrid> s(10, 10);
    TBaseGrid& g = s.g;
    g.MergeCells(3, 3, 1, 1);
    const TCellProperties* p = g.GetCellProperties(3, 3);
    EXPECT_EQ(p->CellSpanX(), 0);
    EXPECT_EQ(p->CellSpanY(), 0);
    EXPECT_FALSE(g.IsMergedCell(3, 3));
    EXPECT_FALSE(g.IsXMergedCell(3, 3));
    // Still taken through the merge path: the virtual rectangle of the cell itself.
    EXPECT_EQ(g.CellRect(3, 3), g.VirtualCellRect(3, 3));
}

TEST(BaseGrid, SplitRestoresEveryCellAndTheRawTexts)
{
    struct Case {
        TPoint splitAt;
    };
    for (const Case& c : {Case{{2, 3}}, Case{{4, 4}}, Case{{3, 3}}}) {
        TBaseGrid g;
        g.SetColCount(8);
        g.SetRowCount(8);
        g.SetGridCell(3, 4, "raw under the merge");
        g.MergeCells(2, 3, 3, 2);
        EXPECT_EQ(g.Cells(3, 4), "");
        g.SplitCells(c.splitAt.X, c.splitAt.Y);
        for (int col = 2; col <= 4; ++col)
            for (int row = 3; row <= 4; ++row) {
                const TCellProperties* p = g.GetCellProperties(col, row);
                EXPECT_TRUE(p->IsBaseCell());
                EXPECT_EQ(p->CellSpanX(), -1);
                EXPECT_EQ(p->CellSpanY(), -1);
            }
        EXPECT_EQ(g.Cells(3, 4), "raw under the merge");
        EXPECT_EQ(g.MergeCount(), 0);
    }
}

TEST(BaseGrid, SpanComparisons)
{
    TBaseGrid g;
    g.SetColCount(6);
    g.SetRowCount(6);
    EXPECT_FALSE(g.ColSpanIdentical(1, 2)); // never merged
    g.MergeCells(1, 2, 2, 1);
    EXPECT_TRUE(g.ColSpanIdentical(1, 2)); // merged together in one row, alike elsewhere
    EXPECT_FALSE(g.ColSpanIdentical(2, 3));
    g.MergeCells(4, 1, 1, 3);
    EXPECT_TRUE(g.RowSpanIdentical(1, 3));
    EXPECT_FALSE(g.RowSpanIdentical(1, 5));
}

TEST(BaseGrid, NegativeCoordinatesAreRefused)
{
    TBaseGrid g;
    struct Case {
        const char* what;
        std::function<void()> op;
        const char* message;
    };
    const Case cases[] = {
        {"properties", [&] { g.GetCellProperties(-1, 0); }, "Invalid column accessed"},
        {"merge", [&] { g.MergeCells(0, -2, 2, 2); }, "Invalid row accessed"},
        {"split", [&] { g.SplitCells(-1, -1); }, "Invalid column accessed"},
        {"text", [&] { g.SetCells(1, -1, "x"); }, "Invalid row accessed"},
        {"object", [&] { g.SetObjectEx(-3, 1, nullptr); }, "Invalid column accessed"},
    };
    for (const Case& c : cases) {
        try {
            c.op();
            ADD_FAILURE() << c.what;
        } catch (const EQvGridError& e) {
            EXPECT_EQ(e.Message(), c.message) << c.what;
        }
    }
    // Reads outside the grid answer empty and unmerged.
    EXPECT_EQ(g.Cells(-1, -1), "");
    EXPECT_FALSE(g.IsMergedCell(-1, 2));
    EXPECT_EQ(g.GetObjectEx(-1, 0), nullptr);
    EXPECT_EQ(g.MergeCount(), 0);
}

TEST(BaseGrid, UserAndGraphicObjectsLiveInTheProperties)
{
    TBaseGrid g;
    Tag user;
    g.SetObjectEx(2, 2, &user);
    EXPECT_EQ(g.GetObjectEx(2, 2), &user);
    EXPECT_EQ(g.Cells(2, 2), ""); // the blank written on the way is gone again
    auto* graphic = new TCellGraphic;
    g.SetGraphicObjectEx(1, 1, graphic);
    EXPECT_EQ(g.GetGraphicObjectEx(1, 1), graphic);
    EXPECT_EQ(g.PropertiesGraphic(g.GetGridObject(1, 1)), graphic);
    g.FreeCellObjects(0, 0, 4, 4); // frees the properties and their TCellGraphic, not the user object
    EXPECT_EQ(g.GetGridObject(1, 1), nullptr);
    EXPECT_EQ(g.GetObjectEx(2, 2), nullptr);
}

TEST(BaseGrid, FreeingCellPropertiesFreesTheirGraphicButNoUserObject)
{
    struct CountedGraphic : TCellGraphic {
        explicit CountedGraphic(int* alive) : alive(alive) { ++*alive; }
        ~CountedGraphic() override { --*alive; }
        int* alive;
    };
    TBaseGrid g;
    int alive = 0;
    g.SetGraphicObjectEx(1, 1, new CountedGraphic(&alive));
    ASSERT_EQ(alive, 1);
    g.FreeCellProperties(1, 1);
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(g.GetGridObject(1, 1), nullptr);
    Tag user; // a plain object in the slot belongs to the caller
    g.SetObjects(2, 2, &user);
    g.FreeCellProperties(2, 2);
    EXPECT_EQ(g.GetGridObject(2, 2), nullptr);
}

TEST(BaseGrid, DisplayTextHookOnlyForNormalRows)
{
    TBaseGrid g;
    g.SetRowCount(5);
    g.FNormalRowCount = 4;
    g.FHideLastRow = true;
    int calls = 0, lastRowChanges = 0;
    g.OnGetDisplText = [&](TBaseGrid*, int, int, QString& v) {
        ++calls;
        v = v.toUpper();
    };
    struct Watch : TBaseGrid {
        int* n;
        void LastRowChanged() override { ++*n; }
    };
    g.SetGridCell(1, 1, "abc");
    g.SetGridCell(1, 4, "foot");
    EXPECT_EQ(g.Cells(1, 1), "ABC");
    EXPECT_EQ(g.Cells(1, 4), "foot");
    EXPECT_EQ(calls, 1);

    Watch w;
    w.n = &lastRowChanges;
    w.SetRowCount(5);
    w.FHideLastRow = true;
    w.SetCells(2, 4, "x");
    w.SetCells(2, 3, "y");
    EXPECT_EQ(lastRowChanges, 1);
}

TEST(BaseGrid, PaintSmokeTenByTenWithFixedRowAndColumn)
{
    ShownGrid<TBaseGrid> s(10, 10);
    TBaseGrid& g = s.g;
    const QImage img = g.viewport()->grab().toImage();
    const QColor silver(0xC0, 0xC0, 0xC0), gray(0x80, 0x80, 0x80), white(255, 255, 255);
    const QColor btnFace = platform::toQColor(platform::clBtnFace);
    // Cells are 64 x 24 with no platform line; each line takes the last pixel of its cell.
    for (int c = 1; c < 10; ++c) {
        EXPECT_EQ(img.pixelColor(64 * c + 63, 30), silver) << "right line of column " << c;
        EXPECT_EQ(img.pixelColor(64 * c + 30, 30), white) << "inside column " << c;
        EXPECT_EQ(img.pixelColor(64 * c + 63, 10), gray) << "fixed line above column " << c;
    }
    for (int r = 1; r < 10; ++r) {
        EXPECT_EQ(img.pixelColor(100, 24 * r + 23), silver) << "bottom line of row " << r;
        EXPECT_EQ(img.pixelColor(20, 24 * r + 23), gray) << "fixed line of row " << r;
        EXPECT_EQ(img.pixelColor(20, 24 * r + 10), btnFace) << "fixed cell of row " << r;
    }
    EXPECT_EQ(img.pixelColor(64 * 10 + 5, 30), platform::toQColor(g.Color())); // beyond the grid
    EXPECT_GT(g.PaintID(), 1);
}

TEST(BaseGrid, WideLinesTakeTheLastPixelsOfTheCell)
{
    ShownGrid<TBaseGrid> s(10, 10);
    TBaseGrid& g = s.g;
    g.SetGridLineWidth(3);
    const QImage img = g.viewport()->grab().toImage();
    const QColor silver(0xC0, 0xC0, 0xC0), white(255, 255, 255);
    // Column 2 spans x 128..191: the line covers 189..191, the cell's content stops before.
    EXPECT_EQ(img.pixelColor(188, 36), white);
    for (int x : {189, 190, 191})
        EXPECT_EQ(img.pixelColor(x, 36), silver) << x;
    for (int y : {45, 46, 47})
        EXPECT_EQ(img.pixelColor(150, y), silver) << y;
}

TEST(BaseGrid, MergedAreaPaintsOnceAsOneCell)
{
    ShownGrid<TBaseGrid> s(10, 10);
    TBaseGrid& g = s.g;
    g.MergeCells(2, 2, 2, 2);
    const QImage img = g.viewport()->grab().toImage();
    // The area (128..255, 48..95) has lines only on its own outer edges, none between its cells.
    const QColor white(255, 255, 255), silver(0xC0, 0xC0, 0xC0);
    EXPECT_EQ(img.pixelColor(191, 60), white);
    EXPECT_EQ(img.pixelColor(150, 71), white);
    EXPECT_EQ(img.pixelColor(255, 60), silver);
    EXPECT_EQ(img.pixelColor(150, 95), silver);
    EXPECT_EQ(img.pixelColor(127, 60), silver); // the neighbour's own line
    EXPECT_EQ(g.CellRect(3, 3), (TRect{128, 48, 256, 96}));
}

TEST(BaseGrid, KeysStepOverMergedAreas)
{
    ShownGrid<TBaseGrid> s(10, 10);
    TBaseGrid& g = s.g;
    g.MergeCells(2, 1, 3, 2);
    g.FocusCell(2, 1, true);
    QTest::keyClick(&g, Qt::Key_Right);
    EXPECT_EQ(g.Col(), 5);
    QTest::keyClick(&g, Qt::Key_Left);
    EXPECT_EQ(g.Col(), 2); // lands on the base cell of the merge
    QTest::keyClick(&g, Qt::Key_Down);
    EXPECT_EQ(g.Row(), 3);
    QTest::keyClick(&g, Qt::Key_Up);
    EXPECT_EQ(g.Row(), 1);
}

TEST(BaseGrid, MergeScrolledUnderTheFixedRowPaintsOnlyBelowIt)
{
    ShownGrid<TBaseGrid> s(6, 40);
    TBaseGrid& g = s.g;
    g.MergeCells(2, 2, 1, 4); // rows 2..5 of column 2
    g.SetGridCell(2, 3, "covered raw");
    g.SetTopRow(4); // rows 2 and 3 scrolled away; rows 4 and 5 visible below the fixed row
    const TRect r = g.CellRect(2, 4);
    EXPECT_EQ(r, (TRect{128, 24 - 48, 192, 24 + 48})); // the whole area, partly above the client
    const QImage img = g.viewport()->grab().toImage();
    const QColor btnFace = platform::toQColor(platform::clBtnFace);
    EXPECT_EQ(img.pixelColor(150, 10), btnFace);                  // the fixed row is not painted over
    EXPECT_EQ(img.pixelColor(150, 23), QColor(0x80, 0x80, 0x80)); // its own line stays
    EXPECT_EQ(img.pixelColor(150, 40), QColor(255, 255, 255));
    EXPECT_EQ(img.pixelColor(150, 47), QColor(255, 255, 255));    // no line inside the merge
    EXPECT_EQ(img.pixelColor(150, 71), QColor(0xC0, 0xC0, 0xC0)); // its bottom line
}
