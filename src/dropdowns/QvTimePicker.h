#pragma once
// The time picker: a drop-down edit for a time of day, shown in 24-hour form as hours, minutes
// and (by default) seconds with the locale's time separator, under an edit mask. Its popup
// holds the analog clock (QvWatch.h) on a plain panel and, optionally, a time control below it.
// The user sets the time with the clock (mouse and keys), the time control, or in the edit: Up
// and Down step the field under the caret, typed text is read back when it is complete.
//
// Time is the value of record. The edit follows it through SetTime; typed text reaches it
// through TextChanged. The clock, the time control and the edit follow one another while the
// popup is open; a cancelled popup leaves Time and the text as they were.
//
// The appearance, settings and switches here are the picker's own copies: they reach the clock
// each time the popup opens.

#include "dropdowns/QvDropDown.h"
#include "dropdowns/QvWatch.h"
#include "platform/MaskEdit.h"

#include <QPointer>

class QFrame;
class QTimeEdit;

namespace dropdowns {

class TQvTimePickerDropDown : public TQvCustomDropDown {
    Q_OBJECT
public:
    explicit TQvTimePickerDropDown(QWidget* owner = nullptr, platform::Desktop* desktop = nullptr);
    ~TQvTimePickerDropDown() override;

    // Only the time part is used.
    TDateTime Time() const { return FTime; }
    void SetTime(TDateTime value);
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool v);
    // A time control under the clock in the popup.
    bool ShowTimePicker() const { return FShowTimePicker; }
    void SetShowTimePicker(bool v) { FShowTimePicker = v; }

    TWatchAppearance& WatchAppearance() { return FWatchAppearance; }
    void SetWatchAppearance(const TWatchAppearance& v) { FWatchAppearance.Assign(v); }
    TWatchSettings& WatchSettings() { return FWatchSettings; }
    void SetWatchSettings(const TWatchSettings& v) { FWatchSettings.Assign(v); }
    bool ShowWatchAMPM() const { return FShowWatchAMPM; }
    void SetShowWatchAMPM(bool v) { FShowWatchAMPM = v; }
    bool ShowWatchNumbers() const { return FShowWatchNumbers; }
    void SetShowWatchNumbers(bool v) { FShowWatchNumbers = v; }
    bool Animation() const { return FAnimation; }
    void SetAnimation(bool v) { FAnimation = v; }
    int AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(int v) { FAnimationFactor = v; }

    // Two digits each, the locale's separator between them; seconds only with ShowSeconds.
    QString FormatTime(int hour, int minute, int second) const;

    // The drop-down's scheme, then the clock's on WatchAppearance.
    void SetComponentStyle(TVLXStyle style) override;

    // The text through the edit mask.
    void SetText(const QString& value) override;

    // The edit's key-down and change handling (the cell editor calls them from its own).
    void TimeKeyDown(int& key, Qt::KeyboardModifiers shift);
    void TextChanged();

    // After a key step in the edit, and after a clock change copied into a shown time control.
    TNotifyEvent OnTimeChange;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    // The base's size, widened by the border so that the panel keeps its width.
    void SizeDropDown() override;
    void CloseDropDown(bool cancelChanges) override;
    void DropDownClosed() override;
    void DropDownKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void Change() override;
    void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void FormKeyUp(int& key, Qt::KeyboardModifiers shift) override;
    void ControlKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void ControlKeyUp(int& key, Qt::KeyboardModifiers shift) override;
    void ControlKeyPress(QChar& key) override;
    // Typing, deleting, cutting and pasting keep the mask's places.
    void WMKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void WMChar(QChar& key, Qt::KeyboardModifiers shift) override;
    void WMCut() override;
    void WMPaste() override;

private:
    void setEditMask(const QString& mask);
    void writeMasked(const QString& shown, int caret);
    void clockChanged();
    void timeControlChanged();
    // The one-value rule of the key steps: field 0 hour, 1 minute, 2 second.
    void stepField(int field, int value);
    bool keepsFromEdit(int key, bool altHeld) const;

    bool FShowTimePicker = false;
    QPointer<TQvWatch> FQvWatch;
    QPointer<QTimeEdit> FDateTimePicker;
    QPointer<QFrame> FPanelCtrl;
    TWatchAppearance FWatchAppearance;
    bool FShowWatchAMPM = true;
    bool FShowWatchNumbers = true;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    TDateTime FTime = 0;
    TWatchSettings FWatchSettings;
    bool FInternalCall = false;
    bool FShowSeconds = true;

    platform::TMaskEngine FMask;
    // Set while a cancelled close runs, so the closing keeps Time; the value and text a cancel
    // returns to are those of the opening.
    bool FCancelling = false;
    TDateTime FTimeAtOpen = 0;
    QString FTextAtOpen;
    QObject* FTimeControlKeys = nullptr;
    // Whether the last opening showed the time control (-1: never opened).
    int FTimeControlShown = -1;
};

} // namespace dropdowns
