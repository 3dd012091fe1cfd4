#pragma once
// What the key stages of the grid share while one key runs through them (input/StageTable.h
// gives the stage form; the stages are TQvStringGrid members in GridInput/keystages.cpp and
// GridInput/tabsteps.cpp).
//
// Key-down: HandleKeyDownMessage fills a TKeyContext and runs its stage table; the stage that
// answers true ends the key, and Consumed tells the caller whether the key was used up (true)
// or goes on to the character handling (false). The platform movement runs in the stage
// keyPlatformMove, which goes through the KeyDown override and its own table.
// Tab: TabNavigate runs its steps over a TTabContext; Enter: AdvanceToNextCell walks its steps
// over a TAdvanceContext.

#include "grid/GridTypes.h"

#include <QString>
#include <Qt>

class QKeyEvent;

namespace grid {

struct TKeyContext {
    QKeyEvent* Event = nullptr; // nullptr for the KeyDown override's own table
    int Key = 0;                // Backtab arrives as Tab with Shift
    Qt::KeyboardModifiers Mods;
    bool Ctrl = false, Shift = false, Alt = false;
    bool Enter = false;
    QString Text;             // what the key types, if anything
    int LeftCol0 = 0;         // the first visible column when the key arrived
    bool KeepHoriz = false;   // vertical key with row selection and KeepHorizScroll
    bool FooterAtEnd = false; // the search footer shows and the view is at its end
    bool Consumed = true;     // the answer to the caller when a stage ends the key
};

struct TTabContext {
    bool Backward = false;
    bool Result = true;  // false: the Tab was handed on to the next control
    bool HandOn = false; // the walk passed the last cell: the hand-on step may pass the focus
};

struct TAdvanceContext {
    int ACol = 0, ARow = 0;
    bool Force = false, AutoEdit = false, Forward = true, DoEdit = false;
    bool Stop = false; // the walk ends where it is (a new row with nothing editable)
};

} // namespace grid
