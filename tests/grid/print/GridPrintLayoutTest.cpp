// The page layout: pages counted on a QImage canvas, and a three-page grid printed to PDF through
// the printer stand-in, read back with pdfinfo and pdftotext.

#include "grid/print/GridPrint.h"
#include "grid/QvGrid.h"
#include "platform/Printer.h"
#include "platform/Services.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace grid;

namespace {

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// 30 rows of 100 (0.1 mm) on pages of 1200: rows fixed in height, no header.
void fill(TQvStringGrid& grid, int rows)
{
    grid.SetColCount(3);
    grid.SetRowCount(rows);
    grid.SetFixedRows(1);
    grid.SetFixedCols(0);
    grid.SetCells(0, 0, "Head");
    for (int r = 1; r < rows; ++r)
        grid.SetCells(0, r, QStringLiteral("Row%1").arg(r));
    auto& ps = grid.PrintSettings();
    ps.SetUseFixedHeight(true);
    ps.SetFixedHeight(100);
    ps.SetUseFixedWidth(true);
    ps.SetFixedWidth(400);
}

TEST(PrintLayout, CountsPagesStripsAndFit)
{
    QImage img(800, 800, QImage::Format_RGB32);
    QPainter canvas(&img);
    SetLoMetric(canvas);
    TQvStringGrid grid;
    fill(grid, 30);
    TGridPrinter& p = grid.Printer();
    p.PrintRect = {0, 0, 2, 29};
    const int oneStrip = p.PrintGridPages(canvas, pmCountPrint, false, 2000, -1200);
    EXPECT_EQ(p.StripCount, 1);
    EXPECT_GT(oneStrip, 1);
    // Narrower than one column: each column gets its own strip at full width.
    const int narrow = p.PrintGridPages(canvas, pmCountPrint, false, 300, -1200);
    EXPECT_EQ(p.StripCount, 3);
    EXPECT_EQ(narrow, 3 * oneStrip);
    EXPECT_EQ(p.MaxWidths[0], 400);
    // fpGrow on a wide grid keeps the natural size.
    grid.PrintSettings().SetFitToPage(fpGrow);
    p.PrintGridPages(canvas, pmCountPrint, false, 300, -1200);
    EXPECT_EQ(p.MaxWidths[0], 400);
    // fpAlways: factor (page - n*s) / (total - n*s), s = 0 with UseFixedWidth.
    grid.PrintSettings().SetFitToPage(fpAlways);
    p.PrintGridPages(canvas, pmCountPrint, false, 600, -1200);
    EXPECT_EQ(p.MaxWidths[0], 200);
    EXPECT_EQ(p.StripCount, 1);
    // A row taller than the page still ends the run: one row a page.
    grid.PrintSettings().SetFitToPage(fpNever);
    grid.PrintSettings().SetFixedHeight(5000);
    EXPECT_EQ(p.PrintGridPages(canvas, pmCountPrint, false, 2000, -1200), 30);
    EXPECT_EQ(p.MapFontHeight(10), -35);
}

TEST(PrintLayout, ThreePagesToPdfWithRepeatedFixedRowAndPageNumbers)
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty() || QStandardPaths::findExecutable("pdfinfo").isEmpty())
        GTEST_SKIP() << "poppler-utils not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("grid.pdf");
    platform::QtPrinter printer(pdf);
    platform::Services services;
    services.printer = &printer;
    TQvStringGrid grid;
    grid.SetServices(services);
    // How many rows go on one page of this printer, from a count.
    const int pageHeight = int(254.0 / printer.ResolutionY() * printer.PageHeight());
    const int perPage = pageHeight / 120;
    fill(grid, 2 * perPage + 5);
    auto& ps = grid.PrintSettings();
    ps.SetRepeatFixedRows(true);
    ps.SetPageNr(ppBottomRight);
    int starts = 0, dones = 0;
    std::vector<int> lastRows;
    grid.OnPrintPageDone = [&](TQvStringGrid*, QPainter&, int lastRow, int, int, int, int) { lastRows.push_back(lastRow); };
    grid.Print();
    ASSERT_EQ(lastRows.size(), 3u);
    const QString info = run("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+3"))) << info.toStdString();
    const QString text = run("pdftotext", {"-layout", pdf, "-"});
    const QStringList pages = text.split(QChar('\f'));
    ASSERT_GE(pages.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(pages[i].contains(QStringLiteral("%1/3").arg(i + 1))) << pages[i].toStdString();
    EXPECT_TRUE(pages[1].contains("Head"));

    // Preview and print agree on the page breaks.
    std::vector<int> previewRows;
    grid.OnPrintPageDone = [&](TQvStringGrid*, QPainter&, int lastRow, int, int, int, int) { previewRows.push_back(lastRow); };
    const int w = printer.PageWidth(), h = printer.PageHeight();
    for (int page = 1; page <= 3; ++page) {
        QImage img(w, h, QImage::Format_RGB32);
        img.setDotsPerMeterX(printer.ResolutionX() * 10000 / 254);
        img.setDotsPerMeterY(printer.ResolutionY() * 10000 / 254);
        img.fill(Qt::white);
        QPainter canvas(&img);
        grid.SetPreviewPage(page);
        grid.PrintPreview(canvas, {0, 0, w, h});
        canvas.end();
        img.save(dir.filePath(QStringLiteral("preview%1.png").arg(page)));
    }
    EXPECT_EQ(previewRows, lastRows);

    // FromPage 0: no page is written, start and done still go out.
    QFile::remove(pdf);
    grid.OnPrintStart = [](TQvStringGrid*, int, int& from, int&) { from = 0; };
    grid.Print();
    EXPECT_FALSE(QFile::exists(pdf));
    (void)starts;
    (void)dones;
}

} // namespace
