// The hint over a cell: which text it shows and where, as the settings and the window's hint
// event decide, and the hint shown when the viewport asks for a tool tip.

#include "grid/QvGrid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

#include <functional>

using namespace grid;

namespace {

// 5 columns, 6 rows, one fixed row and column; row 1 holds markup, row 2 a comment.
struct HintWindow {
    HintWindow()
    {
        grid.resize(500, 300);
        grid.SetColCount(5);
        grid.SetRowCount(6);
        grid.SetCells(0, 1, QStringLiteral("Row"));
        grid.SetCells(1, 1, QStringLiteral("<b>Bold</b> text"));
        grid.SetCells(2, 2, QStringLiteral("plain"));
        grid.AddComment(2, 2, QStringLiteral("a remark"));
        grid.SetCells(3, 1, QStringLiteral("a text far too long for its narrow cell to hold"));
        grid.SetCells(4, 1, QStringLiteral("right"));
        grid.SetCells(1, 5, QStringLiteral("foot"));
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }
    // A point 5 pixels into the cell.
    QPoint in(int col, int row) const
    {
        const TRect r = const_cast<TQvStringGrid&>(grid).CellRect(col, row);
        return QPoint(r.Left + 5, r.Top + 5);
    }
    TRect rect(int col, int row) { return grid.CellRect(col, row); }
    TQvStringGrid grid;
};

enum class Place { BelowCell, CellTop, TopRight, TopLeft };

struct HintCase {
    const char* name;
    std::function<void(TQvStringGrid&)> setup;
    TPoint cell;
    QString text;
    Place place;
};

QPoint expectedPos(HintWindow& w, const HintCase& c)
{
    const TRect r = w.rect(c.cell.X, c.cell.Y);
    const QPoint cursor = w.in(c.cell.X, c.cell.Y);
    switch (c.place) {
    case Place::BelowCell:
        return QPoint(cursor.x(), r.Bottom + 6);
    case Place::CellTop:
        return QPoint(cursor.x(), r.Top);
    case Place::TopRight:
        return QPoint(r.Right, r.Top);
    case Place::TopLeft:
        return QPoint(r.Left, r.Top);
    }
    return {};
}

const HintCase kCases[] = {
    {"FixedCellShowsNoText", [](TQvStringGrid& g) { g.HintShowCells = true; }, {0, 1}, "", Place::BelowCell},
    {"NormalCellStrippedText", [](TQvStringGrid& g) { g.HintShowCells = true; }, {1, 1}, "Bold text", Place::CellTop},
    {"NormalCellRawWithHTMLHint",
     [](TQvStringGrid& g) {
         g.HintShowCells = true;
         g.HTMLHint = true;
     },
     {1, 1},
     "<b>Bold</b> text",
     Place::CellTop},
    {"NoCellHintsNoText", [](TQvStringGrid&) {}, {1, 1}, "", Place::BelowCell},
    {"CommentAtTopRight", [](TQvStringGrid&) {}, {2, 2}, "a remark", Place::TopRight},
    {"FixedRightColumnShowsNoText",
     [](TQvStringGrid& g) {
         g.HintShowCells = true;
         g.SetFixedRightCols(1);
     },
     {4, 1},
     "",
     Place::BelowCell},
    {"LargeTextAtCellWithHpCell",
     [](TQvStringGrid& g) {
         g.HintShowLargeText = true;
         g.HintShowLargeTextPos = TQvStringGrid::hpCell;
     },
     {3, 1},
     "a text far too long for its narrow cell to hold",
     Place::TopLeft},
    {"LargeTextBelowWithHpCursor",
     [](TQvStringGrid& g) {
         g.HintShowLargeText = true;
         g.HintShowLargeTextPos = TQvStringGrid::hpCursor;
     },
     {3, 1},
     "a text far too long for its narrow cell to hold",
     Place::BelowCell},
    {"GridHintHasTheLastWord",
     [](TQvStringGrid& g) {
         g.HintShowCells = true;
         g.OnGridHint = [](TQvStringGrid*, int row, int col, QString& h) {
             h = QStringLiteral("r%1c%2").arg(row).arg(col);
         };
     },
     {1, 1},
     "r1c1",
     Place::CellTop},
    {"FloatingFooterRowExempt",
     [](TQvStringGrid& g) {
         g.HintShowCells = true;
         g.FloatingFooter.SetFooterStyle(
             TQvStringGrid::fsColumnPreview); // no fixed footer row: the exemption alone shows
         g.FloatingFooter.SetVisible(true);
         g.OnGridHint = [](TQvStringGrid*, int, int, QString& h) { h = QStringLiteral("window"); };
     },
     {1, 5},
     "foot",
     Place::CellTop},
};

class CellHint : public ::testing::TestWithParam<HintCase> {};

TEST_P(CellHint, TextAndPlace)
{
    HintWindow w;
    const HintCase& c = GetParam();
    c.setup(w.grid);
    const auto hint = w.grid.ComposeCellHint(w.in(c.cell.X, c.cell.Y));
    EXPECT_EQ(hint.Text, c.text);
    EXPECT_EQ(hint.Pos, expectedPos(w, c));
    EXPECT_EQ(hint.Color, w.grid.HintColor);
    EXPECT_EQ(w.grid.LastHintPos().X, c.cell.X);
    EXPECT_EQ(w.grid.LastHintPos().Y, c.cell.Y);
}

INSTANTIATE_TEST_SUITE_P(Cases, CellHint, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CellHintExtras, ColourWidthAndOwnWindowForMarkup)
{
    HintWindow w;
    w.grid.HintShowCells = true;
    w.grid.HTMLHint = true;
    w.grid.HintColor = 0x00FFFF;
    w.grid.ControlLook().SetHintMaxWidth(120);
    const auto markup = w.grid.ComposeCellHint(w.in(1, 1));
    EXPECT_EQ(markup.Color, TColor(0x00FFFF));
    EXPECT_EQ(markup.MaxWidth, 120);
    EXPECT_TRUE(markup.InternalWindow);
    EXPECT_FALSE(w.grid.ComposeCellHint(w.in(2, 2)).InternalWindow);
    w.grid.UseInternalHintClass = false;
    EXPECT_FALSE(w.grid.ComposeCellHint(w.in(1, 1)).InternalWindow);
}

TEST(CellHintExtras, OutsideTheCellsNoTextButTheHintColour)
{
    HintWindow w;
    w.grid.HintShowCells = true;
    w.grid.HintColor = 0x123456;
    const auto hint = w.grid.ComposeCellHint(QPoint(495, 295));
    EXPECT_TRUE(hint.Text.isEmpty());
    EXPECT_EQ(hint.Color, TColor(0x123456));
}

TEST(CellHintShown, ToolTipEventShowsTheHintAndMovingAwayCancelsIt)
{
    HintWindow w;
    w.grid.HintShowCells = true;
    const QPoint at = w.in(2, 2);
    QHelpEvent help(QEvent::ToolTip, at, w.grid.viewport()->mapToGlobal(at));
    QApplication::sendEvent(w.grid.viewport(), &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("plain"));
    EXPECT_EQ(w.grid.LastHintPos().X, 2);

    // Moving inside the same cell keeps the hint, another cell cancels it.
    QTest::mouseMove(w.grid.viewport(), at + QPoint(2, 2));
    EXPECT_EQ(w.grid.LastHintPos().X, 2);
    QTest::mouseMove(w.grid.viewport(), w.in(3, 3));
    EXPECT_EQ(w.grid.LastHintPos().X, -1);
}

} // namespace
