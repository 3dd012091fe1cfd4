#pragma once
// The colour picker: a drop-down whose value is a colour. The edit shows a box in the colour
// and a text for it (the list item's caption, or the colour as hex, web name, RGB or HTML); the
// popup offers the colour in one of four styles, each control made on demand and prepared
// before every opening:
//   csList       the item selector in colour mode, one item per entry of Colors
//   csDiscrete   the 60-colour palette (ColorSelector.h)
//   csColorCube  the hexagonal cube (ColorPanels.h)
//   csSpectrum   the spectrum (ColorPanels.h)
// The edit takes no typing (EditorEnabled off) and its text is never read back; the colour
// changes through the popup, the keys (a table per style, a 500 ms type-ahead in the list) and
// the wheel. The grid's colour cell editor derives from it.
//
// Moves the picker makes in the list or the palette itself run with FInternalCall set, so the
// control's item-chosen rule updates the picker without closing the popup.

#include "dropdowns/ColorPanels.h"
#include "dropdowns/ColorSelector.h"
#include "dropdowns/ItemCollection.h"
#include "dropdowns/ItemSelector.h"
#include "dropdowns/LookupCompletion.h"
#include "dropdowns/QvDropDown.h"

#include <QPointer>

#include <memory>
#include <vector>

class QTimer;

namespace dropdowns {

enum TColorSelectionStyle { csList, csDiscrete, csColorCube, csSpectrum };
enum TColorValueText { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };

class TColorItems;

class TColorItem : public grid::TPersistent {
public:
    explicit TColorItem(TColorItems* collection = nullptr) : FCollection(collection) {}
    QString ClassName() const override { return QStringLiteral("TColorItem"); }

    const QString& Caption() const { return FCaption; }
    // A change fires the collection's OnChange.
    void SetCaption(const QString& v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) { FEnabled = v; }
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& v) { FHint = v; }

    // Throws std::invalid_argument for any other source.
    void Assign(const grid::TPersistent& source);

private:
    void changed();
    TColorItems* FCollection;
    QString FCaption;
    TColor FColor = clNone;
    bool FEnabled = true;
    QString FHint;
};

class TColorItems : public TItemCollection<TColorItems, TColorItem> {
public:
    using TItemCollection::TItemCollection;
    QString ClassName() const override { return QStringLiteral("TColorItems"); }
};

using TOnDrawSelectedItem = std::function<void(QObject* sender, QPainter& canvas, const grid::TRect& r)>;

// The 138 web colour names in lookup order and the name of a colour ("" for none of them).
int WebColorCount();
const QString& WebColorName(int index);
TColor WebColorValue(int index);
QString WebColorNameOf(TColor rgbColor);

class TQvColorPickerDropDown : public TQvCustomDropDown {
    Q_OBJECT
public:
    explicit TQvColorPickerDropDown(QWidget* owner = nullptr, platform::Desktop* desktop = nullptr);
    ~TQvColorPickerDropDown() override;

    // The sixteen classic colours, appended.
    void AddDefaultColors();

    TColorItems& Colors() { return *FColors; }
    const TColorItems& Colors() const { return *FColors; }
    void SetColors(const TColorItems& v) { FColors->Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    // Ignores indexes past the colours; otherwise stores it, takes the item's colour (-1 keeps
    // the colour), repaints and fires OnSelect, also for -1 and an unchanged index.
    void SetItemIndex(int value);
    TColor SelectedColor() const { return FSelectedColor; }
    // Selects the first item of that colour (firing OnSelect); a colour no item has leaves no
    // item selected.
    void SetSelectedColor(TColor value);
    QString SelectedColorText() const { return ReadSelectedColorText(); }

    TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
    void SetColorSelectionStyle(TColorSelectionStyle value);
    TColorValueText ColorValueText() const { return FColorValueText; }
    void SetColorValueText(TColorValueText v) { FColorValueText = v; }
    int Columns() const { return FColumns; }
    void SetColumns(int v) { FColumns = v; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout v) { FLayout = v; }
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int v) { FColorBoxWidth = v; }
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int v) { FColorBoxHeight = v; }
    bool ShowText() const { return FShowText; }
    void SetShowText(bool v);
    TItemAppearance& ItemAppearance() { return *FItemAppearance; }
    const TItemAppearance& ItemAppearance() const { return *FItemAppearance; }
    void SetItemAppearance(const TItemAppearance& v) { FItemAppearance->Assign(v); }

    // The popup controls, made on demand (none before).
    TQvCustomItemSelector* ItemSelector() const { return FItemSelector; }
    TQvColorCubePanel* ColorCubePanel() const { return FColorCubePanel; }
    TQvColorSpectrumPanel* SpectrumPanel() const { return FSpectrumPanel; }
    TCustomColorSelector* ColorSelector() const { return FColorSelector; }

    void SetComponentStyle(TVLXStyle style) override;
    void SetSelectionColorStyle(TSelectionColorStyle v) override;

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedColor;
    TDrawItemEvent OnDrawColor;

protected:
    virtual QString ReadSelectedColorText() const;
    void DrawSelectedColor(QPainter& canvas);
    void KeyTimerTick();
    QTimer* KeyTimer() const { return FKeyTimer; }

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void PlaceControl() override;
    void SizeDropDown() override;
    void OpenDropDown() override;
    void CloseDropDown(bool cancelChanges) override;
    void DropDownFormDestroyed() override;
    void WheelDown() override;
    void WheelUp() override;
    void WMKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void paintEvent(QPaintEvent* e) override;

private:
    // The edit's key-down: the Enter on a hot item, the drop-down's own keys, then the key
    // table of the list or the palette.
    void HandleKeyDownMessage(int& key, Qt::KeyboardModifiers shift);
    bool ListKeyDown(int key, Qt::KeyboardModifiers shift);
    void WheelStep(bool down);
    // Moves the choice of the closed picker among the colours by the list pickers' rule.
    void stepChoice(TSelectStep step);
    void CreateItemSelector();
    void CreateColorSelector();
    void CreateCubePanel();
    void CreateSpectrumPanel();
    void CreateStyleControl(TColorSelectionStyle style);
    // Hides the other styles' controls and readies this style's one, as before an opening.
    void PrepareStyleControl(TColorSelectionStyle style);
    QWidget* StyleControl(TColorSelectionStyle style) const;
    void UpdateSelector();
    void CopyColorsToSelector();
    void SelectorItemSelect();
    void DiscreteItemSelect();
    void PanelSelect(TColor color);
    // Runs a move of the list or the palette as the picker's own change.
    template <class Move>
    void internalCall(Move&& move);
    // The popup sized around a panel style's control.
    void SizePanelPopup();

    QPointer<TQvCustomItemSelector> FItemSelector;
    QPointer<TQvColorCubePanel> FColorCubePanel;
    QPointer<TQvColorSpectrumPanel> FSpectrumPanel;
    QPointer<TCustomColorSelector> FColorSelector;
    int FColumns = 1;
    TItemLayout FLayout = ilCaptionRight;
    std::unique_ptr<TColorItems> FColors;
    int FItemIndex = -1;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    TColorSelectionStyle FColorSelectionStyle = csList;
    TColor FSelectedColor = clNone;
    bool FShowText = true;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    bool FInternalCall = false;
    QTimer* FKeyTimer = nullptr;
    QString FCurSearch;
    int FOldItemIndex = -1;
    TColor FOldSelectedColor = clNone;
    TColorValueText FColorValueText = cvtNone;
};

} // namespace dropdowns
