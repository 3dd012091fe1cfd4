#pragma once
// The grid's edit-with-button cell editors: TGridEditBtn for edEditBtn, edNumericEditBtn,
// edFloatEditBtn and edMaskEditBtn, TGridUnitEditBtn for the value-with-unit kinds. The button
// (or F4) asks the grid's OnEllipsClick for a new text; typed and pasted characters of the
// number kinds are filtered as in the text editor; the closing keys store and validate the
// text before the grid moves on.

#include "grid/edit/GridEditHost.h"
#include "grid/edit/QSGEdit.h"

namespace grid {

class TGridEditBtn : public TQsgEditBtn {
    Q_OBJECT
public:
    TGridEditBtn(QWidget* grid, TGridEditHost* host);

    bool WorkMode = true;
    int FSelKeyDown = 0;
    // A button click stores its result and closes the editor.
    bool StopEditAfterClick = false;

    void ReCreate();
    void DetachHost() { host = nullptr; }
    // Lookup completion from the grid's lookup list.
    void DoChange();
    // The paste step (Ctrl+V, Shift+Insert, the edit menu).
    void PasteFromClipboard();

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void buttonClick();
    void closingKey(int key, Qt::KeyboardModifiers mods);

    TGridEditHost* host;
};

class TGridUnitEditBtn : public TQsgUnitEditBtn {
    Q_OBJECT
public:
    TGridUnitEditBtn(QWidget* grid, TGridEditHost* host);

    void ReCreate();
    void DetachHost() { host = nullptr; }
    // Unit and text from a cell text: the unit that ends it, or the whole text without a unit.
    void LoadTextAndUnit(const QString& value);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void closingKey(int key, Qt::KeyboardModifiers mods);

    TGridEditHost* host;
};

} // namespace grid
