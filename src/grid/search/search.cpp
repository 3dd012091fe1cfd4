// Finding and replacing text in the cells: the matcher, the search engine with its bounds and
// orders, and the Find family and Replace over it.

#include "grid/search/GridSearch.h"

#include "grid/look/GridPaintSettings.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/RizIVUDE.h"

#include <algorithm>

namespace grid {

namespace {

// Two double quotes look for the empty cells.
bool isEmptyCellsText(const QString& s)
{
    return s == QLatin1String("\"\"");
}

} // namespace

// ---- the searcher ------------------------------------------------------------------------------

TGridSearcher::TGridSearcher(TQvStringGrid& grid, const QString& s, bool wide_, TFindParameters params_, bool walk)
    : g(grid), params(params_), wide(wide_)
{
    text = has(fnMatchCase) ? s : s.toUpper();
    if (walk) {
        g.FFindParams = params;
        g.FFindBusy = true;
        (wide ? g.SearchCacheWide : g.SearchCache) = text;
    }
    emptyCellsOnly = isEmptyCellsText(text);
    cs = has(fnMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    plainDisplay = !g.OnGetDisplText && !g.OnGetDisplWideText && !g.URLShowInText && !g.Grouping.ShowGroupCount;
    // The real column of each displayed one, worked out once rather than per cell.
    if (!has(fnIncludeHiddenColumns) && g.NumHiddenColumns() > 0)
        for (int c = 0; c < g.ColCount(); ++c)
            realCols.push_back(g.RealColFromDispl(c));
    if (walk && has(fnIncludeHiddenRows) && !g.FGridItems.empty()) {
        const int total = g.TotalRowCount();
        displRow.assign(std::size_t(total), 0);
        hiddenItem.assign(std::size_t(total), nullptr);
        for (const auto& item : g.FGridItems)
            if (item->FIdx >= 0 && item->FIdx < total)
                hiddenItem[std::size_t(item->FIdx)] = item.get();
        int shown = 0;
        for (int r = 0; r < total; ++r)
            displRow[std::size_t(r)] = hiddenItem[std::size_t(r)] ? -1 : shown++;
    }
}

int TGridSearcher::realCol(int ACol) const
{
    if (has(fnIncludeHiddenColumns) || g.NumHiddenColumns() == 0)
        return ACol;
    return ACol >= 0 && ACol < int(realCols.size()) ? realCols[std::size_t(ACol)] : g.RealColFromDispl(ACol);
}

QStringView TGridSearcher::CellText(int ACol, int ARow, QString& buf) const
{
    const int c = realCol(ACol);
    int row = ARow;
    if (displRow.empty() && has(fnIncludeHiddenRows) && !g.FGridItems.empty()) {
        buf = g.GetCellsEx(c, ARow); // one cell: no table of the hidden rows for it
        return buf;
    }
    if (!displRow.empty()) {
        if (ARow < 0 || ARow >= int(displRow.size()))
            return {};
        if (const TQvStringGrid::TGridItem* item = hiddenItem[std::size_t(ARow)]) {
            if (!plainDisplay) {
                buf = g.GetCellsEx(c, ARow);
                return buf;
            }
            return item->Cells.TextView(c);
        }
        row = displRow[std::size_t(ARow)];
    }
    // A merged cell shows its base cell's text, which the store does not hold at this cell.
    if (plainDisplay) {
        TObject* object;
        const QStringView view = g.Store().TextView(c, row, object);
        if (!object)
            return view;
    }
    buf = g.GetCellEx(c, row);
    return buf;
}

bool TGridSearcher::matchesText(QStringView c) const
{
    if (emptyCellsOnly)
        return c.isEmpty();
    if (has(fnMatchRegular))
        return ZirAzur::EvalFilterCondition(text, c.toString(), has(fnMatchCase));
    if (text.isEmpty())
        return false; // an empty text occurs nowhere
    if (has(fnMatchStart) ? !c.startsWith(text, cs) : !c.contains(text, cs))
        return false;
    return !has(fnMatchFull) || c.compare(text, cs) == 0;
}

bool TGridSearcher::Matches(int ACol, int ARow)
{
    QString buf;
    QStringView c = CellText(ACol, ARow, buf);
    // Only a text that can hold markup is reduced to its plain text.
    if (!wide && has(fnIgnoreHTMLTags) && (c.contains(QLatin1Char('<')) || c.contains(QLatin1Char('&')))) {
        buf = RizIVUDE::MarkupToPlainText(c.toString());
        c = buf;
    }
    return matchesText(c);
}

TPoint TGridSearcher::Run(TPoint StartCell)
{
    const TPoint none{-1, -1};
    if (g.ColCount() == 0 || g.ColCount() <= g.FixedCols() || g.TotalRowCount() == 0
        || g.TotalRowCount() <= g.FixedRows())
        return none;

    // Bounds.
    int c1, c2, r1, r2;
    if (has(fnIncludeFixed)) {
        c1 = 0;
        c2 = g.ColCount() - 1;
        r1 = 0;
        r2 = g.RowCount() - 1;
    } else {
        c1 = g.FixedCols();
        c2 = g.ColCount() - g.FixedRightCols() - 1;
        r1 = g.FixedRows();
        r2 = g.RowCount() - g.FixedFooters() - 1;
    }
    if (has(fnSelectedCells)) {
        const TGridRect sel = g.Selection();
        c1 = sel.Left;
        c2 = sel.Right;
        r1 = sel.Top;
        r2 = sel.Bottom;
    }
    if (has(fnIncludeHiddenColumns))
        c2 += g.NumHiddenColumns();
    if (has(fnIncludeHiddenRows))
        r2 += g.NumHiddenRows();

    // Narrowing to one row or column, where the search then starts.
    const bool rowNarrowed = has(fnFindInCurrentRow) || has(fnFindInPresetRow);
    const bool colNarrowed = has(fnFindInCurrentCol) || has(fnFindInPresetCol);
    if (rowNarrowed)
        r1 = r2 = has(fnFindInCurrentRow) ? g.Row() : g.FFindRow;
    if (colNarrowed)
        c1 = c2 = has(fnFindInCurrentCol) ? g.Col() : g.FFindCol;
    if (c1 > c2 || r1 > r2 || c1 < 0 || r1 < 0)
        return none;

    // The order: the inner index runs fastest (the column left to right, else the row).
    const bool leftRight = has(fnDirectionLeftRight);
    const bool back = has(fnBackward);
    const int step = back ? -1 : 1;
    const int innerLo = leftRight ? c1 : r1, innerHi = leftRight ? c2 : r2;
    const int outerLo = leftRight ? r1 : c1, outerHi = leftRight ? r2 : c2;
    const int innerFirst = back ? innerHi : innerLo;
    // After a row (a column) the inner index restarts at the first one, or at the current
    // column (row) when the search keeps to it.
    const int innerRestart =
        leftRight ? (has(fnFindInCurrentCol) ? g.Col() : innerFirst) : (has(fnFindInCurrentRow) ? g.Row() : innerFirst);

    int inner, outer;
    if (StartCell.X == -1 && StartCell.Y == -1) {
        inner = innerFirst;
        outer = back ? outerHi : outerLo;
    } else {
        inner = leftRight ? StartCell.X : StartCell.Y;
        outer = leftRight ? StartCell.Y : StartCell.X;
        // A narrowed axis holds the start to its one row or column.
        if (leftRight ? colNarrowed : rowNarrowed)
            inner = innerLo;
        if (leftRight ? rowNarrowed : colNarrowed)
            outer = outerLo;
        const bool beyondInner = back ? inner < innerLo : inner > innerHi;
        const bool beyondOuter = back ? outer < outerLo : outer > outerHi;
        if (beyondInner && beyondOuter) {
            inner = innerFirst;
            outer = back ? outerHi : outerLo;
        } else if (beyondInner) {
            inner = innerRestart;
            outer += step;
        } else {
            inner += step; // the start cell itself was looked at by the search before
        }
        // A start before the bounds begins at their edge.
        if (back ? outer > outerHi : outer < outerLo) {
            outer = back ? outerHi : outerLo;
            inner = innerFirst;
        }
        if (back ? inner > innerHi : inner < innerLo)
            inner = innerFirst;
    }

    const bool skipIgnored = leftRight && g.IgnoreColumns().Count() > 0;
    // The common search (a plain text in shown cells that hold what they show) reads the store
    // directly; every other one goes through Matches.
    const bool direct = plainDisplay && displRow.empty() && !emptyCellsOnly && !text.isEmpty() && !has(fnMatchRegular)
                        && !has(fnMatchStart) && !has(fnMatchFull) && (wide || !has(fnIgnoreHTMLTags));
    const TCellStore& store = g.Store();
    const QStringView needle(text);
    auto matches = [&](int col, int row) {
        if (!direct)
            return Matches(col, row);
        TObject* object;
        const QStringView view = store.TextView(realCol(col), row, object);
        return object ? Matches(col, row) : view.contains(needle, cs);
    };
    for (; back ? outer >= outerLo : outer <= outerHi; outer += step) {
        for (; back ? inner >= innerLo : inner <= innerHi; inner += step) {
            const int col = leftRight ? inner : outer;
            const int row = leftRight ? outer : inner;
            if (skipIgnored && g.IsIgnoredColumn(col))
                continue;
            if (matches(col, row)) {
                g.SearchCell = {col, row};
                return {col, row};
            }
        }
        inner = innerRestart;
    }
    g.FFindBusy = false;
    return none;
}

// ---- the grid's search members -----------------------------------------------------------------

bool TQvStringGrid::CellMatchesSearch(int ACol, int ARow, bool wide)
{
    TGridSearcher searcher(*this, wide ? SearchCacheWide : SearchCache, wide, FFindParams, false);
    return searcher.Matches(ACol, ARow);
}

TPoint TQvStringGrid::FindCell(TPoint StartCell, const QString& s, bool wide, TFindParameters FindParams)
{
    TGridSearcher searcher(*this, s, wide, FindParams, true);
    const TPoint found = searcher.Run(StartCell);
    if (found.X < 0 || !(FindParams & fnAutoGoto))
        return found;

    int row = found.Y;
    if (FindParams & fnIncludeHiddenRows && NumHiddenRows() > 0) {
        // A row hidden in a contracted node comes out with its node first.
        if (HasNodes() && IsHiddenRow(row)) {
            for (int r = row - 1; r >= 0; --r) {
                if (IsHiddenRow(r))
                    continue;
                if (IsNode(DisplRowFromReal(r)))
                    ExpandNode(r);
                break;
            }
        }
        if (IsHiddenRow(row))
            return found; // still hidden (filtered out): there is nowhere to go
        row = DisplRowFromReal(row);
    }
    int col = found.X;
    if (FindParams & fnIncludeHiddenColumns) {
        if (IsHiddenColumn(col))
            col = Col();
        else
            col = DisplColFromReal(col);
    }
    if (MouseActions().DisjunctRowSelect()) {
        ClearRowSelect();
        SetRowSelect(row, true);
        SetRow(row);
    } else if (col >= 0 && col < ColCount() && row >= 0 && row < RowCount()) {
        MoveCurrentCell(col, row);
    }
    return found;
}

TPoint TQvStringGrid::Find(TPoint StartCell, const QString& s, TFindParameters FindParams)
{
    const TPoint found = FindCell(StartCell, s, false, FindParams);
    if (found.X >= 0 && (FindParams & fnAutoGoto)) {
        // The found row is kept off the bottom line (two rows up above a floating footer).
        const int a = FloatingFooter.Visible() ? 2 : 0;
        if (Row() > TopRow() + VisibleRowCount() - a - 2 && VisibleRowCount() + FixedRows() + a < RowCount())
            SetTopRow(TopRow() + a + 1);
    }
    return found;
}

TPoint TQvStringGrid::FindWide(TPoint StartCell, const QString& s, TFindParameters FindParams)
{
    return FindCell(StartCell, s, true, FindParams);
}

TPoint TQvStringGrid::FindFirst(const QString& s, TFindParameters FindParams)
{
    SearchCell = Find({-1, -1}, s, FindParams);
    return SearchCell;
}

TPoint TQvStringGrid::FindNext()
{
    SearchCell = Find(SearchCell, SearchCache, FFindParams);
    return SearchCell;
}

// Without fnMatchCase every occurrence is replaced whatever its case; with it only those of
// the given case, so text the caller left out stays as it was.
int TQvStringGrid::Replace(const QString& OrigStr, const QString& NewStr, TFindParameters FindParams)
{
    if (OrigStr.isEmpty())
        return 0;
    const Qt::CaseSensitivity cs = (FindParams & fnMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const bool byRealRow = FindParams & fnIncludeHiddenRows;
    int count = 0;
    TPoint cell{-1, -1};
    while ((cell = Find(cell, OrigStr, FindParams)).X >= 0) {
        const int c = (FindParams & fnIncludeHiddenColumns) ? cell.X : RealColFromDispl(cell.X);
        QString text = byRealRow ? GetCellsEx(c, cell.Y) : GetCellEx(c, cell.Y);
        const QString was = text;
        text.replace(OrigStr, NewStr, cs);
        if (text == was)
            continue;
        if (byRealRow)
            SetCellsEx(c, cell.Y, text);
        else
            SetCellEx(c, cell.Y, text);
        if (PaintSettings().ShowModified.Enabled)
            SetRowModified(byRealRow ? cell.Y : RealRowIndex(cell.Y), true);
        ++count;
    }
    return count;
}

} // namespace grid
