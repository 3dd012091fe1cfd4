#pragma once
// How the special editors end an edit, written once over TGridEditHost so every editor closes
// under the same rules as the text editor:
//   store and validate - the editor's text goes into the cell, then OnCellValidate judges it;
//   Tab out            - only when the grid wants Tab: store and validate, then with goTabs the
//                        grid moves on itself, otherwise the Tab is posted to the grid and the
//                        editor goes on to leave;
//   leave              - DoneInplaceEdit stores, closes and lets the grid act on the key, and an
//                        Enter reopens the editor in the new cell with AdvanceAutoEdit;
//   cursor walk        - Left at the text's start or Right at its end walks into the
//                        neighbouring cell;
//   lookup completion  - typed text completed from a list of items.

#include "grid/edit/GridEditHost.h"

#include <functional>

class QEvent;
class QFocusEvent;
class QKeyEvent;

namespace grid {

// Stores the text in the cell and validates it; false when the cell refused the value (the
// caller shows the value named for its class and cancels the key).
bool StoreAndValidate(TGridEditHost& host, const QString& text);

// A refused validation on Enter, Up or Down keeps the grid where it is.
bool IsNoAdvanceKey(int key);

enum class TTabOut {
    NotWanted, // the grid does not want Tab: nothing happened
    Refused,   // validation refused: the editor stays open
    Finished,  // goTabs: the editor is closed and the grid moved on; nothing more to do
    Continue   // the Tab is posted to the grid; the caller goes on to leave
};

// refused gets the value to show (NewCellText); accepted runs after a successful validation,
// before the editor closes.
TTabOut TabOut(TGridEditHost& host, const QString& text, bool backward,
               const std::function<void(const QString& shown)>& refused, const std::function<void()>& accepted = {});

// Leave: DoneInplaceEdit with the key, then, for Enter with AdvanceOnEnter and AdvanceAutoEdit,
// the editor opens again in the new cell.
void LeaveEditor(TGridEditHost& host, int key, Qt::KeyboardModifiers shift);

// The walk itself, once the caller found the caret at the text's edge with nothing selected:
// into a control cell after a successful validation, otherwise an advance left or right with
// the editor reopened by CursorWalkAlwaysEdit. False when there is no cell to walk into.
bool CursorWalk(TGridEditHost& host, bool left, const QString& text);

// The first item that starts with prefix (upper-cased unless caseSensitive), its index in
// items, or -1.
int LookupMatch(const QStringList& items, const QString& prefix, bool caseSensitive);

// The completed text: prefix followed by at most 255 characters of the item.
QString LookupCompleted(const QString& prefix, const QString& item);

// The exit step: the focus left the editor (and its own child controls) for good, so the
// value is stored and the editor closed. Popups of the editor itself do not count.
bool EditorLeftForGood(QWidget* editor, QFocusEvent* e);

// Tab and Shift+Tab would move the focus before the editor's key handling sees them; when the
// editor claims Tab, its event() hands them to its key step instead. True when e was such a Tab.
bool RouteClaimedTab(QEvent* e, bool claimed, const std::function<void(QKeyEvent*)>& keyStep);

// The change step: OnEditChange with the editor's text, unless the grid itself is loading it.
void ReportEditChange(TGridEditHost* host, const QWidget* editor, const QString& text);

// The integer at the start of a cell text, as the spin and track-bar editors load it; 0 when
// there is none.
int LeadingInteger(const QString& s);

} // namespace grid
