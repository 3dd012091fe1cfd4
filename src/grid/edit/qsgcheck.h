#pragma once
// Base of the cell-content checkers a grid can be given (its CellChecker): after an edit the
// grid asks it to correct a text or to mark the errors in it, and it can check a range of
// cells on demand. The base hands every text back unchanged; real checkers override the four
// virtual operations.

#include "grid/GridTypes.h"

#include <functional>

namespace grid {

class VAviDadoraVidoRavad : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("VAviDadoraVidoRavad"); }

    bool GotoCell = false;      // a range check visits each cell as the current cell
    bool AutoCorrect = false;   // an edited text goes through Correct before validation
    bool AutoMarkError = false; // a validated text goes through MarkError
    bool UseCorrect = false;    // range checks apply Correct
    bool UseMarkError = false;  // range checks apply MarkError

    virtual QString MarkError(int ACol, int ARow, const QString& s)
    {
        (void)ACol;
        (void)ARow;
        return s;
    }
    virtual QString Correct(int ACol, int ARow, const QString& s)
    {
        (void)ACol;
        (void)ARow;
        return s;
    }
    virtual void StartCheck() {}
    virtual void StopCheck() {}

    // The text a range check writes for one cell whose text (error marks removed) is given:
    // both steps see that unmarked text, so with both flags the marked text replaces the
    // corrected one.
    QString CheckText(int ACol, int ARow, const QString& unmarked);
};

// What a range check needs of its grid: read a cell's text without error marks, write it,
// and (with GotoCell) move the current cell.
struct TCheckTarget {
    std::function<QString(int col, int row)> unmarkedText;
    std::function<void(int col, int row, const QString&)> setText;
    std::function<void(int col, int row)> gotoCell; // may be empty
    std::function<TPoint()> currentCell;            // may be empty
};

// One cell: true when the checked text equals the unmarked text. Without a checker true.
bool CheckCell(VAviDadoraVidoRavad* checker, const TCheckTarget& grid, int col, int row);

// Every cell of the rectangle, row by row, left to right; StartCheck and StopCheck once each
// (also for an empty rectangle); with GotoCell the current cell is put back afterwards.
// cellColumn gives the cell visited for a column of the rectangle (a grid with hidden columns
// walks its displayed columns); empty: the column itself.
bool CheckCells(VAviDadoraVidoRavad* checker, const TCheckTarget& grid, int fromCol, int fromRow, int toCol, int toRow,
                const std::function<int(int col)>& cellColumn = {});

} // namespace grid
