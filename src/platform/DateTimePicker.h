#pragma once
// The platform's date and time picker: a QDateTimeEdit with a kind (date or time), a drop-down
// calendar or up-down buttons, a format in the platform's letters, an optional check box at the
// left (unchecked means no date), date limits, and the change, drop-down and close-up
// notifications. Fields are typed as the platform picker types them: digits build the current
// field's number, which is taken once the field is complete, and the caret stays in the field;
// Right and Left move to the next and the previous field.
//
// Format letters (platform -> Qt), read by one table:
//   d dd ddd dddd    day, two-digit day, short and long day name   the same
//   M MM MMM MMMM    month, two-digit month, short and long name    the same
//   y yy             year in one or two digits                     yy (Qt edits no shorter year)
//   yyy yyyy         the full year                                 yyyy
//   h hh             hour of the 12-hour clock                     h hh
//   H HH             hour of the 24-hour clock                     H HH
//   m mm s ss        minutes, seconds                              the same
//   t tt             AM/PM marker, one or two letters              AP
//   'text'           a literal ('' is a quote)                     the same
// Any other letter is taken as a literal, quoted so Qt never reads it as a field.

#include <QCalendarWidget>
#include <QDateTime>
#include <QDateTimeEdit>
#include <QPointer>
#include <QString>

#include <functional>

class QCheckBox;
class QLabel;

namespace platform {

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };

// The Qt display format of a format in the platform's letters.
QString Translate_DateTime_Format(const QString& format);

// The drop-down calendar: week numbers on the left, a circle around today, and a "today" line
// under the month that picks today when clicked.
class TMonthCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    explicit TMonthCalendar(QWidget* parent = nullptr);

    bool WeekNumbers() const { return FWeekNumbers; }
    void SetWeekNumbers(bool v);
    bool ShowToday() const { return FShowToday; }
    void SetShowToday(bool v);
    bool ShowTodayCircle() const { return FShowTodayCircle; }
    void SetShowTodayCircle(bool v);
    QLabel* TodayLabel() const { return FTodayLabel; }
    // Picks today, as a click on the today line does.
    void PickToday();

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool FWeekNumbers = false;
    bool FShowToday = true;
    bool FShowTodayCircle = true;
    QLabel* FTodayLabel = nullptr;
};

class TDateTimePicker : public QDateTimeEdit {
    Q_OBJECT
public:
    explicit TDateTimePicker(QWidget* parent = nullptr);

    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind v);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode v);
    // Empty: the locale's short date or long time format.
    const QString& Format() const { return FFormat; }
    void SetFormat(const QString& v);

    // The value, kept while the check box is cleared.
    QDateTime DateTime() const { return dateTime(); }
    // Puts a value into the control (no change notification); ticks the check box.
    void SetDateTime(const QDateTime& v) { MsgSetDateTime(v); }

    // Null: no limit.
    QDate MinDate() const { return FMinDate; }
    void SetMinDate(const QDate& v);
    QDate MaxDate() const { return FMaxDate; }
    void SetMaxDate(const QDate& v);

    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool v);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    QCheckBox* CheckBox() const { return FCheckBox; }

    bool DroppedDown() const { return FDroppedDown; }
    TMonthCalendar* Calendar() const { return FCalendar; }
    bool WeekNumbers() const { return FCalendar->WeekNumbers(); }
    void SetWeekNumbers(bool v) { FCalendar->SetWeekNumbers(v); }
    bool ShowToday() const { return FCalendar->ShowToday(); }
    void SetShowToday(bool v) { FCalendar->SetShowToday(v); }
    bool ShowTodayCircle() const { return FCalendar->ShowTodayCircle(); }
    void SetShowTodayCircle(bool v) { FCalendar->SetShowTodayCircle(v); }

    // Opens the calendar as a click on the drop button does (F4 and Alt+Down do it too).
    void DropDown();
    // Posts a key press to the picker itself, to be handled after the current input.
    void PostKeyDown(int key);
    // The shown text of the fields.
    QString Text() const { return text(); }

    std::function<void(QObject*)> OnChange;
    std::function<void(QObject*)> OnClick;
    std::function<void(QObject*)> OnDropDown;
    std::function<void(QObject*)> OnCloseUp;
    // A key set to 0 is not handled further.
    std::function<void(QObject*, int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(QObject*, QChar& key)> OnKeyPress;

protected:
    // The value goes into the control by code: no change notification, the box is ticked.
    virtual void MsgSetDateTime(const QDateTime& value);
    // The box is cleared by code: no date.
    virtual void MsgSetNoDate();
    // The user changed the value or the check box; noDate when the box is now clear.
    virtual void DateTimeChangeNotify(bool noDate);
    virtual void Change();
    virtual void Click();
    virtual void KeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void KeyPress(QChar& key);

    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void applyFormat();
    void applyDateRange();
    void placeCheckBox();
    void showChecked();
    void userChangedValue();
    void userToggledBox(bool checked);
    bool moveToField(int step);
    bool typeDigit(int digit);
    void commitTyped();

    TDateTimeKind FKind = dtkDate;
    TDTDateMode FDateMode = dmComboBox;
    QString FFormat;
    QDate FMinDate;
    QDate FMaxDate;
    bool FShowCheckbox = false;
    bool FChecked = true;
    bool FDroppedDown = false;
    bool FSettingByCode = false;
    QCheckBox* FCheckBox = nullptr;
    TMonthCalendar* FCalendar = nullptr;
    QPointer<QWidget> FPopup;
    // The digits typed into the current field so far.
    QString FTyped;
    QDateTimeEdit::Section FTypedSection = QDateTimeEdit::NoSection;
};

} // namespace platform
