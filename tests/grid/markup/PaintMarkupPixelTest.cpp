// The markup renderer's painting, one line of markup per tag drawn onto a white image and
// checked at chosen pixels whose places and colours follow from the tag rules (the error
// zigzag and the rule line to the pixel). Every case runs with the visual-styles table bound to
// a scripted theme and unbound (the classic looks), and is written as a PNG for a person to
// look at ("PaintMarkup_<case>_<look>.png" in the working folder).

#include "grid/look/QvXPVS.h"
#include "grid/markup/PictureContainer.h"
#include "grid/markup/RizIVUDE.h"

#include "grid/support/FakeVisualStyles.h"
#include "grid/support/MarkupCanvas.h"
#include "support/TestSupport.h"

#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QDir>

#include <functional>

using namespace grid;
using namespace grid::RizIVUDE;
using grid::test::MarkupCanvas;
using testsupport::FakeVisualStyles;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
const TRect kRect{10, 10, 390, 90};
constexpr int L = 11; // where text starts: the rectangle's left + 1
constexpr int T = 10;

QRgb rgbOf(TColor c)
{
    return platform::toQColor(c).rgb();
}

bool near(QRgb a, QRgb b, int tolerance = 8)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
           && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

int countIf(const QImage& img, const QRect& area, const std::function<bool(QRgb)>& test)
{
    int n = 0;
    const QRect a = area.intersected(img.rect());
    for (int y = a.top(); y <= a.bottom(); ++y)
        for (int x = a.left(); x <= a.right(); ++x)
            n += test(img.pixel(x, y));
    return n;
}

int ink(const QImage& img, const TRect& r)
{
    return countIf(img, r.toQRect(), [](QRgb p) { return p != kWhite; });
}

QRect inked(const QImage& img)
{
    int l = INT_MAX, t = INT_MAX, r = -1, b = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != kWhite)
                l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
    return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

// The first row between y0 and y1 inked from x0 to x1, or -1.
int fullRow(const QImage& img, int x0, int x1, int y0, int y1)
{
    for (int y = y0; y < y1; ++y) {
        bool full = true;
        for (int x = x0; x < x1 && full; ++x)
            full = img.pixel(x, y) != kWhite;
        if (full)
            return y;
    }
    return -1;
}

class PaintMarkupPixels : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ReleaseGridThemeApi();
        if (themed())
            BindGridThemeApi(styles);
        TPictureItem* item = container.Items().Add();
        item->SetName("blocks");
        // 16 x 8: grey 200 at the top-left, grey 56 at the bottom-right.
        item->Picture().LoadFromFile(testsupport::fixturePath("grid/pictures/grey_blocks.jpg"));
    }
    void TearDown() override
    {
        ReleaseGridThemeApi();
        BindGridThemeApi();
    }
    bool themed() const { return GetParam(); }

    // Draws the markup and writes the PNG.
    QImage paint(const char* name, const QString& text, const std::function<void(TMarkupRequest&)>& tweak = {})
    {
        MarkupCanvas canvas(400, 100);
        TMarkupResult result;
        canvas.run(text, kRect, result, [&](TMarkupRequest& m) {
            m.Pictures = &container;
            if (tweak)
                tweak(m);
        });
        const QImage img = canvas.done();
        EXPECT_TRUE(testsupport::saveScreenshot(
            img, QStringLiteral("PaintMarkup_%1_%2.png").arg(QLatin1String(name), themed() ? "themed" : "classic")));
        return img;
    }

    MarkupCanvas probe;
    FakeVisualStyles styles;
    TPictureContainer container;
};

INSTANTIATE_TEST_SUITE_P(ThemedAndClassic, PaintMarkupPixels, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Themed" : "Classic"; });

} // namespace

TEST_P(PaintMarkupPixels, FontColorAndBackground)
{
    const QImage img = paint("font_color_bgcolor", "<font color=\"clRed\" bgcolor=\"#0000FF\">MMM</font>x");
    const int w = probe.w("MMM"), h = probe.baseRunHeight();
    const QRgb blue = rgbOf(platform::clBlue);
    // The run's box is filled (opaque text), up to the run's width.
    EXPECT_EQ(img.pixel(L, T), blue);
    EXPECT_EQ(img.pixel(L + w - 1, T + h - 1), blue);
    EXPECT_NE(img.pixel(L + w, T), blue);
    EXPECT_GT(countIf(img, QRect(L, T, w, h), [](QRgb p) { return qRed(p) > 180 && qBlue(p) < 100; }), 10);
    // The text colour comes from COLOR only; after the font end, black text on no background.
    EXPECT_EQ(countIf(img, QRect(L, T, w, h), [](QRgb p) { return qRed(p) < 60 && qBlue(p) < 60; }), 0);
    EXPECT_GT(countIf(img, QRect(L + w, T, probe.w("x"), h), [](QRgb p) { return qGray(p) < 80; }), 0);
}

TEST_P(PaintMarkupPixels, WithoutWrapTheCutTextEndsInAnEllipsis)
{
    const QString text = "<b>bold</b> further words here";
    const TRect narrow{10, 10, 80, 90};
    const int h = probe.baseRunHeight();
    const QImage cut = paint("nowrap_ellipsis", text, [&](TMarkupRequest& m) {
        m.Rect = narrow;
        m.Wrap = false;
    });
    const QRect drawn = inked(cut);
    // One line, inside the rectangle.
    EXPECT_LT(drawn.right(), narrow.Right);
    EXPECT_LT(drawn.bottom(), T + h);
    // Its last characters are the ellipsis: dots sitting on the baseline, nothing above them.
    const int baseline = T + h - probe.metrics(grid::test::markupBaseFont()).descent();
    const int dots = probe.w(QString(QChar(0x2026)));
    const QRect last(drawn.right() - dots + 3, T, dots - 3, h);
    EXPECT_EQ(ink(cut, {last.left(), T, last.right() + 1, baseline - 4}), 0);
    EXPECT_GT(ink(cut, {last.left(), baseline - 4, last.right() + 1, baseline}), 2);
    // With wrapping the same text takes further lines instead.
    const QImage wrapped = paint("wrap_no_ellipsis", text, [&](TMarkupRequest& m) { m.Rect = narrow; });
    EXPECT_GE(inked(wrapped).bottom(), T + h);
}

// Under a right-to-left locale, reading right to left orders the runs but leaves them where the
// layout put them: at the left unless the mode also mirrors the alignment.
TEST_P(PaintMarkupPixels, RightToLeftReadingKeepsTheRunsWhereTheyWereLaidOut)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    const int w = probe.w("ab!");
    const QImage readingOnly =
        paint("rtl_reading_only", "ab!", [](TMarkupRequest& m) { m.BiDiMode = bdRightToLeftReadingOnly; });
    const QImage mirrored = paint("rtl_mirrored", "ab!", [](TMarkupRequest& m) { m.BiDiMode = bdRightToLeft; });
    QLocale::setDefault(saved);
    EXPECT_GE(inked(readingOnly).left(), L);
    EXPECT_LE(inked(readingOnly).right(), L + w);
    EXPECT_GE(inked(mirrored).left(), kRect.Right - w);
    EXPECT_LE(inked(mirrored).right(), kRect.Right);
}

TEST_P(PaintMarkupPixels, ParagraphAndPageBackgrounds)
{
    const int h = probe.baseRunHeight();
    const QRgb lime = rgbOf(platform::clLime);
    const QImage para = paint("p_bgcolor", "<P BGCOLOR=\"clLime\">a<BR>b</P>c");
    // Filled from the rectangle's left to its right, line by line until the paragraph ends.
    EXPECT_EQ(para.pixel(kRect.Left, T), lime);
    EXPECT_EQ(para.pixel(kRect.Right - 1, T + h - 1), lime);
    EXPECT_EQ(para.pixel(kRect.Right - 1, T + h + 1), lime);
    EXPECT_EQ(para.pixel(kRect.Right, T), kWhite);
    EXPECT_EQ(para.pixel(kRect.Left - 1, T), kWhite);
    EXPECT_EQ(para.pixel(kRect.Right - 1, T + 2 * h + 1), kWhite);

    const QRgb yellow = rgbOf(platform::clYellow);
    const QImage body = paint("body_bgcolor", "<BODY BGCOLOR=\"clYellow\">x");
    EXPECT_EQ(body.pixel(kRect.Left, kRect.Top), yellow);
    EXPECT_EQ(body.pixel(kRect.Right - 1, kRect.Bottom - 1), yellow);
    EXPECT_EQ(body.pixel(kRect.Right, kRect.Top), kWhite);
    EXPECT_EQ(body.pixel(kRect.Left, kRect.Bottom), kWhite);

    // The page picture is tiled from the rectangle's top-left corner at its own size.
    const QImage tiled = paint("body_background", "<BODY BACKGROUND=\"blocks\">");
    EXPECT_TRUE(near(tiled.pixel(kRect.Left, kRect.Top), qRgb(200, 200, 200)));
    EXPECT_TRUE(near(tiled.pixel(kRect.Left + 15, kRect.Top + 7), qRgb(56, 56, 56)));
    EXPECT_TRUE(near(tiled.pixel(kRect.Left + 16, kRect.Top + 8), qRgb(200, 200, 200)));
    EXPECT_TRUE(near(tiled.pixel(kRect.Right - 1, kRect.Bottom - 1), tiled.pixel(kRect.Left + 15, kRect.Top + 7)));
}

// Nested highlights (a search mark inside another) each take back their own colours.
TEST_P(PaintMarkupPixels, NestedHighlights)
{
    const QImage img = paint("hi", "<hi>ab<hi></hi>ab</hi>z");
    const int ab = probe.w("ab");
    const QRgb back = rgbOf(HighlightBackColor);
    EXPECT_EQ(img.pixel(L, T), back);
    EXPECT_EQ(img.pixel(L + ab + 1, T), back);
    EXPECT_EQ(img.pixel(L + 2 * ab - 1, T), back);
    EXPECT_EQ(img.pixel(L + 2 * ab + 1, T), kWhite);
}

TEST_P(PaintMarkupPixels, RuleToThePixel)
{
    const QImage img = paint("hr", "<HR>x");
    // One pixel below the empty line's bottom, from the line's left to the rectangle's right.
    const int y = T + probe.gh() + 1;
    EXPECT_EQ(img.pixel(L, y), rgbOf(platform::clBlack));
    EXPECT_EQ(img.pixel(kRect.Right - 1, y), rgbOf(platform::clBlack));
    EXPECT_EQ(img.pixel(L - 1, y), kWhite);
    EXPECT_EQ(img.pixel(kRect.Right, y), kWhite);
    EXPECT_EQ(img.pixel(L + 20, y - 1), kWhite);
    EXPECT_EQ(img.pixel(L + 20, y + 1), kWhite);
}

TEST_P(PaintMarkupPixels, ErrorZigzagToThePixel)
{
    const QImage img = paint("e", "<E>xxxx</E> ok");
    // From the run's left rounded down to even to its right; 2 pixels down at multiples of 4,
    // level at the other even places, half way between.
    const int left = L, right = L + probe.w("xxxx");
    const int y0 = T + probe.baseRunHeight() - 1;
    const QRgb red = rgbOf(platform::clRed);
    int x = left - left % 2;
    for (; x < right; ++x) {
        const int dy = x % 4 == 0 ? 2 : x % 4 == 2 ? 0 : 1;
        EXPECT_EQ(img.pixel(x, y0 + dy), red) << x;
        if (dy != 1) {
            EXPECT_NE(img.pixel(x, y0 + 2 - dy), red) << x;
        }
    }
    // The last stroke ends on the next even place; nothing red after the marked run.
    EXPECT_EQ(countIf(img, QRect(x + 1, y0 - 2, 60, 6), [&](QRgb p) { return p == red; }), 0);
}

TEST_P(PaintMarkupPixels, ShadowBlinkUnderlineAndStrikeOut)
{
    // The shadow copy lies 1 pixel right and down, in the shadow colour.
    const QRect plain = inked(paint("plain", "MMM"));
    const QImage shadowed = paint("sh", "<SH>MMM</SH>");
    EXPECT_EQ(inked(shadowed), plain.adjusted(0, 0, 1, 1));
    EXPECT_GT(countIf(shadowed, plain.adjusted(0, 0, 1, 1), [](QRgb p) { return near(p, qRgb(128, 128, 128), 30); }),
              0);

    // Blinking text takes the entry background while hidden; its end restores the colour.
    const int w = probe.w("MMM"), h = probe.baseRunHeight();
    const QImage hidden = paint("bl", "<BL>MMM</BL>x", [](TMarkupRequest& m) { m.BlinkVisible = false; });
    EXPECT_EQ(ink(hidden, {L, T, L + w, T + h}), 0);
    EXPECT_GT(ink(hidden, {L + w, T, L + w + probe.w("x"), T + h}), 0);
    const QImage shown = paint("bl_visible", "<BL>MMM</BL>x");
    EXPECT_GT(ink(shown, {L, T, L + w, T + h}), 0);

    // Underline and strike-out: one row inked across the whole run, below and above the baseline.
    const int baseline = T + h - probe.metrics(grid::test::markupBaseFont()).descent();
    EXPECT_EQ(fullRow(paint("plain", "MMM"), L + 1, L + w - 1, T, T + h), -1);
    const int under = fullRow(paint("u", "<U>MMM</U>"), L + 1, L + w - 1, T, T + h);
    EXPECT_GE(under, baseline);
    const int strike = fullRow(paint("s", "<S>MMM</S>"), L + 1, L + w - 1, T, T + h);
    EXPECT_GT(strike, T);
    EXPECT_LT(strike, baseline - 1);
}

TEST_P(PaintMarkupPixels, ListItemsAtTwoLevels)
{
    const QImage img = paint("li", "<UL><LI>a<UL><LI>b</UL></UL>");
    const int gh = probe.gh(), h = probe.baseRunHeight();
    const int top2 = T + gh, top3 = T + gh + h;
    // Level 1: the bullet in the 12 pixels before the text, which starts 12 pixels in.
    EXPECT_GT(ink(img, {L, top2, L + 12, top2 + h}), 0);
    EXPECT_GT(ink(img, {L + 12, top2, L + 24, top2 + h}), 0);
    // Level 2: 12 pixels further, the hollow bullet a different glyph.
    EXPECT_EQ(ink(img, {L, top3, L + 12, top3 + h}), 0);
    EXPECT_GT(ink(img, {L + 12, top3, L + 24, top3 + h}), 0);
    EXPECT_GT(ink(img, {L + 24, top3, L + 36, top3 + h}), 0);
    QImage bullet1 = img.copy(L, top2, 12, h), bullet2 = img.copy(L + 12, top3, 12, h);
    EXPECT_NE(bullet1, bullet2);
}

TEST_P(PaintMarkupPixels, StretchedImage)
{
    const QImage img = paint("img_stretched", "<IMG SRC=\"blocks\" WIDTH=\"32\" HEIGHT=\"24\">");
    EXPECT_TRUE(near(img.pixel(L, T), qRgb(200, 200, 200)));
    EXPECT_TRUE(near(img.pixel(L + 31, T + 23), qRgb(56, 56, 56)));
    EXPECT_EQ(img.pixel(L + 32, T), kWhite);
    EXPECT_EQ(img.pixel(L, T + 24), kWhite);
    EXPECT_EQ(img.pixel(L - 1, T), kWhite);
}

TEST_P(PaintMarkupPixels, CheckBoxesAndRadioButtons)
{
    const QRgb marker = FakeVisualStyles::marker;
    for (const bool checked : {true, false}) {
        SCOPED_TRACE(checked);
        const QString value = checked ? "True" : "false";
        styles.draws.clear();
        const QImage check = paint(checked ? "check_true" : "check_false",
                                   "<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"" + value + "\" WIDTH=\"20\">");
        // The line is 16 high; the box stands in (left + 2, bottom - 15, left + 15, bottom).
        const int bottom = T + 16;
        if (themed()) {
            ASSERT_EQ(styles.draws.size(), 1u); // painted once, the measuring pass draws nothing
            EXPECT_EQ(styles.draws[0].themeClass, "button");
            EXPECT_EQ(styles.draws[0].part, 3);
            EXPECT_EQ(styles.draws[0].state, checked ? 5 : 1);
            EXPECT_EQ(styles.draws[0].rect, QRect(L + 2, bottom - 15, 13, 15));
            EXPECT_EQ(check.pixel(L + 2, bottom - 15), marker);
            EXPECT_EQ(check.pixel(L + 14, bottom - 1), marker);
        } else {
            // The flat classic face, 13 square, in the middle of that rectangle.
            const int x = L + 2, y = bottom - 14;
            EXPECT_EQ(check.pixel(x, y), rgbOf(platform::clBtnShadow));
            EXPECT_EQ(check.pixel(x + 12, y + 12), rgbOf(platform::clBtnShadow));
            EXPECT_EQ(check.pixel(x + 1, y + 1), rgbOf(platform::clWindow));
            EXPECT_EQ(check.pixel(x + 3, y + 5), rgbOf(checked ? platform::clWindowText : platform::clWindow));
        }

        styles.draws.clear();
        const QImage radio = paint(checked ? "radio_true" : "radio_false",
                                   "<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"" + value + "\" WIDTH=\"20\">");
        if (themed()) {
            EXPECT_EQ(styles.draws[0].part, 2);
            EXPECT_EQ(styles.draws[0].state, checked ? 5 : 1);
            EXPECT_EQ(styles.draws[0].rect, QRect(L + 2, bottom - 14, 12, 14));
            EXPECT_EQ(radio.pixel(L + 2, bottom - 14), marker);
        } else {
            const int x = L + 2, y = bottom - 13;
            EXPECT_EQ(radio.pixel(x + 5, y), rgbOf(platform::clBtnShadow));
            EXPECT_EQ(radio.pixel(x + 5, y + 5), rgbOf(checked ? platform::clWindowText : platform::clWindow));
            EXPECT_EQ(radio.pixel(x, y), kWhite);
        }
    }
}

TEST_P(PaintMarkupPixels, EditPasswordAndCombo)
{
    const TColor frame = themed() ? TColor(0xB99D7F) : platform::clGray;
    const int bottom = T + std::max(23, probe.gh() + 10);
    // Drawn against the control's own line height of 23.
    const int top = bottom - 23 + 4;
    const QImage edit = paint("edit", "<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"abc\" WIDTH=\"60\">");
    EXPECT_EQ(edit.pixel(L, top), rgbOf(frame));
    EXPECT_EQ(edit.pixel(L + 59, bottom + 1), rgbOf(frame));
    EXPECT_EQ(edit.pixel(L + 59, top), rgbOf(frame));
    EXPECT_EQ(edit.pixel(L + 60, top), kWhite);
    EXPECT_EQ(edit.pixel(L, top - 1), kWhite);
    EXPECT_GT(countIf(edit, QRect(L + 2, top + 1, 56, bottom - top - 1), [](QRgb p) { return qGray(p) < 100; }), 0);

    // A password shows one star per character.
    const QImage password = paint("password", "<CONTROL TYPE=\"PASSWORD\" ID=\"p\" VALUE=\"abc\" WIDTH=\"60\">");
    EXPECT_EQ(password, paint("stars", "<CONTROL TYPE=\"EDIT\" ID=\"p\" VALUE=\"***\" WIDTH=\"60\">"));
    EXPECT_NE(password, edit);

    // A combo's hit box is 25 high, which raises its line to at least 25.
    styles.draws.clear();
    const QImage combo = paint("combo", "<CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"one\" WIDTH=\"80\">");
    const int comboBottom = T + std::max(25, probe.gh() + 10);
    const TRect button{L + 80 - 18, comboBottom - 23 + 5, L + 80 - 1, comboBottom + 1};
    EXPECT_EQ(combo.pixel(L, comboBottom - 23 + 4), rgbOf(frame));
    if (themed()) {
        ASSERT_EQ(styles.draws.size(), 1u);
        EXPECT_EQ(styles.draws[0].themeClass, "combobox");
        EXPECT_EQ(styles.draws[0].part, 1);
        EXPECT_EQ(styles.draws[0].state, 1);
        EXPECT_EQ(styles.draws[0].rect, button.toQRect());
        EXPECT_EQ(combo.pixel(button.Left, button.Top), FakeVisualStyles::marker);
        // Under the point the button is hot.
        paint("combo_hot", "<CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"one\" WIDTH=\"80\">", [&](TMarkupRequest& m) {
            m.HitX = L + 40;
            m.HitY = bottom - 6;
        });
        EXPECT_EQ(styles.draws.back().state, 2);
    } else {
        // The classic scroll-bar button with its down arrow.
        EXPECT_EQ(combo.pixel(button.Left + 3, button.Top + 3), rgbOf(platform::clBtnFace));
        const int size = std::min(button.Width(), button.Height()) / 4;
        const int cx = button.Left + button.Width() / 2, cy = button.Top + button.Height() / 2;
        EXPECT_EQ(combo.pixel(cx, cy - size / 2), rgbOf(platform::clBtnText));
        EXPECT_EQ(combo.pixel(cx, cy - size / 2 + size), rgbOf(platform::clBtnText));
    }
}

TEST_P(PaintMarkupPixels, Buttons)
{
    // The line takes the 25-pixel button; its face runs from left + 2 to WIDTH - 2.
    const int bottom = T + std::max(25, probe.gh() + 10);
    const TRect face{L + 2, bottom - 25, L + 58, bottom};
    const auto under = [&](bool down) {
        return [&, down](TMarkupRequest& m) {
            m.HitX = L + 20;
            m.HitY = bottom - 10;
            m.MouseIsDown = down;
        };
    };
    styles.draws.clear();
    const QImage normal = paint("button", "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"60\">");
    const QImage pressed =
        paint("button_pressed", "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"60\">", under(true));
    const QImage hot =
        paint("button_hot", "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"60\">", under(false));
    // The caption in the middle of the face.
    EXPECT_GT(countIf(normal, QRect(L + 20, face.Top + 4, 20, 18), [](QRgb p) { return qGray(p) < 100; }), 0);
    if (themed()) {
        ASSERT_EQ(styles.draws.size(), 3u);
        EXPECT_EQ(styles.draws[0].themeClass, "button");
        EXPECT_EQ(styles.draws[0].part, 1);
        EXPECT_EQ(styles.draws[0].rect, face.toQRect());
        EXPECT_EQ(styles.draws[0].state, 1);
        EXPECT_EQ(styles.draws[1].state, 3);
        EXPECT_EQ(styles.draws[2].state, 2);
        EXPECT_EQ(normal.pixel(face.Left, face.Top), FakeVisualStyles::marker);
    } else {
        // Raised, and sunken when pressed under the point.
        EXPECT_EQ(normal.pixel(face.Left, face.Top), rgbOf(platform::cl3DLight));
        EXPECT_EQ(normal.pixel(face.Right - 1, face.Bottom - 1), rgbOf(platform::cl3DDkShadow));
        EXPECT_EQ(normal.pixel(face.Left + 1, face.Top + 1), rgbOf(platform::clBtnHighlight));
        EXPECT_EQ(pressed.pixel(face.Left, face.Top), rgbOf(platform::cl3DDkShadow));
        EXPECT_EQ(hot.pixel(face.Left, face.Top), rgbOf(platform::cl3DLight));
    }
}
