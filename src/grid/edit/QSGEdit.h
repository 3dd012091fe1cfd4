#pragma once
// The grid's in-place text editor for the text kinds of cell editor (normal, numeric, float,
// capital, mixed/lower/upper case, password, valid characters). It filters each typed and
// pasted character by the kind the grid reports at that moment, writes the cell as the user
// types, decides which keys end the edit and how, runs the cell validation before the value
// leaves the editor, completes from the lookup list and reports the end of the edit.

#include "grid/edit/GridEditHost.h"
#include "grid/StringGrid.h"

namespace grid {

class TQvInplaceEdit : public TInplaceEdit {
    Q_OBJECT
public:
    TQvInplaceEdit(TStringGrid* grid, TGridEditHost* host);

    // Contents step: the grid has put the cell's edit text in; take the cell's colour and
    // alignment and remember the cell being edited.
    void LoadContents();
    // Caret rule applied after the editor received the focus (select all, caret at the end
    // or under the mouse when a click opened it).
    void PlaceCaret();
    // Lookup completion from the grid's lookup list.
    void DoChange();

    int LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(int v) { FLengthLimit = v; }
    bool VAlign() const { return FValign; }
    void SetVAlign(bool v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v) { FWordWrap = v; }
    bool GotFocus() const { return FGotFocus; }
    int EditCol() const { return FColE; }
    int EditRow() const { return FRowE; }
    // The grid is going away: from now on the editor reports nothing to it.
    void DetachHost() { host = nullptr; }

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    enum class CharResult { Passed, Dropped };
    CharResult filterChar(QChar ch, bool keypad, bool ctrl);
    void insertChar(QChar ch);
    void paste();
    void reject(const QString& oldCellText, bool repaint);
    bool storeAndValidate(const QString& text);
    void changed();
    void cursorWalk(QKeyEvent* e);

    TGridEditHost* host;
    int FSelKeyDown = 0;
    int FOldSelStart = 0;
    int FLengthLimit = 0;
    bool FValign = false;
    bool FWordWrap = false;
    bool FGotFocus = false;
    bool Workmode = true;
    int FColE = -1;
    int FRowE = -1;
    bool FAltBack = false;
};

} // namespace grid
