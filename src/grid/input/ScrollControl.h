#pragma once
// The thin painted scroll bar of the metro scroll look, one along the grid's right edge and one
// along its bottom. It paints a flat thumb and scrolls the grid it sits on: a press before or
// after the thumb pages, a press on it starts a drag. Over any parent that is no grid it does
// nothing.
//
// A grid with nothing to scroll (only fixed rows, or a track of no length) gets no thumb and
// ignores presses and drags: the thumb arithmetic would divide by zero.

#include "grid/GridTypes.h"

#include <QWidget>

namespace grid {

class TQvStringGrid;

enum TScrollDirection { sdVertical, sdHorizontal };

// Where the thumb lies along the control: Visible false when there is nothing to scroll.
struct TScrollThumb {
    bool Visible = false;
    int Track = 0; // T: the control's length less the fixed and footer rows or columns
    int Start = 0; // S: where the track starts
    int Pos = 0;   // P
    int Size = 0;  // Z, at least kMinThumb
};

class TScrollControl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinThumb = 20;
    static constexpr int kThickness = 6;

    explicit TScrollControl(QWidget* AOwner, TScrollDirection direction = sdVertical);

    TColor Color = 0xC0C0C0;
    int ScrollWidth = 4; // the thumb's thickness
    TScrollDirection Direction = sdVertical;
    void SetColor(TColor v);

    TScrollThumb Thumb() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    TQvStringGrid* grid() const;
    int along(const QPoint& p) const { return Direction == sdVertical ? p.y() : p.x(); }
    int length() const { return Direction == sdVertical ? height() : width(); }
    // The grid's first scrolled index (TopRow or LeftCol) along this control's axis.
    int first() const;
    void setFirst(int v);
    bool FDownOnScroller = false;
    int FDownPos = 0;
    int FDownRow = 0;
};

} // namespace grid
