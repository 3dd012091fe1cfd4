#include "grid/edit/qsgcheck.h"

namespace grid {

QString VAviDadoraVidoRavad::CheckText(int ACol, int ARow, const QString& unmarked)
{
    QString s = unmarked;
    if (UseCorrect)
        s = Correct(ACol, ARow, unmarked);
    if (UseMarkError)
        s = MarkError(ACol, ARow, unmarked);
    return s;
}

bool CheckCell(VAviDadoraVidoRavad* checker, const TCheckTarget& grid, int col, int row)
{
    if (!checker)
        return true;
    const QString unmarked = grid.unmarkedText(col, row);
    if (checker->GotoCell && grid.gotoCell)
        grid.gotoCell(col, row);
    const QString s = checker->CheckText(col, row, unmarked);
    grid.setText(col, row, s);
    return s == unmarked;
}

bool CheckCells(VAviDadoraVidoRavad* checker, const TCheckTarget& grid, int fromCol, int fromRow, int toCol, int toRow,
                const std::function<int(int col)>& cellColumn)
{
    if (!checker)
        return true;
    const TPoint before = grid.currentCell ? grid.currentCell() : TPoint{-1, -1};
    checker->StartCheck();
    bool all = true;
    for (int r = fromRow; r <= toRow; ++r)
        for (int c = fromCol; c <= toCol; ++c)
            all = CheckCell(checker, grid, cellColumn ? cellColumn(c) : c, r) && all;
    checker->StopCheck();
    if (checker->GotoCell && grid.gotoCell && before.X >= 0)
        grid.gotoCell(before.X, before.Y);
    return all;
}

} // namespace grid
