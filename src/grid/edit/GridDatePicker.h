#pragma once
// The grid's date cell editor TGridDatePicker (edDateEdit, edDateEditUpDown, edTimeEdit) and
// date-and-time cell editor TGridDateTimePicker (edDateTimeEdit). The date picker moves on to
// the next field while digits are typed (posting itself "DTPShiftFocus" after each digit and
// comparing when it arrives) and stores and validates on Enter and Tab; the date-and-time
// picker closes on Enter, Tab and Escape and leaves the value to the grid's store step.

#include "grid/edit/GridEditHost.h"
#include "grid/edit/QvDateTimePicker.h"

namespace grid {

class TGridDatePicker : public TQsgDateTimePicker {
    Q_OBJECT
public:
    TGridDatePicker(QWidget* grid, TGridEditHost* host);

    bool Weeknumbers() const { return WeekNumbers(); }
    void SetWeeknumbers(bool v) { SetWeekNumbers(v); }
    // The calendar is dropped down.
    bool FOldDropped = false;

    void ReCreate();
    void DetachHost() { host = nullptr; }
    // The text the grid stores: the fields' text, empty while the check box is cleared.
    QString StoredText() const;

protected:
    // The field advance: runs when "DTPShiftFocus" arrives after a digit.
    virtual void ShiftFocus();
    bool event(QEvent* e) override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    void paintEvent(QPaintEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void setValueFromText(const QString& s);

    TGridEditHost* host;
    int Fy = 0, Fm = 0, Fd = 0, Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;
};

class TGridDateTimePicker : public TQvDateTimePicker {
    Q_OBJECT
public:
    TGridDateTimePicker(QWidget* grid, TGridEditHost* host);

    void DetachHost() { host = nullptr; }
    // The text the grid stores: short date, a blank and short time; empty while unchecked.
    QString StoredText() const;
    // Keys and focus of the companion time picker go the picker's way.
    void WatchTimePicker();

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool ownsFocus() const;
    void leftFocus(QFocusEvent* e);

    TGridEditHost* host;
};

} // namespace grid
