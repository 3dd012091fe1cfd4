// The button panel: the calculator's buttons and where they go, clicks as the mouse makes them,
// custom mode, the appearance's colours, and the faces drawn themed or classic.

#include "dropdowns/QvButtonPanel.h"
#include "grid/look/QvDropXPVS.h"
#include "grid/support/FakeVisualStyles.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace dropdowns;
using testsupport::FakeVisualStyles;

namespace {

// A shown panel, 230 x 150 as the calculator's popup makes it, with its clicks counted.
class ButtonPanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel = std::make_unique<TCustomButtonPanel>();
        panel->setGeometry(100, 100, 230, 150);
        panel->OnButtonClick = [this](QObject*, int index) { clicks.push_back(index); };
        panel->CreateButtons();
        panel->show();
        (void)QTest::qWaitForWindowExposed(panel.get());
    }
    void TearDown() override
    {
        grid::ReleaseThemeApi();
        grid::BindThemeApi();
    }
    QPoint centre(int index) const { return panel->GetButtonBounds(index).toQRect().center(); }
    QImage shot() const
    {
        QImage img(panel->size(), QImage::Format_RGB32);
        panel->render(&img);
        return img;
    }

    std::unique_ptr<TCustomButtonPanel> panel;
    std::vector<int> clicks;
};

} // namespace

TEST_F(ButtonPanel, CalculatorModeAddsThe28ButtonsInOrder)
{
    // Caption, name, tag, special (a special button's caption colour is 0x000080, the others'
    // 0xFFFFFF), as the calculator reads them.
    struct Row {
        const char* caption;
        const char* name;
        int tag;
        bool special;
    };
    const Row rows[] = {
        {"", "BTN_ON", 30, false},      {"Back", "BTN_BACK", 31, true}, {"CE", "BTN_CE", 32, true},
        {"C", "BTN_C", 16, true},       {"MC", "BTN_MC", 33, true},     {"MR", "BTN_MR", 34, true},
        {"MS", "BTN_MS", 35, true},     {"M+", "BTN_M+", 36, true},     {"0", "BTN_0", 0, false},
        {"1", "BTN_1", 1, false},       {"4", "BTN_4", 4, false},       {"7", "BTN_7", 7, false},
        {"8", "BTN_8", 8, false},       {"5", "BTN_5", 5, false},       {"2", "BTN_2", 2, false},
        {"+/-", "BTN_+/-", 14, false},  {".", "BTN_.", 15, false},      {"3", "BTN_3", 3, false},
        {"6", "BTN_6", 6, false},       {"9", "BTN_9", 9, false},       {"/", "BTN_/", 13, true},
        {"*", "BTN_*", 12, true},       {"-", "BTN_-", 11, true},       {"+", "BTN_+", 10, true},
        {"=", "BTN_=", 17, true},       {"1/x", "BTN_1/x", 38, false},  {"%", "BTN_%", 18, false},
        {"sqrt", "BTN_sqrt", 37, true},
    };
    ASSERT_EQ(panel->Buttons().Count(), 28);
    for (int i = 0; i < 28; ++i) {
        SCOPED_TRACE(i);
        const TButtonItem& b = panel->Buttons().Items(i);
        EXPECT_EQ(b.Caption(), QString::fromLatin1(rows[i].caption));
        EXPECT_EQ(b.Name(), QString::fromLatin1(rows[i].name));
        EXPECT_EQ(b.Tag(), rows[i].tag);
        EXPECT_EQ(b.Special(), rows[i].special);
        EXPECT_EQ(b.CaptionColor(), rows[i].special ? TColor(0x000080) : TColor(0xFFFFFF));
    }
}

TEST_F(ButtonPanel, A230By150PanelPlacesTheButtonsOnTheCalculatorGrid)
{
    // W 34, H 26; columns 8, 46, 79, 112, 150, 183 with the right edge at 217; rows 8, 38, 63,
    // 88, 113; the top buttons 54 wide, "C" reaching the right edge.
    struct Row {
        int index;
        grid::TRect r;
    };
    const Row rows[] = {
        {0, {8, 8, 42, 34}},       {1, {46, 8, 100, 34}},      {2, {104, 8, 158, 34}},     {3, {162, 8, 217, 34}},
        {4, {8, 38, 42, 64}},      {11, {46, 38, 80, 64}},     {12, {79, 38, 113, 64}},    {19, {112, 38, 146, 64}},
        {20, {150, 38, 184, 64}},  {27, {183, 38, 217, 64}},   {5, {8, 63, 42, 89}},       {26, {183, 63, 217, 89}},
        {6, {8, 88, 42, 114}},     {17, {112, 88, 146, 114}},  {7, {8, 113, 42, 139}},     {8, {46, 113, 80, 139}},
        {15, {79, 113, 113, 139}}, {16, {112, 113, 146, 139}}, {23, {150, 113, 184, 139}}, {24, {183, 113, 217, 139}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.index);
        const grid::TRect b = panel->GetButtonBounds(row.index);
        EXPECT_EQ(b, row.r) << b.Left << "," << b.Top << "," << b.Right << "," << b.Bottom;
    }
    EXPECT_EQ(panel->GetButtonBounds(28), (grid::TRect{-1, -1, -1, -1}));
    // A resize arranges again.
    panel->resize(296, 150);
    EXPECT_EQ(panel->GetButtonBounds(0).Width(), (296 - 16 - 8) / 6);
}

TEST_F(ButtonPanel, AClickNeedsPressAndReleaseOnTheSameButton)
{
    QTest::mousePress(panel.get(), Qt::LeftButton, {}, centre(11));
    EXPECT_EQ(panel->ButtonDown(), 11);
    QTest::mouseRelease(panel.get(), Qt::LeftButton, {}, centre(12));
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(panel->ButtonDown(), -1) << "the pressed look goes on release";
    QTest::mouseClick(panel.get(), Qt::LeftButton, {}, centre(12));
    EXPECT_EQ(clicks, std::vector<int>{12});
    // The shared border pixel belongs to the first button in collection order.
    EXPECT_EQ(panel->ButtonAtPos(79, 50), 11);
    // Margins and gaps are no button.
    QTest::mouseClick(panel.get(), Qt::LeftButton, {}, QPoint(44, 50));
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(ButtonPanel, TheButtonUnderThePointerIsHotUntilItLeaves)
{
    QTest::mouseMove(panel.get(), centre(5));
    EXPECT_EQ(panel->ButtonHot(), 5);
    QTest::mouseMove(panel.get(), QPoint(2, 2));
    EXPECT_EQ(panel->ButtonHot(), -1);
    panel->Buttons().Items(6).SetEnabled(false);
    QTest::mouseMove(panel.get(), centre(6));
    EXPECT_EQ(panel->ButtonHot(), -1) << "a disabled button is never hot";
    QTest::mouseClick(panel.get(), Qt::LeftButton, {}, centre(6));
    EXPECT_TRUE(clicks.empty());
}

TEST_F(ButtonPanel, CreateButtonsOnAFilledPanelAddsNothingAndKeepsThePlaces)
{
    panel->Buttons().Items(0).SetBounds(1, 2, 3, 4);
    panel->CreateButtons();
    EXPECT_EQ(panel->Buttons().Count(), 28);
    EXPECT_EQ(panel->GetButtonBounds(0), (grid::TRect{1, 2, 4, 6}));
    panel->RebuildButtons();
    EXPECT_EQ(panel->Buttons().Count(), 28);
    EXPECT_EQ(panel->GetButtonBounds(0), (grid::TRect{8, 8, 42, 34}));
}

TEST_F(ButtonPanel, CustomButtonsAreNeitherCreatedNorPlacedNorHit)
{
    TCustomButtonPanel custom;
    custom.SetButtonPanelType(plCustom);
    custom.resize(230, 150);
    custom.CreateButtons();
    EXPECT_EQ(custom.Buttons().Count(), 0);
    custom.Buttons().Add().SetCaption(QStringLiteral("Go"));
    custom.ArrangeButtons();
    EXPECT_EQ(custom.GetButtonBounds(0), (grid::TRect{0, 0, 0, 0}));
    EXPECT_EQ(custom.ButtonAtPos(0, 0), -1);
    // An empty rectangle paints nothing and fails nothing.
    QImage img(custom.size(), QImage::Format_RGB32);
    custom.render(&img);
}

TEST_F(ButtonPanel, AppearanceDefaultsAndAssign)
{
    const TButtonAppearance a;
    EXPECT_EQ(a.ColorChecked(), TColor(0xF5D8CA));
    EXPECT_EQ(a.ColorCheckedTo(), TColor(0xF9BDA0));
    EXPECT_EQ(a.ColorDisabled(), TColor(0xF2F2F2));
    EXPECT_EQ(a.ColorDisabledTo(), TColor(0xF2F2F2));
    EXPECT_EQ(a.SpecialTextColor(), TColor(0x000080));
    EXPECT_EQ(a.Font().Size, 10);
    TButtonAppearance b;
    int changes = 0;
    b.OnChange = [&changes](grid::TObject*) { ++changes; };
    b.SetShineColor(1);
    b.SetGlowColorHot(2);
    EXPECT_EQ(changes, 0) << "shine and glow colours are stored silently";
    b.SetTextColor(0x123456);
    b.SetTextColor(0x123456);
    EXPECT_EQ(changes, 1);
    b.Assign(a);
    EXPECT_EQ(b.TextColor(), a.TextColor());
    EXPECT_EQ(b.GlowColorHot(), a.GlowColorHot());
    EXPECT_EQ(b.ShineColor(), a.ShineColor());
    EXPECT_THROW(b.Assign(TButtonItem()), std::invalid_argument);
}

TEST_F(ButtonPanel, FacesAreThemedPushButtonsByState)
{
    FakeVisualStyles styles;
    grid::ReleaseThemeApi();
    ASSERT_TRUE(grid::BindThemeApi(styles));
    QTest::mouseMove(panel.get(), centre(9));
    QTest::mousePress(panel.get(), Qt::LeftButton, {}, centre(9));
    styles.draws.clear();
    (void)shot();
    // Every button once, the hot one last; the pressed one (also hot) drawn pressed.
    ASSERT_EQ(styles.draws.size(), 28u);
    EXPECT_EQ(styles.draws.back().themeClass, QStringLiteral("button"));
    EXPECT_EQ(styles.draws.back().part, 1);
    EXPECT_EQ(styles.draws.back().state, 3);
    EXPECT_EQ(styles.draws.back().rect, panel->GetButtonBounds(9).toQRect());
    EXPECT_EQ(styles.draws.front().state, 1);
    EXPECT_EQ(styles.opened, styles.closed);
    QTest::mouseRelease(panel.get(), Qt::LeftButton, {}, centre(9));
    styles.draws.clear();
    (void)shot();
    EXPECT_EQ(styles.draws.back().state, 2) << "hot after the release";
    panel->setEnabled(false);
    styles.draws.clear();
    (void)shot();
    EXPECT_EQ(styles.draws.front().state, 4);
}

TEST_F(ButtonPanel, WithoutAThemeTheFacesAreClassicRaisedButtons)
{
    FakeVisualStyles styles(false);
    grid::ReleaseThemeApi();
    ASSERT_TRUE(grid::BindThemeApi(styles));
    const QImage img = shot();
    EXPECT_TRUE(styles.draws.empty());
    const QRect b = panel->GetButtonBounds(0).toQRect();
    // The raised edge: white along the top, the face inside.
    EXPECT_EQ(img.pixel(b.left() + 5, b.top()), QColor(Qt::white).rgb());
    EXPECT_EQ(img.pixel(b.center()), platform::toQColor(platform::clBtnFace).rgb());
}
