// The colour picker driven as a user drives it: the default colours, the value and its text in
// every form, choices from the list, the palette, the cube and the spectrum, cancelling, the key
// tables with the type-ahead, the wheel, the style switch, and screenshots of the edit and of
// each popup with pixel checks.

#include "dropdowns/QvColorPicker.h"
#include "support/FakeDesktop.h"
#include "support/PickerWindow.h"
#include "support/Screenshots.h"

#include <QDir>
#include <QImage>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace dropdowns;
using testsupport::FakeDesktop;

namespace {

class Picker : public TQvColorPickerDropDown {
public:
    using TQvColorPickerDropDown::KeyTimer;
    using TQvColorPickerDropDown::KeyTimerTick;
    using TQvColorPickerDropDown::TQvColorPickerDropDown;
};

TColor at(const QImage& img, int x, int y)
{
    return platform::fromQColor(QColor(img.pixel(x, y)));
}

QImage grabbed(QWidget* w)
{
    QCoreApplication::processEvents();
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class ColorPicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        dd = w.picker;
        dd->AddDefaultColors();
        dd->OnSelect = [this](QObject*) { ++selects; };
        dd->setFocus();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(dd, k, m); }
    void open()
    {
        dd->ShowDropDown();
        ASSERT_TRUE(dd->DroppedDown());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dd->DropDownForm()));
    }
    QPoint cubeCentre(int cell) const
    {
        return {dd->ColorCubePanel()->Cell(cell).X, dd->ColorCubePanel()->Cell(cell).Y};
    }

    FakeDesktop desktop;
    testsupport::PickerWindow<Picker> w{desktop};
    Picker* dd = nullptr;
    int selects = 0;
};

} // namespace

// ---- settings and value ----------------------------------------------------------------------

TEST_F(ColorPicker, ANewPickerHasItsDefaults)
{
    Picker fresh(nullptr, &desktop);
    EXPECT_EQ(fresh.DropDownHeight(), 200);
    EXPECT_EQ(fresh.ColorBoxWidth(), 14);
    EXPECT_EQ(fresh.ColorBoxHeight(), 14);
    EXPECT_FALSE(fresh.EditorEnabled());
    EXPECT_TRUE(fresh.DropDownEnabled());
    EXPECT_EQ(fresh.ColorSelectionStyle(), csList);
    EXPECT_EQ(fresh.ColorValueText(), cvtNone);
    EXPECT_EQ(fresh.ItemIndex(), -1);
    EXPECT_EQ(fresh.SelectedColor(), platform::clNone);
    EXPECT_EQ(fresh.Columns(), 1);
    EXPECT_EQ(fresh.Layout(), ilCaptionRight);
    EXPECT_TRUE(fresh.ShowText());
    EXPECT_FALSE(fresh.DropDownHeader().Visible());
    EXPECT_FALSE(fresh.DropDownFooter().Visible());
    EXPECT_EQ(fresh.Colors().Count(), 0);
    EXPECT_EQ(fresh.KeyTimer()->interval(), 500);
    ASSERT_NE(fresh.ItemSelector(), nullptr);
    EXPECT_EQ(fresh.ItemSelector()->SelectorType(), stColor);
    EXPECT_EQ(fresh.ColorCubePanel(), nullptr);
    EXPECT_EQ(fresh.SpectrumPanel(), nullptr);
    EXPECT_EQ(fresh.ColorSelector(), nullptr);
}

TEST_F(ColorPicker, TheSixteenDefaultColoursComeWithTheirCaptionsAfterExistingOnes)
{
    struct Entry {
        const char* caption;
        TColor color;
    };
    // clang-format off
    const Entry expected[] = {
        {"Black", 0x000000}, {"Maroon", 0x000080}, {"Green", 0x008000}, {"Olive", 0x008080},
        {"Navy", 0x800000}, {"Purple", 0x800080}, {"Teal", 0x808000}, {"Gray", 0x808080},
        {"Silver", 0xC0C0C0}, {"Red", 0x0000FF}, {"Lime", 0x00FF00}, {"Yellow", 0x00FFFF},
        {"Blue", 0xFF0000}, {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00}, {"White", 0xFFFFFF},
    };
    // clang-format on
    ASSERT_EQ(dd->Colors().Count(), 16);
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(dd->Colors().Items(i).Caption(), QString::fromLatin1(expected[i].caption));
        EXPECT_EQ(dd->Colors().Items(i).Color(), expected[i].color);
    }
    dd->AddDefaultColors();
    EXPECT_EQ(dd->Colors().Count(), 32);
    EXPECT_EQ(dd->Colors().Items(16).Caption(), QStringLiteral("Black"));
}

TEST_F(ColorPicker, ItemIndexPastTheColoursIsIgnoredAndMinusOneKeepsTheColour)
{
    dd->SetItemIndex(9);
    EXPECT_EQ(dd->SelectedColor(), 0x0000FFu);
    EXPECT_EQ(dd->SelectedColorText(), QStringLiteral("Red"));
    EXPECT_EQ(selects, 1);
    dd->SetItemIndex(16);
    EXPECT_EQ(dd->ItemIndex(), 9);
    EXPECT_EQ(selects, 1);
    // An unchanged index is reported again.
    dd->SetItemIndex(9);
    EXPECT_EQ(selects, 2);
    dd->SetColorValueText(cvtHTML);
    dd->SetItemIndex(-1);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->SelectedColor(), 0x0000FFu);
    EXPECT_EQ(dd->SelectedColorText(), QStringLiteral("#FF0000"));
    EXPECT_EQ(selects, 3);
}

TEST_F(ColorPicker, SelectedColorSelectsTheFirstItemOfThatColour)
{
    dd->SetSelectedColor(0x00FF00);
    EXPECT_EQ(dd->ItemIndex(), 10);
    EXPECT_EQ(selects, 1);
    dd->SetSelectedColor(0x00FF00);
    EXPECT_EQ(selects, 1);
}

// The colour the cell editor stores as the cell's text must be this colour's, not the caption of
// the item chosen before.
TEST_F(ColorPicker, AColourNoItemHasClearsTheIndexWithoutAnotherSelect)
{
    dd->SetColorValueText(cvtHTML);
    dd->SetItemIndex(9);
    selects = 0;
    dd->SetSelectedColor(0x0000FE);
    EXPECT_EQ(dd->SelectedColor(), 0x0000FEu);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(selects, 0);
    EXPECT_EQ(dd->SelectedColorText(), QStringLiteral("#FE0000"));
}

TEST_F(ColorPicker, TheColourTextInEachForm)
{
    struct Case {
        TColorValueText form;
        TColor color;
        const char* text;
    };
    // clang-format off
    const Case cases[] = {
        {cvtHTML,    0xFFFFFF, "#FFFFFF"},
        {cvtWebName, 0xFFFFFF, "clWebWhite"},
        {cvtRGB,     0xFFFFFF, "Red:255,Green:255,Blue:255"},
        {cvtHex,     0x00FFFF, "00FFFF"},
        {cvtHex,     0x0000FF, "0000FF"},
        {cvtNone,    0xFFFFFF, ""},
        {cvtWebName, 0xFFFF00, "clWebCyan"},
        {cvtWebName, 0xFF00FF, "clWebMagenta"},
        {cvtWebName, 0x0000FF, "clWebRed"},
        {cvtWebName, 0x000080, "clWebMaroon"},
        {cvtWebName, 0x123456, "#563412"},
        {cvtRGB,     0x123456, "Red:86,Green:52,Blue:18"},
        // System colours are resolved for the text forms, kept as stored for hex.
        {cvtHTML,    platform::clWindow, "#FFFFFF"},
        {cvtHex,     platform::clWindow, "FF000005"},
    };
    // clang-format on
    dd->SetColorSelectionStyle(csColorCube);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        dd->SetColorValueText(c.form);
        dd->SetSelectedColor(c.color);
        dd->SetItemIndex(-1);
        EXPECT_EQ(dd->SelectedColorText(), QString::fromLatin1(c.text));
    }
    // Outside the list style an item's caption is not shown.
    dd->SetColorValueText(cvtHTML);
    dd->SetItemIndex(15);
    EXPECT_EQ(dd->SelectedColorText(), QStringLiteral("#FFFFFF"));
}

TEST(WebColors, TheTableHoldsTheNamesInOrderAndQtResolvesEachAsSpelled)
{
    ASSERT_EQ(WebColorCount(), 138);
    EXPECT_EQ(WebColorName(0), QStringLiteral("Snow"));
    EXPECT_EQ(WebColorName(5), QStringLiteral("CornSilk"));
    EXPECT_EQ(WebColorName(72), QStringLiteral("Darkgreen"));
    EXPECT_EQ(WebColorName(137), QStringLiteral("Black"));
    for (int i = 0; i < WebColorCount(); ++i) {
        SCOPED_TRACE(WebColorName(i).toStdString());
        EXPECT_TRUE(QColor::fromString(WebColorName(i)).isValid());
    }
    EXPECT_EQ(WebColorValue(0), platform::rgb(255, 250, 250));
    EXPECT_EQ(WebColorValue(137), 0x000000u);
    // Gray and Grey share a value; the table's name is taken.
    EXPECT_EQ(WebColorNameOf(0x808080), QStringLiteral("Gray"));
    EXPECT_EQ(WebColorNameOf(0x123456), QString());
}

// ---- choices in the popups -------------------------------------------------------------------

TEST_F(ColorPicker, AListClickChoosesTheItemAndCloses)
{
    open();
    TCustomItemSelector* panel = dd->ItemSelector()->Panel();
    QTest::mouseClick(panel, Qt::LeftButton, {}, panel->GetItemRect(2).toQRect().center());
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->SelectedColor(), 0x008000u);
    EXPECT_EQ(selects, 1);
}

TEST_F(ColorPicker, ACubeChoiceOfAListColourFiresOnSelectTwiceAnotherOnce)
{
    dd->SetColorSelectionStyle(csColorCube);
    dd->SetColorValueText(cvtHTML);
    struct Case {
        int cell;
        TColor color;
        int selects;
    };
    // Cell 64 is white (item 15), cell 1 is 0x663300 (no item).
    for (const Case& c : {Case{64, 0xFFFFFF, 2}, Case{1, 0x663300, 1}}) {
        SCOPED_TRACE(c.cell);
        selects = 0;
        open();
        ASSERT_TRUE(dd->ColorCubePanel()->isVisible());
        QTest::mouseClick(dd->ColorCubePanel(), Qt::LeftButton, {}, cubeCentre(c.cell));
        EXPECT_FALSE(dd->DroppedDown());
        EXPECT_EQ(dd->SelectedColor(), c.color);
        EXPECT_EQ(dd->ItemIndex(), -1);
        EXPECT_EQ(selects, c.selects);
    }
    EXPECT_EQ(dd->SelectedColorText(), QStringLiteral("#003366"));
}

TEST_F(ColorPicker, TheCubeOpensOnTheSelectedColourWithoutAHotCell)
{
    dd->SetColorSelectionStyle(csColorCube);
    dd->SetSelectedColor(0xFFFFFF);
    open();
    TQvColorCubePanel* cube = dd->ColorCubePanel();
    EXPECT_EQ(cube->SelectedIndex(), 64);
    EXPECT_EQ(cube->HotIndex(), -1);
    EXPECT_FALSE(dd->DropDownForm()->Sizeable());
    EXPECT_EQ(dd->DropDownForm()->size(), QSize(184, 162));
}

TEST_F(ColorPicker, ASpectrumPressChoosesThePixelUnderItAndCloses)
{
    dd->SetColorSelectionStyle(csSpectrum);
    open();
    TQvColorSpectrumPanel* panel = dd->SpectrumPanel();
    EXPECT_EQ(dd->DropDownForm()->size(), QSize(152, 176));
    const QPoint p(100, 64);
    QTest::mouseClick(panel->SpectrumImage(), Qt::LeftButton, {}, p);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->SelectedColor(), platform::fromQColor(TQvColorSpectrumPanel::SpectrumBitmap().pixelColor(p)));
    EXPECT_EQ(selects, 1);
}

TEST_F(ColorPicker, APaletteClickChoosesTheBoxAndEscapeRestoresTheColour)
{
    dd->SetColorSelectionStyle(csDiscrete);
    dd->SetSelectedColor(0x123456);
    open();
    TCustomColorSelector* palette = dd->ColorSelector();
    ASSERT_TRUE(palette->isVisible());
    EXPECT_EQ(dd->DropDownForm()->size(), QSize(167, 86));
    EXPECT_EQ(palette->ItemIndex(), -1);
    // Keys move the palette's selection and the picker's colour, keeping the popup open.
    key(Qt::Key_Down);
    EXPECT_TRUE(dd->DroppedDown());
    EXPECT_EQ(dd->SelectedColor(), 0xFFFFFFu);
    key(Qt::Key_Down);
    EXPECT_EQ(palette->ItemIndex(), 10);
    // A colour the palette does not hold comes back too.
    key(Qt::Key_Escape);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->SelectedColor(), 0x123456u);
    open();
    QTest::mouseClick(palette, Qt::LeftButton, {}, palette->GetItemRect(11).toQRect().center());
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->SelectedColor(), 0x7F7F7Fu);
    EXPECT_EQ(dd->ItemIndex(), -1);
}

TEST_F(ColorPicker, EnterOnTheHotPaletteBoxChoosesIt)
{
    dd->SetColorSelectionStyle(csDiscrete);
    open();
    QTest::mouseMove(dd->ColorSelector(), dd->ColorSelector()->GetItemRect(3).toQRect().center());
    ASSERT_EQ(dd->ColorSelector()->ItemHot(), 3);
    selects = 0;
    key(Qt::Key_Return);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->SelectedColor(), 0x7D491Fu);
    // The box's choice reports once (ItemIndex := -1); the key itself adds none.
    EXPECT_EQ(selects, 1);
}

TEST_F(ColorPicker, EscapeOnAnOpenListRestoresIndexAndColour)
{
    struct Case {
        int index;
        TColor color;
    };
    for (const Case& c : {Case{3, 0x008080}, Case{-1, 0x123456}}) {
        SCOPED_TRACE(c.index);
        if (c.index >= 0)
            dd->SetItemIndex(c.index);
        else
            dd->SetSelectedColor(c.color);
        open();
        key(Qt::Key_Down);
        key(Qt::Key_Down);
        EXPECT_TRUE(dd->DroppedDown());
        EXPECT_NE(dd->ItemIndex(), c.index);
        key(Qt::Key_Escape);
        EXPECT_FALSE(dd->DroppedDown());
        EXPECT_EQ(dd->ItemIndex(), c.index);
        EXPECT_EQ(dd->SelectedColor(), c.color);
    }
}

// ---- keys ------------------------------------------------------------------------------------

TEST_F(ColorPicker, TheClosedListKeysMoveTheColour)
{
    struct Case {
        const char* name;
        int from;
        Qt::Key key;
        int to;
    };
    // clang-format off
    const Case cases[] = {
        {"Down from none", -1, Qt::Key_Down, 0},
        {"Up from none",   -1, Qt::Key_Up,   0},
        {"Down",            4, Qt::Key_Down, 5},
        {"Up",              4, Qt::Key_Up,   3},
        {"Up at first",     0, Qt::Key_Up,   0},
        {"Down at last",   15, Qt::Key_Down, 15},
        {"End",             4, Qt::Key_End,  15},
        {"Home",            4, Qt::Key_Home, 0},
        {"Left",            4, Qt::Key_Left, 4},
        {"Right",           4, Qt::Key_Right, 4},
        {"Page Down",      12, Qt::Key_PageDown, 15},
        {"Page Up",         2, Qt::Key_PageUp, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dd->SetItemIndex(c.from);
        key(c.key);
        EXPECT_FALSE(dd->DroppedDown());
        EXPECT_EQ(dd->ItemIndex(), c.to);
    }
}

TEST_F(ColorPicker, EnterFiresOnSelectAndAltDownOpens)
{
    dd->SetItemIndex(1);
    selects = 0;
    key(Qt::Key_Return);
    EXPECT_EQ(selects, 1);
    key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 1);
}

TEST_F(ColorPicker, EnterOnTheHotListItemChoosesItOnce)
{
    dd->SetItemIndex(1);
    open();
    QWheelEvent down(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(dd->DropDownForm(), &down);
    QCoreApplication::sendEvent(dd->DropDownForm(), &down);
    ASSERT_EQ(dd->ItemSelector()->ItemHot(), 1);
    EXPECT_EQ(dd->ItemIndex(), 1);
    selects = 0;
    key(Qt::Key_Return);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(selects, 1);
}

TEST_F(ColorPicker, OpenListKeysMoveTheListWithoutClosingIt)
{
    dd->SetItemIndex(12);
    open();
    TQvCustomItemSelector* list = dd->ItemSelector();
    const int visible = list->GetVisibleItemCount();
    ASSERT_GE(visible, 4);
    key(Qt::Key_PageDown);
    EXPECT_EQ(dd->ItemIndex(), 15);
    key(Qt::Key_PageUp);
    EXPECT_EQ(dd->ItemIndex(), std::max(15 - visible, 0));
    key(Qt::Key_Home);
    EXPECT_EQ(dd->ItemIndex(), 0);
    key(Qt::Key_Right);
    EXPECT_EQ(dd->ItemIndex(), 1);
    key(Qt::Key_Left);
    EXPECT_EQ(dd->ItemIndex(), 0);
    key(Qt::Key_Up);
    EXPECT_EQ(dd->ItemIndex(), 0);
    key(Qt::Key_End);
    EXPECT_EQ(dd->ItemIndex(), 15);
    EXPECT_EQ(list->ItemIndex(), 15);
    EXPECT_TRUE(dd->DroppedDown());
    // Return closes keeping the choice and reports it.
    selects = 0;
    key(Qt::Key_Return);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 15);
    EXPECT_EQ(selects, 1);
}

TEST_F(ColorPicker, TypedLettersSearchTheCaptionsForFiveHundredMilliseconds)
{
    QTest::keyClicks(dd, QStringLiteral("re"));
    EXPECT_EQ(dd->ItemIndex(), 9);
    EXPECT_TRUE(dd->KeyTimer()->isActive());
    dd->KeyTimerTick();
    // "gra" finds Gray; after the timer, "a" alone finds Aqua.
    QTest::keyClicks(dd, QStringLiteral("gra"));
    EXPECT_EQ(dd->ItemIndex(), 7);
    dd->KeyTimerTick();
    EXPECT_FALSE(dd->KeyTimer()->isActive());
    QTest::keyClicks(dd, QStringLiteral("gr"));
    EXPECT_EQ(dd->ItemIndex(), 2);
    dd->KeyTimerTick();
    QTest::keyClicks(dd, QStringLiteral("a"));
    EXPECT_EQ(dd->ItemIndex(), 14);
    // A running timer is not started again by the next letter.
    dd->KeyTimerTick();
    QTest::keyClicks(dd, QStringLiteral("b"));
    const int left = dd->KeyTimer()->remainingTime();
    QTest::qWait(20);
    QTest::keyClicks(dd, QStringLiteral("l"));
    EXPECT_LT(dd->KeyTimer()->remainingTime(), left);
    EXPECT_EQ(dd->ItemIndex(), 0);
}

TEST_F(ColorPicker, TheWheelStepsTheClosedListAndTheHotItemOfTheOpenOne)
{
    dd->SetItemIndex(4);
    QWheelEvent down(QPointF(5, 5), dd->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -120), Qt::NoButton, {},
                     Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(dd, &down);
    EXPECT_EQ(dd->ItemIndex(), 5);
    open();
    // While the popup shows, the wheel reaches it.
    QCoreApplication::sendEvent(dd->DropDownForm(), &down);
    EXPECT_EQ(dd->ItemIndex(), 5);
    EXPECT_EQ(dd->ItemSelector()->ItemHot(), 0);
    dd->SetReadOnly(true);
    dd->HideDropDown(false);
    QCoreApplication::sendEvent(dd, &down);
    EXPECT_EQ(dd->ItemIndex(), 5);
}

TEST_F(ColorPicker, SwitchingStylesMakesOnlyTheNewControlAndShowsIt)
{
    dd->SetColorSelectionStyle(csColorCube);
    ASSERT_NE(dd->ColorCubePanel(), nullptr);
    EXPECT_EQ(dd->Control(), dd->ColorCubePanel());
    EXPECT_EQ(dd->SpectrumPanel(), nullptr);
    dd->SetColorSelectionStyle(csList);
    EXPECT_EQ(dd->Control(), dd->ItemSelector());
    open();
    EXPECT_FALSE(dd->ColorCubePanel()->isVisible());
    EXPECT_TRUE(dd->ItemSelector()->isVisible());
    dd->HideDropDown(false);
    dd->SetColorSelectionStyle(csSpectrum);
    open();
    EXPECT_TRUE(dd->SpectrumPanel()->isVisible());
    EXPECT_FALSE(dd->ItemSelector()->isVisible());
    // The list's size kept from its last closing does not cut the spectrum.
    EXPECT_EQ(dd->DropDownForm()->size(), QSize(152, 176));
}

TEST_F(ColorPicker, ThePopupControlsAreForgottenWithTheirWindow)
{
    dd->SetColorSelectionStyle(csColorCube);
    delete dd->DropDownForm();
    EXPECT_EQ(dd->ColorCubePanel(), nullptr);
    EXPECT_EQ(dd->ItemSelector(), nullptr);
}

// ---- screenshots -----------------------------------------------------------------------------

TEST_F(ColorPicker, ScreenshotOfTheEditShowsTheColourBoxAndTheCaption)
{
    dd->SetItemIndex(9);
    w.other->setFocus();
    const QImage img = grabbed(dd);
    ASSERT_TRUE(testsupport::saveScreenshot(img, QStringLiteral("dropdowns/ColorPicker_edit.png")));
    // Box: left at 1 + 4, top at 1 + (21 - 14) / 2, 14 x 14, black outline around red.
    EXPECT_EQ(at(img, 5, 10), platform::clBlack);
    EXPECT_EQ(at(img, 18, 10), platform::clBlack);
    EXPECT_EQ(at(img, 10, 4), platform::clBlack);
    EXPECT_EQ(at(img, 12, 11), platform::clRed);
    EXPECT_NE(at(img, 12, 3), platform::clRed);
    // The caption's dark pixels from x = 23 on, and none beyond the text.
    int dark = 0;
    for (int x = 23; x < 60; ++x)
        for (int y = 3; y < 18; ++y)
            dark += at(img, x, y) == platform::clBlack || qGray(img.pixel(x, y)) < 100;
    EXPECT_GT(dark, 10);
    EXPECT_EQ(at(img, 150, 10), platform::clWhite);
    // Focused, the text is drawn on the highlight.
    dd->setFocus();
    const QImage focused = grabbed(dd);
    int highlight = 0;
    for (int x = 23; x < 60; ++x)
        highlight += at(focused, x, 10) == platform::colorToRGB(platform::clHighlight);
    EXPECT_GT(highlight, 5);
}

TEST_F(ColorPicker, ScreenshotOfTheOpenList)
{
    dd->SetItemIndex(9);
    open();
    const QImage img = grabbed(dd->DropDownForm());
    ASSERT_TRUE(testsupport::saveScreenshot(img, QStringLiteral("dropdowns/ColorPicker_list.png")));
    TCustomItemSelector* panel = dd->ItemSelector()->Panel();
    // An item's colour box somewhere along its row's middle line.
    const auto rowHas = [&](int item, TColor c) {
        const QRect r = panel->GetItemRect(item).toQRect().translated(panel->mapTo(dd->DropDownForm(), QPoint()));
        for (int x = r.left(); x < r.right(); ++x)
            if (at(img, x, r.center().y()) == c)
                return true;
        return false;
    };
    // The chosen item is scrolled into view at the opening, its box red, Silver above it.
    EXPECT_TRUE(rowHas(9, platform::clRed));
    EXPECT_TRUE(rowHas(8, platform::clSilver));
    EXPECT_FALSE(rowHas(0, platform::clBlack));
}

TEST_F(ColorPicker, ScreenshotOfTheOpenCubeWithSelectedAndHotCells)
{
    dd->SetColorSelectionStyle(csColorCube);
    dd->SetSelectedColor(0xFFFFFF);
    open();
    TQvColorCubePanel* cube = dd->ColorCubePanel();
    QTest::mouseMove(cube, cubeCentre(13));
    ASSERT_EQ(cube->HotIndex(), 13);
    const QImage img = grabbed(dd->DropDownForm());
    ASSERT_TRUE(testsupport::saveScreenshot(img, QStringLiteral("dropdowns/ColorPicker_cube.png")));
    const QPoint o = cube->mapTo(dd->DropDownForm(), QPoint());
    for (int cell : {1, 40, 64, 127}) {
        SCOPED_TRACE(cell);
        EXPECT_EQ(at(img, o.x() + cube->Cell(cell).X, o.y() + cube->Cell(cell).Y), cube->Cell(cell).Color);
    }
    const QPoint sel = o + cubeCentre(64), hot = o + cubeCentre(13);
    EXPECT_EQ(at(img, sel.x() - 5, sel.y()), platform::clBlack);
    EXPECT_EQ(at(img, sel.x() - 4, sel.y()), platform::clWhite);
    EXPECT_EQ(at(img, hot.x() - 5, hot.y()), platform::clRed);
    EXPECT_EQ(at(img, hot.x() - 4, hot.y()), platform::clWhite);
}

TEST_F(ColorPicker, ScreenshotOfTheOpenSpectrumWithTheHotBox)
{
    dd->SetColorSelectionStyle(csSpectrum);
    dd->SetSelectedColor(0x00FF00);
    open();
    TQvColorSpectrumPanel* panel = dd->SpectrumPanel();
    const QPoint p(20, 100);
    QTest::mouseMove(panel->SpectrumImage(), p);
    const QImage img = grabbed(dd->DropDownForm());
    ASSERT_TRUE(testsupport::saveScreenshot(img, QStringLiteral("dropdowns/ColorPicker_spectrum.png")));
    const QPoint o = panel->mapTo(dd->DropDownForm(), QPoint());
    const TColor under = platform::fromQColor(TQvColorSpectrumPanel::SpectrumBitmap().pixelColor(p));
    EXPECT_EQ(at(img, o.x() + 108, o.y() + 156), under);
    EXPECT_EQ(at(img, o.x() + 40, o.y() + 156), 0x00FF00u);
    EXPECT_EQ(at(img, o.x() + 11 + 64, o.y() + 10 + 64),
              platform::fromQColor(TQvColorSpectrumPanel::SpectrumBitmap().pixelColor(64, 64)));
}

TEST_F(ColorPicker, ScreenshotOfTheOpenPaletteWithSelectedAndHotBoxes)
{
    dd->SetColorSelectionStyle(csDiscrete);
    dd->SetSelectedColor(0x7F7F7F);
    open();
    TCustomColorSelector* palette = dd->ColorSelector();
    ASSERT_EQ(palette->ItemIndex(), 11);
    QTest::mouseMove(palette, palette->GetItemRect(5).toQRect().center());
    const QImage img = grabbed(dd->DropDownForm());
    ASSERT_TRUE(testsupport::saveScreenshot(img, QStringLiteral("dropdowns/ColorPicker_palette.png")));
    const QPoint o = palette->mapTo(dd->DropDownForm(), QPoint());
    const TRect sel = palette->GetItemRect(11), hot = palette->GetItemRect(5), plain = palette->GetItemRect(22);
    EXPECT_EQ(at(img, o.x() + sel.Left, o.y() + sel.Top + 5), 0x0000FFu);
    EXPECT_EQ(at(img, o.x() + sel.Left + 1, o.y() + sel.Top + 5), 0x94E2FFu);
    EXPECT_EQ(at(img, o.x() + sel.Left + 6, o.y() + sel.Top + 6), 0x7F7F7Fu);
    EXPECT_EQ(at(img, o.x() + hot.Left, o.y() + hot.Top + 5), 0x3694F2u);
    EXPECT_EQ(at(img, o.x() + plain.Left, o.y() + plain.Top + 5), 0xC5C5C5u);
    EXPECT_EQ(at(img, o.x() + plain.Left + 6, o.y() + plain.Top + 6), 0x97BDC4u);
}

// ---- looks and own painting ------------------------------------------------------------------

TEST_F(ColorPicker, ComponentStyleReachesTheItemLookAndTheOpenListTakesIt)
{
    TItemAppearance expected;
    TQvCustomDropDown::ApplyItemAppearanceStyle(&expected, grid::tsWindows7);
    dd->SetComponentStyle(grid::tsWindows7);
    EXPECT_EQ(dd->ItemAppearance().ColorHot(), expected.ColorHot());
    EXPECT_EQ(dd->ItemAppearance().ColorSelected(), expected.ColorSelected());
    open();
    EXPECT_EQ(dd->ItemSelector()->ItemAppearance().ColorSelected(), expected.ColorSelected());
    dd->HideDropDown(false);
    dd->SetSelectionColorStyle(scWindowsVista);
    EXPECT_EQ(dd->ItemSelector()->ItemAppearance().ColorStyle(), scWindowsVista);
}

TEST_F(ColorPicker, OnDrawSelectedColorPaintsTheContentInsteadOfThePicker)
{
    dd->SetItemIndex(9);
    w.other->setFocus();
    grid::TRect seen;
    dd->OnDrawSelectedColor = [&](QObject* sender, QPainter& canvas, const grid::TRect& r) {
        EXPECT_EQ(sender, dd);
        seen = r;
        canvas.fillRect(r.toQRect(), QColor(0, 0, 255));
    };
    const QImage img = grabbed(dd);
    EXPECT_EQ(seen, (grid::TRect{1, 1, 200 - 17 - 2, 21 - 2}));
    EXPECT_EQ(at(img, 12, 11), platform::clBlue);
}

TEST_F(ColorPicker, OnDrawColorDrawsTheListItems)
{
    std::vector<int> drawn;
    dd->OnDrawColor = [&](QObject* sender, QPainter&, const grid::TRect&, int index) {
        EXPECT_EQ(sender, dd);
        drawn.push_back(index);
    };
    open();
    grabbed(dd->DropDownForm());
    EXPECT_FALSE(drawn.empty());
    dd->HideDropDown(false);
    dd->OnDrawColor = nullptr;
    drawn.clear();
    open();
    grabbed(dd->DropDownForm());
    EXPECT_TRUE(drawn.empty());
}
