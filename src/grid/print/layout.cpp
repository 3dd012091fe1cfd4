// The page layout: one routine counts and draws the pages, so a preview and a printout of the
// same range always break at the same rows.

#include "grid/QvGrid.h"
#include "grid/print/GridPrint.h"
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

// esExportDone however a run leaves, once esExportStart has gone out.
struct ExportDone {
    TQvStringGrid& grid;
    ~ExportDone() { grid.ExportNotification(esExportDone, -1); }
};

} // namespace

bool TGridPrinter::RowPrinted(int ARow) const
{
    if (!SelectedOnly)
        return true;
    if (ARow < grid.FixedRows())
        return grid.PrintSettings().FixedCellsAlways();
    TMouseActions& ma = grid.MouseActions();
    if (ma.DisjunctRowSelect())
        return grid.GetRowSelect(ma.RowSelectPersistent() ? grid.RealRowIndex(ARow) : ARow);
    const TGridRect sel = grid.Selection();
    return ARow >= sel.Top && ARow <= sel.Bottom;
}

bool TGridPrinter::ColPrinted(int ACol) const
{
    if (!SelectedOnly)
        return true;
    TMouseActions& ma = grid.MouseActions();
    // Selected rows are printed whole.
    if (ma.DisjunctRowSelect())
        return true;
    if (ACol < grid.FixedCols())
        return grid.PrintSettings().FixedCellsAlways();
    if (ma.DisjunctColSelect())
        return ACol < grid.ColCount() && grid.GetColSelect(ACol);
    const TGridRect sel = grid.Selection();
    return ACol >= sel.Left && ACol <= sel.Right;
}

void TGridPrinter::FitColumnsToPage()
{
    const TPrintSettings& ps = grid.PrintSettings();
    if (ps.FitToPage() == fpNever)
        return;
    const int n = PrintRect.Right - PrintRect.Left + 1;
    long long total = 0;
    for (int c = PrintRect.Left; c <= PrintRect.Right; ++c)
        if (ColPrinted(c))
            total += MaxWidths[std::size_t(c)] + s;
    double factor = 1.0;
    if (total != (long long)n * s)
        factor =
            double(PageWidth - ps.RightSize() - ps.LeftSize() - (long long)n * s) / double(total - (long long)n * s);
    switch (ps.FitToPage()) {
    case fpShrink:
        factor = std::min(factor, 1.0);
        break;
    case fpGrow:
        factor = std::max(factor, 1.0);
        break;
    case fpCustom:
        if (factor != 1.0 && grid.OnFitToPage) {
            bool allow = true;
            grid.OnFitToPage(&grid, factor, allow);
            if (!allow)
                factor = 1.0;
        }
        break;
    default:
        break;
    }
    // A page narrower than the spacing alone gives no usable factor: natural size, more strips.
    if (factor == 1.0 || factor <= 0)
        return;
    FitFactor = factor;
    for (int c = PrintRect.Left; c <= PrintRect.Right; ++c)
        MaxWidths[std::size_t(c)] = int(MaxWidths[std::size_t(c)] * factor);
}

std::vector<TGridPrinter::TStrip> TGridPrinter::LayOutStrips() const
{
    const TPrintSettings& ps = grid.PrintSettings();
    const int fixedCols = grid.FixedCols();
    std::vector<TStrip> strips;
    for (int start = PrintRect.Left; start <= PrintRect.Right;) {
        // A range starting right after the fixed columns shows them from its second strip on.
        const bool repeat = fixedCols > 0 && ps.RepeatFixedCols() && !(start == PrintRect.Left && start <= fixedCols);
        int used = 0;
        if (repeat)
            for (int c = 0; c < fixedCols; ++c)
                used += MaxWidths[std::size_t(c)] + s;
        int last = start;
        for (int c = start; c <= PrintRect.Right; ++c) {
            const int w = ColPrinted(c) ? MaxWidths[std::size_t(c)] + s : 0;
            // A strip always holds its first column, however wide.
            if (c > start && used + w > PageWidth - ps.RightSize())
                break;
            used += w;
            last = c;
        }
        strips.push_back({start, last, used, repeat});
        start = last + 1;
    }
    return strips;
}

void TGridPrinter::SetStripIndents(const TStrip& st)
{
    const TPrintSettings& ps = grid.PrintSettings();
    const int fixedCols = grid.FixedCols();
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
    RepeatFixedColsNow = st.repeat;
}

int TGridPrinter::printStripRow(QPainter& canvas, int y, int ARow)
{
    int pitch = 0;
    if (RepeatFixedColsNow)
        pitch = PrintCellRow(canvas, y, 0, grid.FixedCols() - 1, ARow);
    return std::max(pitch, PrintCellRow(canvas, y, PrintColStart, PrintColEnd, ARow));
}

int TGridPrinter::printPageRows(QPainter& canvas, int& row, int y, TExportState rowState)
{
    bool pageEnds = false;
    int rowsOnPage = 0;
    while (row <= PrintRect.Bottom && !pageEnds) {
        grid.ExportNotification(rowState, row);
        if (RowPrinted(row)) {
            const int h = rowPitch(canvas, row);
            // A row taller than an empty page is printed there, clipped, so the run ends.
            if (y - h > PageBottom + FooterHeight || rowsOnPage == 0) {
                y -= printStripRow(canvas, y, row);
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
    return y;
}

int TGridPrinter::PrintGridPages(QPainter& canvas, TPrintMode mode, bool selectedOnly, int pageWidth, int pageBottom)
{
    const TPrintSettings& ps = grid.PrintSettings();
    SelectedOnly = selectedOnly;
    // A range reaching outside the grid prints the grid's part of it.
    PrintRect = {std::max(PrintRect.Left, 0), std::max(PrintRect.Top, 0),
                 std::min(PrintRect.Right, grid.ColCount() - 1), std::min(PrintRect.Bottom, grid.RowCount() - 1)};
    PrepareRun(canvas, mode, PrintRect, pageWidth, pageBottom);
    PageNr = 0;
    const bool drawingMode = mode == pmPreview || mode == pmPrint;
    ComputePrintColumnWidths(canvas);
    FitColumnsToPage();
    if (grid.OnPrintSetColumnWidth)
        for (int c = PrintRect.Left; c <= PrintRect.Right; ++c)
            grid.OnPrintSetColumnWidth(&grid, c, MaxWidths[std::size_t(c)]);
    // Laid out once so the page numbers know the count of strips.
    const std::vector<TStrip> strips = LayOutStrips();
    StripCount = int(strips.size());

    const int fixedRows = grid.FixedRows();
    // A part of the rows is reported row by row as a selection.
    const TExportState rowState =
        PrintRect.Top <= fixedRows && PrintRect.Bottom >= grid.RowCount() - grid.FixedFooters() - 1 ? esExportNewRow
                                                                                                    : esExportSelRow;
    bool cancelled = false, printedBefore = false;
    const auto startPage = [&](int pageNumber) {
        if (!drawingMode || pageNumber < PrintPageFrom || pageNumber > PrintPageTo)
            return;
        if (mode == pmPrint && printedBefore && NewPrinterPage) {
            NewPrinterPage();
            SetLoMetric(canvas);
        }
        if (grid.OnPrintPage)
            grid.OnPrintPage(&grid, canvas, pageNumber, PageWidth, -PageBottom);
    };

    for (std::size_t si = 0; si < strips.size() && !cancelled; ++si) {
        StripNr = int(si) + 1;
        PageInStrip = 1;
        SetStripIndents(strips[si]);
        int row = PrintRect.Top;
        startPage(PageNr + 1);
        while (row <= PrintRect.Bottom && !cancelled) {
            int y = -HeaderHeight;
            y -= ps.TitleSpacing() + PrintHeaderFooter(canvas);
            if (Drawing())
                printedBefore = true;
            if (row != 0 && ps.RepeatFixedRows() && fixedRows > 0 && (PageNr > 0 || PrintRect.Top >= fixedRows))
                for (int r = 0; r < fixedRows; ++r)
                    y -= printStripRow(canvas, y, r);
            y = printPageRows(canvas, row, y, rowState);
            if (drawingMode && Drawing()) {
                if (grid.OnPrintPageDone)
                    grid.OnPrintPageDone(&grid, canvas, row, y, PageNr + 1, PageWidth, -PageBottom);
                if (grid.OnPrintCancel)
                    grid.OnPrintCancel(&grid, PageNr + 1, cancelled);
            }
            DrawPageFrame(canvas, PrintColStart, PrintColEnd, y);
            const int finished = ++PageNr;
            if (row > PrintRect.Bottom || cancelled)
                break;
            ++PageInStrip;
            if (grid.FastPrint && finished >= PrintPageTo)
                break;
            startPage(PageNr + 1);
        }
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
    const ExportDone done{grid};
    PrintRect = range;
    if (!ps.UseDefaultOrientation())
        printer->SetOrientation(ps.Orientation() == poLandscape ? platform::PrinterOrientation::Landscape
                                                                : platform::PrinterOrientation::Portrait);
    const int pageWidth = int(std::lround(254.0 / printer->ResolutionX() * printer->PageWidth()));
    const int pageHeight = int(std::lround(254.0 / printer->ResolutionY() * printer->PageHeight()));
    printer->SetTitle(ps.JobName());
    if (!printer->BeginDoc())
        return;
    // Ends the open document however the run leaves, an exception included.
    struct OpenDocument {
        platform::Printer* printer;
        bool open = true;
        ~OpenDocument()
        {
            if (open)
                printer->EndDoc();
        }
    } document{printer};
    int count = INT_MAX;
    if (!grid.FastPrint) {
        const SavedMapping saved(*printer->Canvas());
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
        document.open = false;
        grid.OnPrintStart(&grid, count, PrintPageFrom, PrintPageTo);
        // Nothing asked for: nothing is printed and no document is left behind; the done
        // notification still follows the start one.
        if (PrintPageFrom <= 0 || PrintPageTo <= 0 || PrintPageTo < PrintPageFrom)
            return;
        if (!printer->BeginDoc())
            return;
        document.open = true;
    }
    PrintPageNum = PrintPageTo;
    QPainter& canvas = *printer->Canvas();
    NewPrinterPage = [printer] { printer->NewPage(); };
    struct NoNewPages {
        TGridPrinter& p;
        ~NoNewPages() { p.NewPrinterPage = nullptr; }
    } const noNewPages{*this};
    const SavedMapping saved(canvas);
    SetLoMetric(canvas);
    PrintGridPages(canvas, pmPrint, selectedOnly, pageWidth, -pageHeight);
}

void TGridPrinter::RunPreview(QPainter& canvas, const TRect& displayRect, const TGridRect& range, bool selectedOnly)
{
    grid.ExportNotification(esExportStart, -1);
    const ExportDone done{grid};
    struct PreviewEnds {
        TGridPrinter& p;
        ~PreviewEnds() { p.IsPrintPreview = false; }
    } const previewEnds{*this};
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

// ---- small routines that live with printing ---------------------------------------------------

int TQvStringGrid::TotalXOffset() const
{
    return FPaintSettings.XYOffsetTopLeftOnly ? XYOffset.X : 2 * XYOffset.X;
}

int TQvStringGrid::TotalYOffset() const
{
    return FPaintSettings.XYOffsetTopLeftOnly ? XYOffset.Y : 2 * XYOffset.Y;
}

void TQvStringGrid::InvalidateCellRange(const TGridRect& rect)
{
    if (!viewport()->isVisible() || !viewport()->updatesEnabled())
        return;
    const TRect a = CellRect(rect.Left, rect.Top), b = CellRect(rect.Right, rect.Bottom);
    const QRect area = QRect(a.Left, a.Top, a.Width(), a.Height()) | QRect(b.Left, b.Top, b.Width(), b.Height());
    if (!area.isEmpty())
        viewport()->update(area);
}

} // namespace grid
