// Grouping: the rows' values of one column become header rows (nodes over their group's rows)
// with optional summary rows, and the column leaves the grid; added levels put header nodes
// inside the groups; the group calculations write into the headers or summaries.
//
// Why the rows go in and out as one list: a header inserted a row at a time shifts every row
// below it, so a million rows in ten thousand groups would be moved ten thousand times. The
// scan only collects where the headers and summaries go; one row-list insert (or removal) then
// moves each row once, and the nodes' spans are known from the scan.
//
// Two levels come apart cleanly because each added level keeps its own column (in
// FSubGroupColumns, apart from the top-level FGroupColumn), and UnGroup takes the added
// levels off before the top level: a value is never written back into another level's column.

#include "grid/QvGrid.h"

#include <algorithm>
#include <unordered_map>

namespace grid {

namespace {

// Before the first row the previous text is a marker no cell holds, so the first row always
// opens a group.
const QString kNoText = QStringLiteral("\u00FF\u00FE");

struct TRun {
    int start;     // first data row (displayed, before the headers go in)
    int count;     // data rows
    QString value; // the run's text
};

} // namespace

static TCellGraphic* nodeGraphic(TQvStringGrid& g, int row)
{
    auto* graphic = dynamic_cast<TCellGraphic*>(g.GetGraphicObjectEx(0, row));
    return graphic && graphic->FCellType == ctNode ? graphic : nullptr;
}

// Each node's span grows (sign +1) by the rows put in inside it, or shrinks (sign -1) by the
// rows taken out of it; rows are displayed rows before the change, ascending.
static void adjustNodeSpans(TQvStringGrid& g, const std::vector<int>& rows, int sign,
                            std::vector<std::pair<int, int>>& spans)
{
    spans.clear();
    for (int r = g.FixedRows(); r < g.RowCount(); ++r) {
        const TCellGraphic* n = nodeGraphic(g, r);
        if (!n || n->FCellIndex <= 0)
            continue;
        const int last = r + n->FCellIndex - 1;
        // Rows put in before an old row inside (r, last]; rows taken out inside the same.
        const auto from = std::upper_bound(rows.begin(), rows.end(), r);
        const auto to = std::upper_bound(rows.begin(), rows.end(), last);
        spans.emplace_back(r, n->FCellIndex + sign * int(to - from));
    }
}

void TQvStringGrid::SetGroupColumn(int Value)
{
    if (Value == -1)
        UnGroup();
    else if (Value > 0)
        Group(Value);
}

// The header or summary colours on one cell; each only when set, clNone leaves the cell's own.
static void setGroupColors(TCellProperties* p, const TGrouping& grouping, bool header)
{
    const TColor color = header ? grouping.HeaderColor : grouping.SummaryColor;
    const TColor colorTo = header ? grouping.HeaderColorTo : grouping.SummaryColorTo;
    const TColor text = header ? grouping.HeaderTextColor : grouping.SummaryTextColor;
    if (color != clNone)
        p->FBrushColor = platform::colorToRGB(color);
    if (colorTo != clNone)
        p->FBrushColorTo = platform::colorToRGB(colorTo);
    if (text != clNone)
        p->FFontColor = platform::colorToRGB(text);
}

void TQvStringGrid::applyGroupLook(int ARow, int fromCol, bool header)
{
    const bool any = header ? (Grouping.HeaderColor != clNone || Grouping.HeaderColorTo != clNone
                               || Grouping.HeaderTextColor != clNone)
                            : (Grouping.SummaryColor != clNone || Grouping.SummaryColorTo != clNone
                               || Grouping.SummaryTextColor != clNone);
    if (!any)
        return;
    for (int c = fromCol; c < TotalColCount(); ++c)
        setGroupColors(GetCellProperties(c, ARow), Grouping, header);
}

void TQvStringGrid::clearGroupLook(int ARow, int fromCol)
{
    for (int c = fromCol; c < TotalColCount(); ++c)
        if (CellHasProperties(c, ARow)) {
            TCellProperties* p = GetCellProperties(c, ARow);
            p->FBrushColor = clNone;
            p->FBrushColorTo = clNone;
        }
}

void TQvStringGrid::Group(int Colindex)
{
    if (Colindex < FixedCols())
        return;
    if (FGroupColumn != -1)
        UnGroup();
    const int first = FixedRows();
    if (RowCount() - FFixedFooters - 1 < first || Colindex >= TotalColCount())
        return;
    BeginUpdate();
    FIsGrouping = true;
    try {
        FGroupColumn = Colindex;
        FGroupWidth = realColWidth(Colindex);
        FGroupCaption = FixedRows() > 0 ? store.Text(Colindex, 0) : QString();
        FGroupFooter = FFixedFooters > 0 ? store.Text(Colindex, RowCount() - 1) : QString();
        if (SortSettings().AutoSortForGrouping()) {
            SortSettings().SetColumn(Colindex);
            QSort();
        }
        const int last = RowCount() - FFixedFooters - 1;

        // Runs of equal texts in the present order (exact comparison).
        std::vector<TRun> runs;
        QStringView prev = kNoText;
        for (int r = first; r <= last; ++r) {
            const QStringView t = store.TextView(Colindex, r);
            if (runs.empty() || t != prev)
                runs.push_back({r, 0, t.toString()});
            ++runs.back().count;
            prev = t;
        }

        // Where the headers (and summaries) end up, ascending in the final numbering.
        const bool summary = Grouping.Summary;
        std::vector<int> at;
        at.reserve(runs.size() * (summary ? 2 : 1));
        int added = 0;
        for (const TRun& run : runs) {
            at.push_back(run.start + added++);
            if (summary)
                at.push_back(run.start + run.count + added++);
        }
        insertRowList(at);

        const int textCol = Colindex == 1 ? 2 : 1;
        for (std::size_t g = 0; g < runs.size(); ++g) {
            const int header = at[g * (summary ? 2 : 1)];
            store.SetText(textCol, header, runs[g].value);
            AddNode(RealRowIndex(header), runs[g].count + 1);
            if (summary)
                MarkSummaryRow(RealRowIndex(header + runs[g].count + 1));
        }

        FGroupHiddenTexts.clear();
        for (const auto& item : FGridItems)
            if (const QString t = item->Cells.Text(Colindex); !t.isEmpty())
                FGroupHiddenTexts.emplace_back(item.get(), t);
        RemoveCols(Colindex, 1);

        const bool mergeSummary = Grouping.MergeSummary && summary;
        for (std::size_t g = 0; g < runs.size(); ++g) {
            const int header = at[g * (summary ? 2 : 1)];
            if (!Grouping.MergeHeader)
                applyGroupLook(header, 0, true);
            if (summary && !mergeSummary)
                applyGroupLook(header + runs[g].count + 1, 0, false);
        }
        if (Grouping.MergeHeader || mergeSummary) {
            const int cols = ColCount() - 1;
            for (int r = first; r < RowCount() - FFixedFooters; ++r) {
                const bool header = IsNode(r) && Grouping.MergeHeader;
                if (!header && !(mergeSummary && IsSummary(r)))
                    continue;
                MergeCells(1, r, cols, 1);
                setGroupColors(GetCellProperties(1, r), Grouping, header);
            }
        }
        if (FCellNode->ExpandOne() && first < RowCount())
            ExpandNode(RealRowIndex(first));
        if (Col() >= ColCount() || Row() >= RowCount())
            GotoFirstNormalRow();
        if (first < RowCount())
            SetRow(first);
    } catch (...) {
        FIsGrouping = false;
        EndUpdate();
        throw;
    }
    FIsGrouping = false;
    EndUpdate();
}

void TQvStringGrid::UnGroup()
{
    if (FGroupColumn <= 0)
        return;
    while (!FSubGroupColumns.empty())
        SubUnGroup(FSubGroupColumns.back());
    const bool expandOne = FCellNode->ExpandOne();
    FCellNode->SetExpandOne(false);
    ExpandAll();
    BeginUpdate();
    try {
        InsertCols(FGroupColumn, 1);
        const int d = DisplColIndex(FGroupColumn);
        if (d >= 0 && d < ColCount())
            SetColWidths(d, FGroupWidth);
        if (FixedRows() > 0)
            store.SetText(FGroupColumn, 0, FGroupCaption);
        if (FFixedFooters > 0)
            store.SetText(FGroupColumn, RowCount() - 1, FGroupFooter);
        if (!FGroupHiddenTexts.empty()) {
            std::unordered_map<const void*, const QString*> saved;
            for (const auto& [entry, text] : FGroupHiddenTexts)
                saved.emplace(entry, &text);
            for (auto& item : FGridItems)
                if (const auto it = saved.find(item.get()); it != saved.end()) {
                    item->Cells.SetText(FGroupColumn, *it->second);
                }
            FGroupHiddenTexts.clear();
        }
        FIsGrouping = true;

        // One walk carries each header's value into its rows and lists the header and summary
        // rows, which then leave together.
        const int textCol = FGroupColumn == 1 ? 2 : 1;
        const int end = RowCount() - FFixedFooters;
        std::vector<int> gone;
        QString value;
        for (int r = FixedRows(); r < end; ++r) {
            if (IsNode(r)) {
                const int summaryRow = r + GetNodeSpan(r);
                if (summaryRow < end && IsSummary(summaryRow)) {
                    if (Grouping.MergeSummary && Grouping.Summary)
                        SplitCells(1, summaryRow);
                    else
                        clearGroupLook(summaryRow, 0);
                }
                value = store.Text(textCol, r);
                RemoveNode(RealRowIndex(r));
                if (Grouping.MergeHeader)
                    SplitCells(1, r);
                else
                    clearGroupLook(r, 0);
                gone.push_back(r);
            } else if (IsSummary(r)) {
                gone.push_back(r);
            } else {
                store.SetText(FGroupColumn, r, value);
            }
        }
        removeRowList(gone, true, nullptr);
    } catch (...) {
        FIsGrouping = false;
        FCellNode->SetExpandOne(expandOne);
        EndUpdate();
        throw;
    }
    FIsGrouping = false;
    FGroupColumn = -1;
    FCellNode->SetExpandOne(expandOne);
    EndUpdate();
    Invalidate();
}

void TQvStringGrid::SubGroup(int Colindex)
{
    if (Colindex < FixedCols() || Colindex + 1 >= TotalColCount())
        return;
    ExpandAll();
    BeginUpdate();
    try {
        const int header = Colindex + 1;
        const int first = FixedRows();
        const int end = RowCount() - FFixedFooters;
        // Runs of equal texts, broken at every node or summary row (a run stays in its group).
        std::vector<TRun> runs;
        QStringView prev = kNoText;
        bool open = false;
        for (int r = first; r < end; ++r) {
            if (IsNode(r) || IsSummary(r)) {
                open = false;
                continue;
            }
            const QStringView t = store.TextView(Colindex, r);
            if (!open || t != prev)
                runs.push_back({r, 0, t.toString()});
            ++runs.back().count;
            prev = t;
            open = true;
        }
        if (runs.empty()) {
            EndUpdate();
            return;
        }
        std::vector<int> before;
        before.reserve(runs.size());
        for (const TRun& run : runs)
            before.push_back(run.start);
        std::vector<std::pair<int, int>> spans;
        adjustNodeSpans(*this, before, +1, spans);
        // A new header stands at the level of the row it goes in before.
        std::vector<int> levels;
        levels.reserve(runs.size());
        for (const TRun& run : runs)
            levels.push_back(CellHasProperties(0, run.start) ? GetCellProperties(0, run.start)->FNodeLevel : 0);

        std::vector<int> at;
        at.reserve(runs.size());
        for (std::size_t k = 0; k < runs.size(); ++k)
            at.push_back(runs[k].start + int(k));
        insertRowList(at);
        for (const auto& [oldRow, span] : spans) {
            const int moved = oldRow + int(std::upper_bound(before.begin(), before.end(), oldRow) - before.begin());
            SetNodeSpan(moved, span);
        }
        for (std::size_t k = 0; k < runs.size(); ++k) {
            const int h = at[k];
            GetCellProperties(0, h)->FNodeLevel = levels[k];
            store.SetText(header, h, runs[k].value);
            for (int r = h + 1; r <= h + runs[k].count; ++r)
                store.SetText(Colindex, r, QString());
            AddNode(RealRowIndex(h), runs[k].count + 1);
            nodeGraphic(*this, h)->FCellVar = Colindex;
            if (Grouping.MergeHeader) {
                MergeCells(header, h, ColCount() - header, 1);
                setGroupColors(GetCellProperties(header, h), Grouping, true);
            } else {
                applyGroupLook(h, 0, true);
            }
        }
        FSubGroupColumns.push_back(Colindex);
        if (first < RowCount())
            SetRow(first);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TQvStringGrid::SubUnGroup(int Colindex)
{
    const auto level = std::find(FSubGroupColumns.begin(), FSubGroupColumns.end(), Colindex);
    if (level == FSubGroupColumns.end())
        return;
    ExpandAll();
    BeginUpdate();
    try {
        const int end = RowCount() - FFixedFooters;
        std::vector<int> gone;
        for (int r = FixedRows(); r < end; ++r) {
            const TCellGraphic* n = nodeGraphic(*this, r);
            if (n && n->FCellVar.isValid() && n->FCellVar.toInt() == Colindex)
                gone.push_back(r);
        }
        std::vector<std::pair<int, int>> spans;
        adjustNodeSpans(*this, gone, -1, spans);
        QString value;
        for (int r = FixedRows(); r < end; ++r) {
            const TCellGraphic* n = nodeGraphic(*this, r);
            if (n && std::binary_search(gone.begin(), gone.end(), r)) {
                value = store.Text(Colindex + 1, r);
                RemoveNode(RealRowIndex(r));
                if (Grouping.MergeHeader)
                    SplitCells(Colindex + 1, r);
                else
                    clearGroupLook(r, 0);
            } else if (!n && !IsSummary(r)) {
                store.SetText(Colindex, r, value);
            }
        }
        // The enclosing nodes lose the header rows that lay inside them.
        for (const auto& [row, span] : spans)
            if (!std::binary_search(gone.begin(), gone.end(), row))
                SetNodeSpan(row, span);
        removeRowList(gone, true, nullptr);
    } catch (...) {
        EndUpdate();
        throw;
    }
    FSubGroupColumns.erase(std::find(FSubGroupColumns.begin(), FSubGroupColumns.end(), Colindex));
    EndUpdate();
    Invalidate();
}

// ---- group calculations ------------------------------------------------------------------------

void TQvStringGrid::GroupCalc(int Colindex, int method)
{
    BeginUpdate();
    try {
        const int end = RowCount() - FFixedFooters;
        for (int r = FixedRows(); r < end;) {
            if (!IsNode(r) || GetNodeState(r)) {
                ++r;
                continue;
            }
            const int span = GetNodeSpan(r);
            const int from = r + 1;
            const int to = r + span - 1;
            const int target = Grouping.Summary ? r + span : r;
            double value = 0;
            bool write = true;
            switch (method) {
            case 1:
                value = ColumnSum(Colindex, from, to);
                break;
            case 2:
                value = ColumnAvg(Colindex, from, to);
                break;
            case 3:
                value = ColumnMin(Colindex, from, to);
                break;
            case 4:
                value = ColumnMax(Colindex, from, to);
                break;
            case 5:
                SetInts(Colindex, target, span - 1);
                write = false;
                break;
            case 6:
                value = QueryGroupCalc(Colindex, from, to);
                break;
            case 7:
                value = ColumnDistinct(Colindex, from, to);
                break;
            case 8:
                value = ColumnStdDev(Colindex, from, to);
                break;
            default:
                write = false;
                break;
            }
            if (write && target < RowCount())
                SetFloats(Colindex, target, value);
            r += std::max(1, span);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

namespace {

struct TNamedGroupCalc {
    int method;
    TColumnCalcType footer; // acNONE: the footer is left alone
};

} // namespace

static void namedGroupCalc(TQvStringGrid& g, int col, const TNamedGroupCalc& calc)
{
    g.GroupCalc(col, calc.method);
    if (g.FloatingFooter.Visible() && calc.footer != acNONE)
        g.SetFooterCalcType(col, calc.footer);
}

void TQvStringGrid::GroupSum(int Colindex)
{
    namedGroupCalc(*this, Colindex, {1, acSUM});
}
void TQvStringGrid::GroupAvg(int Colindex)
{
    namedGroupCalc(*this, Colindex, {2, acAVG});
}
void TQvStringGrid::GroupMin(int Colindex)
{
    namedGroupCalc(*this, Colindex, {3, acMIN});
}
void TQvStringGrid::GroupMax(int Colindex)
{
    namedGroupCalc(*this, Colindex, {4, acMAX});
}
void TQvStringGrid::GroupCount(int ColIndex)
{
    namedGroupCalc(*this, ColIndex, {5, acCOUNT});
}
void TQvStringGrid::GroupCustomCalc(int Colindex)
{
    namedGroupCalc(*this, Colindex, {6, acNONE});
}
void TQvStringGrid::GroupDistinct(int ColIndex)
{
    namedGroupCalc(*this, ColIndex, {7, acNONE});
}
void TQvStringGrid::GroupStdDev(int ColIndex)
{
    namedGroupCalc(*this, ColIndex, {8, acNONE});
}

double TQvStringGrid::QueryGroupCalc(int ACol, int FromRow, int ToRow)
{
    double res = 0;
    if (OnGroupCalc)
        OnGroupCalc(this, ACol, FromRow, ToRow, res);
    return res;
}

} // namespace grid
