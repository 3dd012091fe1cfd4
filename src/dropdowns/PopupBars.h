#pragma once
// The header and footer bars of a drop-down's popup, their flat buttons and the buttons' colour
// set.
//
// Call flow: the popup (TDropDownForm::InitializeAndUpdate) creates a bar the first time the
// drop-down's look is visible, then at every opening links it again (SetQvDropDown: images and a
// copy of the look), rebuilds its buttons from the look's collection (CreateButtons, which ends
// in ArrangeButtons) and hands it the drop-down's drawing and text events. A bar paints its
// background, frame, image, mini-HTML caption and, in the footer, the size grip by which the
// user resizes the popup. A click on a bar button reports the button's index to the drop-down;
// a footer button with a modal result closes the popup first.
//
// Colours are TColor values; clNone in a "to" position means a solid fill.

#include "grid/GridTypes.h"
#include "grid/look/PopupAppearance.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <stdexcept>
#include <vector>

namespace grid {
class TCustomImageList;
}

namespace dropdowns {

using grid::TColor;
using grid::TRect;
class TQvCustomDropDown;

using TDrawBackGroundEvent = std::function<void(QObject* sender, QPainter& canvas, const QRect& rect)>;
using TGetTextEvent = std::function<void(QObject* sender, QString& text)>;

// The colours of the drop button and of the popup bar buttons. Every colour writer and the
// gradient writer fire OnChange when the value differs; the font is a plain copy.
class TQvButtonAppearance : public grid::TPersistent {
public:
    TQvButtonAppearance();
    QString ClassName() const override { return QStringLiteral("TQvButtonAppearance"); }

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { set(FBorderColor, v); }
    TColor BorderColorHot() const { return FBorderColorHot; }
    void SetBorderColorHot(TColor v) { set(FBorderColorHot, v); }
    TColor BorderColorDown() const { return FBorderColorDown; }
    void SetBorderColorDown(TColor v) { set(FBorderColorDown, v); }
    TColor BorderColorDisabled() const { return FBorderColorDisabled; }
    void SetBorderColorDisabled(TColor v) { set(FBorderColorDisabled, v); }
    TColor BorderColorChecked() const { return FBorderColorChecked; }
    void SetBorderColorChecked(TColor v) { set(FBorderColorChecked, v); }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { set(FColor, v); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v) { set(FColorTo, v); }
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor v) { set(FColorDown, v); }
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor v) { set(FColorDownTo, v); }
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor v) { set(FColorHot, v); }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor v) { set(FColorHotTo, v); }
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor v) { set(FColorChecked, v); }
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor v) { set(FColorCheckedTo, v); }
    TColor ColorDisabled() const { return FColorDisabled; }
    void SetColorDisabled(TColor v) { set(FColorDisabled, v); }
    TColor ColorDisabledTo() const { return FColorDisabledTo; }
    void SetColorDisabledTo(TColor v) { set(FColorDisabledTo, v); }
    grid::TGradientDirection Gradient() const { return FGradient; }
    void SetGradient(grid::TGradientDirection v);
    const grid::TFont& Font() const { return FFont; }
    void SetFont(const grid::TFont& v) { FFont = v; }

    // Every colour and the gradient through the writers; the font stays. Throws
    // std::invalid_argument for a source of another class.
    void Assign(const grid::TPersistent& source);

    std::function<void(grid::TObject* sender)> OnChange;

private:
    void set(TColor& field, TColor v);
    void Changed();

    TColor FBorderColor = platform::clNone;
    TColor FBorderColorHot = 0x808080;
    TColor FBorderColorDown = 0x800000;
    TColor FBorderColorDisabled = 0x808080;
    TColor FBorderColorChecked = 0xFF0000;
    TColor FColor = platform::clNone;
    TColor FColorTo = platform::clNone;
    TColor FColorDown = 0xF5D8CA;
    TColor FColorDownTo = 0xF9BDA0;
    TColor FColorHot = 0xF5F0E1;
    TColor FColorHotTo = 0xF9D2B2;
    TColor FColorCheckedTo;
    TColor FColorDisabled = 0xF2F2F2;
    TColor FColorDisabledTo = platform::clNone;
    TColor FColorChecked;
    grid::TGradientDirection FGradient = grid::gdVertical;
    grid::TFont FFont;
};

// The list a bar keeps its buttons in, with checked accessors.
template <class T>
class TDbgList {
public:
    int Count() const { return int(FItems.size()); }
    void Add(T* item) { FItems.push_back(item); }
    void Clear() { FItems.clear(); }
    void Delete(int index)
    {
        check(index, "List index out of bounds");
        FItems.erase(FItems.begin() + index);
    }
    void AssignList(const TDbgList& list) { FItems = list.FItems; }
    T* GetItemsEx(int index) const
    {
        check(index, "Index out of bounds in list read access");
        return FItems[std::size_t(index)];
    }
    void SetItemsEx(int index, T* value)
    {
        check(index, "Index out of bounds in list write access");
        FItems[std::size_t(index)] = value;
    }
    T* Items(int index) const { return GetItemsEx(index); }

private:
    void check(int index, const char* message) const
    {
        // A negative index meets the plain list's own check.
        if (index < 0)
            throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
        if (index >= Count())
            throw std::out_of_range(message);
    }
    std::vector<T*> FItems;
};

// One flat button of a bar: gradient by state, image and caption, hot while the mouse is over
// it, clicking on release. Its background is the bar's (a child widget paints over its parent).
class TQvButton : public QWidget {
    Q_OBJECT
public:
    explicit TQvButton(QWidget* owner = nullptr);

    TQvButtonAppearance* Appearance() const { return FAppearance; }
    void SetAppearance(TQvButtonAppearance* v);
    const grid::TCustomImageList* Images() const { return FImages; }
    void SetImages(const grid::TCustomImageList* v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    grid::TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(grid::TModalResult v) { FModalResult = v; }
    TQvCustomDropDown* QvDropDown() const { return FQvDropDown; }
    void SetQvDropDown(TQvCustomDropDown* v);
    // "&" marks the accelerator letter.
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }
    bool MouseInControl() const { return FMouseInControl; }
    bool MouseDownInControl() const { return FMouseDownInControl; }

    // Caption and image extent plus 8 by 4 pixels; nothing without an appearance.
    void AutoSizeButton();
    virtual void DrawButton(QPainter& canvas);
    // Closes the popup by the modal result, then (unless the keyboard clicked) fires OnClick.
    virtual void Click();
    // Alt plus the caption's accelerator letter: clicks an enabled button and answers true.
    bool DialogChar(QChar ch);

    std::function<void(QObject* sender)> OnClick;

protected:
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void mouseEnter();
    void mouseLeave();
    void unHotTick();
    bool inside(const QPoint& p) const;

    bool FMouseInControl = false;
    bool FMouseDownInControl = false;
    bool FDragging = false;
    QTimer* FUnHotTimer;
    bool FInternalClick = false;
    TQvButtonAppearance* FAppearance = nullptr;
    const grid::TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
    grid::TModalResult FModalResult = 0;
    QPointer<TQvCustomDropDown> FQvDropDown;
    QString FCaption;
    int FTag = 0;
    // The last press-tracking position was inside (for repaints on crossing the edge).
    bool FWasInside = false;
};

// What the header and the footer share: the copy of the look, the buttons, painting.
template <class Look, class Button>
class TQvBar : public QWidget {
public:
    explicit TQvBar(QWidget* owner);
    ~TQvBar() override;

    Look& Appearance() { return FAppearance; }
    const Look& Appearance() const { return FAppearance; }
    void SetAppearance(const Look& v) { FAppearance.Assign(v); }
    const grid::TCustomImageList* Images() const { return FImages; }
    void SetImages(const grid::TCustomImageList* v) { FImages = v; }
    TQvCustomDropDown* QvDropDown() const { return FQvDropDown; }
    // Links the bar to a drop-down: its images and a copy of its look (none clears the images).
    virtual void SetQvDropDown(TQvCustomDropDown* dropDown) = 0;
    const TDbgList<TQvButton>& ButtonList() const { return FButtonList; }

    virtual void CreateButtons();
    virtual void ClearButtons();
    virtual void ArrangeButtons();
    // Where the caption may run: the button rectangle up to 2 pixels left of the last button;
    // (-1, -1, -1, -1) without buttons.
    TRect GetCaptionRect() const;
    // The bar's visibility and height follow the look.
    void AppearanceChanged();

    TDrawBackGroundEvent OnDrawBackGround;
    TGetTextEvent OnGetText;

protected:
    // The client rectangle less the bar's margins, where the buttons sit.
    virtual TRect ButtonRect() const = 0;
    // The buttons of the linked drop-down's look; none without a drop-down.
    virtual const grid::TBarButtons<Button>* Buttons() const = 0;
    // Per-button settings only one of the bars makes (the footer's modal results).
    virtual void SetUpButton(TQvButton& button, int index)
    {
        (void)button;
        (void)index;
    }
    virtual void ReportButtonClick(int index) = 0;
    // The bar's frame lines (not the inner light frame).
    virtual void DrawFrameLines(QPainter& canvas, const TRect& r, bool ownBorder) = 0;
    // The inner light frame's rectangle.
    virtual TRect InnerFrameRect(const TRect& r) const = 0;
    virtual void PaintExtras(QPainter& canvas, const TRect& r)
    {
        (void)canvas;
        (void)r;
    }

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

    // The popup draws no border of its own, so the bar draws its whole frame.
    bool PopupWithoutBorder() const;
    void ButtonClick(QObject* sender);

    Look FAppearance;
    const grid::TCustomImageList* FImages = nullptr;
    QPointer<TQvCustomDropDown> FQvDropDown;
    TDbgList<TQvButton> FButtonList;
};

class TQvHeader : public TQvBar<grid::THeaderAppearance, grid::THeaderButton> {
public:
    explicit TQvHeader(QWidget* owner = nullptr);
    void SetQvDropDown(TQvCustomDropDown* dropDown) override;

protected:
    TRect ButtonRect() const override;
    const grid::TBarButtons<grid::THeaderButton>* Buttons() const override;
    void ReportButtonClick(int index) override;
    void DrawFrameLines(QPainter& canvas, const TRect& r, bool ownBorder) override;
    TRect InnerFrameRect(const TRect& r) const override;
};

class TQvFooter : public TQvBar<grid::TFooterAppearance, grid::TFooterButton> {
public:
    explicit TQvFooter(QWidget* owner = nullptr);
    void SetQvDropDown(TQvCustomDropDown* dropDown) override;
    // The look's size grip is on and the drop-down is sizeable.
    bool SizeGripVisible() const;
    void DrawSizeGrip(QPainter& canvas, const TRect& g);

protected:
    TRect ButtonRect() const override;
    const grid::TBarButtons<grid::TFooterButton>* Buttons() const override;
    void SetUpButton(TQvButton& button, int index) override;
    void ReportButtonClick(int index) override;
    void DrawFrameLines(QPainter& canvas, const TRect& r, bool ownBorder) override;
    TRect InnerFrameRect(const TRect& r) const override;
    void PaintExtras(QPainter& canvas, const TRect& r) override;

    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    bool InGripZone(const QPoint& p) const;
    void restoreCursor();
    bool FSizing = false;
    bool FSizingCursor = false;
};

} // namespace dropdowns
