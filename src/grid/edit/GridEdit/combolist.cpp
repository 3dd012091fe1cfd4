// The public item list of the grid's combo editor: the application fills and reads the list
// the combo shows, and sets or reads a cell through an item's index.

#include "grid/edit/GridCombo.h"
#include "grid/edit/GridEdit.h"

namespace grid {

void TQvStringGrid::ClearComboString()
{
    EditCombo()->clear();
}

void TQvStringGrid::AddComboString(const QString& s)
{
    EditCombo()->addItem(s);
}

bool TQvStringGrid::RemoveComboString(const QString& s)
{
    const int i = EditCombo()->findText(s, Qt::MatchFixedString);
    if (i < 0)
        return false;
    EditCombo()->removeItem(i);
    return true;
}

// Compared without case, as the item list finds a text; an unknown text leaves the choice.
bool TQvStringGrid::SetComboSelectionString(const QString& s)
{
    const int i = EditCombo()->findText(s, Qt::MatchFixedString);
    if (i < 0)
        return false;
    FComboIdx = i;
    return true;
}

int TQvStringGrid::GetComboCount()
{
    return EditCombo()->count();
}

void TQvStringGrid::SetComboIndex(int ACol, int ARow, int Value)
{
    GetEditorProp(ACol, ARow, nullptr); // the application fills the list for this cell
    if (Value >= 0 && Value < EditCombo()->count())
        SetCells(ACol, ARow, EditCombo()->itemText(Value));
}

int TQvStringGrid::GetComboIndex(int ACol, int ARow)
{
    GetEditorProp(ACol, ARow, nullptr);
    return EditCombo()->findText(Cells(ACol, ARow), Qt::MatchExactly);
}

} // namespace grid
