// The small services: the modified-row mark's settings and the repaint its colour asks for, the
// widths remembered after loading, the style adaptation without application styles, the value
// before editing taken on every move of the current cell, and the fixed-cell editor's change.

#include "grid/QvGrid.h"
#include "grid/edit/GridTrans.h"
#include "grid/support/PaintSpy.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

using namespace grid;

namespace {

struct ShownGrid {
    ShownGrid()
    {
        g.resize(400, 260);
        g.SetColCount(4);
        g.SetRowCount(8);
        for (int r = 1; r < 8; ++r)
            for (int c = 1; c < 4; ++c)
                g.SetCells(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
        g.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&g));
        QApplication::processEvents();
    }
    QRect colRect(int col) const
    {
        const QRect first = g.CellRect(col, g.TopRow()).toQRect();
        return QRect(first.left(), first.top(), first.width(), g.viewport()->height() - first.top());
    }
    TQvStringGrid g;
};

TEST(ShowModified, DefaultsAndAssign)
{
    TShowModified a;
    EXPECT_FALSE(a.Enabled);
    EXPECT_EQ(a.Color(), TColor(0x0000FFFF)); // yellow
    TShowModified b;
    b.Enabled = true;
    b.SetColor(0x00FF00);
    a.Assign(b);
    EXPECT_TRUE(a.Enabled);
    EXPECT_EQ(a.Color(), TColor(0x00FF00));
}

TEST(ShowModified, AColourWriteRepaintsColumnZeroOnly)
{
    ShownGrid s;
    test::PaintSpy spy;
    s.g.viewport()->installEventFilter(&spy);
    s.g.ShowModified().SetColor(0x00FF00);
    QApplication::processEvents();
    EXPECT_TRUE(spy.painted.contains(s.colRect(0)));
    EXPECT_FALSE(spy.painted.intersects(s.colRect(2)));

    // The painter reads the same object: a modified row's mark takes the new colour.
    s.g.ShowModified().Enabled = true;
    s.g.SetRowModified(3, true);
    const TRect cell = s.g.CellRect(0, 3);
    const QImage shot = s.g.viewport()->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(cell.Right - 2, (cell.Top + cell.Bottom) / 2)), QColor(0, 255, 0));
}

TEST(QvGridServices, LoadingRemembersWidthsAndDropsApplicationStyles)
{
    TQvStringGrid g;
    g.resize(300, 200);
    g.SetLoading(true);
    g.SetColCount(3);
    g.SetColWidths(0, 20);
    g.SetColWidths(1, 70);
    g.SetColWidths(2, 90);
    g.FUseVCLStyles = true;
    const TColor colour = g.Color();
    g.CompleteLoading();
    ASSERT_EQ(g.OrigColSizes().Count(), 3);
    EXPECT_EQ(g.OrigColSizes().GetInteger(0), 20);
    EXPECT_EQ(g.OrigColSizes().GetInteger(1), 70);
    EXPECT_EQ(g.OrigColSizes().GetInteger(2), 90);
    EXPECT_EQ(g.OldSize(), 300);
    EXPECT_FALSE(g.UsesPlatformStyles());
    EXPECT_EQ(g.Color(), colour);

    g.SetColWidths(1, 40);
    g.InitOrigColSizes();
    EXPECT_EQ(g.OrigColSizes().GetInteger(1), 40);
}

TEST(QvGridServices, EveryMoveTakesTheCellAsTheValueBeforeEditing)
{
    ShownGrid s;
    s.g.setFocus();
    s.g.FocusCell(1, 1);
    EXPECT_EQ(s.g.FOldCellText, QStringLiteral("r1c1"));
    QTest::keyClick(&s.g, Qt::Key_Down);
    EXPECT_EQ(s.g.FOldCellText, QStringLiteral("r2c1"));
    EXPECT_FALSE(s.g.FEntered);
    QTest::mouseClick(s.g.viewport(), Qt::LeftButton, {}, s.g.CellRect(3, 4).toQRect().center());
    EXPECT_EQ(s.g.Col(), 3);
    EXPECT_EQ(s.g.FOldCellText, QStringLiteral("r4c3"));
}

TEST(QvGridServices, FixedCellEditorTypingFiresEditChange)
{
    ShownGrid s;
    QStringList log;
    s.g.OnEditChange = [&](TQvStringGrid*, int c, int r, const QString& v) {
        log << QStringLiteral("%1,%2 %3").arg(c).arg(r).arg(v);
    };
    TGridTransEdit* edit = s.g.TransEdit();
    ASSERT_NE(edit, nullptr);
    edit->SetCol(2);
    edit->SetRow(0);
    edit->setText(QStringLiteral("set by code")); // not the user's change
    edit->clear();
    edit->show();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("ab"));
    EXPECT_EQ(log, (QStringList{"2,0 a", "2,0 ab"}));
    // The grid then goes with the editor open and focused: the editor's focus loss on the way
    // stores nothing into it (the sanitizer build checks the teardown).
}

} // namespace
