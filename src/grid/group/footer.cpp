// The footer row's calculations.

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"

namespace grid {

void TQvStringGrid::CalcFooter(int ACol)
{
    CalculateFooter(ACol);
}

void TQvStringGrid::SetFooterCalcType(int ACol, TColumnCalcType calcType)
{
    if (TCellProperties* p = GetCellProperties(ACol, RowCount() - 1))
        p->FCalcType = calcType;
}

void TQvStringGrid::CalculateFooter(int ACol)
{
    if (!FloatingFooter.Visible() || FloatingFooter.FooterStyle() != fsFixedLastRow
        || !FloatingFooter.EnableCalculation())
        return;
    const int footer = RowCount() - 1;
    const int from = ACol < 0 ? 0 : ACol;
    const int to = ACol < 0 ? TotalColCount() - 1 : ACol;
    const int hidden = FloatingFooter.CalculateHiddenRows() ? NumHiddenRows() : 0;
    for (int c = from; c <= to; ++c) {
        if (!CellHasProperties(c, footer))
            continue;
        const TColumnCalcType type = GetCellProperties(c, footer)->FCalcType;
        if (type == acNONE || type == acSPREAD)
            continue;
        if (type == acCOUNT) {
            SetInts(c, footer, RowCount() - FixedRows() - 1 + hidden);
            continue;
        }
        if (type == acCUSTOM) {
            QString value;
            if (OnCalcFooter)
                OnCalcFooter(this, c, footer + hidden, value);
            else if (FloatingFooter.OnCalcFooter)
                FloatingFooter.OnCalcFooter(this, c, footer + hidden, value);
            SetCells(c, footer, value);
            continue;
        }
        // The rows above the footer, the hidden ones too when asked (the range then reaches
        // beyond the displayed rows and is counted by real row).
        const int last = RowCount() - 2 + hidden;
        double result = 0;
        switch (type) {
        case acSUM:
            result = ColumnSum(c, FixedRows(), last);
            break;
        case acAVG:
            result = ColumnAvg(c, FixedRows(), last);
            break;
        case acMIN:
            result = ColumnMin(c, FixedRows(), last);
            break;
        case acMAX:
            result = ColumnMax(c, FixedRows(), last);
            break;
        case acDISTINCT:
            result = ColumnDistinct(c, FixedRows(), last);
            break;
        case acSTDDEV:
            result = ColumnStdDev(c, FixedRows(), last);
            break;
        default:
            break;
        }
        SetFloats(c, footer, result);
    }
}

void TQvStringGrid::RecalcFooterColumn(int ACol)
{
    CalcFooter(ACol);
}

} // namespace grid
