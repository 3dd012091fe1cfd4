// Per-cell look accessors over the cell's properties object, row-wide colours, controls placed
// in cells, and column widths by real column.

#include "grid/QvCGrid.h"

namespace grid {

namespace {

// Only real columns 0 to 511 can be hidden and keep a width of their own meanwhile.
constexpr int kMaxHideColumns = 512;

template <class G>
bool hiddenColumn(const G& g, int col)
{
    if constexpr (requires { g.IsHiddenColumn(col); })
        return g.IsHiddenColumn(col);
    else
        return false;
}

template <class G>
int storedWidth(const G& g, int col)
{
    if constexpr (requires { g.GetAllColWidths(col); })
        return g.GetAllColWidths(col);
    else
        return g.DefaultColWidth();
}

template <class G>
void storeWidth(G& g, int col, int value)
{
    if constexpr (requires { g.SetAllColWidths(col, value); })
        g.SetAllColWidths(col, value);
}

} // namespace

void TQvColumnGrid::repaintDispl(int i, int j)
{
    InvalidateCell(DisplColIndex(i), j);
}

int TQvColumnGrid::GetLinesInCell(int i, int j) const
{
    return 1 + int(Cells(i, j).count(QLatin1Char('\r')));
}

// A hidden row keeps its raw texts in the hidden-row store, which the string grid reads by
// real row; a shown row is read at its displayed position.
QString TQvColumnGrid::GetGridCellsEx(int i, int j) const
{
    if (i < 0 || j < 0)
        return {};
    if (IsHiddenRow(j))
        return GetCellsEx(i, j);
    return GetGridCell(i, DisplRowFromReal(j));
}

// A line the hidden row does not have yet is added rather than refused.
void TQvColumnGrid::SetGridCellsEx(int i, int j, const QString& value)
{
    if (i < 0 || j < 0)
        return;
    if (IsHiddenRow(j))
        SetCellsEx(i, j, value);
    else
        SetGridCell(i, DisplRowFromReal(j), value);
}

TObject* TQvColumnGrid::GetObjectsEx(int i, int j) const
{
    if (i < 0 || j < 0)
        return nullptr;
    if (IsHiddenRow(j)) {
        TObject* o = CellObjectByRealRow(i, j);
        if (auto* p = dynamic_cast<TCellProperties*>(o))
            return p->CellObject();
        return o;
    }
    return GetObjectEx(i, DisplRowFromReal(j));
}

// A hidden row's cell takes the object only through the properties it keeps; a hidden cell
// without properties has no place for one until the row is shown again.
void TQvColumnGrid::SetObjectsEx(int i, int j, TObject* object)
{
    if (i < 0 || j < 0)
        return;
    if (IsHiddenRow(j)) {
        if (auto* p = dynamic_cast<TCellProperties*>(CellObjectByRealRow(i, j)))
            p->SetCellObject(object);
        return;
    }
    SetObjectEx(i, DisplRowFromReal(j), object);
}

// A hidden column answers its stored width; a higher index than 511 uses the platform width
// only.
int TQvColumnGrid::GetAllColWidths(int i) const
{
    const auto& base = static_cast<const TQvStringGrid&>(*this);
    if (i >= 0 && i < kMaxHideColumns && hiddenColumn(base, i))
        return storedWidth(base, i);
    return ColWidths(DisplColIndex(i));
}

void TQvColumnGrid::SetAllColWidths(int i, int value)
{
    auto& base = static_cast<TQvStringGrid&>(*this);
    if (i >= 0 && i < kMaxHideColumns && hiddenColumn(base, i)) {
        storeWidth(base, i, value);
        return;
    }
    const int d = DisplColIndex(i);
    if (d >= 0 && d < ColCount())
        SetColWidths(d, value);
}

// ---- per-cell look -----------------------------------------------------------------------------

TColor TQvColumnGrid::GetColors(int i, int j) const
{
    const TCellProperties* p = propsIfAny(i, j);
    return p ? p->FBrushColor : clNone;
}

void TQvColumnGrid::SetColors(int i, int j, TColor v)
{
    GetCellProperties(i, j)->SetBrushColor(v);
    repaintDispl(i, j);
}

TColor TQvColumnGrid::GetColorsTo(int i, int j) const
{
    const TCellProperties* p = propsIfAny(i, j);
    return p ? p->FBrushColorTo : clNone;
}

void TQvColumnGrid::SetColorsTo(int i, int j, TColor v)
{
    GetCellProperties(i, j)->SetBrushColorTo(v);
    repaintDispl(i, j);
}

TCellGradientDirection TQvColumnGrid::GetGradientDir(int i, int j) const
{
    const TCellProperties* p = propsIfAny(i, j);
    return p ? p->FGradientDirection : GradientVertical;
}

void TQvColumnGrid::SetGradientDir(int i, int j, TCellGradientDirection v)
{
    GetCellProperties(i, j)->FGradientDirection = v;
    repaintDispl(i, j);
}

TColor TQvColumnGrid::GetFontColors(int i, int j) const
{
    const TCellProperties* p = propsIfAny(i, j);
    return p ? p->FFontColor : clNone;
}

void TQvColumnGrid::SetFontColors(int i, int j, TColor v)
{
    GetCellProperties(i, j)->FFontColor = v;
    repaintDispl(i, j);
}

TFontStyles TQvColumnGrid::GetFontStyles(int i, int j) const
{
    const TCellProperties* p = propsIfAny(i, j);
    return p ? p->FFontStyle : 0;
}

void TQvColumnGrid::SetFontStyles(int i, int j, TFontStyles v)
{
    GetCellProperties(i, j)->FFontStyle = v;
    repaintDispl(i, j);
}

int TQvColumnGrid::GetFontSizes(int i, int j) const
{
    const TCellProperties* p = propsIfAny(i, j);
    return p ? p->FFontSize : 0;
}

void TQvColumnGrid::SetFontSizes(int i, int j, int v)
{
    GetCellProperties(i, j)->FFontSize = v;
    repaintDispl(i, j);
}

QString TQvColumnGrid::GetFontNames(int i, int j) const
{
    const TCellProperties* p = propsIfAny(i, j);
    return p ? p->FFontName : QString();
}

void TQvColumnGrid::SetFontNames(int i, int j, const QString& v)
{
    GetCellProperties(i, j)->FFontName = v;
    repaintDispl(i, j);
}

TAlignment TQvColumnGrid::GetAlignments(int i, int j) const
{
    const TCellProperties* p = propsIfAny(i, j);
    return p ? p->FAlignment : taLeftJustify;
}

void TQvColumnGrid::SetAlignments(int i, int j, TAlignment v)
{
    GetCellProperties(i, j)->SetAlignment(v);
    repaintDispl(i, j);
}

void TQvColumnGrid::SetReadOnly(int i, int j, bool v)
{
    GetCellProperties(i, j)->FReadOnly = v;
    repaintDispl(i, j);
}

// Reading creates the properties with the cell defaults and answers their value.
bool TQvColumnGrid::GetWordWraps(int i, int j)
{
    return GetCellProperties(i, j)->WordWrap();
}

void TQvColumnGrid::SetWordWraps(int i, int j, bool v)
{
    GetCellProperties(i, j)->SetWordWrap(v);
    repaintDispl(i, j);
}

void TQvColumnGrid::SetCellFont(int i, int j, const TFont& font)
{
    TCellProperties* p = GetCellProperties(i, j);
    p->FFontName = font.Name;
    p->FFontSize = font.Size;
    p->FFontStyle = font.Style;
    p->FFontColor = font.Color;
    repaintDispl(i, j);
}

// ---- controls placed in cells --------------------------------------------------------------

QWidget* TQvColumnGrid::GetCellControls(int i, int j) const
{
    const TCellProperties* p = propsIfAny(i, j);
    return p ? p->FControl.data() : nullptr;
}

// The control list keys its entries by column and real row, so a control stays with its row
// while rows are hidden.
void TQvColumnGrid::SetCellControls(int i, int j, QWidget* control)
{
    const int realRow = RealRowFromDispl(j);
    TControlList& list = ControlList();
    if (!control) {
        TCellProperties* p = propsIfAny(i, j);
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
void TQvColumnGrid::SetRowColor(int i, TColor color)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (color != clNone) {
            GetCellProperties(c, i)->SetBrushColor(color);
        } else if (TCellProperties* p = propsIfAny(c, i)) {
            const TCellGraphic* g = TQvStringGrid::GetCellGraphic(c, i);
            if (!g || g->FCellType == ctNone)
                FreeCellObjects(c, i, c, i);
            else
                p->SetBrushColor(clNone);
        }
    }
    RepaintRow(i);
}

void TQvColumnGrid::SetRowColorTo(int i, TColor color)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (color != clNone)
            GetCellProperties(c, i)->SetBrushColorTo(color);
        else if (propsIfAny(c, i))
            FreeCellObjects(c, i, c, i);
    }
    RepaintRow(i);
}

void TQvColumnGrid::SetRowFontColor(int i, TColor color)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (color != clNone)
            GetCellProperties(c, i)->FFontColor = color;
        else if (const TCellProperties* p = propsIfAny(c, i); p && p->FBrushColor == clNone)
            FreeCellObjects(c, i, c, i);
    }
    RepaintRow(i);
}

} // namespace grid
