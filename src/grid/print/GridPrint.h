#pragma once
// Call flow: the page layout prepares a run (PrepareRun: f, gap, inset, s, text heights, page
// size, header and footer heights), measures the columns (ComputePrintColumnWidths, through
// MeasurePrintCell), lays the strip's columns out in Indents, and then per page draws the header
// and footer (PrintHeaderFooter, PrintPageNumberText), each row (PrintRowHeight, PrintCellRow)
// and the frame (DrawPageFrame).
//
// Everything here works in tenths of a millimetre with the y axis pointing up: the page runs
// from y = 0 at its top to negative y downwards, so a cell's Top is above its Bottom
// (Top > Bottom). SetLoMetric sets that mapping on a QPainter; text and pictures are drawn
// upright through a local flip, and markup and custom drawing run in device units
// (TDeviceUnits). Nothing is drawn in the counting modes or on pages outside the drawn range.
//
// The grid owns one TGridPrinter (TQvStringGrid::Printer()), as it owns its painter. This
// folder never includes the painter's header: the cell graphics both draw are in
// paint/CellGraphics.h.

#include "grid/BaseGrid.h"
#include "grid/GridTypes.h"
#include "grid/QvGrid.h"
#include "grid/QvObj.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

namespace platform {
class Printer;
}

namespace grid {

class TQvStringGrid;
class TCellGraphic;

// ---- the 0.1-mm mapping ----------------------------------------------------------------------

// One logical unit is 0.1 mm, y up: scale(dpiX / 254, -dpiY / 254) from the device's origin.
void SetLoMetric(QPainter& canvas);
// The device's resolution (dots per inch) across and down.
int CanvasDpiX(const QPainter& canvas);
int CanvasDpiY(const QPainter& canvas);
// A logical rectangle (Top > Bottom) as device pixels (Top < Bottom), and back.
TRect LogicalToDevice(const QPainter& canvas, const TRect& r);
TRect DeviceToLogical(const QPainter& canvas, const TRect& r);
// A logical rectangle as a normalised QRect of logical units (for QPainter calls).
QRect LogicalQRect(const TRect& r);

// While it lives the canvas draws in device pixels (y down); the mapping comes back after.
class TDeviceUnits {
public:
    explicit TDeviceUnits(QPainter& canvas);
    ~TDeviceUnits();
    TDeviceUnits(const TDeviceUnits&) = delete;
    TDeviceUnits& operator=(const TDeviceUnits&) = delete;

private:
    QPainter& canvas_;
};

// Text upright in the logical rectangle r (Top > Bottom) with Qt's alignment and wrap flags.
void DrawTextUpright(QPainter& canvas, const TRect& r, int flags, const QString& text);
// Text upright with its top-left at (x, y).
void TextOutUpright(QPainter& canvas, int x, int y, const QString& text);
// The bitmap stretched upright onto the logical rectangle, with the given composition (the
// raster operation).
void StretchDIBToCanvas(QPainter& canvas, const TRect& r, const QImage& bitmap,
                        QPainter::CompositionMode op = QPainter::CompositionMode_SourceOver);
// The printer's landscape rotation (90 or 270), 0 when it reports none or there is no printer.
int PrinterOrientationAngle(const platform::Printer* printer);

// The pen style of a border style.
Qt::PenStyle QtPenStyle(TPenStyle style);
// A font whose character height is height (0.1 mm, negative as MapFontHeight gives it).
QFont PrintQFont(const TFont& font, int height);

// The look of a printed cell: the grid font at the print font's size and a solid brush in the
// grid's colour, then GetVisualProperties with Print and GetCellWordWrap.
struct TPrintCellLook {
    TBrush Brush;
    TColor ColorTo = clNone;
    TFont Font;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
};
TPrintCellLook PrintCellLook(TQvStringGrid& grid, int realCol, int row);

// ---- the printer ---------------------------------------------------------------------------

// PrintGridPages' modes.
enum TPrintMode { pmPreview = 0, pmPrint = 1, pmCountPrint = 2, pmCountPreview = 3 };

class TGridPrinter {
public:
    explicit TGridPrinter(TQvStringGrid& grid);

    // ---- the run's values ----
    // Printed width of each column position (without spacing) and left edge of each position on
    // the current strip; entry c + 1 is the right edge of column c. PrepareRun sizes both from the
    // column count (one entry past the last column), so a run has no column limit.
    std::vector<int> MaxWidths;
    std::vector<int> Indents;
    // MapFontHeight's factor: 1.0 outside rows, the fit factor while a row is measured or drawn.
    double Fontscalefactor = 1.0;
    double FitFactor = 1.0;
    double f = 1.0; // tenths of a millimetre per screen pixel
    int s = 0;      // column spacing
    int gap = 0;    // print text height div 8
    int inset = 0;  // half a "g" of the print font
    int HeaderTextHeight = 0, FooterTextHeight = 0, PrintTextHeight = 0;
    int PageWidth = 0;      // FPrintPageRect's width
    int PageBottom = 0;     // FPrintPageRect's bottom (negative)
    int PrintPageWidth = 0; // width used by the strip's columns
    int HeaderHeight = 0, FooterHeight = 0;
    TGridRect PrintRect;                    // FPrintRect
    int PrintColStart = 0, PrintColEnd = 0; // the strip's columns
    bool RepeatFixedColsNow = false;        // the fixed columns repeat on this strip
    // Page counters: pages so far (0-based page number), the page within its strip and the
    // strip (both 1-based), the strips across, the drawn range and the run's page count.
    int PageNr = 0, PageInStrip = 1, StripNr = 1, StripCount = 1;
    int PrintPageFrom = 1, PrintPageTo = 1, PrintPageNum = 1;
    TPrintMode Mode = pmPrint;
    bool IsPrintPreview = false;
    bool Printerdriverfix = false;

    // −truncate(pointsize × 254 / 72 × Fontscalefactor).
    int MapFontHeight(int pointsize) const;
    static int MapFontSize(int height);

    // Sets the run's values for a canvas in the 0.1-mm mapping: mode, range, page size, f, the
    // text heights, gap, inset, s and the header and footer heights; Fontscalefactor 1.0.
    void PrepareRun(QPainter& canvas, TPrintMode mode, const TGridRect& range, int pageWidth, int pageBottom);
    // The right edge of the strip's last column.
    int StripRight() const { return Indents[std::size_t(PrintColEnd + 1)]; }
    // Modes 0 and 1 on a page of the drawn range.
    bool Drawing() const;

    // Printed size (width, height) of the cell (real column), in 0.1 mm.
    TPoint MeasurePrintCell(QPainter& canvas, int ACol, int ARow);
    // MaxWidths for the columns of PrintRect.
    void ComputePrintColumnWidths(QPainter& canvas);
    int PrintRowHeight(QPainter& canvas, int ARow);
    // One row from y (display columns first..last); answers the row pitch.
    int PrintCellRow(QPainter& canvas, int y, int firstCol, int lastCol, int ARow);
    // The page's header and footer lines; answers the height of a markup title at the top in
    // 0.1 mm (0 otherwise).
    int PrintHeaderFooter(QPainter& canvas);
    QString PrintPageNumberText();
    // What the header and footer of the page hold: the six slots' texts (indexed by
    // TPrintPosition), a markup title and the plain title's further lines.
    struct THeaderFooterItems {
        std::array<QString, 7> Slots;
        QString MarkupTitle;
        QStringList MoreTitleLines;
    };
    THeaderFooterItems HeaderFooterItems();
    // The title lines when they are markup (drawn as one block), else empty.
    QString MarkupTitle() const;
    // Where a slot's text of this width starts across the page.
    int HeaderFooterX(TPrintPosition position, int textWidth) const;
    void DrawPageFrame(QPainter& canvas, int firstCol, int lastCol, int y);
    // ---- the page layout (layout.cpp) ----
    // Lays out PrintRect on pages of the given size, counting them (modes 2, 3) or drawing the
    // pages of PrintPageFrom..PrintPageTo (modes 0, 1); answers the number of pages.
    int PrintGridPages(QPainter& canvas, TPrintMode mode, bool selectedOnly, int pageWidth, int pageBottom);
    // Starts a further page in print mode (the printer's new page); none when drawing onto a
    // given canvas.
    std::function<void()> NewPrinterPage;
    // A strip of columns across: first and last column, the width used, whether the fixed
    // columns repeat on it.
    struct TStrip {
        int first, last, used;
        bool repeat;
    };
    // Fit to page: scales MaxWidths of the range and sets FitFactor.
    void FitColumnsToPage();
    // The strips across the range, from MaxWidths.
    std::vector<TStrip> LayOutStrips() const;
    // Indents, PrintColStart, PrintColEnd, PrintPageWidth and RepeatFixedColsNow for a strip.
    void SetStripIndents(const TStrip& strip);
    // The selected-only filter.
    bool RowPrinted(int ARow) const;
    bool ColPrinted(int ACol) const;
    // Whole runs: on the services' printer, and one page drawn onto a canvas.
    void RunPrint(const TGridRect& range, bool selectedOnly);
    void RunPreview(QPainter& canvas, const TRect& displayRect, const TGridRect& range, bool selectedOnly);
    void RunDraw(QPainter& canvas, const TRect& drawRect, const TGridRect& range);
    bool SelectedOnly = false;
    // Forgets the remembered row height (a new run).
    void ResetRowHeight() { lastHeightRow = -1; }

private:
    // The printed text of a cell and its kind (ZirAzur::TCellTextKind).
    struct CellText {
        QString text;
        int kind = 0;
    };
    CellText cellText(int realCol, int ARow);
    int rowPitch(QPainter& canvas, int ARow);
    // One row of the strip (the repeated fixed columns first); answers its pitch.
    int printStripRow(QPainter& canvas, int y, int ARow);
    // The rows of a page from row and y down, until the page is full, OnPrintNewPage ends it or
    // the range ends; row moves on, the answer is y below the last row.
    int printPageRows(QPainter& canvas, int& row, int y, TExportState rowState);
    void printCell(QPainter& canvas, int y, int pitch, int c, bool firstPrinted, int ARow);
    // The graphic's place in the cell; text shrinks to what the graphic leaves.
    TRect placeGraphic(const TCellGraphic* g, int realCol, int ARow, const TRect& cell, TRect& text,
                       const TPrintCellLook& look, bool noText);
    void drawCellText(QPainter& canvas, const CellText& t, const TPrintCellLook& look, int realCol, int ARow,
                      const TRect& r, int pitch, bool merged);
    // The graphic by the painter of its kind (paint/CellGraphics.h) on the paper's device.
    void paintCellGraphic(QPainter& canvas, TCellGraphic* g, const TRect& place, const TRect& cell, int realCol,
                          int ARow, const TBrush& brush, const TFont& font);
    int drawMarkupTitle(QPainter& canvas, const QString& text, const TFont& font, const TRect& r, bool measureOnly);

    TQvStringGrid& grid;
    int lastHeightRow = -1;
    int lastHeight = 0;
};

} // namespace grid
