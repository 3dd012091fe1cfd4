// Layout: the minimum height, the drop button's place and the text rectangle left of it.
//
// The control paints its own window border (the client edge), so coordinates here count as the
// layout rules do: the button and the edit rectangle are placed in client coordinates, which
// start BorderSize() pixels in from the widget's corner.

#include "dropdowns/QvDropDown.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QResizeEvent>

namespace dropdowns {

int TQvCustomDropDown::BorderSize() const
{
    if (FBorderStyle == bsNone)
        return 0;
    return FCtl3D ? 2 : 1;
}

QRect TQvCustomDropDown::ClientRect() const
{
    const int b = BorderSize();
    return rect().adjusted(b, b, -b, -b);
}

int TQvCustomDropDown::MinimumHeight() const
{
    const int h = QFontMetrics(font()).height();
    const int s = QFontMetrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).height();
    return h + std::min(h, s) / 4;
}

void TQvCustomDropDown::ArrangeButton()
{
    // Too low: grow to the minimum height, which arrives here again through the resize.
    if (height() < MinimumHeight()) {
        resize(width(), MinimumHeight());
        update();
        return;
    }
    // The button at the right edge, over the full inner height.
    if (FButton) {
        const int bw = FButton->ButtonWidth();
        QRect r;
        if (FCtl3D && FBorderStyle == bsSingle) {
            const int a = FFlat ? 3 : 4;
            r = QRect(width() - bw - a, FFlat ? 2 : 0, bw, height() - a);
        } else {
            const int d = FCtl3D ? 0 : 2;
            r = QRect(width() - bw - d, 1, bw, height() - 2);
        }
        const int b = BorderSize();
        FButton->SetBounds(r.x() + b, r.y() + b, r.width(), r.height());
        SetEditRect();
    }
    // 3.
    update();
}

void TQvCustomDropDown::SetEditRect()
{
    const QRect client = ClientRect();
    grid::TRect r;
    r.Right = client.width() - (FButton ? FButton->width() : 0) - 3;
    r.Bottom = client.height() + 1;
    if (FBorderStyle == bsNone) {
        r.Left = 2;
        r.Top = 3;
    } else {
        r.Left = 1;
        r.Top = 1;
    }
    FEditRect = r;
    if (!FCtl3D)
        r.Left += 1;
    // The formatting rectangle as text margins inside the client area.
    setTextMargins(r.Left, r.Top, std::max(0, client.width() - r.Right), std::max(0, client.height() - r.Bottom));
}

void TQvCustomDropDown::resizeEvent(QResizeEvent* e)
{
    QLineEdit::resizeEvent(e);
    if (FConstructed)
        ArrangeButton();
    PositionLabel();
}

void TQvCustomDropDown::moveEvent(QMoveEvent* e)
{
    QLineEdit::moveEvent(e);
    PositionLabel();
}

} // namespace dropdowns
