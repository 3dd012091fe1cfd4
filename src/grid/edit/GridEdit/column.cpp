// The column grid loads the combo editor from the edited column's definition.

#include "grid/QvCGrid.h"
#include "grid/edit/GridCombo.h"
#include "grid/edit/GridEdit.h"

namespace grid {

void TQvColumnGrid::LoadEditorFromColumn(int ACol, int ARow)
{
    (void)ARow;
    if (ACol < 0 || ACol >= Columns().Count())
        return;
    const TGridColumnItem& c = Columns()[ACol];
    TGridCombo* combo = EditCombo();
    combo->addItems(c.ComboItems());
    DropDownCount = c.DropDownCount();
}

} // namespace grid
