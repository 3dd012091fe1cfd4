#pragma once
// Call flow: Find, FindWide, FindFirst, FindNext and Replace (search.cpp) run the engine
// FindCell, which sets up a TGridSearcher for one search: the bounds and the order the flags
// ask for, then a walk from the start cell that asks the searcher's matcher of each cell and
// stops at the first match. The incremental search of typed characters (Search) is separate
// and looks at the sort column only. The search footer (SearchPanel.h) reports to the grid's
// footer reactions (footer.cpp), which build the flags from the SearchFooter settings and run
// Find, then highlight through the marks of QvGrid/marks.cpp.
//
// Matching reads each cell in place where the cell's text is what it shows (no merge, no
// display-text hook) and compares without case by the string view's own comparison, so a
// search over a million rows makes no copy of a cell.

#include "grid/QvGrid.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace grid {

class TGridSearcher {
public:
    // For a walk (walk true) the flags and the text become the grid's search state
    // (FFindParams, the caches, the busy flag); a look at one cell leaves that state alone.
    TGridSearcher(TQvStringGrid& grid, const QString& text, bool wide, TFindParameters params, bool walk);
    // The first match after StartCell in the search order, (-1, -1) when none.
    TPoint Run(TPoint StartCell);
    // The cell at the search's indexes (column displayed unless hidden columns are included,
    // row displayed unless hidden rows are).
    bool Matches(int ACol, int ARow);
    // The cell's text as the search reads it; buf holds it when it is not read in place.
    QStringView CellText(int ACol, int ARow, QString& buf) const;

private:
    bool has(TFindParameter f) const { return (params & f) != 0; }
    bool matchesText(QStringView c) const;
    int realCol(int ACol) const;

    TQvStringGrid& g;
    TFindParameters params;
    QString text; // as cached: upper case unless fnMatchCase
    bool wide;
    bool emptyCellsOnly;
    Qt::CaseSensitivity cs;
    bool plainDisplay; // no hook changes what a cell shows
    // With hidden rows searched: per real row its displayed row, or -1 and its stored item.
    std::vector<int> realCols; // per displayed column, while columns are hidden
    std::vector<int> displRow;
    std::vector<const TQvStringGrid::TGridItem*> hiddenItem;
};

} // namespace grid
