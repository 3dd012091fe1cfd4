// One cell read and written in the other index spaces of the string grid: real rows (hidden
// ones from the hidden-row store), the row order before the last sort, the column order before
// any move; lines of a cell and the rich-text writer.

#include "grid/QvGrid.h"
#include "grid/edit/QvRichEdit.h"

namespace grid {

int TQvStringGrid::GetLinesInCell(int i, int j) const
{
    return 1 + int(Cells(i, j).count(QLatin1Char('\r')));
}

// A hidden row keeps its raw texts in the hidden-row store; a shown row is read at its
// displayed position.
QString TQvStringGrid::GetGridCellsEx(int i, int j) const
{
    if (i < 0 || j < 0)
        return {};
    if (IsHiddenRow(j))
        return GetCellsEx(i, j);
    return GetGridCell(i, DisplRowFromReal(j));
}

// A line the hidden row does not have yet is added rather than refused.
void TQvStringGrid::SetGridCellsEx(int i, int j, const QString& value)
{
    if (i < 0 || j < 0)
        return;
    if (IsHiddenRow(j))
        SetCellsEx(i, j, value);
    else
        SetGridCell(i, DisplRowFromReal(j), value);
}

TObject* TQvStringGrid::GetObjectsEx(int i, int j) const
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
void TQvStringGrid::SetObjectsEx(int i, int j, TObject* object)
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

// ---- rows before the last sort, columns before any move ----------------------------------------

int TQvStringGrid::UnSortedRowIndex(int ARow) const
{
    const TIntList& xref = FSortState->RowXRef;
    if (xref.Count() == 0)
        return ARow;
    for (int k = 0; k < xref.Count(); ++k)
        if (xref.GetInteger(k) == ARow)
            return k;
    return xref.Count();
}

int TQvStringGrid::SortedRowIndex(int r) const
{
    const TIntList& xref = FSortState->RowXRef;
    if (r >= 0 && r < xref.Count())
        r = xref.GetInteger(r);
    return RealRowIndex(r);
}

namespace {

// The displayed row an unsorted row stands at now; a row the cross-reference does not reach is
// taken as it is.
int unsortedToDisplayed(const TIntList& xref, int j)
{
    if (j > xref.Count())
        return j;
    for (int k = 0; k < xref.Count(); ++k)
        if (xref.GetInteger(k) == j)
            return k;
    return xref.Count();
}

} // namespace

QString TQvStringGrid::GetUnSortedCell(int i, int j) const
{
    return Cells(i, unsortedToDisplayed(FSortState->RowXRef, j));
}

void TQvStringGrid::SetUnSortedCell(int i, int j, const QString& value)
{
    SetCells(i, unsortedToDisplayed(FSortState->RowXRef, j), value);
}

QString TQvStringGrid::GetOriginalCells(int i, int j) const
{
    const int pos = ColumnPosition(i);
    return Cells(pos == -1 ? i : pos, j);
}

void TQvStringGrid::SetOriginalCells(int i, int j, const QString& value)
{
    const int pos = ColumnPosition(i);
    SetCells(pos == -1 ? i : pos, j, value);
}

void TQvStringGrid::RichToCell(int ACol, int ARow, TQvRichEdit* richEdit)
{
    SetCells(ACol, ARow, RichToString(richEdit));
}

} // namespace grid
