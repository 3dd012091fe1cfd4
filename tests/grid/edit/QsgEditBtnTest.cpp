// The edit with a button and the unit edit: F4 and the button, the disabled editor, the unit
// split and the unit menu, the layout, and each paint branch of the embedded button.

#include "grid/edit/QSGEdit.h"
#include "grid/look/QvXPVS.h"
#include "support/Screenshots.h"

#include "grid/support/FakeVisualStyles.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

using namespace grid;

namespace {

TEST(QsgEditBtn, F4AndTheButtonFireOnClickBtn)
{
    TQsgEditBtn edit;
    edit.resize(120, 24);
    edit.show();
    EXPECT_EQ(edit.text(), QStringLiteral("0"));
    QList<QObject*> senders;
    edit.OnClickBtn = [&](QObject* sender) { senders << sender; };
    QTest::keyClick(&edit, Qt::Key_F4);
    QTest::keyClick(&edit, Qt::Key_F4, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_F4, Qt::AltModifier);
    ASSERT_EQ(senders.size(), 1);
    EXPECT_EQ(senders[0], &edit);
    QTest::mouseClick(edit.Button()->Button(), Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_EQ(senders.size(), 2);
    EXPECT_EQ(senders[1], edit.Button());
    QTest::mouseClick(edit.Button()->Button(), Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(senders.size(), 2);
}

TEST(QsgEditBtn, DisabledEditorTakesNoTypingNorPasteButKeepsItsButton)
{
    TQsgEditBtn edit;
    edit.resize(120, 24);
    edit.show();
    int clicks = 0;
    edit.OnClickBtn = [&](QObject*) { ++clicks; };
    edit.EditorEnabled = false;
    edit.setCursorPosition(1);
    QTest::keyClicks(&edit, QStringLiteral("12"));
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("0"));
    QTest::keyClick(&edit, Qt::Key_F4);
    EXPECT_EQ(clicks, 1);
    edit.EditorEnabled = true;
    QTest::keyClicks(&edit, QStringLiteral("12"));
    EXPECT_EQ(edit.text(), QStringLiteral("012"));
}

TEST(QsgUnitEditBtn, TextAndUnitSplitAtTheFirstUnitThatEndsTheValue)
{
    struct Case {
        const char* value;
        const char* text;
        const char* unit;
    };
    const Case cases[] = {
        {"12mm", "12", "mm"}, // m first occurs at 3 of 4 characters: not the end; mm does end it
        {"5m", "5", "m"},
        {"7kg", "5", "m"}, // ends in no unit: nothing changes
    };
    TQsgUnitEditBtn edit;
    edit.SetUnits({QStringLiteral("m"), QStringLiteral("mm")});
    EXPECT_TRUE(edit.RightAlign());
    EXPECT_EQ(edit.UnitSpace(), 20);
    for (const Case& c : cases) {
        edit.SetTextAndUnit(QString::fromLatin1(c.value));
        EXPECT_EQ(edit.text(), QString::fromLatin1(c.text)) << c.value;
        EXPECT_EQ(edit.UnitID(), QString::fromLatin1(c.unit)) << c.value;
    }
    EXPECT_EQ(edit.TextAndUnit(), QStringLiteral("5m"));
}

TEST(QsgUnitEditBtn, UnitMenuChoosesByIdAndReportsOnlyAChange)
{
    TQsgUnitEditBtn edit;
    edit.SetUnits({QStringLiteral("m"), QStringLiteral("mm")});
    edit.SetUnitID(QStringLiteral("m"));
    QStringList changes;
    edit.OnUnitChanged = [&](QObject* sender, const QString& unit) {
        EXPECT_EQ(sender, &edit);
        changes << unit;
    };
    QObject* clicked = nullptr;
    edit.OnClickBtn = [&](QObject* sender) { clicked = sender; };
    QStringList offered;
    int choose = 2;
    edit.ShowUnitMenu = [&](QMenu& menu, const QPoint&) {
        for (QAction* a : menu.actions())
            offered << a->text() + "=" + a->data().toString();
        return choose;
    };
    edit.ClickButton(edit.Button());
    EXPECT_EQ(clicked, &edit);
    EXPECT_EQ(offered, (QStringList{"m=1", "mm=2"}));
    EXPECT_EQ(edit.UnitID(), QStringLiteral("mm"));
    EXPECT_EQ(changes, QStringList{QStringLiteral("mm")});
    edit.ClickButton(edit.Button()); // the current unit again: no change reported
    EXPECT_EQ(changes.size(), 1);
    for (int id : {0, 3, -1})
        edit.UnitCommand(id);
    EXPECT_EQ(edit.UnitID(), QStringLiteral("mm"));
    EXPECT_EQ(changes.size(), 1);
}

TEST(QsgEditBtn, LayoutAndMinimumHeight)
{
    const int f = QFontMetrics(QApplication::font()).height();
    TQsgEditBtn edit;
    EXPECT_EQ(edit.MinimumHeight(), f + f / 4); // no margin, unlike the spin edit
    edit.show();
    edit.resize(120, 30);
    const int frame = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &edit) : 0;
    EXPECT_EQ(edit.Button()->geometry(), QRect(frame + 120 - 18 - 5, frame, 18, 25));
    EXPECT_EQ(edit.EditRect(), QRect(QPoint(1, 1), QPoint(120 - 2 * frame - 18 - 5 - 1, 30 - 2 * frame)));
    edit.SetButtonWidth(30);
    EXPECT_EQ(edit.Button()->width(), 30);

    TQsgUnitEditBtn unit;
    unit.show();
    unit.resize(120, 30);
    // The unit's room and 3 more come off the text's right.
    EXPECT_EQ(unit.EditRect().right(), 120 - 2 * frame - 18 - 20 - 5 - 3 - 1);
    unit.resize(120, 2);
    EXPECT_EQ(unit.height(), unit.MinimumHeight());
}

QImage render(QWidget& w)
{
    QImage img(w.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    w.render(&img);
    return img;
}

QRgb rgbOf(TColor c)
{
    return platform::toQColor(c).rgb();
}

TEST(QsgEditBtn, ButtonPaintBranches)
{
    TQsgEditButton panel;
    panel.resize(20, 20);
    panel.SetButtonCaption(QStringLiteral("..."));
    TQvSpeedButton* b = panel.Button();

    // Custom colours: the face, and the caption still black.
    panel.ButtonColor = 0x00FF00;
    panel.ButtonColorDown = 0xFF0000;
    QImage img = render(*b);
    EXPECT_EQ(img.pixel(1, 1), qRgb(0, 255, 0));
    EXPECT_TRUE(b->Flat());
    b->SetDown(true);
    img = render(*b);
    EXPECT_EQ(img.pixel(1, 1), qRgb(0, 0, 255));
    bool black = false;
    for (int x = 0; x < 20 && !black; ++x)
        for (int y = 0; y < 20 && !black; ++y)
            black = qGray(img.pixel(x, y)) < 60; // the caption, smoothed at its edges
    EXPECT_TRUE(black);
    b->SetDown(false);

    // Flat: a raised inner edge, sunken while down.
    panel.ButtonColor = clNone;
    b->SetFlat(true);
    img = render(*b);
    EXPECT_EQ(img.pixel(0, 0), rgbOf(platform::clBtnHighlight));
    EXPECT_EQ(img.pixel(19, 19), rgbOf(platform::clBtnShadow));
    b->SetDown(true);
    img = render(*b);
    EXPECT_EQ(img.pixel(0, 0), rgbOf(platform::clBtnShadow));
    b->SetDown(false);

    // Classic: the raised push-button frame.
    b->SetFlat(false);
    img = render(*b);
    EXPECT_EQ(img.pixel(0, 0), rgbOf(platform::cl3DLight));
    EXPECT_EQ(img.pixel(19, 19), rgbOf(platform::cl3DDkShadow));

    // Themed: the push-button part of the "button" class.
    testsupport::FakeVisualStyles styles;
    ReleaseGridThemeApi();
    BindGridThemeApi(styles);
    b->IsWinXP = true;
    img = render(*b);
    ASSERT_EQ(styles.draws.size(), 1u);
    EXPECT_EQ(styles.draws[0].themeClass, QStringLiteral("button"));
    EXPECT_EQ(styles.draws[0].part, 1);
    EXPECT_EQ(styles.draws[0].state, 1);
    EXPECT_EQ(img.pixel(0, 0), testsupport::FakeVisualStyles::marker);
    b->SetDown(true);
    render(*b);
    EXPECT_EQ(styles.draws.back().state, 3);
    ReleaseGridThemeApi();
    BindGridThemeApi();
}

TEST(QsgUnitEditBtn, Screenshot)
{
    QWidget window;
    window.resize(180, 46);
    auto* unit = new TQsgUnitEditBtn(&window);
    unit->setGeometry(10, 10, 160, 24);
    unit->SetUnits({QStringLiteral("m"), QStringLiteral("mm")});
    unit->SetTextAndUnit(QStringLiteral("12mm"));
    unit->SetButtonCaption(QStringLiteral("..."));
    window.show();
    const QImage img = testsupport::takeScreenshot(window, QStringLiteral("grid/QsgUnitEditBtn.png"));
    // The number and its unit are drawn in the box, left of the button.
    const QRect text = unit->geometry().adjusted(3, 3, -30, -3);
    EXPECT_GT(testsupport::pixelsOtherThan(img, text, img.pixelColor(text.topLeft())), 0);
}

} // namespace
