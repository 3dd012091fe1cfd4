#pragma once
// The detail list picker: a drop-down edit whose popup holds the item selector in one column,
// each item painted by the picker itself as a picture or list image, a caption (with "&"
// underlining, line breaks and an end ellipsis) and notes in mini-HTML under it.
//
// Typing completes the text from the item captions (TextChanged, the rule of
// LookupCompletion.h); Backspace, Escape and Delete switch completion off until the next other
// key. The arrow, page, Home and End keys and the wheel move the selection in the edit or in the
// open list, and keys typed while the list is open also search it (a 500 ms key timer empties
// the search text). Choosing an item writes its caption into the edit.
//
// Moves the picker makes in the list itself run with FInternalCall set, so the list's
// item-chosen rule updates ItemIndex and the text without closing the popup.

#include "dropdowns/ItemList.h"
#include "dropdowns/ItemSelector.h"
#include "dropdowns/LookupCompletion.h"
#include "dropdowns/QvDropDown.h"

#include <QImage>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QTimer;

namespace dropdowns {

class TDetailItems;

class TDetailItem : public grid::TPersistent {
public:
    explicit TDetailItem(TDetailItems* collection = nullptr) : FCollection(collection) {}
    QString ClassName() const override { return QStringLiteral("TDetailItem"); }

    int Index() const;
    const QString& Caption() const { return FCaption; }
    // A change fires the collection's OnChange.
    void SetCaption(const QString& v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) { FEnabled = v; }
    // Drawn instead of the list image when not empty.
    const QImage& Image() const { return FImage; }
    void SetImage(const QImage& v) { FImage = v; }
    // Mini-HTML.
    const QString& Notes() const { return FNotes; }
    void SetNotes(const QString& v) { FNotes = v; }
    // Not owned.
    grid::TObject* ItemObject() const { return FItemObject; }
    void SetItemObject(grid::TObject* v) { FItemObject = v; }
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }

    // From another detail item; throws std::invalid_argument for any other source.
    void Assign(const grid::TPersistent& source);

private:
    TDetailItems* FCollection;
    QString FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    QImage FImage;
    grid::TRect FRect;
    QString FNotes;
    grid::TObject* FItemObject = nullptr;
    int FTag = 0;
};

class TDetailItems : public grid::TPersistent, public TItemList<TDetailItem> {
public:
    explicit TDetailItems(QObject* owner = nullptr) : FMyOwner(owner) {}
    QString ClassName() const override { return QStringLiteral("TDetailItems"); }
    QObject* GetOwner() const { return FMyOwner; }

    TDetailItem& Add() { return Insert(Count()); }
    // Throws std::out_of_range for an index outside 0 .. Count.
    TDetailItem& Insert(int index) { return insertItem(index, std::make_unique<TDetailItem>(this)); }
    void Clear() { clearItems(); }
    void SetItem(int index, const TDetailItem& value) { Items(index).Assign(value); }
    // The first item whose caption equals value exactly (case-sensitive), else -1.
    int IndexOf(const QString& value) const;
    using TItemList::IndexOf;
    void Assign(const TDetailItems& source) { assignItems(*this, source); }

    std::function<void(grid::TObject* sender)> OnChange;

private:
    QObject* FMyOwner;
};

class TQvDetailDropDown : public TQvCustomDropDown {
    Q_OBJECT
public:
    explicit TQvDetailDropDown(QWidget* owner = nullptr, platform::Desktop* desktop = nullptr);
    ~TQvDetailDropDown() override;

    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout v) { FLayout = v; }
    TDetailItems& Items() { return *FItems; }
    const TDetailItems& Items() const { return *FItems; }
    void SetItems(const TDetailItems& v) { FItems->Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    // 0 .. Count - 1 selects that item (caption into the edit, OnSelect); -1 empties the edit
    // without OnSelect; anything else, and the index already set, is ignored.
    void SetItemIndex(int value);
    TItemAppearance& ItemAppearance() { return *FItemAppearance; }
    const TItemAppearance& ItemAppearance() const { return *FItemAppearance; }
    void SetItemAppearance(const TItemAppearance& v) { FItemAppearance->Assign(v); }
    // Pixels; with the default 22 there is room for one caption line and no notes.
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int v) { FItemHeight = v; }
    const grid::TFont& CaptionFont() const { return FCaptionFont; }
    void SetCaptionFont(const grid::TFont& v) { FCaptionFont = v; }
    const grid::TFont& NotesFont() const { return FNotesFont; }
    void SetNotesFont(const grid::TFont& v) { FNotesFont = v; }
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool v) { FMatchCase = v; }
    // Stored only: completion always matches at the start.
    bool MatchStart() const { return FMatchStart; }
    void SetMatchStart(bool v) { FMatchStart = v; }
    TQvCustomItemSelector* ItemSelector() const { return FItemSelector; }

    // With items: the first or last item; one on or back, from no selection item 0, never past
    // either end.
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

    void SetComponentStyle(TVLXStyle style) override;
    void SetSelectionColorStyle(TSelectionColorStyle v) override;
    // The text through the edit's rules; the change notice it raises completes nothing.
    void SetText(const QString& value) override;

    // The edit's change and key-down handling, also called by the table control's cell editor.
    virtual void TextChanged();
    virtual void ItemKeyDown(int& key, Qt::KeyboardModifiers shift);

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SizeDropDown() override;
    void OpenDropDown() override;
    void CloseDropDown(bool cancelChanges) override;
    void DropDownResized() override;
    void WheelDown() override;
    void WheelUp() override;
    void Change() override;
    void DropDownKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void WMKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void WMKeyUp(int& key, Qt::KeyboardModifiers shift) override;
    void ControlKeyDown(int& key, Qt::KeyboardModifiers shift) override;

private:
    void selectStep(TSelectStep step);
    // Fills the list from the items; before an opening also remembers the index to restore.
    void PrepareList(bool beforeDropDown);
    // The list keys of the edit (and of keys passed on from the popup); true when swallowed.
    bool ListKeyDown(int key, Qt::KeyboardModifiers shift);
    // Moves the list's selection as the picker's own change (the popup stays open).
    void MoveListSelection(int index);
    void StepListSelection(int delta);
    void ItemChosen();
    void DrawItem(QPainter& canvas, const grid::TRect& r, int index);
    void ItemSize(QSize& size);
    void WriteText(const QString& text);

    QPointer<TQvCustomItemSelector> FItemSelector;
    TItemLayout FLayout = ilCaptionRight;
    std::unique_ptr<TDetailItems> FItems;
    int FItemIndex = -1;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    bool FInternalCall = false;
    QTimer* FKeyTimer = nullptr;
    QString FCurSearch;
    int FOldItemIndex = -1;
    int FItemHeight = 22;
    grid::TFont FCaptionFont;
    grid::TFont FNotesFont;
    bool FWorkMode = true;
    bool FItemChange = false;
    int FItemIdx = 0;
    int FItemSel = 0;
    // Compared with the text to set the modified state; never written.
    const QString FOldValue;
    bool FMatchCase = false;
    bool FMatchStart = false;
    // True while the text setter writes: the edit's caret then stands at the start, as the
    // desktop's edit window leaves it after a new text, so that change completes nothing.
    bool FWritingText = false;
};

} // namespace dropdowns
