// The pointer over the grid beyond hover: the picture of moved cells, header drag selection,
// the select mode reset on leaving, fixed sizing, sizing reports and enhanced moves with their
// floating header button and target arrows.

#include "grid/QvGrid.h"

#include "grid/support/GridTestHelpers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
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
    EXPECT_EQ(image->pixmap().toImage().copy(QRect(QPoint(0, 0), shown.size())).convertToFormat(shown.format()),
              shown);
}

} // namespace
