// Rows (plain, two-line, markup with a font colour, rotated and progress cells), a header and a footer printed through the printer stand-in into a PDF file, read back
// with pdftotext and rendered with pdftoppm at 100 dpi: texts, borders, a check box and a
// markup title where the 0.1-mm geometry puts them.

#include "grid/QvGrid.h"
#include "grid/print/GridPrint.h"
#include "platform/Printer.h"
#include "platform/Services.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using namespace grid;

namespace {

constexpr int kDpi = 100;

int px(int logical)
{
    return int(std::lround(std::abs(logical) * kDpi / 254.0));
}

bool isRed(QRgb c)
{
    return qRed(c) > 180 && qGreen(c) < 170 && qBlue(c) < 170;
}

bool isDark(QRgb c)
{
    return qRed(c) < 170 && qGreen(c) < 170 && qBlue(c) < 170;
}

bool redNear(const QImage& img, int x, int y)
{
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (img.valid(x + dx, y + dy) && isRed(img.pixel(x + dx, y + dy)))
                return true;
    return false;
}

// The bounding box of dark pixels in the area, if any.
std::optional<QRect> darkBox(const QImage& img, const QRect& area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (img.valid(x, y) && isDark(img.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box.isNull() ? std::nullopt : std::optional<QRect>(box);
}

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PrintPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()
            || QStandardPaths::findExecutable("pdftoppm").isEmpty())
            GTEST_SKIP() << "poppler-utils (pdftotext, pdftoppm) not installed";
        ASSERT_TRUE(dir.isValid());
        pdf = dir.filePath("grid.pdf");
    }

    QTemporaryDir dir;
    QString pdf;
};

TEST_F(PrintPdf, RowsHeaderFooterBordersCheckBoxAndMarkupTitleLandOnThePage)
{
    platform::QtPrinter printer(pdf);
    platform::Services services;
    services.printer = &printer;

    TQvStringGrid grid;
    grid.SetServices(services);
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.SetFixedRows(0);
    grid.SetFixedCols(0);
    grid.SetCells(0, 0, "Alpha");
    grid.SetCells(1, 0, "Beta");
    grid.SetCells(0, 1, "Gamma");
    grid.SetCells(0, 2, "Delta");
    grid.AddCheckBox(2, 1, true, false);
    grid.SetCells(1, 1, "line one\r\nline two");
    grid.SetCells(2, 2, "<i>marked</i> <font color=\"clred\">up</font>");
    grid.AddRotated(1, 2, 30, "Turned");
    grid.AddProgress(2, 0, 0x00FF00, 0xFFFFFF);
    grid.SetCells(2, 0, "40");
    TCellGraphic* box = grid.GetCellGraphic(2, 1);
    ASSERT_NE(box, nullptr);
    box->FCellHAlign = haLeft;
    box->FCellVAlign = vaTop;
    auto& ps = grid.PrintSettings();
    ps.SetBorderColor(0x0000FF);
    ps.SetUseFixedWidth(true);
    ps.SetFixedWidth(400);
    ps.SetUseFixedHeight(true);
    ps.SetFixedHeight(160);
    ps.SetPrintGraphics(true);
    ps.SetLeftSize(100);
    ps.SetTitle(ppTopLeft);
    ps.SetTitleLines({"<b>Quarterly</b> scan list"});
    ps.SetPageNr(ppBottomRight);
    ps.SetPagePrefix("Page");
    ps.SetBorders(pbSingle);
    printer.SetTitle("Grid");

    ASSERT_TRUE(printer.BeginDoc());
    QPainter& canvas = *printer.Canvas();
    SetLoMetric(canvas);
    const int pageWidth = int(std::lround(254.0 / printer.ResolutionX() * printer.PageWidth()));
    const int pageHeight = int(std::lround(254.0 / printer.ResolutionY() * printer.PageHeight()));
    TGridPrinter& p = grid.Printer();
    p.PrepareRun(canvas, pmPrint, {0, 0, 2, 2}, pageWidth, -pageHeight);
    p.ComputePrintColumnWidths(canvas);
    p.Indents[0] = ps.LeftSize();
    for (int c = 0; c < 3; ++c)
        p.Indents[std::size_t(c + 1)] = p.Indents[std::size_t(c)] + p.MaxWidths[std::size_t(c)] + p.s;
    p.PrintColEnd = 2;
    int y = -ps.HeaderSize();
    const int titleHeight = p.PrintHeaderFooter(canvas);
    y -= ps.TitleSpacing() + titleHeight;
    int rowTop[3];
    for (int r = 0; r < 3; ++r) {
        rowTop[r] = y;
        y -= p.PrintCellRow(canvas, y, 0, 2, r);
    }
    const int pitch = rowTop[0] - rowTop[1];
    p.DrawPageFrame(canvas, 0, 2, y);
    printer.EndDoc();
    ASSERT_TRUE(QFile::exists(pdf));

    // Texts.
    const QString text = run("pdftotext", {"-layout", pdf, "-"});
    for (const char* expected : {"Alpha", "Beta", "Gamma", "Delta", "line one", "line two", "marked up", "40%",
                                 "Quarterly scan list", "Page 1"})
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << " in:\n" << text.toStdString();

    // The page at 100 dpi.
    run("pdftoppm",
        {"-r", QString::number(kDpi), "-png", "-f", "1", "-l", "1", "-singlefile", pdf, dir.filePath("page")});
    const QImage page(dir.filePath("page.png"));
    ASSERT_FALSE(page.isNull());

    // Borders of row 1: left, inner and right lines, top and bottom lines.
    const int midY = px(rowTop[1] - pitch / 2);
    for (int c = 0; c <= 3; ++c)
        EXPECT_TRUE(redNear(page, px(p.Indents[std::size_t(c)]), midY)) << "line left of column " << c;
    EXPECT_TRUE(redNear(page, px(p.Indents[0] + 200), px(rowTop[1])));
    EXPECT_TRUE(redNear(page, px(p.Indents[0] + 200), px(rowTop[1] - pitch)));

    // The check box at the cell's top-left, one f in, with the box's printed size.
    const int boxLeft = p.Indents[2] + int(std::lround(p.f)), boxTop = rowTop[1];
    const int boxSize = int(std::lround(grid.ControlLook().CheckSize() * p.f));
    const auto found = darkBox(page, QRect(px(p.Indents[2]) + 2, px(boxTop) + 2, px(400) - 4, px(pitch) - 4));
    ASSERT_TRUE(found.has_value());
    EXPECT_NEAR(found->left(), px(boxLeft), 1);
    EXPECT_NEAR(found->top(), px(boxTop), 2); // the first row of the face may be light
    EXPECT_LE(found->right(), px(boxLeft + boxSize) + 1);

    // The markup cell's font colour, inside the cell's borders.
    bool redText = false;
    for (int y = px(rowTop[2]) + 3; y < px(rowTop[2] - pitch) - 3; ++y)
        for (int x = px(p.Indents[2]) + 3; x < px(p.Indents[3]) - 3; ++x)
            redText = redText || isRed(page.pixel(x, y));
    EXPECT_TRUE(redText);

    // The markup title: above row 1's top line, and as tall as the height it reserved.
    const auto title = darkBox(page, QRect(px(ps.LeftSize()), 0, px(pageWidth) - px(ps.LeftSize()), px(rowTop[0]) - 1));
    ASSERT_TRUE(title.has_value());
    EXPECT_LT(title->bottom(), px(rowTop[0]));
    EXPECT_GT(titleHeight, 0);
    EXPECT_LE(title->height(), px(titleHeight) + 1);
    EXPECT_GE(title->height(), px(titleHeight) / 2);
}

TEST_F(PrintPdf, AnAbortedDocumentLeavesNoFile)
{
    platform::QtPrinter printer(pdf);
    ASSERT_TRUE(printer.BeginDoc());
    EXPECT_TRUE(printer.Printing());
    printer.Abort();
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.Canvas(), nullptr);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(printer.OrientationAngle(), 0);
}

} // namespace
