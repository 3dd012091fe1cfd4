// Scroll-bar cells driven with the pointer (the shared bar follows the pointer, dragging it
// scrolls the cell and tells the window), auto-range bars measured from their text, the grid's
// own bars by kind, colour and width, and the per-cell pointer shape and wide hint hooks.

#include "grid/QvGrid.h"
#include "grid/look/ZirAzur.h"
#include "grid/support/PaintSpy.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

using namespace grid;

namespace {

struct Scrolled {
    int col = -1, row = -1, pos = -1, min = -1, max = -1, count = 0;
};

struct CellBarGrid {
    CellBarGrid()
    {
        grid.resize(420, 300);
        grid.SetColCount(5);
        grid.SetRowCount(6);
        grid.SetRowHeights(2, 80);
        grid.AddScrollBar(2, 2, false);
        grid.SetScrollProp(2, 2, {20, 200});
        grid.OnScrollCell = [this](TQvStringGrid*, int c, int r, int pos, int min, int max) {
            scrolled = {c, r, pos, min, max, scrolled.count + 1};
        };
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
        grid.viewport()->installEventFilter(&spy);
        QApplication::processEvents();
    }
    QPoint in(int col, int row) const { return grid.CellRect(col, row).toQRect().center(); }
    // The bar under the pointer once it is over the cell, as the user finds it.
    QScrollBar* hoverBar(int col, int row)
    {
        // From another cell first: a pointer already standing there would report no move.
        QTest::mouseMove(grid.viewport(), in(0, 5));
        QTest::mouseMove(grid.viewport(), in(col, row));
        QApplication::processEvents();
        const TRect cell = grid.CellRect(col, row);
        return qobject_cast<QScrollBar*>(grid.viewport()->childAt(cell.Right - 5, (cell.Top + cell.Bottom) / 2));
    }
    static QRect thumb(QScrollBar* bar)
    {
        QStyleOptionSlider opt;
        opt.initFrom(bar);
        opt.orientation = bar->orientation();
        opt.minimum = bar->minimum();
        opt.maximum = bar->maximum();
        opt.sliderPosition = bar->sliderPosition();
        opt.sliderValue = bar->value();
        opt.singleStep = bar->singleStep();
        opt.pageStep = bar->pageStep();
        opt.upsideDown = bar->invertedAppearance();
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar);
    }
    TQvStringGrid grid;
    test::PaintSpy spy;
    Scrolled scrolled;
};

} // namespace

TEST(GridCellScroll, DraggingTheCellBarScrollsTheCellRepaintsItAndTellsTheWindow)
{
    CellBarGrid w;
    QScrollBar* bar = w.hoverBar(2, 2);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->isVisible());
    // Page 20 of range 200: positions 0 .. 181, as a platform bar counts them.
    EXPECT_EQ(bar->maximum(), 181);
    EXPECT_EQ(w.scrolled.count, 0); // placing the bar is no scrolling

    const QRect t = CellBarGrid::thumb(bar);
    ASSERT_TRUE(t.isValid());
    w.spy.painted = QRegion();
    QTest::mousePress(bar, Qt::LeftButton, {}, t.center());
    QTest::mouseMove(bar, t.center() + QPoint(0, 30));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, t.center() + QPoint(0, 30));
    QApplication::processEvents();

    const int pos = w.grid.GetScrollPosition(2, 2);
    EXPECT_GT(pos, 0);
    EXPECT_EQ(bar->value(), pos);
    EXPECT_GE(w.scrolled.count, 1);
    EXPECT_EQ(w.scrolled.col, 2);
    EXPECT_EQ(w.scrolled.row, 2);
    EXPECT_EQ(w.scrolled.pos, pos);
    EXPECT_EQ(w.scrolled.min, 0);
    EXPECT_EQ(w.scrolled.max, 200);
    EXPECT_TRUE(w.spy.painted.intersects(w.grid.CellRect(2, 2).toQRect()));
}

TEST(GridCellScroll, LinesMoveTenPixelsAndPagesAHundredWithinTheRange)
{
    CellBarGrid w;
    QScrollBar* bar = w.hoverBar(2, 2);
    ASSERT_NE(bar, nullptr);
    struct Step {
        QAbstractSlider::SliderAction action;
        int expected;
    };
    const Step steps[] = {
        {QAbstractSlider::SliderSingleStepAdd, 10}, {QAbstractSlider::SliderPageStepAdd, 110},
        {QAbstractSlider::SliderPageStepAdd, 181},  {QAbstractSlider::SliderSingleStepAdd, 181},
        {QAbstractSlider::SliderPageStepSub, 81},   {QAbstractSlider::SliderSingleStepSub, 71},
        {QAbstractSlider::SliderPageStepSub, 0},
    };
    for (const Step& s : steps) {
        bar->triggerAction(s.action);
        EXPECT_EQ(w.grid.GetScrollPosition(2, 2), s.expected) << s.action;
    }
    // Only real moves are reported: the line down at the end did not change the position.
    EXPECT_EQ(w.scrolled.count, 6);
}

TEST(GridCellScroll, AnAutoRangeCellTakesRowHeightAsPageAndTextHeightAsRange)
{
    CellBarGrid w;
    w.grid.AddScrollBar(1, 3, true);
    QStringList lines;
    for (int i = 1; i <= 30; ++i)
        lines << QStringLiteral("line %1").arg(i);
    w.grid.SetCells(1, 3, lines.join(QLatin1Char('\n')));
    const TScrollProp prop = w.grid.GetScrollProp(1, 3);
    EXPECT_EQ(prop.PageSize, w.grid.RowHeights(3));
    EXPECT_EQ(prop.Range, w.grid.GetCellTextSize(1, 3, true, true).height());
    const QFontMetrics fm(toQFont(w.grid.Font()));
    EXPECT_GE(prop.Range, 29 * fm.height());
    // Shorter text: the range follows, and a position past the new end comes back to it.
    w.grid.SetScrollPosition(1, 3, prop.Range - prop.PageSize);
    w.grid.SetCells(1, 3, lines.mid(0, 3).join(QLatin1Char('\n')));
    const TScrollProp shorter = w.grid.GetScrollProp(1, 3);
    EXPECT_LT(shorter.Range, prop.Range);
    EXPECT_LE(w.grid.GetScrollPosition(1, 3), TQvStringGrid::CellScrollMaximum(shorter));
    // A bar without auto range keeps what the window gave it.
    w.grid.SetCells(2, 2, lines.join(QLatin1Char('\n')));
    EXPECT_EQ(w.grid.GetScrollProp(2, 2), (TScrollProp{20, 200}));
}

TEST(GridCellScroll, AnAutoRangeCellOutOfViewMeasuresAsInView)
{
    QStringList lines;
    for (int i = 1; i <= 30; ++i)
        lines << QStringLiteral("word %1 and more words").arg(i);
    TQvStringGrid hidden; // set up before the window shows, as the windows do
    hidden.resize(420, 300);
    hidden.SetColCount(5);
    hidden.SetRowCount(6);
    hidden.AddScrollBar(1, 3, true);
    hidden.SetCells(1, 3, lines.join(QLatin1Char('\n')));
    CellBarGrid w;
    w.grid.AddScrollBar(1, 3, true);
    w.grid.SetCells(1, 3, lines.join(QLatin1Char('\n')));
    EXPECT_EQ(hidden.GetScrollProp(1, 3), w.grid.GetScrollProp(1, 3));
}

// ---- the grid's own bars -----------------------------------------------------------------------

TEST(GridOwnScrollBars, KindsKeepTheBarsTheGridAskedFor)
{
    CellBarGrid w;
    w.grid.SetScrollBars(ssNone);
    w.grid.SetScrollType(ssFlat);
    EXPECT_EQ(w.grid.ScrollBars, ssNone);
    EXPECT_EQ(w.grid.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    w.grid.SetScrollType(ssEncarta);
    EXPECT_EQ(w.grid.ScrollBars, ssNone);
    // Leaving the metro look's thin bars gives both bars back.
    w.grid.SetScrollType(ssMetro);
    EXPECT_EQ(w.grid.ScrollBars, ssNone);
    w.grid.SetScrollType(ssNormal);
    EXPECT_EQ(w.grid.ScrollBars, ssBoth);
    w.grid.SetScrollBars(ssVertical);
    w.grid.SetScrollType(ssFlat);
    EXPECT_EQ(w.grid.ScrollBars, ssVertical);
}

TEST(GridOwnScrollBars, FlatBarsShowTheScrollColourAndWidthInAScreenshot)
{
    TQvStringGrid g;
    g.resize(300, 200);
    g.SetColCount(3);
    g.SetRowCount(60);
    g.SetScrollBars(ssVertical);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    QApplication::processEvents();
    const auto shot = [&g] {
        QApplication::processEvents();
        QImage img(g.size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        g.render(&img);
        return img;
    };
    QScrollBar* bar = g.verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    const QRgb red = qRgb(255, 0, 0);
    const auto trackPixel = [&](const QImage& img, int fromRight) {
        const QPoint p = bar->mapTo(&g, QPoint(bar->width() - fromRight, bar->height() - bar->width() - 4));
        return img.pixel(p);
    };
    const QImage normal = shot();
    EXPECT_NE(trackPixel(normal, 3), red);

    g.SetScrollType(ssFlat);
    g.SetScrollColor(0x0000FF); // red
    g.SetScrollWidth(24);
    const QImage flat = shot();
    EXPECT_EQ(bar->width(), 24);
    // The track between thumb and the lower arrow is the scroll colour over the whole width.
    EXPECT_EQ(trackPixel(flat, 1), red);
    EXPECT_EQ(trackPixel(flat, 23), red);
    // Wider still: the colour reaches further into the grid.
    g.SetScrollWidth(40);
    const QImage wide = shot();
    EXPECT_EQ(bar->width(), 40);
    EXPECT_EQ(trackPixel(wide, 39), red);
    EXPECT_NE(wide.pixel(g.width() - 35, 10), flat.pixel(g.width() - 35, 10));
    // Back to the normal kind: the platform's bar again.
    g.SetScrollType(ssNormal);
    EXPECT_NE(trackPixel(shot(), 3), red);
}

TEST(GridOwnScrollBars, AKeptBarShowsGreyedWhileItsContentFits)
{
    CellBarGrid w; // six rows: all fit
    w.grid.SetScrollBarAlways(TQvStringGrid::saVert);
    QApplication::processEvents();
    QScrollBar* bar = w.grid.verticalScrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_FALSE(bar->isEnabled());
    w.grid.SetRowCount(80);
    QApplication::processEvents();
    EXPECT_TRUE(bar->isEnabled());
    w.grid.SetRowCount(6);
    QApplication::processEvents();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_FALSE(bar->isEnabled());
}

// ---- per-cell hooks --------------------------------------------------------------------------

TEST(GridCellHooks, ThePointerTakesTheShapeTheCellCursorHookGives)
{
    CellBarGrid w;
    QList<Qt::CursorShape> presets;
    w.grid.OnGetCellCursor = [&](TQvStringGrid*, int c, int r, int, int, Qt::CursorShape& cursor) {
        presets << cursor;
        if (c == 3 && r == 4)
            cursor = Qt::CrossCursor;
    };
    w.grid.SetCursor(Qt::IBeamCursor);
    EXPECT_EQ(w.grid.Cursor(), Qt::IBeamCursor);
    QTest::mouseMove(w.grid.viewport(), w.in(3, 4));
    QApplication::processEvents();
    EXPECT_EQ(w.grid.viewport()->cursor().shape(), Qt::CrossCursor);
    QTest::mouseMove(w.grid.viewport(), w.in(1, 4));
    QApplication::processEvents();
    EXPECT_EQ(w.grid.viewport()->cursor().shape(), Qt::IBeamCursor);
    ASSERT_FALSE(presets.isEmpty());
    EXPECT_EQ(presets.first(), Qt::IBeamCursor);
    // Zones that let go of the pointer fall back to the grid's own cursor.
    w.grid.viewport()->unsetCursor();
    EXPECT_EQ(w.grid.viewport()->cursor().shape(), Qt::IBeamCursor);
}

TEST(GridCellHooks, AWideHintReplacesTheHintAsWideCellText)
{
    TQvStringGrid g;
    g.OnGridHint = [](TQvStringGrid*, int, int, QString& hint) { hint = QStringLiteral("plain"); };
    QString hint;
    g.GetCellHint(1, 1, hint);
    EXPECT_EQ(hint, "plain");
    g.OnGridWideHint = [](TQvStringGrid*, int r, int c, QString& wide) {
        if (r == 2 && c == 1)
            wide = QStringLiteral("\u03a9 ohm");
    };
    g.GetCellHint(1, 2, hint);
    EXPECT_EQ(hint, ZirAzur::EncodeWideCellText(QStringLiteral("\u03a9 ohm")));
    EXPECT_EQ(ZirAzur::DecodeWideCellText(hint), QStringLiteral("\u03a9 ohm"));
    // An empty wide hint leaves the plain one.
    g.GetCellHint(1, 1, hint);
    EXPECT_EQ(hint, "plain");
}

TEST(GridCellHooks, ArrowColourReachesTheFourArrowsAndTheHooksOfTheKeysAndRows)
{
    TQvStringGrid g;
    g.SetArrowColor(0x00FF00);
    EXPECT_EQ(g.ArrowColor(), TColor(0x00FF00));
    for (int d = 0; d < 4; ++d)
        EXPECT_EQ(g.ArrowWindow(TArrowDirection(d))->Color, TColor(0x00FF00)) << d;
    const int rows = g.RowCount();
    g.AppendGridRow();
    EXPECT_EQ(g.RowCount(), rows + 1);
}
