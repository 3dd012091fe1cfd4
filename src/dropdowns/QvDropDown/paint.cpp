// Painting: the edit's background and text (Qt's line edit), the window border, the value of a
// focused pure picker drawn as a highlighted item, and the flat or coloured border.

#include "dropdowns/QvDropDown.h"
#include "dropdowns/QvDropDown/Draw.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>

namespace dropdowns {

void TQvCustomDropDown::SetColor(TColor v)
{
    FColor = v;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, platform::toQColor(v));
    setPalette(pal);
    update();
}

void TQvCustomDropDown::paintEvent(QPaintEvent* e)
{
    {
        QPainter canvas(this);
        draw::fill(canvas, rect(), FColor);
    }
    QLineEdit::paintEvent(e);
    QPainter canvas(this);
    // The window border as the desktop draws an edit's: a sunken 3-D client edge, or a frame.
    if (FBorderStyle == bsSingle) {
        if (FCtl3D)
            draw::drawEdge(canvas, rect(), draw::Edge::Sunken);
        else
            draw::frame(canvas, rect(), platform::clWindowFrame);
    }
    PaintFocusedText(canvas);
    if (FFocusBorderColor != clNone || FBorderColor != clNone || (!isEnabled() && FDisabledBorder) || FFlat)
        PaintBorder(canvas);
}

void TQvCustomDropDown::PaintFocusedText(QPainter& canvas)
{
    if (FEditorEnabled || !hasFocus() || !FFocusDraw)
        return;
    QRect r(QPoint(2, 2), QPoint(width() - DropDownButtonWidth() - 1 - 1, height() - 2 - 1));
    draw::fill(canvas, r, platform::clHighlight);
    draw::frame(canvas, r, platform::clBlack);
    r.adjust(2, 0, -3, 0);
    canvas.setFont(font());
    canvas.setPen(platform::toQColor(platform::clHighlightText));
    canvas.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, Text());
}

void TQvCustomDropDown::PaintBorder(QPainter& canvas)
{
    if (isEnabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone)
        return;
    DrawBorder(canvas);
    UpdateButtonFocus();
}

void TQvCustomDropDown::DrawBorder(QPainter& canvas)
{
    QRect r = rect();
    // A disabled control under visual styles: a silver frame.
    if (!isEnabled() && FIsThemed && FDisabledBorder) {
        draw::frame(canvas, r, platform::clSilver);
        return;
    }
    const bool focused = hasFocus();
    // A fixed border colour, unless the focus colour takes over.
    if (FBorderColor != clNone) {
        if (!(focused && FFocusBorderColor != clNone)) {
            draw::frame(canvas, r, FBorderColor);
            return;
        }
    }
    // The focus colour while focused.
    if (FFocusBorderColor != clNone) {
        if (focused)
            draw::frame(canvas, r, FFocusBorderColor);
        return;
    }
    // Flat or disabled: sunken while hot, in the parent's colour otherwise.
    if (Hot()) {
        r = draw::drawEdge(canvas, r, draw::Edge::SunkenOuter);
        draw::frame(canvas, r, platform::clBtnFace);
    } else {
        const QColor parentColor =
            parentWidget() ? parentWidget()->palette().color(QPalette::Window) : palette().color(QPalette::Window);
        const TColor c = platform::fromQColor(parentColor);
        draw::frame(canvas, r, c);
        draw::frame(canvas, r.adjusted(1, 1, -1, -1), c);
    }
}

} // namespace dropdowns
