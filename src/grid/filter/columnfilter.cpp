// The column grid's filter pick: a column's own filter items name the conditions, and the
// pick can show its name as the column header.

#include "grid/QvCGrid.h"

namespace grid {

void TQvColumnGrid::FilterDropDownSelect(int ItemIndex)
{
    if (FilterCol >= 0 && FilterCol < Columns().Count()) {
        TGridColumnItem& column = Columns()[FilterCol];
        if (ItemIndex >= 0 && ItemIndex < column.Filter().size()) {
            const QString item = column.Filter()[ItemIndex];
            const qsizetype eq = item.indexOf(QLatin1Char('='));
            const QString name = eq < 0 ? item : item.left(eq);
            QString condition = eq < 0 ? item : item.mid(eq + 1);
            if (AutoFilterDisplay)
                column.SetHeader(name);
            if (AutoFilterUpdate)
                SetFilterActive(false);
            if (OnFilterSelect)
                OnFilterSelect(this, FilterCol, ItemIndex, name, condition);
            // The items hold no clear entry: an empty condition is kept and passes every row.
            TFilterData* f = Filter().GetColFilter(FilterCol);
            f->Condition = condition;
            f->CaseSensitive = column.FilterCaseSensitive();
            if (AutoFilterUpdate) {
                SetFilterActive(true);
                if (RowCount() != FixedRows() && (RowCount() != 1 || !FixedRowAlways()))
                    SetRow(FixedRows());
                FilterDone();
            }
        }
    }
    FilterCol = -1;
}

} // namespace grid
