// The grid's mouse driven the way a user clicks: cell selection and the click events, data
// check boxes and cell check boxes, header double-click auto-size, fixed-column and column
// sizing, and links opened only for web and mail addresses.

#include "grid/QvCGrid.h"
#include "grid/paint/GridPaint.h"

#include "support/FakeShell.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

using namespace grid;

namespace {

template <class Grid>
struct MouseWindow {
    MouseWindow()
    {
        grid.resize(600, 400);
        grid.SetColCount(6);
        grid.SetRowCount(10);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
        QApplication::processEvents();
    }
    QPoint centre(int col, int row) const { return grid.CellRect(col, row).toQRect().center(); }
    void click(int col, int row, Qt::KeyboardModifiers m = {}) { clickAt(centre(col, row), m); }
    void clickAt(QPoint p, Qt::KeyboardModifiers m = {})
    {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, m, p);
        QApplication::processEvents();
    }
    void doubleClickAt(QPoint p)
    {
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, p);
        QApplication::processEvents();
    }
    // Press, move with the button held, release: sent as the window system sends them.
    void drag(QPoint from, QPoint to)
    {
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    void send(QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons bs)
    {
        QMouseEvent e(t, QPointF(p), grid.viewport()->mapToGlobal(QPointF(p)), b, bs, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &e);
        QApplication::processEvents();
    }
    Grid grid;
};

} // namespace

TEST(GridInputMouse, ClickSelectsTheCellAndReportsRowThenColumn)
{
    MouseWindow<TQvStringGrid> w;
    std::vector<std::pair<int, int>> clicks;
    w.grid.OnClickCell = [&](TQvStringGrid*, int r, int c) { clicks.emplace_back(r, c); };
    w.click(3, 4);
    EXPECT_EQ(w.grid.Col(), 3);
    EXPECT_EQ(w.grid.Row(), 4);
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{4, 3}}));

    // A window's click handler selects the row whose number cell was clicked.
    w.grid.OnClickCell = [&](TQvStringGrid* g, int r, int c) {
        clicks.emplace_back(r, c);
        if (c == 0 && r >= g->FixedRows())
            g->SelectRows(r, 1);
    };
    w.click(0, 6);
    EXPECT_EQ(clicks.back(), std::make_pair(6, 0));
    EXPECT_EQ(w.grid.Row(), 6);
    EXPECT_EQ(w.grid.Selection().Top, 6);
    EXPECT_EQ(w.grid.Selection().Bottom, 6);
}

TEST(GridInputMouse, RefusedClickChangesNothing)
{
    MouseWindow<TQvStringGrid> w;
    w.grid.AddCheckBox(2, 5, false, false);
    w.grid.PaintSettings().ControlLook.SetCheckAlwaysActive(true);
    int clicks = 0;
    w.grid.OnClickCell = [&](TQvStringGrid*, int, int) { ++clicks; };
    w.grid.OnCanClickCell = [](TQvStringGrid*, int, int, bool& allow) { allow = false; };
    w.click(3, 4);
    w.click(2, 5);
    EXPECT_EQ(w.grid.Col(), 1);
    EXPECT_EQ(w.grid.Row(), 1);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(w.grid.IsChecked(2, 5));
}

TEST(GridInputMouse, DataCheckBoxToggledByClickAndSpaceWithoutAnEditor)
{
    struct Case {
        QString before;
        QString after;
        bool state;
    };
    const Case cases[] = {{"Y", "N", false}, {"N", "Y", true}, {"", "Y", true}, {"x", "Y", true}};
    for (bool bySpace : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE((bySpace ? "Space on " : "click on ") + c.before.toStdString());
            MouseWindow<TQvColumnGrid> w;
            w.grid.Columns()[2].SetEditor(edDataCheckBox);
            w.grid.SetCells(2, 3, c.before);
            QStringList events;
            w.grid.OnCheckBoxChange = [&](TQvStringGrid*, int col, int row, bool s) {
                events << QStringLiteral("change c%1 r%2 %3").arg(col).arg(row).arg(s);
            };
            w.grid.OnCheckBoxClick = [&](TQvStringGrid*, int col, int row, bool s) {
                events << QStringLiteral("click c%1 r%2 %3").arg(col).arg(row).arg(s);
            };
            if (bySpace) {
                w.click(2, 3);
                events.clear();
                w.grid.SetCells(2, 3, c.before); // the click toggled it once already
                QTest::keyClick(&w.grid, Qt::Key_Space);
            } else {
                w.click(2, 3);
            }
            EXPECT_EQ(w.grid.Cells(2, 3), c.after);
            EXPECT_EQ(events, QStringList({QStringLiteral("change c2 r3 %1").arg(c.state),
                                           QStringLiteral("click c2 r3 %1").arg(c.state)}));
            EXPECT_FALSE(w.grid.EditorMode());
            EXPECT_EQ(w.grid.Col(), 2);
            EXPECT_EQ(w.grid.Row(), 3);
        }
    }
}

TEST(GridInputMouse, ReadOnlyDataCheckBoxColumnIsNotToggled)
{
    MouseWindow<TQvColumnGrid> w;
    w.grid.Columns()[2].SetEditor(edDataCheckBox);
    w.grid.Columns()[2].SetReadOnly(true);
    w.grid.SetCells(2, 3, "Y");
    w.click(2, 3);
    EXPECT_EQ(w.grid.Cells(2, 3), "Y");
}

TEST(GridInputMouse, CellCheckBoxOfAPlainGridNeedsEditingOrAlwaysActive)
{
    struct Case {
        const char* name;
        bool editing;
        bool alwaysActive;
        bool toggles;
    };
    const Case cases[] = {
        {"neither", false, false, false},
        {"editing", true, false, true},
        {"always active", false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MouseWindow<TQvStringGrid> w;
        w.grid.AddCheckBox(2, 3, false, false);
        if (c.editing)
            w.grid.SetOptions(w.grid.Options() | goEditing);
        w.grid.PaintSettings().ControlLook.SetCheckAlwaysActive(c.alwaysActive);
        w.click(2, 3);
        EXPECT_EQ(w.grid.IsChecked(2, 3), c.toggles);
    }
}

TEST(GridInputMouse, HeaderBorderDoubleClickSizesTheColumnAndIsNoCellDoubleClick)
{
    MouseWindow<TQvStringGrid> w;
    w.grid.SetOptions(w.grid.Options() | goColSizing);
    w.grid.SetCells(2, 4, "a rather long text that needs a wide column");
    std::vector<std::pair<int, int>> dbl;
    std::vector<int> ended;
    w.grid.OnDblClickCell = [&](TQvStringGrid*, int r, int c) { dbl.emplace_back(r, c); };
    w.grid.OnEndColumnSize = [&](TQvStringGrid*, int c) { ended.push_back(c); };
    const int before = w.grid.ColWidths(2);
    const TRect header = w.grid.CellRect(2, 0);
    // Within 3 pixels right of the border between columns 2 and 3: column 2 is sized.
    w.doubleClickAt(QPoint(header.Right + 2, 5));
    EXPECT_GT(w.grid.ColWidths(2), before);
    EXPECT_TRUE(dbl.empty());
    EXPECT_EQ(ended.back(), 2);

    // Away from the border the double click is the window's.
    w.doubleClickAt(w.centre(1, 0));
    w.doubleClickAt(w.centre(3, 5));
    EXPECT_EQ(dbl, (std::vector<std::pair<int, int>>{{0, 1}, {5, 3}}));

    // The option off: the header double click is an ordinary one.
    w.grid.MouseActions().SetAutoSizeColOnDblClick(false);
    w.grid.SetColWidths(2, 40);
    w.doubleClickAt(QPoint(w.grid.CellRect(2, 0).Right + 2, 5));
    EXPECT_EQ(w.grid.ColWidths(2), 40);
    EXPECT_EQ(dbl.size(), 3u);
}

TEST(GridInputMouse, FixedColumnSizingNeverLeavesAZeroWidth)
{
    struct Case {
        const char* name;
        int releaseX;
        int expected;
    };
    const Case cases[] = {
        {"wider", 100, 100}, {"narrower", 30, 30}, {"left of the column", -20, 1}, {"on its left edge", 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MouseWindow<TQvStringGrid> w;
        w.grid.MouseActions().SetSizeFixedCol(true);
        std::vector<int> ended;
        w.grid.OnEndColumnSize = [&](TQvStringGrid*, int col) { ended.push_back(col); };
        const TRect cell = w.grid.CellRect(0, 4);
        const QPoint border(w.grid.ColWidths(0), cell.Top + 5);
        w.send(QEvent::MouseMove, border, Qt::NoButton, Qt::NoButton); // arms the sizing
        w.send(QEvent::MouseButtonPress, border, Qt::LeftButton, Qt::LeftButton);
        w.send(QEvent::MouseMove, QPoint(c.releaseX, cell.Top + 5), Qt::NoButton, Qt::LeftButton);
        w.send(QEvent::MouseButtonRelease, QPoint(c.releaseX, cell.Top + 5), Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(w.grid.ColWidths(0), c.expected);
        EXPECT_EQ(ended, std::vector<int>{0});
        EXPECT_EQ(w.grid.Col(), 1); // the press sized; it selected nothing
        EXPECT_EQ(w.grid.Row(), 1);
    }
}

TEST(GridInputMouse, SizingOneColumnResizesAllInProportion)
{
    MouseWindow<TQvStringGrid> w;
    w.grid.SetColCount(3);
    w.grid.SetOptions(w.grid.Options() | goColSizing);
    w.grid.MouseActions().SetAllColumnSize(true);
    w.grid.SetColWidths(0, 60);
    w.grid.SetColWidths(1, 80);
    w.grid.SetColWidths(2, 100);
    const TRect c1 = w.grid.CellRect(1, 0);
    w.drag(QPoint(c1.Right, 5), QPoint(c1.Left + 120, 5));
    EXPECT_EQ(w.grid.ColWidths(1), 120);
    EXPECT_EQ(w.grid.ColWidths(2), 150);
    EXPECT_EQ(w.grid.ColWidths(0), 60);
}

TEST(GridInputMouse, UpdateColumnSizeHookHasTheLastWord)
{
    MouseWindow<TQvStringGrid> w;
    w.grid.SetOptions(w.grid.Options() | goColSizing);
    w.grid.OnUpdateColumnSize = [](TQvStringGrid*, int, int& width) { width = std::min(width, 90); };
    const TRect c1 = w.grid.CellRect(1, 0);
    w.drag(QPoint(c1.Right, 5), QPoint(c1.Left + 150, 5));
    EXPECT_EQ(w.grid.ColWidths(1), 90);
}

TEST(GridInputMouse, ColumnSizeRefusedByTheApplication)
{
    MouseWindow<TQvStringGrid> w;
    w.grid.SetOptions(w.grid.Options() | goColSizing);
    w.grid.OnColumnSize = [](TQvStringGrid*, int col, bool& allow) { allow = col != 2; };
    const int before = w.grid.ColWidths(2);
    const TRect c2 = w.grid.CellRect(2, 0);
    w.drag(QPoint(c2.Right, 5), QPoint(c2.Right + 40, 5));
    EXPECT_EQ(w.grid.ColWidths(2), before);
    const TRect c1 = w.grid.CellRect(1, 0);
    w.drag(QPoint(c1.Right, 5), QPoint(c1.Right + 40, 5));
    EXPECT_EQ(w.grid.ColWidths(1), before + 40);
}

// The application is asked before a row is sized from its border in the fixed column; a
// refusal keeps the height after the whole drag, an allowed row takes the new one.
TEST(GridInputMouse, RowSizeRefusedByTheApplication)
{
    MouseWindow<TQvStringGrid> w;
    w.grid.SetOptions(w.grid.Options() | goRowSizing);
    std::vector<int> asked;
    w.grid.OnRowSize = [&](TQvStringGrid*, int row, bool& allow) {
        asked.push_back(row);
        allow = row != 2;
    };
    const int before = w.grid.RowHeights(2);
    const TRect r2 = w.grid.CellRect(0, 2);
    w.drag(QPoint(10, r2.Bottom), QPoint(10, r2.Bottom + 25));
    EXPECT_EQ(w.grid.RowHeights(2), before);
    EXPECT_NE(std::find(asked.begin(), asked.end(), 2), asked.end());
    const TRect r3 = w.grid.CellRect(0, 3);
    w.drag(QPoint(10, r3.Bottom), QPoint(10, r3.Bottom + 25));
    EXPECT_EQ(w.grid.RowHeights(3), before + 25);
}

TEST(GridInputMouse, ClickedLinksOpenOnlyForWebAndMailAddresses)
{
    struct Case {
        QString text;
        bool opened;
    };
    const Case cases[] = {
        {"http://example.com/a", true},       {"https://example.com/b", true},
        {"mailto:someone@example.com", true}, {"HTTPS://example.com/upper", true},
        {"file:///etc/passwd", false},        {"ftp://example.com/c", false},
        {"javascript://alert(1)", false},     {"smb://server/share/run.exe", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        MouseWindow<TQvStringGrid> w;
        testsupport::FakeShell shell;
        platform::Services services;
        services.shell = &shell;
        w.grid.SetServices(services);
        w.grid.PaintSettings().URLShow = true;
        w.grid.SetCells(2, 3, c.text);
        w.click(2, 3);
        EXPECT_EQ(shell.openedUrls, c.opened ? QStringList{c.text} : QStringList{});
    }
}

TEST(GridInputMouse, AGridHandedNoServicesOpensNoLink)
{
    MouseWindow<TQvStringGrid> w;
    w.grid.PaintSettings().URLShow = true;
    w.grid.SetCells(2, 3, "http://example.com/");
    w.click(2, 3);
    EXPECT_EQ(w.grid.Services().shell, nullptr);
}

TEST(GridInputMouse, AnchorHandlerAndCellLinks)
{
    MouseWindow<TQvStringGrid> w;
    testsupport::FakeShell shell;
    platform::Services services;
    services.shell = &shell;
    w.grid.SetServices(services);
    w.grid.PaintSettings().URLShow = true;
    w.grid.SetCells(2, 3, "http://example.com/");
    QStringList anchors;
    w.grid.OnAnchorClick = [&](TQvStringGrid*, int r, int c, const QString& a, bool& autoHandle) {
        anchors << QStringLiteral("r%1 c%2 %3").arg(r).arg(c).arg(a);
        autoHandle = false;
    };
    w.click(2, 3);
    EXPECT_EQ(anchors, QStringList{"r3 c2 http://example.com/"});
    EXPECT_TRUE(shell.openedUrls.isEmpty());

    w.grid.OnAnchorClick = nullptr;
    w.grid.SetCells(1, 2, "cell://R7C4");
    w.click(1, 2);
    EXPECT_EQ(w.grid.Col(), 4);
    EXPECT_EQ(w.grid.Row(), 7);
    EXPECT_TRUE(shell.openedUrls.isEmpty());

    // Without URLShow the text is a plain cell.
    w.grid.PaintSettings().URLShow = false;
    w.click(2, 3);
    EXPECT_TRUE(shell.openedUrls.isEmpty());
    EXPECT_EQ(w.grid.Col(), 2);
}

// A markup cell opens the anchor under the press, the way the renderer draws it; a press on
// the plain text beside it or on an anchor-less markup cell opens nothing.
TEST(GridInputMouse, MarkupAnchorUnderThePressReachesOnAnchorClick)
{
    MouseWindow<TQvStringGrid> w;
    testsupport::FakeShell shell;
    platform::Services services;
    services.shell = &shell;
    w.grid.SetServices(services);
    w.grid.SetColWidths(2, 200);
    w.grid.SetCells(2, 3, "<a href=\"http://example.com/m\">MMMM</a> plain words");
    w.grid.SetCells(2, 4, "<b>MMMM</b> plain words");
    QStringList anchors;
    w.grid.OnAnchorClick = [&](TQvStringGrid*, int r, int c, const QString& a, bool& autoHandle) {
        anchors << QStringLiteral("r%1 c%2 %3").arg(r).arg(c).arg(a);
        autoHandle = false;
    };
    // The text starts at the cell's left + XYOffset.X + 2, its first line below top + XYOffset.Y + 1.
    const auto at = [&](int row, int dx) {
        const TRect r = w.grid.CellRect(2, row);
        return QPoint(r.Left + w.grid.XYOffset.X + 2 + dx, r.Top + w.grid.XYOffset.Y + 1 + 6);
    };
    w.clickAt(at(3, 8));
    EXPECT_EQ(anchors, QStringList{"r3 c2 http://example.com/m"});
    w.clickAt(at(3, 190));
    w.clickAt(at(4, 8));
    EXPECT_EQ(anchors.size(), 1);
    EXPECT_EQ(w.grid.Row(), 4);

    // Handled by the grid, the web link goes to the shell.
    w.grid.OnAnchorClick = nullptr;
    w.clickAt(at(3, 8));
    EXPECT_EQ(shell.openedUrls, QStringList{"http://example.com/m"});
}

TEST(GridInputMouse, NodeGlyphClickContractsAndExpands)
{
    MouseWindow<TQvStringGrid> w;
    w.grid.AddNode(2, 3);
    ASSERT_TRUE(w.grid.IsNode(2));
    int clicks = 0;
    w.grid.OnClickCell = [&](TQvStringGrid*, int r, int c) {
        if (r == 2 && c == 0)
            ++clicks;
    };
    const int rows = w.grid.RowCount();
    const TRect r = w.grid.CellRect(0, 2);
    QPoint glyph;
    for (int x = r.Left; x < r.Right; ++x)
        if (w.grid.IsNodeGlyphHit(2, x)) {
            glyph = QPoint(x, r.toQRect().center().y());
            break;
        }
    ASSERT_FALSE(glyph.isNull());
    w.clickAt(glyph);
    EXPECT_EQ(w.grid.RowCount(), rows - 2);
    w.clickAt(glyph);
    EXPECT_EQ(w.grid.RowCount(), rows);
    EXPECT_EQ(clicks, 2);
}

TEST(GridInputMouse, RightButtonSelectsWhenAskedAndReportsTheCell)
{
    struct Case {
        const char* name;
        bool selectOnRightClick;
        bool handler;
        TPoint expected;
        int leftClicks; // OnClickCell from a simulated left click
    };
    const Case cases[] = {
        {"plain: reports only", false, true, {1, 1}, 0},
        {"select on right click with a handler", true, true, {3, 4}, 0},
        {"select on right click without a handler: as a left click", true, false, {3, 4}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MouseWindow<TQvStringGrid> w;
        w.grid.MouseActions().SetSelectOnRightClick(c.selectOnRightClick);
        std::vector<std::pair<int, int>> right;
        int left = 0;
        w.grid.OnClickCell = [&](TQvStringGrid*, int, int) { ++left; };
        if (c.handler)
            w.grid.OnRightClickCell = [&](TQvStringGrid*, int r, int col) { right.emplace_back(r, col); };
        QTest::mouseClick(w.grid.viewport(), Qt::RightButton, {}, w.centre(3, 4));
        QApplication::processEvents();
        EXPECT_EQ(w.grid.Col(), c.expected.X);
        EXPECT_EQ(w.grid.Row(), c.expected.Y);
        EXPECT_EQ(left, c.leftClicks);
        if (c.handler) {
            EXPECT_EQ(right, (std::vector<std::pair<int, int>>{{4, 3}}));
        }
    }
}

TEST(GridInputMouse, ButtonsInCellsClickOnReleaseOverTheButton)
{
    struct Case {
        const char* name;
        bool editing;
        bool onButton;
        bool releaseOnButton;
        int clicks;
    };
    const Case cases[] = {
        {"pressed and released on the button", true, true, true, 1},
        {"released elsewhere", true, true, false, 0},
        {"pressed beside the button: an ordinary click", true, false, false, 0},
        {"editing off: the button is disabled", false, true, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MouseWindow<TQvStringGrid> w;
        if (c.editing)
            w.grid.SetOptions(w.grid.Options() | goEditing);
        w.grid.SetColWidths(2, 120);
        w.grid.CreateCellGraphic(2, 3)->SetButton(40, 14, "Go", haLeft, vaTop);
        (void)w.grid.grab(); // the painter places the button
        std::vector<std::pair<int, int>> buttons;
        w.grid.OnButtonClick = [&](TQvStringGrid*, int col, int row) { buttons.emplace_back(col, row); };
        const QRect b = w.grid.GetButtonRect(2, 3).toQRect();
        ASSERT_FALSE(b.isEmpty());
        const QPoint beside(b.right() + 30, b.center().y());
        const QPoint press = c.onButton ? b.center() : beside;
        const QPoint release = c.releaseOnButton ? b.center() : w.centre(4, 6);
        w.send(QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
        if (c.onButton) {
            EXPECT_EQ(w.grid.FPushedCellButton.X, 2);
        }
        w.send(QEvent::MouseButtonRelease, release, Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(int(buttons.size()), c.clicks);
        if (c.clicks) {
            EXPECT_EQ(buttons.front(), std::make_pair(2, 3));
        }
        EXPECT_EQ(w.grid.FPushedCellButton.X, -1);
    }
}

TEST(GridInputMouse, ExpandGlyphToggles)
{
    MouseWindow<TQvStringGrid> w;
    w.grid.SetOptions(w.grid.Options() | goEditing);
    w.grid.AddExpand(2, 3, 60);
    std::vector<bool> states;
    w.grid.OnExpandClick = [&](TQvStringGrid*, int, int, bool s) { states.push_back(s); };
    const QPoint glyph = w.grid.GetExpandRect(2, 3).toQRect().center();
    w.clickAt(glyph);
    w.clickAt(glyph);
    EXPECT_EQ(states, (std::vector<bool>{true, false}));
}

TEST(GridInputMouse, DisjunctRowSelectionByClicks)
{
    MouseWindow<TQvStringGrid> w;
    w.grid.MouseActions().SetDisjunctRowSelect(true);
    const auto selected = [&] {
        std::vector<int> rows;
        for (int r = 1; r < w.grid.RowCount(); ++r)
            if (w.grid.GetRowSelect(r))
                rows.push_back(r);
        return rows;
    };
    w.click(2, 3);
    EXPECT_EQ(selected(), std::vector<int>{3});
    w.click(2, 5, Qt::ControlModifier);
    EXPECT_EQ(selected(), (std::vector<int>{3, 5}));
    w.click(2, 3, Qt::ControlModifier);
    EXPECT_EQ(selected(), std::vector<int>{5});
    w.click(2, 7);
    EXPECT_EQ(selected(), std::vector<int>{7});
}

TEST(GridInputMouse, FixedRowSizingNeverLeavesAZeroHeight)
{
    struct Case {
        const char* name;
        int releaseY;
        int expected;
    };
    const Case cases[] = {{"taller", 40, 40}, {"above the row", -10, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MouseWindow<TQvStringGrid> w;
        w.grid.MouseActions().SetSizeFixedRow(true);
        std::vector<int> ended;
        w.grid.OnEndRowSize = [&](TQvStringGrid*, int row) { ended.push_back(row); };
        const int x = w.centre(3, 0).x();
        const QPoint border(x, w.grid.RowHeights(0));
        w.send(QEvent::MouseMove, border, Qt::NoButton, Qt::NoButton);
        w.send(QEvent::MouseButtonPress, border, Qt::LeftButton, Qt::LeftButton);
        w.send(QEvent::MouseButtonRelease, QPoint(x, c.releaseY), Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(w.grid.RowHeights(0), c.expected);
        EXPECT_EQ(ended, std::vector<int>{0});
    }
}

TEST(GridInputMouse, SizingOneRowResizesAllInProportion)
{
    MouseWindow<TQvStringGrid> w;
    w.grid.SetRowCount(4);
    w.grid.SetOptions(w.grid.Options() | goRowSizing);
    w.grid.MouseActions().SetAllRowSize(true);
    w.grid.SetRowHeights(0, 20);
    w.grid.SetRowHeights(1, 20);
    w.grid.SetRowHeights(2, 30);
    w.grid.SetRowHeights(3, 25);
    std::vector<int> ended;
    w.grid.OnEndRowSize = [&](TQvStringGrid*, int r) { ended.push_back(r); };
    const TRect r1 = w.grid.CellRect(0, 1);
    w.drag(QPoint(10, r1.Bottom), QPoint(10, r1.Top + 30));
    EXPECT_EQ(w.grid.RowHeights(1), 30);
    EXPECT_EQ(w.grid.RowHeights(2), 45);
    EXPECT_EQ(w.grid.RowHeights(3), 38); // 37.5 to the even neighbour
    EXPECT_EQ(w.grid.RowHeights(0), 20);
    EXPECT_EQ(ended, std::vector<int>{1});
}

namespace {

QStringList sortColumn(const TQvStringGrid& g, int col)
{
    QStringList out;
    for (int r = 1; r < g.RowCount(); ++r)
        out << g.Cells(col, r);
    return out;
}

void fillSortColumns(TQvStringGrid& g)
{
    const QStringList c2{"c", "a", "e", "b", "d", "a", "c", "b", "e"};
    const QStringList c3{"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int r = 1; r < g.RowCount(); ++r) {
        g.SetCells(2, r, c2[r - 1]);
        g.SetCells(3, r, c3[r - 1]);
    }
}

} // namespace

TEST(GridInputMouse, HeaderClicksSortReverseAndUnsort)
{
    MouseWindow<TQvStringGrid> w;
    TQvStringGrid& g = w.grid;
    fillSortColumns(g);
    const QStringList original = sortColumn(g, 3);
    g.SortSettings().SetShow(true);
    g.SortSettings().SetUndoSort(true);
    std::vector<int> sorted;
    g.OnClickSort = [&](TQvStringGrid*, int col) { sorted.push_back(col); };

    w.click(2, 0);
    EXPECT_EQ(sortColumn(g, 2), (QStringList{"a", "a", "b", "b", "c", "c", "d", "e", "e"}));
    EXPECT_EQ(g.SortSettings().Direction(), sdAscending);
    w.click(2, 0);
    EXPECT_EQ(sortColumn(g, 2), (QStringList{"e", "e", "d", "c", "c", "b", "b", "a", "a"}));
    EXPECT_EQ(g.SortSettings().Direction(), sdDescending);
    w.click(2, 0);
    EXPECT_EQ(sortColumn(g, 3), original);
    EXPECT_EQ(g.SortSettings().Column(), -1);
    EXPECT_EQ(sorted, (std::vector<int>{2, 2, -1}));
}

TEST(GridInputMouse, HeaderClickThatIsRefusedOrNotOnTheSortRowDoesNotSort)
{
    MouseWindow<TQvStringGrid> w;
    TQvStringGrid& g = w.grid;
    fillSortColumns(g);
    const QStringList original = sortColumn(g, 2);
    // Without Show no header sorts.
    w.click(2, 0);
    EXPECT_EQ(sortColumn(g, 2), original);
    g.SortSettings().SetShow(true);
    // A normal row is no sort row.
    w.click(2, 3);
    EXPECT_EQ(sortColumn(g, 2), original);
    // The application refuses the column.
    g.OnCanSort = [](TQvStringGrid*, int col, bool& doSort) { doSort = col != 2; };
    w.click(2, 0);
    EXPECT_EQ(sortColumn(g, 2), original);
    // A press on one header and a release on the body does not sort either.
    g.OnCanSort = nullptr;
    w.drag(w.centre(2, 0), w.centre(2, 4));
    EXPECT_EQ(sortColumn(g, 2), original);
    // Two rows (header and one data row) never sort.
    g.SetRowCount(2);
    g.SetCells(2, 1, QStringLiteral("z"));
    w.click(2, 0);
    EXPECT_EQ(g.SortSettings().Column(), -1);
}

TEST(GridInputMouse, ShiftClickAddsAnIndexKey)
{
    MouseWindow<TQvStringGrid> w;
    TQvStringGrid& g = w.grid;
    fillSortColumns(g);
    g.SortSettings().SetShow(true);
    g.SortSettings().SetIndexShow(true);
    w.click(2, 0);
    ASSERT_EQ(g.SortIndexes().Count(), 1);
    w.click(3, 0, Qt::ShiftModifier);
    ASSERT_EQ(g.SortIndexes().Count(), 2);
    EXPECT_EQ(g.SortIndexes().SortColumns(1), 3);
    EXPECT_EQ(sortColumn(g, 2), (QStringList{"a", "a", "b", "b", "c", "c", "d", "e", "e"}));
    EXPECT_EQ(sortColumn(g, 3), (QStringList{"2", "6", "4", "8", "1", "7", "5", "3", "9"}));
    // Shift on a key column flips its direction.
    w.click(3, 0, Qt::ShiftModifier);
    EXPECT_FALSE(g.SortIndexes().SortDirections(1));
    EXPECT_EQ(sortColumn(g, 3), (QStringList{"6", "2", "8", "4", "7", "1", "5", "9", "3"}));
    // A plain click starts a new key list.
    w.click(3, 0);
    EXPECT_EQ(g.SortIndexes().Count(), 1);
    EXPECT_EQ(g.SortSettings().Column(), 3);
    // With IndexSortKey ikCtrl, Ctrl adds the key and Shift does not.
    g.SortSettings().SetIndexSortKey(ikCtrl);
    w.click(2, 0, Qt::ShiftModifier);
    EXPECT_EQ(g.SortIndexes().Count(), 1);
    w.click(3, 0, Qt::ControlModifier);
    EXPECT_EQ(g.SortIndexes().Count(), 2);
}
