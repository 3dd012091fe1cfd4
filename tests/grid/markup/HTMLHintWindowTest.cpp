// The grid's hint window: its size from the measured text, its place on the screen, its frame,
// the images it may use, and the scroll-position hint of the grid shown in it.

#include "grid/markup/HTMLHintWindow.h"
#include "support/Screenshots.h"

#include "grid/QvGrid.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/GridMarkup.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace grid;

namespace {

// The markup measure of the hint's font on an image of the window's resolution.
RizIVUDE::TMarkupResult measureMarkup(const THTMLHintWindow& w, const QString& text, int maxWidth,
                                      const TCustomImageList* images = nullptr)
{
    QImage device = MeasuringDevice(&w);
    QPainter p(&device);
    p.setFont(w.font());
    RizIVUDE::TMarkupRequest m;
    m.Canvas = &p;
    m.Text = text;
    m.Rect = {0, 0, maxWidth, 0};
    m.MeasureOnly = true;
    m.Images = images;
    RizIVUDE::TMarkupResult r;
    RizIVUDE::PaintMarkup(m, r);
    return r;
}

QRect screen()
{
    return QGuiApplication::primaryScreen()->geometry();
}

TEST(HTMLHintWindow, OneMarkupLineIsItsTextPlusMargins)
{
    THTMLHintWindow w;
    const QString hint = QStringLiteral("<b>Offset</b> of the variable");
    w.ActivateHint({100, 100, 100, 100}, hint);
    const RizIVUDE::TMarkupResult r = measureMarkup(w, hint, 1008);
    EXPECT_EQ(w.geometry(), QRect(100, 100, r.MarkupWidth + 16, r.MarkupHeight + 4));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.Caption(), hint);
    EXPECT_EQ(w.CalcHintRect(1008, hint, nullptr), (TRect{0, 0, r.MarkupWidth, r.MarkupHeight}));
}

TEST(HTMLHintWindow, WideCodedHintIsOnePlainLinePlusEight)
{
    THTMLHintWindow w;
    // Markup characters in a wide-coded text are shown as they stand.
    const QString text = QStringLiteral("<b>x</b> \u00e9");
    w.ActivateHint({50, 60, 50, 60}, ZirAzur::EncodeWideCellText(text));
    const QFontMetrics fm(w.font(), &w);
    EXPECT_EQ(w.TextWidth(), fm.horizontalAdvance(text));
    EXPECT_EQ(w.geometry(), QRect(50, 60, w.TextWidth() + 8, w.TextHeight() + 4));
    EXPECT_EQ(w.TextHeight(), fm.height());
}

TEST(HTMLHintWindow, LongTextWrapsWithinTheWidestHint)
{
    THTMLHintWindow w;
    const QString hint = QString(QStringLiteral("word ")).repeated(400).trimmed();
    w.ActivateHint({0, 0, 0, 0}, hint);
    const RizIVUDE::TMarkupResult oneLine = measureMarkup(w, QStringLiteral("word"), 1008);
    EXPECT_LE(w.TextWidth(), 1008);
    EXPECT_GT(w.TextHeight(), 3 * oneLine.MarkupHeight);
    const TRect narrow = w.CalcHintRect(200, hint, nullptr);
    EXPECT_LE(narrow.Right, 200);
    EXPECT_GT(narrow.Bottom, w.TextHeight());
}

TEST(HTMLHintWindow, KeptTwoPixelsInsideTheScreen)
{
    THTMLHintWindow w;
    const QRect s = screen();
    w.ActivateHint({s.right() - 5, s.bottom() - 3, s.right() - 5, s.bottom() - 3}, QStringLiteral("Corner hint"));
    const QRect g = w.geometry();
    EXPECT_EQ(g.x() + g.width(), s.x() + s.width() - 2);
    EXPECT_EQ(g.y() + g.height(), s.y() + s.height() - 2);
    EXPECT_EQ(g.width(), w.TextWidth() + 16);
}

TEST(HTMLHintWindow, FrameAndFill)
{
    THTMLHintWindow w;
    w.ActivateHint({10, 10, 10, 10}, QStringLiteral("Frame"));
    const QImage img = w.grab().toImage();
    ASSERT_EQ(img.size(), w.size());
    const int r = img.width() - 1, b = img.height() - 1;
    const QRgb light = platform::toQColor(platform::cl3DLight).rgb();
    const QRgb dark = platform::toQColor(platform::cl3DDkShadow).rgb();
    const QRgb fill = platform::toQColor(platform::clInfoBk).rgb();
    EXPECT_EQ(img.pixel(0, 0), light);
    EXPECT_EQ(img.pixel(0, b - 1), light);
    EXPECT_EQ(img.pixel(r - 1, 0), light);
    EXPECT_EQ(img.pixel(0, b), dark);
    EXPECT_EQ(img.pixel(r - 1, b), dark);
    EXPECT_EQ(img.pixel(r, 0), dark);
    EXPECT_EQ(img.pixel(r, b), dark);
    EXPECT_EQ(img.pixel(1, 1), fill);
    EXPECT_EQ(img.pixel(r - 1, b - 1), fill);
    // The text lies between: something darker than the fill inside.
    int text = 0;
    for (int y = 1; y < b; ++y)
        for (int x = 4; x < r - 4; ++x)
            text += qGray(img.pixel(x, y)) < 128;
    EXPECT_GT(text, 0);
}

TEST(HTMLHintWindow, ImagesOnlyFromAGrid)
{
    TCustomImageList images(16, 16);
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    images.Add(red);
    TQvStringGrid grid;
    grid.GridImages = &images;
    const QString hint = QStringLiteral("<img src=\"IDX:0\"> pic");

    THTMLHintWindow fromOther;
    QWidget other;
    fromOther.ActivateHintData({0, 0, 0, 0}, hint, &other);
    EXPECT_EQ(fromOther.Images(), nullptr);
    const QImage plain = fromOther.grab().toImage();

    THTMLHintWindow fromGrid;
    fromGrid.ActivateHintData({0, 0, 0, 0}, hint, &grid);
    EXPECT_EQ(fromGrid.Images(), &images);
    EXPECT_EQ(fromGrid.TextWidth(), measureMarkup(fromGrid, hint, 1008, &images).MarkupWidth);
    EXPECT_GT(fromGrid.TextWidth(), fromOther.TextWidth());
    const QImage withImage = fromGrid.grab().toImage();
    auto reds = [](const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixel(x, y) == qRgb(255, 0, 0);
        return n;
    };
    EXPECT_GT(reds(withImage), 100);
    EXPECT_EQ(reds(plain), 0);
}

TEST(HTMLHintWindow, ScreenshotToPng)
{
    THTMLHintWindow w;
    w.ActivateHint({20, 20, 20, 20}, QStringLiteral("<b>Offset</b>: byte <font color=\"clRed\">12</font> of the "
                                                    "<u>input</u> map<br>second line"));
    const QImage img = testsupport::takeScreenshot(w, QStringLiteral("grid/HTMLHintWindow.png"));
    // The red "12" is drawn in red.
    int red = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
    EXPECT_GT(red, 0);
    EXPECT_GT(img.height(), 2 * QFontMetrics(w.font()).height());
}

TEST(HTMLHintWindow, GridShowsItsScrollPositionInIt)
{
    TQvStringGrid g;
    g.SetRowCount(200);
    g.ScrollHints = TQvStringGrid::shVertical;
    g.resize(300, 200);
    g.show();
    QApplication::processEvents();
    THTMLHintWindow* hint = g.ScrollHintWindow();
    ASSERT_NE(hint, nullptr);
    QScrollBar* bar = g.verticalScrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(40);
    EXPECT_TRUE(hint->isVisible());
    // The thumb's position is the row; the value follows only on release.
    EXPECT_EQ(hint->Caption(), QStringLiteral("Row : 40"));
    bar->setSliderDown(false);
    EXPECT_FALSE(hint->isVisible());
}

} // namespace
