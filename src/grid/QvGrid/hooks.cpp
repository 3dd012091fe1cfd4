// The per-cell hooks: each computes its default from the grid's settings, then fires its
// published event with the default preset.

#include "grid/QvGrid.h"
#include "grid/look/CellVisuals.h"
#include "grid/look/ZirAzur.h"

namespace grid {

void TQvStringGrid::QueryCanEditCell(int ACol, int ARow, bool& canEdit)
{
    if (OnCanEditCell)
        OnCanEditCell(this, ARow, ACol, canEdit);
}

void TQvStringGrid::SearchFooterAction(const QString& value, int ACol, int ARow, TSearchAction action)
{
    if (OnSearchFooterAction)
        OnSearchFooterAction(this, value, ACol, ARow, action);
}

void TQvStringGrid::CellButtonClick(int ACol, int ARow)
{
    if (OnButtonClick)
        OnButtonClick(this, ACol, ARow);
}

void TQvStringGrid::CellExpandClick(int ACol, int ARow, bool expanded)
{
    if (OnExpandClick)
        OnExpandClick(this, ACol, ARow, expanded);
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && g->FCellType == ctExpand && ARow >= 0 && ARow < RowCount())
        SetRowHeights(ARow, expanded ? g->FCellAngle : g->FCellIndex);
}

void TQvStringGrid::ComboCloseUp(int ARow, int ACol)
{
    if (OnComboCloseUp)
        OnComboCloseUp(this, ARow, ACol);
}

void TQvStringGrid::ComboDropDown(int ARow, int ACol)
{
    if (OnComboDropDown)
        OnComboDropDown(this, ARow, ACol);
}

void TQvStringGrid::CellsChanged(const TRect& r)
{
    if (OnCellsChanged)
        OnCellsChanged(this, r);
    const auto notifiers = FNotifierList; // a notifier may unregister itself
    for (const auto& n : notifiers)
        if (n)
            n->CellsChanged(r);
    CalcFooter(-1);
}

void TQvStringGrid::RegisterNotifier(TGridChangeNotifier* item)
{
    if (!item)
        return;
    for (const auto& n : FNotifierList)
        if (n == item)
            return;
    FNotifierList.emplace_back(item);
}

void TQvStringGrid::UnRegisterNotifier(TGridChangeNotifier* item)
{
    std::erase_if(FNotifierList, [item](const QPointer<TGridChangeNotifier>& n) { return n == item; });
}

// Loads, fills and pastes end here: the footer sums follow the new texts.
void TQvStringGrid::AfterCellsLoaded()
{
    CalcFooter(-1);
}

void TQvStringGrid::GetCellHint(int ACol, int ARow, QString& hint)
{
    if (OnGridHint)
        OnGridHint(this, ARow, ACol, hint);
    if (OnGridWideHint) {
        QString wide;
        OnGridWideHint(this, ARow, ACol, wide);
        if (!wide.isEmpty())
            hint = ZirAzur::EncodeWideCellText(wide);
    }
}

void TQvStringGrid::GetCellColor(int ACol, int ARow, TGridDrawState state, TBrush& brush, TFont& font)
{
    if (ActiveCellShow) {
        const int d = DisplColIndex(ACol);
        const int fc = FixedCols(), fr = FixedRows();
        if ((ARow == Row() && d == fc - 1 && fc > 0) || (d == Col() && ARow == fr - 1 && fr > 0)) {
            font = FActiveCellFont;
            brush.Color = ActiveCellColor;
        }
    }
    if (CellHasProperties(ACol, ARow)) {
        const auto* p = static_cast<const TCellProperties*>(GetGridObject(ACol, ARow));
        const TCellType kind = GetCellType(ACol, ARow);
        const bool ownColour = kind == ctIcon || kind == ctNone || kind == ctImageList || kind == ctEmpty
                               || kind == ctImages || kind == ctComment;
        if (p->FBrushColor != clNone && ownColour)
            brush.Color = p->FBrushColor;
        applyOwnFont(*p, font);
    }
    if (OnGetCellColor)
        OnGetCellColor(this, ARow, ACol, state, brush, font);
}

void TQvStringGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState state, TBrush& brush, TFont& font)
{
    if (OnGetCellPrintColor)
        OnGetCellPrintColor(this, ARow, ACol, state, brush, font);
}

void TQvStringGrid::GetCellBorder(int ACol, int ARow, TPen& pen, TCellBorders& borders)
{
    if (OnGetCellBorder)
        OnGetCellBorder(this, ARow, ACol, pen, borders);
}

void TQvStringGrid::GetCellPrintBorder(int ACol, int ARow, TPen& pen, TCellBorders& borders)
{
    if (OnGetCellPrintBorder)
        OnGetCellPrintBorder(this, ARow, ACol, pen, borders);
}

void TQvStringGrid::GetCellAlignment(int ACol, int ARow, TAlignment& hAlign, TVAlignment& vAlign)
{
    if (ACol == 0 && FMouseActions->HotmailRowSelect())
        hAlign = taCenter;
    if (OnGetAlignment)
        OnGetAlignment(this, ARow, ACol, hAlign, vAlign);
}

void TQvStringGrid::GetCellFormat(int ACol, TSortStyle& style, QString& prefix, QString& suffix)
{
    if (OnGetFormat)
        OnGetFormat(this, ACol, style, prefix, suffix);
}

void TQvStringGrid::GetCellEditorBase(int ACol, int ARow, TEditorType& editor)
{
    if (OnGetEditorType)
        OnGetEditorType(this, ACol, ARow, editor);
}

void TQvStringGrid::GetCellEditor(int ACol, int ARow, TEditorType& editor)
{
    if (OnGetEditorType)
        OnGetEditorType(this, ACol, ARow, editor);
}

bool TQvStringGrid::IsNoEditorCell(int ACol, int ARow)
{
    if (!OnGetEditorType)
        return false;
    TEditorType e = edNormal;
    OnGetEditorType(this, ACol, ARow, e);
    return e == edNone;
}

// The row test uses <= and the column test <, as the stored minimums count them.
void TQvStringGrid::IsFixedCell(int ACol, int ARow, bool& isFixed)
{
    if (!isFixed) {
        isFixed = (FFixedRowAlways && ARow <= FFixedRowsMin && RowCount() == FFixedRowsMin)
                  || (FFixedColAlways && ACol < FFixedColsMin && ColCount() == FFixedColsMin) || ACol < FixedCols()
                  || ARow < FixedRows();
    }
    if (!isFixed && OnIsFixedCell)
        OnIsFixedCell(this, ARow, ACol, isFixed);
}

void TQvStringGrid::CanEditCell(int ACol, int ARow, bool& canEdit)
{
    const TPoint b = BaseCell(ACol, ARow);
    if (CellHasProperties(b.X, b.Y) && canEdit) {
        canEdit = !GetReadOnly(b.X, b.Y);
        if (!(Options() & goEditing) && !FEditDisable && !FMouseActions->RangeSelectAndEdit())
            canEdit = false;
    }
    if (b.X < ColCount() + NumHiddenColumns())
        QueryCanEditCell(b.X, b.Y, canEdit);
    else
        canEdit = true;
}

void TQvStringGrid::IsPasswordCell(int ACol, int ARow, bool& isPassword)
{
    if (OnIsPasswordCell)
        OnIsPasswordCell(this, ARow, ACol, isPassword);
}

void TQvStringGrid::GetCellWordWrap(int ACol, int ARow, bool& wordWrap)
{
    if (OnGetWordWrap)
        OnGetWordWrap(this, ACol, ARow, wordWrap);
}

// The always-visible drop-down and spin buttons are look settings of the rendering layer;
// until it sets them, only the events decide.
bool TQvStringGrid::CellHasComboBox(int ACol, int ARow)
{
    bool has = false;
    if (OnHasComboBox)
        OnHasComboBox(this, ACol, ARow, has);
    return has;
}

bool TQvStringGrid::CellHasSpinEdit(int ACol, int ARow)
{
    if (ACol < FixedCols() || ARow < FixedRows())
        return false;
    bool has = false;
    if (OnHasSpinEdit)
        OnHasSpinEdit(this, ACol, ARow, has);
    return has;
}

void TQvStringGrid::GetCheckTrue(int ACol, int ARow, QString& value)
{
    value = CheckTrue;
    if (OnGetCheckTrue)
        OnGetCheckTrue(this, ACol, ARow, value);
}

void TQvStringGrid::GetCheckFalse(int ACol, int ARow, QString& value)
{
    value = CheckFalse;
    if (OnGetCheckFalse)
        OnGetCheckFalse(this, ACol, ARow, value);
}

bool TQvStringGrid::GetColumnFilter(int ACol)
{
    FFilterList.clear();
    if (FilterDropDownAuto && (ACol >= FixedCols() || FilterDropDownColumns == fdAll)) {
        // Sorted without duplicates, compared without case as the list does.
        auto add = [this](const QString& v) {
            auto less = [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; };
            auto it = std::lower_bound(FFilterList.begin(), FFilterList.end(), v, less);
            if (it != FFilterList.end() && it->compare(v, Qt::CaseInsensitive) == 0)
                return;
            FFilterList.insert(it, v);
        };
        for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r) {
            const QString t = Cells(ACol, r).trimmed();
            // A text with a blank is listed as name=value with the value quoted, so that the
            // filter takes the blank literally.
            add(t.contains(' ') ? t + "=\"" + t + "\"" : t);
        }
        // Rows a filter hid offer their values too, so a pick can widen the filter again;
        // narrowing by typing lists only what is shown.
        if (!FilterIncremental)
            for (const auto& item : FGridItems) {
                // Read as GetCellsEx reads a hidden row, without looking each row up again.
                QString v = item->Cells.Text(ACol);
                TBaseGrid::GetDisplText(ACol, item->FIdx, v);
                const QString t = v.trimmed();
                add(t.contains(' ') ? t + "=\"" + t + "\"" : t);
            }
        if (!FilterDropDownClear.isEmpty())
            FFilterList.insert(0, FilterDropDownClear);
    }
    if (OnGetColumnFilter)
        OnGetColumnFilter(this, ACol, FFilterList);
    return !FFilterList.isEmpty();
}

// ---- overrides of the base grid --------------------------------------------------------------

bool TQvStringGrid::IsFixed(int ACol, int ARow) const
{
    auto* self = const_cast<TQvStringGrid*>(this);
    const TPoint b = BaseCell(ACol, ARow);
    const int x = DisplColIndex(b.X);
    if (b.Y >= RowCount() - FFixedFooters)
        return true;
    if (x >= ColCount() - FFixedRightCols && x < ColCount())
        return true;
    bool fixed = false;
    self->IsFixedCell(x, b.Y, fixed);
    return fixed;
}

int TQvStringGrid::GetRowIndent(int ARow) const
{
    if (!HasNodes() || ARow < 0 || !CellHasProperties(0, ARow))
        return 0;
    return static_cast<const TCellProperties*>(GetGridObject(0, ARow))->FNodeLevel * FCellNode->NodeIndent();
}

void TQvStringGrid::LastRowChanged()
{
    TBaseGrid::LastRowChanged();
}

// New properties freeze the look the grid shows, except where the grid's own look must stay
// visible through them: fixed cells, bands, and the selection keep no colour of their own.
void TQvStringGrid::GetCellDefaults(int col, int row, TFont& font, TBrush& brush, TColor& colorTo, TColor& mirrorColor,
                                    TColor& mirrorColorTo, TAlignment& ha, TVAlignment& va, bool& ww,
                                    TCellGradientDirection& gd)
{
    TGridDrawState state = 0;
    GetVisualProperties(col, row, state, false, false, false, brush, colorTo, mirrorColor, mirrorColorTo, font, ha, va,
                        ww, gd);
    if (IsFixed(col, row) || FBands->Active() || (state & gdSelected)) {
        brush.Color = clNone;
        colorTo = clNone;
    }
}

// A cell reached by mouse or keys is the one a later validation compares against.
void TQvStringGrid::Click()
{
    TBaseGrid::Click();
    FEntered = false;
    SaveOldCellValue(Col(), Row());
}

} // namespace grid
