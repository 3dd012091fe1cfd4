#include "grid/edit/QsgDateTimePicker.h"

#include "grid/look/QvXPVS.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include <cmath>

namespace grid {

namespace {

const QDate kDayZero(1899, 12, 30);
constexpr qint64 kMsecsPerDay = 86400000;

// Frame colour of a disabled box and of the outline under the themed controls.
constexpr TColor kStyledFrame = 0xB99D7F;

QColor rgb(TColor c)
{
    return platform::toQColor(platform::colorToRGB(c));
}

// A parent's own colour: the field colour of an editing control, else its background.
QColor controlColor(const QWidget& w)
{
    return w.palette().color(qobject_cast<const QAbstractSpinBox*>(&w) ? QPalette::Base : QPalette::Window);
}

void outline(QPainter& p, const QRect& r, const QColor& c)
{
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), c);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), c);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), c);
}

} // namespace

// Before the day zero the fraction still counts forward from midnight: -1.25 is 29 December
// 1899, 06:00.
QDateTime DateTimeToQDateTime(TDateTime value)
{
    const double days = std::trunc(value);
    qint64 ms = std::llround(std::fabs(value - days) * kMsecsPerDay);
    qint64 day = qint64(days);
    if (ms >= kMsecsPerDay) {
        ms -= kMsecsPerDay;
        day += value < 0 ? -1 : 1;
    }
    return QDateTime(kDayZero.addDays(day), QTime::fromMSecsSinceStartOfDay(int(ms)), Qt::UTC);
}

TDateTime QDateTimeToDateTime(const QDateTime& value)
{
    const double days = double(kDayZero.daysTo(value.date()));
    const double frac = value.time().msecsSinceStartOfDay() / double(kMsecsPerDay);
    return days < 0 ? days - frac : days + frac;
}

TPickerLookBase::TPickerLookBase(const TPickerPaintRow& row, QWidget* parent)
    : platform::TDateTimePicker(parent), FRow(row)
{
    FButtonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    setMouseTracking(true);
}

void TPickerLookBase::SetBorderColor(TColor v)
{
    if (v == FBorderColor)
        return;
    FBorderColor = v;
    update();
}

void TPickerLookBase::SetMetroStyle(bool v)
{
    if (v == FMetroStyle)
        return;
    FMetroStyle = v;
    update();
}

void TPickerLookBase::SetCtl3D(bool v)
{
    FCtl3D = v;
    update();
}

void TPickerLookBase::SetBorderStyle(TBorderStyle v)
{
    if (v == FBorderStyle)
        return;
    FBorderStyle = v;
    update();
}

bool TPickerLookBase::UseThemes() const
{
    return FStylesAtCreation && IsThemeActive();
}

TDateTime TPickerLookBase::Date() const
{
    return std::trunc(DateTime());
}

void TPickerLookBase::SetDate(TDateTime v)
{
    const QDateTime now = platform::TDateTimePicker::DateTime();
    platform::TDateTimePicker::SetDateTime(QDateTime(DateTimeToQDateTime(v).date(), now.time(), Qt::UTC));
}

TDateTime TPickerLookBase::Time() const
{
    // From the clock itself: the fraction of a large day count has lost digits.
    return platform::TDateTimePicker::DateTime().time().msecsSinceStartOfDay() / double(kMsecsPerDay);
}

void TPickerLookBase::SetTime(TDateTime v)
{
    const QDateTime now = platform::TDateTimePicker::DateTime();
    platform::TDateTimePicker::SetDateTime(QDateTime(now.date(), DateTimeToQDateTime(v).time(), Qt::UTC));
}

TDropLook TPickerLookBase::Look() const
{
    TDropLook l;
    l.BorderColor = FBorderColor;
    l.FocusBorderColor = FocusBorderColor;
    l.ButtonColor = ButtonColor;
    l.ButtonColorHot = ButtonColorHot;
    l.ButtonColorDown = ButtonColorDown;
    l.ButtonTextColor = ButtonTextColor;
    l.ButtonTextColorDown = ButtonTextColorDown;
    l.ButtonBorderColor = ButtonBorderColor;
    l.FocusBorder = FocusBorder;
    l.DisabledBorder = DisabledBorder;
    l.IsWinXP = FIsWinXP;
    l.ButtonWidth = FButtonWidth;
    l.Size = size();
    l.Enabled = isEnabled();
    l.Focused = FHasFocus;
    l.ActiveControl = hasFocus();
    l.MouseInControl = FMouseInControl;
    l.MouseInButton = FMouseInButton;
    l.MouseDown = QApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton);
    l.Dropped = DroppedDown();
    l.StylesAtCreation = FStylesAtCreation;
    l.UseThemes = UseThemes();
    l.MetroLook = MetroLookActive();
    l.Color = palette().color(QPalette::Base);
    l.ParentColor = parentWidget() ? controlColor(*parentWidget()) : controlColor(*this);
    return l;
}

QColor TPickerLookBase::OutlineColor() const
{
    if (FBorderStyle == bsNone && parentWidget())
        return controlColor(*parentWidget());
    return rgb(FStylesAtCreation ? kStyledFrame : FBorderColor);
}

void TPickerLookBase::paintEvent(QPaintEvent* e)
{
    platform::TDateTimePicker::paintEvent(e);
    const TDropLook look = Look();
    QPainter p(this);
    paintNonClient(p, look);
    paintClient(p, look);
}

void TPickerLookBase::paintNonClient(QPainter& p, const TDropLook& look)
{
    const int w = width(), h = height();
    if (!FCtl3D && (!FRow.OutlineNeedsBorderColor || FBorderColor != clNone)) {
        outline(p, rect(), OutlineColor());
        if (const QWidget* parent = parentWidget()) {
            const QColor c = controlColor(*parent);
            p.fillRect(QRect(1, 1, 1, h - 2), c);
            p.fillRect(QRect(1, 1, w - 2, 1), c);
        }
    }
    const bool disabledFrame = !isEnabled() && UseThemes() && !DisabledBorder;
    if (disabledFrame || (FocusBorderColor != clNone && hasFocus()) || FBorderColor != clNone)
        PaintBorder(p, PickerLookRules, look);
}

void TPickerLookBase::paintClient(QPainter& p, const TDropLook& look)
{
    // Without the metro look a 3D picker is the platform's alone, whatever the colours.
    if (FCtl3D && !MetroLookActive())
        return;
    const int w = width(), h = height();
    if (MetroLookActive() && Kind() == platform::dtkDate) {
        // The platform's own button goes under the control's brush; ours is drawn on it.
        const QRect platformButton = UseThemes()
                                         ? QRect(QPoint(w - FButtonWidth - FRow.OwnButtonLeft, 1), QPoint(w - 1, h - 1))
                                         : QRect(QPoint(w - FButtonWidth - 2, 4), QPoint(w - 3, h - 5));
        p.fillRect(platformButton, look.Color);
        PaintDropButton(p, this, PickerLookRules, look);
    }
    if (!FCtl3D && FRow.OutlineInPaint) {
        const QColor c = OutlineColor();
        outline(p, rect(), c);
        if (!UseThemes())
            outline(p, rect().adjusted(1, 1, -1, -1), c);
    }
    PaintBorder(p, PickerLookRules, look);
}

void TPickerLookBase::changeEvent(QEvent* e)
{
    platform::TDateTimePicker::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        update();
}

void TPickerLookBase::focusInEvent(QFocusEvent* e)
{
    platform::TDateTimePicker::focusInEvent(e);
    FHasFocus = true;
    update();
}

void TPickerLookBase::focusOutEvent(QFocusEvent* e)
{
    platform::TDateTimePicker::focusOutEvent(e);
    FHasFocus = false;
    update();
}

void TPickerLookBase::enterEvent(QEnterEvent* e)
{
    platform::TDateTimePicker::enterEvent(e);
    if (!isEnabled())
        return;
    FMouseInControl = true;
    update();
}

void TPickerLookBase::leaveEvent(QEvent* e)
{
    platform::TDateTimePicker::leaveEvent(e);
    if (isEnabled())
        FMouseInControl = false;
    FMouseInButton = false;
    update();
}

void TPickerLookBase::mouseMoveEvent(QMouseEvent* e)
{
    platform::TDateTimePicker::mouseMoveEvent(e);
    const int x = int(e->position().x());
    const bool in = x > width() - FButtonWidth && x < width();
    if (in != FMouseInButton) {
        FMouseInButton = in;
        update();
    }
}

TQsgDateTimePicker::TQsgDateTimePicker(QWidget* parent) : TPickerLookBase({15, false, true}, parent) {}

} // namespace grid
