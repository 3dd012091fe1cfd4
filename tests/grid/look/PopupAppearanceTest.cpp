#include "grid/look/PopupAppearance.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

using namespace grid;

TEST(PopupAppearance, Defaults)
{
    THeaderAppearance header;
    EXPECT_TRUE(header.Visible());
    EXPECT_EQ(header.Height(), 22);
    EXPECT_EQ(header.BorderWidth(), 1);
    EXPECT_EQ(header.ImageIndex(), -1);
    EXPECT_EQ(header.Color(), 0xC0C0C0u);
    EXPECT_EQ(header.ColorTo(), 0xFFFFFFu);
    EXPECT_EQ(header.BorderColor(), 0u);
    EXPECT_EQ(header.GradientDirection(), gdVertical);
    EXPECT_EQ(header.ButtonAlignment(), baRight);
    EXPECT_EQ(header.GetButtons().Count(), 0);
    EXPECT_EQ(header.Font().Name, QStringLiteral("Tahoma"));

    TFooterAppearance footer;
    EXPECT_TRUE(footer.SizeGrip());
    EXPECT_EQ(footer.Height(), 22);
    EXPECT_EQ(footer.Font().Name, QGuiApplication::font().family()) << "the platform's default face";
}

TEST(PopupAppearance, VisibleNotifiesOnlyOnAChange)
{
    THeaderAppearance header;
    int changes = 0;
    header.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &header);
        ++changes;
    };
    header.SetVisible(true);
    EXPECT_EQ(changes, 0);
    header.SetVisible(false);
    EXPECT_EQ(changes, 1);
    header.SetHeight(40);
    header.SetCaption(QStringLiteral("x"));
    EXPECT_EQ(changes, 1) << "the other fields are plain";
}

TEST(PopupAppearance, ButtonChangesNotifyOnce)
{
    TFooterButtons buttons;
    TFooterButton& button = buttons.Add();
    int notices = 0;
    buttons.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &buttons);
        ++notices;
    };
    struct Step {
        std::function<void()> write;
        int notices;
    };
    const Step steps[] = {
        {[&] { button.SetHeight(30); }, 0},
        {[&] { button.SetWidth(50); }, 1},
        {[&] { button.SetWidth(50); }, 0},
        {[&] { button.SetEnabled(false); }, 1},
        {[&] { button.SetCaption(QStringLiteral("OK")); }, 1},
        {[&] { button.SetCaption(QStringLiteral("OK")); }, 0},
        {[&] { button.SetImageIndex(3); }, 0},
        {[&] { button.SetModalResult(1); }, 0},
    };
    for (const Step& step : steps) {
        notices = 0;
        step.write();
        EXPECT_EQ(notices, step.notices);
    }
}

TEST(PopupAppearance, AppearanceForwardsItsButtonsNotice)
{
    THeaderAppearance header;
    int notices = 0;
    header.OnButtonsChanged = [&](TObject* sender) {
        EXPECT_EQ(sender, &header);
        ++notices;
    };
    THeaderButton& b = header.GetButtons().Add();
    notices = 0;
    b.SetWidth(20);
    b.SetHeight(20);
    EXPECT_EQ(notices, 1);
}

TEST(PopupAppearance, AssignCopiesFromTheSameClassOnly)
{
    THeaderAppearance source;
    source.SetCaption(QStringLiteral("<b>Pick</b>"));
    source.SetHeight(30);
    source.SetColor(0x112233);
    source.SetVisible(false);
    source.SetButtonAlignment(baLeft);
    source.GetButtons().Add().SetCaption(QStringLiteral("A"));

    THeaderAppearance target;
    int changes = 0;
    target.OnChange = [&](TObject*) { ++changes; };
    target.Assign(source);
    EXPECT_EQ(target.Caption(), QStringLiteral("<b>Pick</b>"));
    EXPECT_EQ(target.Height(), 30);
    EXPECT_EQ(target.Color(), 0x112233u);
    EXPECT_FALSE(target.Visible());
    EXPECT_EQ(changes, 1) << "Visible goes through its writer";
    EXPECT_EQ(target.ButtonAlignment(), baLeft);
    ASSERT_EQ(target.GetButtons().Count(), 1);
    EXPECT_EQ(target.GetButtons().Items(0).Caption(), QStringLiteral("A"));

    TFooterAppearance footer;
    footer.SetCaption(QStringLiteral("footer"));
    target.Assign(footer);
    EXPECT_EQ(target.Caption(), QStringLiteral("<b>Pick</b>")) << "another class is ignored";
}

TEST(PopupAppearance, AssignColorsLeavesCaptionButtonsVisibilityAndSizes)
{
    TFooterAppearance source;
    source.SetColor(1);
    source.SetColorTo(2);
    source.SetBorderColor(3);
    source.SetGradientDirection(gdHorizontal);
    TFont f;
    f.Name = QStringLiteral("Arial");
    source.SetFont(f);
    source.SetCaption(QStringLiteral("new"));
    source.SetHeight(50);
    source.SetVisible(false);

    TFooterAppearance target;
    target.SetCaption(QStringLiteral("old"));
    target.GetButtons().Add();
    target.AssignColors(source);
    EXPECT_EQ(target.Color(), 1u);
    EXPECT_EQ(target.ColorTo(), 2u);
    EXPECT_EQ(target.BorderColor(), 3u);
    EXPECT_EQ(target.GradientDirection(), gdHorizontal);
    EXPECT_EQ(target.Font().Name, QStringLiteral("Arial"));
    EXPECT_EQ(target.Caption(), QStringLiteral("old"));
    EXPECT_EQ(target.Height(), 22);
    EXPECT_TRUE(target.Visible());
    EXPECT_EQ(target.GetButtons().Count(), 1);
}

TEST(PopupAppearance, ButtonsCopyAndRangeCheck)
{
    TFooterButtons buttons;
    TFooterButton& b = buttons.Add();
    b.SetCaption(QStringLiteral("OK"));
    b.SetModalResult(1);
    TFooterButton copy;
    copy.Assign(b);
    EXPECT_EQ(copy.Caption(), QStringLiteral("OK"));
    EXPECT_EQ(copy.ModalResult(), 1);
    THeaderButton other;
    EXPECT_THROW(copy.Assign(other), EQvGridError);
    try {
        buttons.Items(5);
        FAIL();
    } catch (const EQvGridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (5)"));
    }
    EXPECT_EQ(buttons.Insert(0).ImageIndex(), -1);
    EXPECT_EQ(buttons.Items(1).Caption(), QStringLiteral("OK"));
}
