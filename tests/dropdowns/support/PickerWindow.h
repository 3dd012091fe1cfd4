#pragma once
// A shown, active top-level window holding one picker at (10, 10) and a second focusable
// control below it, driven through the window system like DropDownWindow.

#include "support/FakeDesktop.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <memory>

namespace testsupport {

template <class Picker>
struct PickerWindow {
    explicit PickerWindow(FakeDesktop& desktop, QPoint at = {100, 100})
    {
        window = std::make_unique<QWidget>();
        window->setGeometry(QRect(at, QSize(400, 300)));
        before = new QLineEdit(window.get());
        before->setGeometry(10, 200, 100, 21);
        picker = new Picker(window.get(), &desktop);
        picker->setGeometry(10, 10, 200, 21);
        other = new QLineEdit(window.get());
        other->setGeometry(200, 200, 100, 21);
        QWidget::setTabOrder(before, picker);
        QWidget::setTabOrder(picker, other);
        window->show();
        QApplication::setActiveWindow(window.get());
        (void)QTest::qWaitForWindowActive(window.get());
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
    // The screen around the window and its popup, saved under the current folder.
    bool screenshot(const QString& fileName, QSize size = {420, 260}) const
    {
        QCoreApplication::processEvents();
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return false;
        const QPoint at = window->geometry().topLeft();
        const QImage img = screen->grabWindow(0, at.x(), at.y(), size.width(), size.height()).toImage();
        return !img.isNull() && img.save(QDir::current().filePath(fileName));
    }

    std::unique_ptr<QWidget> window;
    QLineEdit* before = nullptr;
    Picker* picker = nullptr;
    QLineEdit* other = nullptr;
};

} // namespace testsupport
