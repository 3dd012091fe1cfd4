// The custom editor link: placement, keys, focus and the popup form.

#include "grid/edit/EditLink.h"

#include "grid/QvGrid.h"
#include "grid/edit/GridEdit.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace grid {

namespace {

// The popup reports its deactivation (the user clicked elsewhere) to the link.
class TPopupForm : public QWidget {
public:
    explicit TPopupForm(TEditLink* link)
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), link(link)
    {
        setObjectName(QStringLiteral("gridform"));
        setAttribute(Qt::WA_DeleteOnClose, false);
    }
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::WindowDeactivate && link && isVisible())
            link->FormExit(this);
        return QWidget::event(e);
    }
    QPointer<TEditLink> link;
};

} // namespace

TEditLink::TEditLink(QObject* owner) : QObject(owner) {}

TEditLink::~TEditLink()
{
    delete FPopupForm;
}

bool TEditLink::IsGridKey(int Key, Qt::KeyboardModifiers Shift) const
{
    struct Row {
        int key;
        bool TEditLink::*want;
    };
    // The keys that end the edit, each with the switch that keeps it in the control.
    static const Row rows[] = {
        {Qt::Key_Tab, &TEditLink::WantTabs},
        {Qt::Key_Backtab, &TEditLink::WantTabs},
        {Qt::Key_Return, &TEditLink::WantKeyReturn},
        {Qt::Key_Enter, &TEditLink::WantKeyReturn},
        {Qt::Key_Escape, &TEditLink::WantKeyEscape},
        {Qt::Key_PageUp, &TEditLink::WantKeyPriorNext},
        {Qt::Key_PageDown, &TEditLink::WantKeyPriorNext},
        {Qt::Key_End, &TEditLink::WantKeyHomeEnd},
        {Qt::Key_Left, &TEditLink::WantKeyLeftRight},
        {Qt::Key_Right, &TEditLink::WantKeyLeftRight},
        {Qt::Key_Up, &TEditLink::WantKeyUpDown},
        {Qt::Key_Down, &TEditLink::WantKeyUpDown},
    };
    const bool alt = Shift & Qt::AltModifier;
    for (const Row& r : rows)
        if (r.key == Key)
            return !(this->*r.want);
    // Home counts only with Alt, any other key with Alt too.
    if (Key == Qt::Key_Home)
        return alt && !WantKeyHomeEnd;
    return alt;
}

void TEditLink::storeValue()
{
    FForcedExit = true;
    TakeFocusFromEditor(Grid);
    FForcedExit = false;
    Grid->StoreEditorValue(Grid->Col(), Grid->Row());
}

void TEditLink::EditKeyDown(QObject*, int& Key, Qt::KeyboardModifiers Shift)
{
    if (!Grid || !IsGridKey(Key, Shift))
        return;
    const int key = Key;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        if (Grid->Navigation().TabToNextAtEnd()) {
            storeValue();
            if (Grid->TabNavigate(key == Qt::Key_Backtab || (Shift & Qt::ShiftModifier))
                && !Grid->IsControlCell(Grid->RealCol(), Grid->Row())) {
                QCoreApplication::postEvent(Grid, new QKeyEvent(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier));
                Key = 0;
                return;
            }
        }
        Key = 0;
    }
    if (key == Qt::Key_Escape)
        SetEditorValue(Grid->FCellCache);
    storeValue();
    if (EditStyle == esPopup)
        EditExit(this);
    Grid->EditMode = false;
    Grid->SelectCell(Grid->Col(), Grid->Row());
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && Grid->FLastValidation) {
        Grid->AdvanceToNextCell(Grid->Col(), Grid->Row(), false, true, !(Shift & Qt::ShiftModifier), false, true);
        Key = 0;
    } else if (!Grid->FLastValidation) {
        Grid->FLastValidation = true;
        Grid->ShowSpecialEditor(Grid->Col(), Grid->Row());
    } else {
        if (key == Qt::Key_Escape) {
            Key = 0;
        } else {
            if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down)
                Grid->KeyDown(key, Shift);
            if (QWidget* c = GetEditControl())
                c->setEnabled(false);
            TakeFocusFromEditor(Grid);
        }
    }
}

void TEditLink::SetFocus(bool Value)
{
    QWidget* c = GetEditControl();
    if (!c)
        return; // a descendant without its control cannot take the focus
    if (Value) {
        c->setVisible(true);
        c->setEnabled(true);
    }
    if (EditStyle == esInplace && !FSubClassed && Grid) {
        c->installEventFilter(Grid->EditLinkFilter());
        FSubClassed = true;
    }
    if (Value)
        c->setFocus(Qt::OtherFocusReason);
    else if (Grid)
        TakeFocusFromEditor(Grid);
}

void TEditLink::SetRect(const TRect& R)
{
    QWidget* c = GetEditControl();
    if (!c || !Grid)
        return;
    const int glw = Grid->GridLineWidth();
    c->setGeometry(R.Left - glw, R.Top - glw, R.Right - R.Left - glw, R.Bottom - R.Top - glw);
}

void TEditLink::SetVisible(bool Value)
{
    if (QWidget* c = GetEditControl())
        c->setVisible(Value);
}

QString TEditLink::GetCellValue()
{
    return Grid ? Grid->Cells(Grid->RealCol(), Grid->Row()) : QString();
}

void TEditLink::SetCellValue(const QString& S)
{
    if (Grid)
        Grid->StoreEditText(Grid->RealCol(), Grid->Row(), S);
}

void TEditLink::HideEditor()
{
    SetCellValue(GetEditorValue());
    if (Grid)
        Grid->HideInplaceEdit();
    RestoreWinProc();
}

void TEditLink::EditExit(QObject*)
{
    // Hiding the popup deactivates it, which reports back here; the editor is gone by then and
    // its empty value must not overwrite the cell.
    if (FExiting)
        return;
    FExiting = true;
    HideEditor();
    if (EditStyle == esPopup && FPopupForm) {
        DestroyEditor();
        FPopupForm->hide();
    }
    FExiting = false;
}

void TEditLink::FormExit(QObject*)
{
    if (!Grid || FExiting)
        return;
    if (FForcedExit) {
        SetCellValue(GetEditorValue());
        return;
    }
    EditExit(this);
    // The focus change the user's click causes is the grid's to ignore, once (see focusInEvent).
    Grid->InvokedFocusChange = true;
    Grid->FInvokedByPopupExit = true;
}

QWidget* TEditLink::GetParent()
{
    if (EditStyle == esPopup)
        return PopupForm();
    return Grid;
}

void TEditLink::RestoreWinProc()
{
    QWidget* c = GetEditControl();
    if (EditStyle != esInplace || !c)
        return;
    if (Grid)
        c->removeEventFilter(Grid->EditLinkFilter());
    FSubClassed = false;
    c->hide();
}

QWidget* TEditLink::PopupForm()
{
    if (!FPopupForm) {
        // A stray form of that name left by another link is replaced.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("gridform"))
                w->deleteLater(), w->setObjectName(QString());
        FPopupForm = new TPopupForm(this);
    }
    return FPopupForm;
}

} // namespace grid
