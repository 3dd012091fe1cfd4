#include "platform/DateTimePicker.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QVBoxLayout>

#include <array>

namespace platform {

namespace {

// A run of one platform letter, as many times as it stands, and the Qt field it becomes.
struct TFormatLetter {
    char letter;
    int minRun;
    int maxRun;
    const char* qt;
};

constexpr std::array<TFormatLetter, 19> kFormatLetters{{
    {'d', 1, 1, "d"},   {'d', 2, 2, "dd"},  {'d', 3, 3, "ddd"},   {'d', 4, 99, "dddd"}, {'M', 1, 1, "M"},
    {'M', 2, 2, "MM"},  {'M', 3, 3, "MMM"}, {'M', 4, 99, "MMMM"}, {'y', 1, 2, "yy"},    {'y', 3, 99, "yyyy"},
    {'h', 1, 1, "h"},   {'h', 2, 99, "hh"}, {'H', 1, 1, "H"},     {'H', 2, 99, "HH"},   {'m', 1, 1, "m"},
    {'m', 2, 99, "mm"}, {'s', 1, 1, "s"},   {'s', 2, 99, "ss"},   {'t', 1, 99, "AP"},
}};

const char* qtField(QChar letter, int run)
{
    for (const TFormatLetter& f : kFormatLetters)
        if (letter == QLatin1Char(f.letter) && run >= f.minRun && run <= f.maxRun)
            return f.qt;
    return nullptr;
}

// Literal text as Qt reads it: quoted (quotes doubled) when it holds a letter or a quote.
QString qtLiteral(const QString& text)
{
    bool plain = true;
    for (QChar c : text)
        if (c.isLetter() || c == QLatin1Char('\''))
            plain = false;
    if (plain)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// The locale's long time format without the time-zone field, which a picker cannot edit.
QString withoutTimeZone(const QString& format)
{
    QString out;
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    return out.trimmed();
}

bool isNumericSection(QDateTimeEdit::Section s)
{
    switch (s) {
    case QDateTimeEdit::DaySection:
    case QDateTimeEdit::MonthSection:
    case QDateTimeEdit::YearSection:
    case QDateTimeEdit::HourSection:
    case QDateTimeEdit::MinuteSection:
    case QDateTimeEdit::SecondSection:
    case QDateTimeEdit::MSecSection:
        return true;
    default:
        return false;
    }
}

} // namespace

QString Translate_DateTime_Format(const QString& format)
{
    QString out;
    QString literal;
    const auto flushLiteral = [&] {
        out += qtLiteral(literal);
        literal.clear();
    };
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            // A quoted literal; '' inside it is one quote.
            ++i;
            while (i < format.size()) {
                if (format[i] == QLatin1Char('\'')) {
                    if (i + 1 < format.size() && format[i + 1] == QLatin1Char('\'')) {
                        literal += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                literal += format[i++];
            }
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        if (const char* field = c.isLetter() ? qtField(c, int(run)) : nullptr) {
            flushLiteral();
            out += QLatin1String(field);
        } else {
            literal += format.mid(i, run);
        }
        i += run;
    }
    flushLiteral();
    return out;
}

// ---- calendar --------------------------------------------------------------------------------

TMonthCalendar::TMonthCalendar(QWidget* parent) : QCalendarWidget(parent)
{
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    FTodayLabel = new QLabel(this);
    FTodayLabel->setText(tr("Today: %1").arg(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)));
    FTodayLabel->setContentsMargins(6, 2, 6, 2);
    FTodayLabel->installEventFilter(this);
    if (auto* box = qobject_cast<QBoxLayout*>(layout()))
        box->addWidget(FTodayLabel);
}

void TMonthCalendar::SetWeekNumbers(bool v)
{
    FWeekNumbers = v;
    setVerticalHeaderFormat(v ? QCalendarWidget::ISOWeekNumbers : QCalendarWidget::NoVerticalHeader);
}

void TMonthCalendar::SetShowToday(bool v)
{
    FShowToday = v;
    FTodayLabel->setVisible(v);
}

void TMonthCalendar::SetShowTodayCircle(bool v)
{
    FShowTodayCircle = v;
    updateCells();
}

void TMonthCalendar::PickToday()
{
    const QDate today = QDate::currentDate();
    setSelectedDate(today);
    emit activated(today);
}

void TMonthCalendar::paintCell(QPainter* painter, const QRect& rect, QDate date) const
{
    QCalendarWidget::paintCell(painter, rect, date);
    if (!FShowTodayCircle || date != QDate::currentDate())
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(QColor(0xC0, 0x00, 0x00), 1.5));
    painter->setBrush(Qt::NoBrush);
    painter->drawEllipse(QRectF(rect).adjusted(1.5, 1.5, -1.5, -1.5));
    painter->restore();
}

bool TMonthCalendar::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == FTodayLabel && e->type() == QEvent::MouseButtonRelease) {
        PickToday();
        return true;
    }
    return QCalendarWidget::eventFilter(watched, e);
}

// ---- picker ----------------------------------------------------------------------------------

TDateTimePicker::TDateTimePicker(QWidget* parent) : QDateTimeEdit(parent)
{
    // Wall-clock values: no zone, so no hour is skipped or doubled by daylight saving.
    setTimeSpec(Qt::UTC);
    setCalendarPopup(true);
    FCalendar = new TMonthCalendar(this);
    setCalendarWidget(FCalendar);
    FPopup = FCalendar->window();
    if (FPopup && FPopup != this)
        FPopup->installEventFilter(this);
    FCheckBox = new QCheckBox(this);
    FCheckBox->setChecked(true);
    FCheckBox->setFocusPolicy(Qt::NoFocus);
    FCheckBox->hide();
    connect(FCheckBox, &QCheckBox::toggled, this, [this](bool on) {
        if (!FSettingByCode)
            userToggledBox(on);
    });
    lineEdit()->installEventFilter(this);
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (!FSettingByCode)
            userChangedValue();
    });
    applyFormat();
    const QDateTime now = QDateTime::currentDateTime();
    FSettingByCode = true;
    setDateTime(QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()), Qt::UTC));
    FSettingByCode = false;
}

void TDateTimePicker::SetKind(TDateTimeKind v)
{
    FKind = v;
    applyFormat();
}

void TDateTimePicker::SetDateMode(TDTDateMode v)
{
    FDateMode = v;
    applyFormat();
}

void TDateTimePicker::SetFormat(const QString& v)
{
    FFormat = v;
    applyFormat();
}

void TDateTimePicker::applyFormat()
{
    QString f;
    if (!FFormat.isEmpty())
        f = Translate_DateTime_Format(FFormat);
    else if (FKind == dtkDate)
        f = QLocale().dateFormat(QLocale::ShortFormat);
    else
        f = withoutTimeZone(QLocale().timeFormat(QLocale::LongFormat));
    FSettingByCode = true;
    const QDateTime keep = dateTime();
    setDisplayFormat(f);
    setCalendarPopup(FKind == dtkDate && FDateMode == dmComboBox);
    setDateTime(keep);
    FSettingByCode = false;
    FTyped.clear();
    update();
}

void TDateTimePicker::SetMinDate(const QDate& v)
{
    FMinDate = v;
    applyDateRange();
}

void TDateTimePicker::SetMaxDate(const QDate& v)
{
    FMaxDate = v;
    applyDateRange();
}

void TDateTimePicker::applyDateRange()
{
    FSettingByCode = true;
    if (FMinDate.isValid())
        setMinimumDate(FMinDate);
    else
        clearMinimumDate();
    if (FMaxDate.isValid())
        setMaximumDate(FMaxDate);
    else
        clearMaximumDate();
    FSettingByCode = false;
}

void TDateTimePicker::SetShowCheckbox(bool v)
{
    FShowCheckbox = v;
    FCheckBox->setVisible(v);
    placeCheckBox();
    showChecked();
}

void TDateTimePicker::SetChecked(bool v)
{
    if (v)
        MsgSetDateTime(dateTime());
    else
        MsgSetNoDate();
}

void TDateTimePicker::MsgSetDateTime(const QDateTime& value)
{
    FSettingByCode = true;
    setDateTime(QDateTime(value.date(), value.time(), Qt::UTC));
    FChecked = true;
    FCheckBox->setChecked(true);
    FSettingByCode = false;
    FTyped.clear();
    showChecked();
}

void TDateTimePicker::MsgSetNoDate()
{
    if (!FShowCheckbox)
        return;
    FSettingByCode = true;
    FChecked = false;
    FCheckBox->setChecked(false);
    FSettingByCode = false;
    showChecked();
}

void TDateTimePicker::DateTimeChangeNotify(bool)
{
    Change();
}

void TDateTimePicker::Change()
{
    if (OnChange)
        OnChange(this);
}

void TDateTimePicker::Click()
{
    if (OnClick)
        OnClick(this);
}

void TDateTimePicker::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TDateTimePicker::KeyPress(QChar& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TDateTimePicker::DropDown()
{
    if (!calendarPopup() || FDroppedDown)
        return;
    // The edit opens its calendar only from a press on its button.
    const QPointF at(width() - 8, height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &press);
    QCoreApplication::sendEvent(this, &release);
}

void TDateTimePicker::PostKeyDown(int key)
{
    QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}

void TDateTimePicker::userChangedValue()
{
    // A date picked from the calendar while the box is clear gives the date again.
    if (FShowCheckbox && !FChecked) {
        FChecked = true;
        FSettingByCode = true;
        FCheckBox->setChecked(true);
        FSettingByCode = false;
        showChecked();
    }
    DateTimeChangeNotify(false);
}

void TDateTimePicker::userToggledBox(bool checked)
{
    FChecked = checked;
    FTyped.clear();
    showChecked();
    DateTimeChangeNotify(!checked);
}

// A cleared box greys the fields, as the platform shows an absent date.
void TDateTimePicker::showChecked()
{
    QPalette pal = lineEdit()->palette();
    const bool grey = FShowCheckbox && !FChecked;
    pal.setColor(QPalette::Active, QPalette::Text,
                 palette().color(grey ? QPalette::Disabled : QPalette::Active, QPalette::Text));
    pal.setColor(QPalette::Inactive, QPalette::Text,
                 palette().color(grey ? QPalette::Disabled : QPalette::Inactive, QPalette::Text));
    lineEdit()->setPalette(pal);
}

void TDateTimePicker::placeCheckBox()
{
    const int box = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, FCheckBox);
    const int boxH = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, FCheckBox);
    FCheckBox->setGeometry(3, (height() - boxH) / 2, box, boxH);
    // The fields start right of the box; the line edit sits inside the frame.
    const int inset = FShowCheckbox ? FCheckBox->geometry().right() + 3 - lineEdit()->x() : 0;
    lineEdit()->setTextMargins(qMax(0, inset), 0, 0, 0);
}

void TDateTimePicker::resizeEvent(QResizeEvent* e)
{
    QDateTimeEdit::resizeEvent(e);
    placeCheckBox();
}

void TDateTimePicker::focusInEvent(QFocusEvent* e)
{
    QDateTimeEdit::focusInEvent(e);
    FTyped.clear();
}

void TDateTimePicker::focusOutEvent(QFocusEvent* e)
{
    commitTyped();
    QDateTimeEdit::focusOutEvent(e);
}

bool TDateTimePicker::moveToField(int step)
{
    commitTyped();
    const int next = currentSectionIndex() + step;
    if (next < 0 || next >= sectionCount())
        return false;
    setCurrentSectionIndex(next);
    setSelectedSection(currentSection());
    return true;
}

namespace {

struct TFieldLimits {
    int width; // digits the field holds
    int most;  // its largest number
};

TFieldLimits fieldLimits(QDateTimeEdit::Section s, const QString& qtFormat)
{
    const bool longYear = qtFormat.contains(QStringLiteral("yyyy"));
    const bool twelveHour = qtFormat.contains(QLatin1String("AP"), Qt::CaseInsensitive);
    switch (s) {
    case QDateTimeEdit::DaySection:
        return {2, 31};
    case QDateTimeEdit::MonthSection:
        return {2, 12};
    case QDateTimeEdit::YearSection:
        return longYear ? TFieldLimits{4, 9999} : TFieldLimits{2, 99};
    case QDateTimeEdit::HourSection:
        return {2, twelveHour ? 12 : 23};
    case QDateTimeEdit::MSecSection:
        return {3, 999};
    default:
        return {2, 59};
    }
}

} // namespace

// The platform's typing: the digits typed into a field make its number, which is taken once
// no further digit could extend it (the field is full, or one more digit would pass its
// largest value) or when the caret leaves the field. A digit that would not fit starts the
// number anew. The caret stays in the field.
bool TDateTimePicker::typeDigit(int digit)
{
    const QDateTimeEdit::Section s = currentSection();
    if (!isNumericSection(s))
        return false;
    if (s != FTypedSection)
        commitTyped();
    FTypedSection = s;
    const TFieldLimits lim = fieldLimits(s, displayFormat());
    const QString one(QChar(QLatin1Char(char('0' + digit))));
    QString typed = FTyped + one;
    if (typed.size() > lim.width || typed.toInt() > lim.most)
        typed = one;
    FTyped = typed;
    if (typed.size() >= lim.width || typed.toInt() * 10 > lim.most)
        commitTyped();
    return true;
}

void TDateTimePicker::commitTyped()
{
    if (FTyped.isEmpty())
        return;
    const QDateTimeEdit::Section s = FTypedSection;
    const int n = FTyped.toInt();
    const bool shortYear = FTyped.size() <= 2;
    FTyped.clear();
    const bool twelveHour = displayFormat().contains(QLatin1String("AP"), Qt::CaseInsensitive);
    const QDateTime old = dateTime();
    QTime t = old.time();
    int year = old.date().year(), month = old.date().month(), day = old.date().day();
    switch (s) {
    case QDateTimeEdit::DaySection:
        day = n;
        break;
    case QDateTimeEdit::MonthSection:
        month = n;
        break;
    // One or two digits name a year of the current century.
    case QDateTimeEdit::YearSection:
        year = shortYear ? year - year % 100 + n : n;
        break;
    case QDateTimeEdit::HourSection:
        t = QTime(twelveHour ? n % 12 + (t.hour() >= 12 ? 12 : 0) : n, t.minute(), t.second(), t.msec());
        break;
    case QDateTimeEdit::MinuteSection:
        t = QTime(t.hour(), n, t.second(), t.msec());
        break;
    case QDateTimeEdit::SecondSection:
        t = QTime(t.hour(), t.minute(), n, t.msec());
        break;
    case QDateTimeEdit::MSecSection:
        t = QTime(t.hour(), t.minute(), t.second(), n);
        break;
    default:
        return;
    }
    if (day < 1 || month < 1 || year < 1 || !t.isValid())
        return;
    // A day past the month's end becomes its last day.
    const QDate first(year, month, 1);
    if (!first.isValid())
        return;
    const QDate d(year, month, qMin(day, first.daysInMonth()));
    const QDateTime v(d, t, Qt::UTC);
    if (v != old && d >= minimumDate() && d <= maximumDate())
        setDateTime(v);
    setSelectedSection(s);
}

void TDateTimePicker::keyPressEvent(QKeyEvent* e)
{
    int key = e->key();
    KeyDown(key, e->modifiers());
    if (key == 0) {
        e->accept();
        return;
    }
    const bool noDate = FShowCheckbox && !FChecked;
    if (key == Qt::Key_F4 || (key == Qt::Key_Down && (e->modifiers() & Qt::AltModifier))) {
        DropDown();
        e->accept();
        return;
    }
    if (FShowCheckbox && key == Qt::Key_Space) {
        FCheckBox->toggle(); // the box takes Space, as the platform's does
        e->accept();
        return;
    }
    if (key == Qt::Key_Right || key == Qt::Key_Left) {
        if (!noDate)
            moveToField(key == Qt::Key_Right ? 1 : -1);
        e->accept();
        return;
    }
    const QString text = e->text();
    if (!text.isEmpty() && text[0].isPrint()) {
        QChar c = text[0];
        KeyPress(c);
        if (c.isNull() || noDate) {
            e->accept();
            return;
        }
        if (c.isDigit() && c.unicode() < 128 && typeDigit(c.digitValue())) {
            e->accept();
            return;
        }
    }
    commitTyped();
    if (noDate && (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown)) {
        e->accept();
        return;
    }
    QDateTimeEdit::keyPressEvent(e);
}

bool TDateTimePicker::focusNextPrevChild(bool next)
{
    // Tab leaves the picker, as the platform's does; the arrows move between the fields.
    return QWidget::focusNextPrevChild(next);
}

void TDateTimePicker::wheelEvent(QWheelEvent* e)
{
    if (FShowCheckbox && !FChecked) {
        e->ignore();
        return;
    }
    QDateTimeEdit::wheelEvent(e);
}

void TDateTimePicker::mouseReleaseEvent(QMouseEvent* e)
{
    QDateTimeEdit::mouseReleaseEvent(e);
    if (rect().contains(e->position().toPoint()))
        Click();
}

bool TDateTimePicker::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == FPopup) {
        if (e->type() == QEvent::Show && !FDroppedDown) {
            FDroppedDown = true;
            if (OnDropDown)
                OnDropDown(this);
        } else if (e->type() == QEvent::Hide && FDroppedDown) {
            FDroppedDown = false;
            update();
            if (OnCloseUp)
                OnCloseUp(this);
        }
    } else if (watched == lineEdit() && e->type() == QEvent::MouseButtonRelease) {
        Click();
    }
    return QDateTimeEdit::eventFilter(watched, e);
}

} // namespace platform
