// Column and row sizing: the stretched column, proportional resizing of all columns after the
// user sized one, the column-size hooks, and zooming by a step.

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"

#include <QCoreApplication>

#include <stdexcept>

namespace grid {

void TQvStringGrid::StretchColumn(int ACol)
{
    if (IsLoading() || destroying || QCoreApplication::closingDown())
        return;
    if (ACol == -1)
        ACol = ColCount() - 1;
    if (ACol >= ColCount())
        throw std::runtime_error("Stretch column index out of range");
    if (ColCount() == 0 || !ColumnSize().Stretch() || FIsColChanging || ACol < 0)
        return;
    FIsColChanging = true;
    const int client = viewport()->width();
    if (ColCount() == 1) {
        SetColWidths(0, client);
        FIsColChanging = false;
        return;
    }
    long long sum = 0;
    for (int c = 0; c < ColCount(); ++c)
        if (c != ACol)
            sum += ColWidths(c);
    if (client > sum)
        SetColWidths(ACol, int(client - sum - 1));
    else if (LeftCol() == FixedCols())
        SetColWidths(ACol, DefaultColWidth());
    FIsColChanging = false;
}

// After the user dragged a column border: all columns in proportion when asked, the end event,
// and the column-size hook's last word on the width.
void TQvStringGrid::afterColumnResize(int ACol)
{
    if (ACol < 0 || ACol >= ColCount())
        return;
    if (ColumnSize().Stretch() && !FIsColChanging)
        StretchColumn(ColumnSize().StretchColumn());
    if (MouseActions().AllColumnSize() && FPointer->Colclickedsize > 0) {
        const double factor = double(ColWidths(ACol)) / FPointer->Colclickedsize;
        if (factor != 1.0)
            for (int c = FixedCols(); c < ColCount(); ++c)
                if (c != ACol)
                    SetColWidths(c, std::max(1, RoundHalfEven(ColWidths(c) * factor)));
    }
    if (OnEndColumnSize)
        OnEndColumnSize(this, ACol);
    int w = ColWidths(ACol);
    UpdateColumnSize(ACol, w);
    if (w != ColWidths(ACol) && w > 0)
        SetColWidths(ACol, w);
    FPointer->Colclicked = FPointer->Rowclicked = -1;
    if (EditorMode())
        HideEditor(), ShowEditor(); // the editor follows the cell's new rectangle
    UpdateProportionalVScroll();
}

void TQvStringGrid::afterRowResize(int ARow)
{
    if (ARow < 0 || ARow >= RowCount())
        return;
    if (MouseActions().AllRowSize() && FPointer->Rowclickedsize > 0) {
        const double factor = double(RowHeights(ARow)) / FPointer->Rowclickedsize;
        if (factor != 1.0)
            for (int r = FixedRows(); r < RowCount(); ++r)
                if (r != ARow)
                    SetRowHeights(r, std::max(1, RoundHalfEven(RowHeights(r) * factor)));
    }
    if (OnEndRowSize)
        OnEndRowSize(this, ARow);
    FPointer->Colclicked = FPointer->Rowclicked = -1;
}

bool TQvStringGrid::Zoom(int x)
{
    if (ZoomFactor + x < -10 || ZoomFactor + x > 10)
        return false;
    ZoomFactor += x;
    const bool proportional = ScrollProportional;
    ScrollProportional = false; // frozen while every size changes
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) > 0 && ColWidths(c) + x > 0)
            SetColWidths(c, ColWidths(c) + x);
    for (int r = 0; r < RowCount(); ++r)
        if (RowHeights(r) > 0 && RowHeights(r) + x > 0)
            SetRowHeights(r, RowHeights(r) + x);
    ScrollProportional = proportional;
    UpdateProportionalVScroll();
    UpdateProportionalHScroll();
    return true;
}

} // namespace grid

namespace grid {

// The owning window's resizes: with SizeWithForm the grid grows and shrinks by as much as the
// window, never to nothing; the stretch column follows every resize.
void TQvStringGrid::FollowFormResize(QWidget* form)
{
    if (Designing() || !form || form == this)
        return;
    if (FResizeForm)
        FResizeForm->removeEventFilter(this);
    FResizeForm = form;
    PrevSizeX = form->width();
    PrevSizeY = form->height();
    form->installEventFilter(this);
}

bool TQvStringGrid::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == FResizeForm && e->type() == QEvent::Resize && !destroying && !Designing()) {
        QWidget* form = FResizeForm;
        if (SizeWithForm) {
            const int w = form->width() + width() - PrevSizeX;
            const int h = form->height() + height() - PrevSizeY;
            if (w > 0 && h > 0) {
                resize(w, h);
                PrevSizeX = form->width();
                PrevSizeY = form->height();
            }
        }
        if (ColumnSize().Stretch())
            StretchColumn(ColumnSize().StretchColumn());
    }
    return TBaseGrid::eventFilter(watched, e);
}

} // namespace grid
