// The background settings repaint their grid on every change.

#include "grid/QvGrid.h"

namespace grid {

void TBackGround::Changed()
{
    if (FGrid)
        FGrid->Invalidate();
}

} // namespace grid
