#include "tables/TableSetup.h"

namespace tables {

namespace {

void applyEditing(TTableGrid& grid, const std::vector<bool>& readOnly, int col)
{
    const bool editable = col >= 0 && col < int(readOnly.size()) && !readOnly[size_t(col)];
    const grid::TGridOptions o = grid.Options();
    const grid::TGridOptions want = editable ? (o | grid::goEditing) : (o & ~grid::goEditing);
    if (want != o)
        grid.SetOptions(want);
}

} // namespace

void Setup_Table(TTableGrid& grid, int rows, const std::vector<TTableColumnDef>& columns, int fixedCols,
                 int rowHeight)
{
    grid.Columns().Clear();
    std::vector<bool> readOnly;
    for (size_t c = 0; c < columns.size(); ++c) {
        const TTableColumnDef& def = columns[c];
        grid::TGridColumnItem* item = grid.Columns().Add();
        item->SetColor(def.colour == grid::clNone ? grid.Color() : def.colour);
        item->SetReadOnly(def.readOnly);
        item->SetEditor(def.editor);
        item->SetComboItems(def.pickList);
        readOnly.push_back(def.readOnly || int(c) < fixedCols);
    }
    grid.SetColCount(int(columns.size()));
    grid.SetRowCount(rows);
    if (rows > 1)
        grid.SetFixedRows(1);
    grid.SetFixedCols(fixedCols);
    grid.SetDefaultRowHeight(rowHeight);
    for (size_t c = 0; c < columns.size(); ++c)
        grid.Columns()[int(c)].SetWidth(columns[c].width);
    grid.SetOptions(grid::goFixedVertLine | grid::goFixedHorzLine | grid::goVertLine | grid::goHorzLine
                    | grid::goRangeSelect | grid::goColSizing);
    // Editing follows the cell made current: on for a column that may be edited, off for a
    // read-only one, so that the read-only columns never open the editor.
    grid.OnSelectCell = [readOnly](grid::TStringGrid* g, int col, int, bool&) {
        applyEditing(static_cast<TTableGrid&>(*g), readOnly, col);
    };
    applyEditing(grid, readOnly, grid.Col());
}

std::unique_ptr<TTableRows> Make_Table_Rows(TTableGrid& grid, const QString& key)
{
    auto rows = std::make_unique<TTableRows>(grid, key);
    TTableGrid* g = &grid;
    rows->dataCheckBoxColumn = [g](int col) {
        return col >= 0 && col < g->Columns().Count() && g->Columns()[col].Editor() == grid::edDataCheckBox;
    };
    return rows;
}

void Select_Row(TTableGrid& grid, int row)
{
    if (row < grid.FixedRows() || row >= grid.RowCount())
        return;
    grid.SelectRows(row, 1);
}

} // namespace tables
