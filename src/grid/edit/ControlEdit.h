#pragma once
// The editors the grid places over an inline EDIT, PASSWORD, MASK or COMBO control of a markup
// cell while it is edited (one of each per grid, created hidden with it and reused). Both keep
// Tab to themselves instead of letting it move the focus:
// - Enter runs the editor's exit handling (OnExit, which ends the inline edit) and gives the
//   grid the focus;
// - Tab runs the exit handling too, then, with the grid's Navigation.AdvanceAuto, moves to the
//   next cell as Enter would, and otherwise asks the grid to edit the inline control after the
//   one just edited in the same cell (EditCellControl on the cell of that control, which need
//   not be the current cell: a press on an inline control leaves the current cell as it is).
// The exit handling runs once per edit: the focus leaving afterwards does not run it again.

#include "grid/edit/QsgCombo.h"
#include "platform/MaskEdit.h"

#include <functional>

class QKeyEvent;

namespace grid {

class TQvStringGrid;

// What the two editors share: the exit handling and the Enter and Tab rules.
class TControlKeys {
public:
    std::function<void(QObject* sender)> OnExit;

protected:
    explicit TControlKeys(QWidget* self) : self(self) {}
    // True when the key was Enter or Tab and has been handled.
    bool handleKey(QKeyEvent* e);
    void armExit() { exitDone = false; }
    void doExit();

private:
    TQvStringGrid* grid() const;
    QWidget* self;
    bool exitDone = false;
};

class TControlEdit : public platform::TCustomMaskEdit, public TControlKeys {
    Q_OBJECT
public:
    explicit TControlEdit(QWidget* parent = nullptr);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};

class TControlCombo : public TQsgComboBox, public TControlKeys {
    Q_OBJECT
public:
    explicit TControlCombo(QWidget* parent = nullptr);
    // The height of one list line.
    int ItemHeight() const;
    // The height the box and its opened list take together (0: the list's own height).
    int DropHeight = 0;
    void showPopup() override;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};

} // namespace grid
