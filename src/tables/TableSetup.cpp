#include "tables/TableSetup.h"

#include <memory>

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

void Setup_Table(TTableGrid& grid, int rows, const std::vector<TTableColumnDef>& columns, int fixedCols, int rowHeight)
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
        if (def.centred)
            item->SetAlignment(grid::taCenter);
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

void Setup_Plain_Table(TPlainGrid& grid, int rows, const std::vector<TTableColumnDef>& columns, int fixedCols,
                       int rowHeight)
{
    const int cols = int(columns.size());
    grid.SetColCount(cols);
    grid.SetRowCount(rows);
    if (rows > 1)
        grid.SetFixedRows(1);
    grid.SetFixedCols(fixedCols);
    grid.SetDefaultRowHeight(rowHeight);
    grid.SetOptions(grid::goFixedVertLine | grid::goFixedHorzLine | grid::goVertLine | grid::goHorzLine
                    | grid::goRangeSelect | grid::goColSizing | grid::goEditing);
    for (int c = 0; c < cols; ++c) {
        const TTableColumnDef& def = columns[size_t(c)];
        grid.SetColWidths(c, def.width);
        if (c < fixedCols)
            continue;
        for (int r = grid.FixedRows(); r < rows; ++r) {
            grid::TCellProperties* cell = grid.GetCellProperties(c, r);
            if (def.colour != grid::clNone)
                cell->SetBrushColor(def.colour);
            if (def.centred)
                cell->SetAlignment(grid::taCenter);
            cell->FReadOnly = def.readOnly;
        }
        if (def.editor == grid::edDataCheckBox)
            grid.AddCheckBoxColumn(c);
    }
    // The editor kind is asked for each cell: the pick-list columns get the combo. One combo
    // serves every column, and placing it empties its list, so the list is filled when the
    // combo is set up over the cell.
    auto layout = std::make_shared<const std::vector<TTableColumnDef>>(columns);
    const auto pickListOf = [layout](int col) -> const TTableColumnDef* {
        if (col < 0 || col >= int(layout->size()))
            return nullptr;
        const TTableColumnDef& def = (*layout)[size_t(col)];
        return def.editor == grid::edComboList || def.editor == grid::edComboEdit ? &def : nullptr;
    };
    grid.OnGetEditorType = [pickListOf](grid::TQvStringGrid*, int col, int, grid::TEditorType& editor) {
        if (const TTableColumnDef* def = pickListOf(col))
            editor = def->editor;
    };
    grid.OnGetEditorProp = [pickListOf](grid::TQvStringGrid* g, int col, int, void*) {
        const TTableColumnDef* def = pickListOf(col);
        if (!def)
            return;
        g->ClearComboString();
        for (const QString& item : def->pickList)
            g->AddComboString(item);
    };
}

std::unique_ptr<TPlainRows> Make_Plain_Rows(TPlainGrid& grid, const QString& key)
{
    return std::make_unique<TPlainRows>(grid, key);
}

void Select_Row(grid::TQvStringGrid& grid, int row)
{
    if (row < grid.FixedRows() || row >= grid.RowCount())
        return;
    grid.SelectRows(row, 1);
}

} // namespace tables
