#pragma once
// The item selector the image, colour and detail pickers put into their popup: a grid of items,
// each a mini-HTML caption beside, above or below an image, a picture or a colour box; the item
// under the mouse is hot and the chosen one selected, both painted in the colours of an item
// look (TItemAppearance).
//
// Two controls: the outer TQvCustomItemSelector, a scroll area that owns the items, the look
// and the settings, and the inner panel TCustomItemSelector, as large as all items together,
// which lays them out in rows of `Columns` cells (LayoutItems), paints them and takes the mouse.
// The selector has no keys of its own: the owning picker moves the selection or the hot mark
// through SelectNext, HotNext and the like. Adding items lays nothing out; the owner calls
// UpdateSelectorPanel. Rectangles are grid::TRect (right and bottom outside).

#include "dropdowns/QvDropDown.h"
#include "grid/GridTypes.h"

#include <QImage>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace dropdowns {

class TSelectorItems;
class TCustomItemSelector;
class TQvCustomItemSelector;

class TSelectorItem : public grid::TPersistent {
public:
    explicit TSelectorItem(TSelectorItems* collection = nullptr) : FCollection(collection) {}
    QString ClassName() const override { return QStringLiteral("TSelectorItem"); }

    int Index() const;
    // Mini-HTML.
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    // The colour box's colour (stColor).
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    // Drawn instead of the list image when not empty.
    const QImage& Image() const { return FImage; }
    void SetImage(const QImage& v) { FImage = v; }
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& v) { FHint = v; }
    bool Enabled() const { return FEnabled; }
    // The cell in panel coordinates, set by the layout.
    const TRect& Rect() const { return FRect; }

    // From another item; throws std::invalid_argument for any other source.
    void Assign(const grid::TPersistent& source);

private:
    friend class TCustomItemSelector;
    void changed();

    TSelectorItems* FCollection;
    QString FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    TColor FColor = platform::clNone;
    QImage FImage;
    TRect FRect;
    QString FHint;
};

// Adding, inserting, deleting and clearing fire nothing; only the items' Caption, Color and
// ImageIndex writers fire OnChange.
class TSelectorItems : public grid::TPersistent {
public:
    explicit TSelectorItems(QObject* owner = nullptr) : FMyOwner(owner) {}
    QString ClassName() const override { return QStringLiteral("TSelectorItems"); }
    QObject* GetOwner() const { return FMyOwner; }

    int Count() const { return int(FItems.size()); }
    TSelectorItem& Add() { return Insert(Count()); }
    TSelectorItem& Insert(int index);
    void Delete(int index);
    void Clear() { FItems.clear(); }
    // Throws std::out_of_range for an index outside the list.
    TSelectorItem& Items(int index) const;
    TSelectorItem& GetItem(int index) const { return Items(index); }
    void SetItem(int index, const TSelectorItem& value) { Items(index).Assign(value); }
    void Assign(const TSelectorItems& source);

    std::function<void(grid::TObject* sender)> OnChange;

private:
    friend class TSelectorItem;
    QObject* FMyOwner;
    std::vector<std::unique_ptr<TSelectorItem>> FItems;
};

// The colours of hot and selected items. Plain fields; the colour style loads a preset.
class TItemAppearance : public grid::TPersistent {
public:
    TItemAppearance();
    QString ClassName() const override { return QStringLiteral("TItemAppearance"); }

#define QV_ITEM_COLOR(Name)                                                                                            \
    TColor Name() const                                                                                                \
    {                                                                                                                  \
        return F##Name;                                                                                                \
    }                                                                                                                  \
    void Set##Name(TColor v)                                                                                           \
    {                                                                                                                  \
        F##Name = v;                                                                                                   \
    }
    QV_ITEM_COLOR(BorderColor)
    QV_ITEM_COLOR(BorderColorTop)
    QV_ITEM_COLOR(BorderColorBottom)
    QV_ITEM_COLOR(BorderColorHot)
    QV_ITEM_COLOR(BorderColorSelected)
    QV_ITEM_COLOR(ColorHot)
    QV_ITEM_COLOR(ColorHotTo)
    QV_ITEM_COLOR(ColorHotText)
    QV_ITEM_COLOR(ColorMirrorHot)
    QV_ITEM_COLOR(ColorMirrorHotTo)
    QV_ITEM_COLOR(ColorSelected)
    QV_ITEM_COLOR(ColorSelectedTo)
    QV_ITEM_COLOR(ColorMirrorSelected)
    QV_ITEM_COLOR(ColorMirrorSelectedTo)
    QV_ITEM_COLOR(ColorSelectedText)
    QV_ITEM_COLOR(EdgeColor)
#undef QV_ITEM_COLOR
    const grid::TFont& Font() const
    {
        return FFont;
    }
    void SetFont(const grid::TFont& v)
    {
        FFont = v;
    }
    TSelectionColorStyle ColorStyle() const
    {
        return FColorStyle;
    }
    // Loads the preset of a named style; scCustom and the style already set change nothing.
    void SetColorStyle(TSelectionColorStyle style);

    // From another look; throws std::invalid_argument for any other source.
    void Assign(const grid::TPersistent& source);

    // Never fired; kept for owners that bind it.
    std::function<void(grid::TObject* sender)> OnChange;

private:
    TColor FColorMirrorHotTo = platform::clNone;
    TColor FBorderColor = platform::clNone;
    TColor FColorMirrorHot = platform::clNone;
    TColor FColorSelectedTo = platform::clNone;
    TColor FColorSelected = platform::clNone;
    TColor FEdgeColor = platform::clNone;
    TColor FColorHotTo = platform::clNone;
    TColor FBorderColorBottom = platform::clNone;
    TColor FColorHot = platform::clNone;
    TColor FBorderColorTop = platform::clNone;
    TColor FColorMirrorSelectedTo = platform::clNone;
    TColor FColorMirrorSelected = platform::clNone;
    TColor FColorSelectedText = platform::clBlack;
    TColor FColorHotText = platform::clBlack;
    TSelectionColorStyle FColorStyle = scCustom;
    grid::TFont FFont;
    TColor FBorderColorHot = platform::clNone;
    TColor FBorderColorSelected = platform::clNone;
};

enum TSelectorType { stImage, stColor };
enum TItemLayout { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };

using TDrawItemEvent = std::function<void(QObject* sender, QPainter& canvas, const TRect& r, int index)>;
// Draws a picker's chosen item into its edit in place of the picker's own drawing.
using TOnDrawSelectedItem = std::function<void(QObject* sender, QPainter& canvas, const TRect& r)>;
using TItemSizeEvent = std::function<void(QObject* sender, QSize& size)>;

// The inner panel: lays out, paints and takes the mouse.
class TCustomItemSelector : public QWidget {
    Q_OBJECT
public:
    // Throws std::invalid_argument "Invalid parent" unless the owner is a TQvCustomItemSelector.
    explicit TCustomItemSelector(QWidget* owner);

    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    int ItemHot() const { return FItemHot; }
    TQvCustomItemSelector* QvItemSelector() const { return FQvItemSelector; }
    TNotifyEvent OnItemSelect;

    // Read-only views of the owner's settings and look.
    int Columns() const;
    const TSelectorItems& Items() const;
    TSelectorType SelectorType() const;
    TItemLayout ItemLayout() const;
    const grid::TCustomImageList* Images() const;
    TSelectionColorStyle ItemColorStyle() const;
    TColor ItemColorHot() const;
    TColor ItemColorHotTo() const;
    TColor ItemColorSelected() const;
    TColor ItemColorSelectedTo() const;
    int ColorBoxHeight() const;
    int ColorBoxWidth() const;

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // Selects the first item whose plain, trimmed, upper-cased caption begins with s.
    bool LookupItem(const QString& s);
    // (-1, -1, -1, -1) for an index out of range.
    TRect GetItemRect(int index) const;
    int ItemAtPos(int x, int y) const;

    virtual void DrawItem(int index, QPainter* canvas);
    virtual TRect GetItemsOrigin() const;
    virtual QSize GetItemSize();
    virtual void InvalidateItem(int index);
    virtual void LayoutItems();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    void SetItemHot(int index);
    // Draws one item at once (the framework would draw it with the next paint).
    void drawItemNow(int index);
    QSize contentSize(const TSelectorItem& item) const;
    void drawContent(QPainter& canvas, const TSelectorItem& item, const QPoint& at, const QSize& size);
    int count() const;

    int FItemIndex = -1;
    int FItemHot = -1;
    int FOffSetX = 2;
    int FOffSetY = 2;
    int FItemOffSetX = 4;
    int FItemOffSetY = 4;
    int FCaptionGap = 4;
    TQvCustomItemSelector* FQvItemSelector;
};

// The outer scrolling window with the items, the look and the settings.
class TQvCustomItemSelector : public QScrollArea {
    Q_OBJECT
public:
    explicit TQvCustomItemSelector(QWidget* owner = nullptr);
    ~TQvCustomItemSelector() override;

    TSelectorItems& Items() { return *FItems; }
    const TSelectorItems& Items() const { return *FItems; }
    void SetItems(const TSelectorItems& v) { FItems->Assign(v); }
    TSelectorType SelectorType() const { return FSelectorType; }
    void SetSelectorType(TSelectorType v);
    // Stored without a new layout; the owner calls UpdateSelectorPanel.
    TItemLayout ItemLayout() const { return FItemLayout; }
    void SetItemLayout(TItemLayout v) { FItemLayout = v; }
    // Values of 0 or less are refused.
    int Columns() const { return FColumns; }
    void SetColumns(int v);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int v);
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int v);
    const grid::TCustomImageList* Images() const { return FImages; }
    void SetImages(const grid::TCustomImageList* v);
    TItemAppearance& ItemAppearance() { return *FItemAppearance; }
    const TItemAppearance& ItemAppearance() const { return *FItemAppearance; }
    void SetItemAppearance(const TItemAppearance& v) { FItemAppearance->Assign(v); }
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TCustomItemSelector* Panel() const { return FItemSelectorPanel; }

    int ItemIndex() const;
    void SetItemIndex(int v);
    int ItemHot() const;
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const QString& s);
    void ScrollItemInView(int index);
    // Whole rows that fit the view times the columns; 0 without items or with item 0 zero high.
    int GetVisibleItemCount() const;
    // The panel's size; 100 x 50 without a panel.
    QSize GetPanelSize() const;
    void UpdateSelectorPanel();

    TNotifyEvent OnItemSelect;
    TDrawItemEvent OnDrawItem;
    TItemSizeEvent OnItemSize;

protected:
    void CreateSelectorPanel();
    void ItemsChanged();
    void PanelItemSelect();

private:
    std::unique_ptr<TSelectorItems> FItems;
    TSelectorType FSelectorType = stImage;
    TItemLayout FItemLayout = ilCaptionRight;
    int FColumns = 1;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    const grid::TCustomImageList* FImages = nullptr;
    TCustomItemSelector* FItemSelectorPanel = nullptr;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    TColor FColor = platform::clWindow;
};

} // namespace dropdowns
