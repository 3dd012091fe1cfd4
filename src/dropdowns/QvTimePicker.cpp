// The time picker: its text form and mask, the popup with the clock and the optional time
// control, the key steps and the reading of typed text, and the keys passed on from the popup.

#include "dropdowns/QvTimePicker.h"

#include "grid/edit/GridUnitHelpers.h"
#include "platform/Desktop.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace dropdowns {

namespace {

constexpr int kPanelSize = 170;
// Built with the popup; BeforeDropDown gives it its size at every opening.
constexpr int kPanelCreatedHeight = 180;

bool isSystemKey(Qt::KeyboardModifiers shift)
{
    return shift.testFlag(Qt::AltModifier) && !shift.testFlag(Qt::ControlModifier);
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QTime qtimeOf(TDateTime t)
{
    int h, m, s, ms;
    DecodeTime(t, h, m, s, ms);
    return QTime(h, m, s);
}

// A part of a typed time passes when its first two characters, where present, are digits.
bool digitTest(const QString& part)
{
    return (part.size() < 1 || part[0].isDigit()) && (part.size() < 2 || part[1].isDigit());
}

} // namespace

// Passes the time control's keys to the picker before the control sees them; a key the picker
// dropped does not reach the control.
class TimeControlKeys final : public QObject {
public:
    TimeControlKeys(TQvTimePickerDropDown* owner, std::function<bool(QKeyEvent*)> handle)
        : QObject(owner), handle(std::move(handle))
    {
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease)
            return handle(static_cast<QKeyEvent*>(e));
        return false;
    }

private:
    std::function<bool(QKeyEvent*)> handle;
};

// ---- construction -------------------------------------------------------------------------------

TQvTimePickerDropDown::TQvTimePickerDropDown(QWidget* owner, platform::Desktop* desktop)
    : TQvCustomDropDown(owner, desktop)
{
    // Changes take effect at the next opening.
    FWatchAppearance.OnChange = [] {};
    ConstructDropDown();
    FShowTimePicker = false;
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    FShowSeconds = true;
    FInternalCall = true;
    const QChar sep = grid::LocaleTimeSeparator();
    setEditMask(QStringLiteral("!90") + sep + QStringLiteral("00") + sep + QStringLiteral("00;1; "));
    SetRawText(FormatTime(0, 0, 0));
    FInternalCall = false;
    FShowWatchAMPM = true;
    FShowWatchNumbers = true;
    FAnimation = true;
    FAnimationFactor = 10;
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
}

TQvTimePickerDropDown::~TQvTimePickerDropDown()
{
    if (FQvWatch)
        FQvWatch->OnChange = nullptr;
}

void TQvTimePickerDropDown::CreateDropDownForm()
{
    TQvCustomDropDown::CreateDropDownForm();
    if (!FPanelCtrl) {
        FPanelCtrl = new QFrame(DropDownForm());
        FPanelCtrl->setFrameShape(QFrame::NoFrame);
        FPanelCtrl->setLineWidth(0);
        auto* layout = new QVBoxLayout(FPanelCtrl);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
    }
    FPanelCtrl->setGeometry(0, 0, FPanelCtrl->width(), kPanelCreatedHeight);
    if (!FQvWatch) {
        FQvWatch = new TQvWatch(FPanelCtrl, FDesktop);
        FPanelCtrl->layout()->addWidget(FQvWatch);
    }
    SetControl(FPanelCtrl);
}

// ---- text form ----------------------------------------------------------------------------------

QString TQvTimePickerDropDown::FormatTime(int hour, int minute, int second) const
{
    const QChar sep = grid::LocaleTimeSeparator();
    QString text = twoDigits(hour) + sep + twoDigits(minute);
    if (FShowSeconds)
        text += sep + twoDigits(second);
    return text;
}

void TQvTimePickerDropDown::setEditMask(const QString& mask)
{
    FMask = platform::TMaskEngine(mask, grid::LocaleTimeSeparator(), grid::LocaleDateSeparator());
    if (!FMask.IsEmpty())
        QLineEdit::setText(FMask.Format(QLineEdit::text()));
}

void TQvTimePickerDropDown::SetText(const QString& value)
{
    TQvCustomDropDown::SetText(FMask.IsEmpty() ? value : FMask.Format(value));
}

void TQvTimePickerDropDown::SetTime(TDateTime value)
{
    if (value == FTime)
        return;
    FTime = value;
    int h, m, s, ms;
    DecodeTime(value, h, m, s, ms);
    SetRawText(FormatTime(h, m, s));
    if (!FDroppedDown)
        return;
    if (FQvWatch)
        FQvWatch->SetTime(value);
    if (FShowTimePicker && FDateTimePicker) {
        const QSignalBlocker quiet(FDateTimePicker);
        FDateTimePicker->setTime(QTime(h, m, s));
    }
}

void TQvTimePickerDropDown::SetShowSeconds(bool v)
{
    if (v == FShowSeconds)
        return;
    FShowSeconds = v;
    const TDateTime remembered = FTime;
    FInternalCall = true;
    setEditMask(QString());
    SetRawText(QString());
    FInternalCall = false;
    const QChar sep = grid::LocaleTimeSeparator();
    setEditMask(v ? QStringLiteral("!90") + sep + QStringLiteral("00") + sep + QStringLiteral("00;1; ")
                  : QStringLiteral("!90") + sep + QStringLiteral("00;1; "));
    // The text is rebuilt in the new form even when the time is the same.
    FTime += 1;
    SetTime(remembered);
}

void TQvTimePickerDropDown::SetComponentStyle(TVLXStyle style)
{
    TQvCustomDropDown::SetComponentStyle(style);
    ApplyWatchColorScheme(FWatchAppearance, style);
}

// ---- the edit's key steps and typed text ----------------------------------------------------------

void TQvTimePickerDropDown::DropDownKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    TimeKeyDown(key, shift);
}

void TQvTimePickerDropDown::TimeKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    TQvCustomDropDown::DropDownKeyDown(key, shift);
    if (FDesktop->keyModifiers().testFlag(Qt::AltModifier) || shift.testFlag(Qt::AltModifier)
        || shift.testFlag(Qt::ControlModifier))
        return;
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return;
    const QString text = Text();
    const int caret = cursorPosition();
    const QChar sep = grid::LocaleTimeSeparator();
    const int p1 = int(text.indexOf(sep)) + 1;
    int field = 0;
    if (caret >= p1) {
        const int p2 = int(text.mid(p1).indexOf(sep)) + 1;
        field = caret - p1 >= p2 && FShowSeconds ? 2 : 1;
    }
    int values[3];
    int ms;
    DecodeTime(FTime, values[0], values[1], values[2], ms);
    const int limit = field == 0 ? 24 : 60;
    // Down raises, Up lowers; each field wraps on its own.
    const int step = key == Qt::Key_Down ? 1 : -1;
    stepField(field, (values[field] + step + limit) % limit);
    setCursorPosition(caret);
}

void TQvTimePickerDropDown::stepField(int field, int value)
{
    int values[3];
    int ms;
    DecodeTime(FTime, values[0], values[1], values[2], ms);
    if (value == values[field] || value < 0 || value > (field == 0 ? 23 : 59))
        return;
    values[field] = value;
    SetTime(EncodeTime(values[0], values[1], values[2], ms));
    if (OnTimeChange)
        OnTimeChange(this);
}

void TQvTimePickerDropDown::Change()
{
    TextChanged();
}

void TQvTimePickerDropDown::TextChanged()
{
    TQvCustomDropDown::Change();
    const QString text = Text();
    if (text.isEmpty() || FInternalCall)
        return;
    // A complete text with seconds is read as well as one without.
    const qsizetype length = text.trimmed().size();
    if (length != 5 && !(length == 8 && FShowSeconds))
        return;
    const QChar sep = grid::LocaleTimeSeparator();
    // Shape: a separator, then one more exactly when seconds are shown.
    const qsizetype first = text.indexOf(sep);
    if (first < 0)
        return;
    const QString rest = text.mid(first + 1).trimmed();
    const qsizetype second = rest.indexOf(sep);
    if (second >= 0) {
        if (!FShowSeconds || rest.mid(second + 1).trimmed().contains(sep))
            return;
    } else if (FShowSeconds) {
        return;
    }
    QString t = text;
    t.replace(QLatin1Char(' '), QLatin1Char('0'));
    const qsizetype tFirst = t.indexOf(sep);
    const QString hourPart = t.left(tFirst).trimmed();
    QString minutePart = t.mid(tFirst + 1).trimmed();
    QString secondPart;
    if (FShowSeconds) {
        const qsizetype cut = minutePart.indexOf(sep);
        if (cut >= 0) {
            secondPart = minutePart.mid(cut + 1).trimmed();
            minutePart = minutePart.left(cut).trimmed();
        }
    }
    // Parts that are not numbers or out of range change nothing (they must not end the program).
    int values[3] = {0, 0, 0};
    const QString* parts[3] = {&hourPart, &minutePart, &secondPart};
    for (int i = 0; i < 3; ++i) {
        const QString& part = *parts[i];
        if (!digitTest(part))
            return;
        if (part.isEmpty())
            continue;
        bool ok = false;
        values[i] = part.toInt(&ok);
        if (!ok)
            return;
    }
    if (values[0] > 23 || values[1] > 59 || values[2] > 59)
        return;
    const QString formatted = FormatTime(values[0], values[1], values[2]);
    // The time's own text leaves Time exact (milliseconds and date part kept).
    if (length == 8) {
        int h, m, s, ms;
        DecodeTime(FTime, h, m, s, ms);
        if (text == FormatTime(h, m, s))
            return;
    }
    FTime = EncodeTime(values[0], values[1], values[2], 0);
    if (formatted != text && values[1] == 0 && values[2] == 0) {
        FInternalCall = true;
        SetText(formatted);
        FInternalCall = false;
    }
}

// ---- typing under the mask ----------------------------------------------------------------------

void TQvTimePickerDropDown::writeMasked(const QString& shown, int caret)
{
    if (shown != QLineEdit::text())
        QLineEdit::setText(shown);
    setCursorPosition(caret);
    SetModifiedState(true);
}

void TQvTimePickerDropDown::WMKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (FMask.IsEmpty() || !FEditorEnabled || ReadOnly() || key != Qt::Key_Delete || isSystemKey(shift)) {
        TQvCustomDropDown::WMKeyDown(key, shift);
        return;
    }
    DropDownKeyDown(key, shift);
    if (key == 0)
        return;
    // Delete blanks the selection, or the place under the caret; the text keeps its shape.
    QString shown = QLineEdit::text();
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    const int end = hasSelectedText() ? selectionEnd() : caret + 1;
    int from = caret;
    while (!hasSelectedText() && FMask.IsLiteral(from))
        ++from;
    FMask.Clear(shown, from, hasSelectedText() ? end : from + 1);
    writeMasked(shown, caret);
    key = 0;
}

void TQvTimePickerDropDown::WMChar(QChar& key, Qt::KeyboardModifiers shift)
{
    if (FMask.IsEmpty() || !FEditorEnabled) {
        TQvCustomDropDown::WMChar(key, shift);
        return;
    }
    DropDownKeyPress(key);
    if (key.isNull() || ReadOnly())
        return;
    QString shown = QLineEdit::text();
    int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    if (hasSelectedText())
        FMask.Clear(shown, selectionStart(), selectionEnd());
    if (key == QLatin1Char('\b')) {
        if (!hasSelectedText()) {
            const int place = FMask.PreviousPlace(caret);
            if (place >= 0) {
                FMask.Clear(shown, place, place + 1);
                caret = place;
            }
        }
    } else if (key.unicode() < 0x20 || key.unicode() == 0x7F) {
        return;
    } else if (!FMask.TypeChar(shown, caret, key)) {
        QApplication::beep();
    }
    writeMasked(shown, caret);
}

void TQvTimePickerDropDown::WMCut()
{
    if (FMask.IsEmpty()) {
        TQvCustomDropDown::WMCut();
        return;
    }
    if (!FEditorEnabled || ReadOnly() || !hasSelectedText())
        return;
    bool allow = true;
    if (OnClipboardCut)
        OnClipboardCut(this, selectedText(), allow);
    if (!allow)
        return;
    copy();
    QString shown = QLineEdit::text();
    const int start = selectionStart();
    FMask.Clear(shown, start, selectionEnd());
    writeMasked(shown, start);
}

void TQvTimePickerDropDown::WMPaste()
{
    if (FMask.IsEmpty()) {
        TQvCustomDropDown::WMPaste();
        return;
    }
    const QString clip = QGuiApplication::clipboard()->text();
    if (ReadOnly() || clip.isEmpty())
        return;
    // Pasted characters are typed one by one from the selection's start.
    QString shown = QLineEdit::text();
    int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    if (hasSelectedText())
        FMask.Clear(shown, selectionStart(), selectionEnd());
    for (QChar ch : clip)
        if (!FMask.IsLiteral(caret) || ch != shown[caret])
            FMask.TypeChar(shown, caret, ch);
        else
            ++caret;
    bool allow = true;
    if (OnClipboardPaste)
        OnClipboardPaste(this, shown, allow);
    if (allow)
        writeMasked(shown, caret);
}

// ---- the popup ----------------------------------------------------------------------------------

void TQvTimePickerDropDown::BeforeDropDown()
{
    TQvCustomDropDown::BeforeDropDown();
    // A popup size remembered from a close fits the panel it had then: with the time control
    // switched since, the panel's height changed and the remembered size would cut it.
    if (FTimeControlShown != -1 && FTimeControlShown != int(FShowTimePicker)) {
        FUserDropDownWidth = -1;
        FUserDropDownHeight = -1;
    }
    FTimeControlShown = int(FShowTimePicker);
    FTimeAtOpen = FTime;
    FTextAtOpen = QLineEdit::text();
    // The panel; the popup's layout is forced; losing activation closes it as accepted.
    FPanelCtrl->resize(kPanelSize, kPanelSize);
    if (TDropDownForm* form = DropDownForm()) {
        form->resize(form->width() + 1, form->height());
        form->resize(form->width() - 1, form->height());
        form->SetCancelOnDeActivate(false);
    }
    QPalette palette = FPanelCtrl->palette();
    palette.setColor(QPalette::Window, platform::toQColor(FDropDownColor));
    FPanelCtrl->setPalette(palette);
    FPanelCtrl->setAutoFillBackground(true);
    // The picker's settings into the clock.
    FQvWatch->SetAppearance(FWatchAppearance);
    FQvWatch->SetSettings(FWatchSettings);
    FQvWatch->SetShowAMPM(FShowWatchAMPM);
    FQvWatch->SetShowNumbers(FShowWatchNumbers);
    FQvWatch->SetAnimation(FAnimation);
    FQvWatch->SetAnimationFactor(FAnimationFactor);
    FQvWatch->Invalidate();
    // 3.
    FQvWatch->OnChange = nullptr;
    if (!FWatchSettings.Auto())
        FQvWatch->SetTime(FTime);
    FQvWatch->OnChange = [this](QObject*) { clockChanged(); };
    // The time control.
    if (!FShowTimePicker) {
        if (FDateTimePicker)
            FDateTimePicker->hide();
        FPanelCtrl->layout()->activate();
        return;
    }
    if (!FDateTimePicker) {
        FDateTimePicker = new QTimeEdit(FPanelCtrl);
        FPanelCtrl->layout()->addWidget(FDateTimePicker);
        connect(FDateTimePicker, &QTimeEdit::timeChanged, this, [this] { timeControlChanged(); });
        FTimeControlKeys = new TimeControlKeys(this, [this](QKeyEvent* e) {
            int key = e->key();
            if (key == 0 || key == Qt::Key_unknown)
                return false;
            if (e->type() == QEvent::KeyRelease) {
                ControlKeyUp(key, e->modifiers());
                return key == 0;
            }
            ControlKeyDown(key, e->modifiers());
            bool charsKept = e->text().isEmpty();
            for (QChar ch : e->text()) {
                QChar c = ch;
                ControlKeyPress(c);
                charsKept = charsKept || !c.isNull();
            }
            return key == 0 || !charsKept;
        });
        FDateTimePicker->installEventFilter(FTimeControlKeys);
    }
    {
        const QSignalBlocker quiet(FDateTimePicker);
        FDateTimePicker->show();
        FDateTimePicker->setTime(qtimeOf(FTime));
        FDateTimePicker->raise();
        FDateTimePicker->setDisplayFormat(FShowSeconds ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    }
    const int controlHeight = FDateTimePicker->sizeHint().height();
    FDateTimePicker->setFixedHeight(controlHeight);
    FDateTimePicker->resize(kPanelSize, controlHeight);
    FPanelCtrl->resize(kPanelSize, kPanelSize + controlHeight);
    FPanelCtrl->layout()->activate();
}

void TQvTimePickerDropDown::SizeDropDown()
{
    // The popup's layout pass since BeforeDropDown fitted the panel to the old popup size.
    const bool timeControl = FShowTimePicker && FDateTimePicker;
    FPanelCtrl->resize(kPanelSize, kPanelSize + (timeControl ? FDateTimePicker->height() : 0));
    TQvCustomDropDown::SizeDropDown();
    // The base counts the border into the height only; the clock is square.
    if (TDropDownForm* form = DropDownForm(); form && FDropDownWidth <= 0 && FControl)
        form->resize(form->width() + 2 * FDropDownBorderWidth, form->height());
}

void TQvTimePickerDropDown::clockChanged()
{
    if (!FQvWatch)
        return;
    if (FShowTimePicker && FDateTimePicker) {
        const QTime clock = qtimeOf(FQvWatch->Time());
        if (FDateTimePicker->time() != clock) {
            {
                const QSignalBlocker quiet(FDateTimePicker);
                FDateTimePicker->setTime(clock);
            }
            if (OnTimeChange)
                OnTimeChange(this);
        }
    }
    SetTime(FQvWatch->Time());
}

void TQvTimePickerDropDown::timeControlChanged()
{
    if (!FQvWatch || FWatchSettings.Auto())
        return;
    const QTime t = FDateTimePicker->time();
    FQvWatch->SetTime(EncodeTime(t.hour(), t.minute(), t.second(), 0));
}

void TQvTimePickerDropDown::DropDownClosed()
{
    TQvCustomDropDown::DropDownClosed();
    if (FQvWatch && !FCancelling)
        SetTime(FQvWatch->Time());
}

void TQvTimePickerDropDown::CloseDropDown(bool cancelChanges)
{
    TDropDownForm* form = DropDownForm();
    if (!form || !form->isVisible()) {
        TQvCustomDropDown::CloseDropDown(cancelChanges);
        return;
    }
    FCancelling = cancelChanges;
    TQvCustomDropDown::CloseDropDown(cancelChanges);
    FCancelling = false;
    if (!FQvWatch)
        return;
    // A hand still moving after the close no longer reaches the value.
    FQvWatch->OnChange = nullptr;
    if (cancelChanges) {
        // A cancel returns to the value and text of the opening.
        FInternalCall = true;
        SetRawText(FTextAtOpen);
        FInternalCall = false;
        FTime = FTimeAtOpen;
        FQvWatch->SetTime(FTime);
    } else {
        SetTime(FQvWatch->Time());
    }
}

// ---- keys passed on from the popup --------------------------------------------------------------

// Page Up, Page Down, Up and Down belong to the clock unless Alt is held.
bool TQvTimePickerDropDown::keepsFromEdit(int key, bool altHeld) const
{
    return !altHeld && (key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down);
}

void TQvTimePickerDropDown::FormKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const int code = key;
    if (!keepsFromEdit(key, shift.testFlag(Qt::AltModifier)))
        TQvCustomDropDown::FormKeyDown(key, shift);
    TDropDownForm* form = DropDownForm();
    if (form && form->isVisible() && FQvWatch)
        FQvWatch->HandleKey(code);
}

void TQvTimePickerDropDown::FormKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (!keepsFromEdit(key, shift.testFlag(Qt::AltModifier)))
        TQvCustomDropDown::FormKeyUp(key, shift);
}

void TQvTimePickerDropDown::ControlKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (!keepsFromEdit(key, shift.testFlag(Qt::AltModifier)))
        TQvCustomDropDown::ControlKeyDown(key, shift);
}

void TQvTimePickerDropDown::ControlKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (!keepsFromEdit(key, shift.testFlag(Qt::AltModifier)))
        TQvCustomDropDown::ControlKeyUp(key, shift);
}

void TQvTimePickerDropDown::ControlKeyPress(QChar& key)
{
    // The characters are tested against the same four key codes ("!", '"', "&" and "("), as the
    // time control's key presses always were.
    const int code = key.unicode();
    const bool kept = code == 33 || code == 34 || code == 38 || code == 40;
    if (!kept || FDesktop->keyModifiers().testFlag(Qt::AltModifier))
        TQvCustomDropDown::ControlKeyPress(key);
}

} // namespace dropdowns
