// The popup's header and footer bars and their buttons, driven the way a user meets them: an
// open popup, clicks and keys through the window system, and the pixels the bars paint.

#include "dropdowns/PopupBars.h"
#include "dropdowns/DropDownHelpers.h"
#include "dropdowns/QvDropDown.h"
#include "grid/QvObj.h"
#include "support/Screenshots.h"
#include "support/TestDropDown.h"

#include <QDir>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace dropdowns;
using namespace platform;
using testsupport::DropDownWindow;
using testsupport::FakeDesktop;

namespace {

TColor at(const QImage& img, int x, int y)
{
    return platform::fromQColor(QColor(img.pixel(x, y)));
}

QImage shot(QWidget* w)
{
    QImage img(w->size(), QImage::Format_RGB32);
    img.fill(0xFF010203);
    w->render(&img);
    return img;
}

// Each channel within `tolerance` of the other colour's.
bool near(TColor a, TColor b, int tolerance)
{
    a = colorToRGB(a), b = colorToRGB(b);
    return std::abs(getRValue(a) - getRValue(b)) <= tolerance && std::abs(getGValue(a) - getGValue(b)) <= tolerance
           && std::abs(getBValue(a) - getBValue(b)) <= tolerance;
}

// An open popup with both bars shown.
class PopupBars : public ::testing::Test {
protected:
    void SetUp() override
    {
        w = std::make_unique<DropDownWindow>(desktop);
        dd().DropDownHeader().SetVisible(true);
        dd().DropDownFooter().SetVisible(true);
    }
    testsupport::TestDropDown& dd() { return *w->dd; }
    TDropDownForm* form() { return dd().DropDownForm(); }
    void open()
    {
        dd().ShowDropDown();
        ASSERT_TRUE(dd().DroppedDown());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form()));
    }
    TQvHeader* header() { return form()->Header(); }
    TQvFooter* footer() { return form()->Footer(); }
    TQvButton* headerButton(int i) { return header()->ButtonList().GetItemsEx(i); }
    TQvButton* footerButton(int i) { return footer()->ButtonList().GetItemsEx(i); }

    FakeDesktop desktop;
    std::unique_ptr<DropDownWindow> w;
};

} // namespace

// ---- the list the bars keep their buttons in -------------------------------------------------

TEST(DbgList, ChecksItsIndexesWithItsOwnMessages)
{
    int a = 1, b = 2;
    TDbgList<int> list;
    list.Add(&a);
    EXPECT_EQ(list.GetItemsEx(0), &a);
    list.SetItemsEx(0, &b);
    EXPECT_EQ(list.GetItemsEx(0), &b);
    try {
        list.GetItemsEx(1);
        ADD_FAILURE() << "no exception";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "Index out of bounds in list read access");
    }
    try {
        list.SetItemsEx(1, &a);
        ADD_FAILURE() << "no exception";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "Index out of bounds in list write access");
    }
    EXPECT_THROW(list.GetItemsEx(-1), std::out_of_range);
    TDbgList<int> copy;
    copy.Add(&a);
    copy.Add(&a);
    copy.AssignList(list);
    EXPECT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.GetItemsEx(0), &b);
}

// ---- building and arranging ------------------------------------------------------------------

TEST_F(PopupBars, BarsAreBuiltAtOpeningFromTheLooks)
{
    dd().DropDownHeader().GetButtons().Add().SetCaption(QStringLiteral("A"));
    dd().DropDownFooter().GetButtons().Add().SetCaption(QStringLiteral("B"));
    dd().DropDownFooter().GetButtons().Add().SetCaption(QStringLiteral("C"));
    open();
    ASSERT_NE(header(), nullptr);
    ASSERT_NE(footer(), nullptr);
    EXPECT_EQ(header()->geometry(), QRect(1, 1, 118, 22));
    EXPECT_EQ(footer()->geometry(), QRect(1, 83, 118, 22));
    EXPECT_EQ(header()->ButtonList().Count(), 1);
    EXPECT_EQ(footer()->ButtonList().Count(), 2);
    EXPECT_EQ(headerButton(0)->Appearance(), &dd().ButtonAppearance());
    EXPECT_EQ(dd().panel->geometry(), QRect(1, 23, 118, 60)) << "the control between the bars";

    // A hidden look hides the bar at the next opening; the bar stays.
    dd().HideDropDown(false);
    dd().DropDownHeader().SetVisible(false);
    open();
    ASSERT_NE(header(), nullptr);
    EXPECT_FALSE(header()->isVisible());
}

TEST_F(PopupBars, ButtonTopsCountFromTheBarsTopEdge)
{
    struct Case {
        int barHeight, itemHeight, wantTop, wantHeight;
    };
    // A 40-pixel header centres a 17-pixel button at 10, a 22-pixel one puts it at 2; a taller
    // item is cut to the button rectangle's 17 pixels.
    for (const Case& c : {Case{40, 17, 10, 17}, Case{22, 17, 2, 17}, Case{22, 30, 2, 17}}) {
        SCOPED_TRACE(c.barHeight * 100 + c.itemHeight);
        SetUp();
        dd().DropDownHeader().SetHeight(c.barHeight);
        dd().DropDownHeader().GetButtons().Add().SetHeight(c.itemHeight);
        open();
        EXPECT_EQ(headerButton(0)->height(), c.wantHeight);
        EXPECT_EQ(headerButton(0)->y(), c.wantTop);
        dd().HideDropDown(false);
    }
}

TEST_F(PopupBars, RightAlignedButtonsRunFromTheRightAndTheCaptionStopsBeforeThem)
{
    auto& buttons = dd().DropDownHeader().GetButtons();
    for (int i = 0; i < 3; ++i)
        buttons.Add().SetWidth(20 + i);
    open();
    // The header is 118 wide: the button rectangle ends at 116.
    EXPECT_EQ(headerButton(0)->x(), 116 - 20);
    EXPECT_EQ(headerButton(1)->x(), 96 - 21);
    EXPECT_EQ(headerButton(2)->x(), 75 - 22);
    EXPECT_EQ(header()->GetCaptionRect(), (grid::TRect{2, 2, 53 - 2, 19}));

    dd().HideDropDown(false);
    dd().DropDownHeader().SetButtonAlignment(grid::baLeft);
    open();
    EXPECT_EQ(headerButton(0)->x(), 2);
    EXPECT_EQ(headerButton(1)->x(), 22);
    EXPECT_EQ(headerButton(2)->x(), 43);
    EXPECT_EQ(header()->GetCaptionRect().Right, 43 - 2) << "the last button in the list";
}

TEST_F(PopupBars, AButtonSizesItselfToItsCaption)
{
    dd().DropDownHeader().GetButtons().Add().SetCaption(QStringLiteral("&Apply"));
    open();
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter p(&scratch);
    p.setFont(grid::toQFont(dd().ButtonAppearance().Font()));
    const QSize text = MeasureText(p, QStringLiteral("&Apply"));
    EXPECT_EQ(headerButton(0)->width(), text.width() + 8);
    EXPECT_EQ(headerButton(0)->height(), std::min(text.height() + 4, 17));
}

// ---- painting --------------------------------------------------------------------------------

TEST_F(PopupBars, ADrawingHandlerReplacesAllOfTheBarsOwnPainting)
{
    dd().DropDownHeader().SetCaption(QStringLiteral("Caption"));
    dd().DropDownFooter().GetButtons().Add().SetWidth(20);
    int calls = 0;
    dd().OnDrawFooter = [&](QObject* sender, QPainter& canvas, const QRect& r) {
        ++calls;
        EXPECT_EQ(sender, footer());
        canvas.fillRect(r, QColor(0, 0, 255));
    };
    dd().OnGetHeaderText = [](QObject*, QString& text) { text.clear(); };
    open();
    const QImage img = shot(footer());
    EXPECT_GE(calls, 1);
    // No frame, no grip: blue everywhere the button does not cover.
    for (const QPoint p : {QPoint(0, 0), QPoint(5, 5), QPoint(117, 21), QPoint(117 - 12, 21 - 4)})
        EXPECT_EQ(at(img, p.x(), p.y()), 0xFF0000u) << p.x() << "," << p.y();
    // The button still shows on top.
    EXPECT_NE(at(img, footerButton(0)->x() + 5, footerButton(0)->y() + 1), 0xFF0000u);
    // An emptied caption draws no text: the header's middle row is the plain background.
    const QImage h = shot(header());
    const TColor row = at(h, 3, 11);
    for (int x = 3; x < 110; ++x)
        ASSERT_EQ(at(h, x, 11), row) << x;
}

TEST_F(PopupBars, TheSizeGripsSixDots)
{
    dd().SetDropDownSizeable(true);
    dd().DropDownFooter().SetColor(0x00FF00);
    dd().DropDownFooter().SetColorTo(clNone);
    dd().DropDownFooter().SetBorderColor(0x0000FF);
    open();
    ASSERT_TRUE(footer()->SizeGripVisible());
    const QImage img = shot(footer());
    // The grip rectangle: left 118 - 1 - 16 = 101, bottom 22.
    const int gl = 101, gb = 22;
    const QPoint white[] = {{5, -4}, {9, -4}, {13, -4}, {13, -8}, {13, -12}, {9, -8}};
    for (const QPoint d : white) {
        SCOPED_TRACE(d.x() * 100 - d.y());
        // The white square's lower-right pixel, and the border square's upper-left one.
        EXPECT_EQ(at(img, gl + d.x() + 1, gb + d.y() + 1), clWhite);
        EXPECT_EQ(at(img, gl + d.x() - 1, gb + d.y() - 1), 0x0000FFu);
        EXPECT_EQ(at(img, gl + d.x(), gb + d.y()), 0x0000FFu) << "the border square lies over the white one";
    }
    EXPECT_EQ(at(img, gl + 7, gb - 3), 0x00FF00u) << "between the dots the background";

    // Not sizeable: no grip, and the buttons may run to 2 pixels from the right.
    dd().HideDropDown(false);
    dd().SetDropDownSizeable(false);
    open();
    EXPECT_FALSE(footer()->SizeGripVisible());
    EXPECT_EQ(at(shot(footer()), gl + 6, gb - 3), 0x00FF00u);
}

TEST_F(PopupBars, FramesUnderABorderedAndABorderlessPopup)
{
    auto& look = dd().DropDownHeader();
    look.SetColor(0x00FF00);
    look.SetColorTo(clNone);
    look.SetBorderColor(0x0000FF);
    const TColor light = MixColors(0x0000FF, clWhite, 20);
    ASSERT_EQ(light, 0xCCCCFFu);

    // The popup draws its own border: the header draws its bottom line and the light frame.
    dd().SetDropDownBorderWidth(1);
    dd().SetDropDownBorderColor(0x800000);
    open();
    QImage img = shot(header());
    EXPECT_EQ(at(img, 50, 21), 0x0000FFu) << "bottom line";
    EXPECT_EQ(at(img, 50, 20), light) << "light frame bottom";
    EXPECT_EQ(at(img, 50, 0), light) << "light frame top";
    EXPECT_EQ(at(img, 0, 10), light);
    EXPECT_EQ(at(img, 117, 10), light);
    EXPECT_EQ(at(img, 50, 1), 0x00FF00u);

    // Without a popup border, a 2-pixel frame shows its top and left lines inside the light
    // frame.
    dd().HideDropDown(false);
    dd().SetDropDownBorderColor(clNone);
    look.SetBorderWidth(2);
    open();
    img = shot(header());
    EXPECT_EQ(at(img, 50, 1), 0x0000FFu) << "top line";
    EXPECT_EQ(at(img, 1, 10), 0x0000FFu) << "left line";
    EXPECT_EQ(at(img, 50, 0), light);
    EXPECT_EQ(at(img, 50, 21), 0x0000FFu) << "bottom line";
    EXPECT_EQ(at(img, 50, 19), light) << "the light frame ends a border width above the bottom";
    EXPECT_EQ(at(img, 50, 2), 0x00FF00u);
}

TEST_F(PopupBars, ImageAndCaptionSitInTheContentRectangle)
{
    grid::TCustomImageList images(16, 16);
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    images.Add(red);
    dd().SetImages(&images);
    auto& look = dd().DropDownHeader();
    look.SetHeight(30);
    look.SetColor(clWhite);
    look.SetColorTo(clNone);
    look.SetImageIndex(0);
    look.SetCaption(QStringLiteral("<b>Channel</b>"));
    open();
    const QImage img = shot(header());
    // Content = inset by the 1-pixel border: the image at (1 + 4, 1 + (28 - 16) div 2).
    EXPECT_EQ(at(img, 5, 7), 0x0000FFu);
    EXPECT_EQ(at(img, 20, 22), 0x0000FFu);
    EXPECT_EQ(at(img, 4, 7), clWhite);
    EXPECT_EQ(at(img, 21, 7), clWhite);
    // The caption starts after the image and 4 pixels, in the look's font colour.
    bool text = false;
    for (int x = 25; x < 80 && !text; ++x)
        for (int y = 2; y < 28 && !text; ++y)
            text = at(img, x, y) == dd().DropDownHeader().Font().Color || near(at(img, x, y), 0x723708, 40);
    EXPECT_TRUE(text);
    for (int y = 2; y < 28; ++y)
        EXPECT_EQ(at(img, 23, y), clWhite) << "nothing between image and caption";
}

// ---- the flat button -------------------------------------------------------------------------

TEST_F(PopupBars, TheButtonsLookFollowsItsState)
{
    dd().SetComponentStyle(grid::tsTerminal); // solid fills, easy to read
    dd().DropDownHeader().GetButtons().Add().SetWidth(30);
    dd().DropDownHeader().GetButtons().GetItem(0).SetHeight(17);
    open();
    TQvButton* b = headerButton(0);
    const TQvButtonAppearance& a = dd().ButtonAppearance();
    const QPoint mid(15, 8);
    EXPECT_EQ(at(shot(b), mid.x(), mid.y()), colorToRGB(a.Color()));
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(b, &enter);
    EXPECT_TRUE(b->MouseInControl());
    QImage img = shot(b);
    EXPECT_EQ(at(img, mid.x(), mid.y()), colorToRGB(a.ColorHot()));
    EXPECT_EQ(at(img, 0, 0), colorToRGB(a.BorderColorHot()));
    QWindow* popup = form()->windowHandle();
    QTest::mousePress(popup, Qt::LeftButton, {}, b->mapTo(form(), mid));
    EXPECT_EQ(at(shot(b), mid.x(), mid.y()), colorToRGB(a.ColorDown()));
    // Dragged outside: pressed colours only while over the button; released outside: no click.
    int clicks = 0;
    dd().OnDropDownHeaderButtonClick = [&](QObject*, int) { ++clicks; };
    QTest::mouseMove(popup, b->mapTo(form(), QPoint(-20, 8)));
    EXPECT_NE(at(shot(b), mid.x(), mid.y()), colorToRGB(a.ColorDown()));
    QTest::mouseMove(popup, b->mapTo(form(), mid));
    EXPECT_EQ(at(shot(b), mid.x(), mid.y()), colorToRGB(a.ColorDown())) << "back over the button";
    QTest::mouseMove(popup, b->mapTo(form(), QPoint(-20, 8)));
    QTest::mouseRelease(popup, Qt::LeftButton, {}, b->mapTo(form(), QPoint(-20, 8)));
    EXPECT_EQ(clicks, 0);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(b, &leave);
    b->setEnabled(false);
    EXPECT_EQ(at(shot(b), mid.x(), mid.y()), colorToRGB(a.ColorDisabled()));
}

TEST_F(PopupBars, HeaderButtonClickReportsItsIndexAndKeepsThePopupOpen)
{
    for (int i = 0; i < 2; ++i) {
        dd().DropDownHeader().GetButtons().Add().SetWidth(20);
        dd().DropDownHeader().GetButtons().GetItem(i).SetHeight(17);
    }
    std::vector<int> clicked;
    dd().OnDropDownHeaderButtonClick = [&](QObject* sender, int index) {
        EXPECT_EQ(sender, &dd());
        clicked.push_back(index);
    };
    open();
    QWindow* popup = form()->windowHandle();
    const QPoint p = headerButton(1)->mapTo(form(), QPoint(10, 8));
    QTest::mouseClick(popup, Qt::LeftButton, {}, p);
    EXPECT_EQ(clicked, std::vector<int>{1});
    EXPECT_TRUE(dd().DroppedDown());
}

// Which modal results close the popup and whether they cancel.
TEST_F(PopupBars, FooterButtonsCloseThePopupByTheirModalResult)
{
    struct Case {
        int result;
        bool closes, cancels;
    };
    std::vector<Case> cases;
    for (int r = 0; r <= 15; ++r) {
        const bool keeping = r == 1 || r == 6 || r == 12 || r == 14;
        const bool cancelling = r == 2 || r == 3 || r == 5 || r == 7 || r == 13;
        cases.push_back({r, keeping || cancelling, cancelling});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        SetUp();
        dd().DropDownFooter().GetButtons().Add().SetModalResult(c.result);
        dd().DropDownFooter().GetButtons().GetItem(0).SetWidth(30);
        dd().DropDownFooter().GetButtons().GetItem(0).SetHeight(17);
        int reported = -1, dropUps = 0;
        bool cancelled = false;
        dd().OnDropDownFooterButtonClick = [&](QObject*, int index) { reported = index; };
        dd().OnDropUp = [&](QObject*, bool cancel) { ++dropUps, cancelled = cancel; };
        dd().SetText(QStringLiteral("kept"));
        open();
        dd().SetRawText(QStringLiteral("live"));
        const QPoint p = footerButton(0)->mapTo(form(), QPoint(10, 8));
        QTest::mouseClick(form()->windowHandle(), Qt::LeftButton, {}, p);
        EXPECT_EQ(reported, 0) << "the click is reported whatever the result";
        EXPECT_EQ(!dd().DroppedDown(), c.closes);
        if (c.closes) {
            EXPECT_EQ(dropUps, 1);
            EXPECT_EQ(cancelled, c.cancels);
            EXPECT_EQ(dd().Text(), c.cancels ? QStringLiteral("kept") : QStringLiteral("live"));
        }
        if (dd().DroppedDown())
            dd().HideDropDown(false);
    }
}

TEST_F(PopupBars, EnterOnAFocusedFooterButtonClosesWithoutReportingItsAcceleratorReports)
{
    auto& buttons = dd().DropDownFooter().GetButtons();
    buttons.Add().SetCaption(QStringLiteral("&Cancel"));
    buttons.GetItem(0).SetModalResult(2);
    buttons.Add().SetCaption(QStringLiteral("&OK"));
    buttons.GetItem(1).SetModalResult(1);
    std::vector<int> reported;
    bool cancelled = true;
    dd().OnDropDownFooterButtonClick = [&](QObject*, int index) { reported.push_back(index); };
    dd().OnDropUp = [&](QObject*, bool cancel) { cancelled = cancel; };

    // Enter on the focused OK button: closes keeping, reports nothing.
    open();
    footerButton(1)->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(footerButton(1)->hasFocus());
    QTest::keyClick(form()->windowHandle(), Qt::Key_Return);
    EXPECT_FALSE(dd().DroppedDown());
    EXPECT_FALSE(cancelled);
    EXPECT_TRUE(reported.empty());

    // Alt+O: the accelerator clicks and reports the index.
    open();
    QTest::keyClick(form()->windowHandle(), Qt::Key_O, Qt::AltModifier);
    EXPECT_FALSE(dd().DroppedDown());
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(reported, std::vector<int>{1});

    // Space on the focused Cancel button closes cancelling, again without a report.
    open();
    footerButton(0)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form()->windowHandle(), Qt::Key_Space);
    EXPECT_FALSE(dd().DroppedDown());
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(reported, std::vector<int>{1});
}

// ---- the size grip ---------------------------------------------------------------------------

TEST_F(PopupBars, DraggingTheGripResizesThePopup)
{
    dd().SetDropDownSizeable(true);
    int sizing = 0;
    open();
    form()->OnSizing = [&] { ++sizing; };
    ASSERT_EQ(form()->size(), QSize(120, 106));
    QWindow* popup = form()->windowHandle();
    const QPoint grip = footer()->mapTo(form(), QPoint(footer()->width() - 5, footer()->height() - 5));
    QTest::mousePress(popup, Qt::LeftButton, {}, grip);
    QTest::mouseMove(popup, grip + QPoint(40, 30));
    QTest::mouseRelease(popup, Qt::LeftButton, {}, grip + QPoint(40, 30));
    EXPECT_EQ(form()->size(), QSize(160, 136));
    EXPECT_GE(sizing, 1);
    EXPECT_TRUE(dd().DroppedDown());
    EXPECT_EQ(footer()->geometry(), QRect(1, 113, 158, 22)) << "the footer follows the popup's bottom";
    EXPECT_EQ(dd().panel->height(), 136 - 2 - 44);

    // Outside the grip zone a press moves nothing.
    QTest::mousePress(popup, Qt::LeftButton, {}, footer()->mapTo(form(), QPoint(30, 10)));
    QTest::mouseMove(popup, footer()->mapTo(form(), QPoint(60, 30)));
    QTest::mouseRelease(popup, Qt::LeftButton, {}, footer()->mapTo(form(), QPoint(60, 30)));
    EXPECT_EQ(form()->size(), QSize(160, 136));
}

// ---- screenshots -----------------------------------------------------------------------------

TEST_F(PopupBars, ScreenshotsOfAPopupWithBothBarsInTwoSchemes)
{
    grid::TCustomImageList images(16, 16);
    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(QColor(200, 30, 30));
    images.Add(icon);
    for (const grid::TVLXStyle style : {grid::tsOffice2007Luna, grid::tsWindowsXP}) {
        SCOPED_TRACE(int(style));
        SetUp();
        w->window->resize(300, 220);
        dd().SetComponentStyle(style);
        dd().SetDropDownSizeable(true);
        dd().SetDropDownBorderColor(0x800000);
        dd().SetImages(&images);
        dd().SetDropDownWidth(220);
        auto& h = dd().DropDownHeader();
        h.SetCaption(QStringLiteral("<b>Channel</b> 3"));
        h.SetImageIndex(0);
        h.GetButtons().Add().SetCaption(QStringLiteral("Up"));
        h.GetButtons().Add().SetCaption(QStringLiteral("Down"));
        auto& f = dd().DropDownFooter();
        f.SetCaption(QStringLiteral("Ready"));
        f.GetButtons().Add().SetCaption(QStringLiteral("&OK"));
        f.GetButtons().GetItem(0).SetModalResult(1);
        open();
        QCoreApplication::processEvents();
        QScreen* screen = QGuiApplication::primaryScreen();
        ASSERT_NE(screen, nullptr);
        const QImage img = screen->grabWindow(0, 0, 0, 420, 340).toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(img.isNull());
        const QString name =
            style == grid::tsWindowsXP ? QStringLiteral("PopupBars_xp.png") : QStringLiteral("PopupBars_luna.png");
        ASSERT_TRUE(testsupport::saveScreenshot(img, QStringLiteral("dropdowns/") + name));

        const QPoint ht = header()->mapToGlobal(QPoint(0, 0));
        const QPoint ft = footer()->mapToGlobal(QPoint(0, 0));
        const int hh = header()->height(), fh = footer()->height();
        // The gradients run from Color at the top (under the light frame line) to nearly ColorTo
        // at the bottom (above the bottom line and the light frame), in a column free of text.
        const int x = header()->GetCaptionRect().Right - 1;
        EXPECT_TRUE(near(at(img, ht.x() + x, ht.y() + 1), h.Color(), 6));
        EXPECT_TRUE(near(at(img, ht.x() + x, ht.y() + hh - 3), h.ColorTo(), 6))
            << std::hex << at(img, ht.x() + x, ht.y() + hh - 3);
        EXPECT_EQ(at(img, ht.x() + x, ht.y() + hh - 1), colorToRGB(h.BorderColor()));
        const int fx = footer()->GetCaptionRect().Right - 1;
        EXPECT_EQ(at(img, ft.x() + fx, ft.y()), colorToRGB(f.BorderColor())) << "the footer's top line";
        EXPECT_TRUE(near(at(img, ft.x() + fx, ft.y() + 2), f.Color(), 6));
        EXPECT_TRUE(near(at(img, ft.x() + fx, ft.y() + fh - 2), f.ColorTo(), 6));
        // The header image, the popup border and one grip dot.
        EXPECT_EQ(at(img, ht.x() + 6, ht.y() + 4), platform::rgb(200, 30, 30));
        const QRect popup = form()->geometry();
        EXPECT_EQ(at(img, popup.left(), popup.top() + 40), 0x800000u);
        const int gl = footer()->width() - 1 - 16;
        EXPECT_EQ(at(img, ft.x() + gl + 6, ft.y() + fh - 3), clWhite);
        EXPECT_EQ(at(img, ft.x() + gl + 4, ft.y() + fh - 5), colorToRGB(f.BorderColor()));
        dd().HideDropDown(false);
    }
}

TEST_F(PopupBars, ABarFollowsItsLooksHeightAtTheNextOpening)
{
    open();
    ASSERT_EQ(header()->height(), 22);
    dd().HideDropDown(false);
    dd().DropDownHeader().SetHeight(30);
    open();
    EXPECT_EQ(header()->height(), 30);
    EXPECT_EQ(dd().panel->y(), 1 + 30) << "the control starts below the taller header";
}
