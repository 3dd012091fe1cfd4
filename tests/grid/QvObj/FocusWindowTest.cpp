#include "grid/QvObj.h"

#include <gtest/gtest.h>

#include <QApplication>

using namespace grid;

TEST(AlphaMask, BlurKernelHalfWidths)
{
    const std::pair<double, int> cases[] = {{3.0, 8}, {2.0, 5}, {0.5, 1}};
    for (auto [radius, size] : cases)
        EXPECT_EQ(BlurKernelSize(radius), size) << radius;
}

TEST(AlphaMask, SharpMaskWithoutBlur)
{
    QImage m;
    MakeRoundRectMask(m, 30, 20, 0, 0, 1);
    ASSERT_EQ(m.format(), QImage::Format_RGB888);
    EXPECT_EQ(m.size(), QSize(30, 20));
    EXPECT_EQ(m.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(m.pixelColor(15, 2), QColor(Qt::white));  // the outline
    EXPECT_EQ(m.pixelColor(15, 10), QColor(Qt::black)); // inside stays black
    EXPECT_EQ(m.pixelColor(2, 10), QColor(Qt::white));
}

TEST(AlphaMask, BlurRefusesOtherFormatsAndKeepsLimits)
{
    QImage argb(10, 10, QImage::Format_ARGB32);
    argb.fill(Qt::white);
    EXPECT_THROW(BlurBitmap24(argb, 2.0), std::runtime_error);
    EXPECT_EQ(argb.pixelColor(5, 5), QColor(Qt::white));

    // A uniform picture stays uniform: a blurred sum of exactly 255 stays 255.
    QImage white(30, 30, QImage::Format_RGB888);
    white.fill(Qt::white);
    BlurBitmap24(white, 3.0);
    EXPECT_EQ(white.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(white.pixelColor(15, 29), QColor(Qt::white));
}

TEST(AlphaMask, TallPictureRepeatsRow15InTheMiddle)
{
    QImage img(10, 100, QImage::Format_RGB888);
    img.fill(Qt::black);
    for (int y = 0; y < 100; ++y)
        img.setPixelColor(5, y, y < 50 ? QColor(Qt::white) : QColor(Qt::black));
    BlurBitmap24(img, 1.0);
    // Rows 21..79 took row 15 in the horizontal pass, so rows 60..70, black before, are white
    // now; away from the picture's ends the vertical pass leaves identical rows alone.
    for (int y = 21; y <= 70; ++y)
        EXPECT_EQ(img.pixelColor(5, y), img.pixelColor(5, 15)) << y;
    EXPECT_NE(img.pixelColor(5, 95), img.pixelColor(5, 15)); // the last 20 rows are blurred for real
}

TEST(AlphaMask, MergeMaskTakesAlphaFromTheMask)
{
    QImage mask(2, 1, QImage::Format_RGB888);
    mask.setPixelColor(0, 0, QColor(Qt::white));
    mask.setPixelColor(1, 0, QColor(Qt::black));
    QImage colour(2, 1, QImage::Format_RGB888);
    colour.fill(QColor(0x97, 0xD3, 0xFD));
    TGridAlphaMask m;
    EXPECT_EQ(m.Opacity(), 255);
    m.MergeMask(mask, colour, 0);
    EXPECT_EQ(m.Image().pixel(0, 0), qRgba(0x97, 0xD3, 0xFD, 255));
    EXPECT_EQ(m.Image().pixel(1, 0), qRgba(0, 0, 0, 0));

    // Another format leaves the mask as it was.
    m.MergeMask(mask, QImage(5, 5, QImage::Format_ARGB32), 0);
    EXPECT_EQ(m.Image().width(), 2);

    // A copy into a larger mask reads the source only within its own size.
    TGridAlphaMask big;
    big.SetSize(4, 3);
    big.SetOpacity(10);
    big.Assign(m);
    EXPECT_EQ(big.Opacity(), 255);
    EXPECT_EQ(big.Image().pixel(0, 0), qRgba(0x97, 0xD3, 0xFD, 255));
    EXPECT_EQ(big.Image().pixel(3, 2), 0u);
}

TEST(ArrowWindows, ShapesAndColour)
{
    QWidget owner;
    const std::pair<TArrowDirection, QPoint> tips[] = {
        {arrUp, {5, 0}}, {arrDown, {5, 8}}, {arrLeft, {8, 5}}, {arrRight, {0, 5}}};
    for (auto [dir, tip] : tips) {
        TArrowWindow w(&owner, dir);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(TArrowWindow::Arrow(dir).size(), 7);
        EXPECT_TRUE(TArrowWindow::Arrow(dir).contains(tip)) << dir;
        EXPECT_FALSE(w.mask().isEmpty());
        const QImage img = w.grab().toImage();
        EXPECT_EQ(img.pixelColor(5, 5), QColor(0, 255, 0)) << dir;
    }
    TGridFocusWindow f(&owner);
    EXPECT_FALSE(f.isEnabled());
    EXPECT_EQ(f.size(), QSize(0, 0));
}
