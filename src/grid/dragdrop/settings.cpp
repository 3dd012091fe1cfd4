// The drag-and-drop settings, the drag-scroll options and the start-up call.

#include "grid/QvGrid.h"
#include "grid/dragdrop/GridDragDrop.h"

namespace grid {

TDragDropSettings::TDragDropSettings(TQvStringGrid* AOwner) : FOwner(AOwner) {}

TDragDropSettings::~TDragDropSettings() = default;

void TDragDropSettings::Assign(const TPersistent& source)
{
    const auto* src = dynamic_cast<const TDragDropSettings*>(&source);
    if (!src)
        return;
    FOleDropRTF = src->FOleDropRTF;
    FOleDropTarget = src->FOleDropTarget;
    QV_DRAGDROP_PLAIN(QV_COPY)
}

void TDragDropSettings::SetOleDropRTF(bool v)
{
    FOleDropRTF = v;
    OleDropRTFEnabled = v;
}

void TDragDropSettings::SetOleDropTarget(bool v)
{
    FOleDropTarget = v;
    if (FOwner->Designing())
        return;
    if (v && !FOleDropTargetAssigned) {
        FDropTarget = std::make_unique<TGridDropTarget>(FOwner);
        FOleDropTargetAssigned = true;
    } else if (!v && FOleDropTargetAssigned) {
        FDropTarget.reset();
        FOleDropTargetAssigned = false;
    }
    // Qt hands drags over the scroll area to its viewport.
    FOwner->setAcceptDrops(FOleDropTargetAssigned);
    FOwner->viewport()->setAcceptDrops(FOleDropTargetAssigned);
}

void TDragScrollDelays::Assign(const TPersistent& source)
{
    if (const auto* src = dynamic_cast<const TDragScrollDelays*>(&source)) {
        InitialDelay = src->InitialDelay;
        RepeatDelay = src->RepeatDelay;
    }
}

void TDragScrollMargins::Assign(const TPersistent& source)
{
    if (const auto* src = dynamic_cast<const TDragScrollMargins*>(&source)) {
        TopMargin = src->TopMargin;
        BottomMargin = src->BottomMargin;
        LeftMargin = src->LeftMargin;
        RightMargin = src->RightMargin;
    }
}

void TDragScrollOptions::Assign(const TPersistent& source)
{
    if (const auto* src = dynamic_cast<const TDragScrollOptions*>(&source)) {
        Margins.Assign(src->Margins);
        Delays.Assign(src->Delays);
        Active = src->Active;
    }
}

void GridOleInitialize() {}

} // namespace grid
