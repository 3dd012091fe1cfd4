// The floating footer: its settings' effect on the grid, the panel's painting by style, clicks
// and hints passed to the grid's events, the template's placeholders and the footer totals.

#include "grid/footer/FloatingFooter.h"
#include "grid/QvGrid.h"
#include "support/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QHelpEvent>
#include <QPainter>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace grid;

namespace {

// A shown grid of 15 columns (2 fixed) and 6 rows with its footer strip 30 pixels high.
struct FooterGrid {
    explicit FooterGrid(TFooterStyle style = fsFixedLastRow)
    {
        g.resize(600, 240);
        g.SetColCount(15);
        g.SetRowCount(6);
        g.SetFixedCols(2);
        for (int r = 1; r < 5; ++r)
            for (int c = 2; c < 15; ++c)
                g.SetCells(c, r, QString::number(r * 10 + c));
        g.FloatingFooter.SetHeight(30);
        g.FloatingFooter.SetFooterStyle(style);
        g.FloatingFooter.SetVisible(true);
        g.show();
        QApplication::processEvents();
    }
    TFooterPanel& panel() { return *g.FooterPanel(); }
    QImage shot() { return panel().grab().toImage(); }
    TQvStringGrid g;
};

TEST(FloatingFooter, FixedFootersFollowStyleAndVisibility)
{
    struct Case {
        TFooterStyle style;
        bool visible;
        int footers;
    };
    const Case cases[] = {{fsFixedLastRow, true, 1},
                          {fsFixedLastRow, false, 0},
                          {fsColumnPreview, true, 0},
                          {fsCustomPreview, true, 0},
                          {fsCustomPaint, true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.style) * 10 + c.visible);
        TQvStringGrid g;
        g.SetRowCount(5);
        g.FloatingFooter.SetFooterStyle(c.style);
        g.FloatingFooter.SetVisible(c.visible);
        EXPECT_EQ(g.FixedFooters(), c.footers);
        EXPECT_EQ(g.FHideLastRow, c.footers == 1);
    }
}

TEST(FloatingFooter, PanelTakesItsHeightBelowTheViewport)
{
    TQvStringGrid g;
    int created = 0;
    g.OnCreatedFloatingFooter = [&](TQvStringGrid* s) { created += s == &g; };
    g.resize(400, 200);
    g.FloatingFooter.SetHeight(30);
    g.FloatingFooter.SetVisible(true);
    g.show();
    QApplication::processEvents();
    EXPECT_EQ(created, 1);
    TFooterPanel& p = *g.FooterPanel();
    EXPECT_EQ(p.height(), 29);
    EXPECT_EQ(p.geometry().top(), g.viewport()->geometry().bottom() + 1);
    // Height 0 leaves the panel as it is.
    g.FloatingFooter.SetHeight(0);
    EXPECT_EQ(p.height(), 29);
    g.FloatingFooter.SetVisible(false);
    EXPECT_TRUE(p.isHidden());
    EXPECT_EQ(g.viewport()->geometry().bottom() + 1,
              g.height() - g.frameWidth()
                  - (g.horizontalScrollBar()->isVisible() ? g.horizontalScrollBar()->height() : 0));
    g.hide();
    g.show();
    EXPECT_EQ(created, 1);
}

TEST(FloatingFooter, ClickReportsTheScrolledColumnAndTheLastRow)
{
    FooterGrid f;
    f.g.SetLeftCol(7); // two fixed columns, scrolled by five
    QApplication::processEvents();
    std::vector<std::pair<int, int>> clicks;
    int plain = 0;
    f.g.OnClickCell = [&](TQvStringGrid*, int ARow, int ACol) { clicks.emplace_back(ARow, ACol); };
    f.g.OnClick = [&](TStringGrid*) { ++plain; };
    const int x = f.g.ColWidths(0) + f.g.ColWidths(1) + f.g.ColWidths(7) + f.g.ColWidths(8) + 5;
    QTest::mouseClick(&f.panel(), Qt::LeftButton, {}, QPoint(x, 10));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], std::make_pair(f.g.RowCount() - 1, 9));
    EXPECT_EQ(plain, 1);
    EXPECT_EQ(f.panel().ColumnAt(3), 0);
    EXPECT_EQ(f.panel().ColumnAt(100000), -1);
}

TEST(FloatingFooter, TemplatePlaceholders)
{
    auto cell = [](int c) { return QStringLiteral("v%1").arg(c); };
    const std::pair<const char*, const char*> cases[] = {
        {"Total <#2>", "Total v2"},
        {"<#1>-<#12> end", "v1-v12 end"},
        {"a<#x>b", "ab"},             // no number: dropped
        {"a<#2>b<#3", "av2b<#3"},     // unclosed: kept with what follows
        {"<b><#4></b>", "<b>v4</b>"}, // markup goes on to the renderer
        {"none", "none"},
    };
    for (auto [in, out] : cases)
        EXPECT_EQ(FillFooterTemplate(QString::fromLatin1(in), cell), QString::fromLatin1(out)) << in;
}

TEST(FloatingFooter, CustomPreviewFollowsTheCurrentRow)
{
    FooterGrid f(fsCustomPreview);
    f.g.FloatingFooter.SetCustomTemplate(QStringLiteral("Total <#2>"));
    f.g.FocusCell(3, 1);
    const QImage row1 = f.shot(); // "Total 12"
    f.g.FocusCell(3, 2);
    EXPECT_NE(f.shot(), row1); // "Total 22"
    f.g.SetCells(2, 2, QStringLiteral("12"));
    EXPECT_EQ(f.shot(), row1);
}

TEST(FloatingFooter, BorderLineOnlyWithAColour)
{
    FooterGrid f(fsCustomPaint);
    int painted = 0;
    f.g.OnFooterPaint = [&](TQvStringGrid*, int column, QPainter& p, TRect r) {
        ++painted;
        EXPECT_EQ(column, 3);
        p.fillRect(r.toQRect(), Qt::white);
    };
    f.g.FloatingFooter.SetColumn(3);
    EXPECT_EQ(f.shot().pixelColor(20, 0), QColor(Qt::white));
    f.g.FloatingFooter.SetBorderColor(0x0000FF);
    EXPECT_EQ(f.shot().pixelColor(20, 0), QColor(Qt::red));
    EXPECT_EQ(f.shot().pixelColor(20, 1), QColor(Qt::white));
    EXPECT_GT(painted, 0);
}

TEST(FloatingFooter, HintsOnlyWithShowHint)
{
    FooterGrid f;
    std::vector<std::pair<int, int>> asked;
    f.g.OnGridHint = [&](TQvStringGrid*, int ARow, int ACol, QString& hint) {
        asked.emplace_back(ARow, ACol);
        hint = QStringLiteral("column %1").arg(ACol);
    };
    auto hintAt = [&](int x) {
        QHelpEvent e(QEvent::ToolTip, QPoint(x, 5), f.panel().mapToGlobal(QPoint(x, 5)));
        QApplication::sendEvent(&f.panel(), &e);
        QApplication::processEvents();
    };
    hintAt(f.g.ColWidths(0) + 5);
    EXPECT_FALSE(QToolTip::isVisible());
    EXPECT_EQ(f.panel().LastHintX(), -1);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_pair(5, 1));

    f.g.FloatingFooter.SetShowHint(true);
    hintAt(f.g.ColWidths(0) + 5);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("column 1"));
    EXPECT_EQ(f.panel().LastHintX(), 1);
    // Into another column: the shown hint goes.
    QTest::mouseMove(&f.panel(), QPoint(f.g.ColWidths(0) + f.g.ColWidths(1) + 5, 5));
    // The platform lets a cancelled tip go after a short fade.
    for (int i = 0; i < 200 && QToolTip::isVisible(); ++i)
        QTest::qWait(10);
    EXPECT_FALSE(QToolTip::isVisible());
    EXPECT_EQ(f.panel().LastHintX(), 2);
}

TEST(FloatingFooter, AssignCopiesOnlyItsList)
{
    TQvStringGrid a, b;
    a.FloatingFooter.SetCalculateHiddenRows(false);
    a.FloatingFooter.SetColor(0x112233);
    a.FloatingFooter.SetColumn(4);
    a.FloatingFooter.SetCustomTemplate(QStringLiteral("<#1>"));
    a.FloatingFooter.SetFooterStyle(fsCustomPreview);
    a.FloatingFooter.SetVisible(true);
    a.FloatingFooter.SetShowHint(true);
    a.FloatingFooter.SetHeight(40);
    a.FloatingFooter.SetBorderColor(0x0000FF);
    a.FloatingFooter.SetEnableCalculation(false);
    b.FloatingFooter.Assign(a.FloatingFooter);
    const TFloatingFooter& f = b.FloatingFooter;
    EXPECT_FALSE(f.CalculateHiddenRows());
    EXPECT_EQ(f.Color(), 0x112233u);
    EXPECT_EQ(f.Column(), 4);
    EXPECT_EQ(f.CustomTemplate(), QStringLiteral("<#1>"));
    EXPECT_EQ(f.FooterStyle(), fsCustomPreview);
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(f.ShowHint());
    EXPECT_EQ(f.Height(), 0);
    EXPECT_EQ(f.BorderColor(), clNone);
    EXPECT_TRUE(f.EnableCalculation());
}

TEST(FloatingFooter, DefaultsAndTheColourTheSchemesWrite)
{
    TQvStringGrid g;
    const TFloatingFooter& f = g.FloatingFooter;
    EXPECT_TRUE(f.CalculateHiddenRows());
    EXPECT_TRUE(f.EnableCalculation());
    EXPECT_FALSE(f.Visible());
    EXPECT_FALSE(f.ShowHint());
    EXPECT_EQ(f.Height(), 0);
    EXPECT_EQ(f.FooterStyle(), fsFixedLastRow);
    EXPECT_EQ(f.BorderColor(), clNone);
    EXPECT_EQ(f.Color(), platform::clBtnFace);
    g.FloatingFooter.SetColor(0x123456); // one value with the colour schemes'
    EXPECT_EQ(g.LookState().FloatingFooterColor, 0x123456u);
}

TEST(FloatingFooter, TotalsInTheLastRow)
{
    FooterGrid f;
    TFloatingFooter& ff = f.g.FloatingFooter;
    const int last = f.g.RowCount() - 1;
    EXPECT_EQ(ff.GetColumnCalc(2), acNONE);
    ff.SetColumnCalc(2, acSUM);
    ff.SetColumnCalc(3, acMAX);
    ff.SetColumnCalc(4, acCOUNT);
    EXPECT_EQ(ff.GetColumnCalc(2), acSUM);
    EXPECT_EQ(f.g.Cells(2, last), QStringLiteral("108.00")); // 12 + 22 + 32 + 42, in the float format
    EXPECT_EQ(f.g.Cells(3, last), QStringLiteral("43.00"));
    EXPECT_EQ(f.g.Cells(4, last), QStringLiteral("4"));
    // The footer row is painted in the strip, not in the cells above it.
    const QImage strip = f.shot();
    EXPECT_FALSE(strip.isNull());
}

// A picture for the eye: a grid with the focus frame on an edited cell, and each footer style.
TEST(FloatingFooter, ScreenshotOfTheFrameAndEachStyle)
{
    QImage sheet(620, 4 * 250, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter out(&sheet);
    const TFooterStyle styles[] = {fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint};
    for (int i = 0; i < 4; ++i) {
        FooterGrid f(styles[i]);
        f.g.FocusHelper().SetEnabled(true);
        f.g.SetOptions(f.g.Options() | goEditing);
        f.g.FloatingFooter.SetColumn(3);
        f.g.FloatingFooter.SetBorderColor(0x808080);
        f.g.FloatingFooter.SetCustomTemplate(QStringLiteral("Row total <b><#2></b> and <i><#3></i>"));
        if (styles[i] == fsCustomPaint)
            f.g.OnFooterPaint = [](TQvStringGrid*, int, QPainter& p, TRect r) {
                p.fillRect(r.toQRect(), QColor(0xE0, 0xF0, 0xFF));
                p.drawText(r.toQRect(), Qt::AlignCenter, QStringLiteral("painted by the event"));
            };
        if (styles[i] == fsFixedLastRow) {
            f.g.FloatingFooter.SetColumnCalc(2, acSUM);
            f.g.FloatingFooter.SetColumnCalc(3, acAVG);
        }
        f.g.FocusCell(3, 2);
        f.g.ShowFocusWindow(f.g.CellRect(3, 2));
        QApplication::processEvents();
        out.drawImage(0, i * 250, f.g.grab().toImage());
        TGridFocusWindow* w = f.g.FocusWindow();
        const QPoint at = f.g.mapFromGlobal(w->pos());
        out.setOpacity(w->Opacity() / 255.0);
        out.setClipRegion(w->mask().translated(at + QPoint(0, i * 250)));
        out.drawImage(at + QPoint(0, i * 250), w->Picture());
        out.setClipping(false);
        out.setOpacity(1);
        f.g.HideFocusWindow();
    }
    out.end();
    ASSERT_TRUE(testsupport::saveScreenshot(sheet, QStringLiteral("grid/grid_focus_frame_footers.png")));
    // The footer painted by the event shows its own colour in the last grid's picture.
    const QRect last(0, 3 * 250, sheet.width(), 250);
    EXPECT_LT(testsupport::pixelsOtherThan(sheet, last, QColor(0xE0, 0xF0, 0xFF)), last.width() * last.height());
}

} // namespace
