#pragma once
// A small picker for the tests: its popup hosts one plain panel of a chosen size (focusable, so
// it can be the focus control), created the way every picker creates its control; and a shown
// top-level window holding a drop-down at a known place, driven through the window system.

#include "dropdowns/QvDropDown.h"
#include "support/FakeDesktop.h"

#include <QApplication>
#include <QFrame>
#include <QTest>
#include <QWidget>

#include <memory>

namespace testsupport {

class TestDropDown : public dropdowns::TQvCustomDropDown {
public:
    explicit TestDropDown(QWidget* owner, platform::Desktop* desktop, QSize controlSize = {120, 60})
        : TQvCustomDropDown(owner, desktop), controlSize(controlSize)
    {
        ConstructDropDown();
    }

    QFrame* panel = nullptr;
    int createdForms = 0;
    QString constructedText = QStringLiteral("unset");

    using TQvCustomDropDown::ArrangeButton;
    using TQvCustomDropDown::BorderSize;
    using TQvCustomDropDown::CloseDropDown;
    using TQvCustomDropDown::CMWantSpecialKey;
    using TQvCustomDropDown::OpenDropDown;
    using TQvCustomDropDown::WMCopy;
    using TQvCustomDropDown::WMCut;
    using TQvCustomDropDown::WMPaste;

protected:
    void CreateDropDownForm() override
    {
        TQvCustomDropDown::CreateDropDownForm();
        ++createdForms;
        panel = new QFrame(DropDownForm());
        panel->setFocusPolicy(Qt::StrongFocus);
        panel->resize(controlSize);
    }
    void BeforeDropDown() override
    {
        TQvCustomDropDown::BeforeDropDown();
        SetControl(panel);
    }

public:
    void SetText(const QString& value) override
    {
        TQvCustomDropDown::SetText(value);
        if (Constructing())
            constructedText = value;
    }

private:
    QSize controlSize;
};

// A shown, active top-level window at `at` (global), its drop-down at (10, 10) inside it, both
// bars of the popup hidden so the popup is exactly the panel plus its border.
struct DropDownWindow {
    explicit DropDownWindow(FakeDesktop& desktop, QPoint at = {100, 100}, QSize controlSize = {120, 60})
    {
        window = std::make_unique<QWidget>();
        window->setGeometry(QRect(at, QSize(400, 300)));
        dd = new TestDropDown(window.get(), &desktop, controlSize);
        dd->move(10, 10);
        dd->DropDownHeader().SetVisible(false);
        dd->DropDownFooter().SetVisible(false);
        other = new QWidget(window.get());
        other->setGeometry(10, 200, 100, 40);
        window->show();
        QApplication::setActiveWindow(window.get());
        (void)QTest::qWaitForWindowActive(window.get());
        dd->setFocus();
    }
    ~DropDownWindow()
    {
        if (dd->DroppedDown())
            dd->HideDropDown(false);
    }

    QWindow* handle() const { return window->windowHandle(); }
    // Where a widget's point lies in the window.
    QPoint inWindow(const QWidget* w, QPoint p) const { return w->mapTo(window.get(), p); }
    QPoint buttonCentre() const { return inWindow(dd->Button(), dd->Button()->rect().center()); }
    void clickButton(Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mouseClick(handle(), button, {}, buttonCentre());
    }
    void clickOutside() const { QTest::mouseClick(handle(), Qt::LeftButton, {}, inWindow(other, {20, 20})); }
    void key(int key, Qt::KeyboardModifiers mods = {}) const { QTest::keyClick(handle(), Qt::Key(key), mods); }

    std::unique_ptr<QWidget> window;
    TestDropDown* dd = nullptr;
    QWidget* other = nullptr;
};

} // namespace testsupport
