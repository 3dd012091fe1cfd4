#include "dropdowns/GridDropDowns.h"

#include "grid/QvGrid.h"
#include "grid/edit/GridEditorEnd.h"

#include <QCursor>
#include <QKeyEvent>

namespace dropdowns {

using namespace grid;

// kind, class, Text setter, Home, open: Tab/Enter/Esc only, claims Enter/Esc, caret from the
// mouse, CalcResult first, focus drawing off, only Enter validates
const TDropDownDifferences kDropDownDifferences[9] = {
    {edTrackbarDropDown, "TGridTrackbarDropDown", true, false, false, true, true, false, false, false},
    {edMemoDropDown, "TGridMemoDropDown", false, false, false, false, true, false, false, false},
    {edCalculatorDropDown, "TGridCalculatorDropDown", false, false, false, false, true, true, false, false},
    {edTimePickerDropDown, "TGridTimepickerDropDown", false, false, false, false, false, false, true, false},
    {edGridDropDown, "TGridGridDropDown", false, false, false, false, false, false, false, false},
    {edQvGridDropDown, "TGridQvGridDropDown", false, false, false, false, false, false, false, false},
    {edDetailDropDown, "TGridDetailPickerDropDown", false, false, false, false, false, false, false, false},
    {edColorPickerDropDown, "TGridColorDropDown", false, true, true, true, false, false, false, true},
    {edImagePickerDropDown, "TGridImageDropDown", false, false, false, false, false, false, false, false},
};

const TDropDownDifferences* DropDownDifferences(TEditorType kind)
{
    for (const TDropDownDifferences& d : kDropDownDifferences)
        if (d.Kind == kind)
            return &d;
    return nullptr;
}

namespace {

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool isTab(int key)
{
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

} // namespace

bool IsClosingKey(const TDropDownDifferences& d, int key, Qt::KeyboardModifiers shift, bool droppedDown)
{
    if (key == Qt::Key_Down && shift.testFlag(Qt::AltModifier))
        return false; // Alt+Down opens the popup
    if (isTab(key) || isEnter(key) || key == Qt::Key_Escape)
        return true;
    if (droppedDown && d.OpenClosesOnlyTabEnterEscape)
        return false;
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    case Qt::Key_Home:
        return d.HomeCloses;
    default:
        return false;
    }
}

// ---- the template ----------------------------------------------------------------------------

template <class P>
TGridDropDown<P>::TGridDropDown(TQvStringGrid* owner, QWidget* parent, TGridEditHost* host,
                                const TDropDownDifferences& d)
    : P(parent), FGrid(owner), FDiff(d), FHost(host)
{
    if (!owner)
        throw EQvGridError(QStringLiteral("%1 needs a grid as its owner").arg(QLatin1String(d.ClassName)));
    this->setObjectName(QLatin1String(d.ClassName));
    // The grid's Escape and Enter are the wrapper's own business; nothing is posted on.
    P::SetDefaultHandling(false);
    if (d.FocusDrawOff)
        P::SetFocusDraw(false);
    if constexpr (std::is_same_v<P, TQvColorPickerDropDown>)
        P::AddDefaultColors();
}

template <class P>
void TGridDropDown<P>::SetBars(const THeaderAppearance& header, const TFooterAppearance& footer,
                               std::function<void(int)> headerClick, std::function<void(int)> footerClick)
{
    P::SetDropDownHeader(header);
    P::SetDropDownFooter(footer);
    P::OnDropDownHeaderButtonClick = [headerClick](QObject*, int i) {
        if (headerClick)
            headerClick(i);
    };
    P::OnDropDownFooterButtonClick = [footerClick](QObject*, int i) {
        if (footerClick)
            footerClick(i);
    };
}

template <class P>
void TGridDropDown<P>::Load(const TDropDownCell& cell)
{
    if constexpr (std::is_same_v<P, TQvTrackBarDropDown>) {
        P::SetPosition(grid::LeadingInteger(cell.Text));
    } else if constexpr (std::is_same_v<P, TQvColorPickerDropDown>) {
        P::SetSelectedColor(cell.Color);
    } else if constexpr (std::is_same_v<P, TQvImagePickerDropDown>) {
        if (cell.ImageCell) {
            P::SetImages(cell.Images);
            if (P::Items().Count() == 0)
                P::AddImagesFromImageList();
            P::SetImageIndex(cell.ImageIndex);
        }
    } else if constexpr (std::is_same_v<P, multicolumn::TQvMultiColumnDropDown>) {
        P::SetEditorEnabled(true);
        P::SetItemIndex(cell.Text.isEmpty() ? 0 : P::GetItemIndex(cell.Text));
        P::SetText(cell.Text);
    } else if constexpr (std::is_same_v<P, customgrid::TCustomQvGridDropDown>) {
        // The editor engine's steps for the grid picker: the lookup list afresh, then with items
        // the first item the cell text starts (item 0 for an empty cell), then the text.
        P::SetEditorEnabled(true);
        P::BeginUpdate();
        P::EndUpdate();
        if (P::UseItems()) {
            QString found;
            int item = -1;
            P::FindLookupMatch(cell.Text, found, item);
            P::SetItemIndex(cell.Text.isEmpty() ? 0 : item);
        }
        P::SetText(cell.Text);
    } else if constexpr (std::is_same_v<P, TQvDetailDropDown>) {
        P::SetEditorEnabled(true);
        P::SetText(cell.Text);
        P::SetItemIndex(P::Items().IndexOf(cell.Text));
    } else if constexpr (std::is_same_v<P, TQvTimePickerDropDown>) {
        P::SetEditorEnabled(true);
        P::SetText(cell.Text);
    } else if constexpr (std::is_same_v<P, TQvMemoDropDown>) {
        // The lines are the memo's value of record; the edit shows them.
        P::SetMemoText(cell.Text.isEmpty() ? QStringList() : cell.Text.split(QLatin1Char('\n')));
    } else {
        P::SetText(cell.Text);
    }
}

template <class P>
void TGridDropDown<P>::Shown()
{
    if constexpr (std::is_same_v<P, TQvMemoDropDown>) {
        this->deselect();
        this->setCursorPosition(0);
    }
}

template <class P>
QString TGridDropDown<P>::StoredText() const
{
    if constexpr (std::is_same_v<P, TQvMemoDropDown>)
        return P::MemoText().join(QLatin1Char('\n'));
    else if constexpr (std::is_same_v<P, TQvColorPickerDropDown>)
        return P::SelectedColorText();
    else
        return P::Text();
}

template <class P>
TColor TGridDropDown<P>::SelectedColor() const
{
    if constexpr (std::is_same_v<P, TQvColorPickerDropDown>)
        return P::SelectedColor();
    else
        return clNone;
}

template <class P>
int TGridDropDown<P>::SelectedImageIndex() const
{
    if constexpr (std::is_same_v<P, TQvImagePickerDropDown>)
        return P::ImageIndex();
    else
        return -1;
}

template <class P>
void TGridDropDown<P>::restoreText(const QString& s)
{
    if (FDiff.RestoreWithText)
        P::SetText(s);
    else
        P::SetRawText(s);
}

template <class P>
void TGridDropDown<P>::WMKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    // The key's class.
    Forced = false;
    FKeyEnded = false;
    const bool dropped = P::DroppedDown();
    const bool closing = IsClosingKey(FDiff, key, shift, dropped);
    WorkMode = key != Qt::Key_Backspace && key != Qt::Key_Delete;
    // Not a closing key: the picker's.
    if (!closing || !FHost) {
        P::WMKeyDown(key, shift);
        return;
    }
    TGridEditHost& host = *FHost;
    FKeyEnded = true; // cleared again below where the editor stays open
    // Escape: the cell's text back, the editor away.
    if (key == Qt::Key_Escape) {
        if (dropped)
            P::HideDropDown(true);
        restoreText(host.CurrentCellText());
        host.HideInplaceEdit();
        host.FocusGrid();
        key = 0;
        return;
    }
    // Store and validate first.
    const bool validates = isEnter(key) || (!FDiff.OnlyEnterValidates && (key == Qt::Key_Up || key == Qt::Key_Down));
    if (validates) {
        if (dropped)
            P::HideDropDown(false);
        if constexpr (std::is_same_v<P, TQvCalculatorDropdown>)
            if (FDiff.CalcResultFirst && isEnter(key))
                P::CalcResult();
        if (!StoreAndValidate(host, StoredText())) {
            const QString shown = host.NewCellText();
            restoreText(shown);
            this->setSelection(0, int(shown.size()));
            this->update();
            key = 0;
            host.SetNoAutoAdvance(true);
            FKeyEnded = false;
            return;
        }
        restoreText(host.CurrentCellText());
    }
    // Tab out.
    if (isTab(key)) {
        const TTabOut out = TabOut(host, StoredText(), key == Qt::Key_Backtab || shift.testFlag(Qt::ShiftModifier),
                                   [this](const QString& shown) {
                                       restoreText(shown);
                                       this->setCursorPosition(int(shown.size()));
                                   });
        if (out == TTabOut::Refused || out == TTabOut::Finished) {
            FKeyEnded = out == TTabOut::Finished;
            key = 0;
            return;
        }
    }
    // The popup.
    if (P::DroppedDown()) {
        P::HideDropDown(false);
        host.HideInplaceEdit();
        if (key == Qt::Key_Left || key == Qt::Key_Right)
            host.GridKeyDown(key, shift);
        if (key == Qt::Key_PageUp || key == Qt::Key_PageDown || (key >= Qt::Key_Left && key <= Qt::Key_Down)) {
            key = 0;
            return;
        }
    } else if (key == Qt::Key_End) {
        FKeyEnded = false;
        P::WMKeyDown(key, shift);
        // The memo's edit ends every line with a break: End stops before the last one, so what
        // is typed next continues the last line instead of starting a new one.
        if constexpr (std::is_same_v<P, TQvMemoDropDown>) {
            const QString shown = this->QLineEdit::text();
            if (!shift.testFlag(Qt::ShiftModifier) && shown.endsWith(QLatin1Char('\n')))
                this->setCursorPosition(int(shown.size()) - 1);
        }
        return;
    }
    // Leave.
    const int leaving = key;
    key = 0;
    LeaveEditor(host, leaving, shift);
    P::DropDownKeyDown(key, shift);
}

template <class P>
void TGridDropDown<P>::WMChar(QChar& key, Qt::KeyboardModifiers shift)
{
    if (FKeyEnded) {
        FKeyEnded = false;
        key = QChar();
        return;
    }
    P::WMChar(key, shift);
}

template <class P>
void TGridDropDown<P>::DropDownKeyPress(QChar& key)
{
    if (FHost)
        FHost->EditorKeyPress(this, key);
    if (key == QChar(27) || key == QChar(13) || key == QChar(9))
        key = QChar();
    if (!key.isNull())
        P::DropDownKeyPress(key);
}

template <class P>
void TGridDropDown<P>::HandleSetFocus(QFocusEvent* e)
{
    P::HandleSetFocus(e);
    if (!FDiff.CaretFromMouse || !FHost || !FHost->OpenedByMouse())
        return;
    const QPoint at = this->mapFromGlobal(QCursor::pos());
    if (!this->rect().contains(at))
        return;
    const int idx = this->cursorPositionAt(at);
    if (idx >= 0) {
        this->deselect();
        this->setCursorPosition(idx);
    }
    FHost->ClearOpenedByMouse();
}

template <class P>
int TGridDropDown<P>::CMWantSpecialKey(int& key)
{
    int result = P::CMWantSpecialKey(key);
    if (!FHost)
        return result;
    if (isTab(key) && FHost->EditorWantsTab())
        result = 1;
    if (FDiff.ClaimsEnterEscape && (isEnter(key) || key == Qt::Key_Escape))
        result = 1;
    return result;
}

template <class P>
void TGridDropDown<P>::setVisible(bool visible)
{
    // A hidden editor leaves no popup behind.
    if (!visible && P::DroppedDown())
        P::HideDropDown(false);
    P::setVisible(visible);
}

template <class P>
void TGridDropDown<P>::Change()
{
    P::Change();
    ReportEditChange(FHost, this, P::Text());
}

template <class P>
void TGridDropDown<P>::focusOutEvent(QFocusEvent* e)
{
    P::focusOutEvent(e);
    // Exit step.
    if (FHost && !P::DroppedDown() && EditorLeftForGood(this, e))
        FHost->HideInplaceEdit();
}

template <class P>
bool TGridDropDown<P>::event(QEvent* e)
{
    if (e->type() == QEvent::ShortcutOverride && FDiff.ClaimsEnterEscape) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (isEnter(key) || key == Qt::Key_Escape) {
            e->accept();
            return true;
        }
    }
    if (RouteClaimedTab(e, FHost && FHost->EditorWantsTab(), [this](QKeyEvent* k) { this->keyPressEvent(k); }))
        return true;
    return P::event(e);
}

template class TGridDropDown<TQvTrackBarDropDown>;
template class TGridDropDown<TQvMemoDropDown>;
template class TGridDropDown<TQvCalculatorDropdown>;
template class TGridDropDown<TQvTimePickerDropDown>;
template class TGridDropDown<multicolumn::TQvMultiColumnDropDown>;
template class TGridDropDown<customgrid::TCustomQvGridDropDown>;
template class TGridDropDown<TQvDetailDropDown>;
template class TGridDropDown<TQvColorPickerDropDown>;
template class TGridDropDown<TQvImagePickerDropDown>;

// ---- registration ----------------------------------------------------------------------------

namespace {

template <class W>
void registerWrapper(TEditorType kind)
{
    const TDropDownDifferences* d = DropDownDifferences(kind);
    RegisterDropDownEditor(kind,
                           [d](TQvStringGrid* grid, QWidget* parent, TGridEditHost& host) -> TGridDropDownEditor* {
                               return new W(grid, parent, &host, *d);
                           });
}

} // namespace

void RegisterGridDropDowns()
{
    registerWrapper<TGridTrackbarDropDown>(edTrackbarDropDown);
    registerWrapper<TGridMemoDropDown>(edMemoDropDown);
    registerWrapper<TGridCalculatorDropDown>(edCalculatorDropDown);
    registerWrapper<TGridTimepickerDropDown>(edTimePickerDropDown);
    registerWrapper<TGridGridDropDown>(edGridDropDown);
    registerWrapper<TGridQvGridDropDown>(edQvGridDropDown);
    registerWrapper<TGridDetailPickerDropDown>(edDetailDropDown);
    registerWrapper<TGridColorDropDown>(edColorPickerDropDown);
    registerWrapper<TGridImageDropDown>(edImagePickerDropDown);
}

} // namespace dropdowns
