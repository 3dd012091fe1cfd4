#pragma once
// The two controls with which the grid edits a fixed (header) cell in place when the
// application allows it: a borderless line edit and a combo box. The mouse code places and
// shows one over the cell with the cell's real column and row; Enter does not end the edit
// (the key is swallowed), leaving the control does, through StopEdit, which runs the grid's
// cell validation and stores the text in the cell or keeps the editor open. Escape closes the
// editor and keeps the cell's old text.

#include <QComboBox>
#include <QLineEdit>

namespace grid {

class TQvStringGrid;

class TGridTransEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TGridTransEdit(TQvStringGrid* AOwner);
    int Row() const { return FRow; }
    void SetRow(int v) { FRow = v; }
    int Col() const { return FCol; }
    void SetCol(int v) { FCol = v; }
    TQvStringGrid* Grid() const { return FGrid; }
    void SetGrid(TQvStringGrid* v) { FGrid = v; }
    // Answers whether editing ended; a refused validation keeps the editor open on its cell.
    bool StopEdit();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    int FRow = 0;
    int FCol = 0;
    TQvStringGrid* FGrid = nullptr;
    bool FStopping = false;
};

class TGridTransCombo : public QComboBox {
    Q_OBJECT
public:
    explicit TGridTransCombo(TQvStringGrid* AOwner);
    int Row() const { return FRow; }
    void SetRow(int v) { FRow = v; }
    int Col() const { return FCol; }
    void SetCol(int v) { FCol = v; }
    TQvStringGrid* Grid() const { return FGrid; }
    void SetGrid(TQvStringGrid* v) { FGrid = v; }
    bool StopEdit();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    int FRow = 0;
    int FCol = 0;
    TQvStringGrid* FGrid = nullptr;
    bool FStopping = false;
};

} // namespace grid
