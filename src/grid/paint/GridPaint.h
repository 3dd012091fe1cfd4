#pragma once
// Call flow: TStringGrid::paintEvent -> Paint -> PaintCells -> DrawCell per visible cell;
// TBaseGrid::DrawCell -> PaintCell draws background, gradient and lines, then PaintCellContent,
// which the string grid routes to TGridPainter::PaintGridCell (looks, text, borders, graphic,
// focus rectangle, each one named step). After the cells TQvStringGrid::Paint calls
// PaintAfterCells (edit frame, background outside the cells), then OnPainted.
//
// The table control's cell painter: what every visible cell shows on top of the background and
// grid lines the base grid drew (fixed-cell looks, markers, the text, borders, node lines, the
// cell graphic, the focus rectangle), the grid-wide paint cycle with the background outside
// the cells, and the small painters of cell graphics (check boxes, radio groups, sort
// indicators, node glyphs, progress bars, pies, balance bars and shapes). The ones printing
// shares are declared in CellGraphics.h.
//
// The string grid owns one TGridPainter and routes its content painter and its paint cycle to
// it. The painter reads the switches of the grid's TGridPaintSettings (look/GridPaintSettings.h)
// through a reference; flat, the selection rectangle, the colour tones and the sort header
// colours are the grid's own properties.
//
// Drawing follows the classic canvas rules: a filled rectangle covers Left..Right-1 and
// Top..Bottom-1, a line stops just before its end point.

#include "grid/BaseGrid.h"
#include "grid/GridTypes.h"
#include "grid/QvGrid.h"
#include "grid/QvObj.h"
#include "grid/look/GridLooks.h"
#include "grid/look/GridPaintSettings.h"
#include "grid/look/QvStyleIF.h"
#include "grid/look/ZirAzur.h"
#include "grid/paint/CellGraphics.h"

#include <QFont>
#include <QImage>
#include <QStringList>

#include <functional>

class QPainter;
class QWidget;

namespace grid {

class TQvStringGrid;
struct TPen;

enum TProgressStyle { psXP, psClassic };

// The grid's ProgressAppearance: every changed value fires OnChange (the grid repaints).
class TGridProgressAppearance : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TGridProgressAppearance"); }
    // From another appearance: every property, one OnChange; any other source: nothing.
    void Assign(const TPersistent& source);

// clang-format off
#define QV_PROGRESS_PROPS(X)                                                                                    \
    X(TColor, CompleteColor, 0x0000FF) X(TColor, CompleteFontColor, 0xFF0000) X(TColor, UnCompleteColor, clNone) \
    X(TColor, UnCompleteFontColor, platform::clWindowText) X(TColor, Level0Color, 0x00FF00)                   \
    X(TColor, Level0ColorTo, 0xE1FFE1) X(TColor, Level1Color, 0x00FFFF) X(TColor, Level1ColorTo, 0xCAFFFF)    \
    X(TColor, Level2Color, 0x53A9FF) X(TColor, Level2ColorTo, 0xA8D3FF) X(TColor, Level3Color, 0x0000FF)      \
    X(TColor, Level3ColorTo, 0xCACAFF) X(int, Level1Perc, 70) X(int, Level2Perc, 90)                          \
    X(TColor, BorderColor, 0x000000) X(bool, ShowBorder, false) X(bool, Stacked, false)                        \
    X(bool, ShowPercentage, true) X(bool, CompletionSmooth, true) X(bool, ShowGradient, true) X(int, Steps, 11) \
    X(TProgressStyle, Style, psXP)
// clang-format on
// clang-format off
#define QV_PROGRESS_ACCESSOR(type, name, def)                                                                   \
    type name() const { return F##name; }                                                                       \
    void Set##name(type v)                                                                                      \
    {                                                                                                           \
        if (F##name == v)                                                                                       \
            return;                                                                                             \
        F##name = v;                                                                                            \
        changed();                                                                                              \
    }
    // clang-format on
    QV_PROGRESS_PROPS(QV_PROGRESS_ACCESSOR)
#undef QV_PROGRESS_ACCESSOR

    std::function<void(TObject* sender)> OnChange;

private:
    void changed()
    {
        if (OnChange)
            OnChange(this);
    }
#define QV_PROGRESS_FIELD(type, name, def) type F##name = def;
    QV_PROGRESS_PROPS(QV_PROGRESS_FIELD)
#undef QV_PROGRESS_FIELD
};

// ---- the painter ---------------------------------------------------------------------------

// Everything PaintGridCell computes for one cell and hands to its steps; nothing outlives the
// call.
struct TCellPaintContext {
    QPainter* Canvas = nullptr;
    int ACol = 0;
    int RealCol = 0;
    int ARow = 0;
    int SelRow = 0;
    TRect ARect;
    TGridDrawState AState = 0;
    TBrush Brush;
    TFont Font;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    TCellGradientDirection GD = GradientVertical;
    TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
    TAlignment TextHA = taLeftJustify;
    TCellGraphic* Graphic = nullptr;
    int GraphicWidth = 0, GraphicHeight = 0;
    TCellHAlign GraphicHAlign = haLeft;
    TCellVAlign GraphicVAlign = vaTop;
    bool TextShown = true;
    int TextWidth = 0;
    int TextKind = 0;
    bool FilterGlyph = false;
    int ScrollOffset = 0;
    TColor SavedBrushColor = clNone, SavedFontColor = clNone;
    TColor URLColor = clNone;
    bool FixedLook = false;
};

class TGridPainter {
public:
    explicit TGridPainter(TQvStringGrid& grid);

    TGridPaintSettings& Settings; // the grid's, see PaintSettings()
    TGridProgressAppearance ProgressAppearance;

    // The content painter of one cell (the base grid already drew background and lines).
    void PaintGridCell(QPainter& canvas, int ACol, int ARow, TRect& ARect, TGridDrawState AState);
    // The paint cycle's extras after the cells: the edit frame, the background outside the
    // cells.
    void PaintAfterCells(QPainter& canvas);
    void PaintBackgroundOutsideCells(QPainter& canvas);
    void DrawFixedBackgroundPicture(QPainter& canvas, const TRect& r);
    void TileBackgroundPicture(QPainter& canvas, const TRect& r);

    TCellGraphic* GetCellGraphicInfo(int ACol, int ARow, TCellVAlign& vAlign, TCellHAlign& hAlign, bool& textShown,
                                     int& height, int& width);
    void DrawSortIndicator(QPainter& canvas, int ACol, int Y, int X);
    bool isSortHeaderCell(int realCol, int row) const;
    // The screen faces of node and button graphics (graphickinds.cpp picks them).
    void PaintNodeGlyph(TCellGraphicJob& j);
    void PaintButtonGraphic(TCellGraphicJob& j);

private:
    // The steps of PaintGridCell, in its order.
    TCellPaintContext cellContext(QPainter& canvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    void readCellLook(TCellPaintContext& c);
    int drawRowIndicator(TCellPaintContext& c);
    void drawListViewHeader(TCellPaintContext& c);
    void drawAlwaysVisibleButtons(TCellPaintContext& c);
    bool drawGraphicBeforeText(const TCellPaintContext& c);
    void drawCellFrame(TCellPaintContext& c, int savedRight, int indicatorWidth);
    void drawRightFixedLines(TCellPaintContext& c);
    void drawFocusRectangle(QPainter& canvas, int ACol, int ARow, const TRect& ARect);
    void drawCellScrollBar(TCellPaintContext& c);
    void drawCellText(TCellPaintContext& c);
    // The steps of drawCellText, in its order.
    bool recolourSelectedCell(TCellPaintContext& c);
    QString cellTextToShow(TCellPaintContext& c);
    void drawFilterGlyph(TCellPaintContext& c);
    void applyDisjunctLook(TCellPaintContext& c, bool isFixed);
    void drawCellBackgroundPieces(TCellPaintContext& c, bool drawnSelected);
    void drawSelectionRectangle(TCellPaintContext& c);
    void drawShownText(TCellPaintContext& c, QString text, TRect tr, bool drawnSelected);
    int layoutTextRect(TCellPaintContext& c, TRect& tr);
    unsigned textFlags(const TCellPaintContext& c, QString& text) const;
    int drawTextBody(TCellPaintContext& c, const QString& text, const TRect& tr, unsigned flags, bool sortHeader,
                     bool drawnSelected, int measured);
    void drawCellSortIndicator(TCellPaintContext& c, int measured, int sortShift);
    // Markup cell text through the markup renderer; answers the width it took.
    int paintCellMarkup(TCellPaintContext& c, const QString& text, const TRect& r);
    void drawCellGraphic(TCellPaintContext& c);
    // The placement step: the graphic's place in the cell; leaves the cell less the offsets.
    TRect placeCellGraphic(TCellPaintContext& c);
    void drawCellBorders(TCellPaintContext& c);
    void drawFixedLook(TCellPaintContext& c);
    void drawLookEdges(TCellPaintContext& c);
    void drawNodeLines(TCellPaintContext& c);
    void paintCellBackgroundPicture(QPainter& canvas, const TRect& area);
    void tileCellBackgroundPicture(QPainter& canvas, const TRect& area, int col, int row);
    void paintCellBackgroundGradient(QPainter& canvas, const TRect& area);
    bool hasFocus() const;

    TQvStringGrid& grid;
};

} // namespace grid
