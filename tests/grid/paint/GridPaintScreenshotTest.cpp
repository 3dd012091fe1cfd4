// A whole grid painted to a PNG for a person to look at: fixed row and column, check boxes, a
// progress bar, node rows and a merged cell, once with the system's visual styles and once
// with the classic look. The pixels checked here are the ones a glance would miss.

#include "grid/QvGrid.h"
#include "grid/look/QvXPVS.h"
#include "grid/paint/GridPaint.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include "support/Screenshots.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

void fillDemo(TQvStringGrid& g)
{
    g.resize(440, 206);
    g.SetOptions(g.Options() | goEditing);
    g.SetColCount(6);
    g.SetRowCount(9);
    g.SetColWidths(0, 70);
    g.SetColWidths(2, 110);
    const QStringList headers{QString(),
                              QStringLiteral("Enable"),
                              QStringLiteral("Progress"),
                              QStringLiteral("Name"),
                              QStringLiteral("Offset"),
                              QStringLiteral("Length")};
    for (int c = 0; c < headers.size(); ++c)
        g.SetCells(c, 0, headers[c]);
    // Two nodes of three rows each, the second contracted-looking glyph on row 5.
    g.FNumNodes = 2;
    for (int r = 1; r <= 6; ++r)
        g.GetCellProperties(0, r)->FNodeLevel = 1;
    g.CreateCellGraphic(0, 1)->FCellType = ctNode;
    TCellGraphic* second = g.CreateCellGraphic(0, 4);
    second->FCellType = ctNode;
    g.SetCells(0, 7, QStringLiteral("7"));
    g.SetCells(0, 8, QStringLiteral("8"));
    for (int r = 1; r < 9; ++r) {
        g.CreateCellGraphic(1, r)->SetCheckBox(r % 3 != 0, false, false, haCenter, vaCenter);
        TCellGraphic* p = g.CreateCellGraphic(2, r);
        p->FCellType = ctXPProgress;
        p->FCellErrFrom = 0;
        p->FCellErrLen = 100;
        g.SetCells(2, r, QString::number(r * 12));
        g.SetCells(3, r, QStringLiteral("Variable %1").arg(r));
        g.SetCells(4, r, QString::number(r * 8));
        g.SetCells(5, r, QStringLiteral("16"));
    }
    g.SetCells(4, 6, QStringLiteral("Merged cell"));
    g.MergeCells(4, 6, 2, 2);
}

QImage shot(TQvStringGrid& g)
{
    QImage img(g.viewport()->size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    g.viewport()->render(&img);
    return img;
}

class GridPaintScreenshot : public ::testing::TestWithParam<bool> {
protected:
    void TearDown() override
    {
        ReleaseGridThemeApi();
        BindGridThemeApi();
    }
};

INSTANTIATE_TEST_SUITE_P(Looks, GridPaintScreenshot, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Themed" : "Classic"; });

TEST_P(GridPaintScreenshot, DemoGridToPng)
{
    ReleaseGridThemeApi();
    if (GetParam())
        BindGridThemeApi();
    TQvStringGrid g;
    fillDemo(g);
    g.show();
    const QImage img = shot(g);
    ASSERT_TRUE(testsupport::saveScreenshot(img, GetParam() ? QStringLiteral("GridPaint_themed.png")
                                                            : QStringLiteral("GridPaint_classic.png")));

    // Inside the merged cell (columns 4 and 5, rows 6 and 7) no grid line separates the parts.
    const TRect merged = g.CellRect(4, 6);
    const QRgb inside = img.pixel(merged.Left + 3, merged.Bottom - 3);
    const int splitX = merged.Left + g.ColWidths(4);
    EXPECT_EQ(img.pixel(splitX, merged.Bottom - 3), inside);
    const int splitY = merged.Top + g.RowHeights(6);
    EXPECT_EQ(img.pixel(merged.Left + 3, splitY), inside);
    // A progress cell shows the level colour in its left part.
    const TRect bar = g.CellRect(2, 5);
    EXPECT_NE(img.pixel(bar.Left + 5, bar.Top + bar.Height() / 2),
              img.pixel(bar.Right - 8, bar.Top + bar.Height() / 2));
}

} // namespace
