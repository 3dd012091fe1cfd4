// The grid's side of the balloon: its one window made and removed as Balloon.Enable says.

#include "grid/balloon/Balloon.h"
#include "grid/QvGrid.h"

namespace grid {

void TQvStringGrid::BalloonInit()
{
    if (FHToolTip)
        return;
    FHToolTip = new TBalloonWindow(this);
}

void TQvStringGrid::BalloonDone()
{
    // Deleted at once, not later: a switch off and on again must not leave two windows.
    delete FHToolTip.data();
    FHToolTip = nullptr;
}

// A form being loaded sets Enable before the grid is complete; CompleteLoading makes the
// window then.
void TQvStringGrid::BalloonEnableChanged()
{
    if (IsLoading())
        return;
    if (Balloon.Enable())
        BalloonInit();
    else
        BalloonDone();
}

} // namespace grid
