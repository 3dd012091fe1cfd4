// The colour cube and the spectrum panel driven with the mouse: the honeycomb's rows, centres
// and colours, the hit circle, selection by colour, the RGB hint, the outlines in a rendering;
// the spectrum's layout, its picture and cursor, the hot box following the mouse and a press
// choosing the pixel under it.

#include "dropdowns/ColorPanels.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace dropdowns;

namespace {

TColor at(const QImage& img, int x, int y)
{
    return platform::fromQColor(QColor(img.pixel(x, y)));
}

QImage render(QWidget& w)
{
    QImage img(w.size(), QImage::Format_RGB32);
    img.fill(Qt::gray);
    w.render(&img);
    return img;
}

// The cell numbers of each row, from the first cell's centre.
struct RowCase {
    int row, first, count, y, firstX;
};

} // namespace

// ---- cube ------------------------------------------------------------------------------------

TEST(ColorCube, RowsHoldSixPlusRThenTwentyMinusRCellsOnAHoneycomb)
{
    TQvColorCubePanel cube;
    EXPECT_EQ(cube.size(), QSize(182, 160));
    // clang-format off
    const RowCase rows[] = {
        {1, 1, 7, 20, 55},  {2, 8, 8, 30, 49},  {3, 16, 9, 40, 43},  {4, 25, 10, 50, 37},
        {5, 35, 11, 60, 31}, {6, 46, 12, 70, 25}, {7, 58, 13, 80, 19}, {8, 71, 12, 90, 25},
        {9, 83, 11, 100, 31}, {10, 94, 10, 110, 37}, {11, 104, 9, 120, 43}, {12, 113, 8, 130, 49},
        {13, 121, 7, 140, 55},
    };
    // clang-format on
    int total = 0;
    for (const RowCase& r : rows) {
        SCOPED_TRACE(r.row);
        for (int i = 0; i < r.count; ++i) {
            const auto& cell = cube.Cell(r.first + i);
            EXPECT_EQ(cell.Y, r.y);
            EXPECT_EQ(cell.X, r.firstX + 12 * i);
        }
        total += r.count;
    }
    EXPECT_EQ(total, TQvColorCubePanel::kCellCount);
    EXPECT_EQ(cube.Cell(70).X, 163);
    EXPECT_EQ(cube.Cell(7).X, 127);
    EXPECT_EQ(cube.Cell(127).X, 127);
    EXPECT_THROW(cube.Cell(0), std::out_of_range);
    EXPECT_THROW(cube.Cell(128), std::out_of_range);
}

TEST(ColorCube, CellColoursAtTheEndsAndTheMiddle)
{
    TQvColorCubePanel cube;
    EXPECT_EQ(cube.Cell(1).Color, 0x663300u);
    EXPECT_EQ(cube.Cell(64).Color, 0xFFFFFFu);
    EXPECT_EQ(cube.Cell(127).Color, 0x2100A5u);
    EXPECT_EQ(cube.Cell(58).Color, 0x003300u);
    EXPECT_EQ(cube.Cell(103).Color, 0x663399u);
}

TEST(ColorCube, SelectedColorSelectsTheFirstCellOfThatColourOrNone)
{
    TQvColorCubePanel cube;
    EXPECT_EQ(cube.SelectedIndex(), -1);
    cube.SetSelectedColor(0xFFFFFF);
    EXPECT_EQ(cube.SelectedIndex(), 64);
    cube.SetSelectedColor(0x123456);
    EXPECT_EQ(cube.SelectedIndex(), -1);
    EXPECT_EQ(cube.SelectedColor(), 0x123456u);
    // A cell number given wins over the colour.
    cube.SelectCubeCell(0x000000, 5);
    EXPECT_EQ(cube.SelectedIndex(), 5);
}

TEST(ColorCube, APointExactlyWPixelsFromACentreHitsAndTheLowerNumberWins)
{
    TQvColorCubePanel cube;
    const auto& c = cube.Cell(1);
    EXPECT_EQ(cube.CellAtPos(c.X, c.Y), 1);
    EXPECT_EQ(cube.CellAtPos(c.X - 6, c.Y), 1);
    EXPECT_EQ(cube.CellAtPos(c.X, c.Y - 6), 1);
    EXPECT_EQ(cube.CellAtPos(c.X - 7, c.Y), -1);
    EXPECT_EQ(cube.CellAtPos(c.X - 5, c.Y - 4), -1);
    // Midway between cells 1 and 2 both circles reach (6 px each): cell 1 wins.
    EXPECT_EQ(cube.CellAtPos(c.X + 6, c.Y), 1);
    // Between cell 1 and cell 9 below it (centres 6 apart in x, 10 in y) the upper one wins.
    const auto& below = cube.Cell(9);
    EXPECT_EQ(cube.CellAtPos((c.X + below.X) / 2, (c.Y + below.Y) / 2), 1);
    EXPECT_EQ(cube.CellAtPos(0, 0), -1);
}

class CubeMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        cube.OnSelect = [this](QObject*) { ++selects; };
        cube.FOnShouldHide = [this](QObject*) { ++hides; };
        cube.show();
        (void)QTest::qWaitForWindowExposed(&cube);
    }
    QPoint centre(int cell) const { return {cube.Cell(cell).X, cube.Cell(cell).Y}; }

    TQvColorCubePanel cube;
    int selects = 0;
    int hides = 0;
};

TEST_F(CubeMouse, MovingOverACellMakesItHotAndSetsTheRgbHint)
{
    QTest::mouseMove(&cube, centre(13));
    EXPECT_EQ(cube.HotIndex(), 13);
    // 0xFF0000 is blue 255, green 0, red 0.
    EXPECT_EQ(cube.toolTip(), QStringLiteral("Red: 0,  Green: 0,  Blue: 255"));
    QTest::mouseMove(&cube, centre(64));
    EXPECT_EQ(cube.HotIndex(), 64);
    EXPECT_EQ(cube.toolTip(), QStringLiteral("Red: 255,  Green: 255,  Blue: 255"));
    // Off the cells the hint empties and the hot cell keeps its mark.
    QTest::mouseMove(&cube, QPoint(2, 2));
    EXPECT_EQ(cube.HotIndex(), 64);
    EXPECT_EQ(cube.toolTip(), QString());
}

TEST_F(CubeMouse, WithTheRgbHintOffTheHintIsNeverChanged)
{
    cube.SetShowRGBHint(false);
    EXPECT_FALSE(cube.ShowHint());
    cube.setToolTip(QStringLiteral("mine"));
    QTest::mouseMove(&cube, centre(13));
    EXPECT_EQ(cube.HotIndex(), 13);
    QTest::mouseMove(&cube, QPoint(2, 2));
    EXPECT_EQ(cube.toolTip(), QStringLiteral("mine"));
}

TEST_F(CubeMouse, APressSelectsTheCellAgainEvenWhenItIsSelectedAndTheReleaseAsksToHide)
{
    QTest::mouseClick(&cube, Qt::LeftButton, {}, centre(64));
    EXPECT_EQ(cube.SelectedIndex(), 64);
    EXPECT_EQ(cube.SelectedColor(), 0xFFFFFFu);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(hides, 1);
    QTest::mouseClick(&cube, Qt::RightButton, {}, centre(64));
    EXPECT_EQ(selects, 2);
    // Beside the cells a press chooses nothing, the release still asks to hide.
    QTest::mouseClick(&cube, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(selects, 2);
    EXPECT_EQ(cube.SelectedIndex(), 64);
    EXPECT_EQ(hides, 3);
}

TEST_F(CubeMouse, ResetCubeClearsTheHotCell)
{
    QTest::mouseMove(&cube, centre(20));
    cube.resize(10, 10);
    cube.ResetCube();
    EXPECT_EQ(cube.HotIndex(), -1);
    EXPECT_EQ(cube.size(), QSize(182, 160));
}

TEST(ColorCubePaint, CellsFillTheirHexagonsAndTheMarksOutlineThem)
{
    TQvColorCubePanel cube;
    cube.SetColor(platform::clBtnFace);
    cube.SetSelectedColor(0xFFFFFF); // cell 64 at (91, 80)
    cube.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cube));
    QTest::mouseMove(&cube, QPoint(cube.Cell(13).X, cube.Cell(13).Y));
    const QImage img = render(cube);
    for (int cell : {1, 13, 64, 100, 127}) {
        SCOPED_TRACE(cell);
        EXPECT_EQ(at(img, cube.Cell(cell).X, cube.Cell(cell).Y), cube.Cell(cell).Color);
    }
    // Outlines: the outer at x - (W - 1) on the centre row, the inner one pixel further in.
    const auto& sel = cube.Cell(64);
    EXPECT_EQ(at(img, sel.X - 5, sel.Y), platform::clBlack);
    EXPECT_EQ(at(img, sel.X - 4, sel.Y), platform::clWhite);
    const auto& hot = cube.Cell(13);
    EXPECT_EQ(at(img, hot.X - 5, hot.Y), platform::clRed);
    EXPECT_EQ(at(img, hot.X - 4, hot.Y), platform::clWhite);
    // The panel's corner is its background.
    EXPECT_EQ(at(img, 1, 1), platform::colorToRGB(platform::clBtnFace));
}

// ---- spectrum --------------------------------------------------------------------------------

TEST(ColorSpectrum, TheLayoutPlacesThePictureAndTheTwoBoxes)
{
    TQvColorSpectrumPanel panel;
    EXPECT_EQ(panel.size(), QSize(150, 174));
    EXPECT_EQ(panel.SpectrumImage()->geometry(), QRect(11, 10, 128, 128));
    EXPECT_EQ(panel.SelectedRect(), (TRect{10, 146, 73, 166}));
    EXPECT_EQ(panel.HotRect(), (TRect{77, 146, 140, 166}));
    EXPECT_EQ(panel.HotColor(), platform::clNone);
    EXPECT_EQ(panel.SelectedColor(), platform::clWhite);
}

TEST(ColorSpectrum, ThePictureRunsTheHuesFromWhiteThroughFullColourToBlack)
{
    const QImage& img = TQvColorSpectrumPanel::SpectrumBitmap();
    ASSERT_EQ(img.size(), QSize(128, 128));
    EXPECT_EQ(img.depth(), 24);
    // Row 64 holds the full colours: red at the left, the hue going round once.
    EXPECT_EQ(at(img, 0, 64), platform::clRed);
    EXPECT_EQ(QColor(img.pixel(43, 64)).hsvHue() / 10, 12);
    EXPECT_EQ(QColor(img.pixel(85, 64)).hsvHue() / 10, 23);
    for (int x : {0, 40, 90, 127}) {
        SCOPED_TRACE(x);
        const QColor top(img.pixel(x, 0)), bottom(img.pixel(x, 127));
        EXPECT_GE(std::min({top.red(), top.green(), top.blue()}), 245);
        EXPECT_LT(std::min({top.red(), top.green(), top.blue()}), 255);
        EXPECT_LE(std::max({bottom.red(), bottom.green(), bottom.blue()}), 8);
        EXPECT_GT(std::max({bottom.red(), bottom.green(), bottom.blue()}), 0);
    }
}

TEST(ColorSpectrum, ThePictureShowsTheEyedropperWithItsTipAsHotSpot)
{
    TQvColorSpectrumPanel panel;
    const QCursor c = panel.SpectrumImage()->cursor();
    EXPECT_EQ(c.hotSpot(), QPoint(1, 30));
    const QImage img = c.pixmap().toImage();
    ASSERT_EQ(img.size(), QSize(32, 32));
    EXPECT_NE(qAlpha(img.pixel(3, 27)), 0);
    EXPECT_EQ(qAlpha(img.pixel(30, 30)), 0);
}

class SpectrumMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel.OnSelect = [this](QObject*) { ++selects; };
        panel.FOnShouldHide = [this](QObject*) { ++hides; };
        panel.show();
        (void)QTest::qWaitForWindowExposed(&panel);
    }
    TColor pixel(QPoint p) const { return platform::fromQColor(TQvColorSpectrumPanel::SpectrumBitmap().pixelColor(p)); }

    TQvColorSpectrumPanel panel;
    int selects = 0;
    int hides = 0;
};

TEST_F(SpectrumMouse, TheHotBoxFollowsThePixelUnderTheMouse)
{
    QWidget* picture = panel.SpectrumImage();
    for (QPoint p : {QPoint(5, 64), QPoint(70, 20), QPoint(120, 100)}) {
        QTest::mouseMove(picture, p);
        EXPECT_EQ(panel.HotColor(), pixel(p));
        const QImage img = render(panel);
        EXPECT_EQ(at(img, 108, 156), pixel(p));
        EXPECT_EQ(at(img, 77, 146), platform::clWhite);
        EXPECT_EQ(at(img, 76, 145), 0x808080u);
    }
}

TEST_F(SpectrumMouse, APressWithoutAMoveChoosesThePixelUnderIt)
{
    panel.ArrangeSpectrum();
    QWidget* picture = panel.SpectrumImage();
    const QPoint p(30, 64);
    QTest::mousePress(picture, Qt::LeftButton, {}, p);
    EXPECT_EQ(panel.SelectedColor(), pixel(p));
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(hides, 0);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, p);
    EXPECT_EQ(hides, 1);
    const QImage img = render(panel);
    EXPECT_EQ(at(img, 40, 156), pixel(p));
    // The frames around the picture: white, then grey.
    EXPECT_EQ(at(img, 10, 50), platform::clWhite);
    EXPECT_EQ(at(img, 9, 50), 0x808080u);
    EXPECT_EQ(at(img, 11 + 64, 10 + 64), pixel(QPoint(64, 64)));
}
