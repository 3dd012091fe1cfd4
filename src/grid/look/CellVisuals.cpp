#include "grid/look/CellVisuals.h"

#include "grid/look/ZirAzur.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace grid {

// ---- hook defaults: a grid without cell properties, selection or events ---------------------

const TCellProperties* TCellVisualHooks::CellProperties(int, int) const
{
    return nullptr;
}
TCellType TCellVisualHooks::GetCellType(int, int) const
{
    return ctEmpty;
}
bool TCellVisualHooks::IsFixed(int, int) const
{
    return false;
}
int TCellVisualHooks::DisplColIndex(int realCol) const
{
    return realCol;
}
int TCellVisualHooks::RealColFromDispl(int col) const
{
    return col;
}
int TCellVisualHooks::RealRowFromDispl(int row) const
{
    return row;
}
bool TCellVisualHooks::IsSelected(int, int) const
{
    return false;
}
bool TCellVisualHooks::RowSelect(int) const
{
    return false;
}
bool TCellVisualHooks::ColSelect(int) const
{
    return false;
}
bool TCellVisualHooks::CellInSelectedList(int, int) const
{
    return false;
}
bool TCellVisualHooks::RowEnabled(int) const
{
    return true;
}
void TCellVisualHooks::GetCellColor(int, int, TGridDrawState, TBrush&, TFont&) {}
void TCellVisualHooks::GetCellPrintColor(int, int, TGridDrawState, TBrush&, TFont&) {}
bool TCellVisualHooks::GetCellGradient(int, int, TColor&, TColor&, TColor&, TColor&, TCellGradientDirection&)
{
    return false;
}
void TCellVisualHooks::GetCellWordWrap(int, int, bool&) {}
void TCellVisualHooks::GetCellAlignment(int, int, TAlignment&, TVAlignment&) {}
QString TCellVisualHooks::CellText(int, int) const
{
    return {};
}
QString TCellVisualHooks::RawCellText(int col, int row) const
{
    return CellText(col, row);
}

bool TCellVisualHooks::IsNumberText(const QString& trimmed) const
{
    const QString dec = QRegularExpression::escape(QLocale().decimalPoint());
    const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+((\\.|%1)\\d*)?|(\\.|%1)\\d+)([eE][+-]?\\d+)?$").arg(dec));
    return number.match(trimmed).hasMatch();
}

// ---- colour operations ---------------------------------------------------------------------

TColor BlendColors(TColor color, TColor color2, int percent)
{
    if (percent >= 100)
        return color;
    if (percent < 1 || color == clNone)
        return color2;
    if (color2 == clNone)
        return color;
    const TColor a = platform::colorToRGB(color), b = platform::colorToRGB(color2);
    const double p = percent / 100.0;
    const auto mix = [p](int c1, int c2) { return std::min(255, int(std::nearbyint(p * c1 + (1 - p) * c2))); };
    return platform::rgb(mix(platform::getRValue(a), platform::getRValue(b)),
                         mix(platform::getGValue(a), platform::getGValue(b)),
                         mix(platform::getBValue(a), platform::getBValue(b)));
}

TColor MixSelectionColor(TColor selColor, TColor cellColor, bool mixer, int factor)
{
    return mixer ? BlendColors(selColor, cellColor, factor) : selColor;
}

// ---- resolution ----------------------------------------------------------------------------

void applyOwnFont(const TCellProperties& p, TFont& font)
{
    if (p.FFontColor != clNone)
        font.Color = p.FFontColor;
    if (p.FFontStyle != 0)
        font.Style = p.FFontStyle;
    if (p.FFontSize != 0)
        font.Size = p.FFontSize;
    if (!p.FFontName.isEmpty())
        font.Name = p.FFontName;
}

namespace {

void selectionColors(const TCellVisualSettings& s, TCellVisuals& out)
{
    out.ColorTo = s.SelectionColorTo;
    out.MirrorColor = s.SelectionMirrorColor;
    out.MirrorColorTo = s.SelectionMirrorColorTo;
    if (s.SelectionTextColor != clNone)
        out.Font.Color = s.SelectionTextColor;
}

void disjunctSelected(const TCellVisualSettings& s, TGridDrawState& state, TCellVisuals& out)
{
    state = gdSelected;
    out.Brush.Color = s.SelectionColor;
    selectionColors(s, out);
}

void rectangleSelected(const TCellVisualSettings& s, TGridDrawState& state, TCellVisuals& out)
{
    out.Brush.Color =
        out.Brush.Color == s.Color
            ? s.SelectionColor
            : MixSelectionColor(s.SelectionColor, out.Brush.Color, s.SelectionColorMixer, s.SelectionColorMixerFactor);
    selectionColors(s, out);
    state |= gdSelected;
}

} // namespace

void GetVisualProperties(const TCellVisualSettings& s, TCellVisualHooks& hooks, int col, int row, TGridDrawState& state,
                         bool print, bool select, bool remap, TCellVisuals& out)
{
    const bool normal = col >= s.FixedCols && row >= s.FixedRows;
    const bool printFonts = print && !s.PrintUseDisplayFont;
    if (normal)
        out.Font = printFonts ? s.PrintFont : s.Font;
    else
        out.Font = printFonts ? s.PrintFixedFont : s.FixedFont;

    // Hooks and data are asked with the real column; the cell-type hook too, so a hidden
    // column in front does not make it answer for the neighbouring cell.
    const int realCol = remap ? hooks.RealColFromDispl(col) : col;
    const int selRow =
        ((s.DisjunctRowSelect && s.RowSelectPersistent) || s.UseEnabledRows) ? hooks.RealRowFromDispl(row) : row;

    out.Brush.Color = clNone;
    out.ColorTo = out.MirrorColor = out.MirrorColorTo = clNone;
    bool ownColorWins = false;

    if (const TCellProperties* p = hooks.CellProperties(realCol, row)) {
        const TCellType type = hooks.GetCellType(realCol, row);
        if (type == ctNone || type == ctRotated || type == ctEmpty) {
            if (p->FBrushColor != clNone) {
                out.Brush.Color = p->FBrushColor;
                ownColorWins = true;
            }
        } else {
            out.Brush.Color = p->FBrushColor;
        }
        applyOwnFont(*p, out.Font);
        out.WordWrap = p->FWordWrap;
        out.ColorTo = p->FBrushColorTo;
        out.GD = p->FGradientDirection;
    }

    if (state & gdSelected)
        out.GD = GradientVertical;

    if (out.Brush.Color == clNone) {
        out.Brush.Color = s.Color;
        if (s.BandsActive && (!print || s.BandsPrint) && s.BandsTotalLength > 0 && realCol >= s.FixedCols
            && realCol <= s.ColCount + s.NumHiddenColumns - s.FixedRightCols - 1 && row >= s.FixedRows
            && row <= s.RowCount - s.FixedFooters - 1) {
            out.Brush.Color = (row - s.FixedRows) % s.BandsTotalLength < s.BandsPrimaryLength ? s.BandsPrimaryColor
                                                                                              : s.BandsSecondaryColor;
        }
        if (col < s.FixedCols || row < s.FixedRows || hooks.DisplColIndex(realCol) >= s.ColCount - s.FixedRightCols
            || row >= s.RowCount - s.FixedFooters)
            out.Brush.Color = s.FixedColor;
    }

    const bool fixed = hooks.IsFixed(realCol, row) || col < s.FixedCols || row < s.FixedRows;
    if (fixed && !print && !ownColorWins) {
        out.Brush.Color = s.FixedColor;
        out.Font = s.FixedFont;
        state |= gdFixed;
    }
    if (fixed && !ownColorWins && s.Look > glClassic) {
        out.Brush.Color = s.VLXGradientFrom;
        out.ColorTo = s.VLXGradientTo;
        out.MirrorColor = s.VLXGradientMirrorFrom;
        out.MirrorColorTo = s.VLXGradientMirrorTo;
    }

    if (print)
        hooks.GetCellPrintColor(realCol, row, state, out.Brush, out.Font);
    else
        hooks.GetCellColor(realCol, row, state, out.Brush, out.Font);

    {
        TColor c = out.Brush.Color;
        if (hooks.GetCellGradient(row, realCol, c, out.ColorTo, out.MirrorColor, out.MirrorColorTo, out.GD))
            out.Brush.Color = c;
    }

    const TColor afterHooksBrush = out.Brush.Color;
    const TColor afterHooksFont = out.Font.Color;

    bool rectangleApplied = false;
    if (select && !print && s.ShowSelection && !fixed) {
        if (s.DisjunctRowSelect && normal) {
            const bool rowSel = hooks.RowSelect(selRow);
            bool selected;
            if (!s.MouseDown)
                selected = rowSel;
            else if (row != s.Row)
                selected = rowSel || (state & gdSelected);
            else
                selected = !rowSel && (state & gdSelected);
            if (selected)
                disjunctSelected(s, state, out);
            else
                state &= ~TGridDrawState(gdSelected);
        }
        if (s.DisjunctColSelect && normal) {
            const bool colSel = hooks.ColSelect(col);
            const bool selected =
                (colSel && !(s.MouseDown && col == s.Col)) || (s.MouseDown && !colSel && (state & gdSelected));
            if (selected)
                disjunctSelected(s, state, out);
        }
        if (hooks.IsSelected(col, row) && !s.DisjunctRowSelect && !s.DisjunctColSelect) {
            rectangleSelected(s, state, out);
            rectangleApplied = true;
        }
    }
    // While the mouse is down the selection being dragged shows on every cell it covers.
    if (!rectangleApplied && (state & gdSelected) && s.MouseDown && s.ShowSelection)
        rectangleSelected(s, state, out);

    if (s.DisjunctCellSelect && s.ShowSelection) {
        if (hooks.CellInSelectedList(col, row)) {
            out.Brush.Color = s.SelectionColor;
            selectionColors(s, out);
            state |= gdSelected;
        } else if (col == s.Col && row == s.Row) {
            state &= ~TGridDrawState(gdSelected);
            out.Brush.Color = afterHooksBrush;
            out.Font.Color = afterHooksFont;
        }
    }

    if (s.UseDisabledFont && ((s.UseEnabledRows && !hooks.RowEnabled(selRow)) || !s.Enabled))
        out.Font.Color = s.DisabledFontColor;

    if (s.DisjunctRowSelect && hooks.IsSelected(col, row) && row != s.Row && s.SelectionColorTo == clNone)
        out.Brush.Color = ZirAzur::ScaleColorPercent(out.Brush.Color, 7);

    hooks.GetCellWordWrap(realCol, row, out.WordWrap);
    ResolveCellAlignment(s, hooks, realCol, row, out.HA, out.VA);
}

void GetFontProperties(const TCellVisualSettings& s, TCellVisualHooks& hooks, int col, int realCol, int row,
                       TGridDrawState& state, TFont& font, TBrush& brush)
{
    const bool fixed = hooks.IsFixed(realCol, row) || col < s.FixedCols || row < s.FixedRows;
    font = fixed ? s.FixedFont : s.Font;
    if (const TCellProperties* p = hooks.CellProperties(realCol, row))
        applyOwnFont(*p, font);
    hooks.GetCellColor(realCol, row, state, brush, font);
}

void ResolveCellAlignment(const TCellVisualSettings& s, TCellVisualHooks& hooks, int realCol, int row, TAlignment& ha,
                          TVAlignment& va)
{
    ha = s.DefaultAlignment;
    va = s.VAlignment;
    bool formula = false;
    if (s.AutoNumAlign) {
        QString text = hooks.CellText(realCol, row);
        formula = text.startsWith(QLatin1Char('='))
                  || (text.size() > 3 && text.startsWith(QLatin1String("|\\")) && text[3] == QLatin1Char('='));
        if (formula)
            text = hooks.RawCellText(realCol, row);
        if (hooks.IsNumberText(text.trimmed()))
            ha = taRightJustify;
    }
    if (!formula)
        if (const TCellProperties* p = hooks.CellProperties(realCol, row))
            ha = p->FAlignment;
    hooks.GetCellAlignment(realCol, row, ha, va);
}

void StringGridCellColor(const TCellVisualSettings& s, const TCellVisualHooks& hooks, int realCol, int row,
                         TBrush& brush, TFont& font)
{
    if (s.ActiveCellShow
        && ((realCol == s.FixedCols - 1 && row == s.Row) || (row == s.FixedRows - 1 && realCol == s.Col))) {
        brush.Color = s.ActiveCellColor;
        font = s.ActiveCellFont;
    }
    if (const TCellProperties* p = hooks.CellProperties(realCol, row)) {
        const TCellType type = hooks.GetCellType(realCol, row);
        const bool plainKind = type == ctIcon || type == ctNone || type == ctImageList || type == ctEmpty
                               || type == ctImages || type == ctComment;
        if (plainKind && p->FBrushColor != clNone)
            brush.Color = p->FBrushColor;
        applyOwnFont(*p, font);
    }
}

} // namespace grid
