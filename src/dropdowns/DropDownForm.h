#pragma once
// The borderless popup window of a drop-down: it shows the picker's control under an optional
// header bar and above an optional footer bar, paints its background and border, forwards its
// keys and wheel steps to the drop-down, and lets the user resize it by its bottom-right corner.
//
// It is a Qt popup: while it shows, the drop-down's edit keeps the focus and its window stays
// active, keys go to the popup (which passes them on to the edit), and a press anywhere outside
// it counts as the popup losing activation: the time is stamped (DeActivateTime, the drop
// button's reopen guard) and the drop-down closes it, cancelling while CancelOnDeActivate is on.
// A Qt popup takes every click, so while BlockActivate is set (a picker showing a modal window
// from its popup) the popup stays on screen as a plain top-most window instead, and the modal
// window works; clearing BlockActivate makes it a popup again.

#include "dropdowns/PopupBars.h"
#include "grid/GridTypes.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class QScrollArea;

namespace platform {
class Desktop;
}

namespace dropdowns {

class TQvCustomDropDown;

// How a child of the popup is laid out in its client area (inside the border).
enum TAlign { alNone, alTop, alBottom, alClient };

class TDropDownForm : public QWidget {
    Q_OBJECT
public:
    explicit TDropDownForm(QWidget* owner = nullptr, platform::Desktop* desktop = nullptr);
    ~TDropDownForm() override;

    // Tick count of the last loss of activation while visible.
    std::uint32_t DeActivateTime() const { return FDeActivate; }
    // Kept as a setting only: windows here cast no shadow of their own.
    bool Shadow() const { return FShadow; }
    void SetShadow(bool v) { FShadow = v; }
    // The bars, created the first time the drop-down's look is visible; none before.
    TQvHeader* Header() const { return FHeader; }
    TQvFooter* Footer() const { return FFooter; }
    TQvCustomDropDown* QvDropDown() const { return FQvDropDown; }
    void SetQvDropDown(TQvCustomDropDown* v) { FQvDropDown = v; }
    QScrollArea* ScrollBox() const { return FScrollBox; }
    bool Sizeable() const { return FSizeable; }
    void SetSizeable(bool v) { FSizeable = v; }
    bool CancelOnDeActivate() const { return FCancelOnDeActivate; }
    void SetCancelOnDeActivate(bool v) { FCancelOnDeActivate = v; }
    bool BlockActivate() const { return FBlockActivate; }
    void SetBlockActivate(bool v);

    virtual void UpdateSize() {}
    // Builds or refreshes the header and footer bars from the drop-down's looks.
    virtual void InitializeAndUpdate();
    // Alt plus a bar button's accelerator letter clicks that button; true when one took it.
    bool BarDialogChar(QChar ch);
    void PaintBackground(QPainter& canvas);

    // Lays a child out in the client area; alNone leaves it where it is.
    void SetAlign(QWidget* child, TAlign align);
    TAlign Align(const QWidget* child) const;
    // The client area less the border, where aligned children sit.
    QRect AlignRect() const;
    void AlignControls();

    // Resizing by the bottom-right corner (the popup's own corner, or the footer's size grip):
    // a press starts it, moves resize the window from its top-left corner (fired through
    // OnSizing), a release ends it.
    static constexpr int kSizingCorner = 10;
    bool InSizingCorner(const QPoint& p) const;
    void BeginUserSizing(const QPoint& globalPos);
    void MoveUserSizing(const QPoint& globalPos);
    void EndUserSizing();
    bool UserSizing() const { return FSizing; }

    // Shows the window placed and sized in one step, as a popup or, while BlockActivate is
    // set, as a plain top-most window.
    void ShowAt(const QRect& geometry);

    // The popup lost activation while visible: stamp the time and let the drop-down close it.
    void Deactivated();

    // Events (bound by the drop-down when it creates the popup).
    std::function<void()> OnHide;
    std::function<void(int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(int& key, Qt::KeyboardModifiers shift)> OnKeyUp;
    std::function<void(QChar& key)> OnKeyPress;
    std::function<void(Qt::KeyboardModifiers shift, const QPoint& pos, bool& handled)> OnMouseWheelDown;
    std::function<void(Qt::KeyboardModifiers shift, const QPoint& pos, bool& handled)> OnMouseWheelUp;
    std::function<void()> OnDestroy;
    std::function<void()> OnSizing;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    static Qt::WindowFlags windowFlagsFor(bool blocked);
    // Re-shows the window in the mode BlockActivate asks for, keeping its place and size and
    // telling nobody it hid.
    void switchWindowMode();
    bool keyFromChild() const;

    std::uint32_t FDeActivate = 0;
    bool FShadow = true;
    QPointer<TQvFooter> FFooter;
    QPointer<TQvHeader> FHeader;
    TQvCustomDropDown* FQvDropDown = nullptr;
    QScrollArea* FScrollBox = nullptr;
    bool FSizeable = false;
    bool FCancelOnDeActivate = true;
    bool FBlockActivate = false;

    platform::Desktop* FDesktop;
    std::vector<std::pair<QPointer<QWidget>, TAlign>> FAligned;
    bool FSwitchingMode = false;
    bool FSizing = false;
    QPoint FSizingStart;
    QSize FSizingStartSize;
};

} // namespace dropdowns
