// Scroll-bar cells on screen, compared with reference pictures drawn by hand from the cell
// geometry (tests/fixtures/grid/cellscroll/): the bar at the cell's right edge, the cell
// narrowed by it, a cell whose bar has nothing to scroll left whole, and the text moved up by
// the cell's position. Also the "<hi>" marks in the grid's highlight colours.

#include "grid/QvGrid.h"
#include "grid/look/QvXPVS.h"
#include "grid/markup/RizIVUDE.h"

#include "support/Screenshots.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTest>

using namespace grid;

namespace {

// The reference picture's classes of pixel.
constexpr QRgb kBackground = 0xFFFFFF00; // must be the cell's yellow
constexpr QRgb kBar = 0xFFFF00FF;        // must be the bar: neither the cell's yellow nor the text's red
constexpr QRgb kRed = 0xFFFF0000;

QString fixture(const QString& name)
{
    return testsupport::fixturePath(QStringLiteral("grid/cellscroll/") + name);
}

// Three columns of 90 and two rows of 60 pixels, no fixed cells, one-pixel lines inside the cells, yellow cells
// with red text: (0,0) page 30 of 120, (1,0) page 60 of 60 (nothing to scroll), (0,1) page 20
// of 200.
struct CellBarScreen {
    CellBarScreen()
    {
        ReleaseGridThemeApi();
        g.resize(300, 150);
        g.SetScrollBars(ssNone);
        g.SetColCount(3);
        g.SetRowCount(2);
        g.SetFixedCols(0);
        g.SetFixedRows(0);
        for (int c = 0; c < 3; ++c)
            g.SetColWidths(c, 90);
        for (int r = 0; r < 2; ++r)
            g.SetRowHeights(r, 60);
        g.SetColor(0x00FFFF);
        TFont f = g.Font();
        f.Color = 0x0000FF;
        g.SetFont(f);
        g.PaintSettings().Multilinecells = true;
        g.HideFocusRect = true;
        const QString text = QStringLiteral("AB\nCD\nEF\nGH\nIJ\nKL\nMN\nOP");
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c)
                g.SetCells(c, r, text);
        g.AddScrollBar(0, 0, false);
        g.SetScrollProp(0, 0, {30, 120});
        g.AddScrollBar(1, 0, false);
        g.SetScrollProp(1, 0, {60, 60});
        g.AddScrollBar(0, 1, false);
        g.SetScrollProp(0, 1, {20, 200});
        g.SetScrollPosition(0, 1, 12);
        g.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&g));
        g.FocusCell(2, 1); // the current cell is one no picture checks
        QApplication::processEvents();
    }
    ~CellBarScreen() { BindGridThemeApi(); }
    QImage shot()
    {
        QApplication::processEvents();
        QImage img(g.viewport()->size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        g.viewport()->render(&img);
        return img;
    }
    // Every pixel the reference marks, by its class.
    static void compare(const QImage& shot, const QString& referenceName)
    {
        const QImage ref = QImage(fixture(referenceName)).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(ref.isNull()) << referenceName.toStdString();
        ASSERT_GE(shot.width(), ref.width());
        ASSERT_GE(shot.height(), ref.height());
        int checked = 0, wrong = 0;
        for (int y = 0; y < ref.height(); ++y)
            for (int x = 0; x < ref.width(); ++x) {
                const QRgb want = ref.pixel(x, y), got = shot.pixel(x, y);
                bool ok = true;
                if (want == kBackground)
                    ok = got == kBackground;
                else if (want == kBar)
                    ok = got != kBackground && got != kRed;
                else
                    continue;
                ++checked;
                if (!ok && ++wrong <= 5)
                    ADD_FAILURE() << referenceName.toStdString() << " at " << x << "," << y << ": " << std::hex << got;
            }
        EXPECT_GT(checked, 1000);
        EXPECT_EQ(wrong, 0);
    }
    // The text of a cell moved up by dy: every pixel of the text area (left of the bar, inside
    // the lines) equals the one dy rows further down before the move.
    static int shiftedRows(const QImage& before, const QImage& after, QRect area, int dy)
    {
        int same = 0;
        for (int y = area.top(); y + dy <= area.bottom(); ++y) {
            bool rowSame = true;
            for (int x = area.left(); x <= area.right() && rowSame; ++x)
                rowSame = after.pixel(x, y) == before.pixel(x, y + dy);
            same += rowSame ? 1 : 0;
        }
        return same;
    }
    static bool hasRed(const QImage& img, QRect area)
    {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qRed(img.pixel(x, y)) > 150 && qGreen(img.pixel(x, y)) < 100 && qBlue(img.pixel(x, y)) < 100)
                    return true; // the text's red, smoothed at the glyphs' edges
        return false;
    }
    TQvStringGrid g;
};

} // namespace

TEST(GridCellScrollBarScreenshot, BarsNarrowTheirCellsAndTheTextFollowsThePosition)
{
    CellBarScreen s;
    // The geometry the pictures were drawn for.
    ASSERT_EQ(s.g.CellRect(0, 0), (TRect{0, 0, 90, 60}));
    ASSERT_EQ(s.g.CellRect(1, 0), (TRect{90, 0, 180, 60}));
    ASSERT_EQ(s.g.CellRect(0, 1), (TRect{0, 60, 90, 120}));
    const QImage before = s.shot();
    testsupport::saveScreenshot(before, QStringLiteral("grid/GridCellScroll_before.png"));
    CellBarScreen::compare(before, QStringLiteral("cells.png"));

    // The user scrolls the top-left cell by 24 pixels and the lower one back to 0.
    s.g.SetScrollPosition(0, 0, 24);
    s.g.SetScrollPosition(0, 1, 0);
    const QImage after = s.shot();
    testsupport::saveScreenshot(after, QStringLiteral("grid/GridCellScroll_after.png"));
    CellBarScreen::compare(after, QStringLiteral("cells.png")); // scrolling keeps bars and edges

    // Text offsets: the top cell's text 24 rows up, the lower one's 12 rows down, in the text
    // area left of the bar (content x 1 .. 71).
    const QRect topText(2, 1, 70, 58), lowText(2, 61, 70, 58);
    ASSERT_TRUE(CellBarScreen::hasRed(before, topText));
    ASSERT_NE(before, after);
    EXPECT_EQ(CellBarScreen::shiftedRows(before, after, topText, 24), topText.height() - 24);
    EXPECT_EQ(CellBarScreen::shiftedRows(after, before, lowText, 12), lowText.height() - 12);
    // A cell without a bar keeps its text where it was.
    const QRect plainText(92, 1, 86, 58);
    EXPECT_EQ(CellBarScreen::shiftedRows(before, after, plainText, 0), plainText.height());
}

TEST(GridCellScrollBarScreenshot, HighlightMarksTakeTheGridsHighlightColours)
{
    ReleaseGridThemeApi();
    TQvStringGrid g;
    g.resize(300, 120);
    g.SetColCount(2);
    g.SetRowCount(3);
    g.SetColWidths(1, 200);
    g.SetCells(1, 1, QStringLiteral("<hi>MMMMMMMM</hi>"));
    g.SetHighlightColor(0x00FF00);     // green
    g.SetHighlightTextColor(0xFF0000); // blue
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    g.FocusCell(0, 2);
    const auto count = [&g](QRgb colour) {
        QApplication::processEvents();
        QImage img(g.viewport()->size(), QImage::Format_RGB32);
        g.viewport()->render(&img);
        const QRect cell = g.CellRect(1, 1).toQRect();
        int n = 0;
        for (int y = cell.top(); y < cell.bottom(); ++y)
            for (int x = cell.left(); x < cell.right(); ++x)
                n += img.pixel(x, y) == colour ? 1 : 0;
        return n;
    };
    EXPECT_GT(count(qRgb(0, 255, 0)), 50);
    EXPECT_GT(count(qRgb(0, 0, 255)), 5);
    // Another grid's colours do not change this grid's marks.
    TQvStringGrid other;
    other.SetHighlightColor(0x0000FF);
    g.Invalidate();
    EXPECT_GT(count(qRgb(0, 255, 0)), 50);
    EXPECT_EQ(count(qRgb(255, 0, 0)), 0);
    // The renderer-wide pair back as the program starts with it.
    RizIVUDE::SetMarkupHighlightColors(platform::clHighlight, platform::clHighlightText);
    BindGridThemeApi();
}
