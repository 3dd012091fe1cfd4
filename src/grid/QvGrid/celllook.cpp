// Per-cell look accessors over the cell's properties object, row-wide colours, controls placed
// in cells, and column widths by real column.

#include "grid/QvGrid.h"

#include <algorithm>

namespace grid {

// The check does not create the properties.
TCellProperties* TQvStringGrid::cellPropsIfAny(int i, int j) const
{
    return CellHasProperties(i, j) ? static_cast<TCellProperties*>(GetGridObject(i, j)) : nullptr;
}

// The cell at the displayed column of i; the colour and font writers leave the repaint to the
// end of an update bracket.
void TQvStringGrid::repaintLook(int i, int j, bool unlessUpdating)
{
    if (unlessUpdating && FUpdateCount > 0)
        return;
    InvalidateCell(DisplColIndex(i), j);
}

// A hidden column answers its stored width; a higher index than 511 uses the platform width
// only.
int TQvStringGrid::GetAllColWidths(int i) const
{
    if (i >= 0 && i < MaxHideColumns && IsHiddenColumn(i))
        return FAllColWidths[std::size_t(i)];
    return ColWidths(DisplColIndex(i));
}

void TQvStringGrid::SetAllColWidths(int i, int value)
{
    if (i >= 0 && i < MaxHideColumns) {
        FAllColWidths[std::size_t(i)] = short(value);
        if (IsHiddenColumn(i))
            return;
    }
    const int d = DisplColIndex(i);
    if (d >= 0 && d < ColCount())
        SetColWidths(d, value);
}

// ---- per-cell look -----------------------------------------------------------------------------

TColor TQvStringGrid::GetColors(int i, int j) const
{
    const TCellProperties* p = cellPropsIfAny(i, j);
    return p ? p->FBrushColor : clNone;
}

void TQvStringGrid::SetColors(int i, int j, TColor v)
{
    GetCellProperties(i, j)->SetBrushColor(v);
    repaintLook(i, j, true);
}

TColor TQvStringGrid::GetColorsTo(int i, int j) const
{
    const TCellProperties* p = cellPropsIfAny(i, j);
    return p ? p->FBrushColorTo : clNone;
}

void TQvStringGrid::SetColorsTo(int i, int j, TColor v)
{
    GetCellProperties(i, j)->SetBrushColorTo(v);
    repaintLook(i, j);
}

TCellGradientDirection TQvStringGrid::GetGradientDir(int i, int j) const
{
    const TCellProperties* p = cellPropsIfAny(i, j);
    return p ? p->FGradientDirection : GradientVertical;
}

void TQvStringGrid::SetGradientDir(int i, int j, TCellGradientDirection v)
{
    GetCellProperties(i, j)->FGradientDirection = v;
    repaintLook(i, j);
}

TColor TQvStringGrid::GetFontColors(int i, int j) const
{
    const TCellProperties* p = cellPropsIfAny(i, j);
    return p ? p->FFontColor : clNone;
}

void TQvStringGrid::SetFontColors(int i, int j, TColor v)
{
    GetCellProperties(i, j)->FFontColor = v;
    repaintLook(i, j);
}

TFontStyles TQvStringGrid::GetFontStyles(int i, int j) const
{
    const TCellProperties* p = cellPropsIfAny(i, j);
    return p ? p->FFontStyle : 0;
}

void TQvStringGrid::SetFontStyles(int i, int j, TFontStyles v)
{
    GetCellProperties(i, j)->FFontStyle = v;
    repaintLook(i, j);
}

int TQvStringGrid::GetFontSizes(int i, int j) const
{
    const TCellProperties* p = cellPropsIfAny(i, j);
    return p ? p->FFontSize : 0;
}

void TQvStringGrid::SetFontSizes(int i, int j, int v)
{
    GetCellProperties(i, j)->FFontSize = v;
    repaintLook(i, j);
}

QString TQvStringGrid::GetFontNames(int i, int j) const
{
    const TCellProperties* p = cellPropsIfAny(i, j);
    return p ? p->FFontName : QString();
}

void TQvStringGrid::SetFontNames(int i, int j, const QString& v)
{
    GetCellProperties(i, j)->FFontName = v;
    repaintLook(i, j);
}

TAlignment TQvStringGrid::GetAlignments(int i, int j) const
{
    const TCellProperties* p = cellPropsIfAny(i, j);
    return p ? p->FAlignment : taLeftJustify;
}

void TQvStringGrid::SetAlignments(int i, int j, TAlignment v)
{
    GetCellProperties(i, j)->SetAlignment(v);
    repaintLook(i, j);
}

void TQvStringGrid::SetReadOnly(int i, int j, bool v)
{
    GetCellProperties(i, j)->FReadOnly = v;
    repaintLook(i, j);
}

// Reading creates the properties with the cell defaults and answers their value.
bool TQvStringGrid::GetWordWraps(int i, int j)
{
    return GetCellProperties(i, j)->WordWrap();
}

void TQvStringGrid::SetWordWraps(int i, int j, bool v)
{
    GetCellProperties(i, j)->SetWordWrap(v);
    repaintLook(i, j);
}

void TQvStringGrid::SetCellFont(int i, int j, const TFont& font)
{
    TCellProperties* p = GetCellProperties(i, j);
    p->FFontName = font.Name;
    p->FFontSize = font.Size;
    p->FFontStyle = font.Style;
    p->FFontColor = font.Color;
    repaintLook(i, j, true);
}

// ---- controls placed in cells --------------------------------------------------------------

QWidget* TQvStringGrid::GetCellControls(int i, int j) const
{
    const TCellProperties* p = cellPropsIfAny(i, j);
    return p ? p->FControl.data() : nullptr;
}

// The control list keys its entries by column and real row, so a control stays with its row
// while rows are hidden.
void TQvStringGrid::SetCellControls(int i, int j, QWidget* control)
{
    const int realRow = RealRowFromDispl(j);
    TControlList& list = ControlList();
    if (!control) {
        TCellProperties* p = cellPropsIfAny(i, j);
        if (p && p->FControl) {
            const int k = list.ControlIndex(i, realRow);
            if (k >= 0)
                list.RemoveControl(k);
            FNumCellControls = std::max(0, FNumCellControls - 1);
            p->FControl = nullptr;
        }
        return;
    }
    TCellProperties* p = GetCellProperties(i, j);
    const int k = list.ControlIndex(i, realRow);
    if (k >= 0)
        list.RemoveControl(k);
    if (!p->FControl)
        ++FNumCellControls;
    list.AddControl(i, realRow, control);
    p->FControl = control;
    control->setParent(viewport());
    const TRect r = CellRect(DisplColIndex(i), j);
    control->setGeometry(r.Left - 1, r.Top - 1, r.Right - r.Left + 1, r.Bottom - r.Top + 1);
}

// ---- row-wide colours ---------------------------------------------------------------------------

// Removing a colour gives a cell without a graphic its plain defaults back (its properties
// go); a cell with a graphic keeps it and only loses the colour.
void TQvStringGrid::SetRowColor(int i, TColor color)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (color != clNone) {
            GetCellProperties(c, i)->SetBrushColor(color);
        } else if (TCellProperties* p = cellPropsIfAny(c, i)) {
            const TCellGraphic* g = GetCellGraphic(c, i);
            if (!g || g->FCellType == ctNone)
                FreeCellObjects(c, i, c, i);
            else
                p->SetBrushColor(clNone);
        }
    }
    RepaintRow(i);
}

void TQvStringGrid::SetRowColorTo(int i, TColor color)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (color != clNone)
            GetCellProperties(c, i)->SetBrushColorTo(color);
        else if (cellPropsIfAny(c, i))
            FreeCellObjects(c, i, c, i);
    }
    RepaintRow(i);
}

void TQvStringGrid::SetRowFontColor(int i, TColor color)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (color != clNone)
            GetCellProperties(c, i)->FFontColor = color;
        else if (const TCellProperties* p = cellPropsIfAny(c, i); p && p->FBrushColor == clNone)
            FreeCellObjects(c, i, c, i);
    }
    RepaintRow(i);
}

} // namespace grid
