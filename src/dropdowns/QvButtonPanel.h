#pragma once
// A panel of owner-drawn push buttons that reports a click by the button's index: the popup
// control of the calculator picker. In calculator mode it creates the 28 calculator buttons
// itself (one table, kCalculatorButtons, with each button's caption, name, tag and place) and
// arranges them in the calculator's grid on every size change; the picker tells the buttons
// apart by their Tag. In custom mode it neither creates nor places buttons, so buttons added
// there keep an empty rectangle and are never hit.
//
// Faces are the platform's themed push button ("button", part 1, states normal, hot, pressed,
// disabled); without an active theme they take the classic raised push-button look. Of the
// appearance only the font and the two text colours take part in drawing; the other colours
// are kept, copied and styled for the picker's colour schemes.
//
// Mouse: the button under the pointer is hot; a press makes a button the down one; a release
// over that same button clicks it, a release anywhere else clicks nothing.

#include "dropdowns/ItemList.h"
#include "dropdowns/ItemSelector.h"
#include "grid/GridTypes.h"
#include "grid/QvObj.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace dropdowns {

class TQvCustomDropDown;
class TButtonItems;

enum TButtonPanelType { plCalculator, plCustom };

class TButtonItem : public grid::TPersistent {
public:
    explicit TButtonItem(TButtonItems* collection = nullptr) : FCollection(collection) {}
    QString ClassName() const override { return QStringLiteral("TButtonItem"); }

    int Index() const;
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v) { FCaption = v; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) { FEnabled = v; }
    // Drawn beside the caption; takes precedence over ImageIndex.
    const grid::TPicture& Image() const { return FImage; }
    void SetImage(const grid::TPicture& v) { FImage.Image = v.Image; }
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }
    // Kept with the button ("BTN_BACK"); nothing shows or reads it.
    const QString& Name() const { return FName; }
    void SetName(const QString& v) { FName = v; }
    // Kept and copied; the caption is drawn in the appearance's text colours.
    TColor CaptionColor() const { return FCaptionColor; }
    void SetCaptionColor(TColor v) { FCaptionColor = v; }
    // The caption takes SpecialTextColor.
    bool Special() const { return FSpecial; }
    void SetSpecial(bool v) { FSpecial = v; }
    // (Left, Top, Left + Width, Top + Height) in panel coordinates, set by the arrangement.
    grid::TRect ButtonRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    void SetBounds(int left, int top, int width, int height);

    // Caption, caption colour, tag, image index, picture, enabled flag and name (neither the
    // special flag nor the rectangle); throws std::invalid_argument for any other source.
    void Assign(const grid::TPersistent& source);

private:
    TButtonItems* FCollection;
    QString FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    grid::TPicture FImage;
    int FTag = 0;
    int FHeight = 0;
    int FLeft = 0;
    int FWidth = 0;
    int FTop = 0;
    QString FName;
    TColor FCaptionColor = platform::clWhite;
    bool FSpecial = false;
};

// Adding, inserting and clearing fire OnChange; the items' writers do not.
class TButtonItems : public grid::TPersistent, public TItemList<TButtonItem> {
public:
    explicit TButtonItems(QObject* owner = nullptr) : FMyOwner(owner) {}
    QString ClassName() const override { return QStringLiteral("TButtonItems"); }
    QObject* GetOwner() const { return FMyOwner; }

    TButtonItem& Add() { return Insert(Count()); }
    // Throws std::out_of_range for an index outside 0 .. Count.
    TButtonItem& Insert(int index);
    void Clear();
    void SetItem(int index, const TButtonItem& value) { Items(index).Assign(value); }
    void Assign(const TButtonItems& source);

    std::function<void(grid::TObject* sender)> OnChange;

private:
    void changed();

    QObject* FMyOwner;
};

// The buttons' colours and font. Colour writers but ShineColor, GlowColorHot and GlowColorDown
// fire OnChange on a change.
class TButtonAppearance : public grid::TPersistent {
public:
    TButtonAppearance();
    QString ClassName() const override { return QStringLiteral("TButtonAppearance"); }

#define QV_BUTTON_COLOR(Name)                                                                                          \
    TColor Name() const                                                                                                \
    {                                                                                                                  \
        return F##Name;                                                                                                \
    }                                                                                                                  \
    void Set##Name(TColor v)                                                                                           \
    {                                                                                                                  \
        setColor(F##Name, v);                                                                                          \
    }
    QV_BUTTON_COLOR(BorderColor)
    QV_BUTTON_COLOR(BorderColorHot)
    QV_BUTTON_COLOR(BorderColorDown)
    QV_BUTTON_COLOR(BorderColorChecked)
    QV_BUTTON_COLOR(Color)
    QV_BUTTON_COLOR(ColorTo)
    QV_BUTTON_COLOR(ColorDown)
    QV_BUTTON_COLOR(ColorDownTo)
    QV_BUTTON_COLOR(ColorHot)
    QV_BUTTON_COLOR(ColorHotTo)
    QV_BUTTON_COLOR(ColorCheckedTo)
    QV_BUTTON_COLOR(ColorDisabled)
    QV_BUTTON_COLOR(ColorDisabledTo)
    QV_BUTTON_COLOR(ColorChecked)
    QV_BUTTON_COLOR(TextColor)
    QV_BUTTON_COLOR(SpecialTextColor)
#undef QV_BUTTON_COLOR
    // Stored without notification.
    TColor ShineColor() const
    {
        return FShineColor;
    }
    void SetShineColor(TColor v)
    {
        FShineColor = v;
    }
    TColor GlowColorHot() const
    {
        return FGlowColorHot;
    }
    void SetGlowColorHot(TColor v)
    {
        FGlowColorHot = v;
    }
    TColor GlowColorDown() const
    {
        return FGlowColorDown;
    }
    void SetGlowColorDown(TColor v)
    {
        FGlowColorDown = v;
    }
    const grid::TFont& Font() const
    {
        return FFont;
    }
    void SetFont(const grid::TFont& v)
    {
        FFont = v;
    }

    // Every colour and the font of another appearance; throws std::invalid_argument for any
    // other source.
    void Assign(const grid::TPersistent& source);

    std::function<void(grid::TObject* sender)> OnChange;

private:
    void setColor(TColor& field, TColor v);

    TColor FBorderColor = 0x000000;
    TColor FBorderColorHot = 0x000000;
    TColor FBorderColorDown = 0x000000;
    TColor FBorderColorChecked = 0xFF0000;
    TColor FColor = 0x9A915F;
    TColor FColorTo = 0xB0A170;
    TColor FColorDown = 0x4B2F08;
    TColor FColorDownTo = 0xADB514;
    TColor FColorHot = 0x9F6F1C;
    TColor FColorHotTo = 0xD5C244;
    TColor FColorCheckedTo;
    TColor FColorDisabled;
    TColor FColorDisabledTo;
    TColor FColorChecked;
    grid::TFont FFont;
    TColor FShineColor = 0xFFFFFF;
    TColor FGlowColorHot = 0xD5C244;
    TColor FGlowColorDown = 0xD5C244;
    TColor FTextColor = 0x000000;
    TColor FSpecialTextColor = 0x000080;
};

// One calculator button: what CreateButtons adds and where ArrangeButtons puts it. Row 0 holds
// button 0 in column 0 and the three wide top buttons in slots 1 to 3.
struct TCalculatorButtonDef {
    const char* Caption;
    const char* Name;
    int Tag;
    bool Special;
    int Row;
    int Column;
};
inline constexpr int kCalculatorButtonCount = 28;
extern const TCalculatorButtonDef kCalculatorButtons[kCalculatorButtonCount];

using TCalculatorButtonClickEvent = std::function<void(QObject* sender, int index)>;

class TCustomButtonPanel : public QWidget {
    Q_OBJECT
public:
    explicit TCustomButtonPanel(QWidget* owner = nullptr);
    ~TCustomButtonPanel() override;

    TButtonItems& Buttons() { return *FButtons; }
    const TButtonItems& Buttons() const { return *FButtons; }
    void SetButtons(const TButtonItems& v) { FButtons->Assign(v); }
    TItemLayout ButtonLayout() const { return FButtonLayout; }
    void SetButtonLayout(TItemLayout v) { FButtonLayout = v; }
    // Stored, not used.
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle v) { FItemColorStyle = v; }
    const grid::TCustomImageList* Images() const { return FImages; }
    // A different list re-arranges the buttons.
    void SetImages(const grid::TCustomImageList* v);
    // Stored only.
    QWidget* Edit() const { return FEdit; }
    void SetEdit(QWidget* v) { FEdit = v; }
    TButtonPanelType ButtonPanelType() const { return FButtonPanelType; }
    // A different mode re-arranges the buttons.
    void SetButtonPanelType(TButtonPanelType v);
    TButtonAppearance& ButtonAppearance() { return *FButtonAppearance; }
    const TButtonAppearance& ButtonAppearance() const { return *FButtonAppearance; }
    void SetButtonAppearance(const TButtonAppearance& v) { FButtonAppearance->Assign(v); }
    // The background behind the buttons.
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    int ButtonHot() const { return FButtonHot; }
    int ButtonDown() const { return FButtonDown; }
    // The drop-down whose popup shows the panel; while linked the panel repaints only on its
    // own paint requests and draws no frame.
    void SetQvDropDown(TQvCustomDropDown* v) { FQvDropDown = v; }
    TQvCustomDropDown* QvDropDown() const { return FQvDropDown; }

    // (-1, -1, -1, -1) for an index out of range.
    grid::TRect GetButtonBounds(int index) const;
    // The first button whose rectangle holds the point (left and top edges inside), else -1.
    int ButtonAtPos(int x, int y) const;
    void DrawButtons(QPainter& canvas, bool all);
    void SetButtonHot(int index);
    void SetButtonDown(int index);

    virtual void DrawButton(int index, QPainter* canvas);
    // The client rectangle less the outer margins.
    virtual grid::TRect GetButtonsRect() const;
    // The size one button needs for the largest caption and picture.
    virtual QSize GetButtonSize();
    virtual void ClearButtons();
    virtual void RebuildButtons();
    // The calculator buttons, once: nothing when the collection holds a button already.
    virtual void CreateButtons();
    virtual void ArrangeButtons();
    virtual void InvalidateButton(int index);
    virtual void ButtonClicked(int index);
    // What a form loader runs once the panel's properties are read: the buttons of a panel
    // that no drop-down shows.
    virtual void Loaded();

    TCalculatorButtonClickEvent OnButtonClick;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    void ButtonsChanged();
    void AppearanceChanged();
    // Marks an index hot or down: the old one cleared and repainted, the new one painted.
    void setMarked(int& field, int index);
    QSize pictureSize(const TButtonItem& button) const;
    void drawPicture(QPainter& canvas, const TButtonItem& button, int x, int y) const;

    std::unique_ptr<TButtonItems> FButtons;
    TItemLayout FButtonLayout = ilCaptionRight;
    TSelectionColorStyle FItemColorStyle = scCustom;
    int FButtonHot = -1;
    int FOffSetX = 8;
    int FOffSetY = 8;
    int FButtonOffSetX = 4;
    int FButtonOffSetY = 4;
    const grid::TCustomImageList* FImages = nullptr;
    int FCaptionGap = 0;
    QPointer<QWidget> FEdit;
    TButtonPanelType FButtonPanelType = plCalculator;
    std::unique_ptr<TButtonAppearance> FButtonAppearance;
    int FButtonDown = -1;
    TQvCustomDropDown* FQvDropDown = nullptr;
    // Every desktop here has visual styles; stored, not used.
    bool FIsWinXP = true;
    TColor FColor = platform::clBtnFace;
};

} // namespace dropdowns
