#pragma once
// The date pickers with automatic advance and the labelled date-and-time picker.
//
// TCustomDateTimePicker moves to the next field while digits are typed (AutoTab): a digit key
// remembers the value, the platform takes the key, and the picker posts itself "DTPShiftFocus";
// when that arrives, ShiftFocus compares and posts a Right key (the next field) or, in the
// date-and-time picker, gives the focus to the companion time picker.
//
// TQvDateTimePicker edits a date, a time, or both: for dkDateTime a companion time picker
// (a TCustomDateTimePicker) sits at its right end and follows its colour, font, enabled state
// and check box. A caption label stands on any of the combo's thirteen places around it.

#include "grid/edit/QsgDateTimePicker.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPointer>

#include <functional>

namespace grid {

// "DTPShiftFocus": the grid's registered event type, shared with the grid's date editor.
QEvent::Type PickerShiftFocusMessage();

class TCustomDateTimePicker : public TPickerLookBase {
    Q_OBJECT
public:
    explicit TCustomDateTimePicker(QWidget* parent = nullptr);

    bool AutoTab() const { return FAutoTab; }
    virtual void SetAutoTab(bool v) { FAutoTab = v; }
    // The companion never takes the metro look.
    virtual bool NoMetroLook() const { return true; }
    bool MetroLookActive() const override { return MetroStyle() && !NoMetroLook(); }

protected:
    // Runs when "DTPShiftFocus" arrives: a changed hour, minute or second of a time picker
    // moves to the next field.
    virtual void ShiftFocus();
    // Remembers what ShiftFocus compares with.
    virtual void RememberValue();
    void KeyPress(QChar& key) override;
    bool event(QEvent* e) override;

    // The value's parts at the last digit key.
    int Fy = 0, Fm = 0, Fd = 0;
    int Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;

private:
    bool FAutoTab = false;
};

enum TQvDateTimeKind { dkDate, dkTime, dkDateTime };

class TQvDateTimePicker : public TCustomDateTimePicker {
    Q_OBJECT
public:
    explicit TQvDateTimePicker(QWidget* parent = nullptr);
    ~TQvDateTimePicker() override;

    QString Version() const { return QStringLiteral("1.2.0.0"); }
    void SetVersion(const QString&) {}

    TQvDateTimeKind Kind() const { return FKind; }
    void SetKind(TQvDateTimeKind v);
    // With a companion, the date of the picker and the time of the companion.
    TDateTime DateTime() const;
    // Whole seconds: milliseconds are dropped.
    void SetDateTime(TDateTime v) override;
    TDateTime Date() const { return TPickerLookBase::Date(); }
    // Keeps the time of day.
    void SetDate(TDateTime v);
    // The companion's time for dkDateTime.
    TDateTime Time() const;
    void SetTime(TDateTime v);
    // The companion's format; empty: the platform's.
    const QString& TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const QString& v);
    void SetAutoTab(bool v) override;
    void SetBorderStyle(TBorderStyle v) override;
    bool NoMetroLook() const override { return false; }

    bool FocusLabel = false;
    QString LabelCaption() const { return FLabel ? FLabel->text() : QString(); }
    void SetLabelCaption(const QString& v);
    TLabelPosition LabelPosition() const { return FLabelPlace.Position; }
    void SetLabelPosition(TLabelPosition v);
    int LabelMargin() const { return FLabelPlace.Margin; }
    void SetLabelMargin(int v);
    bool LabelTransparent() const { return FLabelPlace.Transparent; }
    void SetLabelTransparent(bool v);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool v);
    const QFont& LabelFont() const { return FLabelFont; }
    void SetLabelFont(const QFont& v);
    QLabel* PickerLabel() const { return FLabel; }
    // The companion time picker; none unless the kind is dkDateTime.
    TCustomDateTimePicker* TimePicker() const { return FTimePicker; }

    std::function<void(QObject*)> OnTimeChange;
    std::function<void(QObject*)> OnLabelClick;
    std::function<void(QObject*)> OnLabelDblClick;

    void CreateTimePicker();
    // Companion: parent, colour, enabled state, visibility, value, format, font and place;
    // freed when the kind no longer asks for it.
    void UpdateTimePicker();
    void UpdateLabel();
    virtual void NotifyChange();
    virtual void NotifyClick();
    // Finishes a picker whose properties were set in bulk (as a form loader does).
    void Loaded();

    void setVisible(bool visible) override;

protected:
    void MsgSetDateTime(const QDateTime& value) override;
    void MsgSetNoDate() override;
    void DateTimeChangeNotify(bool noDate) override;
    void ShiftFocus() override;
    void RememberValue() override;
    virtual void TimePickerKeyPress(QChar&) {}

    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void applyKind(TQvDateTimeKind old);
    void placeTimePicker();
    void setLabelBold(bool bold);
    void enableTimePicker();

    TQvDateTimeKind FKind = dkDateTime;
    QString FTimeFormat;
    QPointer<TCustomDateTimePicker> FTimePicker;
    QPointer<QLabel> FLabel;
    QFont FLabelFont;
    TLabelPlace FLabelPlace;
    bool FLabelAlwaysEnabled = false;
    // The label takes the picker's font (the picker's ParentFont at Loaded).
    bool FLabelUsesPickerFont = false;
    bool FLabelBold = false;
    bool FPainted = false;
};

} // namespace grid
