// The track-bar picker: a QSlider in the popup, the number in the edit.

#include "dropdowns/QvTrackBarDropDown.h"
#include "platform/Desktop.h"

#include <QMouseEvent>
#include <QSlider>

namespace dropdowns {

namespace {

constexpr int kTrackBarHeight = 40;

} // namespace

TQvTrackBarDropDown::TQvTrackBarDropDown(QWidget* owner, platform::Desktop* desktop) : TQvCustomDropDown(owner, desktop)
{
    ConstructDropDown();
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    // Turns the empty text into "0".
    SetEditType(etNumeric);
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    SetForceShadow(true);
}

void TQvTrackBarDropDown::CreateDropDownForm()
{
    TQvCustomDropDown::CreateDropDownForm();
    if (!FTrackBar) {
        FTrackBar = new QSlider(Qt::Horizontal, DropDownForm());
        FTrackBar->setGeometry(0, 0, FTrackBar->sizeHint().width(), kTrackBarHeight);
        FTrackBar->setTickPosition(QSlider::TicksBelow);
        FTrackBar->setRange(FMin, FMax);
        FTrackBar->setTickInterval(FFrequency);
        FTrackBar->setPageStep(FPageSize);
        FTrackBar->setValue(FPosition);
        // A drag over the edit goes on while the popup holds the mouse.
        DropDownForm()->installEventFilter(this);
    }
    disconnect(FTrackBar, &QSlider::valueChanged, this, nullptr);
    connect(FTrackBar, &QSlider::valueChanged, this, [this] { TrackBarChanged(); });
}

// ---- the values, held by the track bar -----------------------------------------------------

void TQvTrackBarDropDown::SetMin(int v)
{
    FMin = v;
    if (!FTrackBar)
        return;
    // A minimum above the maximum is ignored.
    if (v <= FTrackBar->maximum())
        FTrackBar->setMinimum(v);
    FMin = FTrackBar->minimum();
}

void TQvTrackBarDropDown::SetMax(int v)
{
    FMax = v;
    if (!FTrackBar)
        return;
    if (v >= FTrackBar->minimum())
        FTrackBar->setMaximum(v);
    FMax = FTrackBar->maximum();
}

void TQvTrackBarDropDown::SetPosition(int v)
{
    FPosition = v;
    if (!FTrackBar)
        return;
    FTrackBar->setValue(v);
    FPosition = FTrackBar->value();
}

void TQvTrackBarDropDown::SetFrequency(int v)
{
    FFrequency = v;
    if (FTrackBar)
        FTrackBar->setTickInterval(v);
}

void TQvTrackBarDropDown::SetPageSize(int v)
{
    FPageSize = v;
    if (FTrackBar)
        FTrackBar->setPageStep(v);
}

void TQvTrackBarDropDown::TrackBarChanged()
{
    FPosition = FTrackBar->value();
    SetRawText(QString::number(FPosition));
    if (OnTrackChange)
        OnTrackChange(this);
}

void TQvTrackBarDropDown::Change()
{
    TQvCustomDropDown::Change();
    // A text that is no whole number (an empty text written by a program, or restored by a
    // cancel) leaves the position as it is.
    bool ok = false;
    const int v = QLineEdit::text().toInt(&ok);
    if (ok)
        SetPosition(v);
}

// ---- the popup -----------------------------------------------------------------------------

void TQvTrackBarDropDown::BeforeDropDown()
{
    TQvCustomDropDown::BeforeDropDown();
    // A click elsewhere keeps the value chosen with the thumb.
    DropDownForm()->SetCancelOnDeActivate(false);
    FTrackBar->setMinimum(FMin);
    FTrackBar->setMaximum(FMax);
    FTrackBar->setValue(FPosition);
    FTrackBar->setPageStep(FPageSize);
    FTrackBar->setTickInterval(FFrequency);
    FTrackBar->resize(width(), kTrackBarHeight);
    SetControl(FTrackBar);
}

// ---- keys and mouse ------------------------------------------------------------------------

void TQvTrackBarDropDown::WMKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const int original = key;
    TQvCustomDropDown::WMKeyDown(key, shift);
    if (FEditorEnabled || shift.testFlag(Qt::AltModifier) || FDesktop->keyModifiers().testFlag(Qt::AltModifier))
        return;
    if (original == Qt::Key_Up && FPosition - FFrequency >= FMin)
        SetPosition(FPosition - FFrequency);
    else if (original == Qt::Key_Down && FPosition + FFrequency <= FMax)
        SetPosition(FPosition + FFrequency);
}

void TQvTrackBarDropDown::mousePressEvent(QMouseEvent* e)
{
    if (dragAllowed()) {
        FMouseX = int(e->position().x());
        FMouseDraging = true;
    }
    TQvCustomDropDown::mousePressEvent(e);
}

void TQvTrackBarDropDown::dragTo(int x)
{
    const int delta = x - FMouseX;
    FMouseX = x;
    // One move of fewer than PageSize pixels changes nothing; no page size, no steps.
    if (FPageSize != 0)
        SetPosition(FPosition + delta / FPageSize);
}

void TQvTrackBarDropDown::mouseMoveEvent(QMouseEvent* e)
{
    TQvCustomDropDown::mouseMoveEvent(e);
    if (FMouseDraging && dragAllowed())
        dragTo(int(e->position().x()));
}

void TQvTrackBarDropDown::mouseReleaseEvent(QMouseEvent* e)
{
    FMouseDraging = false;
    TQvCustomDropDown::mouseReleaseEvent(e);
}

bool TQvTrackBarDropDown::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == DropDownForm() && FMouseDraging) {
        if (e->type() == QEvent::MouseMove) {
            auto* me = static_cast<QMouseEvent*>(e);
            const QPoint p = mapFromGlobal(me->globalPosition().toPoint());
            if (!DropDownForm()->rect().contains(me->position().toPoint())) {
                if (dragAllowed())
                    dragTo(p.x());
                return true;
            }
        } else if (e->type() == QEvent::MouseButtonRelease) {
            FMouseDraging = false;
        }
    }
    return TQvCustomDropDown::eventFilter(watched, e);
}

} // namespace dropdowns
