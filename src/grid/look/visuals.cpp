// The look a cell is shown with: the grid's settings and per-cell hooks handed to the cell
// visual resolution (colours in their fixed order, banding, look gradients, selection, events).

#include "grid/QvGrid.h"
#include "grid/look/CellVisuals.h"

namespace grid {

namespace {

// The grid's answers to the resolution's questions.
class TGridVisualHooks : public TCellVisualHooks {
public:
    explicit TGridVisualHooks(TQvStringGrid& grid) : g(grid) {}

    const TCellProperties* CellProperties(int realCol, int row) const override
    {
        return g.CellHasProperties(realCol, row) ? static_cast<const TCellProperties*>(g.GetGridObject(realCol, row))
                                                 : nullptr;
    }
    TCellType GetCellType(int realCol, int row) const override { return g.GetCellType(realCol, row); }
    bool IsFixed(int realCol, int row) const override { return g.IsFixed(realCol, row); }
    int DisplColIndex(int realCol) const override { return g.DisplColIndex(realCol); }
    int RealColFromDispl(int col) const override { return g.RealColFromDispl(col); }
    int RealRowFromDispl(int row) const override { return g.RealRowFromDispl(row); }
    bool IsSelected(int col, int row) const override
    {
        const TGridRect s = g.Selection();
        return col >= s.Left && col <= s.Right && row >= s.Top && row <= s.Bottom;
    }
    bool CellInSelectedList(int col, int row) const override
    {
        return g.SelectedCellList().HasValue(TQvStringGrid::SelectedCellKey(col, row));
    }
    bool RowSelect(int realRow) const override { return g.GetRowSelect(realRow); }
    bool ColSelect(int col) const override { return g.GetColSelect(col); }
    bool RowEnabled(int realRow) const override { return g.GetRowEnabled(realRow); }
    void GetCellColor(int realCol, int row, TGridDrawState state, TBrush& brush, TFont& font) override
    {
        g.GetCellColor(realCol, row, state, brush, font);
    }
    void GetCellPrintColor(int realCol, int row, TGridDrawState state, TBrush& brush, TFont& font) override
    {
        g.GetCellPrintColor(realCol, row, state, brush, font);
    }
    bool GetCellGradient(int row, int realCol, TColor& color, TColor& colorTo, TColor& mirror, TColor& mirrorTo,
                         TCellGradientDirection& gd) override
    {
        if (!g.OnGetCellGradient)
            return false;
        g.OnGetCellGradient(&g, row, realCol, color, colorTo, mirror, mirrorTo, gd);
        return true;
    }
    void GetCellWordWrap(int realCol, int row, bool& wordWrap) override { g.GetCellWordWrap(realCol, row, wordWrap); }
    void GetCellAlignment(int realCol, int row, TAlignment& ha, TVAlignment& va) override
    {
        g.GetCellAlignment(realCol, row, ha, va);
    }
    QString CellText(int realCol, int row) const override { return g.Cells(realCol, row); }

private:
    TQvStringGrid& g;
};

} // namespace

TCellVisualSettings TQvStringGrid::VisualSettings()
{
    TCellVisualSettings s;
    s.Color = Color();
    s.FixedColor = FixedColor();
    s.Font = Font();
    s.FixedFont = FFixedFont;
    s.BandsActive = FBands->Active();
    s.BandsPrimaryColor = FBands->PrimaryColor();
    s.BandsSecondaryColor = FBands->SecondaryColor();
    s.BandsPrimaryLength = FBands->PrimaryLength();
    s.BandsTotalLength = FBands->PrimaryLength() + FBands->SecondaryLength();
    s.FixedCols = FixedCols();
    s.FixedRows = FixedRows();
    s.FixedRightCols = FFixedRightCols;
    s.FixedFooters = FFixedFooters;
    s.ColCount = ColCount();
    s.RowCount = RowCount();
    s.NumHiddenColumns = FNumHidden;
    s.Look = Look;
    s.VLXGradientFrom = VLXGradientFrom();
    s.VLXGradientTo = VLXGradientTo();
    s.VLXGradientMirrorFrom = VLXGradientMirrorFrom();
    s.VLXGradientMirrorTo = VLXGradientMirrorTo();
    s.SelectionColor = SelectionColor;
    s.SelectionColorTo = SelectionColorTo;
    s.SelectionMirrorColor = SelectionMirrorColor;
    s.SelectionMirrorColorTo = SelectionMirrorColorTo;
    s.SelectionTextColor = SelectionTextColor;
    s.SelectionColorMixer = SelectionColorMixer;
    s.SelectionColorMixerFactor = SelectionColorMixerFactor;
    s.ShowSelection = ShowSelection;
    s.DisjunctRowSelect = FMouseActions->DisjunctRowSelect();
    s.DisjunctColSelect = FMouseActions->DisjunctColSelect();
    s.DisjunctCellSelect = FMouseActions->DisjunctCellSelect();
    s.RowSelectPersistent = FMouseActions->RowSelectPersistent();
    s.UseEnabledRows = FUseEnabledRows;
    s.UseDisabledFont = UseDisabledFont;
    s.DisabledFontColor = DisabledFontColor;
    s.Enabled = isEnabled();
    s.DefaultAlignment = FDefaultAlignment;
    s.VAlignment = VAlignment;
    s.AutoNumAlign = AutoNumAlign;
    s.ActiveCellShow = ActiveCellShow;
    s.ActiveCellFont = FActiveCellFont;
    s.ActiveCellColor = ActiveCellColor;
    s.Col = Col();
    s.Row = Row();
    return s;
}

void TQvStringGrid::GetVisualProperties(int col, int row, TGridDrawState& state, bool print, bool select, bool remap,
                                        TBrush& brush, TColor& colorTo, TColor& mirrorColor, TColor& mirrorColorTo,
                                        TFont& font, TAlignment& ha, TVAlignment& va, bool& ww,
                                        TCellGradientDirection& gd)
{
    TGridVisualHooks hooks(*this);
    TCellVisuals out;
    out.WordWrap = ww;
    out.GD = gd;
    grid::GetVisualProperties(VisualSettings(), hooks, col, row, state, print, select, remap, out);
    brush = out.Brush;
    colorTo = out.ColorTo;
    mirrorColor = out.MirrorColor;
    mirrorColorTo = out.MirrorColorTo;
    font = out.Font;
    ha = out.HA;
    va = out.VA;
    ww = out.WordWrap;
    gd = out.GD;
}

void TQvStringGrid::GetFontProperties(int col, int realCol, int row, TGridDrawState& state, TFont& font, TBrush& brush)
{
    TGridVisualHooks hooks(*this);
    grid::GetFontProperties(VisualSettings(), hooks, col, realCol, row, state, font, brush);
}

TCellVisuals TQvStringGrid::CellLook(int col, int row, bool remap)
{
    TGridDrawState state = 0;
    TCellVisuals v;
    GetVisualProperties(col, row, state, false, false, remap, v.Brush, v.ColorTo, v.MirrorColor, v.MirrorColorTo,
                        v.Font, v.HA, v.VA, v.WordWrap, v.GD);
    return v;
}

} // namespace grid
