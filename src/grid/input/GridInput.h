#pragma once
// Call flow: the viewport's key, mouse and wheel events reach TStringGrid (StringGrid/input.cpp)
// and go on to the virtual KeyDown, KeyPress and mouse handlers the string grid overrides here:
// keys.cpp (own rules before and after the movement), navigation.cpp (Tab and Enter),
// commandkeys.cpp, press.cpp (the left press as a table of named stages over a press context,
// StageTable.h and PressContext.h; the pointer state it shares with the moves and the release
// is PointerState.h), release.cpp (the left release and the mouse-up handling, stage tables over
// the same context), mouse.cpp (double click and right press, stage tables), messages.cpp (wheel,
// update lock), then scroll.cpp and sizing.cpp as the view changes. A key or click that starts
// an edit goes on to the edit folder (edit/GridEdit.h).
//
// The grid's input layer: keys, mouse buttons, wheel, the update lock, scrolling, column and
// row sizing, footer calculation and the combo item list. The members are TQvStringGrid's
// (QvGrid.h); they live in GridInput/*.cpp by concern. The arithmetic the scroll bars and
// sizing use is here as plain functions so it can be checked on its own.

#include <QString>

namespace grid {

// Fixed-column and fixed-row sizing arms within 2 pixels of a fixed border (running sums of the
// widths or heights plus one line each); the move arms it, the press takes it.
constexpr int kFixedSizingGrip = 3;

// a * b / c with a 64-bit intermediate, rounded to the nearest integer, halves away from zero.
int MulDivRound(int a, int b, int c);

// Round to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double v);

// The proportional scroll bar on the 0..127 position scale: from the pixels taken by the fixed
// part, the whole scrollable part, the part scrolled out before the view, and the control's
// extent. Answers false when everything fits (nothing to change).
struct TProportionalScroll {
    int Max = 0;
    int Page = 0;
    int Pos = 0;
};
bool ComputeProportionalScroll(long long fixedExtent, long long total, long long before, int extent, int currentPos,
                               bool vertical, TProportionalScroll& out);

// Only these link schemes are handed to the shell when a cell link is clicked; anything else
// (file:, javascript:, a program path) could start a program on the user's machine.
bool IsOpenableLink(const QString& anchor);

} // namespace grid
