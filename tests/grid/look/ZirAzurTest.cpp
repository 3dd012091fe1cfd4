// Gradients, control parts, rounded frames, colour scaling and bitmaps: chosen pixels of the
// painted images against values worked out by hand from the drawing rules.

#include "grid/look/ZirAzur.h"
#include "grid/look/QvXPVS.h"

#include "grid/support/FakeVisualStyles.h"

#include <QImage>
#include <QPainter>

#include <functional>

#include <gtest/gtest.h>

using namespace grid;
using namespace grid::ZirAzur;
using platform::rgb;

namespace {

constexpr TColor kBack = 0x030201; // never drawn by any test

QImage canvas(int w, int h, const std::function<void(QPainter&)>& draw)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(platform::toQColor(kBack));
    QPainter p(&img);
    draw(p);
    return img;
}

TColor at(const QImage& img, int x, int y)
{
    return platform::fromQColor(QColor(img.pixel(x, y)));
}

struct Pixel {
    int x, y;
    TColor color;
};

void expectPixels(const QImage& img, std::initializer_list<Pixel> pixels, const char* what)
{
    for (const Pixel& p : pixels)
        EXPECT_EQ(at(img, p.x, p.y), p.color) << what << " at (" << p.x << ", " << p.y << ")";
}

TColorTones sampleTones()
{
    TColorTones t;
    t.Background = {0x0000A0, 0x00A000, 0xA00000};
    t.Hover = {0x0000B0, 0x00B000, 0xB00000};
    t.Selected = {0x0000C0, 0x00C000, 0xC00000};
    t.Disabled = {0x0000D0, 0x00D000, 0xD00000};
    t.Foreground = {0x0000E0, 0x00E000, 0xE00000};
    return t;
}

} // namespace

// ---- DrawStepGradient ---------------------------------------------------------------------

TEST(DrawStepGradient, NarrowRectangleUsesOneBandPerPixelAndEndsExactly)
{
    // 10 wide with 128 bands asked: span 9, so 9 bands plus the closing one; pixel x shows band x.
    const QImage img = canvas(12, 4, [](QPainter& p) {
        DrawStepGradient(p, rgb(0, 0, 0), rgb(90, 0, 9), true, {0, 0, 10, 4}, 128);
    });
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(at(img, x, 1), rgb(10 * x, 0, x)) << x;
    EXPECT_EQ(at(img, 10, 1), kBack);
    EXPECT_EQ(at(img, 3, 3), rgb(30, 0, 3));
}

TEST(DrawStepGradient, BandsRoundHalvesToEven)
{
    // Span 9 in 2 bands of 4.5: band 0 at 0..4, band 1 at 4..8 (127.5 -> 128, 2.5 -> 2), closing
    // band at 9.
    const QImage img = canvas(12, 3, [](QPainter& p) {
        DrawStepGradient(p, rgb(0, 0, 0), rgb(255, 5, 0), true, {0, 0, 10, 3}, 2);
    });
    expectPixels(img,
                 {{0, 1, rgb(0, 0, 0)},
                  {3, 1, rgb(0, 0, 0)},
                  {4, 1, rgb(128, 2, 0)},
                  {8, 1, rgb(128, 2, 0)},
                  {9, 1, rgb(255, 5, 0)}},
                 "two bands");
}

TEST(DrawStepGradient, VerticalRunsTopToBottom)
{
    const QImage img = canvas(6, 8, [](QPainter& p) {
        DrawStepGradient(p, rgb(0, 0, 0), rgb(0, 200, 0), false, {1, 1, 4, 6}, 128);
    });
    // Height 5: span 4, four bands of one row plus the closing row.
    for (int y = 1; y < 6; ++y)
        EXPECT_EQ(at(img, 2, y), rgb(0, 50 * (y - 1), 0)) << y;
    EXPECT_EQ(at(img, 0, 3), kBack);
    EXPECT_EQ(at(img, 4, 3), kBack);
    EXPECT_EQ(at(img, 2, 6), kBack);
}

TEST(DrawStepGradient, UnsetEndsAndEmptyRectangles)
{
    const TRect r{1, 1, 5, 4};
    struct Case {
        const char* what;
        TColor from, to;
        TRect rect;
        TColor inside;
    } cases[] = {
        {"from unset", clNone, 0x00FF00, r, 0x00FF00},
        {"to unset", 0x0000FF, clNone, r, 0x0000FF},
        {"both unset paint nothing", clNone, clNone, r, kBack},
        {"no height", 0x0000FF, 0xFF0000, {1, 2, 5, 2}, kBack},
        {"upside down", 0x0000FF, 0x0000FF, {1, 4, 5, 1}, 0x0000FF},
        {"system colour resolved", platform::clBtnFace, platform::clBtnFace, r, rgb(240, 240, 240)},
    };
    for (const Case& c : cases) {
        const QImage img = canvas(8, 8, [&](QPainter& p) { DrawStepGradient(p, c.from, c.to, true, c.rect, 16); });
        EXPECT_EQ(at(img, 2, 2), c.inside) << c.what;
        EXPECT_EQ(at(img, 6, 2), kBack) << c.what;
    }
}

// ---- DrawCellGradient ---------------------------------------------------------------------

TEST(DrawCellGradient, SolidFillReachesOnePixelBelow)
{
    const QImage img = canvas(8, 8, [](QPainter& p) {
        DrawCellGradient(p, {1, 1, 5, 4}, 0x0000FF, true, false, clNone, false, clNone, clNone, clNone);
    });
    expectPixels(img, {{1, 1, 0x0000FF}, {4, 4, 0x0000FF}, {2, 5, kBack}, {5, 2, kBack}}, "solid");
}

TEST(DrawCellGradient, UnsetFromColourDrawsOnlyTheBorder)
{
    const QImage img = canvas(8, 8, [](QPainter& p) {
        DrawCellGradient(p, {1, 1, 6, 6}, clNone, true, false, 0x00FF00, false, clNone, clNone, 0x0000FF);
    });
    expectPixels(img,
                 {{1, 1, 0x00FF00}, {5, 5, 0x00FF00}, {3, 1, 0x00FF00}, {1, 3, 0x00FF00}, {3, 3, kBack}, {6, 3, kBack}},
                 "border only");
}

TEST(DrawCellGradient, LinesOnlyDrawsLeftAndRightEdges)
{
    const QImage img = canvas(8, 8, [](QPainter& p) {
        DrawCellGradient(p, {1, 1, 6, 6}, 0x0000FF, true, true, 0x00FF00, false, clNone, clNone, clNone);
    });
    expectPixels(
        img,
        {{1, 1, 0x00FF00}, {5, 5, 0x00FF00}, {1, 5, 0x00FF00}, {3, 1, 0x0000FF}, {3, 6, 0x0000FF}, {3, 3, 0x0000FF}},
        "lines only");
}

TEST(DrawCellGradient, MirroredHalves)
{
    // Vertical: halves top 1..5 and bottom 6..10 of a rectangle 1..10 high, each graded top to
    // bottom in one-row bands (span 4).
    const QImage v = canvas(6, 12, [](QPainter& p) {
        DrawCellGradient(p, {0, 1, 4, 11}, rgb(0, 0, 0), true, false, clNone, true, rgb(0, 0, 40), rgb(0, 0, 200),
                         rgb(80, 0, 0));
    });
    expectPixels(v,
                 {{1, 1, rgb(0, 0, 0)},
                  {1, 3, rgb(40, 0, 0)},
                  {1, 5, rgb(80, 0, 0)},
                  {1, 6, rgb(0, 0, 200)},
                  {1, 8, rgb(0, 0, 120)},
                  {1, 10, rgb(0, 0, 40)}},
                 "vertical mirror");
    // Horizontal: left and right halves graded left to right.
    const QImage h = canvas(12, 4, [](QPainter& p) {
        DrawCellGradient(p, {0, 0, 10, 3}, rgb(0, 0, 0), true, false, clNone, false, rgb(0, 0, 40), rgb(0, 0, 200),
                         rgb(80, 0, 0));
    });
    expectPixels(h, {{0, 1, rgb(0, 0, 0)}, {4, 1, rgb(80, 0, 0)}, {5, 1, rgb(0, 0, 200)}, {9, 1, rgb(0, 0, 40)}},
                 "horizontal mirror");
}

// ---- ColorBetween -------------------------------------------------------------------------

TEST(ColorBetween, Cases)
{
    struct Case {
        TColor from, to;
        int start, pos, end;
        TColor expected;
    } cases[] = {
        {rgb(0, 0, 0), rgb(100, 200, 50), 0, 5, 10, rgb(50, 100, 25)},
        {rgb(0, 0, 0), rgb(255, 0, 0), 0, 1, 2, rgb(128, 0, 0)},
        {rgb(10, 20, 30), clNone, 0, 3, 4, rgb(10, 20, 30)},
        {rgb(10, 20, 30), rgb(50, 60, 70), 0, 4, 4, rgb(50, 60, 70)},
        {rgb(10, 20, 30), rgb(50, 60, 70), 5, 5, 5, rgb(10, 20, 30)}, // empty range
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorBetween(c.from, c.to, c.start, c.pos, c.end), c.expected) << c.pos << "/" << c.end;
}

// ---- control parts in the own-colour look -------------------------------------------------

TEST(ControlParts, DropDownButtonInTones)
{
    const TColorTones t = sampleTones();
    // Rectangle 0..40 x 0..20: button 17 wide at the right, one pixel in at top and bottom, two
    // left: 21..38 x 1..19; the tone look moves its left edge to 24.
    for (auto [state, tone] : {std::pair{0, t.Background}, {1, t.Hover}, {2, t.Selected}, {3, t.Disabled}}) {
        const QImage img = canvas(42, 22, [&](QPainter& p) {
            DrawDropDownButton(p, nullptr, {0, 0, 40, 20}, t, state, pkTones);
        });
        expectPixels(img,
                     {{24, 1, tone.BrushColor},
                      {37, 18, tone.BrushColor},
                      {25, 5, t.Background.BorderColor},
                      {29, 9, t.Background.TextColor},
                      {35, 9, t.Background.TextColor},
                      {32, 12, t.Background.TextColor},
                      {29, 10, tone.BrushColor},
                      {30, 10, t.Background.TextColor},
                      {23, 5, kBack},
                      {38, 5, kBack},
                      {30, 0, kBack},
                      {30, 19, kBack}},
                     "drop-down");
    }
}

TEST(ControlParts, PushButtonInTones)
{
    const TColorTones t = sampleTones();
    const QImage img = canvas(14, 12, [&](QPainter& p) {
        DrawPushButton(p, nullptr, {2, 2, 12, 10}, t, psPressed, pkTones);
    });
    expectPixels(img,
                 {{2, 2, t.Selected.BorderColor},
                  {11, 9, t.Selected.BorderColor},
                  {5, 5, t.Selected.BrushColor},
                  {12, 5, kBack},
                  {5, 10, kBack}},
                 "push button");
}

TEST(ControlParts, SpinButtonsInTones)
{
    const TColorTones t = sampleTones();
    // Rectangle 0..30 x 0..21: pair 15 wide at the right moved one left and up: 14..29 x -1..20,
    // middle 9; upper half -1..8, lower half 10..19.
    const QImage img = canvas(32, 22, [&](QPainter& p) {
        DrawSpinButtons(p, nullptr, {0, 0, 30, 21}, t, psHot, pkTones);
    });
    const TColor brush = t.Hover.BrushColor;
    expectPixels(img,
                 {{14, 0, brush},
                  {28, 8, brush},
                  {14, 10, brush},
                  {28, 19, brush},
                  {20, 9, kBack},
                  {29, 5, kBack},
                  {13, 5, kBack},
                  {20, 20, kBack},
                  // up arrow: base 19..23 on row 4, point (21, 2)
                  {19, 4, platform::clBlack},
                  {23, 4, platform::clBlack},
                  {21, 2, platform::clBlack},
                  {19, 3, brush},
                  {22, 2, brush},
                  // down arrow: base 19..23 on row 11, point (21, 13)
                  {19, 11, platform::clBlack},
                  {21, 13, platform::clBlack},
                  {20, 13, brush}},
                 "spin");
}

// ---- control parts: themed and classic paths ----------------------------------------------

namespace {

class ThemedParts : public ::testing::Test {
protected:
    void SetUp() override { ReleaseGridThemeApi(); }
    void TearDown() override
    {
        ReleaseGridThemeApi();
        BindGridThemeApi();
    }
};

} // namespace

TEST_F(ThemedParts, ThemedDropDownAsksTheComboBoxClass)
{
    testsupport::FakeVisualStyles lib;
    BindGridThemeApi(lib);
    const TColorTones t;
    canvas(42, 22, [&](QPainter& p) {
        DrawDropDownButton(p, nullptr, {0, 0, 40, 20}, t, psNormal, pkThemed);
        DrawDropDownButton(p, nullptr, {0, 0, 40, 20}, t, psDisabled, pkThemed);
    });
    ASSERT_EQ(lib.draws.size(), 2u);
    EXPECT_EQ(lib.draws[0].themeClass, QStringLiteral("combobox"));
    EXPECT_EQ(lib.draws[0].part, 1);
    EXPECT_EQ(lib.draws[0].state, 1);
    EXPECT_EQ(lib.draws[0].rect, QRect(21, 1, 17, 18));
    EXPECT_EQ(lib.draws[1].state, 4);
    EXPECT_EQ(lib.opened, lib.closed);
}

TEST_F(ThemedParts, ThemedPushButtonStatesAndSpinHalves)
{
    testsupport::FakeVisualStyles lib;
    BindGridThemeApi(lib);
    const TColorTones t;
    canvas(32, 22, [&](QPainter& p) {
        for (int s = 0; s < 4; ++s)
            DrawPushButton(p, nullptr, {0, 0, 30, 20}, t, s, pkThemed);
        DrawSpinButtons(p, nullptr, {0, 0, 30, 21}, t, psPressed, pkThemed);
    });
    ASSERT_EQ(lib.draws.size(), 6u);
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(lib.draws[s].themeClass, QStringLiteral("button"));
        EXPECT_EQ(lib.draws[s].state, s + 1);
    }
    EXPECT_EQ(lib.draws[4].themeClass, QStringLiteral("spin"));
    EXPECT_EQ(lib.draws[4].part, 1);
    EXPECT_EQ(lib.draws[4].state, 1); // only disabled changes a spin part
    EXPECT_EQ(lib.draws[4].rect, QRect(14, -1, 15, 10));
    EXPECT_EQ(lib.draws[5].part, 2);
    EXPECT_EQ(lib.draws[5].rect, QRect(14, 9, 15, 11));
}

TEST_F(ThemedParts, SpinHotAndPressedLookLikeNormalInEveryLookButTones)
{
    const TColorTones t = sampleTones();
    for (bool themeOn : {true, false}) {
        testsupport::FakeVisualStyles lib(themeOn);
        BindGridThemeApi(lib);
        for (int kind : {pkThemed, pkClassic, pkFlat}) {
            const auto paint = [&](int state) {
                return canvas(32, 22, [&](QPainter& p) {
                    DrawSpinButtons(p, nullptr, {0, 0, 30, 21}, t, state, kind);
                });
            };
            const QImage normal = paint(psNormal);
            EXPECT_EQ(paint(psHot), normal) << kind;
            EXPECT_EQ(paint(psPressed), normal) << kind;
            if (kind != pkThemed || !themeOn) {
                EXPECT_NE(paint(psDisabled), normal) << kind;
            }
        }
        ReleaseGridThemeApi();
    }
}

TEST_F(ThemedParts, ClassicAndFlatPushButtons)
{
    const TColorTones t;
    const QImage classic = canvas(20, 12, [&](QPainter& p) {
        DrawPushButton(p, nullptr, {0, 0, 20, 12}, t, psNormal, pkClassic);
    });
    const QImage flat = canvas(20, 12, [&](QPainter& p) {
        DrawPushButton(p, nullptr, {0, 0, 20, 12}, t, psNormal, pkFlat);
    });
    const QImage pushed = canvas(20, 12, [&](QPainter& p) {
        DrawPushButton(p, nullptr, {0, 0, 20, 12}, t, psPressed, pkClassic);
    });
    expectPixels(classic,
                 {{0, 0, platform::colorToRGB(platform::cl3DLight)},
                  {19, 11, platform::colorToRGB(platform::cl3DDkShadow)},
                  {1, 1, platform::colorToRGB(platform::clBtnHighlight)},
                  {18, 10, platform::colorToRGB(platform::clBtnShadow)},
                  {10, 6, platform::colorToRGB(platform::clBtnFace)}},
                 "classic");
    expectPixels(
        flat, {{0, 0, platform::colorToRGB(platform::clBtnShadow)}, {1, 1, platform::colorToRGB(platform::clBtnFace)}},
        "flat");
    expectPixels(
        pushed,
        {{0, 0, platform::colorToRGB(platform::cl3DDkShadow)}, {1, 1, platform::colorToRGB(platform::clBtnShadow)}},
        "pushed");
}

// ---- DrawRoundedFrame ---------------------------------------------------------------------

namespace {

constexpr TColor kFrom = rgb(0, 0, 0), kTo = rgb(60, 0, 0), kMirrorFrom = rgb(0, 100, 0), kMirrorTo = rgb(0, 130, 0);
constexpr TColor kUpper = 0x0000A1, kLower = 0x0000A2, kBorder = 0x0000A3, kInner = 0x0000A4, kOuter = 0x0000A5;

QImage frame(int kind, TColor to = clNone, TColor mirrorFrom = clNone)
{
    // R = 0..20 x 0..12: L 0, T 0, Rt 19, B 10, M 5.
    return canvas(22, 13, [&](QPainter& p) {
        DrawRoundedFrame(p, kFrom, to, mirrorFrom, kMirrorTo, kUpper, kLower, kBorder, kInner, kOuter, {0, 0, 20, 12},
                         kind);
    });
}

} // namespace

TEST(DrawRoundedFrame, BothEndsRounded)
{
    const QImage img = frame(0);
    expectPixels(img,
                 {// shade lines one pixel inside top and bottom, and down/up the sides
                  {5, 1, kUpper},
                  {1, 3, kUpper},
                  {17, 4, kUpper},
                  {5, 9, kLower},
                  {1, 5, kLower},
                  {17, 8, kLower},
                  // border: top and bottom 2..16, sides 2..8
                  {2, 0, kBorder},
                  {16, 0, kBorder},
                  {2, 10, kBorder},
                  {0, 2, kBorder},
                  {0, 8, kBorder},
                  {18, 2, kBorder},
                  {18, 8, kBorder},
                  // corners
                  {1, 0, kInner},
                  {1, 1, kInner},
                  {0, 1, kInner},
                  {1, 10, kInner},
                  {1, 9, kInner},
                  {0, 9, kInner},
                  {17, 0, kInner},
                  {17, 1, kInner},
                  {18, 1, kInner},
                  {17, 10, kInner},
                  {18, 9, kInner},
                  {0, 0, kOuter},
                  {0, 10, kOuter},
                  {18, 0, kOuter},
                  {18, 10, kOuter},
                  // solid inside 2..16 x 2..8, nothing outside 0..18 x 0..10
                  {2, 2, kFrom},
                  {16, 8, kFrom},
                  {19, 5, kBack},
                  {5, 11, kBack}},
                 "kind 0");
}

TEST(DrawRoundedFrame, OpenSides)
{
    const QImage k3 = frame(3);
    expectPixels(k3,
                 {{0, 0, kBorder},
                  {18, 0, kBorder},
                  {1, 0, kBorder},
                  {0, 10, kBorder},
                  {0, 5, kFrom},
                  {18, 5, kFrom},
                  {0, 1, kUpper},
                  {0, 9, kLower}},
                 "kind 3");
    const QImage k4 = frame(4);
    expectPixels(k4,
                 {{0, 0, kBack},
                  {1, 0, kBack},
                  {2, 0, kBorder},
                  {16, 0, kBorder},
                  {17, 0, kBack},
                  {0, 5, kBack},
                  {1, 3, kBack},
                  {2, 5, kFrom}},
                 "kind 4");
    const QImage k1 = frame(1);
    expectPixels(k1, {{0, 0, kOuter}, {0, 5, kBorder}, {18, 0, kBorder}, {18, 5, kFrom}, {17, 3, kFrom}}, "kind 1");
    const QImage k2 = frame(2);
    expectPixels(k2, {{0, 0, kBorder}, {0, 5, kFrom}, {18, 0, kOuter}, {18, 5, kBorder}}, "kind 2");
}

TEST(DrawRoundedFrame, GradientAndMirroredInside)
{
    // Inside 2..8 high: one gradient of span 6 in 6 bands, red 10 per row.
    const QImage g = frame(0, kTo);
    expectPixels(g, {{5, 2, rgb(0, 0, 0)}, {5, 5, rgb(30, 0, 0)}, {5, 8, rgb(60, 0, 0)}}, "gradient");
    // Mirrored: upper half 2..4, lower half 5..8.
    const QImage m = frame(0, kTo, kMirrorFrom);
    expectPixels(m, {{5, 2, kFrom}, {5, 4, kTo}, {5, 5, kMirrorFrom}, {5, 8, kMirrorTo}, {5, 6, rgb(0, 110, 0)}},
                 "mirror");
    // Without a fill end the mirror colours do not matter.
    const QImage s = frame(0, clNone, kMirrorFrom);
    expectPixels(s, {{5, 2, kFrom}, {5, 8, kFrom}}, "solid");
}

// ---- colour helpers, bitmaps, grid rectangles ---------------------------------------------

TEST(ColourHelpers, HalveAndScale)
{
    EXPECT_EQ(HalveColor(platform::clWhite), rgb(127, 127, 127));
    EXPECT_EQ(HalveColor(platform::clBtnFace), rgb(120, 120, 120));
    struct Case {
        TColor color;
        int percent;
        TColor expected;
    } cases[] = {
        {rgb(100, 50, 255), -20, rgb(80, 40, 204)},     {rgb(100, 100, 100), 7, rgb(107, 107, 107)},
        {rgb(10, 30, 50), 5, rgb(10, 32, 52)},     // 10.5 -> 10, 31.5 -> 32, 52.5 -> 52
        {platform::clWhite, 7, platform::clWhite}, // saturates
        {rgb(250, 200, 0), 7, rgb(255, 214, 0)},        {rgb(40, 40, 40), -150, rgb(0, 0, 0)},
        {platform::clBtnFace, -20, rgb(192, 192, 192)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaleColorPercent(c.color, c.percent), c.expected)
            << std::hex << c.color << " " << std::dec << c.percent;
}

TEST(ColourHelpers, TransparentBitmapShowsTheBackColour)
{
    QImage bmp(3, 2, QImage::Format_RGB32);
    bmp.fill(QColor(255, 0, 255));
    bmp.setPixel(1, 0, qRgb(255, 0, 0));
    bmp.setPixel(0, 1, qRgb(0, 0, 255));
    const QImage img = canvas(10, 10, [&](QPainter& p) { DrawTransparentBitmap(p, bmp, 0x00FF00, {4, 4, 5, 5}); });
    expectPixels(img,
                 {{4, 4, 0x00FF00},
                  {5, 4, rgb(255, 0, 0)},
                  {4, 5, rgb(0, 0, 255)},
                  {6, 5, 0x00FF00},
                  {7, 4, kBack},
                  {3, 4, kBack}},
                 "bitmap");
    canvas(2, 2, [](QPainter& p) {
        EXPECT_FALSE(DrawResourceBitmap(p, 0, QStringLiteral("NOSUCHBITMAP"), {0, 0, 1, 1}));
    });
}

TEST(ColourHelpers, PointInGridRectIncludesEdges)
{
    const TGridRect r{1, 2, 3, 4};
    struct Case {
        int col, row;
        bool inside;
    } cases[] = {{1, 2, true}, {3, 4, true}, {2, 3, true}, {0, 3, false}, {4, 3, false}, {2, 1, false}, {2, 5, false}};
    for (const Case& c : cases)
        EXPECT_EQ(PointInGridRect(r, c.col, c.row), c.inside) << c.col << "," << c.row;
}
