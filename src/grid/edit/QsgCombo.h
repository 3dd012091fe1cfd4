#pragma once
// A combo box with a flat look of its own (frame and drop button), optional frame, focus and
// button colours, an attached caption label on any of thirteen places around the box, a bold
// label while focused, focus on hover, a width for the dropped list and an event when the
// list closes. The grid's combo cell editor derives from it.

#include "grid/GridTypes.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>

#include <functional>

namespace grid {

enum TLabelPosition {
    lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
    lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom
};

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
    void SetEtched(bool v) { FEtched = v; update(); }
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int v);
    int DropWidth() const { return FDropWidth; }
    void SetDropWidth(int v);
    TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(TColor v) { FFlatLineColor = v; update(); }
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool v) { FFlatParentColor = v; update(); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);

    QString LabelCaption() const { return FLabel ? FLabel->text() : QString(); }
    void SetLabelCaption(const QString& v);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition v) { FLabelPosition = v; UpdateLabel(); }
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int v) { FLabelMargin = v; UpdateLabel(); }
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool v) { FLabelTransparent = v; UpdateLabel(); }
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool v) { FLabelAlwaysEnabled = v; UpdateLabel(); }
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
};

// Publishes the combo's properties; adds nothing.
class TQsgComboBox : public TQsgCustomCombo {
    Q_OBJECT
public:
    using TQsgCustomCombo::TQsgCustomCombo;
};

} // namespace grid
