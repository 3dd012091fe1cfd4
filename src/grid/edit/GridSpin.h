#pragma once
// The grid's spin cell editor for the spin kinds (edSpinEdit, edFloatSpinEdit, edTimeSpinEdit,
// edDateSpinEdit): the spin edit made grid-aware. Page Up / Page Down step only while the value
// stays within its limits, Home and End jump to them, every button and page step is reported
// to the grid, and Tab, Enter, Up and Down store and validate the value before the grid moves.

#include "grid/edit/GridEditHost.h"
#include "grid/edit/qsgspin.h"

namespace grid {

class TGridSpin : public TQsgSpinEdit {
    Q_OBJECT
public:
    TGridSpin(QWidget* grid, TGridEditHost* host);

    // No window to recreate: the control is put back to its plain state for the next edit.
    void ReCreate();
    void DetachHost() { host = nullptr; }

    void UpButtonClick(QObject* sender) override;
    void DownButtonClick(QObject* sender) override;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // Page Up, Page Down, Home and End: true when the key was one of them.
    bool pageKey(int key);
    void closingKey(int key, Qt::KeyboardModifiers mods);
    void reportClick(bool up);

    TGridEditHost* host;
};

} // namespace grid
