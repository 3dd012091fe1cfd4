#pragma once
// How a table window sets up its tables: the table class, the column layout (widths, colours,
// editors, pick lists, read-only columns), the row helpers' view of a table and the row
// selection from the fixed column.
//
// Most tables are column grids, whose column definitions answer for every cell. A few are
// plain string grids (TPlainGrid): there the same layout is put into each cell (colour,
// alignment, read-only flag), an enable column is a cell check box, and the grid's editor
// event answers the pick lists.

#include "common/UComonRows.h"
#include "grid/QvCGrid.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace tables {

// The table control of the table windows.
using TTableGrid = grid::TQvColumnGrid;
using TTableRows = common::TGridRows<TTableGrid>;

// A colour given as red, green, blue.
constexpr platform::TColor Rgb(int r, int g, int b)
{
    return platform::TColor(r | (g << 8) | (b << 16));
}

// One column of a table: its width, whether it is edited, its cell colour (none: the
// window colour), its editor and the items of a pick list.
struct TTableColumnDef {
    int width;
    bool readOnly = false;
    platform::TColor colour = grid::clNone;
    grid::TEditorType editor = grid::edNormal;
    QStringList pickList = {};
    bool centred = false;
};

// Sets up a configuration table: one column definition per column (width, colour, editor,
// pick list, read-only), counts, fixed row and column, grid lines, range selection and
// in-place editing of the columns that are not read-only.
void Setup_Table(TTableGrid& grid, int rows, const std::vector<TTableColumnDef>& columns, int fixedCols, int rowHeight);

// The row helpers' view of a table; its data check-box columns are those whose column
// definition has that editor. key names the table for the row-copy buffer.
std::unique_ptr<TTableRows> Make_Table_Rows(TTableGrid& grid, const QString& key);

// The plain string grid of the few tables that set their cells one by one.
using TPlainGrid = grid::TQvStringGrid;
using TPlainRows = common::TGridRows<TPlainGrid>;

// Sets up a plain string grid from the same column layout: counts, fixed row and column, grid
// lines, range selection and editing; in every data row each cell gets its column's colour,
// alignment and read-only flag; an edDataCheckBox column becomes a column of unchecked cell
// check boxes; an edComboList or edComboEdit column opens the combo with its pick list.
void Setup_Plain_Table(TPlainGrid& grid, int rows, const std::vector<TTableColumnDef>& columns, int fixedCols,
                       int rowHeight);

// The row helpers' view of a plain string grid (its check boxes and read-only flags included).
std::unique_ptr<TPlainRows> Make_Plain_Rows(TPlainGrid& grid, const QString& key);

// Selects the whole row (the fixed column left out) through the grid's row selection.
void Select_Row(grid::TQvStringGrid& grid, int row);

} // namespace tables
