// The filter drop-down driven as a user does: a click on a filter-row button opens the list at
// its place, Enter picks and closes, a tick keeps the check list open, a click elsewhere or on
// the same button closes it; the look object and the tool window that never takes the focus.

#include "grid/QvGrid.h"
#include "grid/support/GridTestHelpers.h"
#include "support/Screenshots.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace grid;

namespace {

struct FilterGrid : test::ShownGrid<TQvStringGrid> {
    FilterGrid() : test::ShownGrid<TQvStringGrid>(4, 8)
    {
        g.SetFixedRows(1);
        const char* texts[] = {"red", "green", "blue", "red", "dark red", "green", "blue"};
        for (int r = 1; r < 8; ++r) {
            g.SetCells(1, r, QString::fromUtf8(texts[r - 1]));
            g.SetCells(2, r, QString::number(r));
        }
        g.SetCells(1, 0, QStringLiteral("Colour"));
        g.SetFilterDropDownAuto(true);
        QApplication::processEvents();
    }
    // The middle of column ACol's button.
    QPoint button(int ACol)
    {
        const TRect cell = g.CellRect(ACol, 0);
        return {cell.Right - 9, cell.Top + 8};
    }
    void click(QPoint at) { QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, at); }
    QStringList shown()
    {
        QStringList out;
        for (int r = g.FixedRows(); r < g.RowCount(); ++r)
            out << g.Cells(1, r);
        return out;
    }
};

TEST(QvGridFilterDropDown, AClickOnTheButtonOpensTheListAtItsPlaceAndEnterPicks)
{
    FilterGrid f;
    f.click(f.button(1));
    TDropList& list = f.g.FilterDropList();
    ASSERT_TRUE(list.isVisible());
    EXPECT_EQ(f.g.FilterCol, 1);
    const TRect cell = f.g.CellRect(1, 0);
    EXPECT_EQ(list.geometry(), QRect(cell.Right - 16, cell.Top + 16, 150, 150));
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items << list.item(i)->text();
    EXPECT_EQ(items, QStringList({"(All)", "blue", "dark red", "green", "red"}));
    EXPECT_EQ(list.currentRow(), 0);

    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Down); // "dark red"
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(f.g.FilterCol, -1);
    EXPECT_EQ(f.shown(), QStringList({"dark red"}));
}

TEST(QvGridFilterDropDown, AMouseUpInTheListPicksTheItemUnderIt)
{
    FilterGrid f;
    f.click(f.button(1));
    TDropList& list = f.g.FilterDropList();
    ASSERT_TRUE(list.isVisible());
    const QRect blue = list.visualItemRect(list.item(1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, blue.center());
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(f.shown(), QStringList({"blue", "blue"}));
}

TEST(QvGridFilterDropDown, ClicksBesideTheButtonOrOnItAgainCloseTheList)
{
    FilterGrid f;
    const TRect cell = f.g.CellRect(1, 0);
    // Left of the button, right of it (the last 2 pixels), below it: no list.
    for (QPoint at : {QPoint(cell.Right - 18, cell.Top + 8), QPoint(cell.Right - 1, cell.Top + 8)}) {
        f.click(at);
        EXPECT_FALSE(f.g.FilterDropList().isVisible()) << at.x();
    }
    f.click(f.button(1));
    ASSERT_TRUE(f.g.FilterDropList().isVisible());
    f.click(f.button(1));
    EXPECT_FALSE(f.g.FilterDropList().isVisible());
    EXPECT_EQ(f.g.FilterCol, -1);
    f.click(f.button(1));
    ASSERT_TRUE(f.g.FilterDropList().isVisible());
    f.click(QPoint(300, 100)); // a normal cell
    EXPECT_FALSE(f.g.FilterDropList().isVisible());
    EXPECT_EQ(f.g.FilterCol, -1);
    // The fixed column gets no button unless all columns do.
    f.click(f.button(0));
    EXPECT_FALSE(f.g.FilterDropList().isVisible());
    f.g.FilterDropDownColumns = fdAll;
    f.click(f.button(0));
    EXPECT_TRUE(f.g.FilterDropList().isVisible());
}

TEST(QvGridFilterDropDown, ATickRebuildsTheFilterAndKeepsTheCheckListOpen)
{
    FilterGrid f;
    f.g.FilterDropDownCheck = true;
    f.click(f.button(1));
    TDropCheckList& list = f.g.FilterDropCheckList();
    ASSERT_TRUE(list.isVisible());
    EXPECT_FALSE(f.g.FilterDropList().isVisible());
    list.SetChecked(4, true); // red
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(f.shown(), QStringList({"red", "red"}));
    list.SetChecked(1, true); // blue
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(f.shown(), QStringList({"red", "blue", "red", "blue"}));

    // Opening again shows the ticks the conditions give.
    f.click(f.button(1));
    EXPECT_FALSE(list.isVisible());
    f.click(f.button(1));
    ASSERT_TRUE(list.isVisible());
    EXPECT_TRUE(list.Checked(1));
    EXPECT_TRUE(list.Checked(4));
    EXPECT_FALSE(list.Checked(3));

    QImage shot(f.g.size(), QImage::Format_RGB32);
    f.g.render(&shot);
    ASSERT_TRUE(testsupport::saveScreenshot(shot, QStringLiteral("grid/QvGridFilterDropDown.png")));
}

TEST(QvGridFilterDropDown, SizeFromTheItemsAndAListThatWouldPassTheRightEdge)
{
    FilterGrid f;
    f.g.FilterDropDown().AutoSize = true;
    f.click(f.button(1));
    TDropList& list = f.g.FilterDropList();
    ASSERT_TRUE(list.isVisible());
    const QFontMetrics fm(list.font());
    EXPECT_EQ(list.height(), list.count() * list.sizeHintForRow(0) + 4);
    EXPECT_EQ(list.width(), 4 + fm.horizontalAdvance(QStringLiteral("dark red")) + 8);
    f.click(f.button(1));

    // The last column reaches past the grid: the list ends with the column.
    f.g.FilterDropDown().AutoSize = false;
    f.g.SetColWidths(3, 700);
    f.g.SetCells(3, 1, QStringLiteral("v"));
    f.click(f.button(3));
    ASSERT_TRUE(list.isVisible());
    const TRect cell = f.g.CellRect(3, 0);
    EXPECT_EQ(list.geometry().right() + 1, cell.Right);
}

TEST(QvGridFilterDropDown, TheLookRepaintsTheGridOnAGlyphChangeAndCopies)
{
    FilterGrid f;
    TFilterDropDown& look = f.g.FilterDropDown();
    EXPECT_EQ(look.Width, 150);
    EXPECT_EQ(look.Height, 150);
    EXPECT_EQ(look.Color, platform::clWindow);
    int changes = 0;
    TFilterDropDown other;
    other.OnChange = [&] { ++changes; };
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Qt::red);
    look.SetGlyph(TBitmap(img));
    look.ColumnWidth = true;
    other.Assign(look);
    EXPECT_TRUE(other.ColumnWidth);
    EXPECT_EQ(other.Glyph().Image, img);
    EXPECT_EQ(changes, 2); // both glyphs are assigned
}

TEST(QvGridFilterDropDown, TheToolWindowNeverTakesTheFocus)
{
    FilterGrid f;
    f.g.activateWindow();
    f.g.setFocus();
    TNoActiveForm form(&f.g);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(form.testAttribute(Qt::WA_ShowWithoutActivating));
    form.resize(40, 20);
    form.show();
    QApplication::processEvents();
    EXPECT_NE(QApplication::focusWidget(), &form);
}

} // namespace
