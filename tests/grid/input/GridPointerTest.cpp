// The pointer over the grid beyond hover: the picture of moved cells, header drag selection,
// the select mode reset on leaving, fixed sizing, sizing reports and enhanced moves with their
// floating header button and target arrows.

#include "grid/QvCGrid.h"
#include "grid/QvGrid.h"
#include "grid/input/HeaderDragButton.h"
#include "grid/markup/HTMLHintWindow.h"

#include "grid/support/GridTestHelpers.h"

#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include <memory>

using namespace grid;

namespace {

struct PointerGrid : test::ShownGrid<TQvStringGrid> {
    PointerGrid() : ShownGrid(6, 40)
    {
        for (int r = 0; r < 40; ++r)
            for (int c = 0; c < 6; ++c)
                g.SetCells(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
        QApplication::processEvents();
    }
    QPoint in(int col, int row) const { return g.CellRect(col, row).toQRect().center(); }
    // Events as the window system sends them: a move without buttons, or the button held.
    void hover(QPoint p) { send(QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton); }
    void press(QPoint p, Qt::KeyboardModifiers m = {})
    {
        send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, m);
    }
    void dragTo(QPoint p) { send(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
    void release(QPoint p) { send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }
    void leave()
    {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(g.viewport(), &e);
    }
    void send(QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons bs, Qt::KeyboardModifiers m = {})
    {
        QMouseEvent e(t, QPointF(p), g.viewport()->mapToGlobal(QPointF(p)), b, bs, m);
        QApplication::sendEvent(g.viewport(), &e);
        QApplication::processEvents();
    }
    QPoint global(int x, int y) const { return g.viewport()->mapToGlobal(QPoint(x, y)); }
};

TEST(GridPointer, SelectionPictureOfOneCellIsOneCellInSize)
{
    PointerGrid f;
    std::unique_ptr<QWidget> form(f.g.SelectionToForm({2, 3, 2, 3}));
    ASSERT_TRUE(form);
    EXPECT_EQ(form->parent(), &f.g);
    // The cell with its right and bottom grid line.
    const int line = f.g.GridLineWidth();
    EXPECT_EQ(form->size(), QSize(f.g.ColWidths(2) + line, f.g.RowHeights(3) + line));
    EXPECT_EQ(qRound(form->windowOpacity() * 255), 192);
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->testAttribute(Qt::WA_ShowWithoutActivating));
    // The picture holds what the grid shows there.
    const auto* image = form->findChild<QLabel*>();
    ASSERT_TRUE(image);
    const QImage shown = f.g.viewport()->grab(f.g.CellRect(2, 3).toQRect()).toImage();
    EXPECT_EQ(image->pixmap().toImage().copy(QRect(QPoint(0, 0), shown.size())).convertToFormat(shown.format()), shown);
}

TEST(GridPointer, FixedSizingArmsWithinTwoPixelsAndDrawsTheSizingLine)
{
    struct Case {
        int offset;
        bool armed;
    };
    for (const Case c : {Case{-2, true}, Case{2, true}, Case{-3, false}, Case{3, false}}) {
        PointerGrid f;
        f.g.MouseActions().SetSizeFixedCol(true);
        const int x = f.g.ColWidths(0) + c.offset;
        f.hover(QPoint(x, f.in(0, 3).y()));
        EXPECT_EQ(f.g.viewport()->cursor().shape() == Qt::SplitHCursor, c.armed) << c.offset;
        if (!c.armed)
            continue;
        // The press starts sizing with the dotted line at the pointer, which follows it.
        std::vector<std::pair<int, int>> sizing;
        f.g.OnColumnSizing = [&](TQvStringGrid*, int col, int size) { sizing.push_back({col, size}); };
        f.press(QPoint(x, f.in(0, 3).y()));
        EXPECT_EQ(f.g.SizingLines(), (std::vector<std::pair<bool, int>>{{true, x}}));
        f.dragTo(QPoint(x + 20, f.in(0, 3).y()));
        EXPECT_EQ(f.g.SizingLines(), (std::vector<std::pair<bool, int>>{{true, x + 20}}));
        EXPECT_EQ(sizing, (std::vector<std::pair<int, int>>{{0, x + 20}}));
        f.release(QPoint(x + 20, f.in(0, 3).y()));
        EXPECT_TRUE(f.g.SizingLines().empty());
        EXPECT_EQ(f.g.ColWidths(0), x + 20);
    }
}

TEST(GridPointer, HeaderRowDragSelectsRowsFromItsStartAndScrollsAtTheBottom)
{
    PointerGrid f;
    f.g.MouseActions().SetRowSelect(true);
    f.hover(f.in(0, 3));
    EXPECT_EQ(f.g.MouseSelectMode(), TQvStringGrid::msRow);
    f.press(f.in(0, 3));
    EXPECT_EQ(f.g.Selection(), (TGridRect{1, 3, 5, 3}));
    f.dragTo(f.in(0, 6));
    EXPECT_EQ(f.g.Selection(), (TGridRect{1, 3, 5, 6}));
    // Back above the start: from the pointer row down to the start.
    f.dragTo(f.in(0, 2));
    EXPECT_EQ(f.g.Selection(), (TGridRect{1, 2, 5, 3}));
    // Within 4 pixels of the bottom one row scrolls in for each move.
    const int top = f.g.TopRow();
    f.dragTo(QPoint(f.in(0, 2).x(), f.g.viewport()->height() - 2));
    EXPECT_EQ(f.g.TopRow(), top + 1);
    f.dragTo(QPoint(f.in(0, 2).x(), f.g.viewport()->height() - 5));
    EXPECT_EQ(f.g.TopRow(), top + 1);
    // Over the fixed row the drag keeps its row mode and scrolls back up, never into the
    // fixed rows.
    f.dragTo(f.in(0, 0));
    EXPECT_EQ(f.g.TopRow(), top);
    EXPECT_EQ(f.g.MouseSelectMode(), TQvStringGrid::msRow);
    f.dragTo(f.in(0, 0) + QPoint(0, 1));
    EXPECT_EQ(f.g.TopRow(), top);
    f.release(f.in(0, 0));
    // Without a drag the fixed row is no row header.
    f.hover(f.in(0, 0) + QPoint(0, 2));
    EXPECT_EQ(f.g.MouseSelectMode(), TQvStringGrid::msNormal);
}

TEST(GridPointer, LeavingResetsTheSelectModeSoTheNextPressSelectsNoColumn)
{
    for (const bool leave : {false, true}) {
        PointerGrid f;
        f.g.MouseActions().SetColSelect(true);
        f.hover(f.in(2, 0));
        EXPECT_EQ(f.g.MouseSelectMode(), TQvStringGrid::msColumn);
        if (leave) {
            f.leave();
            EXPECT_EQ(f.g.MouseSelectMode(), TQvStringGrid::msNormal);
        }
        f.press(f.in(2, 0));
        f.release(f.in(2, 0));
        const TGridRect column{2, 1, 2, 39};
        EXPECT_EQ(f.g.Selection() == column, !leave) << leave;
    }
}

TEST(GridPointer, SizingReportsTheSizeInEventsAndTheHint)
{
    PointerGrid f;
    f.g.SetOptions(f.g.Options() | goColSizing | goRowSizing);
    f.g.HintShowSizing = true;
    std::vector<std::pair<int, int>> cols, rows;
    f.g.OnColumnSizing = [&](TQvStringGrid*, int col, int size) { cols.push_back({col, size}); };
    f.g.OnRowSizing = [&](TQvStringGrid*, int row, int size) { rows.push_back({row, size}); };

    const TRect c2 = f.g.CellRect(2, 0);
    f.press(QPoint(c2.Right - 1, c2.Top + 5));
    f.dragTo(QPoint(c2.Right + 30, c2.Top + 5));
    ASSERT_EQ(cols.size(), 1u);
    EXPECT_EQ(cols[0], std::make_pair(2, c2.Right + 30 - c2.Left));
    THTMLHintWindow* hint = f.g.ScrollHintWindow();
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->Caption(), QStringLiteral("cw=<b>%1</b>").arg(c2.Right + 30 - c2.Left));
    EXPECT_EQ(hint->pos(), f.global(c2.Left, c2.Top));
    f.release(QPoint(c2.Right + 30, c2.Top + 5));
    EXPECT_FALSE(hint->isVisible());

    const TRect r3 = f.g.CellRect(0, 3);
    f.press(QPoint(r3.Left + 5, r3.Bottom - 1));
    f.dragTo(QPoint(r3.Left + 5, r3.Bottom + 12));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], std::make_pair(3, r3.Bottom + 12 - r3.Top));
    EXPECT_EQ(hint->Caption(), QStringLiteral("rh=<b>%1</b>").arg(r3.Bottom + 12 - r3.Top));
    f.release(QPoint(r3.Left + 5, r3.Bottom + 12));
}

// An enhanced column move: the floating header button (or the picture with ShowCells) under the
// pointer, the target arrows at the previous target's far edge.
TEST(GridPointer, EnhancedColumnMoveShowsTheHeaderButtonAndTheTargetArrows)
{
    PointerGrid f;
    f.g.SetOptions(f.g.Options() | goColMoving);
    f.g.DragDropSettings().SetShowCells(false); // the button, not the picture
    std::vector<int> moving;
    f.g.OnColumnMoving = [&](TQvStringGrid*, int col, bool&) { moving.push_back(col); };
    const QPoint start = f.in(2, 0) + QPoint(-7, -3);
    const TRect c2 = f.g.CellRect(2, 0);
    f.press(start);
    f.dragTo(f.in(4, 0));
    THeaderDragButton* button = f.g.MoveButton();
    ASSERT_TRUE(button);
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(button->Caption, QStringLiteral("r0c2"));
    EXPECT_EQ(button->size(), QSize(f.g.ColWidths(2), f.g.RowHeights(0)));
    EXPECT_EQ(button->pos(), f.global(f.in(4, 0).x(), f.in(4, 0).y()) - (start - QPoint(c2.Left, c2.Top)));
    EXPECT_EQ(moving, std::vector<int>{4});
    // The first move has no previous target: no arrows yet.
    EXPECT_FALSE(f.g.ArrowWindow(arrDown)->isVisible());

    f.dragTo(f.in(4, 0) + QPoint(3, 0));
    const TRect c4 = f.g.CellRect(4, 0);
    EXPECT_TRUE(f.g.ArrowWindow(arrDown)->isVisible());
    EXPECT_TRUE(f.g.ArrowWindow(arrUp)->isVisible());
    EXPECT_EQ(f.g.ArrowWindow(arrDown)->pos(), f.global(c4.Right - 5, c4.Top - 8));
    EXPECT_EQ(f.g.ArrowWindow(arrUp)->pos(), f.global(c4.Right - 5, c4.Bottom));
    testsupport::takeScreenshot(*button, QStringLiteral("grid_header_drag_button.png"));

    // Left of the moved column the arrows mark the target's left edge.
    f.dragTo(f.in(1, 0));
    f.dragTo(f.in(1, 0) + QPoint(2, 0));
    const TRect c1 = f.g.CellRect(1, 0);
    EXPECT_EQ(f.g.ArrowWindow(arrDown)->pos(), f.global(c1.Left - 5, c1.Top - 8));

    f.release(f.in(1, 0));
    EXPECT_FALSE(button->isVisible());
    EXPECT_FALSE(f.g.ArrowWindow(arrDown)->isVisible());
    EXPECT_FALSE(f.g.ArrowWindow(arrUp)->isVisible());
    EXPECT_EQ(f.g.Cells(1, 0), QStringLiteral("r0c2"));
}

TEST(GridPointer, EnhancedRowMoveShowsTheRowHeaderAndTheSideArrows)
{
    PointerGrid f;
    f.g.SetOptions(f.g.Options() | goRowMoving);
    f.g.DragDropSettings().SetShowCells(false); // the button, not the picture
    std::vector<int> moving;
    f.g.OnRowMoving = [&](TQvStringGrid*, int row, bool&) { moving.push_back(row); };
    f.press(f.in(0, 3));
    f.dragTo(f.in(0, 6));
    THeaderDragButton* button = f.g.MoveButton();
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(button->Caption, QStringLiteral("r3c0"));
    EXPECT_EQ(button->size(), QSize(f.g.ColWidths(0), f.g.RowHeights(3)));
    f.dragTo(f.in(0, 6) + QPoint(0, 2));
    EXPECT_EQ(moving, (std::vector<int>{6, 6}));
    // Below the moved row the arrows sit 5 pixels above the target's bottom edge.
    const TRect r6 = f.g.CellRect(0, 6);
    EXPECT_TRUE(f.g.ArrowWindow(arrLeft)->isVisible());
    EXPECT_EQ(f.g.ArrowWindow(arrLeft)->pos(), f.global(r6.Left - 10, r6.Bottom - 5));
    EXPECT_EQ(f.g.ArrowWindow(arrRight)->pos(), f.global(r6.Right, r6.Bottom - 5));
    f.release(f.in(0, 6));
    EXPECT_FALSE(f.g.ArrowWindow(arrLeft)->isVisible());
    EXPECT_EQ(f.g.Cells(1, 6), QStringLiteral("r3c1"));
}

TEST(GridPointer, EnhancedMoveWithShowCellsCarriesThePictureOfTheColumn)
{
    PointerGrid f;
    f.g.SetOptions(f.g.Options() | goColMoving);
    f.g.DragDropSettings().SetShowCells(true);
    f.press(f.in(3, 0));
    f.dragTo(f.in(4, 0));
    QWidget* form = f.g.MoveForm();
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(f.g.MoveButton()->isVisible());
    EXPECT_EQ(form->width(), f.g.ColWidths(3) + f.g.GridLineWidth());
    EXPECT_EQ(qRound(form->windowOpacity() * 255), 192);
    f.release(f.in(4, 0));
    QApplication::processEvents();
    EXPECT_FALSE(f.g.MoveForm());
}

TEST(GridPointer, ARefusedColumnMoveEndsTheMove)
{
    PointerGrid f;
    f.g.SetOptions(f.g.Options() | goColMoving);
    int asked = 0;
    f.g.OnColumnMove = [&](TQvStringGrid*, int col, bool& allow) {
        EXPECT_EQ(col, 2);
        ++asked;
        allow = false;
    };
    f.press(f.in(2, 0));
    f.dragTo(f.in(4, 0));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(f.g.GridState(), TGridState::gsNormal);
    f.release(f.in(4, 0));
    EXPECT_EQ(f.g.Cells(2, 0), QStringLiteral("r0c2"));
}

TEST(GridPointer, AnchorsReportEnterAndExit)
{
    PointerGrid f;
    f.g.SetColWidths(2, 200);
    f.g.SetCells(2, 3, "<a href=\"http://example.com/m\">MMMM</a> plain words");
    QStringList events;
    f.g.OnAnchorEnter = [&](TQvStringGrid*, int r, int c, const QString& a) {
        events << QStringLiteral("enter r%1 c%2 %3").arg(r).arg(c).arg(a);
    };
    f.g.OnAnchorExit = [&](TQvStringGrid*, int r, int c, const QString& a) {
        events << QStringLiteral("exit r%1 c%2 '%3'").arg(r).arg(c).arg(a);
    };
    const TRect r = f.g.CellRect(2, 3);
    const QPoint onLink(r.Left + f.g.XYOffset.X + 2 + 8, r.Top + f.g.XYOffset.Y + 1 + 6);
    f.hover(onLink);
    EXPECT_EQ(f.g.viewport()->cursor().shape(), Qt::PointingHandCursor);
    f.hover(onLink + QPoint(2, 0)); // the same anchor: no second enter
    f.hover(QPoint(r.Left + 190, onLink.y()));
    EXPECT_EQ(events, (QStringList{"enter r3 c2 http://example.com/m", "exit r3 c2 ''"}));
}

TEST(GridPointer, StyleChangeLeavesTheGridWithoutAnApplicationStyle)
{
    PointerGrid f;
    f.g.FUseVCLStyles = true;
    std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("Fusion")));
    ASSERT_TRUE(style);
    f.g.setStyle(style.get());
    EXPECT_FALSE(f.g.FUseVCLStyles);
    f.g.setStyle(nullptr);
}

// ---- following the owning window -------------------------------------------------------------

struct FormWithGrid {
    FormWithGrid()
    {
        form.resize(500, 400);
        grid = new TQvStringGrid(&form);
        grid->setGeometry(10, 10, 300, 200);
        grid->SetColCount(3);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    void resizeForm(int w, int h)
    {
        form.resize(w, h);
        QApplication::processEvents();
    }
    QWidget form;
    TQvStringGrid* grid;
};

TEST(GridPointer, SizeWithFormFollowsTheWindowButNeverToNothing)
{
    FormWithGrid f;
    f.grid->SizeWithForm = true;
    f.resizeForm(540, 420);
    EXPECT_EQ(f.grid->size(), QSize(340, 220));
    EXPECT_EQ(f.grid->PrevSizeX, 540);
    // 340 pixels narrower would leave the grid no width: nothing changes.
    f.resizeForm(200, 420);
    EXPECT_EQ(f.grid->size(), QSize(340, 220));
    EXPECT_EQ(f.grid->PrevSizeX, 540);
    EXPECT_EQ(f.grid->PrevSizeY, 420);
    // Without the switch the grid keeps its size.
    f.grid->SizeWithForm = false;
    f.resizeForm(600, 500);
    EXPECT_EQ(f.grid->size(), QSize(340, 220));
}

TEST(GridPointer, TheStretchColumnFollowsEveryWindowResize)
{
    FormWithGrid f;
    f.grid->ColumnSize().SetStretch(true);
    f.grid->SizeWithForm = true;
    for (const int w : {560, 620, 480}) {
        f.resizeForm(w, 400);
        const int others = f.grid->ColWidths(0) + f.grid->ColWidths(1);
        EXPECT_EQ(f.grid->ColWidths(2), f.grid->viewport()->width() - others - 1) << w;
    }
}

TEST(GridPointer, TheUnitExitRunsItsBodyOnceForTheLastStartUp)
{
    // Editors may have started the unit already in this process.
    const int before = GridRegistrations().QvGridStarts;
    QvGridInitialization();
    QvGridInitialization();
    HintFontName() = QStringLiteral("Courier");
    for (int i = 0; i < before + 1; ++i)
        QvGridFinalization();
    EXPECT_EQ(HintFontName(), QStringLiteral("Courier"));
    EXPECT_NE(GridHookHandle(), nullptr);
    QvGridFinalization();
    EXPECT_TRUE(HintFontName().isEmpty());
    EXPECT_EQ(GridHookHandle(), nullptr);
    // A further exit finds nothing started and does nothing.
    HintFontName() = QStringLiteral("Courier");
    QvGridFinalization();
    EXPECT_EQ(HintFontName(), QStringLiteral("Courier"));
    HintFontName().clear();
    for (int i = 0; i < before; ++i)
        QvGridInitialization();
}

TEST(GridPointer, SelectionDragsScrollSidewaysOnlyWithoutKeepHorizScroll)
{
    for (const bool keep : {false, true}) {
        SCOPED_TRACE(keep);
        PointerGrid f;
        f.g.SetColCount(30);
        f.g.SetOptions(f.g.Options() | goRangeSelect);
        f.g.Navigation().SetKeepHorizScroll(keep);
        const int left0 = f.g.LeftCol();
        f.press(f.in(1, 3));
        const QPoint edge(f.g.viewport()->width() + 20, f.in(1, 5).y());
        f.dragTo(edge);
        f.dragTo(edge + QPoint(5, 0));
        EXPECT_EQ(f.g.LeftCol() == left0, keep);
        f.release(edge);
    }
}

TEST(GridPointer, ASelectionDragWithTheRectangleReportsEveryChange)
{
    PointerGrid f;
    f.g.SetOptions(f.g.Options() | goRangeSelect);
    f.g.SelectionRectangle = true;
    std::vector<TGridRect> reported;
    f.g.OnSelectionChanged = [&](TQvStringGrid*, int l, int t, int r, int b) { reported.push_back({l, t, r, b}); };
    f.press(f.in(1, 2));
    reported.clear();
    f.dragTo(f.in(2, 4));
    f.dragTo(f.in(2, 4) + QPoint(1, 0)); // same cell: nothing new to report
    f.dragTo(f.in(3, 5));
    f.release(f.in(3, 5));
    EXPECT_EQ(reported, (std::vector<TGridRect>{{1, 2, 2, 4}, {1, 2, 3, 5}}));
}

} // namespace
