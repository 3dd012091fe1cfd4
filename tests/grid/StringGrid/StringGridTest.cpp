#include "grid/StringGrid.h"
#include "grid/support/GridTestHelpers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

using namespace grid;
using test::ShownGrid;

namespace {

struct Tag : TObject {};

} // namespace

TEST(StringGrid, ClassicDefaults)
{
    TStringGrid g;
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.DefaultColWidth(), 64);
    EXPECT_EQ(g.DefaultRowHeight(), 24);
    EXPECT_EQ(g.GridLineWidth(), 1);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_TRUE(g.HasOption(goRangeSelect));
    EXPECT_FALSE(g.HasOption(goEditing));
}

TEST(StringGrid, CountsNeverBelowOne)
{
    struct Case {
        int written, colExpected, fixedColsExpected;
    };
    const Case cases[] = {{0, 1, 0}, {-5, 1, 0}, {1, 1, 0}, {2, 2, 1}, {7, 7, 1}};
    for (const Case& c : cases) {
        TStringGrid g;
        g.SetColCount(c.written);
        g.SetRowCount(c.written);
        EXPECT_EQ(g.ColCount(), c.colExpected) << c.written;
        EXPECT_EQ(g.RowCount(), c.colExpected) << c.written;
        // A count at or below the fixed count takes the fixed count down with it.
        EXPECT_EQ(g.FixedCols(), c.fixedColsExpected) << c.written;
        EXPECT_EQ(g.FixedRows(), c.fixedColsExpected) << c.written;
        EXPECT_LT(g.Col(), g.ColCount());
        EXPECT_LT(g.Row(), g.RowCount());
    }
}

TEST(StringGrid, OutOfRangeWritesAreRefusedWithTheirMessages)
{
    struct Case {
        const char* what;
        std::function<void(TStringGrid&)> write;
        QString message;
    };
    const Case cases[] = {
        {"FixedRows = RowCount", [](TStringGrid& g) { g.SetFixedRows(5); }, SFixedRowTooBig},
        {"FixedRows < 0", [](TStringGrid& g) { g.SetFixedRows(-1); }, SGridIndexOutOfRange},
        {"FixedCols = ColCount", [](TStringGrid& g) { g.SetFixedCols(5); }, SFixedColTooBig},
        {"Row past end", [](TStringGrid& g) { g.SetRow(5); }, SGridIndexOutOfRange},
        {"Row negative", [](TStringGrid& g) { g.SetRow(-1); }, SGridIndexOutOfRange},
        {"Col past end", [](TStringGrid& g) { g.SetCol(5); }, SGridIndexOutOfRange},
        {"MoveRow past end", [](TStringGrid& g) { g.MoveRow(1, 9); }, SGridIndexOutOfRange},
        {"DeleteColumn past end", [](TStringGrid& g) { g.DeleteColumn(5); }, SGridIndexOutOfRange},
    };
    for (const Case& c : cases) {
        TStringGrid g;
        try {
            c.write(g);
            ADD_FAILURE() << c.what << " was accepted";
        } catch (const EInvalidGridOperation& e) {
            EXPECT_EQ(e.Message(), c.message) << c.what;
        }
        EXPECT_EQ(g.FixedRows(), 1) << c.what; // nothing half-done
        EXPECT_EQ(g.Row(), 1) << c.what;
    }
}

TEST(StringGrid, WritesBeyondTheCountsAreKept)
{
    TStringGrid g;
    g.SetCells(20, 100, "far");
    EXPECT_EQ(g.Cells(20, 100), "far");
    g.SetRowCount(200);
    g.SetColCount(30);
    EXPECT_EQ(g.Cells(20, 100), "far");
    g.SetRowCount(2); // shrinking does not clear
    g.SetRowCount(200);
    EXPECT_EQ(g.Cells(20, 100), "far");
}

TEST(StringGrid, SelectionAnchorAndCurrentCell)
{
    ShownGrid<TStringGrid> s;
    TStringGrid& g = s.g;
    g.SetColCount(10);
    g.SetRowCount(10);
    g.FocusCell(2, 2, true);
    g.FocusCell(4, 5, false); // stretch from the anchor
    EXPECT_EQ(g.Anchor(), (TPoint{2, 2}));
    EXPECT_EQ(g.Selection(), (TGridRect{2, 2, 4, 5}));
    EXPECT_EQ(g.Col(), 4);
    EXPECT_EQ(g.Row(), 5);

    // Selection write: anchor to the top-left, current cell to the bottom-right.
    g.SetSelection({3, 1, 6, 7});
    EXPECT_EQ(g.Anchor(), (TPoint{3, 1}));
    EXPECT_EQ(g.Col(), 6);
    EXPECT_EQ(g.Row(), 7);

    // Shift+arrow extends with range select; a plain arrow collapses the selection.
    QTest::keyClick(&g, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(g.Selection(), (TGridRect{3, 1, 6, 8}));
    QTest::keyClick(&g, Qt::Key_Left);
    EXPECT_EQ(g.Selection(), (TGridRect{5, 8, 5, 8}));

    // Without range select the anchor always follows.
    g.SetOptions(g.Options() & ~goRangeSelect);
    g.FocusCell(7, 7, false);
    EXPECT_EQ(g.Selection(), (TGridRect{7, 7, 7, 7}));

    // A refused select-cell check leaves the current cell where it was.
    g.OnSelectCell = [](TStringGrid*, int col, int, bool& can) { can = col != 8; };
    g.SetCol(8);
    EXPECT_EQ(g.Col(), 7);
}

TEST(StringGrid, MovesAndDeletesCarryTextsAndObjects)
{
    Tag a, b;
    struct Case {
        const char* what;
        std::function<void(TStringGrid&)> op;
        std::vector<std::pair<TPoint, QString>> texts;
        TPoint objectAt;
        int colCount, rowCount;
    };
    const Case cases[] = {
        {"move column 1 to 3",
         [](TStringGrid& g) { g.MoveColumn(1, 3); },
         {{{3, 1}, "r1c1"}, {{1, 1}, "r1c2"}, {{2, 2}, "r2c3"}},
         {3, 2},
         5,
         5},
        {"move row 3 to 1",
         [](TStringGrid& g) { g.MoveRow(3, 1); },
         {{{1, 1}, "r3c1"}, {{1, 2}, "r1c1"}, {{2, 3}, "r2c2"}},
         {1, 3},
         5,
         5},
        {"delete column 2",
         [](TStringGrid& g) { g.DeleteColumn(2); },
         {{{2, 1}, "r1c3"}, {{1, 1}, "r1c1"}, {{3, 4}, "r4c4"}},
         {1, 2},
         4,
         5},
        {"delete row 1", [](TStringGrid& g) { g.DeleteRow(1); }, {{{1, 1}, "r2c1"}, {{4, 3}, "r4c4"}}, {1, 1}, 5, 4},
    };
    for (const Case& c : cases) {
        TStringGrid g;
        for (int r = 1; r < 5; ++r)
            for (int col = 1; col < 5; ++col)
                g.SetCells(col, r, QString("r%1c%2").arg(r).arg(col));
        g.SetObjects(1, 2, &a);
        g.SetObjects(3, 4, &b);
        c.op(g);
        for (const auto& [at, text] : c.texts)
            EXPECT_EQ(g.Cells(at.X, at.Y), text) << c.what << " at " << at.X << "," << at.Y;
        EXPECT_EQ(g.Objects(c.objectAt.X, c.objectAt.Y), &a) << c.what;
        EXPECT_EQ(g.ColCount(), c.colCount) << c.what;
        EXPECT_EQ(g.RowCount(), c.rowCount) << c.what;
    }
}

TEST(StringGrid, DeletedColumnDoesNotComeBack)
{
    TStringGrid g;
    g.SetCells(4, 1, "last");
    g.DeleteColumn(4);
    g.SetColCount(5);
    EXPECT_EQ(g.Cells(4, 1), "");
}

TEST(StringGrid, CellRectAndMouseToCellRoundTrip)
{
    ShownGrid<TStringGrid> s;
    TStringGrid& g = s.g;
    g.SetColCount(12);
    g.SetRowCount(40);
    g.SetColWidths(2, 100);
    g.SetRowHeights(3, 40);
    g.SetGridLineWidth(2);
    g.SetLeftCol(3);
    g.SetTopRow(5);
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c) {
            const TRect rect = g.CellRect(c, r);
            const bool shown = (c < 1 || c >= g.LeftCol()) && (r < 1 || r >= g.TopRow());
            if (!shown) {
                EXPECT_TRUE(rect.IsEmpty()) << c << "," << r;
                continue;
            }
            if (rect.IsEmpty())
                continue; // beyond the client area
            EXPECT_EQ(rect.Width(), g.ColWidths(c));
            EXPECT_EQ(rect.Height(), g.RowHeights(r));
            for (TPoint p : {TPoint{rect.Left, rect.Top}, TPoint{rect.Right - 1, rect.Bottom - 1},
                             TPoint{rect.Right + 1, rect.Bottom + 1}}) { // the line belongs to the cell
                if (p.X >= g.viewport()->width() || p.Y >= g.viewport()->height())
                    continue;
                int col, row;
                g.MouseToCell(p.X, p.Y, col, row);
                EXPECT_EQ(col, c) << p.X << "," << p.Y;
                EXPECT_EQ(row, r) << p.X << "," << p.Y;
            }
        }
    EXPECT_EQ(g.MouseCoord(-1, 5), (TPoint{-1, -1}));
}

TEST(StringGrid, ScrollingKeepsTheCurrentCellInView)
{
    ShownGrid<TStringGrid> s;
    TStringGrid& g = s.g;
    g.SetRowCount(1000);
    g.SetRow(900);
    EXPECT_GT(g.TopRow(), 1);
    EXPECT_FALSE(g.CellRect(g.Col(), 900).IsEmpty());
    EXPECT_LE(g.TopRow() + g.VisibleRowCount() - 1, g.RowCount() - 1);
}

TEST(StringGrid, EditorWritesThroughSetEditText)
{
    ShownGrid<TStringGrid> s;
    TStringGrid& g = s.g;
    g.SetOptions(g.Options() | goEditing);
    g.SetCells(1, 1, "old");
    QTest::keyClick(&g, Qt::Key_F2);
    ASSERT_TRUE(g.EditorMode());
    EXPECT_EQ(g.InplaceEditor()->text(), "old");
    g.InplaceEditor()->setText("new");
    QTest::keyClick(g.InplaceEditor(), Qt::Key_Return);
    EXPECT_FALSE(g.EditorMode());
    EXPECT_EQ(g.Cells(1, 1), "new");

    QTest::keyClick(&g, Qt::Key_F2);
    g.InplaceEditor()->setText("dropped");
    QTest::keyClick(g.InplaceEditor(), Qt::Key_Escape);
    EXPECT_EQ(g.Cells(1, 1), "new");
}

TEST(StringGrid, PaintsLinesInThePlatformWidth)
{
    ShownGrid<TStringGrid> s;
    TStringGrid& g = s.g;
    g.SetColCount(10);
    g.SetRowCount(10);
    const QImage img = g.viewport()->grab().toImage();
    // Cells are 64 x 24 and followed by a 1-pixel line: fixed lines black, normal ones silver.
    EXPECT_EQ(img.pixelColor(64, 10), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(10, 24), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(64 + 65, 40), QColor(192, 192, 192));
    EXPECT_EQ(img.pixelColor(100, 25 + 24), QColor(192, 192, 192));
    EXPECT_EQ(img.pixelColor(100, 60), QColor(255, 255, 255));
}

TEST(StringGrid, MouseSelectsSizesAndMoves)
{
    ShownGrid<TStringGrid> s;
    TStringGrid& g = s.g;
    g.SetColCount(6);
    g.SetRowCount(8);
    QWidget* vp = g.viewport();
    auto centre = [&](int c, int r) { return g.CellRect(c, r).toQRect().center(); };

    QTest::mouseClick(vp, Qt::LeftButton, {}, centre(2, 3));
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 3);
    QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, centre(4, 5));
    EXPECT_EQ(g.Selection(), (TGridRect{2, 3, 4, 5}));
    QTest::mouseClick(vp, Qt::LeftButton, {}, centre(0, 3)); // fixed cells are not selected
    EXPECT_EQ(g.Col(), 4);

    // Sizing: drag the right edge of column 2 in the fixed row 30 pixels to the right.
    g.SetOptions(g.Options() | goColSizing | goColMoving);
    const TRect h2 = g.CellRect(2, 0);
    QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(h2.Right, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(h2.Right + 30, 10), vp->mapToGlobal(QPointF(h2.Right + 30, 10)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &move);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(h2.Right + 30, 10));
    EXPECT_EQ(g.ColWidths(2), 64 + 30);

    // Moving: drag the header of column 1 onto column 3; its texts go along.
    g.SetCells(1, 2, "moved");
    const QPoint from = centre(1, 0), to = centre(3, 0);
    QTest::mousePress(vp, Qt::LeftButton, {}, from);
    QMouseEvent drag(QEvent::MouseMove, QPointF(to), vp->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(vp, &drag);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
    EXPECT_EQ(g.Cells(3, 2), "moved");
    EXPECT_EQ(g.ColWidths(1), 64 + 30); // the sized column moved left into its place
}

TEST(StringGrid, WheelMovesTheCurrentRow)
{
    ShownGrid<TStringGrid> s;
    TStringGrid& g = s.g;
    g.SetRowCount(8);
    QWheelEvent down(QPointF(100, 50), g.mapToGlobal(QPointF(100, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(g.viewport(), &down);
    EXPECT_EQ(g.Row(), 2);
    QWheelEvent up(QPointF(100, 50), g.mapToGlobal(QPointF(100, 50)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(g.viewport(), &up);
    QApplication::sendEvent(g.viewport(), &up); // not into the fixed row
    EXPECT_EQ(g.Row(), 1);
}
