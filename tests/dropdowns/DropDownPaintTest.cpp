// Pixels of the drop button in each of its looks and states, of a focused pure picker's value,
// of the popup's background and border, and a screenshot of an open popup under its edit. The
// themed looks draw through a scripted visual-styles library that fills each part in one marker
// colour and records what was asked.

#include "dropdowns/QvDropDown.h"
#include "grid/look/QvDropXPVS.h"
#include "grid/support/FakeVisualStyles.h"
#include "support/Screenshots.h"
#include "support/TestDropDown.h"

#include <QDir>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>

#include <gtest/gtest.h>

using namespace dropdowns;
using testsupport::DropDownWindow;
using testsupport::FakeDesktop;
using testsupport::FakeVisualStyles;
using testsupport::TestDropDown;

namespace {

constexpr QRgb kBack = 0xFF010203;

TColor at(const QImage& img, int x, int y)
{
    return platform::fromQColor(QColor(img.pixel(x, y)));
}

TColor sys(TColor c)
{
    return platform::colorToRGB(c);
}

QImage shot(QWidget* w)
{
    QImage img(w->size(), QImage::Format_RGB32);
    img.fill(kBack);
    w->render(&img);
    return img;
}

void hover(QWidget* w, bool inside)
{
    if (inside) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(w, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(w, &leave);
    }
}

// The visual styles bound to a scripted library, themes on or off, for one test.
class DropDownLooks : public ::testing::Test {
protected:
    void TearDown() override
    {
        grid::ReleaseThemeApi();
        grid::BindThemeApi();
    }
    void bind(FakeVisualStyles& styles)
    {
        grid::ReleaseThemeApi();
        ASSERT_TRUE(grid::BindThemeApi(styles));
    }
    TQvDropDownSpeedButton* speedButton(TestDropDown& dd) { return dd.Button()->SpeedButton(); }

    FakeDesktop desktop;
    QWidget parent;
};

const TColor kMarker = platform::fromQColor(QColor(FakeVisualStyles::marker));

} // namespace

// ---- drop-down look: visual styles -----------------------------------------------------------

TEST_F(DropDownLooks, ThemedButtonDrawsTheComboButtonOnePixelInFromTheLeft)
{
    FakeVisualStyles styles(true);
    bind(styles);
    TestDropDown dd(&parent, &desktop);
    TQvDropDownSpeedButton* sb = speedButton(dd);
    const QImage img = shot(sb);
    ASSERT_EQ(styles.draws.size(), 1u);
    EXPECT_EQ(styles.draws[0].themeClass, QStringLiteral("combobox"));
    EXPECT_EQ(styles.draws[0].part, 1);
    EXPECT_EQ(styles.draws[0].state, 1);
    EXPECT_EQ(styles.draws[0].rect, QRect(1, 0, sb->width() - 1, sb->height()));
    EXPECT_NE(at(img, 0, 5), kMarker);
    EXPECT_EQ(at(img, 1, 5), kMarker);
    EXPECT_EQ(styles.closed, styles.opened) << "every theme opened is closed again";
}

TEST_F(DropDownLooks, ThemeStatesHotPressedAndReadOnlyDisabled)
{
    FakeVisualStyles styles(true);
    bind(styles);
    TestDropDown dd(&parent, &desktop);
    TQvDropDownSpeedButton* sb = speedButton(dd);
    hover(sb, true);
    shot(sb);
    QTest::mousePress(sb, Qt::LeftButton, {}, QPoint(4, 4));
    shot(sb);
    QTest::mouseRelease(sb, Qt::LeftButton, {}, QPoint(4, 4));
    hover(sb, false);
    dd.SetReadOnly(true);
    shot(sb);
    ASSERT_EQ(styles.draws.size(), 3u);
    EXPECT_EQ(styles.draws[0].state, 2);
    EXPECT_EQ(styles.draws[1].state, 3);
    EXPECT_EQ(styles.draws[2].state, 4);
    EXPECT_FALSE(sb->isEnabled());
    dd.SetReadOnly(false);
    shot(sb);
    EXPECT_EQ(styles.draws.back().state, 1);
}

// ---- drop-down look: classic -----------------------------------------------------------------

TEST_F(DropDownLooks, ClassicButtonLinesAndArrow)
{
    FakeVisualStyles styles(false);
    bind(styles);
    TestDropDown dd(&parent, &desktop);
    TQvDropDownSpeedButton* sb = speedButton(dd);
    sb->resize(16, 17);
    const QImage img = shot(sb);
    EXPECT_TRUE(styles.draws.empty());
    const int w = 16, h = 17;
    // A face-coloured line along the top and left, a white one inside it.
    EXPECT_EQ(at(img, 0, 0), sys(platform::clBtnFace));
    EXPECT_EQ(at(img, w - 2, 0), sys(platform::clBtnFace));
    EXPECT_EQ(at(img, 0, h - 2), sys(platform::clBtnFace));
    EXPECT_EQ(at(img, 1, 1), platform::clWhite);
    EXPECT_EQ(at(img, w - 3, 1), platform::clWhite);
    EXPECT_EQ(at(img, 1, h - 3), platform::clWhite);
    // The raised face's dark outer edge keeps the far corners.
    EXPECT_EQ(at(img, w - 1, 0), sys(platform::cl3DDkShadow));
    EXPECT_EQ(at(img, 0, h - 1), sys(platform::cl3DDkShadow));
    // The arrow: (5, 7), (11, 7), (8, 10) and what lies between, nothing outside.
    for (const QPoint p : {QPoint(5, 7), QPoint(11, 7), QPoint(8, 10), QPoint(8, 8), QPoint(6, 8), QPoint(10, 8)})
        EXPECT_EQ(at(img, p.x(), p.y()), platform::clBlack) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(4, 7), QPoint(12, 7), QPoint(8, 11), QPoint(7, 10), QPoint(9, 10), QPoint(8, 6)})
        EXPECT_EQ(at(img, p.x(), p.y()), sys(platform::clBtnFace)) << p.x() << "," << p.y();
}

TEST_F(DropDownLooks, ClassicArrowStaysAtItsPlaceOnAWideButton)
{
    grid::ReleaseThemeApi();
    TestDropDown dd(&parent, &desktop);
    parent.show();
    dd.show();
    dd.resize(200, 40);
    dd.SetDropDownButtonWidth(30);
    TQvDropDownSpeedButton* sb = speedButton(dd);
    ASSERT_EQ(sb->size(), QSize(30, 36));
    const QImage img = shot(sb);
    EXPECT_EQ(at(img, 5, 7), platform::clBlack);
    EXPECT_EQ(at(img, 8, 10), platform::clBlack);
    EXPECT_EQ(at(img, 15, 18), sys(platform::clBtnFace));
}

// ---- drop-down look: own colours and glyph ---------------------------------------------------

TEST_F(DropDownLooks, OwnColoursByStateWithTheEditsBorderColourOnTheLeft)
{
    FakeVisualStyles styles(true);
    bind(styles);
    TestDropDown dd(&parent, &desktop);
    dd.SetBorderColor(0xFF0000);
    TDropDownEditButton* host = dd.Button();
    host->ButtonColor = 0x00FF00;
    host->ButtonColorHot = 0x00FFFF;
    host->ButtonColorDown = 0x808000;
    host->ButtonTextColor = 0x0000FF;
    host->ButtonTextColorHot = 0xFF00FF;
    host->ButtonTextColorDown = 0x000080;
    TQvDropDownSpeedButton* sb = speedButton(dd);

    QImage img = shot(sb);
    EXPECT_TRUE(styles.draws.empty()) << "own colours win over the visual styles";
    EXPECT_EQ(at(img, 0, 3), 0xFF0000u);
    EXPECT_EQ(at(img, 0, sb->height() - 1), 0xFF0000u);
    EXPECT_EQ(at(img, 2, 2), 0x00FF00u);
    EXPECT_EQ(at(img, 5, 7), 0x0000FFu);
    EXPECT_EQ(at(img, 8, 10), 0x0000FFu);

    hover(sb, true);
    img = shot(sb);
    EXPECT_EQ(at(img, 2, 2), 0x00FFFFu);
    EXPECT_EQ(at(img, 11, 7), 0xFF00FFu);

    QTest::mousePress(sb, Qt::LeftButton, {}, QPoint(4, 4));
    img = shot(sb);
    EXPECT_EQ(at(img, 2, 2), 0x808000u);
    EXPECT_EQ(at(img, 8, 9), 0x000080u);
    QTest::mouseRelease(sb, Qt::LeftButton, {}, QPoint(40, 40));
}

TEST_F(DropDownLooks, GlyphReplacesTheArrowWithItsCornerColourTransparent)
{
    FakeVisualStyles styles(true);
    bind(styles);
    TestDropDown dd(&parent, &desktop);
    QImage glyph(8, 8, QImage::Format_RGB32);
    glyph.fill(QColor(255, 0, 255));
    glyph.setPixel(3, 3, qRgb(255, 0, 0));
    dd.SetDropDownButtonGlyph(glyph);
    TQvDropDownSpeedButton* sb = speedButton(dd);
    const QImage img = shot(sb);
    EXPECT_TRUE(styles.draws.empty());
    EXPECT_EQ(at(img, 3, 3), platform::clRed);
    EXPECT_EQ(at(img, 0, 7), platform::clGray) << "the glyph's key colour shows the frame";
    EXPECT_EQ(at(img, 4, 4), sys(platform::clBtnFace));
    EXPECT_EQ(at(img, sb->width() - 1, sb->height() - 1), platform::clGray);
    EXPECT_EQ(at(img, 5, 9), sys(platform::clBtnFace)) << "no arrow";
}

// ---- push-button look ------------------------------------------------------------------------

TEST_F(DropDownLooks, PushButtonLookThemedAndClassic)
{
    FakeVisualStyles styles(true);
    bind(styles);
    TQvDropDownSpeedButton sb;
    sb.resize(40, 20);
    sb.SetCaption(QStringLiteral("OK"));
    QImage img = shot(&sb);
    ASSERT_EQ(styles.draws.size(), 1u);
    EXPECT_EQ(styles.draws[0].themeClass, QStringLiteral("button"));
    EXPECT_EQ(styles.draws[0].part, 1);
    EXPECT_EQ(styles.draws[0].rect, QRect(0, 0, 41, 21));
    EXPECT_EQ(at(img, 39, 19), kMarker);

    grid::ReleaseThemeApi();
    img = shot(&sb);
    EXPECT_EQ(at(img, 0, 0), sys(platform::clBtnHighlight));
    EXPECT_EQ(at(img, 39, 19), sys(platform::cl3DDkShadow));
    EXPECT_EQ(at(img, 2, 10), sys(platform::clBtnFace));

    sb.SetFlat(true);
    img = shot(&sb);
    EXPECT_EQ(at(img, 0, 0), sys(platform::cl3DLight)) << "raised edge, its right and bottom past the button";
    EXPECT_EQ(at(img, 1, 1), sys(platform::clBtnHighlight));
}

// ---- the edit --------------------------------------------------------------------------------

TEST_F(DropDownLooks, FocusedPurePickerShowsItsValueHighlighted)
{
    grid::ReleaseThemeApi();
    DropDownWindow w(desktop);
    w.dd->SetText(QStringLiteral("Auto"));
    w.dd->SetEditorEnabled(false);
    ASSERT_TRUE(w.dd->hasFocus());
    const int width = w.dd->width(), height = w.dd->height();
    QImage img = shot(w.dd);
    // A black frame from (2, 2) to left of the 17-pixel button width, filled with the highlight.
    EXPECT_EQ(at(img, 2, 2), platform::clBlack);
    EXPECT_EQ(at(img, width - 17 - 2, height - 3), platform::clBlack);
    EXPECT_EQ(at(img, width - 17 - 3, height / 2 + 4), sys(platform::clHighlight));
    EXPECT_NE(at(img, width - 17 - 1, 2), platform::clBlack);

    w.dd->SetFocusDraw(false);
    img = shot(w.dd);
    EXPECT_EQ(at(img, 2, 2), sys(platform::clWindow));
}

TEST_F(DropDownLooks, BorderColoursAndTheFlatLook)
{
    grid::ReleaseThemeApi();
    DropDownWindow w(desktop);
    // The client edge of a 3-D border.
    QImage img = shot(w.dd);
    EXPECT_EQ(at(img, 0, 0), sys(platform::clBtnShadow));
    EXPECT_EQ(at(img, 1, 1), sys(platform::cl3DDkShadow));
    EXPECT_EQ(at(img, w.dd->width() - 1, 5), sys(platform::clBtnHighlight));

    w.dd->SetBorderColor(0x00FF00);
    img = shot(w.dd);
    EXPECT_EQ(at(img, 0, 0), 0x00FF00u);
    EXPECT_EQ(at(img, w.dd->width() - 1, w.dd->height() - 1), 0x00FF00u);
    // The focus colour takes over while focused.
    w.dd->SetFocusBorderColor(0x0000FF);
    img = shot(w.dd);
    EXPECT_EQ(at(img, 0, 0), 0x0000FFu);

    // Disabled under visual styles: silver.
    w.dd->SetBorderColor(clNone);
    w.dd->SetFocusBorderColor(clNone);
    w.dd->setEnabled(false);
    img = shot(w.dd);
    EXPECT_EQ(at(img, 0, 0), platform::clSilver);
    w.dd->setEnabled(true);

    // Flat and hot (focused): a sunken outer line, then the face colour.
    w.dd->setFocus();
    w.dd->SetFlat(true);
    img = shot(w.dd);
    EXPECT_EQ(at(img, 0, 0), sys(platform::clBtnShadow));
    EXPECT_EQ(at(img, w.dd->width() - 1, 3), sys(platform::clBtnHighlight));
    EXPECT_EQ(at(img, 1, 1), sys(platform::clBtnFace));
    // Not hot: two rings in the parent's colour.
    w.other->setFocusPolicy(Qt::StrongFocus);
    w.other->setFocus();
    hover(w.dd, false);
    img = shot(w.dd);
    const TColor parentColor = platform::fromQColor(w.window->palette().color(QPalette::Window));
    EXPECT_EQ(at(img, 0, 0), parentColor);
    EXPECT_EQ(at(img, 1, 1), parentColor);
}

// ---- the popup -------------------------------------------------------------------------------

TEST_F(DropDownLooks, PopupGradientAndBorder)
{
    TestDropDown dd(&parent, &desktop);
    TDropDownForm* form = dd.DropDownForm();
    dd.SetDropDownColor(0x0000FF);
    dd.SetDropDownColorTo(0xFF0000);
    dd.SetDropDownBorderColor(0x00FF00);
    dd.SetDropDownGradient(grid::gdHorizontal);
    form->resize(100, 50);
    QImage img(100, 50, QImage::Format_RGB32);
    img.fill(kBack);
    {
        QPainter p(&img);
        form->PaintBackground(p);
    }
    EXPECT_EQ(at(img, 0, 0), 0x00FF00u);
    EXPECT_EQ(at(img, 99, 49), 0x00FF00u);
    EXPECT_EQ(at(img, 50, 0), 0x00FF00u);
    // 80 bands from red to blue inside the border, the last one step short of blue.
    EXPECT_EQ(at(img, 1, 25), 0x0000FFu);
    EXPECT_EQ(at(img, 97, 25), platform::rgb(3, 0, 252));
    EXPECT_EQ(at(img, 1, 1), at(img, 1, 48)) << "horizontal: columns are one colour";

    dd.SetDropDownGradient(grid::gdVertical);
    dd.SetDropDownBorderWidth(3);
    img.fill(kBack);
    {
        QPainter p(&img);
        form->PaintBackground(p);
    }
    EXPECT_EQ(at(img, 2, 2), 0x00FF00u);
    EXPECT_EQ(at(img, 97, 47), 0x00FF00u);
    EXPECT_EQ(at(img, 50, 3), 0x0000FFu);
    EXPECT_EQ(at(img, 3, 20), at(img, 96, 20)) << "vertical: rows are one colour";

    // One colour without an end colour; no border without a border colour.
    dd.SetDropDownColorTo(clNone);
    dd.SetDropDownBorderColor(clNone);
    img.fill(kBack);
    {
        QPainter p(&img);
        form->PaintBackground(p);
    }
    EXPECT_EQ(img.pixel(0, 0), kBack);
    EXPECT_EQ(at(img, 3, 3), 0x0000FFu);
    EXPECT_EQ(at(img, 96, 46), 0x0000FFu);
}

TEST_F(DropDownLooks, ScreenshotOfAnOpenPopupUnderItsEdit)
{
    grid::ReleaseThemeApi();
    grid::BindThemeApi();
    DropDownWindow w(desktop, {40, 40});
    w.window->resize(260, 140);
    w.dd->SetText(QStringLiteral("Channel 3"));
    w.dd->SetDropDownColor(0xF3E5DA);
    w.dd->SetDropDownColorTo(0xF0DED0);
    w.dd->SetDropDownBorderColor(0x800000);
    w.dd->ShowDropDown();
    ASSERT_TRUE(w.dd->DroppedDown());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.dd->DropDownForm()));
    QCoreApplication::processEvents();
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QImage img = screen->grabWindow(0, 0, 0, 320, 220).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(img.isNull());
    ASSERT_TRUE(testsupport::saveScreenshot(img, QStringLiteral("dropdowns/DropDown_open.png")));

    // The popup's border starts on the edit's bottom line, at the edit's left edge.
    const QPoint editTop = w.dd->mapToGlobal(QPoint(0, 0));
    const QRect popup = w.dd->DropDownForm()->geometry();
    EXPECT_EQ(popup.topLeft(), QPoint(editTop.x(), editTop.y() + w.dd->height() - 1));
    EXPECT_EQ(at(img, popup.left(), popup.top()), 0x800000u);
    EXPECT_EQ(at(img, popup.right(), popup.bottom()), 0x800000u);
    EXPECT_EQ(at(img, popup.left() + 1, popup.top() + 1), 0xF3E5DAu);
    // Above the popup the edit shows (its left client edge), beside the edit its window.
    EXPECT_EQ(at(img, editTop.x(), editTop.y()), sys(platform::clBtnShadow));
}
