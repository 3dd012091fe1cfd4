// The grid's size and its sizing settings: columns in proportion to the grid's width
// (ColumnSize.SynchWithGrid), the stretch switch taking effect at once, the flat scroll-bar
// look, whole-row heights, and the application's say over sizing a column or a row.

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"

#include <QScrollBar>

namespace grid {

namespace {

// The flat look: no bevels or arrows' frames, a plain groove and handle in the palette's tones.
constexpr const char* kFlatBarSheet =
    "QScrollBar { border: none; background: palette(window); }"
    "QScrollBar::handle { background: palette(mid); border: none; }"
    "QScrollBar::add-line, QScrollBar::sub-line { border: none; background: palette(window); }";

} // namespace

// Writing ColumnSize.Stretch on a grid in a window stretches at once, not on the next resize.
void TQvStringGrid::hookColumnSizeSettings()
{
    FColumnSize->OnStretchChanged = [this] {
        // A grid shown as a window of its own counts as placed too.
        if (parentWidget() || isVisible())
            StretchColumn(FColumnSize->StretchColumn());
    };
}

void TQvStringGrid::HandleSize()
{
    TColumnSize& cs = ColumnSize();
    if (!cs.SynchWithGrid() || FOldSize <= 0 || FDisableSize)
        return;
    FDisableSize = true;
    HideInplaceEdit();
    // Scaled from the widths remembered with the grid's width, so rounding never accumulates.
    const double factor = double(width()) / FOldSize;
    const int first = cs.SynchNormalCellsOnly() ? FixedCols() : 0;
    const int last = cs.SynchNormalCellsOnly() ? ColCount() - FFixedRightCols - 1 : ColCount() - 1;
    const TIntList& orig = *FOrigColSizes;
    for (int c = first; c <= last && c < orig.Count(); ++c)
        SetColWidths(c, RoundHalfEven(orig.GetInteger(c) * factor));
    FDisableSize = false;
}

void TQvStringGrid::ShowFlatScrollBar(Qt::Orientation bar, bool show)
{
    if (ScrollType != ssFlat && ScrollType != ssEncarta)
        return;
    QScrollBar* sb = bar == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
    // Whether the bar shows is the scroll area's as-needed rule, which asks what the caller
    // asked (not all rows or columns fit); the look is what the flat bars add.
    if (show && sb->styleSheet().isEmpty())
        sb->setStyleSheet(QLatin1String(kFlatBarSheet));
    FlatScrollCalls << QStringLiteral("FlatSB_ShowScrollBar %1 %2")
                           .arg(bar == Qt::Vertical ? QLatin1String("SB_VERT") : QLatin1String("SB_HORZ"))
                           .arg(show ? 1 : 0);
}

void TQvStringGrid::SetIntegralHeight(bool v)
{
    IntegralHeight = v;
    SetBounds(x(), y(), width(), height());
}

bool TQvStringGrid::SizingStateAt(int x, int y, TGridState& kind, int& index)
{
    if (!TBaseGrid::SizingStateAt(x, y, kind, index))
        return false;
    bool allow = true;
    if (kind == TGridState::gsColSizing && OnColumnSize)
        OnColumnSize(this, index, allow);
    else if (kind == TGridState::gsRowSizing && OnRowSize)
        OnRowSize(this, index, allow);
    if (!allow)
        kind = TGridState::gsNormal;
    return allow;
}

} // namespace grid
