#include "grid/edit/GridDatePicker.h"

#include "grid/edit/GridEditorEnd.h"
#include "grid/edit/GridUnitHelpers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>

namespace grid {

namespace {

bool isClosingKey(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

bool isDigitKey(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isShiftTab(int key, Qt::KeyboardModifiers shift)
{
    return key == Qt::Key_Backtab || (shift & Qt::ShiftModifier);
}

} // namespace

// ---- TGridDatePicker

TGridDatePicker::TGridDatePicker(QWidget* grid, TGridEditHost* h) : TQsgDateTimePicker(grid), host(h)
{
    setObjectName(QStringLiteral("GridDatePicker"));
    SetWeekNumbers(false);
    SetShowToday(true);
    SetShowTodayCircle(true);
    OnDropDown = [this](QObject*) { FOldDropped = true; };
    OnCloseUp = [this](QObject*) { FOldDropped = false; };
    hide();
    setEnabled(false);
}

void TGridDatePicker::ReCreate()
{
    FOldDropped = false;
    SetFormat(QString());
    SetChecked(true);
}

QString TGridDatePicker::StoredText() const
{
    return Checked() ? Text() : QString();
}

void TGridDatePicker::setValueFromText(const QString& s)
{
    // Text the locale cannot read gives now, without an error.
    const QLocale l;
    QDateTime v;
    if (Kind() == platform::dtkTime) {
        for (const QString& f : {LocaleLongTimeFormat(), LocaleShortTimeFormat()}) {
            const QTime t = l.toTime(s.trimmed(), f);
            if (t.isValid()) {
                v = QDateTime(QDate::currentDate(), t, Qt::UTC);
                break;
            }
        }
    } else {
        const QDate d = l.toDate(s.trimmed(), LocaleShortDateFormat());
        if (d.isValid())
            v = QDateTime(d, QTime(0, 0), Qt::UTC);
    }
    if (!v.isValid()) {
        const QDateTime now = QDateTime::currentDateTime();
        v = QDateTime(now.date(), now.time(), Qt::UTC);
    }
    platform::TDateTimePicker::SetDateTime(v);
}

bool TGridDatePicker::event(QEvent* e)
{
    if (e->type() == PickerShiftFocusMessage()) {
        ShiftFocus();
        return true;
    }
    if (host && RouteClaimedTab(e, host->EditorWantsTab(), [this](QKeyEvent* k) { keyPressEvent(k); }))
        return true;
    return TQsgDateTimePicker::event(e);
}

void TGridDatePicker::KeyPress(QChar& key)
{
    const bool digit = isDigitKey(key);
    if (digit) {
        const QDateTime v = platform::TDateTimePicker::DateTime();
        Fy = v.date().year();
        Fm = v.date().month();
        Fd = v.date().day();
        Fth = v.time().hour();
        Ftm = v.time().minute();
        Fts = v.time().second();
        Ftms = v.time().msec();
    }
    TQsgDateTimePicker::KeyPress(key);
    // Posted: the platform takes the digit first, then the value is compared.
    if (digit)
        QCoreApplication::postEvent(this, new QEvent(PickerShiftFocusMessage()));
    if (host)
        host->EditorKeyPress(this, key);
}

void TGridDatePicker::ShiftFocus()
{
    const QDateTime v = platform::TDateTimePicker::DateTime();
    if (Kind() == platform::dtkTime) {
        const QTime t = v.time();
        if (t.hour() != Fth || t.minute() != Ftm || t.second() != Fts)
            PostKeyDown(Qt::Key_Right);
        return;
    }
    const bool day = v.date().day() != Fd, month = v.date().month() != Fm, year = v.date().year() != Fy;
    const QString f = Format();
    if (f.isEmpty()) {
        if (day || month)
            PostKeyDown(Qt::Key_Right);
        return;
    }
    // The field typed is the format's last one: there is nowhere to move to.
    const QChar last = f.back().toLower();
    const bool lastField = day     ? last == QLatin1Char('d')
                           : month ? last == QLatin1Char('m')
                                   : year && last == QLatin1Char('y');
    if (!lastField && (day || month || year))
        PostKeyDown(Qt::Key_Right);
}

void TGridDatePicker::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (!host || !isClosingKey(key)) {
        TQsgDateTimePicker::KeyDown(key, shift);
        return;
    }
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    const int pressed = key;
    key = 0;
    if (pressed == Qt::Key_Escape) {
        setValueFromText(host->CurrentCellText());
    } else if (pressed == Qt::Key_Return || pressed == Qt::Key_Enter) {
        // Commits the field being typed.
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(this, &down);
        QApplication::sendEvent(this, &up);
        if (!StoreAndValidate(*host, StoredText())) {
            setValueFromText(host->NewCellText());
            update();
            host->SetNoAutoAdvance(true);
            return;
        }
    } else if (tab) {
        const TTabOut out = TabOut(*host, StoredText(), isShiftTab(pressed, shift),
                                   [this](const QString& shown) { setValueFromText(shown); });
        if (out == TTabOut::Refused || out == TTabOut::Finished)
            return;
    }
    if (!DroppedDown())
        host->DoneInplaceEdit(tab ? Qt::Key_Tab : pressed, shift);
}

void TGridDatePicker::paintEvent(QPaintEvent* e)
{
    TQsgDateTimePicker::paintEvent(e);
    // Two frames in the window colour over the outer edge: the picker sits flush in its cell.
    QPainter p(this);
    p.setPen(palette().color(QPalette::Base));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawRect(rect().adjusted(1, 1, -2, -2));
}

void TGridDatePicker::focusOutEvent(QFocusEvent* e)
{
    TQsgDateTimePicker::focusOutEvent(e);
    if (host && !DroppedDown() && EditorLeftForGood(this, e))
        host->HideInplaceEdit();
}

// ---- TGridDateTimePicker

TGridDateTimePicker::TGridDateTimePicker(QWidget* grid, TGridEditHost* h) : TQvDateTimePicker(grid), host(h)
{
    setObjectName(QStringLiteral("GridDateTimePicker"));
    SetAutoTab(true);
    hide();
    setEnabled(false);
}

QString TGridDateTimePicker::StoredText() const
{
    if (!Checked())
        return QString();
    const QDateTime v = DateTimeToQDateTime(DateTime());
    const QLocale l;
    return l.toString(v.date(), LocaleShortDateFormat()) + QLatin1Char(' ')
           + l.toString(v.time(), LocaleShortTimeFormat());
}

void TGridDateTimePicker::WatchTimePicker()
{
    if (TimePicker())
        TimePicker()->installEventFilter(this);
}

bool TGridDateTimePicker::event(QEvent* e)
{
    if (host && RouteClaimedTab(e, host->EditorWantsTab(), [this](QKeyEvent* k) { keyPressEvent(k); }))
        return true;
    return TQvDateTimePicker::event(e);
}

bool TGridDateTimePicker::eventFilter(QObject* watched, QEvent* e)
{
    if (host && watched == TimePicker()) {
        if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            const bool tab = k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab;
            if (isClosingKey(k->key()) && (!tab || host->EditorWantsTab())) {
                int key = k->key();
                KeyDown(key, k->modifiers());
                if (key == 0)
                    return true;
            }
        } else if (e->type() == QEvent::FocusOut) {
            leftFocus(static_cast<QFocusEvent*>(e));
        }
    }
    return TQvDateTimePicker::eventFilter(watched, e);
}

void TGridDateTimePicker::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    const bool closes = key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter
                        || (tab && host && host->EditorWantsTab());
    if (!host || !closes) {
        TQvDateTimePicker::KeyDown(key, shift);
        return;
    }
    const int pressed = key;
    key = 0;
    if (pressed == Qt::Key_Escape)
        SetDateTime(host->OriginalDateTime());
    host->HideInplaceEdit();
    host->FocusGrid();
    if ((pressed == Qt::Key_Return || pressed == Qt::Key_Enter) && host->EditNavigation().AdvanceOnEnter())
        host->AdvanceToNextCell(true, false);
    // Tab keeps what the store step wrote (date and time); storing the picker's own text, its
    // date field, would drop the time.
    if (tab)
        host->AdvanceOnTab(isShiftTab(pressed, shift));
}

bool TGridDateTimePicker::ownsFocus() const
{
    QWidget* to = QApplication::focusWidget();
    return to
           && (to == this || isAncestorOf(to)
               || (TimePicker() && (to == TimePicker() || TimePicker()->isAncestorOf(to))));
}

void TGridDateTimePicker::leftFocus(QFocusEvent* e)
{
    if (host && e->reason() != Qt::PopupFocusReason && isVisible() && !DroppedDown() && !ownsFocus())
        host->HideInplaceEdit();
}

void TGridDateTimePicker::focusOutEvent(QFocusEvent* e)
{
    TQvDateTimePicker::focusOutEvent(e);
    leftFocus(e);
}

// ---- change notification ---------------------------------------------------------------------

// The grid reports the change as its OnDateTimeChange.
void TGridDatePicker::DateTimeChangeNotify(bool noDate)
{
    TQsgDateTimePicker::DateTimeChangeNotify(noDate);
    if (host)
        host->DateTimeChanged(noDate ? QDateTime() : platform::TDateTimePicker::DateTime());
}

void TGridDateTimePicker::DateTimeChangeNotify(bool noDate)
{
    TQvDateTimePicker::DateTimeChangeNotify(noDate);
    if (host)
        host->DateTimeChanged(noDate ? QDateTime() : platform::TDateTimePicker::DateTime());
}

} // namespace grid
