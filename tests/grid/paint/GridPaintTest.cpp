// Raster checks of the cell painter at chosen pixels. Every case runs twice: with the
// visual-styles table bound to a scripted theme and with it unbound (the classic paths).

#include "grid/paint/GridPaint.h"
#include "grid/QvGrid.h"
#include "grid/look/QvXPVS.h"
#include "grid/look/ZirAzur.h"

#include "grid/support/FakeVisualStyles.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace grid;
using testsupport::FakeVisualStyles;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

QRgb rgbOf(TColor c)
{
    return platform::toQColor(c).rgb();
}

class GridPaint : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ReleaseGridThemeApi();
        if (themed())
            BindGridThemeApi(styles);
        grid = std::make_unique<TQvStringGrid>();
        grid->resize(400, 300);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetOptions(grid->Options() | goEditing);
    }
    void TearDown() override
    {
        grid.reset();
        ReleaseGridThemeApi();
        BindGridThemeApi();
    }
    bool themed() const { return GetParam(); }

    // Paints one cell's content onto a white image, as the base grid hands it over.
    QImage paint(int col, int row, TRect rect, TGridDrawState state = 0, int w = 200, int h = 60)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(kWhite);
        QPainter p(&img);
        grid->Painter().PaintGridCell(p, col, row, rect, state);
        return img;
    }
    // Bounding box of the pixels that are not white.
    static QRect inked(const QImage& img, QRect within = {})
    {
        if (within.isNull())
            within = img.rect();
        int l = INT_MAX, t = INT_MAX, r = -1, b = -1;
        for (int y = within.top(); y <= within.bottom(); ++y)
            for (int x = within.left(); x <= within.right(); ++x)
                if (img.pixel(x, y) != kWhite) {
                    l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
                }
        return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
    }

    FakeVisualStyles styles;
    std::unique_ptr<TQvStringGrid> grid;
};

INSTANTIATE_TEST_SUITE_P(ThemedAndClassic, GridPaint, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Themed" : "Classic"; });

// Left and right borders of pens 1 to 4 wide: moved in by half the pen width so that they
// stay inside the cell, the pen centred on its line.
TEST_P(GridPaint, BorderPositionsForPenWidths)
{
    struct Case {
        int width;
        int leftFrom, leftTo;   // inclusive pixel columns of the left border
        int rightFrom, rightTo; // and of the right border
    };
    const Case cases[] = {{1, 10, 10, 69, 69}, {2, 10, 11, 69, 70}, {3, 10, 12, 67, 69}, {4, 10, 13, 67, 70}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        grid->OnGetCellBorder = [&](TQvStringGrid*, int, int, TPen& pen, TCellBorders& borders) {
            pen.Color = 0x0000FF;
            pen.Width = c.width;
            borders = cbLeft | cbRight;
        };
        const QImage img = paint(2, 2, {10, 10, 70, 34});
        const int y = 20;
        for (int x = 5; x < 75; ++x) {
            const bool border = (x >= c.leftFrom && x <= c.leftTo) || (x >= c.rightFrom && x <= c.rightTo);
            EXPECT_EQ(img.pixel(x, y) == rgbOf(0x0000FF), border) << "x=" << x;
        }
    }
}

// Top border one grid line above the content, bottom border on its last row, for a 1-pixel
// pen; the border event gets its own copies of the pen for each side.
TEST_P(GridPaint, TopAndBottomBordersAndPerSidePens)
{
    grid->OnGetCellBorder = [](TQvStringGrid*, int, int, TPen& pen, TCellBorders& borders) {
        pen.Color = 0x0000FF;
        borders = cbTop | cbBottom;
    };
    grid->OnGetCellBorderProp = [](TQvStringGrid*, int, int, TPen&, TPen& top, TPen&, TPen& bottom) {
        top.Color = 0x00FF00;
        bottom.Color = 0xFF0000;
    };
    const QImage img = paint(2, 2, {10, 10, 70, 34});
    EXPECT_EQ(img.pixel(30, 9), rgbOf(0x00FF00));
    EXPECT_EQ(img.pixel(30, 10), kWhite);
    EXPECT_EQ(img.pixel(30, 33), rgbOf(0xFF0000));
    EXPECT_EQ(img.pixel(30, 32), kWhite);
}

// The tree line of a row lies at indent x level + indent div 2 - indent + 2: 12 pixels
// further right per level with the default indent of 12.
TEST_P(GridPaint, NodeLineXPerLevel)
{
    grid->SetRowCount(8);
    grid->FNumNodes = 1;
    const int levels[] = {0, 1, 2, 3, 3, 2, 1, 0};
    for (int r = 1; r < 8; ++r)
        grid->GetCellProperties(0, r)->FNodeLevel = levels[r];
    grid->CreateCellGraphic(0, 1)->FCellType = ctNode;
    const TColor tree = grid->CellNode().TreeColor();
    for (int row : {2, 3}) {
        SCOPED_TRACE(row);
        const QImage img = paint(0, row, {0, 0, 120, 20});
        int rightmost = -1;
        for (int x = 0; x < 120; ++x)
            if (img.pixel(x, 1) == rgbOf(tree))
                rightmost = x;
        EXPECT_EQ(rightmost, 12 * levels[row] - 4);
        // The horizontal line at the middle runs from there to the right edge.
        EXPECT_EQ(img.pixel(12 * levels[row] - 4, 10), rgbOf(tree));
        EXPECT_EQ(img.pixel(110, 10), rgbOf(tree));
    }
}

// A check box of CheckBoxSize at the left, vertically centred in the cell grown by the border
// step and shrunk by the text offsets; themed it is the theme's check-box part, and a cell
// that cannot be edited shows the disabled state.
TEST_P(GridPaint, CheckBoxGlyphRectangle)
{
    TCellGraphic* g = grid->CreateCellGraphic(2, 2);
    g->SetCheckBox(true, false, false, haLeft, vaCenter);
    const QImage img = paint(2, 2, {0, 0, 64, 24});
    const QRect box(1, 4, 15, 15);
    if (themed()) {
        EXPECT_EQ(inked(img), box);
        ASSERT_FALSE(styles.draws.empty());
        EXPECT_EQ(styles.draws.back().themeClass, QStringLiteral("button"));
        EXPECT_EQ(styles.draws.back().part, platform::theme::BP_CHECKBOX);
        EXPECT_EQ(styles.draws.back().state, platform::theme::CBS_CHECKEDNORMAL);
        EXPECT_EQ(img.pixel(8, 10), FakeVisualStyles::marker);
    } else {
        // The light bottom-right edge vanishes on white; the dark top-left corner and the tick
        // are inside the box.
        EXPECT_TRUE(box.contains(inked(img)));
        EXPECT_EQ(inked(img).topLeft(), box.topLeft());
        EXPECT_TRUE(styles.draws.empty());
    }
    grid->SetOptions(grid->Options() & ~goEditing);
    styles.draws.clear();
    const QImage disabled = paint(2, 2, {0, 0, 64, 24});
    if (themed())
        EXPECT_EQ(styles.draws.back().state, platform::theme::CBS_CHECKEDNORMAL + 3);
    else
        EXPECT_EQ(disabled.pixel(4, 7), rgbOf(platform::clBtnFace));
}

// Radio options stacked by the line height, glyph at left + 2 and top + 2 of the cell; classic
// glyphs are RadioSize across, themed ones the 16-pixel theme part.
TEST_P(GridPaint, RadioGroupGlyphRectangles)
{
    TCellGraphic* g = grid->CreateCellGraphic(2, 2);
    g->FCellType = ctRadio;
    g->FCellBitmap = new TStringList(QStringList{QStringLiteral("A"), QStringLiteral("B")});
    g->FCellCreated = true; // the graphic owns the option list
    g->FCellIndex = 1;
    grid->PaintSettings().ControlLook.SetRadioSize(10);
    const QImage img = paint(2, 2, {0, 0, 100, 60});
    const QFontMetrics fm(toQFont(grid->Font()));
    if (themed()) {
        const int lineH = std::max(16, fm.height());
        ASSERT_EQ(styles.draws.size(), 2u);
        EXPECT_EQ(styles.draws[0].rect, QRect(2, 2, 16, 16));
        EXPECT_EQ(styles.draws[1].rect, QRect(2, 2 + lineH, 16, 16));
        EXPECT_EQ(styles.draws[0].part, platform::theme::BP_RADIOBUTTON);
        EXPECT_EQ(styles.draws[0].state, 1); // unchecked
        EXPECT_EQ(styles.draws[1].state, 5); // checked
    } else {
        const int lineH = fm.height();
        EXPECT_EQ(inked(img, QRect(0, 0, 16, 2 + lineH)), QRect(2, 2, 10, 10));
        EXPECT_EQ(inked(img, QRect(0, 2 + lineH, 16, 14)), QRect(2, 2 + lineH, 10, 10));
        // The checked option has a dot in its middle, the other none.
        EXPECT_EQ(img.pixel(7, 7), rgbOf(platform::clWindow));
        EXPECT_NE(img.pixel(7, 7 + lineH), rgbOf(platform::clWindow));
    }
}

// Level bar: 2 + L pixels wide; smooth fill of [p x L / 100] pixels from left + 1, stacked
// segments at the level percentages, blocks of 7 with a pitch of 9.
TEST_P(GridPaint, ProgressBarFillLengths)
{
    TProgressLook look;
    look.ShowGradient = false;
    look.ShowPercentage = false;
    look.BackgroundColor = 0xFFFFFF;
    const auto fillEnd = [](const QImage& img, int y) {
        int last = -1;
        for (int x = 1; x < img.width() - 1; ++x)
            if (img.pixel(x, y) != kWhite)
                last = x;
        return last;
    };
    struct Case {
        int percent;
        bool stacked, smooth;
        int lastFilled; // last coloured pixel on the bar's middle row
        QRgb colourAt5; // colour at x = 5
    };
    const Case cases[] = {
        {37, false, true, 37, rgbOf(look.Level0Color)},
        {75, false, true, 75, rgbOf(look.Level1Color)},
        {95, false, true, 95, rgbOf(look.Level2Color)},
        {100, false, true, 100, rgbOf(look.Level3Color)},
        {0, false, true, -1, kWhite},
        {9, false, false, 9, rgbOf(look.Level0Color)},
        {10, false, false, 8, rgbOf(look.Level0Color)},
        {24, false, false, 24, rgbOf(look.Level0Color)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percent);
        look.Stacked = c.stacked;
        look.CompletionSmooth = c.smooth;
        QImage img(102, 20, QImage::Format_RGB32);
        img.fill(kWhite);
        {
            QPainter p(&img);
            ZirAzur::PaintProgressCell(p, {0, 0, 102, 20}, c.percent, look);
        }
        EXPECT_EQ(fillEnd(img, 10), c.lastFilled);
        EXPECT_EQ(img.pixel(5, 10), c.colourAt5);
    }
    // Stacked at 100%: 70 pixels of level 0, 20 of level 1, the rest in level 3.
    look.Stacked = true;
    look.CompletionSmooth = true;
    QImage img(102, 20, QImage::Format_RGB32);
    img.fill(kWhite);
    {
        QPainter p(&img);
        ZirAzur::PaintProgressCell(p, {0, 0, 102, 20}, 100, look);
    }
    EXPECT_EQ(img.pixel(70, 10), rgbOf(look.Level0Color));
    EXPECT_EQ(img.pixel(71, 10), rgbOf(look.Level1Color));
    EXPECT_EQ(img.pixel(90, 10), rgbOf(look.Level1Color));
    EXPECT_EQ(img.pixel(91, 10), rgbOf(look.Level3Color));
    EXPECT_EQ(img.pixel(100, 10), rgbOf(look.Level3Color));
}

// The classic two-colour bar: the complete colour up to left + [percent x width / 100] of the
// rectangle shrunk by the margins.
TEST_P(GridPaint, ClassicProgressSplit)
{
    QImage img(120, 20, QImage::Format_RGB32);
    img.fill(kWhite);
    {
        QPainter p(&img);
        ZirAzur::PaintClassicProgress(p, {0, 0, 120, 20}, 0x0000FF, false, clNone, QString(), 100, 0, 2, 10, 25.0,
                                      0xFFFFFF, 0x00FF00, 0x000000);
    }
    // Width 100 from x = 10: 25 pixels complete.
    EXPECT_EQ(img.pixel(10, 3), rgbOf(0x0000FF));
    EXPECT_EQ(img.pixel(34, 3), rgbOf(0x0000FF));
    EXPECT_EQ(img.pixel(35, 3), rgbOf(0x00FF00));
    EXPECT_EQ(img.pixel(109, 3), rgbOf(0x00FF00));
    EXPECT_EQ(img.pixel(110, 3), kWhite);
    EXPECT_EQ(img.pixel(20, 1), kWhite); // margin y
}

// A progress cell through the painter: the cell value 50 in a 0..100 range fills half of the
// bar inside the margins.
TEST_P(GridPaint, ProgressCellThroughThePainter)
{
    grid->ProgressAppearance().SetShowGradient(false);
    grid->ProgressAppearance().SetShowPercentage(false);
    grid->ProgressAppearance().SetUnCompleteColor(0xFFFFFF);
    TCellGraphic* g = grid->CreateCellGraphic(2, 2);
    g->FCellType = ctXPProgress;
    g->FCellErrFrom = 0;
    g->FCellErrLen = 100;
    grid->SetCells(2, 2, QStringLiteral("50"));
    const QImage img = paint(2, 2, {0, 0, 105, 24});
    // Rectangle 2..102 (margins 2, one less at the right): inner length 98, 49 filled.
    const QRgb level0 = rgbOf(grid->ProgressAppearance().Level0Color());
    EXPECT_EQ(img.pixel(3, 12), level0);
    EXPECT_EQ(img.pixel(51, 12), level0);
    EXPECT_NE(img.pixel(52, 12), level0);
}

// Modified rows show a 4-pixel bar at the right edge of column 0.
TEST_P(GridPaint, ModifiedRowMarker)
{
    grid->PaintSettings().ShowModified.Enabled = true;
    grid->PaintSettings().ShowModified.SetColor(0x00FF00);
    grid->SetRowModified(3, true);
    const QImage marked = paint(0, 3, {0, 0, 60, 20});
    for (int x = 54; x < 62; ++x)
        EXPECT_EQ(marked.pixel(x, 10) == rgbOf(0x00FF00), x >= 56 && x < 60) << x;
    const QImage plain = paint(0, 2, {0, 0, 60, 20});
    EXPECT_NE(plain.pixel(57, 10), rgbOf(0x00FF00));
    grid->PaintSettings().ShowModified.Enabled = false;
    EXPECT_NE(paint(0, 3, {0, 0, 60, 20}).pixel(57, 10), rgbOf(0x00FF00));
}

// A hot header with the drop-down button: a separator at right - 16 and the arrow at
// (right - 8, top + 8), both in the hover border colour; without hover nothing of it.
TEST_P(GridPaint, HeaderDropDownPart)
{
    grid->Look = glXP;
    grid->HoverFixedCells = hfAll;
    auto& cl = grid->PaintSettings().ControlLook;
    cl.SetFixedDropDownButton(true);
    cl.SetFixedGradientHoverBorder(0x0000FF);
    grid->OnCanShowFixedDropDown = [](TQvStringGrid*, int, bool& canShow) { canShow = true; };
    grid->FHoverFixedX = 2;
    grid->FHoverFixedY = 0;
    const QImage hot = paint(2, 0, {0, 0, 80, 22}, gdFixed);
    const QRgb border = rgbOf(0x0000FF);
    EXPECT_EQ(hot.pixel(64, 11), border); // separator
    EXPECT_EQ(hot.pixel(72, 8), border);  // arrow base
    EXPECT_EQ(hot.pixel(72, 10), border); // arrow point
    EXPECT_NE(hot.pixel(68, 9), border);  // outside the arrow
    grid->FHoverFixedX = -1;
    const QImage cold = paint(2, 0, {0, 0, 80, 22}, gdFixed);
    EXPECT_NE(cold.pixel(64, 11), border);
    EXPECT_NE(cold.pixel(72, 10), border);
}

// The focus rectangle: only on the current normal cell of a focused grid, never with row
// selection or with HideFocusRect.
TEST_P(GridPaint, FocusRectangleRule)
{
    grid->show();
    QApplication::setActiveWindow(grid.get());
    grid->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(grid->hasFocus());
    grid->SetCol(2);
    grid->SetRow(2);
    ASSERT_EQ(grid->Col(), 2);
    ASSERT_EQ(grid->Row(), 2);
    ASSERT_TRUE(grid->hasFocus());
    const auto framed = [&](int col, int row) {
        const QImage img = paint(col, row, {10, 10, 70, 34});
        // Dotted frame over 10..68 x 10..32: corners and every second pixel inverted.
        return img.pixel(10, 10) != kWhite && img.pixel(68, 32) == img.pixel(10, 10) && img.pixel(11, 10) == kWhite
               && img.pixel(69, 33) == kWhite;
    };
    EXPECT_TRUE(framed(2, 2));
    EXPECT_FALSE(framed(3, 2));
    grid->HideFocusRect = true;
    EXPECT_FALSE(framed(2, 2));
    grid->HideFocusRect = false;
    grid->SetOptions(grid->Options() | goRowSelect);
    EXPECT_FALSE(framed(2, 2));
    grid->SetOptions(grid->Options() & ~goRowSelect);
    grid->clearFocus();
    grid->hide();
    EXPECT_FALSE(framed(2, 2));
}

// Cells selected without focus in a grid without a selection colour get the highlight brush;
// with OnDrawCell and NoDefaultDraw the text is left out but the graphic stays.
TEST_P(GridPaint, NoDefaultDrawKeepsTheGraphic)
{
    grid->SetCells(2, 2, QStringLiteral("WWWWWW"));
    TCellGraphic* g = grid->CreateCellGraphic(2, 2);
    g->SetCheckBox(true, false, false, haLeft, vaCenter);
    int drawn = 0;
    grid->OnDrawCell = [&](TStringGrid*, int, int, const TRect&, TGridDrawState) { ++drawn; };
    grid->PaintSettings().NoDefaultDraw = true;
    const QImage img = paint(2, 2, {0, 0, 100, 24});
    EXPECT_EQ(drawn, 1);
    EXPECT_FALSE(inked(img, QRect(0, 0, 18, 24)).isNull()); // the check box
    EXPECT_TRUE(inked(img, QRect(18, 0, 82, 24)).isNull()); // no text
    grid->PaintSettings().NoDefaultDraw = false;
    EXPECT_FALSE(inked(paint(2, 2, {0, 0, 100, 24}), QRect(18, 0, 82, 24)).isNull());
}

// Shapes: a circle takes the smaller side; ratings fill whole and half stars.
TEST_P(GridPaint, ShapesAndRatings)
{
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(kWhite);
    {
        QPainter p(&img);
        ZirAzur::PaintCellShape(p, 0, 0, 30, 20, csCircle, 0x0000FF, 0x000000);
    }
    EXPECT_EQ(inked(img), QRect(0, 0, 20, 20));
    EXPECT_EQ(img.pixel(10, 10), rgbOf(0x0000FF));

    TCellGraphic* g = grid->CreateCellGraphic(2, 2);
    g->FCellType = ctRating;
    g->FCellAngle = 5;
    g->FCellBitmapColor = 0xC0C0C0; // empty star
    g->FCellIndex = 0x0000FF;       // filled star
    g->FCellHAlign = haLeft;
    g->FCellVAlign = vaTop;
    // Star centres: filled stars and the half star (its centre lies on its edge) in the
    // filled colour, empty stars in the empty colour.
    const auto starCentres = [&](const QImage& im) {
        QString s;
        for (int i = 0; i < 5; ++i)
            s += im.pixel(1 + i * 18 + 8, 1 + 8) == rgbOf(0x0000FF) ? QLatin1Char('F') : QLatin1Char('-');
        return s;
    };
    grid->SetCells(2, 2, QStringLiteral("3.7"));
    EXPECT_EQ(starCentres(paint(2, 2, {0, 0, 120, 24})), QStringLiteral("FFFF-"));
    grid->SetCells(2, 2, QStringLiteral("3.3"));
    EXPECT_EQ(starCentres(paint(2, 2, {0, 0, 120, 24})), QStringLiteral("FFF--"));
}

// Plain text: placed by its alignment inside the cell less the text offsets.
TEST_P(GridPaint, TextAlignment)
{
    grid->SetCells(2, 2, QStringLiteral("WWW"));
    TAlignment align = taLeftJustify;
    grid->OnGetAlignment = [&](TQvStringGrid*, int, int, TAlignment& ha, TVAlignment&) { ha = align; };
    struct Case {
        TAlignment align;
        int minLeft, maxLeft, minRight, maxRight;
    };
    const Case cases[] = {{taLeftJustify, 2, 4, 10, 60}, {taRightJustify, 40, 90, 94, 97}, {taCenter, 20, 49, 51, 80}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.align));
        align = c.align;
        const QRect ink = inked(paint(2, 2, {0, 0, 100, 24}));
        EXPECT_GE(ink.left(), c.minLeft);
        EXPECT_LE(ink.left(), c.maxLeft);
        EXPECT_GE(ink.right(), c.minRight);
        EXPECT_LE(ink.right(), c.maxRight);
        if (c.align == taCenter) {
            EXPECT_LE(std::abs((ink.left() + ink.right()) / 2 - 50), 2);
        }
    }
}

// Password cells show one password character per character; without word wrap and
// multi-line cells only the first line is shown; markup shows no tags.
TEST_P(GridPaint, TextForms)
{
    const auto cellImage = [&](const QString& text) {
        grid->SetCells(2, 2, text);
        return paint(2, 2, {0, 0, 120, 40});
    };
    grid->OnIsPasswordCell = [](TQvStringGrid*, int, int, bool& p) { p = true; };
    const QImage hidden = cellImage(QStringLiteral("abc"));
    grid->OnIsPasswordCell = nullptr;
    EXPECT_EQ(hidden, cellImage(QStringLiteral("***")));

    grid->SetWordWrap(false);
    EXPECT_EQ(cellImage(QStringLiteral("First\rSecond")), cellImage(QStringLiteral("First")));
    grid->PaintSettings().Multilinecells = true;
    EXPECT_NE(cellImage(QStringLiteral("First\rSecond")), cellImage(QStringLiteral("First")));
    grid->PaintSettings().Multilinecells = false;

    const QRect markup = inked(cellImage(QStringLiteral("<b>bold</b>")));
    grid->EnableHTML = false;
    const QRect raw = inked(cellImage(QStringLiteral("<b>bold</b>")));
    EXPECT_LT(markup.width(), raw.width());
}

// Links show without their protocol, underlined in the link colour.
TEST_P(GridPaint, LinkText)
{
    grid->PaintSettings().URLShow = true;
    grid->URLColor = 0x00FF00;
    grid->SetCells(2, 2, QStringLiteral("http://example.com"));
    const QImage link = paint(2, 2, {0, 0, 200, 24});
    int green = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 24; ++y)
            green += link.pixel(x, y) == rgbOf(0x00FF00);
    EXPECT_GT(green, 20);
    grid->PaintSettings().URLFull = true;
    EXPECT_GT(inked(paint(2, 2, {0, 0, 200, 24})).width(), inked(link).width());
}

// A centred sort header has its indicator at the cell's left edge + 8.
TEST_P(GridPaint, SortIndicatorOfACentredHeader)
{
    auto& ss = grid->PaintSettings().SortSettings;
    ss.SetShow(true);
    ss.SetColumn(2);
    ss.SetRow(0);
    grid->SetCells(2, 0, QStringLiteral("Name"));
    grid->OnGetAlignment = [](TQvStringGrid*, int, int, TAlignment& ha, TVAlignment&) { ha = taCenter; };
    const QImage img = paint(2, 0, {0, 0, 100, 22}, gdFixed);
    int l = 1000, r = -1;
    for (int y = 2; y < 14; ++y)
        for (int x = 0; x < 30; ++x)
            if (img.pixel(x, y) == rgbOf(0x808080))
                l = std::min(l, x), r = std::max(r, x);
    EXPECT_GE(l, 4);
    EXPECT_LE(r, 12);
    EXPECT_GE(r, 8);
    ss.SetShow(false);
    const QImage none = paint(2, 0, {0, 0, 100, 22}, gdFixed);
    for (int y = 2; y < 14; ++y)
        for (int x = 0; x < 14; ++x)
            EXPECT_NE(none.pixel(x, y), rgbOf(0x808080));
}

// In a markup header the sort indicator stands at the cell's right edge (10 pixels kept for it,
// 2 of them given back), not after the text as in a plain one.
TEST_P(GridPaint, SortIndicatorOfAMarkupHeader)
{
    auto& ss = grid->PaintSettings().SortSettings;
    ss.SetShow(true);
    ss.SetColumn(2);
    ss.SetRow(0);
    grid->SetCells(2, 0, QStringLiteral("<b>Name</b>"));
    const QImage img = paint(2, 0, {0, 0, 100, 22}, gdFixed);
    int l = 1000, r = -1;
    for (int y = 2; y < 14; ++y)
        for (int x = 0; x < 100; ++x)
            if (img.pixel(x, y) == rgbOf(0x808080))
                l = std::min(l, x), r = std::max(r, x);
    EXPECT_GE(l, 84);
    EXPECT_LE(r, 96);
}

// Starting points of turned text by quadrant and alignment, for a 100 x 50 rectangle at
// (10, 20) and the extents A = 5, B = 30, C = 8, D = 40.
TEST(GridPaintRotatedText, PlacementTable)
{
    struct Case {
        int angle;
        TAlignment ha;
        TVAlignment va;
        TPoint expected;
    };
    const Case cases[] = {
        {45, taLeftJustify, vtaTop, {10, 50}},       {45, taRightJustify, vtaBottom, {62, 65}},
        {45, taCenter, vtaCenter, {36, 57}},         {0, taLeftJustify, vtaTop, {10, 50}},
        {120, taLeftJustify, vtaTop, {50, 55}},      {120, taRightJustify, vtaBottom, {102, 70}},
        {120, taCenter, vtaCenter, {76, 62}},        {200, taLeftJustify, vtaTop, {58, 25}},
        {200, taRightJustify, vtaBottom, {110, 40}}, {200, taCenter, vtaCenter, {84, 32}},
        {300, taLeftJustify, vtaTop, {18, 20}},      {300, taRightJustify, vtaBottom, {70, 35}},
        {300, taCenter, vtaCenter, {44, 27}},        {360, taLeftJustify, vtaTop, {18, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        EXPECT_EQ(ZirAzur::PlaceRotatedText({10, 20, 110, 70}, c.ha, c.va, c.angle, 5, 30, 8, 40), c.expected);
    }
}

// Fixed-cell edges: the Vista look has white lines at both side edges, the XP look does not.
TEST_P(GridPaint, VistaHeaderEdges)
{
    grid->SetCells(2, 0, QString());
    grid->Look = glVista;
    const QImage vista = paint(2, 0, {0, 0, 80, 22}, gdFixed);
    EXPECT_EQ(vista.pixel(0, 11), kWhite);
    EXPECT_EQ(vista.pixel(79, 11), kWhite);
    grid->Look = glXP;
    grid->SetFixedColor(0xC0C0C0);
    const QImage xp = paint(2, 0, {0, 0, 80, 22}, gdFixed);
    EXPECT_NE(xp.pixel(79, 11), kWhite);
    // The XP look's inner highlight runs down one pixel inside the edge of the grown cell,
    // which is the cell's own left edge.
    EXPECT_EQ(xp.pixel(0, 11), kWhite);
}

// Flat node glyph: a 9 x 9 box at row indent - indent div 2, with a minus, and the plus
// stroke while the node is contracted.
TEST_P(GridPaint, FlatNodeGlyph)
{
    grid->FNumNodes = 1;
    grid->GetCellProperties(0, 1)->FNodeLevel = 1;
    grid->GetCellProperties(0, 2)->FNodeLevel = 1;
    grid->CellNode().SetNodeType(cnFlat);
    grid->CellNode().SetShowTree(false);
    TCellGraphic* g = grid->CreateCellGraphic(0, 1);
    g->FCellType = ctNode;
    const TColor nodeColor = grid->CellNode().NodeColor();
    // Left = 12 - 6 - 4 = 2: the box from x = 6; vertically centred in the grown cell moved
    // one pixel down for fixed cells: y = 1 + (25 - 8) / 2 = 9.
    const auto nodeInk = [&](const QImage& img) {
        int l = 1000, t = 1000, r = -1, b = -1;
        for (int y = 0; y < 26; ++y)
            for (int x = 0; x < 30; ++x)
                if (img.pixel(x, y) == rgbOf(nodeColor))
                    l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
        return QRect(QPoint(l, t), QPoint(r, b));
    };
    const QImage open = paint(0, 1, {1, 1, 61, 25});
    EXPECT_EQ(nodeInk(open), QRect(6, 9, 9, 9));
    for (int x = 8; x < 13; ++x)
        EXPECT_EQ(open.pixel(x, 13), rgbOf(nodeColor)) << x;
    EXPECT_NE(open.pixel(10, 11), rgbOf(nodeColor));
    g->FCellBoolean = true; // contracted
    const QImage closed = paint(0, 1, {1, 1, 61, 25});
    for (int y = 11; y < 16; ++y)
        EXPECT_EQ(closed.pixel(10, y), rgbOf(nodeColor)) << y;
}

// The filter row: the drop-down glyph 16 pixels left of the right edge, the active glyph for
// a column with a condition while the filter is on, and the text ending 16 pixels earlier.
TEST_P(GridPaint, FilterGlyph)
{
    auto& ps = grid->PaintSettings();
    ps.FilterDropDownRow = 0;
    QImage glyph(16, 16, QImage::Format_RGB32), active(16, 16, QImage::Format_RGB32);
    glyph.fill(0xFFFF00FF);
    active.fill(0xFFFF00FF);
    QPainter(&glyph).fillRect(4, 4, 8, 8, QColor(0, 0, 255));
    QPainter(&active).fillRect(4, 4, 8, 8, QColor(255, 0, 0));
    grid->FilterDropDown().SetGlyph(TBitmap(glyph));
    grid->FilterDropDown().SetGlyphActive(TBitmap(active));
    grid->OnGetColumnFilter = [](TQvStringGrid*, int, QStringList& list) { list << QStringLiteral("a"); };
    grid->SetCells(2, 0, QStringLiteral("MMMMMMMMMMMMMMMMMMMM"));
    grid->Look = glStandard;
    const QImage plain = paint(2, 0, {0, 0, 100, 22}, gdFixed);
    EXPECT_EQ(plain.pixel(84 + 8, 8), qRgb(0, 0, 255));
    // A condition on the column while the filter is on (an empty one keeps every row).
    grid->Filter().GetColFilter(2);
    grid->SetFilterActive(true);
    const QImage filtered = paint(2, 0, {0, 0, 100, 22}, gdFixed);
    EXPECT_EQ(filtered.pixel(84 + 8, 8), qRgb(255, 0, 0));
    // The text stops before the glyph: nothing of it right of 100 - 2 - 16.
    for (int x = 83; x < 88; ++x)
        for (int y = 0; y < 22; ++y)
            EXPECT_NE(filtered.pixel(x, y), rgbOf(grid->FixedFont().Color)) << x << "," << y;
    grid->OnGetColumnFilter = nullptr;
    grid->SetFilterActive(false);
    EXPECT_NE(paint(2, 0, {0, 0, 100, 22}, gdFixed).pixel(84 + 8, 8), qRgb(255, 0, 0));
}

// A tiled background picture shows in normal cells without colours of their own and in the
// area outside the cells, not in fixed cells.
TEST_P(GridPaint, TiledBackgroundPicture)
{
    grid->show();
    grid->SetColCount(3);
    grid->SetRowCount(3);
    auto& bg = grid->PaintSettings().BackGround;
    QImage pic(8, 8, QImage::Format_RGB32);
    pic.fill(qRgb(0, 200, 0));
    bg.SetBitmap(TBitmap{pic});
    bg.SetDisplay(bdTile);
    bg.SetCells(bcNormal);
    QImage img(grid->viewport()->size(), QImage::Format_RGB32);
    grid->viewport()->render(&img);
    const TRect normal = grid->CellRect(2, 2), fixed = grid->CellRect(0, 2);
    EXPECT_EQ(img.pixel(normal.Left + 10, normal.Bottom - 3), qRgb(0, 200, 0));
    EXPECT_NE(img.pixel(fixed.Left + 10, fixed.Bottom - 3), qRgb(0, 200, 0));
    EXPECT_EQ(img.pixel(img.width() - 3, img.height() - 3), qRgb(0, 200, 0));
}

// The selection rectangle: 2-pixel lines one grid line outside the left and top of the block's
// first cell, none on its inner sides.
TEST_P(GridPaint, SelectionRectangleLines)
{
    grid->SelectionRectangle = true;
    grid->SelectionRectangleColor = 0x0000FF;
    grid->SetSelection({1, 1, 2, 2});
    const QImage first = paint(1, 1, {10, 10, 70, 34});
    const QRgb red = rgbOf(0x0000FF);
    EXPECT_EQ(first.pixel(9, 20), red);
    EXPECT_EQ(first.pixel(10, 20), red);
    EXPECT_NE(first.pixel(11, 20), red);
    EXPECT_EQ(first.pixel(40, 9), red);
    EXPECT_EQ(first.pixel(40, 10), red);
    EXPECT_NE(first.pixel(68, 20), red); // not the block's right column
    EXPECT_NE(first.pixel(40, 33), red); // not its bottom row
    const QImage last = paint(2, 2, {10, 10, 70, 34});
    EXPECT_EQ(last.pixel(68, 20), red);
    EXPECT_EQ(last.pixel(69, 20), red);
    EXPECT_EQ(last.pixel(40, 33), red);
    EXPECT_NE(last.pixel(10, 20), red);
}

// Turned text: at 90 degrees a word stands upright in the cell.
TEST_P(GridPaint, RotatedText)
{
    grid->SetCells(2, 2, QStringLiteral("Turned"));
    TCellGraphic* g = grid->CreateCellGraphic(2, 2);
    g->FCellType = ctRotated;
    g->FCellAngle = 90;
    const QRect ink = inked(paint(2, 2, {0, 0, 40, 80}, 0, 40, 80));
    ASSERT_FALSE(ink.isNull());
    EXPECT_GT(ink.height(), 2 * ink.width());
    EXPECT_TRUE(QRect(0, 0, 40, 80).contains(ink));
}

// The row indicator of the current row: drawn at the left + 2 of column 0, the text moved right
// past it.
TEST_P(GridPaint, RowIndicator)
{
    QImage arrow(8, 8, QImage::Format_RGB32);
    arrow.fill(qRgb(255, 0, 255)); // corner colour: transparent
    QPainter(&arrow).fillRect(2, 2, 4, 4, QColor(0, 0, 255));
    grid->RowIndicator().Image = arrow;
    grid->SetRow(2);
    grid->Look = glStandard;
    grid->PaintSettings().ControlLook.SetControlStyle(csClassic);
    const QImage img = paint(0, 2, {0, 0, 60, 20}, gdFixed);
    EXPECT_EQ(img.pixel(2 + 3, 3), qRgb(0, 0, 255));
    EXPECT_NE(img.pixel(2, 0), qRgb(255, 0, 255));
    const QImage other = paint(0, 3, {0, 0, 60, 20}, gdFixed);
    EXPECT_NE(other.pixel(2 + 3, 3), qRgb(0, 0, 255));
}

// The progress appearance reports each real change once; Assign copies everything with one
// report.
TEST_P(GridPaint, ProgressAppearanceChanges)
{
    TGridProgressAppearance a, b;
    int changes = 0;
    a.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &a);
        ++changes;
    };
    a.SetLevel1Perc(60);
    a.SetLevel1Perc(60);
    EXPECT_EQ(changes, 1);
    b.SetStacked(true);
    b.SetCompleteColor(0x123456);
    b.SetStyle(psClassic);
    a.Assign(b);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(a.Stacked());
    EXPECT_EQ(a.CompleteColor(), TColor(0x123456));
    EXPECT_EQ(a.Level1Perc(), 70);
    EXPECT_EQ(a.Style(), psClassic);
    TPersistent other;
    a.Assign(other);
    EXPECT_EQ(changes, 2);
}

// The classic bar's text: an integer format rounds the position, a real format keeps it.
TEST_P(GridPaint, ClassicProgressFormats)
{
    const auto bar = [](const char* format, double position) {
        QImage img(120, 20, QImage::Format_RGB32);
        img.fill(kWhite);
        QPainter p(&img);
        ZirAzur::PaintClassicProgress(p, {0, 0, 120, 20}, 0x0000FF, false, clNone, QString::fromLatin1(format), 100, 0,
                                      2, 2, position, 0xFFFFFF, 0x00FF00, 0x000000);
        return img;
    };
    EXPECT_EQ(bar("%d", 7.6), bar("%d", 8.0));
    EXPECT_NE(bar("%.1f", 7.6), bar("%.1f", 8.0));
    // An empty range shows an empty bar instead of failing.
    QImage img(120, 20, QImage::Format_RGB32);
    img.fill(kWhite);
    QPainter p(&img);
    ZirAzur::PaintClassicProgress(p, {0, 0, 120, 20}, 0x0000FF, false, clNone, QStringLiteral("%d"), 5, 5, 2, 2, 5,
                                  0xFFFFFF, 0x00FF00, 0x000000);
    EXPECT_EQ(img.pixel(3, 3), rgbOf(0x00FF00));
}

// Pies fill from 12 o'clock clockwise; balance bars grow from the centre.
TEST_P(GridPaint, PieAndBalanceBar)
{
    QImage pie(20, 20, QImage::Format_RGB32);
    pie.fill(kWhite);
    {
        QPainter p(&pie);
        ZirAzur::DrawPieProgress(p, {0, 0, 20, 20}, 0x0000FF, false, 25);
    }
    EXPECT_EQ(pie.pixel(13, 6), rgbOf(0x0000FF));  // upper right quarter
    EXPECT_NE(pie.pixel(6, 6), rgbOf(0x0000FF));   // upper left stays empty
    EXPECT_NE(pie.pixel(13, 13), rgbOf(0x0000FF)); // lower right too

    QImage bar(104, 10, QImage::Format_RGB32);
    bar.fill(kWhite);
    {
        QPainter p(&bar);
        ZirAzur::DrawBalanceBar(p, {0, 0, 104, 10}, 50, 100, 0x00FF00, 0x0000FF, false);
        ZirAzur::DrawBalanceBar(p, {0, 0, 104, 10}, 0, 0, 0x00FF00, 0x0000FF, false); // no range: nothing
    }
    // Inner width 100 from x = 2: centre 52, half of the right half filled.
    EXPECT_NE(bar.pixel(51, 5), rgbOf(0x00FF00));
    EXPECT_EQ(bar.pixel(52, 5), rgbOf(0x00FF00));
    EXPECT_EQ(bar.pixel(76, 5), rgbOf(0x00FF00));
    EXPECT_NE(bar.pixel(77, 5), rgbOf(0x00FF00));
}

} // namespace

namespace {

// The hooks beside the painter.
TEST(GridPaintRowHooks, DeletingTheOnlyNormalRowClearsIt)
{
    TQvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(2);
    g.SetCells(1, 1, QStringLiteral("x"));
    int deleted = -1;
    g.OnAutoDeleteRow = [&](TQvStringGrid*, int row) { deleted = row; };
    g.DeleteRowAt(1);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cells(1, 1), QString());
    EXPECT_EQ(deleted, 1);

    g.SetRowCount(4);
    g.SetCells(1, 2, QStringLiteral("two"));
    g.SetCells(1, 3, QStringLiteral("three"));
    g.DeleteRowAt(2);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("three"));
    g.InsertRowAt(1);
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("three"));
}

TEST(GridPaintRowHooks, SelectionAndFixedEditorEvents)
{
    TQvStringGrid g;
    TGridRect got{};
    g.OnSelectionChanged = [&](TQvStringGrid*, int l, int t, int r, int b) { got = {l, t, r, b}; };
    g.SelectionChangedNotify(1, 2, 3, 4);
    EXPECT_EQ(got, (TGridRect{1, 2, 3, 4}));
    g.OnFixedEdit = [](TQvStringGrid*, int, int, TGridFixedCellEditor& e, QStringList& values) {
        e = fceComboList;
        values << QStringLiteral("a");
    };
    TGridFixedCellEditor editor = fceEdit;
    QStringList values;
    g.GetFixedCellEditor(1, 0, editor, values);
    EXPECT_EQ(editor, fceComboList);
    EXPECT_EQ(values, QStringList{QStringLiteral("a")});
}

// Outside the cells: a gradient without its end colour paints nothing; a grid whose cells
// fill the client area paints nothing outside them either.
TEST(GridPaintBackground, OutsideTheCells)
{
    ReleaseGridThemeApi();
    TQvStringGrid g;
    g.resize(400, 300);
    g.show();
    g.SetColCount(2);
    g.SetRowCount(2);
    auto& bg = g.PaintSettings().BackGround;
    bg.SetDisplay(bdGradientVert);
    bg.SetColor(0x0000FF);
    bg.SetColorTo(clNone);
    const auto shot = [&] {
        QImage img(g.viewport()->size(), QImage::Format_RGB32);
        g.viewport()->render(&img);
        return img;
    };
    const QPoint below(10, g.viewport()->height() - 2);
    EXPECT_NE(shot().pixel(below), rgbOf(0x0000FF));
    bg.SetColorTo(0x00FF00);
    const QImage painted = shot();
    EXPECT_NE(painted.pixel(below), rgbOf(platform::clWindow));
    g.SetRowCount(100);
    g.SetColCount(40);
    EXPECT_NE(shot().pixel(below), painted.pixel(below));
    BindGridThemeApi();
}

} // namespace

// With a column hidden in front, a cell takes its own column's look, not its neighbour's.
TEST_P(GridPaint, HiddenColumnInFrontKeepsEachCellsOwnLook)
{
    grid->SetCells(2, 2, "WWWW");
    grid->SetCells(3, 2, "WWWW");
    grid->HideColumn(1);
    std::vector<int> asked;
    grid->OnGetCellColor = [&](TQvStringGrid*, int, int ACol, TGridDrawState, TBrush&, TFont& font) {
        asked.push_back(ACol);
        if (ACol == 3)
            font.Color = 0x0000FF;
    };
    const auto hasRed = [](const QImage& img) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) == rgbOf(0x0000FF))
                    return true;
        return false;
    };
    EXPECT_FALSE(hasRed(paint(1, 2, {0, 0, 80, 24}))); // displayed 1 is real column 2
    EXPECT_EQ(asked, std::vector<int>{2});
    asked.clear();
    EXPECT_TRUE(hasRed(paint(2, 2, {0, 0, 80, 24}))); // displayed 2 is real column 3
    EXPECT_EQ(asked, std::vector<int>{3});
}
