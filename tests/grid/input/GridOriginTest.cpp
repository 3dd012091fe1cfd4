// What follows the grid's scroll origin when the user scrolls: an open editor of a special kind
// closes with its value stored while the plain text editor stays; attached cell controls move
// with their cells and stay hidden in hidden rows; a coupled grid scrolls along.

#include "grid/QvCGrid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

using namespace grid;

namespace {

template <class Grid>
struct ScrollWindow {
    ScrollWindow()
    {
        g.resize(400, 200);
        g.SetColCount(8);
        g.SetRowCount(40);
        g.SetColWidths(1, 120);
        g.SetOptions(g.Options() | goEditing);
        g.show();
        g.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&g));
        g.setFocus();
    }
    // The user drags the vertical scroll bar's thumb down by rows.
    void scrollDown(int rows)
    {
        QScrollBar* bar = g.verticalScrollBar();
        bar->setValue(bar->value() + rows);
        QApplication::processEvents();
    }
    Grid g;
};

TEST(GridOrigin, ScrollingClosesEveryEditorButThePlainTextOne)
{
    struct Case {
        TEditorType kind;
        bool staysOpen;
    };
    const Case cases[] = {{edNormal, true}, {edNumeric, false}, {edComboEdit, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        ScrollWindow<TQvStringGrid> w;
        w.g.OnGetEditorType = [&](TQvStringGrid*, int, int, TEditorType& t) { t = c.kind; };
        w.g.FocusCell(1, 1);
        QTest::keyClick(&w.g, Qt::Key_F2);
        QApplication::processEvents();
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, &w.g) << "F2 opens an editor";
        QTest::keyClicks(editor, "12");
        w.scrollDown(3);
        EXPECT_EQ(w.g.TopRow(), 4);
        EXPECT_EQ(w.g.EditorMode() || w.g.EditMode, c.staysOpen);
        if (!c.staysOpen) {
            EXPECT_FALSE(editor->isVisible());
            EXPECT_EQ(w.g.Cells(1, 1), "12") << "the value is stored";
        }
    }
}

TEST(GridOrigin, AttachedControlsFollowTheirCells)
{
    ScrollWindow<TQvColumnGrid> w;
    auto* kept = new QLabel("kept");
    auto* hiddenRow = new QLabel("hidden row");
    auto* scrolledOut = new QLabel("scrolled out");
    w.g.SetCellControls(1, 8, kept);
    w.g.SetCellControls(2, 9, hiddenRow);
    w.g.SetCellControls(3, 2, scrolledOut);
    w.g.HideRow(9);
    w.scrollDown(3);

    const TRect r = w.g.CellRect(1, 8);
    EXPECT_TRUE(kept->isVisible());
    EXPECT_EQ(kept->geometry(), QRect(r.Left - 1, r.Top - 1, r.Right - r.Left + 1, r.Bottom - r.Top + 1));
    EXPECT_FALSE(hiddenRow->isVisible()) << "a control in a hidden row stays hidden";
    EXPECT_FALSE(scrolledOut->isVisible());

    w.scrollDown(-3);
    EXPECT_TRUE(scrolledOut->isVisible()) << "back in view";
    EXPECT_FALSE(hiddenRow->isVisible());

    // The list rebuilt from the cells keeps the control of the hidden row.
    w.g.CellControlsUpdate(true);
    EXPECT_EQ(w.g.NumCellControls(), 3);
    EXPECT_EQ(w.g.ControlList().Count(), 3);
    w.g.UnHideRow(9);
    w.scrollDown(3);
    EXPECT_TRUE(hiddenRow->isVisible());
}

TEST(GridOrigin, CoupledGridScrollsAlong)
{
    struct Case {
        bool vertical, horizontal;
    };
    for (const Case c : {Case{true, false}, Case{false, true}, Case{true, true}}) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.vertical).arg(c.horizontal).toStdString());
        ScrollWindow<TQvStringGrid> a;
        ScrollWindow<TQvStringGrid> b;
        a.g.SyncGrid().SetGrid(&b.g);
        a.g.SyncGrid().SetScrollVertical(c.vertical);
        a.g.SyncGrid().SetScrollHorizontal(c.horizontal);
        a.scrollDown(5);
        a.g.horizontalScrollBar()->setValue(a.g.horizontalScrollBar()->value() + 2);
        QApplication::processEvents();
        EXPECT_EQ(b.g.TopRow(), c.vertical ? a.g.TopRow() : 1);
        EXPECT_EQ(b.g.LeftCol(), c.horizontal ? a.g.LeftCol() : 1);
        EXPECT_NE(a.g.TopRow(), 1);
        EXPECT_NE(a.g.LeftCol(), 1);
    }
}

} // namespace
