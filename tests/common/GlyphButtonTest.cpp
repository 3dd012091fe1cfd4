// Behaviour of the glyph button: created values, kind and colour-style presets, glyph strips,
// clicks by mouse and keyboard, modal results, and Enter/Escape inside a dialog.
#include "common/GlyphButton.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>

#include <vector>

using namespace platform;

namespace {

// Counts the clicks a button reports.
struct ClickCounter {
    explicit ClickCounter(TGlyphButton& b)
    {
        QObject::connect(&b, &TGlyphButton::OnClick, [this] { ++clicks; });
    }
    int clicks = 0;
};

// A dialog that records the keys it is left to handle itself.
class RecordingDialog : public QDialog {
public:
    std::vector<int> keysSeen;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        keysSeen.push_back(e->key());
        QDialog::keyPressEvent(e);
    }
};

void activate(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
}

} // namespace

TEST(GlyphButton, CreatedValues)
{
    QWidget form;
    QFont formFont = form.font();
    formFont.setPointSize(17);
    form.setFont(formFont);
    TGlyphButton b(&form);
    EXPECT_EQ(b.size(), QSize(100, 23));
    EXPECT_EQ(b.Alignment(), Qt::AlignHCenter);
    EXPECT_FALSE(b.Cancel());
    EXPECT_EQ(b.Caption(), QString());
    EXPECT_EQ(b.Color(), clBtnFace);
    EXPECT_EQ(b.ColorStyle(), TGlyphColorStyle::lcsCustom);
    EXPECT_EQ(b.ColorWhenDown(), clNone);
    EXPECT_FALSE(b.Default());
    EXPECT_TRUE(b.isEnabled());
    EXPECT_FALSE(b.Flat());
    EXPECT_TRUE(b.Glyph().isNull());
    EXPECT_EQ(b.HotTrackColor(), clNone);
    EXPECT_EQ(b.HotTrackFont().pointSize(), 17); // the owner form's font
    EXPECT_EQ(b.Kind(), TGlyphButtonKind::bkCustom);
    EXPECT_EQ(b.Layout(), TGlyphButtonLayout::blGlyphLeft);
    EXPECT_EQ(b.LightColor(), clWhite);
    EXPECT_EQ(b.ModalResult(), 0);
    EXPECT_EQ(b.NumGlyphs(), 0);
    EXPECT_EQ(b.ShadowColor(), clGray);
    EXPECT_FALSE(b.SlowDecease());
    EXPECT_EQ(b.Style(), TGlyphButtonStyle::bsNormal);
    EXPECT_FALSE(b.UseHotTrackFont());
    EXPECT_FALSE(b.WordWrap());
    EXPECT_EQ(b.focusPolicy(), Qt::StrongFocus);
    ASSERT_NE(b.Thread(), nullptr); // the fade ticker exists, idle
    EXPECT_TRUE(b.Thread()->Suspended());
}

TEST(GlyphButton, KindPresets)
{
    struct Case {
        TGlyphButtonKind kind;
        const char* caption;
        int modalResult;
        QSize glyphSize;
    };
    using K = TGlyphButtonKind;
    const std::vector<Case> cases = {
        {K::bkOK, "OK", 1, {36, 18}},
        {K::bkCancel, "Abbrechen", 2, {36, 18}},
        {K::bkHelp, "Hilfe", 0, {36, 18}},
        {K::bkYes, "Ja", 6, {36, 18}},
        {K::bkNo, "Nein", 7, {36, 18}},
        {K::bkClose,
         "Schlie\xC3\x9F"
         "en",
         0,
         {36, 18}},
        {K::bkAbort, "Abbrechen", 3, {36, 18}},
        {K::bkRetry, "Wiederholen", 4, {36, 18}},
        {K::bkIgnore, "Ignorieren", 5, {36, 18}},
        {K::bkAll, "Alle", 12, {36, 19}},
    };
    for (const auto& c : cases) {
        TGlyphButton b;
        b.setKind(c.kind);
        EXPECT_EQ(b.Kind(), c.kind);
        EXPECT_EQ(b.Caption(), QString::fromUtf8(c.caption)) << c.caption;
        EXPECT_EQ(b.ModalResult(), c.modalResult) << c.caption;
        EXPECT_EQ(b.Glyph().size(), c.glyphSize) << c.caption;
        EXPECT_EQ(b.NumGlyphs(), 2) << c.caption;
    }

    // Custom keeps everything as it was.
    TGlyphButton b;
    b.setKind(K::bkYes);
    b.setKind(K::bkCustom);
    EXPECT_EQ(b.Kind(), K::bkCustom);
    EXPECT_EQ(b.Caption(), QStringLiteral("Ja"));
    EXPECT_EQ(b.ModalResult(), 6);
}

TEST(GlyphButton, ModalResultOrGlyphTurnsKindToCustom)
{
    TGlyphButton b;
    b.setKind(TGlyphButtonKind::bkYes);
    b.setModalResult(1);
    EXPECT_EQ(b.Kind(), TGlyphButtonKind::bkCustom);
    EXPECT_EQ(b.Caption(), QStringLiteral("Ja"));
    EXPECT_EQ(b.ModalResult(), 1);
    EXPECT_EQ(b.NumGlyphs(), 2);

    b.setKind(TGlyphButtonKind::bkNo);
    b.setGlyph(QImage(16, 16, QImage::Format_RGB32));
    EXPECT_EQ(b.Kind(), TGlyphButtonKind::bkCustom);
    EXPECT_EQ(b.ModalResult(), 7);
}

TEST(GlyphButton, NumGlyphsFromGlyphWidth)
{
    struct Case {
        QSize size;
        int numGlyphs;
    };
    const std::vector<Case> cases = {{{64, 16}, 4}, {{36, 18}, 2}, {{16, 16}, 1}, {{40, 16}, 2}, {{10, 16}, 0}};
    for (const auto& c : cases) {
        TGlyphButton b;
        b.setGlyph(QImage(c.size, QImage::Format_RGB32));
        EXPECT_EQ(b.NumGlyphs(), c.numGlyphs) << c.size.width() << "x" << c.size.height();
    }
    TGlyphButton b;
    b.setGlyph(QImage(64, 16, QImage::Format_RGB32));
    b.setGlyph(QImage());
    EXPECT_TRUE(b.Glyph().isNull());
    EXPECT_EQ(b.NumGlyphs(), 0);
}

TEST(GlyphButton, KindGlyphResourcesAreTwoCellSixteenColourStrips)
{
    const QSet<QRgb> palette = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
                                0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (const char* name :
         {"LBOK", "LBCANCEL", "LBHELP", "LBYES", "LBNO", "LBCLOSE", "LBABORT", "LBRETRY", "LBIGNORE", "LBALL"}) {
        const QImage strip = GlyphResource(QString::fromLatin1(name));
        ASSERT_FALSE(strip.isNull()) << name;
        const int cw = strip.width() / 2;
        const QRgb key = strip.pixel(0, strip.height() - 1);
        EXPECT_EQ(strip.pixel(cw, strip.height() - 1), key) << name;
        int drawnNormal = 0, drawnDisabled = 0;
        for (int y = 0; y < strip.height(); ++y)
            for (int x = 0; x < strip.width(); ++x) {
                const QRgb c = strip.pixel(x, y) & 0xFFFFFF;
                EXPECT_TRUE(palette.contains(c)) << name << " " << x << "," << y;
                if (strip.pixel(x, y) != key)
                    ++(x < cw ? drawnNormal : drawnDisabled);
            }
        EXPECT_GT(drawnNormal, 10) << name;
        EXPECT_GT(drawnDisabled, 10) << name;
        EXPECT_NE(strip.copy(0, 0, cw, strip.height()), strip.copy(cw, 0, cw, strip.height())) << name;
    }
    const QImage arrow = GlyphResource(QStringLiteral("LBARROW"));
    EXPECT_EQ(arrow.size(), QSize(5, 3));
    EXPECT_TRUE(GlyphResource(QStringLiteral("NOSUCH")).isNull());
}

TEST(GlyphButton, ColorStylePresets)
{
    struct Case {
        TGlyphColorStyle style;
        TColor color, light, shadow, down, hot;
        bool flat;
        TGlyphButtonStyle buttonStyle;
        TColor font;
    };
    using C = TGlyphColorStyle;
    using S = TGlyphButtonStyle;
    const std::vector<Case> cases = {
        {C::lcsGold, 0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF, false, S::bsModern, 0},
        {C::lcsChrome, 0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, false, S::bsModern, 0},
        {C::lcsBlue, 0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, false, S::bsModern, 0},
        {C::lcsRed, 0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, false, S::bsModern, 0},
        {C::lcsUltraFlat1, clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, true, S::bsNormal, 0},
        {C::lcsUltraFlat2, clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, true, S::bsNormal, 0},
        {C::lcsUltraFlatXP, 0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, true, S::bsNormal, 0},
        {C::lcsAqua, 0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone, false, S::bsModern, 0},
        {C::lcsDefault, clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, false, S::bsNormal, 0},
        {C::lcsQuicken, 0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, false, S::bsQuicken, 0xFFFFFF},
    };
    for (const auto& c : cases) {
        TGlyphButton b;
        b.setFlat(!c.flat);
        b.setColorStyle(c.style);
        EXPECT_EQ(b.ColorStyle(), TGlyphColorStyle::lcsCustom);
        EXPECT_EQ(b.Color(), c.color) << int(c.style);
        EXPECT_EQ(b.LightColor(), c.light) << int(c.style);
        EXPECT_EQ(b.ShadowColor(), c.shadow) << int(c.style);
        EXPECT_EQ(b.ColorWhenDown(), c.down) << int(c.style);
        EXPECT_EQ(b.HotTrackColor(), c.hot) << int(c.style);
        EXPECT_EQ(b.Flat(), c.flat) << int(c.style);
        EXPECT_EQ(b.Style(), c.buttonStyle) << int(c.style);
        EXPECT_EQ(b.FontColor(), c.font) << int(c.style);
    }

    // Custom changes nothing.
    TGlyphButton b;
    b.setColor(0x123456);
    b.setStyle(TGlyphButtonStyle::bsOld);
    b.setColorStyle(TGlyphColorStyle::lcsCustom);
    EXPECT_EQ(b.Color(), 0x123456u);
    EXPECT_EQ(b.Style(), TGlyphButtonStyle::bsOld);
}

TEST(GlyphButton, MouseReleaseClicksWhereverTheMouseIs)
{
    struct Case {
        const char* name;
        QPoint release;
        bool enabled;
        int clicks;
    };
    const std::vector<Case> cases = {
        {"inside", {50, 11}, true, 1},
        {"outside", {300, 200}, true, 1},
        {"disabled", {50, 11}, false, 0},
    };
    for (const auto& c : cases) {
        QWidget window;
        window.resize(400, 300);
        auto* b = new TGlyphButton(&window);
        activate(window);
        b->setEnabled(c.enabled);
        ClickCounter counter(*b);
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 11));
        QTest::mouseRelease(b, Qt::LeftButton, {}, c.release);
        EXPECT_EQ(counter.clicks, c.clicks) << c.name;
    }
}

TEST(GlyphButton, DisablingWhilePressedCancelsTheClick)
{
    QWidget window;
    auto* b = new TGlyphButton(&window);
    activate(window);
    ClickCounter counter(*b);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 11));
    EXPECT_TRUE(b->hasFocus()); // a press takes the focus
    b->setEnabled(false);
    b->setEnabled(true);
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(50, 11));
    EXPECT_EQ(counter.clicks, 0);
}

TEST(GlyphButton, RightButtonPressDoesNotClick)
{
    QWidget window;
    auto* b = new TGlyphButton(&window);
    activate(window);
    ClickCounter counter(*b);
    QTest::mouseClick(b, Qt::RightButton, {}, QPoint(50, 11));
    EXPECT_EQ(counter.clicks, 0);
}

TEST(GlyphButton, EnterOrSpaceOnTheFocusedButtonClicksOnRelease)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        QWidget window;
        auto* b = new TGlyphButton(&window);
        activate(window);
        b->setFocus();
        ClickCounter counter(*b);
        QTest::keyPress(b, key);
        EXPECT_EQ(counter.clicks, 0) << key;
        QTest::keyRelease(b, key);
        EXPECT_EQ(counter.clicks, 1) << key;
        // A release whose press went elsewhere (a closing message box) does not click.
        QTest::keyRelease(b, key);
        EXPECT_EQ(counter.clicks, 1) << key;
    }
}

TEST(GlyphButton, ClickOfAHiddenOrDisabledButtonDoesNothing)
{
    QDialog dialog;
    auto* b = new TGlyphButton(&dialog);
    b->setModalResult(1);
    ClickCounter counter(*b);
    dialog.open();
    b->setEnabled(false);
    b->Click();
    b->setEnabled(true);
    b->hide();
    b->Click();
    EXPECT_EQ(counter.clicks, 0);
    EXPECT_TRUE(dialog.isVisible());
    b->show();
    b->Click();
    EXPECT_EQ(counter.clicks, 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 1);
}

TEST(GlyphButton, CancelButtonClosesModalDialogWithResultTwo)
{
    QDialog dialog;
    auto* cancel = new TGlyphButton(&dialog);
    cancel->setModalResult(2);
    dialog.open();
    ASSERT_TRUE(dialog.isModal());
    QTest::mouseClick(cancel, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 2);
}

TEST(GlyphButton, HandlerClosingTheDialogIsNotClosedTwice)
{
    QDialog dialog;
    auto* b = new TGlyphButton(&dialog);
    b->setModalResult(2);
    int finished = 0;
    QObject::connect(&dialog, &QDialog::finished, [&] { ++finished; });
    QObject::connect(b, &TGlyphButton::OnClick, &dialog, [&] { dialog.done(1); });
    dialog.open();
    b->Click();
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 2); // the button's result is written last
}

TEST(GlyphButton, ModalResultZeroOrNoDialogKeepsTheWindow)
{
    QDialog dialog;
    auto* b = new TGlyphButton(&dialog);
    dialog.open();
    b->Click();
    EXPECT_TRUE(dialog.isVisible());

    // Not on a dialog: the click still fires.
    QWidget plain;
    auto* other = new TGlyphButton(&plain);
    other->setModalResult(1);
    ClickCounter counter(*other);
    other->Click();
    EXPECT_EQ(counter.clicks, 1);

    // On a dialog shown without modality the result is stored and the dialog stays.
    QDialog modeless;
    auto* inModeless = new TGlyphButton(&modeless);
    inModeless->setModalResult(6);
    modeless.show();
    inModeless->Click();
    EXPECT_TRUE(modeless.isVisible());
    EXPECT_EQ(modeless.result(), 6);
}

namespace {

// A dialog with an edit, a plain push button, a radio button, a default button (result 1)
// and a cancel button (result 2).
struct DialogKeysFixture {
    RecordingDialog dialog;
    QLineEdit* edit = new QLineEdit(&dialog);
    QPushButton* push = new QPushButton(QStringLiteral("Other"), &dialog);
    QRadioButton* radio = new QRadioButton(QStringLiteral("Radio"), &dialog);
    TGlyphButton* other = new TGlyphButton(&dialog);
    TGlyphButton* ok = new TGlyphButton(&dialog);
    TGlyphButton* cancel = new TGlyphButton(&dialog);
    ClickCounter okClicks{*ok};
    ClickCounter cancelClicks{*cancel};
    ClickCounter otherClicks{*other};

    DialogKeysFixture()
    {
        ok->setDefault(true);
        ok->setModalResult(1);
        cancel->setCancel(true);
        cancel->setModalResult(2);
        dialog.open();
        QApplication::setActiveWindow(&dialog);
    }
};

} // namespace

TEST(GlyphButton, DialogEnterAndEscape)
{
    enum Focus { Edit, Push, Radio, Other };
    struct Case {
        const char* name;
        Focus focus;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int okClicks;
        int cancelClicks;
        int otherClicks;
        bool stillOpen;
        int result;
    };
    const std::vector<Case> cases = {
        {"enter in edit", Edit, Qt::Key_Return, {}, 1, 0, 0, false, 1},
        {"keypad enter in edit", Edit, Qt::Key_Enter, Qt::KeypadModifier, 1, 0, 0, false, 1},
        {"enter with radio focused", Radio, Qt::Key_Return, {}, 1, 0, 0, false, 1},
        {"enter with push button focused", Push, Qt::Key_Return, {}, 0, 0, 0, true, 0},
        {"enter with glyph button focused", Other, Qt::Key_Return, {}, 0, 0, 1, true, 0},
        {"escape in edit", Edit, Qt::Key_Escape, {}, 0, 1, 0, false, 2},
        {"shift escape", Edit, Qt::Key_Escape, Qt::ShiftModifier, 0, 0, 0, true, 0},
        {"ctrl escape", Edit, Qt::Key_Escape, Qt::ControlModifier, 0, 0, 0, true, 0},
    };
    for (const auto& c : cases) {
        DialogKeysFixture f;
        QWidget* target = c.focus == Edit    ? static_cast<QWidget*>(f.edit)
                          : c.focus == Push  ? static_cast<QWidget*>(f.push)
                          : c.focus == Radio ? static_cast<QWidget*>(f.radio)
                                             : static_cast<QWidget*>(f.other);
        target->setFocus();
        ASSERT_EQ(f.dialog.focusWidget(), target) << c.name;
        QTest::keyClick(target, c.key, c.modifiers);
        EXPECT_EQ(f.okClicks.clicks, c.okClicks) << c.name;
        EXPECT_EQ(f.cancelClicks.clicks, c.cancelClicks) << c.name;
        EXPECT_EQ(f.otherClicks.clicks, c.otherClicks) << c.name;
        EXPECT_EQ(f.dialog.isVisible(), c.stillOpen) << c.name;
        EXPECT_EQ(f.dialog.result(), c.result) << c.name;
    }
}

TEST(GlyphButton, DisabledDefaultStillTakesEnter)
{
    DialogKeysFixture f;
    f.ok->setEnabled(false);
    f.edit->setFocus();
    QTest::keyClick(f.edit, Qt::Key_Return);
    EXPECT_EQ(f.okClicks.clicks, 0);
    EXPECT_TRUE(f.dialog.isVisible());
    // Consumed: the dialog never sees it.
    EXPECT_TRUE(std::find(f.dialog.keysSeen.begin(), f.dialog.keysSeen.end(), Qt::Key_Return)
                == f.dialog.keysSeen.end());

    // A disabled or hidden cancel button leaves Escape alone.
    f.cancel->setEnabled(false);
    QTest::keyClick(f.edit, Qt::Key_Escape);
    EXPECT_EQ(f.cancelClicks.clicks, 0);
    EXPECT_FALSE(std::find(f.dialog.keysSeen.begin(), f.dialog.keysSeen.end(), Qt::Key_Escape)
                 == f.dialog.keysSeen.end());
}

TEST(GlyphButton, DialogKeysFollowAButtonMovedIntoTheDialog)
{
    RecordingDialog dialog;
    auto* edit = new QLineEdit(&dialog);
    TGlyphButton* ok = new TGlyphButton;
    ok->setDefault(true);
    ok->setModalResult(1);
    ok->setParent(&dialog);
    dialog.open();
    QApplication::setActiveWindow(&dialog);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 1);
}

TEST(GlyphButton, AcceleratorClicks)
{
    QDialog dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* b = new TGlyphButton(&dialog);
    b->setCaption(QStringLiteral("&Save"));
    ClickCounter counter(*b);
    dialog.open();
    QApplication::setActiveWindow(&dialog);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(counter.clicks, 1);
    b->setEnabled(false);
    QTest::keyClick(edit, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(counter.clicks, 1);
}

TEST(GlyphButton, MouseEnterAndExitEvents)
{
    QWidget window;
    auto* b = new TGlyphButton(&window);
    activate(window);
    int entered = 0, left = 0;
    QObject::connect(b, &TGlyphButton::OnMouseEnter, [&] { ++entered; });
    QObject::connect(b, &TGlyphButton::OnMouseExit, [&] { ++left; });
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(b, &enter);
    QCoreApplication::sendEvent(b, &leave);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);
    b->setEnabled(false);
    QCoreApplication::sendEvent(b, &enter);
    QCoreApplication::sendEvent(b, &leave);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);
}

TEST(GlyphButton, PopupMenuOpensBelowTheButton)
{
    QWidget window;
    window.resize(300, 200);
    auto* b = new TGlyphButton(&window);
    b->move(20, 30);
    QMenu menu;
    menu.addAction(QStringLiteral("One"));
    b->setPopupMenu(&menu);
    activate(window);
    b->Click();
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), b->mapToGlobal(QPoint(0, b->height())));
    menu.close();
}

TEST(GlyphButton, ActionLink)
{
    QAction action(QStringLiteral("Run"));
    QPixmap icon(16, 16);
    icon.fill(Qt::red);
    action.setIcon(QIcon(icon));
    action.setToolTip(QStringLiteral("Run it"));
    int triggered = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++triggered; });

    QWidget window;
    auto* b = new TGlyphButton(&window);
    b->setAction(&action);
    EXPECT_EQ(b->Caption(), QStringLiteral("Run"));
    EXPECT_EQ(b->toolTip(), QStringLiteral("Run it"));
    EXPECT_EQ(b->NumGlyphs(), 1);
    EXPECT_EQ(b->Glyph().size(), QSize(16, 16));
    EXPECT_EQ(b->Glyph().pixelColor(3, 3), QColor(Qt::red));
    b->Click();
    EXPECT_EQ(triggered, 1);

    action.setEnabled(false);
    EXPECT_FALSE(b->isEnabled());
    action.setText(QStringLiteral("Stop"));
    EXPECT_EQ(b->Caption(), QStringLiteral("Stop"));

    // A glyph already there is kept.
    QImage own(32, 16, QImage::Format_RGB32);
    own.fill(Qt::blue);
    TGlyphButton withGlyph;
    withGlyph.setGlyph(own);
    withGlyph.setAction(&action);
    EXPECT_EQ(withGlyph.NumGlyphs(), 2);
    EXPECT_EQ(withGlyph.Glyph().pixelColor(3, 3), QColor(Qt::blue));
}
