#pragma once
// The base of every picker: a one-line edit with a drop button at its right edge, an optional
// caption label beside it, and a borderless popup window (DropDownForm.h) that hosts the
// picker's own control under an optional header bar and above an optional footer bar.
//
// How a picker is made:
//   - Its constructor sets its own fields, then calls ConstructDropDown(), the base's second
//     construction step: it creates the popup (CreateDropDownForm, which the picker overrides to
//     create its control with the popup as parent) and the drop button, writes the empty text
//     through SetText and applies the selection and colour presets. Run from the picker's own
//     constructor, these virtual calls reach the picker's overrides, which a call from the base
//     constructor would not. A class deriving from a finished picker inherits its construction
//     and does not call the step again (a second call does nothing).
//   - It overrides BeforeDropDown to fill its control from its settings and set Control (which
//     puts the control into the popup), SizeDropDown / PlaceControl where its control wants
//     another size or place, CloseDropDown and DropDownClosed to take or drop the choice.
//
// Opening (OpenDropDown): OnBeforeDropDown, OnDropDown (may refuse), the popup shows under the
// edit (or above it near the bottom of the screen) and the focus control gets the focus.
// Closing (CloseDropDown): OnBeforeDropUp, the popup hides, a cancelled close restores the text
// last written through SetText, OnDropUp. Keys: Alt+Down, Alt+Up and F4 toggle, Return closes
// keeping the text, Escape closes cancelling; keys pressed in the popup are forwarded to the
// edit. The edit keeps the focus while the popup shows; a click outside the popup closes it
// (cancelling while the popup's CancelOnDeActivate is on), and the click that closed it does
// not reopen it.
//
// The member files are split by concern under QvDropDown/: construction and settings, layout,
// keyboard, mouse and focus, clipboard, painting, the label, and the popup side.

#include "dropdowns/DropButtons.h"
#include "dropdowns/DropDownForm.h"
#include "dropdowns/EditTypeRules.h"
#include "dropdowns/PopupBars.h"
#include "grid/look/PopupAppearance.h"
#include "grid/look/QvStyleIF.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include <functional>

namespace platform {
class Desktop;
}

namespace grid {
class TCustomImageList;
}

namespace dropdowns {

using grid::TColor;
using grid::TFont;
using grid::TGradientDirection;
using grid::TVLXStyle;
using platform::clNone;

enum TDropPosition { dpAuto, dpDown, dpUp };

// Where the caption label sits around the edit (the thirteenth keeps its historic spelling).
enum TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter,
    lpRightTop,
    lpRightCenter,
    lpRighBottom,
    lpTopRight,
    lpBottomRight
};
inline constexpr int kLabelPositionCount = lpBottomRight + 1;

enum TSelectionColorStyle { scCustom, scOffice2007, scWindowsVista, scWindows7 };

class TItemAppearance;

// Events. Keys are Qt key codes, 0 meaning "dropped"; characters are QChar, 0 meaning "dropped".
using TNotifyEvent = std::function<void(QObject* sender)>;
using TDropDown = std::function<void(QObject* sender, bool& acceptDrop)>;
using TDropUp = std::function<void(QObject* sender, bool cancelled)>;
using TClipboardEvent = std::function<void(QObject* sender, const QString& value, bool& allow)>;
using TDropDownButtonItemClick = std::function<void(QObject* sender, int buttonIndex)>;
using TKeyEvent = std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers shift)>;
using TKeyPressEvent = std::function<void(QObject* sender, QChar& key)>;

class TQvCustomDropDown : public QLineEdit, public grid::IVLXStyle {
    Q_OBJECT
public:
    // `desktop` answers the tick count, held keys, screen height and work areas; the program's
    // desktop when none is given.
    explicit TQvCustomDropDown(QWidget* owner = nullptr, platform::Desktop* desktop = nullptr);
    ~TQvCustomDropDown() override;

    // ---- popup ------------------------------------------------------------------------------
    void ShowDropDown() { OpenDropDown(); }
    void HideDropDown(bool cancelChanges) { CloseDropDown(cancelChanges); }
    bool DroppedDown() const { return FDroppedDown; }
    TDropDownForm* DropDownForm() const { return FDropDownForm; }

    // The control the popup hosts (set by pickers; not owned).
    QWidget* Control() const { return FControl; }
    void SetControl(QWidget* control);
    // Focused when the popup opens (not owned).
    QWidget* FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget* w) { FFocusControl = w; }

    // 0 or less: computed from the content. Writing a new value forgets the remembered size.
    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int v);
    int DropDownHeight() const { return FDropDownHeight; }
    void SetDropDownHeight(int v);
    // The popup size at the last close; -1 when none is remembered.
    int UserDropDownWidth() const { return FUserDropDownWidth; }
    int UserDropDownHeight() const { return FUserDropDownHeight; }
    TDropPosition DropPosition() const { return FDropPosition; }
    void SetDropPosition(TDropPosition v) { FDropPosition = v; }
    bool DropDownShadow() const { return FDropDownShadow; }
    void SetDropDownShadow(bool v) { FDropDownShadow = v; }
    bool ForceShadow() const { return FForceShadow; }
    void SetForceShadow(bool v) { FForceShadow = v; }
    int DropDownBorderWidth() const { return FDropDownBorderWidth; }
    void SetDropDownBorderWidth(int v) { FDropDownBorderWidth = v; }
    TColor DropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(TColor v) { FDropDownColor = v; }
    TColor DropDownColorTo() const { return FDropDownColorTo; }
    void SetDropDownColorTo(TColor v) { FDropDownColorTo = v; }
    TColor DropDownBorderColor() const { return FDropDownBorderColor; }
    void SetDropDownBorderColor(TColor v) { FDropDownBorderColor = v; }
    TGradientDirection DropDownGradient() const { return FDropDownGradient; }
    void SetDropDownGradient(TGradientDirection v) { FDropDownGradient = v; }
    bool DropDownSizeable() const { return FDropDownSizeable; }
    void SetDropDownSizeable(bool v) { FDropDownSizeable = v; }
    bool DropDownEnabled() const { return FDropDownEnabled; }
    void SetDropDownEnabled(bool v) { FDropDownEnabled = v; }

    grid::THeaderAppearance& DropDownHeader() { return FDropDownHeader; }
    const grid::THeaderAppearance& DropDownHeader() const { return FDropDownHeader; }
    void SetDropDownHeader(const grid::THeaderAppearance& v) { FDropDownHeader.Assign(v); }
    grid::TFooterAppearance& DropDownFooter() { return FDropDownFooter; }
    const grid::TFooterAppearance& DropDownFooter() const { return FDropDownFooter; }
    void SetDropDownFooter(const grid::TFooterAppearance& v) { FDropDownFooter.Assign(v); }

    // ---- drop button ------------------------------------------------------------------------
    TDropDownEditButton* Button() const { return FButton; }
    // Reads 17 on a new control while the button shows 16 pixels; writing a different value
    // gives the button that width.
    int DropDownButtonWidth() const { return FButtonWidth; }
    void SetDropDownButtonWidth(int v);
    const QString& DropDownButtonHint() const { return FButtonHint; }
    void SetDropDownButtonHint(const QString& v);
    QImage DropDownButtonGlyph() const;
    void SetDropDownButtonGlyph(const QImage& v);
    QString DropDownButtonCaption() const;
    void SetDropDownButtonCaption(const QString& v);

    // ---- edit -------------------------------------------------------------------------------
    // The value: the edit text without prefix and suffix.
    QString Text() const;
    // The value through the edit-type rules; remembered as the text a cancelled popup restores.
    virtual void SetText(const QString& value);
    // Writes the text as it stands: no prefix, suffix, formatting, remembered text or modified
    // flag (live updates while the popup is open, cell editors).
    void SetRawText(const QString& value);

    // 0: no limit. It restrains typing and pasting only: a text the program writes stays whole
    // (Qt's own limit would cut it, so the edit's limit stays off).
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v) { FMaxLength = v > 0 ? v : 0; }
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool v);
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool v) { FAutoSelect = v; }
    TDropDownEditType EditType() const { return FEditType; }
    void SetEditType(TDropDownEditType v);
    const QString& Prefix() const { return FPrefix; }
    void SetPrefix(const QString& v) { FPrefix = v; }
    const QString& Suffix() const { return FSuffix; }
    void SetSuffix(const QString& v) { FSuffix = v; }
    int LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(int v) { FLengthLimit = std::int16_t(v); }
    int Precision() const { return FPrecision; }
    // Decimals of etString, etFloat and etMoney (other types keep theirs); the value is
    // reformatted.
    void SetPrecision(int v);
    bool Signed() const { return FSigned; }
    void SetSigned(bool v) { FSigned = v; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    bool AllowNumericNullValue() const { return FAllowNumericNullValue; }
    void SetAllowNumericNullValue(bool v) { FAllowNumericNullValue = v; }
    bool DefaultHandling() const { return FDefaultHandling; }
    void SetDefaultHandling(bool v) { FDefaultHandling = v; }
    bool CanUndo() const { return FCanUndo; }
    void SetCanUndo(bool v) { FCanUndo = v; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool v) { FExcelStyleDecimalSeparator = v; }
    const QString& ValidChars() const { return FValidChars; }
    void SetValidChars(const QString& v) { FValidChars = v; }
    bool AutoThousandSeparator() const { return FAutoThousandSeparator; }
    void SetAutoThousandSeparator(bool v) { FAutoThousandSeparator = v; }
    bool FocusDraw() const { return FFocusDraw; }
    void SetFocusDraw(bool v) { FFocusDraw = v; }
    bool IsModified() const { return FIsModified; }
    // The text's formatting rectangle in client coordinates, left of the button.
    const grid::TRect& EditRect() const { return FEditRect; }
    void SetModifiedState(bool v);

    // The value's selection rules.
    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();

    // ---- numbers by edit type (QvDropDown/edittype.cpp, rules in EditTypeRules.h) -------------
    // The value as a number (0 for a text that is none, and for "Error").
    double FloatValue() const;
    void SetFloatValue(double v);
    void SetIntValue(int v);
    // Rewrites an etMoney value with grouping.
    void ApplyThousandSeparators();
    // The rules' settings as they stand now, with the user's separators read afresh.
    TEditTypeSettings EditTypeSettings() const;

    // ---- look -------------------------------------------------------------------------------
    // The edit's background.
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    enum TBorderStyle { bsNone, bsSingle };
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor v) { FFocusBorderColor = v; }
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool v);
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor v) { FSelectionColor = v; }
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor v) { FSelectionColorTo = v; }
    TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
    // Loads the selection colours of the named styles; scCustom keeps them.
    virtual void SetSelectionColorStyle(TSelectionColorStyle v);
    // A selected item of a popup list: the selection colours solid (scCustom) or in a rounded
    // frame of the style; kind and corner colour as DrawRoundedFrame takes them.
    virtual void DrawSelection(QPainter& canvas, const grid::TRect& r, TColor cornerColor, int kind);
    // Steps bands from one colour to the other over r.
    virtual void DrawDropDownGradient(QPainter& canvas, TColor fromColor, TColor toColor, int steps,
                                      const grid::TRect& r, TGradientDirection direction);
    // The hot and selected item colours of a colour scheme (the item pickers call it from their
    // own SetComponentStyle); nothing for no look or tsCustom.
    static void ApplyItemAppearanceStyle(TItemAppearance* appearance, TVLXStyle style);
    // Images of the popup header and footer: the grid's image list (not owned).
    const grid::TCustomImageList* Images() const { return FImages; }
    void SetImages(const grid::TCustomImageList* v) { FImages = v; }
    // Colours of the popup bars' buttons.
    TQvButtonAppearance& ButtonAppearance() { return FButtonAppearance; }
    const TQvButtonAppearance& ButtonAppearance() const { return FButtonAppearance; }
    void SetButtonAppearance(const TQvButtonAppearance& v) { FButtonAppearance.Assign(v); }
    // Height the control keeps at least: the font's height plus a quarter of the smaller of it
    // and the system font's.
    int MinimumHeight() const;
    // "1.2.3.4" from VersionNumber, most significant byte first; writing is ignored.
    QString Version() const;
    void SetVersion(const QString&) {}

    // grid::IVLXStyle
    void SetComponentStyle(TVLXStyle style) override;
    TVLXStyle GetComponentStyle() const override { return FVLXStyle; }
    virtual void SetColorTones(const grid::TColorTones& tones);

    // ---- label ------------------------------------------------------------------------------
    QString LabelCaption() const;
    void SetLabelCaption(const QString& v);
    QLabel* EditLabel() const { return FLabel; }
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition v);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int v);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool v);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool v) { FLabelAlwaysEnabled = v; }
    const TFont& LabelFont() const { return FLabelFont; }
    // Taken only while the control's font is not inherited from its parent.
    void SetLabelFont(const TFont& v);

    // ---- whole control ----------------------------------------------------------------------
    // Takes the settings of another drop-down; any other source changes nothing.
    void Assign(const QObject* source);
    // What a form loader runs once the control's properties are read.
    virtual void Loaded();
    void SetBounds(int left, int top, int width, int height) { setGeometry(left, top, width, height); }

    // ---- entry points of the cell editors ---------------------------------------------------
    // The key-down step: the edit's own key-down handling (OnKeyDown), then Alt+Up or Alt+Down
    // opens the popup, or closes it when it is open.
    virtual void DropDownKeyDown(int& key, Qt::KeyboardModifiers shift);
    // The key-press step: OnKeyPress, then a Return character is dropped.
    virtual void DropDownKeyPress(QChar& key);
    // The edit's event dispatcher; repaints the drop button when the read-only state changes.
    virtual bool DropDownWindowProc(QEvent* e);
    // Receiving the focus (from any cause, the popup's closing included).
    virtual void HandleSetFocus(QFocusEvent* e);
    // Escape and Return met in the window system's key dispatch (not keys forwarded from the
    // popup): Escape selects the value, clears the modified state and, with DefaultHandling, is
    // posted on to the parent; Return is posted to a parent that holds the focus. Answers 1
    // when the control keeps the key (Escape while the popup is open). Without a parent form
    // nothing happens at all.
    virtual int CMWantSpecialKey(int& key);

    // Forwarding into the edit, as the popup and its control do: a key-down, a character and a
    // key-up, each through the edit's own rules as if typed there.
    void SendKeyDown(int key, Qt::KeyboardModifiers shift);
    void SendChar(QChar key, Qt::KeyboardModifiers shift);
    void SendKeyUp(int key, Qt::KeyboardModifiers shift);

    // ---- events -----------------------------------------------------------------------------
    TNotifyEvent OnBeforeDropDown;
    TDropDown OnDropDown;
    TNotifyEvent OnBeforeDropUp;
    TDropUp OnDropUp;
    TDropDownButtonItemClick OnDropDownHeaderButtonClick;
    TDropDownButtonItemClick OnDropDownFooterButtonClick;
    TDrawBackGroundEvent OnDrawHeader;
    TDrawBackGroundEvent OnDrawFooter;
    TGetTextEvent OnGetHeaderText;
    TGetTextEvent OnGetFooterText;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardPaste;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;
    // The edit's own events.
    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    // The second construction step (see the head of this file).
    void ConstructDropDown();
    // True until the second construction step has finished.
    bool Constructing() const { return !FConstructed; }

    // ---- virtual operations, in the order the pickers meet them -----------------------------
    virtual void LabelClick();
    virtual void LabelDblClick();
    virtual int VersionNumber() const { return 0x01020304; }
    // Creates the popup once; pickers call this first, then create their control on it.
    virtual void CreateDropDownForm();
    virtual void CreateDropDownButton();
    virtual void SizeDropDownButton();
    // OnBeforeDropDown; pickers then fill their control and set Control.
    virtual void BeforeDropDown();
    // Called with the height the popup is about to take, just before it is moved on screen.
    virtual void AdjustDropDownHeight(int& height) { (void)height; }
    virtual void FocusDropDownControl();
    virtual void OpenDropDown();
    virtual void PlaceControl();
    virtual void SizeDropDown();
    virtual void CloseDropDown(bool cancelChanges);
    // After the popup hid: DroppedDown cleared and the focus back in the edit.
    virtual void DropDownClosed();
    virtual void DropDownFormDestroyed() {}
    virtual void FormWheelDown(Qt::KeyboardModifiers shift, const QPoint& mousePos, bool& handled);
    virtual void FormWheelUp(Qt::KeyboardModifiers shift, const QPoint& mousePos, bool& handled);
    virtual void FormKeyPress(QChar& key);
    virtual void FormKeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void FormKeyUp(int& key, Qt::KeyboardModifiers shift);
    virtual void ControlKeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void ControlKeyUp(int& key, Qt::KeyboardModifiers shift);
    virtual void ControlKeyPress(QChar& key);
    virtual void DropDownResized() {}
    virtual void WheelDown() {}
    virtual void WheelUp() {}
    virtual void PaintFocusedText(QPainter& canvas);
    virtual void SetEditRect();
    virtual void ArrangeButton();
    // The edit's change notice (text changed by the user or by code) firing OnChange.
    virtual void Change();
    // The drop button's left mouse-up: opens the popup unless it lost activation within the
    // last 250 ms (the click that closed it).
    void DropButtonClick();

    // ---- the edit's message rules (the edit-type unit adds its own stages) ------------------
    // A key-down as the window system delivers it.
    virtual void WMKeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void WMChar(QChar& key, Qt::KeyboardModifiers shift);
    virtual void WMKeyUp(int& key, Qt::KeyboardModifiers shift);
    virtual void WMCut();
    virtual void WMCopy();
    virtual void WMPaste();
    // The edit's built-in handling of a key-down, a character and a key-up.
    void DefaultKeyDown(int key, Qt::KeyboardModifiers shift);
    void DefaultChar(QChar key, Qt::KeyboardModifiers shift);
    void DefaultKeyUp(int key, Qt::KeyboardModifiers shift);

    // ---- layout helpers ---------------------------------------------------------------------
    // Width of the window border (the client edge): 2 for a 3-D single border, 1 for a plain
    // one, 0 without.
    int BorderSize() const;
    QRect ClientRect() const;
    // Character index under a point of the edit.
    int CharIndexAt(const QPoint& p) { return cursorPositionAt(p); }
    void PositionLabel();
    void PaintBorder(QPainter& canvas);
    void DrawBorder(QPainter& canvas);
    void UpdateButtonFocus();
    bool Hot() const;

    // ---- Qt events --------------------------------------------------------------------------
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void changeEvent(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

public:
    void setVisible(bool visible) override;

protected:
    // Fields shared with the pickers and the colour and edit-type units.
    platform::Desktop* FDesktop;
    QPointer<QLabel> FLabel;
    bool FParentFnt = false;
    int FDropDownWidth = 0;
    int FDropDownHeight = 0;
    int FUserDropDownWidth = -1;
    int FUserDropDownHeight = -1;
    bool FEditorEnabled = true;
    TDropPosition FDropPosition = dpAuto;
    bool FFlat = false;
    const grid::TCustomImageList* FImages = nullptr;
    bool FDropDownShadow = true;
    int FDropDownBorderWidth = 1;
    QString FButtonHint;
    TColor FDropDownColorTo = clNone;
    TColor FDropDownColor = platform::clWhite;
    TColor FDropDownBorderColor = platform::clBlack;
    int FButtonWidth = 17;
    bool FMouseInControl = false;
    QPointer<QWidget> FFocusControl;
    grid::THeaderAppearance FDropDownHeader;
    grid::TFooterAppearance FDropDownFooter;
    TQvButtonAppearance FButtonAppearance;
    QPointer<QWidget> FControl;
    TGradientDirection FDropDownGradient = grid::gdHorizontal;
    bool FDropDownSizeable = true;
    TColor FSelectionColor = clNone;
    TColor FSelectionColorTo = clNone;
    TSelectionColorStyle FSelectionColorStyle = scOffice2007;
    TDropDownEditType FEditType = etString;
    std::int16_t FLengthLimit = 0;
    std::int16_t FPrecision = 0;
    QString FPrefix;
    QString FSuffix;
    bool FSigned = false;
    bool FReturnIsTab = false;
    // Visual styles possible (common controls 6 and later everywhere here).
    bool FIsThemed = true;
    bool FBlockChange = false;
    int FMaxLength = 0;
    bool FAllowNumericNullValue = false;
    bool FDefaultHandling = true;
    bool FCanUndo = true;
    bool FExcelStyleDecimalSeparator = false;
    QString FValidChars;
    bool FBlockCopy = false;
    bool FButtonDown = false;
    bool FAutoThousandSeparator = true;
    bool FIsModified = false;
    grid::TRect FEditRect;
    bool FDropDownEnabled = false;
    bool FDroppedDown = false;
    bool FFocusDraw = true;
    bool FForceShadow = false;
    TVLXStyle FVLXStyle = grid::tsOffice2007Luna;
    int FLabelMargin = 0;
    TLabelPosition FLabelPosition = lpLeftTop;
    bool FLabelAlwaysEnabled = false;
    bool FLabelTransparent = false;
    TFont FLabelFont;
    TColor FBorderColor = clNone;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = true;
    QPointer<TDropDownForm> FDropDownForm;
    QPointer<TDropDownEditButton> FButton;
    QString FOldText;

    // Qt-side state.
    TColor FColor = platform::clWindow;
    bool FAutoSelect = true;
    TBorderStyle FBorderStyle = bsSingle;
    bool FCtl3D = true;
    bool FConstructionStarted = false;
    bool FConstructed = false;
    bool FDestroying = false;

private:
    void bindLooks();
    void labelFontChanged();
    void applyCaretVisibility();
    class CaretStyle;
    friend class TDropDownForm;
    friend class EditTypeHost;
    friend class ControlKeyFilter;
    friend class LabelEvents;
    CaretStyle* FCaretStyle = nullptr;
    QObject* FControlKeys = nullptr;
};

} // namespace dropdowns
