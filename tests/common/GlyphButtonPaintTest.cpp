// Pixels of the glyph button's faces: every style in the normal, hot, pressed and disabled
// states, the glyph cell chosen, the caption box, the focus frame and the fade.
#include "common/GlyphButton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QTest>

#include <vector>

using namespace platform;

namespace {

constexpr TColor kFace = 0x3264C8;   // rgb(200, 100, 50)
constexpr TColor kHot = 0xFF0000;    // rgb(0, 0, 255)
constexpr TColor kDown = 0x0AC80A;   // rgb(10, 200, 10)
constexpr TColor kLight = 0xD2FAFA;  // rgb(250, 250, 210)
constexpr TColor kShadow = 0x5A3C3C; // rgb(60, 60, 90)
const TColor kDark = colorToRGB(cl3DDkShadow);
constexpr TColor kMagenta = 0xFF00FF;

TColor px(const QImage& image, int x, int y)
{
    return fromQColor(image.pixelColor(x, y));
}

enum class State { Normal, Hot, Pressed, Disabled };

const char* stateName(State s)
{
    switch (s) {
    case State::Normal:
        return "normal";
    case State::Hot:
        return "hot";
    case State::Pressed:
        return "pressed";
    case State::Disabled:
        return "disabled";
    }
    return "?";
}

void hover(TGlyphButton& b)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&b, &enter);
}

void unhover(TGlyphButton& b)
{
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&b, &leave);
}

void setupColours(TGlyphButton& b, TGlyphButtonStyle style)
{
    b.setStyle(style);
    b.setColor(kFace);
    b.setHotTrackColor(kHot);
    b.setColorWhenDown(kDown);
    b.setLightColor(kLight);
    b.setShadowColor(kShadow);
    // Shown so the mouse can enter it; without focus so no focus frame appears.
    b.setFocusPolicy(Qt::NoFocus);
    b.show();
}

// The face of a button in a state, grabbed as the user sees it.
QImage grabIn(TGlyphButton& b, State state)
{
    switch (state) {
    case State::Normal:
        return b.grab().toImage();
    case State::Hot: {
        hover(b);
        QImage image = b.grab().toImage();
        unhover(b);
        return image;
    }
    case State::Pressed: {
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(50, 11));
        QImage image = b.grab().toImage();
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(50, 11));
        return image;
    }
    case State::Disabled: {
        b.setEnabled(false);
        QImage image = b.grab().toImage();
        b.setEnabled(true);
        return image;
    }
    }
    return {};
}

struct Point {
    int x, y;
    TColor color;
};

struct FaceCase {
    TGlyphButtonStyle style;
    State state;
    std::vector<Point> points;
};

} // namespace

TEST(GlyphButtonPaint, FaceColoursAndEdgesOfEveryStyle)
{
    using S = TGlyphButtonStyle;
    // 100 x 23 buttons without caption or glyph, so every point shows face or edge.
    const std::vector<FaceCase> cases = {
        {S::bsNormal,
         State::Normal,
         {{50, 11, kFace},
          {0, 5, kLight},
          {50, 0, kLight},
          {0, 22, kLight},
          {99, 0, kShadow},
          {99, 5, kShadow},
          {50, 22, kShadow}}},
        {S::bsNormal, State::Hot, {{50, 11, kHot}, {0, 5, kLight}, {99, 5, kShadow}}},
        // Pressed swaps the edge colours.
        {S::bsNormal,
         State::Pressed,
         {{50, 11, kDown}, {0, 5, kShadow}, {50, 0, kShadow}, {99, 5, kLight}, {50, 22, kLight}}},
        // Disabled: no hot track, never pressed, edges kept.
        {S::bsNormal, State::Disabled, {{50, 11, kFace}, {0, 5, kLight}, {99, 5, kShadow}}},
        {S::bsEncarta, State::Normal, {{50, 11, kFace}, {0, 5, kLight}, {50, 22, kShadow}}},
        {S::bsEncarta, State::Hot, {{50, 11, kHot}}},
        {S::bsEncarta, State::Pressed, {{50, 11, kDown}, {0, 5, kShadow}, {50, 22, kLight}}},
        {S::bsEncarta, State::Disabled, {{50, 11, kFace}}},
        {S::bsOld,
         State::Normal,
         {{50, 11, kFace},
          {0, 5, kLight},
          {50, 0, kLight},
          {98, 5, kShadow},
          {50, 21, kShadow},
          {99, 5, kDark},
          {50, 22, kDark}}},
        {S::bsOld, State::Hot, {{50, 11, kHot}, {98, 5, kShadow}}},
        {S::bsOld,
         State::Pressed,
         {{50, 11, kDown},
          {1, 5, kShadow},
          {50, 1, kShadow},
          {0, 5, kDark},
          {50, 0, kDark},
          {99, 5, kLight},
          {50, 22, kLight}}},
        {S::bsOld, State::Disabled, {{50, 11, kFace}, {0, 5, kLight}, {99, 5, kDark}}},
        // Gradient from the light colour at row 2 to the face colour from row H div 4 + d,
        // back to the light colour at the last inner row; inner frame in the face colour.
        // Inner frame in the face colour (shadow colour while pressed), rounded outer frame in
        // the shadow colour; the gradient rows are checked below.
        {S::bsModern,
         State::Normal,
         {{50, 1, kFace}, {1, 11, kFace}, {50, 0, kShadow}, {0, 11, kShadow}, {50, 22, kShadow}, {1, 1, kShadow}}},
        {S::bsModern, State::Hot, {{50, 1, kHot}}},
        {S::bsModern, State::Pressed, {{50, 1, kShadow}, {1, 11, kShadow}, {50, 0, kShadow}}},
        {S::bsModern, State::Disabled, {{50, 1, kFace}}},
        {S::bsQuicken,
         State::Normal,
         {{50, 11, kFace},
          {1, 1, kFace},
          {0, 11, kFace},
          {50, 0, kShadow},
          {4, 0, kShadow},
          {94, 0, kShadow},
          {50, 22, kShadow}}},
        {S::bsQuicken, State::Hot, {{50, 11, kHot}}},
        {S::bsQuicken, State::Pressed, {{50, 11, kDown}, {50, 0, kShadow}}},
        {S::bsQuicken, State::Disabled, {{50, 11, kFace}}},
    };
    for (const auto& c : cases) {
        TGlyphButton b;
        setupColours(b, c.style);
        const QImage image = grabIn(b, c.state);
        for (const auto& p : c.points)
            EXPECT_EQ(px(image, p.x, p.y), p.color)
                << "style " << int(c.style) << " " << stateName(c.state) << " at " << p.x << "," << p.y;
    }
}

TEST(GlyphButtonPaint, ModernFaceIsTwoGradientsMeetingAtAQuarter)
{
    // Light colour to face colour from row 2 to H div 4 + d, face colour back to the light
    // colour from there to row H - 1, between columns 2 and W - 2.
    struct Case {
        State state;
        TColor face;
        int d;
    };
    for (const Case c : {Case{State::Normal, kFace, 0}, Case{State::Hot, kHot, 0}, Case{State::Pressed, kDown, 1},
                         Case{State::Disabled, kFace, 0}}) {
        TGlyphButton b;
        setupColours(b, TGlyphButtonStyle::bsModern);
        const QImage image = grabIn(b, c.state);
        QImage expected(100, 23, QImage::Format_RGB32);
        expected.fill(Qt::black);
        {
            QPainter p(&expected);
            DrawGlyphGradient(p, kLight, c.face, 2, 2, 98, 5 + c.d);
            DrawGlyphGradient(p, c.face, kLight, 2, 5 + c.d, 98, 22);
        }
        // Row 21 and columns 1 and 98 belong to the inner frame.
        for (int y = 2; y < 21; ++y)
            for (const int x : {2, 50, 97})
                ASSERT_EQ(px(image, x, y), px(expected, x, y)) << stateName(c.state) << " at " << x << "," << y;
    }
}

TEST(GlyphButtonPaint, TransparentFacesLeaveTheCornersToTheParent)
{
    // The see-through key never reaches the screen; the parent's background shows instead.
    struct Case {
        TGlyphButtonStyle style;
        std::vector<QPoint> seeThrough;
    };
    const std::vector<Case> cases = {
        {TGlyphButtonStyle::bsModern, {{0, 0}, {99, 22}}},
        {TGlyphButtonStyle::bsQuicken, {{0, 1}, {2, 0}, {99, 22}}},
        {TGlyphButtonStyle::bsShape, {{0, 0}, {50, 11}, {99, 22}}},
    };
    for (const auto& c : cases) {
        QWidget parent;
        parent.resize(120, 40);
        parent.setAutoFillBackground(true);
        QPalette pal = parent.palette();
        pal.setColor(QPalette::Window, QColor(1, 2, 3));
        parent.setPalette(pal);
        auto* b = new TGlyphButton(&parent);
        setupColours(*b, c.style);
        b->move(10, 10);
        const QImage image = parent.grab().toImage();
        for (const QPoint& p : c.seeThrough)
            EXPECT_EQ(px(image, 10 + p.x(), 10 + p.y()), rgb(1, 2, 3))
                << "style " << int(c.style) << " at " << p.x() << "," << p.y();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ASSERT_NE(px(image, x, y), kMagenta) << "style " << int(c.style);
    }
}

TEST(GlyphButtonPaint, FlatButtonShowsEdgesOnlyWhenHotOrPressed)
{
    const std::vector<std::pair<State, TColor>> cases = {
        {State::Normal, kFace}, {State::Hot, kLight}, {State::Pressed, kShadow}, {State::Disabled, kFace}};
    for (const auto& [state, leftEdge] : cases) {
        TGlyphButton b;
        setupColours(b, TGlyphButtonStyle::bsNormal);
        b.setHotTrackColor(clNone);
        b.setColorWhenDown(clNone);
        b.setFlat(true);
        const QImage image = grabIn(b, state);
        EXPECT_EQ(px(image, 0, 5), leftEdge) << stateName(state);
    }
}

TEST(GlyphButtonPaint, BlendedFaceUsesTheSystemColourTable)
{
    TGlyphButton b; // created with the button-face system colour
    const QImage image = b.grab().toImage();
    EXPECT_EQ(px(image, 50, 11), colorToRGB(clBtnFace));
}

namespace {

// A four-cell strip of 16 x 16 cells: white background (the lower-left pixel) and an
// 8 x 8 block from (4, 4) in the cell's own colour.
const TColor kCellColours[4] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};

QImage fourCellGlyph()
{
    QImage glyph(64, 16, QImage::Format_RGB32);
    glyph.fill(Qt::white);
    for (int cell = 0; cell < 4; ++cell)
        for (int y = 4; y < 12; ++y)
            for (int x = 4; x < 12; ++x)
                glyph.setPixelColor(cell * 16 + x, y, toQColor(kCellColours[cell]));
    return glyph;
}

} // namespace

TEST(GlyphButtonPaint, GlyphCellFollowsTheState)
{
    // Centred with no caption: the cell sits at (42, 3), its block from (46, 7) to (53, 14).
    struct Case {
        TGlyphButtonStyle style;
        State state;
        int numGlyphs;
        TColor atBlockStart; // (46, 7)
        TColor pastBlockEnd; // (54, 15): the block's far corner when pressed with offset
        TColor atCellCorner; // (42, 3): white background left out
    };
    using S = TGlyphButtonStyle;
    const std::vector<Case> cases = {
        {S::bsNormal, State::Normal, 4, kCellColours[0], kFace, kFace},
        {S::bsNormal, State::Hot, 4, kCellColours[3], kHot, kHot},
        {S::bsNormal, State::Pressed, 4, kDown, kCellColours[2], kDown},
        {S::bsNormal, State::Disabled, 4, kCellColours[1], kFace, kFace},
        // Without a hot or pressed cell the normal one is used.
        {S::bsNormal, State::Hot, 3, kCellColours[0], kHot, kHot},
        {S::bsNormal, State::Pressed, 2, kDown, kCellColours[0], kDown},
        // Encarta does not move its glyph when pressed.
        {S::bsEncarta, State::Pressed, 4, kCellColours[2], kDown, kDown},
        {S::bsOld, State::Pressed, 4, kDown, kCellColours[2], kDown},
        {S::bsQuicken, State::Normal, 4, kCellColours[0], kFace, kFace},
    };
    for (const auto& c : cases) {
        TGlyphButton b;
        setupColours(b, c.style);
        // The first numGlyphs cells of the strip.
        b.setGlyph(fourCellGlyph().copy(0, 0, 16 * c.numGlyphs, 16));
        ASSERT_EQ(b.NumGlyphs(), c.numGlyphs);
        const QImage image = grabIn(b, c.state);
        const auto label = [&] {
            return std::to_string(int(c.style)) + " " + stateName(c.state) + " n=" + std::to_string(c.numGlyphs);
        };
        EXPECT_EQ(px(image, 46, 7), c.atBlockStart) << label();
        EXPECT_EQ(px(image, 54, 15), c.pastBlockEnd) << label();
        EXPECT_EQ(px(image, 42, 3), c.atCellCorner) << label();
    }
}

TEST(GlyphButtonPaint, ShapeCentresTheGlyphWithoutPressOffset)
{
    TGlyphButton b;
    setupColours(b, TGlyphButtonStyle::bsShape);
    b.setGlyph(fourCellGlyph().copy(0, 0, 16, 16));
    const TGlyphFaceParams normal = b.FaceParams();
    TGlyphFaceParams pressed = normal;
    pressed.pressed = true;
    const TGlyphFaceLayout a = LayoutGlyphButtonFace(normal);
    const TGlyphFaceLayout d = LayoutGlyphButtonFace(pressed);
    EXPECT_EQ(a.glyphLeft, 42);
    EXPECT_EQ(a.glyphTop, 3);
    EXPECT_EQ(d.glyphLeft, 42);
    EXPECT_EQ(d.glyphTop, 3);
}

TEST(GlyphButtonPaint, FocusFrameIsDottedFromFourToSizeLessFour)
{
    struct Case {
        TGlyphButtonStyle style;
        bool framed;
    };
    const std::vector<Case> cases = {{TGlyphButtonStyle::bsNormal, true},
                                     {TGlyphButtonStyle::bsEncarta, true},
                                     {TGlyphButtonStyle::bsQuicken, true},
                                     {TGlyphButtonStyle::bsShape, false}};
    for (const auto& c : cases) {
        QWidget window;
        window.resize(200, 100);
        auto* b = new TGlyphButton(&window);
        setupColours(*b, c.style);
        b->setFocusPolicy(Qt::StrongFocus);
        b->setColor(kFace);
        b->setHotTrackColor(clNone);
        window.show();
        QApplication::setActiveWindow(&window);
        b->setFocus();
        ASSERT_TRUE(b->hasFocus());
        const QImage image = b->grab().toImage();
        const TColor inverted = kFace ^ 0xFFFFFF;
        if (c.framed) {
            // Corners of the frame (4, 4) and (95, 18) are dots, their neighbours are not.
            EXPECT_EQ(px(image, 4, 4), inverted) << int(c.style);
            EXPECT_EQ(px(image, 5, 4), kFace) << int(c.style);
            EXPECT_EQ(px(image, 6, 4), inverted) << int(c.style);
            EXPECT_EQ(px(image, 4, 6), inverted) << int(c.style);
            EXPECT_EQ(px(image, 95, 18), kFace) << int(c.style);
            EXPECT_EQ(px(image, 94, 18), inverted) << int(c.style);
            EXPECT_EQ(px(image, 96, 18), kFace) << int(c.style);
            EXPECT_EQ(px(image, 94, 19), kFace) << int(c.style);
            EXPECT_EQ(px(image, 3, 4), kFace) << int(c.style);
        }
        for (int x = 0; x < 100 && !c.framed; ++x)
            EXPECT_NE(px(image, x, 4), inverted);
    }
}

TEST(GlyphButtonPaint, FocusedOldStyleGetsBlackFrameAndSmallerFace)
{
    QWidget window;
    window.resize(200, 100);
    auto* b = new TGlyphButton(&window);
    setupColours(*b, TGlyphButtonStyle::bsOld);
    b->setFocusPolicy(Qt::StrongFocus);
    window.show();
    QApplication::setActiveWindow(&window);
    b->setFocus();
    ASSERT_TRUE(b->hasFocus());
    QImage image = b->grab().toImage();
    for (const QPoint p : {QPoint(0, 0), QPoint(50, 0), QPoint(99, 11), QPoint(50, 22), QPoint(0, 11)})
        EXPECT_EQ(px(image, p.x(), p.y()), clBlack) << p.x() << "," << p.y();
    // The 98 x 21 face from (1, 1): its light edge at column 1, its dark shadow at column 98.
    EXPECT_EQ(px(image, 1, 11), kLight);
    EXPECT_EQ(px(image, 98, 11), kDark);
    EXPECT_EQ(px(image, 97, 11), kShadow);

    // Pressed: the face's light colour becomes the shadow colour.
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 11));
    image = b->grab().toImage();
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(50, 11));
    EXPECT_EQ(px(image, 1, 11), kDark);
    EXPECT_EQ(px(image, 98, 11), kShadow); // the light edge, drawn in the shadow colour
    EXPECT_EQ(px(image, 2, 11), kShadow);
}

TEST(GlyphButtonPaint, CaptionIsCutAtTheEndWithoutEllipsis)
{
    TGlyphButton b;
    setupColours(b, TGlyphButtonStyle::bsNormal);
    b.resize(40, 23);
    b.setCaption(QStringLiteral("Communication settings"));
    const TGlyphFaceLayout lay = LayoutGlyphButtonFace(b.FaceParams());
    EXPECT_FALSE(lay.caption.isEmpty());
    EXPECT_LT(lay.caption.size(), b.Caption().size());
    EXPECT_TRUE(b.Caption().startsWith(lay.caption));
    EXPECT_FALSE(lay.caption.contains(QChar(0x2026)));
    EXPECT_LE(QFontMetrics(b.font()).horizontalAdvance(lay.caption), 32);
    EXPECT_EQ(lay.textBox, QRect(4, lay.textBox.top(), 32, lay.textBox.height()));

    // Nothing is drawn right of the caption box.
    const QImage image = b.grab().toImage();
    for (int y = 1; y < 22; ++y)
        for (int x = 36; x < 39; ++x)
            ASSERT_EQ(px(image, x, y), kFace) << x << "," << y;

    // With word wrap the caption is kept whole.
    b.setWordWrap(true);
    EXPECT_EQ(LayoutGlyphButtonFace(b.FaceParams()).caption, b.Caption());
    // A box too narrow for one character leaves no caption.
    b.setWordWrap(false);
    b.resize(9, 23);
    EXPECT_TRUE(LayoutGlyphButtonFace(b.FaceParams()).caption.isEmpty());
}

TEST(GlyphButtonPaint, CaptionColourAndPressOffset)
{
    // A caption far from the glyph-free face; count its exact black and grey pixels.
    auto count = [](const QImage& image, TColor colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += px(image, x, y) == colour;
        return n;
    };
    TGlyphButton b;
    setupColours(b, TGlyphButtonStyle::bsNormal);
    b.setLightColor(kFace);
    b.setShadowColor(kFace);
    QFont f = b.font();
    f.setPixelSize(16);
    b.setFont(f);
    b.setCaption(QStringLiteral("MW"));
    const QImage enabled = grabIn(b, State::Normal);
    EXPECT_GT(count(enabled, clBlack), 0);
    EXPECT_EQ(count(enabled, clGray), 0);
    const QImage disabled = grabIn(b, State::Disabled);
    EXPECT_EQ(count(disabled, clBlack), 0);
    EXPECT_GT(count(disabled, clGray), 0);

    // The caption moves one pixel right and down while pressed, except for Encarta, whose
    // caption turns bold instead.
    struct Case {
        TGlyphButtonStyle style;
        int shift;
        bool bold;
    };
    for (const Case c : {Case{TGlyphButtonStyle::bsNormal, 1, false}, Case{TGlyphButtonStyle::bsEncarta, 0, true},
                         Case{TGlyphButtonStyle::bsModern, 1, false}}) {
        b.setStyle(c.style);
        TGlyphFaceParams p = b.FaceParams();
        const TGlyphFaceLayout up = LayoutGlyphButtonFace(p);
        p.pressed = true;
        const TGlyphFaceLayout down = LayoutGlyphButtonFace(p);
        EXPECT_EQ(down.textBox.left() - up.textBox.left(), c.shift) << int(c.style);
        EXPECT_EQ(down.textBox.top() - up.textBox.top(), c.shift) << int(c.style);
        EXPECT_EQ(down.font.bold(), c.bold) << int(c.style);
        EXPECT_EQ(down.faceColor, kDown) << int(c.style);
        p.enabled = false; // a disabled button is never drawn pressed
        EXPECT_EQ(LayoutGlyphButtonFace(p).offset, 0) << int(c.style);
    }
}

TEST(GlyphButtonPaint, LayoutPositionsFollowTheRules)
{
    TGlyphFaceParams p;
    p.width = 100;
    p.height = 40;
    p.glyph = QImage(32, 16, QImage::Format_RGB32); // two 16 x 16 cells
    p.numGlyphs = 2;
    p.caption = QStringLiteral("Go");
    const int tw = QFontMetrics(p.font).boundingRect(QRect(0, 0, 100, 1000), Qt::TextWordWrap, p.caption).width();
    const int th = QFontMetrics(p.font).boundingRect(QRect(0, 0, 100, 1000), Qt::TextWordWrap, p.caption).height();
    const int tw4 = tw + 4;
    struct Case {
        TGlyphButtonLayout layout;
        Qt::Alignment align;
        bool wrap;
        QRect text; // left, top, width L, height th
        QPoint glyph;
    };
    using L = TGlyphButtonLayout;
    const std::vector<Case> cases = {
        {L::blGlyphLeft, Qt::AlignHCenter, false, {24, (40 - th) / 2, 72, th}, {(100 - 16) / 2 - tw4 / 2, 12}},
        {L::blGlyphLeft, Qt::AlignLeft, false, {24, (40 - th) / 2, 72, th}, {4, 12}},
        {L::blGlyphLeft, Qt::AlignRight, false, {24, (40 - th) / 2, 72, th}, {100 - 4 - 16 - tw4, 12}},
        {L::blGlyphLeft, Qt::AlignRight, true, {24, (40 - th) / 2, 72, th}, {4, 12}},
        {L::blGlyphRight, Qt::AlignHCenter, false, {4, (40 - th) / 2, 72, th}, {(100 - 16) / 2 + tw4 / 2, 12}},
        {L::blGlyphRight, Qt::AlignRight, false, {4, (40 - th) / 2, 72, th}, {100 - 4 - 16, 12}},
        {L::blGlyphRight, Qt::AlignRight, true, {4, (40 - th) / 2, 72, th}, {4 + tw4, 12}},
        {L::blGlyphTop, Qt::AlignHCenter, false, {4, (40 - th - 20) / 2 + 16, 92, th}, {42, (40 - th - 20) / 2}},
        {L::blGlyphTop, Qt::AlignRight, false, {4, (40 - th - 20) / 2 + 16, 92, th}, {80, (40 - th - 20) / 2}},
        {L::blGlyphBottom, Qt::AlignLeft, false, {4, (40 - th - 20) / 2, 92, th}, {4, (40 - th - 20) / 2 + th}},
    };
    for (const auto& c : cases) {
        p.layout = c.layout;
        p.alignment = c.align;
        p.wordWrap = c.wrap;
        const TGlyphFaceLayout lay = LayoutGlyphButtonFace(p);
        EXPECT_EQ(lay.textBox, c.text) << int(c.layout) << " " << int(c.align);
        EXPECT_EQ(QPoint(lay.glyphLeft, lay.glyphTop), c.glyph) << int(c.layout) << " " << int(c.align);
    }

    // Without glyph cells the caption has the full width.
    p.layout = L::blGlyphLeft;
    p.numGlyphs = 0;
    const TGlyphFaceLayout bare = LayoutGlyphButtonFace(p);
    EXPECT_EQ(bare.textBox.left(), 4);
    EXPECT_EQ(bare.textBox.width(), 92);
    EXPECT_EQ(bare.cellIndex, -1);
}

TEST(GlyphButtonPaint, PopupMenuArrowAtTheRight)
{
    TGlyphButton b;
    setupColours(b, TGlyphButtonStyle::bsNormal);
    QMenu menu;
    b.setPopupMenu(&menu);
    const QImage image = b.grab().toImage();
    // 5 x 3 arrow at (89, 10): full top row, single tip pixel, background around it.
    for (int x = 89; x < 94; ++x)
        EXPECT_EQ(px(image, x, 10), clBlack) << x;
    EXPECT_EQ(px(image, 91, 12), clBlack);
    EXPECT_EQ(px(image, 89, 12), kFace);
    EXPECT_EQ(px(image, 88, 10), kFace);
}

TEST(GlyphButtonPaint, GradientHas32BandsTruncated)
{
    QImage image(4, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        DrawGlyphGradient(p, rgb(0, 0, 0), rgb(248, 100, 31), 1, 2, 3, 33);
    }
    // 31 rows: band i starts at row 2 + i; a later band covers the overlap of the one before.
    for (int i = 0; i < 31; ++i) {
        EXPECT_EQ(px(image, 1, 2 + i), rgb(8 * i, 100 * i / 31, i)) << i;
        EXPECT_EQ(px(image, 2, 2 + i), px(image, 1, 2 + i));
    }
    EXPECT_EQ(px(image, 0, 10), clWhite);
    EXPECT_EQ(px(image, 3, 10), clWhite);
    EXPECT_EQ(px(image, 1, 1), clWhite);
    EXPECT_EQ(px(image, 1, 33), clWhite);
}

TEST(GlyphButtonPaint, HotTrackBlendByLevel)
{
    struct Case {
        int level;
        TColor expected;
    };
    // Colour rgb(200, 100, 50), hot-track colour rgb(0, 0, 255).
    const std::vector<Case> cases = {{0, rgb(200, 100, 50)},
                                     {8, rgb(0, 0, 255)},
                                     {4, rgb(100, 50, 152)},
                                     {1, rgb(175, 87, 75)},
                                     {7, rgb(25, 12, 229)}};
    for (const auto& c : cases)
        EXPECT_EQ(GlyphHotTrackBlend(kFace, kHot, c.level), c.expected) << c.level;
    // System colours are resolved first.
    EXPECT_EQ(GlyphHotTrackBlend(clBtnFace, clBlack, 0), colorToRGB(clBtnFace));
}

TEST(GlyphButtonPaint, SlowFadeStepsBackInEightTicks)
{
    TGlyphButton b;
    setupColours(b, TGlyphButtonStyle::bsNormal);
    b.setColorWhenDown(clNone);
    b.setSlowDecease(true);
    ASSERT_NE(b.Thread(), nullptr);
    EXPECT_TRUE(b.Thread()->Suspended());
    hover(b);
    EXPECT_EQ(px(b.grab().toImage(), 50, 11), kHot);
    unhover(b);
    EXPECT_FALSE(b.Thread()->Suspended()); // ticking now
    EXPECT_EQ(px(b.grab().toImage(), 50, 11), kHot);
    for (int level = 7; level >= 0; --level) {
        b.Thread()->DoEvent();
        EXPECT_EQ(px(b.grab().toImage(), 50, 11), GlyphHotTrackBlend(kFace, kHot, level)) << level;
    }
    EXPECT_TRUE(b.Thread()->Suspended());

    // Coming back during a fade stops it: the button stays fully hot under the mouse.
    hover(b);
    unhover(b);
    b.Thread()->DoEvent();
    hover(b);
    EXPECT_TRUE(b.Thread()->Suspended());
    EXPECT_EQ(px(b.grab().toImage(), 50, 11), kHot);

    // Switching the option off ends the ticker and drops the level at once.
    b.setSlowDecease(false);
    EXPECT_EQ(b.Thread(), nullptr);
    EXPECT_EQ(px(b.grab().toImage(), 50, 11), kFace);
    hover(b);
    unhover(b);
    EXPECT_EQ(px(b.grab().toImage(), 50, 11), kFace);
}

TEST(GlyphButtonPaint, TransparentGlyphCellUsesItsLowerLeftPixel)
{
    // Cell 1's lower-left pixel is blue: its blue pixels are left out, its white ones drawn.
    QImage glyph(8, 4, QImage::Format_RGB32);
    glyph.fill(Qt::white);
    for (int y = 0; y < 4; ++y)
        glyph.setPixelColor(4 + (y % 2), y, Qt::blue);
    glyph.setPixelColor(4, 3, Qt::blue);
    QImage target(8, 4, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter p(&target);
        DrawTransparentGlyphCell(p, glyph, 1, 4, 2, 0);
    }
    EXPECT_EQ(px(target, 2, 0), clBlack); // blue key left out
    EXPECT_EQ(px(target, 3, 0), clWhite);
    EXPECT_EQ(px(target, 0, 0), clBlack); // outside the cell
    EXPECT_EQ(px(target, 6, 0), clBlack);
}
