// The page layout: one routine counts and draws the pages, so a preview and a printout of the
// same range always break at the same rows.

#include "grid/print/GridPrint.h"
#include "grid/QvGrid.h"
#include "platform/Printer.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace grid {

namespace {

// Restores the canvas's mapping however the run ends.
struct SavedMapping {
    explicit SavedMapping(QPainter& c) : canvas(c), t(c.worldTransform()) {}
    ~SavedMapping() { canvas.setWorldTransform(t); }
    QPainter& canvas;
    QTransform t;
};

} // namespace

bool TGridPrinter::RowPrinted(int ARow) const
{
    if (!SelectedOnly)
        return true;
    if (ARow < grid.FixedRows())
        return grid.PrintSettings().FixedCellsAlways();
    const TGridRect sel = grid.Selection();
    return ARow >= sel.Top && ARow <= sel.Bottom;
}

bool TGridPrinter::ColPrinted(int ACol) const
{
    if (!SelectedOnly)
        return true;
    if (ACol < grid.FixedCols())
        return grid.PrintSettings().FixedCellsAlways();
    const TGridRect sel = grid.Selection();
    return ACol >= sel.Left && ACol <= sel.Right;
}

int TGridPrinter::PrintGridPages(QPainter& canvas, TPrintMode mode, bool selectedOnly, int pageWidth, int pageBottom)
{
    const TPrintSettings& ps = grid.PrintSettings();
    SelectedOnly = selectedOnly;
    PrepareRun(canvas, mode, PrintRect, pageWidth, pageBottom);
    PageNr = 0;
    const bool drawingMode = mode == pmPreview || mode == pmPrint;
    const int lastCol = std::min(PrintRect.Right, MaxPrintColumns - 2);
    ComputePrintColumnWidths(canvas);

    // Fit to page.
    if (ps.FitToPage() != fpNever) {
        const int n = lastCol - PrintRect.Left + 1;
        long long total = 0;
        for (int c = PrintRect.Left; c <= lastCol; ++c)
            if (ColPrinted(c))
                total += MaxWidths[std::size_t(c)] + s;
        double factor = 1.0;
        if (total != (long long)n * s)
            factor = double(PageWidth - ps.RightSize() - ps.LeftSize() - n * s) / double(total - (long long)n * s);
        switch (ps.FitToPage()) {
        case fpShrink: if (factor > 1) factor = 1; break;
        case fpGrow: if (factor < 1) factor = 1; break;
        case fpCustom:
            if (factor != 1.0 && grid.OnFitToPage) {
                bool allow = true;
                grid.OnFitToPage(&grid, factor, allow);
                if (!allow)
                    factor = 1.0;
            }
            break;
        default: break;
        }
        if (factor != 1.0 && factor > 0) {
            FitFactor = factor;
            for (int c = PrintRect.Left; c <= lastCol; ++c)
                MaxWidths[std::size_t(c)] = int(MaxWidths[std::size_t(c)] * factor);
        }
    }
    if (grid.OnPrintSetColumnWidth)
        for (int c = PrintRect.Left; c <= lastCol; ++c)
            grid.OnPrintSetColumnWidth(&grid, c, MaxWidths[std::size_t(c)]);

    const int fixedCols = grid.FixedCols();
    const auto repeatColsFor = [&](int start) {
        return fixedCols > 0 && ps.RepeatFixedCols() && !(start == PrintRect.Left && start <= fixedCols);
    };
    // The strips across, laid out once so the page numbers know their count.
    struct Strip { int first, last, used; bool repeat; };
    std::vector<Strip> strips;
    for (int start = PrintRect.Left; start <= lastCol;) {
        const bool repeat = repeatColsFor(start);
        int fixedWidth = 0;
        if (repeat)
            for (int c = 0; c < fixedCols; ++c)
                fixedWidth += MaxWidths[std::size_t(c)] + s;
        int used = fixedWidth, last = start;
        for (int c = start; c <= lastCol; ++c) {
            const int w = ColPrinted(c) ? MaxWidths[std::size_t(c)] + s : 0;
            if (c > start && used + w > PageWidth - ps.RightSize())
                break;
            used += w;
            last = c;
        }
        strips.push_back({start, last, used, repeat});
        start = last + 1;
    }
    StripCount = int(strips.size());

    bool cancelled = false, printedBefore = false;
    const auto startPage = [&](int pageNumber, bool firstOfRun) {
        if (!drawingMode || pageNumber < PrintPageFrom || pageNumber > PrintPageTo)
            return;
        if (mode == pmPrint && !firstOfRun && printedBefore && NewPrinterPage) {
            NewPrinterPage();
            SetLoMetric(canvas);
        }
        if (grid.OnPrintPage)
            grid.OnPrintPage(&grid, canvas, pageNumber, PageWidth, -PageBottom);
    };
    const auto printRow = [&](int y, int ARow) {
        int pitch = 0;
        if (RepeatFixedColsNow)
            pitch = PrintCellRow(canvas, y, 0, fixedCols - 1, ARow);
        pitch = std::max(pitch, PrintCellRow(canvas, y, PrintColStart, PrintColEnd, ARow));
        return pitch;
    };
    const bool partRows = !(PrintRect.Top == grid.FixedRows() && PrintRect.Bottom == grid.RowCount() - 1);
    (void)partRows;

    for (std::size_t si = 0; si < strips.size() && !cancelled; ++si) {
        const Strip& st = strips[si];
        StripNr = int(si) + 1;
        PageInStrip = 1;
        RepeatFixedColsNow = st.repeat;
        // Left edges.
        const int left = ps.Centered() ? 0 : ps.LeftSize();
        Indents[0] = left;
        Indents[std::size_t(st.first)] = left;
        for (int c = st.first; c <= st.last; ++c)
            Indents[std::size_t(c + 1)] = Indents[std::size_t(c)] + (ColPrinted(c) ? MaxWidths[std::size_t(c)] + s : 0);
        int fixedWidth = 0;
        if (st.repeat) {
            for (int c = 0; c < fixedCols; ++c) {
                Indents[std::size_t(c + 1)] = Indents[std::size_t(c)] + MaxWidths[std::size_t(c)] + s;
                fixedWidth += MaxWidths[std::size_t(c)] + s;
            }
        }
        if (ps.Centered() && st.used < PageWidth) {
            const int shift = (PageWidth - st.used) / 2;
            for (int c = st.first; c <= st.last + 1; ++c)
                Indents[std::size_t(c)] += shift;
            if (st.repeat)
                for (int c = 0; c <= fixedCols && c < st.first; ++c)
                    Indents[std::size_t(c)] += shift;
        }
        for (int c = st.first; c <= st.last + 1; ++c)
            Indents[std::size_t(c)] += fixedWidth;
        PrintColStart = st.first;
        PrintColEnd = st.last;
        PrintPageWidth = st.used;

        int row = PrintRect.Top;
        startPage(PageNr + 1, PageNr == 0);
        while (row <= PrintRect.Bottom && !cancelled) {
            int y = -HeaderHeight;
            y -= ps.TitleSpacing() + PrintHeaderFooter(canvas);
            if (Drawing())
                printedBefore = true;
            if (row != 0 && ps.RepeatFixedRows() && grid.FixedRows() > 0
                && (PageNr > 0 || PrintRect.Top >= grid.FixedRows()))
                for (int r = 0; r < grid.FixedRows(); ++r)
                    y -= printRow(y, r);
            bool pageEnds = false;
            int rowsOnPage = 0;
            while (row <= PrintRect.Bottom && !pageEnds) {
                grid.ExportNotification(esExportNextRow, row);
                if (RowPrinted(row)) {
                    const int h = rowPitch(canvas, row);
                    // A row taller than an empty page is printed there, clipped, so the run ends.
                    if (y - h > PageBottom + FooterHeight || rowsOnPage == 0) {
                        y -= printRow(y, row);
                        ++rowsOnPage;
                        ++row;
                    } else {
                        pageEnds = true;
                    }
                } else {
                    ++row;
                }
                bool newPage = false;
                if (grid.OnPrintNewPage)
                    grid.OnPrintNewPage(&grid, row, newPage);
                if (newPage)
                    pageEnds = true;
            }
            if (drawingMode && Drawing()) {
                if (grid.OnPrintPageDone)
                    grid.OnPrintPageDone(&grid, canvas, row, y, PageNr + 1, PageWidth, -PageBottom);
                if (grid.OnPrintCancel)
                    grid.OnPrintCancel(&grid, PageNr + 1, cancelled);
            }
            DrawPageFrame(canvas, PrintColStart, PrintColEnd, y);
            const bool more = row <= PrintRect.Bottom && !cancelled;
            const int finished = PageNr + 1;
            ++PageNr;
            if (more) {
                ++PageInStrip;
                if (grid.FastPrint && finished >= PrintPageTo)
                    break;
                startPage(PageNr + 1, false);
            }
        }
        if (si + 1 < strips.size() && !cancelled)
            startPage(PageNr + 1, false);
    }
    RepeatFixedColsNow = false;
    Fontscalefactor = 1.0;
    return PageNr;
}

void TGridPrinter::RunPrint(const TGridRect& range, bool selectedOnly)
{
    platform::Printer* printer = grid.Services().printer;
    if (!printer)
        return;
    const TPrintSettings& ps = grid.PrintSettings();
    grid.ExportNotification(esExportStart, -1);
    struct Done {
        TQvStringGrid& g;
        ~Done() { g.ExportNotification(esExportDone, -1); }
    } done{grid};
    PrintRect = range;
    if (!ps.UseDefaultOrientation())
        printer->SetOrientation(ps.Orientation() == poLandscape ? platform::PrinterOrientation::Landscape
                                                                 : platform::PrinterOrientation::Portrait);
    const int pageWidth = int(std::lround(254.0 / printer->ResolutionX() * printer->PageWidth()));
    const int pageHeight = int(std::lround(254.0 / printer->ResolutionY() * printer->PageHeight()));
    printer->SetTitle(ps.JobName());
    if (!printer->BeginDoc())
        return;
    int count = INT_MAX;
    if (!grid.FastPrint) {
        SavedMapping saved(*printer->Canvas());
        SetLoMetric(*printer->Canvas());
        PrintPageFrom = 1;
        PrintPageTo = INT_MAX;
        count = PrintGridPages(*printer->Canvas(), pmCountPrint, selectedOnly, pageWidth, -pageHeight);
    }
    PrintPageFrom = 1;
    PrintPageTo = count;
    PrintPageNum = count;
    if (grid.OnPrintStart) {
        printer->Abort();
        grid.OnPrintStart(&grid, count, PrintPageFrom, PrintPageTo);
        // Nothing asked for: nothing is printed, and no document is left open.
        if (PrintPageFrom <= 0 || PrintPageTo <= 0 || PrintPageTo < PrintPageFrom)
            return;
        if (!printer->BeginDoc())
            return;
    }
    PrintPageNum = PrintPageTo;
    QPainter& canvas = *printer->Canvas();
    NewPrinterPage = [printer] { printer->NewPage(); };
    try {
        SavedMapping saved(canvas);
        SetLoMetric(canvas);
        PrintGridPages(canvas, pmPrint, selectedOnly, pageWidth, -pageHeight);
    } catch (...) {
        NewPrinterPage = nullptr;
        printer->EndDoc();
        throw;
    }
    NewPrinterPage = nullptr;
    printer->EndDoc();
}

void TGridPrinter::RunPreview(QPainter& canvas, const TRect& displayRect, const TGridRect& range, bool selectedOnly)
{
    grid.ExportNotification(esExportStart, -1);
    struct Done {
        TGridPrinter& p;
        ~Done()
        {
            p.IsPrintPreview = false;
            p.grid.ExportNotification(esExportDone, -1);
        }
    } done{*this};
    PrintRect = range;
    SavedMapping saved(canvas);
    SetLoMetric(canvas);
    const TRect page = DeviceToLogical(canvas, displayRect);
    const int pageWidth = page.Right - page.Left, pageBottom = page.Bottom - page.Top;
    const int from = PrintPageFrom, to = PrintPageTo;
    int count = 1;
    if (!grid.FastPrint) {
        PrintPageFrom = 1;
        PrintPageTo = INT_MAX;
        count = PrintGridPages(canvas, pmCountPreview, selectedOnly, pageWidth, pageBottom);
        PrintPageFrom = from;
        PrintPageTo = to;
    }
    PrintPageNum = count;
    int startFrom = 1, startTo = count;
    if (grid.OnPrintStart)
        grid.OnPrintStart(&grid, count, startFrom, startTo);
    if (startFrom > 0 && startTo > 0 && startTo >= startFrom) {
        IsPrintPreview = true;
        PrintGridPages(canvas, pmPreview, selectedOnly, pageWidth, pageBottom);
    }
}

void TGridPrinter::RunDraw(QPainter& canvas, const TRect& drawRect, const TGridRect& range)
{
    PrintRect = range;
    PrintPageFrom = PrintPageTo = PrintPageNum = 1;
    SavedMapping saved(canvas);
    SetLoMetric(canvas);
    const TRect page = DeviceToLogical(canvas, drawRect);
    PrintGridPages(canvas, pmPrint, false, page.Right - page.Left, page.Bottom - page.Top);
}

// ---- the grid's operations --------------------------------------------------------------------

void TQvStringGrid::Print()
{
    PrintRect({0, 0, ColCount() - 1, RowCount() - 1});
}
void TQvStringGrid::PrintRect(const TGridRect& gridRect)
{
    Printer().RunPrint(gridRect, false);
}
void TQvStringGrid::PrintSelection()
{
    PrintRect(Selection());
}
void TQvStringGrid::PrintSelectedRows()
{
    Printer().RunPrint({0, 0, ColCount() - 1, RowCount() - 1}, true);
}
void TQvStringGrid::PrintSelectedCols()
{
    PrintSelectedRows();
}
void TQvStringGrid::PrintPreview(QPainter& canvas, const TRect& displayRect)
{
    PrintPreviewRect(canvas, displayRect, {0, 0, ColCount() - 1, RowCount() - 1});
}
void TQvStringGrid::PrintPreviewRect(QPainter& canvas, const TRect& displayRect, const TGridRect& gridRect)
{
    Printer().RunPreview(canvas, displayRect, gridRect, false);
}
void TQvStringGrid::PrintPreviewSelection(QPainter& canvas, const TRect& displayRect)
{
    PrintPreviewRect(canvas, displayRect, Selection());
}
void TQvStringGrid::PrintPreviewSelectedRows(QPainter& canvas, const TRect& displayRect)
{
    Printer().RunPreview(canvas, displayRect, {0, 0, ColCount() - 1, RowCount() - 1}, true);
}
void TQvStringGrid::PrintPreviewSelectedCols(QPainter& canvas, const TRect& displayRect)
{
    PrintPreviewSelectedRows(canvas, displayRect);
}
void TQvStringGrid::PrintDraw(QPainter& canvas, const TRect& drawRect)
{
    PrintDrawRect(canvas, drawRect, {0, 0, ColCount() - 1, RowCount() - 1});
}
void TQvStringGrid::PrintDrawRect(QPainter& canvas, const TRect& drawRect, const TGridRect& gridRect)
{
    Printer().RunDraw(canvas, drawRect, gridRect);
}
void TQvStringGrid::SetPreviewPage(int page)
{
    Printer().PrintPageFrom = page;
    Printer().PrintPageTo = page;
}

} // namespace grid
