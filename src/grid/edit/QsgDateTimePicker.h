#pragma once
// The date picker of the grid's date editor: the platform picker with, in its metro look, a
// frame and a drop button of its own drawn by the combo's paint steps (QsgCombo.h) with the
// pickers' row of differences. TPickerLookBase holds the look the date pickers share;
// TQsgDateTimePicker is the plain one, QvDateTimePicker.h adds the automatic advance and the
// labelled date-and-time picker.
//
// Paint order (Qt has no non-client area, so both passes paint the whole widget after the
// platform's painting): the non-client pass (outline with Ctl3D off, the frame when a border
// colour asks for it), then the client pass (own drop button in the metro look, outline,
// frame).

#include "grid/GridTypes.h"
#include "grid/edit/QsgCombo.h"
#include "grid/look/GridLooks.h"
#include "platform/DateTimePicker.h"

namespace grid {

// The grid's day count and the picker's wall-clock value; milliseconds are kept.
QDateTime DateTimeToQDateTime(TDateTime value);
TDateTime QDateTimeToDateTime(const QDateTime& value);

// What each picker class paints differently, one row per class.
struct TPickerPaintRow {
    int OwnButtonLeft;            // metro look, active style: the platform's button area starts
                                  // this far left of the drop button
    bool OutlineInPaint;          // Ctl3D off: the client pass draws the outline too
    bool OutlineNeedsBorderColor; // Ctl3D off: the non-client outline only with a BorderColor
};

class TPickerLookBase : public platform::TDateTimePicker {
    Q_OBJECT
public:
    TPickerLookBase(const TPickerPaintRow& row, QWidget* parent);

    TColor FocusBorderColor = clNone;
    TColor ButtonColor = clNone, ButtonColorHot = clNone, ButtonColorDown = clNone;
    TColor ButtonTextColor = clNone, ButtonTextColorHot = clNone, ButtonTextColorDown = clNone;
    TColor ButtonBorderColor = clNone;
    bool FocusBorder = false;
    bool DisabledBorder = false;

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    bool MetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(bool v);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    int ButtonWidth() const { return FButtonWidth; }

    virtual bool MetroLookActive() const { return FMetroStyle; }
    // Visual styles were there at creation and a theme is active now.
    bool UseThemes() const;
    // The look settings and the state the paint steps read now.
    TDropLook Look() const;

    // The value as the grid holds it.
    TDateTime DateTime() const { return QDateTimeToDateTime(platform::TDateTimePicker::DateTime()); }
    virtual void SetDateTime(TDateTime v) { platform::TDateTimePicker::SetDateTime(DateTimeToQDateTime(v)); }
    TDateTime Date() const;
    void SetDate(TDateTime v);
    TDateTime Time() const;
    void SetTime(TDateTime v);

protected:
    virtual void SetBorderStyle(TBorderStyle v);
    // The one-pixel outline's colour with Ctl3D off.
    QColor OutlineColor() const;

    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

    bool FMouseInControl = false;
    bool FMouseInButton = false;
    bool FHasFocus = false;
    // This platform counts as Windows XP and later with the themed common controls.
    const bool FIsWinXP = true;
    const bool FStylesAtCreation = true;

private:
    void paintNonClient(QPainter& p, const TDropLook& look);
    void paintClient(QPainter& p, const TDropLook& look);

    TPickerPaintRow FRow;
    TColor FBorderColor = clNone;
    bool FMetroStyle = false;
    bool FCtl3D = true;
    TBorderStyle FBorderStyle = bsNone;
    int FButtonWidth = 18;
};

class TQsgDateTimePicker : public TPickerLookBase {
    Q_OBJECT
public:
    explicit TQsgDateTimePicker(QWidget* parent = nullptr);

    QString Version() const { return QStringLiteral("1.0.0.0"); }
    void SetVersion(const QString&) {}
};

} // namespace grid
