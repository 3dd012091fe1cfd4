// The edit with an embedded button, the value-with-unit edit, their button panel and button.

#include "grid/edit/QSGEdit.h"

#include "grid/look/QvXPVS.h"
#include "grid/look/ZirAzur/canvas.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace grid {

namespace {

// The client area starts inside the frame, as the platform's does.
int frameOf(const QLineEdit& e)
{
    return e.hasFrame() ? e.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &e) : 0;
}

} // namespace

// ---- TQvSpeedButton

TQvSpeedButton::TQvSpeedButton(TQsgEditButton* owner) : platform::TSpeedButton(owner), FOwner(owner) {}

void TQvSpeedButton::Paint(QPainter& canvas)
{
    const bool down = State() == bsDown || State() == bsExclusive;
    TRect r{0, 0, width(), height()};
    namespace cv = ZirAzur::canvas;
    if (FOwner && FOwner->ButtonColor != clNone) {
        SetFlat(true);
        TColor face = FOwner->ButtonColor;
        if (down && FOwner->ButtonColorDown != clNone)
            face = FOwner->ButtonColorDown;
        else if (!down && Hot() && FOwner->ButtonColorHot != clNone)
            face = FOwner->ButtonColorHot;
        cv::fillRect(canvas, r, face);
    } else if (IsWinXP && IsThemeActive()
               && DrawThemedPart(GridThemeApi, FOwner ? FOwner->window() : window(), QStringLiteral("button"), canvas,
                                 1,
                                 down    ? 3
                                 : Hot() ? 2
                                         : 1,
                                 r.toQRect())) {
        // drawn by the theme
    } else if (Flat()) {
        // A raised inner edge, or a sunken outer one while down, over the button face.
        cv::fillRect(canvas, r, platform::clBtnFace);
        const TColor topLeft = down ? platform::clBtnShadow : platform::clBtnHighlight;
        const TColor bottomRight = down ? platform::clBtnHighlight : platform::clBtnShadow;
        cv::lineTo(canvas, r.Left, r.Top, r.Right - 1, r.Top, topLeft);
        cv::lineTo(canvas, r.Left, r.Top, r.Left, r.Bottom - 1, topLeft);
        cv::lineTo(canvas, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1, bottomRight);
        cv::lineTo(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom, bottomRight);
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    } else {
        cv::classicButton(canvas, r, false, down, !isEnabled());
        r = {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
    }
    const int shift = down ? 1 : 0;
    const QImage glyph = GlyphFor(State());
    if (!glyph.isNull()) {
        int x = r.Left, y = r.Top;
        if (glyph.width() < r.Width())
            x += (r.Width() - glyph.width()) / 2;
        if (glyph.height() < r.Height())
            y += (r.Height() - glyph.height()) / 2;
        canvas.drawImage(x + shift, y + shift, glyph);
    }
    if (!Caption().isEmpty()) {
        canvas.setPen(Qt::black);
        canvas.drawText(r.toQRect().translated(shift, shift), Qt::AlignCenter | Qt::TextSingleLine, Caption());
    }
}

// ---- TQsgEditButton

TQsgEditButton::TQsgEditButton(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    FButton = new TQvSpeedButton(this);
    FButton->OnMouseUp = [this](QMouseEvent* e) { released(e); };
    FButton->show();
    resize(20, 25);
}

void TQsgEditButton::SetFlat(bool v)
{
    FFlat = v;
    FButton->SetFlat(v);
}

void TQsgEditButton::resizeEvent(QResizeEvent*)
{
    FButton->setGeometry(0, 0, width(), height());
}

void TQsgEditButton::released(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    if (OnClick)
        OnClick(this);
    if (FocusControl && (FocusControl->focusPolicy() & Qt::TabFocus) && FocusControl->isEnabled()
        && !FocusControl->hasFocus())
        FocusControl->setFocus(Qt::MouseFocusReason);
    else if (!FocusControl && (focusPolicy() & Qt::TabFocus) && !hasFocus() && isEnabled())
        setFocus(Qt::MouseFocusReason);
}

// ---- TQsgEditBtn

TQsgEditBtn::TQsgEditBtn(QWidget* parent) : platform::TCustomMaskEdit(parent)
{
    FButton = new TQsgEditButton(this);
    FButton->resize(18, 18);
    FButton->FocusControl = this;
    FButton->OnClick = [this](QObject* sender) { ClickButton(sender); };
    FButton->show();
    setText(QStringLiteral("0"));
}

void TQsgEditBtn::SetButtonWidth(int w)
{
    FButtonWidth = w;
    FButton->resize(w, FButton->height());
    LayoutEdit();
}

void TQsgEditBtn::SetRightAlign(bool v)
{
    FRightAlign = v;
    setAlignment((v ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

void TQsgEditBtn::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    FButton->Button()->IsWinXP = v;
    FButton->Button()->update();
}

void TQsgEditBtn::ClickButton(QObject* sender)
{
    if (OnClickBtn)
        OnClickBtn(sender);
}

int TQsgEditBtn::MinimumHeight() const
{
    const int f = QFontMetrics(font()).height();
    const int i = QFontMetrics(QApplication::font()).height();
    return f + std::min(f, i) / 4;
}

void TQsgEditBtn::LayoutEdit()
{
    const int frame = frameOf(*this);
    const int d = BorderSingle ? 5 : 1;
    const int panelW = FButton->width();
    FButton->setGeometry(frame + width() - panelW - d, frame, panelW, std::max(0, height() - d));
    const int a = BorderSingle ? 1 : 3;
    int right = width() - 2 * frame - panelW - FUnitWidth - 5;
    if (FUnitWidth > 0)
        right -= 3;
    SetEditRect(QRect(QPoint(a, a), QPoint(right - 1, height() - 2 * frame)));
}

void TQsgEditBtn::resizeEvent(QResizeEvent* e)
{
    platform::TCustomMaskEdit::resizeEvent(e);
    if (height() < MinimumHeight()) {
        resize(width(), MinimumHeight()); // comes back here
        return;
    }
    LayoutEdit();
}

void TQsgEditBtn::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut)) {
        if (EditorEnabled && !isReadOnly())
            platform::TCustomMaskEdit::keyPressEvent(e);
        else
            e->accept();
        return;
    }
    const bool typed = !e->text().isEmpty() && e->text().front().unicode() >= 32
                       && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (typed && !EditorEnabled) {
        e->accept();
        return;
    }
    platform::TCustomMaskEdit::keyPressEvent(e);
    if (e->key() == Qt::Key_F4 && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        ClickButton(this);
}

void TQsgEditBtn::focusInEvent(QFocusEvent* e)
{
    platform::TCustomMaskEdit::focusInEvent(e);
    if (AutoSelect && !(QApplication::mouseButtons() & Qt::LeftButton))
        selectAll();
}

void TQsgEditBtn::contextMenuEvent(QContextMenuEvent* e)
{
    // The edit menu's paste and cut go the keys' way: not while the editor is disabled.
    if (!EditorEnabled) {
        e->accept();
        return;
    }
    platform::TCustomMaskEdit::contextMenuEvent(e);
}

// ---- TQsgUnitEditBtn

TQsgUnitEditBtn::TQsgUnitEditBtn(QWidget* parent) : TQsgEditBtn(parent)
{
    FUnitWidth = 20;
    SetRightAlign(true);
    ShowUnitMenu = [](QMenu& menu, const QPoint& at) {
        const QAction* chosen = menu.exec(at);
        return chosen ? chosen->data().toInt() : 0;
    };
}

void TQsgUnitEditBtn::SetUnitID(const QString& unit)
{
    FUnitID = unit;
    update();
}

void TQsgUnitEditBtn::SetUnitSpace(int w)
{
    FUnitWidth = w;
    LayoutEdit();
    update();
}

void TQsgUnitEditBtn::SetTextAndUnit(const QString& value)
{
    for (const QString& unit : FUnits) {
        if (unit.isEmpty())
            continue;
        // The unit's first occurrence must end the value.
        const qsizetype at = value.indexOf(unit);
        if (at >= 0 && at == value.size() - unit.size()) {
            setText(value.left(at));
            SetUnitID(unit);
            return;
        }
    }
}

void TQsgUnitEditBtn::ClickButton(QObject*)
{
    if (OnClickBtn)
        OnClickBtn(this);
    QMenu menu(this);
    for (int i = 0; i < FUnits.size(); ++i)
        menu.addAction(FUnits[i])->setData(i + 1);
    const int id = ShowUnitMenu ? ShowUnitMenu(menu, mapToGlobal(QPoint(width() - 15, height()))) : 0;
    UnitCommand(id);
}

void TQsgUnitEditBtn::UnitCommand(int id)
{
    if (id < 1 || id > FUnits.size())
        return;
    const QString previous = FUnitID;
    SetUnitID(FUnits[id - 1]);
    if (FUnitID != previous && OnUnitChanged)
        OnUnitChanged(this, FUnitID);
}

void TQsgUnitEditBtn::paintEvent(QPaintEvent* e)
{
    TQsgEditBtn::paintEvent(e);
    if (FUnitID.isEmpty())
        return;
    QPainter canvas(this);
    canvas.setFont(font());
    canvas.setPen(palette().color(QPalette::Text));
    const int frame = frameOf(*this);
    const int right = frame + (width() - 2 * frame) - Button()->width() - 3;
    const QRect r(QPoint(right - FUnitWidth, frame + 2), QPoint(right - 1, height() - frame - 1));
    canvas.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, FUnitID);
}

} // namespace grid
