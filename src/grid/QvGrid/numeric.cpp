// Reading a cell as a number with the place where it stops being one, and the grid's extra
// fonts following a scale change of the form.

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"
#include "grid/look/ZirAzur.h"

namespace grid {

double TQvStringGrid::CellToReal(int ACol, int ARow) const
{
    const QString text = Cells(ACol, ARow);
    if (text.isEmpty())
        return 0;
    double value = 0;
    const int stop = ZirAzur::TextToFloat(ZirAzur::NormalizeNumberText(text), value);
    if (stop != 0)
        throw EQvGridError(QStringLiteral("Error at position: %1 in Cell [%2, %3].").arg(stop).arg(ACol).arg(ARow));
    return value;
}

void TQvStringGrid::ScaleGrid(int M, int D)
{
    if (Designing() || M == D || D == 0)
        return;
    // The same rounding as the column fonts: halves away from zero.
    FFixedFont.Size = MulDivRound(FFixedFont.Size, M, D);
    FActiveCellFont.Size = MulDivRound(FActiveCellFont.Size, M, D);
    Invalidate();
}

} // namespace grid
