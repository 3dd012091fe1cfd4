// The track-bar picker: its values held by the track bar, the edit following the position, the
// Up and Down keys, dragging over the edit, and the popup.

#include "dropdowns/QvTrackBarDropDown.h"
#include "support/FakeDesktop.h"
#include "support/PickerWindow.h"

#include <QMouseEvent>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

using namespace dropdowns;
using testsupport::FakeDesktop;
using Window = testsupport::PickerWindow<TQvTrackBarDropDown>;

namespace {

class TrackBarPicker : public ::testing::Test {
protected:
    TrackBarPicker() : dd(&parent, &desktop)
    {
        dd.OnTrackChange = [this](QObject* sender) {
            EXPECT_EQ(sender, &dd);
            ++trackChanges;
        };
    }
    FakeDesktop desktop;
    QWidget parent;
    TQvTrackBarDropDown dd;
    int trackChanges = 0;
};

void sendMouse(QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(target->mapFromGlobal(global)), QPointF(global), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &e);
}

} // namespace

TEST_F(TrackBarPicker, NewPickerShowsZeroAndTakesNoTyping)
{
    EXPECT_EQ(dd.QLineEdit::text(), QStringLiteral("0"));
    EXPECT_EQ(dd.Position(), 0);
    EXPECT_EQ(dd.Min(), 0);
    EXPECT_EQ(dd.Max(), 10);
    EXPECT_EQ(dd.Frequency(), 1);
    EXPECT_EQ(dd.PageSize(), 2);
    EXPECT_EQ(dd.EditType(), etNumeric);
    EXPECT_FALSE(dd.EditorEnabled());
    EXPECT_TRUE(dd.DropDownEnabled());
    EXPECT_FALSE(dd.DropDownHeader().Visible());
    EXPECT_FALSE(dd.DropDownFooter().Visible());
    EXPECT_TRUE(dd.ForceShadow());
    QTest::keyClicks(&dd, QStringLiteral("57"));
    EXPECT_EQ(dd.QLineEdit::text(), QStringLiteral("0"));
    EXPECT_EQ(trackChanges, 0) << "writing the current position changes nothing";
}

TEST_F(TrackBarPicker, PositionIsClampedToMax)
{
    dd.SetPosition(12);
    EXPECT_EQ(dd.Position(), 10);
    EXPECT_EQ(dd.QLineEdit::text(), QStringLiteral("10"));
    EXPECT_EQ(trackChanges, 1);
}

TEST_F(TrackBarPicker, MinAboveMaxAndMaxBelowMinAreIgnored)
{
    dd.SetMin(20);
    EXPECT_EQ(dd.Min(), 0);
    dd.SetMin(3);
    dd.SetMax(2);
    EXPECT_EQ(dd.Max(), 10);
    EXPECT_EQ(dd.Min(), 3);
}

TEST_F(TrackBarPicker, RaisedMinMovesThePosition)
{
    dd.SetPosition(2);
    trackChanges = 0;
    dd.SetMin(5);
    EXPECT_EQ(dd.Position(), 5);
    EXPECT_EQ(dd.QLineEdit::text(), QStringLiteral("5"));
    EXPECT_EQ(trackChanges, 1);
}

TEST_F(TrackBarPicker, UpLowersAndDownRaisesByFrequencyWithinRange)
{
    struct Case {
        int frequency, from;
        Qt::Key key;
        int to;
    };
    const Case cases[] = {
        {1, 5, Qt::Key_Down, 6}, {1, 5, Qt::Key_Up, 4},    {1, 0, Qt::Key_Up, 0},
        {3, 9, Qt::Key_Down, 9}, {3, 7, Qt::Key_Down, 10}, {3, 2, Qt::Key_Up, 2},
    };
    for (const Case& c : cases) {
        dd.SetFrequency(c.frequency);
        dd.SetPosition(c.from);
        QTest::keyClick(&dd, c.key);
        EXPECT_EQ(dd.Position(), c.to) << c.frequency << " " << c.from;
        EXPECT_EQ(dd.QLineEdit::text(), QString::number(c.to));
    }
    // Held with Alt the arrows only open and close the popup.
    dd.SetPosition(5);
    desktop.modifiers = Qt::AltModifier;
    QTest::keyClick(&dd, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(dd.Position(), 5);
}

TEST_F(TrackBarPicker, TextThatIsNoNumberKeepsThePosition)
{
    dd.SetPosition(4);
    trackChanges = 0;
    int changes = 0;
    dd.OnChange = [&changes](QObject*) { ++changes; };
    dd.SetRawText(QStringLiteral("abc"));
    dd.SetRawText(QString());
    EXPECT_EQ(dd.Position(), 4);
    EXPECT_EQ(changes, 2) << "the change is still reported";
    EXPECT_EQ(trackChanges, 0);
    dd.SetRawText(QStringLiteral("7"));
    EXPECT_EQ(dd.Position(), 7);
}

TEST(TrackBarPickerWindow, DraggingOverTheEditStepsByPageSize)
{
    FakeDesktop desktop;
    Window w(desktop);
    TQvTrackBarDropDown* dd = w.picker;
    dd->SetPosition(3);
    const auto at = [dd](int x) { return dd->mapToGlobal(QPoint(x, 10)); };
    // The press opens the popup, which then holds the mouse: the moves reach it.
    sendMouse(dd, QEvent::MouseButtonPress, at(50), Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(dd->DroppedDown());
    QWidget* form = dd->DropDownForm();
    sendMouse(form, QEvent::MouseMove, at(55), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dd->Position(), 5) << "5 pixels at 2 per step";
    for (int x = 56; x <= 60; ++x)
        sendMouse(form, QEvent::MouseMove, at(x), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dd->Position(), 5) << "single pixels make no step";
    sendMouse(form, QEvent::MouseMove, at(50), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dd->Position(), 0) << "10 pixels back";
    sendMouse(form, QEvent::MouseButtonRelease, at(50), Qt::LeftButton, Qt::NoButton);
    sendMouse(form, QEvent::MouseMove, at(70), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(dd->Position(), 0) << "released: no more dragging";
    dd->HideDropDown(false);

    // Over the edit itself, and no steps at all without a page size.
    sendMouse(dd, QEvent::MouseButtonPress, at(20), Qt::LeftButton, Qt::LeftButton);
    dd->HideDropDown(false);
    sendMouse(dd, QEvent::MouseMove, at(26), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dd->Position(), 3);
    dd->SetPageSize(0);
    sendMouse(dd, QEvent::MouseMove, at(40), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dd->Position(), 3);
    sendMouse(dd, QEvent::MouseButtonRelease, at(40), Qt::LeftButton, Qt::NoButton);
}

TEST(TrackBarPickerWindow, PopupShowsTheTrackBarAndAClickOutsideKeepsTheThumbsValue)
{
    FakeDesktop desktop;
    Window w(desktop, {60, 60});
    TQvTrackBarDropDown* dd = w.picker;
    dd->SetMin(0);
    dd->SetMax(20);
    dd->SetFrequency(5);
    dd->SetPageSize(4);
    dd->SetPosition(6);
    ASSERT_NE(dd->TrackBar(), nullptr);
    EXPECT_EQ(dd->TrackBar()->height(), 40);
    w.clickButton();
    ASSERT_TRUE(dd->DroppedDown());
    QSlider* bar = dd->TrackBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(dd->Control(), bar);
    EXPECT_EQ(bar->parentWidget(), dd->DropDownForm());
    EXPECT_EQ(bar->orientation(), Qt::Horizontal);
    EXPECT_EQ(bar->maximum(), 20);
    EXPECT_EQ(bar->value(), 6);
    EXPECT_EQ(bar->pageStep(), 4);
    EXPECT_EQ(bar->tickInterval(), 5);
    EXPECT_FALSE(dd->DropDownForm()->CancelOnDeActivate());
    // The user moves the thumb (the keys of the bar act as its drag).
    QTest::keyClick(bar, Qt::Key_PageUp);
    EXPECT_EQ(dd->Position(), 10);
    EXPECT_EQ(dd->QLineEdit::text(), QStringLiteral("10"));
    ASSERT_TRUE(w.screenshot(QStringLiteral("TrackBarDropDown_open.png")));
    EXPECT_TRUE(w.popupDrawn(*dd->DropDownForm()));
    w.clickOutside();
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Position(), 10);
    EXPECT_EQ(dd->QLineEdit::text(), QStringLiteral("10"));
}

TEST(TrackBarPickerWindow, EscapeGoesBackToTheTextLastWritten)
{
    FakeDesktop desktop;
    Window w(desktop);
    TQvTrackBarDropDown* dd = w.picker;
    dd->SetText(QStringLiteral("4"));
    EXPECT_EQ(dd->Position(), 4);
    w.clickButton();
    ASSERT_TRUE(dd->DroppedDown());
    dd->SetPosition(8);
    QTest::keyClick(dd->TrackBar(), Qt::Key_Escape);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Position(), 4);
    EXPECT_EQ(dd->QLineEdit::text(), QStringLiteral("4"));
}
