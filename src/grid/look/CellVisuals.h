#pragma once
// Call flow of the look folder: the grid's Look, Style, Theme and ColorTones writers apply a
// ready-made appearance to the TGridLookState it owns (GridLooks.h); when a cell is drawn,
// printed or measured the grid's GetVisualProperties runs the resolution below over its
// settings and hooks; the painters then draw through the ZirAzur helpers (ZirAzur.h), which
// ask the visual-styles table (QvXPVS.h; QvDropXPVS.h for the drop-down controls) for themed
// parts and fall back to the classic look. The painter's switches are the grid's
// TGridPaintSettings (GridPaintSettings.h).
//
// How a cell looks before it is drawn, printed, measured or exported: its brush and gradient
// colours, font, word wrap and alignment, decided in a fixed order from the grid-wide
// colours, banding, fixed-cell colours, the look's gradient, the cell's own properties, the
// per-cell hooks, the events and the selection.
//
// The resolution is plain logic over TCellVisualSettings (the grid's settings) and
// TCellVisualHooks (the grid's per-cell questions, hooks and events). The string grid answers
// the hooks and calls GetVisualProperties, GetFontProperties and ResolveCellAlignment from its
// own methods of those names.

#include "grid/BaseGrid.h"
#include "grid/look/QvStyleIF.h"

#include <QString>

namespace grid {

struct TCellVisualSettings {
    TColor Color = platform::clWindow;
    TColor FixedColor = platform::clBtnFace;
    TFont Font;
    TFont FixedFont;

    bool BandsActive = false;
    bool BandsPrint = false;
    TColor BandsPrimaryColor = platform::clInfoBk;
    TColor BandsSecondaryColor = platform::clWindow;
    int BandsPrimaryLength = 1;
    int BandsTotalLength = 2;

    int FixedCols = 1;
    int FixedRows = 1;
    int FixedRightCols = 0;
    int FixedFooters = 0;
    int ColCount = 5; // displayed columns
    int RowCount = 5;
    int NumHiddenColumns = 0;

    TGridLook Look = glClassic;
    TColor VLXGradientFrom = clNone, VLXGradientTo = clNone;
    TColor VLXGradientMirrorFrom = clNone, VLXGradientMirrorTo = clNone;

    TColor SelectionColor = platform::clHighlight;
    TColor SelectionColorTo = clNone;
    TColor SelectionMirrorColor = clNone;
    TColor SelectionMirrorColorTo = clNone;
    TColor SelectionTextColor = platform::clHighlightText;
    bool SelectionColorMixer = false;
    int SelectionColorMixerFactor = 50;
    bool ShowSelection = true;

    bool DisjunctRowSelect = false;
    bool DisjunctColSelect = false;
    bool DisjunctCellSelect = false;
    bool RowSelectPersistent = false;
    bool UseEnabledRows = false;
    bool UseDisabledFont = false;
    TColor DisabledFontColor = platform::clGrayText;
    bool Enabled = true; // the grid itself

    TAlignment DefaultAlignment = taLeftJustify;
    TVAlignment VAlignment = vtaTop;
    bool AutoNumAlign = false;

    bool PrintUseDisplayFont = true;
    TFont PrintFont;
    TFont PrintFixedFont;

    bool ActiveCellShow = false;
    TFont ActiveCellFont;
    TColor ActiveCellColor = 0xEACAB6;

    bool MouseDown = false; // a mouse button is held over the grid
    int Col = 1;            // current cell
    int Row = 1;
};

class TCellVisualHooks {
public:
    virtual ~TCellVisualHooks() = default;

    // The cell's own properties, only when it has them (asking never creates them).
    virtual const TCellProperties* CellProperties(int realCol, int row) const;
    virtual TCellType GetCellType(int realCol, int row) const;
    virtual bool IsFixed(int realCol, int row) const;
    virtual int DisplColIndex(int realCol) const;
    virtual int RealColFromDispl(int col) const;
    virtual int RealRowFromDispl(int row) const;

    // Rectangle selection, disjunct rows, columns and cells.
    virtual bool IsSelected(int col, int row) const;
    virtual bool RowSelect(int realRow) const;
    virtual bool ColSelect(int col) const;
    virtual bool CellInSelectedList(int col, int row) const;
    virtual bool RowEnabled(int realRow) const;

    // Colour hooks (the column grid and OnGetCellColor / OnGetCellPrintColor answer here).
    virtual void GetCellColor(int realCol, int row, TGridDrawState state, TBrush& brush, TFont& font);
    virtual void GetCellPrintColor(int realCol, int row, TGridDrawState state, TBrush& brush, TFont& font);
    // OnGetCellGradient; false when no handler is assigned.
    virtual bool GetCellGradient(int row, int realCol, TColor& color, TColor& colorTo, TColor& mirror, TColor& mirrorTo,
                                 TCellGradientDirection& gd);
    virtual void GetCellWordWrap(int realCol, int row, bool& wordWrap);
    virtual void GetCellAlignment(int realCol, int row, TAlignment& ha, TVAlignment& va);

    // Cell text, and the raw text that stands behind a formula.
    virtual QString CellText(int realCol, int row) const;
    virtual QString RawCellText(int realCol, int row) const;
    // Integer, decimal number or number with an exponent.
    virtual bool IsNumberText(const QString& trimmed) const;
};

struct TCellVisuals {
    TBrush Brush;
    TColor ColorTo = clNone;
    TColor MirrorColor = clNone;
    TColor MirrorColorTo = clNone;
    TFont Font;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WordWrap = false;
    TCellGradientDirection GD = GradientVertical;
};

// Fills `out` (its WordWrap and GD come in as the caller's starting values) and may add or
// remove gdSelected and add gdFixed in `state`. With remap, col is a displayed column.
void GetVisualProperties(const TCellVisualSettings& s, TCellVisualHooks& hooks, int col, int row, TGridDrawState& state,
                         bool print, bool select, bool remap, TCellVisuals& out);

// Font only (for measuring): FixedFont or Font, the cell's own font, then the colour hook.
void GetFontProperties(const TCellVisualSettings& s, TCellVisualHooks& hooks, int col, int realCol, int row,
                       TGridDrawState& state, TFont& font, TBrush& brush);

void ResolveCellAlignment(const TCellVisualSettings& s, TCellVisualHooks& hooks, int realCol, int row, TAlignment& ha,
                          TVAlignment& va);

// The string grid's own colour rule, run by its GetCellColor before OnGetCellColor: the
// active-cell colours on the fixed cells leading to the current cell, the cell's own brush
// colour for cells without a drawn graphic, and the cell's own font.
void StringGridCellColor(const TCellVisualSettings& s, const TCellVisualHooks& hooks, int realCol, int row,
                         TBrush& brush, TFont& font);

// The cell's own font colour, style, size and name over `font`, each only where it is set.
void applyOwnFont(const TCellProperties& p, TFont& font);

TColor BlendColors(TColor color, TColor color2, int percent);
TColor MixSelectionColor(TColor selColor, TColor cellColor, bool mixer, int factor);

} // namespace grid
