// The per-cell questions answered from the cell's column definition. As a rule the column
// answers first and the string grid's own rule and event run afterwards, so an event handler
// keeps the last word; the check texts, cell graphics and editability are the exceptions noted
// at each hook. The look, format, editor and check hooks get real columns; the fixed-cell test
// and the in-place editor's limits get displayed ones.

#include "grid/QvCGrid.h"
#include "grid/edit/GridSpin.h"
#include "grid/look/CellVisuals.h"
#include "grid/look/ZirAzur.h"

namespace grid {

bool TQvColumnGrid::isNormal(int ACol, int ARow) const
{
    return ACol >= FixedCols() && ARow >= FixedRows();
}

// Normal, left of the right fixed columns and above the footer rows.
bool TQvColumnGrid::isInnerNormal(int ACol, int ARow) const
{
    return isNormal(ACol, ARow) && ACol < AllColCount() - FixedRightCols() && ARow < RowCount() - FixedFooters();
}

bool TQvColumnGrid::isDataCheckCell(int ACol, int ARow) const
{
    const TGridColumnItem* c = column(ACol);
    return c && c->Editor() == edDataCheckBox && isInnerNormal(ACol, ARow);
}

TCellProperties* TQvColumnGrid::propsIfAny(int i, int j) const
{
    return CellHasProperties(i, j) ? static_cast<TCellProperties*>(GetGridObject(i, j)) : nullptr;
}

void TQvColumnGrid::GetCellColor(int ACol, int ARow, TGridDrawState state, TBrush& brush, TFont& font)
{
    const TGridColumnItem* c = column(ACol);
    if (c && ACol >= FixedCols() && ACol < AllColCount() - FixedRightCols() && ARow < RowCount() - FixedFooters()) {
        if (c->Fixed())
            brush.Color = FixedColor();
        else if (ARow >= FixedRows() && !(c->ShowBands() && Bands().Active()))
            brush.Color = c->Color();
        font = ARow < FixedRows() ? c->HeaderFont() : c->Font();
        if (const TCellProperties* p = propsIfAny(ACol, ARow)) {
            if (p->FBrushColor != clNone)
                brush.Color = p->FBrushColor;
            if (p->FFontColor != clNone)
                font.Color = p->FFontColor;
        }
    }
    TQvStringGrid::GetCellColor(ACol, ARow, state, brush, font);
}

void TQvColumnGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState state, TBrush& brush, TFont& font)
{
    if (const TGridColumnItem* c = column(ACol)) {
        const bool fixed = ACol < FixedCols() || ARow < FixedRows() || ACol >= AllColCount() - FixedRightCols()
                           || ARow >= RowCount() - FixedFooters();
        const TCellProperties* p = propsIfAny(ACol, ARow);
        if (fixed) {
            font = PrintSettings().FixedFont();
        } else {
            if (c->Fixed()) {
                brush.Color = FixedColor();
            } else if (!(c->ShowBands() && Bands().Active() && Bands().Print())) {
                brush.Color = c->PrintColor();
                if (p && p->FBrushColor != clNone)
                    brush.Color = p->FBrushColor;
            }
            if (c->PrintFontCustom()) {
                font = c->PrintFont();
                if (p)
                    applyOwnFont(*p, font);
            } else {
                font = PrintSettings().Font();
            }
        }
    }
    TQvStringGrid::GetCellPrintColor(ACol, ARow, state, brush, font);
}

void TQvColumnGrid::GetCellBorder(int ACol, int ARow, TPen& pen, TCellBorders& borders)
{
    if (const TGridColumnItem* c = column(ACol); c && isNormal(ACol, ARow)) {
        borders = c->Borders();
        pen = c->BorderPen();
    }
    TQvStringGrid::GetCellBorder(ACol, ARow, pen, borders);
}

void TQvColumnGrid::GetCellPrintBorder(int ACol, int ARow, TPen& pen, TCellBorders& borders)
{
    if (const TGridColumnItem* c = column(ACol); c && isNormal(ACol, ARow) && c->PrintBorderCustom()) {
        borders = c->PrintBorders();
        pen = c->PrintBorderPen();
    }
    TQvStringGrid::GetCellPrintBorder(ACol, ARow, pen, borders);
}

void TQvColumnGrid::GetCellAlignment(int ACol, int ARow, TAlignment& hAlign, TVAlignment& vAlign)
{
    if (const TGridColumnItem* c = column(ACol)) {
        hAlign = ARow < FixedRows() ? c->HeaderAlignment() : c->Alignment();
        if (const TCellProperties* p = propsIfAny(ACol, ARow))
            hAlign = p->FAlignment;
    }
    TQvStringGrid::GetCellAlignment(ACol, ARow, hAlign, vAlign);
}

void TQvColumnGrid::GetCellFormat(int ACol, TSortStyle& style, QString& prefix, QString& suffix)
{
    if (const TGridColumnItem* c = column(ACol)) {
        style = c->SortStyle();
        prefix = c->SortPrefix();
        suffix = c->SortSuffix();
    }
    TQvStringGrid::GetCellFormat(ACol, style, prefix, suffix);
}

// The column's editor kind, spin limits and edit link; its float format becomes the grid's own
// and stays so afterwards.
void TQvColumnGrid::GetCellEditor(int ACol, int ARow, TEditorType& editor)
{
    if (const TGridColumnItem* c = column(ACol)) {
        if (isNormal(ACol, ARow)) {
            editor = c->Editor();
            // The spin editor takes the column's limits at every query, so it exists after the
            // first one.
            TGridSpin* spin = SpinEdit();
            spin->MinValue = c->SpinMin();
            spin->MaxValue = c->SpinMax();
            spin->Increment = c->SpinStep();
            // An edCustom column opens its own link; a column without one opens nothing. An open
            // link keeps its place until it is closed, as its value is stored through it.
            if (!(EditMode && EditControl == edCustom))
                EditLink = c->EditLink();
        }
        if (!c->FloatFormat().isEmpty())
            FloatFormat = c->FloatFormat();
    }
    TQvStringGrid::GetCellEditor(ACol, ARow, editor);
}

void TQvColumnGrid::IsFixedCell(int ACol, int ARow, bool& isFixed)
{
    if (const TGridColumnItem* c = column(realCol(ACol)); c && isNormal(ACol, ARow))
        isFixed = c->Fixed();
    TQvStringGrid::IsFixedCell(ACol, ARow, isFixed);
}

// The string grid's rule (editing option, cell marks of merged areas) is not consulted: a
// column that is neither read-only nor fixed is editable even without the grid's editing
// option. Only the event runs after the column, on the merge's base cell.
void TQvColumnGrid::CanEditCell(int ACol, int ARow, bool& canEdit)
{
    const TGridColumnItem* c = column(ACol);
    if (!c) {
        TQvStringGrid::CanEditCell(ACol, ARow, canEdit);
        return;
    }
    canEdit = false;
    if (!FLoading && isNormal(ACol, ARow)) {
        canEdit = !(c->ReadOnly() || c->Fixed());
        if (canEdit && CellHasProperties(ACol, ARow))
            canEdit = !GetReadOnly(ACol, ARow);
    }
    const TPoint b = BaseCell(ACol, ARow);
    QueryCanEditCell(b.X, b.Y, canEdit);
}

void TQvColumnGrid::IsPasswordCell(int ACol, int ARow, bool& isPassword)
{
    if (const TGridColumnItem* c = column(ACol))
        isPassword = c->Password();
    TQvStringGrid::IsPasswordCell(ACol, ARow, isPassword);
}

bool TQvColumnGrid::CellHasComboBox(int ACol, int ARow)
{
    const TGridColumnItem* c = column(ACol);
    if (!c)
        return TQvStringGrid::CellHasComboBox(ACol, ARow);
    bool has = isNormal(ACol, ARow) && (c->Editor() == edComboEdit || c->Editor() == edComboList);
    if (OnHasComboBox)
        OnHasComboBox(this, ACol, ARow, has);
    return has;
}

// The column's check texts win over the event for inner normal cells.
void TQvColumnGrid::GetCheckTrue(int ACol, int ARow, QString& value)
{
    TQvStringGrid::GetCheckTrue(ACol, ARow, value);
    if (const TGridColumnItem* c = column(ACol); c && isInnerNormal(ACol, ARow))
        value = c->CheckTrue();
}

void TQvColumnGrid::GetCheckFalse(int ACol, int ARow, QString& value)
{
    TQvStringGrid::GetCheckFalse(ACol, ARow, value);
    if (const TGridColumnItem* c = column(ACol); c && isInnerNormal(ACol, ARow))
        value = c->CheckFalse();
}

// A column with filter items offers their names (the text before "="); otherwise the column
// offers no list, whatever the string grid collected.
bool TQvColumnGrid::GetColumnFilter(int ACol)
{
    const bool inherited = TQvStringGrid::GetColumnFilter(ACol);
    const TGridColumnItem* c = column(ACol);
    if (!c)
        return inherited;
    if (c->Filter().isEmpty())
        return false;
    QStringList& list = FilterList();
    list.clear();
    for (const QString& item : c->Filter()) {
        const int eq = item.indexOf('=');
        list.append(eq < 0 ? item : item.left(eq));
    }
    return true;
}

void TQvColumnGrid::UpdateColumnSize(int ACol, int& width)
{
    if (const TGridColumnItem* c = column(ACol)) {
        if (c->MinSize() > 0 && width < c->MinSize())
            width = c->MinSize();
        if (c->MaxSize() > 0 && width > c->MaxSize())
            width = c->MaxSize();
    }
    TQvStringGrid::UpdateColumnSize(ACol, width);
}

void TQvColumnGrid::UpdateAutoColumnSize(int ACol, int& width)
{
    if (const TGridColumnItem* c = column(ACol)) {
        if (c->AutoMinSize() > 0 && width < c->AutoMinSize())
            width = c->AutoMinSize();
        if (c->AutoMaxSize() > 0 && width > c->AutoMaxSize())
            width = c->AutoMaxSize();
    }
    TQvStringGrid::UpdateAutoColumnSize(ACol, width);
}

// New cell properties take the column's look; fixed cells and banded columns keep no colour of
// their own so the grid's look stays visible through them.
void TQvColumnGrid::GetCellDefaults(int col, int row, TFont& font, TBrush& brush, TColor& colorTo, TColor& mirrorColor,
                                    TColor& mirrorColorTo, TAlignment& ha, TVAlignment& va, bool& ww,
                                    TCellGradientDirection& gd)
{
    const TGridColumnItem* c = column(col);
    if (!c) {
        TQvStringGrid::GetCellDefaults(col, row, font, brush, colorTo, mirrorColor, mirrorColorTo, ha, va, ww, gd);
        return;
    }
    font = c->Font();
    brush.Color = c->Color();
    colorTo = clNone;
    mirrorColor = clNone;
    mirrorColorTo = clNone;
    ha = row < FixedRows() ? c->HeaderAlignment() : c->Alignment();
    va = VAlignment;
    ww = WordWrap();
    gd = GradientVertical;
    if (IsFixed(col, row) || (Bands().Active() && c->ShowBands())) {
        brush.Color = clNone;
        colorTo = clNone;
    }
}

QString TQvColumnGrid::GetFloatFormat(int ACol, int ARow) const
{
    if (const TGridColumnItem* c = column(ACol); c && !c->FloatFormat().isEmpty())
        return c->FloatFormat();
    return TQvStringGrid::GetFloatFormat(ACol, ARow);
}

// The column's float format on integer and decimal texts (a number with exponent is left as
// written); the event has the last word.
QString TQvColumnGrid::GetFormattedCell(int ACol, int ARow)
{
    const TGridColumnItem* c = column(ACol);
    if (!c)
        return TQvStringGrid::GetFormattedCell(ACol, ARow);
    const QString text = Cells(ACol, ARow);
    QString format = c->FloatFormat();
    // Every painted cell comes here: a column without a format and without the event is done.
    if (format.isEmpty() && !OnGetFloatFormat)
        return text;
    const int kind = ZirAzur::GetNumberTextKind(text);
    bool isFloat = kind == ZirAzur::ntkInteger || kind == ZirAzur::ntkDecimal;
    if (OnGetFloatFormat)
        OnGetFloatFormat(this, ACol, ARow, isFloat, format);
    if (format.isEmpty() || !isFloat)
        return text;
    return FormatCellNumber(ACol, ARow, format, text);
}

// ---- data check boxes --------------------------------------------------------------------------

// Every data check-box cell answers the one shared graphic; it holds no state, the cell text
// is the state.
TCellGraphic* TQvColumnGrid::GetCellGraphic(int ACol, int ARow)
{
    TCellGraphic* g = TQvStringGrid::GetCellGraphic(ACol, ARow);
    if (g || !FCellGraphic || !isDataCheckCell(ACol, ARow))
        return g;
    FCellGraphic->FCellType = ctVirtCheckBox;
    FCellGraphic->FCellTransparent = false;
    return FCellGraphic.get();
}

TCellType TQvColumnGrid::GetCellType(int ACol, int ARow)
{
    const TCellType t = TQvStringGrid::GetCellType(ACol, ARow);
    if (t == ctEmpty && FColumnCollection && isDataCheckCell(ACol, ARow))
        return ctDataCheckBox;
    return t;
}

bool TQvColumnGrid::isHiddenDataCheckCell(int ACol, int realRow) const
{
    const TGridColumnItem* c = column(ACol);
    return c && c->Editor() == edDataCheckBox && ACol >= FixedCols() && ACol < AllColCount() - FixedRightCols()
           && realRow >= FixedRows() && IsHiddenRow(realRow) && !CellGraphicByRealRow(ACol, realRow);
}

bool TQvColumnGrid::GetCheckBoxState(int ACol, int ARow, bool& state)
{
    if (!isHiddenDataCheckCell(ACol, ARow))
        return TQvStringGrid::GetCheckBoxState(ACol, ARow, state);
    state = GetCellsEx(ACol, ARow) == column(ACol)->CheckTrue();
    return true;
}

bool TQvColumnGrid::SetCheckBoxState(int ACol, int ARow, bool State)
{
    if (!isHiddenDataCheckCell(ACol, ARow))
        return TQvStringGrid::SetCheckBoxState(ACol, ARow, State);
    const TGridColumnItem* c = column(ACol);
    SetCellsEx(ACol, ARow, State ? c->CheckTrue() : c->CheckFalse());
    return true;
}

// ---- in-place editor -----------------------------------------------------------------------

int TQvColumnGrid::InplaceEditLimit()
{
    const int col = Col();
    if (col < Columns().Count() && col >= FixedCols())
        if (const TGridColumnItem* c = column(realCol(col)))
            return c->EditLength();
    return MaxEditLength;
}

QString TQvColumnGrid::InplaceEditMask(int ACol, int ARow)
{
    QString mask;
    if (ACol < Columns().Count() && ACol >= FixedCols())
        if (const TGridColumnItem* c = column(realCol(ACol)))
            mask = c->EditMask();
    const QString own = QueryEditMask(ACol, ARow);
    if (!own.isEmpty())
        mask = own;
    return mask;
}

} // namespace grid
