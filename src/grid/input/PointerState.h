#pragma once
// The pointer state of the grid: what a press leaves for the moves and the release that follow
// (the press point, the sizing reference cell, a pushed header, a selection resize), and what
// the moves arm for the next press (the pointer zone, fixed-row and fixed-column sizing). One
// object the grid owns (TQvStringGrid::FPointer); the press (GridInput/press.cpp), the moves
// (GridInput/pointer.cpp, hover.cpp) and the release (GridInput/release.cpp) read and write it.

#include "grid/GridTypes.h"

namespace grid {

// The pointer zone a press acts on, set by every move and reset when the pointer leaves.
enum TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };

struct TPointerState {
    TMouseSelectMode FMouseSelectMode = msNormal;
    bool FCellSelectorMode = false;
    int FMouseSelectStart = -1; // first row or column of a header-drag selection
    // Set by every press: the button counts as held for the moves; the release fires OnClick
    // for header cells only while FDoOnClick is set.
    bool FMouseDownMove = false, FMouseKeepDown = false, FDoOnClick = false;
    bool FDblClk = false; // a header auto-size double click: its release does nothing more
    // Column or row a header move would take, and the press point within the pressed cell.
    int Movecell = -1, MoveOfsX = 0, MoveOfsY = 0;
    int FMoveColInd = -1, FMoveRowInd = -1; // target of an enhanced move
    bool ColSized = false, Rowsized = false;
    TGridRect FMoveSelection{};
    int FOldKeepLeftCol = 0; // left column at the press; drags keep it with KeepHorizScroll
    // The cell above-left of the press (the sizing reference), its size, the press point and
    // the press point past the reference cell's right and bottom edges.
    int Colclicked = -1, Rowclicked = -1, Colclickedsize = 0, Rowclickedsize = 0;
    int Clickposx = 0, Clickposy = 0, Clickposdx = 0, Clickposdy = 0;
    // Fixed-column and fixed-row sizing: armed by a move, started by the press, ended on release.
    bool FSizeFixed = false, FSizingFixed = false;
    int FSizingFixedCol = -1, FSizeFixedX = 0;
    bool FSizeFixedR = false, FSizingFixedR = false;
    int FSizingFixedRow = -1, FSizeFixedY = 0;
    bool FDeselectState = false; // the release deselects the pressed row or column
    bool FMouseDown = false;     // a plain press in disjunct row or column selection
    bool FMouseResize = false;   // a selection resize from the selection's handle runs
    // A fixed cell drawn pushed (FixedAsButtons) until the release.
    bool FFixedCellPushed = false;
    TRect FPushedFixedCell{};
    bool FFixedDropDownPushed = false; // the fixed drop-down button is held
};

} // namespace grid
