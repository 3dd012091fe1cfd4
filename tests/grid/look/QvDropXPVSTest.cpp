#include "grid/look/QvDropXPVS.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace grid;

namespace {

constexpr QRgb kBack = 0xFF010203;

QImage paint(TColor from, TColor to, bool horizontal, TRect r, int count, int w = 12, int h = 12)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kBack);
    QPainter p(&img);
    FillGradientRect(p, from, to, horizontal, r, count);
    return img;
}

TColor at(const QImage& img, int x, int y)
{
    return platform::fromQColor(QColor(img.pixel(x, y)));
}

} // namespace

TEST(FillGradientRect, ZeroBandsPaintOneBandInTheFromColour)
{
    const QImage img = paint(0x0000FF, 0xFF0000, true, {0, 0, 10, 4}, 0);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(at(img, x, 2), 0x0000FFu) << x;
    EXPECT_EQ(img.pixel(10, 2), kBack);
    EXPECT_EQ(img.pixel(3, 4), kBack);
}

TEST(FillGradientRect, BandsStopOneStepShortOfTheEndColour)
{
    // Horizontal, 10 wide: right edge taken one in (9), band size 4.5; band 0 covers 0..4, band 1
    // starts at round(4.5) = 4 and is round(4.5) + 1 = 5 wide; its red is round(255 / 2) = 128.
    const QImage img = paint(platform::rgb(0, 0, 0), platform::rgb(255, 0, 0), true, {0, 0, 10, 3}, 2);
    EXPECT_EQ(at(img, 0, 1), platform::rgb(0, 0, 0));
    EXPECT_EQ(at(img, 3, 1), platform::rgb(0, 0, 0));
    EXPECT_EQ(at(img, 4, 1), platform::rgb(128, 0, 0));
    EXPECT_EQ(at(img, 8, 1), platform::rgb(128, 0, 0));
    EXPECT_EQ(img.pixel(9, 1), kBack);
}

TEST(FillGradientRect, VerticalBandsRunTopToBottom)
{
    // 9 high: bottom one up (8), band size 2, four bands of 3 pixels stepping by 40.
    const QImage img = paint(platform::rgb(0, 0, 0), platform::rgb(0, 160, 0), false, {1, 0, 5, 9}, 4);
    const int expected[] = {0, 0, 40, 40, 80, 80, 120, 120, 120};
    for (int y = 0; y < 9; ++y)
        EXPECT_EQ(at(img, 2, y), platform::rgb(0, expected[y], 0)) << y;
    EXPECT_EQ(img.pixel(0, 3), kBack);
    EXPECT_EQ(img.pixel(5, 3), kBack);
}
