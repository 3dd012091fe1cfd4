#pragma once
// The grid's combo cell editor for pick-only (edComboList) and editable (edComboEdit) cells:
// the combo control made grid-aware. It routes the closing keys (Enter, Tab, Escape, arrows)
// to the grid with the same store-and-validate rules as the text editor, reports item changes
// with the real column, completes typed text from its items, and stores its value when it
// loses the focus.

#include "grid/edit/GridEditHost.h"
#include "grid/edit/QsgCombo.h"

namespace grid {

class TGridCombo : public TQsgComboBox {
    Q_OBJECT
public:
    TGridCombo(QWidget* grid, TGridEditHost* host);

    bool Forced = false;
    bool WorkMode = true;
    int ItemIdx = -1;
    bool ItemChange = false;
    std::function<void(QObject*)> OnReturnKey;

    bool ListStyle() const { return !isEditable(); }
    // Widens the dropped list to its widest item (plus room for the scroll bar when not all
    // items fit), never narrower than the combo.
    void SizeDropDownWidth();
    // Lookup completion of typed text from the items, then from the grid's lookup list.
    void DoChange();
    // The grid is going away: from now on the combo reports nothing to it.
    void DetachHost() { host = nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // Closes the edit for a closing key; false when the cell refused the value and the editor
    // stays open.
    bool closingKey(int key, Qt::KeyboardModifiers mods);
    // Enter, on the closed combo or in its dropped list: the value is stored first, then the
    // window's key handler sees the Enter.
    void enterKey(int key, Qt::KeyboardModifiers mods);
    bool isClosingKey(int key, Qt::KeyboardModifiers mods) const;
    void itemChanged(int oldIndex);
    bool cursorWalk(int key);

    TGridEditHost* host;
};

} // namespace grid
