#pragma once
// A shown, active top-level window holding one picker at (10, 10) and a second focusable
// control below it, driven through the window system like DropDownWindow.

#include "support/FakeDesktop.h"
#include "support/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <memory>

namespace testsupport {

// The top-level window a picker test places its picker in, at geometry, not shown yet.
inline std::unique_ptr<QWidget> makeHostWindow(const QRect& geometry)
{
    auto window = std::make_unique<QWidget>();
    window->setGeometry(geometry);
    return window;
}

// Shows the host and makes it the active window through the window system, as the user's
// first click does, then gives focus (when named) the focus.
inline void showHostWindow(QWidget& window, QWidget* focus = nullptr)
{
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowActive(&window);
    if (focus)
        focus->setFocus();
}

template <class Picker>
struct PickerWindow {
    explicit PickerWindow(FakeDesktop& desktop, QPoint at = {100, 100})
    {
        window = makeHostWindow(QRect(at, QSize(400, 300)));
        before = new QLineEdit(window.get());
        before->setGeometry(10, 200, 100, 21);
        picker = new Picker(window.get(), &desktop);
        picker->setGeometry(10, 10, 200, 21);
        other = new QLineEdit(window.get());
        other->setGeometry(200, 200, 100, 21);
        QWidget::setTabOrder(before, picker);
        QWidget::setTabOrder(picker, other);
        showHostWindow(*window);
    }
    ~PickerWindow()
    {
        if (picker->DroppedDown())
            picker->HideDropDown(false);
    }

    QWindow* handle() const { return window->windowHandle(); }
    QPoint inWindow(const QWidget* w, QPoint p) const { return w->mapTo(window.get(), p); }
    void clickButton() const
    {
        QTest::mouseClick(handle(), Qt::LeftButton, {}, inWindow(picker->Button(), picker->Button()->rect().center()));
    }
    void clickOutside() const { QTest::mouseClick(handle(), Qt::LeftButton, {}, inWindow(other, {20, 10})); }
    // The screen around the window and its popup, kept in shot and written into the build
    // tree's screenshot folder.
    bool screenshot(const QString& fileName, QSize size = {420, 260})
    {
        QCoreApplication::processEvents();
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return false;
        origin = window->geometry().topLeft();
        shot = screen->grabWindow(0, origin.x(), origin.y(), size.width(), size.height()).toImage();
        return !shot.isNull() && testsupport::saveScreenshot(shot, QStringLiteral("dropdowns/") + fileName);
    }
    // In the last shot, the popup's place holds its picture: pixels other than the window's
    // plain background under the picker.
    testing::AssertionResult popupDrawn(const QWidget& popup) const
    {
        const QRect place = QRect(popup.mapToGlobal(QPoint(0, 0)) - origin, popup.size()) & shot.rect();
        const QColor background = window->palette().color(QPalette::Window);
        if (place.isEmpty())
            return testing::AssertionFailure() << "the popup lies outside the picture";
        if (pixelsOtherThan(shot, place, background) == 0)
            return testing::AssertionFailure() << "the popup's place is plain background";
        return testing::AssertionSuccess();
    }

    QImage shot;
    QPoint origin;
    std::unique_ptr<QWidget> window;
    QLineEdit* before = nullptr;
    Picker* picker = nullptr;
    QLineEdit* other = nullptr;
};

} // namespace testsupport
