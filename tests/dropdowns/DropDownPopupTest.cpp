// The popup as a user meets it: clicks and keys go through the window system (a click handed
// straight to a widget would not reach a Qt popup's outside-click handling), the desktop's
// clock and monitors are a fake the test sets.

#include "dropdowns/QvDropDown.h"
#include "support/TestDropDown.h"

#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace dropdowns;
using testsupport::DropDownWindow;
using testsupport::FakeDesktop;

namespace {

class DropDownPopup : public ::testing::Test {
protected:
    FakeDesktop desktop;
};

} // namespace

// ---- opening and closing by mouse ------------------------------------------------------------

TEST_F(DropDownPopup, ButtonOpensOnMouseUpAndRightClickDoesNothing)
{
    DropDownWindow w(desktop);
    w.clickButton(Qt::RightButton);
    EXPECT_FALSE(w.dd->DroppedDown());

    QTest::mousePress(w.handle(), Qt::LeftButton, {}, w.buttonCentre());
    EXPECT_FALSE(w.dd->DroppedDown()) << "a press alone does not open";
    QTest::mouseRelease(w.handle(), Qt::LeftButton, {}, w.buttonCentre());
    EXPECT_TRUE(w.dd->DroppedDown());
    EXPECT_TRUE(w.dd->DropDownForm()->isVisible());
    // The edit keeps the focus and its window the activation.
    EXPECT_EQ(QApplication::focusWidget(), w.dd);
    EXPECT_EQ(QApplication::activeWindow(), w.window.get());
    EXPECT_EQ(QApplication::activePopupWidget(), w.dd->DropDownForm());
}

TEST_F(DropDownPopup, OutsideClickCancelsRestoringTheText)
{
    DropDownWindow w(desktop);
    w.dd->SetText(QStringLiteral("alpha"));
    std::vector<bool> dropUps;
    w.dd->OnDropUp = [&](QObject*, bool cancelled) { dropUps.push_back(cancelled); };
    w.clickButton();
    ASSERT_TRUE(w.dd->DroppedDown());
    w.dd->SetRawText(QStringLiteral("live"));

    w.clickOutside();
    EXPECT_FALSE(w.dd->DroppedDown());
    EXPECT_FALSE(w.dd->DropDownForm()->isVisible());
    EXPECT_EQ(dropUps, std::vector<bool>{true});
    EXPECT_EQ(w.dd->Text(), QStringLiteral("alpha"));
    EXPECT_EQ(w.dd->DropDownForm()->DeActivateTime(), desktop.ticks);
}

TEST_F(DropDownPopup, OutsideClickKeepsTheTextWithoutCancelOnDeActivate)
{
    DropDownWindow w(desktop);
    w.dd->SetText(QStringLiteral("alpha"));
    std::vector<bool> dropUps;
    w.dd->OnDropUp = [&](QObject*, bool cancelled) { dropUps.push_back(cancelled); };
    w.dd->OnBeforeDropDown = [&](QObject*) { w.dd->DropDownForm()->SetCancelOnDeActivate(false); };
    w.clickButton();
    w.dd->SetRawText(QStringLiteral("chosen"));
    w.clickOutside();
    EXPECT_EQ(dropUps, std::vector<bool>{false});
    EXPECT_EQ(w.dd->Text(), QStringLiteral("chosen"));
}

TEST_F(DropDownPopup, TheClickThatClosedThePopupDoesNotReopenIt)
{
    DropDownWindow w(desktop);
    w.clickButton();
    ASSERT_TRUE(w.dd->DroppedDown());
    // The button of an open popup lies outside the popup: the press closes it.
    w.clickButton();
    EXPECT_FALSE(w.dd->DroppedDown());
    const std::uint32_t closedAt = w.dd->DropDownForm()->DeActivateTime();
    EXPECT_EQ(closedAt, desktop.ticks);

    desktop.ticks = closedAt + 250;
    w.clickButton();
    EXPECT_FALSE(w.dd->DroppedDown()) << "250 ms after the close";
    desktop.ticks = closedAt + 251;
    w.clickButton();
    EXPECT_TRUE(w.dd->DroppedDown()) << "251 ms after the close";
}

TEST_F(DropDownPopup, PurePickerOpensOnAClickAnywhere)
{
    DropDownWindow w(desktop);
    w.dd->SetEditorEnabled(false);
    QTest::mouseClick(w.handle(), Qt::LeftButton, {}, w.inWindow(w.dd, {20, 10}));
    EXPECT_TRUE(w.dd->DroppedDown());
}

TEST_F(DropDownPopup, EditableEditOpensOnlyFromItsButton)
{
    DropDownWindow w(desktop);
    QTest::mouseClick(w.handle(), Qt::LeftButton, {}, w.inWindow(w.dd, {20, 10}));
    EXPECT_FALSE(w.dd->DroppedDown());
}

// ---- refusals --------------------------------------------------------------------------------

TEST_F(DropDownPopup, RefusedByOnDropDown)
{
    DropDownWindow w(desktop);
    int before = 0;
    w.dd->OnBeforeDropDown = [&](QObject*) { ++before; };
    w.dd->OnDropDown = [](QObject*, bool& accept) { accept = false; };
    w.clickButton();
    EXPECT_EQ(before, 1);
    EXPECT_FALSE(w.dd->DroppedDown());
    EXPECT_FALSE(w.dd->DropDownForm()->isVisible());
}

TEST_F(DropDownPopup, NoOpeningWhenDisabledOrReadOnly)
{
    DropDownWindow w(desktop);
    w.dd->SetReadOnly(true);
    w.clickButton();
    w.key(Qt::Key_F4);
    w.dd->ShowDropDown();
    EXPECT_FALSE(w.dd->DroppedDown());

    w.dd->SetReadOnly(false);
    w.dd->setEnabled(false);
    w.dd->ShowDropDown();
    EXPECT_FALSE(w.dd->DroppedDown());
}

// ---- keys ------------------------------------------------------------------------------------

TEST_F(DropDownPopup, AltDownOpensAndAltUpCloses)
{
    DropDownWindow w(desktop);
    w.key(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(w.dd->DroppedDown());
    // Now the popup has the keys and forwards them, Alt included.
    w.key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(w.dd->DroppedDown());
    w.key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_TRUE(w.dd->DroppedDown());
}

TEST_F(DropDownPopup, F4Toggles)
{
    DropDownWindow w(desktop);
    w.key(Qt::Key_F4);
    EXPECT_TRUE(w.dd->DroppedDown());
    w.key(Qt::Key_F4);
    EXPECT_FALSE(w.dd->DroppedDown());
    // Alt+F4 is no popup key.
    w.key(Qt::Key_F4, Qt::AltModifier);
    EXPECT_FALSE(w.dd->DroppedDown());
}

TEST_F(DropDownPopup, TypingInTheOpenPopupReachesTheEditAndReturnKeepsIt)
{
    DropDownWindow w(desktop);
    w.dd->SetText(QStringLiteral("a"));
    w.dd->setCursorPosition(1);
    std::vector<bool> dropUps;
    w.dd->OnDropUp = [&](QObject*, bool cancelled) { dropUps.push_back(cancelled); };
    w.key(Qt::Key_F4);
    ASSERT_TRUE(w.dd->DroppedDown());
    w.key(Qt::Key_B);
    w.key(Qt::Key_C);
    EXPECT_EQ(w.dd->Text(), QStringLiteral("abc"));
    EXPECT_TRUE(w.dd->DroppedDown());
    w.key(Qt::Key_Return);
    EXPECT_FALSE(w.dd->DroppedDown());
    EXPECT_EQ(w.dd->Text(), QStringLiteral("abc"));
    EXPECT_EQ(dropUps, std::vector<bool>{false});
}

TEST_F(DropDownPopup, EscapeInTheOpenPopupRestoresTheTextLastSet)
{
    DropDownWindow w(desktop);
    w.dd->SetText(QStringLiteral("alpha"));
    w.dd->setCursorPosition(5);
    std::vector<bool> dropUps;
    w.dd->OnDropUp = [&](QObject*, bool cancelled) { dropUps.push_back(cancelled); };
    w.key(Qt::Key_Down, Qt::AltModifier);
    w.key(Qt::Key_X);
    EXPECT_EQ(w.dd->Text(), QStringLiteral("alphax"));
    w.key(Qt::Key_Escape);
    EXPECT_FALSE(w.dd->DroppedDown());
    EXPECT_EQ(w.dd->Text(), QStringLiteral("alpha"));
    EXPECT_EQ(dropUps, std::vector<bool>{true});
}

TEST_F(DropDownPopup, AReturnCharacterNeverReachesTheEdit)
{
    DropDownWindow w(desktop);
    std::vector<QChar> pressed;
    w.dd->OnKeyPress = [&](QObject*, QChar& key) { pressed.push_back(key); };
    w.dd->SetText(QStringLiteral("x"));
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.dd->Text(), QStringLiteral("x"));
    EXPECT_EQ(pressed, std::vector<QChar>{QLatin1Char('\r')}) << "OnKeyPress sees it, the edit does not";
}

TEST_F(DropDownPopup, KeysOfTheFocusedHostedControlReachTheEdit)
{
    DropDownWindow w(desktop);
    w.dd->SetFocusControl(w.dd->panel);
    w.key(Qt::Key_F4);
    ASSERT_TRUE(w.dd->DroppedDown());
    EXPECT_TRUE(w.dd->panel->hasFocus());
    w.key(Qt::Key_Escape);
    EXPECT_FALSE(w.dd->DroppedDown());
    // Closing gives the focus back to the edit.
    EXPECT_EQ(QApplication::focusWidget(), w.dd);
}

// ---- order of events -------------------------------------------------------------------------

TEST_F(DropDownPopup, EventOrderOnOpeningAndClosing)
{
    DropDownWindow w(desktop);
    w.dd->SetText(QStringLiteral("old"));
    std::vector<std::string> log;
    w.dd->OnBeforeDropDown = [&](QObject*) { log.push_back("BeforeDropDown"); };
    w.dd->OnDropDown = [&](QObject*, bool&) {
        log.push_back(w.dd->DropDownForm()->isVisible() ? "DropDown (shown)" : "DropDown");
    };
    w.dd->OnBeforeDropUp = [&](QObject*) {
        log.push_back(std::string("BeforeDropUp ") + (w.dd->DroppedDown() ? "open" : "closed"));
    };
    w.dd->OnDropUp = [&](QObject*, bool cancelled) {
        log.push_back(std::string("DropUp ") + (cancelled ? "cancelled " : "kept ")
                      + (w.dd->DroppedDown() ? "open " : "closed ") + w.dd->Text().toStdString());
    };
    w.dd->SetFocusControl(w.dd->panel);
    w.dd->ShowDropDown();
    log.push_back(w.dd->panel->hasFocus() ? "focus control focused" : "focus control not focused");
    w.dd->SetRawText(QStringLiteral("new"));
    w.dd->HideDropDown(true);
    const std::vector<std::string> expected{"BeforeDropDown", "DropDown", "focus control focused", "BeforeDropUp open",
                                            "DropUp cancelled closed old"};
    EXPECT_EQ(log, expected);
}

// ---- placement -------------------------------------------------------------------------------

TEST_F(DropDownPopup, OpensBelowOverlappingTheEditsBottomLine)
{
    DropDownWindow w(desktop, {100, 100});
    w.dd->ShowDropDown();
    const QPoint p = w.dd->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(w.dd->DropDownForm()->geometry(), QRect(p.x(), p.y() + w.dd->height() - 1, 120, 62));
}

TEST_F(DropDownPopup, DropPositionUpOpensAbove)
{
    DropDownWindow w(desktop, {100, 300});
    w.dd->SetDropPosition(dpUp);
    w.dd->ShowDropDown();
    const QPoint p = w.dd->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(w.dd->DropDownForm()->geometry(), QRect(p.x(), p.y() - 62, 120, 62));
}

TEST_F(DropDownPopup, AutoOpensAboveNearTheBottomJudgedByTheEditsTop)
{
    // Screen 768 high, popup 62: an edit top at 705 gives 767 < 768 (below, its bottom passing
    // the screen's), one at 706 gives 768 (above).
    for (const auto& [top, below] : {std::pair{705, true}, std::pair{706, false}}) {
        DropDownWindow w(desktop, {100, top - 10});
        const QPoint p = w.dd->mapToGlobal(QPoint(0, 0));
        ASSERT_EQ(p.y(), top);
        w.dd->ShowDropDown();
        const int expectedTop = below ? top + w.dd->height() - 1 : top - 62;
        EXPECT_EQ(w.dd->DropDownForm()->y(), expectedTop) << top;
    }
}

TEST_F(DropDownPopup, ClampedToTheWorkAreasRightEdge)
{
    DropDownWindow w(desktop, {950, 100});
    w.dd->ShowDropDown();
    // Work area right edge 1024; the 120-pixel popup ends there.
    EXPECT_EQ(w.dd->DropDownForm()->x(), 1024 - 120);
}

TEST_F(DropDownPopup, NoClampOnAMonitorLeftOfThePrimary)
{
    desktop.monitors.push_back({QRect(-1024, 0, 1024, 768), QRect(-1024, 0, 1024, 740)});
    DropDownWindow w(desktop, {-80, 100});
    w.dd->ShowDropDown();
    EXPECT_EQ(w.dd->DropDownForm()->x(), w.dd->mapToGlobal(QPoint(0, 0)).x());
}

TEST_F(DropDownPopup, SmallPopupHeldTo80By50)
{
    DropDownWindow w(desktop, {100, 100}, {20, 10});
    w.dd->ShowDropDown();
    EXPECT_EQ(w.dd->DropDownForm()->size(), QSize(80, 50));
}

TEST_F(DropDownPopup, SizeFromSettingsAndBars)
{
    DropDownWindow w(desktop);
    w.dd->DropDownHeader().SetVisible(true);
    w.dd->DropDownFooter().SetVisible(true);
    w.dd->DropDownFooter().SetHeight(30);
    w.dd->ShowDropDown();
    // Border 1 on both sides, header 22, footer 30, panel 60.
    EXPECT_EQ(w.dd->DropDownForm()->size(), QSize(120, 2 + 22 + 30 + 60));
    w.dd->HideDropDown(false);
    w.dd->SetDropDownWidth(150);
    w.dd->SetDropDownHeight(90);
    w.dd->ShowDropDown();
    EXPECT_EQ(w.dd->DropDownForm()->size(), QSize(150, 90));
}

TEST_F(DropDownPopup, RememberedSizeReusedUntilDropDownHeightIsWritten)
{
    DropDownWindow w(desktop);
    EXPECT_EQ(w.dd->UserDropDownWidth(), -1);
    w.dd->ShowDropDown();
    w.dd->DropDownForm()->resize(200, 150);
    w.dd->HideDropDown(false);
    EXPECT_EQ(w.dd->UserDropDownWidth(), 200);
    EXPECT_EQ(w.dd->UserDropDownHeight(), 150);
    w.dd->ShowDropDown();
    EXPECT_EQ(w.dd->DropDownForm()->size(), QSize(200, 150));
    w.dd->HideDropDown(false);

    w.dd->SetDropDownHeight(70);
    EXPECT_EQ(w.dd->UserDropDownHeight(), -1);
    EXPECT_EQ(w.dd->UserDropDownWidth(), 200);
    w.dd->ShowDropDown();
    EXPECT_EQ(w.dd->DropDownForm()->size(), QSize(200, 70));
}

TEST_F(DropDownPopup, DraggingTheCornerResizesAndIsRemembered)
{
    DropDownWindow w(desktop);
    // A wide border leaves the popup's own corner free of the panel.
    w.dd->SetDropDownBorderWidth(6);
    int sizing = 0;
    w.dd->ShowDropDown();
    TDropDownForm* form = w.dd->DropDownForm();
    ASSERT_EQ(form->size(), QSize(120, 72));
    form->SetSizeable(true);
    form->OnSizing = [&] { ++sizing; };
    QWindow* popup = form->windowHandle();
    const QPoint corner(form->width() - 2, form->height() - 2);
    QTest::mousePress(popup, Qt::LeftButton, {}, corner);
    QTest::mouseMove(popup, corner + QPoint(30, 20));
    QTest::mouseRelease(popup, Qt::LeftButton, {}, corner + QPoint(30, 20));
    EXPECT_EQ(form->size(), QSize(150, 92));
    EXPECT_GE(sizing, 1);
    EXPECT_TRUE(w.dd->DroppedDown());
    // The panel follows as the client control.
    EXPECT_EQ(w.dd->panel->geometry(), QRect(6, 6, 138, 80));
    w.dd->HideDropDown(false);
    w.dd->ShowDropDown();
    EXPECT_EQ(form->size(), QSize(150, 92));
}

// ---- a modal window opened from the popup ----------------------------------------------------

TEST_F(DropDownPopup, ModalWindowFromTheOpenPopupWorksWhileBlockActivateIsSet)
{
    DropDownWindow w(desktop);
    w.dd->ShowDropDown();
    TDropDownForm* form = w.dd->DropDownForm();
    int hides = 0;
    w.dd->OnDropUp = [&](QObject*, bool) { ++hides; };

    form->SetBlockActivate(true);
    QDialog dialog(form);
    dialog.setGeometry(500, 400, 120, 60);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setGeometry(10, 10, 80, 30);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    bool clickReached = false;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, QPoint(40, 20));
        clickReached = dialog.result() == QDialog::Accepted || !dialog.isVisible();
        if (dialog.isVisible())
            dialog.reject();
    });
    const int result = dialog.exec();
    EXPECT_TRUE(clickReached);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(w.dd->DroppedDown());
    EXPECT_EQ(hides, 0);

    // Clearing it makes the window a popup again, which an outside click closes.
    form->SetBlockActivate(false);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), form);
    QApplication::setActiveWindow(w.window.get());
    w.clickOutside();
    EXPECT_FALSE(w.dd->DroppedDown());
    EXPECT_EQ(hides, 1);
}
