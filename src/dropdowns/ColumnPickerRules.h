#pragma once
// The rules the two column pickers (the multi-column picker and the grid picker) share word for
// word: completion in the edit from the lookup list and its finish at key-up, the edit's Backspace,
// Escape, Delete and Return switch, the Backspace step of type-ahead, the closed picker's
// selection keys, and the popup's width and whole-row height.

#include "dropdowns/LookupCompletion.h"
#include "dropdowns/QvDropDown.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QStringList>

#include <functional>
#include <vector>

namespace grid {
class TStringGrid;
}

namespace dropdowns {

// The completion state of a column picker's edit.
struct TItemCompletion {
    bool workmode = true;     // completion while typing is on
    QStringList FLookupItems; // line i: item i's lookup text
    bool FMatchCase = false;
    bool FItemChange = false; // a completion happened, finished at key-up
    int FItemIdx = 0;         // the item it found
    int FItemSel = 0;         // the typed part's length
};

// TextChanged after the inherited change handling: the modified state, then the typed part
// completed from the lookup list; itemIndex (the field only) takes the completing item.
// writingText: the change comes from the picker's own text setter, which completes nothing.
void CompleteTyping(TQvCustomDropDown& edit, TItemCompletion& c, bool writingText, int& itemIndex);
// ItemKeyUp's finish of a completion: the item chosen, its untyped rest selected.
void FinishCompletion(TQvCustomDropDown& edit, TItemCompletion& c, const std::function<void(int)>& setItemIndex);
// Case-blind search of the lookup list, as the edit's Return and Escape use it; -1 when absent.
int IndexIgnoringCase(const QStringList& list, const QString& text);
// The edit's text selected after its first `typed` characters, the caret after them.
void SelectUntypedRest(QLineEdit& edit, int typed);
// Backspace in type-ahead: without a selection (or with chopEntry) the entry loses its last
// character and becomes the text; with one the selected characters go; the caret to the end.
void LookupBackspace(TQvCustomDropDown& edit, QString& entry, bool chopEntry);
// The popup's height holding whole item rows: bars + header + extra + the rows that fit in
// height - bars - header - 2.
int WholeRowsHeight(int height, int bars, int headerHeight, int extra, int rowHeight);
// The popup as wide as the grid's content and its border.
void FitPopupWidth(TDropDownForm& form, QWidget& grid, int contentWidth, int borderWidth);
// The column widths stretched to the popup's width (StretchColumnWidths), less the scroll bar's
// when not every row shows; only vertical scrolling.
void StretchColumnsToPopup(grid::TStringGrid& g, const std::vector<int>& widths, int popupWidth, int scrollBarWidth);

// ItemKeyDown's switch: Backspace, Escape and Delete switch completion off; Return takes the
// lookup line it names (case-blind) and, with returnIsTab, posts a Tab and drops the key; any
// other key switches completion on.
template <class Picker>
void EditKeySwitch(Picker& p, TItemCompletion& c, bool returnIsTab, int& key)
{
    if (key == Qt::Key_Backspace || key == Qt::Key_Escape || key == Qt::Key_Delete) {
        c.workmode = false;
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        const int index = IndexIgnoringCase(c.FLookupItems, p.Text());
        if (index >= 0) {
            p.SetText(c.FLookupItems[index]);
            p.SetItemIndex(index);
            p.TextChanged();
        }
        if (returnIsTab) {
            QCoreApplication::postEvent(&p, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
            key = 0;
        }
    } else {
        c.workmode = true;
    }
}

// The closed picker's selection keys: Page Up and Down, Up and Down, and Home and End where
// homeEnd allows them.
template <class Picker>
void SelectByKey(Picker& p, int key, bool homeEnd)
{
    switch (key) {
    case Qt::Key_PageUp:
        p.SelectPreviousPage();
        break;
    case Qt::Key_PageDown:
        p.SelectNextPage();
        break;
    case Qt::Key_End:
        if (homeEnd)
            p.SelectLast();
        break;
    case Qt::Key_Home:
        if (homeEnd)
            p.SelectFirst();
        break;
    case Qt::Key_Up:
        p.SelectPrevious();
        break;
    case Qt::Key_Down:
        p.SelectNext();
        break;
    default:
        break;
    }
}

} // namespace dropdowns
