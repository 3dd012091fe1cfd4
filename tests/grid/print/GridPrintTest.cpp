// Printed cells, page numbers and header slots on an image canvas in the 0.1-mm mapping. The
// image has 254 dots per inch, so one logical unit is one pixel and logical (x, y) is pixel
// (x, -y).

#include "grid/print/GridPrint.h"
#include "grid/QvGrid.h"
#include "platform/Clock.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

using namespace grid;

namespace {

constexpr TColor kRed = 0x0000FF;
constexpr int kLeft = 100;  // left edge of column 0
constexpr int kTop = -200;  // y of the printed row
constexpr int kWidth = 400; // every column's printed width (UseFixedWidth, no spacing)

class PrintCanvas : public ::testing::Test {
protected:
    void SetUp() override
    {
        image = QImage(2100, 2970, QImage::Format_RGB32);
        image.setDotsPerMeterX(10000);
        image.setDotsPerMeterY(10000);
        image.fill(Qt::white);
        canvas.begin(&image);
        SetLoMetric(canvas);
        grid.SetColCount(5);
        grid.SetRowCount(4);
        grid.SetFixedRows(0);
        grid.SetFixedCols(0);
        auto& ps = grid.PrintSettings();
        ps.SetBorderColor(kRed);
        ps.SetUseFixedWidth(true);
        ps.SetFixedWidth(kWidth);
    }
    void TearDown() override
    {
        if (canvas.isActive())
            canvas.end();
    }

    // Prepares a run over the whole grid on the page and lays the columns out from kLeft.
    TGridPrinter& prepare(TPrintMode mode = pmPrint, int pageBottom = -2900)
    {
        TGridPrinter& p = grid.Printer();
        p.PrepareRun(canvas, mode, {0, 0, grid.ColCount() - 1, grid.RowCount() - 1}, 2100, pageBottom);
        p.ComputePrintColumnWidths(canvas);
        p.Indents[0] = kLeft;
        for (int c = 0; c < grid.ColCount(); ++c)
            p.Indents[std::size_t(c + 1)] = p.Indents[std::size_t(c)] + p.MaxWidths[std::size_t(c)] + p.s;
        p.PrintColEnd = grid.ColCount() - 1;
        return p;
    }
    int printRow(int row, int y = kTop)
    {
        const int pitch = grid.Printer().PrintCellRow(canvas, y, 0, grid.ColCount() - 1, row);
        return pitch;
    }
    // The pixel at logical (x, y).
    QRgb at(int x, int y)
    {
        if (canvas.isActive())
            canvas.end();
        return image.pixel(x, -y);
    }
    // A red line passes within a pixel of logical (x, y).
    bool redNear(int x, int y)
    {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (at(x + dx, y + dy) == qRgb(255, 0, 0))
                    return true;
        return false;
    }

    TQvStringGrid grid;
    QImage image;
    QPainter canvas;
};

TEST_F(PrintCanvas, RowPitchIsTwoGapsTheRowHeightAndTheRowSpacing)
{
    grid.PrintSettings().SetRowSpacing(7);
    grid.PrintSettings().SetUseFixedHeight(true);
    grid.PrintSettings().SetFixedHeight(50);
    // The counting modes draw nothing but answer the same pitch.
    TGridPrinter& counting = prepare(pmCountPrint);
    ASSERT_GT(counting.gap, 0);
    EXPECT_EQ(printRow(0), 2 * counting.gap + 50 + 7);
    EXPECT_FALSE(redNear(kLeft, kTop - 20));
    canvas.begin(&image);
    SetLoMetric(canvas);
    TGridPrinter& p = prepare();
    EXPECT_EQ(printRow(0), 2 * p.gap + 50 + 7);
    EXPECT_TRUE(redNear(kLeft, kTop - 20));
}

TEST_F(PrintCanvas, RowHeightAddsAnEighthAndTheEventHasTheLastWord)
{
    int measured = 80;
    grid.OnCustomCellSize = [&](TQvStringGrid*, QPainter&, int, int, TPoint& size, bool printing) {
        EXPECT_TRUE(printing);
        size = {100, measured};
    };
    TGridPrinter& p = prepare();
    EXPECT_EQ(p.PrintRowHeight(canvas, 1), 80 + 10);

    int events = 0;
    grid.OnPrintSetRowHeight = [&](TQvStringGrid*, int row, int& height) {
        ++events;
        EXPECT_EQ(row, 2);
        EXPECT_EQ(height, 90);
        height = 123;
    };
    EXPECT_EQ(p.PrintRowHeight(canvas, 2), 123);
    // The same row again: the last answer, no new measuring and no event.
    measured = 400;
    EXPECT_EQ(p.PrintRowHeight(canvas, 2), 123);
    EXPECT_EQ(events, 1);
}

TEST_F(PrintCanvas, NoAutoSizeRowTakesTheScreenHeightLessFour)
{
    grid.SetRowHeights(1, 30);
    grid.PrintSettings().SetNoAutoSizeRow(true);
    TGridPrinter& p = prepare();
    EXPECT_EQ(p.PrintRowHeight(canvas, 1), int(std::lround(30 * p.f)) - 4);
}

TEST_F(PrintCanvas, EachBorderKindDrawsItsSides)
{
    struct Case {
        TPrintBorders borders;
        bool left, top, right, bottom;
    };
    const Case cases[] = {
        {pbNoborder, false, false, false, false},     {pbSingle, true, true, true, true},
        {pbDouble, true, true, true, true},           {pbVertical, true, false, true, false},
        {pbHorizontal, false, true, false, true},     {pbAround, false, false, false, false},
        {pbAroundVertical, true, false, true, false}, {pbAroundHorizontal, false, true, false, true},
        {pbCustom, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.borders));
        image.fill(Qt::white);
        if (!canvas.isActive()) {
            canvas.begin(&image);
            SetLoMetric(canvas);
        }
        grid.PrintSettings().SetBorders(c.borders);
        prepare();
        const int pitch = printRow(0);
        const int midY = kTop - pitch / 2, midX = kLeft + kWidth / 2;
        EXPECT_EQ(redNear(kLeft, midY), c.left);
        EXPECT_EQ(redNear(midX, kTop), c.top);
        EXPECT_EQ(redNear(kLeft + kWidth, midY), c.right);
        EXPECT_EQ(redNear(midX, kTop - pitch), c.bottom);
    }
}

TEST_F(PrintCanvas, TheCellBorderEventChangesSidesAndPen)
{
    grid.OnGetCellPrintBorder = [](TQvStringGrid*, int ARow, int ACol, TPen& pen, TCellBorders& borders) {
        if (ACol == 1 && ARow == 0) {
            borders = cbTop;
            pen.Color = 0xFF0000; // blue
        }
    };
    prepare();
    const int pitch = printRow(0);
    const int x = kLeft + kWidth + kWidth / 2;
    EXPECT_EQ(at(x, kTop), qRgb(0, 0, 255));
    EXPECT_FALSE(redNear(x, kTop - pitch));
}

TEST_F(PrintCanvas, ACellMergedOverThreeColumnsHasNoInnerLines)
{
    grid.MergeCells(1, 0, 3, 1);
    prepare();
    const int pitch = printRow(0);
    const int midY = kTop - pitch / 2;
    EXPECT_TRUE(redNear(kLeft + kWidth, midY));      // its left edge
    EXPECT_FALSE(redNear(kLeft + 2 * kWidth, midY)); // inside
    EXPECT_FALSE(redNear(kLeft + 3 * kWidth, midY));
    EXPECT_TRUE(redNear(kLeft + 4 * kWidth, midY)); // its right edge
    // Top and bottom run the whole width.
    EXPECT_TRUE(redNear(kLeft + 2 * kWidth + 10, kTop));
    EXPECT_TRUE(redNear(kLeft + 2 * kWidth + 10, kTop - pitch));
}

TEST_F(PrintCanvas, ACellCrossingTheFooterEndsAtOnePitchWithoutItsBottomLine)
{
    grid.MergeCells(0, 0, 1, 2); // two rows high
    grid.PrintSettings().SetUseFixedHeight(true);
    grid.PrintSettings().SetFixedHeight(100);
    TGridPrinter& p = prepare(pmPrint, kTop - 150); // room for one pitch, not for two
    const int pitch = printRow(0);
    ASSERT_LT(kTop - 2 * pitch, p.PageBottom);
    EXPECT_FALSE(redNear(kLeft + 50, kTop - pitch)); // no bottom line
    EXPECT_FALSE(redNear(kLeft + 50, kTop - 2 * pitch));
    EXPECT_TRUE(redNear(kLeft, kTop - pitch + 5));   // the left line reaches one pitch down
    EXPECT_FALSE(redNear(kLeft, kTop - pitch - 10)); // and stops there
    // A cell that fits keeps its bottom line.
    EXPECT_TRUE(redNear(kLeft + kWidth + 50, kTop - pitch));
}

TEST_F(PrintCanvas, TheBackgroundRunsFromColourToAtTheBottomUpToTheBrushColour)
{
    grid.PrintSettings().SetBorders(pbNoborder);
    TCellProperties* props = grid.GetCellProperties(0, 0);
    props->SetBrushColor(0x00FF00);   // green at the top
    props->SetBrushColorTo(0xFF0000); // blue at the bottom
    prepare();
    const int pitch = printRow(0);
    // The last band before the closing one is within a 64th of the ends.
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 8 && std::abs(qGreen(a) - qGreen(b)) <= 8
               && std::abs(qBlue(a) - qBlue(b)) <= 8;
    };
    EXPECT_TRUE(near(at(kLeft + 50, kTop - 3), qRgb(0, 255, 0)));
    EXPECT_EQ(at(kLeft + 50, kTop - pitch + 1), qRgb(0, 0, 255));
    // 64 bands: the middle is neither end.
    const QRgb mid = at(kLeft + 50, kTop - pitch / 2);
    EXPECT_NE(mid, qRgb(0, 255, 0));
    EXPECT_NE(mid, qRgb(0, 0, 255));
}

TEST_F(PrintCanvas, CustomDrawingGetsTheCellInDeviceUnits)
{
    QList<TRect> rects;
    grid.OnCustomCellDraw = [&](TQvStringGrid*, QPainter& c, int ACol, int ARow, TGridDrawState state, const TRect& r,
                                bool printing) {
        EXPECT_TRUE(printing);
        EXPECT_EQ(state, 0);
        EXPECT_TRUE(c.worldTransform().isIdentity());
        if (ACol == 1 && ARow == 0) {
            rects << r;
            c.fillRect(QRect(r.Left + 10, r.Top + 10, 5, 5), Qt::blue);
        }
    };
    prepare();
    const int pitch = printRow(0);
    ASSERT_EQ(rects.size(), 1);
    EXPECT_EQ(rects[0].Left, kLeft + kWidth);
    EXPECT_EQ(rects[0].Top, -kTop);
    EXPECT_EQ(rects[0].Right, kLeft + 2 * kWidth);
    EXPECT_EQ(rects[0].Bottom, -kTop + pitch);
    EXPECT_EQ(at(kLeft + kWidth + 12, kTop - 12), qRgb(0, 0, 255));
}

// The ink of what was drawn inside the logical rectangle, in pixels.
QRect inkIn(const QImage& image, const TRect& r)
{
    QRect box;
    for (int y = -r.Top; y < -r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (qGray(image.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST_F(PrintCanvas, TheDriverFixTurnsRotatedTextTheOtherWay)
{
    grid.PrintSettings().SetBorders(pbNoborder);
    grid.PrintSettings().SetUseFixedHeight(true);
    grid.PrintSettings().SetFixedHeight(300);
    grid.AddRotated(1, 0, 45, "Turned text");
    const TRect cell{kLeft + kWidth, kTop, kLeft + 2 * kWidth, kTop - 400};
    prepare();
    printRow(0);
    at(0, 0);
    const QRect plain = inkIn(image, cell);
    image.fill(Qt::white);
    canvas.begin(&image);
    SetLoMetric(canvas);
    prepare().Printerdriverfix = true;
    printRow(0);
    at(0, 0);
    const QRect fixed = inkIn(image, cell);
    ASSERT_FALSE(plain.isNull());
    ASSERT_FALSE(fixed.isNull());
    // Counter-clockwise the text climbs to the right; turned back it falls.
    EXPECT_LT(plain.top(), fixed.top());
}

// A font colour in a markup cell prints in that colour, as on screen. (The markup's colour names
// are the "cl" names: a plain "red" is not one and gives black, on screen and on paper alike.)
TEST_F(PrintCanvas, AMarkupFontColourPrintsInItsColour)
{
    grid.PrintSettings().SetBorders(pbNoborder);
    grid.SetCells(1, 0, "<font color=\"clred\">Red text</font> and black");
    prepare();
    const int pitch = printRow(0);
    at(0, 0);
    int red = 0, dark = 0;
    for (int y = -kTop; y < -kTop + pitch; ++y)
        for (int x = kLeft + kWidth; x < kLeft + 2 * kWidth; ++x) {
            const QRgb c = image.pixel(x, y);
            red += qRed(c) > 180 && qGreen(c) < 100 && qBlue(c) < 100;
            dark += qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100;
        }
    EXPECT_GT(red, 50);
    EXPECT_GT(dark, 50);

    // The plain name: black like on screen.
    image.fill(Qt::white);
    canvas.begin(&image);
    SetLoMetric(canvas);
    grid.SetCells(1, 0, "<font color=\"red\">Red text</font>");
    prepare();
    printRow(0);
    at(0, 0);
    red = 0;
    for (int y = -kTop; y < -kTop + pitch; ++y)
        for (int x = kLeft + kWidth; x < kLeft + 2 * kWidth; ++x)
            red += qRed(image.pixel(x, y)) > 180 && qGreen(image.pixel(x, y)) < 100;
    EXPECT_EQ(red, 0);
}

TEST_F(PrintCanvas, NothingIsDrawnOnPagesOutsideTheRange)
{
    TGridPrinter& p = prepare();
    p.PrintPageFrom = p.PrintPageTo = 2;
    p.PageNr = 0;
    printRow(0);
    EXPECT_FALSE(redNear(kLeft, kTop - 5));
}

// ---- page numbers and header slots ----------------------------------------------------------

class PrintHeaders : public PrintCanvas {};

TEST_F(PrintHeaders, PageNumbersOfOneStripCountTheRunsPages)
{
    TGridPrinter& p = prepare();
    p.PrintPageNum = 3;
    QStringList texts;
    for (int page = 0; page < 3; ++page) {
        p.PageNr = page;
        texts << p.PrintPageNumberText();
    }
    EXPECT_EQ(texts, QStringList({"1/3", "2/3", "3/3"}));
    grid.PrintSettings().SetPageNumberOffset(10);
    p.PageNr = 0;
    EXPECT_EQ(p.PrintPageNumberText(), "11/3");
    // One page or no separator: the number alone.
    grid.PrintSettings().SetPageNumberOffset(0);
    p.PrintPageNum = 1;
    EXPECT_EQ(p.PrintPageNumberText(), "1");
}

TEST_F(PrintHeaders, TwoStripsNumberPagesWithinTheirStrip)
{
    TGridPrinter& p = prepare();
    p.StripCount = 2;
    p.PrintPageNum = 4;
    QStringList texts;
    for (int strip = 1; strip <= 2; ++strip)
        for (int page = 1; page <= 2; ++page) {
            p.StripNr = strip;
            p.PageInStrip = page;
            texts << p.PrintPageNumberText();
        }
    EXPECT_EQ(texts, QStringList({"1-1", "2-1", "1-2", "2-2"}));
}

TEST_F(PrintHeaders, ThePageNumberEventReplacesTheText)
{
    TGridPrinter& p = prepare();
    p.PrintPageNum = 3;
    p.PageNr = 1;
    grid.OnPrintGetPageNum = [](TQvStringGrid*, int page, int strip, QString& text) {
        text = QStringLiteral("p%1 s%2 was %3").arg(page).arg(strip).arg(text);
    };
    EXPECT_EQ(p.PrintPageNumberText(), "p2 s1 was 2/3");
}

TEST_F(PrintHeaders, TimeAndDateInOneLeftSlotPutTheDateFirst)
{
    platform::FixedClock clock(QDateTime(QDate(2026, 3, 4), QTime(9, 5)));
    platform::Services services;
    services.clock = &clock;
    grid.SetServices(services);
    auto& ps = grid.PrintSettings();
    ps.SetTime(ppTopLeft);
    ps.SetDate(ppTopLeft);
    ps.SetPageNr(ppBottomRight);
    ps.SetPagePrefix("Page");
    ps.SetTitle(ppTopCenter);
    ps.SetTitleLines({"Scan list", "second line"});
    TGridPrinter& p = prepare();
    p.PrintPageNum = 2;
    const auto items = p.HeaderFooterItems();
    EXPECT_EQ(items.Slots[ppTopLeft], "04/03/2026 09:05 ");
    EXPECT_EQ(items.Slots[ppBottomRight], " Page 1/2 ");
    EXPECT_EQ(items.Slots[ppTopCenter], "Scan list");
    EXPECT_EQ(items.MoreTitleLines, QStringList({"second line"}));
    EXPECT_TRUE(items.MarkupTitle.isEmpty());
}

TEST_F(PrintHeaders, SlotsStartLeftRightOrCentred)
{
    auto& ps = grid.PrintSettings();
    ps.SetLeftSize(30);
    ps.SetRightSize(40);
    TGridPrinter& p = prepare();
    EXPECT_EQ(p.HeaderFooterX(ppTopLeft, 500), 30);
    EXPECT_EQ(p.HeaderFooterX(ppBottomLeft, 500), 30);
    EXPECT_EQ(p.HeaderFooterX(ppTopRight, 500), 2100 - 500 - 40 - 20);
    EXPECT_EQ(p.HeaderFooterX(ppBottomCenter, 500), (2100 - 500) / 2);
}

TEST_F(PrintHeaders, MapFontHeightIsANegativeHeightInTenthsOfAMillimetre)
{
    TGridPrinter& p = prepare();
    EXPECT_EQ(p.MapFontHeight(10), -35); // 10 pt = 3.53 mm
    p.Fontscalefactor = 0.5;
    EXPECT_EQ(p.MapFontHeight(10), -17);
    EXPECT_EQ(TGridPrinter::MapFontSize(35), 9);
}

TEST(PrintMapping, DeviceAndLogicalUnitsConvertBothWays)
{
    QImage image(500, 500, QImage::Format_RGB32);
    image.setDotsPerMeterX(20000); // 508 dpi: 2 pixels per 0.1 mm
    image.setDotsPerMeterY(20000);
    QPainter canvas(&image);
    SetLoMetric(canvas);
    const TRect device = LogicalToDevice(canvas, {10, -20, 60, -120});
    EXPECT_EQ(device.Left, 20);
    EXPECT_EQ(device.Top, 40);
    EXPECT_EQ(device.Right, 120);
    EXPECT_EQ(device.Bottom, 240);
    const TRect back = DeviceToLogical(canvas, device);
    EXPECT_EQ(back.Left, 10);
    EXPECT_EQ(back.Top, -20);
    EXPECT_EQ(back.Right, 60);
    EXPECT_EQ(back.Bottom, -120);
    {
        TDeviceUnits units(canvas);
        EXPECT_TRUE(canvas.worldTransform().isIdentity());
    }
    EXPECT_FALSE(canvas.worldTransform().isIdentity());
}

TEST(PrintMapping, StretchedBitmapsStayUpright)
{
    QImage image(300, 300, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    QImage bitmap(2, 2, QImage::Format_RGB32);
    bitmap.setPixel(0, 0, qRgb(255, 0, 0)); // top row red
    bitmap.setPixel(1, 0, qRgb(255, 0, 0));
    bitmap.setPixel(0, 1, qRgb(0, 0, 255)); // bottom row blue
    bitmap.setPixel(1, 1, qRgb(0, 0, 255));
    {
        QPainter canvas(&image);
        SetLoMetric(canvas);
        StretchDIBToCanvas(canvas, {100, -100, 200, -200}, bitmap);
    }
    EXPECT_EQ(image.pixel(150, 120), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(150, 180), qRgb(0, 0, 255));
    EXPECT_EQ(PrinterOrientationAngle(nullptr), 0);
}

} // namespace
