#pragma once
// Pictures the tests take: every one goes into one folder of the build tree (never the source
// tree) for a person to look at, and every test that takes one checks pixels of it at stated
// places, or compares it with a reference picture kept under tests/fixtures.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <gtest/gtest.h>

class QWidget;

namespace testsupport {

// The build tree's picture folder ("screenshots" beside the test programs' folder).
QString screenshotDir();

// The widget as it paints itself now, in one pixel format so that pictures compare.
QImage grabPicture(QWidget& widget);

// Writes the picture as screenshotDir()/name (name may hold a subfolder); false on failure.
bool saveScreenshot(const QImage& picture, const QString& name);

// Grabs the widget, writes the picture under name and returns it.
QImage takeScreenshot(QWidget& widget, const QString& name);

// The pixel at place has the colour (alpha ignored).
testing::AssertionResult pixelIs(const QImage& picture, QPoint place, const QColor& colour);

// The two pictures have the same size and the same colour in every pixel; the failure names
// how many pixels differ and the first of them.
testing::AssertionResult samePixels(const QImage& actual, const QImage& expected);

// How many pixels of the rectangle are not the colour: a text or an edge drawn there shows as
// such pixels.
int pixelsOtherThan(const QImage& picture, const QRect& area, const QColor& colour);

// The window's title strip shows its software code: the label L_SW_Code holds a text and pixels
// other than the strip's background beside it.
testing::AssertionResult titleDrawn(const QImage& picture, QWidget& window);

// The control shows a text: inside its border, pixels other than its background.
testing::AssertionResult controlShowsText(const QImage& picture, QWidget& window, QWidget& control);

} // namespace testsupport
