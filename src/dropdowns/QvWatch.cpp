// The analog clock: time of day helpers, its two settings objects, geometry, painting, mouse,
// keys, setting hour and minute with their animation, the AM/PM switch and automatic mode.
// The style presets and colour schemes are in QvWatch/styles.cpp.

#include "dropdowns/QvWatch.h"

#include "grid/look/QvDropXPVS.h"
#include "platform/Desktop.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QThread>

#include <cmath>
#include <numbers>

namespace dropdowns {

using platform::clNone;

namespace {

constexpr double kMsecsPerDay = 86400000.0;
constexpr int kWatchTimerMs = 100;
constexpr int kAnimationTimerMs = 1;
// The AM/PM box scrolls one row per frame with this pause between frames.
constexpr unsigned long kAMPMScrollFrameMs = 10;

// Rounding to nearest, halves to the even neighbour.
int round(double v)
{
    return int(std::nearbyint(v));
}

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

bool isSet(TColor c)
{
    return c != clNone;
}

QColor qcolor(TColor c)
{
    return platform::toQColor(c);
}

QPen pen(TColor c, int width)
{
    QPen p(qcolor(c));
    p.setWidth(std::max(1, width));
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

// A point at distance d in direction a (degrees clockwise from 12 o'clock) from (cx, cy).
QPointF polar(double cx, double cy, double d, double a)
{
    return {cx + d * std::sin(radians(a)), cy - d * std::cos(radians(a))};
}

QPoint rounded(QPointF p)
{
    return {round(p.x()), round(p.y())};
}

// The platform's rectangle (right and bottom outside) as Qt draws an outline or a fill in it.
QRect outline(const QRect& r)
{
    return r.adjusted(0, 0, -1, -1);
}

} // namespace

// ---- time of day ------------------------------------------------------------------------------

void DecodeTime(TDateTime t, int& hour, int& minute, int& second, int& msec)
{
    const double fraction = std::abs(t - std::trunc(t));
    long long ms = std::llround(fraction * kMsecsPerDay);
    if (ms >= static_cast<long long>(kMsecsPerDay))
        ms = 0;
    hour = int(ms / 3600000);
    minute = int(ms / 60000 % 60);
    second = int(ms / 1000 % 60);
    msec = int(ms % 1000);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / kMsecsPerDay;
}

TDateTime ReplaceTime(TDateTime t, int hour, int minute, int second, int msec)
{
    return std::trunc(t) + EncodeTime(hour, minute, second, msec);
}

TDateTime DateTimeFromQt(const QDateTime& dt)
{
    static const QDate epoch(1899, 12, 30);
    const QTime time = dt.time();
    return double(epoch.daysTo(dt.date())) + time.msecsSinceStartOfDay() / kMsecsPerDay;
}

// ---- appearance and settings ------------------------------------------------------------------

void TWatchAppearance::Reset()
{
    FSize = 0;
    FHourPointer = 0x000000;
    FBackgroundColor = 0xFFFFFF;
    FMinutePointerShadow = platform::clBtnShadow;
    FBackgroundColorTo = clNone;
    FHourPointerShadow = platform::clBtnShadow;
    FSecondPointerShadow = platform::clBtnShadow;
    FSecondPointer = 0x0000FF;
    FBorderColor = 0x000000;
    FMinutePointer = 0x000000;
    FHourFont = TFont{QStringLiteral("Tahoma"), 8, 0, platform::clWindowText};
    FAMPMFont = TFont{QStringLiteral("Tahoma"), 10, 0, platform::clWindowText};
    FPicture = QImage();
    FAMPMFrame = apRect;
    FWatchShape = wsCircle;
    FPointerStyle = psLine;
    FBorderStyle = wbLine;
    FHourPointerSize = 4;
    FSecondPointerSize = 1;
    FMinutePointerSize = 3;
    FHourColor = 0x000000;
    FMinuteColor = 0x808080;
    FCenterPointSize = 4;
    FCenterPointColor = 0x000000;
    FCenterPointBorderColor = clNone;
    FBackgroundGradient = wgVertical;
    FRounding = 5;
    FHourMarkLength = 0;
    FHourMarkWidth = 1;
    FMinuteMarkLength = 0;
    FMinuteMarkWidth = 1;
    FBorderWidth = 4;
    FAMPMColor = 0xFFFFFF;
    FAMPMBorderColor = 0x000000;
    FCenterPointOuterBorderColor = clNone;
    FTickMarks = tmAll;
    FHourMarkStyle = hmsLine;
}

void TWatchAppearance::Assign(const TWatchAppearance& s)
{
    if (&s == this)
        return;
    FSize = s.FSize;
    FHourPointer = s.FHourPointer;
    FBackgroundColor = s.FBackgroundColor;
    FMinutePointerShadow = s.FMinutePointerShadow;
    FBackgroundColorTo = s.FBackgroundColorTo;
    FHourPointerShadow = s.FHourPointerShadow;
    FSecondPointerShadow = s.FSecondPointerShadow;
    FSecondPointer = s.FSecondPointer;
    FBorderColor = s.FBorderColor;
    FMinutePointer = s.FMinutePointer;
    FHourFont = s.FHourFont;
    FAMPMFont = s.FAMPMFont;
    FPicture = s.FPicture;
    FAMPMFrame = s.FAMPMFrame;
    FWatchShape = s.FWatchShape;
    FPointerStyle = s.FPointerStyle;
    FBorderStyle = s.FBorderStyle;
    FHourPointerSize = s.FHourPointerSize;
    FSecondPointerSize = s.FSecondPointerSize;
    FMinutePointerSize = s.FMinutePointerSize;
    FHourColor = s.FHourColor;
    FMinuteColor = s.FMinuteColor;
    FCenterPointSize = s.FCenterPointSize;
    FCenterPointColor = s.FCenterPointColor;
    FCenterPointBorderColor = s.FCenterPointBorderColor;
    FBackgroundGradient = s.FBackgroundGradient;
    FRounding = s.FRounding;
    FHourMarkLength = s.FHourMarkLength;
    FHourMarkWidth = s.FHourMarkWidth;
    FMinuteMarkLength = s.FMinuteMarkLength;
    FMinuteMarkWidth = s.FMinuteMarkWidth;
    FBorderWidth = s.FBorderWidth;
    FAMPMColor = s.FAMPMColor;
    FAMPMBorderColor = s.FAMPMBorderColor;
    SetCenterPointOuterBorderColor(s.FCenterPointOuterBorderColor);
    SetTickMarks(s.FTickMarks);
    SetHourMarkStyle(s.FHourMarkStyle);
}

void TWatchAppearance::SetHourFont(const TFont& v)
{
    FHourFont = v;
    Changed();
}

void TWatchAppearance::SetAMPMFont(const TFont& v)
{
    FAMPMFont = v;
    Changed();
}

void TWatchAppearance::SetPicture(const QImage& v)
{
    FPicture = v;
    Changed();
}

void TWatchSettings::Assign(const TWatchSettings& s)
{
    if (&s == this)
        return;
    FSeconds = s.FSeconds;
    FTimeOffset = s.FTimeOffset;
    SetAuto(s.FAuto);
}

// ---- construction -----------------------------------------------------------------------------

TQvWatch::TQvWatch(QWidget* owner, platform::Desktop* desktop)
    : QWidget(owner), FDesktop(desktop ? desktop : &platform::productionDesktop())
{
    FAppearance.OnChange = [this] { Invalidate(); };
    FSettings.OnChange = [this] { settingsChanged(); };
    FWatchTimer = new QTimer(this);
    FWatchTimer->setInterval(kWatchTimerMs);
    connect(FWatchTimer, &QTimer::timeout, this, &TQvWatch::WatchTick);
    FAnimationTimer = new QTimer(this);
    FAnimationTimer->setInterval(kAnimationTimerMs);
    connect(FAnimationTimer, &QTimer::timeout, this, &TQvWatch::AnimationTick);
    setMouseTracking(true);
    resize(180, 180);
}

TQvWatch::~TQvWatch()
{
    FAppearance.OnChange = nullptr;
    FSettings.OnChange = nullptr;
}

// ---- geometry -----------------------------------------------------------------------------------

QRect TQvWatch::WatchRect() const
{
    const int w = width(), h = height();
    int side = FAppearance.Size() > 0 ? std::min({FAppearance.Size(), h, w}) : std::min(h, w) - 20;
    side = std::max(0, side);
    return QRect((w - side) / 2, (h - side) / 2, side, side);
}

QPoint TQvWatch::Center() const
{
    const QRect r = WatchRect();
    return {r.left() + r.width() / 2, r.top() + r.width() / 2};
}

TRect TQvWatch::AMPMRect() const
{
    if (!FShowAMPM)
        return {-1, -1, -1, -1};
    const QFontMetrics fm(grid::toQFont(FAppearance.AMPMFont()));
    const QSize text = fm.size(Qt::TextSingleLine, QStringLiteral("AM"));
    const QPoint c = Center();
    const int w = text.width() + 8;
    const int left = c.x() - w / 2;
    const int top = c.y() + round((Radius() - text.height()) / 3.0);
    return {left, top, left + w, top + text.height()};
}

int TQvWatch::MinuteFromPoint(int x, int y) const
{
    const QPoint c = Center();
    int dy = std::abs(c.y() - y), dx = std::abs(c.x() - x);
    if (dy == 0)
        dy = 1;
    if (dx == 0)
        dx = 1;
    const int f = round(std::atan(double(dy) / dx) * 180.0 / std::numbers::pi / 6.0);
    int minute;
    if (x >= c.x() && y >= c.y())
        minute = f + 15;
    else if (x <= c.x() && y >= c.y())
        minute = 45 - f;
    else if (x <= c.x() && y <= c.y())
        minute = f + 45;
    else
        minute = 15 - f;
    return minute < 0 || minute > 59 ? 0 : minute;
}

int TQvWatch::HourFromPoint(int x, int y) const
{
    const int c = round(MinuteFromPoint(x, y) / 5.0);
    if (c == 0 || c == 12)
        return FAM ? 0 : 12;
    return FAM ? c : c + 12;
}

bool TQvWatch::inFace(const QPoint& p) const
{
    QPainterPath face;
    face.addEllipse(QRectF(WatchRect()));
    return face.contains(QPointF(p));
}

bool TQvWatch::inAMPMBox(const QPoint& p) const
{
    return FShowAMPM && AMPMRect().toQRect().contains(p);
}

// ---- time -------------------------------------------------------------------------------------

TDateTime TQvWatch::CurrentTime() const
{
    if (FSettings.Auto())
        return DateTimeFromQt(FDesktop->currentDateTime()) + FSettings.TimeOffset() / 1440.0;
    return FTime;
}

void TQvWatch::SetTime(TDateTime value)
{
    if (value == FTime)
        return;
    setTimeInternal(value);
    repaintHands();
}

void TQvWatch::setTimeInternal(TDateTime value)
{
    if (value == FTime)
        return;
    FTime = value;
    int h, m, s, ms;
    DecodeTime(value, h, m, s, ms);
    FInternalSet = true;
    setAM(h < 12);
    FInternalSet = false;
}

void TQvWatch::fireChange()
{
    if (OnChange)
        OnChange(this);
}

void TQvWatch::SetHour(int value)
{
    int h, m, s, ms;
    DecodeTime(CurrentTime(), h, m, s, ms);
    if (value == h)
        return;
    if (FAnimation && !FInternalCall) {
        FCurrentHourTo = value;
        FHourAnimating = true;
        FAnimationTimer->start();
        return;
    }
    changeHour(value, true);
}

void TQvWatch::SetMinute(int value)
{
    int h, m, s, ms;
    DecodeTime(CurrentTime(), h, m, s, ms);
    if (value >= 60 || value < 0)
        throw EWatchError("Invalid time");
    if (value == m)
        return;
    if (FAnimation && !FInternalCall) {
        FCurrentMinuteTo = value;
        FHourAnimating = false;
        FMinuteFrom = m;
        FAnimationTimer->start();
        return;
    }
    changeMinute(value, true);
}

// Every change made at once reports itself; animation steps report only when they land, so the
// picker's text and time control always follow what the clock shows.
void TQvWatch::changeHour(int value, bool notify)
{
    const TDateTime now = CurrentTime();
    int h, m, s, ms;
    DecodeTime(now, h, m, s, ms);
    setTimeInternal(ReplaceTime(now, value, m, s, ms));
    repaintHands();
    if (notify)
        fireChange();
}

void TQvWatch::changeMinute(int value, bool notify)
{
    const TDateTime now = CurrentTime();
    int h, m, s, ms;
    DecodeTime(now, h, m, s, ms);
    if (!FAnimation)
        FMinuteFrom = m;
    // Minute 0 reached from the second half of the hour crosses 12 forwards.
    if (value == 0 && FMinuteFrom > 30) {
        h = (h + 1) % 24;
        FMinuteFrom = 0;
    }
    setTimeInternal(ReplaceTime(now, h, value, s, ms));
    repaintHands();
    if (notify)
        fireChange();
}

void TQvWatch::AnimationTick()
{
    if (!FAnimation) {
        FAnimationTimer->stop();
        return;
    }
    const int factor = std::max(1, FAnimationFactor);
    int h, m, s, ms;
    DecodeTime(CurrentTime(), h, m, s, ms);
    if (FHourAnimating) {
        const int target = FCurrentHourTo;
        const int step = std::max(1, round(std::abs(target - h) / double(factor)));
        const int next = h < target ? h + step : h > target ? h - step : h;
        if (std::abs(next - target) < 1) {
            FAnimationTimer->stop();
            changeHour(target, true);
        } else {
            changeHour(next, false);
        }
        return;
    }
    const int target = FCurrentMinuteTo;
    // Towards 0 from the second half of the hour the hand goes on forwards across 12.
    const bool forwards = target == 0 && m > 30;
    const int step = std::max(1, round(std::abs((forwards ? 60 : target) - m) / double(factor)));
    int next = forwards || m < target ? m + step : m > target ? m - step : m;
    if (next >= 60 || next < 0)
        next = 0;
    if (std::abs(next - target) < 1) {
        FAnimationTimer->stop();
        changeMinute(target, true);
    } else {
        changeMinute(next, false);
    }
}

// ---- keys and mouse -----------------------------------------------------------------------------

void TQvWatch::HandleKey(int key)
{
    if (FSettings.Auto())
        return;
    const TDateTime now = CurrentTime();
    int h, m, s, ms;
    DecodeTime(now, h, m, s, ms);
    const auto internalHour = [this](int value) {
        FInternalCall = true;
        SetHour(value);
        FInternalCall = false;
    };
    switch (key) {
    case Qt::Key_A:
        if (h >= 12)
            SetHour(h - 12);
        break;
    case Qt::Key_P:
        if (h < 12)
            SetHour(h + 12);
        break;
    case Qt::Key_PageUp:
        if (h + 1 > 23)
            internalHour(0);
        else
            SetHour(h + 1);
        break;
    case Qt::Key_PageDown:
        if (h == 0)
            internalHour(23);
        else
            SetHour(h - 1);
        break;
    case Qt::Key_Home:
        internalHour(12);
        break;
    case Qt::Key_End:
        SetMinute(0);
        break;
    case Qt::Key_Left:
        if (m > 0) {
            SetMinute(m - 1);
        } else {
            SetTime(ReplaceTime(now, h == 0 ? 23 : h - 1, 59, s, ms));
            fireChange();
        }
        break;
    case Qt::Key_Right:
        SetMinute(m < 59 ? m + 1 : 0);
        break;
    default:
        break;
    }
}

void TQvWatch::mouseMoveEvent(QMouseEvent* e)
{
    if (inAMPMBox(e->position().toPoint()))
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(e);
}

void TQvWatch::mouseReleaseEvent(QMouseEvent* e)
{
    QWidget::mouseReleaseEvent(e);
    if (FSettings.Auto())
        return;
    const QPoint p = e->position().toPoint();
    if (!inFace(p)) {
        SetMinute(MinuteFromPoint(p.x(), p.y()));
        return;
    }
    if (inAMPMBox(p)) {
        if (FAnimation)
            setAM(!FAM);
        int h, m, s, ms;
        DecodeTime(FTime, h, m, s, ms);
        const int target = h < 12 ? h + 12 : h - 12;
        FInternalCall = true;
        FCurrentHourTo = target;
        SetHour(target);
        FInternalCall = false;
        return;
    }
    SetHour(HourFromPoint(p.x(), p.y()));
}

// ---- settings with effects ----------------------------------------------------------------------

void TQvWatch::SetShowAMPM(bool v)
{
    if (FShowAMPM == v)
        return;
    FShowAMPM = v;
    Invalidate();
}

void TQvWatch::SetShowNumbers(bool v)
{
    if (FShowNumbers == v)
        return;
    FShowNumbers = v;
    Invalidate();
}

void TQvWatch::settingsChanged()
{
    FWatchTimer->setInterval(kWatchTimerMs);
    if (FSettings.Auto()) {
        FWatchTimer->start();
        // The AM/PM flag follows the desktop's hour without scrolling.
        setTimeInternal(DateTimeFromQt(FDesktop->currentDateTime()));
    } else {
        FWatchTimer->stop();
    }
    Invalidate();
}

void TQvWatch::WatchTick()
{
    int h, m, s, ms;
    DecodeTime(CurrentTime(), h, m, s, ms);
    FOldHour = h;
    FOldMinute = m;
    FOldSecond = s;
    if (FSettings.Auto() && (h < 12) != FAM) {
        FAM = h < 12;
        Invalidate();
        return;
    }
    repaintHands();
}

// ---- the AM/PM switch ---------------------------------------------------------------------------

void TQvWatch::setAM(bool am)
{
    if (am == FAM)
        return;
    FAM = am;
    if (FAnimation && FShowAMPM && isSet(FAppearance.AMPMColor()) && !FInternalSet)
        scrollAMPM(am);
    Invalidate();
}

void TQvWatch::scrollAMPM(bool toAM)
{
    // Frames nobody sees are not drawn (and not waited for).
    if (!isVisible())
        return;
    if (!FFaceValid || FBKGCache.size() != size())
        paintCache();
    const QRect box = AMPMRect().toQRect();
    const QRect inner = box.adjusted(1, 1, -1, -1);
    const int iw = inner.width(), ih = inner.height();
    if (iw <= 0 || ih <= 0)
        return;
    QImage strip(iw, 2 * ih, QImage::Format_RGB32);
    strip.fill(qcolor(FAppearance.AMPMColor()));
    {
        QPainter p(&strip);
        p.setFont(grid::toQFont(FAppearance.AMPMFont()));
        p.setPen(qcolor(FAppearance.AMPMFont().Color));
        p.drawText(QRect(0, 0, iw, ih), Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("AM"));
        p.drawText(QRect(0, ih, iw, ih), Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("PM"));
    }
    for (int step = 0; step < ih; ++step) {
        const int row = toAM ? ih - step : step;
        QImage frame = FBKGCache.copy();
        QPainter p(&frame);
        p.drawImage(inner.topLeft(), strip, QRect(0, row, iw, ih));
        paintAMPM(p, box, toAM, true);
        paintHands(p);
        p.end();
        FScrollFrame = frame;
        repaint();
        QThread::msleep(kAMPMScrollFrameMs);
    }
    FScrollFrame = QImage();
}

// ---- painting -----------------------------------------------------------------------------------

void TQvWatch::Invalidate()
{
    FFaceValid = false;
    update();
}

void TQvWatch::repaintHands()
{
    update();
}

void TQvWatch::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    FFaceValid = false;
}

void TQvWatch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!FScrollFrame.isNull()) {
        p.drawImage(0, 0, FScrollFrame);
        return;
    }
    if (!FFaceValid || FBKGCache.size() != size())
        paintCache();
    p.drawImage(0, 0, FBKGCache);
    paintHands(p);
}

void TQvWatch::paintCache()
{
    // The cache starts as what lies under the clock: its parent's background.
    FBKGCache = QImage(size(), QImage::Format_RGB32);
    FBKGCache.fill(palette().color(backgroundRole()));
    QPainter p(&FBKGCache);
    paintFace(p, rect());
    if (FAppearance.TickMarks() != tmNone) {
        paintMarks(p);
        if (FShowNumbers)
            paintNumbers(p);
    }
    if (FShowAMPM)
        paintAMPM(p, AMPMRect().toQRect(), FAM, false);
    FFaceValid = true;
    ++FFacePaints;
}

void TQvWatch::paintFace(QPainter& canvas, const QRect& r)
{
    const TWatchAppearance& a = FAppearance;
    const QRect area = a.Shape() == wsCircle ? WatchRect() : r;
    canvas.save();
    const QRectF clipBounds(area.left() - 1, area.top() - 1, area.width() + 3, area.height() + 3);
    if (a.Shape() != wsRect) {
        QPainterPath clip;
        if (a.Shape() == wsCircle)
            clip.addEllipse(clipBounds);
        else
            clip.addRoundedRect(clipBounds, 10, 10);
        canvas.setClipPath(clip);
    }
    if (isSet(a.BackgroundColor()) && isSet(a.BackgroundColorTo())) {
        // Only the radial kind runs left to right; no radial or diagonal fill is painted.
        grid::FillGradientRect(canvas, a.BackgroundColor(), a.BackgroundColorTo(), a.BackgroundGradient() == wgRadial,
                               TRect::fromQRect(area), 80);
    } else if (isSet(a.BackgroundColor())) {
        canvas.fillRect(area, qcolor(a.BackgroundColor()));
    }
    if (isSet(a.BorderColor()) && a.BorderWidth() > 0) {
        QPen border = pen(a.BorderColor(), a.BorderWidth());
        border.setCapStyle(Qt::SquareCap);
        border.setJoinStyle(Qt::MiterJoin);
        canvas.setPen(border);
        canvas.setBrush(Qt::NoBrush);
        switch (a.Shape()) {
        case wsCircle:
            canvas.drawEllipse(outline(WatchRect()));
            break;
        case wsRect:
            canvas.drawRect(outline(r));
            break;
        case wsRoundRect:
            canvas.drawRoundedRect(outline(r), 10, 10);
            break;
        }
    }
    canvas.restore();
    if (!a.Picture().isNull()) {
        // Through a bitmap of the client size whose bottom-left pixel is the transparent colour.
        QImage bitmap(r.size(), QImage::Format_RGB32);
        bitmap.fill(Qt::white);
        {
            QPainter bp(&bitmap);
            bp.drawImage(0, 0, a.Picture());
        }
        const QRgb key = bitmap.pixel(0, bitmap.height() - 1);
        QImage shown = bitmap.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < shown.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
            for (int x = 0; x < shown.width(); ++x)
                if (line[x] == key)
                    line[x] = 0;
        }
        canvas.drawImage(r.topLeft(), shown);
    }
}

void TQvWatch::paintMarks(QPainter& canvas)
{
    const TWatchAppearance& a = FAppearance;
    const QPoint c = Center();
    const double outer = Radius() - a.BorderWidth() / 2;
    // Directions here run from 3 o'clock clockwise.
    const auto mark = [&](double t, double inner, QPointF shift) {
        const double ct = std::cos(radians(t)), st = std::sin(radians(t));
        canvas.drawLine(QPoint(round(c.x() + ct * inner + shift.x()), round(c.y() + st * inner + shift.y())),
                        QPoint(round(c.x() + ct * outer + shift.x()), round(c.y() + st * outer + shift.y())));
    };
    double inner = a.HourMarkLength() > 0 ? outer - a.HourMarkLength() : outer * 0.9;
    if (isSet(a.HourColor())) {
        canvas.setPen(pen(a.HourColor(), a.HourMarkWidth()));
        for (int q = 0; q < 4; ++q) {
            const double t = q * 90.0;
            if (a.HourMarkStyle() == hmsQuartDblLine) {
                const bool horizontal = q % 2 == 0;
                mark(t, inner, horizontal ? QPointF(0, -2) : QPointF(-2, 0));
                mark(t, inner, horizontal ? QPointF(0, 2) : QPointF(2, 0));
            } else {
                mark(t, inner, {});
            }
        }
        if (a.TickMarks() == tmAll || a.TickMarks() == tmHours)
            for (int i = 0; i < 12; ++i)
                if (i % 3 != 0)
                    mark(i * 30.0, inner, {});
    }
    if (a.TickMarks() == tmAll && isSet(a.MinuteColor())) {
        inner = a.MinuteMarkLength() > 0 ? outer - a.MinuteMarkLength() : outer * 0.95;
        canvas.setPen(pen(a.MinuteColor(), a.MinuteMarkWidth()));
        for (int i = 0; i < 60; ++i)
            if (i % 5 != 0)
                mark(i * 6.0, inner, {});
    }
}

void TQvWatch::paintNumbers(QPainter& canvas)
{
    const TWatchAppearance& a = FAppearance;
    if (a.TickMarks() == tmHours)
        return;
    const QPoint c = Center();
    const double outer = Radius() - a.BorderWidth() / 2;
    const int m = a.HourMarkLength() > 0 ? a.HourMarkLength() : round(outer - outer * 0.9) + 2;
    const double base = outer - (m + 2) - m;
    const QFont font = grid::toQFont(a.HourFont());
    const QFontMetrics fm(font);
    canvas.setFont(font);
    canvas.setPen(qcolor(a.HourFont().Color));
    for (int i = 1; i <= 12; ++i) {
        if (a.TickMarks() == tmQuartHours && i % 3 != 0)
            continue;
        const QString text = QString::number(i);
        const QSize size = fm.size(Qt::TextSingleLine, text);
        const int pull = i == 10 ? round(size.height() * 0.2) : i == 11 ? round(size.height() * 0.15) : 0;
        const double rho = base - pull + m / 2;
        const double angle = radians(i * 30.0);
        const int x = c.x() + 1 + round(rho * std::sin(angle));
        const int y = c.y() + 1 - round(rho * std::cos(angle));
        canvas.drawText(QRect(QPoint(x - size.width() / 2 - 1, y - size.height() / 2 - 1), size),
                        Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    }
}

void TQvWatch::paintAMPM(QPainter& canvas, const QRect& box, bool am, bool frameOnly)
{
    const TWatchAppearance& a = FAppearance;
    const bool fill = isSet(a.AMPMColor()) && !frameOnly;
    const bool frame = isSet(a.AMPMBorderColor());
    if (fill || frame) {
        canvas.setPen(frame ? QPen(qcolor(a.AMPMBorderColor())) : QPen(Qt::NoPen));
        canvas.setBrush(fill ? QBrush(qcolor(a.AMPMColor())) : QBrush(Qt::NoBrush));
        if (a.AMPMFrame() == apRect)
            canvas.drawRect(outline(box));
        else
            canvas.drawRoundedRect(outline(box), 2.5, 2.5);
        canvas.setBrush(Qt::NoBrush);
    }
    if (frameOnly)
        return;
    canvas.setFont(grid::toQFont(a.AMPMFont()));
    canvas.setPen(qcolor(a.AMPMFont().Color));
    canvas.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, am ? QStringLiteral("AM") : QStringLiteral("PM"));
}

void TQvWatch::paintHands(QPainter& canvas)
{
    const TWatchAppearance& a = FAppearance;
    int h, mn, s, ms;
    DecodeTime(CurrentTime(), h, mn, s, ms);
    h %= 12;
    const double ah = h * 30 + mn / 12.0 * 6, am = mn * 6.0, as = s * 6.0;
    const QPoint c = Center();
    const double r = Radius();
    const double cx = c.x(), cy = c.y();
    canvas.save();
    const auto line = [&](TColor color, int width, double from, double to, double angle, QPointF shift) {
        canvas.setPen(pen(color, width));
        canvas.drawLine(rounded(polar(cx, cy, from * r, angle) + shift), rounded(polar(cx, cy, to * r, angle) + shift));
    };
    const auto pointer = [&](TColor color, double tip, double angle, QPointF shift) {
        canvas.setPen(pen(color, 1));
        canvas.setBrush(qcolor(color));
        const QPoint points[] = {
            rounded(polar(cx, cy, -0.1 * r, angle) + shift), rounded(polar(cx, cy, 0.05 * r, angle - 90) + shift),
            rounded(polar(cx, cy, tip * r, angle) + shift), rounded(polar(cx, cy, 0.05 * r, angle + 90) + shift)};
        canvas.drawPolygon(points, 4);
        canvas.setBrush(Qt::NoBrush);
    };
    if (a.PointerStyle() == psPointer) {
        if (isSet(a.HourPointerShadow()))
            pointer(a.HourPointerShadow(), 0.5, ah, {1, 3});
        pointer(a.HourPointer(), 0.5, ah, {});
        if (isSet(a.MinutePointerShadow()))
            pointer(a.MinutePointerShadow(), 0.7, am, {1, 3});
        pointer(a.MinutePointer(), 0.7, am, {});
    } else {
        // The short-line and line-arrow styles draw as plain lines.
        if (isSet(a.HourPointerShadow()))
            line(a.HourPointerShadow(), a.HourPointerSize(), -0.1, 0.46, ah, {-1, 3});
        if (isSet(a.MinutePointerShadow()))
            line(a.MinutePointerShadow(), a.MinutePointerSize(), -0.1, 0.65, am, {0, 3});
        line(a.HourPointer(), a.HourPointerSize(), -0.1, 0.5, ah, {});
        line(a.MinutePointer(), a.MinutePointerSize(), -0.1, 0.7, am, {});
    }
    if (FSettings.Auto() && FSettings.Second())
        line(a.SecondPointer(), a.SecondPointerSize(), -0.2, 0.9, as, {});

    const int z = a.CenterPointSize();
    if (z > 0) {
        const int left = round(cx - z / 2.0), top = round(cy - z / 2.0);
        if (isSet(a.CenterPointColor())) {
            canvas.setPen(pen(a.CenterPointColor(), 1));
            canvas.setBrush(qcolor(a.CenterPointColor()));
            canvas.drawEllipse(outline(QRect(left, top, z, z)));
            canvas.setBrush(Qt::NoBrush);
        }
        int w0 = 0;
        if (isSet(a.CenterPointOuterBorderColor())) {
            w0 = round(z * 0.2);
            canvas.setPen(pen(a.CenterPointOuterBorderColor(), w0));
            canvas.drawEllipse(outline(QRect(left, top, z, z)));
        }
        if (isSet(a.CenterPointBorderColor())) {
            canvas.setPen(pen(a.CenterPointBorderColor(), round(z * 0.1)));
            canvas.drawEllipse(outline(QRect(left, top, z - w0, z - w0)));
        }
    }
    canvas.restore();
}

} // namespace dropdowns
