#pragma once
// The drop-down pickers as cell editors of the grid. Each wrapper is the picker itself with the
// grid's rules for keys, focus, value changes and the end of editing added; all of them are one
// template, and what sets them apart is a row of kDropDownDifferences. The grid knows them only
// as TGridDropDownEditor, made through the factories RegisterGridDropDowns puts into the grid's
// editor registry; they reach the grid only through TGridEditHost.
//
// Key-down, for a closing key (the row's set; Alt+Down never, it opens the popup):
//   Escape        - the cell's text back through the row's setter, editor closed, grid focused;
//   Enter, Up, Dn - store and validate (the colour picker: Enter only; the calculator first
//                   computes its pending result); refused: the handler's value all selected,
//                   key cancelled, the grid does not advance;
//   Tab           - Tab out (GridEditorEnd.h);
//   popup open    - the editor closes; Left and Right also move the grid, the others do not;
//   popup closed  - End and Alt+Down stay with the picker;
//   otherwise     - leave: DoneInplaceEdit with the key.

#include "dropdowns/QvCalculatorDropDown.h"
#include "dropdowns/QvColorPicker.h"
#include "dropdowns/QvCustomGridDropDown.h"
#include "dropdowns/QvDetailDropDown.h"
#include "dropdowns/QvImagePicker.h"
#include "dropdowns/QvMemoDropDown.h"
#include "dropdowns/QvMultiColumnDropDown.h"
#include "dropdowns/QvTimePicker.h"
#include "dropdowns/QvTrackBarDropDown.h"
#include "grid/edit/DropDownEditors.h"

#include <QFocusEvent>

namespace grid {
class TQvStringGrid;
}

namespace dropdowns {

// How one wrapper differs from the template.
struct TDropDownDifferences {
    grid::TEditorType Kind;
    const char* ClassName;
    bool RestoreWithText;              // restoring writes Text (number formatting), else SetRawText
    bool HomeCloses;                   // Home is a closing key too
    bool OpenClosesOnlyTabEnterEscape; // with the popup open only Tab, Enter and Escape close
    bool ClaimsEnterEscape;            // CM_WANTSPECIALKEY also claims Enter and Escape
    bool CaretFromMouse;               // opened by a click: the caret goes under the mouse
    bool CalcResultFirst;              // Enter first computes the pending result
    bool FocusDrawOff;                 // the picker draws no focus state
    bool OnlyEnterValidates;           // Up and Down leave without validation
};

// One row per wrapper.
extern const TDropDownDifferences kDropDownDifferences[9];

// The differences row of a kind; nullptr for a kind without a wrapper.
const TDropDownDifferences* DropDownDifferences(grid::TEditorType kind);

// Is key (with shift) a closing key of the wrapper, with the popup open or closed?
bool IsClosingKey(const TDropDownDifferences& d, int key, Qt::KeyboardModifiers shift, bool droppedDown);

// The template: the picker P with the grid's rules.
template <class P>
class TGridDropDown : public P, public grid::TGridDropDownEditor {
public:
    TGridDropDown(grid::TQvStringGrid* owner, QWidget* parent, grid::TGridEditHost* host,
                  const TDropDownDifferences& d);

    bool Forced = false;  // cleared at every key-down
    bool WorkMode = true; // false right after Backspace or Delete
    grid::TQvStringGrid* FGrid;

    // ---- TGridDropDownEditor -------------------------------------------------------------------
    QWidget* Widget() override { return this; }
    void DetachHost() override { FHost = nullptr; }
    void SetBars(const grid::THeaderAppearance& header, const grid::TFooterAppearance& footer,
                 std::function<void(int)> headerClick, std::function<void(int)> footerClick) override;
    void Load(const grid::TDropDownCell& cell) override;
    void OpenPopup() override { P::ShowDropDown(); }
    bool PopupOpen() const override { return P::DroppedDown(); }
    void Shown() override;
    QString StoredText() const override;
    TColor SelectedColor() const override;
    int SelectedImageIndex() const override;
    void SetComponentStyle(TVLXStyle style) override { P::SetComponentStyle(style); }
    void SetColorTones(const grid::TColorTones& tones) override { P::SetColorTones(tones); }
    // The grid picker's popup grid, read-only. A member template, so the explicit
    // instantiations of the other pickers never instantiate it (clang 14 would).
    template <class Q = P>
    requires std::is_same_v<Q, customgrid::TCustomQvGridDropDown> grid::TQvStringGrid* Grid() const
    {
        return Q::PopupGrid();
    }

    void DropDownKeyPress(QChar& key) override;
    void HandleSetFocus(QFocusEvent* e) override;
    int CMWantSpecialKey(int& key) override;
    void setVisible(bool visible) override;

protected:
    // The key-down step runs ahead of the picker's own key handling, so a closing key never
    // reaches the picker's list or value keys.
    void WMKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    // The characters of a key that ended the edit go nowhere (the grid would take them as typing).
    void WMChar(QChar& key, Qt::KeyboardModifiers shift) override;
    void Change() override;
    void focusOutEvent(QFocusEvent* e) override;
    bool event(QEvent* e) override;

private:
    void restoreText(const QString& s);
    const TDropDownDifferences& FDiff;
    bool FKeyEnded = false;
    grid::TGridEditHost* FHost;
};

using TGridTrackbarDropDown = TGridDropDown<TQvTrackBarDropDown>;
using TGridMemoDropDown = TGridDropDown<TQvMemoDropDown>;
using TGridCalculatorDropDown = TGridDropDown<TQvCalculatorDropdown>;
using TGridTimepickerDropDown = TGridDropDown<TQvTimePickerDropDown>;
using TGridGridDropDown = TGridDropDown<multicolumn::TQvMultiColumnDropDown>;
using TGridQvGridDropDown = TGridDropDown<customgrid::TCustomQvGridDropDown>;
using TGridDetailPickerDropDown = TGridDropDown<TQvDetailDropDown>;
using TGridColorDropDown = TGridDropDown<TQvColorPickerDropDown>;
using TGridImageDropDown = TGridDropDown<TQvImagePickerDropDown>;

// Puts the factories of the wrappers into the grid's editor registry; run once at start-up,
// beside the grid unit's own registrations.
void RegisterGridDropDowns();

} // namespace dropdowns
