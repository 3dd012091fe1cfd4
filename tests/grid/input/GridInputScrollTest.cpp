// Wheel, update lock, scrolling arithmetic and hints, stretching, zoom, footer calculation and
// the combo item list of the grid.

#include "grid/QvGrid.h"
#include "grid/edit/GridCombo.h"
#include "grid/input/GridInput.h"
#include "grid/markup/RizIVUDE.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

using namespace grid;

namespace {

struct ScrollWindow {
    explicit ScrollWindow(int rows = 100)
    {
        grid.resize(500, 300);
        grid.SetColCount(6);
        grid.SetRowCount(rows);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
        QApplication::processEvents();
    }
    // One notch of the wheel: towards the user (down) or away (up).
    void wheel(bool down, Qt::KeyboardModifiers m = {}, int notches = 1)
    {
        const QPointF p = grid.CellRect(2, 2).toQRect().center();
        QWheelEvent e(p, grid.viewport()->mapToGlobal(p), QPoint(), QPoint(0, (down ? -120 : 120) * notches),
                      Qt::NoButton, m, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.viewport(), &e);
        QApplication::processEvents();
    }
    TQvStringGrid grid;
};

} // namespace

TEST(GridInputWheel, WheelTable)
{
    const int lines = QApplication::wheelScrollLines();
    struct Case {
        const char* name;
        std::function<void(TQvStringGrid&)> setup;
        bool down;
        int startRow;
        int expectedRow;
        int expectedTopDelta; // -1: not checked
    };
    auto none = [](TQvStringGrid&) {};
    const Case cases[] = {
        {"moves the current row by the system's lines", none, true, 10, 10 + lines, -1},
        {"up", none, false, 10, 10 - lines, -1},
        {"not above the first normal row", none, false, 2, 1, -1},
        {"not below the last row", none, true, 98, 99, -1},
        {"own increment", [](TQvStringGrid& g) { g.MouseActions().SetWheelIncrement(5); }, true, 10, 15, -1},
        {"scroll: the view moves, the row stays", [](TQvStringGrid& g) { g.MouseActions().SetWheelAction(waScroll); },
         true, 10, 10, lines},
        {"wheel off", [](TQvStringGrid& g) { g.EnableWheel = false; }, true, 10, 10, 0},
        {"stops above the footer rows", [](TQvStringGrid& g) { g.SetFixedFooters(2); }, true, 96, 97, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScrollWindow w;
        c.setup(w.grid);
        w.grid.FocusCell(2, c.startRow, true);
        const int top = w.grid.TopRow();
        w.wheel(c.down);
        EXPECT_EQ(w.grid.Row(), c.expectedRow);
        EXPECT_EQ(w.grid.Col(), 2);
        if (c.expectedTopDelta >= 0) {
            EXPECT_EQ(w.grid.TopRow(), top + c.expectedTopDelta);
        }
        EXPECT_TRUE(w.grid.Row() >= w.grid.TopRow() || c.expectedTopDelta > 0);
    }
}

TEST(GridInputWheel, CtrlWheelZoomsWithIntelliZoom)
{
    ScrollWindow w;
    const int height = w.grid.RowHeights(3);
    w.wheel(true, Qt::ControlModifier);
    EXPECT_EQ(w.grid.ZoomFactor, QApplication::wheelScrollLines());
    EXPECT_EQ(w.grid.RowHeights(3), height + QApplication::wheelScrollLines());
    EXPECT_EQ(w.grid.Row(), 1); // no movement

    w.grid.IntelliZoom = false;
    w.wheel(true, Qt::ControlModifier);
    EXPECT_EQ(w.grid.ZoomFactor, QApplication::wheelScrollLines());
}

TEST(GridInputSizing, ZoomLimits)
{
    ScrollWindow w(5);
    w.grid.SetColWidths(3, 0); // hidden by width: stays hidden
    const int width = w.grid.ColWidths(2);
    EXPECT_TRUE(w.grid.Zoom(4));
    EXPECT_TRUE(w.grid.Zoom(4));
    EXPECT_EQ(w.grid.ZoomFactor, 8);
    EXPECT_FALSE(w.grid.Zoom(4));
    EXPECT_EQ(w.grid.ZoomFactor, 8);
    EXPECT_EQ(w.grid.ColWidths(2), width + 8);
    EXPECT_EQ(w.grid.ColWidths(3), 0);
    EXPECT_TRUE(w.grid.Zoom(-18));
    EXPECT_EQ(w.grid.ZoomFactor, -10);
    EXPECT_FALSE(w.grid.Zoom(-1));
}

TEST(GridInputSizing, StretchedLastColumn)
{
    struct Case {
        const char* name;
        int others;
        int expected;
    };
    for (const Case& c : {Case{"others narrower", 250, 149}, Case{"others wider, scrolled fully left", 450, 64}}) {
        SCOPED_TRACE(c.name);
        TQvStringGrid g;
        g.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        g.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        g.resize(400 + 2 * g.frameWidth(), 200);
        g.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
        ASSERT_EQ(g.viewport()->width(), 400);
        g.SetColCount(4);
        g.SetColWidths(0, 100);
        g.SetColWidths(1, c.others - 150);
        g.SetColWidths(2, 50);
        g.SetColWidths(3, 30);
        g.ColumnSize().SetStretch(true);
        g.StretchColumn(-1);
        EXPECT_EQ(g.ColWidths(3), c.expected);
    }
    TQvStringGrid g;
    g.ColumnSize().SetStretch(true);
    EXPECT_THROW(g.StretchColumn(g.ColCount()), std::runtime_error);
}

// Stretch switched on for a grid already on screen stretches its last column at once; with
// SynchWithGrid a resize keeps every column's share of the width.
TEST(GridInputSize, StretchOnAShownGridAndColumnsInProportion)
{
    {
        ScrollWindow w;
        w.grid.SetColCount(3);
        for (int c = 0; c < 3; ++c)
            w.grid.SetColWidths(c, 60);
        w.grid.ColumnSize().SetStretch(true);
        EXPECT_EQ(w.grid.ColWidths(0) + w.grid.ColWidths(1) + w.grid.ColWidths(2) + 1, w.grid.viewport()->width());
        EXPECT_EQ(w.grid.ColWidths(0), 60);
    }
    ScrollWindow w;
    w.grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w.grid.resize(400, 300);
    w.grid.SetColCount(3);
    w.grid.SetColWidths(0, 100);
    w.grid.SetColWidths(1, 200);
    w.grid.SetColWidths(2, 50);
    w.grid.ColumnSize().SetSynchWithGrid(true);
    w.grid.InitOrigColSizes();
    struct Step {
        int width;
        int c0, c1, c2;
    };
    for (const Step s :
         {Step{800, 200, 400, 100}, Step{200, 50, 100, 25}, Step{600, 150, 300, 75}, Step{400, 100, 200, 50}}) {
        w.grid.resize(s.width, 300);
        QApplication::processEvents();
        EXPECT_EQ(w.grid.ColWidths(0), s.c0) << s.width;
        EXPECT_EQ(w.grid.ColWidths(1), s.c1) << s.width;
        EXPECT_EQ(w.grid.ColWidths(2), s.c2) << s.width;
    }
}

// ---- update lock ---------------------------------------------------------------------------

TEST(GridInputUpdate, NestedUpdatesPaintOnlyAtTheOuterEnd)
{
    ScrollWindow w;
    int paints = 0;
    w.grid.OnPainted = [&](TQvStringGrid*) { ++paints; };
    w.grid.BeginUpdate();
    w.grid.BeginUpdate();
    (void)w.grid.grab();
    w.grid.EndUpdate();
    (void)w.grid.grab();
    EXPECT_EQ(paints, 0);
    EXPECT_TRUE(w.grid.LockUpdate());
    w.grid.EndUpdate();
    EXPECT_FALSE(w.grid.LockUpdate());
    (void)w.grid.grab();
    EXPECT_EQ(paints, 1);

    w.grid.StartUpdate();
    w.grid.StartUpdate();
    w.grid.ResetUpdate();
    EXPECT_EQ(w.grid.UpdateCount(), 0);
}

// A grid hidden while an update runs must not stay locked: shown again, it paints.
TEST(GridInputUpdate, GridHiddenDuringAnUpdateRepaintsWhenShown)
{
    ScrollWindow w;
    int paints = 0;
    w.grid.OnPainted = [&](TQvStringGrid*) { ++paints; };
    w.grid.BeginUpdate();
    w.grid.hide();
    w.grid.EndUpdate();
    w.grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.grid));
    (void)w.grid.grab();
    EXPECT_EQ(w.grid.UpdateCount(), 0);
    EXPECT_GE(paints, 1);
}

// ---- scrolling -----------------------------------------------------------------------------

TEST(GridInputScroll, ProportionalBarArithmetic)
{
    struct Case {
        const char* name;
        long long fixed, total, before;
        int extent;
        bool changes;
        int max, page, pos;
    };
    const Case cases[] = {
        {"40 % visible", 0, 1000, 0, 400, true, 212, 86, 0},
        {"40 % visible, scrolled half", 0, 1000, 300, 400, true, 212, 86, 64},
        {"everything fits", 0, 300, 0, 400, false, 0, 0, 0},
        {"fixed part counted", 100, 1000, 0, 500, true, 212, 86, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TProportionalScroll p;
        EXPECT_EQ(ComputeProportionalScroll(c.fixed, c.total, c.before, c.extent, 0, false, p), c.changes);
        if (c.changes) {
            EXPECT_EQ(p.Max, c.max);
            EXPECT_EQ(p.Page, c.page);
            EXPECT_EQ(p.Pos, c.pos);
            EXPECT_EQ(p.Max - p.Page + 1, 127); // the highest position
        }
    }
    EXPECT_EQ(MulDivRound(127, 79, 127), 79);
    EXPECT_EQ(MulDivRound(3, 1, 2), 2);
    EXPECT_EQ(MulDivRound(-3, 1, 2), -2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
}

TEST(GridInputScroll, ThumbHintShowsTheRow)
{
    ScrollWindow w(100);
    // 20 visible rows, one fixed row.
    for (int h = 100; h < 1000 && w.grid.VisibleRowCount() != 20; ++h)
        w.grid.resize(500, h);
    ASSERT_EQ(w.grid.VisibleRowCount(), 20);
    EXPECT_EQ(w.grid.ScrollHint(true, 127), "Row : 80");
    EXPECT_EQ(w.grid.ScrollHint(true, 0), "Row : 1");
    w.grid.OnScrollHint = [](TQvStringGrid*, int row, QString& hint) { hint = QStringLiteral("at %1").arg(row); };
    EXPECT_EQ(w.grid.ScrollHint(true, 127), "at 80");
}

TEST(GridInputScroll, ProportionalVerticalBarOfAGrid)
{
    ScrollWindow w(100);
    w.grid.ScrollProportional = true;
    w.grid.UpdateProportionalVScroll();
    EXPECT_GT(w.grid.ProportionalVScroll.Max, 127);
    EXPECT_EQ(w.grid.ProportionalVScroll.Page, w.grid.ProportionalVScroll.Max - 126);
    EXPECT_EQ(w.grid.ProportionalVScroll.Pos, 0);
    w.grid.SetTopRow(w.grid.RowCount() - w.grid.VisibleRowCount());
    w.grid.UpdateProportionalVScroll();
    EXPECT_GE(w.grid.ProportionalVScroll.Pos, 120);
}

TEST(GridInputScroll, FlatBarsAreRecordedAndNormalBarsStay)
{
    ScrollWindow w;
    w.grid.SetScrollType(ssFlat);
    EXPECT_EQ(w.grid.FlatScrollCalls, QStringList({"InitializeFlatSB", "FlatSB_SetScrollProp style flat"}));
    EXPECT_EQ(w.grid.ScrollBars, ssBoth);
    w.grid.SetScrollType(ssMetro);
    EXPECT_EQ(w.grid.ScrollBars, ssNone);
    w.grid.SetScrollType(ssNormal);
    EXPECT_EQ(w.grid.ScrollBars, ssBoth);
}

TEST(GridInputScroll, ScrollInViewAndScreenToCell)
{
    ScrollWindow w;
    w.grid.ScrollInView(2, 80);
    EXPECT_LE(w.grid.TopRow(), 80);
    EXPECT_GT(w.grid.TopRow() + w.grid.VisibleRowCount(), 80);
    const QPoint p = w.grid.viewport()->mapToGlobal(w.grid.CellRect(3, 80).toQRect().center());
    int c = -1, r = -1;
    w.grid.ScreenToCell(p, c, r);
    EXPECT_EQ(c, 3);
    EXPECT_EQ(r, 80);
}

TEST(GridInputScroll, ScrollInViewOfAVisibleCellChangesNothingWithoutTheSearchFooter)
{
    ScrollWindow w;
    w.grid.FocusCell(2, 3);
    const int top = w.grid.TopRow();
    const int last = w.grid.TopRow() + w.grid.VisibleRowCount() - 1;
    w.grid.ScrollInView(2, last);
    EXPECT_EQ(w.grid.TopRow(), top);
    EXPECT_EQ(w.grid.Row(), 3);
}

TEST(GridInputScroll, ScrollInViewLiftsARowCoveredByTheSearchFooter)
{
    ScrollWindow w;
    const int last = w.grid.TopRow() + w.grid.VisibleRowCount() - 1;
    w.grid.SearchFooter().SetVisible(true);
    w.grid.ScrollInView(2, last);
    EXPECT_GT(w.grid.TopRow(), 1);
    EXPECT_LE(w.grid.CellRect(2, last).Bottom, w.grid.viewport()->height() - 32);
    EXPECT_GT(w.grid.CellRect(2, last).Bottom, w.grid.CellRect(2, last).Top);
}

// ---- footer --------------------------------------------------------------------------------

TEST(GridInputFooter, AggregatesTable)
{
    struct Case {
        const char* name;
        TColumnCalcType type;
        double expected;
    };
    const Case cases[] = {
        {"sum", acSUM, 10},    {"average", acAVG, 2.5}, {"minimum", acMIN, 1},
        {"maximum", acMAX, 4}, {"count", acCOUNT, 4},   {"distinct", acDISTINCT, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TQvStringGrid g;
        g.SetColCount(4);
        g.SetRowCount(6); // one fixed row, rows 1..4, the footer row 5
        for (int r = 1; r <= 4; ++r)
            g.SetCells(2, r, QString::number(r));
        g.FloatingFooter.SetVisible(true);
        g.SetFooterCalcType(2, c.type);
        g.CalcFooter(-1);
        EXPECT_DOUBLE_EQ(g.GetFloats(2, 5), c.expected);
    }
}

TEST(GridInputFooter, CountHiddenRowsAndStyles)
{
    TQvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(10);
    g.FloatingFooter.SetVisible(true);
    g.SetFooterCalcType(1, acCOUNT);
    g.CalcFooter(1);
    EXPECT_EQ(g.GetInts(1, 9), 8);

    g.HideRows(2, 4);
    g.FloatingFooter.SetCalculateHiddenRows(true);
    g.CalcFooter(1);
    EXPECT_EQ(g.GetInts(1, g.RowCount() - 1), 8);

    TQvStringGrid p;
    p.SetRowCount(6);
    p.SetCells(2, 1, "5");
    p.FloatingFooter.SetVisible(true);
    p.FloatingFooter.SetFooterStyle(TQvStringGrid::fsColumnPreview);
    p.SetFooterCalcType(2, acSUM);
    p.CalcFooter(-1);
    EXPECT_EQ(p.Cells(2, 5), "");

    p.FloatingFooter.SetFooterStyle(TQvStringGrid::fsFixedLastRow);
    p.SetFooterCalcType(3, acCUSTOM);
    p.OnCalcFooter = [](TQvStringGrid*, int c, int r, QString& v) { v = QStringLiteral("c%1 r%2").arg(c).arg(r); };
    p.CalcFooter(3);
    EXPECT_EQ(p.Cells(3, 5), "c3 r5");
}

// ---- combo item list ----------------------------------------------------------------------

TEST(GridInputCombo, ItemList)
{
    TQvStringGrid g;
    g.ClearComboString();
    g.AddComboString("Alpha");
    g.AddComboString("Beta");
    g.AddComboString("Gamma");
    EXPECT_EQ(g.GetComboCount(), 3);
    EXPECT_FALSE(g.RemoveComboString("Delta"));
    EXPECT_EQ(g.GetComboCount(), 3);
    EXPECT_TRUE(g.RemoveComboString("Beta"));
    EXPECT_EQ(g.GetComboCount(), 2);
    EXPECT_FALSE(g.SetComboSelectionString("Beta"));
    EXPECT_EQ(g.FComboIdx, -1);
    EXPECT_TRUE(g.SetComboSelectionString("Gamma"));
    EXPECT_EQ(g.FComboIdx, 1);

    int asked = 0;
    g.OnGetEditorProp = [&](TQvStringGrid*, int, int, void*) { ++asked; };
    g.SetComboIndex(2, 3, 1);
    EXPECT_EQ(g.Cells(2, 3), "Gamma");
    EXPECT_EQ(g.GetComboIndex(2, 3), 1);
    g.SetCells(2, 3, "Other");
    EXPECT_EQ(g.GetComboIndex(2, 3), -1);
    EXPECT_EQ(asked, 3);
}

TEST(GridInputScroll, DragNearTheEdgesScrolls)
{
    ScrollWindow w;
    w.grid.SetTopRow(20);
    using G = TQvStringGrid;
    w.grid.DragOverGrid(200, 10, G::dsDragEnter);
    EXPECT_EQ(w.grid.DragScrollTimer(), nullptr); // option off
    w.grid.DragScrollOptions.Active = true;
    w.grid.DragOverGrid(200, 10, G::dsDragEnter);
    ASSERT_NE(w.grid.DragScrollTimer(), nullptr);
    EXPECT_EQ(w.grid.DragScrollDirection(), unsigned(G::dsdUp));
    EXPECT_EQ(w.grid.DragScrollTimer()->interval(), 1000);
    w.grid.DragScrollTick(); // what the timer does when it fires
    EXPECT_EQ(w.grid.TopRow(), 19);
    EXPECT_EQ(w.grid.DragScrollTimer()->interval(), 250);

    // The application turns the scroll round, or stops it.
    w.grid.OnDragScroll = [](TQvStringGrid*, int, int, unsigned& dir, bool&) { dir = G::dsdDown; };
    w.grid.DragScrollTick();
    EXPECT_EQ(w.grid.TopRow(), 20);
    w.grid.OnDragScroll = [](TQvStringGrid*, int, int, unsigned&, bool& can) { can = false; };
    w.grid.DragScrollTick();
    EXPECT_EQ(w.grid.TopRow(), 20);

    // Back in the middle, or gone: no timer.
    w.grid.DragOverGrid(200, 150, G::dsDragMove);
    EXPECT_EQ(w.grid.DragScrollTimer(), nullptr);
    w.grid.DragOverGrid(5, w.grid.height() - 5, G::dsDragMove);
    EXPECT_EQ(w.grid.DragScrollDirection(), unsigned(G::dsdDown | G::dsdLeft));
    w.grid.DragOverGrid(5, 5, G::dsDragLeave);
    EXPECT_EQ(w.grid.DragScrollTimer(), nullptr);
}

TEST(GridInputSizing, StretchedColumnFollowsTheGridWidth)
{
    TQvStringGrid g;
    g.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g.SetColCount(3);
    g.ColumnSize().SetStretch(true);
    g.resize(300, 200);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    const auto sum = [&] { return g.ColWidths(0) + g.ColWidths(1) + g.ColWidths(2); };
    EXPECT_EQ(sum(), g.viewport()->width() - 1);
    g.resize(450, 200);
    QApplication::processEvents();
    EXPECT_EQ(sum(), g.viewport()->width() - 1);
}

// ---- setting writers -----------------------------------------------------------------------

TEST(GridInputSettings, WritersStoreAndRepaintOnlyOnChange)
{
    ScrollWindow w(10);
    int paints = 0;
    w.grid.OnPainted = [&](TQvStringGrid*) { ++paints; };
    QApplication::processEvents();
    paints = 0;
    w.grid.SetHighlightColor(w.grid.HighlightColor);
    w.grid.SetHighlightTextColor(w.grid.HighlightTextColor);
    w.grid.SetShowDesignHelper(w.grid.ShowDesignHelper);
    QApplication::processEvents();
    EXPECT_EQ(paints, 0);
    w.grid.SetHighlightColor(0x00FF00);
    QApplication::processEvents();
    EXPECT_EQ(w.grid.HighlightColor, TColor(0x00FF00));
    EXPECT_GE(paints, 1);
    // The markup renderer's pair follows (hints and other markup use it); back to the start's.
    EXPECT_EQ(RizIVUDE::HighlightBackColor, TColor(0x00FF00));
    RizIVUDE::SetMarkupHighlightColors(platform::clHighlight, platform::clHighlightText);

    w.grid.SetXYOffset({4, 3});
    EXPECT_EQ(w.grid.XYOffset.X, 4);
    w.grid.UpdateXYOffset(1, 1);
    EXPECT_EQ(w.grid.XYOffset.Y, 1);
    w.grid.SetActiveCellShow(true);
    w.grid.SetActiveCellColor(0x123456);
    EXPECT_TRUE(w.grid.ActiveCellShow);
    EXPECT_EQ(w.grid.ActiveCellColor, TColor(0x123456));
    TBitmap pic(QImage(8, 8, QImage::Format_ARGB32));
    w.grid.SetRowIndicator(pic);
    EXPECT_EQ(w.grid.RowIndicator().Width(), 8);

    TQvStringGrid other;
    w.grid.SyncGrid().SetGrid(&other);
    w.grid.ForgetRemovedComponent(&other);
    EXPECT_EQ(w.grid.SyncGrid().Grid(), nullptr);
}

TEST(GridInputWheel, MiddleButtonPanning)
{
    ScrollWindow w;
    w.grid.FocusCell(2, 10, true);
    const QPoint origin(200, 150);
    QTest::mousePress(w.grid.viewport(), Qt::MiddleButton, {}, origin);
    QTest::mouseRelease(w.grid.viewport(), Qt::MiddleButton, {}, origin); // panning goes on
    ASSERT_TRUE(w.grid.Panning());
    w.grid.PanStep(origin + QPoint(40, 5)); // within 5 pixels, and sideways: vertical panning only
    EXPECT_EQ(w.grid.Row(), 10);
    EXPECT_EQ(w.grid.Col(), 2);
    w.grid.PanStep(origin + QPoint(0, 6));
    EXPECT_EQ(w.grid.Row(), 11);
    w.grid.PanStep(origin + QPoint(0, -30));
    EXPECT_EQ(w.grid.Row(), 10);

    w.grid.IntelliPan = TQvStringGrid::ipBoth;
    w.grid.PanStep(origin + QPoint(40, 0));
    EXPECT_EQ(w.grid.Col(), 3);

    QTest::mouseClick(w.grid.viewport(), Qt::LeftButton, {}, w.grid.CellRect(4, 12).toQRect().center());
    EXPECT_FALSE(w.grid.Panning());
    w.grid.PanStep(origin + QPoint(0, 60)); // no longer panning: nothing moves
    EXPECT_EQ(w.grid.Row(), 12);

    w.grid.IntelliPan = TQvStringGrid::ipNone;
    QTest::mouseClick(w.grid.viewport(), Qt::MiddleButton, {}, origin);
    EXPECT_FALSE(w.grid.Panning());
}

TEST(GridInputWheel, WheelEventsWithAnIncrement)
{
    ScrollWindow w;
    int downs = 0, ups = 0;
    w.grid.OnMouseWheelDown = [&](TQvStringGrid*, Qt::KeyboardModifiers, QPoint, bool&) { ++downs; };
    w.grid.OnMouseWheelUp = [&](TQvStringGrid*, Qt::KeyboardModifiers, QPoint, bool&) { ++ups; };
    w.wheel(true);
    EXPECT_EQ(downs, 0); // only with an increment of its own or disjunct row selection
    w.grid.MouseActions().SetWheelIncrement(2);
    w.wheel(true);
    w.wheel(false);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
}

TEST(GridInputTimer, TheGridTimerTickBlinks)
{
    ScrollWindow w;
    w.grid.EnableBlink = true;
    w.grid.GridTimerTick();
    EXPECT_TRUE(w.grid.GridBlink());
    w.grid.GridTimerTick();
    EXPECT_FALSE(w.grid.GridBlink());
}

TEST(GridInputTimer, BlinkPhaseAndHoverFocus)
{
    ScrollWindow w;
    w.grid.SetCells(2, 3, "<BLINK>on</BLINK>");
    w.grid.HandleTimer();
    EXPECT_FALSE(w.grid.GridBlink()); // blinking off
    w.grid.EnableBlink = true;
    w.grid.HandleTimer();
    EXPECT_TRUE(w.grid.GridBlink());
    w.grid.HandleTimer();
    EXPECT_FALSE(w.grid.GridBlink());

    // Hover focus: the cell under the pointer becomes current on the next tick.
    w.grid.Hovering = true;
    const QPoint over = w.grid.viewport()->mapToGlobal(w.grid.CellRect(4, 6).toQRect().center());
    QCursor::setPos(over);
    if (QCursor::pos() != over || QApplication::widgetAt(over) != w.grid.viewport())
        GTEST_SKIP() << "this platform does not place the pointer";
    w.grid.HandleTimer();
    EXPECT_EQ(w.grid.Col(), 4);
    EXPECT_EQ(w.grid.Row(), 6);
}

TEST(GridInputScroll, BarsKeptVisibleWhenNothingScrolls)
{
    ScrollWindow w(3); // everything fits
    w.grid.SetColCount(2);
    QApplication::processEvents();
    EXPECT_FALSE(w.grid.verticalScrollBar()->isVisible());
    w.grid.SetScrollBarAlways(TQvStringGrid::saVert);
    QApplication::processEvents();
    EXPECT_TRUE(w.grid.verticalScrollBar()->isVisible());
    EXPECT_EQ(w.grid.verticalScrollBar()->minimum(), w.grid.verticalScrollBar()->maximum()); // nothing to scroll
    w.grid.SetRowCount(100); // rows added later: the kept bar scrolls them
    QApplication::processEvents();
    EXPECT_GT(w.grid.verticalScrollBar()->maximum(), w.grid.verticalScrollBar()->minimum());
    EXPECT_TRUE(w.grid.verticalScrollBar()->isEnabled());
    w.grid.SetRowCount(3);
    EXPECT_FALSE(w.grid.horizontalScrollBar()->isVisible());
    w.grid.SetScrollBars(ssHorizontal);
    QApplication::processEvents();
    EXPECT_FALSE(w.grid.verticalScrollBar()->isVisible());
    w.grid.SetScrollBars(ssBoth);
    w.grid.SetScrollBarAlways(TQvStringGrid::saNone);
    QApplication::processEvents();
    EXPECT_FALSE(w.grid.verticalScrollBar()->isVisible());
}
