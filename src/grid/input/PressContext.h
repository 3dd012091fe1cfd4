#pragma once
// What one press of a mouse button carries from stage to stage: the left press and the
// mouse-down handling (input/GridInput/press.cpp), the left release and the mouse-up handling
// (release.cpp), the right press and the double click (mouse.cpp). It holds the point, the cell
// under it and what the stages learn about it on the way. The stages themselves are members of
// the grid run through RunStages (input/StageTable.h).

#include "grid/GridTypes.h"

#include <Qt>

class QMouseEvent;

namespace grid {

struct TPressContext {
    QMouseEvent* Event = nullptr;
    Qt::MouseButton Button = Qt::LeftButton;
    int X = 0, Y = 0;
    // The cell under the press (displayed column); the base cell of its merge once the press
    // is known to lie inside the cells.
    int ACol = -1, ARow = -1;
    int RealCol = -1;
    TRect CR{};     // the (base) cell's rectangle
    TGridRect S0{}; // the selection before the press
    // One key only, as the grid's rules read it: Alt before Shift before Ctrl.
    Qt::KeyboardModifier Shift = Qt::NoModifier;
    bool FixedCell = false; // in a fixed row or column
    bool Node = false;      // the row holds a node in column 0
    bool CanEdit = false;
    bool SameCell = false; // the press is on the cell that is already the whole selection
    bool ComboAlways = false;
    int L0 = 0, T0 = 0;          // left column and top row at the press
    bool SelectingAtEnd = false; // the platform's range selection is armed when the press ends
    int Result = 0;              // 1 when a selection resize started
    // The release: its displayed column, kept aside when ACol becomes the real column; an
    // enhanced move it ended; a disjunct row it deselected (FSelChange is cleared after the
    // platform release); the selection the mouse-up handling reports.
    int DisplCol = -1;
    bool Moved = false;
    bool DeselectedRow = false;
    bool ReportS1 = false;
    TGridRect S1{};
};

} // namespace grid
