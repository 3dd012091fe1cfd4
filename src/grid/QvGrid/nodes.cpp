// Nodes (an outline over the rows: a node row in column 0 covers a span of rows that
// contracting hides and expanding shows), summary rows, child rows inserted into and removed
// from nodes with the spans of the enclosing nodes kept right, and expand cells.
//
// A node's span counts real rows (the node row included), so it stays right while rows of a
// nested node are hidden.

#include "grid/QvGrid.h"

#include <QScrollBar>

namespace grid {

namespace {

constexpr int kNoLevel = 65535;

} // namespace

static TCellGraphic* nodeAt(const TQvStringGrid& g, int row, TCellType kind = ctNode)
{
    if (row < 0)
        return nullptr;
    auto* graphic = dynamic_cast<TCellGraphic*>(g.GetGraphicObjectEx(0, row));
    return graphic && graphic->FCellType == kind ? graphic : nullptr;
}

static int levelOf(const TQvStringGrid& g, int row)
{
    if (row < 0 || !g.CellHasProperties(0, row))
        return 0;
    return static_cast<const TCellProperties*>(g.GetGridObject(0, row))->FNodeLevel;
}

// Exclusive displayed end of a node's rows: node row + span, or for span 0 the next node row.
int TQvStringGrid::nodeRangeEnd(int displRow, int span)
{
    if (span > 0)
        return std::min(displRow + span, RowCount());
    for (int r = displRow + 1; r < RowCount(); ++r)
        if (nodeAt(*this, r))
            return r;
    return RowCount();
}

void TQvStringGrid::setNodeLevels(int displRow, int span, int delta)
{
    const int end = nodeRangeEnd(displRow, span);
    for (int r = displRow; r < end; ++r) {
        TCellProperties* p = GetCellProperties(0, r);
        p->FNodeLevel = std::max(0, p->FNodeLevel + delta);
    }
}

// ---- structure ---------------------------------------------------------------------------------

void TQvStringGrid::AddNode(int ARow, int Span)
{
    const int d = DisplRowFromReal(ARow);
    if (d < 0 || d >= RowCount())
        return;
    TCellGraphic* g = CreateCellGraphic(0, d);
    g->FCellType = ctNode;
    g->FCellIndex = Span;
    g->FCellBoolean = false;
    g->FCellAngle = d;
    g->FCellErrFrom = 0;
    g->FCellVar = -1;
    g->FCellHAlign = haBeforeText;
    g->FCellVAlign = vaCenter;
    setNodeLevels(d, Span, 1);
    if (++FNumNodes == 1)
        RepaintCol(0);
    if (Col() == 0 && ColCount() > 1)
        TStringGrid::FocusCell(1, Row(), true);
}

void TQvStringGrid::RemoveNode(int ARow)
{
    const int d0 = DisplRowFromReal(ARow);
    if (!nodeAt(*this, d0))
        return;
    ExpandNodeRows(ARow);
    const int d = DisplRowFromReal(ARow);
    setNodeLevels(d, GetNodeSpan(d), -1);
    RemoveCellGraphicOfType(0, d, ctNode);
    if (FNumNodes > 0)
        --FNumNodes;
}

void TQvStringGrid::RemoveAllNodes()
{
    for (int r = 0; r < RowCount(); ++r) {
        if (!nodeAt(*this, r))
            continue;
        ExpandNodeRows(RealRowIndex(r));
        setNodeLevels(r, GetNodeSpan(r), -1);
        RemoveCellGraphicOfType(0, r, ctNode);
        if (FNumNodes > 0)
            --FNumNodes;
    }
    Invalidate();
}

bool TQvStringGrid::IsNode(int ARow)
{
    return nodeAt(*this, ARow) != nullptr;
}

bool TQvStringGrid::IsSummary(int ARow)
{
    return nodeAt(*this, ARow, ctSummary) != nullptr;
}

bool TQvStringGrid::GetNodeState(int ARow)
{
    const TCellGraphic* g = nodeAt(*this, ARow);
    return g && g->FCellBoolean;
}

void TQvStringGrid::SetNodeState(int ARow, bool Value)
{
    const TCellGraphic* g = nodeAt(*this, ARow);
    if (!g || g->FCellBoolean == Value)
        return;
    if (Value)
        ContractNode(RealRowIndex(ARow));
    else
        ExpandNode(RealRowIndex(ARow));
}

int TQvStringGrid::GetNodeLevel(int ARow)
{
    return nodeAt(*this, ARow) ? levelOf(*this, ARow) : -1;
}

int TQvStringGrid::GetNodeSpan(int ARow)
{
    const TCellGraphic* g = nodeAt(*this, ARow);
    return g ? g->FCellIndex : -1;
}

void TQvStringGrid::SetNodeSpan(int ARow, int Span)
{
    if (TCellGraphic* g = nodeAt(*this, ARow))
        g->FCellIndex = Span;
}

void TQvStringGrid::UpdateNodeSpan(int ARow, int Delta)
{
    if (TCellGraphic* g = nodeAt(*this, ARow))
        g->FCellIndex += Delta;
}

int TQvStringGrid::GetSubNodeCount(int ARow)
{
    const TCellGraphic* g = nodeAt(*this, ARow);
    return g ? g->FCellErrFrom : 0;
}

void TQvStringGrid::UpdateSubNodeCount(int ARow, int Delta)
{
    if (TCellGraphic* g = nodeAt(*this, ARow))
        g->FCellErrFrom += Delta;
}

int TQvStringGrid::GetNodeSpanType(int ARow)
{
    if (IsNode(ARow))
        return 0;
    if (ARow < RowCount() - FFixedFooters - 1 && CellHasProperties(0, ARow + 1)
        && levelOf(*this, ARow + 1) >= levelOf(*this, ARow))
        return 2;
    return 1;
}

int TQvStringGrid::GetParentRow(int ARow)
{
    if (FNumNodes <= 0)
        return -1;
    int beat = kNoLevel;
    int fallback = -1;
    if (IsNode(ARow)) {
        beat = levelOf(*this, ARow);
        fallback = ARow;
    }
    int correction = 0;
    for (int r = ARow; r >= FixedRows(); --r) {
        const TCellGraphic* g = nodeAt(*this, r);
        if (!g || levelOf(*this, r) >= beat)
            continue;
        const int span = g->FCellIndex;
        if (g->FCellBoolean)
            correction += span - 1;
        if (ARow < r + span - correction)
            return r;
    }
    return fallback;
}

// ---- expanding and contracting -------------------------------------------------------------------

void TQvStringGrid::ExpandNode(int ARow)
{
    if (FCellNode->ExpandOne()) {
        for (int r = FixedRows(); r < RowCount(); ++r) {
            const TCellGraphic* g = nodeAt(*this, r);
            const int real = RealRowIndex(r);
            if (g && !g->FCellBoolean && real != ARow)
                ContractNode(real);
        }
    }
    ExpandNodeRows(ARow);
}

void TQvStringGrid::ExpandNodeRows(int ARow)
{
    const int d = DisplRowFromReal(ARow);
    TCellGraphic* g = IsHiddenRow(ARow) ? nullptr : nodeAt(*this, d);
    if (!g || !g->FCellBoolean)
        return;
    g->FCellBoolean = false;
    // Every row hidden between the node and the next displayed row comes back, nested rows
    // included.
    int last = -1;
    if (d + 1 < RowCount()) {
        last = RealRowIndex(d + 1) - 1;
    } else {
        for (const auto& item : FGridItems)
            last = std::max(last, item->FIdx);
    }
    const int oldRow = Row();
    const int oldTop = TopRow();
    const bool disjunct = FMouseActions->DisjunctRowSelect();
    FMouseActions->SetDisjunctRowSelect(false);
    const bool rowSelect = HasOption(goRowSelect);
    if (rowSelect)
        SetOptions(Options() & ~goRowSelect);
    BeginUpdate();
    if (last > ARow)
        UnHideRows(ARow + 1, last);
    EndUpdate();
    if (rowSelect) {
        SetOptions(Options() | goRowSelect);
        if (oldRow < RowCount())
            TStringGrid::FocusCell(Col(), oldRow, true);
        SetTopRowEx(oldTop);
    }
    FMouseActions->SetDisjunctRowSelect(disjunct);
}

void TQvStringGrid::ContractNode(int ARow)
{
    HideEditor();
    const int d = DisplRowFromReal(ARow);
    TCellGraphic* g = IsHiddenRow(ARow) ? nullptr : nodeAt(*this, d);
    if (!g || g->FCellBoolean)
        return;
    g->FCellBoolean = true;
    // The node's rows in real terms; rows of nested contracted nodes are hidden already and
    // stay in the store, their nodes marked expanded so that expanding this node later shows
    // every row again.
    int lastReal;
    if (g->FCellIndex > 0) {
        lastReal = ARow + g->FCellIndex - 1;
    } else {
        const int end = nodeRangeEnd(d, 0);
        lastReal = end < RowCount() ? RealRowIndex(end) - 1 : TotalRowCount() - 1;
    }
    for (int r = d + 1; r < RowCount() && RealRowIndex(r) <= lastReal; ++r)
        if (TCellGraphic* inner = nodeAt(*this, r))
            inner->FCellBoolean = false;
    if (lastReal > ARow) {
        BeginUpdate();
        HideRows(ARow + 1, lastReal);
        EndUpdate();
    }
}

void TQvStringGrid::ExpandAll()
{
    BeginUpdate();
    // Expanding every node, each without the one-expanded rule (which would undo the walk).
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (nodeAt(*this, r))
            ExpandNodeRows(RealRowIndex(r));
    EndUpdate();
}

// Every top-level node's rows are hidden as ordinary hidden rows, not as a filter level: a
// filter removed later must not bring contracted rows back.
void TQvStringGrid::ContractAll()
{
    BeginUpdate();
    ExpandAll();
    std::vector<int> nodes;
    for (int r = FixedRows(); r < RowCount();) {
        const TCellGraphic* g = nodeAt(*this, r);
        if (!g) {
            ++r;
            continue;
        }
        nodes.push_back(r);
        r = std::max(r + 1, nodeRangeEnd(r, g->FCellIndex));
    }
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
        ContractNode(RealRowIndex(*it));
    EndUpdate();
}

bool TQvStringGrid::IsNodeGlyphHit(int ARow, int X)
{
    if (!FMouseActions->PreciseNodeClick())
        return true;
    const int L = levelOf(*this, ARow);
    const int I = FCellNode->NodeIndent();
    int w = 4, o = 4;
    switch (FCellNode->NodeType()) {
    case cn3D:
        w = 6;
        o = 0;
        break;
    case cnGlyph:
        w = FCellNode->ExpandGlyph().Empty() ? 0 : FCellNode->ExpandGlyph().Width() / 2;
        o = FCellNode->ExpandGlyph().Empty() ? 0 : 2;
        break;
    case cnLeaf:
        w = 8;
        o = 2;
        break;
    case cnFlat:
    case cnXP:
        break;
    }
    if (layoutDirection() == Qt::RightToLeft) {
        const int W = width();
        const int v = verticalScrollBar()->isVisible() ? verticalScrollBar()->width() : 0;
        return W - 2 - L * I - w <= X + v && X + v < W - (L - 1) * I;
    }
    return o + (L - 1) * I < X && X < w + L * I;
}

void TQvStringGrid::MarkSummaryRow(int ARow)
{
    const int d = DisplRowFromReal(ARow);
    if (d < 0 || d >= RowCount())
        return;
    CreateCellGraphic(0, d)->FCellType = ctSummary;
}

// ---- child rows --------------------------------------------------------------------------------

void TQvStringGrid::InsertChildRow(int ARow, int InsertAt)
{
    const int d = DisplRowFromReal(ARow);
    const int p = GetParentRow(d);
    int level = 1;
    if (p >= 0) {
        UpdateNodeSpan(p, 1);
        UpdateSubNodeCount(p, 1);
        ExpandNode(RealRowIndex(p));
        level = GetNodeLevel(p);
        int cur = p;
        while (level > 1) {
            const int q = GetParentRow(cur);
            if (q < FixedRows() || q == cur || !IsNode(q) || GetNodeLevel(q) >= level)
                break;
            UpdateNodeSpan(q, 1);
            UpdateSubNodeCount(q, 1);
            ExpandNode(RealRowIndex(q));
            level = GetNodeLevel(q);
            cur = q;
        }
    }
    const int nodeRow = DisplRowFromReal(ARow);
    const bool moveNodeRow = IsNode(nodeRow) && InsertAt == 0;
    const int at = moveNodeRow ? nodeRow + 1 : nodeRow + InsertAt;
    InsertNormalRow(at < RowCount() ? RealRowIndex(at) : TotalRowCount());
    if (moveNodeRow) {
        // The node row's contents become its first child; column 0 keeps the node.
        for (int c = 0; c < ColCount(); ++c) {
            const int rc = RealColIndex(c);
            store.SetText(rc, at, store.Text(rc, nodeRow));
            store.SetText(rc, nodeRow, QString());
            if (rc == 0)
                continue;
            TObject* o = store.Object(rc, nodeRow);
            store.SetObject(rc, at, o);
            store.SetObject(rc, nodeRow, nullptr);
            if (auto* props = dynamic_cast<TCellProperties*>(o))
                props->FOwnerRow = at;
        }
        InvalidateRow(nodeRow);
        InvalidateRow(at);
    }
    if (p >= 0)
        GetCellProperties(0, at)->FNodeLevel = GetNodeLevel(p) > 0 ? GetNodeLevel(p) : 1;
}

void TQvStringGrid::RemoveChildRow(int ARow)
{
    const int d = DisplRowFromReal(ARow);
    if (d < 0 || d >= RowCount())
        return;
    int p = GetParentRow(d);
    if (p >= 0 && p != d) {
        const int noted = GetNodeLevel(p);
        if (GetNodeSpan(p) > 1) {
            UpdateNodeSpan(p, -1);
            UpdateSubNodeCount(p, -1);
        }
        for (;;) {
            ExpandNode(RealRowIndex(p));
            if (GetNodeLevel(p) <= 1)
                break;
            const int q = GetParentRow(p);
            if (q < 0 || q == p || GetNodeLevel(q) >= noted)
                break;
            if (GetNodeSpan(q) > 1) {
                UpdateNodeSpan(q, -1);
                UpdateSubNodeCount(q, -1);
            }
            p = q;
        }
    }
    RemoveNormalRow(DisplRowFromReal(ARow));
}

// Hidden rows behind the new row move down one real index (InsertRows renumbers them), so
// each keeps its place.
void TQvStringGrid::InsertNormalRow(int ARow)
{
    InsertRows(std::min(DisplRowFromReal(ARow), RowCount()), 1);
}

void TQvStringGrid::RemoveNormalRow(int ARow)
{
    if (ARow < 0 || ARow >= RowCount())
        return;
    RemoveRows(ARow, 1);
}

// ---- expand cells ------------------------------------------------------------------------------

void TQvStringGrid::AddExpand(int ACol, int ARow, int ExpandedHeight)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->FCellType = ctExpand;
    g->FCellAngle = ExpandedHeight;
    g->FCellIndex = RowHeights(ARow);
    g->FCellVar = false;
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TQvStringGrid::RemoveExpand(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctExpand);
}

bool TQvStringGrid::HasExpand(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.X, b.Y) == ctExpand;
}

bool TQvStringGrid::ToggleExpand(int ACol, int ARow)
{
    if (!HasExpand(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    g->FCellVar = !g->FCellVar.toBool();
    return g->FCellVar.toBool();
}

bool TQvStringGrid::GetExpandState(int ACol, int ARow)
{
    if (!HasExpand(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellGraphic(b.X, b.Y)->FCellVar.toBool();
}

int TQvStringGrid::GetExpandHeight(int ACol, int ARow, bool Expanded)
{
    if (!HasExpand(ACol, ARow))
        return DefaultRowHeight();
    const TPoint b = BaseCell(ACol, ARow);
    const TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return Expanded ? g->FCellAngle : g->FCellIndex;
}

TRect TQvStringGrid::GetExpandRect(int ACol, int ARow)
{
    if (!HasExpand(ACol, ARow))
        return {};
    const TRect r = CellRect(DisplColIndex(ACol), ARow);
    return {r.Right - 13, r.Top + 2, r.Right - 2, r.Top + 13};
}

} // namespace grid
