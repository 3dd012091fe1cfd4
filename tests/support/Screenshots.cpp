#include "support/Screenshots.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QWidget>

namespace testsupport {

QString screenshotDir()
{
    return QStringLiteral(QV_SCREENSHOT_DIR);
}

QImage grabPicture(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool saveScreenshot(const QImage& picture, const QString& name)
{
    const QString path = QDir(screenshotDir()).filePath(name);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return !picture.isNull() && picture.save(path);
}

QImage takeScreenshot(QWidget& widget, const QString& name)
{
    const QImage picture = grabPicture(widget);
    EXPECT_TRUE(saveScreenshot(picture, name)) << name.toStdString();
    return picture;
}

testing::AssertionResult pixelIs(const QImage& picture, QPoint place, const QColor& colour)
{
    if (!picture.valid(place))
        return testing::AssertionFailure() << "(" << place.x() << "," << place.y() << ") lies outside the "
                                           << picture.width() << "x" << picture.height() << " picture";
    const QRgb seen = picture.pixel(place) & RGB_MASK;
    const QRgb wanted = colour.rgb() & RGB_MASK;
    if (seen == wanted)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "(" << place.x() << "," << place.y() << ") is "
                                       << QColor(seen).name().toStdString() << ", not "
                                       << QColor(wanted).name().toStdString();
}

testing::AssertionResult samePixels(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height() << ", not "
                                           << expected.width() << "x" << expected.height();
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    QPoint first;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & RGB_MASK) != (e.pixel(x, y) & RGB_MASK) && differing++ == 0)
                first = QPoint(x, y);
    if (differing == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << differing << " pixels differ, the first at (" << first.x() << "," << first.y()
                                       << "): " << QColor(a.pixel(first)).name().toStdString() << " instead of "
                                       << QColor(e.pixel(first)).name().toStdString();
}

int pixelsOtherThan(const QImage& picture, const QRect& area, const QColor& colour)
{
    const QRgb wanted = colour.rgb() & RGB_MASK;
    int count = 0;
    const QRect inside = area & picture.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if ((picture.pixel(x, y) & RGB_MASK) != wanted)
                ++count;
    return count;
}

testing::AssertionResult titleDrawn(const QImage& picture, QWidget& window)
{
    const auto* code = window.findChild<QLabel*>(QStringLiteral("L_SW_Code"));
    if (!code || code->text().isEmpty())
        return testing::AssertionFailure() << "no software code in the title";
    const QRect area(code->mapTo(&window, QPoint(0, 0)), code->size());
    if (!picture.rect().contains(area))
        return testing::AssertionFailure() << "the title lies outside the picture";
    const QColor background = picture.pixelColor(area.topLeft() - QPoint(area.left() > 0 ? 1 : 0, 0));
    if (pixelsOtherThan(picture, area, background) == 0)
        return testing::AssertionFailure() << "the software code is not drawn";
    return testing::AssertionSuccess();
}

testing::AssertionResult controlShowsText(const QImage& picture, QWidget& window, QWidget& control)
{
    const QRect inside = QRect(control.mapTo(&window, QPoint(0, 0)), control.size()).adjusted(3, 3, -3, -3);
    if (inside.isEmpty() || !picture.rect().contains(inside))
        return testing::AssertionFailure() << control.objectName().toStdString() << " is not in the picture";
    if (pixelsOtherThan(picture, inside, picture.pixelColor(inside.topLeft())) == 0)
        return testing::AssertionFailure() << control.objectName().toStdString() << " shows no text";
    return testing::AssertionSuccess();
}

} // namespace testsupport
