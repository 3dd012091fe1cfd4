// Small services beside the input handling: the widths proportional resizing scales from, the
// application-style adaptation, the click hook, and the change handlers the grid gives its
// companion objects and editors.

#include "grid/QvGrid.h"
#include "grid/edit/GridEdit.h"
#include "grid/edit/GridTrans.h"

namespace grid {

void TQvStringGrid::InitOrigColSizes()
{
    FOrigColSizes->Clear();
    for (int c = 0; c < ColCount(); ++c)
        FOrigColSizes->Add(ColWidths(c));
    FOldSize = width();
}

// The platform's application styles do not exist here: the grid is never styled by one and
// keeps the colours it was given.
void TQvStringGrid::AdaptToActiveStyle()
{
    FUseVCLStyles = false;
}

void TQvStringGrid::RecalcFooterColumn(int ACol)
{
    CalcFooter(ACol);
}

// A cell reached by mouse or keys is the one a later validation compares against.
void TQvStringGrid::Click()
{
    TBaseGrid::Click();
    FEntered = false;
    SaveOldCellValue(Col(), Row());
}

void TQvStringGrid::ShowModifiedChanged()
{
    RepaintCol(0); // the marks sit in column 0
}

void TQvStringGrid::BandsChanged()
{
    Invalidate();
}

void TQvStringGrid::FixedCellEditChanged(const QString& text)
{
    if (OnEditChange && !TQvStringGridEditHost::TearingDown(this))
        OnEditChange(this, FTransEdit->Col(), FTransEdit->Row(), text);
}

void TQvStringGrid::UnitEditUnitChanged(const QString& unit)
{
    if (OnUnitChanged)
        OnUnitChanged(this, RealCol(), Row(), unit);
}

} // namespace grid
