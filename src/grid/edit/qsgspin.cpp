#include "grid/edit/qsgspin.h"

#include "grid/edit/GridUnitHelpers.h"
#include "grid/look/QvXPVS.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QPolygon>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace grid {

namespace {

constexpr int kRepeatDelay = 400;
constexpr int kRepeatInterval = 100;

QLocale numberLocale()
{
    QLocale l;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l;
}

bool isNumberChar(QChar c)
{
    return c.category() == QChar::Number_DecimalDigit || c.category() == QChar::Number_Letter
           || c.category() == QChar::Number_Other;
}

} // namespace

QString SpinDateFormat()
{
    QString f = LocaleShortDateFormat();
    if (!f.contains(QLatin1String("yyyy")))
        f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return f;
}

QImage SpinArrowGlyph(bool up)
{
    // A 7 x 4 black triangle on a transparent ground.
    QImage img(7, 4, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int row = 0; row < 4; ++row) {
        const int half = up ? row : 3 - row;
        for (int x = 3 - half; x <= 3 + half; ++x)
            img.setPixel(x, row, qRgb(0, 0, 0));
    }
    return img;
}

// ---- TQvTimerSpeedButton

TQvTimerSpeedButton::TQvTimerSpeedButton(TQsgSpinButton* owner) : platform::TSpeedButton(owner), FOwner(owner) {}

void TQvTimerSpeedButton::mousePressEvent(QMouseEvent* e)
{
    platform::TSpeedButton::mousePressEvent(e);
    if (TimeBtnState & tbAllowTimer) {
        if (!FRepeatTimer) {
            FRepeatTimer = new QTimer(this);
            connect(FRepeatTimer, &QTimer::timeout, this, &TQvTimerSpeedButton::RepeatTimerTick);
        }
        FRepeatTimer->setInterval(kRepeatDelay);
        FRepeatTimer->start();
    }
    if (parentWidget())
        parentWidget()->update();
}

void TQvTimerSpeedButton::RepeatTimerTick()
{
    if (FRepeatTimer)
        FRepeatTimer->setInterval(kRepeatInterval);
    if (IsPressed())
        Click();
}

void TQvTimerSpeedButton::mouseReleaseEvent(QMouseEvent* e)
{
    platform::TSpeedButton::mouseReleaseEvent(e);
    if (FRepeatTimer)
        FRepeatTimer->stop();
    if (parentWidget())
        parentWidget()->update();
}

void TQvTimerSpeedButton::Paint(QPainter& canvas)
{
    const bool down = State() == bsDown || State() == bsExclusive;
    const QRect r = rect();
    if (FOwner && FOwner->ButtonColor != clNone) {
        TColor face = FOwner->ButtonColor;
        if (down && FOwner->ButtonColorDown != clNone)
            face = FOwner->ButtonColorDown;
        else if (!down && MouseInControl() && FOwner->ButtonColorHot != clNone)
            face = FOwner->ButtonColorHot;
        canvas.fillRect(r, platform::toQColor(face));
        QPolygon triangle;
        switch (ButtonDirection) {
        case bdLeft:
            triangle << QPoint(5, 5) << QPoint(3, 7) << QPoint(5, 9);
            break;
        case bdRight:
            triangle << QPoint(3, 5) << QPoint(5, 7) << QPoint(3, 9);
            break;
        case bdUp:
            triangle << QPoint(4, 4) << QPoint(8, 4) << QPoint(6, 2);
            break;
        case bdDown:
            triangle << QPoint(4, 2) << QPoint(8, 2) << QPoint(6, 4);
            break;
        }
        canvas.setRenderHint(QPainter::Antialiasing, false);
        canvas.setPen(Qt::black);
        canvas.setBrush(Qt::black);
        canvas.drawPolygon(triangle);
        return;
    }
    if (IsWinXP) {
        int part = 1;
        switch (ButtonDirection) {
        case bdLeft:
            part = 4;
            break;
        case bdRight:
            part = 3;
            break;
        case bdUp:
            part = 1;
            break;
        case bdDown:
            part = 2;
            break;
        }
        const int state = down ? 3 : MouseInControl() ? 2 : 1;
        if (DrawThemedPart(GridThemeApi, FOwner ? FOwner->window() : window(), QStringLiteral("spin"), canvas, part,
                           state, r))
            return;
    }
    if (ButtonDirection == bdUp || ButtonDirection == bdDown) {
        platform::TSpeedButton::Paint(canvas);
        return;
    }
    // The platform's scroll arrow buttons, pushed while down, flat when the button is flat.
    QStyleOptionButton face;
    face.initFrom(this);
    face.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
    if (Flat())
        face.features |= QStyleOptionButton::Flat;
    style()->drawControl(QStyle::CE_PushButtonBevel, &face, &canvas, this);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = r.adjusted(2, 2, -2, -2).translated(down ? 1 : 0, down ? 1 : 0);
    style()->drawPrimitive(ButtonDirection == bdLeft ? QStyle::PE_IndicatorArrowLeft : QStyle::PE_IndicatorArrowRight,
                           &arrow, &canvas, this);
}

// ---- TQsgSpinButton

TQsgSpinButton::TQsgSpinButton(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    FUpButton = new TQvTimerSpeedButton(this);
    FDownButton = new TQvTimerSpeedButton(this);
    for (TQvTimerSpeedButton* b : {FUpButton, FDownButton}) {
        b->TimeBtnState = tbAllowTimer;
        b->OnClick = [this, b] { buttonClick(b); };
        b->OnMouseDown = [this, b](QMouseEvent* e) { buttonPress(b, e); };
        b->show();
    }
    FUpButton->ButtonDirection = bdUp;
    FDownButton->ButtonDirection = bdDown;
    SetUpGlyph({});
    SetDownGlyph({});
    FFocusedButton = FUpButton;
    resize(15, 25);
}

void TQsgSpinButton::SetUpGlyph(const QImage& glyph)
{
    FUpButton->SetGlyph(glyph.isNull() ? SpinArrowGlyph(true) : glyph);
    if (glyph.isNull())
        FUpButton->SetNumGlyphs(1);
}

void TQsgSpinButton::SetDownGlyph(const QImage& glyph)
{
    FDownButton->SetGlyph(glyph.isNull() ? SpinArrowGlyph(false) : glyph);
    if (glyph.isNull())
        FDownButton->SetNumGlyphs(1);
}

void TQsgSpinButton::SetDirection(TSpinDirection d)
{
    if (d == FDirection)
        return;
    FDirection = d;
    if (d == spHorizontal) {
        FUpButton->ButtonDirection = bdRight;
        FDownButton->ButtonDirection = bdLeft;
        resize(20, height());
    } else {
        FUpButton->ButtonDirection = bdUp;
        FDownButton->ButtonDirection = bdDown;
        resize(15, height());
    }
    LayoutButtons(width(), height());
    update();
}

void TQsgSpinButton::SetIsWinXP(bool v)
{
    FUpButton->IsWinXP = v;
    FDownButton->IsWinXP = v;
    FUpButton->update();
    FDownButton->update();
}

QSize TQsgSpinButton::LayoutButtons(int w, int h)
{
    if (FDirection == spVertical) {
        w = std::max(w, 15);
        const int upHeight = h / 2;
        FUpButton->setGeometry(0, 0, w, upHeight);
        FDownButton->setGeometry(0, upHeight - 1, w, h - upHeight + 1);
    } else {
        w = std::max(w, 20);
        FDownButton->setGeometry(0, 0, w / 2, h);
        FUpButton->setGeometry(w / 2 + 1, 0, w / 2, h);
    }
    return {w, h};
}

void TQsgSpinButton::resizeEvent(QResizeEvent*)
{
    const QSize wanted = LayoutButtons(width(), height());
    if (wanted != size())
        resize(wanted); // comes back here with the adjusted size
}

void TQsgSpinButton::buttonClick(TQvTimerSpeedButton* button)
{
    if (button == FUpButton && OnUpClick)
        OnUpClick(this);
    else if (button == FDownButton && OnDownClick)
        OnDownClick(this);
}

void TQsgSpinButton::buttonPress(TQvTimerSpeedButton* button, QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    FocusButton(button);
    if (FocusControl && FocusControl->focusPolicy() & Qt::TabFocus && FocusControl->isEnabled()
        && !FocusControl->hasFocus())
        FocusControl->setFocus(Qt::MouseFocusReason);
    else if (!FocusControl && focusPolicy() & Qt::TabFocus && !hasFocus() && isEnabled())
        setFocus(Qt::MouseFocusReason);
}

void TQsgSpinButton::FocusButton(TQvTimerSpeedButton* button)
{
    if (!(focusPolicy() & Qt::TabFocus) || !isEnabled() || button == FFocusedButton)
        return;
    FFocusedButton->TimeBtnState &= ~unsigned(tbFocusRect);
    FFocusedButton->update();
    FFocusedButton = button;
    if (hasFocus()) {
        FFocusedButton->TimeBtnState |= tbFocusRect;
        update();
        FFocusedButton->update();
    }
}

void TQsgSpinButton::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Space:
        FFocusedButton->Click();
        break;
    case Qt::Key_Up:
        FocusButton(FUpButton);
        FUpButton->Click();
        break;
    case Qt::Key_Down:
        FocusButton(FDownButton);
        FDownButton->Click();
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
}

void TQsgSpinButton::focusInEvent(QFocusEvent* e)
{
    FFocusedButton->TimeBtnState |= tbFocusRect;
    FFocusedButton->update();
    QWidget::focusInEvent(e);
}

void TQsgSpinButton::focusOutEvent(QFocusEvent* e)
{
    FFocusedButton->TimeBtnState &= ~unsigned(tbFocusRect);
    FFocusedButton->update();
    QWidget::focusOutEvent(e);
}

void TQsgSpinButton::paintEvent(QPaintEvent*)
{
    // The buttons cover the pair but for the overlap; the rest is the button face.
    QPainter canvas(this);
    canvas.fillRect(rect(), palette().button());
}

// ---- TQsgSpinEdit

TQsgSpinEdit::TQsgSpinEdit(QWidget* parent) : platform::TCustomMaskEdit(parent)
{
    FButton = new TQsgSpinButton(this);
    FButton->resize(15, 17);
    FButton->FocusControl = this;
    FButton->OnUpClick = [this](QObject* sender) { UpButtonClick(sender); };
    FButton->OnDownClick = [this](QObject* sender) { DownButtonClick(sender); };
    FButton->show();
    setText(QStringLiteral("0"));
}

TQsgSpinEdit::~TQsgSpinEdit() = default;

void TQsgSpinEdit::SetSpinType(TQsgSpinType t)
{
    if (t == FSpinType)
        return;
    // The current value is written again in the new kind.
    switch (t) {
    case sptNormal: {
        const int v = Value();
        FSpinType = t;
        SetValue(v);
        break;
    }
    case sptFloat: {
        const double v = FloatValue();
        FSpinType = t;
        SetFloatValue(v);
        break;
    }
    case sptDate: {
        const QDateTime v = DateValue();
        FSpinType = t;
        SetDateValue(v);
        break;
    }
    case sptTime: {
        const QTime v = TimeValue();
        FSpinType = t;
        SetTimeValue(v);
        break;
    }
    }
}

int TQsgSpinEdit::ClampInteger(int v) const
{
    if (MinValue == MaxValue)
        return v;
    return std::clamp(v, std::min(MinValue, MaxValue), std::max(MinValue, MaxValue));
}

double TQsgSpinEdit::ClampFloat(double v) const
{
    if (MinFloatValue == MaxFloatValue)
        return v;
    if (v <= MinFloatValue)
        return MinFloatValue;
    if (v >= MaxFloatValue)
        return MaxFloatValue;
    return v;
}

QDateTime TQsgSpinEdit::ClampDate(const QDateTime& v) const
{
    if (MinDateValue == MaxDateValue)
        return v;
    if (v < MinDateValue)
        return MinDateValue;
    if (v > MaxDateValue)
        return MaxDateValue;
    return v;
}

int TQsgSpinEdit::Value() const
{
    const QString t = text().trimmed();
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const int v = t.toInt(&ok);
    return ok ? v : MinValue;
}

void TQsgSpinEdit::SetValue(int v)
{
    setText(QString::number(ClampInteger(v)));
    if (!FEditorEnabled)
        selectAll();
}

double TQsgSpinEdit::FloatValue() const
{
    bool ok = false;
    const double v = QLocale().toDouble(text().trimmed(), &ok);
    // As stated: the integer minimum, not the float one.
    return ok ? v : double(MinValue);
}

void TQsgSpinEdit::SetFloatValue(double v)
{
    const double c = ClampFloat(v);
    const QLocale l = numberLocale();
    setText(FPrecision != 0 ? l.toString(c, 'f', FPrecision) : l.toString(c, 'g', 15));
}

QDateTime TQsgSpinEdit::DateValue() const
{
    const QString t = text().trimmed();
    if (t.isEmpty() || t == QLatin1String("0"))
        return QDateTime::currentDateTime();
    QDate d = QLocale().toDate(t, SpinDateFormat());
    if (!d.isValid())
        d = QLocale().toDate(t, LocaleShortDateFormat());
    if (!d.isValid())
        return MinDateValue;
    // The date text carries no time: the time of day of the last set value is kept.
    return QDateTime(d, FDateValue.isValid() ? FDateValue.time() : QTime(0, 0));
}

void TQsgSpinEdit::writeKeepingCaret(const QString& text)
{
    const int caret = cursorPosition();
    setText(text);
    setCursorPosition(std::min(caret, int(text.size())));
}

void TQsgSpinEdit::SetDateValue(const QDateTime& v)
{
    FDateValue = ClampDate(v);
    writeKeepingCaret(QLocale().toString(FDateValue.date(), SpinDateFormat()));
}

QString TQsgSpinEdit::timeFormat() const
{
    return FShowSeconds ? LocaleLongTimeFormat() : QStringLiteral("h:mm");
}

QTime TQsgSpinEdit::TimeValue() const
{
    const QString t = text().trimmed();
    for (const QString& f : {timeFormat(), LocaleLongTimeFormat(), LocaleShortTimeFormat(), QStringLiteral("h:mm:ss"),
                             QStringLiteral("h:mm")}) {
        const QTime v = QLocale().toTime(t, f);
        if (v.isValid())
            return v;
    }
    return QTime(0, 0);
}

void TQsgSpinEdit::SetTimeValue(const QTime& v)
{
    QTime c = v.isValid() ? v : QTime(0, 0);
    if (MinDateValue != MaxDateValue)
        c = std::clamp(c, MinDateValue.time(), MaxDateValue.time());
    FTimeValue = c;
    writeKeepingCaret(QLocale().toString(c, timeFormat()));
}

void TQsgSpinEdit::SetPrecision(int p)
{
    if (p == FPrecision)
        return;
    const double v = FloatValue();
    FPrecision = p;
    if (FSpinType == sptFloat)
        SetFloatValue(v);
}

void TQsgSpinEdit::SetShowSeconds(bool v)
{
    if (v == FShowSeconds)
        return;
    const QTime t = TimeValue();
    FShowSeconds = v;
    if (FSpinType == sptTime)
        SetTimeValue(t);
}

void TQsgSpinEdit::SetDirection(TSpinDirection d)
{
    FButton->SetDirection(d);
    LayoutEdit();
}

void TQsgSpinEdit::SetEditAlign(TEditAlign a)
{
    FEditAlign = a;
    const Qt::Alignment h = a == eaRight ? Qt::AlignRight : a == eaCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    setAlignment(h | Qt::AlignVCenter);
}

void TQsgSpinEdit::SetSpinFlat(bool v)
{
    FSpinFlat = v;
    FButton->UpButton()->SetFlat(v);
    FButton->DownButton()->SetFlat(v);
}

void TQsgSpinEdit::SetSpinTransparent(bool v)
{
    FSpinTransparent = v;
    for (QWidget* b : {static_cast<QWidget*>(FButton->UpButton()), static_cast<QWidget*>(FButton->DownButton())})
        b->setAttribute(Qt::WA_TranslucentBackground, v);
    LayoutEdit();
}

void TQsgSpinEdit::SetIsWinXP(bool v)
{
    FButton->SetIsWinXP(v);
}

void TQsgSpinEdit::UpButtonClick(QObject*)
{
    StepUp(false);
}

void TQsgSpinEdit::DownButtonClick(QObject*)
{
    StepDown(false);
}

void TQsgSpinEdit::StepUp(bool page)
{
    step(true, page);
}

void TQsgSpinEdit::StepDown(bool page)
{
    step(false, page);
}

void TQsgSpinEdit::step(bool up, bool page)
{
    if (isReadOnly()) {
        Beep();
        return;
    }
    switch (FSpinType) {
    case sptNormal:
        SetValue(up ? Value() + Increment : Value() - Increment);
        break;
    case sptFloat: {
        const double by = page ? IncrementFloatPage : IncrementFloat;
        SetFloatValue(up ? FloatValue() + by : FloatValue() - by);
        break;
    }
    case sptDate:
        stepDate(up);
        break;
    case sptTime:
        stepTime(up);
        break;
    }
}

void TQsgSpinEdit::stepDate(bool up)
{
    // The field under the caret, by the order of the locale's short date format.
    const QString format = LocaleShortDateFormat().toUpper();
    const bool monthFirst = format.indexOf(QLatin1Char('M')) < format.indexOf(QLatin1Char('D'));
    const QChar sep = LocaleDateSeparator();
    const QString t = text();
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    const int first = int(t.indexOf(sep));
    const int second = first < 0 ? -1 : int(t.indexOf(sep, first + 1));
    const int field = (first >= 0 && caret <= first) ? 0 : (second >= 0 && caret <= second) ? 1 : 2;
    enum { Day, Month, Year } kind = field == 2 ? Year : ((field == 0) == monthFirst ? Month : Day);
    const QDateTime v = DateValue();
    const int by = up ? 1 : -1;
    QDateTime next;
    switch (kind) {
    case Day:
        next = v.addDays(by);
        break;
    case Month:
        next = v.addMonths(by);
        break; // the day is cut to the target month, the time kept
    case Year: {
        // Rebuilt from the year, month and day: a 29 February in a year without it is no date,
        // and the value stays.
        const QDate d(v.date().year() + by, v.date().month(), v.date().day());
        if (!d.isValid())
            return;
        next = QDateTime(d, QTime(0, 0));
        break;
    }
    }
    SetDateValue(next);
}

void TQsgSpinEdit::stepTime(bool up)
{
    const QChar sep = LocaleTimeSeparator();
    const QString t = text();
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    const int first = int(t.indexOf(sep));
    const int second = first < 0 ? -1 : int(t.indexOf(sep, first + 1));
    int seconds;
    if (first < 0 || caret <= first) {
        if (IncrementHours >= 24 || IncrementHours < 0)
            return; // no time of day: the value stays
        seconds = IncrementHours * 3600;
    } else if (FShowSeconds && second >= 0 && caret > second) {
        if (IncrementSeconds >= 60 || IncrementSeconds < 0)
            return;
        seconds = IncrementSeconds;
    } else {
        if (IncrementMinutes >= 60 || IncrementMinutes < 0)
            return;
        seconds = IncrementMinutes * 60;
    }
    // Past midnight in either direction the time of day is shown.
    SetTimeValue(TimeValue().addSecs(up ? seconds : -seconds));
}

bool TQsgSpinEdit::AcceptsChar(QChar key)
{
    const QChar decimal = LocaleDecimalSeparator();
    const QChar thousands = LocaleThousandSeparator();
    const QChar time = LocaleTimeSeparator();
    const QChar date = LocaleDateSeparator();
    const QChar minus = QLatin1Char('-');
    const ushort code = key.unicode();
    if (code == 8)
        return FEditorEnabled;
    const bool separator = key == decimal || (!thousands.isNull() && key == thousands) || key == time || key == date;
    bool ok = separator || isNumberChar(key) || key == minus || (code < 32 && code != 13);
    const auto numericSeparator = [&] {
        return (FSpinType == sptNormal || FSpinType == sptFloat)
               && (key == decimal || key == thousands || key == minus || key == QLatin1Char('+'));
    };
    if (ok && key == time && FSpinType != sptTime)
        ok = numericSeparator();
    if (ok && key == date && FSpinType != sptDate)
        ok = numericSeparator();
    const QString t = text();
    if (ok && key == minus) {
        const bool hasMinus = t.contains(minus);
        const bool selectedHasIt = hasSelectedText() && selectedText().contains(minus);
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        ok = (!hasMinus || selectedHasIt) && start == 0;
    }
    if (ok && FSpinType == sptNormal)
        ok = isNumberChar(key) || key == minus;
    if (ok && FSpinType == sptFloat && code != 27 && code != 13 && code != 8) {
        if (!thousands.isNull() && key == thousands && thousands != decimal)
            ok = false;
        if (ok && key == decimal) {
            const qsizetype at = t.indexOf(decimal);
            const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
            const int selEnd = selStart + int(hasSelectedText() ? selectedText().size() : 0);
            if (at >= 0 && !(at >= selStart && at < selEnd))
                ok = false;
        }
        if (ok && FPrecision > 0 && !hasSelectedText()) {
            const qsizetype f = t.indexOf(decimal) + 1; // counted from 1; 0: none
            if (f > 0 && cursorPosition() >= f)
                ok = t.size() < f + FPrecision;
        }
    }
    if (ok && FSpinType == sptTime && key == time && t.count(time) >= 2)
        ok = false;
    if (ok && !FEditorEnabled)
        ok = code < 32 && code != 8;
    return ok;
}

int TQsgSpinEdit::MinimumHeight() const
{
    const int f = QFontMetrics(font()).height();
    const int i = QFontMetrics(QApplication::font()).height();
    const int h = f + std::min(f, i) / 4;
    return h + 2 + (BorderSingle ? 4 : 0);
}

void TQsgSpinEdit::LayoutEdit()
{
    // Client coordinates start inside the frame, as the platform's do.
    const int frame = hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) : 0;
    const int clientW = width() - 2 * frame;
    const int clientH = height() - 2 * frame;
    const int d = BorderSingle ? 5 : 1;
    const int pairW = FButton->width();
    FButton->setGeometry(frame + width() - pairW - d, frame, pairW, std::max(0, height() - d));
    const int a = BorderSingle ? 0 : 3;
    SetEditRect(QRect(QPoint(a, a), QPoint(clientW - FButton->width() - 2 - a - 1, clientH + 1 - 1)));
}

void TQsgSpinEdit::resizeEvent(QResizeEvent* e)
{
    platform::TCustomMaskEdit::resizeEvent(e);
    if (height() < MinimumHeight()) {
        resize(width(), MinimumHeight()); // comes back here
        return;
    }
    LayoutEdit();
}

void TQsgSpinEdit::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_PageUp:
        StepUp(true);
        e->accept();
        return;
    case Qt::Key_PageDown:
        StepDown(true);
        e->accept();
        return;
    case Qt::Key_Up:
        StepUp(false);
        e->accept();
        return;
    case Qt::Key_Down:
        StepDown(false);
        e->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (ReturnIsTab) {
            focusNextChild();
            e->accept();
            return;
        }
        break;
    case Qt::Key_Delete:
        if (!FEditorEnabled) {
            e->accept();
            return;
        }
        break;
    default:
        break;
    }
    if (e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut)) {
        if (FEditorEnabled && !isReadOnly())
            platform::TCustomMaskEdit::keyPressEvent(e);
        else
            e->accept();
        return;
    }
    QString typed = e->text();
    if (!typed.isEmpty() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        // The keypad's decimal key types the locale's decimal separator when asked to.
        if (ExcelStyleDecimalSeparator && typed == QLatin1String(".") && (e->modifiers() & Qt::KeypadModifier))
            typed = QString(LocaleDecimalSeparator());
        const QChar key = typed.front();
        if (!AcceptsChar(key)) {
            Beep();
            e->accept();
            return;
        }
        if (typed != e->text()) {
            insert(typed);
            e->accept();
            return;
        }
    }
    platform::TCustomMaskEdit::keyPressEvent(e);
}

void TQsgSpinEdit::mousePressEvent(QMouseEvent* e)
{
    FMousePressed = true;
    platform::TCustomMaskEdit::mousePressEvent(e);
    FMousePressed = false;
}

void TQsgSpinEdit::focusInEvent(QFocusEvent* e)
{
    platform::TCustomMaskEdit::focusInEvent(e);
    const bool byMouse = e->reason() == Qt::MouseFocusReason || (QApplication::mouseButtons() & Qt::LeftButton);
    if (AutoSelect && (!byMouse || !FEditorEnabled))
        selectAll();
}

void TQsgSpinEdit::focusOutEvent(QFocusEvent* e)
{
    platform::TCustomMaskEdit::focusOutEvent(e);
    // A value outside its limits is written back clamped.
    switch (FSpinType) {
    case sptNormal:
        if (const int v = Value(); ClampInteger(v) != v)
            SetValue(v);
        break;
    case sptFloat:
        if (const double v = FloatValue(); ClampFloat(v) != v)
            SetFloatValue(v);
        break;
    case sptDate:
        if (const QDateTime v = DateValue(); ClampDate(v) != v)
            SetDateValue(v);
        break;
    case sptTime: {
        const QTime v = TimeValue();
        if (MinDateValue != MaxDateValue && (v < MinDateValue.time() || v > MaxDateValue.time()))
            SetTimeValue(v);
        break;
    }
    }
}

} // namespace grid
