// Lifetime operations besides construction, and the operations that fire their published
// event or exist for descendants to override.

#include "grid/QvGrid.h"
#include "grid/edit/QvRichEdit.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/RizIVUDE.h"

#include <QScrollBar>
#include <QStyle>

namespace grid {

void TQvStringGrid::SetBounds(int left, int top, int width, int height)
{
    if (IntegralHeight && FUpdateCount == 0 && DefaultRowHeight() > 0) {
        const bool hScroll = VisibleColCount() + TStringGrid::FixedCols() < ColCount();
        const int s = hScroll ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
        const int b = frameShape() != QFrame::NoFrame ? 2 : 0;
        const int t = height - s - b;
        height = s + (t - t % DefaultRowHeight()) + 2 * b;
    }
    setGeometry(left, top, width, height);
}

void TQvStringGrid::SetBorderColor(TColor value)
{
    if (value == BorderColor)
        return;
    BorderColor = value;
    if (parentWidget())
        update();
}

void TQvStringGrid::Assign(const TQvStringGrid& src)
{
    if (&src == this)
        return;
    SetFont(src.Font());
    ActiveCellColor = src.ActiveCellColor;
    ActiveCellColorTo = src.ActiveCellColorTo;
    FActiveCellFont = src.FActiveCellFont;
    ActiveCellShow = src.ActiveCellShow;
    SetActiveRowShow(src.ActiveRowShow());
    AutoNumAlign = src.AutoNumAlign;
    AutoSize = src.AutoSize;
    SetAutoThemeAdapt(src.AutoThemeAdapt());
    AutoFilterUpdate = src.AutoFilterUpdate;
    FMouseActions->Assign(*src.FMouseActions);
    FNavigation->Assign(*src.FNavigation);
    FSearchFooter->Assign(*src.FSearchFooter);
    UpdateSearchPanel(); // Assign copies without telling the grid
    FPrintSettings->Assign(*src.FPrintSettings);
    FHTMLSettings->Assign(*src.FHTMLSettings);
    FBands->Assign(*src.FBands);
    FCellNode->Assign(*src.FCellNode);
    FColumnSize->Assign(*src.FColumnSize);
    FSyncGrid->Assign(*src.FSyncGrid);
    FFocusHelper->Assign(*src.FFocusHelper);
    FFixedRowAlways = src.FFixedRowAlways;
    SetColCount(src.ColCount());
    SetRowCount(src.RowCount());
    SetFixedRows(src.TStringGrid::FixedRows());
    SetFixedCols(src.TStringGrid::FixedCols());
    SetDefaultColWidth(src.DefaultColWidth());
    SetDefaultRowHeight(src.DefaultRowHeight());
    SetFixedRowHeight(src.FixedRowHeight());
    SetOptions(src.Options());
    for (int c = 0; c < ColCount(); ++c)
        SetColWidths(c, src.ColWidths(c));
    FColumnHeaders = src.FColumnHeaders;
    for (int r = 0; r < RowCount(); ++r)
        SetRowHeights(r, src.RowHeights(r));
    ScrollWidth = src.ScrollWidth;
    ScrollBars = src.ScrollBars;
    ScrollColor = src.ScrollColor;
    ScrollType = src.ScrollType;
    AssignCells(src);
}

// The cells' texts as the file and stream writers see them, through the load hook.
void TQvStringGrid::AssignCells(const TQvStringGrid& src)
{
    if (&src == this)
        return;
    auto& from = const_cast<TQvStringGrid&>(src);
    for (int r = 0; r < src.RowCount(); ++r)
        for (int c = 0; c < src.ColCount(); ++c) {
            QString v;
            from.GetSaveCellText(c, r, v);
            if (!v.isEmpty())
                LoadCellText(c, r, v);
        }
    CellsChanged({0, 0, ColCount() - 1, RowCount() - 1});
    AfterCellsLoaded();
}

QString TQvStringGrid::QueryEditMask(int ACol, int ARow)
{
    QString v = EditMask;
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, v);
    return v;
}

void TQvStringGrid::ClickSort(int ACol)
{
    if (OnClickSort)
        OnClickSort(this, ACol);
}

void TQvStringGrid::SetEditTextEx(int ACol, int ARow, const QString& value)
{
    SetEditText(DisplColIndex(ACol), ARow, value);
    SetCellEx(ACol, ARow, value);
}

void TQvStringGrid::PasteCellText(int ACol, int ARow, const QString& value)
{
    if (UndoRedo())
        UndoRedo()->RegisterChange(ACol, RealRowIndex(ARow), Cells(ACol, ARow), value);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && (g->FCellType == ctCheckBox || g->FCellType == ctTriStateCheckBox)) {
        if (g->FCellType == ctCheckBox)
            g->FCellBoolean = value == CheckTrue;
        else
            g->FCellCheckBoxState = value == CheckTrue ? cbChecked : cbUnchecked;
    } else {
        SetCellEx(ACol, ARow, value);
    }
    RepaintCell(DisplColIndex(ACol), ARow);
}

QString TQvStringGrid::CurrentCell() const
{
    const TPoint b = BaseCell(Col(), Row());
    return GetGridCell(b.X, b.Y);
}

void TQvStringGrid::SetCurrentCell(const QString& value)
{
    const TPoint b = BaseCell(Col(), Row());
    SetCellEx(b.X, b.Y, value);
}

QString TQvStringGrid::CurrentCellDisplayText() const
{
    const TPoint b = BaseCell(Col(), Row());
    return GetCellEx(b.X, b.Y);
}

void TQvStringGrid::SetCurrentEditText(const QString& value)
{
    const TPoint b = BaseCell(Col(), Row());
    SetEditText(b.X, b.Y, value);
}

void TQvStringGrid::RestoreCellCache()
{
    SetCellEx(Col(), Row(), FCellCache);
    SetCellEx(Col(), Row(), GetCellEx(Col(), Row()));
}

void TQvStringGrid::CheckBoxClick(int ACol, int ARow, bool state)
{
    if (OnCheckBoxClick)
        OnCheckBoxClick(this, ACol, ARow, state);
}

void TQvStringGrid::CheckBoxChange(int ACol, int ARow, bool state)
{
    if (OnCheckBoxChange)
        OnCheckBoxChange(this, ACol, ARow, state);
}

void TQvStringGrid::FilterDone()
{
    if (OnFilterDone)
        OnFilterDone(this);
}

void TQvStringGrid::UpdateColumnSize(int ACol, int& width)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, width);
}

void TQvStringGrid::UpdateAutoColumnSize(int ACol, int& width)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, width);
}

void TQvStringGrid::EllipsisClick(const QString& value, QString& result)
{
    result = value;
    QString s = value;
    if (OnEllipsClick)
        OnEllipsClick(this, RealCol(), Row(), s); // the column of the stored data
    result = s;
}

// The text the writers store: the cell's text as shown (or as stored), for an empty check-box
// cell its state as the check texts, markup made plain unless the file keeps it, and rich text
// kept on one line or made plain.
void TQvStringGrid::GetSaveCellText(int ACol, int ARow, QString& value)
{
    if (SaveVirtCells)
        value = GetFormattedCell(ACol, ARow);
    else
        GetGridCell(ACol, ARow, value);
    if (value.isEmpty()) {
        const TCellGraphic* g = GetCellGraphic(ACol, ARow);
        if (g && (g->FCellType == ctCheckBox || g->FCellType == ctTriStateCheckBox)) {
            TCheckBoxState st = cbUnchecked;
            GetCheckBoxState(ACol, ARow, st);
            if (st == cbChecked)
                GetCheckTrue(ACol, ARow, value);
            else
                GetCheckFalse(ACol, ARow, value);
        }
    }
    switch (ZirAzur::GetCellTextKind(value, true)) {
    case ZirAzur::ctkMarkup:
        if (!SaveWithHTML)
            value = RizIVUDE::MarkupToPlainText(value);
        break;
    case ZirAzur::ctkRichText:
        if (SaveWithRTF) {
            value.remove(QLatin1Char('\r'));
            value.remove(QLatin1Char('\n'));
        } else {
            TQvRichEdit* re = RichEdit();
            re->LoadRtf(value);
            value = re->PlainText();
        }
        break;
    default:
        break;
    }
    if (OnSaveCell)
        OnSaveCell(this, ACol, ARow, value);
}

void TQvStringGrid::LoadCellText(int ACol, int ARow, QString value)
{
    if (OnLoadCell)
        OnLoadCell(this, ACol, ARow, value);
    SetGridCell(ACol, ARow, value);
}

void TQvStringGrid::StartCellEdit(int ACol, int ARow)
{
    FStartEditCol = ACol;
    FStartEditRow = ARow;
    FCellCache = GetGridCell(ACol, ARow);
    FStartEditModified = FModified;
}

bool TQvStringGrid::QueryCanAddRow()
{
    bool can = true;
    if (OnCanAddRow)
        OnCanAddRow(this, can);
    return can;
}

bool TQvStringGrid::QueryCanInsertRow(int ARow)
{
    bool can = true;
    if (OnCanInsertRow)
        OnCanInsertRow(this, ARow, can);
    return can;
}

void TQvStringGrid::CellChanging(int newCol, int newRow, bool& allow)
{
    if (newRow != Row() && OnRowChanging)
        OnRowChanging(this, Row(), newRow, allow);
    if (newCol != Col() && OnColChanging)
        OnColChanging(this, Col(), newCol, allow);
    if ((newCol != Col() || newRow != Row()) && !FDisableChange && OnCellChanging)
        OnCellChanging(this, Row(), Col(), newRow, newCol, allow);
}

bool TQvStringGrid::AllowCellSelect(int col, int row)
{
    if (FUseEnabledRows && FNavigation->SkipDisabledRows() && !GetRowEnabled(row))
        return false;
    bool allow = true;
    CellChanging(col, row, allow);
    if (!allow)
        return false;
    return TBaseGrid::AllowCellSelect(col, row);
}

bool TQvStringGrid::CanShowFixedDropDown(int ACol)
{
    bool can = true;
    if (OnCanShowFixedDropDown)
        OnCanShowFixedDropDown(this, ACol, can);
    return can;
}

void TQvStringGrid::StartBlockFocus()
{
    if (OnStartBlockFocus)
        OnStartBlockFocus(this);
}

void TQvStringGrid::EndBlockFocus()
{
    if (OnEndBlockFocus)
        OnEndBlockFocus(this);
}

} // namespace grid
