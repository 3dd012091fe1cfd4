#pragma once
// The image picker: a drop-down for choosing one image out of a list. The edit cannot be typed
// into; it shows the chosen image centred in its text rectangle. The popup shows every image
// in the item selector, Columns to a row, each with an optional mini-HTML caption. Images are
// the items' own pictures or the drop-down's image list by index; the items can be filled from
// every image of that list or from the picture files matching a path with wildcards.
//
// The choice is ItemIndex (the item) and ImageIndex (that item's image). Every change of
// ItemIndex fires OnChange, then OnSelect. A click on an item chooses it and closes the popup;
// keys and the wheel choose without closing (FInternalCall set while they move the selector).
// A cancelled close, by Escape or by a click elsewhere, brings back the choice of the opening.
// Typed letters search the captions: the first key starts a 500 ms timer, whose tick ends the
// search.

#include "dropdowns/ItemList.h"
#include "dropdowns/ItemSelector.h"
#include "dropdowns/LookupCompletion.h"
#include "dropdowns/QvDropDown.h"
#include "grid/QvObj.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QTimer;

namespace dropdowns {

class TImageItems;

class TImageItem : public grid::TPersistent {
public:
    explicit TImageItem(TImageItems* collection = nullptr) : FCollection(collection) {}
    QString ClassName() const override { return QStringLiteral("TImageItem"); }

    int Index() const;
    // Mini-HTML. A change fires the collection's OnChange.
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    // Drawn instead of the list image when not empty.
    const grid::TPicture& Image() const { return FImage; }
    void SetImage(const grid::TPicture& v) { FImage.Image = v.Image; }
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& v) { FHint = v; }
    bool Enabled() const { return FEnabled; }

    // From another image item; throws std::invalid_argument for any other source.
    void Assign(const grid::TPersistent& source);

private:
    TImageItems* FCollection;
    QString FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    grid::TPicture FImage;
    QString FHint;
};

class TImageItems : public grid::TPersistent, public TItemList<TImageItem> {
public:
    explicit TImageItems(QObject* owner = nullptr) : FMyOwner(owner) {}
    QString ClassName() const override { return QStringLiteral("TImageItems"); }
    QObject* GetOwner() const { return FMyOwner; }

    TImageItem& Add() { return Insert(Count()); }
    // Throws std::out_of_range for an index outside 0 .. Count.
    TImageItem& Insert(int index) { return insertItem(index, std::make_unique<TImageItem>(this)); }
    void Clear() { clearItems(); }
    void SetItem(int index, const TImageItem& value) { Items(index).Assign(value); }
    void Assign(const TImageItems& source) { assignItems(*this, source); }

    std::function<void(grid::TObject* sender)> OnChange;

private:
    QObject* FMyOwner;
};

class TQvImagePickerDropDown : public TQvCustomDropDown {
    Q_OBJECT
public:
    explicit TQvImagePickerDropDown(QWidget* owner = nullptr, platform::Desktop* desktop = nullptr);
    ~TQvImagePickerDropDown() override;

    // Stored; the popup takes them at its next opening.
    int Columns() const { return FColumns; }
    void SetColumns(int v) { FColumns = v; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout v) { FLayout = v; }
    TImageItems& Items() { return *FItems; }
    const TImageItems& Items() const { return *FItems; }
    void SetItems(const TImageItems& v) { FItems->Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    // Nothing for the index already set or one at or past the item count; otherwise stored
    // (a negative one shows nothing), repainted, OnChange and OnSelect.
    void SetItemIndex(int value);
    // -1 without a choice, else the chosen item's ImageIndex.
    int ImageIndex() const;
    // The first item with that image index becomes the choice; none gives -1.
    void SetImageIndex(int value);
    TItemAppearance& ItemAppearance() { return *FItemAppearance; }
    const TItemAppearance& ItemAppearance() const { return *FItemAppearance; }
    void SetItemAppearance(const TItemAppearance& v) { FItemAppearance->Assign(v); }
    TQvCustomItemSelector* ItemSelector() const { return FItemSelector; }

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

    // One item per image of Images, in list order; nothing without a list.
    void AddImagesFromImageList();
    // One item per file-system entry matching the path (wildcards in its last part), in name
    // order; an entry that loads no picture (a folder, a metafile, an unknown or broken file)
    // stays as an item with no picture and no caption.
    void AddImagesFromFolder(const QString& folder, bool setImageCaption);

    void SetComponentStyle(TVLXStyle style) override;
    void SetSelectionColorStyle(TSelectionColorStyle v) override;

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;
    TDrawItemEvent OnDrawItem;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SizeDropDown() override;
    void CloseDropDown(bool cancelChanges) override;
    void WheelDown() override;
    void WheelUp() override;
    void WMKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void paintEvent(QPaintEvent* e) override;

    // Copies the picker's settings and items into the selector.
    void UpdateSelector();
    void DrawSelectedImage(QPainter& canvas);
    void KeyTimerTick();

private:
    void selectStep(TSelectStep step);
    void SelectorItemSelect();
    // Runs a selector move as the picker's own: it chooses without closing.
    void internalMove(const std::function<void()>& move);
    void moveTo(int index);
    void typedSearch(int key, Qt::KeyboardModifiers shift);

    QPointer<TQvCustomItemSelector> FItemSelector;
    int FColumns = 1;
    TItemLayout FLayout = ilCaptionRight;
    std::unique_ptr<TImageItems> FItems;
    int FItemIndex = -1;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    bool FInternalCall = false;
    QTimer* FKeyTimer = nullptr;
    QString FCurSearch;
    int FOldItemIndex = -1;
};

} // namespace dropdowns
