#pragma once
// The analog clock of the time picker's popup: a face (circle, rectangle or rounded rectangle)
// with tick marks, hour numbers and an AM/PM box, painted once into a cached image, and the hands
// painted over a copy of that image at every time change, animation step and clock tick.
//
// Manual mode (the default): a click inside the face sets the hour, a click in the ring outside
// it the minute, a click on the AM/PM box switches the half day; HandleKey takes the keys the
// picker passes on. Hand movements are animated by a 1 ms timer whose steps shrink as the hand
// nears its target. Automatic mode (Settings().Auto()) shows the desktop's current time plus an
// offset and repaints the hands every 100 ms; clicks and keys are then inert.
//
// TWatchAppearance holds the colours, fonts, sizes and shapes; TWatchSettings the mode. The
// twelve complete looks (Style) and the sixteen colour schemes (SetComponentStyle) that write
// into the appearance are tables in QvWatch/styles.cpp.

#include "grid/GridTypes.h"
#include "grid/look/QvStyleIF.h"

#include <QDateTime>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <stdexcept>

namespace platform {
class Desktop;
}

namespace dropdowns {

using grid::TColor;
using grid::TDateTime;
using grid::TFont;
using grid::TRect;

// ---- time of day in a date-time (days since 30 December 1899, the time as the fraction) ------

// Hour, minute, second and millisecond of the time part.
void DecodeTime(TDateTime t, int& hour, int& minute, int& second, int& msec);
// The time of day as a date-time (date part 0); the values must be in range.
TDateTime EncodeTime(int hour, int minute, int second, int msec);
// The date part of t with the time of day replaced.
TDateTime ReplaceTime(TDateTime t, int hour, int minute, int second, int msec);
TDateTime DateTimeFromQt(const QDateTime& dt);

// ---- enumerations -------------------------------------------------------------------------------

enum TWatchShape { wsCircle, wsRect, wsRoundRect };
enum TWatchBorderStyle { wbLine, wbDoubleLine, wbNone };
enum THourMarkStyle { hmsLine, hmsQuartDblLine };
enum TTickMarks { tmAll, tmHours, tmQuartHours, tmNone };
enum TPointerStyle { psLine, psShortLine, psPointer, psLineArrow };
enum TAMPMFrame { apRect, apRoundRect };
enum TWatchGradient { wgRadial, wgVertical, wgDiagonalForward, wgDiagonalBackward };
enum TWatchStyle {
    wsClassic,
    wsTower,
    wsFluorescent,
    wsEmerald,
    wsBlueStar,
    wsFuchsia,
    wsBlack,
    wsBlackWhite,
    wsGray,
    wsSuperNova,
    wsSports,
    wsSmooth
};
inline constexpr int kWatchStyleCount = wsSmooth + 1;

// SetMinute with a minute of 60 or more.
class EWatchError : public std::runtime_error {
public:
    explicit EWatchError(const char* message) : std::runtime_error(message) {}
};

// ---- the look ---------------------------------------------------------------------------------

class TWatchAppearance : public grid::TPersistent {
public:
    TWatchAppearance() { Reset(); }
    QString ClassName() const override { return QStringLiteral("TWatchAppearance"); }

    // Every field back to its default, nothing notified (the start of every style preset).
    void Reset();
    // Every field of another look but OnChange; notifies only through the last three setters.
    void Assign(const TWatchAppearance& source);

    // 0: the face follows the control's size.
    int Size() const { return FSize; }
    void SetSize(int v) { set(FSize, v); }
    TColor HourPointer() const { return FHourPointer; }
    void SetHourPointer(TColor v) { set(FHourPointer, v); }
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor v) { set(FBackgroundColor, v); }
    TColor MinutePointerShadow() const { return FMinutePointerShadow; }
    void SetMinutePointerShadow(TColor v) { set(FMinutePointerShadow, v); }
    TColor BackgroundColorTo() const { return FBackgroundColorTo; }
    void SetBackgroundColorTo(TColor v) { set(FBackgroundColorTo, v); }
    TColor HourPointerShadow() const { return FHourPointerShadow; }
    void SetHourPointerShadow(TColor v) { set(FHourPointerShadow, v); }
    // Kept and copied, never drawn.
    TColor SecondPointerShadow() const { return FSecondPointerShadow; }
    TColor SecondPointer() const { return FSecondPointer; }
    void SetSecondPointer(TColor v) { set(FSecondPointer, v); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { set(FBorderColor, v); }
    TColor MinutePointer() const { return FMinutePointer; }
    void SetMinutePointer(TColor v) { set(FMinutePointer, v); }
    const TFont& HourFont() const { return FHourFont; }
    void SetHourFont(const TFont& v);
    const TFont& AMPMFont() const { return FAMPMFont; }
    void SetAMPMFont(const TFont& v);
    // Drawn at its own size at the top-left corner; empty: none.
    const QImage& Picture() const { return FPicture; }
    void SetPicture(const QImage& v);
    TAMPMFrame AMPMFrame() const { return FAMPMFrame; }
    void SetAMPMFrame(TAMPMFrame v) { set(FAMPMFrame, v); }
    TWatchShape Shape() const { return FWatchShape; }
    void SetShape(TWatchShape v) { set(FWatchShape, v); }
    TPointerStyle PointerStyle() const { return FPointerStyle; }
    void SetPointerStyle(TPointerStyle v) { set(FPointerStyle, v); }
    // Kept and copied, never drawn.
    TWatchBorderStyle BorderStyle() const { return FBorderStyle; }
    int HourPointerSize() const { return FHourPointerSize; }
    void SetHourPointerSize(int v) { set(FHourPointerSize, v); }
    int SecondPointerSize() const { return FSecondPointerSize; }
    void SetSecondPointerSize(int v) { set(FSecondPointerSize, v); }
    int MinutePointerSize() const { return FMinutePointerSize; }
    void SetMinutePointerSize(int v) { set(FMinutePointerSize, v); }
    // Colours of the hour and of the minute marks.
    TColor HourColor() const { return FHourColor; }
    void SetHourColor(TColor v) { set(FHourColor, v); }
    TColor MinuteColor() const { return FMinuteColor; }
    void SetMinuteColor(TColor v) { set(FMinuteColor, v); }
    int CenterPointSize() const { return FCenterPointSize; }
    void SetCenterPointSize(int v) { set(FCenterPointSize, v); }
    TColor CenterPointColor() const { return FCenterPointColor; }
    void SetCenterPointColor(TColor v) { set(FCenterPointColor, v); }
    TColor CenterPointBorderColor() const { return FCenterPointBorderColor; }
    void SetCenterPointBorderColor(TColor v) { set(FCenterPointBorderColor, v); }
    TWatchGradient BackgroundGradient() const { return FBackgroundGradient; }
    void SetBackgroundGradient(TWatchGradient v) { set(FBackgroundGradient, v); }
    // Kept and copied, never drawn.
    int Rounding() const { return FRounding; }
    // 0: automatic.
    int HourMarkLength() const { return FHourMarkLength; }
    void SetHourMarkLength(int v) { set(FHourMarkLength, v); }
    int HourMarkWidth() const { return FHourMarkWidth; }
    void SetHourMarkWidth(int v) { set(FHourMarkWidth, v); }
    // 0: automatic.
    int MinuteMarkLength() const { return FMinuteMarkLength; }
    void SetMinuteMarkLength(int v) { set(FMinuteMarkLength, v); }
    int MinuteMarkWidth() const { return FMinuteMarkWidth; }
    void SetMinuteMarkWidth(int v) { set(FMinuteMarkWidth, v); }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { set(FBorderWidth, v); }
    // The AM/PM box's fill and frame: plain fields, written without notification.
    TColor AMPMColor() const { return FAMPMColor; }
    void SetAMPMColor(TColor v) { FAMPMColor = v; }
    TColor AMPMBorderColor() const { return FAMPMBorderColor; }
    void SetAMPMBorderColor(TColor v) { FAMPMBorderColor = v; }
    TColor CenterPointOuterBorderColor() const { return FCenterPointOuterBorderColor; }
    void SetCenterPointOuterBorderColor(TColor v) { set(FCenterPointOuterBorderColor, v); }
    TTickMarks TickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMarks v) { set(FTickMarks, v); }
    THourMarkStyle HourMarkStyle() const { return FHourMarkStyle; }
    void SetHourMarkStyle(THourMarkStyle v) { set(FHourMarkStyle, v); }

    std::function<void()> OnChange;

private:
    template <typename T>
    void set(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }
    void Changed()
    {
        if (OnChange)
            OnChange();
    }

    int FSize;
    TColor FHourPointer;
    TColor FBackgroundColor;
    TColor FMinutePointerShadow;
    TColor FBackgroundColorTo;
    TColor FHourPointerShadow;
    TColor FSecondPointerShadow;
    TColor FSecondPointer;
    TColor FBorderColor;
    TColor FMinutePointer;
    TFont FHourFont;
    TFont FAMPMFont;
    QImage FPicture;
    TAMPMFrame FAMPMFrame;
    TWatchShape FWatchShape;
    TPointerStyle FPointerStyle;
    TWatchBorderStyle FBorderStyle;
    int FHourPointerSize;
    int FSecondPointerSize;
    int FMinutePointerSize;
    TColor FHourColor;
    TColor FMinuteColor;
    int FCenterPointSize;
    TColor FCenterPointColor;
    TColor FCenterPointBorderColor;
    TWatchGradient FBackgroundGradient;
    int FRounding;
    int FHourMarkLength;
    int FHourMarkWidth;
    int FMinuteMarkLength;
    int FMinuteMarkWidth;
    int FBorderWidth;
    TColor FAMPMColor;
    TColor FAMPMBorderColor;
    TColor FCenterPointOuterBorderColor;
    TTickMarks FTickMarks;
    THourMarkStyle FHourMarkStyle;
};

// ---- the mode ---------------------------------------------------------------------------------

class TWatchSettings : public grid::TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TWatchSettings"); }
    // Seconds and offset copied as they are, Auto through its setter.
    void Assign(const TWatchSettings& source);

    // Automatic mode: the desktop's time plus TimeOffset.
    bool Auto() const { return FAuto; }
    void SetAuto(bool v) { set(FAuto, v); }
    // The second hand in automatic mode.
    bool Second() const { return FSeconds; }
    void SetSecond(bool v) { set(FSeconds, v); }
    // Minutes added to the desktop's time in automatic mode.
    int TimeOffset() const { return FTimeOffset; }
    void SetTimeOffset(int v) { set(FTimeOffset, v); }

    std::function<void()> OnChange;

private:
    template <typename T>
    void set(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        if (OnChange)
            OnChange();
    }

    bool FAuto = false;
    bool FSeconds = true;
    int FTimeOffset = 0;
};

// ---- the clock --------------------------------------------------------------------------------

class TQvWatch : public QWidget, public grid::IVLXStyle {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(QObject* sender)>;

    // `desktop` answers the current time in automatic mode; the program's when none is given.
    explicit TQvWatch(QWidget* owner = nullptr, platform::Desktop* desktop = nullptr);
    ~TQvWatch() override;

    TWatchAppearance& Appearance() { return FAppearance; }
    const TWatchAppearance& Appearance() const { return FAppearance; }
    void SetAppearance(const TWatchAppearance& v) { FAppearance.Assign(v); }
    TWatchSettings& Settings() { return FSettings; }
    const TWatchSettings& Settings() const { return FSettings; }
    void SetSettings(const TWatchSettings& v) { FSettings.Assign(v); }

    // The stored time; writing it repaints the hands and fires no OnChange.
    TDateTime Time() const { return FTime; }
    void SetTime(TDateTime value);
    // The time shown: the desktop's plus the offset in automatic mode, else Time.
    TDateTime CurrentTime() const;
    // Hours 0..23; animated unless Animation is off.
    void SetHour(int value);
    // Minutes 0..59, animated unless Animation is off; 60 or more raises "Invalid time".
    void SetMinute(int value);
    // A key pressed in the picker's popup (Qt key codes); nothing in automatic mode.
    void HandleKey(int key);

    bool Animation() const { return FAnimation; }
    void SetAnimation(bool v) { FAnimation = v; }
    // The divisor of the animation steps, at least 1.
    int AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(int v) { FAnimationFactor = v; }
    bool ShowAMPM() const { return FShowAMPM; }
    void SetShowAMPM(bool v);
    bool ShowNumbers() const { return FShowNumbers; }
    void SetShowNumbers(bool v);
    // The AM/PM box reads "AM".
    bool AM() const { return FAM; }
    // Writing another style resets the look and applies that preset; a new clock stores
    // wsClassic without applying it.
    TWatchStyle Style() const { return FStyle; }
    void SetStyle(TWatchStyle v);

    // grid::IVLXStyle: the scheme's colours into the appearance.
    void SetComponentStyle(grid::TVLXStyle style) override;
    grid::TVLXStyle GetComponentStyle() const override { return FVLXStyle; }

    // Fired when a change of hour or minute made by the clock itself has landed.
    TNotifyEvent OnChange;

    // ---- geometry, in client coordinates ------------------------------------------------------
    // The square of the face.
    QRect WatchRect() const;
    QPoint Center() const;
    double Radius() const { return WatchRect().width() / 2; }
    // The AM/PM box; (-1, -1, -1, -1) while ShowAMPM is off.
    TRect AMPMRect() const;
    int MinuteFromPoint(int x, int y) const;
    int HourFromPoint(int x, int y) const;

    // ---- timers -------------------------------------------------------------------------------
    // One tick of the 1 ms animation timer and of the 100 ms clock timer, as the timers run them.
    void AnimationTick();
    void WatchTick();
    bool Animating() const { return FAnimationTimer->isActive(); }
    bool ClockRunning() const { return FWatchTimer->isActive(); }

    // The next paint repaints the face into the cache as well; hand repaints reuse the cache.
    void Invalidate();
    // How many times the face was painted into the cache.
    int FacePaints() const { return FFacePaints; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    // The internal time rule: store, and let the AM/PM flag follow without scrolling.
    void setTimeInternal(TDateTime value);
    void changeHour(int value, bool notify);
    void changeMinute(int value, bool notify);
    void fireChange();
    void setAM(bool am);
    void scrollAMPM(bool toAM);
    void settingsChanged();
    void repaintHands();
    bool inFace(const QPoint& p) const;
    bool inAMPMBox(const QPoint& p) const;

    void paintFace(QPainter& canvas, const QRect& r);
    void paintMarks(QPainter& canvas);
    void paintNumbers(QPainter& canvas);
    void paintAMPM(QPainter& canvas, const QRect& box, bool am, bool frameOnly);
    void paintHands(QPainter& canvas);
    void paintCache();

    TWatchAppearance FAppearance;
    TWatchSettings FSettings;
    TDateTime FTime = 0;
    QImage FBKGCache;
    int FOldHour = 0;
    int FOldMinute = 0;
    int FOldSecond = 0;
    QTimer* FWatchTimer;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    QTimer* FAnimationTimer;
    int FCurrentHourTo = 0;
    int FCurrentMinuteTo = 0;
    int FMinuteFrom = 0;
    bool FHourAnimating = false;
    bool FInternalCall = false;
    bool FAM = true;
    bool FShowAMPM = true;
    bool FShowNumbers = true;
    bool FInternalSet = false;
    TWatchStyle FStyle = wsClassic;

    grid::TVLXStyle FVLXStyle = grid::tsOffice2007Luna;
    platform::Desktop* FDesktop;
    bool FFaceValid = false;
    int FFacePaints = 0;
    // A frame of the AM/PM scroll, shown instead of the cache while it runs.
    QImage FScrollFrame;
};

// The colour scheme's colours into a look (the clock and the time picker share it).
void ApplyWatchColorScheme(TWatchAppearance& appearance, grid::TVLXStyle style);

} // namespace dropdowns
