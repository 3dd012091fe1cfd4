#pragma once
// The discrete colour selector: small colour boxes in rows of `Columns`, a box standing alone
// or joined with its neighbours into a vertical strip (TItemPos decides which sides get a
// line). A click or a key selects a box and fires OnItemSelect; the box under the mouse is hot.
// The colour picker shows it filled with the 60-colour palette (FillOfficePalette): a row of
// ten base colours above ten strips of five tints and shades.
//
// Call flow: the owner fills Items, calls LayoutItems (box rectangles and the panel's size),
// writes SelectedColor or ItemIndex, and passes keys to HandleKey. Rectangles are grid::TRect
// (right and bottom outside); colours 0x00BBGGRR, clNone for none.

#include "dropdowns/ColorPanels.h"
#include "dropdowns/ItemCollection.h"
#include "grid/GridTypes.h"

#include <memory>
#include <vector>

namespace dropdowns {

enum TItemPos { ipStandAlone, ipTop, ipMiddle, ipBottom };

class TColorBoxItems;

class TColorBoxItem : public grid::TPersistent {
public:
    explicit TColorBoxItem(TColorBoxItems* collection = nullptr) : FCollection(collection) {}
    QString ClassName() const override { return QStringLiteral("TColorBoxItem"); }

    TColor Color() const { return FColor; }
    // A different value fires the collection's OnChange.
    void SetColor(TColor v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) { FEnabled = v; }
    const TRect& Rect() const { return FRect; }
    TItemPos ColorBoxPos() const { return FColorBoxPos; }
    void SetColorBoxPos(TItemPos v) { FColorBoxPos = v; }

    // Colour and enabled flag; throws std::invalid_argument for any other source.
    void Assign(const grid::TPersistent& source);

private:
    friend class TCustomColorSelector;
    TColorBoxItems* FCollection;
    TColor FColor = clNone;
    bool FEnabled = true;
    TRect FRect;
    TItemPos FColorBoxPos = ipStandAlone;
};

class TColorBoxItems : public TItemCollection<TColorBoxItems, TColorBoxItem> {
public:
    using TItemCollection::TItemCollection;
    QString ClassName() const override { return QStringLiteral("TColorBoxItems"); }
};

// The frame colours of the boxes; plain fields.
class TColorBoxAppearance : public grid::TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TColorBoxAppearance"); }

#define QV_BOX_COLOR(Name)                                                                                             \
    TColor Name() const                                                                                                \
    {                                                                                                                  \
        return F##Name;                                                                                                \
    }                                                                                                                  \
    void Set##Name(TColor v)                                                                                           \
    {                                                                                                                  \
        F##Name = v;                                                                                                   \
    }
    QV_BOX_COLOR(BorderColor)
    QV_BOX_COLOR(OuterBorderColorHot)
    QV_BOX_COLOR(InnerBorderColorHot)
    QV_BOX_COLOR(OuterBorderColorSelected)
    QV_BOX_COLOR(InnerBorderColorSelected)
#undef QV_BOX_COLOR
    // The five colours of a new appearance.
    void LoadDefaults();

    // Throws std::invalid_argument for any other source.
    void Assign(const grid::TPersistent& source);

    std::function<void(grid::TObject* sender)> OnChange;

private:
    TColor FBorderColor = 0xC5C5C5;
    TColor FOuterBorderColorHot = 0x3694F2;
    TColor FInnerBorderColorHot = 0x94E2FF;
    TColor FOuterBorderColorSelected = 0x0000FF;
    TColor FInnerBorderColorSelected = 0x94E2FF;
};

class TCustomColorSelector : public TQvCustomColorSelectorPanel {
    Q_OBJECT
public:
    explicit TCustomColorSelector(QWidget* owner = nullptr);
    ~TCustomColorSelector() override;

    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int index);
    int ItemHot() const { return FItemHot; }
    void SetItemHot(int index);
    // Writing a different value lays the boxes out again.
    int Columns() const { return FColumns; }
    void SetColumns(int v);
    int ColumnGap() const { return FColumnGap; }
    void SetColumnGap(int v);
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int v);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int v);
    TColorBoxAppearance& ColorBoxAppearance() { return *FColorBoxAppearance; }
    void SetColorBoxAppearance(const TColorBoxAppearance& v) { FColorBoxAppearance->Assign(v); }
    TColorBoxItems& Items() { return *FItems; }
    const TColorBoxItems& Items() const { return *FItems; }
    void SetItems(const TColorBoxItems& v) { FItems->Assign(v); }
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    // A named style loads the appearance's default colours; scCustom keeps them.
    void SetItemColorStyle(TSelectionColorStyle v);
    TColor SelectedColor() const { return FSelectedColor; }
    // Selects the first box of that colour (firing OnItemSelect), or clears the selection.
    void SetSelectedColor(TColor v);

    virtual void DrawItem(int index, QPainter* canvas);
    virtual TRect GetItemsOrigin() const;
    virtual QSize GetItemSize() const;
    virtual void LayoutItems();
    virtual void InvalidateItem(int index);

    // (-1, -1, -1, -1) for an index out of range.
    TRect GetItemRect(int index) const;
    int ItemAtPos(int x, int y) const;
    void DrawItems(QPainter* canvas);

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // Qt key codes of Page Up .. Down; anything else, or a disabled panel, does nothing.
    void HandleKey(int key, bool editorEnabled, bool droppedDown);

    void FillOfficePalette();

    TNotifyEvent OnItemSelect;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    bool enabledBox(int index) const;

    int FItemIndex = -1;
    int FItemHot = -1;
    int FOffSetX = 4;
    int FOffSetY = 4;
    int FColumns = 10;
    int FColumnGap = 4;
    int FColorBoxHeight = 12;
    int FColorBoxWidth = 12;
    std::unique_ptr<TColorBoxAppearance> FColorBoxAppearance;
    std::unique_ptr<TColorBoxItems> FItems;
    TSelectionColorStyle FItemColorStyle = scCustom;
    TColor FSelectedColor = clNone;
};

} // namespace dropdowns
