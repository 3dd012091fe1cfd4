#include "dropdowns/ColumnPickerRules.h"

#include "dropdowns/QvMultiColumnDropDown.h"
#include "grid/StringGrid.h"

namespace dropdowns {

void CompleteTyping(TQvCustomDropDown& edit, TItemCompletion& c, bool writingText, int& itemIndex)
{
    // 2.
    if (!c.workmode)
        return;
    const QString text = edit.Text();
    edit.SetModifiedState(!text.isEmpty());
    // 3-4.
    if (c.FLookupItems.isEmpty())
        return;
    const int caret = writingText ? 0 : (edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition());
    const TCompletion found = CompleteTyped(text, caret, c.FMatchCase, int(c.FLookupItems.size()),
                                            [&c](int i) -> const QString& { return c.FLookupItems[i]; });
    if (found.Kind == TCompletion::ckCompleted) {
        edit.SetText(found.Text);
        itemIndex = found.Index;
        c.FItemIdx = found.Index;
        c.FItemSel = found.TypedLength;
        c.FItemChange = true;
        edit.setSelection(found.SelStart, found.SelLength);
    } else if (found.Kind == TCompletion::ckCut) {
        edit.SetText(found.Text);
        edit.setCursorPosition(found.SelStart);
    }
}

void FinishCompletion(TQvCustomDropDown& edit, TItemCompletion& c, const std::function<void(int)>& setItemIndex)
{
    if (!c.FItemChange)
        return;
    setItemIndex(c.FItemIdx);
    SelectUntypedRest(edit, c.FItemSel);
    c.FItemChange = false;
}

int IndexIgnoringCase(const QStringList& list, const QString& text)
{
    for (int i = 0; i < int(list.size()); ++i)
        if (list[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void SelectUntypedRest(QLineEdit& edit, int typed)
{
    const int length = int(edit.text().size());
    typed = std::min(typed, length);
    edit.setSelection(length, typed - length);
}

void LookupBackspace(TQvCustomDropDown& edit, QString& entry, bool chopEntry)
{
    if (!edit.hasSelectedText() || chopEntry) {
        entry.chop(1);
        edit.SetText(entry);
    } else {
        QString text = edit.QLineEdit::text();
        text.remove(edit.selectionStart(), edit.selectedText().size());
        edit.SetText(text);
    }
    edit.setCursorPosition(int(edit.QLineEdit::text().size()));
}

int WholeRowsHeight(int height, int bars, int headerHeight, int extra, int rowHeight)
{
    const int avail = height - bars - headerHeight - 2;
    return bars + headerHeight + extra + (avail / rowHeight) * rowHeight;
}

void FitPopupWidth(TDropDownForm& form, QWidget& grid, int contentWidth, int borderWidth)
{
    form.SetAlign(&grid, alNone);
    grid.resize(contentWidth, grid.height());
    form.resize(grid.width() + 2 * borderWidth, form.height());
    form.SetAlign(&grid, alClient);
}

void StretchColumnsToPopup(grid::TStringGrid& g, const std::vector<int>& widths, int popupWidth, int scrollBarWidth)
{
    g.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (widths.empty())
        return;
    int avail = popupWidth;
    if (g.VisibleRowCount() < g.RowCount() - g.FixedRows())
        avail -= scrollBarWidth;
    const std::vector<int> stretched = multicolumn::StretchColumnWidths(widths, avail);
    for (int c = 0; c < int(stretched.size()) && c < g.ColCount(); ++c)
        g.SetColWidths(c, stretched[std::size_t(c)]);
}

} // namespace dropdowns
