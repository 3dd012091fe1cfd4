#pragma once
// A combo box with a flat look of its own (frame and drop button), optional frame, focus and
// button colours, an attached caption label on any of thirteen places around the box, a bold
// label while focused, focus on hover, a width for the dropped list and an event when the
// list closes. The grid's combo cell editor derives from it.

#include "grid/GridTypes.h"

#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QPointer>

#include <functional>

class QPainter;

namespace grid {

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
    lpRighBottom
};

// ---- the look shared with the date pickers ---------------------------------------------------
// The combo and the date pickers draw their frame, button well and drop button with the same
// four steps; where the pickers differ, a row of TDropLookRules says how. Each step paints the
// whole widget (Qt has no non-client area) after the platform's own painting.

// One paint's view of a control with a drop button: its look settings and its state now.
struct TDropLook {
    bool Flat = false;
    TColor BorderColor = clNone;
    TColor FocusBorderColor = clNone;
    TColor FlatLineColor = clNone;
    TColor ButtonColor = clNone, ButtonColorHot = clNone, ButtonColorDown = clNone;
    TColor ButtonTextColor = clNone, ButtonTextColorDown = clNone;
    TColor ButtonBorderColor = clNone;
    bool FocusBorder = false;
    bool DisabledBorder = true;
    bool IsWinXP = false;
    bool IsVista = false;
    int ButtonWidth = 18;

    QSize Size; // window and client area alike
    bool Enabled = true;
    bool Focused = false;       // the focused flag kept by enter and exit
    bool ActiveControl = false; // the control holds the keyboard focus
    bool MouseInControl = false;
    bool MouseInButton = false;
    bool MouseDown = false; // left or right button held
    bool Dropped = false;
    bool StylesAtCreation = true; // this platform always offers the themed controls
    bool UseThemes = false;
    bool MetroLook = false;
    QColor Color;       // the control's own colour
    QColor ParentColor; // the parent's background
};

struct TDropLookRules {
    bool BorderOnlyInMetroLook; // PaintBorder draws only while the metro look is active
    bool FlatLine;              // the flat look's line under the text area
    bool RaisedWellWhenHot;     // button well while hot or focused: a raised edge
    int ButtonFaceLeft;         // custom button face: left edge relative to the button's
    int ArrowLeft;              // custom button arrow: first corner's x relative to the button's
    TRect ClassicAdjust;        // classic button: added to the button's edges
};

inline constexpr TDropLookRules ComboLookRules{false, true, false, -1, 4, {-4, 1, 0, -1}};
inline constexpr TDropLookRules PickerLookRules{true, false, true, 2, 5, {0, 0, 0, 0}};

// Frame and button well, when the look asks for them.
void PaintBorder(QPainter& p, const TDropLookRules& rules, const TDropLook& look);
void PaintFrame(QPainter& p, const TDropLookRules& rules, const TDropLook& look);
void PaintButtonWell(QPainter& p, const TDropLookRules& rules, const TDropLook& look);
// Custom, themed ("combobox" part 1) or classic drop button at the right end.
void PaintDropButton(QPainter& p, QWidget* window, const TDropLookRules& rules, const TDropLook& look);

// How a caption label stands next to its box.
struct TLabelPlace {
    TLabelPosition Position = lpLeftTop;
    int Margin = 4;
    bool Transparent = false;
};
// The combo measures the caption as the platform's text drawing does, the pickers take the
// canvas text width.
enum class TLabelMeasure { DrawTextRect, TextWidth };
// Places a caption label beside its box and shows it with the box.
void UpdateLabel(QLabel& label, const QWidget& box, const TLabelPlace& place, TLabelMeasure measure);

class TQsgCustomCombo : public QComboBox {
    Q_OBJECT
public:
    explicit TQsgCustomCombo(QWidget* parent = nullptr);
    ~TQsgCustomCombo() override;

    bool AutoFocus = false;
    bool FocusBorder = false;
    bool FocusLabel = false;
    bool DisabledBorder = true;
    bool IsWinXP = false;
    bool IsVista = false;
    TColor FocusColor = clNone;
    TColor FocusBorderColor = clNone;
    TColor ButtonColor = clNone, ButtonColorHot = clNone, ButtonColorDown = clNone;
    TColor ButtonTextColor = clNone, ButtonTextColorDown = clNone, ButtonTextColorHot = clNone;
    TColor ButtonBorderColor = clNone;
    std::function<void(QObject*)> OnDropUp;

    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    bool Etched() const { return FEtched; }
    void SetEtched(bool v)
    {
        FEtched = v;
        update();
    }
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int v);
    int DropWidth() const { return FDropWidth; }
    void SetDropWidth(int v);
    TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(TColor v)
    {
        FFlatLineColor = v;
        update();
    }
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool v)
    {
        FFlatParentColor = v;
        update();
    }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);

    QString LabelCaption() const { return FLabel ? FLabel->text() : QString(); }
    void SetLabelCaption(const QString& v);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition v)
    {
        FLabelPosition = v;
        UpdateLabel();
    }
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int v)
    {
        FLabelMargin = v;
        UpdateLabel();
    }
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool v)
    {
        FLabelTransparent = v;
        UpdateLabel();
    }
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool v)
    {
        FLabelAlwaysEnabled = v;
        UpdateLabel();
    }
    // The label's font while the box has a font of its own (not ParentFont); with the
    // parent's font the label follows the box and a write is ignored.
    const QFont& LabelFont() const { return FLabelFont; }
    void SetLabelFont(const QFont& v);
    // The box shows its parent's font (no font was set on it).
    bool ParentFont() const { return !testAttribute(Qt::WA_SetFont); }
    QLabel* ComboLabel() const { return FLabel; }

    // Remembers the current colour as the one restored after focus.
    void Init() { FNormalColor = FColor; }
    // Selects the first item equal to the text; an absent text changes nothing.
    void SelectItem(const QString& s);
    // Places the label by its position and margin.
    void UpdateLabel();

    void setVisible(bool visible) override;
    void showPopup() override;
    void hidePopup() override;
    bool Dropped() const { return FDropped; }
    // Visual styles can be used: the grid's theme table is bound and a theme is active.
    bool UseThemes() const;
    // The look settings and the state the paint steps read now.
    TDropLook Look() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

    bool FMouseInControl = false;
    bool FMouseInButton = false;
    bool FHasFocus = false;
    bool FDropped = false;

private:
    void applyColor(TColor c);

    bool FFlat = false;
    bool FEtched = false;
    int FButtonWidth = 18;
    int FDropWidth = 0;
    TColor FFlatLineColor = clNone;
    bool FFlatParentColor = true;
    TColor FBorderColor = clNone;
    TColor FColor = platform::clWindow;
    TColor FLoadedColor = platform::clWindow;
    TColor FNormalColor = platform::clWindow;
    TColor FDisabledSavedColor = clNone;
    QPointer<QLabel> FLabel;
    TLabelPosition FLabelPosition = lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FLabelAlwaysEnabled = false;
    QFont FLabelFont;
    void applyLabelFont();
};

// Publishes the combo's properties; adds nothing.
class TQsgComboBox : public TQsgCustomCombo {
    Q_OBJECT
public:
    using TQsgCustomCombo::TQsgCustomCombo;
};

} // namespace grid
