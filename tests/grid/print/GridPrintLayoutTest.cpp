// The page layout: pages counted on a QImage canvas, runs on a recording printer (events,
// notifications, aborts, exceptions, the selected-only filter, wide grids), and a three-page grid
// printed to PDF through the printer stand-in, read back with pdfinfo and pdftotext.

#include "grid/QvGrid.h"
#include "grid/print/GridPrint.h"
#include "grid/support/FakePrinter.h"
#include "platform/Printer.h"
#include "platform/Services.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <stdexcept>
#include <utility>

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
    grid.OnPrintPageDone = [&](TQvStringGrid*, QPainter&, int lastRow, int, int, int, int) {
        lastRows.push_back(lastRow);
    };
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
    grid.OnPrintPageDone = [&](TQvStringGrid*, QPainter&, int lastRow, int, int, int, int) {
        previewRows.push_back(lastRow);
    };
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

namespace {

// A grid that tells what its runs report: progress notifications and the run's events, in order.
class RecordingGrid : public TQvStringGrid {
public:
    RecordingGrid()
    {
        OnPrintStart = [this](TQvStringGrid*, int pages, int&, int&) {
            Log << QStringLiteral("printstart %1").arg(pages);
        };
        OnPrintPage = [this](TQvStringGrid*, QPainter&, int page, int, int) {
            Log << QStringLiteral("page %1").arg(page);
        };
        OnPrintNewPage = [this](TQvStringGrid*, int row, bool& newPage) {
            Log << QStringLiteral("new %1").arg(row);
            newPage = BreakBefore.count(row) > 0;
        };
        OnPrintPageDone = [this](TQvStringGrid*, QPainter&, int lastRow, int, int page, int, int) {
            Log << QStringLiteral("done %1 %2").arg(page).arg(lastRow);
            LastRows.push_back(lastRow);
        };
        OnPrintCancel = [this](TQvStringGrid*, int page, bool& cancel) {
            Log << QStringLiteral("cancel %1").arg(page);
            cancel = page == CancelOnPage;
        };
    }
    void ExportNotification(TExportState state, int row) override
    {
        static const char* const names[] = {"start", "next", "exportdone", "newrow", "selrow"};
        Log << (row < 0 ? QString::fromLatin1(names[state]) : QStringLiteral("%1 %2").arg(names[state]).arg(row));
    }

    QStringList Log;
    std::vector<int> LastRows;
    std::set<int> BreakBefore; // OnPrintNewPage ends the page before these rows
    int CancelOnPage = 0;
};

class PrintRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        services.printer = &printer;
        grid.SetServices(services);
        fill(grid, 12);
    }
    // The cells (real column, row) that a preview of page 1 draws.
    std::set<std::pair<int, int>> previewedCells(void (TQvStringGrid::*preview)(QPainter&, const TRect&))
    {
        std::set<std::pair<int, int>> cells;
        grid.OnCustomCellDraw = [&](TQvStringGrid*, QPainter&, int col, int row, TGridDrawState, const TRect&, bool) {
            cells.insert({col, row});
        };
        QImage img(2100, 1200, QImage::Format_RGB32);
        img.setDotsPerMeterX(10000);
        img.setDotsPerMeterY(10000);
        QPainter canvas(&img);
        (grid.*preview)(canvas, {0, 0, 2100, 1200});
        grid.OnCustomCellDraw = nullptr;
        return cells;
    }

    test::FakePrinter printer;
    platform::Services services;
    RecordingGrid grid;
};

TEST_F(PrintRun, EventsOfAThreePageRunComeInOrder)
{
    grid.BreakBefore = {4, 8};
    grid.PrintSettings().SetPageNr(ppBottomRight);
    grid.OnPrintGetPageNum = [&](TQvStringGrid*, int page, int, QString&) {
        grid.Log << QStringLiteral("pagenum %1").arg(page);
    };
    grid.Print();
    QStringList expected{"start"};
    const auto rows = [&](int from, int to) {
        for (int r = from; r <= to; ++r)
            expected << QStringLiteral("newrow %1").arg(r) << QStringLiteral("new %1").arg(r + 1);
    };
    rows(0, 11); // the counting run
    expected << "printstart 3";
    for (int page = 1; page <= 3; ++page) {
        expected << QStringLiteral("page %1").arg(page) << QStringLiteral("pagenum %1").arg(page);
        rows(4 * page - 4, 4 * page - 1);
        expected << QStringLiteral("done %1 %2").arg(page).arg(4 * page) << QStringLiteral("cancel %1").arg(page);
    }
    expected << "exportdone";
    EXPECT_EQ(grid.Log, expected);
    // The counting document is dropped when the application is asked; the pages then follow.
    EXPECT_EQ(printer.Calls, QStringList({"title ", "begin", "abort", "begin", "newpage", "newpage", "end"}));
    EXPECT_EQ(printer.Pages.size(), 3u);
    EXPECT_TRUE(printer.EndTransform.isIdentity());
}

TEST_F(PrintRun, CancelStopsAfterTheCurrentPage)
{
    grid.BreakBefore = {4, 8};
    grid.CancelOnPage = 2;
    grid.Print();
    EXPECT_EQ(grid.LastRows, std::vector<int>({4, 8}));
    EXPECT_EQ(printer.Pages.size(), 2u);
    EXPECT_EQ(printer.Calls.last(), "end");
    EXPECT_EQ(grid.Log.last(), "exportdone");
}

TEST_F(PrintRun, AnEmptyPageRangeAbortsAndStillEndsTheProgress)
{
    for (const auto& [from, to] : std::vector<std::pair<int, int>>{{0, 3}, {1, 0}, {3, 2}}) {
        printer.Calls.clear();
        grid.Log.clear();
        grid.OnPrintStart = [&, from = from, to = to](TQvStringGrid*, int, int& f, int& t) {
            f = from;
            t = to;
        };
        grid.Print();
        EXPECT_EQ(printer.Calls, QStringList({"title ", "begin", "abort"})) << from << ".." << to;
        EXPECT_TRUE(printer.Pages.empty());
        EXPECT_EQ(grid.Log.first(), "start");
        EXPECT_EQ(grid.Log.last(), "exportdone");
        EXPECT_FALSE(grid.Log.contains("page 1"));
    }
}

TEST_F(PrintRun, FastPrintSkipsTheCountAndStopsAtTheLastPageAskedFor)
{
    grid.FastPrint = true;
    grid.BreakBefore = {4, 8};
    int asked = 0;
    grid.OnPrintStart = [&](TQvStringGrid*, int pages, int&, int& to) {
        asked = pages;
        to = 2;
    };
    grid.Print();
    EXPECT_EQ(asked, 2147483647);
    EXPECT_EQ(grid.LastRows, std::vector<int>({4, 8}));
    EXPECT_EQ(printer.Pages.size(), 2u);
}

TEST_F(PrintRun, AnExceptionStillEndsTheDocumentAndTheProgress)
{
    grid.BreakBefore = {4};
    grid.OnPrintPage = [](TQvStringGrid*, QPainter&, int page, int, int) {
        if (page == 2)
            throw std::runtime_error("out of paper");
    };
    EXPECT_THROW(grid.Print(), std::runtime_error);
    EXPECT_EQ(printer.Calls.last(), "end");
    EXPECT_TRUE(printer.EndTransform.isIdentity());
    EXPECT_EQ(grid.Log.last(), "exportdone");

    // A failing counting run too.
    grid.Log.clear();
    grid.OnPrintSetColumnWidth = [](TQvStringGrid*, int, int&) { throw std::runtime_error("no width"); };
    EXPECT_THROW(grid.Print(), std::runtime_error);
    EXPECT_EQ(printer.Calls.last(), "end");
    EXPECT_EQ(grid.Log.last(), "exportdone");
}

TEST_F(PrintRun, AFailingPreviewRestoresTheCanvasAndClearsThePreviewFlag)
{
    grid.OnPrintPageDone = [](TQvStringGrid*, QPainter&, int, int, int, int, int) { throw std::runtime_error("stop"); };
    QImage img(400, 400, QImage::Format_RGB32);
    QPainter canvas(&img);
    bool flagDuringRun = false;
    grid.OnPrintPage = [&](TQvStringGrid*, QPainter&, int, int, int) { flagDuringRun = grid.Printer().IsPrintPreview; };
    EXPECT_THROW(grid.PrintPreview(canvas, {0, 0, 400, 400}), std::runtime_error);
    EXPECT_TRUE(flagDuringRun);
    EXPECT_FALSE(grid.Printer().IsPrintPreview);
    EXPECT_TRUE(canvas.worldTransform().isIdentity());
    EXPECT_EQ(grid.Log.last(), "exportdone");
}

TEST_F(PrintRun, APartOfTheRowsIsReportedAsSelectedRows)
{
    grid.PrintRect({0, 2, 2, 5});
    EXPECT_TRUE(grid.Log.contains("selrow 2"));
    EXPECT_FALSE(grid.Log.contains("newrow 2"));
    grid.Log.clear();
    // From the first row after the fixed rows to the last: all rows.
    grid.PrintRect({0, 1, 2, 11});
    EXPECT_TRUE(grid.Log.contains("newrow 1"));
    EXPECT_FALSE(grid.Log.contains("selrow 1"));
}

TEST_F(PrintRun, ARangeReachingOutsideTheGridPrintsTheGridsPart)
{
    grid.PrintRect({-3, -3, 50, 500});
    EXPECT_EQ(grid.LastRows, std::vector<int>({12}));
    EXPECT_EQ(printer.Pages.size(), 1u);
}

TEST_F(PrintRun, TwoStripsPrintTwoPagesWithoutABlankOneBetween)
{
    // Three columns of 400 on a page of 1000: two strips of one page each.
    test::FakePrinter narrow(1000, 2970);
    services.printer = &narrow;
    grid.SetServices(services);
    grid.Print();
    EXPECT_EQ(narrow.Pages.size(), 2u);
    EXPECT_EQ(grid.Log.filter(QRegularExpression("^page ")), QStringList({"page 1", "page 2"}));
}

// Which cells the selected-only filter prints: rows 5..7 and columns 1..2 selected.
TEST_F(PrintRun, SelectedOnlyPrintsTheSelectedRowsAndColumns)
{
    grid.SetFixedCols(1);
    grid.SetSelection({1, 5, 2, 7});
    const auto cellsOf = [](std::initializer_list<int> cols, std::initializer_list<int> rows) {
        std::set<std::pair<int, int>> cells;
        for (int c : cols)
            for (int r : rows)
                cells.insert({c, r});
        return cells;
    };
    EXPECT_EQ(previewedCells(&TQvStringGrid::PrintPreviewSelectedRows), cellsOf({1, 2}, {5, 6, 7}));
    grid.PrintSettings().SetFixedCellsAlways(true);
    EXPECT_EQ(previewedCells(&TQvStringGrid::PrintPreviewSelectedCols), cellsOf({0, 1, 2}, {0, 5, 6, 7}));
    // The selection rectangle alone, without the filter.
    EXPECT_EQ(previewedCells(&TQvStringGrid::PrintPreviewSelection), cellsOf({1, 2}, {5, 6, 7}));
}

TEST_F(PrintRun, SelectedOnlyFollowsADisjunctSelection)
{
    grid.SetSelection({1, 2, 1, 2});
    grid.MouseActions().SetDisjunctRowSelect(true);
    grid.SetRowSelect(3, true);
    grid.SetRowSelect(9, true);
    // Selected rows print whole, whatever the selection rectangle says.
    std::set<std::pair<int, int>> rows;
    for (int c = 0; c < 3; ++c) {
        rows.insert({c, 3});
        rows.insert({c, 9});
    }
    EXPECT_EQ(previewedCells(&TQvStringGrid::PrintPreviewSelectedRows), rows);

    grid.MouseActions().SetDisjunctRowSelect(false);
    grid.MouseActions().SetDisjunctColSelect(true);
    grid.SetColSelect(2, true);
    // Selected columns of the rows in the selection rectangle.
    EXPECT_EQ(previewedCells(&TQvStringGrid::PrintPreviewSelectedCols), (std::set<std::pair<int, int>>{{2, 2}}));
}

TEST_F(PrintRun, SixHundredColumnsPrintInStripsWithTheirWidthsAndEdges)
{
    printer.KeepPages = false;
    grid.SetColCount(600);
    grid.SetRowCount(3);
    grid.SetCells(599, 1, "Last");
    grid.Print();
    // 2100 / 400: five columns a strip, 120 strips of one page.
    EXPECT_EQ(printer.PageCount, 120);
    EXPECT_EQ(grid.GetPrintColWidth(599), 400);
    EXPECT_EQ(grid.GetPrintColOffset(600) - grid.GetPrintColOffset(599), 400);
    EXPECT_THROW(grid.GetPrintColWidth(602), EQvGridError);
    EXPECT_THROW(grid.GetPrintColWidth(-1), EQvGridError);
}

} // namespace

namespace {

// Fit to page with measured widths: three columns of 100 screen pixels, spacing 10 (s = 30),
// margins of 50 on each side. The factor is (page - 100 - 3 s) / (total - 3 s).
struct FitCase {
    const char* what;
    TFitToPage mode;
    int page;
    bool allow; // OnFitToPage's answer
    bool scaled;
};

class PrintFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(PrintFit, ScalesTheColumnsOrKeepsTheirNaturalSize)
{
    const FitCase& fc = GetParam();
    QImage img(100, 100, QImage::Format_RGB32);
    QPainter canvas(&img);
    SetLoMetric(canvas);
    TQvStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(4);
    for (int c = 0; c < 3; ++c)
        grid.SetColWidths(c, 100);
    auto& ps = grid.PrintSettings();
    ps.SetNoAutoSize(true);
    ps.SetColumnSpacing(10);
    ps.SetLeftSize(50);
    ps.SetRightSize(50);
    TGridPrinter& p = grid.Printer();
    p.PrintRect = {0, 0, 2, 3};
    p.PrintGridPages(canvas, pmCountPrint, false, fc.page, -2000);
    const int natural = p.MaxWidths[0];
    ASSERT_EQ(p.s, 30);
    const double factor = double(fc.page - 100 - 90) / double(3 * (natural + 30) - 90);
    double asked = 0;
    grid.OnFitToPage = [&](TQvStringGrid*, double& scale, bool& allow) {
        asked = scale;
        allow = fc.allow;
    };
    ps.SetFitToPage(fc.mode);
    p.PrintGridPages(canvas, pmCountPrint, false, fc.page, -2000);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(p.MaxWidths[std::size_t(c)], fc.scaled ? int(natural * factor) : natural) << fc.what;
    if (fc.mode == fpCustom) {
        EXPECT_DOUBLE_EQ(asked, factor) << fc.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, PrintFit,
                         ::testing::Values(FitCase{"shrink, narrow grid", fpShrink, 3000, true, false},
                                           FitCase{"shrink, wide grid", fpShrink, 500, true, true},
                                           FitCase{"grow, wide grid", fpGrow, 500, true, false},
                                           FitCase{"grow, narrow grid", fpGrow, 3000, true, true},
                                           FitCase{"custom, not allowed", fpCustom, 500, false, false},
                                           FitCase{"custom, allowed", fpCustom, 500, true, true},
                                           FitCase{"always", fpAlways, 3000, true, true}));

// The frame's bottom line: 1 mm for double borders, else 0.2 mm. Cell borders are off (no
// colour) and the cells empty, so the frame is all that is dark across the middle of the page.
TEST(PrintFrame, PenIsTenForDoubleBordersElseTwo)
{
    for (const auto& [borders, width] : std::vector<std::pair<TPrintBorders, int>>{{pbDouble, 10}, {pbHorizontal, 2}}) {
        test::FakePrinter printer;
        platform::Services services;
        services.printer = &printer;
        TQvStringGrid grid;
        grid.SetServices(services);
        fill(grid, 5);
        for (int r = 0; r < 5; ++r)
            grid.SetCells(0, r, QString());
        grid.PrintSettings().SetBorders(borders);
        grid.PrintSettings().SetBorderColor(clNone);
        grid.Print();
        ASSERT_EQ(printer.Pages.size(), 1u);
        const QImage& page = printer.Pages[0];
        int dark = 0;
        for (int y = 0; y < page.height(); ++y)
            dark += qGray(page.pixel(page.width() / 2, y)) < 100;
        EXPECT_EQ(dark, width) << int(borders);
    }
}

// A markup title is measured on every page, so a preview of page 2 alone breaks where the
// printout does.
TEST(PrintLayout, APreviewOfOnePageBreaksAsThePrintoutWithAMarkupTitle)
{
    test::FakePrinter printer;
    platform::Services services;
    services.printer = &printer;
    TQvStringGrid grid;
    grid.SetServices(services);
    fill(grid, 70);
    grid.PrintSettings().SetTitle(ppTopLeft);
    grid.PrintSettings().SetTitleLines({"<b>Scan</b> list", "second line", "third line"});
    std::vector<int> lastRows;
    grid.OnPrintPageDone = [&](TQvStringGrid*, QPainter&, int lastRow, int, int, int, int) {
        lastRows.push_back(lastRow);
    };
    grid.Print();
    ASSERT_GE(lastRows.size(), 3u);
    const std::vector<int> printed = lastRows;
    for (int page = 2; page <= 3; ++page) {
        lastRows.clear();
        QImage img(printer.PageWidth(), printer.PageHeight(), QImage::Format_RGB32);
        img.setDotsPerMeterX(10000);
        img.setDotsPerMeterY(10000);
        QPainter canvas(&img);
        grid.SetPreviewPage(page);
        grid.PrintPreview(canvas, {0, 0, printer.PageWidth(), printer.PageHeight()});
        ASSERT_EQ(lastRows.size(), 1u);
        EXPECT_EQ(lastRows[0], printed[std::size_t(page - 1)]) << "page " << page;
    }
}

TEST(PrintRoutines, TextMarginsAndLinesInARow)
{
    TQvStringGrid grid;
    grid.XYOffset = {2, 3};
    EXPECT_EQ(grid.TotalXOffset(), 4);
    EXPECT_EQ(grid.TotalYOffset(), 6);
    grid.PaintSettings().XYOffsetTopLeftOnly = true;
    EXPECT_EQ(grid.TotalXOffset(), 2);
    EXPECT_EQ(grid.TotalYOffset(), 3);

    grid.SetColCount(3);
    grid.SetRowCount(2);
    grid.SetCells(0, 1, "a\r\nb");
    grid.SetCells(2, 1, "one\r\ntwo\r\nthree");
    EXPECT_EQ(grid.MaxLinesInRow(1), 1); // multi-line cells off
    grid.PaintSettings().Multilinecells = true;
    EXPECT_EQ(grid.MaxLinesInRow(1), 3);
    EXPECT_EQ(grid.MaxLinesInRow(0), 1); // empty cells count one line
    EXPECT_EQ(grid.MapFontSize(35), 9);
}

} // namespace
