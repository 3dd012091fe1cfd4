// The change of the scroll origin (top row, left column) and the controls that follow it: the
// open editor, the attached cell controls, the cell scroll bar and a synchronised grid.

#include "grid/QvGrid.h"
#include "grid/footer/FloatingFooter.h"
#include "grid/input/ScrollControl.h"

#include <QScrollBar>

namespace grid {

void TQvStringGrid::TopLeftChanged()
{
    ScrollOriginChanged();
}

// The view is repainted whole after every origin change (TStringGrid::moveTopLeft), so a fixed
// or tiled background picture, a gradient background and the selection rectangle need no
// repaint of their own here.
void TQvStringGrid::ScrollOriginChanged()
{
    TBaseGrid::TopLeftChanged();
    // A special editor stands over the cell it was opened on; only the plain text editor is
    // moved along with its cell.
    if (EditMode && EditControl != edNormal)
        HideInplaceEdit();
    if (FFooterPanel)
        FFooterPanel->update();
    CellControlsUpdate(false);
    FOldLeftCol = LeftCol();
    FOldTopRow = TopRow();
    if (FSyncGrid->Grid()) {
        if (FSyncGrid->ScrollVertical())
            passToSyncGrid([top = TopRow()](TStringGrid& g) { g.SetTopRow(top); });
        if (FSyncGrid->ScrollHorizontal())
            passToSyncGrid([left = LeftCol()](TStringGrid& g) { g.SetLeftCol(left); });
    }
    for (TScrollControl* thin : findChildren<TScrollControl*>(Qt::FindDirectChildrenOnly))
        thin->update();
}

namespace {

// A cell's attached control, when it has properties holding one.
QWidget* attachedControl(TObject* cellObject)
{
    auto* p = dynamic_cast<TCellProperties*>(cellObject);
    return p ? p->FControl.data() : nullptr;
}

} // namespace

void TQvStringGrid::CellControlsUpdate(bool RebuildList)
{
    if (RebuildList) {
        // Hidden columns and rows are scanned too, so their controls stay in the list and come
        // back with them.
        FRowData->Controls = TControlList();
        for (int r = 0; r < RowCount(); ++r)
            for (int c = 0; c < TotalColCount(); ++c)
                if (QWidget* w = attachedControl(store.Object(c, r)))
                    FRowData->Controls.AddControl(c, RealRowIndex(r), w);
        for (const auto& item : FGridItems)
            item->Cells.ForEachObject([&](int c, TObject* o) {
                if (QWidget* w = attachedControl(o))
                    FRowData->Controls.AddControl(c, item->FIdx, w);
            });
        FNumCellControls = FRowData->Controls.Count();
    }

    const int left = LeftCol(), top = TopRow();
    const int right = left + VisibleColCount(), bottom = top + VisibleRowCount();
    auto inView = [&](int c, int r) { return c >= left && c <= right && r >= top && r <= bottom; };

    if (FScrollBar && !FScrollBar->isHidden()) {
        if (!inView(Col(), Row())) {
            FScrollBar->resize(FScrollBar->width(), 0);
        } else {
            const TRect rc = CellRect(Col(), Row());
            const int w = FScrollBar->width();
            FScrollBar->setGeometry(rc.Right - w, rc.Top, w, rc.Bottom - rc.Top);
        }
    }

    if (FRowData->Controls.Count() == 0)
        return;
    std::vector<QWidget*> placed;
    for (int i = 0; i < FRowData->Controls.Count(); ++i) {
        const TControlItem* item = FRowData->Controls.GetControl(i);
        TControl* control = item->Control();
        if (!control)
            continue;
        if (IsHiddenRow(item->Y()) || IsHiddenColumn(item->X())) {
            control->hide();
            continue;
        }
        const int c = DisplColIndex(item->X()), r = DisplRowFromReal(item->Y());
        if (c < FixedCols() || r < FixedRows())
            continue; // fixed cells do not scroll
        if (!inView(c, r)) {
            control->hide();
            continue;
        }
        const TRect rc = CellRect(c, r);
        control->setGeometry(rc.Left - 1, rc.Top - 1, rc.Right - rc.Left + 1, rc.Bottom - rc.Top + 1);
        control->show();
        placed.push_back(control);
    }
    // Moved controls repaint where they now stand.
    for (QWidget* control : placed)
        control->update();
}

} // namespace grid
