#pragma once
// The cell graphics the screen painter (GridPaint.h) and the printed cell (print/GridPrint.h)
// both draw: progress bars, pies, shapes, rotated-text placement, the program's check-box and
// radio glyphs and the check-box and radio-group faces. Kept apart from the painter so the
// printing code needs nothing of it.
//
// Classic canvas rules: a filled rectangle covers Left..Right-1 and Top..Bottom-1, a line stops
// just before its end point. The helpers keep no state between calls.

#include "grid/BaseGrid.h"
#include "grid/GridTypes.h"
#include "grid/QvObj.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

class QFont;
class QPainter;

namespace grid {

class TQvStringGrid;

// ---- progress look -----------------------------------------------------------------------

// Input of the level-coloured progress bar, built by the caller from ProgressAppearance.
struct TProgressLook {
    TColor Level0Color = 0x00FF00, Level0ColorTo = 0xE1FFE1;
    TColor Level1Color = 0x00FFFF, Level1ColorTo = 0xCAFFFF;
    TColor Level2Color = 0x53A9FF, Level2ColorTo = 0xA8D3FF;
    TColor Level3Color = 0x0000FF, Level3ColorTo = 0xCACAFF;
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = 0;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = true;
    TFont Font{};
    TColor CompleteFontColor = 0xFF0000;
    bool CompletionSmooth = true;
    bool ShowGradient = true;
    int Steps = 11;
    TColor BackgroundColor = platform::clWindow;
};

// Check-box face of the grid's control look in r (classic and flat faces centred, the glyph
// looks at r's top-left).
void DrawCheckBox(QPainter& canvas, TQvStringGrid& grid, TRect r, bool checked, TCheckBoxState state, bool triState,
                  TControlStyle style, bool grayed, bool enabled);
// A radio group of count buttons with their labels (options), stacked downwards, or upwards
// with upward (a canvas whose y axis points up); scale sizes the classic buttons.
void DrawRadioGroup(QPainter& canvas, TQvStringGrid& grid, TRect r, bool upward, double scale, TControlStyle style,
                    int ARow, int ACol, bool selected, const QStringList& options, bool disabled, bool horizontal,
                    int index, int count);

// ---- cell graphics by kind ------------------------------------------------------------------
//
// Call flow: the screen painter (TGridPainter::drawCellGraphic) and the printed cell
// (TGridPrinter::printCell) each place the graphic on their own device, fill a TCellGraphicJob
// and call PaintCellGraphic, which takes the kind's painter from one table keyed by the
// graphic's type (CellGraphicKind). A painter draws for both: where screen and paper differ
// (a face drawn at screen size and stretched on paper, device units, pictures) it asks the
// job's device, so a fix of a face shows on paper too.

class TCellGraphicDevice;

struct TCellGraphicJob {
    QPainter& Canvas;
    TQvStringGrid& Grid;
    TCellGraphic& Graphic;
    const TCellGraphicDevice& Device;
    int Col = 0; // real column
    int Row = 0;
    TRect Cell{};  // the whole cell
    TRect Inner{}; // screen: the cell less the grid's offsets; paper: the cell
    TRect Place{}; // where the device's placement step put the graphic
    TBrush Brush{};
    TFont Font{};
    TAlignment HA = taLeftJustify; // the cell text's alignment (rotated text)
    TVAlignment VA = vtaTop;
    TGridDrawState State = 0;
    bool Enabled = true; // paper: always
    bool Live = true;    // screen: hover, pressed and greyed states shown; paper: the plain face
};

// What differs between drawing on screen and on paper (y up, 0.1 mm).
class TCellGraphicDevice {
public:
    virtual ~TCellGraphicDevice() = default;
    virtual bool Paper() const = 0;
    // Device units per screen pixel (1 on screen).
    virtual double PixelSize() const = 0;
    // The size in screen pixels of a rectangle of this device.
    virtual TPoint ScreenSize(const TRect& r) const = 0;
    // A picture: on screen at the place's corner (or stretched into it), on paper stretched.
    virtual void Picture(QPainter& canvas, const TRect& place, const QImage& img, bool stretch) const = 0;
    // A face drawn at screen size: on screen straight into target; on paper on a bitmap of
    // size in the cell's brush colour, stretched over target.
    using TFaceDraw = std::function<void(QPainter& canvas, const TRect& r)>;
    virtual void Face(const TCellGraphicJob& job, const TRect& target, TPoint size, const TFaceDraw& draw) const = 0;
    // Drawing in device pixels, where the y-down painters apply unchanged.
    virtual void DevicePixels(QPainter& canvas, const TRect& r, const TFaceDraw& draw) const = 0;
};

// One entry of the table: the kind's painter, and whether paper shows the kind at all
// (buttons, comments, ratings and the like are screen-only).
struct TCellGraphicKind {
    void (*Paint)(TCellGraphicJob& job) = nullptr;
    bool Printed = false;
};
// The kind's entry; nullptr for kinds that draw nothing themselves.
const TCellGraphicKind* CellGraphicKind(TCellType type);
// Draws the job's graphic with its kind's painter (nothing for a kind the device leaves out).
void PaintCellGraphic(TCellGraphicJob& job);
// A cell's number as the value graphics read it ("," taken as the decimal point); 0 otherwise.
double CellGraphicNumber(const QString& text);

// ---- small painters (classic canvas rules, no state kept) ------------------------------------

namespace ZirAzur {

void PaintProgressCell(QPainter& canvas, const TRect& r, int percent, const TProgressLook& look);
void PaintClassicProgress(QPainter& canvas, TRect r, TColor completeColor, bool upward, TColor borderColor,
                          const QString& format, int maximum, int minimum, int marginY, int marginX, double position,
                          TColor completeFontColor, TColor uncompleteColor, TColor uncompleteFontColor,
                          const TFont& font = TFont());
void DrawPieProgress(QPainter& canvas, const TRect& r, TColor fillColor, bool upward, int percent);
void DrawBalanceBar(QPainter& canvas, TRect r, int value, int range, TColor positiveColor, TColor negativeColor,
                    bool showValue);
void PaintCellShape(QPainter& canvas, int left, int top, int width, int height, TCellShape shape, TColor fillColor,
                    TColor lineColor);
// Red zig-zag under characters first .. first + count - 1 of one line of text drawn at r.
void DrawErrorUnderline(QPainter& canvas, const QFont& font, const QString& text, int first, int count, int offset,
                        const TRect& r);
void DrawSmallTriangle(QPainter& canvas, int x, int y, TColor color);

// Text origin of a text turned by `angle` degrees placed in r by the alignments; the extents
// are |h cos a|, |w sin a|, |h sin a|, |w cos a|.
TPoint PlaceRotatedText(const TRect& r, TAlignment ha, TVAlignment va, int angle, int a, int b, int c, int d);

// The check-box, radio and node bitmaps of the program (drawn here, any art of the right size
// with a uniform corner colour will do): "QSGCHK01".."QSGCHK08", "QSGRAD01".."QSGRAD08",
// "QSGLEAFOPEN", "QSGLEAFCLOSE", "XPNODEO", "XPNODEC", "QSGFILT".
const QImage& GridGlyph(const QString& name);
// Draws a bitmap at (x, y) leaving out the colour of its bottom-left pixel.
void DrawGlyphTransparent(QPainter& canvas, const QImage& img, int x, int y);

} // namespace ZirAzur

} // namespace grid
