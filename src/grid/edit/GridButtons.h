#pragma once
// The grid's check-box cell editor (edCheckBox) and push-button cell editor (edButton). The
// check box toggles on a press or Space and gives the grid its navigation keys back; the push
// button asks the grid's OnEllipsClick for a new caption when released and stores it in the
// cell, and hands the arrows and Escape back to the grid.

#include "grid/edit/GridEditHost.h"

#include <QCheckBox>
#include <QPushButton>

namespace grid {

class TGridCheckBox : public QCheckBox {
    Q_OBJECT
public:
    TGridCheckBox(QWidget* grid, TGridEditHost* host);

    void ReCreate();
    void DetachHost() { host = nullptr; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TGridEditHost* host;
};

class TGridButton : public QPushButton {
    Q_OBJECT
public:
    TGridButton(QWidget* grid, TGridEditHost* host);

    void ReCreate();
    void DetachHost() { host = nullptr; }

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void click();
    // Hides itself and leaves the edit without storing anything.
    void handBack();

    TGridEditHost* host;
};

} // namespace grid
