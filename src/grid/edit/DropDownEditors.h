#pragma once
// The drop-down picker cell editors, seen from the grid. The pickers live in a layer above the
// grid, so the grid cannot name them: each picker's wrapper registers a factory under its
// editor kind at start-up (dropdowns::RegisterGridDropDowns), and the grid's edit engine
// creates an editor on first use through the registry, places it, loads the cell's value into
// it, reads the value back when editing ends, and restyles it with the grid's scheme.
//
// The wrappers reach the grid only through TGridEditHost; this interface is the grid's hold on
// them.

#include "grid/edit/GridEditHost.h"
#include "grid/look/PopupAppearance.h"
#include "grid/look/QvStyleIF.h"

#include <functional>

namespace grid {

class TCustomImageList;

// What a drop-down editor is loaded with when it opens over a cell.
struct TDropDownCell {
    QString Text;                             // the cell's edit text
    TColor Color = clNone;                    // colour picker: the shape colour, else the background
    int ImageIndex = -1;                      // image picker: the cell's image index, -1 for none
    bool ImageCell = false;                   // an image-list or data-image cell
    const TCustomImageList* Images = nullptr; // the grid's GridImages
};

class TGridDropDownEditor {
public:
    virtual ~TGridDropDownEditor() = default;

    virtual QWidget* Widget() = 0;
    // The grid's teardown: the host goes before its child editors.
    virtual void DetachHost() = 0;
    // Header and footer bars as the grid's ControlLook has them; their button clicks go to the
    // handlers given (the grid's DropDownHeaderButtonClicked and DropDownFooterButtonClicked).
    virtual void SetBars(const THeaderAppearance& header, const TFooterAppearance& footer,
                         std::function<void(int)> headerClick, std::function<void(int)> footerClick) = 0;
    // The value of the cell, as the kind reads it.
    virtual void Load(const TDropDownCell& cell) = 0;
    virtual void OpenPopup() = 0;
    virtual bool PopupOpen() const = 0;
    // Runs once the editor is shown, focused and perhaps open (the memo's caret to the start).
    virtual void Shown() {}
    // The text stored through StoreEditText (the memo: its lines as one text).
    virtual QString StoredText() const = 0;
    // Colour picker: the selected colour; image picker: the chosen image index.
    virtual TColor SelectedColor() const { return clNone; }
    virtual int SelectedImageIndex() const { return -1; }
    virtual void SetComponentStyle(TVLXStyle style) = 0;
    virtual void SetColorTones(const TColorTones& tones) = 0;
};

class TQvStringGrid;

// Creates the editor of one kind for grid as a child of parent (the grid's viewport), talking
// to the grid through host.
using TDropDownEditorFactory =
    std::function<TGridDropDownEditor*(TQvStringGrid* grid, QWidget* parent, TGridEditHost& host)>;

// True for the nine kinds edited with a drop-down picker.
bool IsDropDownEditorKind(TEditorType kind);

// A second registration of a kind replaces the first (a test may register its own).
void RegisterDropDownEditor(TEditorType kind, TDropDownEditorFactory factory);
// Empty when no factory is registered for the kind.
const TDropDownEditorFactory* DropDownEditorFactory(TEditorType kind);

} // namespace grid
