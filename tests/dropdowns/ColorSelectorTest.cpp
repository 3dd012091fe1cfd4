// The discrete colour selector: the palette's layout, selection by colour, the key table, the
// mouse, and each frame shape drawn with its open and closed sides.

#include "dropdowns/ColorSelector.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

using namespace dropdowns;

namespace {

TColor at(const QImage& img, int x, int y)
{
    return platform::fromQColor(QColor(img.pixel(x, y)));
}

constexpr TColor kBack = 0x102030;

class Palette : public ::testing::Test {
protected:
    void SetUp() override
    {
        palette.FillOfficePalette();
        palette.LayoutItems();
        palette.OnItemSelect = [this](QObject*) { ++selects; };
    }

    TCustomColorSelector palette;
    int selects = 0;
};

} // namespace

TEST_F(Palette, TheBoxesLieInTenColumnsWithTheBaseRowApartFromTheStrips)
{
    ASSERT_EQ(palette.Items().Count(), 60);
    EXPECT_EQ(palette.size(), QSize(165, 84));
    const int rowsY[] = {4, 20, 32, 44, 56, 68};
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 10; ++col) {
            SCOPED_TRACE(row * 10 + col);
            const TRect r = palette.GetItemRect(row * 10 + col);
            EXPECT_EQ(r, (TRect{4 + 16 * col, rowsY[row], 16 + 16 * col, rowsY[row] + 12}));
        }
    EXPECT_EQ(palette.Items().Items(0).ColorBoxPos(), ipStandAlone);
    EXPECT_EQ(palette.Items().Items(10).ColorBoxPos(), ipTop);
    EXPECT_EQ(palette.Items().Items(35).ColorBoxPos(), ipMiddle);
    EXPECT_EQ(palette.Items().Items(59).ColorBoxPos(), ipBottom);
    EXPECT_EQ(palette.Items().Items(59).Color(), 0x064897u);
    EXPECT_EQ(palette.GetItemRect(60), (TRect{-1, -1, -1, -1}));
}

TEST(PaletteEmpty, APanelWithoutBoxesIsOneHundredByFifty)
{
    TCustomColorSelector empty;
    empty.LayoutItems();
    EXPECT_EQ(empty.size(), QSize(100, 50));
}

TEST_F(Palette, SelectedColorTakesTheFirstBoxOfThatColour)
{
    palette.SetSelectedColor(0x7F7F7F);
    EXPECT_EQ(palette.ItemIndex(), 11);
    EXPECT_EQ(selects, 1);
    // Unchanged: nothing.
    palette.SetSelectedColor(0x7F7F7F);
    EXPECT_EQ(selects, 1);
    for (TColor cleared : {platform::clNone, TColor(0x123456)}) {
        palette.SetSelectedColor(0x7F7F7F);
        palette.SetItemIndex(11);
        palette.SetSelectedColor(cleared);
        EXPECT_EQ(palette.ItemIndex(), -1);
        EXPECT_EQ(palette.SelectedColor(), cleared);
    }
}

TEST_F(Palette, ItemIndexRefusesADisabledBoxAndReportsAReselection)
{
    palette.Items().Items(3).SetEnabled(false);
    palette.SetItemIndex(3);
    EXPECT_EQ(palette.ItemIndex(), -1);
    EXPECT_EQ(selects, 0);
    palette.SetItemIndex(4);
    palette.SetItemIndex(4);
    EXPECT_EQ(selects, 2);
    EXPECT_EQ(palette.SelectedColor(), 0xBD814Fu);
}

TEST_F(Palette, HandleKeyMovesTheSelectionByTheTable)
{
    struct Case {
        const char* name;
        int from;
        int key;
        bool editor, dropped;
        int to;
    };
    // clang-format off
    const Case cases[] = {
        {"PageUp",            25, Qt::Key_PageUp,   false, true,  0},
        {"Home",              25, Qt::Key_Home,     false, false, 0},
        {"PageDown",          25, Qt::Key_PageDown, false, true,  59},
        {"End",               25, Qt::Key_End,      false, false, 59},
        {"Left",              25, Qt::Key_Left,     false, true,  24},
        {"Right",             25, Qt::Key_Right,    false, false, 26},
        {"Left typing closed",25, Qt::Key_Left,     true,  false, 25},
        {"Right typing closed",25,Qt::Key_Right,    true,  false, 25},
        {"Right typing open", 25, Qt::Key_Right,    true,  true,  26},
        {"Up open",           25, Qt::Key_Up,       false, true,  15},
        {"Up closed",         25, Qt::Key_Up,       false, false, 24},
        {"Down open",         25, Qt::Key_Down,     false, true,  35},
        {"Down closed",       25, Qt::Key_Down,     false, false, 26},
        {"Up first row",       5, Qt::Key_Up,       false, true,  5},
        {"Down last row",     55, Qt::Key_Down,     false, true,  55},
        {"Down from none",    -1, Qt::Key_Down,     false, true,  0},
        {"Up from none",      -1, Qt::Key_Up,       false, true,  0},
        {"Next from none",    -1, Qt::Key_Right,    false, true,  0},
        {"Previous at first",  0, Qt::Key_Left,     false, true,  0},
        {"Other key",         25, Qt::Key_A,        false, true,  25},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        palette.SetItemIndex(-1);
        palette.SetItemIndex(c.from);
        palette.HandleKey(c.key, c.editor, c.dropped);
        EXPECT_EQ(palette.ItemIndex(), c.to);
    }
    palette.SetItemIndex(25);
    palette.setEnabled(false);
    palette.HandleKey(Qt::Key_Home, false, true);
    EXPECT_EQ(palette.ItemIndex(), 25);
}

TEST_F(Palette, TheHotBoxFollowsTheMouseAndAPressSelects)
{
    palette.show();
    (void)QTest::qWaitForWindowExposed(&palette);
    QTest::mouseMove(&palette, QPoint(40, 25)); // box 12
    EXPECT_EQ(palette.ItemHot(), 12);
    QTest::mouseMove(&palette, QPoint(40, 17)); // the gap under the base row
    EXPECT_EQ(palette.ItemHot(), -1);
    palette.HotNext();
    EXPECT_EQ(palette.ItemHot(), 0);
    palette.HotPrevious();
    EXPECT_EQ(palette.ItemHot(), 0);
    QTest::mouseClick(&palette, Qt::RightButton, {}, QPoint(148, 68));
    EXPECT_EQ(palette.ItemIndex(), 59);
    EXPECT_EQ(selects, 1);
    // Edges: left and top inside, right and bottom outside.
    EXPECT_EQ(palette.ItemAtPos(4, 4), 0);
    EXPECT_EQ(palette.ItemAtPos(16, 4), -1);
    EXPECT_EQ(palette.ItemAtPos(15, 15), 0);
    EXPECT_EQ(palette.ItemAtPos(15, 16), -1);
}

TEST_F(Palette, AllNamedStylesLoadTheDefaultFrameColoursAndCustomKeepsThem)
{
    palette.ColorBoxAppearance().SetBorderColor(0x111111);
    palette.SetItemColorStyle(scCustom);
    EXPECT_EQ(palette.ColorBoxAppearance().BorderColor(), 0x111111u);
    palette.SetItemColorStyle(scWindows7);
    EXPECT_EQ(palette.ColorBoxAppearance().BorderColor(), 0xC5C5C5u);
    EXPECT_EQ(palette.ColorBoxAppearance().OuterBorderColorSelected(), 0x0000FFu);
}

// One box of each shape, alone on a panel, red inside a black border: a closed side shows the
// border colour on the line just outside the fill (right and bottom) or on the fill's first line
// (left and top); an open side shows the fill or the background there.
TEST(ColorBoxFrames, EachShapeClosesItsOwnSides)
{
    struct Case {
        TItemPos pos;
        bool top, bottom;
    };
    for (const Case& c : {Case{ipStandAlone, true, true}, Case{ipTop, true, false}, Case{ipMiddle, false, false},
                          Case{ipBottom, false, true}}) {
        SCOPED_TRACE(int(c.pos));
        TCustomColorSelector one;
        one.SetColor(kBack);
        TColorBoxItem& box = one.Items().Add();
        box.SetColor(platform::clRed);
        box.SetColorBoxPos(c.pos);
        one.ColorBoxAppearance().SetBorderColor(platform::clBlack);
        one.LayoutItems();
        const TRect r = one.GetItemRect(0);
        ASSERT_EQ(r, (TRect{4, 4, 16, 16}));
        QImage img(one.size(), QImage::Format_RGB32);
        one.render(&img);
        const int midX = 10, midY = 10;
        EXPECT_EQ(at(img, r.Left, midY), platform::clBlack);
        EXPECT_EQ(at(img, r.Right, midY), platform::clBlack);
        EXPECT_EQ(at(img, midX, r.Top), c.top ? platform::clBlack : platform::clRed);
        EXPECT_EQ(at(img, midX, r.Bottom), c.bottom ? platform::clBlack : kBack);
        EXPECT_EQ(at(img, midX, midY), platform::clRed);
    }
}

TEST(ColorBoxFrames, TheSelectedBoxIsFramedOuterThenInnerAndWinsOverHot)
{
    TCustomColorSelector one;
    one.SetColor(kBack);
    TColorBoxItem& box = one.Items().Add();
    box.SetColor(platform::clLime);
    one.LayoutItems();
    one.SetItemHot(0);
    one.SetItemIndex(0);
    QImage img(one.size(), QImage::Format_RGB32);
    one.render(&img);
    EXPECT_EQ(at(img, 4, 10), 0x0000FFu);
    EXPECT_EQ(at(img, 5, 10), 0x94E2FFu);
    EXPECT_EQ(at(img, 15, 10), 0x0000FFu);
    EXPECT_EQ(at(img, 10, 10), platform::clLime);
    one.SetItemIndex(-1);
    img.fill(0);
    one.render(&img);
    EXPECT_EQ(at(img, 4, 10), 0x3694F2u);
}
