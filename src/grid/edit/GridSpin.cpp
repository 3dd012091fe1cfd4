#include "grid/edit/GridSpin.h"

#include "grid/edit/GridEditorEnd.h"
#include "grid/edit/QsgDateTimePicker.h"

#include <QKeyEvent>

namespace grid {

namespace {

constexpr double kMsecsPerDay = 86400000.0;

bool isClosingKey(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

} // namespace

TGridSpin::TGridSpin(QWidget* grid, TGridEditHost* h) : TQsgSpinEdit(grid), host(h)
{
    setObjectName(QStringLiteral("GridSpin"));
    MaxValue = 100;
    MinValue = 0;
    Increment = 1;
    BorderSingle = false;
    connect(this, &QLineEdit::textChanged, this, [this](const QString& s) { ReportEditChange(host, this, s); });
    hide();
    setEnabled(false);
}

void TGridSpin::ReCreate()
{
    const bool blocked = blockSignals(true);
    clear();
    blockSignals(blocked);
}

void TGridSpin::reportClick(bool up)
{
    if (!host)
        return;
    switch (SpinType()) {
    case sptNormal:
        host->SpinClick(sptNormal, Value(), up);
        break;
    case sptFloat:
        host->SpinClick(sptFloat, FloatValue(), up);
        break;
    case sptDate:
        host->SpinClick(sptDate, QDateTimeToDateTime(DateValue()), up);
        break;
    case sptTime:
        host->SpinClick(sptTime, TimeValue().msecsSinceStartOfDay() / kMsecsPerDay, up);
        break;
    }
}

void TGridSpin::UpButtonClick(QObject* sender)
{
    TQsgSpinEdit::UpButtonClick(sender);
    reportClick(true);
}

void TGridSpin::DownButtonClick(QObject* sender)
{
    TQsgSpinEdit::DownButtonClick(sender);
    reportClick(false);
}

bool TGridSpin::event(QEvent* e)
{
    if (host && RouteClaimedTab(e, host->TabsOption(), [this](QKeyEvent* k) { keyPressEvent(k); }))
        return true;
    return TQsgSpinEdit::event(e);
}

bool TGridSpin::pageKey(int key)
{
    const bool up = key == Qt::Key_PageUp || key == Qt::Key_Home;
    if (key != Qt::Key_PageUp && key != Qt::Key_PageDown && key != Qt::Key_Home && key != Qt::Key_End)
        return false;
    // Dates and times have no page steps; the key is used up all the same.
    if (SpinType() == sptDate || SpinType() == sptTime)
        return true;
    if (SpinType() == sptFloat) {
        const double v = FloatValue();
        switch (key) {
        case Qt::Key_PageUp:
            if (v + IncrementFloat <= MaxFloatValue)
                SetFloatValue(v + IncrementFloat);
            break;
        case Qt::Key_PageDown:
            if (v - IncrementFloat >= MinFloatValue)
                SetFloatValue(v - IncrementFloat);
            break;
        case Qt::Key_Home:
            SetFloatValue(MaxFloatValue);
            break;
        default:
            SetFloatValue(MinFloatValue);
            break;
        }
    } else {
        // A step that would pass the limit is not taken at all (95 stays 95 below 100 by 10).
        const int v = Value();
        switch (key) {
        case Qt::Key_PageUp:
            if (v + Increment <= MaxValue)
                SetValue(v + Increment);
            break;
        case Qt::Key_PageDown:
            if (v - Increment >= MinValue)
                SetValue(v - Increment);
            break;
        case Qt::Key_Home:
            SetValue(MaxValue);
            break;
        default:
            SetValue(MinValue);
            break;
        }
    }
    if (host)
        host->SpinClick(sptNormal, Value(), up);
    return true;
}

void TGridSpin::keyPressEvent(QKeyEvent* e)
{
    if (!host) {
        TQsgSpinEdit::keyPressEvent(e);
        return;
    }
    const int key = e->key();
    if (pageKey(key)) {
        e->accept();
        return;
    }
    if (!isClosingKey(key)) {
        TQsgSpinEdit::keyPressEvent(e);
        return;
    }
    e->accept();
    closingKey(key, e->modifiers());
}

void TGridSpin::closingKey(int key, Qt::KeyboardModifiers mods)
{
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    if (key == Qt::Key_Escape) {
        setText(host->CellCache());
        if (SpinType() == sptNormal)
            SetValue(Value());
        else if (SpinType() == sptFloat)
            SetFloatValue(FloatValue());
    } else if (!StoreAndValidate(*host, text())) {
        setText(host->CurrentCellText());
        end(false);
        if (IsNoAdvanceKey(key))
            host->SetNoAutoAdvance(true);
        return;
    }
    if (tab && host->TabsOption()) {
        host->HideInplaceEdit();
        host->FocusGrid();
        host->AdvanceOnTab((mods & Qt::ShiftModifier) || key == Qt::Key_Backtab);
        return;
    }
    LeaveEditor(*host, tab ? Qt::Key_Tab : key, mods);
}

void TGridSpin::focusOutEvent(QFocusEvent* e)
{
    TQsgSpinEdit::focusOutEvent(e);
    if (host && EditorLeftForGood(this, e))
        host->HideInplaceEdit();
}

} // namespace grid
